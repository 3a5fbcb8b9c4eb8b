// A slim reader/writer lock held exclusively for a scope. The locks it takes
// live at namespace scope (SRWLOCK_INIT), so they exist before any code runs
// and need no initialisation of their own.
#pragma once

#include <windows.h>

namespace win {

class ExclusiveLock {
 public:
  explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
  ~ExclusiveLock() { ::ReleaseSRWLockExclusive(&lock_); }
  ExclusiveLock(const ExclusiveLock&) = delete;
  ExclusiveLock& operator=(const ExclusiveLock&) = delete;

 private:
  SRWLOCK& lock_;
};

}  // namespace win

// A value of the process made on first use by whichever thread asks first;
// a thread that asks meanwhile waits for it. It replaces a function-local
// static, whose first use would not be guarded (the library is compiled with
// -fno-threadsafe-statics). Kept at namespace scope; T is trivially
// destructible, so nothing of it runs at unload.
#pragma once

#include <type_traits>

#include "win/exclusive_lock.h"

namespace win {

template <typename T>
class MadeOnce {
  static_assert(std::is_trivially_destructible_v<T>);

 public:
  // The value, made by `make` when no call has made it yet. When `make`
  // throws, the next call tries again.
  template <typename Make>
  const T& Get(Make make) {
    ExclusiveLock hold(lock_);
    if (!made_) {
      value_ = make();
      made_ = true;
    }
    return value_;
  }

 private:
  SRWLOCK lock_ = SRWLOCK_INIT;
  bool made_ = false;
  T value_{};
};

}  // namespace win

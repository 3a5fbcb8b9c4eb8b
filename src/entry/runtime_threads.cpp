// The threads-library calls the C++ runtime makes (its exception machinery
// and the storage of thread_local variables ask for a one-time call, plain
// mutexes and one thread-specific key), answered by the system's own
// primitives. Defined here, they keep the runtime's whole threads library
// (thread creation, cancellation, condition variables, reader/writer locks)
// out of the library, about 30 KB on i686. Nothing else calls them.
#include <windows.h>

#include <cerrno>
#include <cstdint>

namespace {

using Destructor = void (*)(void*);

// The keys made so far, with their destructors; the runtime makes one.
struct Key {
  DWORD index = TLS_OUT_OF_INDEXES;
  Destructor destructor = nullptr;
};
constexpr int kMaxKeys = 4;
SRWLOCK g_keysLock = SRWLOCK_INIT;
Key g_keys[kMaxKeys];
int g_keyCount = 0;

// The runtime's static mutexes start as all bits set; the lock itself is a
// slim reader/writer lock in the mutex's place, whose unlocked state is 0.
constexpr std::intptr_t kStaticMutex = -1;
static_assert(sizeof(SRWLOCK) == sizeof(std::intptr_t));

SRWLOCK* AsLock(std::intptr_t* mutex) {
  if (*mutex == kStaticMutex) {
    ::InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(mutex), nullptr,
                                        reinterpret_cast<void*>(kStaticMutex));
  }
  return reinterpret_cast<SRWLOCK*>(mutex);
}

// A thread is leaving: each key's destructor gets the thread's value, until
// none is left (a destructor may set values again), as POSIX threads do.
void RunDestructors() {
  Key keys[kMaxKeys];
  int count = 0;
  ::AcquireSRWLockShared(&g_keysLock);
  for (; count < g_keyCount; ++count) keys[count] = g_keys[count];
  ::ReleaseSRWLockShared(&g_keysLock);
  for (int round = 0; round < 4; ++round) {
    bool ran = false;
    for (int i = 0; i < count; ++i) {
      void* value = ::TlsGetValue(keys[i].index);
      if (value == nullptr || keys[i].destructor == nullptr) continue;
      ::TlsSetValue(keys[i].index, nullptr);
      keys[i].destructor(value);
      ran = true;
    }
    if (!ran) break;
  }
}

}  // namespace

extern "C" {

// 0: not run; 1: running on some thread; 2: done.
int pthread_once(long* once, void (*function)()) {
  if (::InterlockedCompareExchange(once, 1, 0) == 0) {
    function();
    ::InterlockedExchange(once, 2);
    return 0;
  }
  while (::InterlockedCompareExchange(once, 2, 2) != 2) ::SwitchToThread();
  return 0;
}

int pthread_mutex_init(std::intptr_t* mutex, const unsigned*) {
  *mutex = 0;
  return 0;
}

int pthread_mutex_destroy(std::intptr_t*) { return 0; }

int pthread_mutex_lock(std::intptr_t* mutex) {
  ::AcquireSRWLockExclusive(AsLock(mutex));
  return 0;
}

int pthread_mutex_unlock(std::intptr_t* mutex) {
  ::ReleaseSRWLockExclusive(AsLock(mutex));
  return 0;
}

int pthread_key_create(unsigned* key, Destructor destructor) {
  ::AcquireSRWLockExclusive(&g_keysLock);
  int result = EAGAIN;
  if (g_keyCount < kMaxKeys) {
    const DWORD index = ::TlsAlloc();
    if (index != TLS_OUT_OF_INDEXES) {
      g_keys[g_keyCount++] = Key{index, destructor};
      *key = index;
      result = 0;
    }
  }
  ::ReleaseSRWLockExclusive(&g_keysLock);
  return result;
}

// The thread's last error stays as it was: a thread_local read between a
// failed call and GetLastError must not change what the caller sees.
void* pthread_getspecific(unsigned key) {
  const DWORD error = ::GetLastError();
  void* value = ::TlsGetValue(key);
  ::SetLastError(error);
  return value;
}

int pthread_setspecific(unsigned key, const void* value) {
  const DWORD error = ::GetLastError();
  const BOOL stored = ::TlsSetValue(key, const_cast<void*>(value));
  ::SetLastError(error);
  return stored ? 0 : ENOMEM;
}

// Threads leaving run the keys' destructors; when the library is unloaded
// (not at process exit, when other threads are gone without notice) the
// unloading thread runs them too and the keys are given back.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void* reserved) {
  if (reason == DLL_THREAD_DETACH) RunDestructors();
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    RunDestructors();
    ::AcquireSRWLockExclusive(&g_keysLock);
    for (int i = 0; i < g_keyCount; ++i) ::TlsFree(g_keys[i].index);
    g_keyCount = 0;
    ::ReleaseSRWLockExclusive(&g_keysLock);
  }
  return TRUE;
}

}  // extern "C"

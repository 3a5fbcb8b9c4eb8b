// One owning handle for every kind of handle the library opens, in the
// spirit of a unique_ptr with a handle's rules. A traits type per kind says
// what the handle type and its invalid value are and how it is closed:
//
//   struct FileTraits {
//     using Handle = HANDLE;
//     static Handle Invalid() { return INVALID_HANDLE_VALUE; }
//     static bool Close(Handle h) { return ::CloseHandle(h) != FALSE; }
//   };
//   using UniqueFile = UniqueHandle<FileTraits>;
//
// A kind may also count its live handles (`static void Count(int delta)`),
// which the leak tests read. Closing may re-enter the owner (a window's
// WM_NCDESTROY calls release()); the count stays exact either way.
#pragma once

#include <type_traits>
#include <utility>

namespace win {

// For the kinds that do not count their handles.
struct Uncounted {
  static void Count(int) {}
};

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept : handle_(Traits::Invalid()) {}
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {
    if (valid()) Traits::Count(1);
  }
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.handle_) {
    other.handle_ = Traits::Invalid();
  }
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, Traits::Invalid());
    }
    return *this;
  }

  Handle get() const noexcept { return handle_; }
  bool valid() const noexcept { return handle_ != Traits::Invalid(); }
  explicit operator bool() const noexcept { return valid(); }

  // Closes the held handle (unless it is `handle` itself) and holds
  // `handle`. False when the close failed.
  bool reset(Handle handle = Traits::Invalid()) {
    if (handle_ == handle) return true;
    bool closed = true;
    const Handle old = handle_;
    if (old != Traits::Invalid()) {
      closed = Traits::Close(old);
      if (handle_ == old) Traits::Count(-1);  // unless Close re-entered release()
    }
    handle_ = handle;
    if (valid()) Traits::Count(1);
    return closed;
  }

  // Gives the handle up without closing it (it is dead, or someone else
  // owns it now).
  Handle release() noexcept {
    if (valid()) Traits::Count(-1);
    return std::exchange(handle_, Traits::Invalid());
  }

 private:
  Handle handle_;
};

}  // namespace win

// The colour and bar maths are written for the floating point environment a
// Windows thread starts with: round to nearest, double precision, every
// exception masked. A host may run with another rounding mode (or, on i686,
// another x87 precision), which would move results that a division or
// multiplication feeds into the final rounding. The maths therefore run inside
// that environment, and the host's own is put back afterwards, flags included.
#pragma once

#include <cstdint>

namespace widgets {

// Saves the thread's floating point environment (x87 and SSE) and sets the
// default one; the destructor restores what was saved.
class DefaultFloatMode {
 public:
  DefaultFloatMode() noexcept;
  ~DefaultFloatMode();
  DefaultFloatMode(const DefaultFloatMode&) = delete;
  DefaultFloatMode& operator=(const DefaultFloatMode&) = delete;

 private:
  // The x87 environment as FNSTENV stores it (28 bytes in 32- and 64-bit
  // mode) and the SSE control and status register.
  alignas(4) std::uint8_t x87_[28] = {};
  std::uint32_t mxcsr_ = 0;
};

// Keeps the compiler from moving arithmetic on `value` across this point:
// floating point operations are otherwise free to be scheduled before the
// environment is set or after it is restored.
template <class T>
inline void FloatFence(T& value) {
  asm volatile("" : "+m"(value) : : "memory");
}

// `maths(args...)` computed in the default environment.
template <class Maths, class... Args>
auto InDefaultFloatMode(Maths maths, Args... args) {
  const DefaultFloatMode mode;
  (FloatFence(args), ...);
  auto result = maths(args...);
  FloatFence(result);
  return result;
}

}  // namespace widgets

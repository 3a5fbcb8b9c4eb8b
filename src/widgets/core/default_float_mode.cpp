#include "widgets/core/default_float_mode.h"

namespace widgets {
namespace {

// x87 control word: every exception masked, 53-bit (double) precision, round
// to nearest. SSE: every exception masked, round to nearest, denormals kept.
constexpr std::uint16_t kX87Default = 0x027F;
constexpr std::uint32_t kMxcsrDefault = 0x1F80;

}  // namespace

DefaultFloatMode::DefaultFloatMode() noexcept {
#if defined(__i386__) || defined(__x86_64__)
  // FNSTENV also masks every x87 exception, so loading the new control word
  // cannot raise one that the host left pending.
  asm volatile("fnstenv %0" : "=m"(x87_) : : "memory");
  asm volatile("fldcw %0" : : "m"(kX87Default) : "memory");
  asm volatile("stmxcsr %0" : "=m"(mxcsr_) : : "memory");
  asm volatile("ldmxcsr %0" : : "m"(kMxcsrDefault) : "memory");
#else
#error "the default floating point environment is defined for x86 only"
#endif
}

DefaultFloatMode::~DefaultFloatMode() {
#if defined(__i386__) || defined(__x86_64__)
  asm volatile("ldmxcsr %0" : : "m"(mxcsr_) : "memory");
  asm volatile("fldenv %0" : : "m"(x87_) : "memory");
#endif
}

}  // namespace widgets

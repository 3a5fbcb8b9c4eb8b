// Colours as the widgets store them: either an RGB triple or a system colour
// role that is resolved only when painting, plus the value "none". Roles are
// resolved through a ColourScheme, so the painters can be run against a fixed
// scheme (tests, the classic look) as well as the live system colours.
#pragma once

#include <cstdint>

namespace widgets {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
  friend bool operator!=(Rgb a, Rgb b) { return !(a == b); }
};

// System colour roles. The numbers are the Win32 COLOR_* indices, so the
// Windows scheme can hand them to GetSysColor unchanged.
enum class SysColour : std::uint8_t {
  kWindow = 5,
  kWindowText = 8,
  kHighlight = 13,
  kButtonFace = 15,
  kButtonShadow = 16,
  kButtonText = 18,
  kButtonHighlight = 20,
  kDarkShadow3D = 21,
  kLight3D = 22,
};

class ColourScheme {
 public:
  virtual Rgb RoleColour(SysColour role) const = 0;

 protected:
  ~ColourScheme() = default;
};

// A 32-bit colour value. The encoding follows the usual Delphi/VCL one:
// 0x00BBGGRR for RGB, 0xFF0000nn for system role nn, 0x1FFFFFFF for none.
class Colour {
 public:
  constexpr Colour() = default;
  static constexpr Colour FromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Colour(static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
                  (static_cast<std::uint32_t>(b) << 16));
  }
  static constexpr Colour FromRgb(Rgb c) { return FromRgb(c.r, c.g, c.b); }
  static constexpr Colour FromRole(SysColour role) {
    return Colour(kRoleFlag | static_cast<std::uint32_t>(role));
  }
  static constexpr Colour None() { return Colour(kNoneValue); }

  constexpr bool IsRole() const { return (value_ & 0xFF000000u) == kRoleFlag; }
  constexpr bool IsNone() const { return value_ == kNoneValue; }
  constexpr std::uint32_t Value() const { return value_; }
  // Black for "none": callers test IsNone before painting with a colour.
  Rgb Resolve(const ColourScheme& scheme) const;

  friend constexpr bool operator==(Colour a, Colour b) { return a.value_ == b.value_; }
  friend constexpr bool operator!=(Colour a, Colour b) { return a.value_ != b.value_; }

 private:
  static constexpr std::uint32_t kRoleFlag = 0xFF000000u;
  static constexpr std::uint32_t kNoneValue = 0x1FFFFFFFu;
  explicit constexpr Colour(std::uint32_t value) : value_(value) {}
  std::uint32_t value_ = 0;
};

namespace colours {
constexpr Colour kButtonFace = Colour::FromRole(SysColour::kButtonFace);
constexpr Colour kButtonShadow = Colour::FromRole(SysColour::kButtonShadow);
constexpr Colour kButtonHighlight = Colour::FromRole(SysColour::kButtonHighlight);
constexpr Colour kButtonText = Colour::FromRole(SysColour::kButtonText);
constexpr Colour kLight3D = Colour::FromRole(SysColour::kLight3D);
constexpr Colour kDarkShadow3D = Colour::FromRole(SysColour::kDarkShadow3D);
constexpr Colour kHighlight = Colour::FromRole(SysColour::kHighlight);
constexpr Colour kWindow = Colour::FromRole(SysColour::kWindow);
constexpr Colour kWindowText = Colour::FromRole(SysColour::kWindowText);
constexpr Colour kWhite = Colour::FromRgb(255, 255, 255);
}  // namespace colours

}  // namespace widgets

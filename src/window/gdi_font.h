// The fonts of the progress window: "宋体" with the GB2312 character set.
#pragma once

#include <windows.h>

namespace window {

// Owns one font handle; deleted once, after every user has let it go.
class UniqueFont {
 public:
  UniqueFont() = default;
  explicit UniqueFont(HFONT font) : font_(font) {}
  ~UniqueFont() {
    if (font_ != nullptr) ::DeleteObject(font_);
  }
  UniqueFont(UniqueFont&& other) noexcept : font_(other.font_) { other.font_ = nullptr; }
  UniqueFont& operator=(UniqueFont&& other) noexcept {
    if (this != &other) {
      if (font_ != nullptr) ::DeleteObject(font_);
      font_ = other.font_;
      other.font_ = nullptr;
    }
    return *this;
  }
  UniqueFont(const UniqueFont&) = delete;
  UniqueFont& operator=(const UniqueFont&) = delete;

  HFONT get() const { return font_; }

 private:
  HFONT font_ = nullptr;
};

// "宋体", GB2312 character set, of the given character height in pixels.
UniqueFont CreateSongtiFont(int characterHeight);

// The screen's dots per inch (vertical).
int ScreenDpi();

// The height of the font's text as the platform realises it on the screen.
int RealisedTextHeight(HFONT font);

}  // namespace window

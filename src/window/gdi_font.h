// The fonts of the progress window: "宋体" with the GB2312 character set.
#pragma once

#include <windows.h>

#include "win/gdi_handles.h"

namespace window {

// "宋体", GB2312 character set, of the given character height in pixels.
win::UniqueFont CreateSongtiFont(int characterHeight);

// The screen's dots per inch (vertical).
int ScreenDpi();

// The height of the font's text as the platform realises it on the screen.
int RealisedTextHeight(HFONT font);

}  // namespace window

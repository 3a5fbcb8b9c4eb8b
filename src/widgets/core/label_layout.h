// Vertical placement of a label's text inside its text area.
#pragma once

namespace widgets {

enum class TextLayout { kTop, kCentre, kBottom };

// How far the text moves down from the top of the text area. `measuredBottom`
// is the bottom of the text as measured from the top of the label's
// rectangle; the division truncates towards zero.
int LabelTextShift(TextLayout layout, int height, int borderWidth, int measuredBottom);

}  // namespace widgets

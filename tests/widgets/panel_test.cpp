// The framed panels of the progress window: children laid out inside the
// frames, the groove and flat frames, and the whole window on the screen.
#include <gtest/gtest.h>
#include <vssym32.h>

#include "window_layout.h"

namespace widgets {
namespace {

using namespace testing;

TEST_F(ProgressWindowLayout, ChildrenAreLaidOutInsideTheGroove) {
  EXPECT_EQ(clientPanel->ChildArea(), (Rect{2, 2, 301, 62}));
  EXPECT_EQ(label->Bounds(), (Rect{2, 2, 301, 38}));
  EXPECT_EQ(bar->Bounds(), (Rect{2, 38, 301, 62}));
  EXPECT_EQ(bottomPanel->ChildArea(), (Rect{1, 1, 302, 26}));
  EXPECT_EQ(button->NumGlyphs(), 2);
}

TEST_F(ProgressWindowLayout, ClientPanelHasItsGrooveRing) {
  const auto dib = PaintClient();
  dib->SavePng("RzPanel_Client");
  for (int x = 0; x < 302; ++x) {
    EXPECT_EQ(dib->At(x, 0), kShadow) << x;
    EXPECT_EQ(dib->At(x, 62), kShadow) << x;
  }
  for (int x = 1; x < 301; ++x) EXPECT_EQ(dib->At(x, 1), kHighlightWhite) << x;
  for (int x = 0; x < 303; ++x) EXPECT_EQ(dib->At(x, 63), kHighlightWhite) << x;
  for (int y = 0; y < 63; ++y) {
    EXPECT_EQ(dib->At(0, y), kShadow) << y;
    EXPECT_EQ(dib->At(301, y), kShadow) << y;
  }
  for (int y = 1; y < 62; ++y) EXPECT_EQ(dib->At(1, y), kHighlightWhite) << y;
  for (int y = 0; y < 64; ++y) EXPECT_EQ(dib->At(302, y), kHighlightWhite) << y;
  EXPECT_EQ(dib->Count(RectOfSize(303, 64), kSentinel), 0);
}

TEST_F(ProgressWindowLayout, BottomPanelHasTheAdjustedFlatFrame) {
  DibSurface dib(303, 27, kSentinel);
  bottomPanel->PaintTo(dib.Dc(), Classic(*bottomPanel));
  dib.SavePng("RzPanel1");
  for (int x = 0; x < 303; ++x) {
    EXPECT_EQ(dib.At(x, 0), kFlat) << x;
    EXPECT_EQ(dib.At(x, 26), kFlat) << x;
  }
  for (int y = 0; y < 27; ++y) {
    EXPECT_EQ(dib.At(0, y), kFlat) << y;
    EXPECT_EQ(dib.At(302, y), kFlat) << y;
  }
  EXPECT_EQ(dib.Count(Rect{1, 1, 302, 26}, kPanelGrey), 301 * 25);
}

TEST_F(ProgressWindowLayout, WholeWindowOnScreen) {
  // The form made visible and captured through its DC, for a person to look at.
  ::SetWindowPos(form.get(), nullptr, 0, 0, 303, 91, SWP_NOZORDER | SWP_SHOWWINDOW);
  ::UpdateWindow(form.get());
  ::RedrawWindow(form.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  DibSurface dib(303, 91, kSentinel);
  {
    win::WindowDc screen(form.get());
    ::BitBlt(dib.Dc(), 0, 0, 303, 91, screen.get(), 0, 0, SRCCOPY);
  }
  dib.SavePng("Form_DeleteDBFIndex");
  EXPECT_EQ(dib.At(0, 0), kShadow);           // groove
  EXPECT_EQ(dib.At(0, 64), kFlat);            // RzPanel1's frame
  EXPECT_EQ(dib.At(104 + 1, 64 + 2), kFlat);  // the button's own frame
  EXPECT_EQ(dib.At(2 + 149, 38 + 1), kWhite);
}

}  // namespace
}  // namespace widgets

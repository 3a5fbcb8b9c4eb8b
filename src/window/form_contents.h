// The contents of the progress window, in creation order: RzPanel_Client
// (groove frame) holding RzLabel_ShowInfo and Progress_Step, then RzPanel1
// (flat frame) holding Btn_OK.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "window/accessible_view.h"
#include "window/form_layout.h"

namespace window {

class FormContents {
 public:
  // Creates the widgets on `form` at the (scaled) layout. The fonts are
  // borrowed from the window, which outlives its contents.
  FormContents(HWND form, const FormLayout& layout, HFONT windowFont, HFONT labelFont);
  ~FormContents();
  FormContents(const FormContents&) = delete;
  FormContents& operator=(const FormContents&) = delete;

  // Enter and Escape go to the OK button first: it takes Enter when it is
  // the active default button and can take the focus (never on this window,
  // where it is disabled). True when the key was taken.
  bool DialogKey(UINT virtualKey);

  // The job's progress on Progress_Step: `total` tables counted, `done` of
  // them handled.
  void ShowProgress(std::size_t done, std::size_t total);
  // The bar shows what `other`'s bar shows (the window built anew).
  void TakeProgressFrom(const FormContents& other);
  // The job has ended: the bar is full.
  void ShowFinished();
  // The percentage the bar shows.
  std::uint16_t Percent() const;
  // The label, the bar and the button as a screen reader is told of them.
  void FillView(AccessibleView& view) const;

 private:
  struct Widgets;
  std::unique_ptr<Widgets> widgets_;
};

}  // namespace window

// DoIt: the library's one export.
#include <windows.h>

#include <string>

#include "entry/owner_handover.h"
#include "entry/result_slot.h"
#include "qesh_deleteIndex_dbf.h"
#include "window/DealWithDBFINDEX.h"
#include "win/ansi_text.h"

namespace {

constexpr char kTemplateFolder[] = "TempLateTemp\\";

std::string OrEmpty(const char* text) {
  return text != nullptr ? std::string(text) : std::string();
}

}  // namespace

extern "C" void __stdcall DoIt(BSTR* resultSlot, HWND hostWindow, const char* workFolder,
                               const char* dataSourcePath, INT_PTR /*reserved*/) {
  if (resultSlot == nullptr) return;  // nothing to report to: nothing is done
  if (!entry::StoreNothingDone(resultSlot)) return;
  try {
    entry::OwnerHandover owner(hostWindow);
    window::TForm_DeleteDBFIndex form(entry::ApplicationOwner());
    form.FDataSourcePath = OrEmpty(dataSourcePath);
    form.FWorkRoot = OrEmpty(workFolder);
    form.FResultPath = form.FDataSourcePath;
    form.FTemplateDir = form.FWorkRoot + kTemplateFolder;
    // When the path cannot be stored the slot keeps "0".
    if (form.ShowModal() == window::mrOK)
      entry::StoreResult(resultSlot, win::WidenAnsi(form.FResultPath));
  } catch (...) {
    // The window could not be made or the run failed: the slot keeps "0", the
    // window is gone and the owner given back; nothing unwinds into the host.
  }
}

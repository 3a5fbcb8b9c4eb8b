#include "entry/result_slot.h"

namespace entry {

bool StoreResult(BSTR* slot, std::wstring_view value, Reallocate reallocate) noexcept {
  return reallocate(slot, value.data(), static_cast<unsigned int>(value.size())) != FALSE;
}

bool StoreNothingDone(BSTR* slot, Reallocate reallocate) noexcept {
  if (StoreResult(slot, L"0", reallocate)) return true;
  ::SysFreeString(*slot);
  *slot = nullptr;
  return false;
}

}  // namespace entry

// libFuzzer target: the header check, the extension rule, the marker rule and
// the companion names on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tables/table_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The header check, with the file size taken from the input itself and from
  // its first eight bytes.
  const bool accepted = tables::IsPlausibleTableHeader(data, size, size);
  if (accepted && size < tables::kTableHeaderSize) std::abort();
  if (size >= 8) {
    std::uint64_t claimed = 0;
    for (int i = 0; i < 8; ++i) claimed = (claimed << 8) | data[i];
    if (tables::IsPlausibleTableHeader(data, size, claimed) && size < tables::kTableHeaderSize) {
      std::abort();
    }
  }

  // The name rules on the input read as UTF-16 units.
  std::u16string name;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    name.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  const std::u16string_view view(name);
  const bool table = tables::IsTableName(view);
  if (table && (view.size() < 4 || view[view.size() - 4] != u'.')) std::abort();
  const bool marked = tables::HasRemovalMarker(view);
  if (marked && view.size() < 4) std::abort();
  const std::u16string_view base = tables::BaseNameOf(view);
  if (view.substr(0, base.size()) != base ||
      view.substr(base.size()) != tables::ExtensionOf(view)) {
    std::abort();
  }
  return 0;
}

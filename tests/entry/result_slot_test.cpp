// The host's result slot when the system's string allocator fails: the slot
// always holds something the host can free, and says what happened.
#include "entry/result_slot.h"

#include <gtest/gtest.h>

namespace entry {
namespace {

INT WINAPI FailingReallocate(BSTR*, const OLECHAR*, unsigned int) { return FALSE; }

std::wstring Text(BSTR value) { return std::wstring(value, ::SysStringLen(value)); }

TEST(ResultSlot, StoresTheValueOverAnOldStringOrNull) {
  BSTR slot = nullptr;
  EXPECT_TRUE(StoreNothingDone(&slot));
  EXPECT_EQ(Text(slot), L"0");
  EXPECT_TRUE(StoreResult(&slot, L"D:\\src\\"));
  EXPECT_EQ(Text(slot), L"D:\\src\\");
  ::SysFreeString(slot);
}

TEST(ResultSlot, APathThatCannotBeStoredLeavesTheZero) {
  BSTR slot = nullptr;
  ASSERT_TRUE(StoreNothingDone(&slot));
  EXPECT_FALSE(StoreResult(&slot, L"D:\\src\\", FailingReallocate));
  EXPECT_EQ(Text(slot), L"0");
  ::SysFreeString(slot);
}

TEST(ResultSlot, WhenNotEvenTheZeroCanBeStoredTheOldStringIsFreedAndTheSlotIsNull) {
  BSTR slot = ::SysAllocString(L"an old result");
  EXPECT_FALSE(StoreNothingDone(&slot, FailingReallocate));
  EXPECT_EQ(slot, nullptr);
}

}  // namespace
}  // namespace entry

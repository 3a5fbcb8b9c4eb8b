// The owning-handle template with a traits type of the test's own: every
// handle closed exactly once, the count exact, also when closing re-enters
// the owner (as a window's WM_NCDESTROY does).
#include "win/unique_handle.h"

#include <gtest/gtest.h>

#include <vector>

namespace win {
namespace {

struct Fake {
  static inline std::vector<int> closed;
  static inline int live = 0;
  static inline UniqueHandle<struct FakeTraits>* reenter = nullptr;
};

struct FakeTraits {
  using Handle = int;
  static Handle Invalid() { return -1; }
  static bool Close(Handle handle) {
    Fake::closed.push_back(handle);
    if (Fake::reenter != nullptr) Fake::reenter->release();  // the handle is dead
    return handle != 13;                                     // 13 fails to close
  }
  static void Count(int delta) { Fake::live += delta; }
};
using UniqueFake = UniqueHandle<FakeTraits>;

class UniqueHandleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Fake::closed.clear();
    Fake::live = 0;
    Fake::reenter = nullptr;
  }
};

TEST_F(UniqueHandleTest, ClosesOnceOnEveryPathAndCountsWhatItHolds) {
  {
    UniqueFake empty;
    EXPECT_FALSE(empty);
    UniqueFake first(1);
    UniqueFake second(2);
    EXPECT_EQ(Fake::live, 2);
    UniqueFake moved(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(moved.get(), 1);
    second = std::move(moved);  // 2 is closed, 1 taken over
    EXPECT_EQ(Fake::closed, std::vector<int>{2});
    EXPECT_EQ(Fake::live, 1);
    EXPECT_TRUE(second.reset(3));
    EXPECT_EQ(second.get(), 3);
    EXPECT_TRUE(second.reset(3));  // the same handle: nothing happens
    EXPECT_EQ(Fake::closed, (std::vector<int>{2, 1}));
  }
  EXPECT_EQ(Fake::closed, (std::vector<int>{2, 1, 3}));
  EXPECT_EQ(Fake::live, 0);
}

TEST_F(UniqueHandleTest, ReleaseGivesTheHandleUpAndAFailedCloseIsReported) {
  UniqueFake held(7);
  EXPECT_EQ(held.release(), 7);
  EXPECT_FALSE(held);
  EXPECT_EQ(Fake::live, 0);
  UniqueFake failing(13);
  EXPECT_FALSE(failing.reset());
  EXPECT_TRUE(Fake::closed == std::vector<int>{13});
}

TEST_F(UniqueHandleTest, ACloseThatReleasesTheOwnerIsCountedOnce) {
  UniqueFake window(5);
  Fake::reenter = &window;
  window.reset();
  EXPECT_FALSE(window);
  EXPECT_EQ(Fake::live, 0);
  EXPECT_EQ(Fake::closed, std::vector<int>{5});
}

}  // namespace
}  // namespace win

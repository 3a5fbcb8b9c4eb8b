// The choice between visual styles and the classic look.
#include "widgets/core/look_rule.h"

#include <gtest/gtest.h>

namespace widgets {
namespace {

LookInputs AllThemed() {
  LookInputs in;
  in.themeLibraryPresent = true;
  in.appThemed = true;
  in.themeActive = true;
  in.comctlMajor = 6;
  in.themeAppProperties = 0x7;  // non-client, controls, web content
  return in;
}

TEST(LookRule, VisualStylesWhenEveryInputAgrees) {
  EXPECT_TRUE(UseVisualStyles(AllThemed()));
  LookInputs later = AllThemed();
  later.comctlMajor = 10;
  EXPECT_TRUE(UseVisualStyles(later));
  LookInputs controlsOnly = AllThemed();
  controlsOnly.themeAppProperties = kThemeAllowControls;
  EXPECT_TRUE(UseVisualStyles(controlsOnly));
}

TEST(LookRule, EachMissingInputGivesTheClassicLook) {
  LookInputs in = AllThemed();
  in.themeLibraryPresent = false;
  EXPECT_FALSE(UseVisualStyles(in));
  in = AllThemed();
  in.appThemed = false;
  EXPECT_FALSE(UseVisualStyles(in));
  in = AllThemed();
  in.themeActive = false;
  EXPECT_FALSE(UseVisualStyles(in));
  in = AllThemed();
  in.comctlMajor = 5;  // Wine's comctl32 reports 5.81
  EXPECT_FALSE(UseVisualStyles(in));
  in = AllThemed();
  in.themeAppProperties = 0x5;  // non-client and web content, no controls
  EXPECT_FALSE(UseVisualStyles(in));
}

}  // namespace
}  // namespace widgets

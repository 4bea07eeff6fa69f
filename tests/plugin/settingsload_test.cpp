#include <gtest/gtest.h>

#include "plugin/settingsload_logic.h"

namespace {

class SettingsLoad : public ::testing::Test {
 protected:
  SettingsLoad() {
    read.placement = {100, 50, 800, 600};
    read.panelVisible = true;
    read.outputPath = u"D:\\out";
    read.autoResetSettings = false;
  }
  TSettingsLoad plan(TSettingsContent content) const {
    return planSettingsLoad(content, read, workArea, 640, 450);
  }
  TPanelSettings read;
  TRect workArea{0, 0, 1280, 984};
};

void expectPlacement(const TPanelPlacement& p, int32_t left, int32_t top, int32_t width,
                     int32_t height) {
  EXPECT_EQ(p.left, left);
  EXPECT_EQ(p.top, top);
  EXPECT_EQ(p.width, width);
  EXPECT_EQ(p.height, height);
}

TEST_F(SettingsLoad, NoFileCentresTheDefaultPanelAndTakesNothing) {
  const TSettingsLoad p = plan(TSettingsContent::missing);
  expectPlacement(p.placement, 320, 267, 640, 450);
  EXPECT_FALSE(p.showPanel);  // whatever the values at hand say
  EXPECT_FALSE(p.takeOutputPath);
  EXPECT_FALSE(p.showOptions);
}

TEST_F(SettingsLoad, PlacementOnlyRestoresPlacementAndVisibilityButNotThePath) {
  const TSettingsLoad p = plan(TSettingsContent::placement);
  expectPlacement(p.placement, 100, 50, 800, 600);
  EXPECT_TRUE(p.showPanel);
  EXPECT_FALSE(p.takeOutputPath);
  EXPECT_FALSE(p.showOptions);
}

TEST_F(SettingsLoad, AutoResetFileTakesPathAndFlagButLeavesTheOptions) {
  const TSettingsLoad p = plan(TSettingsContent::pathAndFlag);
  EXPECT_TRUE(p.takeOutputPath);
  EXPECT_FALSE(p.showOptions);
}

TEST_F(SettingsLoad, FullFileShowsTheOptionsRead) {
  const TSettingsLoad p = plan(TSettingsContent::everything);
  EXPECT_TRUE(p.takeOutputPath);
  EXPECT_TRUE(p.showOptions);
}

TEST_F(SettingsLoad, AFileCutInsideTheOptionsShowsTheOptionsItGave) {
  const TSettingsLoad p = plan(TSettingsContent::someOptions);
  EXPECT_TRUE(p.takeOutputPath);
  EXPECT_TRUE(p.showOptions);
}

// A file that ends inside the placement: the fields it holds, then those of the default
// placement (the default size centred on the work area), and the host's visibility.
TEST_F(SettingsLoad, AFileCutInsideThePlacementTakesTheDefaultsForWhatItLacks) {
  read.wholeFields = 0;  // an empty file: as if there were none
  TSettingsLoad p = plan(TSettingsContent::placement);
  expectPlacement(p.placement, 320, 267, 640, 450);
  EXPECT_FALSE(p.showPanel);
  read.wholeFields = 1;
  p = plan(TSettingsContent::placement);
  expectPlacement(p.placement, 100, 267, 640, 450);
  read.wholeFields = 2;
  p = plan(TSettingsContent::placement);
  expectPlacement(p.placement, 100, 50, 640, 450);
  read.wholeFields = 3;
  p = plan(TSettingsContent::placement);
  expectPlacement(p.placement, 100, 50, 800, 450);
  read.wholeFields = 4;
  p = plan(TSettingsContent::placement);
  expectPlacement(p.placement, 100, 50, 800, 600);
  EXPECT_FALSE(p.showPanel) << "the visibility is field 5";
  EXPECT_FALSE(p.takeOutputPath);
  EXPECT_FALSE(p.showOptions);
  read.wholeFields = 5;
  EXPECT_TRUE(plan(TSettingsContent::placement).showPanel);
}

TEST_F(SettingsLoad, HiddenPanelIsNotShownAndSavedPlacementIsClamped) {
  read.panelVisible = false;
  read.placement = {1275, 990, 300, 200};
  const TSettingsLoad p = plan(TSettingsContent::everything);
  EXPECT_FALSE(p.showPanel);
  expectPlacement(p.placement, 1280 - 600, 984 - 450 - 10, 600, 450);
}

}  // namespace

#include <cstring>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "plugin/panelstate_logic.h"
#include "uchess/fileutil.h"

namespace {

struct TDpiCase {
  int32_t dpi;
  TPanelSize expected;
};

void PrintTo(const TDpiCase& c, std::ostream* out) {
  *out << c.dpi << " dpi";
}

class PanelDefaultSize : public ::testing::TestWithParam<TDpiCase> {};

TEST_P(PanelDefaultSize, ScalesWithTheScreenResolution) {
  const TPanelSize size = panelDefaultSize(GetParam().dpi);
  EXPECT_EQ(size.width, GetParam().expected.width);
  EXPECT_EQ(size.height, GetParam().expected.height);
  EXPECT_EQ(size.minWidth, GetParam().expected.minWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Resolutions, PanelDefaultSize,
    ::testing::Values(TDpiCase{96, {512, 360, 480}}, TDpiCase{120, {640, 450, 600}},
                      TDpiCase{144, {768, 540, 720}}, TDpiCase{100, {533, 375, 500}},  // truncated
                      TDpiCase{0, {512, 360, 480}}, TDpiCase{-5, {512, 360, 480}}));

class PanelRecords : public ::testing::Test {
 protected:
  static uint32_t handle(const void* window) { return panelRecordHandle(window); }
  int panelA = 0, panelB = 0;
  THostPanelRecord records[3] = {{handle(&panelA), 0, 0, 11, 0, 0, 0},
                                 {handle(&panelB), 0, 0, 22, 0, 0, 0},
                                 {handle(&panelA), 0, 0, 33, 0, 0, 0}};
  THostPanelList list{records, 3};
};

TEST_F(PanelRecords, SearchRunsFromTheLastRecord) {
  EXPECT_EQ(findPanelRecord(&list, &panelA), &records[2]);
  EXPECT_EQ(findPanelRecord(&list, &panelB), &records[1]);
}

// The 32-bit layout: the handle is bytes 0 to 3, and bytes 4 to 7 are the host's. Whatever the
// host keeps there, the panel's record is found, and a record whose first 4 bytes differ is not.
TEST_F(PanelRecords, OnlyTheFirstFourBytesAreTheWindow) {
  for (THostPanelRecord& record : records) record.hostWord = 0xA5C3F00Du;
  EXPECT_EQ(findPanelRecord(&list, &panelA), &records[2]);
  EXPECT_EQ(findPanelRecord(&list, &panelB), &records[1]);
  // The bytes as a 32-bit host lays them out: a 4-byte handle, then the host's own 4 bytes.
  unsigned char bytes[sizeof(THostPanelRecord)] = {};
  const uint32_t window = 0x00020A3Cu;
  std::memcpy(bytes, &window, 4);
  std::memset(bytes + 4, 0xFF, 12);
  const int32_t command = 77;
  std::memcpy(bytes + 16, &command, 4);
  THostPanelRecord host{};
  std::memcpy(&host, bytes, sizeof host);
  THostPanelList one{&host, 1};
  const void* handle32 = reinterpret_cast<const void*>(static_cast<uintptr_t>(window));
  ASSERT_EQ(findPanelRecord(&one, handle32), &host);
  EXPECT_EQ(adoptPanelRecord(host, panelDefaultSize(96), 450), 77);
  // The plug-in writes the minimum size and nothing else: the host's bytes stay as they were.
  std::memcpy(bytes, &host, sizeof host);
  for (size_t i = 4; i < 16; ++i) EXPECT_EQ(bytes[i], 0xFF) << i;
  const void* other = reinterpret_cast<const void*>(static_cast<uintptr_t>(window + 1));
  EXPECT_EQ(findPanelRecord(&one, other), nullptr);
}

TEST_F(PanelRecords, NoMatchNoRecordsOrNoListFindsNothing) {
  int other = 0;
  EXPECT_EQ(findPanelRecord(&list, &other), nullptr);
  EXPECT_EQ(findPanelRecord(nullptr, &panelA), nullptr);
  records[0].window = 0;
  EXPECT_EQ(findPanelRecord(&list, nullptr), nullptr) << "a panel that was never created";
  THostPanelList empty{records, 0};
  EXPECT_EQ(findPanelRecord(&empty, &panelA), nullptr);
  THostPanelList negative{records, -4};
  EXPECT_EQ(findPanelRecord(&negative, &panelA), nullptr);
  THostPanelList noRecords{nullptr, 3};
  EXPECT_EQ(findPanelRecord(&noRecords, &panelA), nullptr);
}

TEST_F(PanelRecords, AdoptedRecordGetsTheMinimumSizeAndGivesItsCommand) {
  EXPECT_EQ(adoptPanelRecord(records[1], panelDefaultSize(144), 520), 22);
  EXPECT_EQ(records[1].minWidth, 720);
  EXPECT_EQ(records[1].minHeight, 520);
  EXPECT_EQ(records[0].minWidth, 0);  // the others stay as the host keeps them
  EXPECT_EQ(records[2].minHeight, 0);
}

TEST(PanelState, OutputPathStartsInTheHostFolder) {
  const std::u16string path = defaultOutputPath();
  const std::u16string folder = hostFolder().u16string();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(path, folder + u"output");
}

TEST(PanelState, StartValues) {
  EXPECT_EQ(panelMinHeight, 450);
  EXPECT_EQ(autoResetSettings, 1);
  EXPECT_EQ(panelWasShown, 0);
  EXPECT_EQ(panelCommand, 0);
}

}  // namespace

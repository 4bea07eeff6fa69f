#include <cstddef>

#include <gtest/gtest.h>

#include "plugcommon/hostapi.h"

// The host reads these records by offset; a reordered or retyped field must fail here, not in the
// host. Offsets are given for 32 and 64 bit.
namespace {
constexpr size_t at(size_t offset32, size_t offset64) {
  return sizeof(void*) == 4 ? offset32 : offset64;
}
}  // namespace

TEST(HostRecords, MoveFieldsStayInPlace) {
  EXPECT_EQ(offsetof(TMove, piece), 0u);
  EXPECT_EQ(offsetof(TMove, changes), 7u);
  EXPECT_EQ(offsetof(TMove, san), 8u);
  EXPECT_EQ(offsetof(TMove, comment), at(12, 16));
  EXPECT_EQ(offsetof(TMove, mark), at(16, 24));
  EXPECT_EQ(offsetof(TMove, variationCount), at(20, 28));
  EXPECT_EQ(offsetof(TMove, variations), at(24, 32));
  EXPECT_EQ(offsetof(TMove, reserved), at(28, 40));
}

TEST(HostRecords, ButtonAndSkinFieldsStayInPlace) {
  EXPECT_EQ(offsetof(TButInf, window), 0u);
  EXPECT_EQ(offsetof(TButInf, normalFace), at(4, 8));
  EXPECT_EQ(offsetof(TButInf, hoverFace), at(8, 16));
  EXPECT_EQ(offsetof(TButInf, pressedFace), at(12, 24));
  EXPECT_EQ(offsetof(TButInf, click), at(16, 32));
  EXPECT_EQ(offsetof(THostSkin, buttonFaces), sizeof(TButInf));
}

TEST(HostRecords, PanelRecordIsThirtyTwoBytesOnEveryTarget) {
  EXPECT_EQ(sizeof(THostPanelRecord), 32u);
  EXPECT_EQ(offsetof(THostPanelRecord, window), 0u);
  EXPECT_EQ(sizeof(THostPanelRecord{}.window), 4u) << "the 32-bit handle; bytes 4-7 are the host's";
  EXPECT_EQ(offsetof(THostPanelRecord, hostWord), 4u);
  EXPECT_EQ(offsetof(THostPanelRecord, command), 16u);
  EXPECT_EQ(offsetof(THostPanelRecord, minWidth), 24u);
  EXPECT_EQ(offsetof(THostPanelRecord, minHeight), 28u);
  // The list's records form one array: the host walks them by stride 32.
  THostPanelRecord records[2] = {};
  EXPECT_EQ(reinterpret_cast<char*>(&records[1]) - reinterpret_cast<char*>(&records[0]), 32);
}

TEST(HostRecords, GameListFieldsStayInPlace) {
  EXPECT_EQ(offsetof(THostTag, Value), at(4, 8));
  EXPECT_EQ(offsetof(THostGameRecord, Journal), 0u);
  EXPECT_EQ(offsetof(THostGameRecord, Tags), at(4, 8));
  EXPECT_EQ(offsetof(THostGameRecord, TagCount), at(8, 16));
  EXPECT_EQ(offsetof(THostGameRecord, FileName), at(12, 24));
  EXPECT_EQ(offsetof(THostGameRecord, TextStart), at(16, 32));
  EXPECT_EQ(offsetof(THostGameRecord, TextLength), at(20, 36));
  EXPECT_EQ(offsetof(THostGameList, Count), at(4, 8));
}

TEST(HostRecords, SmallRecordsStayInPlace) {
  EXPECT_EQ(sizeof(TCommandRecord), 4u);
  EXPECT_EQ(offsetof(TCommandRecord, flags), 2u);
  EXPECT_EQ(offsetof(TOptionBox, state), at(4, 8));
  EXPECT_EQ(offsetof(TOptionBox, handler), at(8, 16));
  EXPECT_EQ(offsetof(TOptionBox, last), at(12, 24));
  EXPECT_EQ(offsetof(TFaceSize, height), 4u);
}

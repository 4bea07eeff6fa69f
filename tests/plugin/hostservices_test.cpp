#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/hostservices_logic.h"

namespace {

// Every question the plug-in asks, in the order asked: (service, value); value -1 for top level.
std::vector<std::pair<intptr_t, intptr_t>> asked;
intptr_t supportAnswer = 1;
int32_t hostTextBuffer = 1024;

void* askWindows(intptr_t value) {
  asked.emplace_back(kServiceWindows, value);
  return reinterpret_cast<void*>(0x1000 + value);
}
void* askValues(intptr_t value) {
  asked.emplace_back(kServiceValues, value);
  return value == kValueTextBufferLength ? &hostTextBuffer : nullptr;
}
void* askState(intptr_t value) {
  asked.emplace_back(kServiceState, value);
  return nullptr;
}

// Answers each top-level id with a distinct value, the second-level ones with the functions above.
intptr_t lookup(intptr_t service) {
  asked.emplace_back(service, -1);
  switch (service) {
    case kServiceLineText:
      return supportAnswer;
    case kServiceWindows:
      return reinterpret_cast<intptr_t>(&askWindows);
    case kServiceValues:
      return reinterpret_cast<intptr_t>(&askValues);
    case kServiceState:
      return reinterpret_cast<intptr_t>(&askState);
    default:
      return 100000 + service;
  }
}

class HostServices : public ::testing::Test {
 protected:
  void SetUp() override {
    asked.clear();
    supportAnswer = 1;
  }
  THostServiceTable table;
};

std::vector<intptr_t> topLevelIds() {
  std::vector<intptr_t> ids;
  for (auto [service, value] : asked)
    if (value == -1) ids.push_back(service);
  return ids;
}

TEST_F(HostServices, AskedOnceEachInTheFixedOrder) {
  ASSERT_TRUE(fillServiceTable(lookup, table));
  const std::vector<intptr_t> expected = {48,    10001, 10002, 10005, 10004, 38, 35, 10003,
                                          10006, 10011, 45,    39,    69,    77, 60, 58,
                                          67,    59,    75,    68,    70,    71, 40, 37};
  EXPECT_EQ(topLevelIds(), expected);
}

TEST_F(HostServices, EachAnswerLandsInItsOwnSlot) {
  ASSERT_TRUE(fillServiceTable(lookup, table));
  EXPECT_EQ(table.lineText, 1);
  EXPECT_EQ(table.createPanel, 100000 + kServiceCreatePanel);
  EXPECT_EQ(table.defaultProc, 100000 + kServiceDefaultProc);
  EXPECT_EQ(table.paintBackground, 100000 + kServicePaintBackground);
  EXPECT_EQ(table.modalWindow, 100000 + kServiceModalWindow);
  EXPECT_EQ(table.registerCommand, 100000 + kServiceRegisterCommand);
  EXPECT_EQ(table.selectGame, 100000 + kServiceSelectGame);
  EXPECT_EQ(table.plyNumber, 100000 + kServicePlyNumber);
}

TEST_F(HostServices, HostWithoutSupportIsAskedNothingElse) {
  supportAnswer = 0;
  EXPECT_FALSE(fillServiceTable(lookup, table));
  EXPECT_EQ(topLevelIds(), std::vector<intptr_t>{48});
  EXPECT_EQ(table.windows, 0);
}

TEST_F(HostServices, ValuesAskedInTheFixedOrder) {
  ASSERT_TRUE(fillServiceTable(lookup, table));
  asked.clear();
  THostValues values;
  fillHostValues(table, values);
  const std::vector<std::pair<intptr_t, intptr_t>> expected = {
      {10001, 1},  {10002, 20}, {10002, 21},  {10002, 22}, {10002, 23}, {10002, 49},
      {10002, 47}, {10002, 18}, {10002, 19},  {10002, 17}, {10002, 45}, {10005, 8},
      {10005, 59}, {10002, 37}, {10002, 38},  {10001, 9},  {10002, 14}, {10002, 2},
      {10002, 32}, {10002, 33}, {10005, 115}, {10005, 14}};
  EXPECT_EQ(asked, expected);
  EXPECT_EQ(values.mainWindow, reinterpret_cast<void*>(0x1000 + 1));
  EXPECT_EQ(values.gameMenu, reinterpret_cast<void*>(0x1000 + 9));
  EXPECT_EQ(hostInt(values.textBufferLength, 0), 1024);
}

TEST_F(HostServices, MissingSecondLevelServiceAnswersNothing) {
  THostServiceTable empty;
  THostValues values;
  fillHostValues(empty, values);
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(values.mainWindow, nullptr);
  EXPECT_EQ(askHost(empty, THostLevel::state, kStateGameLock), nullptr);
}

TEST(HostValueReading, AbsentValuesGiveTheFallback) {
  EXPECT_EQ(hostInt(nullptr, 7), 7);
  EXPECT_EQ(hostColour(nullptr, 0xBEBEBE), 0xBEBEBEu);
  EXPECT_EQ(hostByte(nullptr), 0);
  EXPECT_EQ(hostDouble(nullptr, 0.5), 0.5);
  const double fraction = 0.875;
  const uint32_t colour = 0x00123456;
  const uint8_t flag = 1;
  EXPECT_EQ(hostDouble(&fraction, 0), 0.875);
  EXPECT_EQ(hostColour(&colour, 0), 0x00123456u);
  EXPECT_EQ(hostByte(&flag), 1);
}

TEST(HostValueReading, UnalignedValueIsRead) {
  alignas(4) unsigned char bytes[8] = {0, 0x78, 0x56, 0x34, 0x12, 0, 0, 0};
  EXPECT_EQ(hostInt(bytes + 1, 0), 0x12345678);
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugcommon/tagarray.h"

namespace {

std::vector<std::string> pairsOf(const TGamesTagArray& tags) {
  std::vector<std::string> pairs;
  for (const TTagView tag : tags)
    pairs.push_back(std::string(tag.Name) + "=" + std::string(tag.Value));
  return pairs;
}

using TPairs = std::vector<std::string>;

TEST(TagArray, EmptiedMovedAndSelfAssignedArraysStayUsable) {
  TGamesTagArray tags = {{"Event", "E"}, {"Site", "S"}};
  tags.erase(1);
  tags.erase(0);
  EXPECT_TRUE(tags.empty());
  EXPECT_EQ(tags.begin(), tags.end());
  tags.append("White", "W");
  TGamesTagArray moved = std::move(tags);
  EXPECT_EQ(moved[0].Value, "W");
  EXPECT_TRUE(tags.empty());
  tags = moved;
  const TGamesTagArray& same = moved;
  moved = same;
  EXPECT_EQ(moved, tags);
  EXPECT_EQ(moved.find("White"), 0);
}

}  // namespace

TEST(TagArray, KeepsOrderDuplicatesEmptyValuesAndRawBytes) {
  TGamesTagArray tags;
  EXPECT_TRUE(tags.empty());
  tags.append("Event", "a \"quoted\" b\\c");
  tags.append("Site", "");
  tags.append("Event", "again");
  tags.append("", std::string("nul\0inside", 10));
  ASSERT_EQ(tags.size(), 4u);
  EXPECT_EQ(tags[0].Value, "a \"quoted\" b\\c");
  EXPECT_EQ(tags[1].Value, "");
  EXPECT_EQ(tags[3].Name, "");
  EXPECT_EQ(tags[3].Value, std::string_view("nul\0inside", 10));
  EXPECT_EQ(tags.find("Event"), 0);
  EXPECT_EQ(tags.find("event"), -1);  // names are matched byte for byte
  EXPECT_EQ(tags.find("Site"), 1);
  EXPECT_EQ(tags.unpacked().size(), 4u);
}

TEST(TagArray, SetInsertAndEraseMoveOnlyTheirOwnTag) {
  TGamesTagArray tags = {{"A", "1"}, {"B", "2"}, {"C", "3"}};
  tags.setValue(1, "a value much longer than the one it replaces");
  tags.setName(0, "Alpha");
  tags.setValue(2, "");
  EXPECT_EQ(pairsOf(tags),
            (TPairs{"Alpha=1", "B=a value much longer than the one it replaces", "C="}));
  tags.setValue(1, "2");
  tags.insert(1, "New", "n");
  tags.insert(4, "Last", "z");
  EXPECT_EQ(pairsOf(tags), (TPairs{"Alpha=1", "New=n", "B=2", "C=", "Last=z"}));
  tags.erase(0);
  tags.erase(3);
  tags.erase(1);
  EXPECT_EQ(pairsOf(tags), (TPairs{"New=n", "C="}));
  EXPECT_EQ(tags.back().Name, "C");
}

TEST(TagArray, SetTakesTextsFromTheArrayItself) {
  TGamesTagArray tags = {{"Short", "x"}, {"Long", std::string(300, 'L')}};
  tags.set(0, tags[1].Name, tags[1].Value);  // the views point into the bytes being changed
  tags.set(1, tags[0].Value, "y");
  EXPECT_EQ(tags[0].Name, "Long");
  EXPECT_EQ(tags[0].Value, std::string(300, 'L'));
  EXPECT_EQ(tags[1].Name, std::string(300, 'L'));
  EXPECT_EQ(tags[1].Value, "y");
}

TEST(TagArray, LongValuesAndManyTagsGrowTheBuffer) {
  TGamesTagArray tags;
  const std::string huge(200000, 'v');  // lengths past one and two length bytes
  for (int i = 0; i < 300; ++i) tags.append("T" + std::to_string(i), i == 150 ? huge : "v");
  ASSERT_EQ(tags.size(), 300u);
  EXPECT_EQ(tags[150].Value, huge);
  EXPECT_EQ(tags[151].Name, "T151");
  EXPECT_EQ(tags[299].Value, "v");
  EXPECT_EQ(tags.find("T299"), 299);
  tags.setValue(150, "small");
  EXPECT_EQ(tags[150].Value, "small");
  EXPECT_EQ(tags[299].Name, "T299");
  EXPECT_LT(tags.byteCount(), 300u * 12);
}

TEST(TagArray, CopiesAreIndependentAndCompareByContent) {
  TGamesTagArray first = {{"Event", "E"}, {"White", "W"}};
  TGamesTagArray copy = first;
  EXPECT_EQ(copy, first);
  copy.setValue(1, "changed");
  EXPECT_EQ(first[1].Value, "W");
  EXPECT_FALSE(copy == first);
  TGamesTagArray rebuilt(first.unpacked());
  EXPECT_EQ(rebuilt, first);
  first.clear();
  EXPECT_TRUE(first.empty());
  EXPECT_EQ(first.begin(), first.end());
  EXPECT_EQ(rebuilt.size(), 2u);
}

#include "uchess/ecobase.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/ecofile.h"
#include "support/tempfolder.h"
#include "uchess/fileutil.h"

using namespace std::string_literals;

namespace {

// Every test starts and ends with no base loaded, as a fresh process would.
class EcoBaseTest : public testing::Test {
 protected:
  void SetUp() override { clearEcoBase(); }
  void TearDown() override { clearEcoBase(); }

  bool load(const std::vector<std::pair<int64_t, std::string>>& entries) {
    return loadecoFrom(folder.write("ecos.dat", ecoFile(entries)));
  }

  TTempFolder folder;
};

int linearFind(int64_t key) {
  const ecoinfar& base = ecoBase();
  for (size_t i = 0; i < base.size(); ++i)
    if (base[i].key == key) return static_cast<int>(i);
  return -1;
}

}  // namespace

// Loading

TEST_F(EcoBaseTest, ReadsKeysBigEndianWithUnsignedLowHalf) {
  ASSERT_TRUE(loadecoFrom(folder.write("ecos.dat",
                                       "\x01\x02\x03\x04\x05\x06\x07\x08"
                                       "B12"
                                       "\x7F\x00\x00\x01\xFF\xFF\xFF\xFF"
                                       "E99"s)));
  ASSERT_EQ(ecoBase().size(), 2u);
  EXPECT_EQ(ecoBase()[0].key, 0x0102030405060708);
  EXPECT_EQ(ecoBase()[0].code, "B12");
  EXPECT_EQ(ecoBase()[1].key, 0x7F000001FFFFFFFF);
  EXPECT_EQ(ecoBase()[1].code, "E99");
}

TEST_F(EcoBaseTest, IgnoresATailShorterThanARecord) {
  std::string bytes = ecoFile({{1, "A00"}, {2, "A01"}}) + "\0"s;
  ASSERT_EQ(bytes.size(), 23u);
  ASSERT_TRUE(loadecoFrom(folder.write("ecos.dat", bytes)));
  EXPECT_EQ(ecoBase().size(), 2u);
}

TEST_F(EcoBaseTest, SortsABaseWrittenOutOfOrder) {
  ASSERT_TRUE(load({{50, "C50"}, {-7, "A07"}, {INT64_MIN, "A00"}, {3, "B03"}, {INT64_MAX, "E99"}}));
  std::vector<int64_t> keys;
  for (const ecoinfo& e : ecoBase()) keys.push_back(e.key);
  EXPECT_EQ(keys, (std::vector<int64_t>{INT64_MIN, -7, 3, 50, INT64_MAX}));
  EXPECT_EQ(ecoBase()[findeco(50)].code, "C50");
  EXPECT_EQ(ecoBase()[findeco(-7)].code, "A07");
}

TEST_F(EcoBaseTest, MissingFileLeavesTheBaseEmpty) {
  ASSERT_TRUE(load({{1, "A00"}}));
  EXPECT_FALSE(loadecoFrom(folder / "missing.dat"));
  EXPECT_TRUE(ecoBase().empty());
  EXPECT_EQ(findeco(1), -1);
}

TEST_F(EcoBaseTest, LoadsFromTheHostFolderAndRetriesWhileMissing) {
  std::filesystem::path plugins = hostFolder() / "plugins";
  std::filesystem::path file = plugins / "ecos.dat";
  if (std::filesystem::exists(file)) GTEST_SKIP() << "a real base lies beside the tests";
  bool madeFolder = std::filesystem::create_directory(plugins);
  EXPECT_FALSE(ensureEcoBase());
  std::ofstream(file, std::ios::binary) << ecoFile({{9, "D09"}});
  EXPECT_TRUE(ensureEcoBase());
  EXPECT_EQ(findeco(9), 0);
  std::filesystem::remove(file);
  if (madeFolder) std::filesystem::remove(plugins);
  // Once loaded, the base stays although the file is gone.
  EXPECT_TRUE(ensureEcoBase());
}

// Searching

TEST_F(EcoBaseTest, FindsBothEndsAndTheMiddle) {
  ASSERT_TRUE(load({{INT64_MIN + 1, "A00"},
                    {-40, "A40"},
                    {0, "B00"},
                    {17, "C17"},
                    {90, "D90"},
                    {INT64_MAX - 1, "E99"}}));
  EXPECT_EQ(findeco(INT64_MIN + 1), 0);
  EXPECT_EQ(findeco(INT64_MAX - 1), 5);
  EXPECT_EQ(findeco(-40), 1);
  EXPECT_EQ(findeco(0), 2);
  EXPECT_EQ(findeco(17), 3);
  EXPECT_EQ(findeco(90), 4);
  for (int64_t absent :
       {INT64_MIN, INT64_MAX, int64_t{-41}, int64_t{-1}, int64_t{1}, int64_t{89}, int64_t{91}})
    EXPECT_EQ(findeco(absent), -1) << absent;
}

TEST_F(EcoBaseTest, EmptyAndSingleEntryBases) {
  EXPECT_EQ(findeco(0), -1);
  ASSERT_TRUE(load({{5, "A05"}}));
  EXPECT_EQ(findeco(5), 0);
  EXPECT_EQ(findeco(4), -1);
  EXPECT_EQ(findeco(6), -1);
}

class EcoSearchSizes : public EcoBaseTest, public testing::WithParamInterface<int> {};

// Every size exercises a different shape of the bisection; a linear scan is the oracle.
TEST_P(EcoSearchSizes, AgreesWithALinearScan) {
  std::vector<std::pair<int64_t, std::string>> entries;
  for (int i = 0; i < GetParam(); ++i) entries.push_back({int64_t{3} * i - 30, "A00"});
  ASSERT_TRUE(load(entries));
  for (int64_t key = -33; key <= 3 * GetParam() - 27; ++key)
    EXPECT_EQ(findeco(key), linearFind(key)) << key;
}

INSTANTIATE_TEST_SUITE_P(Sizes, EcoSearchSizes, testing::Range(1, 20));

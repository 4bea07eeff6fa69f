#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "support/ecofile.h"
#include "support/tempfolder.h"
#include "uchess/doska.h"
#include "uchess/ecobase.h"
#include "uchess/fileutil.h"
#include "uchess/jurnal.h"

namespace {

// Moves are written as from and to squares, such as "g1f3".
void playLine(jurnal& line, const std::vector<std::string_view>& moves) {
  for (std::string_view m : moves) {
    ASSERT_EQ(line.addmove(m[0] - 'a' + 1, m[1] - '0', m[2] - 'a' + 1, m[3] - '0', 0, false, 0), 0)
        << m;
    line.forward();
  }
}

// The key of the position after the moves from the initial position.
int64_t keyAfter(const std::vector<std::string_view>& moves, bool blackToMove) {
  doska board;
  jurnal line(&board, nullptr);
  playLine(line, moves);
  return static_cast<int64_t>(board.poskey(blackToMove));
}

class EcoCodeTest : public testing::Test {
 protected:
  void SetUp() override { clearEcoBase(); }
  void TearDown() override { clearEcoBase(); }

  void useBase(const std::vector<std::pair<int64_t, std::string>>& entries) {
    ASSERT_TRUE(loadecoFrom(folder.write("ecos.dat", ecoFile(entries))));
  }

  // Builds the game on a fresh board and rewinds it, as the writer hands games over.
  // endsAtLineEnd tells whether the walk left the journal after its last move.
  std::string classify(const std::vector<std::string_view>& moves, bool* endsAtLineEnd = nullptr) {
    doska built;
    jurnal game(&built, nullptr);
    playLine(game, moves);
    doska scratch;
    game.attachboard(&scratch);
    std::string code = game.ecocode();
    if (endsAtLineEnd) *endsAtLineEnd = game.current == game.movecount();
    return code;
  }

  TTempFolder folder;
};

}  // namespace

TEST_F(EcoCodeTest, StartPositionAloneGivesItsCode) {
  // The position after the last move is never looked up.
  useBase({{keyAfter({}, false), "A00"}, {keyAfter({"e2e4", "e7e5"}, false), "C20"}});
  EXPECT_EQ(classify({"e2e4", "e7e5"}), "A00");
}

TEST_F(EcoCodeTest, TranspositionBackIntoTheBaseGivesTheLaterCode) {
  useBase({{keyAfter({}, false), "A00"},
           {keyAfter({"g1f3"}, true), "A04"},
           {keyAfter({"e2e4"}, true), "B00"}});
  // The knights go out and back, leaving the base, and 3.e4 reaches the position of 1.e4.
  bool atEnd = false;
  EXPECT_EQ(classify({"g1f3", "g8f6", "f3g1", "f6g8", "e2e4", "e7e5", "d2d3"}, &atEnd), "B00");
  EXPECT_TRUE(atEnd);
  EXPECT_EQ(classify({"g1f3", "g8f6", "f3g1", "f6g8"}), "A04");
}

TEST_F(EcoCodeTest, BlackMovingFirstLooksUpTheStartWithBlackToMove) {
  useBase({{keyAfter({}, false), "A00"}, {keyAfter({}, true), "E99"}});
  EXPECT_EQ(classify({"e7e5", "e2e4"}), "E99");
}

TEST_F(EcoCodeTest, NoMovesOrNoBaseGiveNoCode) {
  useBase({{keyAfter({}, false), "A00"}});
  EXPECT_EQ(classify({}), "");
  clearEcoBase();
  if (std::filesystem::exists(hostFolder() / "plugins" / "ecos.dat"))
    GTEST_SKIP() << "a real base lies beside the tests";
  EXPECT_EQ(classify({"e2e4", "e7e5"}), "");
}

// The real games through the board and through the plain board it replaced: the same answers at
// every position of every line; and loads through the board's own scanning forms that write out
// byte for byte the same games.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "Upgnread/options.h"
#include "Upgnread/outputbuffer.h"
#include "Upgnread/pgnwriter.h"
#include "support/boardcompare.h"
#include "support/pgnreading.h"
#include "support/testpaths.h"
#include "uchess/fileutil.h"

namespace {

namespace fs = std::filesystem;

// How much of each file the tests read: unoptimised builds, where the reference forms are slow,
// only the first games. GAMESIFT_WHOLE_FILES=1 reads every file whole (minutes, optimised).
#ifdef NDEBUG
constexpr size_t kLoadBytes = 40'000'000;
constexpr size_t kWalkBytes = 100'000;
constexpr int kEveryPositionFull = 40;
#else
constexpr size_t kLoadBytes = 50'000;
constexpr size_t kWalkBytes = 8'000;
constexpr int kEveryPositionFull = 100;
#endif

size_t budget(size_t bytes) {
  const char* whole = std::getenv("GAMESIFT_WHOLE_FILES");
  return whole && std::string_view(whole) == "1" ? SIZE_MAX : bytes;
}

std::vector<fs::path> pgnFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    if (entry.path().extension() == ".pgn") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Where a game's tag section begins after an empty line, at or past from; npos when nowhere.
size_t gameStartAfter(std::string_view text, size_t from) {
  for (size_t at = text.find("\n[", from); at != std::string_view::npos;
       at = text.find("\n[", at + 1)) {
    std::string_view before = text.substr(0, at);
    if (before.ends_with("\n") || before.ends_with("\n\r")) return at + 1;
  }
  return std::string_view::npos;
}

// The file's text up to the first game that begins past that many bytes.
std::string firstGames(const fs::path& file, size_t bytes) {
  std::string text;
  EXPECT_TRUE(readWholeFile(file, text));
  size_t cut = text.size() > bytes ? gameStartAfter(text, bytes) : std::string::npos;
  if (cut != std::string::npos) text.resize(cut);
  return text;
}

struct TWalk {
  int64_t positions = 0;
};

// The questions the reader asks about the move about to be made, as it may be written.
testing::AssertionResult sameFindMovesFor(doska& board, const mov& m) {
  bool promotes = m.special != 0 && (m.torank == 1 || m.torank == 8);
  int promotion = promotes ? m.special : 0;
  bool pawn = m.piece == kWhitePawn || m.piece == kBlackPawn;
  const int forms[][3] = {{0, 0, m.torank},
                          {m.fromfile, 0, m.torank},
                          {0, m.fromrank, m.torank},
                          {m.fromfile, m.fromrank, m.torank},
                          {m.fromfile, 0, pawn ? 0 : m.torank}};
  for (const auto& form : forms) {
    testing::AssertionResult same =
        sameFindMove(board, m.piece, promotion, form[0], form[1], m.tofile, form[2]);
    if (!same) return same;
  }
  return testing::AssertionSuccess();
}

// Every position of the line and of the variations below it, before each move; the reader bounds
// nesting, so recursion is safe here.
void walkLine(jurnal& line, TWalk& walk) {
  doska& board = *line.board;
  for (int i = 0; i < line.movecount(); ++i) {
    ASSERT_EQ(line.current, i);
    const mov& m = line.moveat(i);
    SCOPED_TRACE(testing::Message() << "before " << m.san.str() << " (half-move " << i << ")");
    ASSERT_TRUE(consistentSets(board));
    ASSERT_TRUE(sameStatus(board));
    ASSERT_TRUE(sameKeys(board));
    ASSERT_TRUE(sameSan(line));
    ASSERT_TRUE(sameFindMovesFor(board, m));
    if (walk.positions++ % kEveryPositionFull == 0) {
      ASSERT_TRUE(sameLegalMoves(board));
      ASSERT_TRUE(sameFindMoves(board, isWhitePiece(m.piece)));
    }
    for (const std::unique_ptr<jurnal>& variant : line.variantsAt(i)) {
      walkLine(*variant, walk);
      variant->gotomove(0);
    }
    TBoardMasks before = board.sets();
    uint64_t pieces = board.pieceKey();
    line.forward();
    // the key followed move by move, as the ECO walk follows it
    ASSERT_EQ(pieces ^ pieceKeyChange(before, board.sets()), board.pieceKey());
  }
}

void walkGame(TGame& game, TWalk& walk) {
  doska board;
  jurnal& journal = *game.Journal;
  journal.attachboard(&board);
  if (journal.startboard) board.assign(*journal.startboard);
  walkLine(journal, walk);
  journal.attachboard(nullptr);
}

std::string written(TScanned& scanned) {
  TOutputBuffer buffer;
  for (TGame& game : scanned.games) writeGame(game, buffer);
  return std::string(buffer.text());
}

class ReferenceBoard : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { resetOptions(); }
  void TearDown() override { resetOptions(); }
};

TEST_P(ReferenceBoard, AnswersAlikeAtEveryPositionOfRealGames) {
  fs::path folder = sharedDataPath(fs::path("pgn") / GetParam());
  SKIP_WITHOUT_SHARED_DATA(folder);
  TWalk walk;
  for (const fs::path& file : pgnFiles(folder)) {
    SCOPED_TRACE(file.filename().string());
    TScanned scanned = scanText(firstGames(file, budget(kWalkBytes)));
    for (size_t g = 0; g < scanned.games.size(); ++g) {
      SCOPED_TRACE(testing::Message() << "game " << g);
      walkGame(scanned.games[g], walk);
      if (HasFatalFailure()) return;
    }
  }
  EXPECT_GT(walk.positions, 0);
}

TEST_P(ReferenceBoard, LoadsRealFilesToTheSameBytes) {
  fs::path folder = sharedDataPath(fs::path("pgn") / GetParam());
  SKIP_WITHOUT_SHARED_DATA(folder);
  size_t games = 0;
  for (const fs::path& file : pgnFiles(folder)) {
    SCOPED_TRACE(file.filename().string());
    std::string text = firstGames(file, budget(kLoadBytes));
    TScanned fast = scanText(text);
    TScanned plain;
    {
      TBoardByScan byScan;
      plain = scanText(text);
    }
    EXPECT_EQ(fast.code, plain.code);
    EXPECT_EQ(fast.badCount, plain.badCount);
    EXPECT_EQ(fast.position, plain.position);
    ASSERT_EQ(fast.games.size(), plain.games.size());
    EXPECT_TRUE(written(fast) == written(plain)) << "the written games differ";
    games += fast.games.size();
  }
  EXPECT_GT(games, 0u);
}

INSTANTIATE_TEST_SUITE_P(RealGames, ReferenceBoard,
                         testing::Values("annotated", "engine", "twic", "players"));

}  // namespace

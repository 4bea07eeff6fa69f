// The program run on real files: what it writes, what it reports, and that each option on the
// command line does what the same option does when set in the engine directly.

#include <gtest/gtest.h>

#include "Upgnread/options.h"
#include "cli/settings.h"
#include "cliprogram.h"
#include "support/pipeline.h"
#include "uchess/ecobase.h"

namespace {

// Opening lines whose codes the example games reach.
const std::string kOpenings =
    "[ECO \"C20\"]\n\n1. e4 e5 *\n\n[ECO \"C40\"]\n\n1. e4 e5 2. Nf3 *\n\n"
    "[ECO \"C30\"]\n\n1. e4 e5 2. f4 *\n\n[ECO \"C23\"]\n\n1. e4 e5 2. Bc4 *\n\n"
    "[ECO \"D06\"]\n\n1. d4 d5 2. c4 *\n\n[ECO \"A00\"]\n\n1. f3 *\n\n";

bool hasLine(const std::string& text, const std::string& line) {
  return text.find(line + "\n") != std::string::npos;
}

class ProgramRun : public TPipelineTest {
 protected:
  void TearDown() override {
    clearEcoBase();
    TPipelineTest::TearDown();
  }
  std::filesystem::path ecoBase() {
    folder.write("openings.pgn", kOpenings);
    const std::filesystem::path base = folder / "ecos.dat";
    if (!std::filesystem::exists(base)) {
      EXPECT_EQ(
          gamesift({"mkeco", "-q", (folder / "openings.pgn").string(), "-o", base.string()}).status,
          0);
    }
    return base;
  }
  std::filesystem::path subfolder(const std::string& name) {
    std::filesystem::create_directories(folder / name);
    return folder / name;
  }
};

TEST_F(ProgramRun, ExamplesWithDuplicatesDroppedAndSplitByEcoLetter) {
  const std::filesystem::path out = subfolder("out");
  const TProgramResult run =
      gamesift({examplesPath().string(), "--drop-duplicates", "--add-eco", "--split-eco", "letter",
                "--eco-base", ecoBase().string(), "-o", out.string() + "/"});
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* line : {"files read: 2", "games accepted: 9", "games skipped as bad: 1",
                           "files that could not be read: 0", "duplicates dropped: 1",
                           "games written: 8", "output files written: 4", "writes that failed: 0"})
    EXPECT_TRUE(hasLine(run.err, line)) << line << "\n" << run.err;
  const auto files = filesIn(out);
  std::vector<std::string> names;
  for (const auto& [name, text] : files) names.push_back(name);
  // The studies set up from FEN reach no base position and get an empty code.
  EXPECT_EQ(names, (std::vector<std::string>{"games_eco=.pgn", "games_eco=A.pgn", "games_eco=C.pgn",
                                             "games_eco=D.pgn"}));
  EXPECT_NE(files.at("games_eco=A.pgn").find("[ECO \"A00\"]\r\n"), std::string::npos);
}

TEST_F(ProgramRun, WritesWhatItReadsByteForByte) {
  const std::string games =
      pgnText(gameText("Tal, Mikhail", "Botvinnik, Mikhail", "1-0", "1.e4 e5 2.Nf3")) +
      pgnText(gameText("Smyslov", "Keres", "1/2-1/2", "1.d4 d5"));
  const std::filesystem::path input = folder.write("in.pgn", games);
  const std::string base = (folder / "games").string();
  ASSERT_EQ(gamesift({input.string(), "-o", base}).status, 0);
  EXPECT_EQ(folder.read("games.pgn"), games);
  // Appending is the default; --replace writes the file anew.
  ASSERT_EQ(gamesift({input.string(), "-o", base}).status, 0);
  EXPECT_EQ(folder.read("games.pgn"), games + games);
  ASSERT_EQ(gamesift({input.string(), "-o", base, "--replace"}).status, 0);
  EXPECT_EQ(folder.read("games.pgn"), games);
  // A base ending as a PGN file does is the file's whole name, in the letters typed.
  ASSERT_EQ(gamesift({input.string(), "-o", (folder / "Named.PGN").string()}).status, 0);
  EXPECT_EQ(folder.read("Named.PGN"), games);
  EXPECT_FALSE(std::filesystem::exists(folder / "Named.PGN.pgn"));
}

// "Карпов" as a Russian database on Windows stores it, and as UTF-8.
const std::string kKarpov1251 = "\xCA\xE0\xF0\xEF\xEE\xE2";
const std::string kKarpovUtf8 = "\xD0\x9A\xD0\xB0\xD1\x80\xD0\xBF\xD0\xBE\xD0\xB2";

TEST_F(ProgramRun, PlayerFilesAreNamedInUtf8WhileTagsStayAsRead) {
  const std::string eightBit = pgnText(gameText(kKarpov1251, "Kasparov", "1-0", "1.e4"));
  const std::string utf8 = pgnText(gameText(kKarpovUtf8, "Kasparov", "0-1", "1.d4"));
  const std::filesystem::path input = folder.write("in.pgn", eightBit + utf8);
  const std::filesystem::path out = subfolder("out");
  ASSERT_EQ(gamesift({"-q", input.string(), "-o", out.string(), "--split-white"}).status, 0);
  // Both spellings name one file, which holds each game's tags as its source had them.
  const std::map<std::string, std::string> expected = {
      {"games_white=" + kKarpovUtf8 + ".pgn", eightBit + utf8}};
  EXPECT_EQ(filesIn(out), expected);
}

TEST_F(ProgramRun, NameCodePageReadsOtherEightBitNames) {
  const std::string cp866 = "\x8A\xA0\xE0\xAF\xAE\xA2";  // "Карпов" in DOS's Cyrillic
  const std::string games = pgnText(gameText(cp866, "Kasparov", "1-0", "1.e4"));
  const std::filesystem::path input = folder.write("in.pgn", games);
  const std::filesystem::path out = subfolder("out");
  ASSERT_EQ(gamesift({"-q", input.string(), "-o", out.string(), "--split-white", "--name-codepage",
                      "866"})
                .status,
            0);
  const std::map<std::string, std::string> expected = {
      {"games_white=" + kKarpovUtf8 + ".pgn", games}};
  EXPECT_EQ(filesIn(out), expected);
}

// A name typed in either encoding finds the games of both, as the split names them alike; the
// name code page decides what the 8-bit spelling is.
TEST_F(ProgramRun, PlayerFiltersFindANameInEitherEncoding) {
  const std::string cp866 = "\x8A\xA0\xE0\xAF\xAE\xA2";
  const std::string eightBit = pgnText(gameText(kKarpov1251, "Kasparov", "1-0", "1.e4"));
  const std::string utf8 = pgnText(gameText("Kasparov", kKarpovUtf8, "0-1", "1.d4"));
  const std::string dos = pgnText(gameText(cp866, "Kasparov", "1-0", "1.c4"));
  const std::string other = pgnText(gameText("Kasparov", "Other", "1-0", "1.Nf3"));
  const std::filesystem::path input = folder.write("in.pgn", eightBit + utf8 + dos + other);
  const auto written = [&](std::vector<std::string> args) {
    args.insert(args.end(), {"-q", "--replace", input.string(), "-o", (folder / "out").string()});
    EXPECT_EQ(gamesift(args).status, 0);
    return folder.read("out.pgn");
  };
  EXPECT_EQ(written({"--white", kKarpovUtf8, "--ignore-colour"}), eightBit + utf8);
  EXPECT_EQ(written({"--black", kKarpovUtf8}), utf8);
  EXPECT_EQ(written({"--white", kKarpov1251}), eightBit);
  EXPECT_EQ(written({"--white", kKarpovUtf8, "--name-codepage", "866"}), dos);
}

TEST_F(ProgramRun, AFileGivenTwiceIsLoadedOnce) {
  const std::filesystem::path input =
      folder.write("in.pgn", pgnText(gameText("A", "B", "1-0", "1.e4")));
  const TProgramResult run =
      gamesift({input.string(), input.string(), "-o", (folder / "g").string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(hasLine(run.err, "games already loaded: 1")) << run.err;
  EXPECT_TRUE(hasLine(run.err, "games written: 1")) << run.err;
}

// Every game read is skipped as bad or accepted, and every game accepted is written, dropped as
// a duplicate or as already loaded, or left out by the filters of the folder's load or of the
// output: the report's lines add up.
TEST_F(ProgramRun, TheReportAddsUp) {
  const std::string win = pgnText(gameText("A", "B", "1-0", "1.e4 e5"));
  const std::string loss = pgnText(gameText("C", "D", "0-1", "1.d4 d5"));
  const std::string bad = pgnText(gameText("E", "F", "1-0", "1.e5"));
  const std::filesystem::path games = subfolder("games");
  folder.write("games/a.pgn", win + win + loss + bad + pgnText(gameText("G", "H", "1-0", "1.c4")));
  folder.write("games/b.pgn", loss + win);
  const TProgramResult run =
      gamesift({games.string(), (games / "a.pgn").string(), "--result", "1-0", "--drop-duplicates",
                "-o", (folder / "out").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const int read = reported(run.err, "games read");
  const int accepted = reported(run.err, "games accepted");
  EXPECT_EQ(read, 7 + 5) << run.err;
  EXPECT_EQ(read, accepted + reported(run.err, "games skipped as bad")) << run.err;
  EXPECT_EQ(accepted, reported(run.err, "games written") + reported(run.err, "duplicates dropped") +
                          reported(run.err, "games already loaded") +
                          reported(run.err, "games left out by the filters"))
      << run.err;
  EXPECT_EQ(reported(run.err, "games written"), 2) << run.err;
  EXPECT_EQ(reported(run.err, "games left out by the filters"), 2 + 1) << run.err;
}

TEST_F(ProgramRun, QuietPrintsNothingWhenAllWent) {
  const std::filesystem::path input =
      folder.write("in.pgn", pgnText(gameText("A", "B", "1-0", "1.e4")));
  const TProgramResult run = gamesift({"-q", input.string(), "-o", (folder / "g").string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "");
}

TEST_F(ProgramRun, SavedSettingsGiveTheSameRunAsTheirOptions) {
  const std::vector<std::string> options = {"--tags",         "seven",       "--strip-comments",
                                            "--split-result", "--marks",     "none",
                                            "--replace",      "--date-from", "1852"};
  std::vector<std::string> save = options;
  save.insert(save.end(), {"--save-settings", (folder / "saved.dat").string()});
  ASSERT_EQ(gamesift(save).status, 0);
  const std::string saved = folder.read("saved.dat");
  TSettingsContent content = TSettingsContent::missing;
  EXPECT_EQ(checkSettingsBytes(saved, content), "");
  EXPECT_EQ(content, TSettingsContent::everything);

  std::vector<std::string> direct = options;
  direct.insert(direct.end(), {examplesPath().string(), "-o", subfolder("direct").string()});
  ASSERT_EQ(gamesift(direct).status, 0);
  ASSERT_EQ(gamesift({"--settings", (folder / "saved.dat").string(), examplesPath().string(), "-o",
                      subfolder("loaded").string()})
                .status,
            0);
  EXPECT_EQ(filesIn(folder / "loaded"), filesIn(folder / "direct"));
  EXPECT_EQ(filesIn(folder / "direct").size(), 2u);  // 1-0 and 0-1: the only draw is broken
}

TEST_F(ProgramRun, CommandLineWinsOverTheSettingsFile) {
  ASSERT_EQ(gamesift({"--tags", "none", "--save-settings", (folder / "s.dat").string()}).status, 0);
  const std::filesystem::path input =
      folder.write("in.pgn", pgnText(gameText("A", "B", "1-0", "1.e4")));
  ASSERT_EQ(gamesift({"--settings", (folder / "s.dat").string(), "--tags", "all", input.string(),
                      "-o", (folder / "g").string()})
                .status,
            0);
  EXPECT_EQ(folder.read("g.pgn"), folder.read("in.pgn"));
}

TEST_F(ProgramRun, SettingsSavedWithAutoResetLeaveTheDefaults) {
  TPanelSettings settings = defaultPanelSettings(folder / "games");
  settings.autoResetSettings = true;
  tagMode = 0;  // not saved: the file stops after the auto-reset flag
  ASSERT_TRUE(writeSettingsFile(folder / "reset.dat", settings));
  const std::filesystem::path input =
      folder.write("in.pgn", pgnText(gameText("A", "B", "1-0", "1.e4")));
  const TProgramResult run = gamesift({"--settings", (folder / "reset.dat").string(),
                                       input.string(), "-o", (folder / "g").string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.err.find("reset.dat: holds no batch options; the defaults apply\n"),
            std::string::npos);
  EXPECT_EQ(folder.read("g.pgn"), folder.read("in.pgn"));
}

// Each case: arguments, and the same options set on the engine itself.
struct TOptionCase {
  const char* name;
  std::vector<std::string> args;
  void (*set)();
};

const TOptionCase kOptionCases[] = {
    {"StripCommentsAndVariations",
     {"--strip-comments", "--strip-variations"},
     [] { removeComments = removeVariations = true; }},
    {"LastOfASwitchPairWins", {"--strip-comments", "--keep-comments"}, [] {}},
    {"SevenTagsMoveMarks",
     {"--tags", "seven", "--marks", "moves"},
     [] { tagMode = 1, keptNags = TNagSet::moveMarksOnly(); }},
    {"NoTagsNoMarks",
     {"--tags", "none", "--marks", "none"},
     [] { tagMode = 0, keptNags = TNagSet::none(); }},
    {"MarkList",
     {"--marks", "2,4-5"},
     [] {
       keptNags = TNagSet::none();
       keptNags.add(2), keptNags.add(4), keptNags.add(5);
     }},
    {"SplitByResultAndYear",
     {"--split-result", "--split-date", "year"},
     [] { splitByResult = true, splitByDate = 1; }},
    {"SplitByPlayerAndEvent",
     {"--split-player", "--split-event"},
     [] { splitByPlayer = splitByEvent = true; }},
    {"SplitByColours",
     {"--split-white", "--split-black"},
     [] { splitByWhite = splitByBlack = true; }},
    {"SplitByRatingBands",
     {"--split-white-elo", "3", "--split-black-elo", "2"},
     [] { whiteEloParts = 3, blackEloParts = 2; }},
    {"SplitByEcoCode",
     {"--add-eco", "--split-eco", "code"},
     [] { addEcoNames = true, splitByEco = 3; }},
    {"ResultFilter",
     {"--result", "1-0,1/2-1/2"},
     [] { resultMask = kResultWhiteWins | kResultDraw; }},
    {"DateFilter",
     {"--date-from", "1852", "--date-to", "1900.12"},
     [] { dateFrom = packDate(1852, 0, 0), dateTo = packDate(1900, 12, 31); }},
    {"WhitePlayer", {"--white", "Anderssen, Adolf"}, [] { whitePlayer = "Anderssen, Adolf"; }},
    {"EitherColour",
     {"--white", "Dufresne, Jean", "--ignore-colour", "--black", "X"},
     [] { whitePlayer = "Dufresne, Jean", blackPlayer = "X", ignoreColour = true; }},
    {"Ratings",
     {"--white-elo-min", "1500", "--black-elo-max", "1400"},
     [] { whiteEloMin = 1500, blackEloMax = 1400; }},
    {"MoveCounts", {"--moves-min", "5", "--moves-max", "20"}, [] { movesMin = 5, movesMax = 20; }},
    {"EcoFilter", {"--eco", "c2"}, [] { ecoFilter = "C2"; }},
    {"KeepOldEco",
     {"--add-eco", "--keep-old-eco"},
     [] { addEcoNames = true, removeOldEco = false; }},
    {"Duplicates", {"--drop-duplicates"}, [] { removeDuplicates = true; }},
};

class OptionOnCommandLine : public ProgramRun, public ::testing::WithParamInterface<TOptionCase> {};

TEST_P(OptionOnCommandLine, WritesWhatTheEngineWritesWithTheOption) {
  const std::filesystem::path eco = ecoBase();
  const std::filesystem::path classics = examplesPath("classics.pgn");
  const std::filesystem::path studies = examplesPath("studies.pgn");
  std::vector<std::string> args = GetParam().args;
  args.insert(args.end(), {classics.string(), studies.string(), "--eco-base", eco.string(), "-o",
                           (subfolder("cli") / "games").string()});
  const TProgramResult run = gamesift(args);
  ASSERT_EQ(run.status, 0) << run.err;

  GetParam().set();
  ASSERT_TRUE(loadecoFrom(eco));
  loadFileJob(classics);
  loadFileJob(studies);
  writeJob(subfolder("engine") / "games");
  EXPECT_EQ(filesIn(folder / "cli"), filesIn(folder / "engine"));
}

INSTANTIATE_TEST_SUITE_P(Cases, OptionOnCommandLine, ::testing::ValuesIn(kOptionCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

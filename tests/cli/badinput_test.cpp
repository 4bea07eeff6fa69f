// The program on a bad command line and on paths it cannot use: one clear line, the right exit
// status, and nothing already written harmed.

#include <sys/stat.h>

#include <cctype>
#include <set>

#include <gtest/gtest.h>

#include "cliprogram.h"
#include "support/pipeline.h"

namespace {

const std::string kGame = pgnText(gameText("A", "B", "1-0", "1.e4 e5"));

int lines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class BadInput : public TPipelineTest {
 protected:
  void SetUp() override {
    TPipelineTest::SetUp();
    input = folder.write("in.pgn", kGame);
    // An output of an earlier run that no failed run may touch.
    folder.write("games.pgn", "earlier output\r\n");
  }
  // Runs with the good input (and then the args) into folder/games, and checks the earlier output.
  TProgramResult run(std::vector<std::string> args, const TProgramOptions& options = {}) {
    args.insert(args.end(), {"-o", (folder / "games").string()});
    TProgramResult result = gamesift(args, options);
    EXPECT_EQ(folder.read("games.pgn"), "earlier output\r\n");
    return result;
  }
  // The one line a failed check prints.
  static std::string message(const std::filesystem::path& path, const std::string& problem) {
    return "gamesift: " + path.string() + ": " + problem + "\n";
  }
  std::filesystem::path input;
};

TEST_F(BadInput, UsageErrorsGiveOneLineAndStatusTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus", "in.pgn"},
      {"--tags", "some", "in.pgn"},
      {"--split-white-elo", "0", "in.pgn"},
      {"--date-from", "1990.13"},
      {"--output"},
      {},
      {"mkeco"},
      {"mkeco", "a.pgn", "b.pgn"},
      {"--marks", "1-300", "in.pgn"},
      {"--name-codepage", "no-such-page", "in.pgn"},
  };
  TProgramOptions inFolder;
  inFolder.workDir = folder.path();
  for (const std::vector<std::string>& args : cases) {
    const TProgramResult result = gamesift(args, inFolder);
    const std::string shown = args.empty() ? "(none)" : args[0];
    EXPECT_EQ(result.status, 2) << shown;
    EXPECT_EQ(lines(result.err), 1) << shown << ": " << result.err;
    EXPECT_NE(result.err.find("--help"), std::string::npos) << shown << ": " << result.err;
    EXPECT_EQ(filesIn(folder.path()).size(), 2u) << shown << ": nothing may be written";
  }
  EXPECT_EQ(gamesift({"--tags", "some", "in.pgn"}, inFolder).err,
            "gamesift: --tags: 'some' is not one of all, seven, none (see gamesift --help)\n");
}

// Every option that --help lists, given a word it cannot take, is a usage error naming it: the
// parser's own conversions once ended the program with an uncaught exception instead.
TEST_F(BadInput, EveryOptionGivenAnUnreadableWordIsAUsageError) {
  const std::string help = gamesift({"--help"}).out;
  std::set<std::string> names;
  for (size_t at = help.find("--"); at != std::string::npos; at = help.find("--", at + 2)) {
    size_t end = at + 2;
    while (end < help.size() && (std::isalnum(static_cast<unsigned char>(help[end])) || help[end] == '-'))
      ++end;
    if (end > at + 2) names.insert(help.substr(at, end - at));
  }
  ASSERT_GT(names.size(), 40u);
  TProgramOptions inFolder;
  inFolder.workDir = folder.path();
  for (const std::string& name : names) {
    if (name == "--help" || name == "--help-all" || name == "--version") continue;
    for (const std::string word : {"maybe", "co", "=", "99999999999999999999"}) {
      const TProgramResult result = gamesift({name + "=" + word, "in.pgn"}, inFolder);
      EXPECT_TRUE(result.status == 0 || result.status == 1 || result.status == 2)
          << name << "=" << word << ": " << result.status << " " << result.err;
      if (result.status == 2) {
        EXPECT_NE(result.err.find(name), std::string::npos) << name << "=" << word << ": " << result.err;
      }
    }
  }
  const TProgramResult refused = gamesift({"--drop-duplicates=maybe", "in.pgn"}, inFolder);
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(lines(refused.err), 1) << refused.err;
  EXPECT_EQ(gamesift({"--drop-duplicates=no", "in.pgn", "--replace", "-o", "g"}, inFolder).status, 0);
}

TEST_F(BadInput, HelpGoesToStdoutWithStatusZero) {
  const TProgramResult result = gamesift({"--help"});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("--strip-comments, --keep-comments"), std::string::npos);
  EXPECT_NE(result.out.find("--split-eco none|letter|digit|code"), std::string::npos);
  EXPECT_EQ(result.err, "");
}

TEST_F(BadInput, VersionGoesToStdoutWithStatusZero) {
  const TProgramResult result = gamesift({"--version"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out.rfind("gamesift ", 0), 0u) << result.out;
  EXPECT_EQ(result.out.back(), '\n');
  EXPECT_EQ(result.err, "");
}

TEST_F(BadInput, MissingInputStopsBeforeAnyJob) {
  const TProgramResult result = run({input.string(), (folder / "nope.pgn").string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, message(folder / "nope.pgn", "no such file or folder"));
}

TEST_F(BadInput, OutputFolderMustExistAndBeAFolder) {
  const TProgramResult missing =
      gamesift({input.string(), "-o", (folder / "absent" / "g").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, message(folder / "absent", "no such folder"));
  const TProgramResult file = gamesift({input.string(), "-o", (input / "g").string()});
  EXPECT_EQ(file.status, 1);
  EXPECT_EQ(file.err, message(input, "is not a folder"));
}

TEST_F(BadInput, ReadOnlyOutputFolder) {
  std::filesystem::create_directories(folder / "locked");
  chmod((folder / "locked").c_str(), 0555);
  chmod(folder.path().c_str(), 0755);
  TProgramOptions options;
  options.uid = unprivilegedUid();  // the superuser writes anywhere
  const TProgramResult result =
      gamesift({input.string(), "-o", (folder / "locked" / "g").string()}, options);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            message(folder / "locked", "cannot write in the folder: Permission denied"));
  EXPECT_TRUE(filesIn(folder / "locked").empty());
}

TEST_F(BadInput, UnreadableFolderAndFile) {
  std::filesystem::create_directories(folder / "shut");
  folder.write("shut.pgn", kGame);
  chmod((folder / "shut").c_str(), 0);
  chmod((folder / "shut.pgn").c_str(), 0);
  chmod(folder.path().c_str(), 0777);
  TProgramOptions options;
  options.uid = unprivilegedUid();
  const TProgramResult shutFolder = run({(folder / "shut").string()}, options);
  EXPECT_EQ(shutFolder.status, 1);
  EXPECT_EQ(shutFolder.err, message(folder / "shut", "cannot read the folder: Permission denied"));
  const TProgramResult shutFile = run({(folder / "shut.pgn").string()}, options);
  EXPECT_EQ(shutFile.status, 1);
  EXPECT_EQ(shutFile.err,
            message(folder / "shut.pgn", "cannot be opened for reading: Permission denied"));
  chmod((folder / "shut").c_str(), 0755);
}

TEST_F(BadInput, DamagedSettingsFilesAreRefusedWhole) {
  ASSERT_EQ(gamesift({"--tags", "none", "--save-settings", (folder / "good.dat").string()}).status,
            0);
  const std::string good = folder.read("good.dat");
  std::string badFlag = good;
  badFlag[16] = 2;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "settings file is empty"},
      {good.substr(0, good.size() - 3),
       "settings file is truncated: it ends inside field 36 (movesMax)"},
      {good.substr(0, 10), "settings file is truncated: it ends inside field 3 (panel width)"},
      {"PK\x03\x04 this is a zip file, not settings",
       "not a settings file: field 5 (panel visible) holds 105"},
      {badFlag, "not a settings file: field 5 (panel visible) holds 2"},
  };
  for (const auto& [bytes, problem] : cases) {
    const std::filesystem::path settings = folder.write("bad.dat", bytes);
    const TProgramResult result = run({"--settings", settings.string(), input.string()});
    EXPECT_EQ(result.status, 1) << problem;
    EXPECT_EQ(result.err, message(settings, problem));
  }
  const TProgramResult missing =
      run({"--settings", (folder / "none.dat").string(), input.string()});
  EXPECT_EQ(missing.err, message(folder / "none.dat", "no such file or folder"));
}

TEST_F(BadInput, SavingSettingsNeverLeavesAHalfFile) {
  folder.write("s.dat", "old");
  const TProgramResult result =
      gamesift({"--save-settings", (folder / "absent" / "s.dat").string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            message(folder / "absent" / "s.dat", "cannot write the settings file: no such folder"));
  EXPECT_EQ(folder.read("s.dat"), "old");
}

TEST_F(BadInput, EcoBaseGivenButMissing) {
  const TProgramResult result =
      run({"--add-eco", "--eco-base", (folder / "e.dat").string(), input.string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, message(folder / "e.dat", "no such file or folder"));
}

TEST_F(BadInput, EcoBaseOfAWrongSizeIsRefused) {
  const std::string record = std::string(7, '\0') + "\x01" + "B12";
  for (const std::string& bytes : {record + record.substr(0, 5), std::string("garbage")}) {
    const std::filesystem::path base = folder.write("e.dat", bytes);
    const TProgramResult result = run({"--add-eco", "--eco-base", base.string(), input.string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              message(base, "is damaged or no ECO base: its " + std::to_string(bytes.size()) +
                                " bytes are not whole 11-byte records"));
  }
  const std::filesystem::path empty = folder.write("e.dat", "");
  const TProgramResult result = run({"--add-eco", "--eco-base", empty.string(), input.string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, message(empty, "holds no ECO record"));
}

TEST_F(BadInput, NoEcoBaseBesideTheProgram) {
  // A copy of the program in a folder without plugins/ecos.dat.
  const std::filesystem::path copy = folder / "bin" / "gamesift";
  std::filesystem::create_directories(copy.parent_path());
  std::filesystem::copy_file(gamesiftProgram(), copy);
  const TProgramResult result =
      runProgram(copy, {"--add-eco", input.string(), "-o", (folder / "games").string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err.rfind("gamesift: " + (copy.parent_path() / "plugins" / "ecos.dat").string() +
                                 ": no ECO base there",
                             0),
            0u)
      << result.err;
  EXPECT_EQ(folder.read("games.pgn"), "earlier output\r\n");
}

TEST_F(BadInput, FailedWriteIsReportedEvenWhenQuiet) {
  std::filesystem::create_directories(folder / "out" / "g.pgn");  // a folder where the file goes
  const TProgramResult result =
      gamesift({"-q", input.string(), "-o", (folder / "out" / "g").string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("writes that failed: 1\n"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("games written: 0\n"), std::string::npos) << result.err;
}

TEST_F(BadInput, UnreadableGamesAreCountedNotFatal) {
  const std::filesystem::path mixed =
      folder.write("mixed.pgn", kGame + "[White \"x\"]\n\n1. e4 e4 *\n\n" + kGame);
  const TProgramResult result = gamesift({mixed.string(), "-o", (folder / "m").string()});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.err.find("games skipped as bad: 1\n"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("games written: 2\n"), std::string::npos) << result.err;
}

TEST_F(BadInput, FolderWithoutPgnFilesReadsNothing) {
  std::filesystem::create_directories(folder / "empty");
  const TProgramResult result =
      gamesift({(folder / "empty").string(), "-o", (folder / "e").string()});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.err.find("files read: 0\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder / "e.pgn"));
}

}  // namespace

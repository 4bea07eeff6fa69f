#include "cli/commandline.h"

#include <exception>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/report.h"
#include "cli/terminal.h"
#include "cli/textpaths.h"
#include "platform/platform.h"
#include "unpack/decoder.h"
#include "unpack/encoder.h"

namespace {

constexpr const char* kDescription =
    "gamesift: reads chess games from PGN files and folders (every *.pgn in a folder, and the "
    "packed ones this build reads: *.pgn.gz, *.pgn.bz2, *.pgn.xz, *.pgn.zst, *.zip), checks "
    "every move, and writes the games that pass as PGN, stripped, classified and split as the "
    "options ask. A packed file is told by its first bytes, and a zip archive's *.pgn members are "
    "read in turn. \"-\" as an INPUT reads standard input; \"-o -\" writes to standard output.\n"
    "Runs stream: they read and write a part at a time, at a memory that does not grow with "
    "the inputs. Runs with --split-date, --split-player or rating bands (which sort the games "
    "in each file or need every rating first), or whose output may be one of their inputs, "
    "read everything first.\n"
    "Exit status: 0 all read and written, 1 an input could not be read or an output not written, "
    "2 a usage error, 130 stopped by Ctrl-C (the first Ctrl-C stops the job and keeps what it "
    "did, a second quits at once).";

constexpr const char* kMkecoDescription =
    "Builds the ECO base from a PGN file of opening lines, each game an ECO tag and the moves of "
    "its line: the position each line reaches gets its code. When lines with different codes "
    "reach one position, the longest line wins, and among lines of one length the first in the "
    "file.";

constexpr const char* kInputsAndOutput = "Input and output";

// Shows a switch and its opposite as "--strip-comments, --keep-comments", without the library's
// "{false}" marking the opposite.
class TFormatter : public CLI::Formatter {
 public:
  std::string make_option_name(const CLI::Option* option, bool positional) const override {
    std::string name = CLI::Formatter::make_option_name(option, positional);
    for (size_t at; (at = name.find("{false}")) != std::string::npos;) name.erase(at, 7);
    for (size_t at = 0; (at = name.find(",-", at)) != std::string::npos; at += 2)
      name.insert(at + 1, " ");
    return name;
  }
};

// A path option: the text is UTF-8 on every system, which path(std::string) does not assume.
CLI::Option* addPath(CLI::App& app, const std::string& names, std::filesystem::path& path,
                     const std::string& help) {
  return app
      .add_option_function<std::string>(
          names, [&path](const std::string& text) { path = argPath(text); }, help)
      ->type_name("FILE");
}

std::string checkCodePage(const std::string& name) {
  if (setNameCodePage(name)) return {};
  return "unknown code page " + name + " (give a number such as 1251, 1252 or 866)";
}

void addRunOptions(CLI::App& app, TCommandLine& line) {
  app.add_option_function<std::vector<std::string>>(
         "INPUT",
         [&line](const std::vector<std::string>& texts) {
           for (const std::string& text : texts) line.inputs.push_back(argPath(text));
         },
         "PGN files (plain or packed), folders and \"-\" (standard input) to read, merged into "
         "one game base")
      ->type_name("PATH");
  addPath(app, "-o,--output", line.output,
          "Base of the output file names: BASE.pgn, or BASE_eco=B.pgn and the like when "
          "split; an existing folder (or a path ending in /) writes FOLDER/games*.pgn. "
          "The folder must exist (default: ./output). A base ending in .pgn.gz, .pgn.bz2, "
          ".pgn.xz or .pgn.zst writes every file packed so, split files keeping the ending "
          "(BASE_eco=B.pgn.zst); an ending .pgn is the names' own. \"-\" writes the games to "
          "standard output, unsplit")
      ->type_name("BASE")
      ->group(kInputsAndOutput);
  addPath(app, "--settings", line.settingsFile,
          "Take the batch options from a settings file (gamesift.dat); options given on "
          "the command line win over it. Its output path is not used")
      ->type_name("FILE")
      ->group(kInputsAndOutput);
  addPath(app, "--save-settings", line.saveSettingsFile,
          "Write the options in force to a settings file (with no INPUT: only that)")
      ->type_name("FILE")
      ->group(kInputsAndOutput);
  addPath(app, "--eco-base", line.ecoBaseFile,
          "ECO base for --add-eco and --eco (default: plugins/ecos.dat beside the program)")
      ->type_name("FILE")
      ->group(kInputsAndOutput);
  app.add_option("--name-codepage", line.nameCodePage,
                 "Code page of tag texts (player, tournament) that name split files when they "
                 "are not UTF-8: a Windows code-page number such as 1251, 1252, 866 or 20866 "
                 "(KOI8-R). The tags in the games are written as read (default: "
#ifdef _WIN32
                 "the system's ANSI code page)")
#else
                 "1251, the Cyrillic code page of Windows)")
#endif
      ->type_name("CP")
      ->check(checkCodePage)
      ->group(kInputsAndOutput);
  app.add_flag("-q,--quiet", line.quiet,
               "Draw no progress line; print the end report only when something failed")
      ->group(kInputsAndOutput);
  app.add_flag("-v,--verbose", line.verbose,
               "List each stretch of text skipped (the first 100 of a file) and each game "
               "skipped as bad, with its file, line and reason")
      ->group(kInputsAndOutput);
  addBatchOptions(app, line.edits);
}

void addMkeco(CLI::App& app, TCommandLine& line) {
  CLI::App* mkeco = app.add_subcommand("mkeco", kMkecoDescription);
  addPath(*mkeco, "OPENINGS", line.openings, "PGN file of classified opening lines")->required();
  addPath(*mkeco, "-o,--output", line.ecoOutput,
          "The ECO base to write (default: plugins/ecos.dat); its folder must exist");
  mkeco->add_flag("-q,--quiet", line.quiet, "Print nothing unless something failed");
  mkeco->callback([&line] { line.mkeco = true; });
}

// The words a switch takes after "=".
bool switchWord(const std::string& text) {
  std::string word;
  for (const char c : text)
    word.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
  for (const char* known : {"true", "false", "yes", "no", "on", "off", "enable", "disable", "1",
                            "0", "y", "n", "t", "f", "+", "-", ""})
    if (word == known) return true;
  return false;
}

const CLI::Option* findOption(CLI::App& app, const std::string& name) {
  if (const CLI::Option* option = app.get_option_no_throw(name)) return option;
  for (CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; }))
    if (const CLI::Option* option = sub->get_option_no_throw(name)) return option;
  return nullptr;
}

// "--switch=WORD" is looked at before the parser sees it: the parser turns a word it does not
// know into a number with a call that throws past what it catches, and would name the switch's
// other spelling at best.
std::string switchWordProblem(CLI::App& app, const std::vector<std::string>& arguments) {
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--") break;
    const size_t equals = argument.find('=');
    if (argument.rfind("--", 0) != 0 || equals == std::string::npos) continue;
    const std::string name = argument.substr(0, equals);
    const CLI::Option* option = findOption(app, name);
    if (!option || option->get_expected_min() != 0) continue;
    const std::string word = argument.substr(equals + 1);
    if (!switchWord(word))
      return name + ": '" + word + "' is not a value a switch takes (yes or no, or the switch alone)";
  }
  return "";
}

}  // namespace

std::string versionText() {
  const char* system =
#if defined(_WIN32) && defined(_WIN64)
      "Windows x86-64";
#elif defined(_WIN32)
      "Windows x86";
#else
      "Linux";
#endif
  return std::string("gamesift ") + GAMESIFT_VERSION + " (" + system + ")\npacked inputs read: " +
         packingsBuiltText() + "\npacked outputs written: " + packingsWrittenText();
}

TParseOutcome parseCommandLine(const std::vector<std::string>& arguments, TCommandLine& line) {
  CLI::App app(kDescription, "gamesift");
  app.set_version_flag("--version", versionText(), "Print the version and end");
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  auto formatter = std::make_shared<TFormatter>();
  formatter->column_width(40);
  app.formatter(formatter);
  addRunOptions(app, line);
  addMkeco(app, line);
  const std::string wordProblem = switchWordProblem(app, arguments);
  if (!wordProblem.empty()) {
    writeStderr("gamesift: " + wordProblem + " (see gamesift --help)\n");
    return {false, kExitUsage};
  }
  // The library reports a bad command line by throwing; nothing of ours throws past here.
  try {
    // CLI11 takes the arguments last first, without the program's name.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    if (!reversed.empty()) reversed.pop_back();
    app.parse(reversed);
  } catch (const CLI::CallForHelp& help) {
    return {false, app.exit(help)};
  } catch (const CLI::CallForAllHelp& help) {
    return {false, app.exit(help)};
  } catch (const CLI::CallForVersion& version) {
    return {false, app.exit(version)};
  } catch (const CLI::ParseError& error) {
    writeStderr(std::string("gamesift: ") + error.what() + " (see gamesift --help)\n");
    return {false, kExitUsage};
  } catch (const std::exception& error) {
    // The parser's own conversions may throw plain exceptions; a command line is never a crash.
    writeStderr(std::string("gamesift: the command line could not be read (") + error.what() +
                "); see gamesift --help\n");
    return {false, kExitUsage};
  }
  return {true, kExitDone};
}

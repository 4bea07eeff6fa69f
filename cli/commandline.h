#pragma once
// The command line of gamesift: the batch run over inputs, and the mkeco subcommand.

#include <filesystem>
#include <string>
#include <vector>

#include "cli/batchoptions.h"

struct TCommandLine {
  // The batch run
  std::vector<std::filesystem::path> inputs;
  std::filesystem::path output = "./output";
  std::filesystem::path settingsFile;
  std::filesystem::path saveSettingsFile;
  std::filesystem::path ecoBaseFile;
  std::string nameCodePage;  // empty: the system's
  bool quiet = false;
  bool verbose = false;  // list each stretch of text skipped and each bad game
  TOptionEdits edits;
  // gamesift mkeco OPENINGS -o BASE
  bool mkeco = false;
  std::filesystem::path openings;
  std::filesystem::path ecoOutput = "plugins/ecos.dat";
};

// What parsing decided: go on and run, or end the program with a status.
struct TParseOutcome {
  bool run = false;
  int status = 0;
};

// Parses the arguments (UTF-8, the program's name first) into line. --help and --version print
// on stdout (status 0); a usage error prints one line naming the problem and pointing to --help
// on stderr (status 2).
TParseOutcome parseCommandLine(const std::vector<std::string>& arguments, TCommandLine& line);

// "gamesift VERSION (SYSTEM)" and the packings this build reads, what --version prints.
std::string versionText();

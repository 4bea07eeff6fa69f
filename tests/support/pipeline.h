#pragma once
// Running the batch pipeline in tests: process-wide state reset between tests, PGN game texts in
// the exact form the writer produces (so a file read and written again comes out byte for byte),
// and the jobs started on the real worker thread.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/tempfolder.h"

// The game base, options, job state, per-run arrays and worker observer back to their start.
void resetPipeline();

// Each test starts and ends with a fresh pipeline and owns a temporary folder.
class TPipelineTest : public ::testing::Test {
 protected:
  void SetUp() override { resetPipeline(); }
  void TearDown() override { resetPipeline(); }
  TTempFolder folder;
};

// One game as the writer writes it: the seven roster tags, the extra tag lines given, an empty
// line, the movetext and the result, an empty line; CR LF line ends.
struct TGameText {
  std::string white = "White";
  std::string black = "Black";
  std::string result = "*";
  std::string moves;  // "1.e4 e5 2.Nf3", numbers as the writer writes them
  std::string date = "2004.05.17";
  std::string event = "Open";
  std::string extraTags;  // whole lines, "[ECO \"C20\"]\r\n"
};
TGameText gameText(std::string white, std::string black, std::string result, std::string moves,
                   std::string date = "2004.05.17", std::string event = "Open");
std::string pgnText(const TGameText& game);
std::string tagLine(std::string_view name, std::string_view value);

// Jobs on the worker thread; the wait just lets the worker run to its end.
void loadFileJob(const std::filesystem::path& file);
void loadFolderJob(const std::filesystem::path& sourceFolder);
// Chooses every row of the panel (no ticks) and writes them with names built from base.
void writeJob(const std::filesystem::path& base);

// Every regular file under root (names relative to it) with its whole content.
std::map<std::string, std::string> filesIn(const std::filesystem::path& root);
// (file name, start) of every game in the base, in base order.
std::vector<std::pair<std::string, int64_t>> baseLocations();

#pragma once
// The host's command line: vorlen-host.exe [games.pgn] [--dll X] [--script S] [--games G]
// [--dump-dir D] [--dpi N] [--no-support] [--tags-only] [--screenshots] [--wheel-by-page]
// [--panel-record-bytes]

#include <cstdint>
#include <string>
#include <vector>

struct THostArgs {
  std::u16string dll;        // empty: gamesift.dll; a relative path is in the host folder
  std::u16string script;     // empty: the host runs for a user until its window closes
  std::u16string games;      // the PGN file whose games the host opens, like dll
  std::u16string dumpDir;    // where dumps, the runner's log and screenshot requests go
  int32_t dpi = 0;           // the screen resolution the run expects; 0 takes any
  bool noSupport = false;    // answer 0 for service 48: a host without plug-in support
  bool tagsOnly = false;     // list the games as if their moves were not loaded
  bool screenshots = false;  // a driver is there to take the screenshots the script asks for
  bool wheelByPage = false;  // the user's wheel setting: a notch scrolls a page, not a line
  // The host keeps data of its own in bytes 4 to 7 of every panel record, as a 32-bit host may.
  bool panelRecordBytes = false;
};

// False with error for an unknown option, a missing value or a bad number.
bool parseHostArgs(const std::vector<std::u16string>& args, THostArgs& parsed, std::string& error);

#pragma once
// Running a real program from a test: its arguments, its exit status and what it printed.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

struct TProgramResult {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string out;
  std::string err;
};

struct TProgramOptions {
  std::filesystem::path workDir;  // empty: the test's own
  int uid = -1;                   // when the test runs as root: run the program as this user
  bool errToTerminal = false;     // stderr on a pseudo-terminal (what it printed lands in err)
  std::vector<std::pair<std::string, std::string>> environment;  // variables set for the program
};

// A program started and not yet waited for.
class TRunningProgram {
 public:
  TRunningProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                  const TProgramOptions& options = {});
  ~TRunningProgram();
  TRunningProgram(const TRunningProgram&) = delete;
  TRunningProgram& operator=(const TRunningProgram&) = delete;

  bool started() const { return pid > 0; }
  void signal(int number) const;
  // With stderr on a terminal: reads what the program prints until text appears; false when the
  // program ended or timeoutMs passed first.
  bool waitForErr(const std::string& text, int timeoutMs);
  // Waits for the end and collects what the program printed.
  TProgramResult wait();

 private:
  pid_t pid = -1;
  std::string outFile;
  std::string errFile;
  int terminal = -1;  // the master side of the pseudo-terminal, when asked for
  std::string terminalText;
  // Moves what the terminal holds into terminalText, waiting up to timeoutMs for it.
  bool drainTerminal(int timeoutMs);
};

TProgramResult runProgram(const std::filesystem::path& program,
                          const std::vector<std::string>& args,
                          const TProgramOptions& options = {});

// The user tests run the program as to meet permissions that bind (root passes every check);
// -1 when the tests do not run as root.
int unprivilegedUid();

#include "support/runprogram.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace {

std::string tempName() {
  char name[] = "/tmp/gamesift-run-XXXXXX";
  const int fd = mkstemp(name);
  if (fd >= 0) close(fd);
  return name;
}

std::string slurp(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int openTerminal(std::string& slaveName) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return -1;
  const char* name = ptsname(master);
  slaveName = name ? name : "";
  return master;
}

// In the child: streams, folder, user, then the program. Never returns.
[[noreturn]] void startChild(const std::filesystem::path& program, std::vector<std::string> args,
                             const TProgramOptions& options, const std::string& outFile,
                             const std::string& errFile, const std::string& terminalName) {
  const int in = open("/dev/null", O_RDONLY);
  const int out = open(outFile.c_str(), O_WRONLY | O_TRUNC);
  const int err = terminalName.empty() ? open(errFile.c_str(), O_WRONLY | O_TRUNC)
                                       : open(terminalName.c_str(), O_RDWR);
  if (in < 0 || out < 0 || err < 0) _exit(127);
  dup2(in, 0);
  dup2(out, 1);
  dup2(err, 2);
  if (!options.workDir.empty() && chdir(options.workDir.c_str()) != 0) _exit(127);
  if (options.uid >= 0 && (setgid(options.uid) != 0 || setuid(options.uid) != 0)) _exit(127);
  for (const auto& [name, value] : options.environment) setenv(name.c_str(), value.c_str(), 1);
  std::vector<char*> argv;
  std::string name = program.string();
  argv.push_back(name.data());
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  execv(name.c_str(), argv.data());
  _exit(127);
}

// Whether the child has ended, leaving it to be waited for.
bool hasEnded(pid_t pid) {
  siginfo_t info{};
  return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 ||
         info.si_pid != 0;
}

}  // namespace

TRunningProgram::TRunningProgram(const std::filesystem::path& program,
                                 const std::vector<std::string>& args,
                                 const TProgramOptions& options)
    : outFile(tempName()), errFile(tempName()) {
  std::string terminalName;
  if (options.errToTerminal) terminal = openTerminal(terminalName);
  // Others may need to write the capture files when the program runs as another user.
  chmod(outFile.c_str(), 0666);
  chmod(errFile.c_str(), 0666);
  pid = fork();
  if (pid == 0) startChild(program, args, options, outFile, errFile, terminalName);
}

TRunningProgram::~TRunningProgram() {
  if (pid > 0) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  if (terminal >= 0) close(terminal);
  unlink(outFile.c_str());
  unlink(errFile.c_str());
}

void TRunningProgram::signal(int number) const {
  if (pid > 0) kill(pid, number);
}

bool TRunningProgram::drainTerminal(int timeoutMs) {
  pollfd ready{terminal, POLLIN, 0};
  if (terminal < 0 || poll(&ready, 1, timeoutMs) <= 0 || !(ready.revents & POLLIN)) return false;
  char chunk[4096];
  const ssize_t got = read(terminal, chunk, sizeof chunk);
  if (got <= 0) return false;
  terminalText.append(chunk, static_cast<size_t>(got));
  return true;
}

bool TRunningProgram::waitForErr(const std::string& text, int timeoutMs) {
  for (int waited = 0; terminal >= 0 && pid > 0 && waited < timeoutMs; waited += 20) {
    if (terminalText.find(text) != std::string::npos) return true;
    if (!drainTerminal(20) && hasEnded(pid)) break;
  }
  return terminalText.find(text) != std::string::npos;
}

TProgramResult TRunningProgram::wait() {
  TProgramResult result;
  if (pid <= 0) return result;
  int status = 0;
  // A terminal's buffer is small: drain it while the program runs, or it would block writing.
  while (terminal >= 0 && waitpid(pid, &status, WNOHANG) == 0) drainTerminal(50);
  if (terminal < 0) waitpid(pid, &status, 0);
  while (drainTerminal(0)) {
  }
  pid = -1;
  if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.status = 128 + WTERMSIG(status);
  result.out = slurp(outFile);
  result.err = terminal >= 0 ? terminalText : slurp(errFile);
  return result;
}

TProgramResult runProgram(const std::filesystem::path& program,
                          const std::vector<std::string>& args, const TProgramOptions& options) {
  TRunningProgram running(program, args, options);
  return running.wait();
}

int unprivilegedUid() {
  return geteuid() == 0 ? 65534 : -1;
}

#include "cli/terminal.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {

constexpr int kDefaultColumns = 80;

std::atomic<int> interruptsSeen{0};
void (*firstInterrupt)() = nullptr;
int quitStatus = 1;

// Safe where it runs: a signal handler natively, the console's own thread on Windows.
void onInterrupt() {
  if (interruptsSeen.fetch_add(1) == 0) {
    if (firstInterrupt) firstInterrupt();
    return;
  }
  writeStderr("\n", 1);
#ifdef _WIN32
  ExitProcess(static_cast<UINT>(quitStatus));
#else
  std::_Exit(quitStatus);
#endif
}

#ifdef _WIN32
BOOL WINAPI onConsoleEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  onInterrupt();
  return TRUE;
}

HANDLE stderrHandle() {
  return GetStdHandle(STD_ERROR_HANDLE);
}

bool isConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

void writeConsole(HANDLE console, const char* text, int length) {
  const int wide = MultiByteToWideChar(CP_UTF8, 0, text, length, nullptr, 0);
  if (wide <= 0) return;
  std::wstring units(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, length, units.data(), wide);
  DWORD written = 0;
  WriteConsoleW(console, units.data(), static_cast<DWORD>(units.size()), &written, nullptr);
}
#else
extern "C" void onSignal(int) {
  onInterrupt();
}
#endif

}  // namespace

bool stderrIsTerminal() {
#ifdef _WIN32
  return isConsole(stderrHandle());
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

int terminalColumns() {
#ifdef _WIN32
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (GetConsoleScreenBufferInfo(stderrHandle(), &info))
    return info.srWindow.Right - info.srWindow.Left + 1;
#else
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
#endif
  return kDefaultColumns;
}

void writeStderr(const char* text, int length) {
  if (length <= 0) return;
#ifdef _WIN32
  // What stdio holds for stderr goes first, so messages keep their order.
  std::fflush(stderr);
  const HANDLE handle = stderrHandle();
  if (isConsole(handle)) return writeConsole(handle, text, length);
  DWORD written = 0;
  WriteFile(handle, text, static_cast<DWORD>(length), &written, nullptr);
#else
  // write() is safe inside a signal handler, where the second Ctrl-C ends the line.
  while (length > 0) {
    const ssize_t done = write(STDERR_FILENO, text, static_cast<size_t>(length));
    if (done <= 0) return;
    text += done;
    length -= static_cast<int>(done);
  }
#endif
}

void installInterruptHandler(void (*onFirst)(), int status) {
  firstInterrupt = onFirst;
  quitStatus = status;
#ifdef _WIN32
  SetConsoleCtrlHandler(onConsoleEvent, TRUE);
#else
  std::signal(SIGINT, onSignal);
#endif
}

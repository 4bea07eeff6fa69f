#pragma once
// The scenario scripts the host runs: one action per line, parsed before the run so that a typo
// fails at once instead of half-way through a scenario.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TActionKind {
  menu,          // choose a menu item by its text: the host's menus, then the plug-in's panel menu
  click,         // left click at panel client coordinates
  rightClick,    // right click at panel client coordinates
  modalClick,    // left click at client coordinates of the newest modal window
  press,         // left click at the centre of the panel's child with this window text or class
  key,           // press and release a key in the focused window
  keyDown,       // press a key (modifiers: Shift, Ctrl) ...
  keyUp,         // ... and release it
  type,          // characters to the focused window
  answer,        // the button that answers the next message box (or cancels the next dialog)
  answerFile,    // the path that answers the next open or save dialog
  answerFolder,  // the folder that answers the next folder browser
  wait,          // until no modal window or dialog is open (seconds: the longest wait)
  sleep,         // milliseconds of message handling
  select,        // makes a game of the host's list current
  position,      // the host's position: move n of the main line, then (variation v, move n)...
  dump,          // writes the state into text files of the dump folder
  screenshot,    // asks the driver for a picture of the screen
  hidePanels,    // the host hides every plug-in panel
  wheel,         // turns the mouse wheel over the panel by a delta (120 a notch, up positive)
  await,         // until a file of that name appears in the dump folder (seconds: the longest)
  stop,          // the plug-in's stop entry, then the host ends
};

struct TScriptAction {
  TActionKind kind = TActionKind::stop;
  int line = 0;         // 1-based line of the script
  std::u16string text;  // menu text, typed text, answer, path or dump name
  int32_t x = 0;        // coordinates; key code; seconds, milliseconds, game; wheel delta
  int32_t y = 0;
  std::vector<std::string> sections;  // of a dump; empty for all
  std::vector<int32_t> numbers;       // of a position
};

// Button answers of a message box, as the dialog's command ids.
enum : int32_t {
  kAnswerOk = 1,
  kAnswerCancel = 2,
  kAnswerAbort = 3,
  kAnswerRetry = 4,
  kAnswerIgnore = 5,
  kAnswerYes = 6,
  kAnswerNo = 7,
};

// Parses a whole UTF-8 script; on failure error names the line and the problem.
bool parseScript(std::string_view text, std::vector<TScriptAction>& actions, std::string& error);

// The virtual-key code of a key name ("Enter", "Delete", "F2", "A"); 0 when unknown.
int32_t keyCode(std::string_view name);

// UTF-8 as UTF-16; false (and out unfinished) on a malformed sequence.
bool utf8ToUtf16(std::string_view text, std::u16string& out);
// UTF-16 as UTF-8; unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

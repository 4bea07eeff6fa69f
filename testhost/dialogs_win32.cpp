#include "dialogs_win32.h"

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <deque>

#include "hostpaths_win32.h"
#include "script_logic.h"

namespace {

// A dialog is answered once it has been up this long, so that it has finished setting itself
// up; one nobody answers is cancelled after the longer wait.
constexpr DWORD kSettleMs = 300;
constexpr DWORD kUnexpectedMs = 3000;
// A folder answer is given again on each tick until the dialog's tree shows the folder chosen
// (a busy machine may still be filling the tree); past this it counts as a failure.
constexpr DWORD kFolderLimitMs = 20000;
// The file name field of the open and save dialogs: the explorer style's combo box, the old
// style's edit.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

struct TSeenDialog {
  HWND window;
  DWORD firstSeen;
  bool answered;
};

std::deque<TDialogAnswer> answers;
std::vector<TSeenDialog> seen;
std::vector<std::string> answeredLog;
int32_t failures = 0;

BOOL CALLBACK collectDialog(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

std::vector<HWND> openDialogs() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), collectDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::u16string windowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return std::u16string(text, text + lstrlenW(text));
}

BOOL CALLBACK collectStatic(HWND child, LPARAM out) {
  wchar_t name[16] = {};
  GetClassNameW(child, name, 16);
  std::u16string text = windowText(child);
  if (lstrcmpiW(name, L"Static") == 0 && !text.empty()) {
    auto& all = *reinterpret_cast<std::u16string*>(out);
    if (!all.empty()) all += u" | ";
    all += text;
  }
  return TRUE;
}

// "«caption»: «texts»" of a dialog, for the log; the file dialogs' texts are the system's own
// labels, so only their caption is the plug-in's.
std::string describe(HWND dialog, bool withTexts) {
  std::u16string texts;
  if (withTexts) EnumChildWindows(dialog, collectStatic, reinterpret_cast<LPARAM>(&texts));
  std::string line = "«" + utf16ToUtf8(windowText(dialog)) + "»";
  if (!texts.empty()) line += ": «" + utf16ToUtf8(texts) + "»";
  return line;
}

BOOL CALLBACK findTree(HWND child, LPARAM found) {
  wchar_t name[32] = {};
  GetClassNameW(child, name, 32);
  if (lstrcmpW(name, L"SysTreeView32") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

HWND treeOf(HWND dialog) {
  HWND tree = nullptr;
  EnumChildWindows(dialog, findTree, reinterpret_cast<LPARAM>(&tree));
  return tree;
}

enum class TDialogKind { message, file, folder };

TDialogKind kindOf(HWND dialog) {
  if (treeOf(dialog)) return TDialogKind::folder;
  if (GetDlgItem(dialog, kFileNameCombo) || GetDlgItem(dialog, kFileNameEdit))
    return TDialogKind::file;
  return TDialogKind::message;
}

void press(HWND dialog, int32_t id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

const char* buttonName(int32_t id) {
  static const char* const names[] = {"?", "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
  return id >= 1 && id <= 7 ? names[id] : names[0];
}

bool applyButton(HWND dialog, const TDialogAnswer& answer, const std::string& what) {
  // A dialog without the asked button is a wrong answer; Cancel is the one every dialog has.
  const bool fits = GetDlgItem(dialog, answer.button) != nullptr || answer.button == IDCANCEL;
  answeredLog.push_back(what + " -> " + buttonName(answer.button) +
                        (fits ? "" : " (no such button)"));
  if (!fits) {
    ++failures;
    press(dialog, IDCANCEL);
    return true;
  }
  press(dialog, answer.button);
  return true;
}

void applyFile(HWND dialog, const TDialogAnswer& answer, const std::string& what) {
  const std::wstring path = hostPath(answer.path);
  HWND field = GetDlgItem(dialog, kFileNameCombo);
  if (field == nullptr) field = GetDlgItem(dialog, kFileNameEdit);
  SetWindowTextW(field, path.c_str());
  answeredLog.push_back(what + " -> " + utf16ToUtf8(answer.path));
  press(dialog, IDOK);
}

// The last part of a folder's path, which the browser's tree shows for it.
std::wstring lastPart(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  const size_t slash = path.find_last_of(L'\\');
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool treeShows(HWND dialog, const std::wstring& path) {
  HWND tree = treeOf(dialog);
  HTREEITEM item = tree ? TreeView_GetSelection(tree) : nullptr;
  if (item == nullptr) return false;
  wchar_t text[MAX_PATH] = {};
  TVITEMW info{};
  info.mask = TVIF_TEXT;
  info.hItem = item;
  info.pszText = text;
  info.cchTextMax = MAX_PATH;
  return TreeView_GetItem(tree, &info) && lstrcmpiW(text, lastPart(path).c_str()) == 0;
}

// False while the tree does not show the folder yet: the answer is given again on the next tick.
bool applyFolder(HWND dialog, const TDialogAnswer& answer, const std::string& what, DWORD age) {
  const std::wstring path = hostPath(answer.path);
  SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
  const bool shown = treeShows(dialog, path);
  if (!shown && age < kFolderLimitMs) return false;
  answeredLog.push_back(what + " -> " + utf16ToUtf8(answer.path) +
                        (shown ? "" : " (the browser never showed it chosen)"));
  if (!shown) ++failures;
  press(dialog, IDOK);
  return true;
}

// The next queued answer, if it fits this kind of dialog; a button answer fits every kind. False
// when the dialog is not ready for it yet.
bool answer(HWND dialog, DWORD age) {
  const TDialogKind kind = kindOf(dialog);
  const char* kindName = kind == TDialogKind::folder ? "folder dialog "
                         : kind == TDialogKind::file ? "file dialog "
                                                     : "message box ";
  const std::string what = kindName + describe(dialog, kind != TDialogKind::file);
  const TDialogAnswer next = answers.front();
  if (next.kind == TAnswerKind::folder && kind == TDialogKind::folder) {
    if (!applyFolder(dialog, next, what, age)) return false;
  } else if (next.kind == TAnswerKind::button) {
    applyButton(dialog, next, what);
  } else if (next.kind == TAnswerKind::file && kind == TDialogKind::file) {
    applyFile(dialog, next, what);
  } else {
    answeredLog.push_back(what + " -> cancelled: the answer was for another kind of dialog");
    ++failures;
    press(dialog, IDCANCEL);
  }
  answers.pop_front();
  return true;
}

TSeenDialog& remember(HWND dialog, DWORD now) {
  for (TSeenDialog& known : seen)
    if (known.window == dialog) return known;
  seen.push_back(TSeenDialog{dialog, now, false});
  return seen.back();
}

void forgetClosed() {
  std::vector<TSeenDialog> open;
  for (const TSeenDialog& known : seen)
    if (IsWindow(known.window)) open.push_back(known);
  seen.swap(open);
}

}  // namespace

void queueAnswer(const TDialogAnswer& answer) {
  answers.push_back(answer);
}

void answerDialogs() {
  forgetClosed();
  const DWORD now = GetTickCount();
  for (HWND dialog : openDialogs()) {
    TSeenDialog& known = remember(dialog, now);
    if (known.answered || !IsWindowEnabled(dialog)) continue;
    const DWORD age = now - known.firstSeen;
    if (!answers.empty() && age >= kSettleMs) {
      known.answered = answer(dialog, age);
    } else if (answers.empty() && age >= kUnexpectedMs) {
      known.answered = true;
      answeredLog.push_back("unexpected dialog " + describe(dialog, true) + " -> cancelled");
      ++failures;
      press(dialog, IDCANCEL);
    }
  }
}

bool dialogOpen() {
  return !openDialogs().empty();
}

const std::vector<std::string>& dialogLog() {
  return answeredLog;
}

int32_t dialogFailures() {
  return failures;
}

int32_t pendingAnswers() {
  return static_cast<int32_t>(answers.size());
}

// The two bottom-row buttons that act: "Старт" writes the output, the browse button chooses
// where.

#include <string>

#include "Upgnread/gamebase.h"
#include "Upgnread/splitting.h"
#include "gamesiftwnd/gamelist_win32.h"
#include "gamesiftwnd/outputedit_win32.h"
#include "gamesiftwnd/outputpath_logic.h"
#include "gamesiftwnd/panel_win32.h"
#include "gamesiftwnd/panelchildren_win32.h"
#include "pgnlongwork/jobs.h"
#include "pgnlongwork/jobstate.h"
#include "pgnlongwork/output.h"
#include "pgnstatwnd/statuswindow_win32.h"
#include "plugin/commands_win32.h"
#include "plugin/panelstate_logic.h"
#include "plugin/plugin_win32.h"

namespace {

TAnswer askAboutOneGame() {
  const std::wstring caption(kChooseOneCaption.begin(), kChooseOneCaption.end());
  const std::wstring question(kChooseOneQuestion.begin(), kChooseOneQuestion.end());
  switch (MessageBoxW(hostMainWindow, question.c_str(), caption.c_str(),
                      MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      return TAnswer::yes;
    case IDNO:
      return TAnswer::no;
    default:
      return TAnswer::cancel;
  }
}

}  // namespace

void VORLEN_CALL startBatch() {
  if (jobRunning()) return;  // see the commands (plugin/commands_win32.cpp)
  commitOutputEdit();
  const std::u16string path = outputPath;
  setCurrentFile(std::filesystem::path(path));
  chooseGames([] {
    refreshList();
    return askAboutOneGame();
  });
  bool any = false;
  {
    TLockHold hold(gameLock());
    any = !workList.empty();
  }
  if (any) runJobWithStatus(kJobWriteOutput);
}

void VORLEN_CALL chooseOutput() {
  if (jobRunning()) return;  // see the commands (plugin/commands_win32.cpp)
  std::wstring name(static_cast<size_t>(textBufferLength) + 1, L'\0');
  OPENFILENAMEW dialog = openFileDialog;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  if (!GetSaveFileNameW(&dialog)) return;
  name.resize(wcslen(name.c_str()));
  if (name.empty()) return;
  const std::u16string chosen = withoutExtension(std::u16string(name.begin(), name.end()));
  if (outputPathNeedsReset(chosen)) resetSettings();
  setOutputPath(chosen);
  showOutputPath();
}

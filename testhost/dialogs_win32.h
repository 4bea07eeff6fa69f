#pragma once
// Answers to the system dialogs the plug-in opens (message boxes, open and save dialogs, the
// folder browser): queued by the script before the action that opens the dialog, applied by the
// host when the dialog is up, as a user would: a button pressed, a path typed.

#include <string>
#include <vector>

enum class TAnswerKind { button, file, folder };

struct TDialogAnswer {
  TAnswerKind kind = TAnswerKind::button;
  int32_t button = 0;   // the command id to press
  std::u16string path;  // for a file or folder answer; relative to the host folder unless full
};

void queueAnswer(const TDialogAnswer& answer);
// Looks for dialogs of this thread and answers those that have been up long enough. Dialogs that
// nobody expected are cancelled after a while and counted as failures.
void answerDialogs();
// True while any dialog of this thread is visible.
bool dialogOpen();
// What was answered, in order, as UTF-8 lines; and how many dialogs went wrong.
const std::vector<std::string>& dialogLog();
int32_t dialogFailures();
int32_t pendingAnswers();

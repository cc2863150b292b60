// The scripted user: every modal moment (message box, dialog, folder browser, ...) asks it.
// A test queues answers beforehand; a modal with no queued answer of its kind gets the
// platform's cancel answer, is recorded as unanswered, and in strict mode fails the test.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <string>
#include <vector>

#include "sandbox/core.h"

namespace sandbox {

// What a modal showed the user.
struct Modal {
  std::string kind;     // "MessageBox", "BrowseForFolder", "Dialog", ...
  std::string caption;  // title of the window
  std::string text;     // message text, or the prompt
  unsigned style = 0;   // MB_* flags for message boxes, BIF_* flags for the folder browser, else 0
  bool answered = false;
  int result = 0;       // what the modal returned
};

// What the user does: the command result (IDOK, IDYES, ...) and, for modals that take text
// (a folder browser, an edit field), the text entered.
struct Answer {
  int result = 0;
  std::string text;
};

// Answer::result for "the user leaves the modal alone": a modal that is a window (a message box)
// then stays up, and its modal loop keeps running, until the program ends it: a WM_COMMAND with
// one of its button ids (posted or sent by any thread) or WM_CLOSE (the cancel answer). The
// record in Modals() gets the answer that ended it. A box left alone for kLeaveAloneLimitMs of
// real time fails the test through the failure handler and ends with the cancel answer, so a
// test whose program never answers fails instead of hanging.
constexpr int kLeaveAlone = -1;
constexpr int kLeaveAloneLimitMs = 30000;

// Queue an answer for the next modal of that kind (answers of one kind are taken in order).
SANDBOX_API void QueueAnswer(const std::string& kind, Answer answer);
SANDBOX_API size_t PendingAnswers();
// Every modal shown since the last reset, in order. A modal that was left alone and is still up
// has result kLeaveAlone.
SANDBOX_API std::vector<Modal> Modals();
SANDBOX_API void ClearModals();

}  // namespace sandbox

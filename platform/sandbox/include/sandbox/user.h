// The scripted user: every modal moment (message box, dialog, folder browser, ...) asks it.
// A test queues answers beforehand; a modal with no queued answer of its kind gets the
// platform's cancel answer, is recorded as unanswered, and in strict mode fails the test.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sandbox/core.h"

namespace sandbox {

// What a modal showed the user.
struct Modal {
  std::string kind;     // "MessageBox", "BrowseForFolder", "FileDialog", "PopupMenu", "Dialog",
                        // "Capture", "DragDrop", "LabelEdit", ...
  std::string caption;  // title of the window (a popup menu: its owner's)
  std::string text;     // message text, or the prompt; a dialog's template name ("#<id>" for an
                        // integer one, "" for a template in memory)
  unsigned style = 0;   // MB_* flags for message boxes, BIF_* flags for the folder browser, OFN_*
                        // flags for the file dialog, TPM_* flags for popup menus, else 0
  // A popup menu's entries, in order: a string item's text as it is stored ("&Open\tCtrl+O"),
  // "-" for a separator, "(owner-drawn)" and "(bitmap)" for those kinds; a submenu entry ends in
  // " >"; then " [grayed]", " [disabled]" and " [checked]" as the item's state says. The file
  // dialog's: "Filter: ...", "Default extension: ...", "OK: <its OK button's label>".
  std::vector<std::string> items;
  bool answered = false;
  int result = 0;       // what the modal returned
};

// What the user does: the command result (IDOK, IDYES, ..., a popup menu's command id or 0 for
// none) and, for modals that take text (a folder browser, an edit field), the text entered.
//
// `action` is what the user does while the modal is up, before it ends with `result`: it runs on
// the thread that shows the modal, with the modal's window (a message box's, an open popup
// menu's, a dialog's), once that window shows. It may look at the window, save its picture
// (WindowPicture), point at an item (HighlightMenuItem, sandbox/window_manager.h), work a dialog's
// controls (sandbox/dialog_user.h) or send it messages. Modals without a window of their own (the
// folder browser) get NULL.
//
// A dialog ("Dialog") ends only through its own code: when the action has not ended it, the
// user presses the button `result` (BM_CLICK on the dialog's button of that id, else the command
// of that id); with no answer queued, the user presses Escape (IDCANCEL). A dialog that the press
// does not end is reported through the failure handler and ended with IDCANCEL.
struct Answer {
  using Action = std::function<void(void* window)>;
  Answer() = default;
  Answer(int result, std::string text = {}, Action action = {})  // NOLINT: Answer{IDOK} reads well
      : result(result), text(std::move(text)), action(std::move(action)) {}
  int result = 0;
  std::string text;
  Action action;
};

// Answer::result for "the user leaves the modal alone": a modal that is a window (a message box,
// a dialog) then stays up, and its modal loop keeps running, until the program ends it: for a
// message box a WM_COMMAND with one of its button ids (posted or sent by any thread) or WM_CLOSE
// (the cancel answer), for a dialog its own EndDialog. The
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

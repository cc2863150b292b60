// MessageBox: a modal moment answered by the sandbox's scripted user. (It becomes a top-level
// window of class "#32770" once the window manager exists; the answers stay as they are.)
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "sandbox/internal.h"

namespace {

constexpr UINT kCancelTryContinue = 6;  // MB_CANCELTRYCONTINUE, not modelled

struct Buttons {
  int cancelAnswer;     // what closing the box (Esc, the close box) returns
  std::vector<int> ids; // the buttons it shows
};

// What each button set shows, and what a box nobody answers returns: IDCANCEL where there is a
// Cancel button; a box without one returns what closing it means there (OK, No, Abort).
const Buttons* ButtonsOf(UINT type) {
  static const Buttons kButtons[] = {
      /* MB_OK */ {IDOK, {IDOK}},
      /* MB_OKCANCEL */ {IDCANCEL, {IDOK, IDCANCEL}},
      /* MB_ABORTRETRYIGNORE */ {IDABORT, {IDABORT, IDRETRY, IDIGNORE}},
      /* MB_YESNOCANCEL */ {IDCANCEL, {IDYES, IDNO, IDCANCEL}},
      /* MB_YESNO */ {IDNO, {IDYES, IDNO}},
      /* MB_RETRYCANCEL */ {IDCANCEL, {IDRETRY, IDCANCEL}},
  };
  const UINT buttons = type & MB_TYPEMASK;
  return buttons < std::size(kButtons) ? &kButtons[buttons] : nullptr;
}

}  // namespace

extern "C" {

// MessageBox: the scripted user's answer for kind "MessageBox" (caption, text, style = type),
// else the cancel answer above. A NULL caption is "Error". An undefined button set fails with
// ERROR_INVALID_MSGBOX_STYLE and shows nothing.
WINUSERAPI int WINAPI MessageBox(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  if ((type & MB_TYPEMASK) == kCancelTryContinue) STANDIN_UNMODELLED_LASTERROR(0);
  const Buttons* buttons = ButtonsOf(type);
  if (buttons == nullptr) {
    ::SetLastError(ERROR_INVALID_MSGBOX_STYLE);
    return 0;
  }
  sandbox::Modal modal;
  modal.kind = "MessageBox";
  modal.caption = caption ? caption : "Error";
  modal.text = text ? text : "";
  modal.style = type;
  const sandbox::Answer answer = sandbox::internal::Ask(modal, buttons->cancelAnswer);
  if (std::find(buttons->ids.begin(), buttons->ids.end(), answer.result) == buttons->ids.end())
    sandbox::internal::Fail("MessageBox \"" + modal.caption + "\": the scripted answer " + std::to_string(answer.result) +
                            " is not a button of this box");
  return answer.result;
}

// MessageBeep: there is no speaker; the beep succeeds without a sound.
WINUSERAPI BOOL WINAPI MessageBeep(UINT) { return TRUE; }

}  // extern "C"

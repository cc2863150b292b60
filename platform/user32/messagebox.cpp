// MessageBox: a top-level window of class "#32770" (so CBT hooks see it and may refuse it, and
// other threads find it among the top-level windows), answered by the sandbox's scripted user.
// A scripted answer ends the box once its action (if any) has run; the answer "leave it alone" (sandbox::kLeaveAlone)
// keeps it up in a modal loop until the program ends it with a WM_COMMAND naming one of its
// buttons or with WM_CLOSE.
#include <algorithm>
#include <chrono>
#include <iterator>
#include <string>
#include <vector>

#include "user_state.h"

namespace {

constexpr UINT kCancelTryContinue = 6;  // MB_CANCELTRYCONTINUE, not modelled
constexpr char kBoxProperty[] = "StandIn.MessageBox";

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

bool IsButton(const Buttons& buttons, int id) {
  return std::find(buttons.ids.begin(), buttons.ids.end(), id) != buttons.ids.end();
}

// A box that is up: how it ended, set by its procedure on the box's thread.
struct Box {
  const Buttons* buttons;
  bool ended = false;
  int result = 0;
};

LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (auto* box = static_cast<Box*>(GetProp(window, kBoxProperty))) {
    if (message == WM_COMMAND && IsButton(*box->buttons, LOWORD(wParam))) {
      box->ended = true;
      box->result = LOWORD(wParam);
      return 0;
    }
    if (message == WM_CLOSE) {
      box->ended = true;
      box->result = box->buttons->cancelAnswer;
      return 0;
    }
  }
  return DefWindowProc(window, message, wParam, lParam);
}

// The modal loop of a box left alone: the thread's other windows keep getting their messages and
// messages sent to the thread are served. WM_QUIT ends the box with the cancel answer and is
// posted again for the loop outside, as a modal loop does. After the real-time limit the test
// fails instead of hanging.
int RunLeftAlone(HWND window, Box& box, const std::string& caption) {
  using Clock = std::chrono::steady_clock;
  const auto limit = Clock::now() + std::chrono::milliseconds(sandbox::kLeaveAloneLimitMs);
  while (!box.ended) {
    MSG msg;
    if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return box.buttons->cancelAnswer;
      }
      TranslateMessage(&msg);
      DispatchMessage(&msg);
      continue;
    }
    if (box.ended || !IsWindow(window)) break;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(limit - Clock::now()).count();
    if (left <= 0) {
      sandbox::internal::Fail("MessageBox \"" + caption + "\" was left alone for " +
                              std::to_string(sandbox::kLeaveAloneLimitMs / 1000) + " s and nothing ended it");
      return box.buttons->cancelAnswer;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
  }
  return box.ended ? box.result : box.buttons->cancelAnswer;
}

// A task-modal box without an owner disables every enabled top-level window of its thread while
// it is up; returns those it disabled, to be enabled again after.
std::vector<HWND> DisableThreadWindows(HWND box) {
  struct Collected {
    HWND box;
    std::vector<HWND> windows;
  } collected{box, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM lParam) -> BOOL {
        auto* c = reinterpret_cast<Collected*>(lParam);
        if (window != c->box && IsWindowEnabled(window)) c->windows.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&collected));
  for (HWND window : collected.windows) EnableWindow(window, FALSE);
  return collected.windows;
}

}  // namespace

extern "C" {

// MessageBox: the scripted user's answer for kind "MessageBox" (caption = the box's title after
// the hooks, text, style = type), else the cancel answer above. The owner is disabled while the
// box is up; with MB_TASKMODAL and no owner, every top-level window of the thread is. An undefined button set fails
// with ERROR_INVALID_MSGBOX_STYLE and shows nothing; a box a CBT hook refuses returns 0 and
// neither asks the scripted user nor is recorded (nobody saw it).
WINUSERAPI int WINAPI MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if ((type & MB_TYPEMASK) == kCancelTryContinue) STANDIN_UNMODELLED_LASTERROR(0);
  const Buttons* buttons = ButtonsOf(type);
  if (buttons == nullptr) {
    ::SetLastError(ERROR_INVALID_MSGBOX_STYLE);
    return 0;
  }
  const HWND window = CreateWindowEx(WS_EX_DLGMODALFRAME, "#32770", caption ? caption : "Error",
                                     WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 320, 120, owner,
                                     nullptr, nullptr, nullptr);
  if (window == nullptr) return 0;
  Box box{buttons};
  SetProp(window, kBoxProperty, &box);
  SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BoxProc));
  const HWND ownerWindow = GetWindow(window, GW_OWNER);
  const bool disabledOwner = ownerWindow != nullptr && !EnableWindow(ownerWindow, FALSE);
  const std::vector<HWND> disabledThreadWindows =
      (type & MB_MODEMASK) == MB_TASKMODAL && owner == nullptr ? DisableThreadWindows(window) : std::vector<HWND>();
  ShowWindow(window, SW_SHOW);

  sandbox::Modal modal;
  modal.kind = "MessageBox";
  char title[512];
  GetWindowText(window, title, sizeof title);
  modal.caption = title;
  modal.text = text ? text : "";
  modal.style = type;
  uint64_t ticket = 0;
  const sandbox::Answer answer = sandbox::internal::Ask(modal, buttons->cancelAnswer, &ticket);
  if (answer.action) answer.action(window);
  int result = answer.result;
  if (answer.result == sandbox::kLeaveAlone) {
    result = RunLeftAlone(window, box, modal.caption);
    sandbox::internal::FinishModal(ticket, result);
  } else if (!IsButton(*buttons, answer.result)) {
    sandbox::internal::Fail("MessageBox \"" + modal.caption + "\": the scripted answer " +
                            std::to_string(answer.result) + " is not a button of this box");
  }
  if (disabledOwner) EnableWindow(ownerWindow, TRUE);
  for (HWND disabled : disabledThreadWindows)
    if (IsWindow(disabled)) EnableWindow(disabled, TRUE);
  if (IsWindow(window)) {
    RemoveProp(window, kBoxProperty);
    DestroyWindow(window);
  }
  return result;
}

// MessageBeep: there is no speaker; the beep succeeds without a sound.
WINUSERAPI BOOL WINAPI MessageBeep(UINT) { return TRUE; }

}  // extern "C"

// Modal dialogs: DialogBoxParam & co., and the one modal loop every modal dialog runs in (MFC's
// CDialog::DoModal too). The scripted user is asked once the dialog shows; the dialog ends only
// through its own code (EndDialog): an answer's result is the button the user presses (clicked
// with BM_CLICK, or without such a button the command sent as a button would), IDCANCEL when no
// answer is queued, as Escape would; sandbox::kLeaveAlone keeps the dialog up until the program
// ends it. A dialog that an answer does not end is reported and ended with IDCANCEL, so a test
// fails instead of hanging.
#include <chrono>
#include <string>

#include "dialog_manager.h"
#include "sandbox/internal.h"
#include "user32_internal.h"

namespace user32::dialogs {
namespace {

std::string CaptionOf(HWND window) {
  char title[512] = "";
  GetWindowText(window, title, sizeof title);
  return title;
}

void Route(HWND dialog, MSG& message, ModalFilter filter, void* context) {
  if (filter != nullptr && filter(&message, context)) return;
  if (!IsDialogMessage(dialog, &message)) {
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
}

// Handles what the queue holds now, without waiting. False when WM_QUIT came (posted again).
bool Pump(HWND dialog, const Dialog& d, ModalFilter filter, void* context) {
  MSG message;
  while (!d.ended && PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    Route(dialog, message, filter, context);
  }
  return true;
}

// The user presses the button `id`: BM_CLICK on the dialog's button of that id, or without one
// the command a button of that id would send. A button the user cannot press (hidden or disabled)
// makes the script faulty: reported, nothing pressed (false).
bool Press(HWND dialog, int id, const std::string& caption) {
  const HWND button = GetDlgItem(dialog, id);
  if (button != nullptr && (SendMessage(button, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) {
    if (!IsWindowVisible(button) || !IsWindowEnabled(button)) {
      sandbox::internal::Fail("Dialog \"" + caption + "\": the user cannot press button " + std::to_string(id) +
                              (IsWindowVisible(button) ? ", which is disabled" : ", which is hidden"));
      return false;
    }
    SendMessage(button, BM_CLICK, 0, 0);
  } else {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  }
  return true;
}

// The modal loop of a dialog left alone, until its code ends it; WM_QUIT ends it with IDCANCEL
// (and is posted again), and after the real-time limit the test fails.
void RunLeftAlone(HWND dialog, Dialog& d, const std::string& caption, ModalFilter filter, void* context) {
  using Clock = std::chrono::steady_clock;
  const auto limit = Clock::now() + std::chrono::milliseconds(sandbox::kLeaveAloneLimitMs);
  while (!d.ended && IsWindow(dialog)) {
    if (!Pump(dialog, d, filter, context)) {
      d.ended = true;
      d.result = IDCANCEL;
      return;
    }
    if (d.ended) return;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(limit - Clock::now()).count();
    if (left <= 0) {
      sandbox::internal::Fail("Dialog \"" + caption + "\" was left alone for " +
                              std::to_string(sandbox::kLeaveAloneLimitMs / 1000) + " s and nothing ended it");
      EndDialog(dialog, IDCANCEL);
      return;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
  }
}

}  // namespace

void PumpQueueOf(HWND window) {
  const HWND top = GetAncestor(window, GA_ROOT);
  const std::shared_ptr<Dialog> d = top != nullptr ? Find(top) : nullptr;
  if (d && d->running) {
    Pump(top, *d, d->filter, d->filterContext);
    return;
  }
  MSG message;
  while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (d) {
      Route(top, message, nullptr, nullptr);  // a modeless dialog's keyboard
    } else {
      TranslateMessage(&message);
      DispatchMessage(&message);
    }
  }
}

}  // namespace user32::dialogs

namespace user32 {

INT_PTR RunModalDialog(HWND dialog, ModalFilter filter, void* context, const char* kind, const char* text) {
  using namespace dialogs;
  const std::shared_ptr<Dialog> d = Find(dialog);
  if (!d) return -1;
  if (d->ended) return d->result;  // ended before it showed (in WM_INITDIALOG): nobody saw it
  const HWND owner = GetWindow(dialog, GW_OWNER);
  const bool disabledOwner = owner != nullptr && !EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOWNORMAL);
  UpdateWindow(dialog);
  struct Running {  // the loop's filter, for the scripted user's hands, while it runs
    Dialog& d;
    const bool was;
    const ModalFilter filter;
    void* const context;
    Running(Dialog& d, ModalFilter f, void* c) : d(d), was(d.running), filter(d.filter), context(d.filterContext) {
      d.running = true;
      d.filter = f;
      d.filterContext = c;
    }
    ~Running() {
      d.running = was;
      d.filter = filter;
      d.filterContext = context;
    }
  } running(*d, filter, context);

  sandbox::Modal modal;
  modal.kind = kind != nullptr ? kind : "Dialog";
  modal.caption = CaptionOf(dialog);
  modal.text = text != nullptr ? std::string(text) : d->templateName;
  uint64_t ticket = 0;
  const sandbox::Answer answer = sandbox::internal::Ask(modal, IDCANCEL, &ticket);
  if (answer.action && Pump(dialog, *d, filter, context) && !d->ended) answer.action(dialog);
  if (Pump(dialog, *d, filter, context) && !d->ended) {
    if (answer.result == sandbox::kLeaveAlone) {
      RunLeftAlone(dialog, *d, modal.caption, filter, context);
    } else {
      if (!Press(dialog, answer.result, modal.caption)) {
        EndDialog(dialog, IDCANCEL);
      } else if (Pump(dialog, *d, filter, context) && !d->ended) {
        sandbox::internal::Fail("Dialog \"" + modal.caption + "\" did not end when the user pressed " +
                                std::to_string(answer.result));
        EndDialog(dialog, IDCANCEL);
      }
    }
  }
  const INT_PTR result = d->ended ? d->result : IDCANCEL;
  sandbox::internal::FinishModal(ticket, static_cast<int>(result));
  if (disabledOwner) EnableWindow(owner, TRUE);
  return result;
}

}  // namespace user32

namespace {

INT_PTR RunAndDestroy(HWND dialog) {
  if (dialog == nullptr) return -1;
  const INT_PTR result = user32::RunModalDialog(dialog, nullptr, nullptr);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  return result;
}

}  // namespace

extern "C" {

WINUSERAPI INT_PTR WINAPI DialogBoxParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc,
                                         LPARAM initParam) {
  return RunAndDestroy(CreateDialogParam(instance, templateName, parent, dialogProc, initParam));
}

WINUSERAPI INT_PTR WINAPI DialogBoxIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent,
                                                 DLGPROC dialogProc, LPARAM initParam) {
  return RunAndDestroy(CreateDialogIndirectParam(instance, dialogTemplate, parent, dialogProc, initParam));
}

}  // extern "C"

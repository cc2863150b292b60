// The dialog manager: dialogs made from templates (their font, dialog units and controls),
// DefDlgProc, EndDialog, the dialog manager's keyboard (IsDialogMessage) and the navigation
// between controls.
#include "dialog_manager.h"

#include <algorithm>
#include <map>
#include <vector>
#include <mutex>

#include "sandbox/internal.h"
#include "user_state.h"

namespace user32::dialogs {
namespace {

std::mutex g_lock;
std::map<HWND, std::shared_ptr<Dialog>> g_dialogs;

struct Registration {
  Registration() {
    sandbox::internal::RegisterReset("user32.dialogs", [] {
      std::map<HWND, std::shared_ptr<Dialog>> gone;
      {
        std::lock_guard<std::mutex> g(g_lock);
        gone.swap(g_dialogs);
      }
      for (auto& [window, dialog] : gone)
        if (dialog->ownFont) DeleteObject(dialog->font);
    });
  }
} g_registration;

std::shared_ptr<Dialog> Add(HWND window) {
  auto dialog = std::make_shared<Dialog>();
  std::lock_guard<std::mutex> g(g_lock);
  g_dialogs[window] = dialog;
  return dialog;
}

void Forget(HWND window) {
  std::shared_ptr<Dialog> dialog;
  {
    std::lock_guard<std::mutex> g(g_lock);
    auto found = g_dialogs.find(window);
    if (found == g_dialogs.end()) return;
    dialog = found->second;
    g_dialogs.erase(found);
  }
  if (dialog->ownFont) DeleteObject(dialog->font);
}

// The template's font (DS_SETFONT), at its point size on the display, or the system font.
HFONT FontOf(const DialogTemplate& t, bool& own) {
  own = false;
  if (!t.hasFont) return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  LOGFONT lf{};
  HDC screen = GetDC(nullptr);
  lf.lfHeight = -MulDiv(t.pointSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  lf.lfWeight = t.weight;
  lf.lfItalic = t.italic;
  lf.lfCharSet = t.charset;
  lstrcpyn(lf.lfFaceName, t.face.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirect(&lf);
  if (font == nullptr) return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  own = true;
  return font;
}

// The font's average character width and height, which make 4 and 8 dialog units.
void MeasureUnits(Dialog& dialog) {
  HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, dialog.font);
  TEXTMETRIC metrics{};
  if (GetTextMetrics(screen, &metrics)) {
    dialog.unitWidth = metrics.tmAveCharWidth;
    dialog.unitHeight = metrics.tmHeight;
  }
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
}

RECT ToPixels(const Dialog& dialog, short x, short y, short cx, short cy) {
  const int left = MulDiv(x, dialog.unitWidth, 4), top = MulDiv(y, dialog.unitHeight, 8);
  return {left, top, left + MulDiv(cx, dialog.unitWidth, 4), top + MulDiv(cy, dialog.unitHeight, 8)};
}

// Where a dialog that is no child goes on the screen: the template's place from the owner's
// client area (the screen's with DS_ABSALIGN or no owner), or centred on the owner (the screen)
// with DS_CENTER.
POINT ScreenPlace(const DialogTemplate& t, HWND owner, const RECT& r) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (t.style & DS_CENTER) {
    RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner != nullptr) GetWindowRect(owner, &around);
    return {around.left + (around.right - around.left - width) / 2,
            around.top + (around.bottom - around.top - height) / 2};
  }
  POINT origin{0, 0};
  if (owner != nullptr && !(t.style & DS_ABSALIGN)) ClientToScreen(owner, &origin);
  return {origin.x + r.left, origin.y + r.top};
}

HWND TopLevelOf(HWND window) {
  while (window != nullptr && (GetWindowLong(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  return window;
}

bool IsPlainControl(HWND window) {
  const LONG style = GetWindowLong(window, GWL_STYLE);
  return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

// The dialog's children, in order (z-order from the top: the order they were made).
std::vector<HWND> Controls(HWND dialog) {
  std::vector<HWND> controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    controls.push_back(child);
  return controls;
}

void SetControlFocus(HWND dialog, HWND control) {
  if (control == nullptr) return;
  // An edit gets the whole text selected, as when the user tabs into it.
  if (SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessage(control, EM_SETSEL, 0, -1);
  SetFocus(control);
  if (auto d = Find(dialog)) d->focus = control;
}

// The default push button's id: DM_SETDEFID's, else the first BS_DEFPUSHBUTTON's; 0 for none.
int DefaultId(HWND dialog, const Dialog& d) {
  if (d.defaultId != 0) return d.defaultId;
  for (HWND control : Controls(dialog))
    if (SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return GetDlgCtrlID(control);
  return 0;
}

void SetDefaultId(HWND dialog, Dialog& d, int id) {
  for (HWND control : Controls(dialog)) {
    const LRESULT code = SendMessage(control, WM_GETDLGCODE, 0, 0);
    if ((code & DLGC_DEFPUSHBUTTON) && GetDlgCtrlID(control) != id)
      SendMessage(control, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  }
  d.defaultId = id;
  if (HWND button = GetDlgItem(dialog, id))
    if (SendMessage(button, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON)
      SendMessage(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

// What the dialog does when its procedure leaves a message to the default processing.
LRESULT DefaultProcessing(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const std::shared_ptr<Dialog> d = Find(window);
  switch (message) {
    case WM_ERASEBKGND: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      auto brush =
          reinterpret_cast<HBRUSH>(SendMessage(window, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(window)));
      RECT box;
      GetClipBox(dc, &box);
      FillRect(dc, &box, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_SETFONT:
      if (d) d->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return d ? reinterpret_cast<LRESULT>(d->font) : 0;
    case DM_GETDEFID: {
      const int id = d ? DefaultId(window, *d) : 0;
      return id != 0 ? MAKELONG(id, DC_HASDEFID) : 0;
    }
    case DM_SETDEFID:
      if (d) SetDefaultId(window, *d, static_cast<int>(wParam));
      return TRUE;
    case WM_CLOSE:
      SendMessage(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                  reinterpret_cast<LPARAM>(GetDlgItem(window, IDCANCEL)));
      return 0;
    case WM_NEXTDLGCTL: {
      HWND to = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(window, GetFocus(), wParam != 0);
      SetControlFocus(window, to);
      return 0;
    }
    case WM_SETFOCUS: {
      HWND to = d && d->focus != nullptr && IsWindow(d->focus) ? d->focus : GetNextDlgTabItem(window, nullptr, FALSE);
      if (to != nullptr) SetFocus(to);
      return 0;
    }
    case WM_NCDESTROY: {
      const LRESULT result = DefWindowProc(window, message, wParam, lParam);
      Forget(window);
      return result;
    }
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

// Messages whose answer the dialog procedure returns itself rather than in DWLP_MSGRESULT.
bool AnswersItself(UINT message) {
  return message == WM_INITDIALOG || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

}  // namespace

std::shared_ptr<Dialog> Find(HWND window) {
  std::lock_guard<std::mutex> g(g_lock);
  auto found = g_dialogs.find(window);
  return found != g_dialogs.end() ? found->second : nullptr;
}

std::string NameOf(LPCSTR templateName) {
  if (templateName == nullptr) return {};
  if (IS_INTRESOURCE(templateName)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(templateName));
  return templateName;
}

std::optional<DialogTemplate> LoadTemplate(HINSTANCE instance, LPCSTR templateName) {
  HRSRC resource = FindResource(instance, templateName, RT_DIALOG);
  if (resource == nullptr) return std::nullopt;
  const void* data = LockResource(LoadResource(instance, resource));
  const DWORD size = SizeofResource(instance, resource);
  auto parsed = ReadDialogTemplate(data, size);
  if (!parsed) SetLastError(ERROR_INVALID_DATA);
  return parsed;
}

HWND Create(HINSTANCE instance, const DialogTemplate& t, HWND parent, DLGPROC dialogProc, LPARAM initParam,
            const std::string& templateName) {
  if (!t.menu.text.empty() || t.menu.IsOrdinal()) STANDIN_UNMODELLED_LASTERROR(HWND{});
  Dialog measured;
  bool ownFont = false;
  measured.font = FontOf(t, ownFont);
  MeasureUnits(measured);
  const bool child = (t.style & WS_CHILD) != 0;
  RECT r = ToPixels(measured, t.x, t.y, t.cx, t.cy);
  const HWND owner = !child && parent != nullptr ? TopLevelOf(parent) : nullptr;
  if (!child) {
    const POINT at = ScreenPlace(t, owner, r);
    OffsetRect(&r, at.x - r.left, at.y - r.top);
  }
  std::string className = t.windowClass.IsOrdinal() ? "#" + std::to_string(t.windowClass.ordinal) : t.windowClass.text;
  if (className.empty()) className = "#32770";
  const HWND window =
      CreateWindowEx(t.exStyle, className.c_str(), t.title.c_str(), t.style & ~WS_VISIBLE, r.left, r.top,
                     r.right - r.left, r.bottom - r.top, child ? parent : owner, nullptr, instance, nullptr);
  if (window == nullptr) {
    if (ownFont) DeleteObject(measured.font);
    return nullptr;
  }
  auto d = Add(window);
  d->font = measured.font;
  d->ownFont = ownFont;
  d->unitWidth = measured.unitWidth;
  d->unitHeight = measured.unitHeight;
  d->templateName = templateName;
  SetWindowLongPtr(window, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(dialogProc));
  if (t.hasFont) SendMessage(window, WM_SETFONT, reinterpret_cast<WPARAM>(d->font), FALSE);

  for (const ItemTemplate& item : t.items) {
    const RECT c = ToPixels(*d, item.x, item.y, item.cx, item.cy);
    const std::string title = item.title.IsOrdinal() ? std::string() : item.title.text;
    LPVOID data = item.creationData.empty() ? nullptr : const_cast<BYTE*>(item.creationData.data());
    const HWND control =
        CreateWindowEx(item.exStyle | WS_EX_NOPARENTNOTIFY, item.className.c_str(), title.c_str(),
                       item.style | WS_CHILD, c.left, c.top, c.right - c.left, c.bottom - c.top, window,
                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance, data);
    if (control == nullptr) {
      if (t.style & DS_NOFAILCREATE) continue;
      const DWORD error = GetLastError();
      DestroyWindow(window);
      SetLastError(error);
      return nullptr;
    }
    if (t.hasFont) SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(d->font), FALSE);
  }

  const HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
  const LRESULT focusFirst = SendMessage(window, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
  if (!IsWindow(window)) return nullptr;
  if (focusFirst && first != nullptr) SetControlFocus(window, first);
  if (t.style & WS_VISIBLE) {
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
  }
  return window;
}

}  // namespace user32::dialogs

using namespace user32::dialogs;

extern "C" {

WINUSERAPI HWND WINAPI CreateDialogIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent,
                                                 DLGPROC dialogProc, LPARAM initParam) {
  auto t = ReadDialogTemplate(dialogTemplate, SIZE_MAX);
  if (!t) return user32::Fail<HWND>(ERROR_INVALID_DATA, nullptr);
  return Create(instance, *t, parent, dialogProc, initParam, {});
}

WINUSERAPI HWND WINAPI CreateDialogParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc,
                                         LPARAM initParam) {
  auto t = LoadTemplate(instance, templateName);
  if (!t) return nullptr;
  return Create(instance, *t, parent, dialogProc, initParam, NameOf(templateName));
}

WINUSERAPI LRESULT WINAPI DefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtr(dialog, DWLP_DLGPROC));
  if (proc != nullptr) {
    SetWindowLongPtr(dialog, DWLP_MSGRESULT, 0);
    const INT_PTR handled = proc(dialog, message, wParam, lParam);
    if (handled) return AnswersItself(message) ? handled : GetWindowLongPtr(dialog, DWLP_MSGRESULT);
    if (!IsWindow(dialog)) return 0;
  }
  return DefaultProcessing(dialog, message, wParam, lParam);
}

WINUSERAPI BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
  auto d = Find(dialog);
  if (!d) return user32::Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  d->ended = true;
  d->result = result;
  ShowWindow(dialog, SW_HIDE);
  return TRUE;
}

WINUSERAPI LONG WINAPI GetDialogBaseUnits() {
  Dialog system;
  system.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  MeasureUnits(system);
  return MAKELONG(system.unitWidth, system.unitHeight);
}

WINUSERAPI BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect) {
  auto d = Find(dialog);
  if (!d) return user32::Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  if (rect == nullptr) return user32::Fail(ERROR_INVALID_PARAMETER, FALSE);
  rect->left = MulDiv(rect->left, d->unitWidth, 4);
  rect->right = MulDiv(rect->right, d->unitWidth, 4);
  rect->top = MulDiv(rect->top, d->unitHeight, 8);
  rect->bottom = MulDiv(rect->bottom, d->unitHeight, 8);
  return TRUE;
}

WINUSERAPI HWND WINAPI GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> controls = Controls(dialog);
  if (previous) std::reverse(controls.begin(), controls.end());
  const auto at = std::find(controls.begin(), controls.end(), control);
  const size_t start = at == controls.end() ? 0 : static_cast<size_t>(at - controls.begin()) + 1;
  for (size_t n = 0; n < controls.size(); ++n) {
    const HWND candidate = controls[(start + n) % controls.size()];
    if (IsPlainControl(candidate) && (GetWindowLong(candidate, GWL_STYLE) & WS_TABSTOP)) return candidate;
  }
  return control;
}

WINUSERAPI HWND WINAPI GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  const std::vector<HWND> controls = Controls(dialog);
  const auto at = std::find(controls.begin(), controls.end(), control);
  if (at == controls.end()) return GetNextDlgTabItem(dialog, nullptr, FALSE);
  // The group: from the last control with WS_GROUP up to this one, to before the next one.
  size_t first = static_cast<size_t>(at - controls.begin());
  while (first > 0 && !(GetWindowLong(controls[first], GWL_STYLE) & WS_GROUP)) --first;
  size_t end = static_cast<size_t>(at - controls.begin()) + 1;
  while (end < controls.size() && !(GetWindowLong(controls[end], GWL_STYLE) & WS_GROUP)) ++end;
  std::vector<HWND> group(controls.begin() + static_cast<std::ptrdiff_t>(first),
                          controls.begin() + static_cast<std::ptrdiff_t>(end));
  if (previous) std::reverse(group.begin(), group.end());
  const size_t self = static_cast<size_t>(std::find(group.begin(), group.end(), control) - group.begin());
  for (size_t n = 1; n <= group.size(); ++n) {
    const HWND candidate = group[(self + n) % group.size()];
    if (IsPlainControl(candidate)) return candidate;
  }
  return control;
}

WINUSERAPI BOOL WINAPI IsDialogMessage(HWND dialog, LPMSG message) {
  if (message == nullptr || dialog == nullptr) return FALSE;
  if (message->hwnd != dialog && !IsChild(dialog, message->hwnd)) return FALSE;
  if (message->message == WM_KEYDOWN &&
      (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE || message->wParam == VK_TAB)) {
    const LRESULT code = SendMessage(message->hwnd, WM_GETDLGCODE, message->wParam, reinterpret_cast<LPARAM>(message));
    const bool wanted = (code & DLGC_WANTALLKEYS) || (message->wParam == VK_TAB && (code & DLGC_WANTTAB));
    if (!wanted) {
      switch (message->wParam) {
        case VK_TAB:
          SendMessage(dialog, WM_NEXTDLGCTL, 0, 0);
          return TRUE;
        case VK_ESCAPE: {
          const HWND cancel = GetDlgItem(dialog, IDCANCEL);
          if (cancel == nullptr || IsWindowEnabled(cancel))
            SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
          return TRUE;
        }
        case VK_RETURN: {
          // The focused push button, else the default one, else IDOK.
          const HWND focus = GetFocus();
          int id = IDOK;
          if (focus != nullptr && IsChild(dialog, focus) &&
              (SendMessage(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
            id = GetDlgCtrlID(focus);
          } else if (const LRESULT defId = SendMessage(dialog, DM_GETDEFID, 0, 0); HIWORD(defId) == DC_HASDEFID) {
            id = LOWORD(defId);
          }
          const HWND button = GetDlgItem(dialog, id);
          if (button == nullptr || IsWindowEnabled(button))
            SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
          return TRUE;
        }
      }
    }
  }
  TranslateMessage(message);
  DispatchMessage(message);
  return TRUE;
}

WINUSERAPI LRESULT WINAPI SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND control = GetDlgItem(dialog, id);
  return control != nullptr ? SendMessage(control, message, wParam, lParam) : 0;
}

WINUSERAPI BOOL WINAPI SetDlgItemText(HWND dialog, int id, LPCSTR text) {
  const HWND control = GetDlgItem(dialog, id);
  return control != nullptr && SetWindowText(control, text);
}

WINUSERAPI UINT WINAPI GetDlgItemText(HWND dialog, int id, LPSTR text, int maxCount) {
  const HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) {
    if (text != nullptr && maxCount > 0) text[0] = '\0';
    return 0;
  }
  return static_cast<UINT>(GetWindowText(control, text, maxCount));
}

WINUSERAPI BOOL WINAPI SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  char text[16];
  wsprintf(text, isSigned ? "%d" : "%u", value);
  return SetDlgItemText(dialog, id, text);
}

WINUSERAPI UINT WINAPI GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (translated != nullptr) *translated = FALSE;
  char text[64] = "";
  if (GetDlgItem(dialog, id) == nullptr) return 0;
  GetDlgItemText(dialog, id, text, sizeof text);
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = false;
  if (isSigned && (*p == '-' || *p == '+')) negative = *p++ == '-';
  if (*p < '0' || *p > '9') return 0;
  unsigned long long value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + static_cast<unsigned>(*p - '0');
    if (value > 0xFFFFFFFFull) return 0;
  }
  while (*p == ' ' || *p == '\t') ++p;
  if (*p != '\0') return 0;
  if (isSigned && value > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return 0;
  if (translated != nullptr) *translated = TRUE;
  return negative ? static_cast<UINT>(-static_cast<long long>(value)) : static_cast<UINT>(value);
}

WINUSERAPI BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check) {
  const HWND button = GetDlgItem(dialog, id);
  if (button == nullptr) return FALSE;
  SendMessage(button, BM_SETCHECK, check, 0);
  return TRUE;
}

WINUSERAPI UINT WINAPI IsDlgButtonChecked(HWND dialog, int id) {
  const HWND button = GetDlgItem(dialog, id);
  return button != nullptr ? static_cast<UINT>(SendMessage(button, BM_GETCHECK, 0, 0)) : 0;
}

WINUSERAPI BOOL WINAPI CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
  for (HWND control : Controls(dialog)) {
    const int id = GetDlgCtrlID(control);
    if (id >= firstId && id <= lastId)
      SendMessage(control, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}

}  // extern "C"

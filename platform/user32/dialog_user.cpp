// The scripted user's hands in a dialog (sandbox/dialog_user.h): what it reads of the controls and
// how it works them, through the controls' own messages, as a user's keys and clicks would.
#include <string>
#include <vector>

#include "controls.h"
#include "sandbox/dialog_user.h"
#include "sandbox/internal.h"

namespace user32::dialogs {
namespace {

HWND AsWindow(const void* dialog) { return static_cast<HWND>(const_cast<void*>(dialog)); }

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassName(window, name, sizeof name);
  return name;
}

// The dialog's control `id`; null (reported) when there is none.
HWND ControlOf(const void* dialog, int id, const char* call) {
  const HWND control = IsWindow(AsWindow(dialog)) ? GetDlgItem(AsWindow(dialog), id) : nullptr;
  if (control == nullptr)
    sandbox::internal::Fail(std::string(call) + ": the dialog has no control " + std::to_string(id));
  return control;
}

// The control a user can work: it shows and is enabled; it gets the focus.
HWND Workable(const void* dialog, int id, const char* call) {
  const HWND control = ControlOf(dialog, id, call);
  if (control == nullptr) return nullptr;
  if (!IsWindowVisible(control) || !IsWindowEnabled(control)) {
    sandbox::internal::Fail(std::string(call) + ": control " + std::to_string(id) +
                            " is hidden or disabled; a user cannot work it");
    return nullptr;
  }
  SendMessage(AsWindow(dialog), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  return control;
}

bool IsComboBox(HWND control) { return lstrcmpi(ClassOf(control).c_str(), WC_COMBOBOX) == 0; }
bool IsListBox(HWND control) { return lstrcmpi(ClassOf(control).c_str(), WC_LISTBOX) == 0; }

}  // namespace
}  // namespace user32::dialogs

using namespace user32::dialogs;

namespace sandbox {

std::string ControlText(const void* dialog, int id) {
  const HWND control = ControlOf(dialog, id, "ControlText");
  return control != nullptr ? user32::controls::TextOf(control) : std::string();
}

void TypeText(const void* dialog, int id, const std::string& text) {
  const HWND control = Workable(dialog, id, "TypeText");
  if (control == nullptr) return;
  if (IsComboBox(control)) {
    if ((GetWindowLong(control, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST) {
      internal::Fail("TypeText: control " + std::to_string(id) + " is a drop-down list; a user picks its items");
      return;
    }
    const std::string typed = text.substr(0, user32::controls::ComboEditLimit(control));
    SetWindowText(control, typed.c_str());
    user32::controls::Notify(control, CBN_EDITCHANGE);
    return;
  }
  if (lstrcmpi(ClassOf(control).c_str(), WC_EDIT) != 0) {
    internal::Fail("TypeText: control " + std::to_string(id) + " is no edit");
    return;
  }
  if (GetWindowLong(control, GWL_STYLE) & ES_READONLY) {
    internal::Fail("TypeText: edit " + std::to_string(id) + " is read-only");
    return;
  }
  const std::string typed = text.substr(0, static_cast<size_t>(SendMessage(control, EM_GETLIMITTEXT, 0, 0)));
  SetWindowText(control, typed.c_str());  // the edit tells its parent EN_CHANGE
  SendMessage(control, EM_SETMODIFY, TRUE, 0);
  SendMessage(control, EM_SETSEL, typed.size(), static_cast<LPARAM>(typed.size()));
}

int CheckState(const void* dialog, int id) {
  const HWND control = ControlOf(dialog, id, "CheckState");
  return control != nullptr ? static_cast<int>(SendMessage(control, BM_GETCHECK, 0, 0)) : BST_UNCHECKED;
}

void ClickButton(const void* dialog, int id) {
  const HWND control = Workable(dialog, id, "ClickButton");
  if (control == nullptr) return;
  if (!(SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) {
    internal::Fail("ClickButton: control " + std::to_string(id) + " is no button");
    return;
  }
  SendMessage(control, BM_CLICK, 0, 0);
}

void SetCheck(const void* dialog, int id, int state) {
  for (int clicks = 0; clicks < 3; ++clicks) {
    if (CheckState(dialog, id) == state) return;
    const HWND control = Workable(dialog, id, "SetCheck");
    if (control == nullptr) return;
    SendMessage(control, BM_CLICK, 0, 0);
  }
  if (CheckState(dialog, id) != state)
    internal::Fail("SetCheck: button " + std::to_string(id) + " does not take the state " + std::to_string(state) +
                   " when it is clicked");
}

std::vector<std::string> ControlItems(const void* dialog, int id) {
  std::vector<std::string> items;
  const HWND control = ControlOf(dialog, id, "ControlItems");
  if (control == nullptr) return items;
  const bool combo = IsComboBox(control);
  const LRESULT count = SendMessage(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessage(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::string item(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    SendMessage(control, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i),
                reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<size_t>(length > 0 ? length : 0));
    items.push_back(item);
  }
  return items;
}

int SelectedItem(const void* dialog, int id) {
  const HWND control = ControlOf(dialog, id, "SelectedItem");
  if (control == nullptr) return -1;
  return static_cast<int>(SendMessage(control, IsComboBox(control) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

void SelectItem(const void* dialog, int id, const std::string& text) {
  const HWND control = Workable(dialog, id, "SelectItem");
  if (control == nullptr) return;
  const bool combo = IsComboBox(control);
  if (!combo && !IsListBox(control)) {
    internal::Fail("SelectItem: control " + std::to_string(id) + " has no items");
    return;
  }
  const LRESULT index = SendMessage(control, combo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(text.c_str()));
  if (index < 0) {
    internal::Fail("SelectItem: control " + std::to_string(id) + " has no item \"" + text + "\"");
    return;
  }
  SendMessage(control, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (combo)
    user32::controls::Notify(control, CBN_SELCHANGE);
  else if (GetWindowLong(control, GWL_STYLE) & LBS_NOTIFY)
    user32::controls::Notify(control, LBN_SELCHANGE);
}

}  // namespace sandbox

// What the dialog controls share, and their classes among the system's.
#include "controls.h"

#include <cstring>

#include "sandbox/internal.h"
#include "user_state.h"

namespace user32::controls {

void OnReset(const char* name, void (*clear)()) { sandbox::internal::RegisterReset(name, clear); }

void Notify(HWND control, WORD code) {
  const HWND parent = GetParent(control);
  if (parent == nullptr) return;
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

HBRUSH ParentBrush(HWND control, HDC dc, UINT ctlColorMessage, int defaultColor) {
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(defaultColor));
  const HWND parent = GetParent(control);
  HBRUSH brush = nullptr;
  if (parent != nullptr)
    brush = reinterpret_cast<HBRUSH>(
        SendMessage(parent, ctlColorMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  return brush != nullptr ? brush : GetSysColorBrush(defaultColor);
}

HGDIOBJ SelectFont(HDC dc, HFONT font) {
  return SelectObject(dc, font != nullptr ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
}

int LineHeight(HFONT font) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectFont(dc, font);
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return metrics.tmHeight;
}

std::string TextOf(HWND window) {
  const int length = GetWindowTextLength(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowText(window, text.data(), length + 1)));
  return text;
}

int StringList::Add(const std::string& text, bool sorted) {
  size_t at = items_.size();
  if (sorted) {
    at = 0;
    while (at < items_.size() && lstrcmpi(items_[at].text.c_str(), text.c_str()) <= 0) ++at;
  }
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), Item{text, 0});
  return static_cast<int>(at);
}

int StringList::Insert(int index, const std::string& text) {
  if (index == -1) index = Count();
  if (index < 0 || index > Count()) return -1;
  items_.insert(items_.begin() + index, Item{text, 0});
  return index;
}

int StringList::Delete(int index) {
  if (At(index) == nullptr) return -1;
  items_.erase(items_.begin() + index);
  return Count();
}

const StringList::Item* StringList::At(int index) const {
  return index >= 0 && index < Count() ? &items_[static_cast<size_t>(index)] : nullptr;
}

StringList::Item* StringList::At(int index) {
  return index >= 0 && index < Count() ? &items_[static_cast<size_t>(index)] : nullptr;
}

int StringList::Find(int start, const std::string& text, bool exact) const {
  const int count = Count();
  if (count == 0) return -1;
  const int first = start < 0 || start >= count ? 0 : start + 1;
  for (int n = 0; n < count; ++n) {
    const int i = (first + n) % count;
    const std::string& item = items_[static_cast<size_t>(i)].text;
    if (exact ? lstrcmpi(item.c_str(), text.c_str()) == 0
              : item.size() >= text.size() && lstrcmpi(item.substr(0, text.size()).c_str(), text.c_str()) == 0)
      return i;
  }
  return -1;
}

LRESULT CopyItemText(const StringList& list, int index, LPSTR buffer, LRESULT error) {
  const StringList::Item* item = list.At(index);
  if (item == nullptr) return error;
  if (buffer != nullptr) std::memcpy(buffer, item->text.c_str(), item->text.size() + 1);
  return static_cast<LRESULT>(item->text.size());
}

}  // namespace user32::controls

namespace user32 {

std::vector<std::shared_ptr<WindowClass>> MakeDialogControlClasses(State& state, MakeSystemClass make) {
  struct Kind {
    const char* name;
    WNDPROC proc;
    UINT style;
  };
  const Kind kinds[] = {
      {"Button", controls::ButtonProc, CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS},
      {"Edit", controls::EditProc, CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS},
      {"ListBox", controls::ListBoxProc, CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS},
      {"ComboBox", controls::ComboBoxProc, CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS},
  };
  std::vector<std::shared_ptr<WindowClass>> classes;
  for (const Kind& kind : kinds) {
    auto c = make(state, kind.name, 0);
    c->proc = kind.proc;
    c->style = kind.style;
    classes.push_back(c);
  }
  return classes;
}

}  // namespace user32

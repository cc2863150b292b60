// What the dialog controls share: their state kept per window (a control's state goes with its
// WM_NCDESTROY and with a sandbox reset), the font each draws in, the brush its parent gives it,
// notifications to the parent, and the list of strings list boxes and combo boxes hold.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace user32::controls {

// Registers the registry of per-window states of one control class for the sandbox's reset.
void OnReset(const char* name, void (*clear)());

template <class T>
class PerWindow {
 public:
  // The window's state, made on first use.
  std::shared_ptr<T> Get(HWND window) {
    std::lock_guard<std::mutex> g(lock_);
    auto& state = states_[window];
    if (!state) state = std::make_shared<T>();
    return state;
  }
  void Erase(HWND window) {
    std::lock_guard<std::mutex> g(lock_);
    states_.erase(window);
  }
  void Clear() {
    std::lock_guard<std::mutex> g(lock_);
    states_.clear();
  }

 private:
  std::mutex lock_;
  std::map<HWND, std::shared_ptr<T>> states_;
};

// The messages every control answers alike, for a state T with a `font`: WM_SETFONT (kept; redrawn
// when lParam asks), WM_GETFONT, WM_ENABLE (redrawn), WM_ERASEBKGND (nothing: `paint` paints the
// whole control), WM_PAINT (`paint`), WM_NCDESTROY (the state goes). False for any other message.
template <class T>
bool AnswerCommon(PerWindow<T>& states, HWND window, UINT message, WPARAM wParam, LPARAM lParam, void (*paint)(HWND),
                  LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_SETFONT:
      states.Get(window)->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(window, nullptr, TRUE);
      return true;
    case WM_GETFONT:
      result = reinterpret_cast<LRESULT>(states.Get(window)->font);
      return true;
    case WM_ENABLE:
      InvalidateRect(window, nullptr, TRUE);
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT:
      paint(window);
      return true;
    case WM_NCDESTROY:
      states.Erase(window);
      result = DefWindowProc(window, message, wParam, lParam);
      return true;
    default:
      return false;
  }
}

// The control's parent gets WM_COMMAND with the control's id and `code`.
void Notify(HWND control, WORD code);
// The brush the parent answers to `ctlColorMessage` (it may set the DC's colours), or, when it
// answers none, `defaultColor`'s brush with that colour as the DC's background and the window
// text colour.
HBRUSH ParentBrush(HWND control, HDC dc, UINT ctlColorMessage, int defaultColor);
// Selects the control's font (NULL: the system font) into the DC; returns the font it replaced.
HGDIOBJ SelectFont(HDC dc, HFONT font);
// The height of a line of text in the font.
int LineHeight(HFONT font);
// The text of a window (its title).
std::string TextOf(HWND window);

// The strings of a list box or a combo box's list, each with its item data.
class StringList {
 public:
  struct Item {
    std::string text;
    ULONG_PTR data = 0;
  };
  int Count() const { return static_cast<int>(items_.size()); }
  // At the end, or (sorted) after the last item that is not greater without regard to case.
  int Add(const std::string& text, bool sorted);
  // At `index` (-1: the end); -1 when the index lies past the end.
  int Insert(int index, const std::string& text);
  // The count left, or -1 for an index that is no item.
  int Delete(int index);
  void Clear() { items_.clear(); }
  const Item* At(int index) const;
  Item* At(int index);
  // The first item after `start` (-1: from the first) that begins with `text` (or is `text`,
  // exact), without regard to case, wrapping around; -1 when none.
  int Find(int start, const std::string& text, bool exact) const;

 private:
  std::vector<Item> items_;
};

// Copies an item's text into the buffer (with its NUL); its length, or `error` for no item.
LRESULT CopyItemText(const StringList& list, int index, LPSTR buffer, LRESULT error);

// What a user may type into a combo box's edit field (CB_LIMITTEXT; there is no message to ask).
UINT ComboEditLimit(HWND comboBox);

// The control classes' procedures (button_control.cpp, edit_control.cpp, list_box.cpp,
// combo_box.cpp).
LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ComboBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace user32::controls

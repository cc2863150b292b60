// The window manager's state: classes, windows, thread queues and hooks, under one lock.
//
// Locking: every public call takes the lock briefly to read or change the state and never holds
// it while it calls out (window procedures, hooks, kernel32 waits, the sandbox's failure handler),
// since those call back into user32 and other threads must go on meanwhile.
#pragma once

#include <windows.h>

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "gdi32/surface.h"
#include "sandbox/internal.h"

namespace user32 {

struct WindowClass {
  ATOM atom = 0;
  std::string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int classExtraBytes = 0;
  int windowExtraBytes = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr, smallIcon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  LPCSTR menuName = nullptr;  // an integer resource, or text kept in menuNameText
  std::string menuNameText;
  bool system = false;
  int windows = 0;  // windows of the class that exist
};

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<WindowClass> windowClass;
  WNDPROC proc = nullptr;
  std::string title;
  DWORD style = 0, exStyle = 0;
  LONG_PTR id = 0;               // GWLP_ID: a child's id, a top-level window's menu
  HWND parent = nullptr;         // the desktop for a top-level window; null for the desktop
  HWND owner = nullptr;
  std::vector<HWND> children;    // z-order, top first
  RECT rect{};                   // the client area, in the parent's client coordinates
  // The non-client area's thickness on each side, as the window's procedure answered
  // WM_NCCALCSIZE at its creation (DefWindowProc: none). The window rectangle is `rect` grown by
  // it; the non-client area is never drawn.
  RECT frame{};
  DWORD thread = 0;              // 0: the desktop, which belongs to no thread
  HINSTANCE instance = nullptr;
  LONG_PTR userData = 0;
  std::vector<BYTE> extra;       // cbWndExtra bytes
  std::vector<std::pair<std::string, HANDLE>> props;
  bool linked = false;           // in its parent's children (false while a CBT hook decides)
  bool destroying = false;       // DestroyWindow has begun
  // Painting: the update region's bounds (client coordinates, empty when there is nothing to
  // paint), whether it is to be erased first, WM_SETREDRAW's switch, and a top-level window's
  // picture (made on first use, remade at the window's size).
  RECT update{0, 0, 0, 0};
  bool erase = false;
  bool redraw = true;
  std::shared_ptr<gdi32::Surface> surface;
  HWND lastActivePopup = nullptr;  // of a root owner: the window it owns that was activated last
  SCROLLINFO scrollBars[2]{};      // SB_HORZ and SB_VERT: range, page and position
};

struct SentMessage;

struct Timer {
  HWND window = nullptr;
  UINT_PTR id = 0;
  UINT interval = 0;
  TIMERPROC proc = nullptr;
  sandbox::internal::ClockDeadline due;
};

// A thread's queue, made on its first message call or window.
struct ThreadQueue {
  DWORD thread = 0;
  HANDLE wake = nullptr;  // auto-reset event: set whenever something arrives for the thread
  std::deque<MSG> posted;
  std::deque<std::shared_ptr<SentMessage>> incoming;
  bool quit = false;
  int quitCode = 0;
  std::vector<Timer> timers;
  UINT_PTR nextTimerId = 1;
  HWND focus = nullptr;
  HWND active = nullptr;
  DWORD lastMessageTime = 0;
  // GetKeyState: the keys and buttons as of the last input message the thread retrieved (0x80
  // down, 0x01 toggled).
  BYTE keys[256] = {};
};

// A message sent by another thread, waiting for the window's thread to serve it.
struct SentMessage {
  HWND window = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
  bool done = false;
  bool withdrawn = false;  // the sender stopped waiting (SendMessageTimeout)
  std::shared_ptr<ThreadQueue> sender;
};

struct Hook {
  HHOOK handle = nullptr;
  int type = 0;
  HOOKPROC proc = nullptr;
  DWORD thread = 0;     // 0: every thread
  DWORD installer = 0;  // the thread that installed it
  bool removed = false;
};

struct State {
  std::mutex lock;
  std::unordered_map<uintptr_t, std::shared_ptr<Window>> windows;
  uintptr_t nextHandle = 0x00010010;
  HWND desktop = nullptr;
  std::vector<std::shared_ptr<WindowClass>> classes;
  std::map<std::string, ATOM> atoms;  // upper-cased name -> atom (classes and messages share it)
  ATOM nextAtom = 0xC000;
  std::map<DWORD, std::shared_ptr<ThreadQueue>> queues;
  std::vector<std::shared_ptr<Hook>> hooks;  // latest first
  uintptr_t nextHook = 0x00020004;
  HWND foreground = nullptr;
};

State& S();
std::mutex& Lock();

// The system's classes ("#32769" the desktop, "#32770" dialogs and message boxes, "#32768" popup
// menus, "Static" the static control, the dialog controls), registered from the start and after
// every reset.
std::vector<std::shared_ptr<WindowClass>> MakeSystemClasses(State& state);
// The static control's procedure (static_control.cpp).
LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The dialog controls' classes ("Button", "Edit", "ListBox", "ComboBox"), made by `make` as the
// system's classes are (controls.cpp).
using MakeSystemClass = std::shared_ptr<WindowClass> (*)(State&, const char*, int);
std::vector<std::shared_ptr<WindowClass>> MakeDialogControlClasses(State& state, MakeSystemClass make);
// The class a window of `name` (or atom) made for `instance` gets: the module's own, a global
// one, or the system's; null when there is none.
std::shared_ptr<WindowClass> FindClassLocked(LPCSTR name, HINSTANCE instance);

// With the lock held.
std::shared_ptr<Window> FindLocked(HWND window);
HWND NewHandleLocked();
ATOM AtomLocked(const std::string& name, bool create);  // 0 when absent and not created
std::string AtomNameLocked(ATOM atom);
bool IsDescendantLocked(HWND ancestor, HWND window);
// The window's top-level ancestor (the window itself when it is top-level).
HWND RootLocked(HWND window);
// The window's frame from the client area its procedure answered to WM_NCCALCSIZE, `rect` holding
// the window rectangle on entry and the client area after (window_pos.cpp). An answer that is
// not inside the window rectangle leaves it all client area.
void SetFrameLocked(Window& window, const RECT& client);
// The window rectangle in the parent's client coordinates: the client area grown by the frame.
RECT WindowRectLocked(const Window& window);
void UnlinkLocked(Window& window);
void LinkLocked(Window& window, HWND parent, HWND insertAfter);
// Removes the window and its whole subtree without sending anything (thread end, reset).
void ForgetTreeLocked(HWND window);
std::shared_ptr<ThreadQueue> QueueOfLocked(DWORD thread);
// Notes an activated window on its root owner, for GetLastActivePopup (popups.cpp).
void NoteActivationLocked(HWND window);

// The window, or null with ERROR_INVALID_WINDOW_HANDLE.
std::shared_ptr<Window> Find(HWND window);
// The calling thread's queue, made on first use.
std::shared_ptr<ThreadQueue> MyQueue();
void Wake(const ThreadQueue& queue);

// Copies text into a buffer of `size` bytes with its NUL, never cutting a double-byte character;
// returns the bytes copied without the NUL (0 when size is 0).
int CopyText(const std::string& text, LPSTR buffer, int size);

// ASCII case folding, as the window manager compares class names, titles and atoms.
std::string Upper(const std::string& text);
bool EqualNoCase(const std::string& a, const std::string& b);

// Sets the last error and returns `result`.
template <class T>
T Fail(DWORD error, T result) {
  SetLastError(error);
  return result;
}

}  // namespace user32

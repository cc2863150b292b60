// The keyboard the sandbox presses: keys go down for GetAsyncKeyState at once and reach the focus
// window of the foreground thread as posted WM_KEYDOWN/WM_KEYUP; each thread's GetKeyState follows
// the input messages it has retrieved; TranslateMessage makes WM_CHAR of character keys (the US
// layout), read next.
#include "keyboard.h"

#include "message_queue.h"
#include "pointer.h"
#include "sandbox/input.h"

using namespace user32;

namespace user32::keyboard {
namespace {

bool IsKeyMessage(UINT message) { return message >= WM_KEYDOWN && message <= WM_SYSKEYUP && message != WM_CHAR; }

// The window keys go to: the focus window of the foreground window's thread, else of the calling
// thread; null when that thread has no focus.
HWND KeyTargetLocked() {
  DWORD thread = GetCurrentThreadId();
  if (auto foreground = FindLocked(S().foreground)) thread = foreground->thread;
  auto queue = QueueOfLocked(thread);
  return queue && FindLocked(queue->focus) ? queue->focus : nullptr;
}

void Key(int key, bool down) {
  if (key <= 0 || key > 255) {
    sandbox::internal::Fail("sandbox key " + std::to_string(key) + " is no virtual-key code");
    return;
  }
  HWND target;
  bool wasDown;
  {
    std::lock_guard<std::mutex> g(Lock());
    BYTE& state = pointer::StateLocked().keys[key];
    wasDown = (state & 0x80) != 0;
    state = down ? 0x80 : 0;
    target = KeyTargetLocked();
  }
  if (target == nullptr) return;
  LPARAM lParam = 1;
  if (wasDown) lParam |= 1 << 30;
  if (!down) lParam |= static_cast<LPARAM>(1u << 31);
  POINT at;
  GetCursorPos(&at);
  pointer::PostInput(target, down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(key), lParam, at);
}

// The character a key makes with the thread's Shift, Ctrl and Caps Lock; 0 for none.
char CharacterOf(const ThreadQueue& queue, WPARAM key) {
  const bool shift = (queue.keys[VK_SHIFT] & 0x80) != 0, control = (queue.keys[VK_CONTROL] & 0x80) != 0;
  const bool capsLock = (queue.keys[VK_CAPITAL] & 0x01) != 0;
  if (key >= 'A' && key <= 'Z') {
    if (control) return static_cast<char>(key - 'A' + 1);
    return static_cast<char>((shift != capsLock) ? key : key - 'A' + 'a');
  }
  if (control) return 0;
  if (key >= '0' && key <= '9') return shift ? ")!@#$%^&*("[key - '0'] : static_cast<char>(key);
  switch (key) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_ESCAPE: return 0x1B;
    case VK_BACK: return 0x08;
    case VK_TAB: return '\t';
    default: return 0;
  }
}

}  // namespace

void NoteRetrievedLocked(ThreadQueue& queue, const MSG& msg) {
  if (IsKeyMessage(msg.message) && msg.wParam < 256) {
    BYTE& state = queue.keys[msg.wParam];
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
      if (!(state & 0x80)) state ^= 0x01;  // a new press toggles
      state |= 0x80;
    } else {
      state &= static_cast<BYTE>(~0x80);
    }
  } else if (msg.message >= WM_MOUSEMOVE && msg.message <= WM_RBUTTONDBLCLK) {
    const auto set = [&](int key, bool down) {
      queue.keys[key] = static_cast<BYTE>(down ? (queue.keys[key] | 0x80) : (queue.keys[key] & ~0x80));
    };
    set(VK_LBUTTON, (msg.wParam & MK_LBUTTON) != 0);
    set(VK_RBUTTON, (msg.wParam & MK_RBUTTON) != 0);
  }
}

}  // namespace user32::keyboard

extern "C" {

WINUSERAPI SHORT WINAPI GetKeyState(int key) {
  if (key < 0 || key > 255) return 0;
  std::lock_guard<std::mutex> g(Lock());
  auto queue = QueueOfLocked(GetCurrentThreadId());
  if (!queue) return 0;
  const BYTE state = queue->keys[key];
  return static_cast<SHORT>(((state & 0x80) ? 0x8000 : 0) | (state & 0x01));
}

WINUSERAPI BOOL WINAPI TranslateMessage(const MSG* msg) {
  if (msg == nullptr || !keyboard::IsKeyMessage(msg->message)) return FALSE;
  if (msg->message != WM_KEYDOWN) return TRUE;
  std::shared_ptr<ThreadQueue> queue = MyQueue();
  std::lock_guard<std::mutex> g(Lock());
  const char c = keyboard::CharacterOf(*queue, msg->wParam);
  if (c != 0)  // read before anything posted later
    queue->posted.push_front(MSG{msg->hwnd, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)),
                                 msg->lParam, msg->time, msg->pt});
  return TRUE;
}

}  // extern "C"

namespace sandbox {

void PressKey(int virtualKey) { keyboard::Key(virtualKey, true); }

void ReleaseKey(int virtualKey) { keyboard::Key(virtualKey, false); }

void TypeKey(int virtualKey) {
  PressKey(virtualKey);
  ReleaseKey(virtualKey);
}

}  // namespace sandbox

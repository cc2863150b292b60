// The window manager's state and the helpers every part of it shares.
#include "user_state.h"

#include <algorithm>
#include <cstring>

namespace user32 {
namespace {

// The end of a thread's user32 life: its windows, hooks and queue go with it (Windows destroys a
// thread's windows when the thread ends; nothing is sent to them then).
void EndThread(const std::shared_ptr<ThreadQueue>& queue);

// The first call on a thread that needs its queue makes this; its destructor runs at the thread's
// end, before kernel32 signals the thread's handle.
struct QueueOwner {
  std::shared_ptr<ThreadQueue> queue;
  ~QueueOwner() {
    if (queue) EndThread(queue);
  }
};

void EndThread(const std::shared_ptr<ThreadQueue>& queue) {
  std::vector<std::shared_ptr<SentMessage>> unserved;
  {
    std::lock_guard<std::mutex> g(Lock());
    std::vector<HWND> mine;
    for (auto& [value, window] : S().windows)
      if (window->thread == queue->thread) mine.push_back(window->handle);
    for (HWND window : mine) ForgetTreeLocked(window);
    for (auto& hook : S().hooks)
      if (hook->thread == queue->thread || hook->installer == queue->thread) hook->removed = true;
    std::erase_if(S().hooks, [](const std::shared_ptr<Hook>& hook) { return hook->removed; });
    unserved.assign(queue->incoming.begin(), queue->incoming.end());
    queue->incoming.clear();
    for (auto& sent : unserved) sent->done = true;
    S().queues.erase(queue->thread);
  }
  for (auto& sent : unserved) Wake(*sent->sender);
  CloseHandle(queue->wake);
}

}  // namespace

State& S() {
  static State* state = [] {
    auto* s = new State;  // never destroyed: threads end (and clean up) during exit
    s->classes = MakeSystemClasses(*s);
    auto desktop = std::make_shared<Window>();
    desktop->windowClass = s->classes.front();
    ++desktop->windowClass->windows;
    desktop->handle = reinterpret_cast<HWND>(s->nextHandle);
    s->nextHandle += 4;
    desktop->proc = DefWindowProc;
    desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    desktop->rect = {0, 0, 1024, 768};
    desktop->linked = true;
    s->desktop = desktop->handle;
    s->windows.emplace(reinterpret_cast<uintptr_t>(desktop->handle), desktop);
    return s;
  }();
  return *state;
}

std::mutex& Lock() { return S().lock; }

std::shared_ptr<Window> FindLocked(HWND window) {
  auto it = S().windows.find(reinterpret_cast<uintptr_t>(window));
  return it == S().windows.end() ? nullptr : it->second;
}

HWND NewHandleLocked() {
  const uintptr_t value = S().nextHandle;
  S().nextHandle += 4;
  return reinterpret_cast<HWND>(value);
}

int CopyText(const std::string& text, LPSTR buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  size_t n = 0;
  while (n < text.size()) {
    const size_t width = IsDBCSLeadByte(static_cast<BYTE>(text[n])) && n + 1 < text.size() ? 2 : 1;
    if (n + width > static_cast<size_t>(size - 1)) break;
    n += width;
  }
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

std::string Upper(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool EqualNoCase(const std::string& a, const std::string& b) { return Upper(a) == Upper(b); }

ATOM AtomLocked(const std::string& name, bool create) {
  const std::string key = Upper(name);
  auto it = S().atoms.find(key);
  if (it != S().atoms.end()) return it->second;
  if (!create || S().nextAtom == 0) return 0;  // the table is full after 0xFFFF
  const ATOM atom = S().nextAtom++;
  S().atoms.emplace(key, atom);
  return atom;
}

std::string AtomNameLocked(ATOM atom) {
  for (auto& [name, value] : S().atoms)
    if (value == atom) return name;
  return {};
}

bool IsDescendantLocked(HWND ancestor, HWND window) {
  for (auto w = FindLocked(window); w && w->parent != nullptr; w = FindLocked(w->parent))
    if (w->parent == ancestor) return true;
  return false;
}

HWND RootLocked(HWND window) {
  auto w = FindLocked(window);
  while (w && w->parent != nullptr && w->parent != S().desktop) w = FindLocked(w->parent);
  return w ? w->handle : nullptr;
}

void UnlinkLocked(Window& window) {
  if (!window.linked) return;
  window.linked = false;
  if (auto parent = FindLocked(window.parent)) std::erase(parent->children, window.handle);
}

void LinkLocked(Window& window, HWND parentHandle, HWND insertAfter) {
  UnlinkLocked(window);
  window.parent = parentHandle;
  auto parent = FindLocked(parentHandle);
  if (!parent) return;
  auto& siblings = parent->children;
  auto at = siblings.begin();
  if (insertAfter == HWND_BOTTOM) {
    at = siblings.end();
  } else if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST) {
    auto after = std::find(siblings.begin(), siblings.end(), insertAfter);
    if (after != siblings.end()) at = after + 1;
  }
  siblings.insert(at, window.handle);
  window.linked = true;
}

void ForgetTreeLocked(HWND handle) {
  auto window = FindLocked(handle);
  if (!window || handle == S().desktop) return;
  for (HWND child : std::vector<HWND>(window->children)) ForgetTreeLocked(child);
  UnlinkLocked(*window);
  for (auto& [value, other] : S().windows)
    if (other->owner == handle) other->owner = nullptr;
  if (auto queue = QueueOfLocked(window->thread)) {
    std::erase_if(queue->posted, [&](const MSG& m) { return m.hwnd == handle; });
    std::erase_if(queue->timers, [&](const Timer& t) { return t.window == handle; });
    if (queue->focus == handle) queue->focus = nullptr;
    if (queue->active == handle) queue->active = nullptr;
  }
  if (S().foreground == handle) S().foreground = nullptr;
  --window->windowClass->windows;
  S().windows.erase(reinterpret_cast<uintptr_t>(handle));
}

std::shared_ptr<ThreadQueue> QueueOfLocked(DWORD thread) {
  auto it = S().queues.find(thread);
  return it == S().queues.end() ? nullptr : it->second;
}

std::shared_ptr<Window> Find(HWND handle) {
  std::shared_ptr<Window> window;
  {
    std::lock_guard<std::mutex> g(Lock());
    window = FindLocked(handle);
  }
  if (!window) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return window;
}

std::shared_ptr<ThreadQueue> MyQueue() {
  thread_local QueueOwner owner;
  if (!owner.queue) {
    auto queue = std::make_shared<ThreadQueue>();
    queue->thread = GetCurrentThreadId();
    queue->wake = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    std::lock_guard<std::mutex> g(Lock());
    S().queues[queue->thread] = queue;
    owner.queue = queue;
  }
  return owner.queue;
}

void Wake(const ThreadQueue& queue) { SetEvent(queue.wake); }

}  // namespace user32

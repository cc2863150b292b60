// OLE drag and drop within the process: the windows' registered targets, and DoDragDrop's modal
// loop over the pointer and the keyboard the sandbox drives, asking the scripted user for input.
#include <ole2.h>

#include <map>
#include <mutex>
#include <string>

#include "apartments.h"
#include "sandbox/internal.h"

namespace ole32 {
namespace {

struct Targets {
  std::mutex lock;
  std::map<HWND, IDropTarget*> byWindow;  // each holding one reference
};

Targets& T() {
  static Targets* targets = new Targets;  // never destroyed: windows may go during exit
  return *targets;
}

// A reset forgets the registrations without releasing them: the targets may be gone with the test
// that made them (a window destroyed without RevokeDragDrop keeps its reference on the platform too).
struct Registration {
  Registration() {
    sandbox::internal::RegisterReset("ole32.dragdrop", [] {
      std::lock_guard<std::mutex> g(T().lock);
      T().byWindow.clear();
    });
  }
} g_registration;

IDropTarget* TargetOf(HWND window) {
  std::lock_guard<std::mutex> g(T().lock);
  auto it = T().byWindow.find(window);
  return it == T().byWindow.end() ? nullptr : it->second;
}

// The target under the screen point: the window there or its nearest ancestor with one.
std::pair<HWND, IDropTarget*> TargetAt(POINT at) {
  for (HWND window = WindowFromPoint(at); window != nullptr; window = GetParent(window))
    if (IDropTarget* target = TargetOf(window)) return {window, target};
  return {nullptr, nullptr};
}

constexpr char kTrackerClass[] = "OleDragDropTracker";

HWND MakeTracker() {
  WNDCLASS wc{};
  wc.lpfnWndProc = DefWindowProc;
  wc.hInstance = GetModuleHandle("ole32.dll");
  wc.lpszClassName = kTrackerClass;
  if (!GetClassInfo(wc.hInstance, kTrackerClass, &wc)) RegisterClass(&wc);
  return CreateWindowEx(0, kTrackerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
}

// The keys and buttons as of the message the thread read last.
DWORD KeyState() {
  DWORD keys = 0;
  if (GetKeyState(VK_LBUTTON) < 0) keys |= MK_LBUTTON;
  if (GetKeyState(VK_RBUTTON) < 0) keys |= MK_RBUTTON;
  if (GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
  if (GetKeyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
  if (GetKeyState(VK_MENU) < 0) keys |= MK_ALT;
  return keys;
}

class Drag {
 public:
  Drag(IDataObject* data, IDropSource* source, DWORD allowed) : data_(data), source_(source), allowed_(allowed) {}
  ~Drag() { Leave(); }

  // One step with the pointer at `at` (where it was when the input was made): true while the drag
  // goes on.
  bool Step(bool escape, POINT at) {
    const DWORD keys = KeyState();
    const HRESULT decision = source_->QueryContinueDrag(escape, keys);
    const POINTL pt{at.x, at.y};
    if (decision == DRAGDROP_S_DROP) {
      if (target_ != nullptr && effect_ != DROPEFFECT_NONE) {
        DWORD effect = allowed_;
        target_->Drop(data_, keys, pt, &effect);
        effect_ = effect & allowed_;
        Forget();
      } else {
        Leave();
        effect_ = DROPEFFECT_NONE;
      }
      result_ = DRAGDROP_S_DROP;
      return false;
    }
    if (decision != S_OK) {
      Cancel();
      if (FAILED(decision)) result_ = decision;
      return false;
    }
    const auto [window, target] = TargetAt(at);
    DWORD effect = allowed_;
    if (target != target_) {
      Leave();
      if (target != nullptr) {
        target_ = target;
        target_->AddRef();
        target_->DragEnter(data_, keys, pt, &effect);
      }
    } else if (target_ != nullptr) {
      target_->DragOver(keys, pt, &effect);
    }
    effect_ = target_ != nullptr ? effect & allowed_ : DROPEFFECT_NONE;
    source_->GiveFeedback(effect_);
    return true;
  }

  void Cancel() {
    Leave();
    effect_ = DROPEFFECT_NONE;
    result_ = DRAGDROP_S_CANCEL;
  }

  HRESULT Result() const { return result_; }
  DWORD Effect() const { return effect_; }

 private:
  void Leave() {
    if (target_ == nullptr) return;
    target_->DragLeave();
    Forget();
  }
  void Forget() {
    if (target_ != nullptr) target_->Release();
    target_ = nullptr;
  }

  IDataObject* data_;
  IDropSource* source_;
  DWORD allowed_;
  IDropTarget* target_ = nullptr;  // the target under the pointer, held
  DWORD effect_ = DROPEFFECT_NONE;  // its last answer, masked by the allowed effects
  HRESULT result_ = DRAGDROP_S_CANCEL;
};

bool IsMouse(UINT message) { return message >= WM_MOUSEMOVE && message <= WM_RBUTTONDBLCLK; }

}  // namespace
}  // namespace ole32

extern "C" {

WINOLEAPI RegisterDragDrop(HWND hwnd, LPDROPTARGET pDropTarget) {
  if (pDropTarget == nullptr) return E_INVALIDARG;
  if (!IsWindow(hwnd)) return DRAGDROP_E_INVALIDHWND;
  if (!ole32::CallerInSingleThreadedApartment()) return E_OUTOFMEMORY;
  {
    std::lock_guard<std::mutex> g(ole32::T().lock);
    if (!ole32::T().byWindow.emplace(hwnd, pDropTarget).second) return DRAGDROP_E_ALREADYREGISTERED;
  }
  pDropTarget->AddRef();
  return S_OK;
}

WINOLEAPI RevokeDragDrop(HWND hwnd) {
  if (!IsWindow(hwnd)) return DRAGDROP_E_INVALIDHWND;
  IDropTarget* target = nullptr;
  {
    std::lock_guard<std::mutex> g(ole32::T().lock);
    auto it = ole32::T().byWindow.find(hwnd);
    if (it == ole32::T().byWindow.end()) return DRAGDROP_E_NOTREGISTERED;
    target = it->second;
    ole32::T().byWindow.erase(it);
  }
  target->Release();
  return S_OK;
}

WINOLEAPI DoDragDrop(LPDATAOBJECT pDataObj, LPDROPSOURCE pDropSource, DWORD dwOKEffects, LPDWORD pdwEffect) {
  if (pDataObj == nullptr || pDropSource == nullptr || pdwEffect == nullptr) return E_INVALIDARG;
  const HWND tracker = ole32::MakeTracker();
  if (tracker == nullptr) return E_OUTOFMEMORY;
  SetCapture(tracker);
  ole32::Drag drag(pDataObj, pDropSource, dwOKEffects);
  POINT start{0, 0};
  GetCursorPos(&start);
  bool going = drag.Step(false, start);
  while (going) {
    MSG msg;
    if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (ole32::IsMouse(msg.message)) {
        going = drag.Step(false, msg.pt);
      } else if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
        going = drag.Step(msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE, msg.pt);
      } else {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
      continue;
    }
    if (GetCapture() != tracker) {  // taken away: the drag ends
      drag.Cancel();
      break;
    }
    sandbox::Modal modal;
    modal.kind = "DragDrop";
    modal.style = dwOKEffects;
    const sandbox::Answer answer = sandbox::internal::Ask(modal, 0);
    if (!answer.action) {
      drag.Cancel();
      break;
    }
    answer.action(tracker);
  }
  if (GetCapture() == tracker) ReleaseCapture();
  DestroyWindow(tracker);
  *pdwEffect = drag.Effect();
  return drag.Result();
}

}  // extern "C"

// Painting: update regions, WM_PAINT sent at once or made by the queue, BeginPaint and EndPaint.
#include "painting.h"

using namespace user32;

namespace user32 {
HDC WindowDC(HWND window, const RECT* clip);
}

namespace {

Children ChildrenOf(UINT flags) {
  if (flags & RDW_ALLCHILDREN) return Children::kAll;
  if (flags & RDW_NOCHILDREN) return Children::kNone;
  return Children::kByStyle;
}

// Sends WM_PAINT to the window when it has something to paint, then does the same for its
// children as `children` says.
void PaintNow(HWND handle, Children children) {
  bool pending, passOn;
  std::vector<HWND> kids;
  {
    std::lock_guard<std::mutex> g(Lock());
    auto w = FindLocked(handle);
    if (!w) return;
    pending = !gdi32::IsEmpty(w->update) && ShowsLocked(*w);
    passOn = children == Children::kAll || (children == Children::kByStyle && !(w->style & WS_CLIPCHILDREN));
    kids = w->children;
  }
  if (pending) SendMessage(handle, WM_PAINT, 0, 0);
  if (!passOn) return;
  // Children are painted bottom first, so that one above its sibling ends on top.
  for (auto it = kids.rbegin(); it != kids.rend(); ++it)
    PaintNow(*it, children == Children::kAll ? Children::kAll : Children::kByStyle);
}

}  // namespace

extern "C" {

// A NULL window (every window) is not modelled.
WINUSERAPI BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  if (window == nullptr) STANDIN_UNMODELLED_LASTERROR(FALSE);
  return RedrawWindow(window, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

WINUSERAPI BOOL WINAPI ValidateRect(HWND window, const RECT* rect) {
  if (window == nullptr) STANDIN_UNMODELLED_LASTERROR(FALSE);
  return RedrawWindow(window, rect, nullptr, RDW_VALIDATE);
}

WINUSERAPI BOOL WINAPI GetUpdateRect(HWND window, LPRECT rect, BOOL erase) {
  bool pending;
  {
    std::lock_guard<std::mutex> g(Lock());
    auto w = FindLocked(window);
    if (!w) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    pending = !gdi32::IsEmpty(w->update);
    if (rect != nullptr) *rect = pending ? w->update : RECT{0, 0, 0, 0};
    erase = erase && pending && w->erase;
  }
  if (erase) {
    if (HDC dc = GetDC(window)) {
      {
        std::lock_guard<std::mutex> g(Lock());
        if (auto w = FindLocked(window)) w->erase = false;
      }
      SendMessage(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
      ReleaseDC(window, dc);
    }
  }
  return pending ? TRUE : FALSE;
}

WINUSERAPI BOOL WINAPI UpdateWindow(HWND window) {
  return RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

WINUSERAPI BOOL WINAPI RedrawWindow(HWND window, const RECT* rect, HRGN region, UINT flags) {
  constexpr UINT kModelled = RDW_INVALIDATE | RDW_ERASE | RDW_VALIDATE | RDW_NOERASE | RDW_NOCHILDREN |
                             RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME | RDW_NOFRAME;
  if (window == nullptr || region != nullptr || (flags & ~kModelled) != 0) STANDIN_UNMODELLED_LASTERROR(FALSE);
  const Children children = ChildrenOf(flags);
  {
    std::lock_guard<std::mutex> g(Lock());
    auto w = FindLocked(window);
    if (!w) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    if (flags & RDW_INVALIDATE) InvalidateLocked(*w, rect, (flags & RDW_ERASE) != 0, children);
    if (flags & RDW_VALIDATE) ValidateLocked(*w, rect, children);
  }
  if (flags & RDW_UPDATENOW) PaintNow(window, children);
  return TRUE;
}

// The window itself is validated (not its children); the DC draws only into what was invalid.
WINUSERAPI HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint) {
  if (paint == nullptr) return Fail<HDC>(ERROR_INVALID_PARAMETER, nullptr);
  RECT update;
  bool erase;
  {
    std::lock_guard<std::mutex> g(Lock());
    auto w = FindLocked(window);
    if (!w) return Fail<HDC>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    update = w->update;
    erase = w->erase;
    w->update = {0, 0, 0, 0};
    w->erase = false;
  }
  HDC dc = WindowDC(window, &update);
  if (dc == nullptr) return nullptr;
  *paint = PAINTSTRUCT{};
  paint->hdc = dc;
  paint->rcPaint = update;
  paint->fErase = erase ? !SendMessage(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) : FALSE;
  return dc;
}

WINUSERAPI BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint) {
  if (paint == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  ReleaseDC(window, paint->hdc);
  return TRUE;
}

}  // extern "C"

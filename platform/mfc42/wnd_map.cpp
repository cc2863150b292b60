// The handle maps: permanent objects for the whole process (any thread may look a window's object
// up), temporary wrappers per thread until its idle time.
#include <afxwin.h>

#include <map>
#include <memory>
#include <mutex>

#include "wnd_map.h"

namespace mfc42 {
namespace {

struct PermanentMap {
  std::mutex lock;
  std::map<HWND, CWnd*> objects;
};

PermanentMap& Permanent() {
  static PermanentMap* map = new PermanentMap;  // never destroyed: windows may end during exit
  return *map;
}

// A temporary object must not destroy the window it wraps when it goes.
struct TemporaryDeleter {
  void operator()(CWnd* wnd) const {
    wnd->m_hWnd = NULL;
    delete wnd;
  }
};
thread_local std::map<HWND, std::unique_ptr<CWnd, TemporaryDeleter>> t_temporary;

}  // namespace

void ForgetAllPermanent() {
  std::lock_guard<std::mutex> g(Permanent().lock);
  Permanent().objects.clear();
}

}  // namespace mfc42

using namespace mfc42;

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
  std::lock_guard<std::mutex> g(Permanent().lock);
  auto it = Permanent().objects.find(hWnd);
  return it == Permanent().objects.end() ? NULL : it->second;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) {
  if (hWnd == NULL) return NULL;
  if (CWnd* wnd = FromHandlePermanent(hWnd)) return wnd;
  auto& slot = t_temporary[hWnd];
  if (!slot) {
    slot.reset(new CWnd);
    slot->m_hWnd = hWnd;
  }
  return slot.get();
}

void PASCAL CWnd::DeleteTempMap() { t_temporary.clear(); }

BOOL CWnd::Attach(HWND hWndNew) {
  ASSERT(m_hWnd == NULL);
  if (hWndNew == NULL) return FALSE;
  std::lock_guard<std::mutex> g(Permanent().lock);
  const bool added = Permanent().objects.emplace(hWndNew, this).second;
  ASSERT(added);  // a window has one permanent object
  if (!added) return FALSE;
  m_hWnd = hWndNew;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd != NULL) {
    std::lock_guard<std::mutex> g(Permanent().lock);
    auto it = Permanent().objects.find(hWnd);
    if (it != Permanent().objects.end() && it->second == this) Permanent().objects.erase(it);
  }
  m_hWnd = NULL;
  return hWnd;
}

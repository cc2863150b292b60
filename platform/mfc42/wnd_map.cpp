// The window handle map: permanent objects for the whole process (any thread may look a window's
// object up), temporary wrappers per thread until its idle time.
#include <afxwin.h>

#include "handle_map.h"
#include "wnd_map.h"

namespace mfc42 {
namespace {

struct WndTraits {
  static CWnd* Make(HWND hWnd) {
    auto* wnd = new CWnd;
    wnd->m_hWnd = hWnd;
    return wnd;
  }
  // A temporary object must not destroy the window it wraps when it goes.
  static void Forget(CWnd* wnd) { wnd->m_hWnd = NULL; }
};
using WndMap = HandleMap<HWND, CWnd, WndTraits>;

}  // namespace

void ForgetAllPermanent() { WndMap::ForgetAllPermanent(); }

}  // namespace mfc42

using mfc42::WndMap;

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) { return WndMap::Permanent(hWnd); }

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) { return WndMap::FromHandle(hWnd); }

void PASCAL CWnd::DeleteTempMap() { WndMap::DeleteTemporaries(); }

BOOL CWnd::Attach(HWND hWndNew) {
  ASSERT(m_hWnd == NULL);
  if (hWndNew == NULL) return FALSE;
  const bool added = WndMap::AddPermanent(hWndNew, this, false);
  ASSERT(added);  // a window has one permanent object
  if (!added) return FALSE;
  m_hWnd = hWndNew;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd != NULL) WndMap::RemovePermanent(hWnd, this);
  m_hWnd = NULL;
  return hWnd;
}

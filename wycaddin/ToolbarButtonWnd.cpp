#include "stdafx.h"

#include "ToolbarButtonWnd.h"

#include <comutil.h>

#include "SablewingPreferences.h"
#include "ToolbarHook.h"

namespace {

const char kWindowClass[] = "HgWycToolbarButtonWnd";

}  // namespace

CToolbarButtonWnd::CToolbarButtonWnd(IApplication* pApplication, LONG lAddInCookie)
    : m_hWnd(NULL), m_pApplication(pApplication), m_lAddInCookie(lAddInCookie) {
  m_pApplication->AddRef();
}

CToolbarButtonWnd::~CToolbarButtonWnd() {
  if (m_hWnd != NULL) ::DestroyWindow(m_hWnd);
  m_commands.RemoveAll();
  m_pApplication->Release();
}

// The class is registered at every connection; registered already (an earlier connection of
// this load of the DLL), it serves as it is.
BOOL CToolbarButtonWnd::Create() {
  WNDCLASS wc;
  memset(&wc, 0, sizeof wc);
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = AfxGetInstanceHandle();
  wc.lpszClassName = kWindowClass;
  if (::RegisterClass(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return FALSE;
  m_hWnd = ::CreateWindowEx(0, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, AfxGetInstanceHandle(), NULL);
  if (m_hWnd == NULL) return FALSE;
  ::SetWindowLongPtr(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return TRUE;
}

void CToolbarButtonWnd::UnregisterWindowClass() { ::UnregisterClass(kWindowClass, AfxGetInstanceHandle()); }

LRESULT CALLBACK CToolbarButtonWnd::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HGWYC_ADD_BUTTONS) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CToolbarButtonWnd* pWnd = reinterpret_cast<CToolbarButtonWnd*>(::GetWindowLongPtr(hWnd, GWLP_USERDATA));
    if (pWnd != NULL) pWnd->OnAddButtons();
  }
  return ::DefWindowProc(hWnd, message, wParam, lParam);
}

// The flag is set only when every button was added, so a failure is tried again at the next start.
void CToolbarButtonWnd::OnAddButtons() {
  try {
    if (CSablewingPreferences::GetWycToolbarDisplayed()) return;
    BOOL bAdded = TRUE;
    {
      CToolbarHookScope hook;
      for (POSITION pos = m_commands.GetHeadPosition(); pos != NULL;) {
        const _bstr_t command(static_cast<LPCTSTR>(m_commands.GetNext(pos)));
        if (FAILED(m_pApplication->AddCommandBarButton(dsGlyph, command, m_lAddInCookie))) bAdded = FALSE;
      }
    }
    if (bAdded) CSablewingPreferences::SetWycToolbarDisplayed(true);
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
}

// CFrameWnd: a top-level frame whose commands reach the application, and which ends with its
// window.
#include <afxwin.h>

#include "sandbox/internal.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, void* pContext) {
  if (lpszMenuName != NULL) {  // menus are not modelled
    sandbox::internal::ReportUnmodelled("CFrameWnd::Create with a menu");
    PostNcDestroy();
    return FALSE;
  }
  // rectDefault (CW_USEDEFAULT) leaves the size to the window manager as well.
  const bool byDefault = rect.left == CW_USEDEFAULT;
  const int width = byDefault ? CW_USEDEFAULT : rect.right - rect.left;
  const int height = byDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, width, height,
                  pParentWnd != NULL ? pParentWnd->GetSafeHwnd() : NULL, NULL, pContext);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
  return TRUE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app != NULL && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::PostNcDestroy() { delete this; }

void CFrameWnd::OnClose() {
  CWinApp* app = AfxGetApp();
  if (app != NULL && app->m_pMainWnd == this) {
    if (!app->SaveAllModified()) return;
    app->CloseAllDocuments(FALSE);
  }
  DestroyWindow();
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CLOSE()
END_MESSAGE_MAP()

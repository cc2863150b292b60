// MFC: windows. A CWnd is attached to its window through a process-wide map of permanent objects;
// FromHandle makes temporary wrappers for other windows, deleted at the thread's idle time
// (CWnd::DeleteTempMap). A window made by Create/CreateEx sends every message to its object:
// AfxWndProc -> WindowProc -> the message map -> DefWindowProc. Included by afxwin.h.
#pragma once

#include "afx_gdi.h"
#include "afx_geometry.h"
#include "afx_msgmap.h"

class CDataExchange;
class CMenu;
class CRgn;
class CWinThread;
class CWnd;
namespace afx_internal {
struct WndInternals;  // mfc42's own access to a CWnd's insides
}

// The procedure of every window with a permanent object: the object's WindowProc, with the
// message kept for Default(). A CException thrown by a handler is reported (ReportError; a
// CUserException is not, the user has been told) and deleted; WM_CREATE then answers -1.
STANDIN_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
STANDIN_API LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

class STANDIN_API CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)
 public:
  CWnd();
  // A window still attached is destroyed with its object.
  ~CWnd() override;

  HWND m_hWnd;
  operator HWND() const { return m_hWnd; }
  // The window handle. Call it on an object, never on a null pointer.
  HWND GetSafeHwnd() const { return m_hWnd; }

  // The permanent object of a window, else a temporary one (valid until the thread's idle time);
  // NULL for NULL.
  static CWnd* PASCAL FromHandle(HWND hWnd);
  // The permanent object of a window, or NULL.
  static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
  // Deletes the calling thread's temporary objects.
  static void PASCAL DeleteTempMap();
  BOOL Attach(HWND hWndNew);
  HWND Detach();

  // Makes the window and attaches it before it gets its first message (WM_NCCREATE), so the
  // object sees every message. PreCreateWindow may change the CREATESTRUCT or refuse (FALSE).
  // FALSE when the window could not be made (a CBT hook refused it, WM_CREATE answered -1).
  virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                        int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = NULL);
  virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
  // A child window (WS_CHILD is added) with id nID.
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, void* pContext = NULL);
  virtual BOOL DestroyWindow();
  // Takes over an existing window (a dialog's control): attaches the object, calls
  // PreSubclassWindow, then gives the window AfxWndProc (its own procedure goes on as the
  // default handling). FALSE for no window or one that has an object already.
  BOOL SubclassWindow(HWND hWnd);
  // The parent's child with that id, taken over by SubclassWindow; FALSE when there is none.
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  // Gives the window its own procedure back and detaches it.
  HWND UnsubclassWindow();
  // Called once the object is attached to its window and before it handles any message: by
  // SubclassWindow, and by CreateEx as the window is made. Nothing here.
  virtual void PreSubclassWindow();
  // Without a class name, the class of plain MFC windows.
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  // Called after the window's last message (WM_NCDESTROY), with the object detached. Nothing
  // here; objects that delete themselves (frames) do it here.
  virtual void PostNcDestroy();

  // The message path: WindowProc offers the message to OnWndMsg (commands to OnCommand, others to
  // the message map) and hands what nobody took to DefWindowProc (the procedure the window had
  // before the object took it over).
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // WM_COMMAND: a control's notification is reflected to the control's object first; then the
  // command (LOWORD of wParam, code HIWORD) is routed through OnCmdMsg.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // Messages the thread's loop takes for this window or a child of it, before they are
  // dispatched; TRUE keeps them from being dispatched. Nothing here.
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // DefWindowProc with the message being handled.
  LRESULT Default();
  static const MSG* PASCAL GetCurrentMessage();

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // Sends to every child (bDeep: every descendant) in z-order, parents before their children.
  // bOnlyPerm: only windows with a permanent object get it, through their object directly;
  // else every window gets it through SendMessage.
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                BOOL bOnlyPerm = FALSE);

  void SetWindowText(LPCTSTR lpszString);
  int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const;
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  int GetDlgCtrlID() const;
  CWnd* GetDlgItem(int nID) const;
  CWnd* GetParent() const;
  CWnd* GetOwner() const;
  CWnd* GetTopWindow() const;
  CWnd* GetWindow(UINT nCmd) const;
  CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
  static CWnd* PASCAL GetDesktopWindow();
  BOOL IsChild(const CWnd* pWnd) const;
  BOOL ShowWindow(int nCmdShow);
  BOOL IsWindowVisible() const;
  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL IsWindowEnabled() const;
  // Removes and adds styles; with nFlags, SetWindowPos applies them (nFlags plus SWP_NOSIZE,
  // SWP_NOMOVE, SWP_NOZORDER and SWP_NOACTIVATE). FALSE when nothing changed.
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  // WM_SETFONT and WM_GETFONT (a temporary CFont, NULL without a font).
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  CFont* GetFont() const;
  static const CWnd wndTop, wndBottom, wndTopMost, wndNoTopMost;
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  void ClientToScreen(LPPOINT lpPoint) const;
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const;
  void ScreenToClient(LPRECT lpRect) const;
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
  void GetWindowRect(LPRECT lpRect) const;
  void GetClientRect(LPRECT lpRect) const;
  CWnd* SetFocus();
  static CWnd* PASCAL GetFocus();
  // The mouse capture (the previous holder / the calling thread's capture window, as temporary or
  // permanent objects).
  CWnd* SetCapture();
  static CWnd* PASCAL GetCapture();
  int GetScrollPos(int nBar) const;
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD));
  BOOL KillTimer(UINT_PTR nIDEvent);
  // Painting: the platform's calls on this window. GetDC and GetWindowDC give a temporary CDC
  // (valid until the thread's idle time) for ReleaseDC.
  void Invalidate(BOOL bErase = TRUE);
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
  void ValidateRect(LPCRECT lpRect);
  void UpdateWindow();
  // Regions are not modelled (prgnUpdate must be NULL).
  BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, CRgn* prgnUpdate = NULL,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
  void EndPaint(LPPAINTSTRUCT lpPaint);
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* pDC);
  // WM_SETREDRAW.
  void SetRedraw(BOOL bRedraw = TRUE);

  // A message box owned by this window; a NULL caption is the platform's "Error".
  int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);

  // Dialog data: DoDataExchange between the controls and the members (afx_dialog.h); FALSE when a
  // validation failed (the user has been told). Notifications of the window's controls are not
  // dispatched while it runs, so setting a control does not call the control's handlers.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* pDX);
  // Sends the controls the messages of an RT_DLGINIT resource (items added to list and combo
  // boxes); FALSE when one is refused. By name: the resource along the resource chain as the
  // calling module sees it; none is no failure.
  BOOL ExecuteDlgInit(LPVOID lpResource);
  AFX_MODULE_LOCAL BOOL ExecuteDlgInit(LPCTSTR lpszResourceName) {
    return ExecuteDlgInitFor(afx_internal::ThisModule(), lpszResourceName);
  }
  BOOL ExecuteDlgInitFor(const void* caller, LPCTSTR lpszResourceName);
  // The dialog manager's calls on this window's controls.
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  void SetDlgItemText(int nID, LPCTSTR lpszString);
  int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const;
  void CheckDlgButton(int nIDButton, UINT nCheck);
  UINT IsDlgButtonChecked(int nIDButton) const;
  void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
  // The id of the checked radio button from first to last; 0 for none.
  int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
  CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
  CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

  // Default handlers (Default()) for the messages the macros name.
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnClose();
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  // Detaches the object (a thread's main window also ends the thread's message loop, with
  // m_pMainWnd cleared) and calls PostNcDestroy.
  afx_msg void OnNcDestroy();
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
  // The defaults in CWnd's own map. Owner-drawn menu items go to the permanent CMenu of the menu
  // (its DrawItem); a control's drawing is reflected to the control's object (ON_WM_DRAWITEM_REFLECT
  // is not modelled, so it falls to the default); otherwise Default().
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  // Reflects the message to the control's object first (ON_WM_CTLCOLOR_REFLECT), else Default().
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

  // Reflection: a parent hands its controls' notifications (WM_COMMAND from a control,
  // WM_NOTIFY, WM_CTLCOLORxxx) back to the control's object first. ReflectLastMsg sends the
  // message being handled to the child's OnChildNotify (FALSE: the child has no object or did not
  // take it); ReflectChildNotify finds the child's reflect entry.
  static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);
  BOOL SendChildNotifyLastMsg(LRESULT* pResult = NULL);
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // WM_NOTIFY: reflected to the control first; ON_NOTIFY entries of the parent are not modelled.
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

 protected:
  explicit CWnd(HWND hWndPlace);  // wndTop & co.
  WNDPROC m_pfnSuper;  // the window's procedure before AfxWndProc took it over

  friend struct afx_internal::WndInternals;
  DECLARE_MESSAGE_MAP()
};

// A window class with these attributes, registered for the program on first use, its procedure
// DefWindowProc (CreateEx gives its windows AfxWndProc); the name stays valid for the process.
STANDIN_API LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = 0, HBRUSH hbrBackground = 0,
                                               HICON hIcon = 0);

// A top-level frame. Commands go to its own map, then to the application's. It deletes itself
// when its window is gone. Frames made from resources (LoadFrame) are not modelled.
class STANDIN_API CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
 public:
  static const CRect rectDefault;  // CW_USEDEFAULT all round
  CFrameWnd();
  ~CFrameWnd() override;

  // Without a class name, the class of MFC frames. A menu name is not modelled (must be NULL).
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                      const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL,
                      DWORD dwExStyle = 0, void* pContext = NULL);
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  void PostNcDestroy() override;

  // The application's main frame first asks the documents to save (SaveAllModified) and closes
  // them; then the window is destroyed.
  afx_msg void OnClose();

 protected:
  DECLARE_MESSAGE_MAP()
};

// The static control ("Static").
class STANDIN_API CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)
 public:
  CStatic();
  BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);
};

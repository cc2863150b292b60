// MFC: the common controls' classes (so far image lists and the tooltip control).
#pragma once

#include <commctrl.h>

#include "afxwin.h"

// An image list; the object destroys the list it holds when it goes.
class STANDIN_API CImageList : public CObject {
  DECLARE_DYNCREATE(CImageList)
 public:
  CImageList();
  ~CImageList() override;

  HIMAGELIST m_hImageList;
  operator HIMAGELIST() const { return m_hImageList; }
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }

  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  // A bitmap resource (from the module along the resource chain that has it, as the calling
  // module sees it) cut into images cx wide, masked on crMask.
  AFX_MODULE_LOCAL BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
  }
  AFX_MODULE_LOCAL BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask) {
    const HINSTANCE module = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
    return Attach(ImageList_LoadBitmap(module, lpszBitmapID, cx, nGrow, crMask));
  }
  BOOL Attach(HIMAGELIST hImageList);
  HIMAGELIST Detach();
  BOOL DeleteImageList();

  int GetImageCount() const;
  int Add(CBitmap* pbmImage, CBitmap* pbmMask);
  int Add(CBitmap* pbmImage, COLORREF crMask);
  COLORREF SetBkColor(COLORREF cr);
  COLORREF GetBkColor() const;
  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
};

// The tooltip control. Create registers the common controls' classes and makes the control's
// window, owned by pParentWnd's window.
class STANDIN_API CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)
 public:
  CToolTipCtrl();
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

  void Activate(BOOL bActivate);
  // A tool for pWnd: the whole window when there is no id (TTF_IDISHWND), else the rectangle of
  // its client area with that id.
  BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
  // The text is string resource nIDText, from the module along the resource chain that has it, as
  // the calling module sees it.
  AFX_MODULE_LOCAL BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0) {
    return AddTool(pWnd, AfxFindResourceHandle(MAKEINTRESOURCE((nIDText >> 4) + 1), RT_STRING), nIDText, lpRectTool,
                   nIDTool);
  }
  BOOL AddTool(CWnd* pWnd, HINSTANCE hInstText, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void RelayEvent(LPMSG lpMsg);
  void Pop();
  int SetMaxTipWidth(int iWidth);
  int GetToolCount() const;
};

// MFC: GDI objects and device contexts. An object made by Create*/Load* or Attach is permanent for
// its thread and deletes its handle with itself; FromHandle gives it for its handle, or a temporary
// wrapper of the right class (deleted at the thread's idle time, never deleting the handle).
// Included by afxwin.h.
#pragma once

#include "afx.h"
#include "afx_geometry.h"

class CWnd;

class STANDIN_API CGdiObject : public CObject {
  DECLARE_DYNCREATE(CGdiObject)
 public:
  CGdiObject();
  // Deletes the object it holds.
  ~CGdiObject() override;

  HGDIOBJ m_hObject;
  operator HGDIOBJ() const { return m_hObject; }
  // The handle. Call it on an object, never on a null pointer.
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);
  // Deletes the calling thread's temporary wrappers of objects and DCs.
  static void PASCAL DeleteTempMap();
  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  int GetObject(int nCount, LPVOID lpObject) const;
  UINT GetObjectType() const;
  BOOL CreateStockObject(int nIndex);
};

class STANDIN_API CPen : public CGdiObject {
  DECLARE_DYNAMIC(CPen)
 public:
  CPen();
  // Throws CResourceException when the pen cannot be made.
  CPen(int nPenStyle, int nWidth, COLORREF crColor);
  static CPen* PASCAL FromHandle(HPEN hPen);
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }
  BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
  BOOL CreatePenIndirect(LPLOGPEN lpLogPen);
  int GetLogPen(LOGPEN* pLogPen);
};

class STANDIN_API CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)
 public:
  CBrush();
  // Throws CResourceException when the brush cannot be made.
  explicit CBrush(COLORREF crColor);
  static CBrush* PASCAL FromHandle(HBRUSH hBrush);
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
  BOOL CreateSolidBrush(COLORREF crColor);
  BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush);
  // The system colour's brush, which is never deleted (Detach it before the object goes).
  BOOL CreateSysColorBrush(int nIndex);
  int GetLogBrush(LOGBRUSH* pLogBrush);
};

class STANDIN_API CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)
 public:
  CFont();
  static CFont* PASCAL FromHandle(HFONT hFont);
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
  // A height in tenths of a point, turned into pixels by the DC's LOGPIXELSY (the screen's without
  // one, 96 per inch): lfHeight = -(tenths * 96 / 720), the division truncated.
  BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = NULL);
  BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = NULL);
  int GetLogFont(LOGFONT* pLogFont);
};

class STANDIN_API CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)
 public:
  CBitmap();
  static CBitmap* PASCAL FromHandle(HBITMAP hBitmap);
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
  // From the module along the resource chain that has the bitmap, as the calling module sees it
  // (AfxFindResourceHandle).
  AFX_MODULE_LOCAL BOOL LoadBitmap(LPCTSTR lpszResourceName) {
    return Attach(::LoadBitmap(AfxFindResourceHandle(lpszResourceName, RT_BITMAP), lpszResourceName));
  }
  AFX_MODULE_LOCAL BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
  BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
  BOOL CreateBitmapIndirect(LPBITMAP lpBitmap);
  BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
  int GetBitmap(BITMAP* pBitMap);
};

class STANDIN_API CDC : public CObject {
  DECLARE_DYNCREATE(CDC)
 public:
  CDC();
  // Deletes the DC it holds.
  ~CDC() override;

  HDC m_hDC;
  HDC m_hAttribDC;  // the same DC: output and attributes are one here
  operator HDC() const { return m_hDC; }
  // The handle. Call it on an object, never on a null pointer.
  HDC GetSafeHdc() const { return m_hDC; }

  static CDC* PASCAL FromHandle(HDC hDC);
  static void PASCAL DeleteTempMap();
  BOOL Attach(HDC hDC);
  HDC Detach();
  BOOL CreateCompatibleDC(CDC* pDC);
  BOOL DeleteDC();

  // Selection answers the object that was selected before, as a permanent or temporary object.
  CPen* SelectObject(CPen* pPen);
  CBrush* SelectObject(CBrush* pBrush);
  virtual CFont* SelectObject(CFont* pFont);
  CBitmap* SelectObject(CBitmap* pBitmap);
  CGdiObject* SelectObject(CGdiObject* pObject);
  HGDIOBJ SelectObject(HGDIOBJ hObject);
  virtual CGdiObject* SelectStockObject(int nIndex);
  CPen* GetCurrentPen() const;
  CBrush* GetCurrentBrush() const;
  CFont* GetCurrentFont() const;
  CBitmap* GetCurrentBitmap() const;

  virtual COLORREF SetTextColor(COLORREF crColor);
  COLORREF GetTextColor() const;
  virtual COLORREF SetBkColor(COLORREF crColor);
  COLORREF GetBkColor() const;
  int SetBkMode(int nBkMode);
  int GetBkMode() const;
  int IntersectClipRect(int x1, int y1, int x2, int y2);
  int IntersectClipRect(LPCRECT lpRect);
  virtual int GetClipBox(LPRECT lpRect) const;
  int GetDeviceCaps(int nIndex) const;

  BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
  BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                  int nSrcHeight, DWORD dwRop);
  BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
  BOOL PlgBlt(LPPOINT lpPoint, CDC* pSrcDC, int xSrc, int ySrc, int nWidth, int nHeight, CBitmap& maskBitmap,
              int xMask, int yMask);
  COLORREF GetPixel(int x, int y) const;
  COLORREF GetPixel(POINT point) const;
  COLORREF SetPixel(int x, int y, COLORREF crColor);
  COLORREF SetPixel(POINT point, COLORREF crColor);
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT point);
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT point);

  void FillRect(LPCRECT lpRect, CBrush* pBrush);
  // Fills through the background colour, which stays set to crColor (as the platform's MFC does).
  void FillSolidRect(LPCRECT lpRect, COLORREF crColor);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor);
  // The top and left lines in clrTopLeft, the bottom and right ones (over their corners) in
  // clrBottomRight; leaves the background colour at clrBottomRight.
  void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
  BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
  void DrawFocusRect(LPCRECT lpRect);
  // A tracking rectangle's frame (size.cx wide at the sides, size.cy at top and bottom) inverted
  // with the brush (NULL: the half-tone brush, which is drawn as a solid inverting one here, since
  // pattern brushes are not modelled); the last frame, when given, is inverted back first. An
  // empty rectangle draws nothing.
  void DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush = NULL,
                    CBrush* pBrushLast = NULL);

  virtual int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
  int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
  virtual BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount);
  BOOL TextOut(int x, int y, const CString& str);
  virtual BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                          LPINT lpDxWidths);
  BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths);
  CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
  CSize GetTextExtent(const CString& str) const;
  CSize GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const;
  CSize GetTabbedTextExtent(const CString& str, int nTabPositions, LPINT lpnTabStopPositions) const;
  BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const;
};

// BeginPaint on construction (a CResourceException when it fails), EndPaint on destruction.
class STANDIN_API CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)
 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps;

 protected:
  HWND m_hWnd;
};

// GetDC (NULL window: the screen) on construction, ReleaseDC on destruction.
class STANDIN_API CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)
 public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd;
};

// GetWindowDC on construction, ReleaseDC on destruction.
class STANDIN_API CWindowDC : public CDC {
  DECLARE_DYNAMIC(CWindowDC)
 public:
  explicit CWindowDC(CWnd* pWnd);
  ~CWindowDC() override;

 protected:
  HWND m_hWnd;
};

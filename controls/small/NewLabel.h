// A static control with its own painting: colours, font styles, alignment, rotated or vertical
// text, a background bitmap, link behaviour, a hover colour, blinking text and a flashing
// background.
#pragma once

#include "small/ControlToolTip.h"
#include "stdafx.h"

class CNewLabel : public CStatic {
 public:
  // Alignment flags: horizontal left, centre, right; vertical top, middle, bottom.
  enum { kLeft = 1, kCentre = 2, kRight = 4, kTop = 8, kMiddle = 16, kBottom = 32 };
  enum { kBlinkTimer = 1, kFlashTimer = 2 };

  CNewLabel();
  ~CNewLabel() override;

  // The label's text; in vertical mode the window text shows it one character a line.
  CNewLabel& SetText(const CString& strText);
  CNewLabel& SetTextColor(COLORREF crText);
  CNewLabel& SetFontUnderline(bool bUnderline);
  CNewLabel& SetLink(bool bLink);
  CNewLabel& SetLinkUrl(const CString& strLink);
  CNewLabel& SetLinkCursor(UINT nCursorId);
  // The alignment flags set (1, 2 or 4; 8, 16 or 32), 0 when none is.
  int GetHorzAlignment() const { return m_nAlignment & (kLeft | kCentre | kRight); }
  int GetVertAlignment() const { return m_nAlignment & (kTop | kMiddle | kBottom); }

  // What no dialog of this system changes: the rest of the label's look and behaviour.
  CNewLabel& SetBkColor(COLORREF crBackground);
  CNewLabel& SetSecondBkColor(COLORREF crBackground, bool bOwnBackground);
  CNewLabel& SetNativePainting(bool bNative);
  CNewLabel& SetHoverColor(bool bHover, COLORREF crHover);
  CNewLabel& SetVertical(bool bVertical);
  CNewLabel& SetRotation(int nAngle);
  CNewLabel& SetCase(bool bLower, bool bUpper);
  CNewLabel& SetEtchedLines(bool bEtched);
  // The label owns the bitmap from now on; it is stretched over the label or centred in it.
  CNewLabel& SetBkBitmap(HBITMAP hBitmap, bool bStretch);
  // Blinking (timer 1) and flashing (timer 2) at the period given; 0 stops them.
  CNewLabel& SetBlinkText(UINT nPeriod);
  CNewLabel& SetFlashBackground(UINT nPeriod);
  // A tip for the label; with bHoverNeedsTip the hover colour shows only while the tip has text.
  CNewLabel& SetToolTip(const CString& strText, int nPlacement, bool bHoverNeedsTip);
  CControlToolTip& GetToolTip() { return m_toolTip; }

 protected:
  void PreSubclassWindow() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  afx_msg void OnPaint();
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()

  COLORREF m_crBackground;
  COLORREF m_crBackground2;
  COLORREF m_crText;
  COLORREF m_crHover;
  COLORREF m_crSavedText;
  CBrush m_brBackground;
  bool m_bNativePaint;
  bool m_bSysBackground;
  bool m_bOwnBackground;
  bool m_bSysTextColor;
  bool m_bLink;
  bool m_bEtchedLines;
  bool m_bHoverColor;
  bool m_bVertical;
  bool m_bMouseTracked;
  bool m_bBlinkText;
  bool m_bFlashBackground;
  bool m_bBlinkPhase;  // true: the dark phase, the text hidden
  bool m_bFlashPhase;  // true: the lit phase
  bool m_bHoverNeedsTip;
  bool m_bHasTip;
  bool m_bInternalText;
  bool m_bLowerCase;
  bool m_bUpperCase;
  bool m_bStretchBitmap;
  LOGFONT m_lf;
  CFont m_font;
  HCURSOR m_hLinkCursor;
  HBITMAP m_hBkBitmap;
  int m_nAlignment;
  int m_nAngle;
  CString m_strText;
  CString m_strLink;
  CControlToolTip m_toolTip;

 private:
  CString ShownText() const;
  void SetWindowTextInternally(const CString& strText);
  void Redraw();
  void DrawBkBitmap(CDC* pDC, const CRect& rcClient);
  void DrawDirectly(CDC* pDC, CRect rcClient, const CString& strText);
};

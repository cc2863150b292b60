// Dialog data exchange: UpdateData, CDataExchange, the DDX_ exchanges and the DDV_ validations.
// A validation that fails tells the user with MFC's own prompt (mfc42's string table), gives the
// control back the focus and throws CUserException, which UpdateData turns into FALSE.
#include "data_exchange.h"

#include <afxres.h>
#include <afxwin.h>

#include <cstdio>
#include <cstdlib>

namespace {

// The window whose UpdateData runs on this thread.
thread_local HWND t_lockedOut = nullptr;

// Sets the control's text only when it differs: an unchanged text sends no EN_CHANGE.
void SetTextIfChanged(HWND control, LPCTSTR text) {
  const int length = ::GetWindowTextLength(control);
  CString current;
  ::GetWindowText(control, current.GetBuffer(length), length + 1);
  current.ReleaseBuffer();
  if (current != text) ::SetWindowText(control, text);
}

CString TextOf(HWND control) {
  const int length = ::GetWindowTextLength(control);
  CString text;
  ::GetWindowText(control, text.GetBuffer(length), length + 1);
  text.ReleaseBuffer();
  return text;
}

// A whole number with optional blanks around it: false for anything else or one out of range.
bool ParseNumber(const CString& text, bool isSigned, long long& value) {
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (*p < '0' || *p > '9' || (negative && !isSigned)) return false;
  unsigned long long magnitude = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    magnitude = magnitude * 10 + static_cast<unsigned>(*p - '0');
    if (magnitude > 0xFFFFFFFFull) return false;
  }
  while (*p == ' ' || *p == '\t') ++p;
  if (*p != '\0') return false;
  value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
  return isSigned ? value >= -0x80000000ll && value <= 0x7FFFFFFFll : true;
}

void FailWithPrompt(CDataExchange* pDX, UINT nIDPrompt) {
  AfxMessageBox(nIDPrompt, MB_ICONEXCLAMATION);
  pDX->Fail();
}

template <class T>
void ExchangeNumber(CDataExchange* pDX, int nIDC, T& value, bool isSigned, UINT nIDPrompt) {
  const HWND control = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    long long number = 0;
    if (!ParseNumber(TextOf(control), isSigned, number)) FailWithPrompt(pDX, nIDPrompt);
    value = static_cast<T>(number);
  } else {
    char text[32];
    std::snprintf(text, sizeof text, isSigned ? "%d" : "%u", value);
    SetTextIfChanged(control, text);
  }
}

// A value outside [minVal, maxVal] is reported with the limits written by `format`.
template <class T>
void CheckRange(CDataExchange* pDX, T value, T minVal, T maxVal, const char* format) {
  ASSERT(minVal <= maxVal);
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  char low[16], high[16];
  std::snprintf(low, sizeof low, format, minVal);
  std::snprintf(high, sizeof high, format, maxVal);
  CString prompt;
  AfxFormatString2(prompt, AFX_IDP_PARSE_INT_RANGE, low, high);
  AfxMessageBox(prompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_INT_RANGE);
  pDX->Fail();
}

}  // namespace

bool mfc42::NotificationsLockedOut(HWND window) { return window != nullptr && t_lockedOut == window; }

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL), m_bEditLastControl(FALSE) {
  ASSERT(pDlgWnd != NULL);
}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  ASSERT(nIDC != 0 && nIDC != -1);  // no unnamed controls
  const HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  if (control == NULL) {
    TRACE("Error: no data exchange control with ID 0x%04X.\n", nIDC);
    ASSERT(FALSE);
    AfxThrowNotSupportedException();
  }
  m_hWndLastControl = control;
  m_bEditLastControl = FALSE;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  const HWND control = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return control;
}

void CDataExchange::Fail() {
  if (!m_bSaveAndValidate) {
    TRACE("Warning: CDataExchange::Fail called when not validating.\n");
  } else if (m_hWndLastControl != NULL) {
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl) ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  AfxThrowUserException();
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  const HWND control = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = TextOf(control);
  else
    SetTextIfChanged(control, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
  ExchangeNumber(pDX, nIDC, value, true, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
  ExchangeNumber(pDX, nIDC, value, false, AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  const HWND control = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = static_cast<int>(::SendMessage(control, BM_GETCHECK, 0, 0));
  } else {
    ASSERT(value >= 0 && value <= 2);
    ::SendMessage(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND control = pDX->PrepareCtrl(nIDC);
  ASSERT(::GetWindowLong(control, GWL_STYLE) & WS_GROUP);  // the group starts here
  if (pDX->m_bSaveAndValidate) value = -1;
  int index = 0;
  do {
    if (::SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
      if (pDX->m_bSaveAndValidate) {
        if (::SendMessage(control, BM_GETCHECK, 0, 0) != BST_UNCHECKED) value = index;
      } else {
        ::SendMessage(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      ++index;
    }
    control = ::GetWindow(control, GW_HWNDNEXT);
  } while (control != NULL && !(::GetWindowLong(control, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd != NULL) return;  // taken over already
  ASSERT(!pDX->m_bSaveAndValidate);
  if (!rControl.SubclassWindow(pDX->PrepareCtrl(nIDC))) {
    ASSERT(FALSE);  // the control has an object already
    AfxThrowNotSupportedException();
  }
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  const HWND control = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessage(control, CB_GETCURSEL, 0, 0));
  else
    ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
  ASSERT(nChars >= 1);
  if (pDX->m_bSaveAndValidate && value.GetLength() > nChars) {
    char count[16];
    std::snprintf(count, sizeof count, "%d", nChars);
    CString prompt;
    AfxFormatString1(prompt, AFX_IDP_PARSE_STRING_SIZE, count);
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
    pDX->Fail();
  } else if (pDX->m_hWndLastControl != NULL && pDX->m_bEditLastControl) {
    ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
  }
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  CheckRange(pDX, value, minVal, maxVal, "%d");
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  CheckRange(pDX, value, minVal, maxVal, "%u");
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  const HWND outer = t_lockedOut;
  t_lockedOut = m_hWnd;
  BOOL ok = FALSE;
  try {
    DoDataExchange(&dx);
    ok = TRUE;
  } catch (CUserException* e) {
    e->Delete();  // the user has been told
  } catch (CException* e) {
    e->ReportError(MB_ICONEXCLAMATION);
    e->Delete();
  }
  t_lockedOut = outer;
  return ok;
}

void CWnd::DoDataExchange(CDataExchange*) {}

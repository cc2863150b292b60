// CWnd's dialog item calls and ExecuteDlgInit: a window's controls through the dialog manager.
#include <afxwin.h>

#include <cstring>

namespace {

// The Win16 list messages MFC's resource editor writes into RT_DLGINIT, and MFC's own.
constexpr WORD kWin16AddListString = 0x0401;   // LB_ADDSTRING
constexpr WORD kWin16AddComboString = 0x0403;  // CB_ADDSTRING
constexpr WORD kAfxAddComboString = 0x1234;    // CB_ADDSTRING too (an extended combo box's, not modelled)

}  // namespace

// RT_DLGINIT: items of (WORD control id, WORD message, DWORD length, the data), ended by a 0 id;
// fields follow each other without alignment.
BOOL CWnd::ExecuteDlgInit(LPVOID lpResource) {
  if (lpResource == NULL) return TRUE;
  const BYTE* p = static_cast<const BYTE*>(lpResource);
  for (;;) {
    WORD id, message;
    DWORD length;
    std::memcpy(&id, p, sizeof id);
    if (id == 0) return TRUE;
    std::memcpy(&message, p + 2, sizeof message);
    std::memcpy(&length, p + 4, sizeof length);
    p += 8;
    UINT send;
    if (message == kWin16AddListString)
      send = LB_ADDSTRING;
    else if (message == kWin16AddComboString || message == kAfxAddComboString)
      send = CB_ADDSTRING;
    else
      send = message;
    // The text is NUL-terminated within its length; one that is not is cut at the length.
    const CString text(reinterpret_cast<LPCSTR>(p), static_cast<int>(strnlen(reinterpret_cast<LPCSTR>(p), length)));
    const LRESULT result =
        ::SendDlgItemMessage(m_hWnd, id, send, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text)));
    if (result == LB_ERR || result == LB_ERRSPACE) return FALSE;
    p += length;
  }
}

BOOL CWnd::ExecuteDlgInitFor(const void* caller, LPCTSTR lpszResourceName) {
  if (lpszResourceName == NULL) return TRUE;
  const HINSTANCE module = afx_internal::FindResourceHandle(caller, lpszResourceName, RT_DLGINIT);
  HRSRC resource = ::FindResource(module, lpszResourceName, RT_DLGINIT);
  if (resource == NULL) return TRUE;  // no initial data
  return ExecuteDlgInit(::LockResource(::LoadResource(module, resource)));
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam);
}

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemText(m_hWnd, nID, lpszString); }

int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const {
  return static_cast<int>(::GetDlgItemText(m_hWnd, nID, lpStr, nMaxCount));
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString.Empty();
  const HWND control = ::GetDlgItem(m_hWnd, nID);
  if (control == NULL) return 0;
  const int length = ::GetWindowTextLength(control);
  ::GetWindowText(control, rString.GetBuffer(length), length + 1);
  rString.ReleaseBuffer();
  return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const {
  return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }

UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
  ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) {
  for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
    if (const HWND button = ::GetDlgItem(m_hWnd, id); button != NULL && ::SendMessage(button, BM_GETCHECK, 0, 0))
      return id;
  return 0;
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const {
  return CWnd::FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl != NULL ? pWndCtl->m_hWnd : NULL, bPrevious));
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const {
  return CWnd::FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl != NULL ? pWndCtl->m_hWnd : NULL, bPrevious));
}

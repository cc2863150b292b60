// The dialog controls' classes.
#include <afxwin.h>

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)

CButton::CButton() = default;
CButton::~CButton() = default;
CEdit::CEdit() = default;
CEdit::~CEdit() = default;
CListBox::CListBox() = default;
CListBox::~CListBox() = default;
CComboBox::CComboBox() = default;
CComboBox::~CComboBox() = default;

void CListBox::GetText(int nIndex, CString& rString) const {
  const int length = GetTextLen(nIndex);
  if (length == LB_ERR) {
    rString.Empty();
    return;
  }
  GetText(nIndex, rString.GetBuffer(length));
  rString.ReleaseBuffer();
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
  const int length = GetLBTextLen(nIndex);
  if (length == CB_ERR) {
    rString.Empty();
    return;
  }
  GetLBText(nIndex, rString.GetBuffer(length));
  rString.ReleaseBuffer();
}

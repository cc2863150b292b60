// MFC: dialogs, dialog data exchange and the dialog controls' classes. Included by afxwin.h.
//
// A CDialog's template is found along the resource chain as the module whose code makes the
// dialog sees it (the inline constructors and Create name that module). DoModal runs the dialog
// in the dialog manager's one modal loop (the scripted user is asked there), with the message's
// windows' PreTranslateMessage before the dialog manager's keyboard.
#pragma once

#include "afx_wnd.h"

// MFC's resource type of a dialog's initial control data (the resource compiler's DLGINIT).
#define RT_DLGINIT MAKEINTRESOURCE(240)
#ifndef WM_KEYFIRST
#define WM_KEYFIRST 0x0100
#define WM_KEYLAST 0x0108
#endif

// A control's notification to its parent, in the parent's message map.
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                            \
  {WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), nullptr,    \
   ::afx_internal::Signature::kCommand, AFX_INTERNAL_HANDLER(onCommand, void (CCmdTarget::*)(), memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)

// One exchange between a window's controls and its member variables (UpdateData, DoDataExchange):
// saving and validating reads the controls, else they are set. A failed validation tells the user,
// gives the offending control the focus (an edit's text selected) and throws a CUserException,
// which UpdateData catches and answers FALSE.
class STANDIN_API CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND m_hWndLastControl;
  BOOL m_bEditLastControl;

  // The control nIDC of the window, remembered as the one a failure goes back to; a missing
  // control is a programming error (an assertion, then CNotSupportedException).
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  [[noreturn]] void Fail();
};

// The edit's text (set only when it differs, so an unchanged text sends no EN_CHANGE).
STANDIN_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// A number in an edit: leading and trailing blanks allowed; anything else is reported ("Please
// enter an integer." / "Please enter a positive integer.") and fails the exchange.
STANDIN_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
STANDIN_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
// A check box's state (BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE).
STANDIN_API void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The radio button group that starts at nIDC (WS_GROUP): the index of the checked radio button
// among its radio buttons, -1 for none.
STANDIN_API void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// The control nIDC taken over by the object (SubclassWindow) at the first exchange.
STANDIN_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// A combo box's selected index (CB_ERR for none).
STANDIN_API void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// At most nChars characters ("Please enter no more than %1 characters."); while not validating,
// an edit is limited to that many (EM_LIMITTEXT).
STANDIN_API void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
// A number within the range ("Please enter an integer between %1 and %2.").
STANDIN_API void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
STANDIN_API void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);

// The dialog procedure of MFC's dialogs: WM_INITDIALOG goes to the CDialog's OnInitDialog; every
// other message reaches the object through its window procedure (AfxWndProc).
STANDIN_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class STANDIN_API CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
 public:
  CDialog();
  AFX_MODULE_LOCAL explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL)
      : CDialog(afx_internal::ThisModule(), lpszTemplateName, pParentWnd) {}
  AFX_MODULE_LOCAL explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL)
      : CDialog(afx_internal::ThisModule(), MAKEINTRESOURCE(nIDTemplate), pParentWnd) {}
  // A dialog whose template the module holding `caller` finds along its resource chain.
  CDialog(const void* caller, LPCTSTR lpszTemplateName, CWnd* pParentWnd);
  ~CDialog() override;

  // A modeless dialog (shown when its template has WS_VISIBLE); FALSE when it cannot be made.
  AFX_MODULE_LOCAL BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL) {
    return CreateFor(afx_internal::ThisModule(), lpszTemplateName, pParentWnd);
  }
  AFX_MODULE_LOCAL BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL) {
    return CreateFor(afx_internal::ThisModule(), MAKEINTRESOURCE(nIDTemplate), pParentWnd);
  }
  BOOL CreateFor(const void* caller, LPCTSTR lpszTemplateName, CWnd* pParentWnd);
  BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL);

  // Runs the dialog modally over its parent (NULL: the thread's main window) and returns
  // EndDialog's result; -1 when the template is not along the resource chain or the dialog cannot
  // be made.
  virtual int DoModal();
  // Adds the dialog's RT_DLGINIT items to its controls and sets them from the members
  // (UpdateData(FALSE)); TRUE: the first control with WS_TABSTOP gets the focus.
  virtual BOOL OnInitDialog();
  // IDOK: exchanges and validates (UpdateData(TRUE)); a failure keeps the dialog up, else
  // EndDialog(IDOK). IDCANCEL: EndDialog(IDCANCEL).
  virtual void OnOK();
  virtual void OnCancel();
  void EndDialog(int nResult);
  // The dialog manager's keyboard for the dialog's key messages (IsDialogMessage).
  BOOL PreTranslateMessage(MSG* pMsg) override;

  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void GotoDlgCtrl(CWnd* pWndCtrl);
  void SetDefID(UINT nID);
  DWORD GetDefID() const;
  void MapDialogRect(LPRECT lpRect) const;

  LPCTSTR m_lpszTemplateName;
  LPCDLGTEMPLATE m_lpDialogTemplate;
  CWnd* m_pParentWnd;

 protected:
  // The window the dialog is made over: the parent's top-level window, or the main window.
  HWND OwnerWindow() const;

 private:
  const void* m_pCallerModule;  // an address in the module whose code made the dialog

  DECLARE_MESSAGE_MAP()
};

// The controls' classes: thin wrappers of their messages.
class STANDIN_API CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)
 public:
  CButton();
  ~CButton() override;
  BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_BUTTON, lpszCaption, dwStyle, rect, pParentWnd, nID);
  }
  int GetCheck() const { return static_cast<int>(const_cast<CButton*>(this)->SendMessage(BM_GETCHECK)); }
  void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
  UINT GetState() const { return static_cast<UINT>(const_cast<CButton*>(this)->SendMessage(BM_GETSTATE)); }
  void SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, static_cast<WPARAM>(bHighlight)); }
  UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
  void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) {
    SendMessage(BM_SETSTYLE, nStyle, static_cast<LPARAM>(bRedraw));
  }
};

class STANDIN_API CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)
 public:
  CEdit();
  ~CEdit() override;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_EDIT, NULL, dwStyle, rect, pParentWnd, nID);
  }
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE) {
    (void)bNoScroll;
    SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
  }
  void GetSel(int& nStartChar, int& nEndChar) const {
    DWORD start = 0, end = 0;
    const_cast<CEdit*>(this)->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
  }
  void LimitText(int nChars = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nChars)); }
  UINT GetLimitText() const { return static_cast<UINT>(const_cast<CEdit*>(this)->SendMessage(EM_GETLIMITTEXT)); }
  BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, bReadOnly)); }
  BOOL GetModify() const { return static_cast<BOOL>(const_cast<CEdit*>(this)->SendMessage(EM_GETMODIFY)); }
  void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, bModified); }
};

class STANDIN_API CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)
 public:
  CListBox();
  ~CListBox() override;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_LISTBOX, NULL, dwStyle, rect, pParentWnd, nID);
  }
  int GetCount() const { return Ask(LB_GETCOUNT); }
  int GetCurSel() const { return Ask(LB_GETCURSEL); }
  int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
  int AddString(LPCTSTR lpszItem) {
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)));
  }
  int InsertString(int nIndex, LPCTSTR lpszItem) {
    return static_cast<int>(
        SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem)));
  }
  int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex)); }
  void ResetContent() { SendMessage(LB_RESETCONTENT); }
  int GetText(int nIndex, LPTSTR lpszBuffer) const {
    return Ask(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer));
  }
  void GetText(int nIndex, CString& rString) const;
  int GetTextLen(int nIndex) const { return Ask(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex)); }
  int FindString(int nStartAfter, LPCTSTR lpszItem) const {
    return Ask(LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem));
  }
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
    return Ask(LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind));
  }
  int SelectString(int nStartAfter, LPCTSTR lpszItem) {
    return static_cast<int>(
        SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
  }
  DWORD_PTR GetItemData(int nIndex) const {
    return static_cast<DWORD_PTR>(
        const_cast<CListBox*>(this)->SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
  }
  int SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
  }
  int GetHorizontalExtent() const { return Ask(LB_GETHORIZONTALEXTENT); }
  void SetHorizontalExtent(int cxExtent) { SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cxExtent)); }
  int GetTopIndex() const { return Ask(LB_GETTOPINDEX); }
  int SetTopIndex(int nIndex) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex))); }

 private:
  int Ask(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(message, wParam, lParam));
  }
};

class STANDIN_API CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)
 public:
  CComboBox();
  ~CComboBox() override;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_COMBOBOX, NULL, dwStyle, rect, pParentWnd, nID);
  }
  int GetCount() const { return Ask(CB_GETCOUNT); }
  int GetCurSel() const { return Ask(CB_GETCURSEL); }
  int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
  int AddString(LPCTSTR lpszString) {
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
  }
  int InsertString(int nIndex, LPCTSTR lpszString) {
    return static_cast<int>(
        SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszString)));
  }
  int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex)); }
  void ResetContent() { SendMessage(CB_RESETCONTENT); }
  int GetLBText(int nIndex, LPTSTR lpszText) const {
    return Ask(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText));
  }
  void GetLBText(int nIndex, CString& rString) const;
  int GetLBTextLen(int nIndex) const { return Ask(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex)); }
  int FindString(int nStartAfter, LPCTSTR lpszString) const {
    return Ask(CB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszString));
  }
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
    return Ask(CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind));
  }
  int SelectString(int nStartAfter, LPCTSTR lpszString) {
    return static_cast<int>(
        SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszString)));
  }
  DWORD_PTR GetItemData(int nIndex) const {
    return static_cast<DWORD_PTR>(
        const_cast<CComboBox*>(this)->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
  }
  int SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
  }
  void ShowDropDown(BOOL bShowIt = TRUE) { SendMessage(CB_SHOWDROPDOWN, bShowIt); }
  BOOL GetDroppedState() const { return Ask(CB_GETDROPPEDSTATE); }
  BOOL LimitText(int nMaxChars) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars))); }

 private:
  int Ask(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(message, wParam, lParam));
  }
};

#include "stdafx.h"

#include <new>

#include "WycAppWiz/Steps.h"
#include "WycAppWiz/resource.h"
#include "engine/Engine.h"
#include "small/TransparentBitmap.h"

namespace {

const COLORREF kWhite = 0xFFFFFF;
const int kStaticLibrary = 2;

CString String(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// The bitmap at its own size, white left out.
void DrawBitmap(CDC* pDC, UINT id, int x, int y) {
  CBitmap bitmap;
  if (!bitmap.LoadBitmap(id)) return;
  const CSize size = GetBitmapSize(pDC, &bitmap);
  DrawTransparentBitmap(pDC, CRect(CPoint(x, y), size), &bitmap, CRect(CPoint(0, 0), size), kWhite, TRUE, TRUE);
}

}  // namespace

int CFirstStepDlg::ComboAdd(int id, const CString& text) {
  return static_cast<int>(SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text))));
}

int CFirstStepDlg::ComboSelection(int id) { return static_cast<int>(SendDlgItemMessage(id, CB_GETCURSEL)); }

void CFirstStepDlg::ComboSelect(int id, int index) { SendDlgItemMessage(id, CB_SETCURSEL, static_cast<WPARAM>(index)); }

// --- Common to the three steps ------------------------------------------------------------------

CWycStepDlg::CWycStepDlg(UINT nIDTemplate, UINT nTitle)
    : CCustomAppWizStepDlg(nIDTemplate), m_bTitlePending(true), m_strFrameTitle(String(nTitle)), m_pEngine(NULL) {}

void CWycStepDlg::PaintPage(CDC* pDC, BOOL bShowHelp) {
  CCustomAppWizStepDlg::ArrangeFrameAndPaint(pDC, bShowHelp, FALSE);
  if (bShowHelp)
    ShowFrameItem(IDC_FRAME_HELP);
  else
    HideFrameItem(IDC_FRAME_HELP);
}

void CWycStepDlg::PutPendingTitle() {
  if (!m_bTitlePending) return;
  SetFrameTitle(m_strFrameTitle);
  m_bTitlePending = false;
}

void CWycStepDlg::DrawBitmaps(CDC* pDC) {
  DrawBitmap(pDC, IDB_WYC_BANNER, 120, 10);
  DrawBitmap(pDC, IDB_WYC_LOGO, 5, 5);
}

// --- First step ---------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CFirstStepDlg, CCustomAppWizStepDlg)
  ON_BN_CLICKED(IDC_ACTION_NEW, OnActionChanged)
  ON_BN_CLICKED(IDC_ACTION_CONVERT, OnActionChanged)
  ON_EN_CHANGE(IDC_PRJ_PATH, OnActionChanged)
  ON_CBN_SELCHANGE(IDC_TARGET, OnTargetChanged)
  ON_BN_CLICKED(IDC_PRJ_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CFirstStepDlg::CFirstStepDlg()
    : CWycStepDlg(IDD_FIRST_STEP, IDS_FIRST_TITLE), m_nInstrSupportOnly(0), m_nCreateNew(0), m_nTarget(0), m_nAction(0) {}

void CFirstStepDlg::SetInstallationList(const std::vector<CString>& names) {
  try {
    m_installations = names;
  } catch (const std::bad_alloc&) {
    throw FIRSTSTEP_EXC_NO_MEMORY;
  }
}

CString CFirstStepDlg::GetHelpTopic() { return "tqvcmain.chm::\\hdiconvWyc.htm"; }

void CFirstStepDlg::DoDataExchange(CDataExchange* pDX) {
  CCustomAppWizStepDlg::DoDataExchange(pDX);
  DDX_Radio(pDX, IDC_ACTION_NEW, m_nAction);
  if (GetDlgItem(IDC_INSTR_SUPPORT)->IsWindowEnabled())
    DDX_Check(pDX, IDC_INSTR_SUPPORT, m_nInstrSupportOnly);
  else
    m_nInstrSupportOnly = 0;
}

BOOL CFirstStepDlg::OnInitDialog() {
  CCustomAppWizStepDlg::OnInitDialog();
  m_strFrameTitle = String(IDS_FIRST_TITLE);
  m_bTitlePending = true;
  SetDlgItemText(IDC_ACTION_LABEL, String(IDS_ACTION_LABEL));
  SetDlgItemText(IDC_ACTION_NEW, String(IDS_ACTION_NEW));
  CheckDlgButton(IDC_ACTION_NEW, BST_CHECKED);
  SetDlgItemText(IDC_ACTION_CONVERT, String(IDS_ACTION_CONVERT));
  CheckDlgButton(IDC_ACTION_CONVERT, BST_UNCHECKED);
  SetDlgItemText(IDC_TARGET_LABEL, String(IDS_TARGET_LABEL));
  SetDlgItemText(IDC_PRJ_LABEL, String(IDS_PRJ_LABEL));
  for (UINT id : {IDS_TARGET_EXE, IDS_TARGET_DLL, IDS_TARGET_LIB}) ComboAdd(IDC_TARGET, String(id));
  ComboSelect(IDC_TARGET, 0);
  if (!m_installations.empty()) {
    for (const CString& name : m_installations) ComboSelect(IDC_VERSION, ComboAdd(IDC_VERSION, name));
  } else {
    ComboSelect(IDC_VERSION, ComboAdd(IDC_VERSION, String(IDS_NONE_FOUND)));
  }
  UpdateControls(true);
  return TRUE;
}

void CFirstStepDlg::UpdateControls(bool newProject) {
  const int target = ComboSelection(IDC_TARGET);
  GetDlgItem(IDC_INSTR_SUPPORT)->EnableWindow(newProject && target != kStaticLibrary);
  GetDlgItem(IDC_TARGET)->EnableWindow(newProject);
  GetDlgItem(IDC_PRJ_PATH)->EnableWindow(!newProject);
  GetDlgItem(IDC_PRJ_BROWSE)->EnableWindow(!newProject);
  if (newProject) {
    EnableFrameItem(IDC_FRAME_NEXT);
    EnableFrameItem(IDC_FRAME_FINISH);
  } else {
    DisableFrameItem(IDC_FRAME_NEXT);
    if (GetDlgItem(IDC_PRJ_PATH)->GetWindowTextLength() > 0)
      EnableFrameItem(IDC_FRAME_FINISH);
    else
      DisableFrameItem(IDC_FRAME_FINISH);
  }
  DisableFrameItem(IDC_FRAME_BACK);
}

void CFirstStepDlg::OnActionChanged() {
  UpdateData(TRUE);
  UpdateControls(m_nAction == 0);
}

// The static library leaves no choice of instrument support: the box is disabled, and the
// exchange then takes the check as 0.
void CFirstStepDlg::OnTargetChanged() {
  const int target = ComboSelection(IDC_TARGET);
  GetDlgItem(IDC_INSTR_SUPPORT)->EnableWindow(target != kStaticLibrary);
}

void CFirstStepDlg::OnBrowse() {
  CPrjSelectDlg dialog(this);
  if (dialog.DoModal() == IDOK) SetDlgItemText(IDC_PRJ_PATH, dialog.GetPathName());
  m_bTitlePending = true;
}

BOOL CFirstStepDlg::OnDismiss() {
  UpdateData(TRUE);
  m_bTitlePending = true;
  const int selected = ComboSelection(IDC_VERSION);
  if (selected >= 0) {
    char text[256] = "";
    if (SendDlgItemMessage(IDC_VERSION, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected)) < static_cast<LRESULT>(sizeof text))
      SendDlgItemMessage(IDC_VERSION, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text));
    m_strVersion = text;
  }
  m_nCreateNew = m_nAction == 1 ? 0 : 1;
  try {
    // What an earlier conversion left (after Back or a cancelled confirmation) goes first.
    m_pEngine->ClearConversion();
    m_pEngine->SetCreateNewProject(m_nCreateNew);
    m_pEngine->SetTimeStamp();
    m_pEngine->SelectInstallation(m_strVersion);
    if (m_nCreateNew == 0) {
      GetDlgItemText(IDC_PRJ_PATH, m_strPrjPath);
      if (!m_pEngine->ReadProjectToConvert(m_strPrjPath)) {
        AfxMessageBox(IDS_PRJ_MISSING, MB_ICONSTOP);
        return FALSE;
      }
    } else {
      m_nTarget = ComboSelection(IDC_TARGET);
      m_pEngine->SetProjectType(m_nTarget);
      m_pEngine->SetExportIncludes(false);
      m_pEngine->SetInstrSup(m_nInstrSupportOnly != 0);
    }
  } catch (CEngineExc code) {
    CEngine::ShowError(code);
    return FALSE;
  }
  return TRUE;
}

void CFirstStepDlg::ArrangeFrameAndPaint(CDC* pDC, BOOL, BOOL) {
  PaintPage(pDC, TRUE);
  UpdateControls(IsDlgButtonChecked(IDC_ACTION_CONVERT) != BST_CHECKED);
  PutPendingTitle();
  DrawBitmaps(pDC);
}

// --- Code step ----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CCodeStepDlg, CCustomAppWizStepDlg)
  ON_BN_CLICKED(IDC_GENERATE_CODE, OnGenerateCode)
END_MESSAGE_MAP()

CCodeStepDlg::CCodeStepDlg() : CWycStepDlg(IDD_CODE_STEP, IDS_CODE_TITLE), m_nGenerateCode(1), m_nLanguage(0) {}

void CCodeStepDlg::DoDataExchange(CDataExchange* pDX) {
  CCustomAppWizStepDlg::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_GENERATE_CODE, m_nGenerateCode);
  DDX_Radio(pDX, IDC_LANGUAGE_CPP, m_nLanguage);
}

BOOL CCodeStepDlg::OnInitDialog() {
  CCustomAppWizStepDlg::OnInitDialog();
  SetDlgItemText(IDC_CODE_LABEL, String(IDS_CODE_LABEL));
  SetDlgItemText(IDC_LANGUAGE_CPP, String(IDS_GENERATE_CPP));
  GetDlgItem(IDC_LANGUAGE_CPP)->EnableWindow(TRUE);
  SetDlgItemText(IDC_LANGUAGE_C, String(IDS_GENERATE_C));
  GetDlgItem(IDC_LANGUAGE_C)->EnableWindow(TRUE);
  SetDlgItemText(IDC_GENERATE_CODE, String(IDS_GENERATE_CODE));
  m_bTitlePending = true;
  m_strFrameTitle = String(IDS_CODE_TITLE);
  return TRUE;
}

void CCodeStepDlg::OnGenerateCode() {
  UpdateData(TRUE);
  GetDlgItem(IDC_LANGUAGE_CPP)->EnableWindow(m_nGenerateCode != 0);
  GetDlgItem(IDC_LANGUAGE_C)->EnableWindow(m_nGenerateCode != 0);
}

BOOL CCodeStepDlg::OnDismiss() {
  UpdateData(TRUE);
  try {
    m_pEngine->SetGenerateCode(m_nGenerateCode != 0, m_nLanguage == 0);
  } catch (CEngineExc code) {
    CEngine::ShowError(code);
    return FALSE;
  }
  m_bTitlePending = true;
  return TRUE;
}

void CCodeStepDlg::ArrangeFrameAndPaint(CDC* pDC, BOOL, BOOL) {
  PaintPage(pDC, FALSE);
  PutPendingTitle();
  DisableFrameItem(IDC_FRAME_NEXT);
  EnableFrameItem(IDC_FRAME_FINISH);
  EnableFrameItem(IDC_FRAME_BACK);
  DrawBitmaps(pDC);
}

// --- Error step ---------------------------------------------------------------------------------

CErrorStepDlg::CErrorStepDlg() : CWycStepDlg(IDD_ERROR_STEP, IDS_ERROR_TITLE), m_strMessage(String(IDS_ENGINE_UNKNOWN)) {}

void CErrorStepDlg::SetMessage(CString message) {
  message.Replace("\n\n", "\r");
  message.Replace("\n", " ");
  message.Replace("\r", "\n\n");
  m_strMessage = message;
}

BOOL CErrorStepDlg::OnInitDialog() {
  CCustomAppWizStepDlg::OnInitDialog();
  m_strFrameTitle = String(IDS_ERROR_TITLE);
  m_bTitlePending = true;
  SetDlgItemText(IDC_ERROR_MESSAGE, m_strMessage);
  return TRUE;
}

BOOL CErrorStepDlg::OnDismiss() {
  m_bTitlePending = true;
  return TRUE;
}

void CErrorStepDlg::ArrangeFrameAndPaint(CDC* pDC, BOOL, BOOL) {
  PaintPage(pDC, FALSE);
  PutPendingTitle();
  DisableFrameItem(IDC_FRAME_FINISH);
  DisableFrameItem(IDC_FRAME_NEXT);
  DisableFrameItem(IDC_FRAME_BACK);
  SetFrameItemFocus(IDC_FRAME_CANCEL);
  DrawBitmaps(pDC);
}

// --- The project file's open dialog -------------------------------------------------------------

CPrjSelectDlg::CPrjSelectDlg(CWnd* pParentWnd)
    : CFileDialog(TRUE, "prj", "*.prj", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                  "Harrowgate/Wyc Project Files (*.prj)|*.prj||", pParentWnd),
      m_strTitle(String(IDS_SELECT_PROJECT)) {
  m_ofn.lpstrTitle = m_strTitle;
}

void CPrjSelectDlg::OnInitDone() { SetControlText(IDOK, String(IDS_SELECT)); }

#include "stdafx.h"

#include "host/MFCWycAppTypeDlg.h"

#include <htmlhelp.h>

#include "AddinResource.h"
#include "HtmlHelpCall.h"
#include "InformationDepot.h"
#include "host/HostResource.h"
#include "plugin/CurrentDepot.h"

namespace {

// The frames whose procedure a project-type step took over, and the step.
std::map<HWND, CMFCWycAppTypeDlg*> g_subclassedFrames;

[[noreturn]] void FatalFrameError() {
  AfxMessageBox(IDS_FATAL_ERROR);
  AfxThrowUserException();
}

// Opens the current depot's help topic (the one the current step reported).
void OpenCurrentHelpTopic() {
  if (g_pCurrentDepot == NULL) return;
  const CPath path = g_pCurrentDepot->GetHelpPath() + CPath(g_pCurrentDepot->GetHelpTopic());
  CallHtmlHelp(::GetDesktopWindow(), path.GetString(), HH_DISPLAY_TOPIC, 0);
}

}  // namespace

// The frame's procedure while a project-type step has it: F1 (WM_HELP) and the Help button open
// the help; the frame's end gives it its old procedure back.
LRESULT CALLBACK AppTypeFrameHelpProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto found = g_subclassedFrames.find(frame);
  if (found == g_subclassedFrames.end()) return ::DefWindowProc(frame, message, wParam, lParam);
  CMFCWycAppTypeDlg* pStep = found->second;
  const WNDPROC oldProc = pStep->m_pfnOldFrameProc;
  const bool helpButton = message == WM_COMMAND && reinterpret_cast<HWND>(lParam) != NULL &&
                          reinterpret_cast<HWND>(lParam) == ::GetDlgItem(frame, IDC_FRAME_HELP);
  if (message == WM_HELP || helpButton) {
    OpenCurrentHelpTopic();
    return 0;
  }
  if (message == WM_DESTROY) {
    CMFCWycAppTypeDlg::RestoreFrameProc(frame, oldProc);
    g_subclassedFrames.erase(frame);
    pStep->m_bSubclassed = false;
  }
  return ::CallWindowProc(oldProc, frame, message, wParam, lParam);
}

CMFCWycAppTypeDlg::CMFCWycAppTypeDlg()
    : CCustomAppWizStepDlg(IDD_MFCWYC_APPTYPE), m_pfnOldFrameProc(NULL), m_bAvailable{false, false, false},
      m_bSubclassed(false) {}

CMFCWycAppTypeDlg::~CMFCWycAppTypeDlg() {}

CString CMFCWycAppTypeDlg::GetHelpTopic() { return "tqvcmain.chm::\\appwizard1.htm"; }

BOOL CMFCWycAppTypeDlg::OnInitDialog() {
  CCustomAppWizStepDlg::OnInitDialog();
  static const int kRadios[3] = {IDC_APPTYPE_MFC_EXE, IDC_APPTYPE_MFC_DLL, IDC_APPTYPE_WYC};
  static const int kTexts[3] = {IDC_APPTYPE_MFC_EXE_TEXT, IDC_APPTYPE_MFC_DLL_TEXT, IDC_APPTYPE_WYC_TEXT};
  // The first button is checked even when its plug-in is missing.
  CheckRadioButton(IDC_APPTYPE_MFC_EXE, IDC_APPTYPE_WYC, IDC_APPTYPE_MFC_EXE);
  for (int slot = 0; slot < 3; ++slot) {
    GetDlgItem(kRadios[slot])->EnableWindow(FALSE);
    GetDlgItem(kTexts[slot])->EnableWindow(FALSE);
  }
  for (int slot = 0; slot < 3; ++slot) {
    if (!m_bAvailable[slot]) continue;
    GetDlgItem(kRadios[slot])->EnableWindow(TRUE);
    GetDlgItem(kTexts[slot])->EnableWindow(TRUE);
  }
  return TRUE;
}

// The last button first: the first one, checked from the start, stays checked while it is
// disabled (a click on another button of the group clears only the enabled ones), so a second
// checked button is the user's choice.
int CMFCWycAppTypeDlg::GetSelection() {
  if (IsDlgButtonChecked(IDC_APPTYPE_WYC)) return 2;
  if (IsDlgButtonChecked(IDC_APPTYPE_MFC_DLL)) return 1;
  if (IsDlgButtonChecked(IDC_APPTYPE_MFC_EXE)) return 0;
  AfxThrowUserException();
}

BOOL CMFCWycAppTypeDlg::OnDismiss() {
  UpdateData(TRUE);
  CCustomAppWizStepDlg::OnDismiss();
  return TRUE;
}

BOOL CMFCWycAppTypeDlg::PreTranslateMessage(MSG*) {
  if (!m_bSubclassed) SubclassFrame();
  return FALSE;
}

void CMFCWycAppTypeDlg::SubclassFrame() {
  const HWND frame = ::GetParent(m_hWnd);
  const WNDPROC oldProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtr(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AppTypeFrameHelpProc)));
  if (oldProc == NULL) FatalFrameError();
  m_pfnOldFrameProc = oldProc;
  g_subclassedFrames[frame] = this;
  m_bSubclassed = true;
}

void CMFCWycAppTypeDlg::RestoreFrameProc(HWND frame, WNDPROC oldProc) {
  if (::SetWindowLongPtr(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc)) == 0) FatalFrameError();
}

void CMFCWycAppTypeDlg::RestoreFrame() {
  if (!m_bSubclassed) return;
  for (auto it = g_subclassedFrames.begin(); it != g_subclassedFrames.end(); ++it) {
    if (it->second != this) continue;
    const HWND frame = it->first;
    g_subclassedFrames.erase(it);
    RestoreFrameProc(frame, m_pfnOldFrameProc);
    break;
  }
  m_bSubclassed = false;
}

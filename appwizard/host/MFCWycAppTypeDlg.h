// The host's project-type step (dialog 102): one radio button per plug-in slot, enabled where the
// slot holds a plug-in. While it is up it takes the wizard frame's window procedure over, so that
// the frame's Help button and F1 open the current step's help topic.
#pragma once

#include "stdafx.h"

#include "plugin/CustomAppWizStepDlg.h"

class CMFCWycAppTypeDlg : public CCustomAppWizStepDlg {
 public:
  CMFCWycAppTypeDlg();
  ~CMFCWycAppTypeDlg() override;

  // 0, 1 or 2 for the radio button checked (the plug-in slot), the user's choice where two are;
  // MFC's user exception when none is.
  int GetSelection();
  // Gives the frame its own window procedure back when this step took it over.
  void RestoreFrame();

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnDismiss() override;
  CString GetHelpTopic() override;

  // The frame's procedure before this step took it over.
  WNDPROC m_pfnOldFrameProc;
  // Per plug-in slot: whether it holds a plug-in (set by the router before the step shows).
  bool m_bAvailable[3];
  bool m_bSubclassed;

 protected:
  BOOL OnInitDialog() override;

 private:
  friend LRESULT CALLBACK AppTypeFrameHelpProc(HWND, UINT, WPARAM, LPARAM);
  void SubclassFrame();
  // The frame gets its old procedure back; a failure is fatal for the wizard.
  static void RestoreFrameProc(HWND frame, WNDPROC oldProc);
};

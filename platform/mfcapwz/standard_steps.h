// The library's standard steps. So far step 8, the MFC DLL's options.
#pragma once

#include <customaw.h>

namespace mfcapwz {

// The options of an MFC DLL: a regular DLL using MFC ("MFCDLL") or an extension DLL ("EXTDLL"),
// with "AUTOMATION" and "SOCKETS". Entering the step shows what the dictionary holds (a regular
// DLL without either feature when it holds neither kind); leaving it with Next or Finish puts the
// choice into the dictionary (each chosen macro "1", the others removed) and marks the project an
// MFC DLL.
class CMfcDllStep : public CAppWizStepDlg {
 public:
  CMfcDllStep();
  void OnEnterStep() override;
  BOOL OnDismiss() override;
  void DoDataExchange(CDataExchange* pDX) override;

  int m_nKind;  // 0 regular, 1 extension
  int m_bAutomation;
  int m_bSockets;
};

CMfcDllStep& MfcDllStep();

}  // namespace mfcapwz

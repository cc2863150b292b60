// The wizard frame: a dialog with a caption and a dialog frame (its procedure answers
// WM_NCCALCSIZE as the platform's frame does, so a page can work out its buttons' places from
// their window rectangles), the step pages as its children at (0, 0) of its client area, and the
// buttons Back (441), Next (1), Finish (440), Cancel (2) and Help (57670) below them. It runs as
// the scripted user's modal of kind "AppWizard".
#pragma once

#include <customaw.h>

#include <string>

namespace mfcapwz {

// The client area's layout in pixels (the frame's template in dialog units of its font, two
// pixels each).
constexpr int kFrameClientWidth = 560;
constexpr int kFrameClientHeight = 328;

class CWizardFrame : public CDialog {
 public:
  CWizardFrame(CCustomAppWiz* appWiz, const std::string& title);
  ~CWizardFrame() override;

  // Runs the wizard over `owner` until the user cancels (IDCANCEL) or finishes and confirms the
  // project's information (IDOK). A template refused on the way cancels it (the library keeps
  // the refusal).
  int Run(HWND owner);
  CAppWizStepDlg* CurrentStep() const { return m_pStep; }
  // Every message of the frame's modal loop before the dialog manager's keyboard: the
  // PreTranslateMessage of the objects of its window and the window's parents, the current
  // page's also when it is not among them, then F1 as WM_HELP to the window with the focus.
  BOOL Route(MSG* pMsg);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnInitDialog() override;
  void OnOK() override;      // Next
  void OnCancel() override;  // Cancel
  afx_msg void OnBack();
  afx_msg void OnFinish();
  DECLARE_MESSAGE_MAP()

 private:
  // Makes the step's page the current one at place `position` (from 1): the page left is
  // destroyed, the new one made, entered, shown and painted.
  void Enter(CAppWizStepDlg* step, int position);
  // With a known number of steps: Back while a step came before, Next while one comes after,
  // Finish always. With the number open the pages decide.
  void FollowStepCount();
  // The project's information from CONFIRM.INF, asked of the user; TRUE when the user confirms.
  bool Confirm();

  CCustomAppWiz* m_pAppWiz;
  std::string m_title;
  CAppWizStepDlg* m_pStep;
  int m_nPosition;
};

}  // namespace mfcapwz

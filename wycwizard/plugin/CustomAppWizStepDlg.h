// CCustomAppWizStepDlg: the base of every wizard step page of the AppWizard modules (the host's,
// the MFC DLL plug-in's and the Wyc plug-in's steps). It acts on the buttons of the wizard frame
// around it by their ids, rearranges them and draws the banner bitmaps when it paints, and hands
// the page's help topic to the depot the module works with (g_pCurrentDepot), whose Help the
// host opens.
//
// Module-wide (one set per module, shared by its pages): the Help button's original place in the
// frame, recorded at the first arrangement and never reset, and the current depot.
#pragma once

#include <afxwin.h>
#include <customaw.h>

// The frame's controls the pages address.
#define IDC_FRAME_NEXT IDOK
#define IDC_FRAME_CANCEL IDCANCEL
#define IDC_FRAME_FINISH 440
#define IDC_FRAME_BACK 441
#define IDC_FRAME_HELP 57670
// The banner every page draws and the badge drawn at half its size over it.
#define IDB_STEP_BANNER 5101
#define IDB_STEP_BADGE 5114

class CCustomAppWizStepDlg : public CAppWizStepDlg {
 public:
  explicit CCustomAppWizStepDlg(UINT nIDTemplate);
  ~CCustomAppWizStepDlg() override;

  // The frame's control `id` (a child of the page's parent), as the pages see it. None of them
  // checks that the control exists: every page runs inside the frame, which has all five.
  // GetFrameItemRect writes its left and top in frame client coordinates (from the window
  // rectangles and the frame's dialog frame and caption); the rest is left as it was.
  void GetFrameItemRect(UINT id, LPRECT rect);
  void DisableFrameItem(UINT id);
  void EnableFrameItem(UINT id);
  void ShowFrameItem(UINT id);
  void HideFrameItem(UINT id);
  void MoveFrameItem(UINT id, int x, int y);
  void SetFrameItemFocus(UINT id);
  void SetFrameTitle(CString title);

  // Leaving the page: arranges the frame without Help; TRUE. Pages override it to take their
  // choices over.
  BOOL OnDismiss() override;

  // Moves Cancel to the Help button's original place (and Back, Next and Finish with it, Finish
  // ending right of Next), shows Help at the frame's left edge (showHelp: Finish disabled and
  // Next enabled) or hides it back at its place, and draws the banner 5101 and (drawBadge) the
  // badge 5114 at half size into pDC.
  virtual void ArrangeFrameAndPaint(CDC* pDC, BOOL bShowHelp, BOOL bDrawBadge);
  // The page's help topic; the base's is "".
  virtual CString GetHelpTopic();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // The dialog's start, then the page's help topic into the current depot (when there is one);
  // TRUE whatever the start answered.
  BOOL OnInitDialog() override;
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  CWnd* FrameItem(UINT id);
};

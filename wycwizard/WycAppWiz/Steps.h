// The Wyc plug-in's pages: the first step (new project or conversion of a Wyc project, target,
// installation), the code-generation step of a new project, the error page shown when no usable
// installation exists, and the open dialog that picks the project file to convert.
#pragma once

#include <afxdlgs.h>
#include <afxwin.h>

#include <vector>

#include "plugin/CustomAppWizStepDlg.h"

class CEngine;

// Thrown by value by the first step.
enum CFirstStepDlgExc {
  FIRSTSTEP_EXC_NO_MEMORY = 0,
};

// A step that puts its title on the wizard frame at the paint after the title became pending.
class CWycStepDlg : public CCustomAppWizStepDlg {
 public:
  CWycStepDlg(UINT nIDTemplate, UINT nTitle);
  void SetEngine(CEngine* pEngine) { m_pEngine = pEngine; }

 protected:
  // The base arrangement without the badge, Help shown or hidden, the pending title, then the
  // page's two bitmaps.
  void PaintPage(CDC* pDC, BOOL bShowHelp);
  void PutPendingTitle();
  void DrawBitmaps(CDC* pDC);

  bool m_bTitlePending;
  CString m_strFrameTitle;
  CEngine* m_pEngine;
};

class CFirstStepDlg : public CWycStepDlg {
 public:
  CFirstStepDlg();
  // Copies the version names; FIRSTSTEP_EXC_NO_MEMORY when memory runs out.
  void SetInstallationList(const std::vector<CString>& names);
  BOOL OnDismiss() override;
  void ArrangeFrameAndPaint(CDC* pDC, BOOL bShowHelp, BOOL bDrawBadge) override;
  CString GetHelpTopic() override;

  int m_nInstrSupportOnly;
  CString m_strPrjPath;
  int m_nCreateNew;
  int m_nTarget;
  CString m_strVersion;
  int m_nAction;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnActionChanged();
  afx_msg void OnTargetChanged();
  afx_msg void OnBrowse();
  DECLARE_MESSAGE_MAP()

 private:
  void UpdateControls(bool newProject);
  // The combo boxes through their messages (the page holds no control objects).
  int ComboAdd(int id, const CString& text);
  int ComboSelection(int id);
  void ComboSelect(int id, int index);

  std::vector<CString> m_installations;
};

class CCodeStepDlg : public CWycStepDlg {
 public:
  CCodeStepDlg();
  BOOL OnDismiss() override;
  void ArrangeFrameAndPaint(CDC* pDC, BOOL bShowHelp, BOOL bDrawBadge) override;

  int m_nGenerateCode;
  int m_nLanguage;  // 0 C++, 1 C

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnGenerateCode();
  DECLARE_MESSAGE_MAP()
};

class CErrorStepDlg : public CWycStepDlg {
 public:
  CErrorStepDlg();
  // Single line breaks become blanks; paragraph breaks ("\n\n") stay.
  void SetMessage(CString message);
  const CString& GetMessage() const { return m_strMessage; }
  BOOL OnDismiss() override;
  void ArrangeFrameAndPaint(CDC* pDC, BOOL bShowHelp, BOOL bDrawBadge) override;

 protected:
  BOOL OnInitDialog() override;

 private:
  CString m_strMessage;
};

// The open dialog of the first step: the title and the OK button's label are the plug-in's.
class CPrjSelectDlg : public CFileDialog {
 public:
  explicit CPrjSelectDlg(CWnd* pParentWnd);

 protected:
  void OnInitDone() override;

 private:
  CString m_strTitle;
};

// The AppWizard host library (mfcapwz, one per process): what a custom AppWizard module builds on.
//
// The IDE's New Project dialog loads a custom AppWizard module (.awx); its DllMain registers the
// module's one CCustomAppWiz object (RegisterCustomAppWiz). The library then fills the object's
// template dictionary with the project's names, calls InitCustomAppWiz and GetPlatforms, runs the
// wizard frame (the object's Next and Back give the step pages, CAppWizStepDlg), shows the
// project's information (the CONFIRM.INF template) and expands the templates that NEWPROJ.INF
// lists into the project's files through the object's template operations. The IDE then makes
// the project, hands it to CustomizeProject, writes and opens it, and calls ExitCustomAppWiz.
//
// The template language: "$$name$$" is the dictionary's value of name ("" when it has none);
// "$$IF(name)", "$$ELIF(name)", "$$ELSE" and "$$ENDIF" lines choose lines, nested, a name being
// true when it is in the dictionary whatever its value; "$$//" lines are comments. A block left
// open or closed twice, or any other "$$" directive line, refuses the template (its name and
// line are reported) and the project is not generated.
#pragma once

#include <afxcoll.h>
#include <afxwin.h>

#include <string>

struct IBuildProject;
class CAppWizStepDlg;

// What a template is copied or processed into: the text, appended to.
class STANDIN_API CTemplateOutput {
 public:
  CTemplateOutput();
  ~CTemplateOutput();
  void Write(LPCTSTR pText, DWORD dwSize);
  void Write(LPCTSTR pszText);
  // The text written so far (it may hold NUL bytes a copied template held).
  const std::string& GetText() const { return m_text; }
  void Empty() { m_text.clear(); }

 private:
  std::string m_text;
};

// The base of a custom AppWizard module's one object. The library calls its operations in this
// order: InitCustomAppWiz, GetPlatforms, Next and Back as the user moves, the template operations
// per template, CustomizeProject, ExitCustomAppWiz (also after a cancel).
class STANDIN_API CCustomAppWiz : public CObject {
  DECLARE_DYNAMIC(CCustomAppWiz)
 public:
  CCustomAppWiz();
  ~CCustomAppWiz() override;

  // The template dictionary: macro name to text. The library puts the project's names in before
  // InitCustomAppWiz ("root", "Root", "ROOT", "SAFE_ROOT", "FULL_DIR_PATH", ...; docs/STANDINS.md).
  CMapStringToString m_Dictionary;

  // The platforms the user chose in the New Project dialog; the object may take some away. The
  // base leaves them.
  virtual void GetPlatforms(CStringList& Platforms);
  // The step to show after (before) pDlg, which is NULL before the first step; NULL from Next keeps
  // the step shown, NULL from Back leaves the wizard as Cancel does. The base has no steps.
  virtual CAppWizStepDlg* Next(CAppWizStepDlg* pDlg);
  virtual CAppWizStepDlg* Back(CAppWizStepDlg* pDlg);
  virtual void InitCustomAppWiz();
  virtual void ExitCustomAppWiz();
  // The TEMPLATE resource lpszTemplateName of hInstance (NULL: the custom AppWizard's module) and
  // its size in rdwSize; NULL when the module has none.
  virtual LPCTSTR LoadTemplate(LPCTSTR lpszTemplateName, DWORD& rdwSize, HINSTANCE hInstance = NULL);
  // The template as it is, into the output.
  virtual void CopyTemplate(LPCTSTR lpszInput, DWORD dwSize, CTemplateOutput* pOutput);
  // The template expanded with the dictionary, into the output. A template the language refuses
  // writes nothing and is reported to the library, which then generates no project.
  virtual void ProcessTemplate(LPCTSTR lpszInput, DWORD dwSize, CTemplateOutput* pOutput);
  // After a generated file's template was copied or processed. The base does nothing.
  virtual void PostProcessTemplate(LPCTSTR szTemplate);
  // The new project, before the IDE writes it: what the object changes on it is written with it.
  virtual void CustomizeProject(IBuildProject* pProject);
};

// The base of every step page: a child dialog of the wizard frame (its template has WS_CHILD),
// made by the frame when the step is entered and destroyed when it is left. Its template is
// found along the resource chain as the module whose code constructs the page sees it.
class STANDIN_API CAppWizStepDlg : public CDialog {
  DECLARE_DYNAMIC(CAppWizStepDlg)
 public:
  AFX_MODULE_LOCAL explicit CAppWizStepDlg(UINT nIDTemplate)
      : CAppWizStepDlg(afx_internal::ThisModule(), nIDTemplate) {}
  CAppWizStepDlg(const void* caller, UINT nIDTemplate);
  ~CAppWizStepDlg() override;

  // The frame's keyboard: key messages go to the frame's dialog manager, which gives them to the
  // control they are for (Enter the frame's default button, Escape its Cancel).
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The user leaves the step with Next or Finish; FALSE keeps the step. The base: TRUE.
  virtual BOOL OnDismiss();
  // The frame has made the page's window for the step being entered, before it shows. The base
  // does nothing; the library's own pages take their controls from the dictionary here.
  virtual void OnEnterStep();

  UINT m_nIDTemplate;
  // The module whose code constructed the page (the start of its template's resource chain).
  const void* m_pStepModule;
};

// The library's standard steps.
enum AppWizStandardStep : UINT {
  // The MFC DLL's options: a regular DLL using MFC ("MFCDLL", the default) or an extension DLL
  // ("EXTDLL"), and "AUTOMATION" and "SOCKETS". A project whose wizard showed it is an MFC DLL.
  kAppWizStepMfcDll = 8,
};

extern "C" {
// Registers the custom AppWizard module's object (its DllMain, at process attach).
STANDIN_API void RegisterCustomAppWiz(CCustomAppWiz* pAppWiz);
// The number of steps the frame counts (its Back, Next and Finish follow the step's place);
// -1 while it is open, when the pages look after those buttons themselves.
STANDIN_API void SetNumberOfSteps(int nSteps);
// One of the library's standard steps (the same page every time); NULL for an id it lacks.
STANDIN_API CAppWizStepDlg* GetStandardStep(UINT nID);
}

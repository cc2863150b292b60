// File > New's dialog: the custom AppWizards (*.awx) of the IDE's template folder, the project's
// name and location, and its platforms. It is the scripted user's modal of kind "NewProject";
// OK is taken only with a wizard chosen, a name a file may have, a full folder path, a platform
// and no project of that name in that place (else the IDE says what is missing and the dialog
// stays).
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

class CNewProjectDialog : public CDialog {
 public:
  // `wizards`: the .awx files' full paths, listed by their file titles.
  CNewProjectDialog(std::vector<std::string> wizards, CWnd* pParent);

  // IDOK with the choice below, or IDCANCEL.
  int Run();

  std::string m_wizard;  // the chosen .awx's full path
  std::string m_name;
  std::string m_folder;  // the project's folder: the location joined with the name
  std::vector<std::string> m_platforms;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  std::vector<std::string> m_wizards;
  CWnd* m_pOwner;
};

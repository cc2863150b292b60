// The New Project dialog (new_project_dialog.h).
#include "new_project_dialog.h"

#include "file_io.h"
#include "ide.h"
#include "ide_app.h"
#include "msdev_resource.h"
#include "user32/user32_internal.h"

namespace {

std::string ItemText(CWnd* dialog, int id) {
  CString text;
  dialog->GetDlgItemText(id, text);
  text.TrimLeft();
  text.TrimRight();
  return static_cast<LPCTSTR>(text);
}

}  // namespace

CNewProjectDialog::CNewProjectDialog(std::vector<std::string> wizards, CWnd* pParent)
    : m_wizards(std::move(wizards)), m_pOwner(pParent) {}

int CNewProjectDialog::Run() {
  if (!Create(IDD_NEW_PROJECT, m_pOwner)) return IDCANCEL;
  const int result = static_cast<int>(user32::RunModalDialog(m_hWnd, nullptr, nullptr, "NewProject"));
  if (m_hWnd != NULL) DestroyWindow();
  return result == IDOK ? IDOK : IDCANCEL;
}

BOOL CNewProjectDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const std::string& wizard : m_wizards)
    SendDlgItemMessage(IDC_NEW_PROJECT_TYPES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(msdev::FileTitle(wizard).c_str()));
  CheckDlgButton(IDC_NEW_PROJECT_WIN32, BST_CHECKED);
  return TRUE;
}

void CNewProjectDialog::OnOK() {
  CIdeApp* app = msdev::Ide::Instance().App();
  auto refuse = [&](const std::string& text) {
    if (app != NULL) app->Prompt(text, MB_OK | MB_ICONEXCLAMATION);
  };
  const int chosen = static_cast<int>(SendDlgItemMessage(IDC_NEW_PROJECT_TYPES, LB_GETCURSEL, 0, 0));
  const std::string name = ItemText(this, IDC_NEW_PROJECT_NAME);
  const std::string location = ItemText(this, IDC_NEW_PROJECT_LOCATION);
  if (chosen < 0 || static_cast<size_t>(chosen) >= m_wizards.size()) return refuse("Select a project type.");
  if (name.empty()) return refuse("Enter a name for the project.");
  if (name.find_first_of("\\/:*?\"<>|") != std::string::npos || name == "." || name == "..")
    return refuse("A project name cannot contain any of the characters \\ / : * ? \" < > |.");
  const bool full = location.size() > 2 && location[1] == ':' && (location[2] == '\\' || location[2] == '/');
  const std::string folder = full ? msdev::FullWindowsPath(location + "\\" + name) : std::string();
  if (folder.empty()) return refuse("Enter the full path of the folder the project is made in.");
  std::vector<std::string> platforms;
  if (IsDlgButtonChecked(IDC_NEW_PROJECT_WIN32)) platforms.push_back("Win32 (x86)");
  if (IsDlgButtonChecked(IDC_NEW_PROJECT_OTHER)) platforms.push_back("Macintosh");
  if (platforms.empty()) return refuse("Select at least one platform.");
  const std::string project = folder + "\\" + name + ".dsp";
  if (::GetFileAttributes(project.c_str()) != INVALID_FILE_ATTRIBUTES)
    return refuse("The project '" + project + "' exists already.");
  m_wizard = m_wizards[static_cast<size_t>(chosen)];
  m_name = name;
  m_folder = folder;
  m_platforms = platforms;
  EndDialog(IDOK);
}

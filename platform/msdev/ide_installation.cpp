// The IDE's installation and its per-user defaults (ide_installation.h), over the Windows API.
#include "ide_installation.h"

#include <cstring>

namespace msdev {
namespace {

constexpr const char* kSetupKey = "SOFTWARE\\Microsoft\\VisualStudio\\6.0\\Setup";
constexpr const char* kDirectoriesKey =
    "Software\\Microsoft\\DevStudio\\6.0\\Build System\\Components\\Platforms\\Win32 (x86)\\Directories";
constexpr const char* kToolsKey = "Software\\Microsoft\\DevStudio\\6.0\\Tools";

// The IDE's own Tools entries: menu name and program below the common folder.
struct DefaultTool {
  const char* menuName;
  const char* program;
};
constexpr DefaultTool kDefaultTools[] = {
    {"&Module Viewer", "\\Tools\\MODVIEW.EXE"},
    {"M&essage Tracer", "\\Tools\\MSGTRACE.EXE"},
    {"&Error Finder", "\\Tools\\ERRFIND.EXE"},
};

bool ReadString(HKEY root, const char* subKey, const char* name, std::string& text) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0, size = 0;
  bool found = RegQueryValueEx(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
               (type == REG_SZ || type == REG_EXPAND_SZ);
  if (found) {
    std::string data(size, '\0');
    found = RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS;
    text = data.substr(0, std::strlen(data.c_str()));
  }
  RegCloseKey(key);
  return found;
}

bool HasValue(HKEY root, const char* subKey, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  const bool found = RegQueryValueEx(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  return found;
}

// The common folder without a trailing backslash; "" when the installation names none.
std::string CommonFolder() {
  std::string folder;
  ReadString(HKEY_LOCAL_MACHINE, kSetupKey, "VsCommonDir", folder);
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

}  // namespace

std::string IdeInstallation::TemplateFolder() {
  const std::string common = CommonFolder();
  return common.empty() ? std::string() : common + "\\MSDev98\\Template";
}

namespace {

void SetString(HKEY key, const std::string& name, const std::string& text) {
  RegSetValueEx(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                static_cast<DWORD>(text.size() + 1));
}

void SetDword(HKEY key, const std::string& name, DWORD value) {
  RegSetValueEx(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// The compiler's folders lie beside the common folder: <parent>\VC98\...
void WriteDirectories(const std::string& common) {
  std::string include, library;
  if (!common.empty()) {
    const size_t slash = common.rfind('\\');
    const std::string vc = (slash == std::string::npos ? common : common.substr(0, slash)) + "\\VC98";
    include = vc + "\\INCLUDE;" + vc + "\\MFC\\INCLUDE;" + vc + "\\ATL\\INCLUDE";
    library = vc + "\\LIB;" + vc + "\\MFC\\LIB";
  }
  HKEY key = nullptr;
  if (RegCreateKeyEx(HKEY_CURRENT_USER, kDirectoriesKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  SetString(key, "Include Dirs", include);
  SetString(key, "Library Dirs", library);
  RegCloseKey(key);
}

void WriteTools(const std::string& common) {
  if (HasValue(HKEY_CURRENT_USER, kToolsKey, "NumTools")) return;
  HKEY key = nullptr;
  if (RegCreateKeyEx(HKEY_CURRENT_USER, kToolsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  DWORD n = 0;
  for (const DefaultTool& tool : kDefaultTools) {
    const std::string number = "#" + std::to_string(n++);
    SetString(key, "MenuName" + number, tool.menuName);
    SetString(key, "PathName" + number, common + tool.program);
    SetString(key, "DefaultArguments" + number, "");
    SetString(key, "InitialDirectory" + number, "");
    for (const char* flag : {"OutputRedirect", "UseSearchPath", "ReloadNoPrompt", "CloseWindow", "AskArgument"})
      SetDword(key, flag + number, 0);
    SetDword(key, "VisibleOnMenu" + number, 1);
    SetDword(key, "GUITool" + number, 1);
  }
  SetDword(key, "NumTools", n);
  RegCloseKey(key);
}

}  // namespace

void IdeInstallation::HoldProgramFile() {
  ReleaseProgramFile();
  const std::string common = CommonFolder();
  if (common.empty()) return;
  const std::string program = common + "\\MSDev98\\Bin\\MSDEV.EXE";
  programFile_ = CreateFile(program.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

void IdeInstallation::ReleaseProgramFile() {
  if (programFile_ != INVALID_HANDLE_VALUE) CloseHandle(programFile_);
  programFile_ = INVALID_HANDLE_VALUE;
}

void IdeInstallation::WriteUserDefaults() {
  if (HasValue(HKEY_CURRENT_USER, kDirectoriesKey, "Include Dirs")) return;
  const std::string common = CommonFolder();
  WriteDirectories(common);
  WriteTools(common);
}

}  // namespace msdev

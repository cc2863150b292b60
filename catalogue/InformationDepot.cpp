#include "InformationDepot.h"

#include <shlobj.h>

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "CatalogueResource.h"
#include "ComponentXML.h"
#include "InformationDepotException.h"
#include "InstrumentDriverEnumerator.h"
#include "TqRegistry.h"

namespace {

const char kProductKey[] = "Software\\Vellacott\\Sablewing\\VC";
const char kVxipnpKey[] = "SOFTWARE\\VXIPNP_Alliance\\VXIPNP\\CurrentVersion";
const char kDevStudioDirectoriesKey[] =
    "Software\\Microsoft\\DevStudio\\6.0\\Build System\\Components\\Platforms\\Win32 (x86)\\Directories";
// The Wyc installations we know, the full edition before the demo and the newest first.
const char* const kWycKeys[] = {"SOFTWARE\\Vellacott\\Wyc\\6.0", "SOFTWARE\\Vellacott\\Wyc_Demo\\6.0",
                                "SOFTWARE\\Vellacott\\Wyc\\5.5", "SOFTWARE\\Vellacott\\Wyc\\5.0"};

// Reads a string value the way every getter does: the key must exist and hold the value. A
// registry failure counts as "not there"; `text` is then untouched.
bool ReadRegistryString(HKEY root, const char* subKey, const char* valueName, CString& text) {
  try {
    TQ::CTqRegKey rootKey(root, "");
    if (!rootKey.KeyExists(subKey)) return false;
    TQ::CTqRegKey key(root, subKey);
    if (!key.ValueExists(valueName)) return false;
    key.GetValues().GetValue(valueName).GetString(text);
    return true;
  } catch (TQ::CTqSystemException* e) {
    e->Delete();
    return false;
  }
}

const char* BoolText(bool value) { return value ? "true" : "false"; }

// Name and namespace together identify a component (ContainsComponent); as one key, so that a
// load of thousands of drivers does not compare each with every record before it.
std::string IdentityOf(const CComponent& record) {
  return std::string(record.ComponentName) + '\0' + std::string(record.Namespace);
}

}  // namespace

CInformationDepot::CInformationDepot()
    : m_visaInstalled(false), m_isWindowsNT(IsWindowsNT()) {}

CInformationDepot::~CInformationDepot() { ClearComponents(); }

// --- Paths ----------------------------------------------------------------------------------

CPath CInformationDepot::GetVXIPNPPath() {
  if (m_vxipnpPath.IsEmpty()) {
    CString text;
    if (ReadRegistryString(HKEY_LOCAL_MACHINE, kVxipnpKey, "VXIPNPPATH", text) && !CPath(text).IsEmpty())
      m_vxipnpPath = CPath(text) + (IsWindowsNT() ? "\\WinNT\\" : "\\Win95\\");
  }
  return m_vxipnpPath;
}

CPath CInformationDepot::GetVXIPNPIncludePath() {
  const CPath base = GetVXIPNPPath();
  return base.IsEmpty() ? CPath() : base + "Include\\";
}

CPath CInformationDepot::GetVXIPNPLibPath() {
  const CPath base = GetVXIPNPPath();
  return base.IsEmpty() ? CPath() : base + "lib\\Msc\\";
}

CPath CInformationDepot::GetProductPath() {
  if (m_productPath.IsEmpty()) {
    CString text;
    if (ReadRegistryString(HKEY_LOCAL_MACHINE, kProductKey, "InstallDir", text)) m_productPath = CPath(text);
  }
  return m_productPath;
}

// The five paths below the product folder are formed even when it is unknown (bare names then).
CPath CInformationDepot::GetProductInstrPath() { return GetProductPath() + "\\instr"; }
CPath CInformationDepot::GetProductIncludePath() { return GetProductPath() + "Include\\"; }
CPath CInformationDepot::GetAppWizardsPath() { return GetProductPath() + "\\appwizards"; }
CPath CInformationDepot::GetComponentsPath() { return GetProductPath() + "\\Components"; }

// The product lives in a "VC" folder beside the other language editions; the help is shared
// one level up. Only a last folder named VC goes: "D:\vcstuff\VC" is D:\vcstuff\Help.
CPath CInformationDepot::GetHelpPath() {
  CString text = GetProductPath().GetString();
  const int slash = text.ReverseFind('\\');
  if (slash >= 0 && text.Mid(slash + 1).CompareNoCase("VC") == 0) text = text.Left(slash);
  return CPath(text) + "\\Help\\";
}

CPath CInformationDepot::GetWycPath() {
  for (const char* key : kWycKeys) {
    if (!m_wycPath.IsEmpty()) break;
    CString text;
    if (ReadRegistryString(HKEY_LOCAL_MACHINE, key, "InstallDir", text)) {
      m_wycPath = CPath(text);
      break;
    }
  }
  return m_wycPath;
}

CPath CInformationDepot::GetWycInstrPath() {
  const CPath base = GetWycPath();
  return base.IsEmpty() ? CPath() : base + "\\instr";
}

CPath CInformationDepot::GetWycIviClassPath() {
  const CPath instr = GetWycInstrPath();
  return instr.IsEmpty() ? CPath() : instr + "iviclass";
}

CString CInformationDepot::GetIviIniPath() {
  const CPath base = GetVXIPNPPath();
  return base.IsEmpty() ? CString() : (base + "tqivi\\ivi.ini").GetString();
}

// --- Browse for the product folder -----------------------------------------------------------

CPath CInformationDepot::BrowseForProductPath(HWND owner) {
  const CString title = TQ::LoadStringResource(IDS_SELECT_PRODUCT_PATH);
  char displayName[MAX_PATH] = "";
  BROWSEINFO info = {};
  info.hwndOwner = owner;
  info.pidlRoot = NULL;
  info.pszDisplayName = displayName;
  info.lpszTitle = title;
  info.ulFlags = BIF_DONTGOBELOWDOMAIN;
  CString chosen;
  if (LPITEMIDLIST pidl = SHBrowseForFolder(&info)) {
    char path[MAX_PATH] = "";
    if (SHGetPathFromIDList(pidl, path)) chosen = path;
    LPMALLOC allocator = NULL;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
      allocator->Free(pidl);
      allocator->Release();
    }
  }
  m_productPath = CPath(chosen);
  if (!chosen.IsEmpty()) {
    try {
      TQ::CTqRegKey key(HKEY_LOCAL_MACHINE, kProductKey);
      key.GetValues().GetValue("InstallDir").SetString(chosen);
    } catch (TQ::CTqSystemException* e) {
      e->Delete();
      throw new CInformationDepotException(TQ::LoadStringResource(IDS_CANNOT_CREATE_REGKEY));
    }
  }
  return m_productPath;
}

// --- Platform and installation tests ---------------------------------------------------------

bool CInformationDepot::IsWindowsNT() const {
  OSVERSIONINFO info = {};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionEx(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool CInformationDepot::IsVisaInstalled() {
  DetectVisa();
  return m_visaInstalled;
}

// VISA installs its header into the framework's include directory; the name is compared exactly,
// as the framework writes it.
void CInformationDepot::DetectVisa() {
  const CPath include = GetVXIPNPIncludePath();
  if (include.IsEmpty() || !TQ::IsFullPath(include.GetString())) return;
  WIN32_FIND_DATA found;
  HANDLE search = FindFirstFile((include + "*.h").GetString(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && strcmp(found.cFileName, "visa.h") == 0)
      m_visaInstalled = true;
  } while (FindNextFile(search, &found));
  FindClose(search);
}

// Developer Studio keeps its include directories as one ';'-separated value; a substring test
// is what the component tree's warning has always used.
bool CInformationDepot::IsWycInstrPathInIncludeDirs() {
  bool keyExists = false;
  try {
    keyExists = TQ::CTqRegKey(HKEY_CURRENT_USER, "").KeyExists(kDevStudioDirectoriesKey);
  } catch (TQ::CTqSystemException* e) {
    e->Delete();
  }
  if (!keyExists) return false;
  CString includeDirs;
  ReadRegistryString(HKEY_CURRENT_USER, kDevStudioDirectoriesKey, "Include Dirs", includeDirs);
  CString wycInstr = GetWycInstrPath().GetString();
  includeDirs.MakeLower();
  wycInstr.MakeLower();
  return includeDirs.Find(wycInstr) >= 0;
}

// --- The catalogue ---------------------------------------------------------------------------

void CInformationDepot::LoadComponents(HWND owner) {
  ClearComponents();
  AddDescribedComponents(owner);
  AddInstrumentDrivers();
  LinkDependencies();
  WriteDump();
}

void CInformationDepot::ClearComponents() {
  while (!m_components.empty()) m_components.pop_back();
}

void CInformationDepot::AddDescribedComponents(HWND owner) {
  const CPath directory = GetComponentsPath();
  // Searches take full paths only: a relative directory (an empty product path gives one) would
  // search wherever the IDE's current directory happens to be, so it counts as not found.
  if (!TQ::IsFullPath(directory.GetString())) return;
  CFileFind finder;
  BOOL more = finder.FindFile((directory + "*.xml").GetString());
  while (more) {
    more = finder.FindNextFile();
    if (finder.IsDirectory()) continue;
    const CString path = finder.GetFilePath();
    CComponent record;
    CComponentXML reader(path);
    try {
      reader.Read(record);
    } catch (COleException* e) {
      e->Delete();
      const CString text = TQ::LoadStringResource(IDS_COULD_NOT_LOAD) + "\n" + path + "\n" +
                           TQ::LoadStringResource(IDS_INSTALL_COMPONENT_AGAIN);
      MessageBox(owner, text, TQ::LoadStringResource(IDS_PRODUCT_NAME), MB_OK | MB_ICONEXCLAMATION);
      continue;
    }
    m_components.push_back(std::move(record));
  }
}

// Drivers are offered only with a VXIplug&play framework: without it they could not be built.
void CInformationDepot::AddInstrumentDrivers() {
  if (GetVXIPNPPath().IsEmpty()) return;
  std::unordered_set<std::string> known;  // what ContainsComponent answers, kept up to date
  for (const CComponent& record : m_components) known.insert(IdentityOf(record));
  CInstrumentDriverEnumerator drivers(this);
  for (bool found = drivers.FindFirst(); found; found = drivers.FindNext()) {
    CComponent record;
    drivers.CreateComponent(record);
    // The framework's oscilloscope class driver is never offered.
    if (record.ComponentName.CompareNoCase("scope") == 0) continue;
    if (!known.insert(IdentityOf(record)).second) continue;
    m_components.push_back(std::move(record));
  }
}

// Runs after the last record was appended: the links point into the catalogue's storage.
void CInformationDepot::LinkDependencies() {
  for (CComponent& record : m_components) {
    record.Dependancies.clear();
    record.Dependants.clear();
  }
  std::unordered_map<std::string, CComponent*> byName;  // what FindComponent answers: the first
  for (CComponent& record : m_components) byName.emplace(std::string(record.ComponentName), &record);
  for (CComponent& record : m_components) {
    for (const CString& name : record.ComponentDependancies) {
      const auto found = byName.find(std::string(name));
      CComponent* dependency = found == byName.end() ? NULL : found->second;
      if (dependency == NULL)
        throw new CInformationDepotException(TQ::LoadStringResource(IDS_COMPONENT_NOT_INSTALLED));
      record.Dependancies.push_back(dependency);
      dependency->Dependants.push_back(&record);
    }
  }
}

void CInformationDepot::ResetSelection() {
  for (CComponent& record : m_components) record.Selected = record.SelectedByDefault;
}

CComponent* CInformationDepot::FindComponent(const CString& name) {
  for (CComponent& record : m_components)
    if (_mbscmp(reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(record.ComponentName)),
                reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(name))) == 0)
      return &record;
  return NULL;
}

bool CInformationDepot::ContainsComponent(const CComponent& component) const {
  for (const CComponent& record : m_components)
    if (record.ComponentName == component.ComponentName && record.Namespace == component.Namespace) return true;
  return false;
}

// --- Diagnostic dump -------------------------------------------------------------------------

// Written on request only (the Dump File value). It is diagnostics: a dump that cannot be written
// is skipped, and the catalogue that was loaded stays loaded.
void CInformationDepot::WriteDump() {
  try {
    CString dumpFile;
    if (!ReadRegistryString(HKEY_LOCAL_MACHINE, kProductKey, "Dump File", dumpFile)) return;
    TQ::CTqFile file;
    if (!file.Open(dumpFile, CFile::modeCreate | CFile::modeReadWrite | CFile::typeText)) {
      TRACE("The catalogue dump %s cannot be created.\n", static_cast<LPCTSTR>(dumpFile));
      return;
    }
    const struct {
      const char* label;
      CString value;
    } lines[] = {
        {"VXIPNP Path:\t\t\t", GetVXIPNPPath().GetString()},
        {"VXIPNP Include Path:\t\t", GetVXIPNPIncludePath().GetString()},
        {"VXIPNP Lib Path:\t\t", GetVXIPNPLibPath().GetString()},
        {"Sablewing Path:\t\t\t", GetProductPath().GetString()},
        {"Sablewing Instr Path:\t\t", GetProductInstrPath().GetString()},
        {"Sablewing Include Path:\t\t", GetProductIncludePath().GetString()},
        {"Sablewing AppWizards Path:\t", GetAppWizardsPath().GetString()},
        {"Sablewing Components Path:\t", GetComponentsPath().GetString()},
        {"Wyc Path:\t\t\t", GetWycPath().GetString()},
        {"Wyc Instr Path:\t\t\t", GetWycInstrPath().GetString()},
        {"IVI INI Path:\t\t\t", GetIviIniPath()},
        {"VisaInstalled:\t\t\t", BoolText(IsVisaInstalled())},
        {"NTSystem:\t\t\t", BoolText(m_isWindowsNT)},
        {"WycInstrDirInVCPath:\t\t", BoolText(IsWycInstrPathInIncludeDirs())},
    };
    for (const auto& line : lines) file << CString(line.label) << line.value << CString("\n");
    for (const CComponent& record : m_components) file << record;
    file.Close();
  } catch (CException* e) {
    TRACE("The catalogue dump failed and was left incomplete.\n");
    e->Delete();
  }
}

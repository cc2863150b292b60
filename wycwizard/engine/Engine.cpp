#include "stdafx.h"

#include <comdef.h>

#include <exception>
#include <new>

#include "WycProject.h"
#include "engine/Engine.h"
#include "WycAppWiz/resource.h"
#include "plugin/FPFile.h"
#include "plugin/WycInstallation.h"
#include "uir/UIR.h"
#include "uir/UIRMgr.h"

namespace {

const char kTrue[] = "VAL_UNUSED";
const char kSystemLibraries[] = "kernel32.lib user32.lib gdi32.lib advapi32.lib";

// The macros a conversion sets (ReadProjectToConvert and the setters it calls).
const char* const kConversionMacros[] = {
    "INSTRSUP", "EXPORT_INCLUDES", "ICON_FILE", "VERSION_INFO", "NEED_RESOURCE_FILE", "NUMERIC_FILE_VERSION",
    "NUMERIC_PROD_VERSION", "FILE_VERSION", "PRODUCT_VERSION", "COMMENTS", "COMPANY_NAME", "LEGAL_COPYRIGHT",
    "LEGAL_TRADEMARKS", "PRIVATE_BUILD", "SPECIAL_BUILD", "FILE_DESCRIPTION", "INTERNAL_NAME", "ORIGINAL_FILENAME",
    "PRODUCT_NAME", "APPLICATION_TITLE", "PROJTYPE_EXE", "PROJTYPE_DLL", "PROJTYPE_LIB", "PROJTYPE_CON"};

CEngineExc FromInstallation(int code) {
  switch (code) {
    case WYCINST_EXC_NO_MEMORY: return ENGINE_EXC_NO_MEMORY;
    case WYCINST_EXC_EXTLIB: return ENGINE_EXC_NO_EXTLIB;
    case 2:
    case WYCINST_EXC_REGISTRY: return ENGINE_EXC_REGISTRY;
    default: return ENGINE_EXC_UNKNOWN;
  }
}

CEngineExc FromProject(int code) {
  switch (code) {
    case WYCPRJ_EXC_NO_MEMORY: return ENGINE_EXC_NO_MEMORY;
    case WYCPRJ_EXC_INI_READ: return ENGINE_EXC_READ;
    case WYCPRJ_EXC_MISSING_FILE: return ENGINE_EXC_MISSING_FILES;
    case WYCPRJ_EXC_MALFORMED: return ENGINE_EXC_NOT_PROJECT;
    case WYCPRJ_EXC_INI_OPEN: return ENGINE_EXC_OPEN;
    default: return ENGINE_EXC_UNKNOWN;
  }
}

VARIANT Empty() {
  VARIANT v;
  ::VariantInit(&v);
  return v;
}

template <class T>
void Release(T*& p) {
  if (p != NULL) p->Release();
  p = NULL;
}

// A folder as "/I" quotes it: without its trailing backslashes, which the command line would read
// as an escaped quote.
CString WithoutTrailingBackslash(CString dir) {
  while (dir.GetLength() > 1 && dir[dir.GetLength() - 1] == '\\' && dir[dir.GetLength() - 2] != ':')
    dir = dir.Left(dir.GetLength() - 1);
  return dir;
}

}  // namespace

CEngine::CEngine(CMapStringToString* pDictionary)
    : m_bGenerateCode(false),
      m_bCpp(false),
      m_bInstrSup(false),
      m_nConfigurations(0),
      m_savedDictionary(10),
      m_nCreateNewProject(1),
      m_nProjectType(NO_TYPE),
      m_pInstallation(NULL),
      m_pProject(NULL),
      m_pDictionary(pDictionary),
      m_pApplication(NULL),
      m_pBuildProject(NULL),
      m_ppConfigurations(NULL),
      m_bEngineMissing(false) {
  try {
    m_pInstallation = new CWycInstallation;
    m_pProject = new CWycProject;
    CString key, value;
    for (POSITION pos = m_pDictionary->GetStartPosition(); pos != NULL;) {
      m_pDictionary->GetNextAssoc(pos, key, value);
      m_savedDictionary.SetAt(key, value);
    }
  } catch (CException* e) {
    e->Delete();
    delete m_pProject;
    delete m_pInstallation;
    throw ENGINE_EXC_NO_MEMORY;
  } catch (const std::bad_alloc&) {
    delete m_pProject;
    delete m_pInstallation;
    throw ENGINE_EXC_NO_MEMORY;
  }
}

CEngine::~CEngine() {
  DetachProject();
  delete m_pProject;
  delete m_pInstallation;
}

void CEngine::ReadDictionary() {
  m_pDictionary->Lookup("FULL_DIR_PATH", m_strProjectDir);
  m_pDictionary->Lookup("root", m_strProjectName);
}

void CEngine::ResetMacros() {
  try {
    m_pDictionary->RemoveAll();
    CString key, value;
    for (POSITION pos = m_savedDictionary.GetStartPosition(); pos != NULL;) {
      m_savedDictionary.GetNextAssoc(pos, key, value);
      m_pDictionary->SetAt(key, value);
    }
  } catch (CException* e) {
    e->Delete();
    throw ENGINE_EXC_NO_MEMORY;
  }
}

void CEngine::ClearConversion() {
  for (const char* macro : kConversionMacros) m_pDictionary->RemoveKey(macro);
  m_pProject->Reset();
  for (CFileStampSet& files : m_files) files.clear();
  m_includePaths.clear();
  m_bInstrSup = false;
}

void CEngine::SetMacro(LPCTSTR name, bool set) {
  try {
    if (set)
      m_pDictionary->SetAt(name, kTrue);
    else
      m_pDictionary->RemoveKey(name);
  } catch (CException* e) {
    e->Delete();
    throw ENGINE_EXC_NO_MEMORY;
  }
}

void CEngine::SetMacroValue(LPCTSTR name, const CString& value) {
  try {
    m_pDictionary->SetAt(name, value);
  } catch (CException* e) {
    e->Delete();
    throw ENGINE_EXC_NO_MEMORY;
  }
}

int CEngine::FindInstallations(std::vector<CString>& names) {
  int count = 0;
  try {
    count = CWycInstallation::FindInstallations(names);
  } catch (CWycInstallationExc code) {
    throw FromInstallation(code);
  }
  if (count == 0) throw ENGINE_EXC_NO_INSTALLATION;
  return count;
}

void CEngine::SelectInstallation(const CString& version) {
  try {
    m_pInstallation->Read(version);
  } catch (CWycInstallationExc code) {
    throw FromInstallation(code);
  }
}

bool CEngine::ReadProjectToConvert(const CString& path) {
  CString wycDir;
  m_pInstallation->GetInstallDir(wycDir);
  try {
    if (!m_pProject->Read(path, wycDir)) return false;
  } catch (CWycProjectExc code) {
    throw FromProject(code);
  }
  const CFileStampSet* sets[CWycProject::FILE_SET_COUNT];
  m_pProject->GetFileSets(sets);
  for (int i = 0; i < CWycProject::FILE_SET_COUNT; ++i) m_files[i] = *sets[i];
  m_includePaths = m_pProject->GetIncludePaths();
  SetInstrSup(m_pProject->GetInstrDriverSupportOnly());
  SetExportIncludes(m_pProject->GetExportIncludeSymbols());
  SetIconFile();
  SetVersionInfo();
  SetNeedResourceFile();
  SetProjectType(m_pProject->GetTargetType());
  return true;
}

void CEngine::SetCreateNewProject(int createNew) {
  m_nCreateNewProject = createNew;
  if (createNew == 1) {
    SetGenerateCode(true, true);
    SetMacro("CREATE_NEW_PROJECT", true);
  } else {
    SetGenerateCode(false, false);
    SetMacro("CREATE_NEW_PROJECT", false);
  }
}

void CEngine::SetGenerateCode(bool generate, bool cpp) {
  m_bGenerateCode = generate;
  m_bCpp = cpp;
  SetMacro("GENERATE_CODE", generate);
  if (!generate) return;
  SetMacro("GENERATE_CPP", cpp);
  SetMacro("GENERATE_C", !cpp);
}

void CEngine::SetProjectType(int type) {
  static const char* const kTypes[] = {"PROJTYPE_EXE", "PROJTYPE_DLL", "PROJTYPE_LIB", "PROJTYPE_CON"};
  m_nProjectType = type;
  for (const char* macro : kTypes) SetMacro(macro, false);
  if (type >= 0 && type < 4) SetMacro(kTypes[type], true);
}

void CEngine::SetExportIncludes(bool exportIncludes) { SetMacro("EXPORT_INCLUDES", exportIncludes); }

void CEngine::SetInstrSup(bool instrSup) {
  m_bInstrSup = instrSup;
  SetMacro("INSTRSUP", instrSup);
}

void CEngine::SetTimeStamp() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  CString stamp;
  stamp.Format("%d/%d/%d", now.wMonth, now.wDay, now.wYear);
  SetMacroValue("TIMESTAMP", stamp);
}

void CEngine::SetIconFile() {
  const CString icon = m_pProject->GetIconFile();
  if (!icon.IsEmpty()) SetMacroValue("ICON_FILE", icon);
}

void CEngine::SetVersionInfo() {
  const CWycProject& p = *m_pProject;
  if (p.GetNumericFileVersion().IsEmpty() || p.GetNumericProductVersion().IsEmpty()) return;
  SetMacro("VERSION_INFO", true);
  const struct {
    LPCTSTR macro;
    CString value;
  } always[] = {{"NUMERIC_FILE_VERSION", p.GetNumericFileVersion()}, {"NUMERIC_PROD_VERSION", p.GetNumericProductVersion()},
                {"FILE_VERSION", p.GetFileVersion()},                {"PRODUCT_VERSION", p.GetProductVersion()},
                {"COMMENTS", p.GetComments()},                       {"COMPANY_NAME", p.GetCompanyName()},
                {"LEGAL_COPYRIGHT", p.GetLegalCopyright()},          {"LEGAL_TRADEMARKS", p.GetLegalTrademarks()},
                {"PRIVATE_BUILD", p.GetPrivateBuild()},              {"SPECIAL_BUILD", p.GetSpecialBuild()}},
    whenSet[] = {{"FILE_DESCRIPTION", p.GetFileDescription()}, {"INTERNAL_NAME", p.GetInternalName()},
                 {"ORIGINAL_FILENAME", p.GetOriginalFilename()}, {"PRODUCT_NAME", p.GetProductName()},
                 {"APPLICATION_TITLE", p.GetApplicationTitle()}};
  for (const auto& m : always) SetMacroValue(m.macro, m.value);
  for (const auto& m : whenSet)
    if (!m.value.IsEmpty()) SetMacroValue(m.macro, m.value);
}

void CEngine::SetNeedResourceFile() {
  CString value;
  if (m_pDictionary->Lookup("ICON_FILE", value) || m_pDictionary->Lookup("VERSION_INFO", value))
    SetMacro("NEED_RESOURCE_FILE", true);
}

bool CEngine::AttachProject(IBuildProject* pProject) {
  DetachProject();
  m_pBuildProject = pProject;
  m_pBuildProject->AddRef();
  IConfigurations* configurations = NULL;
  IDispatch* application = NULL;
  LONG count = 0;
  bool ok = SUCCEEDED(pProject->get_Application(&application)) && application != NULL &&
            SUCCEEDED(application->QueryInterface(IID_IApplication, reinterpret_cast<void**>(&m_pApplication))) &&
            SUCCEEDED(pProject->get_Configurations(&configurations)) && configurations != NULL &&
            SUCCEEDED(configurations->get_Count(&count)) && count > 0;
  Release(application);
  if (ok) {
    m_ppConfigurations = new (std::nothrow) IConfiguration*[count]();
    if (m_ppConfigurations == NULL) {
      Release(configurations);
      ReleaseProject();
      throw ENGINE_EXC_NO_MEMORY;
    }
    m_nConfigurations = static_cast<int>(count);
    for (LONG i = 0; ok && i < count; ++i) {
      VARIANT index = Empty();
      index.vt = VT_I2;
      index.iVal = static_cast<SHORT>(i + 1);
      ok = SUCCEEDED(configurations->Item(index, &m_ppConfigurations[i])) && m_ppConfigurations[i] != NULL;
    }
  }
  Release(configurations);
  if (!ok) ReleaseProject();
  return ok;
}

void CEngine::ReleaseProject() {
  if (m_ppConfigurations != NULL) {
    for (int i = 0; i < m_nConfigurations; ++i) Release(m_ppConfigurations[i]);
    delete[] m_ppConfigurations;
  }
  m_ppConfigurations = NULL;
  m_nConfigurations = 0;
  Release(m_pBuildProject);
  Release(m_pApplication);
}

void CEngine::DetachProject() { ReleaseProject(); }

bool CEngine::CheckFunctionPanels() {
  try {
    m_searchFolders = *m_pInstallation->GetInstrumentDirectories();
    CString vxipnp;
    if (m_pInstallation->GetVXIPNPPath(vxipnp)) m_searchFolders.insert(vxipnp);
    CFileStampSet& panels = m_files[CWycProject::FUNCTION_PANEL_FILES];
    const CFileStampSet* library = m_pInstallation->GetLibraryFPFiles();
    panels.insert(library->begin(), library->end());
    m_checked.clear();
    bool result = true;
    while (!panels.empty()) {
      const CString path = panels.begin()->m_path;
      panels.erase(panels.begin());
      const CString stem = path.Left(path.GetLength() - 3);
      const int slash = stem.ReverseFind('\\');
      m_searchFolders.insert(stem.Left(slash < 0 ? 0 : slash));
      if (!CheckFunctionPanelModule(stem.Mid(slash + 1))) result = false;
    }
    return result;
  } catch (CException* e) {
    e->Delete();
    throw ENGINE_EXC_NO_MEMORY;
  } catch (const std::bad_alloc&) {
    throw ENGINE_EXC_NO_MEMORY;
  }
}

bool CEngine::CheckFunctionPanelModule(const CString& module) {
  try {
    return CheckModule(module, m_searchFolders);
  } catch (CFPFileExc) {
    throw ENGINE_EXC_UNKNOWN;
  } catch (const std::exception&) {
    throw ENGINE_EXC_NO_MEMORY;
  }
}

// A module met again in the same run answers its first outcome, so modules naming each other end.
bool CEngine::CheckModule(const CString& module, const CPathSet& folders) {
  const std::string key(module);
  const auto known = m_checked.find(key);
  if (known != m_checked.end()) return known->second;
  bool& outcome = m_checked[key];
  outcome = true;
  CString vxipnp;
  m_pInstallation->GetVXIPNPPath(vxipnp);
  CFPFile file;
  const CString named = module + ".fp";
  bool result = true;
  switch (file.Find(module, vxipnp, folders)) {
    case CFPFile::FOUND:
      m_files[CWycProject::INCLUDE_FILES].insert(file.GetHeader());
      m_includePaths.insert(file.GetFolder());
      break;
    case CFPFile::FOUND_WITHOUT_HEADER:
      m_headerMissing.insert(named);
      result = false;
      break;
    case CFPFile::NO_CODE_FILE:
      m_sourceMissing.insert(named);
      result = false;
      break;
    case CFPFile::NO_PANEL_FILE:
      m_unlocated.insert(named);
      return outcome = false;
    default:
      m_invalid.insert(named);
      return outcome = false;
  }
  switch (file.GetKind()) {
    case CFPFile::C_SOURCE: m_files[CWycProject::C_SOURCE_FILES].insert(file.GetModule()); break;
    case CFPFile::OBJECT: m_files[CWycProject::OBJECT_FILES].insert(file.GetModule()); break;
    case CFPFile::LIBRARY: m_files[CWycProject::LIBRARY_FILES].insert(file.GetModule()); break;
    default: break;
  }
  outcome = result;
  for (const CString& name : file.GetNames())
    if (!CheckModule(name, folders)) result = false;
  return m_checked[key] = result;
}

void CEngine::GetProblemLists(const CPathSet** sourceMissing, const CPathSet** headerMissing, const CPathSet** unlocated,
                              const CPathSet** invalid) const {
  *sourceMissing = &m_sourceMissing;
  *headerMissing = &m_headerMissing;
  *unlocated = &m_unlocated;
  *invalid = &m_invalid;
}

bool CEngine::AddProjectFiles() {
  bool ok = true;
  for (const CFileStampSet& files : m_files)
    for (const CFileStamp& file : files)
      if (FAILED(m_pBuildProject->AddFile(_bstr_t(file.m_path), Empty()))) ok = false;
  return ok;
}

void CEngine::OpenStarterFile() {
  if (!m_bGenerateCode || m_pApplication == NULL) return;
  const CString path = m_strProjectDir + m_strProjectName + (m_bCpp ? ".cpp" : ".c");
  IDispatch* documentsDispatch = NULL;
  if (FAILED(m_pApplication->get_Documents(&documentsDispatch)) || documentsDispatch == NULL) return;
  IDocuments* documents = NULL;
  documentsDispatch->QueryInterface(__uuidof(IDocuments), reinterpret_cast<void**>(&documents));
  Release(documentsDispatch);
  if (documents == NULL) return;
  VARIANT type = Empty();
  type.vt = VT_BSTR;
  type.bstrVal = ::SysAllocString(u"Auto");
  VARIANT readOnly = Empty();
  readOnly.vt = VT_BOOL;
  readOnly.boolVal = VARIANT_FALSE;
  IDispatch* document = NULL;
  documents->Open(_bstr_t(path), type, readOnly, &document);
  ::VariantClear(&type);
  Release(document);
  Release(documents);
}

bool CEngine::ToolSettings(LPCTSTR tool, const CString& settings, bool add) {
  bool ok = true;
  for (int i = 0; i < m_nConfigurations; ++i) {
    const HRESULT hr = add ? m_ppConfigurations[i]->AddToolSettings(_bstr_t(tool), _bstr_t(settings), Empty())
                           : m_ppConfigurations[i]->RemoveToolSettings(_bstr_t(tool), _bstr_t(settings), Empty());
    if (FAILED(hr)) ok = false;
  }
  return ok;
}

bool CEngine::AddIncludePaths() {
  CPathSet dirs = *m_pInstallation->GetIncludePaths();
  dirs.insert(m_includePaths.begin(), m_includePaths.end());
  bool ok = true;
  for (const CString& dir : dirs)
    if (!ToolSettings("cl.exe", "/I \"" + WithoutTrailingBackslash(dir) + "\"")) ok = false;
  return ok;
}

bool CEngine::AddLibraries() {
  bool ok = true;
  for (const CString& library : *m_pInstallation->GetExtLibraries())
    if (!ToolSettings("link.exe", "\"" + library + "\"")) ok = false;
  CString library;
  if (m_bInstrSup)
    m_pInstallation->GetInstrSupLibrary(library);
  else
    m_pInstallation->GetRunTimeLibrary(library);
  if (!ToolSettings("link.exe", "\"" + library + "\"")) ok = false;
  if (!ToolSettings("link.exe", "/NODEFAULTLIB:libc")) ok = false;
  return ok;
}

bool CEngine::SetUpUIRCallbackTable() {
  const CFileStampSet& uirs = m_files[CWycProject::UIR_FILES];
  if (uirs.empty()) return true;
  try {
    CUIR::LoadRunTimeEngine();
  } catch (CUIRExc) {
    m_bEngineMissing = true;  // the binding told the user
    return false;
  }
  CUIRMgr manager;
  const CString table = m_strProjectDir + "UIRCallbackTable" + ".c";
  try {
    manager.Clear();
    manager.SetPromptDSPSave(1);
    manager.SetUIRs(uirs);
    manager.SetTableFile(table);
    manager.WriteTableFile();
    manager.SaveState(m_strProjectDir + m_strProjectName + ".hga");
  } catch (CUIRMgrExc) {
    return false;
  }
  // The table is written: a failure to add it or its copy steps is not reported.
  m_pBuildProject->AddFile(_bstr_t(table), Empty());
  for (int i = 0; i < m_nConfigurations; ++i) manager.AddUIRCustomBuildStep(m_ppConfigurations[i]);
  return true;
}

bool CEngine::AdjustBuildSettings() {
  try {
    bool ok = ToolSettings("cl.exe", "/D \"_AFXDLL\"", false);
    if (!ToolSettings("rc.exe", "/D \"_AFXDLL\"", false)) ok = false;
    if (!ToolSettings("link.exe", kSystemLibraries)) ok = false;
    if (m_nProjectType == DLL) {
      CString dir, description;
      switch (m_pProject->GetDllCopyTarget()) {
        case CWycProject::DLL_COPY_SYSTEM_DIRECTORY: {
          char buffer[256] = "";
          const UINT length = ::GetSystemDirectory(buffer, sizeof buffer);
          if (length >= 1 && length <= 255) dir = buffer;
          description = "Copy dll to the system directory";
          break;
        }
        case CWycProject::DLL_COPY_VXIPNP_DIRECTORY:
          if (!m_pProject->GetVXIPNPDir().IsEmpty()) dir = m_pProject->GetVXIPNPDir() + "\\bin";
          description = "Copy dll to the VXIplug&play directory";
          break;
        default: break;
      }
      if (!dir.IsEmpty())
        for (int i = 0; i < m_nConfigurations; ++i)
          if (FAILED(m_ppConfigurations[i]->AddCustomBuildStep(_bstr_t("copy \"$(TargetPath)\" \"" + dir + "\""),
                                                                 _bstr_t(dir + "\\$(TargetName).dll"),
                                                                 _bstr_t(description), Empty())))
            ok = false;
      if (!ToolSettings("link.exe", kSystemLibraries)) ok = false;
    }
    // The configuration whose platform part (after " - ") names the project's build configuration.
    const CString wanted = m_pProject->GetBuildConfiguration();
    for (int i = 0; !wanted.IsEmpty() && i < m_nConfigurations; ++i) {
      BSTR name = NULL;
      if (FAILED(m_ppConfigurations[i]->get_Name(&name))) {
        ok = false;
        continue;
      }
      CString text = static_cast<const char*>(_bstr_t(name, false));
      const int dash = text.Find(" - ");
      if (dash >= 0) text = text.Mid(dash + 3);
      if (text.Find(wanted) < 0) continue;
      if (m_pApplication == NULL || FAILED(m_pApplication->put_ActiveConfiguration(m_ppConfigurations[i]))) ok = false;
      break;
    }
    return ok;
  } catch (CException* e) {
    e->Delete();
    throw ENGINE_EXC_NO_MEMORY;
  }
}

void CEngine::GetErrorText(int code, CString& text) {
  static const UINT kStrings[] = {IDS_ENGINE_NO_MEMORY,     IDS_ENGINE_NO_EXTLIB, IDS_ENGINE_REGISTRY,
                                  IDS_ENGINE_OPEN,          IDS_ENGINE_NOT_PROJECT, IDS_ENGINE_MISSING_FILES,
                                  IDS_ENGINE_READ,          IDS_ENGINE_NO_INSTALLATION, IDS_ENGINE_UNKNOWN};
  if (code < 0 || code > 8) return;
  text.LoadString(kStrings[code]);
}

void CEngine::ShowError(int code) {
  CString text;
  GetErrorText(code, text);
  AfxMessageBox(text, MB_ICONSTOP);
}

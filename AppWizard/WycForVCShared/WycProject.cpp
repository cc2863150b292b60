#include "stdafx.h"

#include <new>

#include "InformationDepot.h"
#include "WycProject.h"
#include "plugin/CurrentDepot.h"
#include "plugin/WycAssert.h"
#include "toolbox/FileUtil.h"

namespace {

const char kExecutableSection[] = "Create Executable";
const char kHeaderSection[] = "Project Header";
const char kIncludeSection[] = "Include Paths";

// Flags bit of a console program.
const ULONG kConsoleFlag = 0x400;

// The version texts of "Create Executable", each with the field it fills.
struct VersionText {
  LPCSTR key;
  CString CWycProject::*field;
};

// The file types, in file-set order.
const char* const kFileTypes[CWycProject::FILE_SET_COUNT] = {
    "CSource", "Include", "Library", "Object", "Function Panel", "User Interface Resource", "Unknown"};

// The unescaped text of a key: false (the value emptied) when it is absent.
bool ReadText(IniFile ini, LPCSTR section, LPCSTR key, CString& value) {
  const char* text = NULL;
  const int found = IniFileText(ini, section, key, &text);
  if (found == TBX_NO_MEMORY) throw WYCPRJ_EXC_NO_MEMORY;
  if (found != 1) {
    value.Empty();
    return false;
  }
  value = text;
  return true;
}

// A boolean key: `absent` when it is not there (malformed when `required`); a value that is not
// a boolean is malformed.
bool ReadFlag(IniFile ini, LPCSTR section, LPCSTR key, bool required, bool absent = false) {
  int flag = 0;
  const int found = IniFileFlag(ini, section, key, &flag);
  if (found == 1) return flag != 0;
  if (found == 0 && !required) return absent;
  throw WYCPRJ_EXC_MALFORMED;
}

// A path written with forward slashes in the Wyc manner ("/c/dir/file.c") in Windows form: a
// one-letter first component is the drive ("c:\dir\file.c"); a longer one lies on drive c
// ("/proj/f.c" is "c:\proj\f.c"). A path that already has a drive or is a UNC path stays as it is.
CString WindowsForm(CString path) {
  path.Replace('/', '\\');
  if (path.IsEmpty()) return path;
  if ((path.GetLength() >= 2 && path[1] == ':') || path.Left(2) == "\\\\") return path;
  int slash = path.Find('\\', 1);
  if (slash < 0) slash = path.GetLength();
  if (slash > 2) return "c:" + path;
  path.Insert(2, ':');
  return path.Mid(1);
}

// The folder of a file's path: up to its last backslash, without it. A path without a folder
// part (no backslash at index 2 or later) is malformed.
CString FolderOf(const CString& path) {
  const int slash = path.ReverseFind('\\');
  if (slash < 2) throw WYCPRJ_EXC_MALFORMED;
  return path.Left(slash);
}

CString WithoutTrailingBackslashes(CString path) {
  path.TrimRight('\\');
  return path;
}

}  // namespace

// Where the project's files were and where they are now: the Wyc folder the project was saved
// with and the one the new project uses, and the folder the project was saved in and the one it
// is read from. An empty "from" moves nothing.
struct CWycProject::Moves {
  CString fromWyc, toWyc;
  CString fromProject, toProject;

  CString Apply(const CString& path) const { return Moved(Moved(path, fromWyc, toWyc), fromProject, toProject); }

  // `from` replaced by `to` where it leads the path up to a backslash (or is the whole path), so
  // that "c:\proj" does not move "c:\proj2\f.c".
  static CString Moved(const CString& path, const CString& from, const CString& to) {
    const int n = from.GetLength();
    if (n == 0 || path.GetLength() < n || strncmp(path, from, n) != 0) return path;
    if (path.GetLength() > n && path[n] != '\\') return path;
    return to + path.Mid(n);
  }
};

CWycProject::CWycProject() : m_ini(NULL) { Reset(); }

CWycProject::~CWycProject() { IniFileFree(m_ini); }

void CWycProject::Reset() {
  m_instrDriverSupportOnly = false;
  m_exportIncludeSymbols = false;
  m_targetType = NO_TARGET;
  m_dllCopyTarget = DLL_COPY_NONE;
  CString* texts[] = {&m_iconFile,        &m_numericFileVersion, &m_numericProductVersion, &m_fileVersion,
                      &m_productVersion,  &m_comments,           &m_companyName,           &m_fileDescription,
                      &m_internalName,    &m_legalCopyright,     &m_legalTrademarks,       &m_originalFilename,
                      &m_privateBuild,    &m_productName,        &m_specialBuild,          &m_applicationTitle,
                      &m_buildConfiguration};
  for (CString* text : texts) text->Empty();
  m_includePaths.clear();
  for (CFileStampSet& set : m_fileSets) set.clear();
  IniFileFree(m_ini);
  m_ini = NULL;
  m_wycDir.Empty();
  m_projectDir.Empty();
  m_vxipnpDir.Empty();
}

void CWycProject::GetFileSets(const CFileStampSet* sets[FILE_SET_COUNT]) const {
  for (int i = 0; i < FILE_SET_COUNT; ++i) sets[i] = &m_fileSets[i];
}

const CFileStampSet& CWycProject::GetFileSet(int index) const {
  static const CFileStampSet none;
  if (index < 0 || index >= FILE_SET_COUNT) {
    WycAssertFailedLine("AppWizard\\WycForVCShared\\CWycProject", 203);
    return none;
  }
  return m_fileSets[index];
}

bool CWycProject::Read(const CString& path, const CString& wycFolder) {
  if (!FileIsThere(path)) return false;
  try {
    ReadProject(path, wycFolder);
  } catch (CWycProjectExc) {
    Reset();
    throw;
  } catch (CException* e) {
    e->Delete();
    Reset();
    throw WYCPRJ_EXC_NO_MEMORY;
  } catch (...) {
    Reset();
    throw WYCPRJ_EXC_NO_MEMORY;
  }
  return true;
}

void CWycProject::ReadProject(const CString& path, const CString& wycFolder) {
  Reset();
  m_ini = IniFileMake(0);
  if (m_ini == NULL) throw WYCPRJ_EXC_NO_MEMORY;
  switch (IniFileRead(m_ini, path)) {
    case 0: break;
    case TBX_NO_MEMORY: throw WYCPRJ_EXC_NO_MEMORY;
    case INI_OPEN_FAILED: throw WYCPRJ_EXC_INI_OPEN;
    default: throw WYCPRJ_EXC_INI_READ;
  }
  TakeBaseFolders(path);
  Moves moves;
  ReadHeader(path, wycFolder, moves);
  ReadTarget();
  ReadIncludePaths(moves);
  ReadFiles(moves);
}

// The VXIplug&play and Wyc folders of the installation, and the project file's own folder.
void CWycProject::TakeBaseFolders(const CString& path) {
  if (g_pCurrentDepot != NULL) {
    m_vxipnpDir = WithoutTrailingBackslashes(g_pCurrentDepot->GetVXIPNPPath().GetString());
    m_wycDir = WithoutTrailingBackslashes(g_pCurrentDepot->GetWycPath().GetString());
  }
  m_projectDir = FolderOf(path);
}

void CWycProject::ReadHeader(const CString& path, const CString& wycFolder, Moves& moves) {
  static const VersionText kVersionTexts[] = {
      {"File Version", &CWycProject::m_fileVersion},
      {"Numeric File Version", &CWycProject::m_numericFileVersion},
      {"Numeric Prod Version", &CWycProject::m_numericProductVersion},
      {"Product Version", &CWycProject::m_productVersion},
      {"Comments", &CWycProject::m_comments},
      {"Company Name", &CWycProject::m_companyName},
      {"File Description", &CWycProject::m_fileDescription},
      {"Internal Name", &CWycProject::m_internalName},
      {"Legal Copyright", &CWycProject::m_legalCopyright},
      {"Legal Trademarks", &CWycProject::m_legalTrademarks},
      {"Original Filename", &CWycProject::m_originalFilename},
      {"Private Build", &CWycProject::m_privateBuild},
      {"Product Name", &CWycProject::m_productName},
      {"Special Build", &CWycProject::m_specialBuild},
      {"Application Title", &CWycProject::m_applicationTitle},
  };
  m_iconFile = ReadPathKey(kExecutableSection, "Icon File");
  for (const VersionText& text : kVersionTexts) ReadText(m_ini, kExecutableSection, text.key, this->*text.field);
  const CString savedAs = ReadPathKey(kHeaderSection, "Pathname");
  if (!ReadText(m_ini, kHeaderSection, "Build Configuration", m_buildConfiguration)) m_buildConfiguration = "Release";

  const CString savedWyc = ReadPathKey(kHeaderSection, "Wyc Dir");
  if (savedWyc != wycFolder) {
    moves.fromWyc = WithoutTrailingBackslashes(savedWyc);
    moves.toWyc = WithoutTrailingBackslashes(wycFolder);
  }
  // A project file without its Pathname records no place it was saved at, so nothing moves.
  if (!savedAs.IsEmpty() && savedAs != path) {
    moves.fromProject = FolderOf(savedAs);
    moves.toProject = m_projectDir;
  }
}

void CWycProject::ReadTarget() {
  ULONG flags = 0;
  const int flagsFound = IniFileULong(m_ini, kHeaderSection, "Flags", &flags);
  if (flagsFound < 0) throw WYCPRJ_EXC_MALFORMED;
  CString target;
  m_targetType = EXECUTABLE;
  if (ReadText(m_ini, kHeaderSection, "Target Type", target)) {
    if (target == "Executable")
      m_targetType = (flags & kConsoleFlag) != 0 ? CONSOLE_EXECUTABLE : EXECUTABLE;
    else if (target == "Dynamic Link Library")
      m_targetType = DYNAMIC_LINK_LIBRARY;
    else if (target == "Static Library")
      m_targetType = STATIC_LIBRARY;
    else
      throw WYCPRJ_EXC_MALFORMED;
  }
  if (m_targetType == DYNAMIC_LINK_LIBRARY) {
    CString exports, copyTo;
    if (!ReadText(m_ini, kExecutableSection, "DLL Exports", exports) ||
        !ReadText(m_ini, kExecutableSection, "Where to Copy DLL", copyTo))
      throw WYCPRJ_EXC_MALFORMED;
    m_exportIncludeSymbols = exports == "Include File Symbols" || exports == "Include File And Marked Symbols";
    m_dllCopyTarget = copyTo == "Windows System directory"  ? DLL_COPY_SYSTEM_DIRECTORY
                      : copyTo == "VXIplug&play directory" ? DLL_COPY_VXIPNP_DIRECTORY
                                                           : DLL_COPY_NONE;
  }
  m_instrDriverSupportOnly = ReadFlag(m_ini, kExecutableSection, "Instrument Driver Support Only", false);
}

void CWycProject::ReadIncludePaths(const Moves& moves) {
  for (int n = 1;; ++n) {
    CString key;
    key.Format("%s %d", "Include Path", n);
    if (IniFileHasItem(m_ini, kIncludeSection, key) != 1) return;
    m_includePaths.insert(moves.Apply(ReadPathKey(kIncludeSection, key)));
  }
}

void CWycProject::ReadFiles(const Moves& moves) {
  for (int n = 1;; ++n) {
    CString section;
    section.Format("%s %04d", "File", n);
    if (IniFileHasSection(m_ini, section) != 1) return;
    if (ReadFlag(m_ini, section, "Not In Project", false)) continue;
    const CString path = moves.Apply(ReadPathKey(section, "Path"));
    CFileStamp stamp;
    if (!CFileStamp::OfFile(path, false, stamp)) throw WYCPRJ_EXC_MISSING_FILE;
    stamp.m_flag = ReadFlag(m_ini, section, "Exclude", true);
    CString type;
    if (!ReadText(m_ini, section, "File Type", type)) throw WYCPRJ_EXC_MALFORMED;
    int set = 0;
    while (set < FILE_SET_COUNT && type != kFileTypes[set]) ++set;
    if (set == FILE_SET_COUNT) throw WYCPRJ_EXC_MALFORMED;
    m_fileSets[set].insert(stamp);
    if (set == UIR_FILES || set == INCLUDE_FILES) m_includePaths.insert(FolderOf(path));
  }
}

// A path key with its companions: "<key> Is Rel" (absent or not a boolean: absolute), then either
// the key's own text in Windows form, or the base "<key> Rel To" names ("Project", "Wyc",
// "VXIPlug&Play", "VXIPlug&Play kbase", exactly) joined with "<key> Rel Path".
CString CWycProject::ReadPathKey(LPCSTR section, const CString& key) const {
  int relative = 0;
  if (IniFileFlag(m_ini, section, key + " Is Rel", &relative) != 1 || !relative) {
    CString path;
    ReadText(m_ini, section, key, path);
    return WindowsForm(path);
  }
  CString base, part;
  if (!ReadText(m_ini, section, key + " Rel To", base) || !ReadText(m_ini, section, key + " Rel Path", part))
    throw WYCPRJ_EXC_MALFORMED;
  if (base == "Project")
    base = m_projectDir;
  else if (base == "Wyc")
    base = m_wycDir;
  else if (base == "VXIPlug&Play")
    base = m_vxipnpDir;
  else if (base == "VXIPlug&Play kbase")
    base = m_vxipnpDir + "\\kbase";
  else
    throw WYCPRJ_EXC_MALFORMED;
  part.Replace('/', '\\');
  return base + "\\" + part;
}

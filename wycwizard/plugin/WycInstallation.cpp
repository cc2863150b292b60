#include "stdafx.h"

#include <new>

#include "plugin/WycInstallation.h"

namespace {

const char kWycKey[] = "Software\\Vellacott\\Wyc";
const char kVxipnpKey[] = "Software\\VXIPNP_Alliance\\VXIPNP\\CurrentVersion";
const char kVxipnpValue[] = "VXIPNPPATH";
const DWORD kVersionNameSize = 10;
const DWORD kModeSize = 10;
const DWORD kPathSize = 260;

// Folders every installation has, below its install folder.
const char* const kFixedIncludeFolders[] = {
    "\\include", "\\instr", "\\toolslib", "\\toolslib\\custctrl", "\\toolslib\\custctrl\\custsupp",
    "\\toolslib\\printing", "\\toolslib\\toolbox", "\\toolslib\\localui", "\\toolslib\\reportgen"};
const char* const kFixedInstrumentFolders[] = {
    "\\instr", "\\toolslib", "\\toolslib\\custctrl", "\\toolslib\\custctrl\\custsupp", "\\toolslib\\printing",
    "\\toolslib\\toolbox", "\\toolslib\\localui", "\\toolslib\\reportgen"};

// A registry key closed with its owner.
class CKey {
 public:
  CKey() : m_key(NULL) {}
  ~CKey() {
    if (m_key != NULL) RegCloseKey(m_key);
  }
  CKey(const CKey&) = delete;
  CKey& operator=(const CKey&) = delete;

  LONG Open(HKEY root, LPCSTR path, REGSAM access) { return RegOpenKeyEx(root, path, 0, access, &m_key); }
  // A string value of at most `size` bytes with its terminator: false when it cannot be read.
  bool ReadString(LPCSTR name, DWORD size, CString& value) const {
    std::vector<char> buffer(size + 1, '\0');
    DWORD bytes = size;
    DWORD type = 0;
    if (RegQueryValueEx(m_key, name, NULL, &type, reinterpret_cast<LPBYTE>(&buffer[0]), &bytes) != ERROR_SUCCESS)
      return false;
    value = &buffer[0];
    return true;
  }
  HKEY Handle() const { return m_key; }

 private:
  HKEY m_key;
};

// A file search closed with its owner.
class CFind {
 public:
  explicit CFind(LPCSTR pattern) : m_find(FindFirstFile(pattern, &m_data)) {}
  ~CFind() {
    if (m_find != INVALID_HANDLE_VALUE) FindClose(m_find);
  }
  CFind(const CFind&) = delete;
  CFind& operator=(const CFind&) = delete;

  bool Found() const { return m_find != INVALID_HANDLE_VALUE; }
  const WIN32_FIND_DATA& Data() const { return m_data; }
  bool Next() { return FindNextFile(m_find, &m_data) != FALSE; }

 private:
  WIN32_FIND_DATA m_data;
  HANDLE m_find;
};

// Reads "<prefix>1", "<prefix>2", ... of HKCU "<Wyc key>\<version>\<subKey>" until the first one
// that cannot be read, handing each to `take`; a missing key gives nothing.
template <class Take>
void ReadNumberedValues(const CString& version, LPCSTR subKey, LPCSTR prefix, Take take) {
  CString path;
  path.Format("%s\\%s\\%s", kWycKey, static_cast<LPCTSTR>(version), subKey);
  CKey key;
  if (key.Open(HKEY_CURRENT_USER, path, KEY_QUERY_VALUE) != ERROR_SUCCESS) return;
  for (int n = 1;; ++n) {
    CString name;
    name.Format("%s%d", prefix, n);
    CString value;
    if (!key.ReadString(name, kPathSize, value)) return;
    take(value);
  }
}

bool EndsWith(const CString& text, LPCSTR tail) {
  const int length = static_cast<int>(strlen(tail));
  return text.GetLength() >= length && strcmp(static_cast<LPCTSTR>(text) + text.GetLength() - length, tail) == 0;
}

}  // namespace

CWycInstallation::CWycInstallation() { Reset(); }

void CWycInstallation::Reset() {
  m_installDir.Empty();
  m_instrSupLibrary.Empty();
  m_runTimeLibrary.Empty();
  m_vxipnpPath.Empty();
  m_extLibraries.clear();
  m_includePaths.clear();
  m_instrumentDirectories.clear();
  m_libraryFPFiles.clear();
}

int CWycInstallation::FindInstallations(std::vector<CString>& names) {
  try {
    names.clear();
    CKey wyc;
    const LONG opened = wyc.Open(HKEY_LOCAL_MACHINE, kWycKey, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS);
    if (opened == ERROR_FILE_NOT_FOUND) return 0;
    if (opened != ERROR_SUCCESS) throw WYCINST_EXC_REGISTRY;
    for (DWORD index = 0;; ++index) {
      char name[kVersionNameSize] = "";
      DWORD size = kVersionNameSize;
      const LONG listed = RegEnumKeyEx(wyc.Handle(), index, name, &size, NULL, NULL, NULL, NULL);
      // A name too long for the buffer is no version this program knows; the list goes on.
      if (listed == ERROR_MORE_DATA) continue;
      if (listed != ERROR_SUCCESS) break;
      if (strstr(name, "dev") != NULL) continue;
      CKey version;
      if (version.Open(wyc.Handle(), name, KEY_QUERY_VALUE) != ERROR_SUCCESS) throw WYCINST_EXC_REGISTRY;
      CString mode;
      if (version.ReadString("CompatibilityMode", kModeSize, mode) && _strnicmp(mode, "msvc", 4) == 0)
        names.push_back(name);
    }
    return static_cast<int>(names.size());
  } catch (CMemoryException* e) {
    e->Delete();
    throw WYCINST_EXC_NO_MEMORY;
  } catch (std::bad_alloc&) {
    throw WYCINST_EXC_NO_MEMORY;
  }
}

void CWycInstallation::Read(const CString& version) {
  try {
    ReadInstallation(version);
  } catch (CWycInstallationExc) {
    Reset();
    throw;
  } catch (CException* e) {
    e->Delete();
    Reset();
    throw WYCINST_EXC_NO_MEMORY;
  } catch (...) {
    Reset();
    throw WYCINST_EXC_NO_MEMORY;
  }
}

void CWycInstallation::ReadInstallation(const CString& version) {
  Reset();
  {
    CString path;
    path.Format("%s\\%s", kWycKey, static_cast<LPCTSTR>(version));
    CKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE) != ERROR_SUCCESS ||
        !key.ReadString("InstallDir", kPathSize, m_installDir))
      throw WYCINST_EXC_REGISTRY;
  }

  ReadNumberedValues(version, "IncludePaths", "InclPath", [this](const CString& dir) { m_includePaths.insert(dir); });
  for (LPCSTR folder : kFixedIncludeFolders) m_includePaths.insert(m_installDir + folder);
  ReadNumberedValues(version, "InstrumentDirectories", "InstrDir",
                     [this](const CString& dir) { m_instrumentDirectories.insert(dir); });
  for (LPCSTR folder : kFixedInstrumentFolders) m_instrumentDirectories.insert(m_installDir + folder);
  // A library panel that is gone is skipped; the next number is still read.
  ReadNumberedValues(version, "Libraries", "LibraryFPFile", [this](const CString& file) {
    CFileStamp stamp;
    if (CFileStamp::OfFile(file, true, stamp)) m_libraryFPFiles.insert(stamp);
  });

  ReadVXIPNPPath();
  ReadExtLibraries();
  if (m_runTimeLibrary.IsEmpty() || m_instrSupLibrary.IsEmpty()) {
    Reset();
    throw WYCINST_EXC_EXTLIB;
  }
}

// The framework's folder from the registry, else from the environment, with the platform's
// folder below it.
void CWycInstallation::ReadVXIPNPPath() {
  {
    CKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kVxipnpKey, KEY_QUERY_VALUE) == ERROR_SUCCESS)
      key.ReadString(kVxipnpValue, kPathSize, m_vxipnpPath);
  }
  if (m_vxipnpPath.IsEmpty()) {
    char value[kPathSize + 1] = "";
    const DWORD length = GetEnvironmentVariable(kVxipnpValue, value, sizeof value);
    if (length >= 1 && length <= kPathSize) m_vxipnpPath = value;
  }
  if (m_vxipnpPath.IsEmpty()) return;
  OSVERSIONINFO version;
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionEx(&version)) return;
  // The framework writes the folder with its backslash; one typed by hand may lack it.
  if (m_vxipnpPath.Right(1) != "\\") m_vxipnpPath += '\\';
  m_vxipnpPath += version.dwPlatformId == VER_PLATFORM_WIN32_NT ? "WinNT" : "Win95";
}

void CWycInstallation::ReadExtLibraries() {
  CString pattern;
  pattern.Format("%s%s\\*.lib", static_cast<LPCTSTR>(m_installDir), "\\extlib");
  CFind find(pattern);
  for (bool more = find.Found(); more; more = find.Next()) {
    CString path;
    path.Format("%s%s\\%s", static_cast<LPCTSTR>(m_installDir), "\\extlib", find.Data().cFileName);
    AddExtLibrary(path);
  }
}

void CWycInstallation::AddExtLibrary(const CString& path) {
  if (EndsWith(path, "wycrt.lib"))
    m_runTimeLibrary = path;
  else if (EndsWith(path, "instrsup.lib"))
    m_instrSupLibrary = path;
  else
    m_extLibraries.insert(path);
}

bool CWycInstallation::GetVXIPNPPath(CString& path) const {
  if (m_vxipnpPath.IsEmpty()) return false;
  path = m_vxipnpPath;
  return true;
}

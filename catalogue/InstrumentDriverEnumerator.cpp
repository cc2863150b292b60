#include "InstrumentDriverEnumerator.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "InformationDepot.h"

namespace {

// The build macro that stands for the framework's WinNT or Win95 folder in a generated project.
const char kVXIPNPMacro[] = "$(SABLEWING_CPP_VXIPNP_PATH)";

// Headers of the framework and of the IVI class drivers themselves, which sit beside the drivers
// but are none.
const char* const kExcludedHeaders[] = {"ivi.h",      "ividmm.h",   "ivifgen.h", "ivipower.h", "iviscope.h",
                                        "iviswtch.h", "ividcpwr.h", "visa.h",    "visatype.h", "vpptype.h"};

const char* const kSubtractedFromSource[] = {"/YX", "/Yc", "/Yu"};

// Where a function panel file keeps its format version and its one-line description.
const UINT kFpVersionOffset = 4;
const UINT kFpDescriptionOffsetV5 = 104;
const UINT kFpDescriptionOffset = 84;
const UINT kFpDescriptionMax = 40;

// The searches name every file by its full path (TQ::IsFullPath), so that they neither depend on
// nor change the current directory, which Developer Studio shares with every add-in. A relative or
// empty directory (a path getter with nothing installed behind it) holds nothing.
CString Join(const CString& directory, const CString& name) {
  if (!directory.IsEmpty() && TQ::IsPathSeparator(directory[directory.GetLength() - 1])) return directory + name;
  return directory + "\\" + name;
}

// '*' and '?' are never the trail byte of a double-byte character, so the bytes tell.
bool HasWildcard(const CString& name) { return std::strpbrk(name, "*?") != NULL; }

// Looks for the file `name` (no wildcards) in `directory`; on success gives its name as spelled
// on disk and its full path.
bool FindFileIn(const CString& directory, const CString& name, CString& nameOnDisk, CString& fullPath) {
  if (!TQ::IsFullPath(directory) || name.IsEmpty() || HasWildcard(name)) return false;
  CFileFind find;
  if (!find.FindFile(Join(directory, name))) return false;
  find.FindNextFile();
  if (find.IsDirectory()) return false;
  nameOnDisk = find.GetFileName();
  fullPath = find.GetFilePath();
  return true;
}

// The text of a description field: up to the first NUL or line end, and no lead byte whose
// trail byte the length limit cut off.
CString DescriptionText(const BYTE* bytes, UINT count) {
  UINT end = 0;
  while (end < count && bytes[end] != '\0' && bytes[end] != '\n' && bytes[end] != '\r') ++end;
  UINT kept = 0;
  while (kept < end) {
    const UINT width = IsDBCSLeadByte(bytes[kept]) ? 2 : 1;
    if (kept + width > end) break;
    kept += width;
  }
  return CString(reinterpret_cast<const char*>(bytes), static_cast<int>(kept));
}

}  // namespace

CInstrumentDriverEnumerator::CInstrumentDriverEnumerator(CInformationDepot* depot)
    : m_depot(depot), m_wycInstrRequired(false), m_inVXIPNP(true), m_directoryIndex(0), m_exhausted(true) {}

CInstrumentDriverEnumerator::~CInstrumentDriverEnumerator() {}

bool CInstrumentDriverEnumerator::FindInSharedFolder(const CString& directory, const CString& name,
                                                     CString& nameOnDisk, CString& fullPath) {
  if (!TQ::IsFullPath(directory) || name.IsEmpty() || HasWildcard(name)) return false;
  auto folder = m_sharedFolders.find(static_cast<LPCTSTR>(directory));
  if (folder == m_sharedFolders.end()) {
    FolderNames names;
    CFileFind find;
    for (BOOL more = find.FindFile(Join(directory, "*")); more;) {
      more = find.FindNextFile();
      if (find.IsDots()) continue;
      CString found = find.GetFileName();
      names.exact.emplace(static_cast<LPCTSTR>(found), find.IsDirectory() != FALSE);
      CString upper = found;
      upper.MakeUpper();
      names.folded.emplace(static_cast<LPCTSTR>(upper), static_cast<LPCTSTR>(found));
    }
    folder = m_sharedFolders.emplace(static_cast<LPCTSTR>(directory), std::move(names)).first;
  }
  const FolderNames& names = folder->second;
  auto exact = names.exact.find(static_cast<LPCTSTR>(name));
  if (exact == names.exact.end()) {
    CString upper = name;
    upper.MakeUpper();
    const auto match = names.folded.find(static_cast<LPCTSTR>(upper));
    if (match == names.folded.end()) return false;
    exact = names.exact.find(match->second);
  }
  if (exact->second) return false;  // a directory
  nameOnDisk = exact->first.c_str();
  fullPath = Join(directory, nameOnDisk);
  return true;
}

// The directories of the search, from the depot's path getters, taken once per enumeration: a
// driver asks for them a dozen times, and the depot keeps its paths once found.
const CString& CInstrumentDriverEnumerator::Directory(DirectoryKind kind) {
  if (!m_directoriesTaken) {
    m_directories[headerDirectory0] = m_depot->GetVXIPNPIncludePath().GetString();
    m_directories[headerDirectory1] = m_depot->GetProductInstrPath().GetString();
    m_directories[headerDirectory2] = m_depot->GetWycInstrPath().GetString();
    m_directories[frameworkDirectory] = m_depot->GetVXIPNPPath().GetString();
    m_directories[libraryDirectory] = m_depot->GetVXIPNPLibPath().GetString();
    m_directories[iviClassDirectory] = m_depot->GetWycIviClassPath().GetString();
    m_directoriesTaken = true;
  }
  return m_directories[kind];
}

// The header directory of each search position: the framework's include directory, the
// product's and the Wyc instrument directories.
CString CInstrumentDriverEnumerator::HeaderDirectory(int index) {
  return index >= 0 && index < 3 ? Directory(static_cast<DirectoryKind>(headerDirectory0 + index)) : CString();
}

void CInstrumentDriverEnumerator::Reset() {
  m_driverName.Empty();
  m_description.Empty();
  m_headerFile.Empty();
  m_headerIncludePath.Empty();
  m_libraryFile.Empty();
  m_sourceFile.Empty();
  m_functionPanelFile.Empty();
  m_wycInstrRequired = false;
}

bool CInstrumentDriverEnumerator::FindFirst() {
  Reset();
  m_directoriesTaken = false;
  m_sharedFolders.clear();
  bool found = false;
  for (m_directoryIndex = 0; m_directoryIndex < 3; ++m_directoryIndex) {
    found = SearchDirectory(HeaderDirectory(m_directoryIndex));
    if (found) break;
  }
  if (found) {
    ReadDetails();
  } else {
    m_directoryIndex = 2;
    m_headerSearch.Close();
    Reset();
  }
  return found;
}

bool CInstrumentDriverEnumerator::FindNext() {
  Reset();
  bool found = ContinueSearch();
  while (!found && m_directoryIndex < 2) {
    ++m_directoryIndex;
    found = SearchDirectory(HeaderDirectory(m_directoryIndex));
  }
  if (found) {
    ReadDetails();
  } else {
    m_headerSearch.Close();
    Reset();
  }
  return found;
}

// A search that cannot start leaves nothing open to continue, so the exhausted flag is set
// whichever way the scan ends without a driver.
bool CInstrumentDriverEnumerator::SearchDirectory(const CString& directory) {
  m_headerSearch.Close();
  m_exhausted = true;
  if (!TQ::IsFullPath(directory)) return false;
  if (!m_headerSearch.FindFile(Join(directory, "*.h"))) return false;
  m_exhausted = false;
  return ContinueSearch();
}

// Takes the open search's next files until one is a driver.
bool CInstrumentDriverEnumerator::ContinueSearch() {
  while (!m_exhausted) {
    m_exhausted = !m_headerSearch.FindNextFile();
    if (m_headerSearch.IsDirectory()) continue;
    m_driverName = m_headerSearch.GetFileTitle();
    if (IsDriverHeader()) return true;
    Reset();
  }
  return false;
}

void CInstrumentDriverEnumerator::ReadDetails() {
  ReadDescription();
  if (GetLibraryFile().IsEmpty()) GetSourceFile();
  GetHeaderFile();
}

bool CInstrumentDriverEnumerator::IsDriverHeader() {
  // A file called just ".h" names no component.
  if (m_driverName.IsEmpty()) return false;
  const CString header = m_driverName + ".h";
  for (const char* excluded : kExcludedHeaders) {
    if (header.CompareNoCase(excluded) == 0) return false;
  }
  if (GetLibraryFile().IsEmpty() && GetSourceFile().IsEmpty()) return false;
  return !GetFunctionPanelFile().IsEmpty();
}

CString CInstrumentDriverEnumerator::GetHeaderFile() {
  if (!m_headerFile.IsEmpty()) return m_headerFile;
  const CString name = m_driverName + ".h";
  for (int index = 0; index < 3; ++index) {
    CString found, path;
    if (!FindInSharedFolder(HeaderDirectory(index), name, found, path)) continue;
    m_headerFile = found;
    m_headerIncludePath = index == 0 ? CString(kVXIPNPMacro) + "\\include\\" + found : path;
    m_inVXIPNP = index == 0;
    if (index == 2) m_wycInstrRequired = true;
    break;
  }
  return m_headerFile;
}

bool CInstrumentDriverEnumerator::GetWrapperHeader() {
  CString found, path;
  if (!FindInSharedFolder(HeaderDirectory(0), m_driverName + "_Sablewing_cpp.h", found, path)) return false;
  m_headerFile = found;
  m_headerIncludePath = CString(kVXIPNPMacro) + "\\include\\" + found;
  return true;
}

CString CInstrumentDriverEnumerator::GetLibraryFile() {
  if (!m_libraryFile.IsEmpty()) return m_libraryFile;
  const CString& directory = Directory(libraryDirectory);
  CString path;
  if (!FindInSharedFolder(directory, m_driverName + ".lib", m_libraryFile, path))
    FindInSharedFolder(directory, m_driverName + "_32.lib", m_libraryFile, path);
  return m_libraryFile;
}

CString CInstrumentDriverEnumerator::GetSourceFile() {
  if (!m_sourceFile.IsEmpty()) return m_sourceFile;
  const CString name = m_driverName + ".c";
  const CString directories[] = {Join(Directory(frameworkDirectory), m_driverName), HeaderDirectory(1),
                                 HeaderDirectory(2)};
  for (int index = 0; index < 3; ++index) {
    CString found, path;
    // The framework's folder of this one driver is looked in once; the instrument directories
    // are shared by all drivers.
    if (!(index == 0 ? FindFileIn(directories[index], name, found, path)
                     : FindInSharedFolder(directories[index], name, found, path)))
      continue;
    m_sourceFile = index == 0 ? CString(kVXIPNPMacro) + "\\" + m_driverName + "\\" + found : path;
    m_inVXIPNP = index == 0;
    if (index == 2) m_wycInstrRequired = true;
    break;
  }
  return m_sourceFile;
}

CString CInstrumentDriverEnumerator::GetFunctionPanelFile() {
  if (!m_functionPanelFile.IsEmpty()) return m_functionPanelFile;
  const CString name = m_driverName + ".fp";
  const CString directories[] = {Join(Directory(frameworkDirectory), m_driverName), HeaderDirectory(1),
                                 HeaderDirectory(2), Directory(iviClassDirectory)};
  for (int index = 0; index < 4; ++index) {
    CString found;
    if (index == 0 ? FindFileIn(directories[index], name, found, m_functionPanelFile)
                   : FindInSharedFolder(directories[index], name, found, m_functionPanelFile))
      break;
  }
  return m_functionPanelFile;
}

// The panel file is binary: a big-endian format version at offset 4; version 5 files keep the
// description at offset 104, the others at 84. A file too short for either reads as no
// description. The head of the file holds both, so it is read at once.
CString CInstrumentDriverEnumerator::ReadDescription() {
  if (!m_description.IsEmpty()) return m_description;
  const CString path = GetFunctionPanelFile();
  if (path.IsEmpty()) return m_description;
  try {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return m_description;
    BYTE head[kFpDescriptionOffsetV5 + kFpDescriptionMax];
    const UINT length = file.Read(head, sizeof head);
    if (length < kFpVersionOffset + 4) return m_description;
    const BYTE* version = head + kFpVersionOffset;
    const DWORD number = (DWORD(version[0]) << 24) | (DWORD(version[1]) << 16) | (DWORD(version[2]) << 8) | version[3];
    const UINT offset = number == 5 ? kFpDescriptionOffsetV5 : kFpDescriptionOffset;
    if (length <= offset) return m_description;
    m_description = DescriptionText(head + offset, std::min<UINT>(length - offset, kFpDescriptionMax));
  } catch (CException* e) {
    // A panel file that fails while it is read describes nothing; the driver is still offered.
    e->Delete();
    m_description.Empty();
  }
  return m_description;
}

void CInstrumentDriverEnumerator::CreateComponent(CComponent& component) {
  GetHeaderFile();
  GetWrapperHeader();
  const CString library = GetLibraryFile();
  const CString source = library.IsEmpty() ? GetSourceFile() : CString();

  CComponent record;
  record.WycInstrRequried = m_wycInstrRequired;
  record.InVXIPNP = m_inVXIPNP;
  record.ComponentName = m_driverName;
  record.ComponentDescription = m_description;
  record.Category = "Legacy C and IVI C Drivers";
  record.XMLFormatVersion = "1.0";

  if (!m_headerIncludePath.IsEmpty()) record.ComponentHeaders.push_back(m_headerIncludePath);
  if (!library.IsEmpty()) {
    record.LinkerReleaseSettings.push_back(library);
    record.LinkerDebugSettings.push_back(library);
    record.HasImportLibrary = true;
  }
  for (const char* support : {"ivi.lib", "Instrsup.lib"}) {
    record.LinkerReleaseSettings.push_back(support);
    record.LinkerDebugSettings.push_back(support);
  }
  if (!m_headerFile.IsEmpty()) record.IncludesFileHeaderIncludes.push_back(m_headerFile);
  // A driver with an import library is linked through it, even when its C source lies beside it.
  if (!source.IsEmpty()) {
    ComponentSource file;
    file.SourceFile = source;
    file.SubtractCompilerSettings.assign(std::begin(kSubtractedFromSource), std::end(kSubtractedFromSource));
    record.ComponentSources.push_back(std::move(file));
  }
  component = std::move(record);
}

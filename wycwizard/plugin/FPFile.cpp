#include "stdafx.h"

#include <new>

#include "plugin/FPFile.h"
#include "toolbox/FileUtil.h"

namespace {

const unsigned long kPanelMagic = 0x73FE01BAUL;
const size_t kVersionOffset = 4;
const size_t kNameTableOffset = 36;
// The longest name-table entry a reader of the format keeps, its NUL included.
const unsigned long kLongestEntry = 259;
// The characters every entry carries after the function's name.
const int kNameSuffixLength = 3;

// The file's bytes, read in binary mode (the numbers may hold any byte, Ctrl-Z and CR LF too).
std::vector<unsigned char> ReadAll(const CString& path) {
  FILE* stream = fopen(path, "rb");
  if (stream == NULL) throw FPFILE_EXC_UNREADABLE;
  std::vector<unsigned char> bytes;
  unsigned char block[4096];
  size_t read;
  try {
    while ((read = fread(block, 1, sizeof block, stream)) > 0) bytes.insert(bytes.end(), block, block + read);
  } catch (std::bad_alloc&) {
    fclose(stream);
    throw FPFILE_EXC_NO_MEMORY;
  }
  const bool failed = ferror(stream) != 0;
  fclose(stream);
  if (failed) throw FPFILE_EXC_UNREADABLE;
  return bytes;
}

// A big-endian 32-bit number at `offset`; a number past the end makes the file unreadable.
unsigned long NumberAt(const std::vector<unsigned char>& bytes, size_t offset) {
  if (offset > bytes.size() || bytes.size() - offset < 4) throw FPFILE_EXC_UNREADABLE;
  return (static_cast<unsigned long>(bytes[offset]) << 24) | (static_cast<unsigned long>(bytes[offset + 1]) << 16) |
         (static_cast<unsigned long>(bytes[offset + 2]) << 8) | bytes[offset + 3];
}

}  // namespace

CFPFile::CFPFile() : m_kind(NOTHING) {}

// 1. The first folder of the set that holds "<module>.fp" and a code file for it wins; a folder
//    lies in the framework folder when it begins with it (every folder, when there is none).
// 2. The code file: "<module>.c" beside it; outside the framework "<module>.obj" beside it;
//    inside, the framework's "lib\msc\<module>.lib"; then "<module>.lib" beside it.
// 3. The header: inside the framework first its "include\<module>.h", then "<module>.h" beside.
int CFPFile::Find(const CString& module, const CString& frameworkFolder, const CPathSet& folders) {
  m_kind = NOTHING;
  m_folder.Empty();
  m_header.Reset();
  m_module.Reset();
  m_names.clear();

  bool panelFound = false;
  bool codeFound = false;
  bool inside = false;
  for (CPathSet::const_iterator folder = folders.begin(); folder != folders.end() && !codeFound; ++folder) {
    CString panel;
    panel.Format("%s\\%s.fp", static_cast<LPCTSTR>(*folder), static_cast<LPCTSTR>(module));
    if (!FileIsThere(panel)) continue;
    panelFound = true;
    inside = strncmp(*folder, frameworkFolder, frameworkFolder.GetLength()) == 0;
    m_folder = *folder;
    m_kind = NOTHING;
    codeFound = FindCode(module, frameworkFolder, inside);
  }
  if (!panelFound) return NO_PANEL_FILE;
  if (!codeFound) return NO_CODE_FILE;
  FindHeader(module, frameworkFolder, inside);

  CString panel;
  panel.Format("%s\\%s.fp", static_cast<LPCTSTR>(m_folder), static_cast<LPCTSTR>(module));
  try {
    ReadNames(panel);
  } catch (CFPFileExc) {
    return INVALID;
  }
  return m_header.IsEmpty() ? FOUND_WITHOUT_HEADER : FOUND;
}

bool CFPFile::FindCode(const CString& module, const CString& framework, bool insideFramework) {
  struct Candidate {
    LPCSTR format;
    bool fromFramework;
    int kind;
    bool wanted;
  } const candidates[] = {
      {"%s\\%s.c", false, C_SOURCE, true},
      {"%s\\%s.obj", false, OBJECT, !insideFramework},
      {"%s\\lib\\msc\\%s.lib", true, LIBRARY, insideFramework},
      {"%s\\%s.lib", false, LIBRARY, true},
  };
  for (const Candidate& candidate : candidates) {
    if (!candidate.wanted) continue;
    CString path;
    path.Format(candidate.format, static_cast<LPCTSTR>(candidate.fromFramework ? framework : m_folder),
                static_cast<LPCTSTR>(module));
    if (CFileStamp::OfFile(path, true, m_module)) {
      m_kind = candidate.kind;
      return true;
    }
  }
  return false;
}

void CFPFile::FindHeader(const CString& module, const CString& framework, bool insideFramework) {
  CString path;
  if (insideFramework) {
    path.Format("%s\\include\\%s.h", static_cast<LPCTSTR>(framework), static_cast<LPCTSTR>(module));
    if (CFileStamp::OfFile(path, true, m_header)) return;
  }
  path.Format("%s\\%s.h", static_cast<LPCTSTR>(m_folder), static_cast<LPCTSTR>(module));
  CFileStamp::OfFile(path, true, m_header);
}

// Magic and version first; then the name table, when its offset is positive: a count, then per
// entry a length and that many bytes whose text ends at a NUL. Each name is the text without the
// characters every entry carries after it. An entry longer than a reader's 260-byte buffer, one
// without its NUL, and any number or entry that runs past the file make the file unreadable.
void CFPFile::ReadNames(const CString& path) {
  try {
    const std::vector<unsigned char> bytes = ReadAll(path);
    if (bytes.size() < 4 || NumberAt(bytes, 0) != kPanelMagic) throw FPFILE_EXC_NOT_PANEL;
    const unsigned long version = NumberAt(bytes, kVersionOffset);
    if (version != 4 && version != 5) throw FPFILE_EXC_VERSION;
    const long tableOffset = static_cast<long>(static_cast<LONG>(NumberAt(bytes, kNameTableOffset)));
    if (tableOffset <= 0) return;
    size_t at = static_cast<size_t>(tableOffset);
    const unsigned long count = NumberAt(bytes, at);
    at += 4;
    for (unsigned long n = 0; n < count; ++n) {
      const unsigned long length = NumberAt(bytes, at);
      at += 4;
      if (length > kLongestEntry || length > bytes.size() - at) throw FPFILE_EXC_UNREADABLE;
      const unsigned char* entry = &bytes[0] + at;
      const void* end = memchr(entry, '\0', length);
      if (end == NULL) throw FPFILE_EXC_UNREADABLE;
      const int textLength = static_cast<int>(static_cast<const unsigned char*>(end) - entry);
      const int nameLength = textLength > kNameSuffixLength ? textLength - kNameSuffixLength : 0;
      m_names.push_back(CString(reinterpret_cast<const char*>(entry), nameLength));
      at += length;
    }
  } catch (CMemoryException* e) {
    e->Delete();
    m_names.clear();
    throw FPFILE_EXC_NO_MEMORY;
  } catch (std::bad_alloc&) {
    m_names.clear();
    throw FPFILE_EXC_NO_MEMORY;
  } catch (CFPFileExc) {
    m_names.clear();
    throw;
  }
}

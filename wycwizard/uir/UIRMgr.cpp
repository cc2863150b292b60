#include "stdafx.h"

#include <comutil.h>

#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ini/IniFile.h"
#include "toolbox/FileUtil.h"
#include "uir/UIR.h"
#include "uir/UIRMgr.h"

namespace {

const char kManagerSection[] = "UIRMgr";
const char kFilesSection[] = "UIRs";
const char kDatesSection[] = "UIRDates";
const LONG kStateVersion = 100;

const char kSourcePrefix[] = "SOURCE=";
const size_t kShortestSourceLine = 8;

const char kCopyCommand[] = "copy \"$(InputPath)\" \"$(OutDir)\"\\$(InputName).uir";
const char kCopyOutput[] = "\"$(OutDir)\"\\$(InputName).uir";
const char kCopyDescription[] = "Copying UIR file to output folder...";

// The table file's fixed text: eight header lines of 80 characters, then the type declaration.
const char* const kHeaderLines[] = {
    "//------------------------------------------------------------------------------",
    "//     Harrowgate/Wyc User Interface Resource (UIR) Callback Table File",
    "//",
    "// The Harrowgate/Wyc Add-In will maintain this file as you make changes to",
    "// your application's UIR files. This file is equivalent to the one generated",
    "// by Harrowgate/Wyc when you select External Compiler Support->Generate UI",
    "// Callbacks Object File.  Do not modify this file in any way.",
    "//------------------------------------------------------------------------------",
};
const size_t kHeaderWidth = 80;
const char kTypeDeclaration[] =
    "\n#pragma pack(4)\n\ntypedef struct\n{\n    char *name;\n    void *address;\n"
    "    unsigned long isFunction:1;\n    unsigned long reserved:31;\n} ExeSymbol;\n\n";

const char* const kPrototypes[] = {
    "int __cdecl %s (int panel, int event, void *callbackData, int eventData1, int eventData2);\n",
    "int __cdecl %s (int panel, int control, int event, void *callbackData, int eventData1, int eventData2);\n",
    "void __cdecl %s (int menuBarHandle, int menuItemID, void *callbackData, int panelHandle);\n",
};

// Appends a printf-formatted text.
void AppendFormat(std::string& text, const char* format, const char* name) {
  CString line;
  line.Format(format, name);
  text.append(line, line.GetLength());
}

// The path a project-file line names after "SOURCE=", without the quotes around it and the line
// end; false for a line that names no source. The line's text ends at its first NUL, as a C
// string of it would.
bool SourceOf(std::string_view& line) {
  // Most lines fail at their first character, without a call to compare the rest.
  if (line.empty() || line.front() != kSourcePrefix[0] || line.compare(0, sizeof kSourcePrefix - 1, kSourcePrefix) != 0)
    return false;
  line = line.substr(0, line.find('\0'));
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  if (line.size() < kShortestSourceLine) return false;
  line.remove_prefix(sizeof kSourcePrefix - 1);
  if (!line.empty() && line.front() == '"') line.remove_prefix(1);
  if (!line.empty() && line.back() == '"') line.remove_suffix(1);
  return true;
}

// `base` followed by `rest`, made in one piece.
CString Joined(const CString& base, std::string_view rest) {
  const int baseLength = base.GetLength();
  const int length = baseLength + static_cast<int>(rest.size());
  CString joined;
  char* text = joined.GetBufferSetLength(length);
  memcpy(text, static_cast<LPCTSTR>(base), static_cast<size_t>(baseLength));
  memcpy(text + baseLength, rest.data(), rest.size());
  joined.ReleaseBuffer(length);
  return joined;
}

// A source path as the project names it, made full: ".\" and "..\" lead from the project folder
// and its parent, a path with a drive or a leading backslash stands as it is, and any other path
// lies in the project folder.
CString Resolved(std::string_view path, const CString& folder, const CString& parent) {
  if (path.compare(0, 3, "..\\") == 0) return Joined(parent, path.substr(3));
  if (path.compare(0, 2, ".\\") == 0) return Joined(folder, path.substr(2));
  if ((path.size() >= 2 && path[1] == ':') || (!path.empty() && path[0] == '\\')) return Joined(CString(), path);
  return Joined(folder, path);
}

// The folder that holds `folder` (both end in a backslash); the folder itself at a root.
CString ParentOf(const CString& folder) {
  const CString inner = folder.Left(folder.GetLength() - 1);
  const int slash = inner.ReverseFind('\\');
  return slash < 0 ? folder : inner.Left(slash + 1);
}

bool IsUIRPath(std::string_view path) { return path.size() >= 4 && path.compare(path.size() - 4, 4, ".uir") == 0; }

// Hands out a text stream's lines whole, however long, each with its line end (the last one may
// have none). The stream is read in large blocks, which costs far less than a read per line; a
// line stays valid until the next call. False at the end of the stream, or when a read failed
// (ferror tells).
class CLineReader {
 public:
  explicit CLineReader(FILE* stream) : m_stream(stream), m_buffer(kBlock) {}

  bool Next(std::string_view& line) {
    size_t searched = 0;  // of the text after m_begin, known to hold no line end
    for (;;) {
      const char* begin = m_buffer.data() + m_begin;
      const size_t held = m_end - m_begin;
      if (const void* end = memchr(begin + searched, '\n', held - searched)) {
        const size_t length = static_cast<size_t>(static_cast<const char*>(end) - begin) + 1;
        line = std::string_view(begin, length);
        m_begin += length;
        return true;
      }
      if (m_atEnd) {
        line = std::string_view(begin, held);
        m_begin = m_end;
        return held > 0;
      }
      searched = held;
      if (m_begin > 0) {  // the line started so far moves to the front, making room behind it
        memmove(m_buffer.data(), begin, held);
        m_begin = 0;
        m_end = held;
      }
      if (m_buffer.size() - m_end < kBlock) m_buffer.resize(m_end + kBlock);
      const size_t read = fread(m_buffer.data() + m_end, 1, m_buffer.size() - m_end, m_stream);
      m_end += read;
      m_atEnd = read == 0;
    }
  }

 private:
  static const size_t kBlock = 64 * 1024;
  FILE* m_stream;
  std::vector<char> m_buffer;
  size_t m_begin = 0, m_end = 0;  // the text read and not yet handed out
  bool m_atEnd = false;
};

// The .uir files a project file names, their paths resolved, in file order. The stream is closed
// whatever happens; UIRMGR_EXC_FILE when a read failed.
std::vector<CString> UIRPathsIn(FILE* dsp, const CString& folder, const CString& parent) {
  std::vector<CString> paths;
  bool failed = false;
  try {
    CLineReader reader(dsp);
    std::string_view line;
    while (reader.Next(line))
      if (SourceOf(line) && IsUIRPath(line)) paths.push_back(Resolved(line, folder, parent));
    failed = ferror(dsp) != 0;
  } catch (...) {
    fclose(dsp);
    throw;
  }
  fclose(dsp);
  if (failed) throw UIRMGR_EXC_FILE;
  return paths;
}

// The whole table file for the files' callbacks.
std::string TableText(const std::vector<CUIR>& readers) {
  std::string text;
  for (const char* line : kHeaderLines) {
    text += line;
    text.append(kHeaderWidth - strlen(line), ' ');
    text += '\n';
  }
  text += kTypeDeclaration;
  int count = 0;
  for (const CUIR& reader : readers)
    for (int kind = CUIR::PANEL_CALLBACKS; kind <= CUIR::MENU_CALLBACKS; ++kind)
      for (const CString& name : reader.GetCallbacks(kind)) {
        AppendFormat(text, kPrototypes[kind], name);
        ++count;
      }
  CString line;
  line.Format("\nint __UICallbackSymbolCount = %d;\n\n", count);
  text += static_cast<LPCTSTR>(line);
  if (count == 0) {
    text += "ExeSymbol *__UICallbackSymbols = (ExeSymbol *)0;\n";
    return text;
  }
  line.Format("ExeSymbol __UICallbackSymbols [%d] = {", count);
  text += static_cast<LPCTSTR>(line);
  for (const CUIR& reader : readers)
    for (int kind = CUIR::PANEL_CALLBACKS; kind <= CUIR::MENU_CALLBACKS; ++kind)
      for (const CString& name : reader.GetCallbacks(kind)) {
        const std::string bare(name, name.GetLength());
        text += "\n{\"_" + bare + "\", " + bare + ", 1, 0},";
      }
  text += "\n};";
  return text;
}

// Writes `text` beside `path` and puts it in the file's place; false when anything failed (the
// file then as it was).
bool WriteReplacing(const CString& path, const std::string& text) {
  char temporary[_MAX_PATH];
  FILE* stream = NULL;
  if (FileOpenTemp(path, "uir$$", "TMP", "wb", temporary, &stream) != 1) return false;
  bool written = fwrite(text.data(), 1, text.size(), stream) == text.size();
  written = fflush(stream) == 0 && written;
  written = fclose(stream) == 0 && written;
  if (written && FileReplace(temporary, path) == 0) return true;
  remove(temporary);
  return false;
}

// An INI object freed with its owner.
class CIniHolder {
 public:
  CIniHolder() : m_file(IniFileMake(0)) {
    if (m_file == NULL) throw UIRMGR_EXC_NO_MEMORY;
  }
  ~CIniHolder() { IniFileFree(m_file); }
  CIniHolder(const CIniHolder&) = delete;
  CIniHolder& operator=(const CIniHolder&) = delete;
  operator IniFile() const { return m_file; }

 private:
  IniFile m_file;
};

}  // namespace

CUIRMgr::CUIRMgr() : m_promptDSPSave(FALSE) {}

void CUIRMgr::Clear() {
  m_tableFile.Empty();
  m_uirs.clear();
}

void CUIRMgr::SetTableFile(const CString& path) {
  try {
    m_tableFile = path;
  } catch (CMemoryException* e) {
    e->Delete();
    throw UIRMGR_EXC_NO_MEMORY;
  }
}

CString CUIRMgr::GetTableFile() const {
  try {
    return m_tableFile;
  } catch (CMemoryException* e) {
    e->Delete();
    throw UIRMGR_EXC_NO_MEMORY;
  }
}

void CUIRMgr::SetUIRs(const std::set<CFileStamp>& uirs) {
  m_uirs.assign(uirs.begin(), uirs.end());
  for (CFileStamp& stamp : m_uirs) stamp.m_flag = true;
}

// --- The settings file ----------------------------------------------------------------------

void CUIRMgr::SaveState(const CString& path) {
  CIniHolder ini;
  bool put = IniFileSetLong(ini, kManagerSection, "Version", kStateVersion) == 1 &&
             IniFileSetFlag(ini, kManagerSection, "PromptDSPSave", m_promptDSPSave) == 1 &&
             IniFileSetRaw(ini, kManagerSection, "TableFile", m_tableFile) == 1;
  for (size_t i = 0; put && i < m_uirs.size(); ++i)
    put = IniFileSetFlag(ini, kFilesSection, m_uirs[i].m_path, m_uirs[i].m_flag) == 1;
  for (size_t i = 0; put && i < m_uirs.size(); ++i) {
    char time[32];
    _snprintf(time, sizeof time, "%u, %u", static_cast<unsigned>(m_uirs[i].m_time.dwLowDateTime),
              static_cast<unsigned>(m_uirs[i].m_time.dwHighDateTime));
    put = IniFileSetRaw(ini, kDatesSection, m_uirs[i].m_path, time) == 1;
  }
  if (!put || IniFileWrite(ini, path) != 0) throw UIRMGR_EXC_NO_MEMORY;
}

int CUIRMgr::LoadState(const CString& path) {
  CIniHolder ini;
  LONG version = 0;
  const char* tableFile = NULL;
  int prompt = 0;
  std::vector<CFileStamp> uirs;
  bool loaded = IniFileRead(ini, path) == 0 && IniFileLong(ini, kManagerSection, "Version", &version) == 1 &&
                IniFileRaw(ini, kManagerSection, "TableFile", &tableFile) == 1 &&
                IniFileFlag(ini, kManagerSection, "PromptDSPSave", &prompt) == 1;
  const int files = loaded ? IniFileItemTotal(ini, kFilesSection) : 0;
  for (int n = 1; loaded && n <= files; ++n) {
    const char* uir = NULL;
    int flag = 0;
    const char* time = NULL;
    unsigned low = 0, high = 0;
    loaded = IniFileItemTag(ini, kFilesSection, n, &uir) == 1 && IniFileFlag(ini, kFilesSection, uir, &flag) == 1 &&
             IniFileRaw(ini, kDatesSection, uir, &time) == 1 && sscanf(time, "%u, %u", &low, &high) == 2;
    if (loaded && FileIsThere(uir) == 1) {
      FILETIME written;
      written.dwLowDateTime = low;
      written.dwHighDateTime = high;
      uirs.push_back(CFileStamp(flag != 0, uir, written));
    }
  }
  if (!loaded) {
    Clear();
    return 1;
  }
  m_tableFile = tableFile;
  m_promptDSPSave = prompt != 0;
  m_uirs.swap(uirs);
  return 0;
}

// --- The project file -----------------------------------------------------------------------

int CUIRMgr::ScanProjectFile(const CString& projectFolder, const CString& dspName, int& count) {
  CString folder = projectFolder;
  if (!folder.IsEmpty() && folder.Right(1) != "\\") folder += '\\';
  const CString parent = ParentOf(folder);
  FILE* dsp = fopen(folder + dspName, "r");
  if (dsp == NULL) throw errno == ENOENT ? UIRMGR_EXC_NO_PROJECT : errno == ENOMEM ? UIRMGR_EXC_NO_MEMORY : UIRMGR_EXC_FILE;
  std::vector<CFileStamp> found;
  try {
    // The project file is read whole before any file it names is stamped: each kind of work runs
    // in one stretch, and the project file is closed by then.
    const std::vector<CString> paths = UIRPathsIn(dsp, folder, parent);
    found.resize(paths.size());
    for (size_t i = 0; i < paths.size(); ++i)
      if (!CFileStamp::OfFile(paths[i], true, found[i])) throw UIRMGR_EXC_FILE;
  } catch (std::bad_alloc&) {
    throw UIRMGR_EXC_NO_MEMORY;
  } catch (CMemoryException* e) {
    e->Delete();
    throw UIRMGR_EXC_NO_MEMORY;
  }

  count = static_cast<int>(found.size());
  int result = SCAN_SAME;
  if (found.size() > m_uirs.size())
    result = SCAN_MORE;
  else if (found.size() < m_uirs.size())
    result = SCAN_FEWER;
  else if (found != m_uirs)
    result = SCAN_CHANGED;
  if (result != SCAN_SAME) m_uirs.swap(found);
  return result;
}

// --- The table file -------------------------------------------------------------------------

void CUIRMgr::WriteTableFile() {
  try {
    CUIR::LoadRunTimeEngine();
    std::vector<CUIR> readers(m_uirs.size());
    for (size_t i = 0; i < m_uirs.size(); ++i) readers[i].ReadCallbacks(m_uirs[i].m_path);
    if (!WriteReplacing(m_tableFile, TableText(readers))) throw UIRMGR_EXC_FILE;
  } catch (CUIRExc) {
    throw UIRMGR_EXC_FILE;
  } catch (CFileException* e) {
    e->Delete();
    throw UIRMGR_EXC_FILE;
  } catch (std::bad_alloc&) {
    throw UIRMGR_EXC_NO_MEMORY;
  } catch (CMemoryException* e) {
    e->Delete();
    throw UIRMGR_EXC_NO_MEMORY;
  }
  // The writer has always paused a second after the table was written; callers may count on it.
  Sleep(1000);
}

// --- Custom build steps ---------------------------------------------------------------------

bool CUIRMgr::AddUIRCustomBuildStep(IConfiguration* configuration) {
  const _bstr_t command(kCopyCommand);
  const _bstr_t output(kCopyOutput);
  const _bstr_t description(kCopyDescription);
  bool added = true;
  for (size_t i = 0; i < m_uirs.size(); ++i) {
    const HRESULT hr = configuration->AddCustomBuildStepToFile(_bstr_t(static_cast<LPCTSTR>(m_uirs[i].m_path)), command,
                                                               output, description, _variant_t());
    if (FAILED(hr)) added = false;
  }
  return added;
}

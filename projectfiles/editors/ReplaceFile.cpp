#include "editors/ReplaceFile.h"

#include <memory>

#include "TqFile.h"
#include "dsp/DspExceptions.h"
#include "editors/NumberedBackup.h"

namespace {

// The attributes a replaced file keeps. Read-only is not among them: such a file cannot be
// replaced, and the rename says so.
const DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// The file `path` names as it is spelled on disk, and its attributes; `path` itself and no
// attributes when there is no such file yet. Any other failure to look is thrown: the name and
// attributes the file would lose cannot be told.
CString NameOnDisk(const CString& path, DWORD& attributes, bool& exists) {
  attributes = 0;
  exists = false;
  WIN32_FIND_DATA found;
  const HANDLE search = ::FindFirstFile(path, &found);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return path;
    CFileException::ThrowOsError(static_cast<LONG>(error), path);
  }
  ::FindClose(search);
  exists = true;
  attributes = found.dwFileAttributes & kKeptAttributes;
  CString drive, directory, name, extension;
  TQ::SplitPath(path, drive, directory, name, extension);
  return drive + directory + found.cFileName;
}

// Every byte of the file, for putting it back.
std::string ReadBytes(const CString& path, const CString& nameForErrors) {
  CFile file;
  std::unique_ptr<CFileException> error(new CFileException);
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone, error.get())) {
    error->m_strFileName = nameForErrors;
    throw error.release();
  }
  std::string bytes;
  char buffer[16384];
  for (;;) {
    const UINT read = file.Read(buffer, sizeof buffer);
    if (read == 0) break;
    bytes.append(buffer, read);
  }
  file.Close();
  return bytes;
}

// Writes `replacement` whole through `write` (a CTqFile in text mode, or raw bytes), hands the run
// time's buffer to the system and the system's to the disk, and closes it; on any failure the
// partial file is removed and the failure, named after `target`, thrown.
void WriteReplacement(const CString& replacement, const CString& target,
                      const std::function<void(CStdioFile& file)>& write, UINT mode) {
  TQ::CTqFile file;
  CFileException* openError = new CFileException;
  if (!file.Open(replacement, CFile::modeCreate | CFile::modeWrite | mode, openError)) {
    // Named after the file the caller asked to write, not after the helper file.
    openError->m_strFileName = target;
    throw openError;
  }
  openError->Delete();
  try {
    write(file);
    file.Flush();
    file.CFile::Flush();
    file.Close();
  } catch (CFileException* e) {
    file.Abort();
    ::DeleteFile(replacement);
    e->m_strFileName = target;
    throw;
  } catch (...) {
    file.Abort();
    ::DeleteFile(replacement);
    throw;
  }
}

// The staged file takes the target's place, with the target's attributes.
bool MoveOver(const CString& replacement, const CString& onDisk, DWORD attributes) {
  return (attributes == 0 || ::SetFileAttributes(replacement, attributes)) &&
         ::MoveFileEx(replacement, onDisk, MOVEFILE_REPLACE_EXISTING);
}

CString MessageOf(CException* e) {
  char text[1024] = {};
  e->GetErrorMessage(text, sizeof text);
  return text;
}

}  // namespace

CReplacementSet::CReplacementSet() {}

CReplacementSet::~CReplacementSet() { RemoveStaged(); }

void CReplacementSet::RemoveStaged() {
  for (const Staged& staged : m_staged) ::DeleteFile(staged.replacement);
  m_staged.clear();
}

void CReplacementSet::Stage(const CString& path, const std::function<void(CStdioFile& file)>& write, bool makeBackup,
                            CString* backupPath, int maxBackups, LPCTSTR backupSubfolder, LPCTSTR nameTag) {
  // The later text of a target staged twice: its staged file is written again below.
  for (auto it = m_staged.begin(); it != m_staged.end(); ++it) {
    if (it->target.CompareNoCase(path) == 0) {
      ::DeleteFile(it->replacement);
      m_staged.erase(it);
      break;
    }
  }
  Staged staged;
  staged.target = path;
  staged.onDisk = NameOnDisk(path, staged.attributes, staged.existed);
  if (staged.existed) staged.original = ReadBytes(staged.onDisk, path);
  if (makeBackup) MakeNumberedBackup(path, maxBackups, backupSubfolder, nameTag, backupPath);
  staged.replacement = path + ".~new";
  WriteReplacement(staged.replacement, path, write, CFile::typeText);
  m_staged.push_back(std::move(staged));
}

void CReplacementSet::ReplaceAll() {
  for (size_t i = 0; i < m_staged.size(); ++i) {
    const Staged& staged = m_staged[i];
    if (MoveOver(staged.replacement, staged.onDisk, staged.attributes)) continue;
    const DWORD error = ::GetLastError();
    const CString failed = staged.target;
    // What is not replaced yet stays as it was; what is, gets its old bytes back, the last first.
    for (size_t j = i; j < m_staged.size(); ++j) ::DeleteFile(m_staged[j].replacement);
    std::vector<CString> notPutBack;
    for (size_t j = i; j-- > 0;) PutBack(m_staged[j], notPutBack);
    m_staged.clear();
    CFileException failure(CFileException::OsErrorToException(static_cast<LONG>(error)), static_cast<LONG>(error), failed);
    if (i == 0) CFileException::ThrowOsError(static_cast<LONG>(error), failed);
    throw new TQ::CFilesPutBackException(MessageOf(&failure), notPutBack);
  }
  m_staged.clear();
}

void CReplacementSet::PutBack(const Staged& staged, std::vector<CString>& notPutBack) {
  bool done = false;
  if (!staged.existed) {
    done = ::DeleteFile(staged.onDisk) != FALSE;
  } else {
    try {
      WriteReplacement(
          staged.replacement, staged.target,
          [&staged](CStdioFile& file) { file.Write(staged.original.data(), static_cast<UINT>(staged.original.size())); },
          CFile::typeBinary);
      done = MoveOver(staged.replacement, staged.onDisk, staged.attributes);
      if (!done) ::DeleteFile(staged.replacement);
    } catch (CException* e) {
      e->Delete();
    }
  }
  if (!done) notPutBack.push_back(staged.target);
}

void WriteFileReplacing(const CString& path, const std::function<void(CStdioFile& file)>& write) {
  CReplacementSet set;
  set.Stage(path, write);
  set.ReplaceAll();
}

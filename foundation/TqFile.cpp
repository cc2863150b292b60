#include "TqFile.h"

#include <direct.h>

namespace TQ {

// --- CTqFile --------------------------------------------------------------------------------

CTqFile::CTqFile() : m_textMode(false) {}
CTqFile::~CTqFile() {}

BOOL CTqFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  m_textMode = (nOpenFlags & CFile::typeText) != 0;
  return CStdioFile::Open(lpszFileName, nOpenFlags, pError);
}

// The path is kept as given: no expansion to a full path.
void CTqFile::SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }

CTqFile& CTqFile::operator<<(const CString& text) {
  if (m_textMode)
    WriteString(text);
  else
    Write(static_cast<LPCTSTR>(text), text.GetLength() + 1);
  return *this;
}

CTqFile& CTqFile::operator<<(char c) {
  if (m_textMode) {
    CTqStringStream formatted;
    formatted << c;
    WriteString(formatted.GetString());
  } else {
    Write(&c, 1);
  }
  return *this;
}

CTqFile& CTqFile::operator<<(CTqFile& (*manipulator)(CTqFile&)) { return manipulator(*this); }

CFileStatus CTqFile::GetStatusOrThrow() const {
  CFileStatus status;
  if (!const_cast<CTqFile*>(this)->GetStatus(status))
    AfxThrowFileException(CFileException::fileNotFound, static_cast<LONG>(::GetLastError()), m_strFileName);
  return status;
}

DWORD CTqFile::GetSize() const { return static_cast<DWORD>(GetStatusOrThrow().m_size); }
bool CTqFile::IsReadOnly() const { return (GetStatusOrThrow().m_attribute & CFile::readOnly) != 0; }
CTime CTqFile::GetModificationTime() const { return GetStatusOrThrow().m_mtime; }

CTqFile& endl(CTqFile& file) {
  file << '\n';
  file.Flush();
  return file;
}

// --- free helpers ---------------------------------------------------------------------------

// Looks at the last character, not the last byte: the trail byte of a double-byte character may be
// 0x5C and is not a backslash.
void StripTrailingBackslash(CString& path) {
  LPCTSTR text = path;
  LPCTSTR last = NULL;
  for (LPCTSTR p = text; *p != '\0'; p = CharNext(p)) last = p;
  if (last != NULL && *last == '\\' && last[1] == '\0') path = path.Left(static_cast<int>(last - text));
}

bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

UINT GetMbcsChar(LPCTSTR text) {
  const BYTE lead = static_cast<BYTE>(text[0]);
  if (IsDBCSLeadByte(lead) && text[1] != '\0') return lead * 256u + static_cast<BYTE>(text[1]);
  return lead;
}

bool GetFileStatus(const CString& path, CFileStatus& status) {
  if (!path.IsEmpty() && path[path.GetLength() - 1] == '\\') {
    CString stripped = path;
    StripTrailingBackslash(stripped);
    return CFile::GetStatus(stripped, status) != FALSE;
  }
  return CFile::GetStatus(path, status) != FALSE;
}

bool FileExists(const CString& path) {
  CFileStatus status;
  return GetFileStatus(path, status);
}

CFileStatus GetFileStatusOrThrow(const CString& path) {
  CFileStatus status;
  if (!GetFileStatus(path, status))
    AfxThrowFileException(CFileException::fileNotFound, static_cast<LONG>(::GetLastError()), path);
  return status;
}

CTime GetFileModificationTime(const CString& path) { return GetFileStatusOrThrow(path).m_mtime; }
DWORD GetFileSize(const CString& path) { return static_cast<DWORD>(GetFileStatusOrThrow(path).m_size); }
bool IsFileReadOnly(const CString& path) {
  return (GetFileStatusOrThrow(path).m_attribute & CFile::readOnly) != 0;
}

void SetFileModificationTime(const CString& path, const CTime& time) {
  CFileStatus status = GetFileStatusOrThrow(path);
  status.m_mtime = time;
  CFile::SetStatus(path, status);
}

void CopyFileOrThrow(const CString& source, const CString& target, bool overwrite) {
  if (!::CopyFile(source, target, overwrite ? FALSE : TRUE))
    AfxThrowFileException(CFileException::generic, static_cast<LONG>(::GetLastError()), source);
}

// A drive with its root ("C:\x", or "C:" alone, which is how CPath writes a drive root) or a share
// ("\\server\share"), with either separator, as the platform takes them.
bool IsFullPath(const CString& path) {
  const int length = path.GetLength();
  if (length >= 2 && path[1] == ':') {
    const char drive = path[0];
    const bool letter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
    return letter && (length == 2 || IsPathSeparator(path[2]));
  }
  return length > 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]);
}

void SplitPath(const CString& path, CString& drive, CString& directory, CString& name, CString& extension) {
  char d[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
  _splitpath(path, d, dir, fname, ext);
  drive = d;
  directory = dir;
  name = fname;
  extension = ext;
}

CString MakePath(const CString& drive, const CString& directory, const CString& name, const CString& extension) {
  char path[_MAX_PATH];
  _makepath(path, drive, directory, name, extension);
  return CString(path);
}

void CreateDirectoryTree(const CString& path) {
  CString directory = path;
  StripTrailingBackslash(directory);
  const int lastBackslash = directory.ReverseFind('\\');
  if (lastBackslash > 0) {
    const CString parent = directory.Left(lastBackslash);
    CFileStatus status;
    if (parent.Find('\\') >= 0 && !CFile::GetStatus(parent, status)) CreateDirectoryTree(parent);
  }
  if (::CreateDirectory(directory, NULL)) return;
  const DWORD error = ::GetLastError();
  // An existing name is success only when it is a directory: a file of that name means the tree
  // could not be made.
  if (error == ERROR_ALREADY_EXISTS) {
    const DWORD attributes = ::GetFileAttributes(directory);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  }
  AfxThrowFileException(CFileException::badPath, static_cast<LONG>(error), directory);
}

CString GetCurrentDirectoryString() {
  char buffer[260];
  if (_getcwd(buffer, sizeof buffer) == NULL) return CString();
  return CString(buffer);
}

void ReadTextFile(const CString& path, CString& text) {
  CStdioFile file;
  if (!file.Open(path, CFile::modeRead | CFile::typeText)) return;
  CString line;
  while (file.ReadString(line)) text += line + "\n";
  file.Close();
}

CString LoadStringResource(UINT id) {
  CString text;
  if (!text.LoadString(id)) text.Empty();
  return text;
}

}  // namespace TQ

// --- CPath ----------------------------------------------------------------------------------

CPath::CPath() {}
CPath::CPath(const CString& text) { Append(text); }
CPath::CPath(LPCTSTR text) { Append(CString(text)); }
CPath::CPath(const CPath& other) : m_text(other.m_text) {}
CPath::~CPath() {}

CPath& CPath::operator=(const CPath& other) {
  if (this != &other) m_text = other.m_text;
  return *this;
}

CPath& CPath::operator+=(const CPath& other) {
  Append(other.m_text);
  return *this;
}

CPath CPath::operator+(const CPath& other) const {
  CPath joined(*this);
  joined.Append(other.m_text);
  return joined;
}

void CPath::Append(const CString& part) {
  CString rest = part;
  // A network path keeps its "\\" prefix when it starts the path.
  const bool unc = m_text.IsEmpty() && rest.GetLength() >= 2 && rest[0] == '\\' && rest[1] == '\\';
  rest.TrimLeft('\\');
  if (unc)
    m_text = "\\\\" + rest;
  else if (!m_text.IsEmpty())
    m_text += "\\" + rest;
  else
    m_text += rest;
  // Trailing backslashes go, character by character, so that a trail byte 0x5C stays.
  for (;;) {
    const int before = m_text.GetLength();
    TQ::StripTrailingBackslash(m_text);
    if (m_text.GetLength() == before) break;
  }
}

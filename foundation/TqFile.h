// The library's file class, the free path and file-status helpers, and the path value class.
#pragma once

#include "stdafx.h"

#include "TqStringStream.h"

namespace TQ {

class CTqFile : public CStdioFile {
 public:
  CTqFile();
  ~CTqFile() override;

  BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;
  void SetFilePath(LPCTSTR lpszNewName) override;

  // Text mode writes the text as it is; binary mode writes its bytes and its terminating NUL.
  CTqFile& operator<<(const CString& text);
  CTqFile& operator<<(char c);
  CTqFile& operator<<(CTqFile& (*manipulator)(CTqFile&));

  DWORD GetSize() const;
  bool IsReadOnly() const;
  CTime GetModificationTime() const;
  CFileStatus GetStatusOrThrow() const;

 private:
  bool m_textMode;
};

// Inserts "\n" and flushes the file.
CTqFile& endl(CTqFile& file);

void StripTrailingBackslash(CString& path);
UINT GetMbcsChar(LPCTSTR text);
bool GetFileStatus(const CString& path, CFileStatus& status);
bool FileExists(const CString& path);
CFileStatus GetFileStatusOrThrow(const CString& path);
CTime GetFileModificationTime(const CString& path);
DWORD GetFileSize(const CString& path);
bool IsFileReadOnly(const CString& path);
void SetFileModificationTime(const CString& path, const CTime& time);
void CopyFileOrThrow(const CString& source, const CString& target, bool overwrite);
// '\\' or '/', which the platform takes alike.
bool IsPathSeparator(char c);
// A path that names its drive root or a share, so that it means the same whatever the current
// directory is.
bool IsFullPath(const CString& path);
void SplitPath(const CString& path, CString& drive, CString& directory, CString& name, CString& extension);
CString MakePath(const CString& drive, const CString& directory, const CString& name, const CString& extension);
void CreateDirectoryTree(const CString& path);
CString GetCurrentDirectoryString();
void ReadTextFile(const CString& path, CString& text);
CString LoadStringResource(UINT id);

}  // namespace TQ

// A path that joins its parts with exactly one backslash between them and never ends in one.
class CPath {
 public:
  CPath();
  CPath(const CString& text);
  CPath(LPCTSTR text);
  CPath(const CPath& other);
  virtual ~CPath();

  CPath& operator=(const CPath& other);
  CPath& operator+=(const CPath& other);
  CPath operator+(const CPath& other) const;

  CString GetString() const { return m_text; }
  bool IsEmpty() const { return m_text.IsEmpty(); }
  void Append(const CString& part);

 private:
  CString m_text;
};

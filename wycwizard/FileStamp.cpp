#include "stdafx.h"

#include "FileStamp.h"

namespace {

ULONGLONG TimeValue(const FILETIME& time) {
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

CFileStamp::CFileStamp() { Reset(); }

CFileStamp::CFileStamp(bool flag, const CString& path, const FILETIME& time)
    : m_flag(flag), m_path(path), m_time(time) {}

void CFileStamp::Reset() {
  m_flag = false;
  m_path.Empty();
  m_time.dwLowDateTime = 0;
  m_time.dwHighDateTime = 0;
}

bool CFileStamp::IsEmpty() const { return !m_flag && m_path.IsEmpty() && TimeValue(m_time) == 0; }

bool CFileStamp::operator<(const CFileStamp& other) const {
  const ULONGLONG mine = TimeValue(m_time);
  const ULONGLONG theirs = TimeValue(other.m_time);
  if (mine != theirs) return mine < theirs;
  return strcmp(m_path, other.m_path) < 0;
}

bool CFileStamp::operator==(const CFileStamp& other) const {
  // The same bytes are the same path in any case; only paths that differ need comparing by character.
  return TimeValue(m_time) == TimeValue(other.m_time) && m_flag == other.m_flag &&
         (m_path == other.m_path || m_path.CompareNoCase(other.m_path) == 0);
}

bool CFileStamp::OfFile(const CString& path, bool flag, CFileStamp& stamp) {
  HANDLE file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME written;
  const BOOL timed = GetFileTime(file, NULL, NULL, &written);
  CloseHandle(file);
  if (!timed) return false;
  stamp = CFileStamp(flag, path, written);
  return true;
}

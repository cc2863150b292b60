// CFileStamp: a file's path and last-write time with a flag, the record of the Wyc project's file
// sets, the installation's library panels, the function-panel modules and the callback-table
// manager's resource files.
#pragma once

#include <afx.h>
#include <windows.h>

#include <set>

class CFileStamp {
 public:
  CFileStamp();
  CFileStamp(bool flag, const CString& path, const FILETIME& time);

  // Empty path, flag false, time zero.
  void Reset();
  // All three empty.
  bool IsEmpty() const;

  // Earlier time first; equal times ordered by the paths' bytes (case-sensitive).
  bool operator<(const CFileStamp& other) const;
  bool operator>(const CFileStamp& other) const { return other < *this; }
  // Same time, same path ignoring case, same flag.
  bool operator==(const CFileStamp& other) const;
  bool operator!=(const CFileStamp& other) const { return !(*this == other); }

  // The stamp of a file as it is now: opens it for reading and takes its last-write time. False
  // (the stamp untouched) when it does not open.
  static bool OfFile(const CString& path, bool flag, CFileStamp& stamp);

  bool m_flag;
  CString m_path;
  FILETIME m_time;
};

// Ordered by CFileStamp's "less": no two records of the same time and path.
typedef std::set<CFileStamp> CFileStampSet;

// An ordered set of paths (or any texts) in byte order of their text, case-sensitive: the
// include and instrument folders and the libraries of the Wyc plug-in.
#pragma once

#include <afx.h>

#include <cstring>
#include <set>

struct CStringByteLess {
  bool operator()(const CString& a, const CString& b) const { return strcmp(a, b) < 0; }
};

typedef std::set<CString, CStringByteLess> CPathSet;

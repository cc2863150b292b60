// The generated includes header TqIncludes.h: the headers of the project's components and the
// namespaces they open, in the order the customizer chose.
#pragma once

#include "stdafx.h"

#include <vector>

class CIncludesFile {
 public:
  CIncludesFile();
  virtual ~CIncludesFile();

  int GetHeaderCount() const;
  // Index checks throw TQ::CTqIndexException.
  const CString& GetHeader(int index) const;
  void AddHeader(const CString& name);
  // Removes the first header equal to the name (exact, case-sensitive); nothing when absent.
  void RemoveHeader(const CString& name);

  int GetNamespaceCount() const;
  const CString& GetNamespace(int index) const;
  void AddNamespace(const CString& name);
  void RemoveNamespace(const CString& name);

  void Clear();

  // The whole header, built as one text and written with one call.
  void Write(CStdioFile& file) const;
  CString GetText() const;

 private:
  std::vector<CString> m_headers;
  std::vector<CString> m_namespaces;
};

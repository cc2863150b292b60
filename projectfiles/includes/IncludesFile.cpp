#include "includes/IncludesFile.h"

#include <algorithm>

#include "TqException.h"
#include "dsp/DspExceptions.h"
#include "editors/TextFile.h"
#include "includes/IncludesFileBuilder.h"

namespace {

const CString& ItemAt(const std::vector<CString>& items, int index) {
  const int count = static_cast<int>(items.size());
  if (index < 0 || index >= count) throw new TQ::CTqIndexException(index, count);
  return items[index];
}

void RemoveFirst(std::vector<CString>& items, const CString& name) {
  const auto found = std::find(items.begin(), items.end(), name);
  if (found != items.end()) items.erase(found);
}

}  // namespace

CIncludesFile::CIncludesFile() {}
CIncludesFile::~CIncludesFile() {}

int CIncludesFile::GetHeaderCount() const { return static_cast<int>(m_headers.size()); }
const CString& CIncludesFile::GetHeader(int index) const { return ItemAt(m_headers, index); }
void CIncludesFile::AddHeader(const CString& name) { m_headers.push_back(name); }
void CIncludesFile::RemoveHeader(const CString& name) { RemoveFirst(m_headers, name); }

int CIncludesFile::GetNamespaceCount() const { return static_cast<int>(m_namespaces.size()); }
const CString& CIncludesFile::GetNamespace(int index) const { return ItemAt(m_namespaces, index); }
void CIncludesFile::AddNamespace(const CString& name) { m_namespaces.push_back(name); }
void CIncludesFile::RemoveNamespace(const CString& name) { RemoveFirst(m_namespaces, name); }

void CIncludesFile::Clear() {
  m_headers.clear();
  m_namespaces.clear();
}

namespace {

// The line written for a name, which must read back as that name (by the reader's one rule, on one
// line): a name holding a double quote, a line break, the header's own keywords or white space at
// its ends would come back as another name, or as none. Such a name is refused.
CString LineFor(const CString& name, IncludesLineKind kind) {
  const CString line = kind == includesHeader ? "#include \"" + name + "\"" : "using namespace " + name + ";";
  CString back;
  if (line.FindOneOf("\n\x1A") >= 0 || ReadIncludesLine(line, back) != kind || back != name)
    throw new TQ::CAppWizException("The includes header cannot hold the " +
                                   CString(kind == includesHeader ? "header" : "namespace") + " name \"" + name +
                                   "\": it would not read back as written.");
  return line;
}

}  // namespace

CString CIncludesFile::GetText() const {
  const CString banner('/', 80);
  const CString rule = CString("//") + CString('=', 78) + "\n";
  CString text;
  text += banner + "\n";
  text += "//\n";
  text += "//  Title     : TqIncludes.h\n";
  text += "//  Purpose   : This file is used to include the proper headers and namespaces\n";
  text += "//              for the Sablewing components in the project.\n";
  text += "//\n";
  text += banner + "\n";
  text += "#pragma once\n";
  text += "#pragma warning(disable: 4786)\n";
  text += "\n\n";
  text += "//{{AFX Sablewing\n";
  text += "\n";
  if (!m_headers.empty()) {
    text += rule + "//  Includes\n" + rule + "\n";
    for (const CString& header : m_headers) text += LineFor(header, includesHeader) + "\n";
    text += "\n";
  }
  if (!m_namespaces.empty()) {
    text += rule + "//  Namespaces\n" + rule;
    for (const CString& name : m_namespaces) text += LineFor(name, includesNamespace) + "\n";
  }
  text += "\n";
  text += "//}}AFX Sablewing\n";
  return text;
}

void CIncludesFile::Write(CStdioFile& file) const { WriteText(file, GetText()); }

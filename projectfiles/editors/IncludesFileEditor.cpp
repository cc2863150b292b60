#include "editors/IncludesFileEditor.h"

#include "includes/IncludesFileBuilder.h"

CIncludesFileEditor::CIncludesFileEditor() {}
CIncludesFileEditor::~CIncludesFileEditor() {}

// The builder appends; what the lists held before Open stays in front of what the file holds.
void CIncludesFileEditor::Load() {
  CIncludesFileBuilder builder(m_path);
  builder.Build(m_file);
}

void CIncludesFileEditor::Write(CStdioFile& file) { m_file.Write(file); }

bool CIncludesFileEditor::HasHeader(const CString& name) const {
  for (int i = 0; i < m_file.GetHeaderCount(); ++i)
    if (m_file.GetHeader(i) == name) return true;
  return false;
}

void CIncludesFileEditor::AddHeader(const CString& name) {
  if (!HasHeader(name)) m_file.AddHeader(name);
}

void CIncludesFileEditor::RemoveHeader(const CString& name) {
  if (HasHeader(name)) m_file.RemoveHeader(name);
}

bool CIncludesFileEditor::HasNamespace(const CString& name) const {
  for (int i = 0; i < m_file.GetNamespaceCount(); ++i)
    if (m_file.GetNamespace(i) == name) return true;
  return false;
}

void CIncludesFileEditor::AddNamespace(const CString& name) {
  if (!HasNamespace(name)) m_file.AddNamespace(name);
}

void CIncludesFileEditor::RemoveNamespace(const CString& name) {
  if (HasNamespace(name)) m_file.RemoveNamespace(name);
}

void CIncludesFileEditor::Clear() { m_file.Clear(); }

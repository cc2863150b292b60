#include "editors/DspSectionEditor.h"

#include "dsp/DspLookupTables.h"

CDspSectionEditor::CDspSectionEditor(CDspSection& section) : m_section(section) {}
CDspSectionEditor::~CDspSectionEditor() {}

void CDspSectionEditor::SetEntry(int kind, const CString& value) {
  if (GetSectionKeyText(kind) == NULL) kind = dspSectionRawLine;
  for (int i = 0; i < m_section.GetCount(); ++i) {
    const CDspSectionEntry* entry = dynamic_cast<const CDspSectionEntry*>(m_section.GetAt(i));
    if (entry != NULL && entry->GetKind() == kind && entry->GetValue() == value) return;
  }
  (new CDspSectionEntry(kind, value))->InsertInto(m_section, -1);
}

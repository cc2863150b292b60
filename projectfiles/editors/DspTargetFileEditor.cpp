#include "editors/DspTargetFileEditor.h"

CDspTargetFileEditor::CDspTargetFileEditor(CDspTargetFile& file) : m_file(file) {
  CDspCPPConfigEntry* entry = NULL;
  if (m_file.GetAddCompilerEntry(entry)) m_addEditor = std::make_unique<CCPPCompilerEntryEditor>(*entry);
  if (m_file.GetSubtractCompilerEntry(entry)) m_subtractEditor = std::make_unique<CCPPCompilerEntryEditor>(*entry);
}
CDspTargetFileEditor::~CDspTargetFileEditor() {}

CCPPCompilerEntryEditor& CDspTargetFileEditor::Attached(std::unique_ptr<CCPPCompilerEntryEditor>& editor,
                                                        int operation) {
  if (editor == nullptr) {
    CDspCPPConfigEntry* line = new CDspCPPConfigEntry(false, operation);
    line->InsertInto(m_file, -1);  // the file remembers it as its first line of that operation
    editor = std::make_unique<CCPPCompilerEntryEditor>(*line);
  }
  return *editor;
}

CCPPCompilerEntryEditor& CDspTargetFileEditor::GetAddCompilerEntryEditor() {
  return Attached(m_addEditor, CDspConfigEntry::opAdd);
}

CCPPCompilerEntryEditor& CDspTargetFileEditor::GetSubtractCompilerEntryEditor() {
  return Attached(m_subtractEditor, CDspConfigEntry::opSubtract);
}


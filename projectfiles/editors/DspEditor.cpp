#include "editors/DspEditor.h"

#include "TqException.h"
#include "dsp/DspFileBuilder.h"

CDspEditor::CDspEditor() {}
CDspEditor::~CDspEditor() {
  m_sectionEditors.clear();
  m_topLevelEditor.reset();
  m_configurationEditors.clear();
}

// The reader empties the model first, so every cached editor goes before it.
void CDspEditor::Load() {
  m_sectionEditors.clear();
  m_topLevelEditor.reset();
  m_configurationEditors.clear();
  CDspFileBuilder builder(m_path);
  builder.Build(m_file);
  m_topLevelEditor = std::make_unique<CDspTopLevelFileGroupEditor>(*m_file.GetTarget());
}

void CDspEditor::Write(CStdioFile& file) { m_file.Write(file); }

int CDspEditor::GetConfigurationCount() const { return m_file.GetConfigurationCount(); }
int CDspEditor::GetTargetType() const { return m_file.GetTargetTypeKind(); }

CDspConfigurationEditor& CDspEditor::GetConfigurationEditor(int index) {
  CDspConfig* config = m_file.GetConfiguration(index);
  std::unique_ptr<CDspConfigurationEditor>& editor = m_configurationEditors[config];
  if (editor == nullptr) editor = std::make_unique<CDspConfigurationEditor>(*config);
  return *editor;
}

CDspTopLevelFileGroupEditor& CDspEditor::GetTopLevelFileGroupEditor() {
  if (m_topLevelEditor == nullptr) throw new TQ::CTqObjectNotInUsableStateException("CDspEditor");
  return *m_topLevelEditor;
}

int CDspEditor::GetSectionCount() const { return m_file.GetSectionCount(); }

CDspSectionEditor& CDspEditor::EditorOf(CDspSection& section) {
  std::unique_ptr<CDspSectionEditor>& editor = m_sectionEditors[&section];
  if (editor == nullptr) editor = std::make_unique<CDspSectionEditor>(section);
  return *editor;
}

CDspSectionEditor& CDspEditor::GetSectionEditorAt(int index) { return EditorOf(*m_file.GetSection(index)); }

CDspSectionEditor& CDspEditor::GetSectionEditor(const CString& id) {
  for (int i = 0; i < m_file.GetSectionCount(); ++i)
    if (m_file.GetSection(i)->GetId() == id) return EditorOf(*m_file.GetSection(i));
  // Named after the project, so that reading the file again recognises it as a section.
  CDspSection* section = new CDspSection(m_file.GetProjectName(), id);
  section->InsertInto(m_file, -1);
  return EditorOf(*section);
}

void CDspEditor::RemoveSection(CDspSection& section) {
  m_sectionEditors.erase(&section);
  section.RemoveFrom(m_file);
}

void CDspEditor::RemoveSection(const CString& id) {
  for (int i = 0; i < m_file.GetSectionCount(); ++i) {
    if (m_file.GetSection(i)->GetId() == id) {
      RemoveSection(*m_file.GetSection(i));
      return;
    }
  }
}

void CDspEditor::RemoveSectionAt(int index) { RemoveSection(*m_file.GetSection(index)); }

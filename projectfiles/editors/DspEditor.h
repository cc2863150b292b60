// The project editor: configurations, the target's groups and source files, and the project's
// "# Section" blocks of one .dsp file, with the sub-editors that change them.
#pragma once

#include <map>
#include <memory>

#include "dsp/DspFile.h"
#include "editors/DevstudioEditor.h"
#include "editors/DspConfigurationEditor.h"
#include "editors/DspFileGroupEditor.h"
#include "editors/DspSectionEditor.h"

class CDspEditor : public CDevstudioEditor {
 public:
  CDspEditor();
  ~CDspEditor() override;

  int GetConfigurationCount() const;
  // The target-type kind of the "# TARGTYPE" line (DspTargetTypeKind); dspTargetNone without one.
  int GetTargetType() const;
  // Made on first use and kept; TQ::CTqIndexException outside 0..count-1.
  CDspConfigurationEditor& GetConfigurationEditor(int index);
  // TQ::CTqObjectNotInUsableStateException before a successful Open.
  CDspTopLevelFileGroupEditor& GetTopLevelFileGroupEditor();

  int GetSectionCount() const;
  // Made on first use and kept; -1 is the last section; TQ::CTqIndexException outside the list.
  CDspSectionEditor& GetSectionEditorAt(int index);
  // The first section with that id (without braces); when there is none, a new section with that
  // id and the project's name, appended at the end of the file.
  CDspSectionEditor& GetSectionEditor(const CString& id);
  // Removes the first section with that id and its editor; nothing when none matches.
  void RemoveSection(const CString& id);
  // -1 is the last section; TQ::CTqIndexException outside the list.
  void RemoveSectionAt(int index);

  const CDspFile& GetFile() const { return m_file; }

 protected:
  void Load() override;
  void Write(CStdioFile& file) override;

 private:
  CDspSectionEditor& EditorOf(CDspSection& section);
  void RemoveSection(CDspSection& section);

  // Declared first, destroyed last: every sub-editor refers into it.
  CDspFile m_file;
  std::map<const CDspConfig*, std::unique_ptr<CDspConfigurationEditor>> m_configurationEditors;
  std::unique_ptr<CDspTopLevelFileGroupEditor> m_topLevelEditor;
  std::map<const CDspSection*, std::unique_ptr<CDspSectionEditor>> m_sectionEditors;
};

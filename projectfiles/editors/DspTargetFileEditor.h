// The editor of one source file of a project: its own "# ADD CPP" and "# SUBTRACT CPP" lines.
#pragma once

#include <memory>

#include "dsp/DspTargetFile.h"
#include "editors/CPPCompilerEntryEditor.h"

class CDspTargetFileEditor {
 public:
  // Attaches to the file's first "# ADD CPP" and first "# SUBTRACT CPP" line where they exist.
  explicit CDspTargetFileEditor(CDspTargetFile& file);
  virtual ~CDspTargetFileEditor();

  // The editor of the file's ADD (SUBTRACT) line; a file without one first gets a new empty
  // line appended to its block.
  CCPPCompilerEntryEditor& GetAddCompilerEntryEditor();
  CCPPCompilerEntryEditor& GetSubtractCompilerEntryEditor();

  CDspTargetFile& GetFile() const { return m_file; }
  CString GetSourcePath() const { return m_file.GetSourcePath(); }

 private:
  CCPPCompilerEntryEditor& Attached(std::unique_ptr<CCPPCompilerEntryEditor>& editor, int operation);

  CDspTargetFile& m_file;
  std::unique_ptr<CCPPCompilerEntryEditor> m_addEditor;
  std::unique_ptr<CCPPCompilerEntryEditor> m_subtractEditor;
};

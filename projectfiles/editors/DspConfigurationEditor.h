// The editor of one configuration of a project: its "# ADD LINK32" arguments, its Use_MFC kind
// and, through the compiler editor, its "# ADD CPP" settings.
#pragma once

#include <memory>

#include "dsp/DspConfig.h"
#include "editors/CPPCompilerEntryEditor.h"

class CDspConfigurationEditor {
 public:
  // The configuration must have its compiler, linker and Use_MFC lines, as every configuration of
  // a project that passed the reader's validation does; TQ::CAppWizException (message 5040)
  // otherwise.
  explicit CDspConfigurationEditor(CDspConfig& config);
  virtual ~CDspConfigurationEditor();

  // An argument is one linker argument, such as a library file name or /libpath:"C:\x y";
  // compared byte for byte.
  void AddLinkerSetting(const CString& argument);  // appends unless present
  void RemoveLinkerSetting(const CString& argument);  // the first equal one; nothing when absent
  bool HasLinkerSetting(const CString& argument) const;

  // The kind of the Use_MFC value: 0 to 4 for "0", "1", "2", "5", "6"; 6 for any other value.
  int GetUseMFC() const;

  CCPPCompilerEntryEditor& GetCompilerEditor() { return m_compilerEditor; }
  CDspConfig& GetConfig() const { return m_config; }
  const CString& GetName() const { return m_config.GetName(); }

 private:
  int FindLinkerSetting(const CString& argument) const;

  CDspConfig& m_config;
  CCPPCompilerEntryEditor m_compilerEditor;
};

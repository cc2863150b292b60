// The editor of one compiler line ("# ADD CPP" or "# SUBTRACT CPP") of a configuration or of a
// source file. A setting is given as its text: the switch, then its argument, for example
// "/D \"_DEBUG\"" or "/I \"C:\\Program Files\\Meter\\include\"".
#pragma once

#include "dsp/DspConfigEntries.h"

class CCPPCompilerEntryEditor {
 public:
  explicit CCPPCompilerEntryEditor(CDspCPPConfigEntry& entry);
  virtual ~CCPPCompilerEntryEditor();

  // Appends the setting unless a matching one is there. Debug-information switches (/Zd, /Z7,
  // /Zi, /ZI) never match, so each add appends one.
  void AddSetting(const CString& text);
  // Removes the first matching setting; nothing when none matches.
  void RemoveSetting(const CString& text);
  // A matching setting: not a debug-information switch, the same switch and the same argument,
  // byte for byte. Its index goes to `index` when given.
  bool HasSetting(const CString& text, int* index = NULL) const;
  // The first setting (not a debug-information switch) whose switch begins with `prefix`.
  bool FindSettingByPrefix(const CString& prefix, CString& switchText) const;

  CDspCPPConfigEntry& GetEntry() const { return m_entry; }

  // Switch and argument of a setting's text: the switch is its first token, white space inside
  // double quotes not ending it (so /Fo"Debug Files/" stays one switch), the argument is the rest
  // without its leading white space.
  static void SplitSetting(const CString& text, CString& switchText, CString& argument);

 private:
  CDspCPPConfigEntry& m_entry;
};

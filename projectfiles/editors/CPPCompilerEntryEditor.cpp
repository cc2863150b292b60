#include "editors/CPPCompilerEntryEditor.h"

#include "dsp/DspLookupTables.h"

namespace {

bool IsWhite(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  return b < 0x80 && (b == ' ' || (b >= '\t' && b <= '\r'));
}

}  // namespace

CCPPCompilerEntryEditor::CCPPCompilerEntryEditor(CDspCPPConfigEntry& entry) : m_entry(entry) {}
CCPPCompilerEntryEditor::~CCPPCompilerEntryEditor() {}

void CCPPCompilerEntryEditor::SplitSetting(const CString& text, CString& switchText, CString& argument) {
  LPCTSTR p = text;
  const int length = text.GetLength();
  int start = 0;
  while (start < length && IsWhite(p[start])) ++start;
  int end = start;
  bool quoted = false;
  while (end < length && (quoted || !IsWhite(p[end]))) {
    if (p[end] == '"') quoted = !quoted;
    // A lead byte takes its trail byte along, whatever that byte is.
    if (IsDBCSLeadByte(static_cast<BYTE>(p[end])) && end + 1 < length) ++end;
    ++end;
  }
  switchText = text.Mid(start, end - start);
  argument = text.Mid(end);
  argument.TrimLeft();
}

bool CCPPCompilerEntryEditor::HasSetting(const CString& text, int* index) const {
  CString switchText, argument;
  SplitSetting(text, switchText, argument);
  for (int i = 0; i < m_entry.GetSettingCount(); ++i) {
    const CDspCPPCompilerSetting* setting = m_entry.GetSetting(i);
    if (setting->GetKind() == dspSwitchOther && setting->GetSwitchText() == switchText &&
        setting->GetValueText() == argument) {
      if (index != NULL) *index = i;
      return true;
    }
  }
  return false;
}

void CCPPCompilerEntryEditor::AddSetting(const CString& text) {
  if (HasSetting(text)) return;
  CString switchText, argument;
  SplitSetting(text, switchText, argument);
  m_entry.AddSetting(new CDspCPPCompilerSetting(switchText, argument));
}

void CCPPCompilerEntryEditor::RemoveSetting(const CString& text) {
  int index = -1;
  if (HasSetting(text, &index)) m_entry.RemoveSetting(index);
}

bool CCPPCompilerEntryEditor::FindSettingByPrefix(const CString& prefix, CString& switchText) const {
  for (int i = 0; i < m_entry.GetSettingCount(); ++i) {
    const CDspCPPCompilerSetting* setting = m_entry.GetSetting(i);
    const CString candidate = setting->GetSwitch();
    if (setting->GetKind() == dspSwitchOther && candidate.Left(prefix.GetLength()) == prefix) {
      switchText = candidate;
      return true;
    }
  }
  return false;
}

#include "dsp/DspConfigEntries.h"

#include <algorithm>

#include "TqException.h"
#include "dsp/DspExceptions.h"
#include "dsp/DspLine.h"
#include "dsp/DspLookupTables.h"
#include "dsp/DspTargetFile.h"

// --- CDspLineBreaks -------------------------------------------------------------------------

void CDspLineBreaks::OnRemoved(int index, int count) {
  for (CDspLineBreak& lineBreak : m_breaks)
    if (lineBreak.before > index) --lineBreak.before;
  // A break with no token after it would leave a dangling backslash; of two breaks that now stand
  // before the same token, the line between them is empty and only the later one stays.
  std::vector<CDspLineBreak> kept;
  for (size_t i = 0; i < m_breaks.size(); ++i) {
    const bool emptied = i + 1 < m_breaks.size() && m_breaks[i + 1].before == m_breaks[i].before;
    if (m_breaks[i].before < count && !emptied) kept.push_back(m_breaks[i]);
  }
  m_breaks.swap(kept);
}

void CDspLineBreaks::Append(const CDspLineBreaks& other, int offset) {
  for (const CDspLineBreak& lineBreak : other.m_breaks)
    m_breaks.push_back({lineBreak.before + offset, lineBreak.indent});
}

void CDspLineBreaks::WriteBefore(CDspLineWriter& line, int index, size_t& cursor, int& quotesOnLine,
                                 int tokenQuotes, char tokenStart) const {
  bool broken = false;
  while (cursor < m_breaks.size() && m_breaks[cursor].before <= index) {
    line.Put(" \\\n");
    line.Put(m_breaks[cursor].indent);
    broken = true;
    ++cursor;
  }
  if (!broken && quotesOnLine % 2 == 1 && tokenQuotes > 0) {
    if (tokenStart == '#' || tokenStart == '!')
      throw new TQ::CAppWizException(
          "A setting line holds an unbalanced double quote before a setting that begins with '#' or '!': it "
          "cannot be written so that it reads back the same.");
    line.Put(" \\\n  ");
    broken = true;
  }
  if (broken)
    quotesOnLine = 0;
  else
    line.Put(" ");
  quotesOnLine += tokenQuotes;
}

// --- CDspCPPCompilerSetting -----------------------------------------------------------------

CDspCPPCompilerSetting::CDspCPPCompilerSetting(CString switchText, CString value)
    : m_kind(LookupDebugInfoSwitch(switchText)), m_value(std::move(value)) {
  if (m_kind == dspSwitchOther) m_switch = std::move(switchText);
}
CDspCPPCompilerSetting::~CDspCPPCompilerSetting() {}

int CDspCPPCompilerSetting::GetKind() const { return m_kind; }
CString CDspCPPCompilerSetting::GetSwitch() const { return m_switch; }
CString CDspCPPCompilerSetting::GetValue() const { return m_value; }

void CDspCPPCompilerSetting::GetText(CString& text) const {
  const LPCTSTR tableText = GetDebugInfoSwitchText(m_kind);
  text = tableText != NULL ? CString(tableText) : m_switch;
  if (!m_value.IsEmpty()) {
    text += ' ';
    text += m_value;
  }
}

void CDspCPPCompilerSetting::Set(int kind, const CString& value) {
  m_kind = kind;
  m_value = value;
  if (GetDebugInfoSwitchText(kind) != NULL) m_switch.Empty();
}

// --- CDspConfigEntry ------------------------------------------------------------------------

CDspConfigEntry::CDspConfigEntry(bool base, int operation) : m_base(base), m_operation(operation) {}
CDspConfigEntry::~CDspConfigEntry() {}

namespace {

LPCTSTR OperationText(int operation) {
  switch (operation) {
    case CDspConfigEntry::opProp:
      return "PROP";
    case CDspConfigEntry::opAdd:
      return "ADD";
    case CDspConfigEntry::opSubtract:
      return "SUBTRACT";
    default:
      return "";
  }
}

}  // namespace

CString CDspConfigEntry::GetOperationText() const { return OperationText(m_operation); }

void CDspConfigEntry::WriteHead(CDspLineWriter& line, LPCTSTR tool) const {
  line.Put("# ");
  line.Put(OperationText(m_operation));
  if (m_base) line.Put(" BASE");
  line.Put(" ");
  line.Put(tool);
}

// --- CDspMFCConfigEntry ---------------------------------------------------------------------

CDspMFCConfigEntry::CDspMFCConfigEntry(bool base, const CString& value)
    : CDspConfigEntry(base, opProp), m_kind(LookupUseMFCValue(value)), m_value(value) {}
CDspMFCConfigEntry::~CDspMFCConfigEntry() {}

CString CDspMFCConfigEntry::GetValueText() const {
  const LPCTSTR tableText = GetUseMFCText(m_kind);
  return tableText != NULL ? CString(tableText) : m_value;
}

void CDspMFCConfigEntry::Write(CStdioFile& file) const {
  CDspLineWriter line(file);
  WriteHead(line, "Use_MFC ");
  line.PutLine(GetValueText());
  line.Flush();
}

void CDspMFCConfigEntry::InsertInto(CDspFileEntryContainer& container, int index) {
  container.InsertMFCConfigEntry(this, index);
}

// --- CDspCPPConfigEntry ---------------------------------------------------------------------

CDspCPPConfigEntry::CDspCPPConfigEntry(bool base, int operation) : CDspConfigEntry(base, operation) {}
CDspCPPConfigEntry::~CDspCPPConfigEntry() {}

void CDspCPPConfigEntry::Write(CStdioFile& file) const {
  CDspLineWriter line(file);
  WriteHead(line, "CPP");
  size_t cursor = 0;
  int quotes = 0;
  for (int i = 0; i < GetSettingCount(); ++i) {
    // The text of GetText, written in its parts.
    const CDspCPPCompilerSetting& setting = *m_settings[i];
    const LPCTSTR tableText = GetDebugInfoSwitchText(setting.GetKind());
    const CString& switchText = setting.GetSwitchText();
    m_breaks.WriteBefore(line, i, cursor, quotes,
                         (tableText != NULL ? 0 : CountDspQuotes(switchText)) + CountDspQuotes(setting.GetValueText()),
                         tableText != NULL ? tableText[0] : (switchText.IsEmpty() ? '\0' : switchText[0]));
    if (tableText != NULL)
      line.Put(tableText);
    else
      line.Put(setting.GetSwitchText());
    if (!setting.GetValueText().IsEmpty()) {
      line.Put(" ");
      line.Put(setting.GetValueText());
    }
  }
  line.Put("\n");
  line.Flush();
}

void CDspCPPConfigEntry::InsertInto(CDspFileEntryContainer& container, int index) {
  container.InsertCPPConfigEntry(this, index);
}

void CDspCPPConfigEntry::InsertIntoTargetFile(CDspTargetFile& file, int index) {
  file.InsertCPPConfigEntry(this, index);
}

const CDspCPPCompilerSetting* CDspCPPConfigEntry::GetSetting(int index) const {
  if (index < 0 || index >= GetSettingCount()) throw new TQ::CTqIndexException(index, GetSettingCount());
  return m_settings[index].get();
}

CDspCPPCompilerSetting* CDspCPPConfigEntry::GetSetting(int index) {
  if (index < 0 || index >= GetSettingCount()) throw new TQ::CTqIndexException(index, GetSettingCount());
  return m_settings[index].get();
}

void CDspCPPConfigEntry::AddSetting(CDspCPPCompilerSetting* setting) {
  std::unique_ptr<CDspCPPCompilerSetting> owned(setting);
  m_settings.push_back(std::move(owned));
}

void CDspCPPConfigEntry::RemoveSetting(int index) {
  if (index < 0 || index >= GetSettingCount()) throw new TQ::CTqIndexException(index, GetSettingCount());
  m_settings.erase(m_settings.begin() + index);
  m_breaks.OnRemoved(index, GetSettingCount());
}

void CDspCPPConfigEntry::TakeSettings(CDspCPPConfigEntry& other) {
  m_breaks.Append(other.m_breaks, GetSettingCount());
  other.m_breaks = CDspLineBreaks();
  m_settings.reserve(m_settings.size() + other.m_settings.size());
  for (auto& setting : other.m_settings) m_settings.push_back(std::move(setting));
  other.m_settings.clear();
}

namespace {

// The two kinds of token list the settings are made from: strings of their own, which are moved
// into the settings, and places in the line just read, copied out of it.
struct OwnTokens {
  std::vector<CString>& tokens;
  size_t size() const { return tokens.size(); }
  bool Is(size_t i, LPCTSTR text) const { return IsText(tokens[i], text); }
  CString Take(size_t i) { return std::move(tokens[i]); }
};

struct LineTokens {
  const std::vector<CDspToken>& tokens;
  size_t size() const { return tokens.size(); }
  bool Is(size_t i, LPCTSTR text) const { return tokens[i].Is(text); }
  CString Take(size_t i) { return tokens[i].ToString(); }
};

}  // namespace

template <typename Tokens>
void CDspCPPConfigEntry::AddSettings(Tokens& tokens, const std::vector<CDspLineBreak>& breaks) {
  const size_t count = tokens.size();
  size_t nextBreak = 0;
  // A break inside a setting (between "/D" and its value) goes before the setting.
  auto takeBreaksUpTo = [&](size_t token) {
    for (; nextBreak < breaks.size() && static_cast<size_t>(breaks[nextBreak].before) <= token; ++nextBreak)
      m_breaks.Add(GetSettingCount(), breaks[nextBreak].indent);
  };
  m_settings.reserve(m_settings.size() + count);
  for (size_t i = 0; i < count;) {
    takeBreaksUpTo(i);
    if (tokens.Is(i, "/D") || tokens.Is(i, "/I")) {
      CString value;
      if (i + 1 < count) {
        takeBreaksUpTo(i + 1);
        value = tokens.Take(i + 1);
      }
      AddSetting(new CDspCPPCompilerSetting(tokens.Take(i), std::move(value)));
      i += 2;
    } else {
      AddSetting(new CDspCPPCompilerSetting(tokens.Take(i), CString()));
      i += 1;
    }
  }
}

void CDspCPPConfigEntry::AddArguments(std::vector<CString> tokens, const std::vector<CDspLineBreak>& breaks) {
  OwnTokens own{tokens};
  AddSettings(own, breaks);
}

void CDspCPPConfigEntry::AddArguments(const std::vector<CDspToken>& tokens) {
  static const std::vector<CDspLineBreak> kNoBreaks;
  LineTokens line{tokens};
  AddSettings(line, kNoBreaks);
}

// --- CDspLink32ConfigEntry ------------------------------------------------------------------

CDspLink32ConfigEntry::CDspLink32ConfigEntry(bool base, int operation) : CDspConfigEntry(base, operation) {}
CDspLink32ConfigEntry::~CDspLink32ConfigEntry() {}

void CDspLink32ConfigEntry::Write(CStdioFile& file) const {
  CDspLineWriter line(file);
  WriteHead(line, "LINK32");
  size_t cursor = 0;
  int quotes = 0;
  for (int i = 0; i < GetArgumentCount(); ++i) {
    const CString& argument = m_arguments[i];
    m_breaks.WriteBefore(line, i, cursor, quotes, CountDspQuotes(argument), argument.IsEmpty() ? '\0' : argument[0]);
    line.Put(argument);
  }
  line.Put("\n");
  line.Flush();
}

void CDspLink32ConfigEntry::InsertInto(CDspFileEntryContainer& container, int index) {
  container.InsertLink32ConfigEntry(this, index);
}

const CString& CDspLink32ConfigEntry::GetArgument(int index) const {
  if (index < 0 || index >= GetArgumentCount()) throw new TQ::CTqIndexException(index, GetArgumentCount());
  return m_arguments[index];
}

void CDspLink32ConfigEntry::AddArgument(const CString& argument) { m_arguments.push_back(argument); }

void CDspLink32ConfigEntry::RemoveArgument(int index) {
  if (index < 0 || index >= GetArgumentCount()) throw new TQ::CTqIndexException(index, GetArgumentCount());
  m_arguments.erase(m_arguments.begin() + index);
  m_breaks.OnRemoved(index, GetArgumentCount());
}

void CDspLink32ConfigEntry::TakeArguments(CDspLink32ConfigEntry& other) {
  m_breaks.Append(other.m_breaks, GetArgumentCount());
  other.m_breaks = CDspLineBreaks();
  m_arguments.insert(m_arguments.end(), other.m_arguments.begin(), other.m_arguments.end());
  other.m_arguments.clear();
}

void CDspLink32ConfigEntry::AddArguments(std::vector<CString> tokens, const std::vector<CDspLineBreak>& breaks) {
  const int offset = GetArgumentCount();
  for (const CDspLineBreak& lineBreak : breaks)
    if (static_cast<size_t>(lineBreak.before) < tokens.size())
      m_breaks.Add(lineBreak.before + offset, lineBreak.indent);
  if (m_arguments.empty()) {
    m_arguments = std::move(tokens);
    return;
  }
  m_arguments.insert(m_arguments.end(), std::make_move_iterator(tokens.begin()), std::make_move_iterator(tokens.end()));
}

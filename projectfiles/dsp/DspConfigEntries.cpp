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

void CDspMFCConfigEntry::Write(CStdioFile& file) const { WriteThroughLines(file); }

void CDspMFCConfigEntry::WriteTo(CDspLineWriter& out) const {
  WriteHead(out, "Use_MFC ");
  const LPCTSTR tableText = GetUseMFCText(m_kind);
  if (tableText != NULL)
    out.Put(tableText);
  else
    out.Put(m_value);
  out.Put("\n");
}

void CDspMFCConfigEntry::InsertInto(CDspFileEntryContainer& container, int index) {
  container.InsertMFCConfigEntry(this, index);
}

// --- CDspCPPConfigEntry ---------------------------------------------------------------------

CDspCPPConfigEntry::CDspCPPConfigEntry(bool base, int operation) : CDspConfigEntry(base, operation) {}
CDspCPPConfigEntry::CDspCPPConfigEntry(bool base, int operation, const CDspTextBlock* arguments)
    : CDspConfigEntry(base, operation), m_arguments(CDspText::Borrowed(arguments)) {}
CDspCPPConfigEntry::~CDspCPPConfigEntry() {}

CDspCPPConfigEntry::SettingList& CDspCPPConfigEntry::Settings() const {
  if (!m_settings) {
    std::unique_ptr<SettingList> made(new SettingList);
    std::vector<CString> tokens;
    SplitDspArguments(m_arguments.GetData(), tokens);
    m_settings = std::move(made);
    const_cast<CDspCPPConfigEntry*>(this)->AddArguments(std::move(tokens), {});
    m_arguments = CDspText();
  }
  return *m_settings;
}

void CDspCPPConfigEntry::Write(CStdioFile& file) const { WriteThroughLines(file); }

void CDspCPPConfigEntry::WriteTo(CDspLineWriter& out) const {
  WriteHead(out, "CPP");
  if (!m_settings) {
    if (!m_arguments.IsEmpty()) {
      out.Put(" ");
      out.Put(m_arguments);
    }
    out.Put("\n");
    return;
  }
  size_t cursor = 0;
  int quotes = 0;
  const auto& settings = m_settings->list;
  for (size_t i = 0; i < settings.size(); ++i) {
    // The text of GetText, written in its parts.
    const CDspCPPCompilerSetting& setting = *settings[i];
    const LPCTSTR tableText = GetDebugInfoSwitchText(setting.GetKind());
    const CString& switchText = setting.GetSwitchText();
    m_settings->breaks.WriteBefore(
        out, static_cast<int>(i), cursor, quotes,
        (tableText != NULL ? 0 : CountDspQuotes(switchText)) + CountDspQuotes(setting.GetValueText()),
        tableText != NULL ? tableText[0] : (switchText.IsEmpty() ? '\0' : switchText[0]));
    if (tableText != NULL)
      out.Put(tableText);
    else
      out.Put(setting.GetSwitchText());
    if (!setting.GetValueText().IsEmpty()) {
      out.Put(" ");
      out.Put(setting.GetValueText());
    }
  }
  out.Put("\n");
}

void CDspCPPConfigEntry::InsertInto(CDspFileEntryContainer& container, int index) {
  container.InsertCPPConfigEntry(this, index);
}

void CDspCPPConfigEntry::InsertIntoTargetFile(CDspTargetFile& file, int index) {
  file.InsertCPPConfigEntry(this, index);
}

const CDspCPPCompilerSetting* CDspCPPConfigEntry::GetSetting(int index) const {
  if (index < 0 || index >= GetSettingCount()) throw new TQ::CTqIndexException(index, GetSettingCount());
  return Settings().list[index].get();
}

CDspCPPCompilerSetting* CDspCPPConfigEntry::GetSetting(int index) {
  if (index < 0 || index >= GetSettingCount()) throw new TQ::CTqIndexException(index, GetSettingCount());
  return Settings().list[index].get();
}

void CDspCPPConfigEntry::AddSetting(CDspCPPCompilerSetting* setting) {
  std::unique_ptr<CDspCPPCompilerSetting> owned(setting);
  Settings().list.push_back(std::move(owned));
}

void CDspCPPConfigEntry::RemoveSetting(int index) {
  if (index < 0 || index >= GetSettingCount()) throw new TQ::CTqIndexException(index, GetSettingCount());
  SettingList& settings = Settings();
  settings.list.erase(settings.list.begin() + index);
  settings.breaks.OnRemoved(index, GetSettingCount());
}

void CDspCPPConfigEntry::TakeSettings(CDspCPPConfigEntry& other) {
  SettingList& settings = Settings();
  SettingList& others = other.Settings();
  settings.breaks.Append(others.breaks, GetSettingCount());
  others.breaks = CDspLineBreaks();
  settings.list.reserve(settings.list.size() + others.list.size());
  for (auto& setting : others.list) settings.list.push_back(std::move(setting));
  others.list.clear();
}

// "/D" and "/I" take the next token as their value; a break inside a setting (between "/D" and
// its value) goes before the setting.
void CDspCPPConfigEntry::AddArguments(std::vector<CString> tokens, const std::vector<CDspLineBreak>& breaks) {
  SettingList& settings = Settings();
  const size_t count = tokens.size();
  size_t nextBreak = 0;
  auto takeBreaksUpTo = [&](size_t token) {
    for (; nextBreak < breaks.size() && static_cast<size_t>(breaks[nextBreak].before) <= token; ++nextBreak)
      settings.breaks.Add(GetSettingCount(), breaks[nextBreak].indent);
  };
  settings.list.reserve(settings.list.size() + count);
  for (size_t i = 0; i < count;) {
    takeBreaksUpTo(i);
    if (IsDspValueSwitch(tokens[i])) {
      CString value;
      if (i + 1 < count) {
        takeBreaksUpTo(i + 1);
        value = std::move(tokens[i + 1]);
      }
      AddSetting(new CDspCPPCompilerSetting(std::move(tokens[i]), std::move(value)));
      i += 2;
    } else {
      AddSetting(new CDspCPPCompilerSetting(std::move(tokens[i]), CString()));
      i += 1;
    }
  }
}

// --- CDspLink32ConfigEntry ------------------------------------------------------------------

CDspLink32ConfigEntry::CDspLink32ConfigEntry(bool base, int operation) : CDspConfigEntry(base, operation) {}
CDspLink32ConfigEntry::~CDspLink32ConfigEntry() {}

void CDspLink32ConfigEntry::Write(CStdioFile& file) const { WriteThroughLines(file); }

void CDspLink32ConfigEntry::WriteTo(CDspLineWriter& out) const {
  WriteHead(out, "LINK32");
  size_t cursor = 0;
  int quotes = 0;
  for (int i = 0; i < GetArgumentCount(); ++i) {
    const CString& argument = m_arguments[i];
    m_breaks.WriteBefore(out, i, cursor, quotes, CountDspQuotes(argument), argument.IsEmpty() ? '\0' : argument[0]);
    out.Put(argument);
  }
  out.Put("\n");
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

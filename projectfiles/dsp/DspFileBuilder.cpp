#include "dsp/DspFileBuilder.h"

#include <cstring>
#include <memory>

#include "dsp/DspConfigEntries.h"
#include "dsp/DspConfigSet.h"
#include "dsp/DspExceptions.h"
#include "dsp/DspFile.h"
#include "dsp/DspSection.h"
#include "dsp/DspSimpleEntries.h"
#include "dsp/DspTarget.h"
#include "dsp/DspTargetFile.h"
#include "dsp/DspTargetFolder.h"

namespace {

// Inserts a new entry at the end of a container, which owns it from then on.
template <typename Entry>
Entry* Append(CDspFileEntryContainer& container, Entry* entry) {
  entry->InsertInto(container, -1);
  return entry;
}

// A configuration named by its "!IF"/"!ELSEIF" line: the quoted text after "==". When more than
// white space follows the name, or the name has no closing quote, the line is kept as read so
// that rebuilding it loses nothing.
CDspConfig* NewConfig(const CString& line) {
  const int equals = line.Find("==");
  auto* config = new CDspConfig(equals < 0 ? CString() : QuotedTextAfter(line, equals + 2));
  if (equals >= 0) {
    const int open = line.Find('"', equals + 2);
    const int close = open < 0 ? -1 : line.Find('"', open + 1);
    CString tail = close < 0 ? line.Mid(equals + 2) : line.Mid(close + 1);
    tail.TrimLeft();
    if (!tail.IsEmpty()) config->SetOpeningLine(line);
  }
  return config;
}

bool IsConditionalOpener(const CDspLineTokens& tokens) {
  return tokens.Is({"!IF"}, CDspLineTokens::textAfter) || tokens.Is({"!IFDEF"}, CDspLineTokens::textAfter) ||
         tokens.Is({"!IFNDEF"}, CDspLineTokens::textAfter);
}

// The settings of a compiler line, made from its argument tokens, write back as those tokens
// joined by single blanks, unless a setting that holds a quote follows an unbalanced one: the
// writer then puts it on a continuation line of its own.
bool SettingsWriteAsJoined(const std::vector<CDspToken>& tokens) {
  int quotesOnLine = 0;
  const size_t count = tokens.size();
  for (size_t i = 0; i < count;) {
    const size_t tokensOfSetting = IsDspValueSwitch(tokens[i].text, tokens[i].length) && i + 1 < count ? 2 : 1;
    int quotes = 0;
    for (size_t j = i; j < i + tokensOfSetting; ++j) quotes += CountDspQuotes(tokens[j].text, tokens[j].length);
    if (quotesOnLine % 2 == 1 && quotes > 0) return false;
    quotesOnLine += quotes;
    i += tokensOfSetting;
  }
  return true;
}

// The line as read begins with "SOURCE=": the path is the rest.
bool IsSourceLine(const CDspLine& line) { return line.length >= 7 && std::memcmp(line.text, "SOURCE=", 7) == 0; }

}  // namespace

CDspFileBuilder::CDspFileBuilder(const CString& path) : m_path(path), m_texts(NULL), m_sourcelessFile(false) {}
CDspFileBuilder::~CDspFileBuilder() {}

void CDspFileBuilder::Build(CDspFile& file) {
  // The tree is made by this thread alone: its objects take the heap's lock once.
  CDspEntryHeap::Hold hold;
  std::unique_ptr<CFileException> openError(new CFileException);
  file.RemoveAll();
  m_texts = &file.GetTextStore();
  m_sourcelessFile = false;
  if (!m_file.Open(m_path, CFile::modeRead | CFile::shareDenyNone | CFile::typeText, openError.get()))
    throw openError.release();
  try {
    m_reader = std::make_unique<CDspLineReader>(m_file);
    CDspLine line;
    if (!ReadLine(line)) throw new TQ::CInvalidProjectFormatException(TRUE);
    const CString first = line.ToString();
    if (first.Find('"') < 0 || first.Find('"', first.Find('"') + 1) < 0)
      throw new TQ::CInvalidProjectFormatException(TRUE);
    m_projectName = QuotedTextAfter(first);
    file.SetProjectName(m_projectName);
    do {
      ReadTopLevelLine(file, line);
    } while (ReadLine(line));
    m_reader.reset();
    if (m_sourcelessFile)
      file.Validate();
    else
      file.ValidateReadWithSourceFiles();
  } catch (...) {
    m_reader.reset();
    m_file.Abort();
    throw;
  }
  m_file.Close();
}

bool CDspFileBuilder::ReadLine(CDspLine& line) { return m_reader->Next(line); }

void CDspFileBuilder::ReadBlockLine(CDspLine& line) {
  if (!ReadLine(line)) AfxThrowFileException(CFileException::endOfFile, -1, m_path);
}

// A line read from the file holds no NUL; an empty one takes no text of its own.
void CDspFileBuilder::AppendVerbatim(CDspFileEntryContainer& container, const CDspLine& line) {
  container.AppendVerbatimLine(line.IsEmpty() ? CDspTextBlock::Empty() : m_texts->AddShared(line.text, line.length));
}

// The first character decides, taken from the line as read: a line with leading white space is
// verbatim.
void CDspFileBuilder::ReadTopLevelLine(CDspFile& file, CDspLine& line) {
  const TCHAR first = line.First();
  const CDspLineTokens tokens(line.text);
  CString name, id;
  if (first == '!' && tokens.Is({"!IF"}, CDspLineTokens::textAfter)) {
    ReadConfigSet(*Append(file, new CDspConfigSet), line);
  } else if (first == '#' && tokens.Is({"#", "TARGTYPE"}, CDspLineTokens::textAfter)) {
    Append(file, new CDspTargetType(line.ToString()));
  } else if (first == '#' && tokens.Is({"#", "Begin", "Target"}, CDspLineTokens::nothingAfter)) {
    ReadTarget(*Append(file, new CDspTarget(line.ToString())), line);
  } else if (first == '#' && IsSectionHeader(line.ToString(), name, id)) {
    ReadSection(*Append(file, new CDspSection(name, id)), line);
  } else {
    AppendVerbatim(file, line);
  }
}

// "!IF" and each "!ELSEIF" open a configuration; "!ENDIF" ends the block. A conditional nested
// inside a configuration is part of that configuration's lines.
void CDspFileBuilder::ReadConfigSet(CDspConfigSet& set, CDspLine& line) {
  CDspConfig* config = NewConfig(line.ToString());
  set.AddConfig(config);
  int depth = 0;
  for (;;) {
    ReadBlockLine(line);
    const CDspLineTokens tokens(line.text);
    if (depth == 0 && tokens.Is({"!ELSEIF"}, CDspLineTokens::textAfter)) {
      config = NewConfig(line.ToString());
      set.AddConfig(config);
      continue;
    }
    if (tokens.Is({"!ENDIF"}, CDspLineTokens::nothingAfter)) {
      if (depth == 0) {
        set.SetEndLine(line.ToString());
        return;
      }
      --depth;
    } else if (IsConditionalOpener(tokens)) {
      ++depth;
    }
    AddConfigLine(*config, line);
  }
}

void CDspFileBuilder::ReadTarget(CDspTarget& target, CDspLine& line) {
  for (;;) {
    ReadBlockLine(line);
    const CDspLineTokens tokens(line.text);
    if (tokens.Is({"#", "End", "Target"}, CDspLineTokens::nothingAfter)) {
      target.SetEndLine(line.ToString());
      return;
    }
    if (line.First() != '#')
      AppendVerbatim(target, line);
    else if (CDspTargetFile::IsUsualBeginLine(line.text, line.length))
      ReadUsualSourceFile(*target.GetFolderProxy(), line);
    else if (tokens.Is({"#", "Begin", "Group"}, CDspLineTokens::textAfter))
      ReadGroup(*Append(target, new CDspTargetFolder(QuotedTextAfter(line.ToString()))), line);
    else if (tokens.Is({"#", "Begin", "Source", "File"}, CDspLineTokens::nothingAfter))
      ReadSourceFile(*Append(target, new CDspTargetFile(line.ToString())), line);
    else
      AppendVerbatim(target, line);
  }
}

void CDspFileBuilder::ReadGroup(CDspTargetFolder& folder, CDspLine& line) {
  for (;;) {
    ReadBlockLine(line);
    // The tests exclude each other; the most frequent line goes first, and the line as the IDE
    // writes it is recognised by one comparison.
    if (CDspTargetFile::IsUsualBeginLine(line.text, line.length)) {
      ReadUsualSourceFile(folder, line);
      continue;
    }
    const CDspLineTokens tokens(line.text);
    if (tokens.Is({"#", "Begin", "Source", "File"}, CDspLineTokens::nothingAfter)) {
      ReadSourceFile(*Append(folder, new CDspTargetFile(line.ToString())), line);
    } else if (tokens.Is({"#", "Begin", "Group"}, CDspLineTokens::textAfter)) {
      ReadGroup(*Append(folder, new CDspTargetFolder(QuotedTextAfter(line.ToString()))), line);
    } else if (tokens.Is({"#", "PROP", "Default_Filter"}, CDspLineTokens::textAfter)) {
      const CString text = line.ToString();
      const int first = text.Find('"');
      const int last = text.ReverseFind('"');
      if (first >= 0 && last > first)
        Append(folder, new CDspTargetDefaultFilter(text.Mid(first + 1, last - first - 1)));
      else
        AppendVerbatim(folder, line);
    } else if (tokens.Is({"#", "End", "Group"}, CDspLineTokens::nothingAfter)) {
      folder.SetEndLine(line.ToString());
      return;
    } else {
      AppendVerbatim(folder, line);
    }
  }
}

void CDspFileBuilder::ReadSourceFile(CDspTargetFile& file, CDspLine& line) {
  do {
    ReadBlockLine(line);
  } while (!AddSourceFileLine(file, line));
}

// The lines up to the end line are looked at before the block is made: an empty line, the SOURCE
// line and the usual end line make the block kept as read; any other line makes the block's
// entry of what was read so far, which reads on.
void CDspFileBuilder::ReadUsualSourceFile(CDspFileEntryContainer& container, CDspLine& line) {
  const CDspTextBlock* path = NULL;
  int kept = 0;
  bool read;
  while ((read = ReadLine(line))) {
    if (kept == 0 && line.IsEmpty()) {
      kept = 1;
    } else if (kept == 1 && IsSourceLine(line)) {
      path = m_texts->Add(line.text + 7, line.length - 7);
      kept = 2;
    } else if (kept == 2 && CDspTargetFile::IsUsualEndLine(line.text, line.length)) {
      container.AppendUsualSourceFile(path);
      return;
    } else {
      break;
    }
  }
  CDspTargetFile& file = *Append(container, new CDspTargetFile);
  if (kept >= 1) file.AppendVerbatimLine(CDspTextBlock::Empty());
  if (kept >= 2) file.AppendSourceLine(path);
  if (!read) AfxThrowFileException(CFileException::endOfFile, -1, m_path);
  if (!AddSourceFileLine(file, line)) ReadSourceFile(file, line);
}

// Conditionals inside a source file block stay verbatim: the compiler lines between them all
// belong to the source file. Every keyword test starts with a "#" token, which is looked for once.
bool CDspFileBuilder::AddSourceFileLine(CDspTargetFile& file, const CDspLine& line) {
  const LPCTSTR afterHash = SkipDspKeyword(line.text, "#");
  if (afterHash == NULL) {
    if (IsSourceLine(line))
      file.AppendSourceLine(m_texts->Add(line.text + 7, line.length - 7));
    else
      AppendVerbatim(file, line);
    return false;
  }
  const CDspLineTokens tokens(afterHash);
  if (CDspTargetFile::IsUsualEndLine(line.text, line.length) ||
      tokens.Is({"End", "Source", "File"}, CDspLineTokens::nothingAfter)) {
    file.SetEndLine(line.text, line.length);
    if (!file.HasSourceEntry()) m_sourcelessFile = true;
    return true;
  }
  if (tokens.Is({"ADD", "CPP"}, CDspLineTokens::anythingAfter) ||
      tokens.Is({"SUBTRACT", "CPP"}, CDspLineTokens::anythingAfter))
    AddConfigLine(file, line);
  else
    AppendVerbatim(file, line);
  return false;
}

void CDspFileBuilder::ReadSection(CDspSection& section, CDspLine& line) {
  for (;;) {
    ReadBlockLine(line);
    if (CDspLineTokens(line.text).Is({"#", "End", "Section"}, CDspLineTokens::nothingAfter)) return;
    Append(section, CDspSectionEntry::FromLine(line.ToString()));
  }
}

// Arguments are split at white space outside double quotes, so that a quoted path with a blank
// stays one setting; runs of white space become one blank when the line is written. The head
// ("#", the operation, "BASE", the tool) is matched in place: a keyword is a token without
// quotes, which that split cuts exactly where a split at white space does.
void CDspFileBuilder::AddConfigLine(CDspFileEntryContainer& container, const CDspLine& line) {
  LPCTSTR head = SkipDspKeyword(line.text, "#");
  if (head == NULL) return AppendVerbatim(container, line);
  if (SkipDspKeyword(head, "PROP") != NULL) {
    CDspFileEntry* entry = MakePropLineEntry(line);
    if (entry == NULL) return AppendVerbatim(container, line);
    return entry->InsertInto(container, -1);
  }
  int operation = CDspConfigEntry::opAdd;
  LPCTSTR afterOperation = SkipDspKeyword(head, "ADD");
  if (afterOperation == NULL) {
    operation = CDspConfigEntry::opSubtract;
    afterOperation = SkipDspKeyword(head, "SUBTRACT");
  }
  if (afterOperation == NULL) return AppendVerbatim(container, line);
  LPCTSTR tool = SkipDspKeyword(afterOperation, "BASE");
  const bool base = tool != NULL;
  if (!base) tool = afterOperation;
  LPCTSTR arguments = SkipDspKeyword(tool, "CPP");
  const bool compiler = arguments != NULL;
  if (!compiler) arguments = SkipDspKeyword(tool, "LINK32");
  if (arguments == NULL) return AppendVerbatim(container, line);
  m_tokens.clear();
  SplitDspArguments(arguments, m_tokens);
  // A compiler line that does not continue keeps its arguments as one text where it can; any
  // other takes its tokens as strings of their own, the continuation lines' with them.
  const bool continued = !m_tokens.empty() && m_tokens.back().Is("\\");
  if (compiler && !continued) {
    if (const CDspTextBlock* kept = KeptArguments())
      return (new CDspCPPConfigEntry(base, operation, kept))->InsertInto(container, -1);
  }
  std::vector<CString> tokens;
  tokens.reserve(m_tokens.size());
  for (const CDspToken& token : m_tokens) tokens.push_back(token.ToString());
  std::vector<CDspLineBreak> breaks;
  if (continued) ReadContinuation(tokens, breaks);
  if (compiler) {
    std::unique_ptr<CDspCPPConfigEntry> entry(new CDspCPPConfigEntry(base, operation));
    entry->AddArguments(std::move(tokens), breaks);
    return entry.release()->InsertInto(container, -1);
  }
  std::unique_ptr<CDspLink32ConfigEntry> entry(new CDspLink32ConfigEntry(base, operation));
  entry->AddArguments(std::move(tokens), breaks);
  entry.release()->InsertInto(container, -1);
}

// Tokens that stand one blank apart, as the IDE writes them, are kept as they stand in the line.
const CDspTextBlock* CDspFileBuilder::KeptArguments() {
  if (!SettingsWriteAsJoined(m_tokens)) return NULL;
  if (m_tokens.empty()) return CDspTextBlock::Empty();
  const CDspToken& first = m_tokens.front();
  const CDspToken& last = m_tokens.back();
  bool asTheyStand = true;
  for (size_t i = 1; i < m_tokens.size() && asTheyStand; ++i) {
    const CDspToken& before = m_tokens[i - 1];
    asTheyStand = before.text + before.length + 1 == m_tokens[i].text && before.text[before.length] == ' ';
  }
  if (asTheyStand) return m_texts->AddShared(first.text, static_cast<int>(last.text + last.length - first.text));
  m_joined.clear();
  for (const CDspToken& token : m_tokens) {
    if (!m_joined.empty()) m_joined += ' ';
    m_joined.append(token.text, static_cast<size_t>(token.length));
  }
  return m_texts->AddShared(m_joined.data(), static_cast<int>(m_joined.size()));
}

CDspFileEntry* CDspFileBuilder::MakePropLineEntry(const CDspLine& line) {
  std::vector<CString> tokens;
  SplitDspArguments(line.text, tokens);
  const size_t count = tokens.size();
  size_t next = 2;
  const bool base = count > next && IsText(tokens[next], "BASE");
  if (base) ++next;
  // Exactly one value: a line with more would lose its extra text when rebuilt.
  if (count == next + 2 && IsText(tokens[next], "Use_MFC")) return new CDspMFCConfigEntry(base, tokens[next + 1]);
  return NULL;
}

// A lone backslash at the end continues the line on the next one, unless that one is empty or a
// line of its own kind ('#' or '!'): then the backslash is an argument like any other.
void CDspFileBuilder::ReadContinuation(std::vector<CString>& tokens, std::vector<CDspLineBreak>& breaks) {
  CDspLine next;
  while (!tokens.empty() && IsText(tokens.back(), "\\")) {
    if (!ReadLine(next)) return;
    LPCTSTR trimmed = next.text;
    while (IsDspBlank(*trimmed)) ++trimmed;
    if (*trimmed == '\0' || *trimmed == '#' || *trimmed == '!') {
      m_reader->Again();
      return;
    }
    tokens.pop_back();
    breaks.push_back({static_cast<int>(tokens.size()), CString(next.text, static_cast<int>(trimmed - next.text))});
    SplitDspArguments(trimmed, tokens);
  }
}

// "# Section <name> : {<id>}" where the name is the project's and the id stands in braces; any
// other such header stays a verbatim line, with every line of its block.
bool CDspFileBuilder::IsSectionHeader(const CString& line, CString& name, CString& id) const {
  CString trimmed = line;
  trimmed.TrimLeft();
  trimmed.TrimRight();
  const int section = trimmed.Find("Section");
  if (section <= 0) return false;
  const int afterKeyword = section + 7;
  const int colon = trimmed.Find(':', afterKeyword);
  if (colon < 0) return false;
  CString headerName = trimmed.Mid(afterKeyword, colon - afterKeyword);
  headerName.TrimLeft();
  headerName.TrimRight();
  CString headerId = trimmed.Mid(colon + 1);
  headerId.TrimLeft();
  headerId.TrimRight();
  const int length = headerId.GetLength();
  if (length < 2 || headerId[0] != '{' || headerId[length - 1] != '}' || headerName != m_projectName) return false;
  name = headerName;
  id = headerId.Mid(1, length - 2);
  return true;
}

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
#include "editors/TextFile.h"

namespace {

// Inserts a new entry at the end of a container, which owns it from then on.
template <typename Entry>
Entry* Append(CDspFileEntryContainer& container, Entry* entry) {
  entry->InsertInto(container, -1);
  return entry;
}

// The entry gets its own copy, of the line's length: the reader's buffer stays for the next line.
void AppendVerbatim(CDspFileEntryContainer& container, const CString& line) {
  Append(container, new CDspFileUnknownEntry(line));
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

}  // namespace

CDspFileBuilder::CDspFileBuilder(const CString& path) : m_path(path), m_hasPushedBack(false) {}
CDspFileBuilder::~CDspFileBuilder() {}

void CDspFileBuilder::Build(CDspFile& file) {
  // The tree is made by this thread alone: its objects take the heap's lock once.
  CDspEntryHeap::Hold hold;
  std::unique_ptr<CFileException> openError(new CFileException);
  file.RemoveAll();
  m_hasPushedBack = false;
  if (!m_file.Open(m_path, CFile::modeRead | CFile::shareDenyNone | CFile::typeText, openError.get()))
    throw openError.release();
  try {
    CString line;
    if (!ReadLine(line) || line.Find('"') < 0 || line.Find('"', line.Find('"') + 1) < 0)
      throw new TQ::CInvalidProjectFormatException(TRUE);
    m_projectName = QuotedTextAfter(line);
    file.SetProjectName(m_projectName);
    do {
      ReadTopLevelLine(file, line);
    } while (ReadLine(line));
    file.Validate();
  } catch (...) {
    m_file.Abort();
    throw;
  }
  m_file.Close();
}

bool CDspFileBuilder::ReadLine(CString& line) {
  if (m_hasPushedBack) {
    m_hasPushedBack = false;
    line = m_pushedBack;
    return true;
  }
  return ReadTextLine(m_file, line) != FALSE;
}

void CDspFileBuilder::ReadBlockLine(CString& line) {
  if (!ReadLine(line)) AfxThrowFileException(CFileException::endOfFile, -1, m_path);
}

void CDspFileBuilder::PushBack(const CString& line) {
  m_pushedBack = line;
  m_hasPushedBack = true;
}

// The first character decides, taken from the line as read: a line with leading white space is
// verbatim.
void CDspFileBuilder::ReadTopLevelLine(CDspFile& file, CString& line) {
  const TCHAR first = line.IsEmpty() ? '\0' : line[0];
  const CDspLineTokens tokens(line);
  CString name, id;
  if (first == '!' && tokens.Is({"!IF"}, CDspLineTokens::textAfter)) {
    ReadConfigSet(*Append(file, new CDspConfigSet), line);
  } else if (first == '#' && tokens.Is({"#", "TARGTYPE"}, CDspLineTokens::textAfter)) {
    Append(file, new CDspTargetType(line));
  } else if (first == '#' && tokens.Is({"#", "Begin", "Target"}, CDspLineTokens::nothingAfter)) {
    ReadTarget(*Append(file, new CDspTarget(line)), line);
  } else if (first == '#' && IsSectionHeader(line, name, id)) {
    ReadSection(*Append(file, new CDspSection(name, id)), line);
  } else {
    AppendVerbatim(file, line);
  }
}

// "!IF" and each "!ELSEIF" open a configuration; "!ENDIF" ends the block. A conditional nested
// inside a configuration is part of that configuration's lines.
void CDspFileBuilder::ReadConfigSet(CDspConfigSet& set, CString& line) {
  CDspConfig* config = NewConfig(line);
  set.AddConfig(config);
  int depth = 0;
  for (;;) {
    ReadBlockLine(line);
    const CDspLineTokens tokens(line);
    if (depth == 0 && tokens.Is({"!ELSEIF"}, CDspLineTokens::textAfter)) {
      config = NewConfig(line);
      set.AddConfig(config);
      continue;
    }
    if (tokens.Is({"!ENDIF"}, CDspLineTokens::nothingAfter)) {
      if (depth == 0) {
        set.SetEndLine(line);
        return;
      }
      --depth;
    } else if (IsConditionalOpener(tokens)) {
      ++depth;
    }
    MakeConfigLineEntry(line)->InsertInto(*config, -1);
  }
}

void CDspFileBuilder::ReadTarget(CDspTarget& target, CString& line) {
  for (;;) {
    ReadBlockLine(line);
    const CDspLineTokens tokens(line);
    if (tokens.Is({"#", "End", "Target"}, CDspLineTokens::nothingAfter)) {
      target.SetEndLine(line);
      return;
    }
    if (line.IsEmpty() || line[0] != '#')
      AppendVerbatim(target, line);
    else if (tokens.Is({"#", "Begin", "Group"}, CDspLineTokens::textAfter))
      ReadGroup(*Append(target, new CDspTargetFolder(QuotedTextAfter(line))), line);
    else if (tokens.Is({"#", "Begin", "Source", "File"}, CDspLineTokens::nothingAfter))
      ReadSourceFile(*Append(target, new CDspTargetFile(line)), line);
    else
      AppendVerbatim(target, line);
  }
}

void CDspFileBuilder::ReadGroup(CDspTargetFolder& folder, CString& line) {
  for (;;) {
    ReadBlockLine(line);
    const CDspLineTokens tokens(line);
    // The tests exclude each other; the most frequent line goes first, and the line as the IDE
    // writes it is recognised by one comparison.
    if (CDspTargetFile::IsUsualBeginLine(line)) {
      ReadSourceFile(*Append(folder, new CDspTargetFile), line);
    } else if (tokens.Is({"#", "Begin", "Source", "File"}, CDspLineTokens::nothingAfter)) {
      ReadSourceFile(*Append(folder, new CDspTargetFile(line)), line);
    } else if (tokens.Is({"#", "Begin", "Group"}, CDspLineTokens::textAfter)) {
      ReadGroup(*Append(folder, new CDspTargetFolder(QuotedTextAfter(line))), line);
    } else if (tokens.Is({"#", "PROP", "Default_Filter"}, CDspLineTokens::textAfter)) {
      const int first = line.Find('"');
      const int last = line.ReverseFind('"');
      if (first >= 0 && last > first)
        Append(folder, new CDspTargetDefaultFilter(line.Mid(first + 1, last - first - 1)));
      else
        AppendVerbatim(folder, line);
    } else if (tokens.Is({"#", "End", "Group"}, CDspLineTokens::nothingAfter)) {
      folder.SetEndLine(line);
      return;
    } else {
      AppendVerbatim(folder, line);
    }
  }
}

// Conditionals inside a source file block stay verbatim: the compiler lines between them all
// belong to the source file. Every keyword test starts with a "#" token, which is looked for once.
void CDspFileBuilder::ReadSourceFile(CDspTargetFile& file, CString& line) {
  for (;;) {
    ReadBlockLine(line);
    const LPCTSTR afterHash = SkipDspKeyword(line, "#");
    if (afterHash == NULL) {
      if (line.GetLength() >= 7 && std::memcmp(static_cast<LPCTSTR>(line), "SOURCE=", 7) == 0)
        Append(file, new CDspSourceFileSourceEntry(CString(static_cast<LPCTSTR>(line) + 7, line.GetLength() - 7)));
      else
        AppendVerbatim(file, line);
      continue;
    }
    const CDspLineTokens tokens(afterHash);
    if (CDspTargetFile::IsUsualEndLine(line) ||
        tokens.Is({"End", "Source", "File"}, CDspLineTokens::nothingAfter)) {
      file.SetEndLine(line);
      return;
    }
    if (tokens.Is({"ADD", "CPP"}, CDspLineTokens::anythingAfter) ||
        tokens.Is({"SUBTRACT", "CPP"}, CDspLineTokens::anythingAfter))
      MakeConfigLineEntry(line)->InsertInto(file, -1);
    else
      AppendVerbatim(file, line);
  }
}

void CDspFileBuilder::ReadSection(CDspSection& section, CString& line) {
  for (;;) {
    ReadBlockLine(line);
    if (CDspLineTokens(line).Is({"#", "End", "Section"}, CDspLineTokens::nothingAfter)) return;
    Append(section, CDspSectionEntry::FromLine(line));
  }
}

// Arguments are split at white space outside double quotes, so that a quoted path with a blank
// stays one setting; runs of white space become one blank when the line is written. The head
// ("#", the operation, "BASE", the tool) is matched in place: a keyword is a token without
// quotes, which that split cuts exactly where a split at white space does.
CDspFileEntry* CDspFileBuilder::MakeConfigLineEntry(const CString& line) {
  LPCTSTR head = SkipDspKeyword(line, "#");
  if (head == NULL) return new CDspFileUnknownEntry(line);
  if (SkipDspKeyword(head, "PROP") != NULL) return MakePropLineEntry(line);
  int operation = CDspConfigEntry::opAdd;
  LPCTSTR afterOperation = SkipDspKeyword(head, "ADD");
  if (afterOperation == NULL) {
    operation = CDspConfigEntry::opSubtract;
    afterOperation = SkipDspKeyword(head, "SUBTRACT");
  }
  if (afterOperation == NULL) return new CDspFileUnknownEntry(line);
  LPCTSTR tool = SkipDspKeyword(afterOperation, "BASE");
  const bool base = tool != NULL;
  if (!base) tool = afterOperation;
  LPCTSTR arguments = SkipDspKeyword(tool, "CPP");
  const bool compiler = arguments != NULL;
  if (!compiler) arguments = SkipDspKeyword(tool, "LINK32");
  if (arguments == NULL) return new CDspFileUnknownEntry(line);
  m_tokens.clear();
  SplitDspArguments(arguments, m_tokens);
  // A compiler line that does not continue is made from the line as it stands; any other takes
  // its tokens as strings of their own, the continuation lines' with them.
  const bool continued = !m_tokens.empty() && m_tokens.back().Is("\\");
  if (compiler && !continued) {
    std::unique_ptr<CDspCPPConfigEntry> entry(new CDspCPPConfigEntry(base, operation));
    entry->AddArguments(m_tokens);
    return entry.release();
  }
  std::vector<CString> tokens;
  tokens.reserve(m_tokens.size());
  for (const CDspToken& token : m_tokens) tokens.push_back(token.ToString());
  std::vector<CDspLineBreak> breaks;
  ReadContinuation(tokens, breaks);
  if (compiler) {
    std::unique_ptr<CDspCPPConfigEntry> entry(new CDspCPPConfigEntry(base, operation));
    entry->AddArguments(std::move(tokens), breaks);
    return entry.release();
  }
  std::unique_ptr<CDspLink32ConfigEntry> entry(new CDspLink32ConfigEntry(base, operation));
  entry->AddArguments(std::move(tokens), breaks);
  return entry.release();
}

CDspFileEntry* CDspFileBuilder::MakePropLineEntry(const CString& line) {
  std::vector<CString> tokens;
  SplitDspArguments(line, tokens);
  const size_t count = tokens.size();
  size_t next = 2;
  const bool base = count > next && IsText(tokens[next], "BASE");
  if (base) ++next;
  // Exactly one value: a line with more would lose its extra text when rebuilt.
  if (count == next + 2 && IsText(tokens[next], "Use_MFC")) return new CDspMFCConfigEntry(base, tokens[next + 1]);
  return new CDspFileUnknownEntry(line);
}

// A lone backslash at the end continues the line on the next one, unless that one is empty or a
// line of its own kind ('#' or '!'): then the backslash is an argument like any other.
void CDspFileBuilder::ReadContinuation(std::vector<CString>& tokens, std::vector<CDspLineBreak>& breaks) {
  CString next;
  while (!tokens.empty() && IsText(tokens.back(), "\\")) {
    if (!ReadLine(next)) return;
    CString trimmed = next;
    trimmed.TrimLeft();
    if (trimmed.IsEmpty() || trimmed[0] == '#' || trimmed[0] == '!') {
      PushBack(next);
      return;
    }
    tokens.pop_back();
    breaks.push_back({static_cast<int>(tokens.size()), next.Left(next.GetLength() - trimmed.GetLength())});
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

#include "includes/IncludesFileBuilder.h"

#include <cstring>
#include <vector>

#include "editors/TextFile.h"

namespace {

// One rule for where the characters of a line begin, used by every search of the header: a lead
// byte takes the next byte as its trail byte only when that byte can be one. No double-byte code
// page has a trail byte below 0x40, so a lead byte before '"', ';', '#', a blank or the end of the
// line stands alone, and what follows it is found like anything else. (Searching with CString,
// which pairs a lead byte with whatever follows, would leave the quote after such a byte in a
// name, while the marker before it is still found.)
class CHeaderLine {
 public:
  explicit CHeaderLine(const CString& line) : m_text(line) {
    const int length = line.GetLength();
    for (int i = 0; i < length;) {
      m_starts.push_back(i);
      const BYTE lead = static_cast<BYTE>(line[i]);
      i += (::IsDBCSLeadByte(lead) && i + 1 < length && static_cast<BYTE>(line[i + 1]) >= 0x40) ? 2 : 1;
    }
    m_starts.push_back(length);
  }

  bool Contains(const char* word) const {
    for (size_t c = 0; c + 1 < m_starts.size(); ++c)
      if (StartsWith(m_starts[c], word)) return true;
    return false;
  }

  // The line without every `word` and every character of `single`, trimmed of white space at both
  // ends.
  CString Without(const char* word, const char* single) const {
    CString kept;
    const size_t wordLength = std::strlen(word);
    for (size_t c = 0; c + 1 < m_starts.size();) {
      const int start = m_starts[c];
      if (StartsWith(start, word)) {
        c += wordLength;  // a match is ASCII: one character a byte
        continue;
      }
      const int length = m_starts[c + 1] - start;
      if (!(length == 1 && std::strchr(single, m_text[start]) != NULL))
        kept += m_text.Mid(start, length);
      ++c;
    }
    return Trimmed(kept);
  }

 private:
  bool StartsWith(int start, const char* word) const {
    const size_t wordLength = std::strlen(word);
    return static_cast<size_t>(m_text.GetLength() - start) >= wordLength &&
           std::memcmp(static_cast<LPCTSTR>(m_text) + start, word, wordLength) == 0;
  }

  // White space is single-byte, so a trimmed end is found by the same rule.
  static CString Trimmed(const CString& text) {
    const CHeaderLine line(text);
    const std::vector<int>& starts = line.m_starts;
    size_t first = 0, last = starts.size() - 1;
    while (first < last && IsBlank(text, starts[first], starts[first + 1])) ++first;
    while (last > first && IsBlank(text, starts[last - 1], starts[last])) --last;
    return text.Mid(starts[first], starts[last] - starts[first]);
  }

  static bool IsBlank(const CString& text, int start, int end) {
    return end - start == 1 && std::strchr(" \t\r\n\v\f", text[start]) != NULL;
  }

  CString m_text;
  std::vector<int> m_starts;  // where each character begins, and the length last
};

}  // namespace

IncludesLineKind ReadIncludesLine(const CString& text, CString& name) {
  const CHeaderLine line(text);
  if (line.Contains("#include")) {
    name = line.Without("#include", "\"");
    return includesHeader;
  }
  if (line.Contains("using namespace")) {
    name = line.Without("using namespace", "\";");
    return includesNamespace;
  }
  return includesOther;
}

CIncludesFileBuilder::CIncludesFileBuilder(const CString& path) : m_path(path) {}
CIncludesFileBuilder::~CIncludesFileBuilder() {}

void CIncludesFileBuilder::Build(CIncludesFile& file) {
  CStdioFile input;
  if (!OpenTextFileIfPresent(input, m_path)) return;
  try {
    CString line, name;
    while (ReadTextLine(input, line)) {
      switch (ReadIncludesLine(line, name)) {
        case includesHeader: file.AddHeader(name); break;
        case includesNamespace: file.AddNamespace(name); break;
        case includesOther: break;
      }
    }
    input.Close();
  } catch (...) {
    input.Abort();
    throw;
  }
}

#include "dsw/DswEntries.h"

#include "editors/TextFile.h"

namespace {

// The reader's white-space test: bytes 0x80 and above are never white, so a lead or trail byte
// of a double-byte character is never split from its character.
bool IsWhite(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  return b < 0x80 && (b == ' ' || (b >= '\t' && b <= '\r'));
}

}  // namespace

CDswFileUnknownEntry::CDswFileUnknownEntry(const CString& line) : m_line(line) {}
CDswFileUnknownEntry::~CDswFileUnknownEntry() {}

void CDswFileUnknownEntry::Write(CStdioFile& file) const { WriteText(file, m_line + "\n"); }

void CDswFileUnknownEntry::InsertInto(CDswFileEntryContainer& container, int index) {
  container.InsertUnknownEntry(this, index);
}

CDswControlGUIDEntry::CDswControlGUIDEntry(const CString& leadingSpace, const CString& guid, const CString& rest)
    : m_guid(guid), m_leadingSpace(leadingSpace), m_rest(rest) {}
CDswControlGUIDEntry::~CDswControlGUIDEntry() {}

CDswControlGUIDEntry* CDswControlGUIDEntry::FromLine(const CString& line) {
  LPCTSTR text = line;
  const int length = line.GetLength();
  int guidStart = 0;
  while (guidStart < length && IsWhite(text[guidStart])) ++guidStart;
  int guidEnd = guidStart;
  while (guidEnd < length && !IsWhite(text[guidEnd])) ++guidEnd;
  return new CDswControlGUIDEntry(line.Left(guidStart), line.Mid(guidStart, guidEnd - guidStart),
                                  line.Mid(guidEnd));
}

void CDswControlGUIDEntry::Write(CStdioFile& file) const {
  WriteText(file, m_leadingSpace + m_guid + m_rest + "\n");
}

void CDswControlGUIDEntry::InsertInto(CDswFileEntryContainer& container, int index) {
  container.InsertControlGUIDEntry(this, index);
}

void CDswControlGUIDEntry::RemoveFrom(CDswFileEntryContainer& container) { container.Delete(this); }

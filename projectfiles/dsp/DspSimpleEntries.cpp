#include "dsp/DspSimpleEntries.h"

#include <cstdio>

#include "dsp/DspLookupTables.h"

// --- CDspTargetType -------------------------------------------------------------------------

CDspTargetType::CDspTargetType(CString line) : m_kind(KindOfLine(line)), m_line(std::move(line)) {}
CDspTargetType::~CDspTargetType() {}

int CDspTargetType::KindOfLine(const CString& line) {
  CString trimmed = line;
  trimmed.TrimRight();
  unsigned int code = 0;
  if (std::sscanf(static_cast<LPCTSTR>(trimmed.Right(6)), "%x", &code) != 1) return dspTargetUnknown;
  return LookupTargetTypeCode(code);
}

void CDspTargetType::Write(CStdioFile& file) const { WriteThroughLines(file); }
void CDspTargetType::WriteTo(CDspLineWriter& out) const { out.PutLine(m_line); }
void CDspTargetType::InsertInto(CDspFileEntryContainer& container, int index) {
  container.InsertTargetType(this, index);
}

// --- CDspFileUnknownEntry -------------------------------------------------------------------

CDspFileUnknownEntry::CDspFileUnknownEntry(const CString& line) : m_line(line) {}
CDspFileUnknownEntry::CDspFileUnknownEntry(CDspText line) : m_line(std::move(line)) {}
CDspFileUnknownEntry::~CDspFileUnknownEntry() {}

void CDspFileUnknownEntry::Write(CStdioFile& file) const { WriteThroughLines(file); }
void CDspFileUnknownEntry::WriteTo(CDspLineWriter& out) const { out.PutLine(m_line); }
void CDspFileUnknownEntry::InsertInto(CDspFileEntryContainer& container, int index) {
  container.InsertUnknownEntry(this, index);
}

// --- CDspSourceFileSourceEntry --------------------------------------------------------------

CDspSourceFileSourceEntry::CDspSourceFileSourceEntry(const CString& path) : m_path(path) {}
CDspSourceFileSourceEntry::CDspSourceFileSourceEntry(CDspText path) : m_path(std::move(path)) {}
CDspSourceFileSourceEntry::~CDspSourceFileSourceEntry() {}

void CDspSourceFileSourceEntry::Write(CStdioFile& file) const { WriteThroughLines(file); }
void CDspSourceFileSourceEntry::WriteTo(CDspLineWriter& out) const { WriteLine(out, m_path); }
void CDspSourceFileSourceEntry::InsertInto(CDspFileEntryContainer& container, int index) {
  container.InsertSourceEntry(this, index);
}

// --- CDspTargetDefaultFilter ----------------------------------------------------------------

CDspTargetDefaultFilter::CDspTargetDefaultFilter(CString filter) : m_filter(std::move(filter)) {}
CDspTargetDefaultFilter::~CDspTargetDefaultFilter() {}

void CDspTargetDefaultFilter::Write(CStdioFile& file) const { WriteThroughLines(file); }
void CDspTargetDefaultFilter::WriteTo(CDspLineWriter& out) const {
  out.Put("# PROP Default_Filter \"");
  out.Put(m_filter);
  out.Put("\"\n");
}
void CDspTargetDefaultFilter::InsertInto(CDspFileEntryContainer& container, int index) {
  container.InsertDefaultFilter(this, index);
}

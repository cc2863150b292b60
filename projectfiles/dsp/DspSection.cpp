#include "dsp/DspSection.h"

#include "TqStringStream.h"
#include "dsp/DspLine.h"
#include "dsp/DspLookupTables.h"

// --- CDspSectionEntry -----------------------------------------------------------------------

CDspSectionEntry::CDspSectionEntry(int kind, CString value)
    : m_kind(GetSectionKeyText(kind) != NULL ? kind : static_cast<int>(dspSectionRawLine)), m_value(std::move(value)) {}
CDspSectionEntry::~CDspSectionEntry() {}

void CDspSectionEntry::Write(CStdioFile& file) const { WriteThroughLines(file); }

void CDspSectionEntry::WriteTo(CDspLineWriter& out) const {
  const LPCTSTR key = GetSectionKeyText(m_kind);
  if (key != NULL) {
    out.Put("#   ");
    out.Put(key);
  }
  out.PutLine(m_value);
}

void CDspSectionEntry::InsertInto(CDspFileEntryContainer& container, int index) {
  container.InsertSectionEntry(this, index);
}

CDspSectionEntry* CDspSectionEntry::FromLine(const CString& line) {
  TQ::CTqStringStream tokens(line);
  CString hash, keyAndValue, extra;
  tokens >> hash >> keyAndValue >> extra;
  const int lastColon = keyAndValue.ReverseFind(':');
  if (IsText(hash, "#") && lastColon >= 0 && extra.IsEmpty()) {
    const int kind = LookupSectionKey(keyAndValue.Left(lastColon + 1));
    if (kind != dspSectionRawLine) return new CDspSectionEntry(kind, keyAndValue.Mid(lastColon + 1));
  }
  return new CDspSectionEntry(dspSectionRawLine, line);
}

// --- CDspSection ----------------------------------------------------------------------------

CDspSection::CDspSection(const CString& name, const CString& id) : m_name(name), m_id(id) {}
CDspSection::~CDspSection() {}

void CDspSection::Write(CStdioFile& file) const { WriteThroughLines(file); }

void CDspSection::WriteTo(CDspLineWriter& out) const {
  out.Put("# Section ");
  out.Put(m_name);
  out.Put(" : {");
  out.Put(m_id);
  out.Put("}\n");
  WriteEntries(out);
  out.Put("# End Section\n");
}

void CDspSection::InsertInto(CDspFileEntryContainer& container, int index) { container.InsertSection(this, index); }
void CDspSection::RemoveFrom(CDspFileEntryContainer& container) { container.Remove(this); }
void CDspSection::Validate() { ValidateEntries(); }

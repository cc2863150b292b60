// A "# Section <project> : {<id>}" block after the project, and its entries. The header and the
// "# End Section" line are rebuilt on writing.
#pragma once

#include <utility>

#include "dsp/DspFileEntry.h"

class CDspSectionEntry : public CDspFileEntry {
 public:
  // Kinds 0 to 4 are the section keys of the table, written as "#   <key><value>"; any other
  // kind is a raw line whose text is `value`.
  CDspSectionEntry(int kind, CString value);
  ~CDspSectionEntry() override;

  void Write(CStdioFile& file) const override;
  void InsertInto(CDspFileEntryContainer& container, int index) override;
  void WriteTo(CDspLineWriter& out) const override;

  int GetKind() const { return m_kind; }
  const CString& GetValue() const { return m_value; }

  // The entry a line of a section block stands for: "#" and one token holding a colon, whose
  // key (up to and including the last colon) is in the table; else a raw line.
  static CDspSectionEntry* FromLine(const CString& line);

 private:
  int m_kind;
  CString m_value;
};

class CDspSection : public CDspFileEntry, public CDspFileEntryContainer {
 public:
  CDspSection(const CString& name, const CString& id);
  ~CDspSection() override;

  void Write(CStdioFile& file) const override;
  void InsertInto(CDspFileEntryContainer& container, int index) override;
  void WriteTo(CDspLineWriter& out) const override;
  void RemoveFrom(CDspFileEntryContainer& container) override;
  void Validate() override;

  const CString& GetName() const { return m_name; }
  // The id without its braces.
  const CString& GetId() const { return m_id; }

 private:
  CString m_name;
  CString m_id;
};

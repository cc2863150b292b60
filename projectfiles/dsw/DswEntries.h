// The two line entries of a workspace: a line kept as read, and one control GUID line of the
// Global section's Package=<3> block.
#pragma once

#include "dsw/DswFileEntry.h"

class CDswFileUnknownEntry : public CDswFileEntry {
 public:
  explicit CDswFileUnknownEntry(const CString& line);
  ~CDswFileUnknownEntry() override;

  void Write(CStdioFile& file) const override;
  void InsertInto(CDswFileEntryContainer& container, int index) override;

  const CString& GetLine() const { return m_line; }

 private:
  CString m_line;
};

// Leading white space, GUID text and rest are kept apart so that the line writes back as read
// while the GUID alone is compared.
class CDswControlGUIDEntry : public CDswFileEntry {
 public:
  CDswControlGUIDEntry(const CString& leadingSpace, const CString& guid, const CString& rest);
  ~CDswControlGUIDEntry() override;

  // Splits a line of the block: the white space before the first non-white character, the run of
  // non-white characters after it, and everything from there to the end of the line.
  static CDswControlGUIDEntry* FromLine(const CString& line);

  void Write(CStdioFile& file) const override;
  void InsertInto(CDswFileEntryContainer& container, int index) override;
  void RemoveFrom(CDswFileEntryContainer& container) override;

  const CString& GetGuid() const { return m_guid; }
  const CString& GetLeadingSpace() const { return m_leadingSpace; }
  const CString& GetRest() const { return m_rest; }

 private:
  CString m_guid;
  CString m_leadingSpace;
  CString m_rest;
};

// A group of the target ("# Begin Group "<name>"" ... "# End Group"), and the unnamed folder
// proxy that holds the target's groups and source files.
#pragma once

#include <utility>

#include "dsp/DspFileEntry.h"

class CDspTargetFolder : public CDspFileEntry, public CDspFileEntryContainer {
 public:
  // A new group ends with "# End Group"; a group read from a file keeps its end line.
  explicit CDspTargetFolder(CString name = CString(), CString endLine = "# End Group");
  ~CDspTargetFolder() override;

  void Write(CStdioFile& file) const override;
  void InsertInto(CDspFileEntryContainer& container, int index) override;
  void WriteTo(CDspLineWriter& out) const override;
  void RemoveFrom(CDspFileEntryContainer& container) override;
  void Validate() override;
  void RemoveAll() override;
  // Always appends, whatever the index; the first filter inserted is the group's filter.
  void InsertDefaultFilter(CDspTargetDefaultFilter* entry, int index) override;

  const CString& GetName() const { return m_name; }
  CDspTargetDefaultFilter* GetDefaultFilter() const { return m_defaultFilter; }
  const CString& GetEndLine() const { return m_endLine; }
  void SetEndLine(CString line) { m_endLine = std::move(line); }

 protected:
  void Forget(const CDspFileEntry* entry) override;

 private:
  CString m_name;
  CDspTargetDefaultFilter* m_defaultFilter;
  CString m_endLine;
};

// Holds the target's groups and source files in their order; writes only its children.
class CDspTargetFolderProxy : public CDspTargetFolder {
 public:
  CDspTargetFolderProxy();
  ~CDspTargetFolderProxy() override;

  void WriteTo(CDspLineWriter& out) const override;
};

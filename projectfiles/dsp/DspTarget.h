// The project's target ("# Begin Target" ... "# End Target"). Its groups and source files go
// into one folder proxy, placed where the first of them stood; every other line stays in the
// target's own list. So a verbatim line read after the first group or source file is written
// after all of them, just before "# End Target".
#pragma once

#include "dsp/DspFileEntry.h"

class CDspTargetFolderProxy;

class CDspTarget : public CDspFileEntry, public CDspFileEntryContainer {
 public:
  explicit CDspTarget(const CString& beginLine = "# Begin Target", const CString& endLine = "# End Target");
  ~CDspTarget() override;

  void Write(CStdioFile& file) const override;
  void WriteTo(CDspLineWriter& out) const override;
  void InsertInto(CDspFileEntryContainer& container, int index) override;
  void Validate() override;
  void RemoveAll() override;
  void InsertFolder(CDspTargetFolder* entry, int index) override;
  void InsertTargetFile(CDspTargetFile* entry, int index) override;

  // The proxy, made and appended to the target's own list when there is none yet.
  CDspTargetFolderProxy* GetFolderProxy();
  CDspTargetFolderProxy* FindFolderProxy() const { return m_proxy; }
  const CString& GetBeginLine() const { return m_beginLine; }
  const CString& GetEndLine() const { return m_endLine; }
  void SetEndLine(const CString& line) { m_endLine = line; }

 protected:
  void Forget(const CDspFileEntry* entry) override;

 private:
  // The proxy, made at `index` of the target's own list when there is none yet; says whether
  // it is new.
  bool EnsureFolderProxy(int index);

  CString m_beginLine;
  CString m_endLine;
  CDspTargetFolderProxy* m_proxy;
};

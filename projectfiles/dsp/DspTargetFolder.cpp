#include "dsp/DspTargetFolder.h"

#include "dsp/DspSimpleEntries.h"

// --- CDspTargetFolder -----------------------------------------------------------------------

CDspTargetFolder::CDspTargetFolder(CString name, CString endLine)
    : m_name(std::move(name)), m_defaultFilter(NULL), m_endLine(std::move(endLine)) {}
CDspTargetFolder::~CDspTargetFolder() {}

void CDspTargetFolder::Write(CStdioFile& file) const {
  CDspLineWriter line(file);
  line.Put("# Begin Group \"");
  line.Put(m_name);
  line.Put("\"\n");
  line.Flush();
  CDspFileEntryContainer::Write(file);
  WriteDspLine(file, m_endLine);
}

void CDspTargetFolder::InsertInto(CDspFileEntryContainer& container, int index) { container.InsertFolder(this, index); }
void CDspTargetFolder::RemoveFrom(CDspFileEntryContainer& container) { container.Delete(this); }
void CDspTargetFolder::Validate() { ValidateEntries(); }

void CDspTargetFolder::RemoveAll() {
  m_defaultFilter = NULL;
  CDspFileEntryContainer::RemoveAll();
}

void CDspTargetFolder::InsertDefaultFilter(CDspTargetDefaultFilter* entry, int) {
  InsertAt(entry, -1);
  if (m_defaultFilter == NULL) m_defaultFilter = entry;
}

void CDspTargetFolder::Forget(const CDspFileEntry* entry) {
  if (entry == m_defaultFilter) m_defaultFilter = NULL;
}

// --- CDspTargetFolderProxy ------------------------------------------------------------------

CDspTargetFolderProxy::CDspTargetFolderProxy() {}
CDspTargetFolderProxy::~CDspTargetFolderProxy() {}

void CDspTargetFolderProxy::Write(CStdioFile& file) const { CDspFileEntryContainer::Write(file); }

#include "dsp/DspTargetFolder.h"

#include "dsp/DspSimpleEntries.h"

// --- CDspTargetFolder -----------------------------------------------------------------------

CDspTargetFolder::CDspTargetFolder(CString name, CString endLine)
    : m_name(std::move(name)), m_defaultFilter(NULL), m_endLine(std::move(endLine)) {}
CDspTargetFolder::~CDspTargetFolder() {}

void CDspTargetFolder::Write(CStdioFile& file) const { WriteThroughLines(file); }

void CDspTargetFolder::WriteTo(CDspLineWriter& out) const {
  out.Put("# Begin Group \"");
  out.Put(m_name);
  out.Put("\"\n");
  WriteEntries(out);
  out.PutLine(m_endLine);
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

void CDspTargetFolderProxy::WriteTo(CDspLineWriter& out) const { WriteEntries(out); }

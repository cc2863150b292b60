#include "dsp/DspTarget.h"

#include "dsp/DspTargetFile.h"
#include "dsp/DspTargetFolder.h"

CDspTarget::CDspTarget(const CString& beginLine, const CString& endLine)
    : m_beginLine(beginLine), m_endLine(endLine), m_proxy(NULL) {}
CDspTarget::~CDspTarget() {}

void CDspTarget::Write(CStdioFile& file) const { WriteThroughLines(file); }

void CDspTarget::WriteTo(CDspLineWriter& out) const {
  out.PutLine(m_beginLine);
  WriteEntries(out);
  out.PutLine(m_endLine);
}

void CDspTarget::InsertInto(CDspFileEntryContainer& container, int index) { container.InsertTarget(this, index); }
void CDspTarget::Validate() { ValidateEntries(); }

void CDspTarget::RemoveAll() {
  m_proxy = NULL;
  CDspFileEntryContainer::RemoveAll();
}

bool CDspTarget::EnsureFolderProxy(int index) {
  if (m_proxy != NULL) return false;
  auto* proxy = new CDspTargetFolderProxy;
  InsertAt(proxy, index);
  m_proxy = proxy;
  return true;
}

CDspTargetFolderProxy* CDspTarget::GetFolderProxy() {
  EnsureFolderProxy(-1);
  return m_proxy;
}

// The first group or file places the proxy at the requested index and goes into the empty proxy;
// later ones go into the proxy at the requested index.
void CDspTarget::InsertFolder(CDspTargetFolder* entry, int index) {
  std::unique_ptr<CDspTargetFolder> owned(entry);
  const bool created = EnsureFolderProxy(index);
  m_proxy->InsertFolder(owned.release(), created ? -1 : index);
}

void CDspTarget::InsertTargetFile(CDspTargetFile* entry, int index) {
  std::unique_ptr<CDspTargetFile> owned(entry);
  const bool created = EnsureFolderProxy(index);
  m_proxy->InsertTargetFile(owned.release(), created ? -1 : index);
}

void CDspTarget::Forget(const CDspFileEntry* entry) {
  if (entry == m_proxy) m_proxy = NULL;
}

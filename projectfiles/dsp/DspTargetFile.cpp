#include "dsp/DspTargetFile.h"

#include "dsp/DspConfigEntries.h"
#include "dsp/DspExceptions.h"
#include "dsp/DspLine.h"
#include "dsp/DspSimpleEntries.h"

const LPCTSTR CDspTargetFile::kBeginLine = CDspTargetFile::kUsualBegin;
const LPCTSTR CDspTargetFile::kEndLine = CDspTargetFile::kUsualEnd;

CDspTargetFile::CDspTargetFile() : m_source(NULL), m_add(NULL), m_subtract(NULL) {}

CDspTargetFile::CDspTargetFile(const CString& beginLine) : CDspTargetFile() {
  if (!IsUsualBeginLine(beginLine)) m_lines.reset(new Lines{beginLine, kEndLine});
}

CDspTargetFile::CDspTargetFile(const CString& beginLine, const CString& endLine) : CDspTargetFile(beginLine) {
  SetEndLine(endLine);
}
CDspTargetFile::~CDspTargetFile() {}

CString CDspTargetFile::GetBeginLine() const { return m_lines ? m_lines->begin : CString(kBeginLine); }
CString CDspTargetFile::GetEndLine() const { return m_lines ? m_lines->end : CString(kEndLine); }

void CDspTargetFile::SetEndLine(const CString& line) {
  if (m_lines)
    m_lines->end = line;
  else if (!IsUsualEndLine(line))
    m_lines.reset(new Lines{kBeginLine, line});
}

void CDspTargetFile::Write(CStdioFile& file) const {
  if (m_lines) {
    WriteDspLine(file, m_lines->begin);
  } else {
    CDspLineWriter line(file);
    line.Put(kUsualBegin);
    line.Put("\n");
    line.Flush();
  }
  CDspFileEntryContainer::Write(file);
  if (m_lines) {
    WriteDspLine(file, m_lines->end);
  } else {
    CDspLineWriter line(file);
    line.Put(kUsualEnd);
    line.Put("\n");
    line.Flush();
  }
}

void CDspTargetFile::InsertInto(CDspFileEntryContainer& container, int index) {
  container.InsertTargetFile(this, index);
}
void CDspTargetFile::RemoveFrom(CDspFileEntryContainer& container) { container.Delete(this); }

void CDspTargetFile::Validate() {
  if (m_source == NULL) throw new TQ::CAppWizException("Invalid source entry.", TRUE);
  ValidateEntries();
}

void CDspTargetFile::RemoveAll() {
  m_source = NULL;
  m_add = NULL;
  m_subtract = NULL;
  CDspFileEntryContainer::RemoveAll();
}

void CDspTargetFile::InsertSourceEntry(CDspSourceFileSourceEntry* entry, int index) {
  InsertAt(entry, index);
  if (m_source == NULL) m_source = entry;
}

void CDspTargetFile::InsertCPPConfigEntry(CDspCPPConfigEntry* entry, int index) {
  InsertAt(entry, index);
  if (entry->GetOperation() == CDspConfigEntry::opAdd && m_add == NULL) m_add = entry;
  if (entry->GetOperation() == CDspConfigEntry::opSubtract && m_subtract == NULL) m_subtract = entry;
}

CString CDspTargetFile::GetSourcePath() const { return m_source != NULL ? m_source->GetPath() : CString(); }

const CString& CDspTargetFile::GetSourcePathText() const {
  ASSERT(m_source != NULL);
  return m_source->GetPath();
}

bool CDspTargetFile::GetAddCompilerEntry(CDspCPPConfigEntry*& entry) const {
  entry = m_add;
  return m_add != NULL;
}

bool CDspTargetFile::GetSubtractCompilerEntry(CDspCPPConfigEntry*& entry) const {
  entry = m_subtract;
  return m_subtract != NULL;
}

void CDspTargetFile::Forget(const CDspFileEntry* entry) {
  if (entry == m_source) m_source = NULL;
  if (entry == m_add) m_add = NULL;
  if (entry == m_subtract) m_subtract = NULL;
}

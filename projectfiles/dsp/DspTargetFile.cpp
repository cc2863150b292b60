#include "dsp/DspTargetFile.h"

#include "dsp/DspConfigEntries.h"
#include "dsp/DspExceptions.h"
#include "dsp/DspLine.h"
#include "dsp/DspSimpleEntries.h"

const LPCTSTR CDspTargetFile::kBeginLine = CDspTargetFile::kUsualBegin;
const LPCTSTR CDspTargetFile::kEndLine = CDspTargetFile::kUsualEnd;

CDspTargetFile::CDspTargetFile() : m_source(0) {}

CDspTargetFile::CDspTargetFile(const CString& beginLine) : CDspTargetFile() {
  if (!IsUsualBeginLine(beginLine)) SetLines(beginLine, kEndLine);
}

CDspTargetFile::CDspTargetFile(const CString& beginLine, const CString& endLine) : CDspTargetFile(beginLine) {
  SetEndLine(endLine);
}
CDspTargetFile::~CDspTargetFile() {}

CDspTargetFile::Extra& CDspTargetFile::GetExtra() {
  if (!m_extra) m_extra.reset(new Extra);
  return *m_extra;
}

void CDspTargetFile::SetLines(const CString& begin, const CString& end) {
  GetExtra().lines.reset(new Lines{begin, end});
}

CString CDspTargetFile::GetBeginLine() const { return GetLines() ? GetLines()->begin : CString(kBeginLine); }
CString CDspTargetFile::GetEndLine() const { return GetLines() ? GetLines()->end : CString(kEndLine); }

void CDspTargetFile::SetEndLine(const CString& line) {
  if (m_extra && m_extra->lines)
    m_extra->lines->end = line;
  else if (!IsUsualEndLine(line))
    SetLines(kBeginLine, line);
}

void CDspTargetFile::SetEndLine(LPCTSTR line, int length) {
  if ((m_extra && m_extra->lines) || !IsUsualEndLine(line, length)) SetEndLine(CString(line, length));
}

void CDspTargetFile::Write(CStdioFile& file) const { WriteThroughLines(file); }

void CDspTargetFile::WriteTo(CDspLineWriter& out) const {
  const Lines* lines = GetLines();
  if (lines != NULL)
    out.PutLine(lines->begin);
  else
    out.Put("# Begin Source File\n");
  WriteEntries(out);
  if (lines != NULL)
    out.PutLine(lines->end);
  else
    out.Put("# End Source File\n");
}

void CDspTargetFile::InsertInto(CDspFileEntryContainer& container, int index) {
  container.InsertTargetFile(this, index);
}
void CDspTargetFile::RemoveFrom(CDspFileEntryContainer& container) { container.Delete(this); }

void CDspTargetFile::Validate() {
  if (m_source == 0) throw new TQ::CAppWizException("Invalid source entry.", TRUE);
  ValidateEntries();
}

void CDspTargetFile::RemoveAll() {
  m_source = 0;
  if (m_extra) {
    m_extra->add = NULL;
    m_extra->subtract = NULL;
  }
  CDspFileEntryContainer::RemoveAll();
}

void CDspTargetFile::InsertSourceEntry(CDspSourceFileSourceEntry* entry, int index) {
  InsertAt(entry, index);
  if (m_source == 0) m_source = reinterpret_cast<Slot>(entry);
}

void CDspTargetFile::AppendSourceLine(const CDspTextBlock* path) {
  const Slot line = reinterpret_cast<Slot>(path) | kSourceLine;
  AppendSlot(line);
  if (m_source == 0) m_source = line;
}

CDspTargetFile* CDspTargetFile::MakeUsual(const CDspTextBlock* path) {
  auto* file = new CDspTargetFile;
  file->AppendVerbatimLine(CDspTextBlock::Empty());
  file->AppendSourceLine(path);
  return file;
}

void CDspTargetFile::WriteUsual(CDspLineWriter& out, const CDspTextBlock* path) {
  out.Put("# Begin Source File\n\n");
  CDspSourceFileSourceEntry::WriteLine(out, path);
  out.Put("# End Source File\n");
}

void CDspTargetFile::InsertCPPConfigEntry(CDspCPPConfigEntry* entry, int index) {
  InsertAt(entry, index);
  const int operation = entry->GetOperation();
  if (operation != CDspConfigEntry::opAdd && operation != CDspConfigEntry::opSubtract) return;
  Extra& extra = GetExtra();
  if (operation == CDspConfigEntry::opAdd && extra.add == NULL) extra.add = entry;
  if (operation == CDspConfigEntry::opSubtract && extra.subtract == NULL) extra.subtract = entry;
}

const CDspText& CDspTargetFile::PathOf(Slot source, CDspText& borrowed) {
  if ((source & kKindBits) == 0) return reinterpret_cast<const CDspSourceFileSourceEntry*>(source)->GetPathText();
  borrowed = CDspText::Borrowed(reinterpret_cast<const CDspTextBlock*>(source & ~kKindBits));
  return borrowed;
}

CString CDspTargetFile::GetSourcePath() const {
  if (m_source == 0) return CString();
  CDspText borrowed;
  return PathOf(m_source, borrowed).ToString();
}

bool CDspTargetFile::HasSourcePath(const CString& path) const {
  if (m_source == 0) return false;
  CDspText borrowed;
  return PathOf(m_source, borrowed) == path;
}

bool CDspTargetFile::GetAddCompilerEntry(CDspCPPConfigEntry*& entry) const {
  entry = m_extra ? m_extra->add : NULL;
  return entry != NULL;
}

bool CDspTargetFile::GetSubtractCompilerEntry(CDspCPPConfigEntry*& entry) const {
  entry = m_extra ? m_extra->subtract : NULL;
  return entry != NULL;
}

void CDspTargetFile::Forget(const CDspFileEntry* entry) {
  if (m_source == reinterpret_cast<Slot>(entry)) m_source = 0;
  if (m_extra && entry == m_extra->add) m_extra->add = NULL;
  if (m_extra && entry == m_extra->subtract) m_extra->subtract = NULL;
}

void CDspTargetFile::Made(Slot line, CDspFileEntry* entry) {
  if (m_source == line) m_source = reinterpret_cast<Slot>(entry);
}

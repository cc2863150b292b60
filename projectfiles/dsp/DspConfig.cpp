#include "dsp/DspConfig.h"

#include "dsp/DspConfigEntries.h"
#include "dsp/DspExceptions.h"

CDspConfig::CDspConfig(const CString& name) : m_compiler(NULL), m_linker(NULL), m_mfc(NULL), m_name(name) {}
CDspConfig::~CDspConfig() {}

void CDspConfig::SetName(const CString& name) {
  m_name = name;
  m_openingLine.Empty();
}

void CDspConfig::RemoveAll() {
  m_compiler = NULL;
  m_linker = NULL;
  m_mfc = NULL;
  CDspFileEntryContainer::RemoveAll();
}

void CDspConfig::InsertMFCConfigEntry(CDspMFCConfigEntry* entry, int index) {
  const bool remembered = entry->GetOperation() == CDspConfigEntry::opProp && !entry->IsBase();
  if (remembered && m_mfc != NULL) {
    delete entry;
    throw new TQ::CInvalidProjectFormatException(TRUE);
  }
  InsertAt(entry, index);
  if (remembered) m_mfc = entry;
}

namespace {

// A lone backslash that ends a line is an argument only because the line after it is empty or a
// line of its own kind. Merged into an earlier line, it would end that line, before another line:
// a continuation there, and the file would no longer read back as written. Such a file is refused.
void RefuseEndingBackslash(bool endsWithBackslash) {
  if (endsWithBackslash) throw new TQ::CInvalidProjectFormatException(TRUE);
}

}  // namespace

void CDspConfig::InsertCPPConfigEntry(CDspCPPConfigEntry* entry, int index) {
  if (entry->GetOperation() != CDspConfigEntry::opAdd || entry->IsBase()) {
    InsertAt(entry, index);
    return;
  }
  if (m_compiler != NULL) {
    std::unique_ptr<CDspCPPConfigEntry> merged(entry);
    const int count = merged->GetSettingCount();
    RefuseEndingBackslash(count > 0 && merged->GetSetting(count - 1)->GetSwitchText() == "\\" &&
                          merged->GetSetting(count - 1)->GetValueText().IsEmpty());
    m_compiler->TakeSettings(*merged);
    return;
  }
  InsertAt(entry, index);
  m_compiler = entry;
}

void CDspConfig::InsertLink32ConfigEntry(CDspLink32ConfigEntry* entry, int index) {
  if (entry->GetOperation() != CDspConfigEntry::opAdd || entry->IsBase()) {
    InsertAt(entry, index);
    return;
  }
  if (m_linker != NULL) {
    std::unique_ptr<CDspLink32ConfigEntry> merged(entry);
    const int count = merged->GetArgumentCount();
    RefuseEndingBackslash(count > 0 && merged->GetArgument(count - 1) == "\\");
    m_linker->TakeArguments(*merged);
    return;
  }
  InsertAt(entry, index);
  m_linker = entry;
}

void CDspConfig::Validate() {
  if (m_compiler == NULL || m_linker == NULL || m_mfc == NULL)
    throw new TQ::CAppWizException(TQ::LoadProjectNotParsableMessage(), TRUE);
  ValidateEntries();
}

void CDspConfig::Forget(const CDspFileEntry* entry) {
  if (entry == m_compiler) m_compiler = NULL;
  if (entry == m_linker) m_linker = NULL;
  if (entry == m_mfc) m_mfc = NULL;
}

#include "dsp/DspFile.h"

#include <algorithm>

#include "TqException.h"
#include "dsp/DspConfigSet.h"
#include "dsp/DspExceptions.h"
#include "dsp/DspLookupTables.h"
#include "dsp/DspSection.h"
#include "dsp/DspSimpleEntries.h"
#include "dsp/DspTarget.h"

CDspFile::CDspFile() : m_targetType(NULL), m_configSet(NULL), m_target(NULL) {}
// The entries go before the texts they hold.
CDspFile::~CDspFile() { RemoveAll(); }

void CDspFile::RemoveAll() {
  m_targetType = NULL;
  m_configSet = NULL;
  m_target = NULL;
  m_sections.clear();
  m_projectName.Empty();
  CDspFileEntryContainer::RemoveAll();
  m_texts.Clear();
}

void CDspFile::InsertTarget(CDspTarget* entry, int index) {
  InsertAt(entry, index);
  m_target = entry;
}

void CDspFile::InsertConfigSet(CDspConfigSet* entry, int index) {
  InsertAt(entry, index);
  m_configSet = entry;
}

// A multi-platform project has one line per platform, and only the x86 codes are in the table:
// a line of a known kind is not displaced by a later one of unknown kind.
void CDspFile::InsertTargetType(CDspTargetType* entry, int index) {
  InsertAt(entry, index);
  if (m_targetType == NULL || m_targetType->GetKind() == dspTargetUnknown || entry->GetKind() != dspTargetUnknown)
    m_targetType = entry;
}

void CDspFile::InsertSection(CDspSection* entry, int index) {
  InsertAt(entry, index);
  m_sections.push_back(entry);
}

void CDspFile::Validate() {
  if (m_configSet == NULL) throw new TQ::CAppWizException("Invalid configuration.", TRUE);
  if (m_target == NULL) throw new TQ::CAppWizException("Invalid target file", TRUE);
  ValidateEntries();
}

void CDspFile::ValidateReadWithSourceFiles() {
  if (m_configSet == NULL) throw new TQ::CAppWizException("Invalid configuration.", TRUE);
  if (m_target == NULL) throw new TQ::CAppWizException("Invalid target file", TRUE);
  ValidateEntriesExcept(m_target);
}

int CDspFile::GetConfigurationCount() const { return m_configSet != NULL ? m_configSet->GetConfigCount() : 0; }

CDspConfig* CDspFile::GetConfiguration(int index) const {
  if (m_configSet == NULL) throw new TQ::CTqIndexException(index, 0);
  return m_configSet->GetConfig(index);
}

int CDspFile::GetTargetTypeKind() const { return m_targetType != NULL ? m_targetType->GetKind() : dspTargetNone; }

CDspSection* CDspFile::GetSection(int index) const {
  const int count = GetSectionCount();
  const int resolved = index == -1 ? count - 1 : index;
  if (resolved < 0 || resolved >= count) throw new TQ::CTqIndexException(index, count);
  return m_sections[resolved];
}

void CDspFile::Forget(const CDspFileEntry* entry) {
  if (entry == m_targetType) m_targetType = NULL;
  if (entry == m_configSet) m_configSet = NULL;
  if (entry == m_target) m_target = NULL;
  std::erase_if(m_sections, [entry](const CDspSection* section) { return section == entry; });
}

#include "dsw/DswFile.h"

#include "dsp/DspExceptions.h"

CDswFile::CDswFile() : m_globalSection(NULL) {}
CDswFile::~CDswFile() { CDswFile::RemoveAll(); }

void CDswFile::InsertGlobalSection(CDswFileEntry* entry, int index) {
  CDswGlobalSection* section = dynamic_cast<CDswGlobalSection*>(entry);
  InsertAt(entry, index);
  if (section != NULL) m_globalSection = section;
}

void CDswFile::RemoveAll() {
  m_globalSection = NULL;
  CDswFileEntryContainer::RemoveAll();
}

void CDswFile::Delete(CDswFileEntry* entry) {
  if (entry != NULL && entry == static_cast<CDswFileEntry*>(m_globalSection)) m_globalSection = NULL;
  CDswFileEntryContainer::Delete(entry);
}

void CDswFile::Validate() {
  if (m_globalSection == NULL) throw new TQ::CAppWizException("Invalid DSW configuration.", TRUE);
  ValidateEntries();
}

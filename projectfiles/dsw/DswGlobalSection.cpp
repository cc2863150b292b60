#include "dsw/DswGlobalSection.h"

#include "dsp/DspExceptions.h"

CDswGlobalSection::CDswGlobalSection() : m_package(NULL) {}
CDswGlobalSection::~CDswGlobalSection() { CDswGlobalSection::RemoveAll(); }

void CDswGlobalSection::Write(CStdioFile& file) const { CDswFileEntryContainer::Write(file); }

void CDswGlobalSection::InsertInto(CDswFileEntryContainer& container, int index) {
  container.InsertGlobalSection(this, index);
}

void CDswGlobalSection::Validate() {
  if (m_package == NULL) throw new TQ::CAppWizException("Invalid DSW configuration.", TRUE);
  ValidateEntries();
}

void CDswGlobalSection::InsertPackage(CDswFileEntry* entry, int index) {
  // Only a package of control GUIDs is remembered; the insert itself may still refuse the index.
  CDswControlGUIDPackage* package = dynamic_cast<CDswControlGUIDPackage*>(entry);
  InsertAt(entry, index);
  if (package != NULL) m_package = package;
}

void CDswGlobalSection::RemoveAll() {
  m_package = NULL;
  CDswFileEntryContainer::RemoveAll();
}

// A deleted package is forgotten, so the section never points at a freed block.
void CDswGlobalSection::Delete(CDswFileEntry* entry) {
  if (entry != NULL && entry == static_cast<CDswFileEntry*>(m_package)) m_package = NULL;
  CDswFileEntryContainer::Delete(entry);
}

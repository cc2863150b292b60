#include "dsw/DswFileEntry.h"

#include <algorithm>

#include "TqException.h"

CDswFileEntry::CDswFileEntry() {}
CDswFileEntry::~CDswFileEntry() {}
void CDswFileEntry::RemoveFrom(CDswFileEntryContainer&) {}
void CDswFileEntry::Validate() {}

CDswFileEntryContainer::CDswFileEntryContainer() {}
CDswFileEntryContainer::~CDswFileEntryContainer() { CDswFileEntryContainer::RemoveAll(); }

int CDswFileEntryContainer::GetCount() const { return static_cast<int>(m_entries.size()); }

int CDswFileEntryContainer::ResolveIndex(int index) const {
  const int count = GetCount();
  if (index == -1 && count > 0) return count - 1;
  if (index < 0 || index >= count) throw new TQ::CTqIndexException(index, count);
  return index;
}

const CDswFileEntry* CDswFileEntryContainer::GetAt(int index) const { return m_entries[ResolveIndex(index)]; }
CDswFileEntry* CDswFileEntryContainer::GetAt(int index) { return m_entries[ResolveIndex(index)]; }

void CDswFileEntryContainer::RemoveAll() {
  // Emptied before the deletes, so that an entry's destructor never sees a half-removed list.
  std::vector<CDswFileEntry*> entries;
  entries.swap(m_entries);
  for (CDswFileEntry* entry : entries) delete entry;
}

void CDswFileEntryContainer::Write(CStdioFile& file) const {
  for (const CDswFileEntry* entry : m_entries) entry->Write(file);
}

void CDswFileEntryContainer::InsertAt(CDswFileEntry* entry, int index) {
  const int count = GetCount();
  if (index != -1 && (index < 0 || index > count)) {
    delete entry;
    throw new TQ::CTqIndexException(index, count + 1);
  }
  if (index == -1)
    m_entries.push_back(entry);
  else
    m_entries.insert(m_entries.begin() + index, entry);
}

void CDswFileEntryContainer::InsertGlobalSection(CDswFileEntry* entry, int index) { InsertAt(entry, index); }
void CDswFileEntryContainer::InsertPackage(CDswFileEntry* entry, int index) { InsertAt(entry, index); }
void CDswFileEntryContainer::InsertControlGUIDEntry(CDswFileEntry* entry, int index) { InsertAt(entry, index); }
void CDswFileEntryContainer::InsertUnknownEntry(CDswFileEntry* entry, int index) { InsertAt(entry, index); }

void CDswFileEntryContainer::Delete(CDswFileEntry* entry) {
  const auto found = std::find(m_entries.begin(), m_entries.end(), entry);
  if (found == m_entries.end()) return;
  m_entries.erase(found);
  delete entry;
}

void CDswFileEntryContainer::ValidateEntries() {
  for (CDswFileEntry* entry : m_entries) entry->Validate();
}

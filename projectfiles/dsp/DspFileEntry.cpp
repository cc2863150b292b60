#include "dsp/DspFileEntry.h"

#include <algorithm>
#include <cstring>

#include "TqException.h"
#include "dsp/DspConfig.h"
#include "dsp/DspConfigEntries.h"
#include "dsp/DspConfigSet.h"
#include "dsp/DspSection.h"
#include "dsp/DspSimpleEntries.h"
#include "dsp/DspTarget.h"
#include "dsp/DspTargetFile.h"
#include "dsp/DspTargetFolder.h"

CDspFileEntry::CDspFileEntry() {}
CDspFileEntry::~CDspFileEntry() {}
void CDspFileEntry::RemoveFrom(CDspFileEntryContainer&) {}
void CDspFileEntry::Validate() {}

CDspFileEntryContainer::CDspFileEntryContainer() {}
// The entries go under one hold of the tree's heap (their own entries nest in it).
CDspFileEntryContainer::~CDspFileEntryContainer() {
  CDspEntryHeap::Hold hold;
  decltype(m_entries)().swap(m_entries);
}

int CDspFileEntryContainer::GetCount() const { return static_cast<int>(m_entries.size()); }

int CDspFileEntryContainer::ResolveIndex(int index) const {
  const int count = GetCount();
  const int resolved = index == -1 ? count - 1 : index;
  if (resolved < 0 || resolved >= count) throw new TQ::CTqIndexException(index, count);
  return resolved;
}

const CDspFileEntry* CDspFileEntryContainer::GetAt(int index) const { return m_entries[ResolveIndex(index)].get(); }
CDspFileEntry* CDspFileEntryContainer::GetAt(int index) { return m_entries[ResolveIndex(index)].get(); }

void CDspFileEntryContainer::Move(int from, int to) {
  const int source = ResolveIndex(from);
  const int target = ResolveIndex(to);
  if (source == target) return;
  auto first = m_entries.begin();
  if (source < target)
    std::rotate(first + source, first + source + 1, first + target + 1);
  else
    std::rotate(first + target, first + source, first + source + 1);
}

void CDspFileEntryContainer::RemoveAll() {
  CDspEntryHeap::Hold hold;
  m_entries.clear();
}

void CDspFileEntryContainer::Write(CStdioFile& file) const {
  for (const auto& entry : m_entries) entry->Write(file);
}

void CDspFileEntryContainer::InsertAt(CDspFileEntry* entry, int index) {
  std::unique_ptr<CDspFileEntry> owned(entry);
  const int count = GetCount();
  if (index < -1 || index > count) throw new TQ::CTqIndexException(index, count + 1);
  // Most blocks hold a few lines: one allocation for the first four.
  if (m_entries.capacity() == 0) m_entries.reserve(4);
  if (index == -1)
    m_entries.push_back(std::move(owned));
  else
    m_entries.insert(m_entries.begin() + index, std::move(owned));
}

// Every typed insert of the base is the plain insert; containers override the ones they need.
void CDspFileEntryContainer::InsertDefaultFilter(CDspTargetDefaultFilter* entry, int index) { InsertAt(entry, index); }
void CDspFileEntryContainer::InsertSourceEntry(CDspSourceFileSourceEntry* entry, int index) { InsertAt(entry, index); }
void CDspFileEntryContainer::InsertTargetFile(CDspTargetFile* entry, int index) { InsertAt(entry, index); }
void CDspFileEntryContainer::InsertFolder(CDspTargetFolder* entry, int index) { InsertAt(entry, index); }
void CDspFileEntryContainer::InsertMFCConfigEntry(CDspMFCConfigEntry* entry, int index) { InsertAt(entry, index); }
void CDspFileEntryContainer::InsertLink32ConfigEntry(CDspLink32ConfigEntry* entry, int index) {
  InsertAt(entry, index);
}
void CDspFileEntryContainer::InsertCPPConfigEntry(CDspCPPConfigEntry* entry, int index) { InsertAt(entry, index); }
void CDspFileEntryContainer::InsertTarget(CDspTarget* entry, int index) { InsertAt(entry, index); }
void CDspFileEntryContainer::InsertSectionEntry(CDspSectionEntry* entry, int index) { InsertAt(entry, index); }
void CDspFileEntryContainer::InsertSection(CDspSection* entry, int index) { InsertAt(entry, index); }
void CDspFileEntryContainer::InsertConfigSet(CDspConfigSet* entry, int index) { InsertAt(entry, index); }
void CDspFileEntryContainer::InsertTargetType(CDspTargetType* entry, int index) { InsertAt(entry, index); }
void CDspFileEntryContainer::InsertUnknownEntry(CDspFileUnknownEntry* entry, int index) { InsertAt(entry, index); }

void CDspFileEntryContainer::Remove(CDspFileEntry* entry) { Delete(entry); }

void CDspFileEntryContainer::Delete(CDspFileEntry* entry) {
  const int index = IndexOf(entry);
  if (index < 0) return;
  Forget(entry);
  m_entries.erase(m_entries.begin() + index);
}

void CDspFileEntryContainer::Forget(const CDspFileEntry*) {}

void CDspFileEntryContainer::ValidateEntries() {
  for (const auto& entry : m_entries) entry->Validate();
}

int CDspFileEntryContainer::IndexOf(const CDspFileEntry* entry) const {
  for (size_t i = 0; i < m_entries.size(); ++i)
    if (m_entries[i].get() == entry) return static_cast<int>(i);
  return -1;
}

// What does not fit goes out first; a part longer than the buffer goes out by itself.
void CDspLineWriter::PutLong(const char* data, size_t length) {
  Flush();
  if (length > sizeof(m_buffer)) {
    m_file.Write(data, static_cast<UINT>(length));
    return;
  }
  std::memcpy(m_buffer, data, length);
  m_used = length;
}

void CDspLineWriter::Flush() {
  if (m_used == 0) return;
  const UINT length = static_cast<UINT>(m_used);
  m_used = 0;
  m_file.Write(m_buffer, length);
}

void WriteDspLine(CStdioFile& file, const CString& line) {
  // Text mode turns the "\n" into CR LF.
  CDspLineWriter writer(file);
  writer.PutLine(line);
  writer.Flush();
}

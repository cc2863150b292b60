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

void CDspFileEntry::WriteTo(CDspLineWriter& out) const {
  out.Flush();
  Write(out.GetFile());
}

void CDspFileEntry::WriteThroughLines(CStdioFile& file) const {
  CDspLineWriter out(file);
  WriteTo(out);
  out.Flush();
}

// --- CDspFileEntryContainer -----------------------------------------------------------------

struct CDspFileEntryContainer::Slots {
  uint32_t count;
  uint32_t capacity;
  // `capacity` slots follow.

  Slot* slot() {
    static_assert(sizeof(Slots) % alignof(Slot) == 0, "the slots follow the header aligned");
    return reinterpret_cast<Slot*>(this + 1);
  }
  static size_t SizeFor(uint32_t capacity) { return sizeof(Slots) + capacity * sizeof(Slot); }
};

CDspFileEntryContainer::CDspFileEntryContainer() : m_slots(NULL) {}
CDspFileEntryContainer::~CDspFileEntryContainer() { FreeAll(); }

// The entries go under one hold of the tree's heap (their own entries nest in it).
void CDspFileEntryContainer::FreeAll() {
  if (m_slots == NULL) return;
  CDspEntryHeap::Hold hold;
  Slots* slots = m_slots;
  m_slots = NULL;
  for (uint32_t i = 0; i < slots->count; ++i)
    if ((slots->slot()[i] & kKindBits) == 0) delete reinterpret_cast<CDspFileEntry*>(slots->slot()[i]);
  CDspEntryHeap::Free(slots, Slots::SizeFor(slots->capacity));
}

int CDspFileEntryContainer::GetCount() const { return m_slots == NULL ? 0 : static_cast<int>(m_slots->count); }

int CDspFileEntryContainer::ResolveIndex(int index) const {
  const int count = GetCount();
  const int resolved = index == -1 ? count - 1 : index;
  if (resolved < 0 || resolved >= count) throw new TQ::CTqIndexException(index, count);
  return resolved;
}

// A line kept as read becomes its entry here, once.
CDspFileEntry* CDspFileEntryContainer::EntryAt(int resolved) const {
  Slot& slot = m_slots->slot()[resolved];
  if ((slot & kKindBits) == 0) return reinterpret_cast<CDspFileEntry*>(slot);
  const Slot line = slot;
  const auto* text = reinterpret_cast<const CDspTextBlock*>(line & ~kKindBits);
  CDspFileEntry* entry;
  switch (line & kKindBits) {
    case kSourceLine:
      entry = new CDspSourceFileSourceEntry(CDspText::Borrowed(text));
      break;
    case kUsualSourceFile:
      entry = CDspTargetFile::MakeUsual(text);
      break;
    default:
      entry = new CDspFileUnknownEntry(CDspText::Borrowed(text));
      break;
  }
  slot = reinterpret_cast<Slot>(entry);
  const_cast<CDspFileEntryContainer*>(this)->Made(line, entry);
  return entry;
}

const CDspFileEntry* CDspFileEntryContainer::GetAt(int index) const { return EntryAt(ResolveIndex(index)); }
CDspFileEntry* CDspFileEntryContainer::GetAt(int index) { return EntryAt(ResolveIndex(index)); }

void CDspFileEntryContainer::Move(int from, int to) {
  const int source = ResolveIndex(from);
  const int target = ResolveIndex(to);
  if (source == target) return;
  Slot* first = m_slots->slot();
  if (source < target)
    std::rotate(first + source, first + source + 1, first + target + 1);
  else
    std::rotate(first + target, first + source, first + source + 1);
}

void CDspFileEntryContainer::RemoveAll() { FreeAll(); }

// A whole tree is collected in large pieces.
void CDspFileEntryContainer::Write(CStdioFile& file) const {
  const size_t capacity = 64 * 1024;
  std::unique_ptr<char[]> buffer(new char[capacity]);
  CDspLineWriter out(file, buffer.get(), capacity);
  WriteEntries(out);
  out.Flush();
}

void CDspFileEntryContainer::WriteEntries(CDspLineWriter& out) const {
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    const Slot slot = m_slots->slot()[i];
    const auto* line = reinterpret_cast<const CDspTextBlock*>(slot & ~kKindBits);
    switch (slot & kKindBits) {
      case 0:
        reinterpret_cast<const CDspFileEntry*>(slot)->WriteTo(out);
        break;
      case kSourceLine:
        CDspSourceFileSourceEntry::WriteLine(out, line);
        break;
      case kUsualSourceFile:
        CDspTargetFile::WriteUsual(out, line);
        break;
      default:
        out.PutLine(line);
        break;
    }
  }
}

void CDspFileEntryContainer::Insert(int index, Slot slot) {
  const uint32_t count = m_slots == NULL ? 0 : m_slots->count;
  if (m_slots == NULL || count == m_slots->capacity) {
    // Most blocks hold a few lines: a source file's list starts with room for two.
    const uint32_t capacity = count == 0 ? 2 : count * 2;
    auto* grown = static_cast<Slots*>(CDspEntryHeap::Allocate(Slots::SizeFor(capacity)));
    grown->count = count;
    grown->capacity = capacity;
    if (m_slots != NULL) {
      std::memcpy(grown->slot(), m_slots->slot(), count * sizeof(Slot));
      CDspEntryHeap::Free(m_slots, Slots::SizeFor(m_slots->capacity));
    }
    m_slots = grown;
  }
  Slot* slots = m_slots->slot();
  if (static_cast<uint32_t>(index) < count)
    std::memmove(slots + index + 1, slots + index, (count - static_cast<uint32_t>(index)) * sizeof(Slot));
  slots[index] = slot;
  m_slots->count = count + 1;
}

void CDspFileEntryContainer::AppendSlot(Slot slot) { Insert(GetCount(), slot); }

void CDspFileEntryContainer::InsertAt(CDspFileEntry* entry, int index) {
  std::unique_ptr<CDspFileEntry> owned(entry);
  const int count = GetCount();
  if (index < -1 || index > count) throw new TQ::CTqIndexException(index, count + 1);
  Insert(index == -1 ? count : index, reinterpret_cast<Slot>(owned.get()));
  owned.release();
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
  Slot* slots = m_slots->slot();
  const uint32_t count = m_slots->count;
  std::memmove(slots + index, slots + index + 1, (count - static_cast<uint32_t>(index) - 1) * sizeof(Slot));
  m_slots->count = count - 1;
  delete entry;
}

void CDspFileEntryContainer::Forget(const CDspFileEntry*) {}
void CDspFileEntryContainer::Made(Slot, CDspFileEntry*) {}

void CDspFileEntryContainer::ValidateEntries() { ValidateEntriesExcept(NULL); }

// Only entries can fail; a line kept as read is valid.
void CDspFileEntryContainer::ValidateEntriesExcept(const CDspFileEntry* skipped) {
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    const Slot slot = m_slots->slot()[i];
    if ((slot & kKindBits) == 0 && slot != reinterpret_cast<Slot>(skipped))
      reinterpret_cast<CDspFileEntry*>(slot)->Validate();
  }
}

int CDspFileEntryContainer::FindSourceFile(const CString& path) const {
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    const Slot slot = m_slots->slot()[i];
    if ((slot & kKindBits) == kUsualSourceFile) {
      if (CDspText::Borrowed(reinterpret_cast<const CDspTextBlock*>(slot & ~kKindBits)) == path) return i;
    } else if ((slot & kKindBits) == 0) {
      const auto* file = dynamic_cast<const CDspTargetFile*>(reinterpret_cast<const CDspFileEntry*>(slot));
      if (file != NULL && file->HasSourcePath(path)) return i;
    }
  }
  return -1;
}

const CDspFileEntry* CDspFileEntryContainer::GetMadeAt(int index) const {
  const Slot slot = m_slots->slot()[ResolveIndex(index)];
  return (slot & kKindBits) == 0 ? reinterpret_cast<const CDspFileEntry*>(slot) : NULL;
}

int CDspFileEntryContainer::IndexOf(const CDspFileEntry* entry) const {
  const int count = GetCount();
  for (int i = 0; i < count; ++i)
    if (m_slots->slot()[i] == reinterpret_cast<Slot>(entry)) return i;
  return -1;
}

// --- CDspLineWriter -------------------------------------------------------------------------

// What does not fit goes out first; a part longer than the buffer goes out by itself.
void CDspLineWriter::PutLong(const char* data, size_t length) {
  Flush();
  if (length > m_capacity) {
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

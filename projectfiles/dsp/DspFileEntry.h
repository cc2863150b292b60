// The project file (.dsp) as a tree of entries: every line or block of the file is one entry, and
// a block entry is also the container of the entries inside it. Placement is a double dispatch:
// an entry's InsertInto calls the container's typed insert for its own kind, and a container
// that must remember a particular child overrides only that typed insert.
#pragma once

#include "stdafx.h"

#include <cstring>
#include <memory>
#include <vector>

#include "editors/TextFile.h"

#include "dsp/DspEntryHeap.h"

class CDspFileEntryContainer;
class CDspTargetDefaultFilter;
class CDspSourceFileSourceEntry;
class CDspTargetFile;
class CDspTargetFolder;
class CDspMFCConfigEntry;
class CDspLink32ConfigEntry;
class CDspCPPConfigEntry;
class CDspTarget;
class CDspSectionEntry;
class CDspSection;
class CDspConfigSet;
class CDspTargetType;
class CDspFileUnknownEntry;

class CDspFileEntry {
 public:
  CDspFileEntry();
  virtual ~CDspFileEntry();

  // Writes the entry's lines, each ending in "\n" (CR LF on disk in text mode).
  virtual void Write(CStdioFile& file) const = 0;
  // Hands the entry to the container, which owns it from then on; an index of -1 appends. A
  // container that refuses the entry deletes it before it throws.
  virtual void InsertInto(CDspFileEntryContainer& container, int index) = 0;
  virtual void RemoveFrom(CDspFileEntryContainer& container);
  virtual void Validate();

  CDspFileEntry(const CDspFileEntry&) = delete;
  CDspFileEntry& operator=(const CDspFileEntry&) = delete;

  // Entries come from the tree's heap; new and delete are used as ever. An over-aligned entry
  // class goes to the global heap.
  static void* operator new(size_t size) { return CDspEntryHeap::Allocate(size); }
  static void operator delete(void* memory, size_t size) noexcept { CDspEntryHeap::Free(memory, size); }
  static void* operator new(size_t size, std::align_val_t alignment) { return ::operator new(size, alignment); }
  static void operator delete(void* memory, size_t size, std::align_val_t alignment) noexcept {
    ::operator delete(memory, size, alignment);
  }
};

// An ordered list of entries that it owns. Index -1 is the last entry (GetAt, Move's source) or
// the end (inserts, Move's target); any other index outside the list throws TQ::CTqIndexException
// and changes nothing.
class CDspFileEntryContainer {
 public:
  CDspFileEntryContainer();
  virtual ~CDspFileEntryContainer();

  virtual int GetCount() const;
  virtual const CDspFileEntry* GetAt(int index) const;
  virtual CDspFileEntry* GetAt(int index);
  // Takes the entry at `from` out and puts it back at `to`, so that it then stands at `to`.
  virtual void Move(int from, int to);
  virtual void RemoveAll();
  virtual void Write(CStdioFile& file) const;
  // Takes ownership; on a bad index the entry is deleted and TQ::CTqIndexException thrown.
  virtual void InsertAt(CDspFileEntry* entry, int index);

  virtual void InsertDefaultFilter(CDspTargetDefaultFilter* entry, int index);
  virtual void InsertSourceEntry(CDspSourceFileSourceEntry* entry, int index);
  virtual void InsertTargetFile(CDspTargetFile* entry, int index);
  virtual void InsertFolder(CDspTargetFolder* entry, int index);
  virtual void InsertMFCConfigEntry(CDspMFCConfigEntry* entry, int index);
  virtual void InsertLink32ConfigEntry(CDspLink32ConfigEntry* entry, int index);
  virtual void InsertCPPConfigEntry(CDspCPPConfigEntry* entry, int index);
  virtual void InsertTarget(CDspTarget* entry, int index);
  virtual void InsertSectionEntry(CDspSectionEntry* entry, int index);
  virtual void InsertSection(CDspSection* entry, int index);
  virtual void InsertConfigSet(CDspConfigSet* entry, int index);
  virtual void InsertTargetType(CDspTargetType* entry, int index);
  virtual void InsertUnknownEntry(CDspFileUnknownEntry* entry, int index);

  virtual void Remove(CDspFileEntry* entry);
  // Finds the entry by identity, deletes it and closes the gap; nothing when it is not a child.
  virtual void Delete(CDspFileEntry* entry);
  virtual void ValidateEntries();

  // The position of a child, or -1.
  int IndexOf(const CDspFileEntry* entry) const;

  CDspFileEntryContainer(const CDspFileEntryContainer&) = delete;
  CDspFileEntryContainer& operator=(const CDspFileEntryContainer&) = delete;

 protected:
  // Called before a child is deleted by Delete, so that a container drops what it remembers of
  // it; RemoveAll clears the remembered children itself.
  virtual void Forget(const CDspFileEntry* entry);
  int ResolveIndex(int index) const;

 private:
  std::vector<std::unique_ptr<CDspFileEntry>, CDspEntryAllocator<std::unique_ptr<CDspFileEntry>>> m_entries;
};

// Puts a line together from its parts and hands it to the file in one write: a setting line has
// a dozen parts, and every write of the file class has a cost of its own. The file sees the same
// bytes as if each part had been written by itself (text mode still turns each "\n" into CR LF).
// Nothing goes out until Flush; the destructor does not flush, since a write may throw.
class CDspLineWriter {
 public:
  explicit CDspLineWriter(CStdioFile& file) : m_file(file), m_used(0) {}

  // A C string of the writer's own.
  void Put(LPCTSTR text) { Put(text, std::strlen(text)); }
  // Every byte of the string; text holding a NUL is refused (TQ::CNulCharacterException), as a
  // reader refuses a line holding one.
  void Put(const CString& text) {
    RefuseNul(static_cast<LPCTSTR>(text), static_cast<size_t>(text.GetLength()), CString());
    Put(static_cast<LPCTSTR>(text), static_cast<size_t>(text.GetLength()));
  }
  // The string, then "\n", as WriteDspLine writes them.
  void PutLine(const CString& line) {
    Put(line);
    Put("\n", 1);
  }
  void Flush();

  CDspLineWriter(const CDspLineWriter&) = delete;
  CDspLineWriter& operator=(const CDspLineWriter&) = delete;

 private:
  void Put(const char* data, size_t length) {
    if (length > sizeof(m_buffer) - m_used) {
      PutLong(data, length);
      return;
    }
    std::memcpy(m_buffer + m_used, data, length);
    m_used += length;
  }
  void PutLong(const char* data, size_t length);

  CStdioFile& m_file;
  size_t m_used;
  char m_buffer[512];
};

// Writes one line and its line end.
void WriteDspLine(CStdioFile& file, const CString& line);

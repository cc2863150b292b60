// The project file (.dsp) as a tree of entries: every line or block of the file is one entry, and
// a block entry is also the container of the entries inside it. Placement is a double dispatch:
// an entry's InsertInto calls the container's typed insert for its own kind, and a container
// that must remember a particular child overrides only that typed insert.
#pragma once

#include "stdafx.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "editors/TextFile.h"

#include "dsp/DspEntryHeap.h"
#include "dsp/DspText.h"

class CDspFileEntryContainer;
class CDspLineWriter;
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

// Entries come from the tree's heap.
class CDspFileEntry : public CDspHeapObject {
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
  // Writes the entry's lines through `out`, which collects them for the file: what a whole tree
  // is written with. By default the collected lines go out and the entry's Write follows.
  virtual void WriteTo(CDspLineWriter& out) const;

  CDspFileEntry(const CDspFileEntry&) = delete;
  CDspFileEntry& operator=(const CDspFileEntry&) = delete;


 protected:
  // Write of an entry that writes through WriteTo: its lines collected, then written.
  void WriteThroughLines(CStdioFile& file) const;
};

// An ordered list of entries that it owns. Index -1 is the last entry (GetAt, Move's source) or
// the end (inserts, Move's target); any other index outside the list throws TQ::CTqIndexException
// and changes nothing.
//
// The reader keeps the lines of a large project that nobody but the writer needs (verbatim lines,
// SOURCE lines, and source file blocks as the IDE writes them for a file without settings of its
// own) as their text alone: a child entry is made of such a line the first time it is asked for
// (GetAt, const or not, makes it), and from then on the list holds the entry. To every caller the
// list holds entries as ever; only the memory differs. Since a const GetAt may change the list,
// a tree is used by one thread at a time.
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
  // The same, leaving out the child `skipped`.
  void ValidateEntriesExcept(const CDspFileEntry* skipped);

  // The position of a child, or -1.
  int IndexOf(const CDspFileEntry* entry) const;
  // The first child that is a source file whose SOURCE path equals `path` (CString's equality),
  // or -1; no child is made an entry for it.
  int FindSourceFile(const CString& path) const;
  // Child `index` (-1 the last) when it is an entry already; NULL while it is kept as read (then
  // it is no group, nor any entry a container remembers).
  const CDspFileEntry* GetMadeAt(int index) const;
  // Appends a verbatim line as read (a block of the tree's text store), as InsertUnknownEntry
  // would append its entry.
  void AppendVerbatimLine(const CDspTextBlock* line) { AppendSlot(reinterpret_cast<Slot>(line) | kVerbatimLine); }
  // Appends the source file block "# Begin Source File", "", "SOURCE=<path>", "# End Source
  // File" as read (`path` a block of the tree's text store), as InsertTargetFile would append its
  // entry into a container that keeps it itself (not a target: its proxy does).
  void AppendUsualSourceFile(const CDspTextBlock* path) {
    AppendSlot(reinterpret_cast<Slot>(path) | kUsualSourceFile);
  }
  // The children's lines, in order.
  void WriteEntries(CDspLineWriter& out) const;

  CDspFileEntryContainer(const CDspFileEntryContainer&) = delete;
  CDspFileEntryContainer& operator=(const CDspFileEntryContainer&) = delete;

 protected:
  // A child in the list: an entry's address, or the block of a line kept as read with its kind
  // in the two lowest bits (blocks are aligned to 4, entries to 8).
  using Slot = uintptr_t;
  static constexpr Slot kVerbatimLine = 1;     // a CDspFileUnknownEntry to be
  static constexpr Slot kSourceLine = 2;       // a CDspSourceFileSourceEntry to be
  static constexpr Slot kUsualSourceFile = 3;  // a CDspTargetFile to be, the block its path
  static constexpr Slot kKindBits = 3;
  void AppendSlot(Slot slot);

  // Called before a child is deleted by Delete, so that a container drops what it remembers of
  // it; RemoveAll clears the remembered children itself.
  virtual void Forget(const CDspFileEntry* entry);
  // Called when the line kept as `line` became `entry`, so that a container that remembers the
  // line remembers the entry.
  virtual void Made(Slot line, CDspFileEntry* entry);
  int ResolveIndex(int index) const;

 private:
  // The slots, after their count and capacity, in one block of the tree's heap (none while the
  // list is empty): a source file's list takes one small block.
  struct Slots;
  CDspFileEntry* EntryAt(int resolved) const;
  void Insert(int index, Slot slot);
  void FreeAll();

  mutable Slots* m_slots;
};

// Collects lines and hands them to the file in large writes: every write of the file class has a
// cost of its own. The file sees the same bytes as if each part had been written by itself (text
// mode still turns each "\n" into CR LF). Nothing goes out until Flush; the destructor does not
// flush, since a write may throw.
class CDspLineWriter {
 public:
  // With a small buffer of its own, for one entry's lines.
  explicit CDspLineWriter(CStdioFile& file) : m_file(file), m_buffer(m_own), m_capacity(sizeof m_own), m_used(0) {}
  // With the caller's buffer, for a whole tree.
  CDspLineWriter(CStdioFile& file, char* buffer, size_t capacity)
      : m_file(file), m_buffer(buffer), m_capacity(capacity), m_used(0) {}

  // A C string of the writer's own.
  void Put(LPCTSTR text) { Put(text, std::strlen(text)); }
  // Every byte of the string; text holding a NUL is refused (TQ::CNulCharacterException), as a
  // reader refuses a line holding one.
  void Put(const CString& text) {
    RefuseNul(static_cast<LPCTSTR>(text), static_cast<size_t>(text.GetLength()), CString());
    Put(static_cast<LPCTSTR>(text), static_cast<size_t>(text.GetLength()));
  }
  // The same for a kept text; one read from a file holds no NUL.
  void Put(const CDspText& text) {
    if (text.IsOwned()) RefuseNul(text.GetData(), static_cast<size_t>(text.GetLength()), CString());
    Put(text.GetData(), static_cast<size_t>(text.GetLength()));
  }
  // A text of a text store: read from a file, it holds no NUL.
  void Put(const CDspTextBlock* block) { Put(block->GetData(), static_cast<size_t>(block->GetLength())); }
  // The string, then "\n", as WriteDspLine writes them.
  template <typename Text>
  void PutLine(const Text& line) {
    Put(line);
    Put("\n", 1);
  }
  void Flush();
  CStdioFile& GetFile() const { return m_file; }

  CDspLineWriter(const CDspLineWriter&) = delete;
  CDspLineWriter& operator=(const CDspLineWriter&) = delete;

 private:
  void Put(const char* data, size_t length) {
    if (length > m_capacity - m_used) {
      PutLong(data, length);
      return;
    }
    std::memcpy(m_buffer + m_used, data, length);
    m_used += length;
  }
  void PutLong(const char* data, size_t length);

  CStdioFile& m_file;
  char* m_buffer;
  size_t m_capacity;
  size_t m_used;
  char m_own[512];
};

// Writes one line and its line end.
void WriteDspLine(CStdioFile& file, const CString& line);

// The workspace file (.dsw) as a list of entries: the same double dispatch as the project file's
// model. An entry places itself with InsertInto, which calls the container's typed insert for its
// kind; a container that must remember a child overrides only that typed insert.
#pragma once

#include "stdafx.h"

#include <vector>

class CDswFileEntryContainer;

class CDswFileEntry {
 public:
  CDswFileEntry();
  virtual ~CDswFileEntry();

  virtual void Write(CStdioFile& file) const = 0;
  // Hands the entry to the container, which owns it from then on; an index of -1 appends. A
  // container that refuses the entry deletes it before it throws.
  virtual void InsertInto(CDswFileEntryContainer& container, int index) = 0;
  virtual void RemoveFrom(CDswFileEntryContainer& container);
  virtual void Validate();

  CDswFileEntry(const CDswFileEntry&) = delete;
  CDswFileEntry& operator=(const CDswFileEntry&) = delete;
};

// An ordered list of entries that it owns. Index -1 is the last entry (GetAt) or the end (the
// inserts); any other index outside the list throws TQ::CTqIndexException.
class CDswFileEntryContainer {
 public:
  CDswFileEntryContainer();
  virtual ~CDswFileEntryContainer();

  virtual int GetCount() const;
  virtual const CDswFileEntry* GetAt(int index) const;
  virtual CDswFileEntry* GetAt(int index);
  virtual void RemoveAll();
  virtual void Write(CStdioFile& file) const;

  virtual void InsertGlobalSection(CDswFileEntry* entry, int index);
  virtual void InsertPackage(CDswFileEntry* entry, int index);
  virtual void InsertControlGUIDEntry(CDswFileEntry* entry, int index);
  virtual void InsertUnknownEntry(CDswFileEntry* entry, int index);

  // Finds the entry by identity, deletes it and closes the gap; nothing when it is not a child.
  virtual void Delete(CDswFileEntry* entry);
  virtual void ValidateEntries();

  CDswFileEntryContainer(const CDswFileEntryContainer&) = delete;
  CDswFileEntryContainer& operator=(const CDswFileEntryContainer&) = delete;

 protected:
  // The plain insert behind every typed one: takes ownership, or deletes the entry and throws
  // when the index is outside 0..count (and not -1).
  void InsertAt(CDswFileEntry* entry, int index);
  int ResolveIndex(int index) const;

 private:
  std::vector<CDswFileEntry*> m_entries;
};

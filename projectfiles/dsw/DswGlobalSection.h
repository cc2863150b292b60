// The workspace's "Global:" section, from that line up to and including the separator line that
// ends it. It remembers its Package=<3> block, the one part of a workspace the system changes.
#pragma once

#include "dsw/DswControlGUIDPackage.h"

class CDswGlobalSection : public CDswFileEntry, public CDswFileEntryContainer {
 public:
  CDswGlobalSection();
  ~CDswGlobalSection() override;

  void Write(CStdioFile& file) const override;
  void InsertInto(CDswFileEntryContainer& container, int index) override;
  void Validate() override;

  void InsertPackage(CDswFileEntry* entry, int index) override;
  void RemoveAll() override;
  void Delete(CDswFileEntry* entry) override;

  // The remembered Package=<3> block (the last one inserted), or NULL.
  CDswControlGUIDPackage* GetPackage() const { return m_package; }

 private:
  CDswControlGUIDPackage* m_package;
};

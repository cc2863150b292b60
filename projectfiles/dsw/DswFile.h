// A workspace file (.dsw): its lines as entries, with the Global section remembered.
#pragma once

#include "dsw/DswGlobalSection.h"

class CDswFile : public CDswFileEntryContainer {
 public:
  CDswFile();
  ~CDswFile() override;

  void InsertGlobalSection(CDswFileEntry* entry, int index) override;
  void RemoveAll() override;
  void Delete(CDswFileEntry* entry) override;

  // The remembered Global section (the last one inserted), or NULL.
  CDswGlobalSection* GetGlobalSection() const { return m_globalSection; }

  // "Invalid DSW configuration." without a Global section; then every entry validates itself.
  void Validate();

 private:
  CDswGlobalSection* m_globalSection;
};

// The Package=<3> block of the Global section: the controls the workspace's projects use, one GUID
// line each. The block's own lines are not kept; the package writes them.
#pragma once

#include "dsw/DswFileEntry.h"

class CDswControlGUIDPackage : public CDswFileEntry, public CDswFileEntryContainer {
 public:
  CDswControlGUIDPackage();
  ~CDswControlGUIDPackage() override;

  void Write(CStdioFile& file) const override;
  void InsertInto(CDswFileEntryContainer& container, int index) override;
};

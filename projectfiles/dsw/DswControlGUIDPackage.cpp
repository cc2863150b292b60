#include "dsw/DswControlGUIDPackage.h"

CDswControlGUIDPackage::CDswControlGUIDPackage() {}
CDswControlGUIDPackage::~CDswControlGUIDPackage() {}

void CDswControlGUIDPackage::Write(CStdioFile& file) const {
  file.WriteString("Package=<3>\n{{{\n");
  CDswFileEntryContainer::Write(file);
  file.WriteString("}}}\n");
}

void CDswControlGUIDPackage::InsertInto(CDswFileEntryContainer& container, int index) {
  container.InsertPackage(this, index);
}

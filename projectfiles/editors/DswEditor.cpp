#include "editors/DswEditor.h"

#include "TqException.h"
#include "dsw/DswEntries.h"
#include "dsw/DswFileBuilder.h"

CDswEditor::CDswEditor() {}
CDswEditor::~CDswEditor() {}

void CDswEditor::Load() {
  CDswFileBuilder builder(m_path);
  builder.Build(m_file);
}

void CDswEditor::Write(CStdioFile& file) { m_file.Write(file); }

CDswControlGUIDPackage& CDswEditor::GetPackage() const {
  CDswGlobalSection* section = m_file.GetGlobalSection();
  CDswControlGUIDPackage* package = section != NULL ? section->GetPackage() : NULL;
  if (package == NULL) throw new TQ::CTqObjectNotInUsableStateException("CDswEditor");
  return *package;
}

CDswControlGUIDEntry* CDswEditor::FindControlGuid(const CString& guid) const {
  CDswControlGUIDPackage& package = GetPackage();
  for (int i = 0; i < package.GetCount(); ++i) {
    CDswControlGUIDEntry* entry = dynamic_cast<CDswControlGUIDEntry*>(package.GetAt(i));
    if (entry != NULL && entry->GetGuid() == guid) return entry;
  }
  return NULL;
}

bool CDswEditor::HasControlGuid(const CString& guid) const { return FindControlGuid(guid) != NULL; }

void CDswEditor::AddControlGuid(const CString& guid) {
  if (FindControlGuid(guid) != NULL) return;
  (new CDswControlGUIDEntry("    ", guid, ""))->InsertInto(GetPackage(), -1);
}

bool CDswEditor::RemoveControlGuid(const CString& guid) {
  CDswControlGUIDEntry* entry = FindControlGuid(guid);
  if (entry == NULL) return false;
  entry->RemoveFrom(GetPackage());
  return true;
}

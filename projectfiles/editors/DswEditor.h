// The workspace editor: the control GUIDs of the Global section's Package=<3> block.
#pragma once

#include "dsw/DswEntries.h"
#include "dsw/DswFile.h"
#include "editors/DevstudioEditor.h"

class CDswEditor : public CDevstudioEditor {
 public:
  CDswEditor();
  ~CDswEditor() override;

  // Appends "    <guid>" to the block unless a line with that GUID text is there already.
  void AddControlGuid(const CString& guid);
  // Removes the first line whose GUID text equals the text; false when there is none.
  bool RemoveControlGuid(const CString& guid);
  bool HasControlGuid(const CString& guid) const;

  const CDswFile& GetFile() const { return m_file; }

 protected:
  void Load() override;
  void Write(CStdioFile& file) override;

 private:
  // The block of an opened workspace; TQ::CTqObjectNotInUsableStateException before a successful Open.
  CDswControlGUIDPackage& GetPackage() const;
  CDswControlGUIDEntry* FindControlGuid(const CString& guid) const;

  CDswFile m_file;
};

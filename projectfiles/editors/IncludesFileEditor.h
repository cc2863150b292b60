// The includes header editor: which component headers TqIncludes.h includes and which namespaces
// it opens.
#pragma once

#include "editors/DevstudioEditor.h"
#include "includes/IncludesFile.h"

class CIncludesFileEditor : public CDevstudioEditor {
 public:
  CIncludesFileEditor();
  ~CIncludesFileEditor() override;

  bool HasHeader(const CString& name) const;
  void AddHeader(const CString& name);  // appends when absent
  void RemoveHeader(const CString& name);
  bool HasNamespace(const CString& name) const;
  void AddNamespace(const CString& name);
  void RemoveNamespace(const CString& name);
  void Clear();

  const CIncludesFile& GetFile() const { return m_file; }

 protected:
  void Load() override;
  void Write(CStdioFile& file) override;

 private:
  CIncludesFile m_file;
};

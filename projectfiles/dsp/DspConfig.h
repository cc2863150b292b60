// One configuration of a project ("!IF/!ELSEIF "$(CFG)" == "<name>"" and its lines). It remembers
// its Use_MFC line, its "# ADD CPP" line and its "# ADD LINK32" line (those without BASE).
#pragma once

#include "dsp/DspFileEntry.h"

class CDspConfig : public CDspFileEntryContainer {
 public:
  explicit CDspConfig(const CString& name = CString());
  ~CDspConfig() override;

  void RemoveAll() override;
  // A second Use_MFC line without BASE is refused (TQ::CInvalidProjectFormatException); the
  // entry offered is deleted and the configuration stays as it was.
  void InsertMFCConfigEntry(CDspMFCConfigEntry* entry, int index) override;
  // A second "# ADD CPP" without BASE adds its settings to the first and is deleted.
  void InsertCPPConfigEntry(CDspCPPConfigEntry* entry, int index) override;
  // A second "# ADD LINK32" without BASE adds its arguments to the first and is deleted.
  void InsertLink32ConfigEntry(CDspLink32ConfigEntry* entry, int index) override;
  // The compiler, linker and Use_MFC lines must all be there (message 5040), then the children.
  virtual void Validate();

  CDspCPPConfigEntry* GetCompilerEntry() const { return m_compiler; }
  CDspLink32ConfigEntry* GetLinkerEntry() const { return m_linker; }
  CDspMFCConfigEntry* GetMFCEntry() const { return m_mfc; }
  const CString& GetName() const { return m_name; }
  // A new name drops a kept opening line: the set then writes the usual one.
  void SetName(const CString& name);
  // An opening line the usual form cannot hold ("!IF  "$(CFG)" == "<name>"" with nothing after
  // the name), such as a condition with a second test, is kept and written back as read.
  const CString& GetOpeningLine() const { return m_openingLine; }
  void SetOpeningLine(const CString& line) { m_openingLine = line; }

 protected:
  void Forget(const CDspFileEntry* entry) override;

 private:
  CDspCPPConfigEntry* m_compiler;
  CDspLink32ConfigEntry* m_linker;
  CDspMFCConfigEntry* m_mfc;
  CString m_name;
  CString m_openingLine;
};

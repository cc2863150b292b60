// The configuration block of a project: "!IF" for the first configuration, "!ELSEIF" for each
// further one, and the "!ENDIF" line as read.
#pragma once

#include "dsp/DspConfig.h"
#include "dsp/DspFileEntry.h"

class CDspConfigSet : public CDspFileEntry {
 public:
  CDspConfigSet();
  ~CDspConfigSet() override;

  void Write(CStdioFile& file) const override;
  void WriteTo(CDspLineWriter& out) const override;
  void InsertInto(CDspFileEntryContainer& container, int index) override;
  // At least one configuration ("Invalid number of configurations."), each valid.
  void Validate() override;

  int GetConfigCount() const { return static_cast<int>(m_configs.size()); }
  // TQ::CTqIndexException outside 0..count-1.
  const CDspConfig* GetConfig(int index) const;
  CDspConfig* GetConfig(int index);
  // Takes ownership and appends.
  void AddConfig(CDspConfig* config);
  const CString& GetEndLine() const { return m_endLine; }
  void SetEndLine(const CString& line) { m_endLine = line; }

 private:
  std::vector<std::unique_ptr<CDspConfig>> m_configs;
  CString m_endLine;
};

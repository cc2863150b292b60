#include "dsp/DspConfigSet.h"

#include "TqException.h"
#include "dsp/DspExceptions.h"

CDspConfigSet::CDspConfigSet() : m_endLine("!ENDIF") {}
CDspConfigSet::~CDspConfigSet() {}

void CDspConfigSet::Write(CStdioFile& file) const {
  bool first = true;
  for (const auto& config : m_configs) {
    if (!config->GetOpeningLine().IsEmpty()) {
      WriteDspLine(file, config->GetOpeningLine());
    } else {
      CDspLineWriter line(file);
      line.Put(first ? "!IF  \"$(CFG)\" == \"" : "!ELSEIF  \"$(CFG)\" == \"");
      line.Put(config->GetName());
      line.Put("\"\n");
      line.Flush();
    }
    config->Write(file);
    first = false;
  }
  WriteDspLine(file, m_endLine);
}

void CDspConfigSet::InsertInto(CDspFileEntryContainer& container, int index) { container.InsertConfigSet(this, index); }

void CDspConfigSet::Validate() {
  if (m_configs.empty()) throw new TQ::CAppWizException("Invalid number of configurations.", TRUE);
  for (const auto& config : m_configs) config->Validate();
}

const CDspConfig* CDspConfigSet::GetConfig(int index) const {
  if (index < 0 || index >= GetConfigCount()) throw new TQ::CTqIndexException(index, GetConfigCount());
  return m_configs[index].get();
}

CDspConfig* CDspConfigSet::GetConfig(int index) {
  if (index < 0 || index >= GetConfigCount()) throw new TQ::CTqIndexException(index, GetConfigCount());
  return m_configs[index].get();
}

void CDspConfigSet::AddConfig(CDspConfig* config) {
  std::unique_ptr<CDspConfig> owned(config);
  m_configs.push_back(std::move(owned));
}

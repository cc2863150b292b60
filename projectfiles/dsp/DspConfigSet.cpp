#include "dsp/DspConfigSet.h"

#include "TqException.h"
#include "dsp/DspExceptions.h"

CDspConfigSet::CDspConfigSet() : m_endLine("!ENDIF") {}
CDspConfigSet::~CDspConfigSet() {}

void CDspConfigSet::Write(CStdioFile& file) const { WriteThroughLines(file); }

void CDspConfigSet::WriteTo(CDspLineWriter& out) const {
  bool first = true;
  for (const auto& config : m_configs) {
    if (!config->GetOpeningLine().IsEmpty()) {
      out.PutLine(config->GetOpeningLine());
    } else {
      out.Put(first ? "!IF  \"$(CFG)\" == \"" : "!ELSEIF  \"$(CFG)\" == \"");
      out.Put(config->GetName());
      out.Put("\"\n");
    }
    config->WriteEntries(out);
    first = false;
  }
  out.PutLine(m_endLine);
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

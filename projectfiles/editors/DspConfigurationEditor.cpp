#include "editors/DspConfigurationEditor.h"

#include "dsp/DspExceptions.h"

namespace {

CDspCPPConfigEntry& CheckedCompilerEntry(CDspConfig& config) {
  if (config.GetCompilerEntry() == NULL || config.GetLinkerEntry() == NULL || config.GetMFCEntry() == NULL)
    throw new TQ::CAppWizException(TQ::LoadProjectNotParsableMessage(), TRUE);
  return *config.GetCompilerEntry();
}

}  // namespace

CDspConfigurationEditor::CDspConfigurationEditor(CDspConfig& config)
    : m_config(config), m_compilerEditor(CheckedCompilerEntry(config)) {}
CDspConfigurationEditor::~CDspConfigurationEditor() {}

int CDspConfigurationEditor::FindLinkerSetting(const CString& argument) const {
  const CDspLink32ConfigEntry& linker = *m_config.GetLinkerEntry();
  for (int i = 0; i < linker.GetArgumentCount(); ++i)
    if (linker.GetArgument(i) == argument) return i;
  return -1;
}

bool CDspConfigurationEditor::HasLinkerSetting(const CString& argument) const {
  return FindLinkerSetting(argument) >= 0;
}

void CDspConfigurationEditor::AddLinkerSetting(const CString& argument) {
  if (!HasLinkerSetting(argument)) m_config.GetLinkerEntry()->AddArgument(argument);
}

void CDspConfigurationEditor::RemoveLinkerSetting(const CString& argument) {
  const int index = FindLinkerSetting(argument);
  if (index >= 0) m_config.GetLinkerEntry()->RemoveArgument(index);
}

int CDspConfigurationEditor::GetUseMFC() const { return m_config.GetMFCEntry()->GetKind(); }

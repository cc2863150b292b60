// Shared set-up of the customizer tests: a project copied onto drive P:, components made in the
// test, and the texts of a configuration's compiler and linker lines.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "Component.h"
#include "editors/DspEditor.h"
#include "sandbox/test_support.h"

namespace addin_test {

inline std::string SourceFolder() { return ADDIN_TEST_DIR; }
inline std::string FixtureBytes(const std::string& name) {
  return sandbox::testing::ReadHostFile(SourceFolder() + "/fixtures/" + name);
}
inline std::string GoldenBytes(const std::string& name) {
  return sandbox::testing::ReadHostFile(SourceFolder() + "/golden/" + name);
}
inline std::string SampleFolder() { return sandbox::testing::SourceRoot() + "/sample"; }

// The sample installation as the machine's: C: is sample/, the registry holds sablewing.reg.
inline void UseSampleInstallation() {
  sandbox::MapDrive('C', SampleFolder());
  std::string error;
  ASSERT_TRUE(sandbox::RegistryLoad(SampleFolder() + "/sablewing.reg", &error)) << error;
}

// A component of the ordinary kind with the given name; the test fills in what it needs.
inline CComponent MakeComponent(const char* name, const char* category = "Core Components") {
  CComponent component;
  component.ComponentName = name;
  component.Category = category;
  return component;
}

// The settings of configuration `index`'s "# ADD CPP" line, one blank between them.
inline std::string CompilerLine(CDspEditor& dsp, int index) {
  CDspCPPConfigEntry& entry = dsp.GetConfigurationEditor(index).GetCompilerEditor().GetEntry();
  std::string line;
  for (int i = 0; i < entry.GetSettingCount(); ++i) {
    CString text;
    entry.GetSetting(i)->GetText(text);
    line += (i ? " " : "") + std::string(text);
  }
  return line;
}

// The arguments of configuration `index`'s "# ADD LINK32" line, one blank between them.
inline std::string LinkerLine(CDspEditor& dsp, int index) {
  CDspLink32ConfigEntry* entry = dsp.GetConfigurationEditor(index).GetConfig().GetLinkerEntry();
  std::string line;
  for (int i = 0; i < entry->GetArgumentCount(); ++i) line += (i ? " " : "") + std::string(entry->GetArgument(i));
  return line;
}

}  // namespace addin_test

// Small catalogues for the tests of the component tree and of the dialogs that show it: records
// written as rows, linked the way the depot links them, in a depot whose product folder is on a
// drive of the test's own; and the sample installation.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InformationDepot.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_support.h"

namespace component_testing {

inline const char kCore[] = "Core Components";
inline const char kDrivers[] = "Legacy C and IVI C Drivers";
inline const char kProductKey[] = "HKEY_LOCAL_MACHINE\\Software\\Vellacott\\Sablewing\\VC";
inline const char kWycKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vellacott\\Wyc\\6.0";
inline const char kIncludeDirsKey[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\DevStudio\\6.0\\Build System\\Components\\Platforms\\Win32 (x86)\\"
    "Directories";

// One record: the names it needs, and its flags.
struct Row {
  std::string name;
  std::string category = kCore;
  std::vector<std::string> needs = {};
  bool hidden = false;
  bool selected = false;
  bool byDefault = false;
  bool mfc = false;
  bool wyc = false;             // the driver needs the Wyc instrument directory
  bool importLibrary = true;    // false: a C-based driver
  std::string description = {};
};

// The depot's catalogue made from the rows (replacing what it held), dependencies linked both ways.
inline void Fill(CInformationDepot& depot, const std::vector<Row>& rows) {
  std::vector<CComponent>& list = depot.GetComponents();
  list.clear();
  list.reserve(rows.size());
  for (const Row& row : rows) {
    CComponent record;
    record.ComponentName = row.name.c_str();
    record.Category = row.category.c_str();
    record.ComponentDescription = row.description.c_str();
    record.Hidden = row.hidden;
    record.Selected = row.selected;
    record.SelectedByDefault = row.byDefault;
    record.MFCRequired = row.mfc;
    record.WycInstrRequried = row.wyc;
    record.HasImportLibrary = row.importLibrary;
    list.push_back(record);
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    for (const std::string& name : rows[i].needs) {
      CComponent* needed = depot.FindComponent(name.c_str());
      ASSERT_NE(needed, nullptr) << rows[i].name << " needs " << name;
      list[i].Dependancies.push_back(needed);
      needed->Dependants.push_back(&list[i]);
    }
  }
}

// The names of the selected records, in catalogue order, joined by spaces.
inline std::string SelectedNames(const CInformationDepot& depot) {
  std::string names;
  for (const CComponent& record : depot.GetComponents())
    if (record.Selected) names += (names.empty() ? "" : " ") + std::string(record.ComponentName);
  return names;
}

// A product folder on drive V: (InstallDir V:\Sablewing) and a Wyc installation at C:\Wyc, whose
// instrument directory is not among the include directories.
inline std::string MapProductDrive() {
  const std::string host = sandbox::MapTempDrive('V');
  sandbox::RegistrySetString(kProductKey, "InstallDir", "V:\\Sablewing");
  sandbox::RegistrySetString(kWycKey, "InstallDir", "C:\\Wyc");
  return host;
}

// The sample installation: C: mapped to sample/ and its registry loaded (sample/README.md).
inline void MapSample() {
  const std::string root = sandbox::testing::SourceRoot();
  sandbox::MapDrive('C', root + "/sample");
  std::string error;
  ASSERT_TRUE(sandbox::RegistryLoad(root + "/sample/sablewing.reg", &error)) << error;
}

}  // namespace component_testing

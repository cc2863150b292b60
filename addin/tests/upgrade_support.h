// The conversion of 1.0 projects, shared by the tests that run it: the sample's legacy product
// (its catalogue holds the 1.0 components' successors) as the installation, the legacy projects
// copied onto drive P: and opened in the IDE stand-in.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "InformationDepot.h"
#include "bridge_test_support.h"
#include "customizer/VSProjectCustomizer.h"
#include "customizer_test_support.h"

namespace addin_test {

constexpr char kProductKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vellacott\\Sablewing\\VC";

class UpgradeTest : public IdeDriveTest<'P'> {
 protected:
  void SetUp() override {
    IdeDriveTest::SetUp();
    UseSampleInstallation();
    sandbox::RegistrySetString(kProductKey, "InstallDir", "C:\\Legacy\\Sablewing");
    CopyToDisk(SampleFolder() + "/Legacy/Projects", "");
    CopyToDisk(SampleFolder() + "/Projects/Thermo", "Thermo");
    depot_.LoadComponents(NULL);
  }

  // The four files a conversion of project `name` (a folder of P:) rewrites, "<none>" when absent.
  std::map<std::string, std::string> ProjectFiles(const std::string& name) {
    std::map<std::string, std::string> files;
    for (const std::string& file : {name + ".dsp", name + ".dsw", std::string("TqIncludes.h"), std::string("StdAfx.h")}) {
      const std::string path = "P:\\" + name + "\\" + file;
      files[file] = OnDisk(path) ? DiskBytes(path) : "<none>";
    }
    return files;
  }

  // Converts the active project of the open workspace, as the conversion command does, and
  // reopens the workspace without anyone to answer its prompts.
  std::vector<CString> Upgrade(bool backup = true) {
    std::list<CString> backups;
    CVSApplication app(ide_);
    app.LoadActiveProject();
    CVSProjectCustomizer(depot_.IsWindowsNT()).UpgradeProject(app, depot_.GetComponents(), backup, backup, backups);
    return std::vector<CString>(backups.begin(), backups.end());
  }

  std::vector<std::string> Selected() {
    std::vector<std::string> names;
    for (const CComponent& component : depot_.GetComponents())
      if (component.Selected) names.push_back(std::string(component.ComponentName));
    return names;
  }

  CInformationDepot depot_;
};

}  // namespace addin_test

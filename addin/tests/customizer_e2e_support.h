// The customizer from end to end, shared by the tests that run it: the sample installation's
// catalogue loaded by the depot, a copy of the sample MFC DLL project open in the IDE stand-in on
// drive P:, the selection applied through the bridge and the workspace reopened with the IDE's
// prompts answered.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <map>

#include "DependancyUpdater.h"
#include "InformationDepot.h"
#include "bridge_test_support.h"
#include "customizer/VSProjectCustomizer.h"
#include "customizer/VSProjectCustomizerException.h"
#include "customizer_test_support.h"

namespace addin_test {

const char kProjectDir[] = "P:\\Thermo\\";
const char* const kEditedFiles[] = {"Thermo.dsp", "Thermo.dsw", "TqIncludes.h", "StdAfx.h"};
const char kReadOnlyMessage[] = "The project file(s) are read-only. You cannot modify the project.";

class CustomizerEndToEndTest : public IdeDriveTest<'P'> {
 protected:
  void SetUp() override {
    IdeDriveTest::SetUp();
    UseSampleInstallation();
    CopyToDisk(SampleFolder() + "/Projects/Thermo", "Thermo");
    OpenWorkspace("P:\\Thermo\\Thermo.dsw");
    depot_.LoadComponents(NULL);
    // A standing clock, from now on (files written from here are newer than the copied project):
    // the thread that answers the reopened workspace's prompts runs until the test moves it on.
    sandbox::SetClock(sandbox::ClockNow());
  }

  // Marks exactly `names` and what they need, as the component tree does when the user checks them.
  void Select(const std::vector<const char*>& names) {
    for (CComponent& component : depot_.GetComponents()) component.Selected = false;
    CDependancyUpdater updater;
    for (const char* name : names) {
      CComponent* component = depot_.FindComponent(name);
      ASSERT_NE(component, nullptr) << name;
      component->Selected = true;
      updater.PropagateSelection(component);
    }
  }

  // One run of the components command: the active project, the selection applied, the workspace
  // reopened and, when the project file changed, the IDE's prompt about it answered by the bridge's
  // thread.
  void Apply(bool makeBackups = true) {
    const std::string projectBefore = DiskBytes("P:\\Thermo\\Thermo.dsp");
    CVSApplication app(ide_);
    app.LoadActiveProject();
    CVSProjectCustomizer customizer(depot_.IsWindowsNT());
    customizer.ApplyComponentSelection(app, depot_.GetComponents(), makeBackups, &dspBackup_, &dswBackup_);
    const bool changed = DiskBytes("P:\\Thermo\\Thermo.dsp") != projectBefore;
    const size_t shown = sandbox::Modals().size();
    if (changed) sandbox::QueueAnswer("MessageBox", {sandbox::kLeaveAlone, ""});
    app.ReopenWorkspace(true);
    if (changed) {
      EXPECT_TRUE(PumpUntil([shown] {
        const std::vector<sandbox::Modal> modals = sandbox::Modals();
        return modals.size() > shown && modals.back().result == IDYES;
      }));
      // Its three seconds are over: it ends by itself.
      sandbox::AdvanceClock(3000);
      CVSApplication::FinishAnsweringPrompts(false);
    } else {
      PumpMessages();
      EXPECT_EQ(sandbox::Modals().size(), shown);
      // Nothing shows whether the thread has begun its three seconds yet; it is stopped instead.
      CVSApplication::FinishAnsweringPrompts(true);
    }
  }

  // The selection the project's includes header gives back.
  std::vector<std::string> ReadBack() {
    CVSApplication app(ide_);
    app.LoadActiveProject();
    CVSProjectCustomizer(depot_.IsWindowsNT()).ReadCurrentSelection(app, depot_.GetComponents());
    std::vector<std::string> selected;
    for (const CComponent& component : depot_.GetComponents())
      if (component.Selected) selected.push_back(std::string(component.ComponentName));
    return selected;
  }

  std::map<std::string, std::string> EditedFiles() {
    std::map<std::string, std::string> files;
    for (const char* name : kEditedFiles) {
      const std::string path = std::string(kProjectDir) + name;
      files[name] = OnDisk(path) ? DiskBytes(path) : "<none>";
    }
    return files;
  }

  void ExpectGolden(const std::string& folder) {
    for (const char* name : kEditedFiles) {
      SCOPED_TRACE(name);
      EXPECT_EQ(DiskBytes(std::string(kProjectDir) + name), GoldenBytes("e2e/" + folder + "/" + name));
    }
  }

  std::vector<std::string> Backups() {
    std::vector<std::string> names;
    const std::string folder = sandbox::HostPath("P:\\Thermo\\Sablewing_Backup");
    if (!std::filesystem::exists(folder)) return names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  // Changes the active project inside the IDE only, as the user does between two saves: the IDE's
  // copy, which a save writes, is then the project.
  void ChangeProjectInIde() {
    IDispatch* active = NULL;
    ASSERT_EQ(ide_->get_ActiveProject(&active), S_OK);
    ASSERT_NE(active, nullptr);
    IBuildProject* project = NULL;
    ASSERT_EQ(active->QueryInterface(IID_IBuildProject, reinterpret_cast<void**>(&project)), S_OK);
    active->Release();
    EXPECT_EQ(project->AddFile(_bstr_t("Notes.txt"), _variant_t()), S_OK);
    project->Release();
  }

  CInformationDepot depot_;
  CString dspBackup_, dswBackup_;
};

}  // namespace addin_test

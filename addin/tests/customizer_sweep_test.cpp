// Fault sweeps of the customizer: a clean run records every file call it makes; the run is then
// repeated once per recorded call with that call failing, and once with the project's files copied
// aside just before it (what a crash there would leave). At every point the project's four files are
// all as before or all as after the clean run, a run that changed them says so by succeeding and
// has the numbered backups of what it changed, a failed run says so, no temporary file stays and
// no handle stays open; and a crash leaves each file whole, old or new, and never a precompiled
// header that includes a TqIncludes.h that is not there.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "customizer_e2e_support.h"

using namespace addin_test;

namespace {

using Files = std::map<std::string, std::string>;

const char kIncludeBlockLine[] = "#include \"TqIncludes.h\"";

class CustomizerSweepTest : public CustomizerEndToEndTest {
 protected:
  struct Scenario {
    const char* name;
    std::function<void()> prepare;            // once, before the files are kept
    std::vector<const char*> selection;       // applied in every run
    std::function<void()> afterOpen = [] {};  // each run, once the workspace is open
    bool refused = false;                     // the clean run itself fails
  };

  // The project folder as it is now is what every run starts from.
  void Keep() {
    pristine_ = sandbox::MapTempDrive('K');
    std::filesystem::copy(Thermo(), pristine_ + "/Thermo", std::filesystem::copy_options::recursive);
  }

  // The project folder as kept, opened in a fresh IDE.
  void Restore(const Scenario& scenario) {
    if (ide_ != NULL) ide_->Release();
    ide_ = NULL;
    sandbox::msdev::StopIde();
    std::filesystem::remove_all(Thermo());
    std::filesystem::copy(pristine_ + "/Thermo", Thermo(), std::filesystem::copy_options::recursive);
    sandbox::msdev::StartIde();
    ASSERT_EQ(::CoCreateInstance(CLSID_Application, NULL, CLSCTX_LOCAL_SERVER, IID_IApplication,
                                 reinterpret_cast<void**>(&ide_)),
              S_OK);
    OpenWorkspace("P:\\Thermo\\Thermo.dsw");
    scenario.afterOpen();
    handles_ = sandbox::OpenFileHandles();  // the running IDE's own
  }

  // One run of the selection; false when it failed (the exception is reported and deleted).
  bool Run() {
    try {
      CVSApplication app(ide_);
      app.LoadActiveProject();
      CVSProjectCustomizer(depot_.IsWindowsNT()).ApplyComponentSelection(app, depot_.GetComponents(), true, NULL, NULL);
      return true;
    } catch (CException* e) {
      e->Delete();
      return false;
    }
  }

  std::string Thermo() const { return this->host_ + "/Thermo"; }

  // The files of the project folder that are none of the four and no backup: temporaries.
  std::vector<std::string> Leftovers() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Thermo())) {
      const std::string name = entry.path().filename();
      if (name.find(".~") != std::string::npos) names.push_back(name);
    }
    return names;
  }

  // Whether some backup holds `bytes`.
  bool BackedUp(const std::string& bytes) {
    const std::string folder = Thermo() + "/Sablewing_Backup";
    if (!std::filesystem::exists(folder)) return false;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      if (sandbox::testing::ReadHostFile(entry.path().string()) == bytes) return true;
    return false;
  }

  void Sweep(const Scenario& scenario) {
    scenario.prepare();
    Select(scenario.selection);
    Keep();
    Restore(scenario);
    const Files before = EditedFiles();
    Files after, crashed;
    sandbox::testing::SweepFileFaults(
        {.arrange = [&] { Restore(scenario); },
         .run =
             [&] {
               const bool succeeded = Run();
               if (after.empty()) after = EditedFiles();  // the clean run's
               return succeeded;
             },
         .checkFailed =
             [&](const sandbox::FileCall&, bool succeeded) {
               const Files now = EditedFiles();
               if (succeeded)
                 EXPECT_EQ(now, after) << "a run that went on after a failure changed the files otherwise";
               else
                 EXPECT_EQ(now, before) << "a failed run changed the files";
               for (const char* name : {"Thermo.dsp", "Thermo.dsw"}) {
                 if (before.at(name) != now.at(name)) {
                   EXPECT_TRUE(BackedUp(before.at(name))) << name << " has no backup";
                 }
               }
               EXPECT_EQ(Leftovers(), std::vector<std::string>{});
               EXPECT_EQ(sandbox::OpenFileHandles(), handles_);
             },
         .snapshot = [&] { crashed = EditedFiles(); },
         .checkCrash =
             [&](const sandbox::FileCall&) {
               ASSERT_FALSE(crashed.empty());
               for (const auto& [name, bytes] : crashed)
                 EXPECT_TRUE(bytes == before.at(name) || bytes == after.at(name)) << name << " is torn";
               if (crashed.at("StdAfx.h").find(kIncludeBlockLine) != std::string::npos) {
                 EXPECT_NE(crashed.at("TqIncludes.h"), "<none>") << "StdAfx.h includes a TqIncludes.h that is not there";
               }
               crashed.clear();
             }},
        !scenario.refused);
  }

  // A project holding a component and a driver.
  void AddTwo() {
    Select({"TqGraph", "hgcounter"});
    Apply();
  }

  std::string pristine_;
  size_t handles_ = 0;
};

TEST_F(CustomizerSweepTest, AddToAFreshProject) {
  Sweep({.name = "add", .prepare = [] {}, .selection = {"TqGraph"}});
}

TEST_F(CustomizerSweepTest, RemoveOneOfTwo) {
  Sweep({.name = "remove one of two", .prepare = [this] { AddTwo(); }, .selection = {"hgcounter"}});
}

TEST_F(CustomizerSweepTest, DeselectAll) {
  Sweep({.name = "deselect all", .prepare = [this] { AddTwo(); }, .selection = {}});
}

TEST_F(CustomizerSweepTest, AddWithTheProjectModifiedInTheIde) {
  Sweep({.name = "modified in the IDE", .prepare = [] {}, .selection = {"TqCore"},
         .afterOpen = [this] { ChangeProjectInIde(); }});
}

TEST_F(CustomizerSweepTest, ReadOnlyRefusal) {
  Sweep({.name = "read-only",
         .prepare = [] { ASSERT_TRUE(::SetFileAttributes("P:\\Thermo\\StdAfx.h", FILE_ATTRIBUTE_READONLY)); },
         .selection = {"TqCore"},
         .refused = true});
}

}  // namespace

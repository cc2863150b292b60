// The host's plug-in loader over plug-in folders filled with the probe plug-ins (one source, built
// with different names and faults): which slot each file fills, what a slot keeps, and what is
// skipped; the current directory never changes, even while the DLLs load.
#include <filesystem>

#include "host/AppWizardsLoader.h"
#include "host/SablewingAppWizardAppWiz.h"
#include "plugin/CustomAppWizard.h"

#include "appwizard_test_support.h"

namespace {

using namespace appwizard_test;

struct SlotSeen {
  bool bound = false;
  std::string path;        // "" or the file's name in the plug-in folder
  std::string moduleFile;  // the file the slot's module was loaded from, "" for none
};

class LoadAll : public InstallationTest {
 protected:
  void SetUp() override {
    InstallationTest::SetUp();
    ASSERT_TRUE(SetCurrentDirectory("C:\\"));
    sandbox::ClearDebugOutput();
  }

  static SlotSeen Seen(const CAppWizardsLoader& loader, int slot) {
    const CAppWizardLoader& loaded = loader.GetSlot(slot);
    SlotSeen seen;
    seen.bound = loaded.IsBound();
    seen.path = static_cast<LPCTSTR>(loaded.GetPath());
    if (seen.path.rfind(kPlugInFolder, 0) == 0) seen.path.erase(0, strlen(kPlugInFolder));
    if (loaded.GetModule() != NULL) {
      char file[MAX_PATH] = "";
      GetModuleFileName(loaded.GetModule(), file, sizeof file);
      seen.moduleFile = file;
      if (seen.moduleFile.rfind(kPlugInFolder, 0) == 0) seen.moduleFile.erase(0, strlen(kPlugInFolder));
    }
    return seen;
  }

  // Every probe asked for its object saw the directory the test set.
  static void ExpectCurrentDirectoryKept() {
    char folder[MAX_PATH] = "";
    GetCurrentDirectory(sizeof folder, folder);
    EXPECT_STREQ(folder, "C:\\");
    for (const std::string& note : ProbeNotes()) {
      const size_t at = note.find("GetAppWizard in ");
      if (at != std::string::npos) {
        EXPECT_EQ(note.substr(at), "GetAppWizard in C:\\");
      }
    }
  }

  CSablewingAppWizardAppWiz wizard_;
  CInformationDepot depot_;
};

TEST_F(LoadAll, FillsTheSlotsOfTheNamesItKnowsAndSkipsTheRest) {
  struct Row {
    const char* name;
    std::vector<std::pair<const char*, const char*>> files;  // built module, name in the folder
    bool textFile = false;                                   // "Text.dll", a file that is no module
    bool hideExport = false;                                 // "NoExport.dll" lacks GetAppWizard
    bool loaded;
    SlotSeen slots[3];
  } rows[] = {
      {"the three names, one file each",
       {{kProbeMfcExe, "Exe.dll"}, {kProbeMfcDll, "Dll.dll"}, {kProbeWyc, "Wyc.dll"}},
       false, false, true,
       {{true, "Exe.dll", "Exe.dll"}, {true, "Dll.dll", "Dll.dll"}, {true, "Wyc.dll", "Wyc.dll"}}},
      {"a name in another case", {{kProbeCase, "Case.dll"}}, false, false, false, {}},
      {"a name with a blank after it", {{kProbeBlank, "Blank.dll"}}, false, false, false, {}},
      {"no GetAppWizard export", {{kProbeWyc, "NoExport.dll"}}, false, true, false, {}},
      {"a file that is no module", {}, true, false, false, {}},
      {"a DllMain that refuses the load", {{kProbeFailDllMain, "Refuses.dll"}}, false, false, false, {}},
      {"a GetAppWizard that hands out null", {{kProbeNullObject, "Null.dll"}}, false, false, false, {}},
      // The first one found is kept; the slot's path then names the second.
      {"two objects of one name", {{kProbeWyc, "A.dll"}, {kProbeWyc, "B.dll"}}, false, false, true,
       {{}, {}, {true, "B.dll", "A.dll"}}},
      {"every kind of no plug-in before a plug-in",
       {{kProbeFailDllMain, "A1.dll"}, {kProbeNullObject, "A2.dll"}, {kProbeCase, "A3.dll"}, {kProbeWyc, "NoExport.dll"},
        {kProbeMfcDll, "Z.dll"}},
       true, true, true,
       {{}, {true, "Z.dll", "Z.dll"}, {}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove_all(sandbox::HostPath(kPlugInFolder));
    ASSERT_TRUE(CreateDirectory(kPlugInFolder, nullptr));
    for (const auto& [module, name] : row.files) PlacePlugIn(module, name);
    if (row.textFile) WriteDisk("Sablewing/appwizards/Text.dll", "not a module\r\n");
    if (row.hideExport) sandbox::HideExport("NoExport.dll", "GetAppWizard");
    sandbox::ClearDebugOutput();
    {
      CAppWizardsLoader loader(&wizard_, &depot_);
      EXPECT_EQ(loader.LoadAll(), row.loaded);
      for (int slot = 0; slot < 3; ++slot) {
        SCOPED_TRACE(CAppWizardsLoader::SlotName(slot));
        const SlotSeen seen = Seen(loader, slot);
        EXPECT_EQ(seen.bound, row.slots[slot].bound);
        EXPECT_EQ(seen.path, row.slots[slot].path);
        EXPECT_EQ(seen.moduleFile, row.slots[slot].moduleFile);
      }
      ExpectCurrentDirectoryKept();
      // Only the DLLs a slot holds stay loaded.
      size_t mapped = 0;
      for (const sandbox::LoadedModule& module : sandbox::LoadedModules())
        if (module.path.rfind(kPlugInFolder, 0) == 0) ++mapped;
      size_t held = 0;
      for (const SlotSeen& slot : row.slots) held += !slot.moduleFile.empty();
      EXPECT_EQ(mapped, held);
    }
    EXPECT_FALSE(AnyModuleFrom(kPlugInFolder));
  }
}

// The slot's object carries the host and the depot; a getter scans first when nothing was found.
TEST_F(LoadAll, TheGettersBindTheSlotsObjects) {
  PlacePlugIn(kProbeWyc, "Wyc.dll");
  CAppWizardsLoader loader(&wizard_, &depot_);
  CCustomAppWizard* wyc = loader.GetWycAppWizard();
  ASSERT_NE(wyc, nullptr);
  EXPECT_EQ(wyc->GetName(), "TQ Wyc AppWizard");
  EXPECT_EQ(wyc->m_pHostWizard, &wizard_);
  EXPECT_EQ(wyc->m_pDepot, &depot_);
  EXPECT_EQ(loader.GetMfcExeAppWizard(), nullptr);
  EXPECT_EQ(loader.GetMfcDllAppWizard(), nullptr);
  EXPECT_EQ(loader.GetWycAppWizard(), wyc);

  // Scanned once: a plug-in placed afterwards is not looked at.
  PlacePlugIn(kProbeMfcDll, "Dll.dll");
  sandbox::ClearDebugOutput();
  EXPECT_TRUE(loader.LoadAll());
  EXPECT_EQ(loader.GetMfcDllAppWizard(), nullptr);
  EXPECT_TRUE(ProbeNotes().empty());
}

// Without a product path there is no plug-in folder: "appwizards" below the current directory is
// not one.
TEST_F(LoadAll, AnUnknownProductPathIsNoPlugInFolder) {
  sandbox::RegistryDeleteKey(kProductKey);
  ASSERT_TRUE(CreateDirectory("C:\\appwizards", nullptr));
  ASSERT_TRUE(CopyFile(BuiltModule(kProbeWyc).c_str(), "C:\\appwizards\\Wyc.dll", TRUE));
  CAppWizardsLoader loader(&wizard_, &depot_);
  EXPECT_FALSE(loader.LoadAll());
  EXPECT_EQ(loader.GetWycAppWizard(), nullptr);
  EXPECT_TRUE(ProbeNotes().empty());
  EXPECT_FALSE(AnyModuleFrom("C:\\appwizards\\"));
}

}  // namespace

// Files, folders, sections and workspace entries of components in the project tree: where headers
// and sources of ordinary components and of instrument drivers go, that adding twice adds nothing,
// and that removing takes away what adding brought, down to the folders it made.
#include <gtest/gtest.h>

#include <memory>

#include "customizer/VSProjectCustomizer.h"
#include "customizer_test_support.h"
#include "editors/DswEditor.h"

using namespace addin_test;

namespace {

const char kDriverCategory[] = "Legacy C and IVI C Drivers";

class CustomizerFilesTest : public sandbox::testing::TempDriveTest<'P'> {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    const std::string project = SampleFolder() + "/Projects/Thermo/";
    WriteDisk("Thermo.dsp", sandbox::testing::ReadHostFile(project + "Thermo.dsp"));
    WriteDisk("Thermo.dsw", sandbox::testing::ReadHostFile(project + "Thermo.dsw"));
    Reopen();
  }

  void Reopen() {
    dsp_ = std::make_unique<CDspEditor>();
    dsw_ = std::make_unique<CDswEditor>();
    dsp_->Open("P:\\Thermo.dsp");
    dsw_->Open("P:\\Thermo.dsw");
  }

  void Save() {
    dsp_->Save();
    dsw_->Save();
  }

  // The folder path (names below the top level) holds the file `path` (as written in the project).
  bool Holds(std::initializer_list<const char*> folders, const CString& path) {
    CDspFileGroupEditor* group = &dsp_->GetTopLevelFileGroupEditor();
    for (const char* name : folders) {
      int index = -1;
      if (!group->HasFolder(name, &index)) return false;
      group = &group->GetFolderEditor(index);
    }
    return group->HasFile(path);
  }

  static CComponent Graph() {
    CComponent graph = MakeComponent("Graph", "User Interface");
    graph.ComponentHeaders = {"$(GRAPH)\\include\\Graph.h", "$(GRAPH)\\include\\Graph Legend.h"};
    ComponentSource source;
    source.SourceFile = "$(GRAPH)\\source\\GraphCtrl.cpp";
    source.AddCompilerSettings = {"/D \"GRAPH_WRAPPER\""};
    source.SubtractCompilerSettings = {"/Yu\"stdafx.h\""};
    graph.ComponentSources = {source};
    graph.DSWControlPalletGuids = {"8A2C4E10-3B5D-4F61-9E7A-0C1D2E3F4A5B"};
    ComponentSection section;
    section.GUID = "8A2C4E10-3B5D-4F61-9E7A-0C1D2E3F4A5B";
    section.SectionEntries = {{"ClassName", "CGraphCtrl"},
                              {"HeaderFile", "GraphCtrl.h"},
                              {"Colour", "blue"},  // not a section key: left out
                              {"ImplFile", "GraphCtrl.cpp"},
                              {"DefaultSinkHeaderFile", "GraphCtrl.h"},
                              {"DefaultSinkClassName", "CGraphCtrl"}};
    graph.Sections = {section};
    return graph;
  }

  static CComponent Driver(bool inVxiPnp, bool importLibrary, bool withSource) {
    CComponent driver = MakeComponent("dmm", kDriverCategory);
    driver.InVXIPNP = inVxiPnp;
    driver.HasImportLibrary = importLibrary;
    driver.ComponentHeaders = {"C:\\VXIPNP\\WinNT\\include\\dmm.h"};
    if (withSource) {
      ComponentSource source;
      source.SourceFile = "C:\\Sablewing\\instr\\dmm\\dmm.c";
      driver.ComponentSources = {source};
    }
    return driver;
  }

  std::unique_ptr<CDspEditor> dsp_;
  std::unique_ptr<CDswEditor> dsw_;
};

TEST_F(CustomizerFilesTest, AComponentAddedTwiceMatchesTheGoldenFilesAndRemovedGivesTheFilesBack) {
  CVSProjectCustomizer customizer(true);
  customizer.AddComponentToProject(*dsw_, *dsp_, Graph());
  customizer.AddComponentToProject(*dsw_, *dsp_, Graph());
  Save();
  EXPECT_EQ(DiskBytes("P:\\Thermo.dsp"), GoldenBytes("graph_added.dsp"));
  EXPECT_EQ(DiskBytes("P:\\Thermo.dsw"), GoldenBytes("graph_added.dsw"));

  Reopen();
  customizer.RemoveComponentFromProject(*dsw_, *dsp_, Graph());
  Save();
  const std::string project = SampleFolder() + "/Projects/Thermo/";
  EXPECT_EQ(DiskBytes("P:\\Thermo.dsp"), sandbox::testing::ReadHostFile(project + "Thermo.dsp"));
  EXPECT_EQ(DiskBytes("P:\\Thermo.dsw"), sandbox::testing::ReadHostFile(project + "Thermo.dsw"));
}

TEST_F(CustomizerFilesTest, ADriversHeadersAreListedWhenTheProjectCanUseThem) {
  struct Case {
    const char* name;
    bool inVxiPnp, importLibrary, withSource;
    bool headerListed;
  } const cases[] = {
      {"framework driver", true, true, false, true},
      {"driver with an import library", false, true, true, false},
      {"driver compiled from its C source", false, false, true, true},
      {"driver with neither", false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Reopen();
    CVSProjectCustomizer customizer(true);
    const CComponent driver = Driver(c.inVxiPnp, c.importLibrary, c.withSource);
    customizer.AddComponentToProject(*dsw_, *dsp_, driver);
    EXPECT_EQ(Holds({"Sablewing", "Instrument Drivers"}, "\"C:\\VXIPNP\\WinNT\\include\\dmm.h\""), c.headerListed);
    EXPECT_EQ(Holds({"Sablewing", "Instrument Drivers"}, "\"C:\\Sablewing\\instr\\dmm\\dmm.c\""), c.withSource);
    EXPECT_FALSE(Holds({"Sablewing", "Include"}, "\"C:\\VXIPNP\\WinNT\\include\\dmm.h\""));
  }
}

// Two components share the product folder: removing one keeps the other's files and the folders
// they need.
TEST_F(CustomizerFilesTest, RemovingOneComponentKeepsTheFoldersOfAnother) {
  CVSProjectCustomizer customizer(true);
  const CComponent driver = Driver(true, true, false);
  customizer.AddComponentToProject(*dsw_, *dsp_, Graph());
  customizer.AddComponentToProject(*dsw_, *dsp_, driver);
  customizer.RemoveComponentFromProject(*dsw_, *dsp_, Graph());
  EXPECT_FALSE(Holds({"Sablewing", "Include"}, "\"$(GRAPH)\\include\\Graph.h\""));
  // The Include folder went with its last file; the product folder stays for the driver.
  int index = -1;
  ASSERT_TRUE(dsp_->GetTopLevelFileGroupEditor().HasFolder("Sablewing", &index));
  EXPECT_FALSE(dsp_->GetTopLevelFileGroupEditor().GetFolderEditor(index).HasFolder("Include"));
  EXPECT_TRUE(Holds({"Sablewing", "Instrument Drivers"}, "\"C:\\VXIPNP\\WinNT\\include\\dmm.h\""));

  customizer.RemoveComponentFromProject(*dsw_, *dsp_, driver);
  EXPECT_FALSE(dsp_->GetTopLevelFileGroupEditor().HasFolder("Sablewing"));
}

}  // namespace

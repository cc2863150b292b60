// Recognising and converting projects made for the 1.0 class library, over the sample's legacy
// product and projects: the conversion's files compared with golden files byte for byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "bridge/VSApplicationException.h"
#include "customizer/VSProjectCustomizerException.h"
#include "upgrade_support.h"

using namespace addin_test;
using sandbox::testing::ThrownMessage;

namespace {

TEST_F(UpgradeTest, TheTenComponentsOfTheOldLibraryAreKnownByTheirExactNames) {
  struct Row {
    const char* name;
    bool version1;
  } const rows[] = {
      {"3D Graph", true}, {"4882", true},         {"Common", true},     {"Linkwell", true},
      {"Advanced Analysis", true}, {"Base Analysis", true}, {"UI Common", true}, {"User Interface", true},
      {"Utility", true},  {"VISA", true},         {"Data Socket", false}, {"common", false},
      {"Visa", false},    {"Utility ", false},    {"", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CVSProjectCustomizer::IsVersion1Component(MakeComponent(row.name)), row.version1);
  }
}

// The workspace-wide search reads the project files as text; the project's own test reads its
// linker lines. A project file that only mentions the library elsewhere tells them apart.
TEST_F(UpgradeTest, OneOldProjectInTheWorkspaceIsFoundByTextAndAProjectByItsLinkerLines) {
  struct Row {
    const char* name;
    const char* workspace;
    std::function<void()> change;
    bool workspaceUses;
    bool activeIsVersion1;
  } const rows[] = {
      {"a 6.0 project", "P:\\Thermo\\Thermo.dsw", [] {}, false, false},
      {"a 1.0 application", "P:\\LegacyApp\\LegacyApp.dsw", [] {}, true, true},
      {"a suite whose first project is a 6.0 static library", "P:\\LegacySuite\\LegacySuite.dsw", [] {}, true,
       false},
      {"the library mentioned in a comment",
       "P:\\Thermo\\Thermo.dsw",
       [&] {
         std::string text = DiskBytes("P:\\Thermo\\Thermo.dsp");
         text.insert(text.find("# TARGTYPE"), "# (it once linked TqInterface.lib)\r\n");
         WriteDisk("Thermo/Thermo.dsp", text);
       },
       true, false},
      // The search ends at an empty project file, or one it cannot read, whatever follows.
      {"an empty project file first", "P:\\LegacySuite\\LegacySuite.dsw",
       [&] { WriteDisk("LegacySuite/Helpers/Helpers.dsp", ""); }, false, false},
      {"a missing project file first", "P:\\LegacySuite\\LegacySuite.dsw",
       [&] { std::filesystem::remove(host_ + "/LegacySuite/Helpers/Helpers.dsp"); }, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    row.change();
    OpenWorkspace(row.workspace);
    CVSApplication app(ide_);
    EXPECT_EQ(ProjectFileUsesVersion1Library(app), row.workspaceUses);
    app.LoadActiveProject();
    CVSProjectCustomizer customizer(true);
    if (sandbox::msdev::ActiveProject() != "Helpers") {  // the reader refuses a static library
      EXPECT_EQ(customizer.IsVersion1Project(app), row.activeIsVersion1);
    }
  }
}

TEST_F(UpgradeTest, AWorkspaceWithoutProjectsIsRefusedByTheSearch) {
  WriteDisk("Empty/Empty.dsw", "Microsoft Developer Studio Workspace File, Format Version 6.00\r\n");
  OpenWorkspace("P:\\Empty\\Empty.dsw");
  CVSApplication app(ide_);
  EXPECT_EQ(ThrownMessage<CVSApplicationException>([&] { ProjectFileUsesVersion1Library(app); }),
            "You must load a project before you can use this wizard.");
}

// The 64 headers leave the product's folder; the folders stay, and are made where they were absent.
TEST_F(UpgradeTest, RemovingTheOldHeadersKeepsTheProductFolders) {
  for (const char* project : {"P:\\LegacyApp\\LegacyApp.dsp", "P:\\Thermo\\Thermo.dsp"}) {
    SCOPED_TRACE(project);
    CDspEditor dsp;
    dsp.Open(project);
    CVSProjectCustomizer(true).RemoveVersion1HeaderFiles(dsp);
    CDspFileGroupEditor& top = dsp.GetTopLevelFileGroupEditor();
    int index = -1;
    ASSERT_TRUE(top.HasFolder("Sablewing", &index));
    CDspFolderEditor& product = top.GetFolderEditor(index);
    ASSERT_TRUE(product.HasFolder("Include", &index));
    EXPECT_FALSE(product.GetFolderEditor(index).HasFoldersOrFiles());
  }
}

struct ConversionCase {
  const char* name;
  const char* project;
};

class Conversion : public UpgradeTest, public testing::WithParamInterface<ConversionCase> {};

// An application loses the MFC static libraries with the 1.0 library; a DLL keeps them. Both get
// the 1.0 components' successors, TqIncludes.h and the include block in place of the 1.0 one.
TEST_P(Conversion, ConvertsTheProjectAsTheGoldenFilesShow) {
  const std::string name = GetParam().project;
  OpenWorkspace("P:\\" + name + "\\" + name + ".dsw");
  const std::map<std::string, std::string> before = ProjectFiles(name);
  const std::vector<CString> backups = Upgrade();

  for (const auto& [file, bytes] : ProjectFiles(name)) {
    SCOPED_TRACE(file);
    EXPECT_EQ(bytes, GoldenBytes("upgrade/" + name + "/" + file));
  }
  ASSERT_EQ(backups.size(), 2u);
  EXPECT_EQ(std::string(backups[0]), "P:\\" + name + "\\Sablewing_Backup\\" + name + "_sablewing_001.dsw");
  EXPECT_EQ(std::string(backups[1]), "P:\\" + name + "\\Sablewing_Backup\\" + name + "_sablewing_001.dsp");
  EXPECT_EQ(DiskBytes(std::string(backups[0])), before.at(name + ".dsw"));
  EXPECT_EQ(DiskBytes(std::string(backups[1])), before.at(name + ".dsp"));
  EXPECT_EQ(Selected(), std::vector<std::string>{}) << "every flag is cleared afterwards";
  EXPECT_EQ(sandbox::msdev::WorkspacePath(), "") << "the caller reopens the workspace";

  // The converted project is a 6.0 project whose selection reads back: the 1.0 components that
  // carry includes-header names.
  OpenWorkspace("P:\\" + name + "\\" + name + ".dsw");
  CVSApplication app(ide_);
  app.LoadActiveProject();
  CVSProjectCustomizer customizer(true);
  EXPECT_FALSE(customizer.IsVersion1Project(app));
  customizer.ReadCurrentSelection(app, depot_.GetComponents());
  EXPECT_EQ(Selected(), (std::vector<std::string>{"3D Graph", "4882", "Advanced Analysis", "Base Analysis", "Common",
                                                  "UI Common", "User Interface", "Utility", "VISA"}));
}

INSTANTIATE_TEST_SUITE_P(OldProjects, Conversion,
                         testing::Values(ConversionCase{"application", "LegacyApp"},
                                         ConversionCase{"dll", "LegacyDll"}),
                         [](const testing::TestParamInfo<ConversionCase>& info) { return info.param.name; });

// A StdAfx.h without the 1.0 block converts all the same: it only receives the new block. Without
// backups nothing is listed and no backup folder is made.
TEST_F(UpgradeTest, AStdAfxWithoutTheOldBlockAndNoBackups) {
  std::string header = DiskBytes("P:\\LegacyApp\\StdAfx.h");
  const std::string block = "#include \"TqAll.h\"\r\nusing namespace TQ;\r\n\r\n";
  header.erase(header.find(block), block.size());
  WriteDisk("LegacyApp/StdAfx.h", header);
  OpenWorkspace("P:\\LegacyApp\\LegacyApp.dsw");
  EXPECT_TRUE(Upgrade(false).empty());
  EXPECT_EQ(DiskBytes("P:\\LegacyApp\\StdAfx.h"), GoldenBytes("upgrade/LegacyApp/StdAfx.h"));
  EXPECT_FALSE(OnDisk("P:\\LegacyApp\\Sablewing_Backup"));
}

// Read-only files are refused before anything is closed or written, and the flags stay as the
// caller left them.
TEST_F(UpgradeTest, ReadOnlyFilesAreRefusedBeforeAnythingIsClosedOrWritten) {
  OpenWorkspace("P:\\LegacyApp\\LegacyApp.dsw");
  for (const char* file : {"LegacyApp.dsp", "LegacyApp.dsw", "StdAfx.h"}) {
    SCOPED_TRACE(file);
    const std::string path = std::string("P:\\LegacyApp\\") + file;
    const std::map<std::string, std::string> before = ProjectFiles("LegacyApp");
    ASSERT_TRUE(::SetFileAttributes(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ThrownMessage<CVSProjectCustomizerException>([&] { Upgrade(); }),
              "The project file(s) are read-only. You cannot modify the project.");
    EXPECT_EQ(ProjectFiles("LegacyApp"), before);
    EXPECT_EQ(sandbox::msdev::WorkspacePath(), "P:\\LegacyApp\\LegacyApp.dsw");
    EXPECT_FALSE(OnDisk("P:\\LegacyApp\\Sablewing_Backup"));
    ASSERT_TRUE(::SetFileAttributes(path.c_str(), FILE_ATTRIBUTE_NORMAL));
  }
}

// The conversion's files are one unit, StdAfx.h with them: a write that fails anywhere leaves all
// four as they were and the failure is reported, a run that goes on after a failure leaves them as
// the clean run does with a numbered backup of each project file it changed, no temporary file or
// handle is left, and a crash leaves each file whole.
TEST_F(UpgradeTest, AFailedWriteLeavesEveryFileOfTheConversionAsItWas) {
  const std::string pristine = sandbox::MapTempDrive('K');
  std::filesystem::copy(host_ + "/LegacyApp", pristine + "/LegacyApp", std::filesystem::copy_options::recursive);
  std::map<std::string, std::string> before, after, crashed;
  size_t handles = 0;
  const std::string folder = host_ + "/LegacyApp";
  // Whether a backup in the project's backup folder holds `bytes`.
  auto backedUp = [&](const std::string& bytes) {
    if (!std::filesystem::exists(folder + "/Sablewing_Backup")) return false;
    for (const auto& entry : std::filesystem::directory_iterator(folder + "/Sablewing_Backup"))
      if (sandbox::testing::ReadHostFile(entry.path().string()) == bytes) return true;
    return false;
  };
  auto leftovers = [&] {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
      if (entry.path().filename().string().find(".~") != std::string::npos) names.push_back(entry.path().string());
    return names;
  };
  auto restore = [&] {
    if (ide_ != NULL) ide_->Release();
    ide_ = NULL;
    sandbox::msdev::StopIde();
    std::filesystem::remove_all(host_ + "/LegacyApp");
    std::filesystem::copy(pristine + "/LegacyApp", host_ + "/LegacyApp", std::filesystem::copy_options::recursive);
    sandbox::msdev::StartIde();
    ASSERT_EQ(::CoCreateInstance(CLSID_Application, NULL, CLSCTX_LOCAL_SERVER, IID_IApplication,
                                 reinterpret_cast<void**>(&ide_)),
              S_OK);
    OpenWorkspace("P:\\LegacyApp\\LegacyApp.dsw");
    depot_.LoadComponents(NULL);
    handles = sandbox::OpenFileHandles();  // the running IDE's own
  };
  restore();
  before = ProjectFiles("LegacyApp");
  sandbox::testing::SweepFileFaults(
      {.arrange = restore,
       .run =
           [&] {
             try {
               Upgrade();
             } catch (CException* e) {
               e->Delete();
               return false;
             }
             if (after.empty()) after = ProjectFiles("LegacyApp");
             return true;
           },
       .checkFailed =
           [&](const sandbox::FileCall&, bool succeeded) {
             const std::map<std::string, std::string> now = ProjectFiles("LegacyApp");
             EXPECT_EQ(now, succeeded ? after : before);
             for (const char* name : {"LegacyApp.dsp", "LegacyApp.dsw"}) {
               if (now.at(name) != before.at(name)) {
                 EXPECT_TRUE(backedUp(before.at(name))) << name << " has no backup";
               }
             }
             EXPECT_EQ(leftovers(), std::vector<std::string>{});
             EXPECT_EQ(sandbox::OpenFileHandles(), handles);
           },
       .snapshot = [&] { crashed = ProjectFiles("LegacyApp"); },
       .checkCrash =
           [&](const sandbox::FileCall&) {
             for (const auto& [file, bytes] : crashed)
               EXPECT_TRUE(bytes == before.at(file) || bytes == after.at(file)) << file << " is torn";
             crashed.clear();
           }});
}

}  // namespace

// The customizer from end to end: the sample installation's catalogue loaded by the depot, a copy
// of the sample MFC DLL project open in the IDE stand-in, the selection applied through the bridge,
// the workspace reopened with the IDE's prompts answered, and the four files on disk compared with
// golden files byte for byte.
#include <gtest/gtest.h>

#include <functional>

#include "customizer_e2e_support.h"

using namespace addin_test;
using sandbox::testing::ThrownMessage;

namespace {

TEST_F(CustomizerEndToEndTest, AddsAComponentAndWhatItNeedsToAFreshProject) {
  Select({"TqGraph"});
  Apply();
  ExpectGolden("add_graph");
  EXPECT_EQ(dspBackup_, "P:\\Thermo\\Sablewing_Backup\\Thermo_sablewing_001.dsp");
  EXPECT_EQ(dswBackup_, "P:\\Thermo\\Sablewing_Backup\\Thermo_sablewing_001.dsw");
  EXPECT_EQ(DiskBytes(std::string(dspBackup_)),
            sandbox::testing::ReadHostFile(SampleFolder() + "/Projects/Thermo/Thermo.dsp"));
  // Every selected component with an includes-header line reads back.
  EXPECT_EQ(ReadBack(), (std::vector<std::string>{"TqControls", "TqCore", "TqCoreRuntime", "TqGraph"}));
  // The IDE was told the project changed and reloaded it; it keeps the new file.
  EXPECT_EQ(sandbox::msdev::WorkspacePath(), "P:\\Thermo\\Thermo.dsw");
  // The project names its precompiled header "stdafx.h": the file keeps its own name.
  EXPECT_TRUE(std::filesystem::exists(this->host_ + "/Thermo/StdAfx.h"));
  EXPECT_FALSE(std::filesystem::exists(this->host_ + "/Thermo/stdafx.h"));
}

// A component reads back as selected when the includes header lists one of its headers and, when
// it has a namespace, that namespace too.
TEST_F(CustomizerEndToEndTest, ReadsTheSelectionBackFromTheIncludesHeader) {
  struct Case {
    const char* name;
    const char* header;  // TqIncludes.h
    std::vector<std::string> selected;
  } const cases[] = {
      {"no includes header", NULL, {}},
      {"a header of a component without a namespace", "#include \"TqRuntime.h\"\r\n", {"TqCoreRuntime"}},
      {"a header without its namespace", "#include \"TqCore.h\"\r\n", {}},
      {"header and namespace", "#include \"TqCore.h\"\r\nusing namespace TqCore;\r\n", {"TqCore"}},
      {"a namespace shared by components whose headers are not all listed",
       "#include \"TqGraph.h\"\r\nusing namespace TqUI;\r\n", {"TqGraph"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ::DeleteFile("P:\\Thermo\\TqIncludes.h");
    if (c.header != NULL) WriteDisk("Thermo/TqIncludes.h", c.header);
    EXPECT_EQ(ReadBack(), c.selected);
  }
}

TEST_F(CustomizerEndToEndTest, TellsDllProjectsAndProjectsWithoutMfcApart) {
  const std::string original = DiskBytes("P:\\Thermo\\Thermo.dsp");
  auto edited = [&original](const std::string& from, const std::string& to) {
    std::string text = original;
    text.replace(text.rfind(from), from.size(), to);  // the last one: the Debug configuration's
    return text;
  };
  struct Case {
    const char* name;
    std::string project;
    bool dll, allMfc;
  } const cases[] = {
      {"the MFC DLL as made", original, true, true},
      {"Debug without MFC", edited("# PROP Use_MFC 6", "# PROP Use_MFC 0"), true, false},
      {"an application", edited("\"Win32 (x86) Dynamic-Link Library\" 0x0102", "\"Win32 (x86) Application\" 0x0101"),
       false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteDisk("Thermo/Thermo.dsp", c.project);
    CVSApplication app(ide_);
    app.LoadActiveProject();
    CVSProjectCustomizer customizer(true);
    EXPECT_EQ(customizer.IsDllProject(app), c.dll);
    EXPECT_EQ(customizer.AllConfigurationsUseMFC(app), c.allMfc);
  }
}

// Every question about the project and every run save all in the IDE before they read the
// project file: what the user changed there is what they work on, not an older file on disk.
TEST_F(CustomizerEndToEndTest, TheIdesUnsavedProjectIsSavedBeforeItIsRead) {
  const std::string project = std::string(kProjectDir) + "Thermo.dsp";
  const std::string original = DiskBytes(project);
  // On disk an older application without MFC; the IDE holds the MFC DLL it read.
  std::string older = original;
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"# PROP Use_MFC 6", "# PROP Use_MFC 0"},
                                 {"\"Win32 (x86) Dynamic-Link Library\" 0x0102", "\"Win32 (x86) Application\" 0x0101"}})
    for (size_t at = older.find(from); at != std::string::npos; at = older.find(from, at))
      older.replace(at, from.size(), to);
  CVSProjectCustomizer customizer(true);
  struct Case {
    const char* name;
    std::function<void(CVSApplication&)> run;
  } const cases[] = {
      {"IsDllProject", [&](CVSApplication& app) { EXPECT_TRUE(customizer.IsDllProject(app)); }},
      {"AllConfigurationsUseMFC", [&](CVSApplication& app) { EXPECT_TRUE(customizer.AllConfigurationsUseMFC(app)); }},
      {"ApplyComponentSelection",  // last: it leaves the workspace closed
       [&](CVSApplication& app) {
         customizer.ApplyComponentSelection(app, depot_.GetComponents(), false, NULL, NULL);
         EXPECT_NE(DiskBytes(project).find("# PROP Use_MFC 6"), std::string::npos);
         EXPECT_EQ(DiskBytes(project).find("# PROP Use_MFC 0"), std::string::npos);
       }},
  };
  Select({"TqCore"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteDisk("Thermo/Thermo.dsp", older);
    ChangeProjectInIde();
    CVSApplication app(ide_);
    app.LoadProjectList();  // the project, without saving anything
    c.run(app);
  }
}

// An include line the user wrote as message 5039 asks goes as a whole line: the lines before and
// after it stay apart, whether or not the include block comes in.
TEST_F(CustomizerEndToEndTest, AnOldIncludeLineGoesAndTheLinesAroundItStayApart) {
  const char header[] =
      "#define A 1\r\n#include \"TqIncludes.h\"\r\n#define B 2\r\n//{{AFX_INSERT_LOCATION}}\r\n";
  struct Case {
    const char* name;
    bool selectCore;
    const char* after;
  } const cases[] = {
      {"nothing selected", false, "#define A 1\r\n#define B 2\r\n//{{AFX_INSERT_LOCATION}}\r\n"},
      {"a component selected",
       true,
       "#define A 1\r\n#define B 2\r\n//{{AFX Sablewing\r\n\r\n#include \"TqIncludes.h\"\r\n\r\n//}}AFX Sablewing\r\n"
       "\r\n//{{AFX_INSERT_LOCATION}}\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteDisk("Thermo/StdAfx.h", header);
    if (c.selectCore)
      Select({"TqCore"});
    else
      Select({});
    CVSApplication app(ide_);
    app.LoadActiveProject();
    CDspEditor dsp;
    dsp.Open(app.GetProjectFilePath());
    CVSProjectCustomizer(true).IncludeIncludesFileInStdAfx(app, dsp, depot_.GetComponents());
    EXPECT_EQ(DiskBytes(std::string(kProjectDir) + "StdAfx.h"), c.after);
  }
}

TEST_F(CustomizerEndToEndTest, AddsACSourceDriverAndALibraryDriverInOneRun) {
  Select({"hgcounter", "tqpower"});
  Apply();
  ExpectGolden("add_drivers");
}

TEST_F(CustomizerEndToEndTest, RemovingAComponentTakesItsFilesSectionsAndWorkspaceEntriesButNotItsSettings) {
  Select({"TqGraph"});
  Apply();
  Select({"TqControls"});
  Apply();
  ExpectGolden("remove_graph");
}

TEST_F(CustomizerEndToEndTest, TheSameSelectionTwiceChangesNothingButTheBackups) {
  Select({"TqGraph", "hgcounter"});
  Apply();
  const std::map<std::string, std::string> first = EditedFiles();
  Apply();
  EXPECT_EQ(EditedFiles(), first);
  EXPECT_EQ(Backups(), (std::vector<std::string>{"Thermo_sablewing_001.dsp", "Thermo_sablewing_001.dsw",
                                                 "Thermo_sablewing_002.dsp", "Thermo_sablewing_002.dsw"}));
}

TEST_F(CustomizerEndToEndTest, DeselectingEverythingLeavesAnIncludesHeaderWithoutIncludes) {
  Select({"TqGraph", "hgcounter"});
  Apply();
  Select({});
  Apply();
  ExpectGolden("deselect_all");
  EXPECT_TRUE(ReadBack().empty());
}

TEST_F(CustomizerEndToEndTest, ReadOnlyFilesAreRefusedBeforeAnythingIsClosedOrWritten) {
  Select({"TqCore"});
  Apply(false);
  Select({"TqGraph"});
  for (const char* name : kEditedFiles) {
    SCOPED_TRACE(name);
    const std::string path = std::string(kProjectDir) + name;
    const std::map<std::string, std::string> before = EditedFiles();
    ASSERT_TRUE(::SetFileAttributes(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const size_t cleaned = sandbox::msdev::CleanedConfigurations().size();
    {
      CVSApplication app(ide_);
      app.LoadActiveProject();
      CVSProjectCustomizer customizer(depot_.IsWindowsNT());
      EXPECT_EQ(ThrownMessage<CVSProjectCustomizerException>([&] {
                  customizer.ApplyComponentSelection(app, depot_.GetComponents(), true, NULL, NULL);
                }),
                kReadOnlyMessage);
    }
    EXPECT_EQ(EditedFiles(), before);
    EXPECT_TRUE(Backups().empty());
    EXPECT_EQ(sandbox::msdev::WorkspacePath(), "P:\\Thermo\\Thermo.dsw");
    EXPECT_EQ(sandbox::msdev::CleanedConfigurations().size(), cleaned);
    ASSERT_TRUE(::SetFileAttributes(path.c_str(), FILE_ATTRIBUTE_NORMAL));
  }
}

// The project names its precompiled header "stdafx.h"; on disk it is StdAfx.h, found as on Windows.
// A configuration without a precompiled header (no /Yu, or /Yu without a name) is told about; a
// header that is named but not on disk is passed over without a word.
TEST_F(CustomizerEndToEndTest, PrecompiledHeadersThatAreMissingOrNotOnDisk) {
  const std::string project = std::string(kProjectDir) + "Thermo.dsp";
  const std::string original = DiskBytes(project);
  const std::string debugLine = "/D \"_USRDLL\" /Yu\"stdafx.h\" /FD /GZ /c";
  ASSERT_NE(original.find(debugLine), std::string::npos);
  struct Case {
    const char* name;
    const char* debugYu;  // what the Debug configuration says instead of /Yu"stdafx.h"
    bool deleteHeader;
    bool told;
  } const cases[] = {
      {"no /Yu in Debug", "", false, true},
      {"/Yu without a name in Debug", "/Yu ", false, true},
      {"StdAfx.h not on disk", "/Yu\"stdafx.h\" ", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = original;
    text.replace(text.find(debugLine), debugLine.size(), std::string("/D \"_USRDLL\" ") + c.debugYu + "/FD /GZ /c");
    WriteDisk("Thermo/Thermo.dsp", text);
    if (c.deleteHeader) ::DeleteFile("P:\\Thermo\\StdAfx.h");
    sandbox::ClearModals();
    Select({"TqCore"});
    Apply(false);
    int told = 0;
    for (const sandbox::Modal& modal : sandbox::Modals())
      if (modal.caption == "Sablewing" &&
          modal.text.find("does not use a precompiled header") != std::string::npos)
        ++told;
    EXPECT_EQ(told, c.told ? 1 : 0);
    EXPECT_NE(DiskBytes(project).find("TqCore.lib"), std::string::npos);  // the edits stay
    EXPECT_EQ(OnDisk("P:\\Thermo\\StdAfx.h"), !c.deleteHeader);
  }
}

// A precompiled header named with a folder ("pch\stdafx.h") lies below the project directory,
// whatever the process's current directory is; and a read-only one refuses the run before anything
// is written.
TEST_F(CustomizerEndToEndTest, APrecompiledHeaderInAFolderIsFoundBelowTheProjectNeverBelowTheCurrentDirectory) {
  std::string project = DiskBytes("P:\\Thermo\\Thermo.dsp");
  for (size_t at = project.find("/Yu\"stdafx.h\""); at != std::string::npos; at = project.find("/Yu\"stdafx.h\"", at + 1))
    project.replace(at, 13, "/Yu\"pch\\stdafx.h\"");
  WriteDisk("Thermo/Thermo.dsp", project);
  const std::string header = DiskBytes("P:\\Thermo\\StdAfx.h");
  ASSERT_TRUE(::DeleteFile("P:\\Thermo\\StdAfx.h"));
  WriteDisk("Thermo/pch/StdAfx.h", header);
  WriteDisk("Decoy/pch/StdAfx.h", header);
  ASSERT_TRUE(::SetCurrentDirectory("P:\\Decoy"));
  Select({"TqCore"});

  ASSERT_TRUE(::SetFileAttributes("P:\\Thermo\\pch\\StdAfx.h", FILE_ATTRIBUTE_READONLY));
  {
    CVSApplication app(ide_);
    app.LoadActiveProject();
    EXPECT_EQ(ThrownMessage<CVSProjectCustomizerException>([&] {
                CVSProjectCustomizer(true).ApplyComponentSelection(app, depot_.GetComponents(), false, NULL, NULL);
              }),
              kReadOnlyMessage);
  }
  EXPECT_EQ(DiskBytes("P:\\Thermo\\Thermo.dsp"), project);
  ASSERT_TRUE(::SetFileAttributes("P:\\Thermo\\pch\\StdAfx.h", FILE_ATTRIBUTE_NORMAL));

  Apply(false);
  EXPECT_EQ(DiskBytes("P:\\Thermo\\pch\\StdAfx.h"), GoldenBytes("e2e/add_graph/StdAfx.h"));
  EXPECT_EQ(DiskBytes("P:\\Decoy\\pch\\StdAfx.h"), header);
}

TEST_F(CustomizerEndToEndTest, ElevenRunsKeepTenBackupsAndReplaceTheOldest) {
  const std::string original = DiskBytes("P:\\Thermo\\Thermo.dsp");
  const char* const selections[] = {"TqCore", "TqUtility"};
  std::string tenthBefore;
  for (int run = 1; run <= 11; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    if (run == 11) tenthBefore = DiskBytes("P:\\Thermo\\Thermo.dsp");
    Select({selections[run % 2]});
    Apply();
  }
  std::vector<std::string> expected;
  for (int n = 1; n <= 10; ++n) {
    char name[64];
    std::snprintf(name, sizeof name, "Thermo_sablewing_%03d.dsp", n);
    expected.push_back(name);
    std::snprintf(name, sizeof name, "Thermo_sablewing_%03d.dsw", n);
    expected.push_back(name);
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Backups(), expected);
  // The eleventh run replaced the oldest copy, the first one, which held the original file.
  EXPECT_EQ(dspBackup_, "P:\\Thermo\\Sablewing_Backup\\Thermo_sablewing_001.dsp");
  EXPECT_EQ(DiskBytes("P:\\Thermo\\Sablewing_Backup\\Thermo_sablewing_001.dsp"), tenthBefore);
  EXPECT_NE(tenthBefore, original);
}

}  // namespace

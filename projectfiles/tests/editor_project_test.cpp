// The project editor and its sub-editors: each kind of edit saved and compared with its golden
// file, the matching rules that decide whether an edit changes anything, the editor caches, and
// the refusals.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "dsp/DspExceptions.h"
#include "dsp/DspLookupTables.h"
#include "editor_test_support.h"
#include "editors/DspEditor.h"

using namespace projectfiles_test;

namespace {

const char kSablewingInclude[] = "/I \"C:\\Program Files\\Sablewing\\include\"";
const char kSablewingLibPath[] = "/libpath:\"C:\\Program Files\\Sablewing\\lib\"";
const char kScopeSource[] = "\"C:\\Program Files\\Sablewing\\source\\TqScope.cpp\"";

class ProjectEditorTest : public DriveTest {
 protected:
  void SetUp() override {
    DriveTest::SetUp();
    path_ = CopyFixture("MeterDll.dsp");
    editor_.Open(path_.c_str());
  }

  CDspFolderEditor& Folder(CDspFileGroupEditor& group, const char* name) {
    int index = -1;
    EXPECT_TRUE(group.HasFolder(name, &index)) << name;
    return group.GetFolderEditor(index);
  }

  CDspTargetFileEditor& File(CDspFileGroupEditor& group, const char* path) {
    int index = -1;
    EXPECT_TRUE(group.HasFile(path, &index)) << path;
    return group.GetFileEditor(index);
  }

  std::string Saved() {
    editor_.Save();
    return DiskBytes(path_);
  }

  CDspFileGroupEditor& Top() { return editor_.GetTopLevelFileGroupEditor(); }

  std::string path_;
  CDspEditor editor_;
};

TEST_F(ProjectEditorTest, OpenAndSaveWithoutEditsWritesTheFileBack) {
  EXPECT_EQ(editor_.GetConfigurationCount(), 2);
  EXPECT_EQ(editor_.GetTargetType(), dspTargetDynamicLibrary);
  EXPECT_EQ(Saved(), FixtureBytes("MeterDll.dsp"));
}

// What the reader refuses the writer does not write either: a NUL would cut the line short.
TEST_F(ProjectEditorTest, ASettingHoldingANulIsNotWritten) {
  editor_.GetConfigurationEditor(0).AddLinkerSetting(CString("Tq\0X.lib", 8));
  EXPECT_EQ(ThrownMessage<TQ::CAppWizException>([&] { editor_.Save(); }),
            "The text holds a NUL character, which a text file cannot hold.");
  EXPECT_EQ(DiskBytes(path_), FixtureBytes("MeterDll.dsp"));
  EXPECT_FALSE(OnDisk(path_ + ".~new"));
}

TEST_F(ProjectEditorTest, LinkerAndCompilerSettingEditsMatchTheGoldenFile) {
  CDspConfigurationEditor& release = editor_.GetConfigurationEditor(0);
  CDspConfigurationEditor& debug = editor_.GetConfigurationEditor(1);
  EXPECT_STREQ(release.GetName(), "MeterDll - Win32 Release");

  release.AddLinkerSetting("TqMeter.lib");       // present
  release.AddLinkerSetting(kSablewingLibPath);   // present, a quoted blank inside
  release.AddLinkerSetting("TqScope.lib");
  release.RemoveLinkerSetting("TqInterface.lib");
  debug.RemoveLinkerSetting("TqAbsent.lib");
  debug.RemoveLinkerSetting("/PDB:NONE");        // only "/pdb:none" of the SUBTRACT line: not this line
  EXPECT_TRUE(debug.HasLinkerSetting("TqMeterD.lib"));
  EXPECT_FALSE(debug.HasLinkerSetting("tqmeterd.lib"));

  CCPPCompilerEntryEditor& cpp = debug.GetCompilerEditor();
  cpp.AddSetting(kSablewingInclude);  // present: the quoted path is one argument
  cpp.AddSetting("/D \"TQ_USE_SCOPE\"");
  cpp.AddSetting("/D   \"TQ_USE_SCOPE\"");  // the same setting: white space before the argument goes
  cpp.RemoveSetting("/FR");
  cpp.RemoveSetting("/Fr");  // absent
  cpp.AddSetting("/Zi");
  cpp.AddSetting("/Zi");  // debug-information switches never match: two of them
  EXPECT_EQ(Saved(), GoldenBytes("editor_MeterDll_settings.dsp"));
}

TEST_F(ProjectEditorTest, CompilerSettingMatchingRules) {
  CCPPCompilerEntryEditor& release = editor_.GetConfigurationEditor(0).GetCompilerEditor();
  CCPPCompilerEntryEditor& debug = editor_.GetConfigurationEditor(1).GetCompilerEditor();
  struct Row {
    const char* text;
    bool inRelease;
    bool inDebug;
  } rows[] = {
      {.text = "/D \"_DEBUG\"", .inRelease = false, .inDebug = true},
      {.text = "/D \"NDEBUG\"", .inRelease = true, .inDebug = false},
      {.text = "/D _DEBUG", .inRelease = false, .inDebug = false},  // the quotes are part of the value
      {.text = "/d \"_DEBUG\"", .inRelease = false, .inDebug = false},
      {.text = "/ZI", .inRelease = false, .inDebug = false},  // debug-information switches never match
      {.text = "/Yu\"stdafx.h\"", .inRelease = true, .inDebug = true},
      {.text = kSablewingInclude, .inRelease = true, .inDebug = true},
      {.text = "/I \"C:\\Program Files\\Sablewing\"", .inRelease = false, .inDebug = false},
      {.text = "/nologo", .inRelease = true, .inDebug = true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(release.HasSetting(row.text), row.inRelease);
    EXPECT_EQ(debug.HasSetting(row.text), row.inDebug);
  }
  int index = -99;
  EXPECT_TRUE(release.HasSetting("/W3", &index));
  EXPECT_EQ(index, 2);
  CString found = "(poison)";
  EXPECT_TRUE(debug.FindSettingByPrefix("/Yu", found));
  EXPECT_STREQ(found, "/Yu\"stdafx.h\"");
  EXPECT_FALSE(debug.FindSettingByPrefix("/Z", found));  // only /ZI starts so, and it is kind 3
  EXPECT_STREQ(found, "/Yu\"stdafx.h\"");
  EXPECT_EQ(editor_.GetConfigurationEditor(0).GetUseMFC(), 4);
}

TEST(CompilerSettingText, SplitsAtTheFirstBlankOutsideQuotes) {
  struct Row {
    const char* text;
    const char* switchText;
    const char* argument;
  } rows[] = {
      {.text = "/D \"_DEBUG\"", .switchText = "/D", .argument = "\"_DEBUG\""},
      {.text = "  /I   \"C:\\Program Files\\x\"", .switchText = "/I", .argument = "\"C:\\Program Files\\x\""},
      {.text = "/Fo\"Debug Files/\"", .switchText = "/Fo\"Debug Files/\"", .argument = ""},
      {.text = "/nologo", .switchText = "/nologo", .argument = ""},
      {.text = "", .switchText = "", .argument = ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    CString switchText = "(poison)", argument = "(poison)";
    CCPPCompilerEntryEditor::SplitSetting(row.text, switchText, argument);
    EXPECT_STREQ(switchText, row.switchText);
    EXPECT_STREQ(argument, row.argument);
  }
}

TEST_F(ProjectEditorTest, GroupAndSourceFileEditsMatchTheGoldenFile) {
  CDspFolderEditor& sablewing = Top().AddFolder("Sablewing", "", -1, false);  // present, no move
  EXPECT_STREQ(sablewing.GetName(), "Sablewing");
  CDspFolderEditor& scope = sablewing.AddFolder("Scope", "cpp;h", -1, false);
  CDspTargetFileEditor& scopeSource = scope.AddFile(kScopeSource, -1, false);
  scopeSource.GetAddCompilerEntryEditor().AddSetting("/I \"C:\\Program Files\\Sablewing\\source\"");

  CDspFolderEditor& sources = Folder(Top(), "Source Files");
  sources.RemoveFile(".\\MeterDll.def");
  sources.RemoveFile(".\\Absent.cpp");
  File(sources, ".\\StdAfx.cpp").GetAddCompilerEntryEditor().AddSetting("/D \"TQ_PCH\"");
  File(sources, ".\\MeterMath.c").GetSubtractCompilerEntryEditor().RemoveSetting("/YX");
  Folder(Top(), "Header Files").AddFile(".\\TqIncludes.h", -1, false);  // present
  Top().RemoveFolder("Resource Files");
  Top().RemoveFolder("Absent Files");
  File(Top(), ".\\ReadMe.txt").GetSubtractCompilerEntryEditor().AddSetting("/Fr");
  EXPECT_EQ(Saved(), GoldenBytes("editor_MeterDll_groups.dsp"));
}

TEST_F(ProjectEditorTest, AddingWhatIsPresentWithTheMoveFlagMovesIt) {
  Top().AddFolder("Sablewing", "", 0, true);
  Top().AddFile(".\\ReadMe.txt", -1, true);  // already the last child: no move
  Folder(Top(), "Header Files").AddFile(".\\StdAfx.h", 2, false);  // no move flag: stays
  EXPECT_EQ(Saved(), GoldenBytes("editor_MeterDll_move.dsp"));
}

TEST_F(ProjectEditorTest, SectionEditsMatchTheGoldenFile) {
  EXPECT_EQ(editor_.GetSectionCount(), 2);
  CDspSectionEditor& classes = editor_.GetSectionEditor("6A1F0C42-3B7E-4D19-9C55-2E8B0A7D41F3");
  classes.SetEntry(dspSectionClass, "CMeterDisplay");  // present
  classes.SetEntry(dspSectionClass, "CMeterGauge");    // same kind, other value: a second entry
  CDspSectionEditor& gauge = editor_.GetSectionEditor("E5B3A0D7-6C21-4F9E-8D43-19A7C0B25E6D");
  gauge.SetEntry(dspSectionHeaderFile, "metergauge.h");
  gauge.SetEntry(dspSectionImplFile, "metergauge.cpp");
  gauge.SetEntry(9, "# 0:0:Gauge:extra");  // not a key kind: a raw line
  gauge.SetEntry(dspSectionRawLine, "# 0:0:Gauge:extra");
  editor_.RemoveSection("C03D9E15-8A42-47B6-B1F0-5D2A6E93C7A8");
  editor_.RemoveSection("00000000-0000-0000-0000-000000000000");
  EXPECT_EQ(editor_.GetSectionCount(), 2);
  EXPECT_EQ(&editor_.GetSectionEditorAt(-1), &gauge);
  EXPECT_EQ(Saved(), GoldenBytes("editor_MeterDll_sections.dsp"));

  // Read again, the new section is a section of the project.
  CDspEditor reread;
  reread.Open(path_.c_str());
  EXPECT_EQ(reread.GetSectionCount(), 2);
  EXPECT_STREQ(reread.GetSectionEditorAt(1).GetSection().GetId(), "E5B3A0D7-6C21-4F9E-8D43-19A7C0B25E6D");
}

TEST_F(ProjectEditorTest, ChildKindsAndTheFirstGroupPosition) {
  const int top[] = {0, 0, 0, 0, 1};
  ASSERT_EQ(Top().GetCount(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Top().GetChildKind(i), top[i]) << i;
  CDspFolderEditor& sources = Folder(Top(), "Source Files");
  EXPECT_EQ(sources.GetChildKind(0), CDspFileGroupEditor::childOther);  // the empty line
  EXPECT_EQ(sources.GetChildKind(1), CDspFileGroupEditor::childDefaultFilter);
  EXPECT_EQ(sources.GetChildKind(2), CDspFileGroupEditor::childFile);
  EXPECT_TRUE(sources.HasFoldersOrFiles());
  EXPECT_FALSE(Folder(Top(), "Sablewing").AddFolder("Empty", "", -1, false).HasFoldersOrFiles());
  int position = -99;
  EXPECT_TRUE(editor_.GetTopLevelFileGroupEditor().GetFirstGroupPosition(&position));
  EXPECT_EQ(position, 3);  // after the empty line and the two "# Name" lines
}

// Editors belong to the object they edit: children added at -1 get editors of their own, and an
// editor stays with its child when indexes shift.
TEST_F(ProjectEditorTest, SubEditorsFollowTheirChildNotItsIndex) {
  CDspFolderEditor& a = Top().AddFolder("A", "", -1, false);
  CDspFolderEditor& b = Top().AddFolder("B", "", -1, false);
  EXPECT_NE(&a, &b);
  EXPECT_STREQ(a.GetName(), "A");
  EXPECT_STREQ(b.GetName(), "B");
  EXPECT_EQ(&Folder(Top(), "A"), &a);

  Top().AddFolder("B", "", 0, true);  // B moves to the front: every index shifts
  EXPECT_EQ(&Top().GetFolderEditor(0), &b);
  EXPECT_EQ(&Folder(Top(), "A"), &a);

  CDspTargetFileEditor& readMe = File(Top(), ".\\ReadMe.txt");
  Top().RemoveFolder("Source Files");
  EXPECT_EQ(&File(Top(), ".\\ReadMe.txt"), &readMe);
  EXPECT_STREQ(readMe.GetSourcePath(), ".\\ReadMe.txt");

  CDspTargetFileEditor& x = a.AddFile(".\\x.cpp", -1, false);
  CDspTargetFileEditor& y = a.AddFile(".\\y.cpp", -1, false);
  EXPECT_NE(&x, &y);
  EXPECT_STREQ(y.GetSourcePath(), ".\\y.cpp");
  a.RemoveFile(".\\x.cpp");
  EXPECT_EQ(&File(a, ".\\y.cpp"), &y);
}

TEST_F(ProjectEditorTest, LookupsOfTheWrongKindOrIndexAreRefused) {
  struct Row {
    const char* name;
    std::function<void()> call;
    const char* message;  // null: an index message
  } rows[] = {
      {.name = "folder editor of a file", .call = [this] { Top().GetFolderEditor(4); }, .message = "Dsp folder not found."},
      {.name = "file editor of a folder", .call = [this] { Top().GetFileEditor(0); }, .message = "Target file now found."},
      {.name = "remove a file as a folder", .call = [this] { Top().RemoveFolderAt(4); }, .message = "Dsp folder not found."},
      {.name = "folder editor past the end", .call = [this] { Top().GetFolderEditor(5); }, .message = nullptr},
      {.name = "new folder past the end", .call = [this] { Top().AddFolder("New", "", 9, false); }, .message = nullptr},
      {.name = "move past the end", .call = [this] { Top().AddFolder("Sablewing", "", 9, true); }, .message = nullptr},
      {.name = "configuration past the end", .call = [this] { editor_.GetConfigurationEditor(2); }, .message = nullptr},
      {.name = "section past the end", .call = [this] { editor_.GetSectionEditorAt(2); }, .message = nullptr},
      {.name = "remove a section past the end", .call = [this] { editor_.RemoveSectionAt(-2); }, .message = nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string message = ThrownMessage<TQ::CTqException>(row.call);
    if (row.message != nullptr)
      EXPECT_EQ(message, row.message);
    else
      EXPECT_EQ(message.rfind("Specified index: ", 0), 0u) << message;
  }
  EXPECT_FALSE(Top().HasFolder("New"));
  EXPECT_EQ(Saved(), FixtureBytes("MeterDll.dsp"));
}

TEST_F(ProjectEditorTest, SaveWithBackupKeepsTheOldProjectBesideIt) {
  editor_.GetConfigurationEditor(0).AddLinkerSetting("TqScope.lib");
  CString backup = "(poison)";
  editor_.Save(true, &backup, 10, "Sablewing_Backup", "_sablewing_");
  EXPECT_STREQ(backup, "T:\\Sablewing_Backup\\MeterDll_sablewing_001.dsp");
  EXPECT_EQ(DiskBytes("T:\\Sablewing_Backup\\MeterDll_sablewing_001.dsp"), FixtureBytes("MeterDll.dsp"));
  EXPECT_NE(DiskBytes(path_), FixtureBytes("MeterDll.dsp"));
}

// Every refusal of the reader reaches the caller of Open, and the file is not touched.
TEST(ProjectEditorOpen, RefusedProjectsAreLeftUntouched) {
  const std::string host = sandbox::MapTempDrive('T');
  const char* fixtures[] = {"dsp_refuse_empty.dsp", "dsp_refuse_static_library.dsp", "dsp_refuse_second_use_mfc.dsp",
                            "dsp_refuse_unbalanced_group.dsp", "dsp_refuse_eof_in_target.dsp"};
  for (const char* name : fixtures) {
    SCOPED_TRACE(name);
    const std::string bytes = FixtureBytes(name);
    {
      std::ofstream out(host + "/p.dsp", std::ios::binary);
      out << bytes;
    }
    CDspEditor editor;
    bool refused = false;
    try {
      editor.Open("T:\\p.dsp");
    } catch (CException* e) {
      refused = true;
      e->Delete();
    }
    EXPECT_TRUE(refused);
    EXPECT_EQ(ReadHostFile(host + "/p.dsp"), bytes);
    EXPECT_FALSE(ThrownMessage<TQ::CTqObjectNotInUsableStateException>(
                     [&] { editor.GetTopLevelFileGroupEditor(); }).empty());
    EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
  }
}

}  // namespace

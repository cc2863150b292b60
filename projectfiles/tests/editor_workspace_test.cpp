// The workspace and includes-header editors: each edit saved and compared with its golden file,
// and the edits that must change nothing.
#include <gtest/gtest.h>

#include <functional>

#include "editor_test_support.h"
#include "editors/DswEditor.h"
#include "editors/IncludesFileEditor.h"

using namespace projectfiles_test;

namespace {

const char kMeterGuid[] = "{6A1F0C42-3B7E-4D19-9C55-2E8B0A7D41F3}";
const char kDisplayGuid[] = "{C03D9E15-8A42-47B6-B1F0-5D2A6E93C7A8}";
const char kNewGuid[] = "{E5B3A0D7-6C21-4F9E-8D43-19A7C0B25E6D}";

using WorkspaceEditorTest = DriveTest;

TEST_F(WorkspaceEditorTest, ControlGuidEditsMatchTheirGoldenFiles) {
  struct Row {
    const char* name;
    const char* fixture;
    std::function<void(CDswEditor&)> edit;
    const char* golden;
  } rows[] = {
      {.name = "add to a block with GUIDs",
       .fixture = "MeterDll.dsw",
       .edit = [](CDswEditor& e) { e.AddControlGuid(kNewGuid); },
       .golden = "dsw_MeterDll_add_guid.dsw"},
      {.name = "add to an empty block",
       .fixture = "Instruments.dsw",
       .edit = [](CDswEditor& e) { e.AddControlGuid(kNewGuid); },
       .golden = "dsw_Instruments_add_guid.dsw"},
      {.name = "remove the line with text after its GUID",
       .fixture = "MeterDll.dsw",
       .edit = [](CDswEditor& e) { EXPECT_TRUE(e.RemoveControlGuid(kDisplayGuid)); },
       .golden = "dsw_MeterDll_remove_guid.dsw"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string path = CopyFixture(row.fixture, "ws.dsw");
    CDswEditor editor;
    editor.Open(path.c_str());
    row.edit(editor);
    editor.Save();
    EXPECT_EQ(DiskBytes(path), GoldenBytes(row.golden));
  }
}

TEST_F(WorkspaceEditorTest, EditsThatFindNothingToDoLeaveTheTextAsRead) {
  const std::string path = CopyFixture("MeterDll.dsw");
  CDswEditor editor;
  editor.Open(path.c_str());
  editor.AddControlGuid(kMeterGuid);
  EXPECT_FALSE(editor.RemoveControlGuid(kNewGuid));
  EXPECT_FALSE(editor.RemoveControlGuid("{6a1f0c42-3b7e-4d19-9c55-2e8b0a7d41f3}"));  // case counts
  EXPECT_TRUE(editor.HasControlGuid(kMeterGuid));
  editor.Save();
  EXPECT_EQ(DiskBytes(path), FixtureBytes("MeterDll.dsw"));
}

TEST_F(WorkspaceEditorTest, AddThenRemoveGivesTheFileBack) {
  const std::string path = CopyFixture("MeterDll.dsw");
  CDswEditor editor;
  editor.Open(path.c_str());
  editor.AddControlGuid(kNewGuid);
  editor.AddControlGuid(kNewGuid);
  EXPECT_TRUE(editor.RemoveControlGuid(kNewGuid));
  EXPECT_FALSE(editor.HasControlGuid(kNewGuid));
  editor.Save();
  EXPECT_EQ(DiskBytes(path), FixtureBytes("MeterDll.dsw"));
}

TEST_F(WorkspaceEditorTest, EditingBeforeASuccessfulOpenIsRefused) {
  const std::string path = CopyFixture("dsw_refuse_no_package3.dsw");
  CDswEditor editor;
  EXPECT_FALSE(ThrownMessage<TQ::CTqException>([&] { editor.Open(path.c_str()); }).empty());
  EXPECT_FALSE(ThrownMessage<TQ::CTqObjectNotInUsableStateException>([&] { editor.AddControlGuid(kNewGuid); })
                   .empty());
  EXPECT_EQ(DiskBytes(path), FixtureBytes("dsw_refuse_no_package3.dsw"));
}

using IncludesEditorTest = DriveTest;

TEST_F(IncludesEditorTest, HeaderAndNamespaceEditsMatchTheGoldenFile) {
  const std::string path = CopyFixture("TqIncludes.h");
  CIncludesFileEditor editor;
  editor.Open(path.c_str());
  editor.AddHeader("TqMeter.h");  // present: nothing
  editor.RemoveHeader("TqScope.h");
  editor.AddHeader("TqAnalysis.h");
  editor.RemoveNamespace("TqMeter");
  editor.RemoveNamespace("TqAbsent");
  editor.AddNamespace("TqScope");  // present: nothing
  editor.AddNamespace("TqAnalysis");
  EXPECT_TRUE(editor.HasHeader("TqAnalysis.h"));
  EXPECT_FALSE(editor.HasHeader("tqanalysis.h"));
  EXPECT_FALSE(editor.HasNamespace("TqMeter"));
  editor.Save();
  EXPECT_EQ(DiskBytes(path), GoldenBytes("includes_edited.h"));
}

TEST_F(IncludesEditorTest, ANewHeaderIsWrittenWhereNoneWas) {
  CIncludesFileEditor editor;
  editor.Open("T:\\TqIncludes.h");
  editor.AddHeader("TqMeter.h");
  editor.Save();
  EXPECT_EQ(DiskBytes("T:\\TqIncludes.h"), GoldenBytes("includes_headers_only.h"));
}

TEST_F(IncludesEditorTest, ClearEmptiesBothLists) {
  const std::string path = CopyFixture("TqIncludes.h");
  CIncludesFileEditor editor;
  editor.Open(path.c_str());
  editor.Clear();
  editor.Save();
  EXPECT_EQ(DiskBytes(path), GoldenBytes("includes_empty.h"));
}

}  // namespace

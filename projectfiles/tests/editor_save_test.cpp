// Saving through an editor: the backup comes first, the new text replaces the file only when it
// was written whole, and a failed save leaves the file, and the editor, as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dsp/DspExceptions.h"
#include "editor_test_support.h"
#include "editors/DspEditor.h"
#include "editors/DswEditor.h"
#include "editors/IncludesFileEditor.h"
#include "editors/ReplaceFile.h"

using namespace projectfiles_test;

namespace {

const char kNewGuid[] = "{E5B3A0D7-6C21-4F9E-8D43-19A7C0B25E6D}";

// The files on T: beside the one saved (any backup folder aside): 1 when nothing is left over.
int FilesIn(const std::string& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.is_regular_file()) ++count;
  return count;
}

class EditorSaveTest : public DriveTest {
 protected:
  void SetUp() override {
    DriveTest::SetUp();
    path_ = CopyFixture("MeterDll.dsw");
    editor_.Open(path_.c_str());
    editor_.AddControlGuid(kNewGuid);
  }


  std::string path_;
  CDswEditor editor_;
};

TEST_F(EditorSaveTest, BackupHoldsTheOldTextAndTheFileTheNew) {
  CString backup = "(poison)";
  editor_.Save(true, &backup, 10, "Sablewing_Backup", "_sablewing_");
  EXPECT_STREQ(backup, "T:\\Sablewing_Backup\\MeterDll_sablewing_001.dsw");
  EXPECT_EQ(DiskBytes(static_cast<LPCTSTR>(backup)), FixtureBytes("MeterDll.dsw"));
  EXPECT_EQ(DiskBytes(path_), GoldenBytes("dsw_MeterDll_add_guid.dsw"));
  EXPECT_EQ(FilesIn(host_), 1);

  editor_.Save(true, &backup, 10, "Sablewing_Backup", "_sablewing_");
  EXPECT_STREQ(backup, "T:\\Sablewing_Backup\\MeterDll_sablewing_002.dsw");
  EXPECT_EQ(DiskBytes(static_cast<LPCTSTR>(backup)), GoldenBytes("dsw_MeterDll_add_guid.dsw"));
}

TEST_F(EditorSaveTest, AFailedSaveLeavesTheFileAsItWasAndTheEditorUsable) {
  struct Row {
    const char* name;
    const char* failingPath;  // relative to T:\ ; empty: the workspace itself
    const char* operation;
    DWORD error;
  } rows[] = {
      {.name = "new text cannot be created", .failingPath = "MeterDll.dsw.~new", .operation = "open",
       .error = ERROR_ACCESS_DENIED},
      {.name = "disk full while writing", .failingPath = "MeterDll.dsw.~new", .operation = "write",
       .error = ERROR_DISK_FULL},
      {.name = "the new text cannot be flushed to the disk", .failingPath = "MeterDll.dsw.~new",
       .operation = "flush", .error = ERROR_DISK_FULL},
      {.name = "final flush fails", .failingPath = "MeterDll.dsw.~new", .operation = "close",
       .error = ERROR_DISK_FULL},
      {.name = "replacing the file fails", .failingPath = "", .operation = "move", .error = ERROR_SHARING_VIOLATION},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string failing = *row.failingPath ? "T:\\" + std::string(row.failingPath) : path_;
    sandbox::InjectFileFailure(failing, row.operation, row.error);
    EXPECT_NE(ThrownFileCause([&] { editor_.Save(); }), -1);
    sandbox::ClearFileFailures();
    EXPECT_EQ(DiskBytes(path_), FixtureBytes("MeterDll.dsw"));
    EXPECT_EQ(FilesIn(host_), 1);
    EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
  }
  editor_.Save();
  EXPECT_EQ(DiskBytes(path_), GoldenBytes("dsw_MeterDll_add_guid.dsw"));
}

// The new text replaces the file as it is on disk: its name keeps its case, however the caller
// spelled it, and it stays hidden.
TEST_F(EditorSaveTest, TheFileKeepsItsNameOnDiskAndItsAttributes) {
  ASSERT_TRUE(::SetFileAttributes(path_.c_str(), FILE_ATTRIBUTE_HIDDEN));
  CDswEditor editor;
  editor.Open("T:\\meterdll.DSW");
  editor.AddControlGuid(kNewGuid);
  editor.Save();
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(host_)) names.push_back(entry.path().filename());
  EXPECT_EQ(names, std::vector<std::string>{"MeterDll.dsw"});
  EXPECT_EQ(DiskBytes(path_), GoldenBytes("dsw_MeterDll_add_guid.dsw"));
  EXPECT_EQ(::GetFileAttributes(path_.c_str()), DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE});
}

// A NUL in the text would cut the line short in the file: such text is refused before it is written.
TEST_F(EditorSaveTest, TextHoldingANulIsNotWritten) {
  editor_.AddControlGuid(CString("{AB\0CD}", 7));
  EXPECT_EQ(ThrownMessage<TQ::CAppWizException>([&] { editor_.Save(); }),
            "The text holds a NUL character, which a text file cannot hold.");
  EXPECT_EQ(DiskBytes(path_), FixtureBytes("MeterDll.dsw"));
  EXPECT_EQ(FilesIn(host_), 1);
}

TEST_F(EditorSaveTest, AReadOnlyFileIsNotReplaced) {
  ASSERT_TRUE(::SetFileAttributes(path_.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(ThrownFileCause([&] { editor_.Save(); }), CFileException::accessDenied);
  EXPECT_EQ(DiskBytes(path_), FixtureBytes("MeterDll.dsw"));
  EXPECT_EQ(FilesIn(host_), 1);
}

TEST_F(EditorSaveTest, AFailedBackupWritesNothing) {
  sandbox::InjectFileFailure("T:\\Sablewing_Backup\\MeterDll_sablewing_001.dsw", "copy", ERROR_DISK_FULL);
  CString backup = "(poison)";
  EXPECT_EQ(ThrownFileCause([&] { editor_.Save(true, &backup, 10, "Sablewing_Backup", "_sablewing_"); }),
            CFileException::generic);
  EXPECT_STREQ(backup, "(poison)");
  EXPECT_EQ(DiskBytes(path_), FixtureBytes("MeterDll.dsw"));
  EXPECT_EQ(FilesIn(host_), 1);
}

}  // namespace

namespace {

using EditorSweepTest = DriveTest;

// Each editor's Save with a backup, swept: failing any one of its file calls leaves the file as it
// was, or (when the run went on) as a clean save leaves it, with its backup; nothing is left beside
// it and no handle stays open; a crash at any point leaves the file whole, old or new.
TEST_F(EditorSweepTest, EverySaveLeavesTheFileOldOrNewAtEveryPoint) {
  struct Row {
    const char* fixture;
    std::function<std::unique_ptr<CDevstudioEditor>(const std::string& path)> open;
  } const rows[] = {
      {.fixture = "MeterDll.dsp",
       .open = [](const std::string& path) -> std::unique_ptr<CDevstudioEditor> {
         auto editor = std::make_unique<CDspEditor>();
         editor->Open(path.c_str());
         editor->GetConfigurationEditor(0).AddLinkerSetting("TqSweep.lib");
         return editor;
       }},
      {.fixture = "MeterDll.dsw",
       .open = [](const std::string& path) -> std::unique_ptr<CDevstudioEditor> {
         auto editor = std::make_unique<CDswEditor>();
         editor->Open(path.c_str());
         editor->AddControlGuid(kNewGuid);
         return editor;
       }},
      {.fixture = "TqIncludes.h",
       .open = [](const std::string& path) -> std::unique_ptr<CDevstudioEditor> {
         auto editor = std::make_unique<CIncludesFileEditor>();
         editor->Open(path.c_str());
         editor->AddHeader("TqSweep.h");
         return editor;
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fixture);
    const std::string path = "T:\\" + std::string(row.fixture);
    const std::string before = FixtureBytes(row.fixture);
    std::string after, crashed;
    std::unique_ptr<CDevstudioEditor> editor;
    auto backups = [this] {
      std::vector<std::string> kept;
      if (std::filesystem::exists(host_ + "/Sablewing_Backup"))
        for (const auto& entry : std::filesystem::directory_iterator(host_ + "/Sablewing_Backup"))
          kept.push_back(sandbox::testing::ReadHostFile(entry.path().string()));
      return kept;
    };
    sandbox::testing::SweepFileFaults({
        .arrange =
            [&] {
              editor.reset();
              std::filesystem::remove_all(host_);
              std::filesystem::create_directory(host_);
              CopyFixture(row.fixture);
              editor = row.open(path);
            },
        .run =
            [&] {
              try {
                editor->Save(true, NULL, 10, "Sablewing_Backup", "_sablewing_");
              } catch (CException* e) {
                e->Delete();
                return false;
              }
              if (after.empty()) after = DiskBytes(path);  // the clean run's
              return true;
            },
        .checkFailed =
            [&](const sandbox::FileCall&, bool succeeded) {
              EXPECT_EQ(DiskBytes(path), succeeded ? after : before);
              if (succeeded) {
                EXPECT_EQ(backups(), std::vector<std::string>{before});
              }
              EXPECT_EQ(FilesIn(host_), 1);
              EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
            },
        .snapshot = [&] { crashed = DiskBytes(path); },
        .checkCrash = [&](const sandbox::FileCall&) { EXPECT_TRUE(crashed == before || crashed == after); },
    });
  }
}

using ReplacementSetTest = DriveTest;

// Files replaced as one unit: when the second cannot be replaced, the first gets its old text
// back and the message says so; when even that fails, the message names it.
TEST_F(ReplacementSetTest, AFailureWhileReplacingPutsBackWhatWasReplacedAndSaysSo) {
  struct Row {
    const char* name;
    int failingMoves;  // of the second file's move, then of the first file's put back
    const char* message;
    const char* firstAfter;
  } const rows[] = {
      {.name = "put back", .failingMoves = 1, .message = "nothing has been changed", .firstAfter = "old a\r\n"},
      {.name = "not put back", .failingMoves = 2, .message = "could not be put back and hold their new text:\nT:\\a.txt",
       .firstAfter = "new a\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    WriteDisk("a.txt", "old a\r\n");
    WriteDisk("b.txt", "old b\r\n");
    CReplacementSet files;
    files.Stage("T:\\a.txt", [](CStdioFile& file) { file.WriteString("new a\n"); });
    files.Stage("T:\\b.txt", [](CStdioFile& file) { file.WriteString("new b\n"); });
    for (int n = 2; n < 2 + row.failingMoves; ++n) sandbox::FailNthFileCall("move", n, ERROR_ACCESS_DENIED);
    const std::string message = ThrownMessage<TQ::CAppWizException>([&] { files.ReplaceAll(); });
    EXPECT_NE(message.find("T:\\b.txt"), std::string::npos) << message;
    EXPECT_NE(message.find(row.message), std::string::npos) << message;
    EXPECT_EQ(DiskBytes("T:\\a.txt"), row.firstAfter);
    EXPECT_EQ(DiskBytes("T:\\b.txt"), "old b\r\n");
    EXPECT_EQ(FilesIn(host_), 2);
    sandbox::ClearFileFailures();
  }
}

using RefusedEditorTest = DriveTest;

// A workspace the reader refused is never written back from its partly read model.
TEST_F(RefusedEditorTest, AnEditorWhoseOpenFailedRefusesToSave) {
  const std::string path = CopyFixture("dsw_refuse_eof_in_package.dsw");
  CDswEditor editor;
  EXPECT_EQ(ThrownMessage<TQ::CAppWizException>([&] { editor.Open(path.c_str()); }), "Read file failed.");
  EXPECT_FALSE(editor.IsOpen());
  EXPECT_FALSE(ThrownMessage<TQ::CTqObjectNotInUsableStateException>([&] { editor.Save(); }).empty());
  EXPECT_EQ(DiskBytes(path), FixtureBytes("dsw_refuse_eof_in_package.dsw"));
  CDswEditor never;
  EXPECT_FALSE(ThrownMessage<TQ::CTqObjectNotInUsableStateException>([&] { never.Save(); }).empty());
}

}  // namespace

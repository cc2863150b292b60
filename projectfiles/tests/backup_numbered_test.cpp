// Numbered backups: the first free number, the cap, the oldest overwritten first, the backup
// folder, and the refusals.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "TqFile.h"
#include "editors/NumberedBackup.h"
#include "editor_test_support.h"

using namespace projectfiles_test;

namespace {

class NumberedBackupTest : public DriveTest {
 protected:
  void SetUp() override {
    DriveTest::SetUp();
    WriteDisk("Meter/MeterDll.dsp", "current\r\n");
  }

  std::string Backup(int max, const char* subfolder = "Sablewing_Backup") {
    CString made = "(poison)";
    MakeNumberedBackup("T:\\Meter\\MeterDll.dsp", max, subfolder, "_sablewing_", &made);
    return static_cast<LPCTSTR>(made);
  }

  static std::string Numbered(int n) {
    char name[64];
    std::snprintf(name, sizeof name, "T:\\Meter\\Sablewing_Backup\\MeterDll_sablewing_%03d.dsp", n);
    return name;
  }

  // Backups 1..count exist, number n last written at minute n (so 1 is the oldest).
  void MakeExisting(int count) {
    for (int n = 1; n <= count; ++n) {
      char relative[64];
      std::snprintf(relative, sizeof relative, "Meter/Sablewing_Backup/MeterDll_sablewing_%03d.dsp", n);
      WriteDisk(relative, "old " + std::to_string(n) + "\r\n");
      SetWritten(Numbered(n), n);
    }
  }

  void SetWritten(const std::string& path, int minute) {
    TQ::SetFileModificationTime(path.c_str(), CTime(2001, 3, 4, 10, minute, 0));
  }
};

TEST_F(NumberedBackupTest, FirstBackupCreatesTheFolderAndTakesNumberOne) {
  EXPECT_EQ(Backup(10), Numbered(1));
  EXPECT_EQ(DiskBytes(Numbered(1)), "current\r\n");
  EXPECT_EQ(DiskBytes("T:\\Meter\\MeterDll.dsp"), "current\r\n");
}

TEST_F(NumberedBackupTest, TheNextFreeNumberIsUsedWhileBelowTheCap) {
  MakeExisting(3);
  EXPECT_EQ(Backup(10), Numbered(4));
  EXPECT_EQ(DiskBytes(Numbered(4)), "current\r\n");
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(DiskBytes(Numbered(n)), "old " + std::to_string(n) + "\r\n");
}

TEST_F(NumberedBackupTest, AtTheCapTheOldestIsOverwritten) {
  struct Row {
    const char* name;
    int oldest;  // the number given the earliest time
  } rows[] = {{.name = "oldest first", .oldest = 1}, {.name = "oldest in the middle", .oldest = 7},
              {.name = "oldest last", .oldest = 10}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    MakeExisting(10);
    SetWritten(Numbered(row.oldest), 0);
    EXPECT_EQ(Backup(10), Numbered(row.oldest));
    EXPECT_EQ(DiskBytes(Numbered(row.oldest)), "current\r\n");
    EXPECT_FALSE(OnDisk("T:\\Meter\\Sablewing_Backup\\MeterDll_sablewing_011.dsp"));
  }
}

TEST_F(NumberedBackupTest, EqualTimesOverwriteTheLowestNumber) {
  MakeExisting(3);
  for (int n = 1; n <= 3; ++n) SetWritten(Numbered(n), 30);
  EXPECT_EQ(Backup(3), Numbered(1));
}

// Successive saves of a changing file walk through the numbers and then replace the oldest.
TEST_F(NumberedBackupTest, RepeatedBackupsCycleThroughTheNumbers) {
  std::vector<std::string> made;
  for (int round = 1; round <= 5; ++round) {
    WriteDisk("Meter/MeterDll.dsp", "version " + std::to_string(round) + "\r\n");
    SetWritten("T:\\Meter\\MeterDll.dsp", round);
    made.push_back(Backup(3));
  }
  EXPECT_EQ(made, (std::vector<std::string>{Numbered(1), Numbered(2), Numbered(3), Numbered(1), Numbered(2)}));
  EXPECT_EQ(DiskBytes(Numbered(1)), "version 4\r\n");
  EXPECT_EQ(DiskBytes(Numbered(2)), "version 5\r\n");
  EXPECT_EQ(DiskBytes(Numbered(3)), "version 3\r\n");
}

TEST_F(NumberedBackupTest, WithoutASubfolderBackupsGoBesideTheFile) {
  EXPECT_EQ(Backup(10, ""), "T:\\Meter\\MeterDll_sablewing_001.dsp");
  EXPECT_EQ(DiskBytes("T:\\Meter\\MeterDll_sablewing_001.dsp"), "current\r\n");
}

TEST_F(NumberedBackupTest, AnExistingFolderIsUsedAndNestedFoldersAreCreated) {
  MakeExisting(1);
  EXPECT_EQ(Backup(10), Numbered(2));
  CString made;
  MakeNumberedBackup("T:\\Meter\\MeterDll.dsp", 10, "Old\\Deep", "_t", &made);
  EXPECT_STREQ(made, "T:\\Meter\\Old\\Deep\\MeterDll_t001.dsp");
  EXPECT_EQ(DiskBytes("T:\\Meter\\Old\\Deep\\MeterDll_t001.dsp"), "current\r\n");
}

TEST_F(NumberedBackupTest, RefusalsThrowTheFileCauseAndLeaveTheFileAlone) {
  struct Row {
    const char* name;
    int max;
    std::function<void()> arrange;
    int cause;
  } rows[] = {
      {.name = "maximum below one", .max = 0, .arrange = [] {}, .cause = CFileException::generic},
      {.name = "folder name taken by a file",
       .max = 10,
       .arrange = [this] { WriteDisk("Meter/Sablewing_Backup", "a file\r\n"); },
       .cause = CFileException::badPath},
      {.name = "copy fails",
       .max = 10,
       .arrange =
           [] {
             sandbox::InjectFileFailure("T:\\Meter\\Sablewing_Backup\\MeterDll_sablewing_001.dsp", "copy",
                                        ERROR_DISK_FULL);
           },
       .cause = CFileException::generic},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::Reset();
    SetUp();
    row.arrange();
    CString made = "(poison)";
    EXPECT_EQ(ThrownFileCause([&] { MakeNumberedBackup("T:\\Meter\\MeterDll.dsp", row.max, "Sablewing_Backup",
                                                        "_sablewing_", &made); }),
              row.cause);
    EXPECT_STREQ(made, "(poison)");
    EXPECT_EQ(DiskBytes("T:\\Meter\\MeterDll.dsp"), "current\r\n");
    EXPECT_FALSE(OnDisk(Numbered(1)));
  }
}

TEST_F(NumberedBackupTest, AMissingFileHasNoBackup) {
  EXPECT_EQ(ThrownFileCause([&] { MakeNumberedBackup("T:\\Meter\\Absent.dsp", 10, "", "_b", NULL); }),
            CFileException::generic);
  EXPECT_FALSE(OnDisk("T:\\Meter\\Absent_b001.dsp"));
}

}  // namespace

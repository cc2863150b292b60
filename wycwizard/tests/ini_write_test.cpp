// Writing: the file's exact bytes, standard output, and the write beside the target that leaves
// the target as it was whenever anything fails.
#include "ini_test_support.h"

#include <filesystem>
#include <string>

namespace {

using initest::IniTest;

const std::string kFixtures = sandbox::testing::SourceRoot() + "/wycwizard/tests/fixtures/";
const std::string kGolden = sandbox::testing::SourceRoot() + "/wycwizard/tests/golden/";

class IniWriteTest : public IniTest {
 protected:
  // The fixture read, with a few items put.
  IniFile Settings() {
    IniFile file = ReadText(sandbox::testing::ReadHostFile(kFixtures + "settings.ini"));
    EXPECT_EQ(IniFileSetText(file, "project", "Path", "C:\\Meter\tX"), 1);
    EXPECT_EQ(IniFileSetLong(file, "Files", "Count", 2), 1);
    EXPECT_EQ(IniFileSetText(file, "New", "Item", "line1\nline2"), 1);
    EXPECT_EQ(IniFileSetRaw(file, "New", "Raw", "a\nb"), 1);
    return file;
  }
  // No temporary file is left in the folder.
  bool TemporaryFilesLeft(const std::string& hostFolder) {
    for (const auto& entry : std::filesystem::directory_iterator(hostFolder))
      if (entry.path().filename().string().starts_with("ini$$")) return true;
    return false;
  }
};

// CR LF, " = ", quotes as read or put, an empty line after each section, a repeated section
// written twice.
TEST_F(IniWriteTest, GoldenFile) {
  IniFile file = Settings();
  ASSERT_EQ(IniFileWrite(file, "T:\\Out\\settings.ini"), TBX_CANNOT_WRITE) << "the folder does not exist yet";
  WriteDisk("Out/other.txt", "");
  ASSERT_EQ(IniFileWrite(file, "T:\\Out\\settings.ini"), 0);
  EXPECT_EQ(DiskBytes("T:\\Out\\settings.ini"), sandbox::testing::ReadHostFile(kGolden + "settings_written.ini"));
  EXPECT_FALSE(TemporaryFilesLeft(host_ + "/Out"));
  // Written again over itself: the same bytes.
  ASSERT_EQ(IniFileWrite(file, "T:\\Out\\settings.ini"), 0);
  EXPECT_EQ(DiskBytes("T:\\Out\\settings.ini"), sandbox::testing::ReadHostFile(kGolden + "settings_written.ini"));
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

TEST_F(IniWriteTest, WithoutAPathToStandardOutput) {
  IniFile file = Settings();
  testing::internal::CaptureStdout();
  const int result = IniFileWrite(file, nullptr);
  const std::string written = testing::internal::GetCapturedStdout();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(written, sandbox::testing::ReadHostFile(kGolden + "settings_written.ini"));
}

struct RefusalCase {
  const char* what;
  const char* path;
  int result;
};

TEST_F(IniWriteTest, TargetsThatCannotBeWritten) {
  WriteDisk("Locked/kept.ini", "kept");
  WriteDisk("ro.ini", "read-only");
  ASSERT_TRUE(SetFileAttributes("T:\\ro.ini", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(SetFileAttributes("T:\\Locked", FILE_ATTRIBUTE_READONLY));
  const RefusalCase cases[] = {
      {.what = "a new file in a read-only folder", .path = "T:\\Locked\\new.ini", .result = TBX_CANNOT_WRITE},
      {.what = "a file in a read-only folder: no temporary file beside it", .path = "T:\\Locked\\kept.ini",
       .result = TBX_NO_TEMP_FILE},
      {.what = "a read-only file", .path = "T:\\ro.ini", .result = TBX_CANNOT_WRITE},
      {.what = "a folder", .path = "T:\\Locked", .result = TBX_CANNOT_WRITE},
  };
  IniFile file = Settings();
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(IniFileWrite(file, c.path), c.result);
  }
  EXPECT_EQ(DiskBytes("T:\\Locked\\kept.ini"), "kept");
  EXPECT_EQ(DiskBytes("T:\\ro.ini"), "read-only");
  EXPECT_FALSE(OnDisk("T:\\Locked\\new.ini"));
  EXPECT_FALSE(TemporaryFilesLeft(host_));
  EXPECT_FALSE(TemporaryFilesLeft(host_ + "/Locked"));
}

struct FailureCase {
  const char* what;
  const char* path;       // where the failure is injected
  const char* operation;
  bool large;             // more than the stream's buffer: writes go out before the flush
  int result;
};

// Before the fix, a failed close passed as success and the target was removed before the move.
TEST_F(IniWriteTest, AFailedWriteFlushCloseOrMoveLeavesTheTargetAsItWas) {
  const FailureCase cases[] = {
      {.what = "a write", .path = "T:\\ini$$0.TMP", .operation = "write", .large = true, .result = TBX_WRITE_FAILED},
      {.what = "the flush", .path = "T:\\ini$$0.TMP", .operation = "write", .large = false,
       .result = TBX_WRITE_FAILED},
      {.what = "the close", .path = "T:\\ini$$0.TMP", .operation = "close", .large = false,
       .result = TBX_WRITE_FAILED},
      {.what = "the move", .path = "T:\\target.ini", .operation = "move", .large = false, .result = TBX_MOVE_FAILED},
      {.what = "the temporary file's open", .path = "T:\\ini$$0.TMP", .operation = "open", .large = false,
       .result = TBX_NO_TEMP_FILE},
  };
  const std::string before = "[old]\r\nkept = 1\r\n";
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.what);
    WriteDisk("target.ini", before);
    IniFile file = Make();
    IniFileSetText(file, "s", "t", "new");
    for (int i = 0; c.large && i < 2000; ++i) IniFileSetLong(file, "s", ("n" + std::to_string(i)).c_str(), i);
    sandbox::InjectFileFailure(c.path, c.operation, ERROR_DISK_FULL);
    EXPECT_EQ(IniFileWrite(file, "T:\\target.ini"), c.result);
    EXPECT_EQ(DiskBytes("T:\\target.ini"), before);
    EXPECT_FALSE(TemporaryFilesLeft(host_));
    EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
    sandbox::ClearFileFailures();
    // Nothing is stuck: the next write goes through.
    EXPECT_EQ(IniFileWrite(file, "T:\\target.ini"), 0);
    EXPECT_EQ(DiskBytes("T:\\target.ini").substr(0, 16), "[s]\r\nt = \"new\"\r\n");
  }
}

}  // namespace

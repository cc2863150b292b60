// Read-then-write of whole project files: what comes back byte for byte, and the changes the
// writer is documented to make.
#include <algorithm>

#include "dsp/DspConfigSet.h"
#include "dsp/DspLookupTables.h"
#include "dsp/DspSection.h"
#include "dsp_test_support.h"

using namespace projectfiles_test;

namespace {

class DspRoundTrip : public DspTest {};

// Files as the IDE writes them come back unchanged; the two with documented changes are compared
// with their golden files.
TEST_F(DspRoundTrip, WellFormedFilesWriteBackAsRead) {
  struct Row {
    const char* fixture;
    const char* golden;  // null: the fixture itself
    int configurations;
    int targetType;
    int sections;
  } rows[] = {
      {.fixture = "MeterDll.dsp",
       .golden = nullptr,
       .configurations = 2,
       .targetType = dspTargetDynamicLibrary,
       .sections = 2},
      {.fixture = "ScopeView.dsp",
       .golden = nullptr,
       .configurations = 2,
       .targetType = dspTargetApplication,
       .sections = 0},
      {.fixture = "ScopeDrv.dsp",
       .golden = nullptr,
       .configurations = 4,
       .targetType = dspTargetDynamicLibrary,
       .sections = 0},
      // Its BASE LINK32 lines hold a double blank, which the rebuilt line makes one.
      {.fixture = "BenchConsole.dsp",
       .golden = "dsp_BenchConsole.dsp",
       .configurations = 2,
       .targetType = dspTargetConsole,
       .sections = 0},
      {.fixture = "dsp_changes.dsp",
       .golden = "dsp_changes.dsp",
       .configurations = 3,
       .targetType = dspTargetDynamicLibrary,
       .sections = 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fixture);
    ReadFixture(row.fixture);
    EXPECT_EQ(file_.GetConfigurationCount(), row.configurations);
    EXPECT_EQ(file_.GetTargetTypeKind(), row.targetType);
    EXPECT_EQ(file_.GetSectionCount(), row.sections);
    const std::string expected = row.golden ? GoldenBytes(row.golden) : FixtureBytes(row.fixture);
    EXPECT_EQ(WrittenBytes(), expected);
  }
}

// Many files reach users with LF line ends only; they read the same and are written with CR LF.
TEST_F(DspRoundTrip, LineFeedOnlyFileReadsAndWritesWithCrLf) {
  std::string bytes = FixtureBytes("MeterDll.dsp");
  bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
  WriteDisk("lf.dsp", bytes);
  Read("T:\\lf.dsp");
  EXPECT_EQ(file_.GetConfigurationCount(), 2);
  EXPECT_EQ(WrittenBytes(), FixtureBytes("MeterDll.dsp"));
}

// Paths and group names carry double-byte text: the bytes pass through untouched.
TEST_F(DspRoundTrip, DoubleByteNamesPassThrough) {
  sandbox::SetCodePage(932);
  std::string bytes = FixtureBytes("MeterDll.dsp");
  // A group name and a quoted path whose double-byte characters end in the bytes 0x5C and 0x7C.
  const std::string group = "\x83\x5C\x81\x5B\x83\x58 (\x95\x5C)";
  const std::string path = "\".\\\x83\x5C\x81\x7C\\Meter Math.c\"";
  bytes.replace(bytes.find("Header Files"), 12, group);
  bytes.replace(bytes.find(".\\MeterMath.c"), 13, path);
  WriteDisk("dbcs.dsp", bytes);
  Read("T:\\dbcs.dsp");
  EXPECT_EQ(WrittenBytes(), bytes);
}

// A second read replaces the first completely.
TEST_F(DspRoundTrip, ReadingAgainStartsFromAnEmptyTree) {
  ReadFixture("MeterDll.dsp");
  ReadFixture("BenchConsole.dsp");
  EXPECT_STREQ(file_.GetProjectName(), "BenchConsole");
  EXPECT_EQ(file_.GetSectionCount(), 0);
  EXPECT_EQ(WrittenBytes(), GoldenBytes("dsp_BenchConsole.dsp"));
}

}  // namespace

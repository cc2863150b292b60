// The callback-table manager: its settings file, the scan of the project file for .uir files,
// the table file it writes (byte for byte), and the custom build steps it adds.
#include <gtest/gtest.h>

#include <objmodel/appauto.h>
#include <objmodel/bldauto.h>
#include <comdef.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sandbox/msdev.h"
#include "sandbox/wycrte.h"
#include "uir/UIRMgr.h"
#include "wyc_test_support.h"

_COM_SMARTPTR_TYPEDEF(IConfigurations, __uuidof(IConfigurations));
_COM_SMARTPTR_TYPEDEF(IConfiguration, __uuidof(IConfiguration));

namespace {

using wyctest::kGolden;
using wyctest::Time;
using wyctest::WycTest;

const char kMeter[] = "T:\\Projects\\WycMeter\\";

// The manager's records as "path@high:low" (flag set) or "path@high:low!" (flag clear).
std::vector<std::string> Records(const CUIRMgr& manager) {
  std::vector<std::string> records;
  for (const CFileStamp& stamp : manager.GetUIRs())
    records.push_back(std::string(stamp.m_path) + "@" + std::to_string(stamp.m_time.dwHighDateTime) + ":" +
                      std::to_string(stamp.m_time.dwLowDateTime) + (stamp.m_flag ? "" : "!"));
  return records;
}

template <class Body>
int Thrown(Body body) {
  try {
    body();
  } catch (CUIRMgrExc e) {
    return e;
  }
  return -1;
}

class UIRMgrTest : public WycTest {
 protected:
  void SetUp() override {
    WycTest::SetUp();
    CopyMeter();
    SetWriteTime("T:\\Projects\\WycMeter\\meter.uir", Time(0x01C0F000, 100));
    SetWriteTime("T:\\Projects\\WycMeter\\panels\\setup.uir", Time(0x01C0F000, 200));
  }
  // The scan's result and count.
  std::pair<int, int> Scan(CUIRMgr& manager, const char* dsp = "WycMeter.dsp", const char* folder = kMeter) {
    int count = -1;
    const int result = manager.ScanProjectFile(folder, dsp, count);
    return {result, count};
  }
  bool TemporaryFilesLeft(const std::string& hostFolder) {
    for (const auto& entry : std::filesystem::directory_iterator(hostFolder))
      if (entry.path().filename().string().starts_with("uir$$")) return true;
    return false;
  }
};

// --- The settings file ----------------------------------------------------------------------

TEST_F(UIRMgrTest, SettingsFileGoldenAndBack) {
  CUIRMgr manager;
  EXPECT_EQ(manager.GetPromptDSPSave(), FALSE) << "starts false";
  EXPECT_EQ(Scan(manager), std::make_pair(static_cast<int>(CUIRMgr::SCAN_MORE), 2));
  manager.SetTableFile("T:\\Projects\\WycMeter\\UIRCallbackTable.c");
  manager.SetPromptDSPSave(TRUE);
  manager.SaveState("T:\\Projects\\WycMeter\\WycMeter.hga");
  EXPECT_EQ(DiskBytes("T:\\Projects\\WycMeter\\WycMeter.hga"), sandbox::testing::ReadHostFile(kGolden + "WycMeter.hga"));

  CUIRMgr loaded;
  EXPECT_EQ(loaded.LoadState("T:\\Projects\\WycMeter\\WycMeter.hga"), 0);
  EXPECT_EQ(loaded.GetTableFile(), "T:\\Projects\\WycMeter\\UIRCallbackTable.c");
  EXPECT_EQ(loaded.GetPromptDSPSave(), TRUE);
  EXPECT_EQ(Records(loaded), Records(manager));
  EXPECT_EQ(Scan(loaded).first, CUIRMgr::SCAN_SAME) << "the times came back whole";

  // No records: no UIRs or UIRDates section; the file is replaced whole.
  manager.Clear();
  manager.SetPromptDSPSave(FALSE);
  manager.SaveState("T:\\Projects\\WycMeter\\WycMeter.hga");
  EXPECT_EQ(DiskBytes("T:\\Projects\\WycMeter\\WycMeter.hga"),
            "[UIRMgr]\r\nVersion = 100\r\nPromptDSPSave = False\r\nTableFile = \"\"\r\n\r\n");
  EXPECT_EQ(Thrown([&] { manager.SaveState("T:\\Nowhere\\WycMeter.hga"); }), UIRMGR_EXC_NO_MEMORY);
}

TEST_F(UIRMgrTest, LoadStateTakesOnlyAWholeSettingsFile) {
  const std::string head = "[UIRMgr]\r\nVersion = 100\r\nPromptDSPSave = True\r\nTableFile = \"T:\\table.c\"\r\n";
  const std::string meter = "T:\\Projects\\WycMeter\\meter.uir";
  const std::string files = "[UIRs]\r\n" + meter + " = True\r\nT:\\gone.uir = False\r\n";
  const std::string dates = "[UIRDates]\r\n" + meter + " = \"100, 29421568\"\r\nT:\\gone.uir = \"1, 2\"\r\n";
  const struct {
    const char* what;
    std::string text;  // "" writes no file
    int result;
    std::vector<std::string> records = {};
  } rows[] = {
      {.what = "whole; a file that is gone is dropped", .text = head + files + dates, .result = 0,
       .records = {meter + "@29421568:100"}},
      {.what = "no UIRs section: no records", .text = head, .result = 0},
      {.what = "no file", .text = "", .result = 1},
      {.what = "no Version", .text = "[UIRMgr]\r\nPromptDSPSave = True\r\nTableFile = \"t.c\"\r\n", .result = 1},
      {.what = "a Version that is no integer", .text = "[UIRMgr]\r\nVersion = 1.0\r\nPromptDSPSave = True\r\nTableFile = \"t.c\"\r\n",
       .result = 1},
      {.what = "no TableFile", .text = "[UIRMgr]\r\nVersion = 100\r\nPromptDSPSave = True\r\n", .result = 1},
      {.what = "a PromptDSPSave that is no boolean",
       .text = "[UIRMgr]\r\nVersion = 7\r\nPromptDSPSave = Yes\r\nTableFile = \"t.c\"\r\n", .result = 1},
      {.what = "a file's flag that is no boolean", .text = head + "[UIRs]\r\n" + meter + " = 1\r\n" + dates, .result = 1},
      {.what = "UIRDates lacks a listed path", .text = head + files + "[UIRDates]\r\n" + meter + " = \"100, 29421568\"\r\n",
       .result = 1},
      {.what = "a date that is not two numbers", .text = head + files + "[UIRDates]\r\n" + meter + " = \"100\"\r\n",
       .result = 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    DeleteFile("T:\\state.hga");
    if (!row.text.empty()) WriteDisk("state.hga", row.text);
    CUIRMgr manager;
    manager.SetTableFile("T:\\before.c");
    manager.SetUIRs({CFileStamp(false, "T:\\before.uir", Time(1, 1))});
    EXPECT_EQ(manager.LoadState("T:\\state.hga"), row.result);
    EXPECT_EQ(Records(manager), row.records);
    EXPECT_EQ(manager.GetTableFile(), row.result == 0 ? "T:\\table.c" : "");
  }
}

// --- The scan -------------------------------------------------------------------------------

TEST_F(UIRMgrTest, ScanComparesTheProjectsUIRFilesWithTheRecords) {
  CUIRMgr manager;
  const std::string dsp = DiskBytes("T:\\Projects\\WycMeter\\WycMeter.dsp");
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = dsp;
    text.replace(text.find(from), from.size(), to);
    WriteDisk("Projects/WycMeter/WycMeter.dsp", text);
  };
  const std::string meter = std::string(kMeter) + "meter.uir", setup = std::string(kMeter) + "panels\\setup.uir";
  WriteDisk("Projects/WycMeter/other.uir", "WycUIR 1\n");
  SetWriteTime("T:\\Projects\\WycMeter\\other.uir", Time(0x01C0F000, 300));
  const std::string other = std::string(kMeter) + "other.uir";

  EXPECT_EQ(Scan(manager), std::make_pair(0, 2)) << "more than none";
  EXPECT_EQ(Records(manager), (std::vector<std::string>{meter + "@29421568:100", setup + "@29421568:200"}))
      << "in project-file order, the flag set";
  EXPECT_EQ(Scan(manager), std::make_pair(3, 2)) << "the same";
  SetWriteTime(setup.c_str(), Time(0x01C0F000, 201));
  EXPECT_EQ(Scan(manager), std::make_pair(2, 2)) << "a file touched";
  EXPECT_EQ(Records(manager)[1], setup + "@29421568:201");
  replaced("SOURCE=.\\meter.uir", "SOURCE=.\\meter.c");
  EXPECT_EQ(Scan(manager), std::make_pair(1, 1)) << "one removed";
  replaced("SOURCE=.\\meter.uir", "SOURCE=.\\other.uir");
  EXPECT_EQ(Scan(manager), std::make_pair(0, 2)) << "one added";
  EXPECT_EQ(Scan(manager), std::make_pair(3, 2));
  replaced("SOURCE=.\\meter.uir", "SOURCE=.\\other.uir");
  EXPECT_EQ(Records(manager)[0], other + "@29421568:300");
  WriteDisk("Projects/WycMeter/WycMeter.dsp", dsp);
  EXPECT_EQ(Scan(manager), std::make_pair(2, 2)) << "one replaced by another";
}

TEST_F(UIRMgrTest, ScanResolvesPathsAndCountsOnlyLowerCaseUIR) {
  WriteDisk("Work/Proj/a.uir", "");
  WriteDisk("Work/Proj/sub/b.uir", "");
  WriteDisk("Work/c.uir", "");
  WriteDisk("Work/Proj/d.UIR", "");
  WriteDisk("Work/Proj/..x.uir", "");
  WriteDisk("elsewhere.uir", "");
  // A long line whose last 259-character piece, read alone, would name a .uir file.
  const std::string fake = "SOURCE=.\\" + std::string(246, 'g') + ".uir";
  WriteDisk("Work/Proj/" + fake.substr(9), "");
  const std::string longLine = "SOURCE=\"" + std::string(251, 'a') + fake + std::string(79, 'b') + ".c\"";
  ASSERT_EQ(fake.size(), 259u);
  ASSERT_EQ(longLine.size(), 600u);
  WriteDisk("Work/Proj/p.dsp", "# Begin Source File\r\n\r\nSOURCE=.\\a.uir\r\n"
                               "SOURCE=\"sub\\b.uir\"\r\n"
                               "SOURCE=..\\c.uir\r\n"
                               "SOURCE=..x.uir\r\n"
                               "SOURCE=.\\d.UIR\r\n"
                               "SOURCE=T:\\elsewhere.uir\r\n"
                               "  SOURCE=.\\a.uir\r\n" +
                                   longLine + "\r\nSOURCE=\r\n");
  CUIRMgr manager;
  EXPECT_EQ(Scan(manager, "p.dsp", "T:\\Work\\Proj"), std::make_pair(0, 5));
  std::vector<std::string> paths;
  for (const CFileStamp& stamp : manager.GetUIRs()) paths.push_back(std::string(stamp.m_path));
  EXPECT_EQ(paths, (std::vector<std::string>{"T:\\Work\\Proj\\a.uir", "T:\\Work\\Proj\\sub\\b.uir", "T:\\Work\\c.uir",
                                             "T:\\Work\\Proj\\..x.uir", "T:\\elsewhere.uir"}));

  EXPECT_EQ(Thrown([&] { Scan(manager, "none.dsp", "T:\\Work\\Proj\\"); }), UIRMGR_EXC_NO_PROJECT);
  EXPECT_EQ(Thrown([&] { Scan(manager, "p.dsp", "T:\\Nowhere\\"); }), UIRMGR_EXC_NO_PROJECT);
  WriteDisk("Work/Proj/q.dsp", "SOURCE=.\\a.uir\r\nSOURCE=.\\missing.uir\r\n");
  EXPECT_EQ(Thrown([&] { Scan(manager, "q.dsp", "T:\\Work\\Proj\\"); }), UIRMGR_EXC_FILE);
  EXPECT_EQ(manager.GetUIRs().size(), 5u) << "a failed scan keeps the records";
  sandbox::InjectFileFailure("T:\\Work\\Proj\\p.dsp", "open", ERROR_SHARING_VIOLATION);
  EXPECT_EQ(Thrown([&] { Scan(manager, "p.dsp", "T:\\Work\\Proj\\"); }), UIRMGR_EXC_FILE);
  sandbox::InjectFileFailure("T:\\Work\\Proj\\p.dsp", "read", ERROR_READ_FAULT);
  EXPECT_EQ(Thrown([&] { Scan(manager, "p.dsp", "T:\\Work\\Proj\\"); }), UIRMGR_EXC_FILE);
  EXPECT_EQ(manager.GetUIRs().size(), 5u);
  // A line far longer than any one read is still one line: here it names a .uir file that cannot
  // open, where its pieces would name none.
  WriteDisk("Work/Proj/long.dsp", "SOURCE=.\\" + std::string(200000, 'g') + ".uir\r\nSOURCE=.\\a.uir\r\n");
  EXPECT_EQ(Thrown([&] { Scan(manager, "long.dsp", "T:\\Work\\Proj\\"); }), UIRMGR_EXC_FILE);
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
  // A line's text ends at a NUL, and the last line needs no line end.
  WriteDisk("Work/Proj/end.dsp", std::string("SOURCE=sub\\b.uir") + '\0' + "x.c\r\nSOURCE=.\\a.uir");
  EXPECT_EQ(Scan(manager, "end.dsp", "T:\\Work\\Proj\\"), std::make_pair(1, 2));
  paths.clear();
  for (const CFileStamp& stamp : manager.GetUIRs()) paths.push_back(std::string(stamp.m_path));
  EXPECT_EQ(paths, (std::vector<std::string>{"T:\\Work\\Proj\\sub\\b.uir", "T:\\Work\\Proj\\a.uir"}));
}

// --- The table file -------------------------------------------------------------------------

TEST_F(UIRMgrTest, TableFilesGolden) {
  CUIRMgr manager;
  manager.SetTableFile("T:\\Projects\\WycMeter\\UIRCallbackTable.c");
  manager.WriteTableFile();
  const std::string none = DiskBytes("T:\\Projects\\WycMeter\\UIRCallbackTable.c");
  EXPECT_EQ(none.size(), 879u);
  EXPECT_EQ(none, sandbox::testing::ReadHostFile(kGolden + "UIRCallbackTable_none.c"));
  EXPECT_EQ(sandbox::ClockNow(), wyctest::kStart + 1000) << "a second's wait after the write";

  Scan(manager);
  manager.WriteTableFile();
  EXPECT_EQ(DiskBytes("T:\\Projects\\WycMeter\\UIRCallbackTable.c"),
            sandbox::testing::ReadHostFile(kGolden + "UIRCallbackTable_meter.c"))
      << "QuitCB of both files: two prototypes and two entries";
  EXPECT_EQ(sandbox::wycrte::LiveHandles(), 0u);
  EXPECT_FALSE(TemporaryFilesLeft(host_ + "/Projects/WycMeter"));
}

TEST_F(UIRMgrTest, AFailedWriteLeavesTheOldTable) {
  const char* table = "T:\\Projects\\WycMeter\\UIRCallbackTable.c";
  WriteDisk("Projects/WycMeter/UIRCallbackTable.c", "the old table");
  WriteDisk("Projects/WycMeter/bad.uir", "not a uir file");
  const struct {
    const char* what;
    std::vector<CFileStamp> uirs = {};
    const char* tableFile;
    void (*set)(const char* table);
  } rows[] = {
      {.what = "a .uir the engine finds malformed",
       .uirs = {CFileStamp(true, "T:\\Projects\\WycMeter\\meter.uir", Time(0, 1)),
                CFileStamp(true, "T:\\Projects\\WycMeter\\bad.uir", Time(0, 2))},
       .tableFile = table, .set = [](const char*) {}},
      {.what = "a .uir that is gone", .uirs = {CFileStamp(true, "T:\\Projects\\WycMeter\\gone.uir", Time(0, 1))},
       .tableFile = table, .set = [](const char*) {}},
      {.what = "a table in a folder that does not exist", .tableFile = "T:\\Nowhere\\UIRCallbackTable.c",
       .set = [](const char*) {}},
      {.what = "a read-only table", .tableFile = table,
       .set = [](const char* t) { SetFileAttributes(t, FILE_ATTRIBUTE_READONLY); }},
      {.what = "a failing write beside it", .tableFile = table,
       .set = [](const char*) { sandbox::InjectFileFailure("T:\\Projects\\WycMeter\\uir$$0.TMP", "write", ERROR_DISK_FULL); }},
      {.what = "a failing move over it", .tableFile = table,
       .set = [](const char* t) { sandbox::InjectFileFailure(t, "move", ERROR_ACCESS_DENIED); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    CUIRMgr manager;
    manager.SetTableFile(row.tableFile);
    std::set<CFileStamp> uirs(row.uirs.begin(), row.uirs.end());
    manager.SetUIRs(uirs);
    row.set(row.tableFile);
    EXPECT_EQ(Thrown([&] { manager.WriteTableFile(); }), UIRMGR_EXC_FILE);
    EXPECT_EQ(DiskBytes(table), "the old table");
    EXPECT_FALSE(TemporaryFilesLeft(host_ + "/Projects/WycMeter"));
    EXPECT_EQ(sandbox::wycrte::LiveHandles(), 0u);
    SetFileAttributes(table, FILE_ATTRIBUTE_NORMAL);
    sandbox::ClearFileFailures();
  }
  EXPECT_EQ(sandbox::ClockNow(), wyctest::kStart) << "no wait after a failure";
}

// --- Custom build steps ---------------------------------------------------------------------

class UIRBuildStepTest : public UIRMgrTest {
 protected:
  void SetUp() override {
    UIRMgrTest::SetUp();
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    std::string error;
    ASSERT_TRUE(sandbox::msdev::OpenWorkspace("T:\\Projects\\WycMeter\\WycMeter.dsw", &error)) << error;
  }
  void TearDown() override {
    sandbox::msdev::StopIde();
    CoUninitialize();
  }
  // Configuration `index` of the workspace's one project.
  IConfigurationPtr Configuration(LONG index) {
    IBuildProjectPtr build = wyctest::FirstProject();
    IConfigurationsPtr configurations;
    EXPECT_EQ(build->get_Configurations(&configurations), S_OK);
    IConfigurationPtr configuration;
    EXPECT_EQ(configurations->Item(_variant_t(index, VT_I4), &configuration), S_OK);
    return configuration;
  }
};

TEST_F(UIRBuildStepTest, EveryUIRFileGetsTheCopyStepAndAFailureStopsNoOther) {
  CUIRMgr manager;
  Scan(manager);
  using Change = sandbox::msdev::SettingChange;
  const std::string debug = "WycMeter - Win32 Debug";
  const auto step = [&](const std::string& file) {
    return Change{debug, "AddCustomBuildStepToFile",
                  {file, "copy \"$(InputPath)\" \"$(OutDir)\"\\$(InputName).uir", "\"$(OutDir)\"\\$(InputName).uir",
                   "Copying UIR file to output folder..."}};
  };
  EXPECT_TRUE(manager.AddUIRCustomBuildStep(Configuration(2)));
  const std::string meter = std::string(kMeter) + "meter.uir", setup = std::string(kMeter) + "panels\\setup.uir";
  EXPECT_EQ(sandbox::msdev::SettingChanges(), (std::vector<Change>{step(meter), step(setup)}));

  sandbox::msdev::InjectFailure("IConfiguration::AddCustomBuildStepToFile", E_FAIL);
  EXPECT_FALSE(manager.AddUIRCustomBuildStep(Configuration(2)));
  EXPECT_EQ(sandbox::msdev::SettingChanges().size(), 3u);
  EXPECT_EQ(sandbox::msdev::SettingChanges().back(), step(setup)) << "the second file still gets its step";
}

}  // namespace

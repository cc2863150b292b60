// Fault sweeps of the INI writer, the callback-table manager's settings file and its table file:
// each file call of a clean run fails in turn, and the files are copied aside just before each one
// (what a crash there leaves). A failure is reported and leaves the file as it was (or, when the
// run still succeeded, as the clean run leaves it), nothing beside it and no handle open; a crash
// leaves the file whole, old or new.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ini/IniFile.h"
#include "sandbox/wycrte.h"
#include "uir/UIR.h"
#include "uir/UIRMgr.h"
#include "wyc_test_support.h"

namespace {

using wyctest::Time;

const char kMeter[] = "T:\\Projects\\WycMeter\\";

class WriterSweepTest : public wyctest::WycTest {
 protected:
  void SetUp() override {
    WycTest::SetUp();
    CopyMeter();
    // Bound before any sweep: the binding is made once per module and is no file write.
    CUIR::LoadRunTimeEngine();
  }

  // The bytes of a file of the meter's folder; nullopt when it is not there.
  std::optional<std::string> Bytes(const std::string& name) {
    const std::string path = kMeter + name;
    if (!OnDisk(path)) return std::nullopt;
    return DiskBytes(path);
  }
  void Put(const std::string& name, const std::optional<std::string>& bytes) {
    const std::string host = sandbox::HostPath(kMeter + name);
    std::filesystem::remove(host);
    if (bytes) sandbox::testing::WriteHostFile(host, *bytes);
  }
  // The files of the meter's folder (not its sub-folders), by name.
  std::vector<std::string> Files() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(host_ + "/Projects/WycMeter"))
      if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  // Sweeps a writer of one file of the meter's folder, which holds `before` (nullopt: absent).
  void Sweep(const std::string& name, const std::optional<std::string>& before, const std::function<bool()>& write) {
    std::optional<std::string> after, crashed;
    std::vector<std::string> filesAfter;
    std::vector<std::string> filesBefore;
    sandbox::testing::SweepFileFaults({
        .arrange =
            [&] {
              Put(name, before);
              if (filesBefore.empty()) filesBefore = Files();
              for (const auto& file : Files())
                if (std::find(filesBefore.begin(), filesBefore.end(), file) == filesBefore.end())
                  std::filesystem::remove(sandbox::HostPath(kMeter + file));
            },
        .run =
            [&] {
              if (!write()) return false;
              if (!after) {
                after = Bytes(name);
                filesAfter = Files();
              }
              return true;
            },
        .checkFailed =
            [&](const sandbox::FileCall&, bool succeeded) {
              EXPECT_EQ(Bytes(name), succeeded ? after : before);
              EXPECT_EQ(Files(), succeeded ? filesAfter : filesBefore) << "nothing left beside the file";
              EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
              EXPECT_EQ(sandbox::wycrte::LiveHandles(), 0u);
            },
        .snapshot = [&] { crashed = Bytes(name); },
        .checkCrash = [&](const sandbox::FileCall&) { EXPECT_TRUE(crashed == before || crashed == after); },
    });
    EXPECT_NE(after, before) << "the clean run writes the file";
  }
};

TEST_F(WriterSweepTest, IniFileWrite) {
  IniFile file = IniFileMake(0);
  ASSERT_EQ(IniFileRead(file, "T:\\Projects\\WycMeter\\WycMeter.prj"), 0);
  IniFileSetText(file, "Project Header", "Build Configuration", "Release");
  const std::optional<std::string> rows[] = {std::nullopt, "[old]\r\nkept = 1\r\n"};
  for (const auto& before : rows) {
    SCOPED_TRACE(before ? "replacing a file" : "a new file");
    Sweep("out.ini", before, [&] { return IniFileWrite(file, "T:\\Projects\\WycMeter\\out.ini") == 0; });
  }
  IniFileFree(file);
}

TEST_F(WriterSweepTest, SaveState) {
  CUIRMgr manager;
  int count = 0;
  manager.ScanProjectFile(kMeter, "WycMeter.dsp", count);
  manager.SetTableFile("T:\\Projects\\WycMeter\\UIRCallbackTable.c");
  const std::optional<std::string> rows[] = {std::nullopt, "[UIRMgr]\r\nVersion = 100\r\n"};
  for (const auto& before : rows) {
    SCOPED_TRACE(before ? "replacing a file" : "a new file");
    Sweep("WycMeter.hga", before, [&] {
      try {
        manager.SaveState("T:\\Projects\\WycMeter\\WycMeter.hga");
        return true;
      } catch (CUIRMgrExc e) {
        EXPECT_EQ(e, UIRMGR_EXC_NO_MEMORY) << "every failure of the save";
        return false;
      }
    });
  }
}

// A failing read of a .uir file, or a failing write of the table, keeps the old table.
TEST_F(WriterSweepTest, WriteTableFile) {
  CUIRMgr manager;
  int count = 0;
  manager.ScanProjectFile(kMeter, "WycMeter.dsp", count);
  ASSERT_EQ(count, 2);
  manager.SetTableFile("T:\\Projects\\WycMeter\\UIRCallbackTable.c");
  const std::optional<std::string> rows[] = {std::nullopt, "// the old table\n"};
  for (const auto& before : rows) {
    SCOPED_TRACE(before ? "replacing a table" : "a new table");
    Sweep("UIRCallbackTable.c", before, [&] {
      try {
        manager.WriteTableFile();
        return true;
      } catch (CUIRMgrExc e) {
        EXPECT_EQ(e, UIRMGR_EXC_FILE) << "every failure of a file";
        return false;
      }
    });
  }
}

}  // namespace

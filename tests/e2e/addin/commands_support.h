// The add-in's commands from end to end: the sample installation (or its legacy product), copies of
// the sample's projects on drive P:, the add-in registered and loaded by the IDE, and each command
// run as the user clicks its button, the scripted user answering its dialogs and boxes.
#pragma once

#include <afxwin.h>

#include <filesystem>
#include <map>

#include "e2e_support.h"

namespace e2e_test {

constexpr char kProductKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vellacott\\Sablewing\\VC";

class CommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = sandbox::MapTempDrive('P');
    sandbox::MapDrive('C', sandbox::testing::SourceRoot() + "/sample");
    std::string error;
    ASSERT_TRUE(sandbox::RegistryLoad(sandbox::testing::SourceRoot() + "/sample/sablewing.reg", &error)) << error;
    ASSERT_EQ(::CoInitialize(NULL), S_OK);
    ASSERT_EQ(Regsvr32({"/s", AddInPath()}), kRegsvr32Done);
    CopyProjects("Projects/Thermo", "Thermo");
    CopyProjects("Legacy/Projects", "");
    // A standing clock: the add-in's thread that answers the IDE's questions after a reopen runs
    // until the test moves the clock past its three seconds.
    sandbox::SetClock(sandbox::ClockNow());
    sandbox::msdev::StartIde();
  }

  void TearDown() override {
    sandbox::msdev::StopIde();
    // The add-in goes once its threads have ended, before the next test loads it again. A thread
    // takes its start from the clock when it first runs, which may be after the last move.
    for (int i = 0; i < 5000 && LoadedAddIn() != nullptr; ++i) {
      sandbox::AdvanceClock(1000);
      ::CoFreeUnusedLibraries();
      ::Sleep(1);
    }
    EXPECT_EQ(LoadedAddIn(), nullptr);
    ::CoUninitialize();
  }

  void CopyProjects(const std::string& from, const std::string& to) {
    std::filesystem::create_directories(host_ + "/" + to);
    std::filesystem::copy(sandbox::testing::SourceRoot() + "/sample/" + from, host_ + "/" + to,
                          std::filesystem::copy_options::recursive);
  }

  // The legacy product as the installation.
  static void UseLegacyProduct() { sandbox::RegistrySetString(kProductKey, "InstallDir", "C:\\Legacy\\Sablewing"); }

  static void Open(const std::string& workspace) {
    std::string error;
    ASSERT_TRUE(sandbox::msdev::OpenWorkspace(workspace, &error)) << error;
  }

  // Clicks the command's button, then lets the IDE ask what it asks when its UI thread next pumps
  // (the add-in's thread answers the reload questions the answers leave alone).
  HRESULT Run(const std::string& command) {
    const HRESULT result = sandbox::msdev::RunCommand(command);
    Settle();
    return result;
  }

  // Pumps until every queued answer was used (a box left alone ends when the add-in's thread
  // answers it), then lets that thread's three seconds pass.
  static void Settle() {
    for (int i = 0; i < 5000; ++i) {
      PumpMessages();
      if (sandbox::PendingAnswers() == 0) break;
      ::Sleep(1);
    }
    PumpMessages();
    sandbox::AdvanceClock(3000);
  }

  // The files of a project folder of P: that the add-in rewrites, "<none>" when absent.
  std::map<std::string, std::string> ProjectFiles(const std::string& folder, const std::string& name) {
    std::map<std::string, std::string> files;
    for (const std::string& file : {name + ".dsp", name + ".dsw", std::string("TqIncludes.h"), std::string("StdAfx.h")}) {
      const std::string path = host_ + "/" + folder + "/" + file;
      files[file] = std::filesystem::exists(path) ? sandbox::testing::ReadHostFile(path) : "<none>";
    }
    return files;
  }

  // The backups made in a project folder of P:.
  std::vector<std::string> Backups(const std::string& folder) {
    std::vector<std::string> names;
    const std::string backups = host_ + "/" + folder + "/Sablewing_Backup";
    if (!std::filesystem::exists(backups)) return names;
    for (const auto& entry : std::filesystem::directory_iterator(backups)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  static std::string Golden(const std::string& name) {
    return sandbox::testing::ReadHostFile(sandbox::testing::SourceRoot() + "/" + name);
  }

  // What the commands' frame must leave: the IDE's modeless windows enabled, no wait cursor.
  static void ExpectFrameUndone() {
    EXPECT_EQ(sandbox::msdev::ModelessDisabledDepth(), 0);
    EXPECT_EQ(AfxGetApp()->m_nWaitCursorCount, 0);
  }

  // The modals shown, as "<kind> <caption>: <text>" ("#<id>" for a dialog's text).
  static std::vector<std::string> Shown() {
    std::vector<std::string> shown;
    for (const sandbox::Modal& modal : sandbox::Modals()) shown.push_back(modal.kind + " " + modal.caption + ": " + modal.text);
    return shown;
  }

  std::string host_;
};

}  // namespace e2e_test

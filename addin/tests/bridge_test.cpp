// The bridge against the IDE stand-in over a four-project workspace: where the workspace and the
// projects lie, saving, cleaning every configuration, closing with the IDE's prompts suppressed,
// reopening with its prompts answered, and the state machine that makes each happen once.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "bridge/VSApplicationException.h"
#include "bridge_test_support.h"

using namespace addin_test;
using sandbox::testing::ThrownMessage;

namespace {

const char kWorkspace[] = "T:\\Instruments\\Instruments.dsw";

class BridgeTest : public IdeDriveTest<'T'> {
 protected:
  void SetUp() override {
    IdeDriveTest::SetUp();
    const std::string fixtures = sandbox::testing::SourceRoot() + "/projectfiles/tests/fixtures/";
    auto copy = [&](const char* fixture, const std::string& relative) {
      WriteDisk("Instruments/" + relative, sandbox::testing::ReadHostFile(fixtures + fixture));
    };
    copy("Instruments.dsw", "Instruments.dsw");
    copy("BenchConsole.dsp", "BenchConsole/BenchConsole.dsp");
    copy("MeterDll.dsp", "MeterDll/MeterDll.dsp");
    copy("ScopeView.dsp", "Scope View/ScopeView.dsp");
    copy("ScopeDrv.dsp", "ScopeDrv/ScopeDrv.dsp");
    WriteDisk("Instruments/MeterDll/StdAfx.h", "//{{AFX_INSERT_LOCATION}}\r\n");
    OpenWorkspace(kWorkspace);
  }

  // Every configuration of the workspace, in the order of the projects and of their configurations.
  static std::vector<std::string> AllConfigurations() {
    std::vector<std::string> all;
    for (const sandbox::msdev::Project& project : sandbox::msdev::Projects())
      all.insert(all.end(), project.configurations.begin(), project.configurations.end());
    return all;
  }

  // Automation objects other than the application that are still alive.
  static int LeftOverObjects() {
    int count = 0;
    for (const auto& [kind, live] : sandbox::msdev::LiveObjects())
      if (kind != "Application") count += live;
    return count;
  }
};

TEST(BridgeWithoutIde, NeedsTheHostApplicationAndFindsNoOwnerWindowWithoutThrowing) {
  EXPECT_EQ(ThrownMessage<CVSApplicationException>([] { CVSApplication app(NULL); }), "Fatal Error");
  EXPECT_EQ(CVSApplication::GetMainFrameHandle(), static_cast<HWND>(NULL));
}

TEST_F(BridgeTest, KnowsWhereTheWorkspaceAndItsProjectsLie) {
  {
    CVSApplication app(ide_);
    EXPECT_EQ(app.GetWorkspacePath(), kWorkspace);
    EXPECT_EQ(CVSApplication::GetMainFrameHandle(), AfxGetApp()->GetMainWnd()->GetSafeHwnd());

    app.LoadActiveProject();
    EXPECT_EQ(app.GetProjectName(), "BenchConsole");
    EXPECT_EQ(app.GetProjectDir(), "T:\\Instruments\\BenchConsole\\");
    EXPECT_EQ(app.GetProjectFilePath(), "T:\\Instruments\\BenchConsole\\BenchConsole.dsp");

    app.LoadProjectList();
    std::vector<std::string> visited = {std::string(app.GetProjectDir() + app.GetProjectName())};
    while (app.NextProject()) visited.push_back(std::string(app.GetProjectDir() + app.GetProjectName()));
    EXPECT_EQ(visited, (std::vector<std::string>{"T:\\Instruments\\BenchConsole\\BenchConsole",
                                                 "T:\\Instruments\\MeterDll\\MeterDll",
                                                 "T:\\Instruments\\Scope View\\ScopeView",
                                                 "T:\\Instruments\\ScopeDrv\\ScopeDrv"}));
    EXPECT_FALSE(app.NextProject());
    EXPECT_EQ(app.GetProjectName(), "ScopeDrv");
  }
  EXPECT_EQ(LeftOverObjects(), 0);
}

TEST_F(BridgeTest, WithoutProjectsOrAnActiveProjectThereIsNothingToWorkOn) {
  const std::string noProject = "You must load a project before you can use this wizard.";
  struct Case {
    const char* name;
    const char* failing;  // an automation method that fails once, or null
    bool closeWorkspace;
  } const cases[] = {
      {"no workspace", NULL, true},
      {"no Projects collection", "IApplication::get_Projects", false},
      {"no count", "IProjects::get_Count", false},
      {"no active project", "IApplication::get_ActiveProject", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.closeWorkspace) sandbox::msdev::CloseWorkspace();
    if (c.failing != NULL) sandbox::msdev::InjectFailure(c.failing, E_FAIL);
    CVSApplication app(ide_);
    EXPECT_EQ(ThrownMessage<CVSApplicationException>([&] { app.LoadActiveProject(); }), noProject);
    sandbox::msdev::ClearFailures();
    if (c.closeWorkspace) OpenWorkspace(kWorkspace);
  }
  sandbox::msdev::InjectFailure("IProjects::get_Count", E_FAIL);
  {
    CVSApplication app(ide_);
    EXPECT_EQ(ThrownMessage<CVSApplicationException>([&] { app.LoadProjectList(); }), noProject);
  }
  // The kept collection goes with the bridge.
  EXPECT_EQ(LeftOverObjects(), 0);
}

TEST_F(BridgeTest, CleansEveryConfigurationAndPassesOverWhatTheIdeDoesNotGive) {
  const std::vector<std::string> all = AllConfigurations();
  ASSERT_GE(all.size(), 8u);
  const size_t firstProject = sandbox::msdev::Projects().front().configurations.size();
  struct Case {
    const char* name;
    const char* failing;
    std::vector<std::string> cleaned;
  } const cases[] = {
      {"every configuration", NULL, all},
      {"no Projects collection", "IApplication::get_Projects", {}},
      {"first project missing", "IProjects::Item", {all.begin() + firstProject, all.end()}},
      {"first project without a count", "IConfigurations::get_Count", {all.begin() + firstProject, all.end()}},
      {"first configuration missing", "IConfigurations::Item", {all.begin() + 1, all.end()}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const size_t before = sandbox::msdev::CleanedConfigurations().size();
    if (c.failing != NULL) sandbox::msdev::InjectFailure(c.failing, E_FAIL);
    CVSApplication(ide_).CleanAllConfigurations();
    const std::vector<std::string> cleaned = sandbox::msdev::CleanedConfigurations();
    EXPECT_EQ(std::vector<std::string>(cleaned.begin() + before, cleaned.end()), c.cleaned);
    EXPECT_EQ(LeftOverObjects(), 0);
    sandbox::msdev::ClearFailures();
  }
}

// A window that counts the save-all commands it receives.
class CountingWnd : public CWnd {
 public:
  int saves = 0;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == CVSApplication::DevStudioCmdSaveAll) ++saves;
    return CWnd::OnCommand(wParam, lParam);
  }
};

TEST_F(BridgeTest, SavesOnceThroughTheMainFrameAndEveryWindowBelowIt) {
  CWnd* frame = AfxGetApp()->GetMainWnd();
  ASSERT_NE(frame, nullptr);
  CountingWnd child, grandchild;
  const CString windowClass = AfxRegisterWndClass(0);
  ASSERT_TRUE(child.CreateEx(0, windowClass, "pane", WS_CHILD, CRect(0, 0, 10, 10), frame, 1));
  ASSERT_TRUE(grandchild.CreateEx(0, windowClass, "list", WS_CHILD, CRect(0, 0, 5, 5), &child, 2));

  CVSApplication app(ide_);
  app.SaveAll();
  app.SaveAll();
  app.CloseWorkspace();  // saves nothing more: everything was saved in this operation
  EXPECT_EQ(child.saves, 1);
  EXPECT_EQ(grandchild.saves, 1);
  grandchild.DestroyWindow();
  child.DestroyWindow();
}

TEST_F(BridgeTest, ClosesOnceWithTheIdesPromptsSuppressed) {
  // A document changed after everything was saved: closing asks whether to save it.
  IDispatch* documents = NULL;
  ASSERT_EQ(ide_->get_Documents(&documents), S_OK);
  IDocuments* docs = NULL;
  ASSERT_EQ(documents->QueryInterface(IID_IDocuments, reinterpret_cast<void**>(&docs)), S_OK);
  documents->Release();
  const std::string note = "T:\\Instruments\\MeterDll\\StdAfx.h";
  IDispatch* document = NULL;
  ASSERT_EQ(docs->Open(_bstr_t(note.c_str()), _variant_t("Auto"), _variant_t(false), &document), S_OK);
  document->Release();
  docs->Release();

  // A box of the IDE's whose title holds more than the IDE's name, shown while the workspace closes.
  static WNDPROC frameProc = NULL;
  static int titledBox = -1;
  titledBox = -1;
  const HWND frame = AfxGetApp()->GetMainWnd()->GetSafeHwnd();
  frameProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtr(
      frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND && LOWORD(wParam) == CVSApplication::DevStudioCmdWorkspaceClose)
          titledBox = ::MessageBox(window, "Closing", "Instruments - Microsoft Visual C++", MB_OK);
        return ::CallWindowProc(frameProc, window, message, wParam, lParam);
      })));

  CVSApplication app(ide_);
  app.SaveAll();
  ASSERT_TRUE(sandbox::msdev::MarkDocumentModified(note));
  const size_t cleanedBefore = sandbox::msdev::CleanedConfigurations().size();
  const size_t configurations = AllConfigurations().size();
  app.CloseWorkspace();
  EXPECT_EQ(sandbox::msdev::WorkspacePath(), "");
  EXPECT_TRUE(sandbox::Modals().empty()) << sandbox::Modals().front().text;
  EXPECT_EQ(titledBox, 0) << "refused: the title holds the IDE's name";
  ::SetWindowLongPtr(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(frameProc));
  EXPECT_EQ(sandbox::msdev::CleanedConfigurations().size() - cleanedBefore, configurations);

  app.CloseWorkspace();
  EXPECT_EQ(sandbox::msdev::CleanedConfigurations().size() - cleanedBefore, configurations);

  // The hook lived only for the close command.
  EXPECT_EQ(::MessageBox(NULL, "after", "Microsoft Visual C++", MB_OK), IDOK);
  EXPECT_EQ(sandbox::Modals().size(), 1u);
}

// A top-level window that counts the Yes answers it receives.
class AnswerCountingWnd : public CWnd {
 public:
  int yes = 0;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == IDYES) ++yes;
    return CWnd::OnCommand(wParam, lParam);
  }
};

TEST_F(BridgeTest, ReopensOnlyWhatItClosed) {
  {
    // Closed by someone else: this instance never closed it, so it does not reopen it.
    sandbox::msdev::CloseWorkspace();
    CVSApplication app(ide_);
    app.ReopenWorkspace(false);
    EXPECT_EQ(sandbox::msdev::WorkspacePath(), "");
    OpenWorkspace(kWorkspace);
  }
  // Closed by this instance, which never asked for the path before: it still knows it. Without
  // being asked to, it answers no prompt: a window titled like the IDE gets no Yes.
  AnswerCountingWnd prompt;
  ASSERT_TRUE(prompt.CreateEx(0, AfxRegisterWndClass(0), "Microsoft Visual C++", WS_POPUP, CRect(0, 0, 1, 1), NULL, 0));
  CVSApplication app(ide_);
  app.CloseWorkspace();
  ASSERT_EQ(sandbox::msdev::WorkspacePath(), "");
  app.ReopenWorkspace(false);
  EXPECT_EQ(sandbox::msdev::WorkspacePath(), kWorkspace);
  CVSApplication::FinishAnsweringPrompts(true);  // any thread makes one pass before it stops
  PumpMessages();
  EXPECT_EQ(prompt.yes, 0);
  prompt.DestroyWindow();
  app.ReopenWorkspace(false);  // state 0 again: nothing
  EXPECT_EQ(sandbox::msdev::WorkspacePath(), kWorkspace);
  // ... and the next operation saves and closes again.
  const size_t saves = sandbox::msdev::SaveAllReceived().size();
  app.CloseWorkspace();
  EXPECT_EQ(sandbox::msdev::WorkspacePath(), "");
  EXPECT_GT(sandbox::msdev::SaveAllReceived().size(), saves);
}

TEST_F(BridgeTest, ReadOnlyProjectFilesAreFound) {
  struct Case {
    const char* name;
    const char* readOnly;  // the file made read-only, or null
    bool expected;
  } const cases[] = {
      {"all writable", NULL, false},
      {"workspace", kWorkspace, true},
      {"project file", "T:\\Instruments\\MeterDll\\MeterDll.dsp", true},
      {"StdAfx.h", "T:\\Instruments\\MeterDll\\StdAfx.h", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.readOnly != NULL) {
      ASSERT_TRUE(::SetFileAttributes(c.readOnly, FILE_ATTRIBUTE_READONLY));
    }
    CVSApplication app(ide_);
    app.LoadProjectList();
    ASSERT_TRUE(app.NextProject());  // MeterDll, which has a StdAfx.h
    EXPECT_EQ(app.AreProjectFilesReadOnly(), c.expected);
    if (c.readOnly != NULL) {
      ASSERT_TRUE(::SetFileAttributes(c.readOnly, FILE_ATTRIBUTE_NORMAL));
    }
  }
  // No StdAfx.h at all counts as writable.
  CVSApplication app(ide_);
  app.LoadActiveProject();
  EXPECT_FALSE(app.AreProjectFilesReadOnly());
}

TEST_F(BridgeTest, TheAnsweringThreadAnswersOnlyWindowsTitledExactlyLikeTheIdeForThreeSeconds) {
  sandbox::SetClock(1700000000000);  // standing: the thread runs until the test moves the clock
  AnswerCountingWnd exact, similar;
  const CString windowClass = AfxRegisterWndClass(0);
  ASSERT_TRUE(exact.CreateEx(0, windowClass, "Microsoft Visual C++", WS_POPUP, CRect(0, 0, 1, 1), NULL, 0));
  ASSERT_TRUE(similar.CreateEx(0, windowClass, "Microsoft Visual C++ Help", WS_POPUP, CRect(0, 0, 1, 1), NULL, 0));

  CVSApplication app(ide_);
  app.CloseWorkspace();
  app.ReopenWorkspace(true);
  // Pass after pass, as long as its three seconds last.
  EXPECT_TRUE(PumpUntil([&] { return exact.yes >= 3; }));
  sandbox::AdvanceClock(2000);
  const int afterTwoSeconds = exact.yes;
  EXPECT_TRUE(PumpUntil([&] { return exact.yes >= afterTwoSeconds + 2; })) << "still answering after two seconds";
  sandbox::AdvanceClock(1000);
  CVSApplication::FinishAnsweringPrompts(false);  // ends by itself now
  PumpMessages();
  const int answered = exact.yes;
  ::Sleep(50);
  PumpMessages();
  EXPECT_EQ(exact.yes, answered);
  EXPECT_EQ(similar.yes, 0);
  exact.DestroyWindow();
  similar.DestroyWindow();
}

TEST_F(BridgeTest, ReopeningAnswersTheIdesPromptAboutAProjectFileChangedWhileItWasClosed) {
  sandbox::SetClock(1700000000000);
  const std::string project = "T:\\Instruments\\MeterDll\\MeterDll.dsp";
  CVSApplication app(ide_);
  app.CloseWorkspace();

  // Changed on disk as the customizer changes it while the workspace is closed.
  std::string text = DiskBytes(project);
  for (size_t at = text.find("Win32 Release"); at != std::string::npos; at = text.find("Win32 Release", at))
    text.replace(at, 13, "Win32 Retail");
  WriteDisk("Instruments/MeterDll/MeterDll.dsp", text);

  sandbox::QueueAnswer("MessageBox", {sandbox::kLeaveAlone, ""});
  app.ReopenWorkspace(true);
  auto answered = [] {
    for (const sandbox::Modal& modal : sandbox::Modals())
      if (modal.caption == "Microsoft Visual C++" && modal.result == IDYES) return true;
    return false;
  };
  EXPECT_TRUE(PumpUntil(answered));
  sandbox::AdvanceClock(3000);
  CVSApplication::FinishAnsweringPrompts(false);

  // Yes reloaded the project: the IDE has the new configurations and keeps the new file.
  bool retail = false;
  for (const sandbox::msdev::Project& p : sandbox::msdev::Projects())
    for (const std::string& configuration : p.configurations) retail |= configuration == "MeterDll - Win32 Retail";
  EXPECT_TRUE(retail);
  CVSApplication(ide_).SaveAll();
  EXPECT_EQ(DiskBytes(project), text);
}

}  // namespace

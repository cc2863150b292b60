// The menu commands the add-ins send to the main frame: save all (to the frame, then to all its
// descendants) and close workspace, with the questions about changed documents and projects,
// answered by the scripted user or refused by a CBT hook.
#include <windows.h>

#include "msdev_test_support.h"

namespace msdev_test {
namespace {

constexpr UINT kSaveAll = 34560;
constexpr UINT kCloseWorkspace = 36633;
constexpr char kMeterDll[] = "Instruments/MeterDll/MeterDll.dsp";
constexpr char kMeterDllPath[] = "T:\\Instruments\\MeterDll\\MeterDll.dsp";
constexpr char kMeterSource[] = "T:\\Src\\meter.c";

// The IDE with Instruments open, meter.c open and changed by the user, and MeterDll changed through
// automation. MeterDll.dsp on disk then differs from the IDE's copy, so that writing the copy
// shows.
class CommandsTest : public IdeTest {
 protected:
  void SetUp() override {
    IdeTest::SetUp();
    Prepare();
  }
  void TearDown() override {
    app_ = nullptr;
    IdeTest::TearDown();
  }
  void Prepare() {
    Copy("MeterDll.dsp", HostPath(kMeterDll));
    Write("Src/meter.c", "int meter;\r\n");
    app_ = Application();
    EventRecorder* sink = new EventRecorder("", events_);
    Advise(app_, sink);
    sink->Release();
    OpenInstruments();
    ASSERT_NE(AfxGetApp()->OpenDocumentFile(kMeterSource), nullptr);
    ASSERT_TRUE(sandbox::msdev::MarkDocumentModified(kMeterSource));
    IConfigurationPtr debug = ConfigurationAt(ProjectAt(app_, Name("MeterDll")), Name("MeterDll - Win32 Debug"));
    ASSERT_EQ(debug->AddToolSettings(_bstr_t("cl.exe"), _bstr_t("/D TQ_TRACE"), _variant_t()), S_OK);
    Write(kMeterDll, "edited outside the IDE\r\n");
    events_->clear();
  }
  static CWnd* MainFrame() { return AfxGetMainWnd(); }

  IApplicationPtr app_;
  EventLog events_ = NewEventLog();
};

TEST_F(CommandsTest, SaveAllReachesTheFrameAndItsDescendantsAndTheFrameSavesEverything) {
  const std::string original = ReadFixture("MeterDll.dsp");
  MainFrame()->SendMessage(WM_COMMAND, kSaveAll);
  MainFrame()->SendMessageToDescendants(WM_COMMAND, kSaveAll, 0, TRUE, FALSE);

  EXPECT_EQ(sandbox::msdev::SaveAllReceived(),
            (std::vector<std::string>{"MainFrame", "Workspace", "Output", "Build"}));
  EXPECT_EQ(*events_, std::vector<std::string>{"DocumentSave(meter.c)"}) << "saved once, by the frame";
  EXPECT_TRUE(sandbox::msdev::OpenDocuments()[0].saved);
  EXPECT_FALSE(sandbox::msdev::Projects()[1].modified);
  EXPECT_EQ(Read(kMeterDll), original) << "the IDE's copy of the project file, written back";
  EXPECT_FALSE(fs::exists(HostPath(std::string(kMeterDll) + ".~ide"))) << "nothing left beside it";
  EXPECT_EQ(sandbox::msdev::SettingChanges().size(), 1u) << "what automation changed stays recorded";
  EXPECT_TRUE(sandbox::Modals().empty()) << "saving all asks nothing";
}

TEST_F(CommandsTest, CommandsTheIdeDoesNotKnowDoNothing) {
  EXPECT_EQ(MainFrame()->SendMessage(WM_COMMAND, IDYES), 0);
  EXPECT_EQ(MainFrame()->SendMessage(WM_COMMAND, 6), 0);
  EXPECT_EQ(sandbox::msdev::WorkspacePath(), "T:\\Instruments\\Instruments.dsw");
  EXPECT_FALSE(sandbox::msdev::OpenDocuments()[0].saved);
  EXPECT_TRUE(sandbox::msdev::Projects()[1].modified);
  EXPECT_TRUE(sandbox::msdev::Prompts().empty());
  EXPECT_EQ(*events_, std::vector<std::string>{});
}

// Close Workspace asks about the changed document first, then the changed project.
TEST_F(CommandsTest, CloseWorkspaceAsksAboutEachChangedItem) {
  struct Row {
    const char* name;
    std::vector<int> answers;
    bool closed;
    bool documentSaved;
    bool projectWritten;
  };
  const Row rows[] = {
      {.name = "yes to both", .answers = {IDYES, IDYES}, .closed = true, .documentSaved = true, .projectWritten = true},
      {.name = "no to both", .answers = {IDNO, IDNO}, .closed = true, .documentSaved = false, .projectWritten = false},
      {.name = "cancel keeps it all open", .answers = {IDCANCEL}, .closed = false, .documentSaved = false,
       .projectWritten = false},
      {.name = "the document saved, then cancel", .answers = {IDYES, IDCANCEL}, .closed = false,
       .documentSaved = true, .projectWritten = false},
  };
  bool first = true;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (!first) {
      sandbox::msdev::StopIde();
      sandbox::ClearModals();
      Prepare();
    }
    first = false;
    for (int answer : row.answers) sandbox::QueueAnswer("MessageBox", {answer, {}});

    MainFrame()->SendMessage(WM_COMMAND, kCloseWorkspace);

    const std::vector<sandbox::Modal> boxes = sandbox::Modals();
    ASSERT_EQ(boxes.size(), row.answers.size());
    const char* const asked[] = {kMeterSource, kMeterDllPath};
    for (size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_EQ(boxes[i].text, sandbox::msdev::SaveChangesPrompt(asked[i]));
      EXPECT_EQ(boxes[i].caption, sandbox::msdev::IdeTitle());
      EXPECT_EQ(boxes[i].style, static_cast<unsigned>(MB_YESNOCANCEL | MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(sandbox::msdev::WorkspacePath().empty(), row.closed);
    EXPECT_EQ(sandbox::msdev::OpenDocuments().empty(), row.closed) << "documents close with the workspace";
    std::vector<std::string> expected;
    if (row.documentSaved) expected.push_back("DocumentSave(meter.c)");
    if (row.closed) expected.insert(expected.end(), {"BeforeDocumentClose(meter.c)", "WorkspaceClose"});
    EXPECT_EQ(*events_, expected);
    EXPECT_EQ(Read(kMeterDll) != "edited outside the IDE\r\n", row.projectWritten);
    EXPECT_EQ(sandbox::PendingAnswers(), 0u);
  }
}

// The add-in's bridge closes the workspace with a CBT hook that refuses every window whose name
// holds the IDE's title: no box is made, and each refused question counts as No.
LRESULT CALLBACK RefuseIdeWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const char* name = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs->lpszName;
    if (name != nullptr && std::string(name).find("Microsoft Visual C++") != std::string::npos) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(CommandsTest, UnderAHookThatRefusesTheBoxesTheWorkspaceClosesWithoutSaving) {
  const HHOOK hook = SetWindowsHookEx(WH_CBT, RefuseIdeWindows, nullptr, GetCurrentThreadId());
  MainFrame()->SendMessage(WM_COMMAND, kCloseWorkspace);
  UnhookWindowsHookEx(hook);

  EXPECT_EQ(sandbox::msdev::WorkspacePath(), "");
  EXPECT_TRUE(sandbox::Modals().empty()) << "nobody saw a box";
  const std::vector<sandbox::msdev::Prompt> prompts = sandbox::msdev::Prompts();
  ASSERT_EQ(prompts.size(), 2u);
  EXPECT_EQ(prompts[0].text, sandbox::msdev::SaveChangesPrompt(kMeterSource));
  EXPECT_EQ(prompts[1].text, sandbox::msdev::SaveChangesPrompt(kMeterDllPath));
  EXPECT_EQ(prompts[0].result, 0);
  EXPECT_EQ(prompts[1].result, 0);
  EXPECT_EQ(*events_, (std::vector<std::string>{"BeforeDocumentClose(meter.c)", "WorkspaceClose"}));
  EXPECT_EQ(Read(kMeterDll), "edited outside the IDE\r\n") << "the file on disk is left as it is";
}

}  // namespace
}  // namespace msdev_test

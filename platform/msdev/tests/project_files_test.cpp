// The IDE's copies of its project files: a project file changed on disk while its workspace was
// closed is asked about once the workspace is open again and the UI thread pumps its messages;
// Yes reloads it, No keeps the IDE's copy, which the next save all writes back. A second thread
// may answer the question, as the add-in's worker does.
#include <windows.h>

#include <thread>

#include "msdev_test_support.h"

namespace msdev_test {
namespace {

constexpr UINT kSaveAll = 34560;
constexpr UINT kCloseWorkspace = 36633;
constexpr char kDsw[] = "T:\\Instruments\\Instruments.dsw";
constexpr char kMeterDll[] = "Instruments/MeterDll/MeterDll.dsp";
constexpr char kMeterDllPath[] = "T:\\Instruments\\MeterDll\\MeterDll.dsp";

// MeterDll.dsp as the add-in leaves it: one configuration more than the fixture has.
std::string EditedMeterDll() {
  std::string text = ReadFixture("MeterDll.dsp");
  const std::string debug = "!MESSAGE \"MeterDll - Win32 Debug\" (based on \"Win32 (x86) Dynamic-Link Library\")\r\n";
  const size_t at = text.find(debug);
  EXPECT_NE(at, std::string::npos);
  text.insert(at + debug.size(),
              "!MESSAGE \"MeterDll - Win32 Profile\" (based on \"Win32 (x86) Dynamic-Link Library\")\r\n");
  return text;
}

const std::vector<std::string> kFixtureConfigurations = {"MeterDll - Win32 Release", "MeterDll - Win32 Debug"};
const std::vector<std::string> kEditedConfigurations = {"MeterDll - Win32 Release", "MeterDll - Win32 Debug",
                                                        "MeterDll - Win32 Profile"};

// What the add-in does: the workspace is open in the IDE, closed, the project file edited on
// disk, and the workspace opened again through the application.
class ProjectFilesTest : public IdeTest {
 protected:
  void CloseEditAndReopen() {
    sandbox::msdev::StartIde();
    OpenInstruments();
    AfxGetMainWnd()->SendMessage(WM_COMMAND, kCloseWorkspace);
    ASSERT_EQ(sandbox::msdev::WorkspacePath(), "");
    Write(kMeterDll, EditedMeterDll());
    ASSERT_NE(AfxGetApp()->OpenDocumentFile(kDsw), nullptr);
  }
  static std::vector<std::string> MeterDllConfigurations() { return sandbox::msdev::Projects()[1].configurations; }
};

TEST_F(ProjectFilesTest, TheQuestionComesWhenTheUiThreadPumpsAndItsAnswerDecidesWhatIsSaved) {
  struct Row {
    const char* name;
    int answer;
    std::vector<std::string> configurations;  // after the answer
    bool modified;
    std::string onDiskAfterSaveAll;
  };
  const Row rows[] = {
      {.name = "Yes reloads the file", .answer = IDYES, .configurations = kEditedConfigurations, .modified = false,
       .onDiskAfterSaveAll = EditedMeterDll()},
      {.name = "No keeps the IDE's copy, which save all writes back", .answer = IDNO,
       .configurations = kFixtureConfigurations, .modified = true,
       .onDiskAfterSaveAll = ReadFixture("MeterDll.dsp")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::msdev::StopIde();
    sandbox::ClearModals();
    Copy("MeterDll.dsp", HostPath(kMeterDll));
    sandbox::QueueAnswer("MessageBox", {row.answer, {}});
    CloseEditAndReopen();

    EXPECT_TRUE(sandbox::Modals().empty()) << "not asked while opening";
    EXPECT_EQ(MeterDllConfigurations(), kFixtureConfigurations) << "the IDE shows its own copy meanwhile";
    PumpMessages();
    const std::vector<sandbox::Modal> boxes = sandbox::Modals();
    ASSERT_EQ(boxes.size(), 1u) << "only the changed project file is asked about";
    EXPECT_EQ(boxes[0].text, sandbox::msdev::ReloadProjectPrompt(kMeterDllPath));
    EXPECT_EQ(boxes[0].caption, sandbox::msdev::IdeTitle());
    EXPECT_EQ(boxes[0].style, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(MeterDllConfigurations(), row.configurations);
    EXPECT_EQ(sandbox::msdev::Projects()[1].modified, row.modified);

    AfxGetMainWnd()->SendMessage(WM_COMMAND, kSaveAll);
    EXPECT_EQ(Read(kMeterDll), row.onDiskAfterSaveAll);
    AfxGetMainWnd()->SendMessage(WM_COMMAND, kCloseWorkspace);
    ASSERT_NE(AfxGetApp()->OpenDocumentFile(kDsw), nullptr);
    PumpMessages();
    EXPECT_EQ(sandbox::Modals().size(), 1u) << "what the IDE wrote or reloaded is its copy now";
  }
}

TEST_F(ProjectFilesTest, TheIdesCopiesLastForOneRun) {
  CloseEditAndReopen();
  sandbox::msdev::StopIde();  // before it asked
  sandbox::msdev::StartIde();
  OpenInstruments();
  PumpMessages();
  EXPECT_TRUE(sandbox::Modals().empty()) << "a new run reads the files afresh";
  EXPECT_EQ(MeterDllConfigurations(), kEditedConfigurations);
}

TEST_F(ProjectFilesTest, AProjectFileThatCannotBeWrittenStaysAsItWasAndModified) {
  IApplicationPtr app = Application();
  OpenInstruments();
  IConfigurationPtr debug = ConfigurationAt(ProjectAt(app, Name("MeterDll")), Name("MeterDll - Win32 Debug"));
  ASSERT_EQ(debug->AddToolSettings(_bstr_t("link.exe"), _bstr_t("/MAP"), _variant_t()), S_OK);
  Write(kMeterDll, "checked in, read-only\r\n");
  fs::permissions(HostPath(kMeterDll), fs::perms::owner_write, fs::perm_options::remove);

  AfxGetMainWnd()->SendMessage(WM_COMMAND, kSaveAll);
  EXPECT_EQ(Read(kMeterDll), "checked in, read-only\r\n");
  EXPECT_FALSE(fs::exists(HostPath(std::string(kMeterDll) + ".~ide")));
  EXPECT_TRUE(sandbox::msdev::Projects()[1].modified);
  const std::vector<std::string> messages = sandbox::msdev::WorkspaceMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], std::string("cannot save the project ") + kMeterDllPath + " (error 5)");
  fs::permissions(HostPath(kMeterDll), fs::perms::owner_write, fs::perm_options::add);
}

// The add-in's worker: for three seconds of CTime it walks the top-level windows and posts IDYES
// to every window titled exactly as the IDE titles its boxes, pausing between passes.
struct Worker {
  std::atomic<int> passes{0};
  std::atomic<int> posted{0};
};

UINT AnswerIdeBoxes(LPVOID parameter) {
  auto* worker = static_cast<Worker*>(parameter);
  const CTime start = CTime::GetCurrentTime();
  while ((CTime::GetCurrentTime() - start).GetTotalSeconds() < 3) {
    for (HWND w = GetTopWindow(GetDesktopWindow()); w != nullptr; w = GetWindow(w, GW_HWNDNEXT))
      if (TitleOf(w) == "Microsoft Visual C++" && PostMessage(w, WM_COMMAND, IDYES, 0)) ++worker->posted;
    ++worker->passes;
    Sleep(50);
  }
  return 0;
}

TEST_F(ProjectFilesTest, AnotherThreadAnswersTheBoxTheScriptedUserLeftAlone) {
  sandbox::SetClock(1'000'000'000'000);
  sandbox::QueueAnswer("MessageBox", {sandbox::kLeaveAlone, {}});
  CloseEditAndReopen();
  Worker worker;
  CWinThread* thread = AfxBeginThread(AnswerIdeBoxes, &worker, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(thread, nullptr);
  thread->m_bAutoDelete = FALSE;
  thread->ResumeThread();

  PumpMessages();  // the box's modal loop runs in here until the worker's IDYES reaches it
  ASSERT_EQ(sandbox::Modals().size(), 1u);
  EXPECT_EQ(sandbox::Modals()[0].result, IDYES);
  EXPECT_EQ(MeterDllConfigurations(), kEditedConfigurations);
  const int passes = worker.passes;
  while (worker.passes < passes + 2) std::this_thread::yield();
  EXPECT_EQ(WaitForSingleObject(thread->m_hThread, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the clock stands";
  sandbox::AdvanceClock(3000);
  EXPECT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  delete thread;
  EXPECT_GE(worker.posted, 1);
}

}  // namespace
}  // namespace msdev_test

// MessageBox over the scripted user: queued answers, the cancel answer of each button set, and
// what is recorded of each box.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sandbox/captured_failures.h"
#include "sandbox/sandbox.h"

namespace {

constexpr DWORD kPoison = 0xdeadbeef;

TEST(MessageBox, UnansweredBoxesGetTheCancelAnswer) {
  const struct {
    const char* name;
    UINT type;
    int answer;
  } cases[] = {
      {.name = "OK", .type = MB_OK, .answer = IDOK},
      {.name = "OK Cancel", .type = MB_OKCANCEL, .answer = IDCANCEL},
      {.name = "Abort Retry Ignore", .type = MB_ABORTRETRYIGNORE, .answer = IDABORT},
      {.name = "Yes No Cancel", .type = MB_YESNOCANCEL, .answer = IDCANCEL},
      {.name = "Yes No", .type = MB_YESNO, .answer = IDNO},
      {.name = "Retry Cancel", .type = MB_RETRYCANCEL, .answer = IDCANCEL},
      {.name = "icons and modality do not matter",
       .type = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TASKMODAL | MB_TOPMOST, .answer = IDNO},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sandbox::ClearModals();
    EXPECT_EQ(MessageBox(nullptr, "Question?", "Title", c.type), c.answer);
    const std::vector<sandbox::Modal> modals = sandbox::Modals();
    ASSERT_EQ(modals.size(), 1u);
    EXPECT_EQ(modals[0].kind, "MessageBox");
    EXPECT_EQ(modals[0].style, c.type);
    EXPECT_FALSE(modals[0].answered);
    EXPECT_EQ(modals[0].result, c.answer);
  }
}

TEST(MessageBox, QueuedAnswersAreTakenInOrder) {
  sandbox::QueueAnswer("MessageBox", {IDYES, {}});
  sandbox::QueueAnswer("MessageBox", {IDRETRY, {}});
  sandbox::QueueAnswer("Dialog", {IDOK, {}});  // another kind of modal: not ours
  EXPECT_EQ(MessageBox(nullptr, "Replace the file?", "Setup", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(MessageBox(nullptr, "Disk full.", nullptr, MB_RETRYCANCEL | MB_ICONSTOP), IDRETRY);
  EXPECT_EQ(MessageBox(nullptr, nullptr, "Nobody", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(sandbox::PendingAnswers(), 1u);
  const std::vector<sandbox::Modal> modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 3u);
  EXPECT_EQ(modals[0].caption, "Setup");
  EXPECT_EQ(modals[0].text, "Replace the file?");
  EXPECT_TRUE(modals[0].answered);
  EXPECT_EQ(modals[1].caption, "Error") << "a NULL caption is the platform's \"Error\"";
  EXPECT_EQ(modals[1].style, static_cast<unsigned>(MB_RETRYCANCEL | MB_ICONSTOP));
  EXPECT_EQ(modals[2].text, "");
  EXPECT_FALSE(modals[2].answered);
}

// Collects what the stand-ins report as failures, instead of failing the test, for the checks
// that the reports happen; the gtest handler is back afterwards.
class CapturedFailures : public testing::Test {
 protected:
  sandbox::testing::CapturedFailures captured_;
  const std::vector<std::string>& failures_ = captured_.Messages();
};

TEST_F(CapturedFailures, StrictModeFailsAnUnansweredBox) {
  sandbox::SetStrict(true);
  EXPECT_EQ(MessageBox(nullptr, "Save changes?", "Editor", MB_YESNOCANCEL), IDCANCEL);
  ASSERT_EQ(failures_.size(), 1u);
  EXPECT_NE(failures_[0].find("Save changes?"), std::string::npos) << failures_[0];
}

TEST_F(CapturedFailures, AnAnswerThatIsNoButtonOfTheBoxIsReported) {
  sandbox::QueueAnswer("MessageBox", {IDYES, {}});
  EXPECT_EQ(MessageBox(nullptr, "Done.", "Setup", MB_OK), IDYES);
  ASSERT_EQ(failures_.size(), 1u);
  EXPECT_NE(failures_[0].find("not a button of this box"), std::string::npos) << failures_[0];
}

TEST(MessageBox, UndefinedButtonSetsShowNothing) {
  SetLastError(kPoison);
  EXPECT_EQ(MessageBox(nullptr, "text", "caption", 0x0000000F), 0);
  EXPECT_EQ(GetLastError(), 1438u) << "ERROR_INVALID_MSGBOX_STYLE";
  SetLastError(kPoison);
  EXPECT_EQ(MessageBox(nullptr, "text", "caption", 6 /* Cancel Try Continue */), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED));
  EXPECT_EQ(sandbox::UnmodelledCalls(), std::vector<std::string>{"MessageBox"});
  EXPECT_TRUE(sandbox::Modals().empty());
}

TEST(MessageBeep, Succeeds) { EXPECT_TRUE(MessageBeep(MB_ICONASTERISK)); }

}  // namespace

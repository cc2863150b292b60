// CDialog and dialog data exchange: the initial data of a dialog's controls, DDX both ways, failing
// validations that keep the dialog up, modal dialogs over the scripted user, and templates found
// along the resource chain as the asking module sees it.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/dialog_ids.h"
#include "resource.h"
#include "sandbox/captured_failures.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_canvas.h"

namespace {

class CSettingsDlg : public CDialog {
 public:
  CSettingsDlg() : CDialog(IDD_SETTINGS) {}

  CString m_name = "Bench";
  int m_count = 3;
  int m_option = 1;
  int m_backup = BST_CHECKED;
  int m_mode = 1;
  int m_nameChanges = 0;
  CComboBox m_optionsBox;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_OPTIONS, m_optionsBox);
    DDX_Text(pDX, IDC_NAME, m_name);
    DDV_MaxChars(pDX, m_name, 8);
    DDX_Text(pDX, IDC_COUNT, m_count);
    DDV_MinMaxInt(pDX, m_count, 1, 10);
    DDX_CBIndex(pDX, IDC_OPTIONS, m_option);
    DDX_Check(pDX, IDC_BACKUP, m_backup);
    DDX_Radio(pDX, IDC_FAST, m_mode);
  }
  afx_msg void OnNameChange() { ++m_nameChanges; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSettingsDlg, CDialog)
ON_EN_CHANGE(IDC_NAME, OnNameChange)
END_MESSAGE_MAP()

std::string Text(CWnd& dialog, int id) {
  CString text;
  dialog.GetDlgItemText(id, text);
  return std::string(text);
}

class DialogTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dialog_.Create(IDD_SETTINGS)) << "error " << GetLastError(); }
  CSettingsDlg dialog_;
};

TEST_F(DialogTest, AtTheStartTheControlsGetTheirItemsAndTheMembersValues) {
  CComboBox* options = &dialog_.m_optionsBox;
  ASSERT_EQ(CWnd::FromHandlePermanent(options->m_hWnd), options) << "DDX_Control took the control over";
  EXPECT_EQ(options->m_hWnd, ::GetDlgItem(dialog_.m_hWnd, IDC_OPTIONS));
  std::vector<std::string> items;
  for (int i = 0; i < options->GetCount(); ++i) {
    CString item;
    options->GetLBText(i, item);
    items.push_back(std::string(item));
  }
  EXPECT_EQ(items,
            (std::vector<std::string>{"Prompt for conversion", "Automatically convert", "Do not prompt or convert"}));
  EXPECT_EQ(Text(dialog_, IDC_NAME), "Bench");
  EXPECT_EQ(Text(dialog_, IDC_COUNT), "3");
  EXPECT_EQ(options->GetCurSel(), 1);
  EXPECT_EQ(dialog_.IsDlgButtonChecked(IDC_BACKUP), BST_CHECKED);
  EXPECT_EQ(dialog_.GetCheckedRadioButton(IDC_FAST, IDC_SAFE), IDC_SAFE);
  EXPECT_EQ(dialog_.m_nameChanges, 0) << "UpdateData's own settings dispatch no notifications";
  dialog_.SetDlgItemText(IDC_NAME, "Scope");
  EXPECT_EQ(dialog_.m_nameChanges, 1);
  EXPECT_EQ(dialog_.SendDlgItemMessage(IDC_NAME, EM_GETLIMITTEXT), 8) << "DDV_MaxChars limits the edit";
}

TEST_F(DialogTest, UpdateDataReadsEveryKindOfControl) {
  dialog_.SetDlgItemText(IDC_NAME, "Scope");
  dialog_.SetDlgItemText(IDC_COUNT, " 7 ");
  dialog_.SendDlgItemMessage(IDC_OPTIONS, CB_SETCURSEL, 2);
  dialog_.CheckDlgButton(IDC_BACKUP, BST_UNCHECKED);
  dialog_.CheckRadioButton(IDC_FAST, IDC_SAFE, IDC_FAST);
  ASSERT_TRUE(dialog_.UpdateData(TRUE));
  EXPECT_EQ(std::string(dialog_.m_name), "Scope");
  EXPECT_EQ(dialog_.m_count, 7);
  EXPECT_EQ(dialog_.m_option, 2);
  EXPECT_EQ(dialog_.m_backup, BST_UNCHECKED);
  EXPECT_EQ(dialog_.m_mode, 0);

  dialog_.CheckRadioButton(IDC_FAST, IDC_SAFE, 0);
  ASSERT_TRUE(dialog_.UpdateData(TRUE));
  EXPECT_EQ(dialog_.m_mode, -1) << "no radio button checked";
  EXPECT_TRUE(sandbox::Modals().empty());
}

// A value that does not validate is reported with MFC's prompt; the control gets the focus with
// its text selected, UpdateData answers FALSE and OK leaves the dialog up.
TEST_F(DialogTest, AFailedValidationTellsTheUserAndKeepsTheDialogUp) {
  const struct {
    const char* what;
    int control;
    const char* text;
    const char* prompt;
  } cases[] = {
      {.what = "too long",
       .control = IDC_NAME,
       .text = "Oscilloscope",
       .prompt = "Please enter no more than 8 characters."},
      {.what = "no number", .control = IDC_COUNT, .text = "three", .prompt = "Please enter an integer."},
      {.what = "out of range",
       .control = IDC_COUNT,
       .text = "42",
       .prompt = "Please enter an integer between 1 and 10."},
  };
  dialog_.ShowWindow(SW_SHOW);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    dialog_.m_name = "Bench";  // a failed exchange leaves the members it reached changed
    dialog_.m_count = 3;
    dialog_.UpdateData(FALSE);
    sandbox::ClearModals();
    dialog_.SetDlgItemText(c.control, c.text);
    dialog_.SendMessage(WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(dialog_.GetDlgItem(IDOK)->m_hWnd));
    EXPECT_TRUE(dialog_.IsWindowVisible()) << "the dialog did not end";
    const std::vector<sandbox::Modal> modals = sandbox::Modals();
    ASSERT_EQ(modals.size(), 1u);
    EXPECT_EQ(modals[0].kind, "MessageBox");
    EXPECT_EQ(modals[0].text, c.prompt);
    EXPECT_EQ(CWnd::GetFocus(), dialog_.GetDlgItem(c.control));
    DWORD start = 0, end = 0;
    dialog_.SendDlgItemMessage(c.control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, std::string(c.text).size()) << "its text selected";
  }
}

TEST(ModalDialog, DoModalRunsUntilTheDialogsOwnCodeEndsIt) {
  CSettingsDlg answered;
  answered.m_option = 2;
  sandbox::QueueAnswer("Dialog", {IDOK, {}});
  EXPECT_EQ(answered.DoModal(), IDOK);
  EXPECT_EQ(answered.m_option, 2) << "OK exchanged the data back";
  EXPECT_EQ(answered.m_hWnd, nullptr) << "the window goes with the modal loop";

  CSettingsDlg unanswered;
  EXPECT_EQ(unanswered.DoModal(), IDCANCEL);

  const std::vector<sandbox::Modal> modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 2u);
  EXPECT_EQ(modals[0].kind, "Dialog");
  EXPECT_EQ(modals[0].caption, "Settings");
  EXPECT_EQ(modals[0].text, "#" + std::to_string(IDD_SETTINGS));
  EXPECT_EQ(modals[0].result, IDOK);
  EXPECT_FALSE(modals[1].answered);
  EXPECT_EQ(modals[1].result, IDCANCEL);

  CDialog missing(999u);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_EQ(sandbox::Modals().size(), 2u) << "a dialog without a template is not shown";
}

// MFC registers the common controls' classes before it makes a dialog, so a template may hold a
// tree view although the program never called InitCommonControls (the add-in's components dialog
// relies on it).
TEST(ModalDialog, ATemplateMayHoldACommonControl) {
  CDialog holder(IDD_TREE_HOLDER);
  std::string treeClass;
  sandbox::QueueAnswer("Dialog", sandbox::Answer(IDOK, "", [&](void* dialog) {
                         char name[64] = "";
                         ::GetClassName(::GetDlgItem(static_cast<HWND>(dialog), IDC_TREE), name, sizeof name);
                         treeClass = name;
                       }));
  EXPECT_EQ(holder.DoModal(), IDOK);
  EXPECT_EQ(treeClass, "SysTreeView32");
}

// A template is found along the resource chain as the module whose code makes the dialog sees it.
TEST(ModalDialog, TemplatesComeFromTheAskingModuleFirst) {
  HMODULE a = AfxLoadLibrary("MfcExtA.dll");
  ASSERT_NE(a, nullptr);
  HMODULE b = AfxLoadLibrary("MfcExtB.dll");
  ASSERT_NE(b, nullptr);
  auto fromA =
      reinterpret_cast<ExtensionDoModalProc>(reinterpret_cast<void (*)()>(GetProcAddress(a, "ExtensionDoModal")));
  ASSERT_NE(fromA, nullptr);
  CDialog program(static_cast<UINT>(IDD_MODULE_NAME));
  EXPECT_EQ(program.DoModal(), IDCANCEL);
  EXPECT_EQ(fromA(IDD_MODULE_NAME), IDCANCEL);
  CDialog onlyInA(static_cast<UINT>(IDD_ONLY_IN_A));
  EXPECT_EQ(onlyInA.DoModal(), IDCANCEL);
  std::vector<std::string> captions;
  for (const sandbox::Modal& m : sandbox::Modals()) captions.push_back(m.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"program", "A", "A"}));
  EXPECT_TRUE(AfxFreeLibrary(b));
  EXPECT_TRUE(AfxFreeLibrary(a));
}

// The scripted user works every control of a modal dialog: the values DDX put in, a typed value
// the validation refuses (told in a message box, the dialog staying up), then values it takes; OK
// exchanges them back into the members.
TEST(ScriptedDialog, TheUserWorksEachControlAndOkExchangesItBack) {
  CSettingsDlg dialog;
  std::vector<std::string> shown;
  bool upAfterRefusal = false;
  sandbox::QueueAnswer("MessageBox", {IDOK, {}});
  const auto user = [&](void* d) {
    shown = {sandbox::ControlText(d, IDC_NAME), sandbox::ControlText(d, IDC_COUNT),
             sandbox::ControlText(d, IDC_OPTIONS), std::to_string(sandbox::CheckState(d, IDC_BACKUP)),
             std::to_string(sandbox::CheckState(d, IDC_SAFE))};
    EXPECT_EQ(sandbox::ControlItems(d, IDC_OPTIONS),
              (std::vector<std::string>{"Prompt for conversion", "Automatically convert", "Do not prompt or convert"}));
    sandbox::TypeText(d, IDC_NAME, "Oscilloscope");  // the edit takes no more than DDV_MaxChars allows
    sandbox::TypeText(d, IDC_COUNT, "42");
    sandbox::ClickButton(d, IDOK);
    upAfterRefusal = IsWindowVisible(static_cast<HWND>(d)) != FALSE;
    sandbox::TypeText(d, IDC_COUNT, "7");
    sandbox::SelectItem(d, IDC_OPTIONS, "Do not prompt or convert");
    sandbox::SetCheck(d, IDC_BACKUP, BST_UNCHECKED);
    sandbox::ClickButton(d, IDC_FAST);
    const std::string picture = sandbox::testing::PictureFolder() + "/cdialog_scripted.png";
    EXPECT_TRUE(sandbox::SavePicture(sandbox::WindowPicture(d), picture));
    sandbox::ClickButton(d, IDOK);
  };
  sandbox::QueueAnswer("Dialog", {IDCANCEL, {}, user});
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(shown, (std::vector<std::string>{"Bench", "3", "Automatically convert", "1", "1"}));
  EXPECT_TRUE(upAfterRefusal) << "a refused value keeps the dialog up";
  EXPECT_EQ(std::string(dialog.m_name), "Oscillos");
  EXPECT_EQ(dialog.m_count, 7);
  EXPECT_EQ(dialog.m_option, 2);
  EXPECT_EQ(dialog.m_backup, BST_UNCHECKED);
  EXPECT_EQ(dialog.m_mode, 0);
  EXPECT_EQ(dialog.m_nameChanges, 1) << "the user's typing is a change the dialog hears";
  std::vector<std::string> asked;
  for (const sandbox::Modal& m : sandbox::Modals())
    asked.push_back(m.kind + ": " + m.text + " = " + std::to_string(m.result));
  EXPECT_EQ(asked, (std::vector<std::string>{"Dialog: #" + std::to_string(IDD_SETTINGS) + " = 1",
                                             "MessageBox: Please enter an integer between 1 and 10. = 1"}));
}

class ModalFailures : public testing::Test {
 protected:
  sandbox::testing::CapturedFailures captured_;
  const std::vector<std::string>& failures_ = captured_.Messages();
};

// OK with a value that does not validate: the user is told and the dialog stays up, so the
// answer does not end it (a scripted user that does not correct the value leaves it up).
TEST_F(ModalFailures, OkWithAnInvalidValueDoesNotEndTheDialog) {
  CSettingsDlg dialog;
  dialog.m_count = 42;
  sandbox::QueueAnswer("Dialog", {IDOK, {}});
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  std::vector<std::string> asked;
  for (const sandbox::Modal& m : sandbox::Modals()) asked.push_back(m.kind + ": " + m.text);
  EXPECT_EQ(asked, (std::vector<std::string>{"Dialog: #" + std::to_string(IDD_SETTINGS),
                                             "MessageBox: Please enter an integer between 1 and 10."}));
  ASSERT_EQ(failures_.size(), 1u);
  EXPECT_NE(failures_[0].find("did not end"), std::string::npos) << failures_[0];
}

}  // namespace

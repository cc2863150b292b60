// The dialog manager: dialogs made from templates of both forms, laid out in dialog units of
// their font, their creation and its failures, the dialog manager's keyboard, and modal dialogs
// over the scripted user.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "dialogs/dialog_ids.h"
#include "sandbox/captured_failures.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_canvas.h"

namespace {

// What the tests' dialog procedure saw and how it answers.
struct Script {
  std::vector<UINT> messages;  // WM_SETFONT, WM_INITDIALOG and WM_COMMAND (BN_CLICKED), in order
  std::vector<int> commands;   // ids of WM_COMMAND with BN_CLICKED
  HWND initFocus = nullptr;    // WM_INITDIALOG's wParam
  bool endOnCommand = true;    // IDOK and IDCANCEL end the dialog with their id
  bool askOnOk = false;        // IDOK asks a message box first; No keeps the dialog up
  bool nestedOnOk = false;     // IDOK runs IDD_FORMS_EX as a modal dialog first
  bool ownerEnabledOnCommand = true;
  HWND owner = nullptr;
} g_script;

INT_PTR CALLBACK ScriptedProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_SETFONT:
      g_script.messages.push_back(message);
      return FALSE;
    case WM_INITDIALOG:
      g_script.messages.push_back(message);
      g_script.initFocus = reinterpret_cast<HWND>(wParam);
      return TRUE;
    case WM_APP:
      EndDialog(dialog, 42);
      return TRUE;
    case WM_COMMAND: {
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;  // the controls' other notifications
      g_script.messages.push_back(message);
      const int id = LOWORD(wParam);
      g_script.commands.push_back(id);
      if (g_script.owner != nullptr) g_script.ownerEnabledOnCommand = IsWindowEnabled(g_script.owner) != FALSE;
      if (id == IDOK && g_script.nestedOnOk) {
        g_script.nestedOnOk = false;
        DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_FORMS_EX), dialog, ScriptedProc, 0);
      }
      if (id == IDOK && g_script.askOnOk && MessageBox(dialog, "Sure?", "Forms", MB_YESNO) == IDNO) return TRUE;
      if ((id == IDOK || id == IDCANCEL) && g_script.endOnCommand) EndDialog(dialog, id);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

class Dialogs : public testing::Test {
 protected:
  void SetUp() override { g_script = Script{}; }
  static HWND Make(int id, HWND parent = nullptr) {
    HWND dialog = CreateDialogParam(nullptr, MAKEINTRESOURCE(id), parent, ScriptedProc, 0);
    EXPECT_NE(dialog, nullptr) << "error " << GetLastError();
    return dialog;
  }
};

RECT WindowRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassName(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[256] = "";
  GetWindowText(window, text, sizeof text);
  return text;
}

using ControlInfo = std::tuple<std::string, std::string, LONG, LONG, int, LONG, LONG, LONG, LONG>;

std::vector<ControlInfo> ControlsOf(HWND dialog) {
  std::vector<ControlInfo> controls;
  for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    const RECT r = WindowRectOf(c);
    controls.emplace_back(ClassOf(c), TextOf(c), GetWindowLong(c, GWL_STYLE), GetWindowLong(c, GWL_EXSTYLE),
                          GetDlgCtrlID(c), r.left, r.top, r.right, r.bottom);
  }
  return controls;
}

TEST_F(Dialogs, TemplatesOfBothFormsGiveTheSameControls) {
  HWND classic = Make(IDD_FORMS);
  HWND extended = Make(IDD_FORMS_EX);
  ASSERT_NE(classic, nullptr);
  ASSERT_NE(extended, nullptr);
  const std::vector<ControlInfo> controls = ControlsOf(classic);
  EXPECT_EQ(ControlsOf(extended), controls);
  std::vector<std::string> classes;
  for (const ControlInfo& c : controls) classes.push_back(std::get<0>(c) + " " + std::get<1>(c));
  EXPECT_EQ(classes,
            (std::vector<std::string>{"Button OK", "Button Cancel", "Edit ", "ComboBox ", "ListBox ", "Button &Backup",
                                      "Button Mode", "Button &Fast", "Button &Safe", "Button &More"}));
  EXPECT_EQ(TextOf(classic), "Forms");
  EXPECT_EQ(TextOf(extended), "Forms");
  EXPECT_EQ(GetWindowLong(classic, GWL_STYLE) & ~WS_VISIBLE, GetWindowLong(extended, GWL_STYLE) & ~WS_VISIBLE);
  EXPECT_EQ(GetWindowLong(GetDlgItem(classic, IDC_MORE), GWL_STYLE) & WS_DISABLED, WS_DISABLED);
  DestroyWindow(classic);
  DestroyWindow(extended);
}

// A dialog unit is a quarter of the font's average width across and an eighth of its height
// down: 8 x 16 pixels in an 8-point font (and the system font), 16 x 32 in a 24-point one.
TEST_F(Dialogs, ControlsAreLaidOutInDialogUnitsOfTheDialogsFont) {
  const struct {
    const char* what;
    int dialog;
    int unitX, unitY;  // pixels per 4 and 8 dialog units
    bool fontSet;
  } cases[] = {
      {.what = "8 points", .dialog = IDD_FORMS, .unitX = 8, .unitY = 16, .fontSet = true},
      {.what = "24 points", .dialog = IDD_LARGE_FONT, .unitX = 16, .unitY = 32, .fontSet = true},
      {.what = "the system font", .dialog = IDD_SYSTEM_FONT, .unitX = 8, .unitY = 16, .fontSet = false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HWND dialog = Make(c.dialog);
    ASSERT_NE(dialog, nullptr);
    auto x = [&](int dlu) { return dlu * c.unitX / 4; };
    auto y = [&](int dlu) { return dlu * c.unitY / 8; };
    // No owner: the template's place is on the screen; no frame: the client area is its size.
    const RECT window = WindowRectOf(dialog);
    EXPECT_EQ(window.left, x(10));
    EXPECT_EQ(window.top, y(20));
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, x(200));
    EXPECT_EQ(client.bottom, y(120));

    RECT ok = WindowRectOf(GetDlgItem(dialog, IDOK));
    EXPECT_EQ(ok.left - window.left, x(140));
    EXPECT_EQ(ok.top - window.top, y(100));
    EXPECT_EQ(ok.right - ok.left, x(50));
    EXPECT_EQ(ok.bottom - ok.top, y(14));
    RECT units{140, 100, 190, 114};
    ASSERT_TRUE(MapDialogRect(dialog, &units));
    EXPECT_EQ(units.left, ok.left - window.left);
    EXPECT_EQ(units.bottom, ok.bottom - window.top);

    // A combo box keeps the height of its field (a line of its font and 6), not of its list.
    const RECT combo = WindowRectOf(GetDlgItem(dialog, IDC_KIND));
    EXPECT_EQ(combo.bottom - combo.top, c.unitY + 6);

    // Every control got the dialog's font, which is the one the units come from.
    const auto font = reinterpret_cast<HFONT>(SendMessage(dialog, WM_GETFONT, 0, 0));
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT))
      EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(control, WM_GETFONT, 0, 0)), c.fontSet ? font : nullptr);
    DestroyWindow(dialog);
  }
  EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(8, 16));
  EXPECT_EQ(sandbox::GdiObjects().count("Font"), 0u) << "each dialog's font goes with it";
}

TEST_F(Dialogs, CreationSetsTheFontThenInitialisesAndFocusesTheFirstTabStop) {
  HWND dialog = Make(IDD_FORMS);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(g_script.messages, (std::vector<UINT>{WM_SETFONT, WM_INITDIALOG}));
  EXPECT_EQ(g_script.initFocus, GetDlgItem(dialog, IDOK)) << "a default push button has WS_TABSTOP";
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
  EXPECT_FALSE(IsWindowVisible(dialog)) << "the template has no WS_VISIBLE";
  DestroyWindow(dialog);
}

TEST_F(Dialogs, ADialogThatCannotBeMadeIsNoneAndIsNotShownToTheUser) {
  const struct {
    const char* what;
    LPCSTR name;
    DWORD error;
  } cases[] = {
      {.what = "a control of an unknown class",
       .name = MAKEINTRESOURCE(IDD_UNKNOWN_CLASS),
       .error = ERROR_CANNOT_FIND_WND_CLASS},
      {.what = "a malformed template", .name = MAKEINTRESOURCE(IDD_MALFORMED), .error = ERROR_INVALID_DATA},
      {.what = "no template", .name = MAKEINTRESOURCE(999), .error = ERROR_RESOURCE_NAME_NOT_FOUND},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(CreateDialogParam(nullptr, c.name, nullptr, ScriptedProc, 0), nullptr);
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(DialogBoxParam(nullptr, c.name, nullptr, ScriptedProc, 0), -1);
  }
  EXPECT_TRUE(sandbox::Modals().empty());
  EXPECT_EQ(FindWindow("#32770", "Unknown"), nullptr) << "the half-made dialog is gone";
}

// Enter clicks the focused push button or else the default one, Escape cancels, Tab moves along
// the controls with WS_TABSTOP that are visible and enabled.
TEST_F(Dialogs, TheKeyboardGoesThroughIsDialogMessage) {
  g_script.endOnCommand = false;
  HWND dialog = Make(IDD_FORMS);
  ASSERT_NE(dialog, nullptr);
  ShowWindow(dialog, SW_SHOW);
  auto item = [&](int id) { return GetDlgItem(dialog, id); };
  const struct {
    const char* what;
    int focus;
    WPARAM key;
    int command;  // 0: none
    int focusAfter;
  } cases[] = {
      {.what = "Enter in an edit", .focus = IDC_NAME, .key = VK_RETURN, .command = IDOK, .focusAfter = IDC_NAME},
      {.what = "Enter on a push button",
       .focus = IDCANCEL,
       .key = VK_RETURN,
       .command = IDCANCEL,
       .focusAfter = IDCANCEL},
      {.what = "Escape", .focus = IDC_FILES, .key = VK_ESCAPE, .command = IDCANCEL, .focusAfter = IDC_FILES},
      {.what = "Tab", .focus = IDC_NAME, .key = VK_TAB, .command = 0, .focusAfter = IDC_KIND},
      {.what = "Tab into a group", .focus = IDC_BACKUP, .key = VK_TAB, .command = 0, .focusAfter = IDC_FAST},
      {.what = "Tab past a disabled control wraps", .focus = IDC_FAST, .key = VK_TAB, .command = 0, .focusAfter = IDOK},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetFocus(item(c.focus));
    g_script.commands.clear();
    MSG message{item(c.focus), WM_KEYDOWN, c.key, 0, 0, {0, 0}};
    EXPECT_TRUE(IsDialogMessage(dialog, &message));
    EXPECT_EQ(g_script.commands, c.command ? std::vector<int>{c.command} : std::vector<int>{});
    EXPECT_EQ(GetFocus(), item(c.focusAfter));
  }

  // Another default button: Enter clicks it, and the old one is a plain push button again.
  SendMessage(dialog, DM_SETDEFID, IDCANCEL, 0);
  EXPECT_EQ(SendMessage(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDCANCEL, DC_HASDEFID));
  EXPECT_EQ(GetWindowLong(item(IDOK), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(GetWindowLong(item(IDCANCEL), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  SetFocus(item(IDC_NAME));
  g_script.commands.clear();
  MSG enter{item(IDC_NAME), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  IsDialogMessage(dialog, &enter);
  EXPECT_EQ(g_script.commands, std::vector<int>{IDCANCEL});

  MSG elsewhere{GetDesktopWindow(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  EXPECT_FALSE(IsDialogMessage(dialog, &elsewhere)) << "not the dialog's";
  DestroyWindow(dialog);
}

// Modal dialogs ask the scripted user once they show; what it answers is the button the user
// presses, and the dialog ends only through its own code.
TEST_F(Dialogs, AModalDialogEndsThroughItsOwnCodeWithTheButtonTheUserPresses) {
  HWND owner =
      CreateWindowEx(0, "#32770", "Owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  g_script.owner = owner;
  sandbox::QueueAnswer("Dialog", {IDOK, {}});
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_FORMS), owner, ScriptedProc, 0), IDOK);
  EXPECT_EQ(g_script.commands, std::vector<int>{IDOK});
  EXPECT_FALSE(g_script.ownerEnabledOnCommand) << "the owner is disabled while the dialog is up";
  EXPECT_TRUE(IsWindowEnabled(owner));

  // Nobody answers: Escape's IDCANCEL, recorded as unanswered.
  g_script.commands.clear();
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_FORMS_EX), owner, ScriptedProc, 0), IDCANCEL);
  EXPECT_EQ(g_script.commands, std::vector<int>{IDCANCEL});

  const std::vector<sandbox::Modal> modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 2u);
  EXPECT_EQ(modals[0].kind, "Dialog");
  EXPECT_EQ(modals[0].caption, "Forms");
  EXPECT_EQ(modals[0].text, "#100");
  EXPECT_TRUE(modals[0].answered);
  EXPECT_EQ(modals[0].result, IDOK);
  EXPECT_EQ(modals[1].text, "#101");
  EXPECT_FALSE(modals[1].answered);
  EXPECT_EQ(modals[1].result, IDCANCEL);
  EXPECT_EQ(FindWindow("#32770", "Forms"), nullptr) << "a modal dialog goes when it ends";
  DestroyWindow(owner);
}

// What the dialog read from its controls when its OK was clicked.
struct Seen {
  std::string name, kind, file;
  UINT backup = 0, safe = 0;
} g_seen;

INT_PTR CALLBACK ReadingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    for (const char* kind : {"Prompt for conversion", "Automatically convert", "Do not prompt or convert"})
      SendDlgItemMessage(dialog, IDC_KIND, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
    for (const char* file : {"C:\\a.dsw", "C:\\b.dsp"})
      SendDlgItemMessage(dialog, IDC_FILES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(file));
    SetDlgItemText(dialog, IDC_NAME, "Bench");
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    char text[64];
    GetDlgItemText(dialog, IDC_NAME, text, sizeof text);
    g_seen.name = text;
    GetDlgItemText(dialog, IDC_KIND, text, sizeof text);
    g_seen.kind = text;
    const auto file = SendDlgItemMessage(dialog, IDC_FILES, LB_GETCURSEL, 0, 0);
    SendDlgItemMessage(dialog, IDC_FILES, LB_GETTEXT, static_cast<WPARAM>(file), reinterpret_cast<LPARAM>(text));
    g_seen.file = text;
    g_seen.backup = IsDlgButtonChecked(dialog, IDC_BACKUP);
    g_seen.safe = IsDlgButtonChecked(dialog, IDC_SAFE);
  }
  return ScriptedProc(dialog, message, wParam, lParam);
}

// The answer's action works the controls as a user would while the dialog is up, and ends it by
// clicking OK: the dialog's own code reads what the user left.
TEST_F(Dialogs, TheUserWorksTheControlsWhileTheDialogIsUp) {
  g_seen = Seen{};
  std::vector<std::string> before;
  const auto user = [&](void* dialog) {
    before = {sandbox::ControlText(dialog, IDC_NAME), std::to_string(sandbox::SelectedItem(dialog, IDC_KIND))};
    EXPECT_EQ(sandbox::ControlItems(dialog, IDC_FILES), (std::vector<std::string>{"C:\\a.dsw", "C:\\b.dsp"}));
    sandbox::TypeText(dialog, IDC_NAME, "Scope");
    sandbox::SelectItem(dialog, IDC_KIND, "automatically convert");
    sandbox::SelectItem(dialog, IDC_FILES, "C:\\b.dsp");
    sandbox::SetCheck(dialog, IDC_BACKUP, BST_CHECKED);
    sandbox::ClickButton(dialog, IDC_SAFE);
    EXPECT_EQ(sandbox::ControlText(dialog, IDC_KIND), "Automatically convert");
    EXPECT_EQ(sandbox::CheckState(dialog, IDC_BACKUP), BST_CHECKED);
    const sandbox::Picture picture = sandbox::WindowPicture(dialog);
    EXPECT_EQ(picture.width, 400);
    EXPECT_TRUE(sandbox::SavePicture(picture, sandbox::testing::PictureFolder() + "/dialog_scripted.png"));
    sandbox::ClickButton(dialog, IDOK);
  };
  sandbox::QueueAnswer("Dialog", {IDCANCEL, {}, user});
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_FORMS), nullptr, ReadingProc, 0), IDOK);
  EXPECT_EQ(before, (std::vector<std::string>{"Bench", "-1"}));
  EXPECT_EQ(g_seen.name, "Scope");
  EXPECT_EQ(g_seen.kind, "Automatically convert");
  EXPECT_EQ(g_seen.file, "C:\\b.dsp");
  EXPECT_EQ(g_seen.backup, static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(g_seen.safe, static_cast<UINT>(BST_CHECKED));
  ASSERT_EQ(sandbox::Modals().size(), 1u);
  EXPECT_EQ(sandbox::Modals()[0].result, IDOK) << "the dialog's own end, not the answer's IDCANCEL";
}

TEST_F(Dialogs, LeftAloneADialogRunsUntilItsCodeEndsIt) {
  sandbox::QueueAnswer("Dialog", {sandbox::kLeaveAlone, {}});
  // The program's own reason to end it comes as a posted message.
  EXPECT_EQ(DialogBoxParam(
                nullptr, MAKEINTRESOURCE(IDD_FORMS), nullptr,
                [](HWND d, UINT m, WPARAM w, LPARAM l) -> INT_PTR {
                  if (m == WM_INITDIALOG) PostMessage(d, WM_APP, 0, 0);
                  return ScriptedProc(d, m, w, l);
                },
                0),
            42);
  ASSERT_EQ(sandbox::Modals().size(), 1u);
  EXPECT_EQ(sandbox::Modals()[0].result, 42);
}

TEST_F(Dialogs, NestedModalsAreAskedInOrder) {
  g_script.askOnOk = true;
  g_script.nestedOnOk = true;
  sandbox::QueueAnswer("Dialog", {IDOK, {}});
  sandbox::QueueAnswer("Dialog", {IDCANCEL, {}});
  sandbox::QueueAnswer("MessageBox", {IDYES, {}});
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_FORMS), nullptr, ScriptedProc, 0), IDOK);
  std::vector<std::string> asked;
  for (const sandbox::Modal& m : sandbox::Modals())
    asked.push_back(m.kind + " " + m.text + " " + std::to_string(m.result));
  EXPECT_EQ(asked, (std::vector<std::string>{"Dialog #100 1", "Dialog #101 2", "MessageBox Sure? 6"}));
}

class DialogFailures : public Dialogs {
 protected:
  sandbox::testing::CapturedFailures captured_;
  const std::vector<std::string>& failures_ = captured_.Messages();
};

TEST_F(DialogFailures, StrictModeFailsAnUnansweredDialog) {
  sandbox::SetStrict(true);
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_FORMS), nullptr, ScriptedProc, 0), IDCANCEL);
  ASSERT_EQ(failures_.size(), 1u);
  EXPECT_NE(failures_[0].find("Dialog \"Forms\""), std::string::npos) << failures_[0];
}

// A dialog whose code does not end when the user presses the answer's button would hang the
// test: it is reported and ended with IDCANCEL.
TEST_F(DialogFailures, ADialogTheAnswerDoesNotEndIsReported) {
  g_script.endOnCommand = false;
  sandbox::QueueAnswer("Dialog", {IDOK, {}});
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_FORMS), nullptr, ScriptedProc, 0), IDCANCEL);
  EXPECT_EQ(g_script.commands, std::vector<int>{IDOK});
  ASSERT_EQ(failures_.size(), 1u);
  EXPECT_NE(failures_[0].find("did not end"), std::string::npos) << failures_[0];
}

// The answer's button is one the user cannot press: a faulty script, reported once; the dialog
// ends as with no answer.
TEST_F(DialogFailures, AnAnswersDisabledButtonIsNotPressed) {
  sandbox::QueueAnswer("Dialog", {IDC_MORE, {}});
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_FORMS), nullptr, ScriptedProc, 0), IDCANCEL);
  EXPECT_TRUE(g_script.commands.empty());
  ASSERT_EQ(failures_.size(), 1u);
  EXPECT_NE(failures_[0].find("cannot press button"), std::string::npos) << failures_[0];
}

// A user can work only what shows and is enabled, and only as the control allows.
TEST_F(DialogFailures, TheUserCannotDoWhatTheControlsDoNotAllow) {
  const struct {
    const char* what;
    std::function<void(void*)> act;
    const char* report;
  } cases[] = {
      {.what = "a disabled button", .act = [](void* d) { sandbox::ClickButton(d, IDC_MORE); }, .report = "disabled"},
      {.what = "no such control", .act = [](void* d) { sandbox::TypeText(d, 4242, "x"); }, .report = "no control 4242"},
      {.what = "typing into a drop-down list",
       .act = [](void* d) { sandbox::TypeText(d, IDC_KIND, "x"); },
       .report = "drop-down list"},
      {.what = "an item that is not there",
       .act = [](void* d) { sandbox::SelectItem(d, IDC_FILES, "C:\\x"); },
       .report = "no item"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    captured_.Clear();
    g_script = Script{};
    sandbox::QueueAnswer("Dialog", {IDCANCEL, {}, c.act});
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_FORMS), nullptr, ScriptedProc, 0), IDCANCEL);
    ASSERT_EQ(failures_.size(), 1u);
    EXPECT_NE(failures_[0].find(c.report), std::string::npos) << failures_[0];
  }
}

}  // namespace

// The add-in's dialogs run modally, worked by the scripted user: their controls, what they read
// from and write to the preferences, the banner and separator, Help, the About box, the product
// path dialog, and the help viewer's binding.
#include <gtest/gtest.h>

#include <htmlhelp.h>

#include <functional>
#include <list>
#include <string>
#include <vector>

#include "AboutDlg.h"
#include "AddinDialogsResource.h"
#include "ComponentsWizardDlg.h"
#include "ConversionConfirmDlg.h"
#include "ConversionPromptDlg.h"
#include "ConversionSuccessDlg.h"
#include "PathDlgs.h"
#include "PreferencesDlg.h"
#include "SablewingPreferences.h"
#include "component_catalogue.h"
#include "sample_dialog_test.h"
#include "sandbox/dialog_user.h"
#include "sandbox/gdi.h"
#include "sandbox/html_help.h"
#include "sandbox/input.h"
#include "sandbox/modules.h"
#include "sandbox/test_canvas.h"

namespace {

constexpr char kPreferencesKey[] = "HKEY_CURRENT_USER\\Software\\Vellacott\\Sablewing\\VC\\VS6";
const std::vector<std::string> kUpgradeOptions = {"Prompt for conversion", "Automatically convert",
                                                  "Do not prompt or convert"};

std::optional<uint32_t> Preference(const char* name) { return sandbox::RegistryGetDword(kPreferencesKey, name); }

// The four preferences of the preferences dialog, in its order: the Wyc warning, the conversion
// option, backups, the success message.
std::vector<std::optional<uint32_t>> DialogPreferences() {
  return {Preference("DontDisplayWycInstrWarning"), Preference("UpgradeOptions"), Preference("BackupProjectFiles"),
          Preference("ShowConvertSuccessfulDlg")};
}
using Values = std::vector<std::optional<uint32_t>>;

// The dialog's window, shown and worked by `act` (the scripted user's hands) before the user
// presses `button`.
int RunDialog(CDialog& dialog, int button, std::function<void(void*)> act = {}) {
  sandbox::QueueAnswer("Dialog", sandbox::Answer(button, "", std::move(act)));
  return static_cast<int>(dialog.DoModal());
}

bool Shows(void* dialog, int id) { return ::IsWindowVisible(::GetDlgItem(static_cast<HWND>(dialog), id)) != FALSE; }

using Dialogs = SampleDialogTest;

// --- The conversion dialogs -------------------------------------------------------------------

TEST_F(Dialogs, TheConversionPromptShowsThePreferencesAndStoresTheOptionWhateverTheAnswer) {
  const struct {
    const char* name;
    uint32_t option, backup;  // the preferences before
    bool callerBackup;
    const char* choose;  // the option the user picks; nullptr: none
    bool untick;         // the user clears "Backup project files"
    int button, result;
    int shownIndex;
    uint32_t stored;
  } cases[] = {
      {.name = "No stores the option picked", .option = 2, .backup = 1, .callerBackup = false,
       .choose = "Automatically convert", .untick = true, .button = IDCANCEL, .result = IDCANCEL, .shownIndex = 2,
       .stored = 1},
      {.name = "Yes stores it too", .option = 0, .backup = 0, .callerBackup = true, .choose = "Do not prompt or convert",
       .untick = false, .button = IDOK, .result = IDOK, .shownIndex = 0, .stored = 2},
      {.name = "an option out of range shows the first and stores it", .option = 7, .backup = 1,
       .callerBackup = true, .choose = nullptr, .untick = false, .button = IDCANCEL, .result = IDCANCEL,
       .shownIndex = 0, .stored = 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CSablewingPreferences::SetUpgradeOptions(c.option);
    CSablewingPreferences::SetBackupProjectFiles(c.backup != 0);
    CConversionPromptDlg dialog(&depot_, c.callerBackup);
    EXPECT_EQ(RunDialog(dialog, c.button,
                  [&](void* window) {
                    EXPECT_EQ(sandbox::ControlItems(window, IDC_UPGRADE_OPTIONS), kUpgradeOptions);
                    EXPECT_EQ(sandbox::SelectedItem(window, IDC_UPGRADE_OPTIONS), c.shownIndex);
                    EXPECT_EQ(sandbox::CheckState(window, IDC_BACKUP_FILES), c.backup ? BST_CHECKED : BST_UNCHECKED)
                        << "from the preference, not from the caller";
                    if (c.choose != nullptr) sandbox::SelectItem(window, IDC_UPGRADE_OPTIONS, c.choose);
                    if (c.untick) sandbox::SetCheck(window, IDC_BACKUP_FILES, BST_UNCHECKED);
                  }),
              c.result);
    EXPECT_EQ(Preference("UpgradeOptions"), c.stored);
    EXPECT_EQ(dialog.m_bBackup, c.untick ? FALSE : static_cast<BOOL>(c.backup));
    EXPECT_EQ(Preference("BackupProjectFiles"), c.backup) << "the check is the caller's, never stored";
  }
}

TEST_F(Dialogs, TheConfirmationStartsFromTheBackupPreference) {
  for (const bool backup : {true, false}) {
    SCOPED_TRACE(backup);
    CSablewingPreferences::SetBackupProjectFiles(backup);
    CConversionConfirmDlg dialog(&depot_);
    EXPECT_EQ(RunDialog(dialog, IDOK,
                  [&](void* window) {
                    EXPECT_EQ(sandbox::CheckState(window, IDC_BACKUP_FILES), backup ? BST_CHECKED : BST_UNCHECKED);
                    sandbox::ClickButton(window, IDC_BACKUP_FILES);
                  }),
              IDOK);
    EXPECT_EQ(dialog.m_bBackup, backup ? FALSE : TRUE);
  }
  CConversionConfirmDlg dialog(&depot_);
  EXPECT_EQ(RunDialog(dialog, IDCANCEL), IDCANCEL);
}

// A success dialog whose list box shows its items in a font twice the dialog's, so that a width
// measured in any other font falls short.
class CLargeListSuccessDlg : public CConversionSuccessDlg {
 public:
  using CConversionSuccessDlg::CConversionSuccessDlg;
  BOOL OnInitDialog() override {
    m_largeFont.CreatePointFont(240, "MS Sans Serif");
    GetDlgItem(IDC_BACKUP_LIST)->SetFont(&m_largeFont);
    return CConversionSuccessDlg::OnInitDialog();
  }
  CFont m_largeFont;
};

TEST_F(Dialogs, TheSuccessDialogListsTheBackupsScrollableToTheWidest) {
  const std::list<CString> paths = {"C:\\Projects\\Thermo\\Sablewing_Backup\\Thermo_sablewing_1.dsw",
                                    "C:\\Projects\\Thermo\\Sablewing_Backup\\Thermo_sablewing_1.dsp"};
  CLargeListSuccessDlg dialog(&depot_, true, &paths);
  int extent = 0, widest = 0;
  EXPECT_EQ(RunDialog(dialog, IDCANCEL,
                [&](void* window) {
                  EXPECT_TRUE(Shows(window, IDC_BACKUP_LIST));
                  EXPECT_TRUE(Shows(window, IDC_BACKUP_LABEL));
                  EXPECT_EQ(sandbox::ControlItems(window, IDC_BACKUP_LIST),
                            (std::vector<std::string>{static_cast<LPCTSTR>(paths.front()),
                                                      static_cast<LPCTSTR>(paths.back())}));
                  const HWND list = ::GetDlgItem(static_cast<HWND>(window), IDC_BACKUP_LIST);
                  extent = static_cast<int>(::SendMessage(list, LB_GETHORIZONTALEXTENT, 0, 0));
                  HDC dc = ::GetDC(list);
                  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessage(list, WM_GETFONT, 0, 0)));
                  SIZE size{};
                  ::GetTextExtentPoint32(dc, paths.front(), paths.front().GetLength(), &size);
                  ::SelectObject(dc, old);
                  ::ReleaseDC(list, dc);
                  widest = size.cx;
                  EXPECT_NE(::GetWindowLong(list, GWL_STYLE) & WS_HSCROLL, 0) << "the scroll bar shows";
                  sandbox::SetCheck(window, IDC_DONT_SHOW_AGAIN, BST_CHECKED);
                }),
            IDCANCEL);
  EXPECT_GE(extent, widest);
  EXPECT_GT(widest, 8 * paths.front().GetLength()) << "measured in the list's large font";
  EXPECT_EQ(Preference("ShowConvertSuccessfulDlg"), 0u);

  CConversionSuccessDlg plain(&depot_, false, &paths);
  EXPECT_EQ(RunDialog(plain, IDCANCEL,
                [&](void* window) {
                  EXPECT_FALSE(Shows(window, IDC_BACKUP_LIST));
                  EXPECT_FALSE(Shows(window, IDC_BACKUP_LABEL));
                  EXPECT_TRUE(Shows(window, IDC_DONT_SHOW_AGAIN));
                  EXPECT_EQ(sandbox::CheckState(window, IDC_DONT_SHOW_AGAIN), BST_UNCHECKED);
                }),
            IDCANCEL);
  EXPECT_EQ(Preference("ShowConvertSuccessfulDlg"), 1u);
}

// --- Preferences --------------------------------------------------------------------------------

TEST_F(Dialogs, PreferencesAreWrittenOnOKOnly) {
  CSablewingPreferences::SetDontDisplayWycInstrWarning(true);
  CSablewingPreferences::SetUpgradeOptions(5);  // outside the options: shown as the first
  CSablewingPreferences::SetBackupProjectFiles(true);
  CSablewingPreferences::SetShowConvertSuccessfulDlg(false);
  const auto change = [](void* window) {
    EXPECT_EQ(sandbox::CheckState(window, IDC_WYC_WARNING), BST_CHECKED);
    EXPECT_EQ(sandbox::SelectedItem(window, IDC_UPGRADE_OPTIONS), 0);
    EXPECT_EQ(sandbox::CheckState(window, IDC_BACKUP_FILES), BST_CHECKED);
    EXPECT_EQ(sandbox::CheckState(window, IDC_SHOW_SUCCESS), BST_UNCHECKED);
    sandbox::ClickButton(window, IDC_WYC_WARNING);
    sandbox::SelectItem(window, IDC_UPGRADE_OPTIONS, "Automatically convert");
    sandbox::ClickButton(window, IDC_BACKUP_FILES);
    sandbox::ClickButton(window, IDC_SHOW_SUCCESS);
  };
  CPreferencesDlg cancelled(&depot_);
  EXPECT_EQ(RunDialog(cancelled, IDCANCEL, change), IDCANCEL);
  EXPECT_EQ(DialogPreferences(), (Values{1u, 5u, 1u, 0u}));

  CPreferencesDlg accepted(&depot_);
  EXPECT_EQ(RunDialog(accepted, IDOK, change), IDOK);
  EXPECT_EQ(DialogPreferences(), (Values{0u, 1u, 0u, 1u}));
}

TEST_F(Dialogs, PreferencesShowTheAboutBox) {
  CPreferencesDlg dialog(&depot_);
  sandbox::QueueAnswer("Dialog", sandbox::Answer(IDCANCEL, "", [](void* window) {
                         sandbox::QueueAnswer("Dialog", {IDOK});
                         sandbox::ClickButton(window, IDC_ABOUT_BUTTON);
                       }));
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  std::vector<std::string> shown;
  for (const sandbox::Modal& modal : sandbox::Modals()) shown.push_back(modal.caption + " " + modal.text);
  EXPECT_EQ(shown, (std::vector<std::string>{"Sablewing Preferences #5110", " #142"}));
}

// --- Help -----------------------------------------------------------------------------------------

TEST_F(Dialogs, HelpOpensTheDialogsTopicInTheProductsHelp) {
  CPreferencesDlg preferences(&depot_);
  CConversionPromptDlg prompt(&depot_, true);
  CComponentsWizardDlg components(&depot_, true, false);
  const struct {
    CDialog* dialog;
    const char* path;
  } cases[] = {
      {.dialog = &preferences, .path = "C:\\Sablewing\\Help\\tqvcmain.chm::\\hdipref.htm"},
      {.dialog = &prompt, .path = "C:\\Sablewing\\Help\\tqvcmain.chm::\\hdiconv.htm"},
      {.dialog = &components, .path = "C:\\Sablewing\\Help\\tqvcmain.chm::\\hdiaddin.htm"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    RunDialog(*c.dialog, IDCANCEL, [](void* window) { sandbox::ClickButton(window, IDC_HELP_BUTTON); });
    const std::vector<sandbox::HtmlHelpRequest> requests = sandbox::HtmlHelpRequests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().path, c.path);
    EXPECT_EQ(requests.back().owner, ::GetDesktopWindow());
    EXPECT_EQ(requests.back().command, static_cast<unsigned>(HH_DISPLAY_TOPIC));
    EXPECT_NE(requests.back().window, nullptr) << "the sample's help file is there";
  }
}

// The binding in a module loaded afresh, so that what it remembers starts anew.
class HelpViewer : public testing::Test {
 protected:
  void SetUp() override {
    probe_ = ::LoadLibrary(HELP_PROBE_FILE);
    ASSERT_NE(probe_, nullptr) << ::GetLastError();
    call_ = reinterpret_cast<HWND (*)(HWND, LPCSTR, UINT, DWORD_PTR)>(
        reinterpret_cast<void (*)()>(::GetProcAddress(probe_, "ProbeCallHtmlHelp")));
    ASSERT_NE(call_, nullptr);
    sandbox::testing::WriteHostFile(sandbox::MapTempDrive('H') + "/Help/tqvcmain.chm", "help");
  }
  void TearDown() override { ::FreeLibrary(probe_); }

  HMODULE probe_ = nullptr;
  HWND (*call_)(HWND, LPCSTR, UINT, DWORD_PTR) = nullptr;
};

TEST_F(HelpViewer, IsFoundByItsRegistrationOrByName) {
  for (const bool registered : {true, false}) {
    SCOPED_TRACE(registered ? "by the registered path" : "by name");
    TearDown();
    sandbox::Reset();
    if (registered)
      sandbox::RegistrySetString("HKEY_CLASSES_ROOT\\CLSID\\" HTMLHELP_CLSID_TEXT "\\InprocServer32", "",
                                 sandbox::WindowsPath(HHCTRL_HOST_FILE));
    SetUp();
    EXPECT_NE(call_(::GetDesktopWindow(), "H:\\Help\\tqvcmain.chm::\\hdiaddin.htm", HH_DISPLAY_TOPIC, 0), nullptr);
    EXPECT_EQ(call_(NULL, "H:\\Help\\missing.chm", HH_DISPLAY_TOPIC, 0), nullptr);
    ASSERT_EQ(sandbox::HtmlHelpRequests().size(), 2u);
    EXPECT_EQ(sandbox::LoadAttempts("hhctrl.ocx"), 1u);
  }
}

TEST_F(HelpViewer, AViewerThatCannotBeLoadedIsNeverTriedAgain) {
  const struct {
    const char* name;
    std::function<void()> arrange;
  } cases[] = {
      {.name = "refused", .arrange = [] { sandbox::RefuseLoad("hhctrl.ocx", ERROR_MOD_NOT_FOUND); }},
      {.name = "refused with no error", .arrange = [] { sandbox::RefuseLoad("hhctrl.ocx", 0); }},
      {.name = "registered where there is none",
       .arrange =
           [] {
             sandbox::RegistrySetString("HKEY_CLASSES_ROOT\\CLSID\\" HTMLHELP_CLSID_TEXT "\\InprocServer32", "",
                                        "H:\\gone\\hhctrl.ocx");
           }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    sandbox::Reset();
    c.arrange();
    SetUp();
    for (int call = 0; call < 3; ++call)
      EXPECT_EQ(call_(::GetDesktopWindow(), "H:\\Help\\tqvcmain.chm::\\hdiaddin.htm", HH_DISPLAY_TOPIC, 0), nullptr);
    EXPECT_EQ(sandbox::LoadAttempts("hhctrl.ocx"), 1u);
    EXPECT_TRUE(sandbox::HtmlHelpRequests().empty());
  }
}

// --- Banner, About, product path ----------------------------------------------------------------

TEST_F(Dialogs, TheBannerRunsDownToTheSeparatorWithTheBadgeOverIt) {
  CNoComponentsDlg dialog(&depot_);
  sandbox::Picture picture;
  RunDialog(dialog, IDCANCEL, [&](void* window) {
    picture = sandbox::WindowPicture(window);
    EXPECT_TRUE(Shows(window, IDCANCEL));
  });
  sandbox::SavePicture(picture, sandbox::testing::PictureFolder() + "/no_components.png");
  ASSERT_EQ(picture.width, 480);
  ASSERT_EQ(picture.height, 160);
  const COLORREF black = RGB(0, 0, 0), face = ::GetSysColor(COLOR_BTNFACE), edge = RGB(170, 190, 230);
  // The separator: 2 rows, 40 above the bottom, from the left edge to 11 short of the right.
  for (int y : {118, 119}) {
    EXPECT_EQ(picture.At(0, y), black);
    EXPECT_EQ(picture.At(468, y), black);
    EXPECT_EQ(picture.At(469, y), face);
  }
  EXPECT_EQ(picture.At(100, 117), face);
  EXPECT_EQ(picture.At(100, 120), face);
  // The banner: its own width (48, its light right edge at 46 and 47), stretched down to 2 rows
  // below the separator's top, which covers them.
  for (int y : {40, 100, 117}) {
    EXPECT_EQ(picture.At(46, y), edge) << y;
    EXPECT_EQ(picture.At(48, y), face) << y;
  }
  EXPECT_EQ(picture.At(10, 119), black);
  EXPECT_EQ(picture.At(10, 120), face);
  // The badge at half size (32 x 32): its disc, and the banner where its white is left out.
  EXPECT_EQ(picture.At(16, 24), RGB(150, 22, 34));
  EXPECT_EQ(picture.At(1, 1), picture.At(40, 1)) << "the banner shows through the badge's white";
  EXPECT_NE(picture.At(1, 1), RGB(255, 255, 255));
}

TEST_F(Dialogs, TheAboutBoxShowsThePictureAndTheRegisteredUser) {
  const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Vellacott\\Sablewing\\6.0\\User Info";
  const struct {
    const char* name;
    std::function<void()> arrange;
    std::string info;
  } cases[] = {
      {.name = "no key",
       .arrange = [&] { sandbox::RegistryDeleteKey(key); },
       .info = "Version: 6.0\nUser Name: \nOrganization: "},
      {.name = "both values",
       .arrange =
           [&] {
             sandbox::RegistrySetString(key, "UserName", "Ada Quill");
             sandbox::RegistrySetString(key, "CompanyName", "Quill Metrology");
           },
       .info = "Version: 6.0\nUser Name: Ada Quill\nOrganization: Quill Metrology"},
      {.name = "a value that is no string",
       .arrange = [&] { sandbox::RegistrySetDword(key, "CompanyName", 7); },
       .info = "Version: 6.0\nUser Name: Ada Quill\nOrganization: "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.arrange();
    CAboutDlg about;
    std::string info;
    sandbox::Picture picture;
    RECT window{};
    RunDialog(about, IDOK, [&](void* dialog) {
      info = sandbox::ControlText(dialog, IDC_ABOUT_INFO);
      ::GetWindowRect(static_cast<HWND>(dialog), &window);
      picture = sandbox::WindowPicture(dialog);
    });
    EXPECT_EQ(info, c.info);
    EXPECT_EQ(window.right - window.left, 320);
    EXPECT_EQ(window.bottom - window.top, 180 + ::GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(picture.At(0, 5), RGB(20, 44, 120)) << "the picture's left edge";
    EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
    if (c.info.find("Quill Metrology") != std::string::npos)
      sandbox::SavePicture(picture, sandbox::testing::PictureFolder() + "/about.png");
  }
  // A click anywhere on it closes it.
  CAboutDlg about;
  EXPECT_EQ(RunDialog(about, sandbox::kLeaveAlone,
                [](void* dialog) {
                  POINT at{300, 20};
                  ::ClientToScreen(static_cast<HWND>(dialog), &at);
                  sandbox::MovePointer(at.x, at.y);
                  sandbox::Click(sandbox::MouseButton::kRight);
                }),
            IDOK);
}

TEST_F(Dialogs, BrowseChoosesTheProductPath) {
  sandbox::RegistryDeleteKey(component_testing::kProductKey);
  CInvalidPathDlg dialog(&depot_);
  EXPECT_EQ(RunDialog(dialog, IDOK,
                [](void* window) {
                  sandbox::QueueAnswer("BrowseForFolder", {IDOK, "C:\\Sablewing"});
                  sandbox::ClickButton(window, IDC_BROWSE);
                }),
            IDOK);
  EXPECT_EQ(std::string(depot_.GetProductPath().GetString()), "C:\\Sablewing");
  EXPECT_EQ(sandbox::RegistryGetString(component_testing::kProductKey, "InstallDir"), "C:\\Sablewing");
}

}  // namespace

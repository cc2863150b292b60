// The dialog controls through their messages and the dialog item calls: buttons (check boxes,
// radio groups, disabled ones), edits, list boxes (the horizontal scroll bar at the extent of the
// width and one more), combo boxes, and a picture of a dialog with every kind set.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dialogs/dialog_ids.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_canvas.h"

namespace {

// The notifications the dialog got: (control id, notification code).
std::vector<std::pair<int, int>> g_notified;

INT_PTR CALLBACK RecordingDialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND) g_notified.emplace_back(LOWORD(wParam), HIWORD(wParam));
  return message == WM_INITDIALOG;
}

class DialogControls : public testing::Test {
 protected:
  void SetUp() override {
    g_notified.clear();
    dialog_ = CreateDialogParam(nullptr, MAKEINTRESOURCE(IDD_FORMS), nullptr, RecordingDialogProc, 0);
    ASSERT_NE(dialog_, nullptr) << "error " << GetLastError();
    g_notified.clear();
  }
  void TearDown() override { DestroyWindow(dialog_); }
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }
  LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendDlgItemMessage(dialog_, id, message, wParam, lParam);
  }
  static LPARAM Text(const char* text) { return reinterpret_cast<LPARAM>(text); }
  std::string ItemText(int id) const {
    char text[256] = "";
    GetDlgItemText(dialog_, id, text, sizeof text);
    return text;
  }

  HWND dialog_ = nullptr;
};

TEST_F(DialogControls, ButtonsTurnCheckAndTellTheirParent) {
  Send(IDC_BACKUP, BM_CLICK);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_BACKUP), BST_CHECKED);
  Send(IDC_BACKUP, BM_CLICK);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_BACKUP), BST_UNCHECKED);
  EXPECT_EQ(g_notified, (std::vector<std::pair<int, int>>{{IDC_BACKUP, BN_CLICKED}, {IDC_BACKUP, BN_CLICKED}}));

  // A radio button that is clicked clears the others of its group only.
  CheckDlgButton(dialog_, IDC_BACKUP, BST_CHECKED);
  Send(IDC_FAST, BM_CLICK);
  Send(IDC_SAFE, BM_CLICK);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_FAST), BST_UNCHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_SAFE), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_BACKUP), BST_CHECKED);
  CheckRadioButton(dialog_, IDC_FAST, IDC_SAFE, IDC_FAST);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_FAST), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_SAFE), BST_UNCHECKED);

  // A disabled button takes no click; a push button has no check.
  g_notified.clear();
  Send(IDC_MORE, BM_CLICK);
  EXPECT_TRUE(g_notified.empty());
  Send(IDOK, BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(Send(IDOK, BM_GETCHECK), BST_UNCHECKED);
  EXPECT_EQ(Send(IDOK, WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON, DLGC_DEFPUSHBUTTON);
  EXPECT_EQ(Send(IDCANCEL, WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON, DLGC_UNDEFPUSHBUTTON);
}

TEST_F(DialogControls, EditsHoldTheirTextAndSayWhenItChanges) {
  EXPECT_TRUE(SetDlgItemText(dialog_, IDC_NAME, "Bench"));
  EXPECT_EQ(ItemText(IDC_NAME), "Bench");
  EXPECT_EQ(g_notified, (std::vector<std::pair<int, int>>{{IDC_NAME, EN_CHANGE}}));

  const struct {
    int start, end;
    int selStart, selEnd;
  } selections[] = {
      {.start = 1, .end = 3, .selStart = 1, .selEnd = 3},
      {.start = 0, .end = -1, .selStart = 0, .selEnd = 5},  // to the end
      {.start = 4, .end = 2, .selStart = 2, .selEnd = 4},   // either way round
      {.start = 2, .end = 99, .selStart = 2, .selEnd = 5},  // past the end
      {.start = -1, .end = 0, .selStart = 5, .selEnd = 5},  // no selection, at its end
  };
  for (const auto& c : selections) {
    SCOPED_TRACE(std::to_string(c.start) + ", " + std::to_string(c.end));
    Send(IDC_NAME, EM_SETSEL, static_cast<WPARAM>(c.start), c.end);
    DWORD start = 0xdeadbeef, end = 0xdeadbeef;
    EXPECT_EQ(Send(IDC_NAME, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end)),
              MAKELONG(c.selStart, c.selEnd));
    EXPECT_EQ(start, static_cast<DWORD>(c.selStart));
    EXPECT_EQ(end, static_cast<DWORD>(c.selEnd));
  }

  Send(IDC_NAME, EM_LIMITTEXT, 3);
  EXPECT_EQ(Send(IDC_NAME, EM_GETLIMITTEXT), 3);
  SetDlgItemText(dialog_, IDC_NAME, "longer than the limit");
  EXPECT_EQ(ItemText(IDC_NAME), "longer than the limit") << "the limit is the user's, not the program's";
}

TEST_F(DialogControls, DialogItemNumbersReadAsThePlatformReadsThem) {
  const struct {
    const char* text;
    BOOL isSigned;
    BOOL translated;
    UINT value;
  } cases[] = {
      {.text = "42", .isSigned = FALSE, .translated = TRUE, .value = 42},
      {.text = "  7 ", .isSigned = FALSE, .translated = TRUE, .value = 7},
      {.text = "-5", .isSigned = TRUE, .translated = TRUE, .value = static_cast<UINT>(-5)},
      {.text = "-5", .isSigned = FALSE, .translated = FALSE, .value = 0},
      {.text = "4x", .isSigned = FALSE, .translated = FALSE, .value = 0},
      {.text = "", .isSigned = FALSE, .translated = FALSE, .value = 0},
      {.text = "4294967295", .isSigned = FALSE, .translated = TRUE, .value = 4294967295u},
      {.text = "4294967296", .isSigned = FALSE, .translated = FALSE, .value = 0},
      {.text = "2147483648", .isSigned = TRUE, .translated = FALSE, .value = 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    SetDlgItemText(dialog_, IDC_NAME, c.text);
    BOOL translated = 0xdead;
    EXPECT_EQ(GetDlgItemInt(dialog_, IDC_NAME, &translated, c.isSigned), c.value);
    EXPECT_EQ(translated, c.translated);
  }
  SetDlgItemInt(dialog_, IDC_NAME, static_cast<UINT>(-12), TRUE);
  EXPECT_EQ(ItemText(IDC_NAME), "-12");
}

TEST_F(DialogControls, ListBoxesKeepTheirItemsAndSelection) {
  EXPECT_EQ(Send(IDC_FILES, LB_ADDSTRING, 0, Text("C:\\b.dsp")), 0);
  EXPECT_EQ(Send(IDC_FILES, LB_ADDSTRING, 0, Text("C:\\a.dsw")), 1) << "not sorted without LBS_SORT";
  EXPECT_EQ(Send(IDC_FILES, LB_INSERTSTRING, 0, Text("C:\\c.h")), 0);
  EXPECT_EQ(Send(IDC_FILES, LB_INSERTSTRING, 9, Text("x")), LB_ERR);
  EXPECT_EQ(Send(IDC_FILES, LB_GETCOUNT), 3);
  EXPECT_EQ(Send(IDC_FILES, LB_SETCURSEL, 2), 2);
  EXPECT_EQ(Send(IDC_FILES, LB_DELETESTRING, 0), 2);
  EXPECT_EQ(Send(IDC_FILES, LB_GETCURSEL), 1) << "the selection stays on its item";
  char text[64] = "";
  EXPECT_EQ(Send(IDC_FILES, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text)), 8);
  EXPECT_STREQ(text, "C:\\a.dsw");
  EXPECT_EQ(Send(IDC_FILES, LB_GETTEXTLEN, 5), LB_ERR);
  EXPECT_EQ(Send(IDC_FILES, LB_FINDSTRING, static_cast<WPARAM>(-1), Text("c:\\A")), 1) << "a prefix, without case";
  EXPECT_EQ(Send(IDC_FILES, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), Text("c:\\b")), LB_ERR);
  EXPECT_EQ(Send(IDC_FILES, LB_SELECTSTRING, static_cast<WPARAM>(-1), Text("C:\\B")), 0);
  EXPECT_EQ(Send(IDC_FILES, LB_GETCURSEL), 0);
  EXPECT_EQ(Send(IDC_FILES, LB_SETITEMDATA, 1, 77), LB_OKAY);
  EXPECT_EQ(Send(IDC_FILES, LB_GETITEMDATA, 1), 77);
  EXPECT_EQ(Send(IDC_FILES, LB_SETCURSEL, static_cast<WPARAM>(-1)), LB_ERR);
  EXPECT_EQ(Send(IDC_FILES, LB_GETCURSEL), LB_ERR);

  HWND sorted =
      CreateWindowEx(0, WC_LISTBOX, "", WS_CHILD | LBS_SORT, 0, 0, 50, 50, dialog_, nullptr, nullptr, nullptr);
  for (const char* item : {"beta", "Alpha", "gamma", "alpha"}) SendMessage(sorted, LB_ADDSTRING, 0, Text(item));
  std::vector<std::string> order;
  for (int i = 0; i < 4; ++i) {
    SendMessage(sorted, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    order.push_back(text);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"Alpha", "alpha", "beta", "gamma"}))
      << "without case, equal ones in order";
}

// The horizontal scroll bar shows exactly while the extent exceeds the client width.
TEST_F(DialogControls, AListBoxShowsItsHorizontalScrollBarPastItsWidth) {
  RECT client{};
  GetClientRect(Item(IDC_FILES), &client);
  const int width = client.right;
  ASSERT_GT(width, 0);
  EXPECT_EQ(GetWindowLong(Item(IDC_FILES), GWL_STYLE) & WS_HSCROLL, 0) << "no extent yet";
  const struct {
    int extent;
    bool shows;
  } cases[] = {{.extent = width, .shows = false}, {.extent = width + 1, .shows = true}, {.extent = 0, .shows = false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.extent);
    Send(IDC_FILES, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(c.extent));
    EXPECT_EQ(Send(IDC_FILES, LB_GETHORIZONTALEXTENT), c.extent);
    EXPECT_EQ((GetWindowLong(Item(IDC_FILES), GWL_STYLE) & WS_HSCROLL) != 0, c.shows);
  }
  Send(IDC_FILES, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width + 40));
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(Item(IDC_FILES), SB_HORZ, &info));
  EXPECT_EQ(info.nMax, width + 39);
  EXPECT_EQ(info.nPage, static_cast<UINT>(width));

  // A list box made without WS_HSCROLL never shows one.
  HWND plain = CreateWindowEx(0, WC_LISTBOX, "", WS_CHILD, 0, 0, 50, 50, dialog_, nullptr, nullptr, nullptr);
  SendMessage(plain, LB_SETHORIZONTALEXTENT, 500, 0);
  EXPECT_EQ(GetWindowLong(plain, GWL_STYLE) & WS_HSCROLL, 0);
}

TEST_F(DialogControls, ADropDownListShowsItsSelectedItem) {
  for (const char* item : {"Prompt for conversion", "Automatically convert", "Do not prompt or convert"})
    Send(IDC_KIND, CB_ADDSTRING, 0, Text(item));
  EXPECT_EQ(Send(IDC_KIND, CB_GETCOUNT), 3);
  EXPECT_EQ(Send(IDC_KIND, CB_GETCURSEL), CB_ERR);
  EXPECT_EQ(ItemText(IDC_KIND), "");
  EXPECT_EQ(Send(IDC_KIND, CB_SETCURSEL, 1), 1);
  EXPECT_EQ(ItemText(IDC_KIND), "Automatically convert");
  EXPECT_TRUE(g_notified.empty()) << "the program's selection is no user's: no CBN_SELCHANGE";
  EXPECT_EQ(Send(IDC_KIND, WM_SETTEXT, 0, Text("do not prompt or convert")), TRUE);
  EXPECT_EQ(Send(IDC_KIND, CB_GETCURSEL), 2);
  EXPECT_EQ(Send(IDC_KIND, WM_SETTEXT, 0, Text("Ask")), CB_ERR);
  EXPECT_EQ(Send(IDC_KIND, CB_GETCURSEL), 2);
  char text[64] = "";
  EXPECT_EQ(Send(IDC_KIND, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text)), 21);
  EXPECT_STREQ(text, "Prompt for conversion");
  EXPECT_EQ(Send(IDC_KIND, CB_DELETESTRING, 2), 2);
  EXPECT_EQ(Send(IDC_KIND, CB_GETCURSEL), CB_ERR);
  EXPECT_EQ(ItemText(IDC_KIND), "") << "its item is gone";
  EXPECT_EQ(Send(IDC_KIND, CB_SELECTSTRING, static_cast<WPARAM>(-1), Text("auto")), 1);
  EXPECT_EQ(ItemText(IDC_KIND), "Automatically convert");
  Send(IDC_KIND, CB_RESETCONTENT);
  EXPECT_EQ(ItemText(IDC_KIND), "");

  HWND editable = CreateWindowEx(0, WC_COMBOBOX, "", WS_CHILD | CBS_DROPDOWN | CBS_SORT, 0, 0, 80, 90, dialog_, nullptr,
                                 nullptr, nullptr);
  SendMessage(editable, CB_ADDSTRING, 0, Text("b"));
  EXPECT_EQ(SendMessage(editable, CB_ADDSTRING, 0, Text("a")), 0);
  SetWindowText(editable, "typed");
  char typed[16] = "";
  GetWindowText(editable, typed, sizeof typed);
  EXPECT_STREQ(typed, "typed") << "an edit field holds any text";
}

TEST_F(DialogControls, APictureOfTheDialogShowsWhatEachControlHolds) {
  SetDlgItemText(dialog_, IDC_NAME, "Bench");
  Send(IDC_KIND, CB_ADDSTRING, 0, Text("Automatic"));
  Send(IDC_KIND, CB_SETCURSEL, 0);
  Send(IDC_FILES, LB_ADDSTRING, 0, Text("C:\\Projects\\Bench\\Bench.dsw"));
  Send(IDC_FILES, LB_SETCURSEL, 0);
  CheckDlgButton(dialog_, IDC_BACKUP, BST_CHECKED);
  CheckRadioButton(dialog_, IDC_FAST, IDC_SAFE, IDC_SAFE);
  ShowWindow(dialog_, SW_SHOW);
  const sandbox::Picture picture = sandbox::WindowPicture(dialog_);
  ASSERT_EQ(picture.width, 400);
  ASSERT_EQ(picture.height, 240);
  EXPECT_TRUE(sandbox::SavePicture(picture, sandbox::testing::PictureFolder() + "/dialog_controls.png"));

  auto inside = [&](int id, int dx, int dy) {
    RECT r{}, d{};
    GetWindowRect(Item(id), &r);
    GetWindowRect(dialog_, &d);
    return picture.At(r.left - d.left + dx, r.top - d.top + dy);
  };
  EXPECT_EQ(picture.At(2, 2), RGB(192, 192, 192)) << "the dialog is button face";
  EXPECT_EQ(inside(IDC_NAME, 4, 2), RGB(255, 255, 255)) << "an edit is the window colour";
  EXPECT_EQ(inside(IDC_FILES, 100, 2), RGB(0, 0, 128)) << "the selected item is highlighted";
  EXPECT_EQ(inside(IDC_BACKUP, 6, 11), RGB(0, 0, 0)) << "the check mark";
  EXPECT_EQ(inside(IDC_SAFE, 6, 10), RGB(0, 0, 0)) << "the radio button's dot";
  EXPECT_EQ(inside(IDC_FAST, 6, 10), RGB(255, 255, 255)) << "an empty radio button";
  EXPECT_EQ(inside(IDOK, 0, 0), RGB(0, 0, 0)) << "the default button's frame";
}

}  // namespace

// CLinkLabel over a dialog's static control: its style and font, what a click does with the shell's
// answer, and its cursor.
#include "small/LinkLabel.h"

#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_canvas.h"

namespace {

constexpr UINT kLinkId = 1001;
const COLORREF kBlue = RGB(0, 0, 255), kPurple = RGB(128, 0, 128);

class CExposedLinkLabel : public CLinkLabel {
 public:
  LOGFONT UnderlinedFont() {
    LOGFONT lf{};
    m_fontUnderline.GetLogFont(&lf);
    return lf;
  }
};

class LinkLabels : public testing::Test {
 protected:
  void SetUp() override {
    const LPCTSTR dialogClass = AfxRegisterWndClass(0, NULL, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ASSERT_TRUE(dialog_.CreateEx(0, dialogClass, "Dialog", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, NULL, NULL));
    control_ = ::CreateWindowEx(0, WC_STATIC, "Sablewing", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 100, 20, dialog_,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kLinkId)), NULL, NULL);
    ASSERT_NE(control_, nullptr);
  }
  void TearDown() override { dialog_.DestroyWindow(); }

  void ClickOnTheLabel() {
    sandbox::MovePointer(100 + 10 + 4, 100 + 10 + 4);
    sandbox::Click(sandbox::MouseButton::kLeft);
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
  }
  // How many of the dialog's pixels show in `colour` (the dialog painted first, then the label over
  // it, as the queue orders their paints).
  int Pixels(COLORREF colour) {
    return sandbox::testing::CountPixels(sandbox::WindowPicture(dialog_.m_hWnd), colour);
  }

  CWnd dialog_;
  HWND control_ = nullptr;
};

TEST_F(LinkLabels, SubclassingNotifiesDrawsTransparentlyAndUnderlinesTheControlsFont) {
  CExposedLinkLabel label;
  ASSERT_TRUE(label.SubclassDlgItem(kLinkId, &dialog_));
  EXPECT_NE(label.GetStyle() & SS_NOTIFY, 0u);
  EXPECT_NE(label.GetExStyle() & WS_EX_TRANSPARENT, 0u);
  // The control had no font: the GUI font's, underlined, at 10 points (96 pixels per inch).
  LOGFONT gui{};
  ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  LOGFONT lf = label.UnderlinedFont();
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_EQ(lf.lfHeight, -13);
  EXPECT_STREQ(lf.lfFaceName, gui.lfFaceName);
  EXPECT_EQ(lf.lfWeight, gui.lfWeight);
  label.UnsubclassWindow();

  // A control with a font of its own keeps its face and weight.
  LOGFONT bold = gui;
  bold.lfWeight = FW_BOLD;
  bold.lfHeight = 40;
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&bold));
  ::SendMessage(control_, WM_SETFONT, reinterpret_cast<WPARAM>(font.m_hObject), FALSE);
  CExposedLinkLabel other;
  other.SetPointSize(240);
  ASSERT_TRUE(other.SubclassDlgItem(kLinkId, &dialog_));
  lf = other.UnderlinedFont();
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfHeight, -32) << "24 points";
  other.UnsubclassWindow();
}

TEST_F(LinkLabels, AClickOpensTheAddressAndOnlyAnAcceptedOneTurnsPurple) {
  const struct {
    const char* name;
    const char* url;
    int shellAnswer;
    size_t executions;
    COLORREF afterwards;
  } rows[] = {
      {.name = "accepted", .url = "http://www.example.com/vc", .shellAnswer = 42, .executions = 1,
       .afterwards = kPurple},
      {.name = "file not found", .url = "http://www.example.com/vc", .shellAnswer = 2, .executions = 1,
       .afterwards = kBlue},
      {.name = "the limit is not success", .url = "http://www.example.com/vc", .shellAnswer = 32, .executions = 1,
       .afterwards = kBlue},
      {.name = "no address", .url = "", .shellAnswer = 42, .executions = 0, .afterwards = kBlue},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const size_t before = sandbox::ShellExecutions().size();
    CLinkLabel label;
    ASSERT_TRUE(label.SubclassDlgItem(kLinkId, &dialog_));
    label.SetUrl(row.url);
    EXPECT_GT(Pixels(kBlue), 0) << "unvisited";
    sandbox::SetShellExecuteResult(row.shellAnswer);
    ClickOnTheLabel();
    auto executions = sandbox::ShellExecutions();
    executions.erase(executions.begin(), executions.begin() + static_cast<std::ptrdiff_t>(before));
    ASSERT_EQ(executions.size(), row.executions);
    if (!executions.empty()) {
      EXPECT_EQ(executions[0].verb, "") << "the default action";
      EXPECT_EQ(executions[0].file, row.url);
      EXPECT_EQ(executions[0].showCommand, SW_SHOWNORMAL);
    }
    EXPECT_GT(Pixels(row.afterwards), 0);
    EXPECT_EQ(Pixels(row.afterwards == kBlue ? kPurple : kBlue), 0);
    if (row.afterwards == kPurple)
      sandbox::SavePicture(sandbox::WindowPicture(dialog_.m_hWnd),
                           sandbox::testing::PictureFolder() + "/link_label_visited.png");
    label.UnsubclassWindow();
    TearDown();  // a fresh dialog for the next row
    SetUp();
  }
}

TEST_F(LinkLabels, TheCursorOverTheLink) {
  CLinkLabel label;
  ASSERT_TRUE(label.SubclassDlgItem(kLinkId, &dialog_));
  sandbox::MovePointer(115, 115);
  EXPECT_EQ(sandbox::CurrentCursor().name, "IDC_ARROW") << "no cursor id: the static's class cursor";

  label.SetCursorId(IDC_LINK);
  sandbox::MovePointer(116, 115);
  EXPECT_EQ(::GetCursor(), ::LoadCursor(::GetModuleHandle(NULL), MAKEINTRESOURCE(IDC_LINK)));
  EXPECT_EQ(sandbox::CurrentCursor().hotspotX, 5);

  label.SetCursorId(999);
  ::SetCursor(NULL);
  EXPECT_FALSE(label.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(control_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(::GetCursor(), nullptr) << "a cursor that cannot be loaded changes nothing";
  label.UnsubclassWindow();
}

TEST_F(LinkLabels, OnlyTextStaticsAreDrawnAsLinks) {
  ::SetWindowLong(control_, GWL_STYLE, WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP);
  CLinkLabel label;
  ASSERT_TRUE(label.SubclassDlgItem(kLinkId, &dialog_));
  label.Invalidate();
  EXPECT_EQ(Pixels(kBlue), 0) << "the static's own colours";
  EXPECT_GT(Pixels(RGB(0, 0, 0)), 0);
  label.UnsubclassWindow();
}

}  // namespace

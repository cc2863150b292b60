// CNewLabel over a dialog's static control: its text from outside and inside, which way it paints,
// the hover colour, link clicks, flashing, blinking and native painting.
#include "small/NewLabel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_canvas.h"

namespace {

using sandbox::testing::CountPixels;
using sandbox::testing::InkBounds;

constexpr UINT kLabelId = 1002;
const COLORREF kFace = ::GetSysColor(COLOR_BTNFACE), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0),
               kGreen = RGB(0, 255, 0);

class NewLabels : public testing::Test {
 protected:
  void SetUp() override {
    sandbox::SetClock(1'000'000);
    const LPCTSTR dialogClass = AfxRegisterWndClass(0, NULL, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ASSERT_TRUE(dialog_.CreateEx(0, dialogClass, "Dialog", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, NULL, NULL));
  }
  void TearDown() override { dialog_.DestroyWindow(); }

  // A static as a dialog makes it, the dialog and the static painted (in that order) before the
  // label takes the static over.
  HWND MakeStatic(const char* text, DWORD style, int width = 80, int height = 40) {
    const HWND control =
        ::CreateWindowEx(0, WC_STATIC, text, WS_CHILD | WS_VISIBLE | style, 10, 10, width, height, dialog_,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kLabelId)), NULL, NULL);
    EXPECT_NE(control, nullptr);
    Pump();
    return control;
  }
  static void Pump() {
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
  }
  // The label's part of the dialog's picture (the dialog painted first, then the label).
  sandbox::Picture LabelPicture(int width = 80, int height = 40) {
    const sandbox::Picture dialog = sandbox::WindowPicture(dialog_.m_hWnd);
    sandbox::Picture label{width, height, {}};
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) label.pixels.push_back(dialog.At(10 + x, 10 + y));
    return label;
  }
  static std::string StoredTitle(HWND window) {
    char title[64] = "";
    ::DefWindowProc(window, WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title));
    return title;
  }

  CWnd dialog_;
};

TEST_F(NewLabels, TheStaticsStylesBecomeTheLabelsAlignment) {
  const struct {
    const char* name;
    DWORD style;
    int horizontal, vertical;
  } rows[] = {
      {.name = "left", .style = SS_LEFT, .horizontal = CNewLabel::kLeft, .vertical = CNewLabel::kTop},
      {.name = "centre", .style = SS_CENTER, .horizontal = CNewLabel::kCentre, .vertical = CNewLabel::kTop},
      {.name = "right, centred image", .style = SS_RIGHT | SS_CENTERIMAGE, .horizontal = CNewLabel::kRight,
       .vertical = CNewLabel::kMiddle},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const HWND control = MakeStatic("Hi", row.style);
    CNewLabel label;
    ASSERT_TRUE(label.SubclassDlgItem(kLabelId, &dialog_));
    EXPECT_EQ(label.GetHorzAlignment(), row.horizontal);
    EXPECT_EQ(label.GetVertAlignment(), row.vertical);
    EXPECT_NE(label.GetStyle() & SS_NOTIFY, 0u);
    label.UnsubclassWindow();
    ::DestroyWindow(control);
  }
}

TEST_F(NewLabels, TheWindowTextFromOutsideIsTheLabelsText) {
  const HWND control = MakeStatic("Hi", SS_LEFT, 80, 60);
  CNewLabel label;
  ASSERT_TRUE(label.SubclassDlgItem(kLabelId, &dialog_));
  label.SetText("Hello world");
  CString text;
  label.GetWindowText(text);
  EXPECT_STREQ(text, "Hello world") << "not cut to the length of the window text";
  EXPECT_EQ(StoredTitle(control), "Hi");
  char small[4];
  EXPECT_EQ(::GetWindowText(control, small, sizeof small), 3);
  EXPECT_STREQ(small, "Hel");

  // Vertical: one letter a line on the screen and in the window text, the plain text for others.
  label.SetVertical(true);
  label.SetText("Abc");
  EXPECT_EQ(StoredTitle(control), "A\nb\nc");
  label.GetWindowText(text);
  EXPECT_STREQ(text, "Abc");
  const RECT ink = InkBounds(LabelPicture(80, 60), kBlack);
  EXPECT_LE(ink.right - ink.left, 8) << "one column";
  EXPECT_GT(ink.bottom - ink.top, 32) << "three lines";
  sandbox::SavePicture(sandbox::WindowPicture(dialog_.m_hWnd),
                       sandbox::testing::PictureFolder() + "/new_label_vertical.png");

  // Set from outside, the text is stored and passed on.
  ::SetWindowText(control, "Outside");
  label.GetWindowText(text);
  EXPECT_STREQ(text, "Outside");
  EXPECT_EQ(StoredTitle(control), "Outside");
  label.UnsubclassWindow();
}

TEST_F(NewLabels, TwoLinesInTheMiddleGoThroughTheRotatorWithOrWithoutABitmap) {
  const struct {
    const char* name;
    const char* text;
    DWORD style;
    bool bitmap;
    bool rotator;  // the rotator's block shows in its background colour; direct text keeps the bitmap
  } rows[] = {
      {.name = "two lines, middle, bitmap", .text = "ab\ncd", .style = SS_CENTERIMAGE, .bitmap = true,
       .rotator = true},
      {.name = "two lines, middle, no bitmap", .text = "ab\ncd", .style = SS_CENTERIMAGE, .bitmap = false,
       .rotator = true},
      {.name = "one line, middle, bitmap", .text = "ab", .style = SS_CENTERIMAGE, .bitmap = true, .rotator = false},
      {.name = "two lines, top, bitmap", .text = "ab\ncd", .style = SS_LEFT, .bitmap = true, .rotator = false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const HWND control = MakeStatic("", row.style);
    CNewLabel label;
    ASSERT_TRUE(label.SubclassDlgItem(kLabelId, &dialog_));
    if (row.bitmap) {
      sandbox::testing::Canvas green(4, 4, false, kGreen);
      HBITMAP bitmap = ::CreateBitmap(4, 4, 1, 32, NULL);
      HDC dc = ::CreateCompatibleDC(NULL);
      HGDIOBJ old = ::SelectObject(dc, bitmap);
      ::BitBlt(dc, 0, 0, 4, 4, green.dc(), 0, 0, SRCCOPY);
      ::SelectObject(dc, old);
      ::DeleteDC(dc);
      label.SetBkBitmap(bitmap, true);
    }
    label.SetText(row.text);
    const sandbox::Picture picture = LabelPicture();
    EXPECT_GT(CountPixels(picture, kBlack), 0) << "the text shows";
    if (row.bitmap) {
      EXPECT_GT(CountPixels(picture, kGreen), 0) << "the stretched bitmap";
    }
    EXPECT_EQ(CountPixels(picture, kFace) > 0, row.rotator);
    if (row.rotator && row.bitmap) {
      // The block of two lines (16 x 32) in the middle of 40: rows 4 to 36.
      const RECT block = InkBounds(picture, kFace);
      EXPECT_EQ(block.top, 4);
      EXPECT_EQ(block.bottom, 36);
      sandbox::SavePicture(sandbox::WindowPicture(dialog_.m_hWnd),
                           sandbox::testing::PictureFolder() + "/new_label_bitmap.png");
    }
    label.UnsubclassWindow();
    ::DestroyWindow(control);
  }
}

TEST_F(NewLabels, TheHoverColourComesAfterRestingAndGoesWhenThePointerLeaves) {
  const struct {
    const char* name;
    bool tip;
    const char* tipText;
    bool hoverShows;
  } rows[] = {
      {.name = "no tip", .tip = false, .tipText = "", .hoverShows = true},
      {.name = "a tip with text", .tip = true, .tipText = "About", .hoverShows = true},
      {.name = "a tip without text holds it back", .tip = true, .tipText = "", .hoverShows = false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const HWND control = MakeStatic("Hover", SS_LEFT);
    CNewLabel label;
    ASSERT_TRUE(label.SubclassDlgItem(kLabelId, &dialog_));
    label.SetHoverColor(true, kRed);
    if (row.tip) label.SetToolTip(row.tipText, CControlToolTip::kBelowOwner, true);
    sandbox::MovePointer(115, 115);
    Pump();
    EXPECT_EQ(CountPixels(LabelPicture(), kRed), 0);
    sandbox::AdvanceClock(50);
    Pump();
    EXPECT_EQ(CountPixels(LabelPicture(), kRed) > 0, row.hoverShows);
    sandbox::MovePointer(5, 5);  // off the dialog
    Pump();
    EXPECT_EQ(CountPixels(LabelPicture(), kRed), 0) << "the colour before the hover returns";
    EXPECT_GT(CountPixels(LabelPicture(), kBlack), 0);
    // Tracking starts again with the next move onto the label.
    sandbox::MovePointer(116, 115);
    Pump();
    sandbox::AdvanceClock(50);
    Pump();
    EXPECT_EQ(CountPixels(LabelPicture(), kRed) > 0, row.hoverShows);
    sandbox::MovePointer(5, 5);
    Pump();
    label.UnsubclassWindow();
    ::DestroyWindow(control);
  }
}

TEST_F(NewLabels, ALinkOpensItsTargetOrItsText) {
  const HWND control = MakeStatic("http://www.example.com/", SS_LEFT);
  CNewLabel label;
  ASSERT_TRUE(label.SubclassDlgItem(kLabelId, &dialog_));
  auto click = [&] {
    sandbox::AdvanceClock(1000);  // no double-click
    sandbox::MovePointer(115, 115);
    sandbox::Click(sandbox::MouseButton::kLeft);
    Pump();
  };
  click();
  EXPECT_TRUE(sandbox::ShellExecutions().empty()) << "not a link";
  label.SetLink(true);
  click();
  label.SetLinkUrl("http://www.example.com/target");
  click();
  const auto executions = sandbox::ShellExecutions();
  ASSERT_EQ(executions.size(), 2u);
  EXPECT_EQ(executions[0].verb, "open");
  EXPECT_EQ(executions[0].file, "http://www.example.com/");
  EXPECT_EQ(executions[0].showCommand, SW_SHOWNORMAL);
  EXPECT_EQ(executions[1].file, "http://www.example.com/target");
  label.UnsubclassWindow();
  (void)control;
}

TEST_F(NewLabels, FlashingBlinkingDisabledAndNativePainting) {
  const HWND control = MakeStatic("Hi", SS_LEFT);
  CNewLabel label;
  ASSERT_TRUE(label.SubclassDlgItem(kLabelId, &dialog_));
  const COLORREF background = RGB(200, 101, 51);
  label.SetBkColor(background);
  EXPECT_EQ(LabelPicture().At(79, 39), background);
  // The lit phase shifts the whole COLORREF right by one bit (not each channel halved).
  label.SetFlashBackground(1000);
  label.SendMessage(WM_TIMER, CNewLabel::kFlashTimer);
  EXPECT_EQ(LabelPicture().At(79, 39), static_cast<COLORREF>(background >> 1));
  EXPECT_EQ(background >> 1, RGB(228, 178, 25)) << "the low bits of green and blue moved into red and green";
  label.SendMessage(WM_TIMER, CNewLabel::kFlashTimer);
  EXPECT_EQ(LabelPicture().At(79, 39), background);
  label.SetFlashBackground(0);

  label.SetBlinkText(500);
  label.SendMessage(WM_TIMER, CNewLabel::kBlinkTimer);
  EXPECT_EQ(StoredTitle(control), "") << "the dark phase";
  CString text;
  label.GetWindowText(text);
  EXPECT_STREQ(text, "Hi");
  label.SendMessage(WM_TIMER, CNewLabel::kBlinkTimer);
  EXPECT_EQ(StoredTitle(control), "Hi");
  label.SetBlinkText(0);

  label.EnableWindow(FALSE);
  EXPECT_GT(CountPixels(LabelPicture(), ::GetSysColor(COLOR_BTNSHADOW)), 0) << "disabled text is embossed";
  label.EnableWindow(TRUE);

  // Painted by the static itself, over the brush of the label's background colour.
  label.SetNativePainting(true);
  const sandbox::Picture native = LabelPicture();
  EXPECT_EQ(native.At(79, 39), background);
  EXPECT_GT(CountPixels(native, kBlack), 0);
  label.UnsubclassWindow();
}

TEST_F(NewLabels, RotationCaseEtchedLinesBackgroundsAndTheLinkCursor) {
  const HWND control = MakeStatic("ab", SS_LEFT, 80, 60);
  CNewLabel label;
  ASSERT_TRUE(label.SubclassDlgItem(kLabelId, &dialog_));
  RECT ink = InkBounds(LabelPicture(80, 60), kBlack);
  EXPECT_GT(ink.right - ink.left, ink.bottom - ink.top) << "across";
  label.SetRotation(90);
  ink = InkBounds(LabelPicture(80, 60), kBlack);
  EXPECT_LT(ink.right - ink.left, ink.bottom - ink.top) << "turned a quarter";
  label.SetRotation(0);

  // Upper case shows the capitals: "AB" inks differently from "ab".
  const sandbox::Picture lower = LabelPicture(80, 60);
  label.SetCase(false, true);
  EXPECT_NE(LabelPicture(80, 60), lower);
  label.SetCase(true, false);
  EXPECT_EQ(LabelPicture(80, 60), lower) << "lower case: as typed";
  label.SetCase(false, false);

  // Etched lines continue the text to the edge in the 3-D colours.
  EXPECT_EQ(CountPixels(LabelPicture(80, 60), ::GetSysColor(COLOR_BTNSHADOW)), 0);
  label.SetEtchedLines(true);
  EXPECT_GT(CountPixels(LabelPicture(80, 60), ::GetSysColor(COLOR_BTNSHADOW)), 0);
  label.SetEtchedLines(false);

  // Without the own-background flag the text's block takes the second background colour.
  label.SetSecondBkColor(kRed, false);
  const sandbox::Picture second = LabelPicture(80, 60);
  EXPECT_EQ(InkBounds(second, kRed).left, 0);
  EXPECT_EQ(second.At(79, 59), kFace) << "the rest keeps the background";
  label.SetSecondBkColor(kRed, true);
  EXPECT_EQ(CountPixels(LabelPicture(80, 60), kRed), 0);

  // A bitmap that is not stretched is centred.
  HBITMAP bitmap = ::CreateBitmap(10, 10, 1, 32, NULL);
  {
    sandbox::testing::Canvas green(10, 10, false, kGreen);
    HDC dc = ::CreateCompatibleDC(NULL);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::BitBlt(dc, 0, 0, 10, 10, green.dc(), 0, 0, SRCCOPY);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
  }
  label.SetBkBitmap(bitmap, false);
  const RECT centred = InkBounds(LabelPicture(80, 60), kGreen);
  EXPECT_EQ(centred.left, 35);
  EXPECT_EQ(centred.top, 25);
  EXPECT_EQ(centred.right, 45);
  EXPECT_EQ(centred.bottom, 35);

  // The link cursor over the label.
  label.SetLinkCursor(IDC_LINK);
  sandbox::MovePointer(115, 115);
  EXPECT_EQ(::GetCursor(), ::LoadCursor(::GetModuleHandle(NULL), MAKEINTRESOURCE(IDC_LINK)));
  label.UnsubclassWindow();
  (void)control;
}

}  // namespace

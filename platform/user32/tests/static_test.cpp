// The static control: where its text goes for each style, the colours its parent gives it, its
// font, and how it answers the pointer. Pixel positions follow from the 8 x 16 glyph cells.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sandbox/sandbox.h"
#include "sandbox/test_canvas.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

struct ParentState {
  bool colour = false;            // answer WM_CTLCOLORSTATIC with red text on a blue brush
  std::vector<WPARAM> commands;   // WM_COMMAND wParams
  std::vector<UINT> mouse;        // mouse messages that reached the parent
};
ParentState g_parent;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static HBRUSH blue = CreateSolidBrush(kBlue);  // for the program's life, as a dialog's brush
  if (message == WM_CTLCOLORSTATIC && g_parent.colour) {
    SetTextColor(reinterpret_cast<HDC>(wParam), kRed);
    SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    return reinterpret_cast<LRESULT>(blue);
  }
  if (message == WM_COMMAND) g_parent.commands.push_back(wParam);
  if (message == WM_LBUTTONDOWN) g_parent.mouse.push_back(message);
  return DefWindowProc(window, message, wParam, lParam);
}

class Statics : public testing::Test {
 protected:
  void SetUp() override {
    g_parent = {};
    WNDCLASS wc{};
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = "StaticParent";
    ASSERT_NE(RegisterClass(&wc), 0);
    parent_ = CreateWindowEx(0, "StaticParent", "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_NE(parent_, nullptr);
  }

  HWND Make(const char* text, DWORD style, int width = 40, int height = 16) {
    HWND control = CreateWindowEx(0, WC_STATIC, text, WS_CHILD | WS_VISIBLE | style, 0, 0, width, height, parent_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(33)), nullptr, nullptr);
    EXPECT_NE(control, nullptr);
    return control;
  }

  // The bounds of the pixels of `ink` in the control's picture.
  static RECT InkBounds(HWND control, COLORREF ink) {
    return sandbox::testing::InkBounds(sandbox::WindowPicture(control), ink);
  }

  HWND parent_ = nullptr;
};

TEST_F(Statics, TextGoesWhereTheStyleSaysInTheParentsColours) {
  g_parent.colour = true;
  const struct {
    const char* name;
    DWORD style;
    int height;
    RECT cell;  // where the two 8 x 16 cells of "ab" lie; the ink stays inside
  } rows[] = {
      {.name = "left", .style = SS_LEFT, .height = 30, .cell = {0, 0, 16, 16}},
      {.name = "centre", .style = SS_CENTER, .height = 30, .cell = {12, 0, 28, 16}},
      {.name = "right", .style = SS_RIGHT, .height = 30, .cell = {24, 0, 40, 16}},
      {.name = "centred image: one line in the middle", .style = SS_LEFT | SS_CENTERIMAGE, .height = 30,
       .cell = {0, 7, 16, 23}},
      {.name = "notify changes nothing", .style = SS_RIGHT | SS_NOTIFY, .height = 16, .cell = {24, 0, 40, 16}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    HWND control = Make("ab", row.style, 40, row.height);
    const RECT ink = InkBounds(control, kRed);
    EXPECT_GE(ink.left, row.cell.left);
    EXPECT_LE(ink.right, row.cell.right);
    EXPECT_GE(ink.top, row.cell.top);
    EXPECT_LE(ink.bottom, row.cell.bottom);
    EXPECT_GT(ink.right - ink.left, 8) << "both letters drew";
    EXPECT_EQ(sandbox::WindowPicture(control).At(row.cell.right % 40 == 0 ? 0 : 39, row.height - 1), kBlue)
        << "the parent's brush fills the rest";
    DestroyWindow(control);
  }
}

TEST_F(Statics, WithoutAnAnswerTheDefaultsAndOtherStyles) {
  HWND text = Make("ab", SS_LEFT);
  sandbox::Picture picture = sandbox::WindowPicture(text);
  EXPECT_EQ(picture.At(39, 15), GetSysColor(COLOR_BTNFACE)) << "DefWindowProc's brush";
  EXPECT_LT(InkBounds(text, RGB(0, 0, 0)).right, 17) << "window text colour";
  EnableWindow(text, FALSE);
  EXPECT_GT(InkBounds(text, GetSysColor(COLOR_GRAYTEXT)).right, 0) << "a disabled static is grey";

  HWND black = Make("ignored", SS_BLACKRECT, 10, 10);
  EXPECT_EQ(sandbox::WindowPicture(black), (sandbox::Picture{10, 10, std::vector<uint32_t>(100, 0)}));
}

TEST_F(Statics, FontComesFromSetFont) {
  HWND control = Make("ab", SS_LEFT, 60, 40);
  EXPECT_EQ(SendMessage(control, WM_GETFONT, 0, 0), 0) << "no font: the system's";
  LOGFONT big{};
  big.lfHeight = 32;  // twice the cell: 16 x 32
  HFONT font = CreateFontIndirect(&big);
  SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(control, WM_GETFONT, 0, 0)), font);
  const RECT ink = InkBounds(control, RGB(0, 0, 0));
  EXPECT_GT(ink.right, 17);
  EXPECT_GT(ink.bottom, 17);
  DestroyWindow(control);
  DeleteObject(font);
}

TEST_F(Statics, OnlyANotifyingStaticTakesThePointerAndTellsItsParent) {
  HWND plain = Make("plain", SS_LEFT);
  sandbox::MovePointer(105, 105);
  sandbox::Click(sandbox::MouseButton::kLeft);
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  EXPECT_EQ(g_parent.mouse, std::vector<UINT>{WM_LBUTTONDOWN}) << "through a plain static";
  EXPECT_TRUE(g_parent.commands.empty());
  DestroyWindow(plain);

  HWND notifying = Make("link", SS_LEFT | SS_NOTIFY);
  EXPECT_EQ(WindowFromPoint({105, 105}), notifying);
  g_parent = {};
  sandbox::Click(sandbox::MouseButton::kLeft);
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  EXPECT_TRUE(g_parent.mouse.empty());
  EXPECT_EQ(g_parent.commands, std::vector<WPARAM>{MAKEWPARAM(33, STN_CLICKED)});
}

}  // namespace

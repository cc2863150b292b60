// Drawing helpers of user32: DrawText, tabbed extents, rectangles, edges, focus frames, system
// colours and metrics.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sandbox/sandbox.h"
#include "sandbox/test_canvas.h"

namespace {

using sandbox::testing::Canvas;
using sandbox::testing::Text;

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0);

// Text drawn in black on red cells over white: the non-white bounds are the text's cells.
TEST(DrawText, PlacesLinesAsTheFormatSays) {
  struct Row {
    const char* name;
    std::string text;
    UINT format;
    int height;  // what DrawText returns
    RECT cells;  // where the text's cells are, within (10, 10, 110, 60)
  } rows[] = {
      {"left", "abc", DT_SINGLELINE, 16, {10, 10, 34, 26}},
      {"centred", "abc", DT_SINGLELINE | DT_CENTER, 16, {48, 10, 72, 26}},
      {"right", "abc", DT_SINGLELINE | DT_RIGHT, 16, {86, 10, 110, 26}},
      {"vertically centred: the offset to the text's bottom", "abc", DT_SINGLELINE | DT_VCENTER, 33, {10, 27, 34, 43}},
      {"bottom", "abc", DT_SINGLELINE | DT_BOTTOM, 50, {10, 44, 34, 60}},
      {"two lines", "ab\ncdef", DT_LEFT, 32, {10, 10, 42, 42}},
      {"CR LF is one break", "ab\r\ncd", DT_LEFT, 32, {10, 10, 26, 42}},
      {"a line break at the end starts no line", "ab\n", DT_LEFT, 16, {10, 10, 26, 26}},
      {"a single line keeps breaks as characters", "ab\ncd", DT_SINGLELINE, 16, {10, 10, 50, 26}},
      {"vertical centring needs a single line", "a\nb", DT_VCENTER, 32, {10, 10, 18, 42}},
      {"lines centred one by one", "a\nbcd", DT_CENTER, 32, {48, 10, 72, 42}},
      {"words break before the right edge", "aaaa bbbb cccc", DT_WORDBREAK, 32, {10, 10, 82, 42}},
      {"a word wider than the line stays whole, clipped", "abcdefghijklmn", DT_WORDBREAK, 16, {10, 10, 110, 26}},
      {"tabs expanded to every 8 average widths", "a\tb", DT_SINGLELINE | DT_EXPANDTABS, 16, {10, 10, 82, 26}},
      {"a tab without DT_EXPANDTABS is a character", "a\tb", DT_SINGLELINE, 16, {10, 10, 34, 26}},
      {"a prefix takes no cell", "&File", DT_SINGLELINE, 16, {10, 10, 42, 26}},
      {"&& is an ampersand", "a&&b", DT_SINGLELINE, 16, {10, 10, 34, 26}},
      {"DT_NOPREFIX shows the &", "&F", DT_SINGLELINE | DT_NOPREFIX, 16, {10, 10, 26, 26}},
      {"DT_NOCLIP draws past the rectangle", "abcdefghijklmn", DT_SINGLELINE | DT_NOCLIP, 16, {10, 10, 122, 26}},
      {"empty", "", DT_SINGLELINE, 0, {0, 0, 0, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Canvas canvas(140, 70, false, kWhite);
    SetBkColor(canvas.dc(), kRed);
    RECT rect{10, 10, 110, 60};
    EXPECT_EQ(DrawText(canvas.dc(), row.text.c_str(), -1, &rect, row.format), row.height);
    EXPECT_EQ(Text(canvas.Bounds(kWhite)), Text(row.cells));
    EXPECT_EQ(Text(rect), Text(RECT{10, 10, 110, 60})) << "the rectangle is left as it was";
  }
}

TEST(DrawText, CalcRectMeasuresWithoutDrawing) {
  struct Row {
    const char* name;
    const char* text;
    UINT format;
    RECT expected;
  } rows[] = {
      {"one line", "abc", DT_SINGLELINE, {10, 10, 34, 26}},
      {"the widest of two lines", "ab\ncdef", 0, {10, 10, 42, 42}},
      {"broken at words within the width", "aaaa bbbb cccc", DT_WORDBREAK, {10, 10, 82, 42}},
      {"a word wider than the width widens it", "abcdefghijklmn x", DT_WORDBREAK, {10, 10, 122, 42}},
      {"tabs", "a\tb", DT_EXPANDTABS, {10, 10, 82, 26}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Canvas canvas(20, 20, false, kWhite);
    RECT rect{10, 10, 110, 60};
    EXPECT_EQ(DrawText(canvas.dc(), row.text, -1, &rect, row.format | DT_CALCRECT), row.expected.bottom - 10);
    EXPECT_EQ(Text(rect), Text(row.expected));
    EXPECT_EQ(Text(canvas.Bounds(kWhite)), Text(RECT{0, 0, 0, 0})) << "nothing drawn";
  }
}

TEST(DrawText, APrefixUnderlinesItsCharacterUnderTheBaseline) {
  Canvas canvas(60, 20, false, kWhite);
  SetBkMode(canvas.dc(), TRANSPARENT);
  RECT rect{0, 0, 60, 20};
  DrawText(canvas.dc(), "Fi&le", -1, &rect, DT_SINGLELINE);
  EXPECT_EQ(canvas.Mask(kBlack)[14], std::string(16, '.') + std::string(8, '#') + std::string(36, '.'));
  EXPECT_EQ(canvas.Mask(kBlack)[15], std::string(60, '.'));
}

TEST(GetTabbedTextExtent, StopsEveryEightAverageWidthsOrWhereTold) {
  struct Row {
    const char* name;
    unsigned codePage;
    std::string text;
    std::vector<INT> stops;
    WORD width;
  } rows[] = {
      {"no stops: every 64 pixels", 1252, "a\tb", {}, 72},
      {"two tabs", 1252, "a\tb\tc", {}, 136},
      {"one stop: the interval", 1252, "a\tb", {20}, 28},
      {"positions", 1252, "a\tbc\td", {12, 40}, 48},
      {"past the positions: every 64 pixels again", 1252, "a\tb\tc", {12, 16}, 72},
      {"double-byte and half-width characters", 932, "\x93\xFA\xB1\t\x96\x7B", {}, 80},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::SetCodePage(row.codePage);
    Canvas canvas(1, 1);
    const DWORD extent = GetTabbedTextExtent(canvas.dc(), row.text.data(), static_cast<int>(row.text.size()),
                                             static_cast<int>(row.stops.size()), row.stops.data());
    EXPECT_EQ(LOWORD(extent), row.width);
    EXPECT_EQ(HIWORD(extent), 16);
  }
}

TEST(FillRect, TakesABrushOrASystemColourPlusOne) {
  Canvas canvas(4, 1, false, kWhite);
  HBRUSH red = CreateSolidBrush(kRed);
  const RECT left{0, 0, 2, 1}, right{2, 0, 4, 1};
  EXPECT_EQ(FillRect(canvas.dc(), &left, red), 1);
  EXPECT_EQ(FillRect(canvas.dc(), &right, reinterpret_cast<HBRUSH>(COLOR_BTNSHADOW + 1)), 1);
  EXPECT_EQ(canvas.Rows(), (std::vector<std::vector<COLORREF>>{{kRed, kRed, RGB(128, 128, 128), RGB(128, 128, 128)}}));
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH)) << "the DC's brush is back";
  DeleteObject(red);
}

TEST(DrawEdge, EtchedTopIsAShadowLineOverAHighlightLine) {
  Canvas canvas(6, 4, false, kRed);
  RECT rect{1, 1, 5, 4};
  ASSERT_TRUE(DrawEdge(canvas.dc(), &rect, EDGE_ETCHED, BF_TOP));
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(canvas.Rows(), (std::vector<std::vector<COLORREF>>{{kRed, kRed, kRed, kRed, kRed, kRed},
                                                                {kRed, shadow, shadow, shadow, shadow, kRed},
                                                                {kRed, light, light, light, light, kRed},
                                                                {kRed, kRed, kRed, kRed, kRed, kRed}}));
}

TEST(DrawEdge, RaisedRectangleMiddleAndAdjust) {
  Canvas canvas(5, 5, false, kRed);
  RECT rect{0, 0, 5, 5};
  ASSERT_TRUE(DrawEdge(canvas.dc(), &rect, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST));
  EXPECT_EQ(Text(rect), Text(RECT{2, 2, 3, 3}));
  const COLORREF light = RGB(192, 192, 192), white = kWhite, grey = RGB(128, 128, 128), black = kBlack;
  EXPECT_EQ(canvas.Rows(), (std::vector<std::vector<COLORREF>>{{light, light, light, light, black},
                                                                {light, white, white, grey, black},
                                                                {light, white, light, grey, black},
                                                                {light, grey, grey, grey, black},
                                                                {black, black, black, black, black}}));
}

TEST(DrawFocusRect, InvertsEveryOtherPixelAndTwiceLeavesNoTrace) {
  Canvas canvas(5, 3, false, kWhite);
  const RECT rect{0, 0, 5, 3};
  ASSERT_TRUE(DrawFocusRect(canvas.dc(), &rect));
  EXPECT_EQ(canvas.Mask(kBlack), (std::vector<std::string>{"#.#.#", ".....", "#.#.#"}));
  ASSERT_TRUE(DrawFocusRect(canvas.dc(), &rect));
  EXPECT_EQ(canvas.Mask(kBlack), (std::vector<std::string>{".....", ".....", "....."}));
}

TEST(SystemColours, ChangeForTheProcessAndTheirBrushesFollow) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
  EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  const INT index = COLOR_BTNFACE;
  const COLORREF colour = kRed;
  ASSERT_TRUE(SetSysColors(1, &index, &colour));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), kRed);
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
  Canvas canvas(1, 1, false, kWhite);
  const RECT all{0, 0, 1, 1};
  FillRect(canvas.dc(), &all, face);
  EXPECT_EQ(canvas.At(0, 0), kRed);
  const INT bad[] = {COLOR_WINDOW, 99};
  const COLORREF colours[] = {kBlack, kBlack};
  EXPECT_FALSE(SetSysColors(2, bad, colours));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), kWhite) << "nothing changed";
  EXPECT_EQ(sandbox::GdiObjects().count("Brush"), 0u) << "system brushes are not counted";
  sandbox::Reset();
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192)) << "a reset brings the classic colours back";
}

TEST(SystemParameters, NonClientFontsAreSixteenHigh) {
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof metrics - 1;
  EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  Canvas canvas(1, 1);
  for (const LOGFONT* log : {&metrics.lfMenuFont, &metrics.lfMessageFont, &metrics.lfCaptionFont}) {
    HFONT font = CreateFontIndirect(log);
    HGDIOBJ old = SelectObject(canvas.dc(), font);
    TEXTMETRIC tm{};
    GetTextMetrics(canvas.dc(), &tm);
    EXPECT_EQ(tm.tmHeight, 16);
    SelectObject(canvas.dc(), old);
    DeleteObject(font);
  }
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
  EXPECT_EQ(GetSystemMetrics(SM_CYBORDER), 1);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
}

}  // namespace

// Text: Unifont's glyphs in fixed cells, the font's scale, extents and metrics in both code pages,
// backgrounds and underlines.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sandbox/test_canvas.h"
#include "sandbox/sandbox.h"

namespace {

using sandbox::testing::Canvas;
using Mask = std::vector<std::string>;

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0);

HFONT MakeFont(LONG height, bool underline = false) {
  LOGFONT log{};
  log.lfHeight = height;
  log.lfUnderline = underline;
  return CreateFontIndirect(&log);
}

// GNU Unifont's "A" (U+0041: 0000000018242442427E424242420000), row by row.
const Mask kLetterA = {"........", "........", "........", "........", "...##...", "..#..#..",
                       "..#..#..", ".#....#.", ".#....#.", ".######.", ".#....#.", ".#....#.",
                       ".#....#.", ".#....#.", "........", "........"};

TEST(Text, AIsUnifontsGlyphInAnEightBySixteenCell) {
  Canvas canvas(8, 16);
  SetBkMode(canvas.dc(), TRANSPARENT);
  ASSERT_TRUE(TextOut(canvas.dc(), 0, 0, "A", 1));
  EXPECT_EQ(canvas.Mask(kBlack), kLetterA);
}

TEST(Text, ALargerFontScalesEveryPixelOfTheCell) {
  Canvas canvas(16, 32);
  HFONT font = MakeFont(-32);  // k = 2
  HGDIOBJ old = SelectObject(canvas.dc(), font);
  SetBkMode(canvas.dc(), TRANSPARENT);
  ASSERT_TRUE(TextOut(canvas.dc(), 0, 0, "A", 1));
  Mask doubled;
  for (const std::string& row : kLetterA) {
    std::string wide;
    for (char c : row) wide += std::string(2, c);
    doubled.push_back(wide);
    doubled.push_back(wide);
  }
  EXPECT_EQ(canvas.Mask(kBlack), doubled);
  SelectObject(canvas.dc(), old);
  DeleteObject(font);
}

TEST(Text, TheScaleIsTheHeightInSixteensRounded) {
  struct Row {
    LONG height;
    LONG cell, ascent, average;
  } rows[] = {
      {0, 16, 14, 8}, {-13, 16, 14, 8}, {20, 16, 14, 8}, {24, 32, 28, 16}, {-32, 32, 28, 16}, {48, 48, 42, 24},
  };
  Canvas canvas(1, 1);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.height);
    HFONT font = MakeFont(row.height);
    HGDIOBJ old = SelectObject(canvas.dc(), font);
    TEXTMETRIC tm{};
    ASSERT_TRUE(GetTextMetrics(canvas.dc(), &tm));
    EXPECT_EQ(tm.tmHeight, row.cell);
    EXPECT_EQ(tm.tmAscent, row.ascent);
    EXPECT_EQ(tm.tmDescent, row.cell - row.ascent);
    EXPECT_EQ(tm.tmAveCharWidth, row.average);
    EXPECT_EQ(tm.tmInternalLeading, 0);
    EXPECT_EQ(tm.tmExternalLeading, 0);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32(canvas.dc(), "ab", 2, &size));
    EXPECT_EQ(size.cx, 2 * row.average);
    EXPECT_EQ(size.cy, row.cell);
    SelectObject(canvas.dc(), old);
    DeleteObject(font);
  }
}

TEST(Text, ExtentsCountCellsOfTheCodePagesCharacters) {
  struct Row {
    const char* name;
    unsigned codePage;
    std::string text;
    LONG width;
  } rows[] = {
      {"empty", 1252, "", 0},
      {"a tab is one more cell", 1252, "ab\tc", 32},
      {"cp1252 bytes above 0x7F are single", 1252, "\xE9\x93\xFA", 24},
      {"cp932 double-byte characters are twice as wide", 932, "\x93\xFA\x96\x7B", 32},
      {"cp932 half-width katakana are single", 932, "\xB1\xB2", 16},
      {"mixed", 932, "a\x93\xFA\xB1", 32},
      {"a lead byte at the end stands alone", 932, "a\x93", 16},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::SetCodePage(row.codePage);
    Canvas canvas(1, 1);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32(canvas.dc(), row.text.data(), static_cast<int>(row.text.size()), &size));
    EXPECT_EQ(size.cx, row.width);
    EXPECT_EQ(size.cy, 16);
  }
}

TEST(Text, ADoubleByteCharacterDrawsItsGlyphAcrossSixteenColumns) {
  sandbox::SetCodePage(932);
  Canvas canvas(32, 16);
  SetBkMode(canvas.dc(), TRANSPARENT);
  ASSERT_TRUE(TextOut(canvas.dc(), 0, 0, "\x93\xFA" "A", 3));  // U+65E5, then "A" in the next cell
  const Mask ink = canvas.Mask(kBlack);
  int wideColumns = 0;
  for (int x = 0; x < 16; ++x)
    for (const std::string& row : ink)
      if (row[static_cast<size_t>(x)] == '#') {
        wideColumns = std::max(wideColumns, x + 1);
        break;
      }
  EXPECT_GT(wideColumns, 8) << "the glyph reaches past a single cell";
  for (size_t y = 0; y < ink.size(); ++y) EXPECT_EQ(ink[y].substr(16, 8), kLetterA[y]) << "row " << y;
}

TEST(Text, AnOpaqueBackgroundFillsTheCellsAndAnUnderlineLiesUnderTheBaseline) {
  Canvas canvas(24, 20, false, kWhite);
  HFONT font = MakeFont(16, true);
  HGDIOBJ old = SelectObject(canvas.dc(), font);
  SetBkColor(canvas.dc(), kRed);
  ASSERT_TRUE(TextOut(canvas.dc(), 4, 2, " ", 1));
  SetBkMode(canvas.dc(), TRANSPARENT);
  ASSERT_TRUE(TextOut(canvas.dc(), 12, 2, " ", 1));
  const Mask red = canvas.Mask(kRed), black = canvas.Mask(kBlack);
  for (int y = 0; y < 20; ++y) {
    SCOPED_TRACE(y);
    const bool inCell = y >= 2 && y < 18, underline = y == 16;
    EXPECT_EQ(red[static_cast<size_t>(y)].substr(4, 8), std::string(8, inCell && !underline ? '#' : '.'));
    EXPECT_EQ(black[static_cast<size_t>(y)].substr(4, 8), std::string(8, underline ? '#' : '.'));
    EXPECT_EQ(black[static_cast<size_t>(y)].substr(12, 8), std::string(8, underline ? '#' : '.'))
        << "transparent: only the underline";
    EXPECT_EQ(red[static_cast<size_t>(y)].substr(12, 8), std::string(8, '.'));
  }
  SelectObject(canvas.dc(), old);
  DeleteObject(font);
}

TEST(Text, ExtTextOutFillsAndClipsToItsRectangle) {
  Canvas canvas(16, 16, false, kWhite);
  SetBkColor(canvas.dc(), kRed);
  SetBkMode(canvas.dc(), TRANSPARENT);
  const RECT box{0, 0, 12, 16};
  ASSERT_TRUE(ExtTextOut(canvas.dc(), 4, 0, ETO_OPAQUE | ETO_CLIPPED, &box, "A", 1, nullptr));
  const Mask ink = canvas.Mask(kBlack);
  const Mask red = canvas.Mask(kRed);
  for (size_t y = 0; y < 16; ++y) {
    EXPECT_EQ(ink[y].substr(4, 8), kLetterA[y].substr(0, 8)) << "row " << y;
    EXPECT_EQ(red[y].substr(12, 4), "....") << "the fill stops at the rectangle";
  }
  const RECT narrow{0, 0, 7, 16};
  canvas.Fill(kWhite);
  ASSERT_TRUE(ExtTextOut(canvas.dc(), 0, 0, ETO_CLIPPED, &narrow, "A", 1, nullptr));
  for (size_t y = 0; y < 16; ++y) EXPECT_EQ(canvas.Mask(kBlack)[y], kLetterA[y].substr(0, 7) + std::string(9, '.'));
}

}  // namespace

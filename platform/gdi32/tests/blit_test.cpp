// Blits: raster operations, the monochrome and colour conversions, stretching, quarter turns and
// clipping.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "sandbox/test_canvas.h"
#include "sandbox/sandbox.h"

namespace {

using sandbox::testing::Canvas;
using Rows = std::vector<std::vector<COLORREF>>;

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);

// Pattern 0xF0, source 0xCC and destination 0xAA in every channel give the operation's own index
// byte in pixel (0, 0); the other pixels try whole black, white and colour values.
TEST(RasterOperations, EveryCodeIsComputedBitByBitFromItsIndex) {
  struct Row {
    const char* name;
    DWORD rop;
    Rows expected;
  } rows[] = {
      {"SRCCOPY", SRCCOPY, {{0xCCCCCC, kWhite}, {kBlack, kRed}}},
      {"SRCPAINT", SRCPAINT, {{0xEEEEEE, kWhite}, {kWhite, RGB(255, 0, 255)}}},
      {"SRCAND (0x8800C6)", 0x8800C6, {{0x888888, kBlack}, {kBlack, kBlack}}},
      {"SRCINVERT", SRCINVERT, {{0x666666, kWhite}, {kWhite, RGB(255, 0, 255)}}},
      {"SRCERASE", SRCERASE, {{0x444444, kWhite}, {kBlack, kRed}}},
      {"NOTSRCCOPY", NOTSRCCOPY, {{0x333333, kBlack}, {kWhite, RGB(0, 255, 255)}}},
      {"DSTINVERT", DSTINVERT, {{0x555555, kWhite}, {kBlack, RGB(255, 255, 0)}}},
      {"PATINVERT", PATINVERT, {{0x5A5A5A, 0xF0F0F0}, {0x0F0F0F, RGB(0xF0, 0xF0, 0x0F)}}},
      {"MERGECOPY", MERGECOPY, {{0xC0C0C0, 0xF0F0F0}, {kBlack, RGB(0xF0, 0, 0)}}},
      {"PATCOPY", PATCOPY, {{0xF0F0F0, 0xF0F0F0}, {0xF0F0F0, 0xF0F0F0}}},
      {"BLACKNESS", BLACKNESS, {{kBlack, kBlack}, {kBlack, kBlack}}},
      {"WHITENESS", WHITENESS, {{kWhite, kWhite}, {kWhite, kWhite}}},
      {"0xB8074A: P xor (S and (D xor P))", 0xB8074A, {{0xB8B8B8, kBlack}, {0xF0F0F0, RGB(0, 0xF0, 0xF0)}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Canvas source(2, 2), dest(2, 2);
    source.Set({{0xCCCCCC, kWhite}, {kBlack, kRed}});
    dest.Set({{0xAAAAAA, kBlack}, {kWhite, kBlue}});
    HBRUSH brush = CreateSolidBrush(0xF0F0F0);
    HGDIOBJ old = SelectObject(dest.dc(), brush);
    ASSERT_TRUE(BitBlt(dest.dc(), 0, 0, 2, 2, source.dc(), 0, 0, row.rop));
    EXPECT_EQ(dest.Rows(), row.expected);
    SelectObject(dest.dc(), old);
    DeleteObject(brush);
  }
}

TEST(RasterOperations, PatBltTakesOnlyOperationsWithoutASource) {
  Canvas canvas(2, 1, false, kBlue);
  HBRUSH brush = CreateSolidBrush(kRed);
  HGDIOBJ old = SelectObject(canvas.dc(), brush);
  EXPECT_TRUE(PatBlt(canvas.dc(), 0, 0, 1, 1, PATINVERT));
  EXPECT_FALSE(PatBlt(canvas.dc(), 1, 0, 1, 1, SRCCOPY));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(canvas.Rows(), (Rows{{RGB(255, 0, 255), kBlue}}));
  SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
  EXPECT_TRUE(PatBlt(canvas.dc(), 0, 0, 2, 1, PATCOPY)) << "a hollow brush paints nothing";
  EXPECT_EQ(canvas.Rows(), (Rows{{RGB(255, 0, 255), kBlue}}));
  SelectObject(canvas.dc(), old);
  DeleteObject(brush);
}

TEST(Conversions, ColourToMonochromeMakesTheSourceBackgroundWhite) {
  Canvas source(3, 1), mask(3, 1, true, kBlack);
  source.Set({{kRed, kGreen, kRed}});
  SetBkColor(source.dc(), kRed);
  ASSERT_TRUE(BitBlt(mask.dc(), 0, 0, 3, 1, source.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(mask.Rows(), (Rows{{kWhite, kBlack, kWhite}}));
  SetBkColor(source.dc(), kGreen);
  ASSERT_TRUE(BitBlt(mask.dc(), 0, 0, 3, 1, source.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(mask.Rows(), (Rows{{kBlack, kWhite, kBlack}}));
}

TEST(Conversions, MonochromeToColourTakesTheDestinationsColours) {
  Canvas mask(2, 1, true), dest(2, 1);
  mask.Set({{kWhite, kBlack}});
  SetBkColor(mask.dc(), kRed);  // the source's colours play no part
  SetTextColor(mask.dc(), kRed);
  SetBkColor(dest.dc(), kBlue);
  SetTextColor(dest.dc(), kGreen);
  ASSERT_TRUE(BitBlt(dest.dc(), 0, 0, 2, 1, mask.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(dest.Rows(), (Rows{{kBlue, kGreen}}));
}

TEST(Conversions, ColoursDrawnOnMonochromeBecomeBlackOrWhite) {
  Canvas mask(3, 1, true);
  EXPECT_EQ(SetPixel(mask.dc(), 0, 0, RGB(200, 200, 200)), kWhite);
  EXPECT_EQ(SetPixel(mask.dc(), 1, 0, RGB(100, 0, 0)), kBlack);
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 90));
  HGDIOBJ old = SelectObject(mask.dc(), brush);
  PatBlt(mask.dc(), 2, 0, 1, 1, PATCOPY);
  EXPECT_EQ(mask.Rows(), (Rows{{kWhite, kBlack, kBlack}}));
  SelectObject(mask.dc(), old);
  DeleteObject(brush);
}

TEST(MemoryDCs, AFreshOneHoldsTheOneByOneMonochromeBitmap) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAP bm{};
  ASSERT_EQ(GetObject(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmHeight, 1);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  HBITMAP compatible = CreateCompatibleBitmap(dc, 20, 3);
  ASSERT_EQ(GetObject(compatible, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmBitsPixel, 1) << "compatible with a fresh memory DC: monochrome";
  EXPECT_EQ(bm.bmWidthBytes, 4) << "rows padded to 16 bits";
  HBITMAP colour = CreateBitmap(2, 2, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, colour);
  HBITMAP second = CreateCompatibleBitmap(dc, 2, 2);
  ASSERT_EQ(GetObject(second, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmBitsPixel, 32) << "compatible with a DC holding a colour bitmap";
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
  SelectObject(dc, old);
  for (HGDIOBJ o : {compatible, colour, second}) DeleteObject(o);
  DeleteDC(dc);
}

TEST(StretchBlt, TakesTheNearestPixelGrowingAndShrinking) {
  Canvas source(4, 2), twice(8, 4), half(2, 1);
  source.Set({{kRed, kGreen, kBlue, kBlack}, {kBlack, kBlue, kGreen, kRed}});
  ASSERT_TRUE(StretchBlt(twice.dc(), 0, 0, 8, 4, source.dc(), 0, 0, 4, 2, SRCCOPY));
  EXPECT_EQ(twice.Rows(), (Rows{{kRed, kRed, kGreen, kGreen, kBlue, kBlue, kBlack, kBlack},
                                {kRed, kRed, kGreen, kGreen, kBlue, kBlue, kBlack, kBlack},
                                {kBlack, kBlack, kBlue, kBlue, kGreen, kGreen, kRed, kRed},
                                {kBlack, kBlack, kBlue, kBlue, kGreen, kGreen, kRed, kRed}}));
  ASSERT_TRUE(StretchBlt(half.dc(), 0, 0, 2, 1, source.dc(), 0, 0, 4, 2, SRCCOPY));
  EXPECT_EQ(half.Rows(), (Rows{{kRed, kBlue}})) << "every other pixel, from the first";
}

// A 3 x 2 image turned clockwise by 90, 180 and 270 degrees through the parallelogram's corners.
TEST(PlgBlt, TurnsByQuarterTurns) {
  const COLORREF a = RGB(1, 0, 0), b = RGB(2, 0, 0), c = RGB(3, 0, 0), d = RGB(4, 0, 0), e = RGB(5, 0, 0),
                 f = RGB(6, 0, 0);
  struct Row {
    const char* name;
    POINT corners[3];
    int width, height;
    Rows expected;
  } rows[] = {
      {"90", {{2, 0}, {2, 3}, {0, 0}}, 2, 3, {{d, a}, {e, b}, {f, c}}},
      {"180", {{3, 2}, {0, 2}, {3, 0}}, 3, 2, {{f, e, d}, {c, b, a}}},
      {"270", {{0, 3}, {0, 0}, {2, 3}}, 2, 3, {{c, f}, {b, e}, {a, d}}},
      {"0", {{0, 0}, {3, 0}, {0, 2}}, 3, 2, {{a, b, c}, {d, e, f}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Canvas source(3, 2), dest(row.width, row.height);
    source.Set({{a, b, c}, {d, e, f}});
    ASSERT_TRUE(PlgBlt(dest.dc(), row.corners, source.dc(), 0, 0, 3, 2, nullptr, 0, 0));
    EXPECT_EQ(dest.Rows(), row.expected);
  }
  Canvas source(3, 2), dest(3, 3);
  const POINT slanted[3] = {{0, 0}, {3, 1}, {0, 2}};
  EXPECT_FALSE(PlgBlt(dest.dc(), slanted, source.dc(), 0, 0, 3, 2, nullptr, 0, 0)) << "not modelled: loud";
  EXPECT_EQ(sandbox::UnmodelledCalls(), std::vector<std::string>{"PlgBlt"});
}

TEST(Clipping, IntersectClipRectNarrowsEveryDrawing) {
  Canvas canvas(4, 2, false, kWhite);
  EXPECT_EQ(IntersectClipRect(canvas.dc(), 1, 0, 4, 2), SIMPLEREGION);
  EXPECT_EQ(IntersectClipRect(canvas.dc(), 0, 0, 3, 1), SIMPLEREGION);
  PatBlt(canvas.dc(), 0, 0, 4, 2, BLACKNESS);
  EXPECT_EQ(sandbox::BitmapPicture(canvas.bitmap()).pixels,
            (std::vector<uint32_t>{kWhite, kBlack, kBlack, kWhite, kWhite, kWhite, kWhite, kWhite}));
  EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), CLR_INVALID) << "outside the clip region";
  RECT box{};
  EXPECT_EQ(GetClipBox(canvas.dc(), &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 1);
  EXPECT_EQ(box.right, 3);
  EXPECT_EQ(box.bottom, 1);
}

TEST(Lines, LineToLeavesOutTheEndPointAndMovesThePosition) {
  Canvas canvas(5, 3, false, kWhite);
  HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  HGDIOBJ old = SelectObject(canvas.dc(), pen);
  MoveToEx(canvas.dc(), 0, 0, nullptr);
  LineTo(canvas.dc(), 4, 2);
  LineTo(canvas.dc(), 4, 0);
  POINT at{};
  MoveToEx(canvas.dc(), 0, 0, &at);
  EXPECT_EQ(at.x, 4);
  EXPECT_EQ(at.y, 0);
  EXPECT_EQ(canvas.Mask(kRed), (std::vector<std::string>{"#....", ".##.#", "...##"}));
  SelectObject(canvas.dc(), old);
  DeleteObject(pen);
}

}  // namespace

// DrawTransparentBitmap and GetBitmapSize.
#include "small/TransparentBitmap.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "sandbox/sandbox.h"
#include "sandbox/test_canvas.h"

namespace {

using sandbox::testing::Canvas;

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0),
                   kBlue = RGB(0, 0, 255), kGreen = RGB(0, 128, 0);

// The bitmap: white, red, black / black, white, blue.
const COLORREF kImage[2][3] = {{kWhite, kRed, kBlack}, {kBlack, kWhite, kBlue}};

void MakeImage(CBitmap& bitmap) {
  bitmap.CreateBitmap(3, 2, 1, 32, NULL);
  CDC dc;
  dc.CreateCompatibleDC(NULL);
  CBitmap* old = dc.SelectObject(&bitmap);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) dc.SetPixel(x, y, kImage[y][x]);
  dc.SelectObject(old);
}

TEST(DrawTransparentBitmap, LeavesOutTheTransparentColourPlainAndStretched) {
  struct Row {
    const char* name;
    COLORREF transparent;
    BOOL stretch;
    CRect dest;
  } rows[] = {
      {"white transparent", kWhite, FALSE, CRect(1, 1, 4, 3)},
      {"black transparent", kBlack, FALSE, CRect(1, 1, 4, 3)},
      {"white transparent, stretched 2x", kWhite, TRUE, CRect(1, 1, 7, 5)},
      {"black transparent, stretched 2x", kBlack, TRUE, CRect(1, 1, 7, 5)},
  };
  CBitmap bitmap;
  MakeImage(bitmap);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Canvas canvas(8, 6, false, kGreen);
    CDC* dc = CDC::FromHandle(canvas.dc());
    dc->SetTextColor(kRed);
    dc->SetBkColor(kBlue);
    const auto before = sandbox::GdiObjects();
    DrawTransparentBitmap(dc, row.dest, &bitmap, CRect(0, 0, 3, 2), row.transparent, TRUE, row.stretch);
    EXPECT_EQ(sandbox::GdiObjects(), before) << "every DC and bitmap it made is gone";
    EXPECT_EQ(dc->GetTextColor(), kRed);
    EXPECT_EQ(dc->GetBkColor(), kBlue);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x) {
        COLORREF expected = kGreen;
        if (row.dest.PtInRect(CPoint(x, y))) {
          const COLORREF source = kImage[(y - row.dest.top) * 2 / row.dest.Height()][(x - row.dest.left) * 3 / row.dest.Width()];
          if (source != row.transparent) expected = source;
        }
        ASSERT_EQ(canvas.At(x, y), expected) << "pixel " << x << ", " << y;
      }
    CDC::DeleteTempMap();
  }
}

// Without the copy flag the source part is drawn where it lies, at its own size, and the caller's
// bitmap keeps its transparent pixels.
TEST(DrawTransparentBitmap, WithoutCopyingUsesThePartInPlaceAndLeavesTheBitmapAlone) {
  CBitmap bitmap;
  MakeImage(bitmap);
  const sandbox::Picture original = sandbox::BitmapPicture(bitmap.m_hObject);
  Canvas canvas(3, 2, false, kGreen);
  DrawTransparentBitmap(CDC::FromHandle(canvas.dc()), CRect(0, 0, 2, 2), &bitmap, CRect(1, 0, 3, 2), kWhite, FALSE,
                        FALSE);
  EXPECT_EQ(canvas.Rows(), (std::vector<std::vector<COLORREF>>{{kRed, kBlack, kGreen}, {kGreen, kBlue, kGreen}}));
  EXPECT_EQ(sandbox::BitmapPicture(bitmap.m_hObject), original);
  CDC::DeleteTempMap();
}

TEST(DrawTransparentBitmap, ANullBitmapDrawsNothing) {
  Canvas canvas(2, 2, false, kGreen);
  CBitmap none;
  const auto before = sandbox::GdiObjects();
  DrawTransparentBitmap(CDC::FromHandle(canvas.dc()), CRect(0, 0, 2, 2), &none, CRect(0, 0, 2, 2), kWhite, TRUE, TRUE);
  EXPECT_EQ(canvas.Mask(kGreen), (std::vector<std::string>{"##", "##"}));
  EXPECT_EQ(sandbox::GdiObjects(), before);
  CDC::DeleteTempMap();
}

TEST(GetBitmapSize, AnswersWidthAndHeightOfAnyDepth) {
  Canvas canvas(1, 1);
  CDC* dc = CDC::FromHandle(canvas.dc());
  CBitmap mono, colour, none;
  mono.CreateBitmap(17, 5, 1, 1, NULL);
  colour.CreateBitmap(3, 2, 1, 32, NULL);
  EXPECT_EQ(GetBitmapSize(dc, &mono), CSize(17, 5));
  EXPECT_EQ(GetBitmapSize(dc, &colour), CSize(3, 2));
  EXPECT_EQ(GetBitmapSize(dc, &none), CSize(0, 0));
  CDC::DeleteTempMap();
}

}  // namespace

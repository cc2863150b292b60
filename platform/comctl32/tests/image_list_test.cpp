// Image lists and mapped bitmaps: which pixels an image list draws, and the colours a mapped
// bitmap takes from the system colours of the moment.
#include <commctrl.h>

#include <gtest/gtest.h>

#include "resource.h"
#include "sandbox/sandbox.h"
#include "sandbox/comctl32.h"
#include "sandbox/test_canvas.h"

namespace {

using sandbox::testing::Canvas;

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kSilver = RGB(192, 192, 192),
                   kYellow = RGB(255, 255, 0), kGreen = RGB(0, 255, 0), kBlack = RGB(0, 0, 0),
                   kWhite = RGB(255, 255, 255), kGrey = RGB(128, 128, 128);

HBITMAP Strip() { return LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDB_STRIP)); }

TEST(ImageLists, DrawTheirImagesWithOrWithoutTheMask) {
  const struct {
    const char* name;
    UINT flags;
    COLORREF background;
    UINT style;
    COLORREF rows[2][2];  // image 0 drawn on yellow
  } rows[] = {
      {.name = "transparent", .flags = ILC_MASK, .background = CLR_NONE, .style = ILD_TRANSPARENT,
       .rows = {{kRed, kYellow}, {kYellow, kRed}}},
      {.name = "normal without a background", .flags = ILC_MASK, .background = CLR_NONE, .style = ILD_NORMAL,
       .rows = {{kRed, kYellow}, {kYellow, kRed}}},
      {.name = "normal on a background", .flags = ILC_MASK, .background = kGreen, .style = ILD_NORMAL,
       .rows = {{kRed, kGreen}, {kGreen, kRed}}},
      {.name = "transparent on a background", .flags = ILC_MASK, .background = kGreen, .style = ILD_TRANSPARENT,
       .rows = {{kRed, kYellow}, {kYellow, kRed}}},
      {.name = "the mask", .flags = ILC_MASK, .background = CLR_NONE, .style = ILD_MASK,
       .rows = {{kBlack, kWhite}, {kWhite, kBlack}}},
      {.name = "a list without a mask", .flags = ILC_COLOR4, .background = CLR_NONE, .style = ILD_TRANSPARENT,
       .rows = {{kRed, kSilver}, {kSilver, kRed}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    HIMAGELIST list = ImageList_Create(2, 2, row.flags, 1, 1);
    HBITMAP strip = Strip();
    EXPECT_EQ(ImageList_AddMasked(list, strip, kSilver), 0);
    DeleteObject(strip);
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    ImageList_SetBkColor(list, row.background);
    Canvas canvas(4, 4, false, kYellow);
    EXPECT_TRUE(ImageList_Draw(list, 0, canvas.dc(), 1, 1, row.style));
    EXPECT_EQ(canvas.At(1, 1), row.rows[0][0]);
    EXPECT_EQ(canvas.At(2, 1), row.rows[0][1]);
    EXPECT_EQ(canvas.At(1, 2), row.rows[1][0]);
    EXPECT_EQ(canvas.At(2, 2), row.rows[1][1]);
    EXPECT_EQ(canvas.At(0, 0), kYellow) << "nothing outside the image";
    EXPECT_EQ(canvas.At(3, 3), kYellow);
    ImageList_Destroy(list);
  }
  EXPECT_EQ(sandbox::LiveImageLists(), 0u);
}

TEST(ImageLists, MasksFromABitmapAndFromAResource) {
  HIMAGELIST list = ImageList_Create(2, 2, ILC_MASK, 2, 2);
  HBITMAP strip = Strip();
  HBITMAP mask = CreateBitmap(4, 2, 1, 1, nullptr);  // white only where the second image's corner is
  {
    Canvas painter(1, 1);  // a DC to paint the mask in
    HGDIOBJ old = SelectObject(painter.dc(), mask);
    PatBlt(painter.dc(), 0, 0, 4, 2, BLACKNESS);
    SetPixel(painter.dc(), 3, 1, kWhite);
    SelectObject(painter.dc(), old);
  }
  EXPECT_EQ(ImageList_Add(list, strip, mask), 0);
  Canvas canvas(2, 2, false, kYellow);
  ImageList_Draw(list, 1, canvas.dc(), 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(canvas.Rows(), (std::vector<std::vector<COLORREF>>{{kBlue, kBlue}, {kBlue, kYellow}}));
  EXPECT_FALSE(ImageList_Draw(list, 2, canvas.dc(), 0, 0, ILD_NORMAL)) << "no third image";
  ImageList_Destroy(list);
  DeleteObject(mask);
  DeleteObject(strip);

  HIMAGELIST loaded = ImageList_LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDB_STRIP), 2, 1, kSilver);
  ASSERT_NE(loaded, nullptr);
  int cx = 0, cy = 0;
  EXPECT_TRUE(ImageList_GetIconSize(loaded, &cx, &cy));
  EXPECT_EQ(cx, 2);
  EXPECT_EQ(cy, 2);
  EXPECT_EQ(ImageList_GetImageCount(loaded), 2);
  canvas.Fill(kYellow);
  ImageList_Draw(loaded, 1, canvas.dc(), 0, 0, ILD_NORMAL);
  EXPECT_EQ(canvas.At(1, 1), kYellow);
  EXPECT_EQ(sandbox::LiveImageLists(), 1u);
  EXPECT_TRUE(ImageList_Destroy(loaded));
  EXPECT_FALSE(ImageList_Destroy(loaded));
  EXPECT_EQ(ImageList_LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(999), 2, 1, kSilver), nullptr);
  EXPECT_EQ(sandbox::LiveImageLists(), 0u);
}

TEST(MappedBitmaps, TheGreysFollowTheSystemColoursOfTheMoment) {
  // Changed system colours: the button text, shadow, face and highlight.
  const INT indexes[] = {COLOR_BTNTEXT, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNHIGHLIGHT};
  const COLORREF colours[] = {RGB(1, 2, 3), RGB(10, 20, 30), RGB(100, 110, 120), RGB(200, 210, 220)};
  ASSERT_TRUE(SetSysColors(4, indexes, colours));
  const HINSTANCE module = GetModuleHandle(nullptr);

  HBITMAP byDefault = CreateMappedBitmap(module, IDB_GREYS, 0, nullptr, 0);
  ASSERT_NE(byDefault, nullptr);
  EXPECT_EQ(sandbox::BitmapPicture(byDefault).pixels,
            (std::vector<uint32_t>{colours[0], colours[1], colours[2], colours[3]}));

  // A map of its own: only what it names changes.
  COLORMAP map[] = {{kGrey, kRed}, {kWhite, kBlue}};
  HBITMAP mapped = CreateMappedBitmap(module, IDB_GREYS, 0, map, 2);
  EXPECT_EQ(sandbox::BitmapPicture(mapped).pixels, (std::vector<uint32_t>{kBlack, kRed, kSilver, kBlue}));
  EXPECT_EQ(CreateMappedBitmap(module, 999, 0, nullptr, 0), nullptr);
  DeleteObject(byDefault);
  DeleteObject(mapped);
}

}  // namespace

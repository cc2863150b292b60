// LoadBitmap over the test program's bitmap resources (user32_tests.rc): DIBs of 1, 4, 8 and 24
// bits per pixel, bottom-up and top-down, and two it refuses.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "resource.h"
#include "sandbox/sandbox.h"

namespace {

constexpr uint32_t kWhite = RGB(255, 255, 255), kBlack = 0, kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0),
                   kBlue = RGB(0, 0, 255);

TEST(LoadBitmap, ReadsTheDibsOfEveryDepth) {
  struct Row {
    const char* name;
    LPCSTR id;
    WORD bitsPixel;
    sandbox::Picture expected;
  } rows[] = {
      {"1 bit, bottom-up: monochrome", MAKEINTRESOURCE(IDB_ONE_BIT), 1, {3, 2, {kWhite, kBlack, kWhite, kBlack, kBlack, kWhite}}},
      {"4 bits, top-down", MAKEINTRESOURCE(IDB_FOUR_BIT), 32, {2, 2, {kRed, kGreen, kBlue, kRed}}},
      {"8 bits", MAKEINTRESOURCE(IDB_EIGHT_BIT), 32, {2, 1, {RGB(40, 50, 60), RGB(10, 20, 30)}}},
      {"24 bits, bottom-up", MAKEINTRESOURCE(IDB_TWENTY_FOUR_BIT), 32, {2, 2, {kRed, kGreen, kBlue, kWhite}}},
      {"by name, any case", "banner", 32, {2, 2, {kRed, kGreen, kBlue, kWhite}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    HBITMAP bitmap = LoadBitmap(GetModuleHandle(nullptr), row.id);
    ASSERT_NE(bitmap, nullptr) << GetLastError();
    BITMAP bm{};
    GetObject(bitmap, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, row.bitsPixel);
    EXPECT_EQ(sandbox::BitmapPicture(bitmap), row.expected);
    DeleteObject(bitmap);
  }
  EXPECT_EQ(sandbox::GdiObjects(), (std::map<std::string, int>{}));
}

TEST(LoadBitmap, FailsForWhatIsMissingOrMalformed) {
  SetLastError(0);
  EXPECT_EQ(LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(999)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDB_TRUNCATED)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << "bits missing";
  EXPECT_EQ(LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDB_RUN_LENGTH)), nullptr);
  EXPECT_EQ(sandbox::UnmodelledCalls(), std::vector<std::string>{"CreateBitmapFromPackedDib"});
  EXPECT_EQ(sandbox::GdiObjects(), (std::map<std::string, int>{}));
}

}  // namespace

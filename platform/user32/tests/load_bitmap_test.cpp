// LoadBitmap over bitmap resources: DIBs of 1, 4, 8 and 24 bits per pixel, bottom-up and top-down,
// registered with the program's resources as the resource compiler's tables are.
#include <windows.h>

#include <gtest/gtest.h>

#include <standin_resources.h>

#include <vector>

#include "sandbox/sandbox.h"

namespace {

#define DW(v) (v) & 0xFF, ((v) >> 8) & 0xFF, ((v) >> 16) & 0xFF, ((v) >> 24) & 0xFF
#define WD(v) (v) & 0xFF, ((v) >> 8) & 0xFF
// BITMAPINFOHEADER: size, width, height, planes, bits, compression, image size, resolution,
// colours used, colours important.
#define HEADER(width, height, bits, colours) \
  DW(40), DW(width), DW(height), WD(1), WD(bits), DW(0), DW(0), DW(0), DW(0), DW(colours), DW(0)

// 3 x 2, bottom-up, colour 0 white and 1 black: top row white black white, bottom row black black white.
alignas(8) const unsigned char kOneBit[] = {
    HEADER(3, 2, 1, 2), 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0,  //
    0xC0, 0, 0, 0,                                        // bottom row: 1 1 0
    0x40, 0, 0, 0,                                        // top row: 0 1 0
};
// 2 x 2, top-down, three colours (blue, green, red in the table's order blue-green-red-unused).
alignas(8) const unsigned char kFourBit[] = {
    HEADER(2, -2, 4, 3), 0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0,  //
    0x21, 0, 0, 0,                                                     // top row: red, green
    0x02, 0, 0, 0,                                                     // bottom row: blue, red
};
// 2 x 1, two colours used of 256.
alignas(8) const unsigned char kEightBit[] = {
    HEADER(2, 1, 8, 2), 30, 20, 10, 0, 60, 50, 40, 0,  //
    1, 0, 0, 0,
};
// 2 x 2, bottom-up, rows of blue-green-red padded to 4 bytes.
alignas(8) const unsigned char kTwentyFourBit[] = {
    HEADER(2, 2, 24, 0),           //
    0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,  // bottom row: blue, white
    0, 0, 0xFF, 0, 0xFF, 0, 0, 0,        // top row: red, green
};
// A 4 x 4 24-bit header with the bits of only one row.
alignas(8) const unsigned char kTruncated[] = {
    HEADER(4, 4, 24, 0), 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12,
};
// Run-length compressed bits are not modelled.
alignas(8) const unsigned char kCompressed[] = {
    DW(40), DW(2), DW(2), WD(1), WD(8), DW(1), DW(0), DW(0), DW(0), DW(1), DW(0), 0, 0, 0, 0, 0, 0,
};

const StandinResource kBitmaps[] = {
    {2, nullptr, 101, nullptr, kOneBit, sizeof kOneBit},
    {2, nullptr, 102, nullptr, kFourBit, sizeof kFourBit},
    {2, nullptr, 103, nullptr, kEightBit, sizeof kEightBit},
    {2, nullptr, 104, nullptr, kTwentyFourBit, sizeof kTwentyFourBit},
    {2, nullptr, 105, nullptr, kTruncated, sizeof kTruncated},
    {2, nullptr, 0, "BANNER", kTwentyFourBit, sizeof kTwentyFourBit},
    {2, nullptr, 106, nullptr, kCompressed, sizeof kCompressed},
};

struct Registration {
  Registration() { StandinRegisterResources(kBitmaps, kBitmaps, sizeof kBitmaps / sizeof kBitmaps[0]); }
  ~Registration() { StandinUnregisterResources(kBitmaps, kBitmaps); }
} g_registration;

constexpr uint32_t kWhite = RGB(255, 255, 255), kBlack = 0, kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0),
                   kBlue = RGB(0, 0, 255);

TEST(LoadBitmap, ReadsTheDibsOfEveryDepth) {
  struct Row {
    const char* name;
    LPCSTR id;
    WORD bitsPixel;
    sandbox::Picture expected;
  } rows[] = {
      {"1 bit, bottom-up: monochrome", MAKEINTRESOURCE(101), 1, {3, 2, {kWhite, kBlack, kWhite, kBlack, kBlack, kWhite}}},
      {"4 bits, top-down", MAKEINTRESOURCE(102), 32, {2, 2, {kRed, kGreen, kBlue, kRed}}},
      {"8 bits", MAKEINTRESOURCE(103), 32, {2, 1, {RGB(40, 50, 60), RGB(10, 20, 30)}}},
      {"24 bits, bottom-up", MAKEINTRESOURCE(104), 32, {2, 2, {kRed, kGreen, kBlue, kWhite}}},
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
  EXPECT_EQ(LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(105)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << "bits missing";
  EXPECT_EQ(LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(106)), nullptr);
  EXPECT_EQ(sandbox::UnmodelledCalls(), std::vector<std::string>{"CreateBitmapFromPackedDib"});
  EXPECT_EQ(sandbox::GdiObjects(), (std::map<std::string, int>{}));
}

}  // namespace

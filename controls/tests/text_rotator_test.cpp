// CTextRotator: the block's size at each angle, where every pixel lands when the text turns, both
// ways of turning, alignments, etched lines, disabled text, and a picture of the four angles.
#include "small/TextRotator.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "sandbox/sandbox.h"
#include "sandbox/test_canvas.h"

namespace {

using sandbox::testing::Canvas;
using sandbox::testing::Text;

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0);

// The rotator's image drawn alone, black text on green: into a canvas of exactly its size.
sandbox::Picture Rendered(const CString& text, int angle, bool disabled = false) {
  Canvas probe(1, 1);
  CTextRotator sizing(CDC::FromHandle(probe.dc()), text, 0, 0);
  if (!sizing.Render(angle)) return {};
  const CRect image = sizing.GetImageRect();
  Canvas canvas(image.Width(), image.Height(), false, kRed);
  CTextRotator rotator(CDC::FromHandle(canvas.dc()), text, 0, 0);
  rotator.SetTextColor(kBlack);
  rotator.SetBkColor(RGB(0, 160, 0));
  rotator.SetDisabled(disabled);
  EXPECT_TRUE(rotator.Render(angle));
  rotator.Draw(image);
  CDC::DeleteTempMap();
  return sandbox::BitmapPicture(canvas.bitmap());
}

TEST(CTextRotator, TheBlockIsTheWidestLineByTheLinesAndTurnsWithTheText) {
  struct Row {
    const char* name;
    const char* text;
    int angle;
    CRect image;
  } rows[] = {
      {"0", "Hello", 0, CRect(0, 0, 40, 16)},
      {"90 swaps", "Hello", 90, CRect(0, 0, 16, 40)},
      {"180 keeps", "Hello", 180, CRect(0, 0, 40, 16)},
      {"270 swaps", "Hello", 270, CRect(0, 0, 16, 40)},
      {"another angle: unturned", "Hello", 45, CRect(0, 0, 40, 16)},
      {"empty lines are dropped", "ab\ncdef\n\nx\n", 0, CRect(0, 0, 32, 48)},
      {"three lines at 90", "ab\ncdef\nx", 90, CRect(0, 0, 48, 32)},
  };
  Canvas canvas(1, 1);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CTextRotator rotator(CDC::FromHandle(canvas.dc()), row.text, 0, 0);
    ASSERT_TRUE(rotator.Render(row.angle));
    EXPECT_EQ(Text(rotator.GetImageRect()), Text(row.image));
  }
  CDC::DeleteTempMap();
}

TEST(CTextRotator, ATextWithoutANonEmptyLineRendersNothingAndDrawsNothing) {
  for (const char* text : {"", "\n", "\n\n"}) {
    SCOPED_TRACE(testing::PrintToString(std::string(text)));
    Canvas canvas(20, 20, false, kWhite);
    CTextRotator rotator(CDC::FromHandle(canvas.dc()), text, 0, 0);
    EXPECT_FALSE(rotator.Render(0));
    rotator.Draw(CRect(0, 0, 20, 20));
    EXPECT_EQ(Text(canvas.Bounds(kWhite)), Text(CRect(0, 0, 0, 0)));
  }
  CDC::DeleteTempMap();
}

// Every pixel of the unturned image lands where the turn says: at 90 degrees (x, y) goes to
// (h-1-y, x), at 180 to (w-1-x, h-1-y), at 270 to (y, w-1-x).
TEST(CTextRotator, EveryPixelLandsWhereTheTurnSays) {
  const CString text = "Ag\nQ";  // not symmetric any way
  const sandbox::Picture upright = Rendered(text, 0);
  const int w = upright.width, h = upright.height;
  ASSERT_EQ(w, 16);
  ASSERT_EQ(h, 32);
  struct Row {
    int angle;
    int width, height;
  } rows[] = {{90, h, w}, {180, w, h}, {270, h, w}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.angle);
    const sandbox::Picture turned = Rendered(text, row.angle);
    ASSERT_EQ(turned.width, row.width);
    ASSERT_EQ(turned.height, row.height);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const COLORREF c = upright.At(x, y);
        const POINT to = row.angle == 90 ? POINT{h - 1 - y, x} : row.angle == 180 ? POINT{w - 1 - x, h - 1 - y}
                                                                                  : POINT{y, w - 1 - x};
        ASSERT_EQ(turned.At(to.x, to.y), c) << x << ", " << y;
      }
  }
}

TEST(CTextRotator, TheNtAndTheOtherSystemsTurnToOneImage) {
  const CString text = "Rotate\nme";
  std::vector<sandbox::Picture> onNt;
  for (int angle : {0, 90, 180, 270}) onNt.push_back(Rendered(text, angle));
  sandbox::SetWindowsVersion(1, 4, 10, 2222, " A ");  // Windows 98: the pixel loop
  size_t i = 0;
  for (int angle : {0, 90, 180, 270}) {
    SCOPED_TRACE(angle);
    EXPECT_EQ(Rendered(text, angle), onNt[i++]);
  }
}

TEST(CTextRotator, DrawPlacesTheImageAsTheAlignmentsSay) {
  struct Row {
    int horizontal, vertical;
    CRect image;  // where "ab" (16 x 16) lands in (10, 10, 90, 50)
  } rows[] = {
      {0, 0, CRect(10, 10, 26, 26)}, {1, 0, CRect(42, 10, 58, 26)}, {2, 0, CRect(74, 10, 90, 26)},
      {0, 1, CRect(10, 22, 26, 38)}, {2, 2, CRect(74, 34, 90, 50)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Text(row.image));
    Canvas canvas(100, 60, false, kWhite);
    CTextRotator rotator(CDC::FromHandle(canvas.dc()), "ab", row.horizontal, row.vertical);
    rotator.SetBkColor(kRed);
    ASSERT_TRUE(rotator.Render(0));
    rotator.Draw(CRect(10, 10, 90, 50));
    EXPECT_EQ(Text(canvas.Bounds(kWhite)), Text(row.image));
  }
  Canvas canvas(100, 60, false, kWhite);
  CTextRotator rotator(CDC::FromHandle(canvas.dc()), "abcdefghij", 1, 1);
  rotator.SetBkColor(kRed);
  ASSERT_TRUE(rotator.Render(0));
  rotator.Draw(CRect(30, 10, 60, 20));
  EXPECT_EQ(Text(canvas.Bounds(kWhite)), Text(CRect(30, 10, 60, 20))) << "clipped to the rectangle";
  CDC::DeleteTempMap();
}

TEST(CTextRotator, EtchedLinesContinueTheTextSixPixelsAway) {
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const auto runs = [](const sandbox::Picture& p, int row, COLORREF c) {
    std::string line;
    for (int x = 0; x < p.width; ++x) line += p.At(x, row) == c ? '#' : '.';
    return line;
  };
  struct Row {
    const char* name;
    int horizontal;
    std::string expected;  // row 15 (the text's middle) in the shadow colour
  } rows[] = {
      {"centred: both sides", 1, std::string(6, '.') + std::string(30, '#') + std::string(28, '.') +
                                     std::string(30, '#') + std::string(6, '.')},
      {"left: to the right", 0, std::string(22, '.') + std::string(72, '#') + std::string(6, '.')},
      {"right: to the left", 2, std::string(6, '.') + std::string(72, '#') + std::string(22, '.')},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Canvas canvas(100, 30, false, kRed);
    CTextRotator rotator(CDC::FromHandle(canvas.dc()), "ab", row.horizontal, 1);
    rotator.SetEtchedLines(TRUE);
    ASSERT_TRUE(rotator.Render(0));
    rotator.Draw(CRect(0, 0, 100, 30));
    const sandbox::Picture picture = sandbox::BitmapPicture(canvas.bitmap());
    EXPECT_EQ(runs(picture, 15, shadow), row.expected);
    EXPECT_EQ(runs(picture, 16, light), row.expected) << "the highlight line under it";
  }
  // Turned by 90 degrees the line runs down the text's middle, by the vertical alignment.
  Canvas canvas(30, 100, false, kRed);
  CTextRotator rotator(CDC::FromHandle(canvas.dc()), "ab", 1, 0);
  rotator.SetEtchedLines(TRUE);
  ASSERT_TRUE(rotator.Render(90));
  rotator.Draw(CRect(0, 0, 30, 100));
  const sandbox::Picture picture = sandbox::BitmapPicture(canvas.bitmap());
  std::string column, next;
  for (int y = 0; y < 100; ++y) {
    column += picture.At(15, y) == shadow ? '#' : '.';
    next += picture.At(16, y) == light ? '#' : '.';
  }
  EXPECT_EQ(column, std::string(22, '.') + std::string(72, '#') + std::string(6, '.')) << "top-aligned: below";
  EXPECT_EQ(next, column);
  CDC::DeleteTempMap();
}

TEST(CTextRotator, DisabledTextIsEmbossed) {
  const sandbox::Picture enabled = Rendered("Ab", 0), disabled = Rendered("Ab", 0, true);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  std::set<std::pair<int, int>> ink, shadows, lights;
  for (int y = 0; y < enabled.height; ++y)
    for (int x = 0; x < enabled.width; ++x) {
      if (enabled.At(x, y) == kBlack) ink.insert({x, y});
      if (disabled.At(x, y) == shadow) shadows.insert({x, y});
      if (disabled.At(x, y) == light) lights.insert({x, y});
    }
  ASSERT_FALSE(ink.empty());
  EXPECT_EQ(shadows, ink) << "the shadow where the text is";
  std::set<std::pair<int, int>> raised;
  for (auto [x, y] : ink)
    if (!ink.count({x + 1, y + 1}) && x + 1 < enabled.width && y + 1 < enabled.height) raised.insert({x + 1, y + 1});
  EXPECT_EQ(lights, raised) << "the highlight one pixel right and down, under the shadow";
}

TEST(CTextRotator, LeavesNoDCOrObjectBehind) {
  Canvas canvas(100, 100, false, kWhite);
  const auto before = sandbox::GdiObjects();
  {
    CTextRotator rotator(CDC::FromHandle(canvas.dc()), "one\ntwo", 1, 1);
    ASSERT_TRUE(rotator.Render(90));
    ASSERT_TRUE(rotator.Render(180));  // a second render replaces the first image
    rotator.Draw(CRect(0, 0, 100, 100));
  }
  CGdiObject::DeleteTempMap();
  CDC::DeleteTempMap();
  EXPECT_EQ(sandbox::GdiObjects(), before);
}

// A picture for people to look at: build*/tests/pictures/rotated_text.png.
TEST(CTextRotator, SavesAPictureOfTheFourAngles) {
  Canvas canvas(200, 200, false, GetSysColor(COLOR_BTNFACE));
  CDC* dc = CDC::FromHandle(canvas.dc());
  const struct {
    int angle;
    CRect where;
    int horizontal, vertical;
  } quarters[] = {{0, CRect(0, 0, 100, 100), 1, 1},
                  {90, CRect(100, 0, 200, 100), 1, 1},
                  {180, CRect(0, 100, 100, 200), 1, 1},
                  {270, CRect(100, 100, 200, 200), 1, 1}};
  for (const auto& quarter : quarters) {
    CTextRotator rotator(dc, "Rotated\ntext", quarter.horizontal, quarter.vertical);
    rotator.SetEtchedLines(TRUE);
    ASSERT_TRUE(rotator.Render(quarter.angle));
    rotator.Draw(quarter.where);
  }
  const sandbox::Picture picture = sandbox::BitmapPicture(canvas.bitmap());
  const std::string file = sandbox::testing::PictureFolder() + "/rotated_text.png";
  std::string error;
  ASSERT_TRUE(sandbox::SavePicture(picture, file, &error)) << error;
  EXPECT_EQ(sandbox::LoadPicture(file), picture);
  CDC::DeleteTempMap();
}

}  // namespace

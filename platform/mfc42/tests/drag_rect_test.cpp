// CDC::DrawDragRect: the frame of a tracking rectangle inverted, and the last one inverted back, so
// that a band moved over a picture leaves it as it was.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sandbox/test_canvas.h"

namespace {

using sandbox::testing::Canvas;

TEST(DragRect, TheFrameIsInvertedAndTheLastOneRestored) {
  Canvas canvas(8, 6, false, RGB(255, 255, 255));
  canvas.Set({{RGB(255, 0, 0)}});  // one red pixel under the band
  const std::vector<std::vector<COLORREF>> before = canvas.Rows();
  CDC* dc = CDC::FromHandle(canvas.dc());
  const CRect band(0, 0, 5, 4), next(2, 1, 8, 6);
  dc->DrawDragRect(band, CSize(1, 1), NULL, CSize(1, 1));
  EXPECT_EQ(canvas.Mask(RGB(0, 0, 0)), (std::vector<std::string>{".####...", "#...#...", "#...#...",
                                                                   "#####...", "........", "........"}));
  EXPECT_EQ(canvas.At(0, 0), RGB(0, 255, 255)) << "the red pixel inverted, not blackened";
  dc->DrawDragRect(next, CSize(2, 1), band, CSize(1, 1));  // moved: the old frame goes
  EXPECT_EQ(canvas.Mask(RGB(0, 0, 0)), (std::vector<std::string>{"........", "..######", "..##..##",
                                                                   "..##..##", "..##..##", "..######"}));
  dc->DrawDragRect(CRect(0, 0, 0, 0), CSize(2, 1), next, CSize(2, 1));  // erased
  EXPECT_EQ(canvas.Rows(), before);
}

}  // namespace

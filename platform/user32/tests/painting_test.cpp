// Painting: update regions, WM_ERASEBKGND and WM_PAINT, window DCs and their clipping, redraw
// switched off, and pictures of windows saved as PNG.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sandbox/sandbox.h"
#include "sandbox/test_canvas.h"

namespace {

using sandbox::testing::Text;

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0),
                   kBlue = RGB(0, 0, 255);

struct Seen {
  HWND window;
  UINT message;
  RECT paint;  // WM_PAINT: the PAINTSTRUCT's rectangle
  BOOL erase;  // WM_PAINT: fErase
};

std::vector<Seen>& Log() {
  static std::vector<Seen> log;
  return log;
}

// Records erasing and painting; paints its client area in the colour kept in GWLP_USERDATA
// (none: only validates).
LRESULT CALLBACK PainterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) Log().push_back({window, message, {}, FALSE});
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    Log().push_back({window, message, ps.rcPaint, ps.fErase});
    if (const auto colour = GetWindowLongPtr(window, GWLP_USERDATA)) {
      HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(colour & 0xFFFFFF));
      RECT client;
      GetClientRect(window, &client);
      FillRect(dc, &client, brush);
      DeleteObject(brush);
    }
    EndPaint(window, &ps);
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

class Painting : public testing::Test {
 protected:
  void SetUp() override {
    Log().clear();
    WNDCLASS wc{};
    wc.lpfnWndProc = PainterProc;
    wc.lpszClassName = "Painter";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    ASSERT_NE(RegisterClass(&wc), 0u);
  }

  static HWND Make(DWORD style, RECT r, HWND parent = nullptr, COLORREF paint = 0) {
    HWND window = CreateWindowEx(0, "Painter", "", style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                                 nullptr, nullptr, nullptr);
    EXPECT_NE(window, nullptr);
    if (paint != 0) SetWindowLongPtr(window, GWLP_USERDATA, static_cast<LONG_PTR>(paint));
    return window;
  }

  // Dispatches what the queue holds now; returns what it dispatched.
  static std::vector<UINT> Pump() {
    std::vector<UINT> messages;
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      messages.push_back(msg.message);
      DispatchMessage(&msg);
    }
    return messages;
  }

  static std::vector<UINT> Messages() {
    std::vector<UINT> out;
    for (const Seen& s : Log()) out.push_back(s.message);
    return out;
  }
};

TEST_F(Painting, InvalidationsCoalesceIntoOneEraseAndOnePaint) {
  HWND window = Make(WS_OVERLAPPED | WS_VISIBLE, {0, 0, 100, 60});
  Pump();
  Log().clear();
  const RECT a{10, 10, 20, 20}, b{50, 30, 70, 40};
  InvalidateRect(window, &a, FALSE);
  InvalidateRect(window, &b, TRUE);
  InvalidateRect(window, &a, FALSE);
  EXPECT_TRUE(Log().empty()) << "nothing happens before the queue is served";
  EXPECT_EQ(Pump(), std::vector<UINT>{WM_PAINT});
  ASSERT_EQ(Messages(), (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
  EXPECT_EQ(Text(Log()[1].paint), Text(RECT{10, 10, 70, 40}));
  EXPECT_FALSE(Log()[1].erase) << "the class brush erased it";
  EXPECT_TRUE(Pump().empty()) << "validated: no further WM_PAINT";
}

TEST_F(Painting, WmPaintComesOnlyWhenTheQueueHoldsNothingElse) {
  HWND window = Make(WS_OVERLAPPED | WS_VISIBLE, {0, 0, 10, 10});
  PostMessage(window, WM_USER, 0, 0);
  SetTimer(window, 1, 5000, nullptr);
  sandbox::AdvanceClock(10000);
  PostMessage(window, WM_USER + 1, 0, 0);
  EXPECT_EQ(Pump(), (std::vector<UINT>{WM_USER, WM_USER + 1, WM_PAINT, WM_TIMER}));
}

TEST_F(Painting, UpdateNowPaintsAtOnceParentBeforeChild) {
  HWND parent = Make(WS_OVERLAPPED | WS_VISIBLE, {0, 0, 100, 60});
  HWND child = Make(WS_CHILD | WS_VISIBLE, {10, 10, 30, 30}, parent);
  Pump();
  Log().clear();
  ASSERT_TRUE(RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW));
  ASSERT_EQ(Log().size(), 4u);
  EXPECT_EQ(Log()[0].window, parent);
  EXPECT_EQ(Log()[1].window, parent);
  EXPECT_EQ(Log()[2].window, child) << "a parent without WS_CLIPCHILDREN passes the invalidation on";
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT, WM_ERASEBKGND, WM_PAINT}));
  EXPECT_TRUE(Pump().empty());
  Log().clear();
  SetWindowLongPtr(parent, GWL_STYLE, WS_OVERLAPPED | WS_VISIBLE | WS_CLIPCHILDREN);
  ASSERT_TRUE(RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW));
  EXPECT_EQ(Messages(), std::vector<UINT>{WM_PAINT}) << "WS_CLIPCHILDREN keeps it to the parent, no erase asked";
}

TEST_F(Painting, APictureHoldsTheChildrensPixels) {
  HWND parent = Make(WS_OVERLAPPED | WS_VISIBLE, {40, 50, 60, 60});
  Make(WS_CHILD | WS_VISIBLE, {2, 3, 6, 5}, parent, kRed);
  HWND hidden = Make(WS_CHILD, {10, 0, 20, 10}, parent, kBlue);
  const sandbox::Picture picture = sandbox::WindowPicture(parent);
  ASSERT_EQ(picture.width, 20);
  ASSERT_EQ(picture.height, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inChild = x >= 2 && x < 6 && y >= 3 && y < 5;
      ASSERT_EQ(picture.At(x, y), inChild ? kRed : kWhite) << x << ", " << y;
    }
  ShowWindow(hidden, SW_SHOW);
  EXPECT_EQ(sandbox::WindowPicture(parent).At(15, 5), kBlue) << "shown: painted";
  ShowWindow(hidden, SW_HIDE);
  EXPECT_EQ(sandbox::WindowPicture(parent).At(15, 5), kWhite) << "hidden: its place painted by the parent";
  EXPECT_EQ(sandbox::WindowPicture(hidden), sandbox::Picture{}) << "a hidden window shows nothing";
}

// A window that appears is painted with every visible descendant, also below a parent that clips
// its children (the add-in's components dialog clips its children).
TEST_F(Painting, AWindowThatAppearsPaintsItsChildrenWhateverItsStyle) {
  for (const UINT how : {0u, 1u}) {
    SCOPED_TRACE(how == 0 ? "ShowWindow" : "SetWindowPos");
    HWND parent = Make(WS_OVERLAPPED | WS_CLIPCHILDREN, {0, 0, 20, 10});
    HWND child = Make(WS_CHILD | WS_VISIBLE, {2, 3, 6, 5}, parent, kRed);
    Make(WS_CHILD | WS_VISIBLE, {1, 1, 3, 3}, child, kBlue);
    if (how == 0)
      ShowWindow(parent, SW_SHOW);
    else
      SetWindowPos(parent, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    const sandbox::Picture picture = sandbox::WindowPicture(parent);
    EXPECT_EQ(picture.At(5, 4), kRed);
    EXPECT_EQ(picture.At(3, 4), kBlue) << "the grandchild";
    DestroyWindow(parent);
  }
}

TEST_F(Painting, WindowDCsAreClippedToChildrenAndSiblingsByStyle) {
  struct Row {
    const char* name;
    DWORD parentStyle, lowerStyle;
    COLORREF inOverlap, inLower;  // after the parent's DC and then the lower child's DC paint black
  } rows[] = {
      {"no clipping styles", WS_OVERLAPPED, 0, kBlack, kBlack},
      {"WS_CLIPCHILDREN keeps the parent out of its children", WS_CLIPCHILDREN, 0, kRed, kRed},
      {"WS_CLIPSIBLINGS keeps the lower child out of the upper", WS_CLIPCHILDREN, WS_CLIPSIBLINGS, kRed, kBlack},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    HWND parent = Make(row.parentStyle | WS_VISIBLE, {0, 0, 40, 20});
    Make(WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, parent, kRed);  // made first: above the next one
    HWND lower = Make(WS_CHILD | WS_VISIBLE | row.lowerStyle, {5, 0, 20, 10}, parent, kRed);
    sandbox::WindowPicture(parent);  // every pending paint done
    HDC dc = GetDC(parent);
    PatBlt(dc, 0, 0, 40, 20, BLACKNESS);
    ReleaseDC(parent, dc);
    if (row.lowerStyle != 0) {
      dc = GetDC(lower);
      PatBlt(dc, 0, 0, 15, 10, BLACKNESS);
      ReleaseDC(lower, dc);
    }
    const sandbox::Picture picture = sandbox::WindowPicture(parent);
    EXPECT_EQ(picture.At(7, 2), row.inOverlap) << "where the upper child covers the lower one";
    EXPECT_EQ(picture.At(15, 2), row.inLower);
    EXPECT_EQ(picture.At(30, 15), kBlack) << "the parent's own area";
    DestroyWindow(parent);
  }
  EXPECT_EQ(sandbox::GdiObjects().count("DC"), 0u) << "every window DC released";
}

TEST_F(Painting, RedrawSwitchedOffNeitherPaintsNorDraws) {
  HWND window = Make(WS_OVERLAPPED | WS_VISIBLE, {0, 0, 10, 10}, nullptr, kRed);
  Pump();
  Log().clear();
  SendMessage(window, WM_SETREDRAW, FALSE, 0);
  InvalidateRect(window, nullptr, TRUE);
  HDC dc = GetDC(window);
  PatBlt(dc, 0, 0, 10, 10, BLACKNESS);
  ReleaseDC(window, dc);
  EXPECT_TRUE(Pump().empty());
  SendMessage(window, WM_SETREDRAW, TRUE, 0);
  EXPECT_TRUE(Pump().empty()) << "switching it on paints nothing by itself";
  EXPECT_EQ(sandbox::WindowPicture(window).At(5, 5), kRed) << "the DC drew nothing";
  InvalidateRect(window, nullptr, TRUE);
  EXPECT_EQ(Pump(), std::vector<UINT>{WM_PAINT});
}

TEST_F(Painting, ASavedPictureReadsBackWithTheSamePixels) {
  HWND window = Make(WS_OVERLAPPED | WS_VISIBLE, {0, 0, 30, 20});
  Make(WS_CHILD | WS_VISIBLE, {3, 4, 13, 9}, window, RGB(12, 34, 56));
  HDC dc = GetDC(window);
  SetBkMode(dc, TRANSPARENT);
  TextOut(dc, 14, 2, "A", 1);
  ReleaseDC(window, dc);
  const sandbox::Picture picture = sandbox::WindowPicture(window);
  const std::string folder = sandbox::MapTempDrive('P');
  const std::string file = folder + "/window.png";
  std::string error;
  ASSERT_TRUE(sandbox::SavePicture(picture, file, &error)) << error;
  EXPECT_FALSE(std::filesystem::exists(file + ".~new"));
  const auto loaded = sandbox::LoadPicture(file, &error);
  ASSERT_TRUE(loaded.has_value()) << error;
  EXPECT_EQ(*loaded, picture);
  EXPECT_FALSE(sandbox::SavePicture(picture, folder + "/missing/window.png", &error));
  EXPECT_NE(error.find("missing"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(folder + "/missing"));
  EXPECT_FALSE(sandbox::LoadPicture(folder + "/none.png", &error).has_value());
}

}  // namespace

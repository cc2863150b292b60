// The step-page base in a wizard frame of the test's making: how its paint and its dismissal
// arrange the frame's buttons for frames laid out in different ways, the banners it draws, and
// the help topic it hands to the current depot. Its state is module-wide and never reset, so
// each case loads StepProbe.dll, which carries the base, afresh.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "InformationDepot.h"
#include "sandbox/sandbox.h"

namespace {

struct Place {
  int x;
  int y;
};

struct Layout {
  Place back, next, finish, cancel, help;
};

constexpr int kButtonWidth = 72, kButtonHeight = 24;

// A frame with the platform's dialog frame and caption around its client area, as the wizard
// frame has, so that the pages' arithmetic over window rectangles is tested as it runs.
LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCALCSIZE && wParam == FALSE) {
    auto* r = reinterpret_cast<RECT*>(lParam);
    r->left += GetSystemMetrics(SM_CXDLGFRAME);
    r->right -= GetSystemMetrics(SM_CXDLGFRAME);
    r->top += GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME);
    r->bottom -= GetSystemMetrics(SM_CYDLGFRAME);
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

using ShowPage = HWND (*)(HWND);
using Dismiss = BOOL (*)(HWND);
using InitDialog = int (*)(HWND);
using SetDepot = void (*)(CInformationDepot*);
using End = void (*)();

template <typename F>
F Entry(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

class StepBase : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASS wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "TestWizardFrame";
    ASSERT_NE(RegisterClass(&wc), 0);
    LoadProbe();
  }
  void TearDown() override { UnloadProbe(); }

  // The probe fresh from disk, its module-wide state new; the frame goes with the old one.
  void LoadProbe() {
    probe_ = LoadLibrary(sandbox::WindowsPath(STEP_PROBE_FILE).c_str());
    ASSERT_NE(probe_, nullptr) << GetLastError();
    show_ = Entry<ShowPage>(probe_, "ProbeShowPage");
    dismiss_ = Entry<Dismiss>(probe_, "ProbeDismiss");
    init_ = Entry<InitDialog>(probe_, "ProbeInitDialog");
    setDepot_ = Entry<SetDepot>(probe_, "ProbeSetDepot");
    end_ = Entry<End>(probe_, "ProbeEnd");
  }
  void UnloadProbe() {
    if (probe_ == nullptr) return;
    end_();
    if (frame_ != nullptr) DestroyWindow(frame_);
    frame_ = nullptr;
    FreeLibrary(probe_);
    probe_ = nullptr;
  }

  void MakeFrame(const Layout& layout) {
    frame_ = CreateWindowEx(0, "TestWizardFrame", "Wizard", WS_POPUP | WS_VISIBLE, 100, 100, 566, 353, nullptr,
                            nullptr, nullptr, nullptr);
    ASSERT_NE(frame_, nullptr);
    const std::pair<int, Place> buttons[] = {{441, layout.back},   {IDOK, layout.next}, {440, layout.finish},
                                             {IDCANCEL, layout.cancel}, {57670, layout.help}};
    for (const auto& [id, at] : buttons)
      ASSERT_NE(CreateWindowEx(0, "Button", "b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, at.x, at.y, kButtonWidth,
                               kButtonHeight, frame_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                               nullptr),
                nullptr);
    UpdateWindow(frame_);  // the frame painted before its page shows
  }

  // A button's place in the frame's client area.
  Place At(int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(frame_, id), &r);
    POINT p{r.left, r.top};
    ScreenToClient(frame_, &p);
    return {p.x, p.y};
  }

  void ExpectLayout(const Layout& expected, bool helpShown) {
    const std::pair<const char*, std::pair<int, Place>> buttons[] = {
        {"Back", {441, expected.back}},       {"Next", {IDOK, expected.next}},
        {"Finish", {440, expected.finish}},   {"Cancel", {IDCANCEL, expected.cancel}},
        {"Help", {57670, expected.help}}};
    for (const auto& [name, button] : buttons) {
      SCOPED_TRACE(name);
      EXPECT_EQ(At(button.first).x, button.second.x);
      EXPECT_EQ(At(button.first).y, button.second.y);
    }
    EXPECT_EQ(IsWindowVisible(GetDlgItem(frame_, 57670)) != FALSE, helpShown);
  }

  HMODULE probe_ = nullptr;
  HWND frame_ = nullptr;
  ShowPage show_ = nullptr;
  Dismiss dismiss_ = nullptr;
  InitDialog init_ = nullptr;
  SetDepot setDepot_ = nullptr;
  End end_ = nullptr;
};

Layout WithHelp(Layout layout, Place help) {
  layout.help = help;
  return layout;
}

TEST_F(StepBase, PaintingArrangesTheFrameOnceAndDismissingHidesHelpAtItsPlace) {
  struct Row {
    const char* name;
    Layout frame;     // as the frame lays its buttons out
    Layout arranged;  // after the first page painted: Help at (10, its top)
  } rows[] = {
      {.name = "Help right of Cancel: all move right by the gap",
       .frame = {{168, 292}, {242, 292}, {324, 292}, {402, 292}, {480, 292}},
       .arranged = {{246, 292}, {320, 292}, {402, 292}, {480, 292}, {10, 292}}},
      {.name = "Finish left of Next: they exchange places as they move, once",
       .frame = {{168, 292}, {324, 292}, {242, 292}, {402, 292}, {480, 300}},
       .arranged = {{246, 292}, {320, 292}, {402, 292}, {480, 292}, {10, 300}}},
      {.name = "Help left of Cancel: all move left",
       .frame = {{240, 292}, {320, 292}, {400, 292}, {480, 292}, {160, 292}},
       .arranged = {{-80, 292}, {0, 292}, {80, 292}, {160, 292}, {10, 292}}},
      {.name = "Cancel at Help's place already: nothing moves but Help",
       .frame = {{168, 280}, {242, 280}, {324, 280}, {480, 300}, {480, 300}},
       .arranged = {{168, 280}, {242, 280}, {324, 280}, {480, 300}, {10, 300}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    UnloadProbe();
    LoadProbe();
    MakeFrame(row.frame);
    const HWND first = show_(frame_);
    ASSERT_NE(first, nullptr);
    ExpectLayout(row.arranged, true);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(frame_, 57670)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(frame_, 440)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(frame_, IDOK)));

    // Leaving the page hides Help back at its place; the rest stays.
    EnableWindow(GetDlgItem(frame_, 440), TRUE);
    EXPECT_TRUE(dismiss_(first));
    ExpectLayout(WithHelp(row.arranged, row.frame.help), false);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(frame_, 440)));

    // A later page of the module finds the frame arranged (Finish is not swapped back).
    DestroyWindow(first);
    ASSERT_NE(show_(frame_), nullptr);
    ExpectLayout(row.arranged, true);
  }
}

// The banner at its own size with black transparent, the badge over it at half its size
// (31 x 21 drawn 15 x 10) with white transparent.
TEST_F(StepBase, PaintingDrawsTheBannerAndTheBadgeAtHalfSize) {
  MakeFrame({{168, 292}, {242, 292}, {324, 292}, {402, 292}, {480, 292}});
  ASSERT_NE(show_(frame_), nullptr);
  const sandbox::Picture picture = sandbox::WindowPicture(frame_);
  const uint32_t face = GetSysColor(COLOR_BTNFACE), red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
  struct Pixel {
    int x, y;
    uint32_t colour;
    const char* what;
  } pixels[] = {
      {20, 0, face, "the banner's black ring is transparent"}, {5, 5, blue, "the badge"},
      {14, 9, blue, "the badge's last column and row"},       {15, 5, red, "the banner right of the badge"},
      {5, 10, red, "the banner below the badge"},               {38, 18, red, "the banner's last inner pixel"},
      {39, 19, face, "the ring's corner"},                      {40, 10, face, "right of the banner"},
  };
  for (const Pixel& p : pixels) {
    SCOPED_TRACE(p.what);
    EXPECT_EQ(picture.At(p.x, p.y), p.colour);
  }
}

TEST_F(StepBase, InitialisingStoresTheHelpTopicOnlyInACurrentDepot) {
  MakeFrame({{168, 292}, {242, 292}, {324, 292}, {402, 292}, {480, 292}});
  CInformationDepot depot;
  depot.SetHelpTopic("before");
  setDepot_(nullptr);
  const HWND page = show_(frame_);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(init_(page), TRUE);
  EXPECT_EQ(depot.GetHelpTopic(), "before");
  setDepot_(&depot);
  EXPECT_EQ(init_(page), TRUE);
  EXPECT_EQ(depot.GetHelpTopic(), "probe.chm::\\page.htm");
  setDepot_(nullptr);
}

}  // namespace

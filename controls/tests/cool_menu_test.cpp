// Owner-drawn menus: what converting a menu makes of its items, how the items measure and where
// their parts are drawn (pixel positions follow from the 8 x 16 glyph cells), and a converted
// popup tracked by an owner that hands it the owner-draw messages, as the tree does.
#include "menus/TqCoolMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "resource.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_canvas.h"

namespace {

using sandbox::testing::Canvas;

const COLORREF kMenu = ::GetSysColor(COLOR_MENU), kShadow = RGB(128, 128, 128), kWhite = RGB(255, 255, 255),
               kHighlight = RGB(0, 0, 128), kBlack = RGB(0, 0, 0);

class CExposedCoolMenu : public CtqStandardCoolMenu {
 public:
  using CtqCoolMenu::m_vecItems;
};

// The owner hands the owner-draw messages to the open cool menu first, as the tree does.
class COwnerWnd : public CWnd {
 public:
  CtqCoolMenu* m_pCoolMenu = nullptr;
  int m_nUnhandled = 0;
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT mis) {
    if (m_pCoolMenu != nullptr && m_pCoolMenu->MeasureItem(mis)) return;
    ++m_nUnhandled;
    CWnd::OnMeasureItem(nIDCtl, mis);
  }
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT dis) {
    if (m_pCoolMenu != nullptr && m_pCoolMenu->DrawItem(dis)) return;
    ++m_nUnhandled;
    CWnd::OnDrawItem(nIDCtl, dis);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
ON_WM_MEASUREITEM()
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

MEASUREITEMSTRUCT Measured(CtqCoolMenu& menu, ULONG_PTR data, bool* handled = nullptr) {
  MEASUREITEMSTRUCT mis{ODT_MENU, 0, 1, 0xdead, 0xbeef, data};
  const bool result = menu.MeasureItem(&mis);
  if (handled != nullptr) *handled = result;
  return mis;
}

// Draws the record into a canvas of the item's size on green, with the owner-draw state given.
void Draw(CtqCoolMenu& menu, CtqCoolMenu::CItemRecord* record, UINT state, Canvas& canvas, int width, int height) {
  DRAWITEMSTRUCT dis{ODT_MENU, 0, 1, ODA_DRAWENTIRE, state, nullptr, canvas.dc(), {0, 0, width, height},
                     reinterpret_cast<ULONG_PTR>(record)};
  EXPECT_TRUE(menu.DrawItem(&dis));
}

// The columns [from, to) from `left` on in which a pixel of `ink` shows, as a pair; (width, 0)
// when none does.
std::pair<int, int> InkColumns(const Canvas& canvas, int width, int height, COLORREF ink, int top = 0,
                               int left = 0) {
  std::pair<int, int> columns{width, 0};
  for (int y = top; y < height; ++y)
    for (int x = left; x < width; ++x)
      if (canvas.At(x, y) == ink) {
        columns.first = std::min(columns.first, x);
        columns.second = std::max(columns.second, x + 1);
      }
  return columns;
}

TEST(CoolMenus, ConvertingMakesEveryItemOwnerDrawnAndKeepsTheSubmenus) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDM_NODE));
  const size_t menus = sandbox::LiveMenus();
  CMenu* node = menu.GetSubMenu(0);
  const HMENU more = ::GetSubMenu(node->m_hMenu, 4);
  {
    CExposedCoolMenu cool;
    cool.ConvertMenu(&menu);
    // Last to first, each submenu before its entry; the caller's menu is the first level.
    std::vector<std::pair<int, std::string>> records;
    for (const auto* record : cool.m_vecItems) records.emplace_back(record->m_nID, record->m_strText);
    const std::vector<std::pair<int, std::string>> expected = {
        {ID_PLAIN, "Plain"},    {ID_DEEP, "Deep"},
        {CtqCoolMenu::kSubmenuEntry, "&More"},
        {ID_DISABLED, "&Disabled"}, {ID_CHECKED, "&Check me"},
        {CtqCoolMenu::kSeparator, ""},
        {ID_OPEN, "&Open\tCtrl+O"},
        {CtqCoolMenu::kTopSubmenuEntry, "&Node"},
    };
    EXPECT_EQ(records, expected);
    EXPECT_EQ(cool.m_vecItems[0]->m_nImage, -1) << "no command has an image";
    EXPECT_EQ(cool.m_vecItems[2]->m_nImage, CtqCoolMenu::kSubmenuEntry);

    const UINT states[] = {MF_OWNERDRAW, MF_OWNERDRAW | MF_SEPARATOR, MF_OWNERDRAW | MF_CHECKED,
                           MF_OWNERDRAW | MF_GRAYED, MF_OWNERDRAW | MF_POPUP | (1 << 8), MF_OWNERDRAW};
    for (UINT i = 0; i < 6; ++i) EXPECT_EQ(node->GetMenuState(i, MF_BYPOSITION), states[i]) << i;
    EXPECT_EQ(::GetSubMenu(node->m_hMenu, 4), more) << "the entry still opens its submenu";
    EXPECT_EQ(sandbox::LiveMenus(), menus);

    // A second conversion finds only owner-drawn items: nothing changes.
    cool.ConvertMenu(&menu);
    EXPECT_EQ(cool.m_vecItems.size(), expected.size());
    for (UINT i = 0; i < 6; ++i) EXPECT_EQ(node->GetMenuState(i, MF_BYPOSITION), states[i]) << i;
    EXPECT_EQ(sandbox::LiveImageLists(), 2u);
  }
  EXPECT_EQ(sandbox::LiveImageLists(), 0u) << "the menu object's image lists go with it";
}

TEST(CoolMenus, ItemsMeasureByTheirKindAndText) {
  CtqStandardCoolMenu cool;
  const struct {
    const char* name;
    const char* text;
    int id;
    UINT width, height;
  } rows[] = {
      {.name = "separator", .text = "", .id = CtqCoolMenu::kSeparator, .width = 10, .height = 6},
      {.name = "empty text", .text = "", .id = 7, .width = 100, .height = 25},
      // "&Open" is 40 wide, the tab goes on to 64, "Ctrl+O" is 48: 112 + 17 + the larger of the
      // height (25) and the icon column (20).
      {.name = "a tab", .text = "&Open\tCtrl+O", .id = 8, .width = 112 + 17 + 25, .height = 25},
      {.name = "a command", .text = "Cut", .id = 9, .width = 24 + 17 + 25, .height = 25},
      {.name = "a submenu entry below the first level", .text = "More", .id = CtqCoolMenu::kSubmenuEntry,
       .width = 32 + 17 + 25, .height = 25},
      // DrawText's rectangle: the prefix '&' takes no room.
      {.name = "a first-level entry", .text = "&Node", .id = CtqCoolMenu::kTopSubmenuEntry, .width = 32,
       .height = 16},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    auto* record = cool.AddItemRecord(row.text, row.id);
    bool handled = false;
    const MEASUREITEMSTRUCT mis = Measured(cool, reinterpret_cast<ULONG_PTR>(record), &handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(mis.itemWidth, row.width);
    EXPECT_EQ(mis.itemHeight, row.height);
  }
}

TEST(CoolMenus, OnlyItsOwnRecordsAreTaken) {
  CtqStandardCoolMenu cool;
  bool handled = false;
  MEASUREITEMSTRUCT mis = Measured(cool, 0, &handled);
  EXPECT_TRUE(handled) << "no item data: handled, nothing set";
  EXPECT_EQ(mis.itemWidth, 0xdeadu);
  CtqCoolMenu::CItemRecord foreign{5, -1, "Foreign"};
  mis = Measured(cool, reinterpret_cast<ULONG_PTR>(&foreign), &handled);
  EXPECT_FALSE(handled) << "another owner's item data";
  EXPECT_EQ(mis.itemWidth, 0xdeadu);
  MEASUREITEMSTRUCT button{ODT_BUTTON, 3, 3, 0, 0, 0};
  EXPECT_FALSE(cool.MeasureItem(&button));
  Canvas canvas(10, 10);
  DRAWITEMSTRUCT dis{ODT_MENU, 0, 1, ODA_DRAWENTIRE, 0, nullptr, canvas.dc(), {0, 0, 10, 10},
                     reinterpret_cast<ULONG_PTR>(&foreign)};
  EXPECT_FALSE(cool.DrawItem(&dis));
  dis.itemData = 0;
  EXPECT_TRUE(cool.DrawItem(&dis));
  EXPECT_EQ(canvas.Bounds(kWhite).right, 0) << "nothing drawn";
}

TEST(CoolMenus, TheAcceleratorIsRightAlignedAndTheCheckShowsOnlyWhenChecked) {
  CtqStandardCoolMenu cool;
  auto* record = cool.AddItemRecord("&Open\tCtrl+O", 8);
  const int width = 200, height = 25;
  Canvas plain(width, height), checked(width, height);
  Draw(cool, record, 0, plain, width, height);
  Draw(cool, record, ODS_CHECKED, checked, width, height);
  // "Open" from the icon column (20) plus 4; "Ctrl+O" (48) ending 8 before the right edge.
  const auto label = InkColumns(plain, 120, height, kBlack);
  EXPECT_GE(label.first, 24);
  EXPECT_LE(label.second, 24 + 32);
  const auto accelerator = InkColumns(plain, width, height, kBlack);
  EXPECT_GE(accelerator.first, 24);
  EXPECT_LE(accelerator.second, 192);
  const auto rightPart = InkColumns(plain, width, height, kBlack);
  EXPECT_GT(rightPart.second, 192 - 8) << "the accelerator reaches the right";
  EXPECT_EQ(plain.At(width - 1, 0), kMenu);

  // The icon column: empty unless checked; checked it shows the check image's greys.
  EXPECT_EQ(InkColumns(plain, 20, height, kShadow).second, 0);
  EXPECT_EQ(InkColumns(plain, 20, height, kWhite).second, 0);
  EXPECT_GT(InkColumns(checked, 20, height, kShadow).second, 0);
  EXPECT_GT(InkColumns(checked, 20, height, kWhite).second, 0);
  EXPECT_EQ(checked.At(0, 0), kMenu) << "the image's face is masked away";
}

TEST(CoolMenus, StatesChangeColoursAndDisabledTextIsEmbossed) {
  CtqStandardCoolMenu cool;
  auto* record = cool.AddItemRecord("Cut", 9);
  const int width = 80, height = 25;
  const struct {
    const char* name;
    UINT state;
    COLORREF background;  // in the text part, above the text
    COLORREF iconColumn;
    COLORREF text;        // the colour of the text's ink
    bool emboss;          // white ink one pixel right and below
  } rows[] = {
      {.name = "plain", .state = 0, .background = kMenu, .iconColumn = kMenu, .text = kBlack, .emboss = false},
      {.name = "selected", .state = ODS_SELECTED, .background = kHighlight, .iconColumn = kHighlight,
       .text = kWhite, .emboss = false},
      {.name = "selected and checked: the icon column stays", .state = ODS_SELECTED | ODS_CHECKED,
       .background = kHighlight, .iconColumn = kMenu, .text = kWhite, .emboss = false},
      {.name = "disabled", .state = ODS_DISABLED | ODS_GRAYED, .background = kMenu, .iconColumn = kMenu,
       .text = kShadow, .emboss = true},
      {.name = "disabled and selected", .state = ODS_DISABLED | ODS_SELECTED, .background = kHighlight,
       .iconColumn = kHighlight, .text = kMenu, .emboss = false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Canvas canvas(width, height, false, RGB(0, 255, 0));
    Draw(cool, record, row.state, canvas, width, height);
    EXPECT_EQ(canvas.At(60, 1), row.background);
    EXPECT_EQ(canvas.At(2, height - 1), row.iconColumn);
    // The text part, right of the icon column.
    const auto ink = InkColumns(canvas, width, height, row.text, 0, 20);
    EXPECT_GE(ink.first, 24);
    EXPECT_LE(ink.second, 24 + 24);
    const auto raised = InkColumns(canvas, width, height, kWhite, 0, 20);
    if (row.emboss) {
      EXPECT_GE(raised.first, 25);
      EXPECT_LE(raised.second, 24 + 24 + 1);
    } else if (row.text != kWhite) {
      EXPECT_EQ(raised.second, 0) << "no emboss";
    }
  }
}

TEST(CoolMenus, SeparatorsAreEtchedAndFirstLevelEntriesPressIn) {
  CtqStandardCoolMenu cool;
  Canvas separator(30, 6, false, RGB(0, 255, 0));
  Draw(cool, cool.AddItemRecord("", CtqCoolMenu::kSeparator), 0, separator, 30, 6);
  EXPECT_EQ(separator.Mask(kShadow)[2], "..##########################..");
  EXPECT_EQ(separator.Mask(kWhite)[3], "..##########################..");

  auto* entry = cool.AddItemRecord("&Node", CtqCoolMenu::kTopSubmenuEntry);
  Canvas idle(40, 20), pressed(40, 20);
  Draw(cool, entry, 0, idle, 40, 20);
  Draw(cool, entry, ODS_SELECTED, pressed, 40, 20);
  EXPECT_EQ(idle.At(0, 0), kMenu);
  EXPECT_EQ(pressed.At(0, 0), kShadow) << "a sunken frame";
  EXPECT_EQ(pressed.At(39, 19), kWhite);
  // "Node" (32 wide) centred in 40, then two pixels further right when pressed.
  const auto idleInk = InkColumns(idle, 40, 20, kBlack);
  EXPECT_GE(idleInk.first, 4);
  EXPECT_LE(idleInk.second, 36);
  EXPECT_EQ(InkColumns(pressed, 39, 19, kBlack, 1, 1).first, idleInk.first + 2);
}

// A menu whose command 30 has an icon: red, 20 x 20, its top-left pixel transparent (green).
class CIconCoolMenu : public CtqStandardCoolMenu {
 public:
  CIconCoolMenu() {
    CBitmap icon;
    icon.CreateBitmap(20, 20, 1, 32, NULL);
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap* old = dc.SelectObject(&icon);
    dc.FillSolidRect(0, 0, 20, 20, RGB(255, 0, 0));
    dc.SetPixel(0, 0, RGB(0, 255, 0));
    dc.SelectObject(old);
    m_ilIcons.Add(&icon, RGB(0, 255, 0));
    m_mapCommandToImage[30] = 0;
  }
};

TEST(CoolMenus, ACommandsIconIsDrawnGreyedWhenDisabledAndFramedWhenChecked) {
  CIconCoolMenu cool;
  auto* record = cool.AddItemRecord("Icon", 30);
  EXPECT_EQ(record->m_nImage, 0) << "from the command-to-image map";
  const int width = 80, height = 25;  // the icon column's rectangle: (0, 2) to (20, 22)
  Canvas plain(width, height), disabled(width, height), checked(width, height);
  Draw(cool, record, 0, plain, width, height);
  Draw(cool, record, ODS_DISABLED, disabled, width, height);
  Draw(cool, record, ODS_CHECKED, checked, width, height);
  EXPECT_EQ(plain.At(10, 12), RGB(255, 0, 0));
  EXPECT_EQ(plain.At(0, 2), kMenu) << "the icon's transparent corner";
  EXPECT_EQ(disabled.At(10, 12), kShadow) << "greyed: the icon's shape in the shadow colour";
  EXPECT_EQ(disabled.At(0, 2), kMenu);
  EXPECT_EQ(checked.At(1, 2), kShadow) << "a sunken frame round the icon";
  EXPECT_EQ(checked.At(19, 21), kWhite);
  EXPECT_EQ(checked.At(10, 12), RGB(255, 0, 0));
}

class CoolPopups : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner_.CreateEx(0, NULL, "Tree", WS_POPUP | WS_VISIBLE, 50, 50, 300, 300, NULL, NULL));
  }
  void TearDown() override { owner_.DestroyWindow(); }
  COwnerWnd owner_;
};

TEST_F(CoolPopups, AConvertedPopupOpensItsSubmenuAndDrawsItsItems) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDM_NODE));
  CtqPopupCoolMenu cool(&menu);
  owner_.m_pCoolMenu = &cool;
  sandbox::Picture picture;
  sandbox::QueueAnswer("PopupMenu", {0, "", [&](void* popup) {
                                       EXPECT_TRUE(sandbox::HighlightMenuItem(popup, 5));
                                       picture = sandbox::WindowPicture(popup);
                                     }});
  CMenu* node = menu.GetSubMenu(0);
  ASSERT_NE(node, nullptr) << "the converted entry keeps its submenu";
  EXPECT_EQ(node->TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, 60, 60, &owner_), 0);
  ASSERT_TRUE(sandbox::SavePicture(picture, sandbox::testing::PictureFolder() + "/cool_menu_popup.png"));

  // Items 154 wide; rows of 25, the separator 6: Open 0, separator 25, Check me 31, Disabled 56,
  // More 81, Plain 106 (highlighted).
  ASSERT_EQ(picture.width, 154);
  ASSERT_EQ(picture.height, 131);
  auto count = [&](COLORREF colour, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += picture.At(x, y) == colour;
    return n;
  };
  EXPECT_EQ(count(kShadow, 0, 0, 20, 25), 0) << "Open is not checked";
  EXPECT_GT(count(kShadow, 0, 31, 20, 56), 0) << "the check mark";
  EXPECT_GT(count(kShadow, 24, 56, 154, 81), 0) << "the disabled text";
  EXPECT_GT(count(kWhite, 24, 56, 154, 81), 0) << "its emboss";
  EXPECT_EQ(picture.At(5, 108), kHighlight) << "the highlighted item";
  EXPECT_EQ(picture.At(5, 83), kMenu);
  EXPECT_EQ(owner_.m_nUnhandled, 0);

  // Choosing inside the converted submenu: it opens, and the command comes back.
  sandbox::QueueAnswer("PopupMenu", {ID_DEEP});
  EXPECT_EQ(node->TrackPopupMenu(TPM_RETURNCMD, 60, 60, &owner_), ID_DEEP);
  EXPECT_EQ(owner_.m_nUnhandled, 0);
}

TEST_F(CoolPopups, TwoItemsOfOneCommandBothDraw) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, 7, "First");
  menu.AppendMenu(MF_STRING, 7, "Second");
  CtqPopupCoolMenu cool(&menu);
  owner_.m_pCoolMenu = &cool;
  sandbox::Picture picture;
  sandbox::QueueAnswer("PopupMenu", {0, "", [&](void* popup) { picture = sandbox::WindowPicture(popup); }});
  menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner_);
  EXPECT_EQ(owner_.m_nUnhandled, 0) << "both items are the menu's own";
  ASSERT_EQ(picture.height, 50);
  int inkTop = 0, inkBottom = 0;
  for (int x = 0; x < picture.width; ++x) {
    inkTop += picture.At(x, 12) == kBlack;
    inkBottom += picture.At(x, 37) == kBlack;
  }
  EXPECT_GT(inkTop, 0);
  EXPECT_GT(inkBottom, 0);
}

}  // namespace

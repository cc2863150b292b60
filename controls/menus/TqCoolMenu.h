// Owner-drawn menus: the items of an existing menu become owner-drawn and are drawn here in the
// system's menu font and colours, with an icon column that shows a check mark for checked items,
// the text, and the accelerator (the part after a tab) right-aligned; separators are etched and
// disabled items embossed.
#pragma once

#include <map>
#include <vector>

#include "stdafx.h"

class CtqCoolMenu {
 public:
  // Kind codes stored in a record's id for items that are no commands.
  enum { kSubmenuEntry = -2, kSeparator = -3, kTopSubmenuEntry = -4 };

  // One converted item; the menu item carries a pointer to it as its item data.
  struct CItemRecord {
    int m_nID;  // a command id, or a kind code
    int m_nImage;
    CString m_strText;
  };

  CtqCoolMenu();
  virtual ~CtqCoolMenu();

  // Makes the menu's items owner-drawn, submenus first.
  void ConvertMenu(CMenu* pMenu);
  // A new record, appended and returned; a command takes its image from the command-to-image map
  // (-1 without one), a kind code is its own image index.
  CItemRecord* AddItemRecord(const CString& strText, int nID);
  // WM_MEASUREITEM and WM_DRAWITEM of menu items: true when handled. An item without item data is
  // handled without anything done; other controls' items and items whose data is no record of
  // this menu answer false, so that the caller's default handling takes them.
  bool MeasureItem(MEASUREITEMSTRUCT* pMeasureItem);
  bool DrawItem(DRAWITEMSTRUCT* pDrawItem);

 protected:
  CItemRecord* RecordOf(ULONG_PTR itemData) const;
  void DrawSeparator(CDC* pDC, const CRect& rcItem);
  void DrawTopEntry(CDC* pDC, const CRect& rcItem, const CItemRecord& record, bool bSelected, bool bEnabled);
  void DrawCommand(CDC* pDC, const CRect& rcItem, const CItemRecord& record, bool bSelected, bool bEnabled,
                   bool bChecked);
  void DrawGreyedIcon(CDC* pDC, int nImage, CPoint ptAt);
  void DrawMenuText(CDC* pDC, const CRect& rcText, const CString& strText, UINT nAlignment, bool bSelected,
                    bool bEnabled);

  COLORREF m_crMenu;
  COLORREF m_crBtnFace;
  COLORREF m_cr3dHighlight;
  COLORREF m_cr3dShadow;
  HFONT m_hMenuFont;
  int m_nIconWidth;
  int m_nIconHeight;
  COLORREF m_crMenuText;
  COLORREF m_crHighlightText;
  COLORREF m_crHighlight;
  COLORREF m_crGrayText;
  CImageList m_ilIcons;
  CImageList m_ilCheck;
  std::vector<CItemRecord*> m_vecItems;
  std::map<int, int> m_mapCommandToImage;

 private:
  CtqCoolMenu(const CtqCoolMenu&) = delete;
  CtqCoolMenu& operator=(const CtqCoolMenu&) = delete;
};

// The plain owner-drawn menu.
class CtqStandardCoolMenu : public CtqCoolMenu {};

// An owner-drawn menu that converts the given menu at once (a tree's context menu while it is up).
class CtqPopupCoolMenu : public CtqStandardCoolMenu {
 public:
  explicit CtqPopupCoolMenu(CMenu* pMenu);
};

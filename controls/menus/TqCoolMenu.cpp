#include "menus/TqCoolMenu.h"

#include <algorithm>

#include "ControlsResource.h"
#include "small/ScreenDC.h"

namespace {

const int kCheckSize = 19;       // the check image
const int kTextGap = 4;          // between the icon column and the text
const int kRightMargin = 8;      // between the accelerator and the item's right edge
const int kSeparatorInset = 2;   // the etched line's inset at both ends
const int kExtraWidth = 17;      // what a command is wider than its text and icon column

// Depth of the ConvertMenu calls under way (1: the menu the caller gave), for the whole process.
int g_nConvertDepth = 0;

struct DepthCount {
  DepthCount() { ++g_nConvertDepth; }
  ~DepthCount() { --g_nConvertDepth; }
};

CString MenuString(CMenu* pMenu, UINT nPosition) {
  const int nLength = pMenu->GetMenuString(nPosition, NULL, 0, MF_BYPOSITION);
  CString strText;
  const int nBuffer = 2 * nLength + 2;
  pMenu->GetMenuString(nPosition, strText.GetBuffer(nBuffer), nBuffer, MF_BYPOSITION);
  strText.ReleaseBuffer();
  return strText;
}

}  // namespace

CtqCoolMenu::CtqCoolMenu()
    : m_crMenu(::GetSysColor(COLOR_MENU)),
      m_crBtnFace(::GetSysColor(COLOR_BTNFACE)),
      m_cr3dHighlight(::GetSysColor(COLOR_BTNHIGHLIGHT)),
      m_cr3dShadow(::GetSysColor(COLOR_BTNSHADOW)),
      m_hMenuFont(NULL),
      m_nIconWidth(20),
      m_nIconHeight(20),
      m_crMenuText(::GetSysColor(COLOR_MENUTEXT)),
      m_crHighlightText(::GetSysColor(COLOR_HIGHLIGHTTEXT)),
      m_crHighlight(::GetSysColor(COLOR_HIGHLIGHT)),
      m_crGrayText(::GetSysColor(COLOR_GRAYTEXT)) {
  NONCLIENTMETRICS metrics;
  metrics.cbSize = sizeof metrics;
  if (::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0))
    m_hMenuFont = ::CreateFontIndirect(&metrics.lfMenuFont);

  m_ilIcons.Create(m_nIconWidth, m_nIconHeight, ILC_MASK | ILC_COLOR4, 0, 1);

  // The check mark's greys become the 3-D colours of the moment; its face is masked away.
  COLORMAP colours[] = {
      {RGB(128, 128, 128), m_cr3dShadow},
      {RGB(192, 192, 192), m_crBtnFace},
      {RGB(255, 255, 255), m_cr3dHighlight},
  };
  const HINSTANCE hResources = AfxFindResourceHandle(MAKEINTRESOURCE(IDB_TQ_MENU_CHECK), RT_BITMAP);
  CBitmap bmCheck;
  if (bmCheck.Attach(::CreateMappedBitmap(hResources, IDB_TQ_MENU_CHECK, 0, colours, 3)) &&
      m_ilCheck.Create(kCheckSize, kCheckSize, ILC_MASK | ILC_COLOR4, 1, 1))
    m_ilCheck.Add(&bmCheck, m_crBtnFace);
}

CtqCoolMenu::~CtqCoolMenu() {
  for (CItemRecord* pRecord : m_vecItems) delete pRecord;
  m_vecItems.clear();
  if (m_hMenuFont != NULL) ::DeleteObject(m_hMenuFont);
  m_mapCommandToImage.clear();
  m_ilIcons.DeleteImageList();
  m_ilCheck.DeleteImageList();
}

// An earlier record of the same id stays: a menu item may still point at it (two items of one
// command), and it goes with the others when the menu object does.
CtqCoolMenu::CItemRecord* CtqCoolMenu::AddItemRecord(const CString& strText, int nID) {
  auto* pRecord = new CItemRecord;
  pRecord->m_nID = nID;
  pRecord->m_strText = strText;
  pRecord->m_nImage = nID;
  if (nID > 0) {
    const auto it = m_mapCommandToImage.find(nID);
    pRecord->m_nImage = it != m_mapCommandToImage.end() ? it->second : -1;
  }
  m_vecItems.push_back(pRecord);
  return pRecord;
}

void CtqCoolMenu::ConvertMenu(CMenu* pMenu) {
  DepthCount depth;
  for (int nPos = static_cast<int>(pMenu->GetMenuItemCount()) - 1; nPos >= 0; --nPos) {
    const UINT nPosition = static_cast<UINT>(nPos);
    const UINT nID = pMenu->GetMenuItemID(nPos);
    if (nID == static_cast<UINT>(-1)) {
      // A submenu entry. It keeps its submenu: an owner-drawn entry made without MF_POPUP would
      // take the submenu with it (in the tree, the very popup about to be tracked).
      CMenu* pSubMenu = pMenu->GetSubMenu(nPos);
      if (pSubMenu == NULL) continue;
      ConvertMenu(pSubMenu);
      const CString strText = MenuString(pMenu, nPosition);
      if (strText.IsEmpty()) continue;
      CItemRecord* pRecord = AddItemRecord(strText, g_nConvertDepth == 1 ? kTopSubmenuEntry : kSubmenuEntry);
      pMenu->ModifyMenu(nPosition, MF_BYPOSITION | MF_OWNERDRAW | MF_POPUP,
                        reinterpret_cast<UINT_PTR>(pSubMenu->m_hMenu), reinterpret_cast<LPCTSTR>(pRecord));
      continue;
    }
    const UINT nState = pMenu->GetMenuState(nPosition, MF_BYPOSITION);
    if (nState & (MF_OWNERDRAW | MF_BITMAP)) continue;
    CItemRecord* pRecord = nID == 0 ? AddItemRecord(CString(), kSeparator)
                                    : AddItemRecord(MenuString(pMenu, nPosition), static_cast<int>(nID));
    pMenu->ModifyMenu(nPosition, nState | MF_BYPOSITION | MF_OWNERDRAW, nID, reinterpret_cast<LPCTSTR>(pRecord));
  }
}

// Items left alone carry data of their own: only this menu's records are taken.
CtqCoolMenu::CItemRecord* CtqCoolMenu::RecordOf(ULONG_PTR itemData) const {
  const auto it = std::find(m_vecItems.begin(), m_vecItems.end(), reinterpret_cast<CItemRecord*>(itemData));
  return it != m_vecItems.end() ? *it : NULL;
}

bool CtqCoolMenu::MeasureItem(MEASUREITEMSTRUCT* pMeasureItem) {
  if (pMeasureItem->CtlType != ODT_MENU) return false;
  if (pMeasureItem->itemData == 0) return true;
  const CItemRecord* pRecord = RecordOf(pMeasureItem->itemData);
  if (pRecord == NULL) return false;
  if (pRecord->m_nID == kSeparator) {
    pMeasureItem->itemWidth = 10;
    pMeasureItem->itemHeight = 6;
    return true;
  }
  if (pRecord->m_strText.IsEmpty()) {
    pMeasureItem->itemWidth = 100;
    pMeasureItem->itemHeight = m_nIconHeight + 5;
    return true;
  }
  // The text is measured where the menu will show: on the main window (the screen without one).
  CWnd* pMainWnd = AfxGetMainWnd();
  CClientDC dcWindow(pMainWnd);
  CFont* pOldFont = dcWindow.SelectObject(CFont::FromHandle(m_hMenuFont));
  if (pRecord->m_nID == kTopSubmenuEntry) {
    CRect rcText(0, 0, 0, 0);
    dcWindow.DrawText(pRecord->m_strText, rcText, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    pMeasureItem->itemWidth = static_cast<UINT>(rcText.Width());
    pMeasureItem->itemHeight = static_cast<UINT>(rcText.Height());
  } else {
    const CSize size = dcWindow.GetTabbedTextExtent(pRecord->m_strText, 0, NULL);
    const int nHeight = std::max(m_nIconHeight + 5, static_cast<int>(size.cy));
    pMeasureItem->itemHeight = static_cast<UINT>(nHeight);
    pMeasureItem->itemWidth = static_cast<UINT>(size.cx + kExtraWidth + std::max(nHeight, m_nIconWidth));
  }
  dcWindow.SelectObject(pOldFont);
  return true;
}

bool CtqCoolMenu::DrawItem(DRAWITEMSTRUCT* pDrawItem) {
  if (pDrawItem->CtlType != ODT_MENU) return false;
  if (pDrawItem->itemData == 0) return true;
  const CItemRecord* pRecord = RecordOf(pDrawItem->itemData);
  if (pRecord == NULL) return false;
  CDC* pDC = CDC::FromHandle(pDrawItem->hDC);
  CFont* pOldFont = pDC->SelectObject(CFont::FromHandle(m_hMenuFont));
  const bool bEnabled = (pDrawItem->itemState & ODS_DISABLED) == 0;
  const bool bSelected = (pDrawItem->itemState & ODS_SELECTED) != 0;
  const bool bChecked = (pDrawItem->itemState & ODS_CHECKED) != 0;
  const CRect rcItem(pDrawItem->rcItem);
  const COLORREF crOldText = pDC->GetTextColor();
  const int nOldMode = pDC->SetBkMode(TRANSPARENT);
  if (pRecord->m_nID == kSeparator)
    DrawSeparator(pDC, rcItem);
  else if (pRecord->m_nID == kTopSubmenuEntry)
    DrawTopEntry(pDC, rcItem, *pRecord, bSelected, bEnabled);
  else
    DrawCommand(pDC, rcItem, *pRecord, bSelected, bEnabled, bChecked);
  pDC->SetBkMode(nOldMode);
  pDC->SetTextColor(crOldText);
  pDC->SelectObject(pOldFont);
  return true;
}

void CtqCoolMenu::DrawSeparator(CDC* pDC, const CRect& rcItem) {
  const int y = (rcItem.top + rcItem.bottom) / 2 - 1;
  CPen penShadow(PS_SOLID, 1, m_cr3dShadow);
  CPen penHighlight(PS_SOLID, 1, m_cr3dHighlight);
  CPen* pOldPen = pDC->SelectObject(&penShadow);
  pDC->MoveTo(rcItem.left + kSeparatorInset, y);
  pDC->LineTo(rcItem.right - kSeparatorInset, y);
  pDC->SelectObject(&penHighlight);
  pDC->MoveTo(rcItem.left + kSeparatorInset, y + 1);
  pDC->LineTo(rcItem.right - kSeparatorInset, y + 1);
  pDC->SelectObject(pOldPen);
}

// A first-level submenu entry looks like a menu-bar entry: pressed in when selected.
void CtqCoolMenu::DrawTopEntry(CDC* pDC, const CRect& rcItem, const CItemRecord& record, bool bSelected,
                               bool bEnabled) {
  CBrush brMenu(m_crMenu);
  pDC->FillRect(rcItem, &brMenu);
  CRect rcText = rcItem;
  if (bSelected && bEnabled) {
    pDC->Draw3dRect(rcItem, m_cr3dShadow, m_cr3dHighlight);
    rcText.OffsetRect(2, 1);
  }
  pDC->SetTextColor(m_crMenuText);
  pDC->DrawText(record.m_strText, rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CtqCoolMenu::DrawCommand(CDC* pDC, const CRect& rcItem, const CItemRecord& record, bool bSelected,
                              bool bEnabled, bool bChecked) {
  const CRect rcIcon(CPoint(rcItem.left, rcItem.top + (rcItem.Height() - m_nIconHeight) / 2),
                     CSize(m_nIconWidth, m_nIconHeight));
  const bool bIconColumn = record.m_nImage >= 0 || bChecked;
  CRect rcBack = rcItem;
  if (bIconColumn) {
    CBrush brMenu(m_crMenu);
    pDC->FillRect(CRect(rcItem.left, rcItem.top, rcItem.left + m_nIconWidth, rcItem.bottom), &brMenu);
    rcBack.left += m_nIconWidth;
  }
  CBrush brBack(bSelected ? m_crHighlight : m_crMenu);
  pDC->FillRect(rcBack, &brBack);

  if (record.m_nImage >= 0) {
    if (bEnabled)
      m_ilIcons.Draw(pDC, record.m_nImage, rcIcon.TopLeft(), ILD_TRANSPARENT);
    else
      DrawGreyedIcon(pDC, record.m_nImage, rcIcon.TopLeft());
    if (bChecked) pDC->Draw3dRect(rcIcon, m_cr3dShadow, m_cr3dHighlight);
  } else if (bChecked) {
    m_ilCheck.Draw(pDC, 0, rcIcon.TopLeft(), ILD_TRANSPARENT);
  }

  // The part before the first tab at the left, the accelerator after it at the right.
  const CRect rcText(rcItem.left + m_nIconWidth + kTextGap, rcItem.top, rcItem.right - kRightMargin, rcItem.bottom);
  const int nTab = record.m_strText.Find('\t');
  DrawMenuText(pDC, rcText, nTab < 0 ? record.m_strText : record.m_strText.Left(nTab), DT_LEFT, bSelected, bEnabled);
  if (nTab >= 0) DrawMenuText(pDC, rcText, record.m_strText.Mid(nTab + 1), DT_RIGHT, bSelected, bEnabled);
}

// The image's shape in the shadow colour, as the platform greys a disabled command's icon.
void CtqCoolMenu::DrawGreyedIcon(CDC* pDC, int nImage, CPoint ptAt) {
  CDC dcMask;
  CBitmap bmMask;
  if (!dcMask.CreateCompatibleDC(pDC) || !bmMask.CreateCompatibleBitmap(pDC, m_nIconWidth, m_nIconHeight)) return;
  CBitmap* pOldBitmap = dcMask.SelectObject(&bmMask);
  m_ilIcons.Draw(&dcMask, nImage, CPoint(0, 0), ILD_MASK);
  for (int y = 0; y < m_nIconHeight; ++y)
    for (int x = 0; x < m_nIconWidth; ++x)
      if (dcMask.GetPixel(x, y) == RGB(0, 0, 0)) pDC->SetPixel(ptAt.x + x, ptAt.y + y, m_cr3dShadow);
  dcMask.SelectObject(pOldBitmap);
}

// Highlighted text when selected, menu text otherwise. A disabled item that is not selected is
// embossed: the highlight one pixel right and below, the grey text over it; selected, it is drawn
// in the menu's background colour.
void CtqCoolMenu::DrawMenuText(CDC* pDC, const CRect& rcText, const CString& strText, UINT nAlignment,
                               bool bSelected, bool bEnabled) {
  const UINT nFormat = nAlignment | DT_VCENTER | DT_SINGLELINE;
  if (!bEnabled && !bSelected) {
    pDC->SetTextColor(m_cr3dHighlight);
    CRect rcRaised = rcText;
    rcRaised.OffsetRect(1, 1);
    pDC->DrawText(strText, rcRaised, nFormat);
    pDC->SetTextColor(m_crGrayText);
  } else if (!bEnabled) {
    pDC->SetTextColor(m_crMenu);
  } else {
    pDC->SetTextColor(bSelected ? m_crHighlightText : m_crMenuText);
  }
  CRect rcDraw = rcText;
  pDC->DrawText(strText, rcDraw, nFormat);
}

CtqPopupCoolMenu::CtqPopupCoolMenu(CMenu* pMenu) { ConvertMenu(pMenu); }

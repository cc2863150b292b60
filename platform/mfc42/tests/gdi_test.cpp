// MFC's GDI classes and DCs: objects and their handle maps, selection, the drawing helpers of CDC,
// point fonts, bitmaps along the resource chain, and painting through a window's message map.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "resource.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_canvas.h"

namespace {

using Counts = std::map<std::string, int>;
using sandbox::testing::Canvas;

constexpr COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255),
                   kGreen = RGB(0, 255, 0);

TEST(GdiObjects, OwnTheirHandleAndTemporaryWrappersDoNot) {
  {
    CBrush brush(kRed);
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, kBlue));
    EXPECT_EQ(CGdiObject::FromHandle(brush.m_hObject), &brush) << "permanent: the object itself";
    EXPECT_EQ(sandbox::GdiObjects(), (Counts{{"Brush", 1}, {"Pen", 1}}));
  }
  EXPECT_EQ(sandbox::GdiObjects(), Counts{}) << "each object deleted its handle";

  HBRUSH raw = CreateSolidBrush(kGreen);
  CGdiObject* wrapper = CGdiObject::FromHandle(raw);
  EXPECT_TRUE(wrapper->IsKindOf(RUNTIME_CLASS(CBrush))) << "a wrapper of the object's own class";
  EXPECT_EQ(CBrush::FromHandle(raw), wrapper) << "one wrapper per handle until idle time";
  CGdiObject::DeleteTempMap();
  EXPECT_EQ(sandbox::GdiObjects(), (Counts{{"Brush", 1}})) << "a temporary wrapper leaves the handle alone";
  DeleteObject(raw);
}

TEST(CDC, SelectionAnswersThePreviousObjectAndTheDCGoesWithItsObject) {
  {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(4, 4, 1, 32, NULL));
    CBitmap* old = dc.SelectObject(&bitmap);
    ASSERT_NE(old, nullptr);
    EXPECT_TRUE(old->IsKindOf(RUNTIME_CLASS(CBitmap)));
    EXPECT_EQ(dc.GetCurrentBitmap(), &bitmap);
    EXPECT_EQ(dc.SelectObject(old), &bitmap);
    CFont* font = dc.GetCurrentFont();
    EXPECT_EQ(font->m_hObject, GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(CDC::FromHandle(dc.m_hDC), &dc);
  }
  CGdiObject::DeleteTempMap();
  EXPECT_EQ(sandbox::GdiObjects(), Counts{});
}

TEST(CDC, FillSolidRectAndDraw3dRectPaintThroughTheBackgroundColour) {
  Canvas canvas(5, 4, false, kWhite);
  CDC* dc = CDC::FromHandle(canvas.dc());
  dc->Draw3dRect(0, 0, 4, 3, kRed, kBlue);
  EXPECT_EQ(canvas.Mask(kRed), (std::vector<std::string>{"###..", "#....", ".....", "....."}));
  EXPECT_EQ(canvas.Mask(kBlue), (std::vector<std::string>{"...#.", "...#.", "####.", "....."}));
  EXPECT_EQ(dc->GetBkColor(), kBlue) << "the background colour stays at the last colour filled";
  const CRect corner(4, 3, 5, 4);
  dc->FillSolidRect(&corner, kGreen);
  EXPECT_EQ(canvas.At(4, 3), kGreen);
  CDC::DeleteTempMap();
}

TEST(CFont, PointFontsTurnTenthsOfAPointIntoPixelsAtNinetySixPerInch) {
  struct Row {
    int tenths;
    LONG height;
  } rows[] = {{100, -13}, {80, -10}, {120, -16}, {240, -32}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.tenths);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(row.tenths, "Unifont"));
    LOGFONT log{};
    font.GetLogFont(&log);
    EXPECT_EQ(log.lfHeight, row.height);
    EXPECT_STREQ(log.lfFaceName, "Unifont");
    LOGFONT given{};
    given.lfHeight = row.tenths;
    given.lfUnderline = TRUE;
    CFont indirect;
    ASSERT_TRUE(indirect.CreatePointFontIndirect(&given));
    indirect.GetLogFont(&log);
    EXPECT_EQ(log.lfHeight, row.height);
    EXPECT_TRUE(log.lfUnderline);
  }
  EXPECT_EQ(sandbox::GdiObjects(), Counts{}) << "the screen DC borrowed for the conversion is released";
}

TEST(CBitmap, LoadBitmapFindsTheModuleAlongTheResourceChain) {
  AfxSetResourceHandle(GetModuleHandle("MfcResMod.dll"));  // it has no bitmaps
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.LoadBitmap(IDB_RED));
  BITMAP bm{};
  bitmap.GetBitmap(&bm);
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(sandbox::BitmapPicture(bitmap.m_hObject).At(0, 0), kRed);
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(IDB_RED), RT_BITMAP), GetModuleHandle(NULL));
  CBitmap missing;
  EXPECT_FALSE(missing.LoadBitmap(IDB_RED + 1));
  EXPECT_EQ(missing.m_hObject, nullptr);
}

// Paints its client area blue through CPaintDC; erases in green itself.
class CPaintedWnd : public CWnd {
 public:
  int paints = 0, erasures = 0;
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    ++paints;
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(1, 1);
    dc.FillSolidRect(&client, kBlue);
  }
  afx_msg BOOL OnEraseBkgnd(CDC* pDC) {
    ++erasures;
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, kGreen);
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintedWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST(CWndPainting, TheMessageMapPaintsAndErases) {
  CPaintedWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 0, 0, 6, 4, NULL, NULL));
  wnd.UpdateWindow();
  EXPECT_EQ(wnd.paints, 1);
  EXPECT_EQ(wnd.erasures, 1);
  const sandbox::Picture picture = sandbox::WindowPicture(wnd.m_hWnd);
  EXPECT_EQ(picture.At(0, 0), kGreen);
  EXPECT_EQ(picture.At(2, 2), kBlue);
  wnd.Invalidate(FALSE);
  wnd.UpdateWindow();
  EXPECT_EQ(wnd.paints, 2);
  EXPECT_EQ(wnd.erasures, 1) << "no erasing asked";

  CClientDC client(&wnd);
  client.SetPixel(0, 0, kRed);
  CDC* temporary = wnd.GetDC();
  EXPECT_EQ(temporary->GetPixel(0, 0), kRed);
  EXPECT_EQ(wnd.ReleaseDC(temporary), 1);
  wnd.SetRedraw(FALSE);
  wnd.Invalidate();
  wnd.UpdateWindow();
  EXPECT_EQ(wnd.paints, 2) << "redrawing off";
  wnd.SetRedraw(TRUE);
  wnd.RedrawWindow();
  EXPECT_EQ(wnd.paints, 3);
  wnd.DestroyWindow();
  CDC::DeleteTempMap();
}

}  // namespace

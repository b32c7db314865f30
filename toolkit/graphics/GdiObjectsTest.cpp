// Fonts, pens, brushes and colours: properties, change notification and handle ownership.
#include "toolkit/graphics/Canvas.h"
#include "toolkit/graphics/GdiTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(Colors, SystemColoursResolveThroughGetSysColor) {
  struct Case {
    TColor color;
    int index;
  };
  const Case cases[] = {{clScrollBar, COLOR_SCROLLBAR}, {clWindow, COLOR_WINDOW},
                        {clWindowText, COLOR_WINDOWTEXT}, {clBtnFace, COLOR_BTNFACE},
                        {clBtnShadow, COLOR_BTNSHADOW}, {clHighlight, COLOR_HIGHLIGHT},
                        {clBtnHighlight, COLOR_BTNHIGHLIGHT}, {clInfoBk, COLOR_INFOBK},
                        {clMenuBar, COLOR_MENUBAR}};
  for (const Case& c : cases) {
    EXPECT_LT(c.color, 0);
    EXPECT_EQ(c.color & 0xFF, c.index);
    EXPECT_EQ(ColorToRGB(c.color), static_cast<std::int32_t>(GetSysColor(c.index)));
  }
  EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(ColorToRGB(clFuchsia), 0xFF00FF);
  EXPECT_EQ(ColorToRGB(clNone), 0x1FFFFFFF);
  EXPECT_EQ(clRed, static_cast<TColor>(RGB(255, 0, 0)));
  EXPECT_EQ(clNavy, static_cast<TColor>(RGB(0, 0, 128)));
}

TEST(Font, SizeAndHeightFollowThePixelsPerInch) {
  TFont f;
  EXPECT_EQ(f.Name(), "MS Sans Serif");
  EXPECT_EQ(f.Size(), 8);
  EXPECT_EQ(f.Color(), clWindowText);
  EXPECT_EQ(f.Charset(), DEFAULT_CHARSET);
  f.SetPixelsPerInch(96);
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -16);
  f.SetHeight(-24);
  EXPECT_EQ(f.Size(), 18);
}

TEST(Font, HandleDescribesTheFontAndIsReplacedOnChange) {
  TFont f;
  f.SetName("Tahoma");
  f.SetHeight(-20);
  f.SetStyle(fsBold | fsItalic);
  f.SetCharset(ANSI_CHARSET);
  HFONT h = f.Handle();
  ASSERT_TRUE(h);
  EXPECT_EQ(f.Handle(), h);  // kept until something changes
  LOGFONTA lf{};
  ASSERT_EQ(GetObjectA(h, sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
  EXPECT_STREQ(lf.lfFaceName, "Tahoma");
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_TRUE(lf.lfItalic);
  EXPECT_FALSE(lf.lfUnderline);
  EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);

  f.SetStyle(fsUnderline);
  EXPECT_EQ(GetObjectType(h), 0u);  // the old handle is gone
  ASSERT_EQ(GetObjectA(f.Handle(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_TRUE(lf.lfUnderline);
}

TEST(Font, SetHandleTakesOwnershipAndReadsTheDescription) {
  LOGFONTA lf{};
  lf.lfHeight = -13;
  lf.lfWeight = FW_BOLD;
  lf.lfStrikeOut = 1;
  lstrcpyA(lf.lfFaceName, "Courier New");
  HFONT h = CreateFontIndirectA(&lf);
  {
    TFont f;
    f.SetHandle(h);
    EXPECT_EQ(f.Handle(), h);
    EXPECT_EQ(f.Name(), "Courier New");
    EXPECT_EQ(f.Height(), -13);
    EXPECT_EQ(f.Style(), fsBold | fsStrikeOut);
  }
  EXPECT_EQ(GetObjectType(h), 0u);
}

TEST(GraphicsObjects, OnChangeFiresOncePerRealChange) {
  TFont f;
  TPen p;
  TBrush b;
  int fonts = 0, pens = 0, brushes = 0;
  f.OnChange = [&](TObject* s) { fonts += s == &f; };  // a plain TNotifyEvent handler
  p.OnChange = [&](TGraphicsObject* s) { pens += s == &p; };
  b.OnChange = [&](TGraphicsObject* s) { brushes += s == &b; };
  f.SetName("Arial");
  f.SetName("Arial");
  f.SetColor(clRed);
  f.SetStyle(fsBold);
  f.SetSize(f.Size());
  TFont other;
  f.Assign(other);
  EXPECT_EQ(fonts, 4);
  EXPECT_EQ(f.Name(), other.Name());
  EXPECT_EQ(f.Style(), 0);

  p.SetColor(clRed);
  p.SetWidth(3);
  p.SetWidth(3);
  p.SetStyle(psDot);
  p.SetMode(pmXor);
  EXPECT_EQ(pens, 4);

  b.SetColor(clRed);
  b.SetStyle(bsClear);
  b.SetColor(clRed);  // a colour makes a clear brush solid again
  EXPECT_EQ(b.Style(), bsSolid);
  EXPECT_EQ(brushes, 3);
}

TEST(GraphicsObjects, PenAndBrushHandlesMatchTheirProperties) {
  TPen p;
  p.SetColor(clBlue);
  p.SetWidth(4);
  p.SetStyle(psInsideFrame);
  LOGPEN lp{};
  ASSERT_EQ(GetObjectA(p.Handle(), sizeof(lp), &lp), static_cast<int>(sizeof(lp)));
  EXPECT_EQ(lp.lopnColor, static_cast<COLORREF>(clBlue));
  EXPECT_EQ(lp.lopnWidth.x, 4);
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_INSIDEFRAME));

  TBrush b;
  b.SetColor(clBtnFace);
  b.SetStyle(bsDiagCross);
  LOGBRUSH lb{};
  ASSERT_EQ(GetObjectA(b.Handle(), sizeof(lb), &lb), static_cast<int>(sizeof(lb)));
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_HATCHED));
  EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_DIAGCROSS));
  EXPECT_EQ(lb.lbColor, static_cast<COLORREF>(ColorToRGB(clBtnFace)));

  TBrush copy;
  copy.SetHandle(CreateSolidBrush(RGB(1, 2, 3)));
  EXPECT_EQ(copy.Color(), static_cast<TColor>(RGB(1, 2, 3)));
  EXPECT_EQ(copy.Style(), bsSolid);
}

// A font changed while a canvas has it selected: the canvas keeps the old handle alive until it
// lets go of it, and the next drawing selects the new one.
TEST(GraphicsObjects, HandleReplacedWhileSelectedLivesUntilDeselected) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ original = GetCurrentObject(dc, OBJ_FONT);
  TCanvas c;
  c.SetHandle(dc);
  c.TextExtent("x");
  HFONT first = c.Font()->Handle();
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), first);
  c.Font()->SetSize(20);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), original);
  EXPECT_EQ(GetObjectType(first), 0u);
  c.TextExtent("x");
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), c.Font()->Handle());
  c.SetHandle(nullptr);
  DeleteDC(dc);
}

// Many create, draw and free cycles leave no GDI object behind.
TEST(GraphicsObjects, NoHandleLeakOverManyCycles) {
  HDC dc = CreateCompatibleDC(nullptr);
  auto cycle = [dc](int i) {
    TCanvas c;
    c.SetHandle(dc);
    c.Font()->SetSize(8 + i % 5);
    c.Pen()->SetWidth(1 + i % 3);
    c.Brush()->SetColor(static_cast<TColor>(i & 0xFFFFFF));
    c.Rectangle(0, 0, 2, 2);
    c.TextOut(0, 0, "a");
    c.Font()->SetStyle(fsBold);
    c.Brush()->SetStyle(bsCross);
    c.Rectangle(0, 0, 2, 2);
    c.TextOut(0, 0, "b");
    TFont f;
    f.Handle();
    TPen p;
    p.Handle();
    TBrush b;
    b.Handle();
  };
  cycle(0);
  const int before = FreeGdiHandles();
  HFONT probe = nullptr;
  for (int i = 0; i < 5000; ++i) cycle(i);
  {
    TFont f;
    probe = f.Handle();
  }
  EXPECT_EQ(GetObjectType(probe), 0u);
  EXPECT_EQ(FreeGdiHandles(), before);
  DeleteDC(dc);
}

}  // namespace

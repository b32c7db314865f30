// Canvas drawing on a 32-bit DIB section, checked pixel by pixel.
#include "toolkit/graphics/Canvas.h"

#include "toolkit/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// A memory DC with a top-down 32-bit DIB selected, white at the start.
class Surface {
 public:
  Surface(int w, int h) : FWidth(w) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    FDc.reset(CreateCompatibleDC(nullptr));
    FBitmap.reset(CreateDIBSection(FDc.get(), &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0));
    FOld = SelectObject(FDc.get(), FBitmap.get());
    RECT all{0, 0, w, h};
    ::FillRect(FDc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~Surface() { SelectObject(FDc.get(), FOld); }
  HDC Dc() const { return FDc.get(); }
  // The pixel as a TColor (red in the low byte).
  TColor At(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = FBits[y * FWidth + x];
    return static_cast<TColor>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
  }

 private:
  int FWidth;
  detail::MemoryDc FDc;
  detail::GdiObject<HBITMAP> FBitmap;
  HGDIOBJ FOld = nullptr;
  std::uint32_t* FBits = nullptr;
};

TEST(Canvas, FillsFramesAndOutlinesWithBrushAndPen) {
  Surface s(40, 40);
  TCanvas c;
  c.SetHandle(s.Dc());
  c.Brush()->SetColor(clRed);
  c.FillRect(Rect(2, 2, 10, 10));
  EXPECT_EQ(s.At(2, 2), clRed);
  EXPECT_EQ(s.At(9, 9), clRed);
  EXPECT_EQ(s.At(10, 10), clWhite);  // right and bottom edges are outside

  c.Brush()->SetColor(clBlue);
  c.FrameRect(Rect(12, 2, 20, 10));
  EXPECT_EQ(s.At(12, 5), clBlue);
  EXPECT_EQ(s.At(19, 9), clBlue);
  EXPECT_EQ(s.At(15, 5), clWhite);

  c.Pen()->SetColor(clLime);
  c.Brush()->SetColor(clYellow);
  c.Rectangle(Rect(2, 12, 12, 22));
  EXPECT_EQ(s.At(2, 12), clLime);
  EXPECT_EQ(s.At(11, 21), clLime);
  EXPECT_EQ(s.At(6, 16), clYellow);

  // A clear brush leaves the inside alone.
  c.Brush()->SetStyle(bsClear);
  c.Pen()->SetColor(clNavy);
  c.Rectangle(22, 12, 32, 22);
  EXPECT_EQ(s.At(22, 15), clNavy);
  EXPECT_EQ(s.At(27, 17), clWhite);
  c.SetHandle(nullptr);
}

TEST(Canvas, FocusRectIsDottedAndUndoneByASecondCall) {
  Surface s(12, 12);
  TCanvas c;
  c.SetHandle(s.Dc());
  c.DrawFocusRect(Rect(1, 1, 11, 11));
  int changed = 0;
  for (int x = 1; x < 11; ++x) changed += s.At(x, 1) != clWhite;
  EXPECT_GE(changed, 4);
  EXPECT_LE(changed, 6);  // every other pixel
  EXPECT_EQ(s.At(5, 5), clWhite);
  c.DrawFocusRect(Rect(1, 1, 11, 11));
  for (int x = 1; x < 11; ++x) EXPECT_EQ(s.At(x, 1), clWhite);
  c.SetHandle(nullptr);
}

TEST(Canvas, DrawsEllipsePolygonAndLines) {
  Surface s(40, 40);
  TCanvas c;
  c.SetHandle(s.Dc());
  c.Pen()->SetColor(clBlack);
  c.Brush()->SetColor(clGreen);
  c.Ellipse(0, 0, 20, 20);
  EXPECT_EQ(s.At(10, 10), clGreen);
  EXPECT_EQ(s.At(1, 1), clWhite);  // corners stay outside the ellipse
  EXPECT_EQ(s.At(10, 0), clBlack);

  c.Pen()->SetStyle(psClear);
  c.Brush()->SetColor(clMaroon);
  c.Polygon({Point(20, 20), Point(39, 20), Point(39, 39)});
  EXPECT_EQ(s.At(35, 25), clMaroon);
  EXPECT_EQ(s.At(22, 37), clWhite);

  c.Pen()->SetStyle(psSolid);
  c.Pen()->SetColor(clPurple);
  c.MoveTo(0, 30);
  c.LineTo(15, 30);
  EXPECT_EQ(s.At(0, 30), clPurple);
  EXPECT_EQ(s.At(14, 30), clPurple);
  EXPECT_EQ(s.At(15, 30), clWhite);  // the end point is not drawn
  EXPECT_EQ(c.PenPos().x, 15);
  EXPECT_EQ(c.PenPos().y, 30);
  c.SetHandle(nullptr);
}

TEST(Canvas, PixelsReadAndWrite) {
  Surface s(8, 8);
  TCanvas c;
  c.SetHandle(s.Dc());
  c.SetPixels(3, 4, clTeal);
  EXPECT_EQ(s.At(3, 4), clTeal);
  EXPECT_EQ(c.Pixels(3, 4), clTeal);
  c.SetPixels(5, 5, clBtnFace);  // system colours are resolved first
  EXPECT_EQ(c.Pixels(5, 5), ColorToRGB(clBtnFace));
  c.SetHandle(nullptr);
}

TEST(Canvas, TextOutUsesFontColourAndMovesPen) {
  Surface s(120, 40);
  TCanvas c;
  c.SetHandle(s.Dc());
  c.Font()->SetColor(clRed);
  c.Font()->SetName("Tahoma");
  c.Font()->SetSize(12);
  c.Brush()->SetStyle(bsClear);
  const std::string text = "Ação";
  const TSize size = c.TextExtent(text);
  EXPECT_GT(size.cx, 10);
  EXPECT_GT(size.cy, 10);
  EXPECT_EQ(c.TextWidth(text), size.cx);
  EXPECT_EQ(c.TextHeight(text), size.cy);
  c.TextOut(5, 5, text);
  int red = 0, other = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) {
      const TColor p = s.At(x, y);
      const bool inside = x >= 5 && x < 5 + size.cx && y >= 5 && y < 5 + size.cy;
      if (p == clRed) {
        (inside ? red : other) += 1;
      } else if (p != clWhite && !inside) {
        ++other;
      }
    }
  EXPECT_GT(red, 10);
  EXPECT_EQ(other, 0);
  EXPECT_EQ(c.PenPos().x, 5 + size.cx);

  // A bigger font is wider.
  c.Font()->SetSize(24);
  EXPECT_GT(c.TextWidth(text), size.cx);
  c.SetHandle(nullptr);
}

TEST(Canvas, TextRectClipsAndFillsWithTheBrush) {
  Surface s(100, 30);
  TCanvas c;
  c.SetHandle(s.Dc());
  c.Font()->SetColor(clBlack);
  c.Brush()->SetColor(clAqua);
  const TRect r = Rect(10, 5, 30, 25);
  c.TextRect(r, 12, 6, "WWWWWWWWWWWW");
  int black = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 100; ++x) {
      const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
      const TColor p = s.At(x, y);
      if (!inside) {
        EXPECT_EQ(p, clWhite) << x << "," << y;
      } else if (p == clBlack) {
        ++black;
      }
    }
  EXPECT_EQ(s.At(10, 5), clAqua);  // opaque brush fills the rectangle
  EXPECT_EQ(s.At(29, 24), clAqua);
  EXPECT_GT(black, 5);
  c.SetHandle(nullptr);
}

TEST(Canvas, CopyRectStretchesWithCopyMode) {
  Surface a(10, 10), b(20, 20);
  TCanvas ca, cb;
  ca.SetHandle(a.Dc());
  cb.SetHandle(b.Dc());
  ca.Brush()->SetColor(clRed);
  ca.FillRect(Rect(0, 0, 5, 10));
  cb.CopyRect(Rect(0, 0, 20, 20), &ca, Rect(0, 0, 10, 10));
  EXPECT_EQ(b.At(0, 0), clRed);
  EXPECT_EQ(b.At(9, 19), clRed);
  EXPECT_EQ(b.At(10, 0), clWhite);
  cb.SetCopyMode(cmNotSrcCopy);
  cb.CopyRect(Rect(0, 0, 10, 10), &ca, Rect(0, 0, 10, 10));
  EXPECT_EQ(b.At(0, 0), 0xFFFF00);  // not red
  EXPECT_EQ(b.At(7, 0), clBlack);   // not white
  ca.SetHandle(nullptr);
  cb.SetHandle(nullptr);
}

TEST(Canvas, ChangeEventsAroundDrawing) {
  Surface s(4, 4);
  TCanvas c;
  c.SetHandle(s.Dc());
  std::string log;
  c.OnChanging = [&](TGraphicsObject* sender) { log += sender == &c ? "<" : "?"; };
  c.OnChange = [&](TGraphicsObject* sender) { log += sender == &c ? ">" : "?"; };
  c.FillRect(Rect(0, 0, 2, 2));
  c.SetPixels(3, 3, clBlack);
  EXPECT_EQ(log, "<><>");
  c.SetHandle(nullptr);
}

TEST(Canvas, WithoutHandleRefusesToDraw) {
  TCanvas c;
  EXPECT_FALSE(c.HandleAllocated());
  EXPECT_THROW(c.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(Canvas, LockNests) {
  TCanvas c;
  c.Lock();
  c.Lock();
  EXPECT_EQ(c.LockCount(), 2);
  EXPECT_TRUE(c.TryLock());
  c.Unlock();
  c.Unlock();
  c.Unlock();
  EXPECT_EQ(c.LockCount(), 0);
}

// The DC gets back the objects it had before the canvas selected its own.
TEST(Canvas, ReleasesTheDcAsItFoundIt) {
  Surface s(4, 4);
  HGDIOBJ font = GetCurrentObject(s.Dc(), OBJ_FONT);
  HGDIOBJ pen = GetCurrentObject(s.Dc(), OBJ_PEN);
  HGDIOBJ brush = GetCurrentObject(s.Dc(), OBJ_BRUSH);
  {
    TCanvas c;
    c.SetHandle(s.Dc());
    c.Rectangle(0, 0, 3, 3);
    c.TextOut(0, 0, "x");
    EXPECT_NE(GetCurrentObject(s.Dc(), OBJ_FONT), font);
  }
  EXPECT_EQ(GetCurrentObject(s.Dc(), OBJ_FONT), font);
  EXPECT_EQ(GetCurrentObject(s.Dc(), OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(s.Dc(), OBJ_BRUSH), brush);
}

}  // namespace

#pragma once
// TCanvas: drawing on a device context with a font, pen and brush of its own, which it selects
// into the DC on first use and deselects before the DC goes away or the object changes.
// A plain canvas draws on a DC it is given (SetHandle) and never frees it; canvases that make
// their own DC (a bitmap's, a control's) override CreateHandle.
// OnChanging and OnChange fire around every drawing operation.
#include "toolkit/graphics/Brush.h"
#include "toolkit/graphics/Font.h"
#include "toolkit/graphics/GraphicsTypes.h"
#include "toolkit/graphics/Pen.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class TGraphic;

// Raster operations of CopyRect and of drawing bitmaps.
using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

class TCanvas : public TGraphicsObject {
 public:
  TCanvas();
  ~TCanvas() override;

  // The DC; a canvas without one asks CreateHandle for it, and a drawing call on a canvas
  // that still has none raises an exception.
  HDC Handle();
  // Deselects the objects from the old DC (which the canvas does not free) and takes the new one.
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(*Value); }
  TPen* Pen() const { return FPen.get(); }
  void SetPen(const TPen* Value) { FPen->Assign(*Value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TBrush* Value) { FBrush->Assign(*Value); }

  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }

  // Serialises drawing from several threads; nests.
  void Lock();
  bool TryLock();
  void Unlock();
  int LockCount() const { return FLockCount; }

  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);
  TPoint PenPos();
  void SetPenPos(const TPoint& Value) { MoveTo(Value.x, Value.y); }
  TRect ClipRect();

  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Polyline(const std::vector<TPoint>& Points);
  void Polygon(const std::vector<TPoint>& Points);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& Rect) { Rectangle(Rect.left, Rect.top, Rect.right, Rect.bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& Rect) { Ellipse(Rect.left, Rect.top, Rect.right, Rect.bottom); }
  // Fill with the brush; FrameRect draws a one-pixel border with the brush.
  void FillRect(const TRect& Rect);
  void FrameRect(const TRect& Rect);
  // The dotted focus frame (drawn with XOR: a second call removes it).
  void DrawFocusRect(const TRect& Rect);

  // Writes the text with its top-left corner at (X, Y) and leaves the pen after it.
  void TextOut(int X, int Y, const std::string& Text);
  // Writes the text at (X, Y) clipped to Rect; a non-clear brush fills Rect behind it.
  void TextRect(const TRect& Rect, int X, int Y, const std::string& Text);
  TSize TextExtent(const std::string& Text);
  int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
  int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }

  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const TRect& Rect, TGraphic* Graphic);
  // Copies Source of another canvas into Dest of this one with CopyMode (stretching as needed).
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);

  // Deselects font, pen and brush, so that the next drawing selects them afresh.
  void Refresh();

  TGraphicsNotifyEvent OnChanging;

 protected:
  virtual void CreateHandle() {}
  void Changing();
  // What a drawing call needs before it runs (csHandleValid, csFontValid, ...).
  enum : unsigned { csHandleValid = 1, csFontValid = 2, csPenValid = 4, csBrushValid = 8 };
  void RequiredState(unsigned State);

 private:
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  void DeselectFont();
  void DeselectPen();
  void DeselectBrush();

  HDC FHandle = nullptr;
  unsigned FState = 0;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  // What is selected into the DC, kept alive until deselected, and what it replaced.
  detail::SharedGdiObject<HFONT> FSelectedFont;
  detail::SharedGdiObject<HPEN> FSelectedPen;
  detail::SharedGdiObject<HBRUSH> FSelectedBrush;
  HGDIOBJ FOldFont = nullptr;
  HGDIOBJ FOldPen = nullptr;
  HGDIOBJ FOldBrush = nullptr;
  TCopyMode FCopyMode = cmSrcCopy;
  std::recursive_mutex FLock;
  int FLockCount = 0;
};

namespace detail {
// Lends a DC to a canvas for one scope: locked while drawing, the DC handed back and the canvas
// unlocked on the way out, also when drawing throws.
class CanvasOnDC {
 public:
  CanvasOnDC(TCanvas& Canvas, HDC DC) : canvas_(Canvas) {
    canvas_.Lock();
    canvas_.SetHandle(DC);
  }
  ~CanvasOnDC() {
    canvas_.SetHandle(nullptr);
    canvas_.Unlock();
  }
  CanvasOnDC(const CanvasOnDC&) = delete;
  CanvasOnDC& operator=(const CanvasOnDC&) = delete;

 private:
  TCanvas& canvas_;
};
}  // namespace detail

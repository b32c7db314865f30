#include "toolkit/graphics/Canvas.h"

#include "toolkit/graphics/Graphic.h"

#include "toolkit/rtl/Exceptions.h"

TCanvas::TCanvas() : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  FFont->OnChange = [this](TGraphicsObject*) { DeselectFont(); };
  FPen->OnChange = [this](TGraphicsObject*) { DeselectPen(); };
  FBrush->OnChange = [this](TGraphicsObject*) { DeselectBrush(); };
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::Handle() {
  RequiredState(csHandleValid);
  return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
  if (Value == FHandle) return;
  Refresh();
  FHandle = Value;
  FState = Value ? unsigned(csHandleValid) : 0u;
}

void TCanvas::RequiredState(unsigned State) {
  const unsigned needed = State & ~FState;
  if (!needed) return;
  if (needed & csHandleValid) {
    CreateHandle();
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
    FState |= csHandleValid;
  }
  if (needed & csFontValid) SelectFont();
  if (needed & csPenValid) SelectPen();
  if (needed & csBrushValid) SelectBrush();
}

void TCanvas::SelectFont() {
  FSelectedFont = FFont->SharedHandle();
  HGDIOBJ old = SelectObject(FHandle, FSelectedFont.get());
  if (!FOldFont) FOldFont = old;
  SetTextColor(FHandle, ColorToRGB(FFont->Color()));
  FState |= csFontValid;
}

void TCanvas::SelectPen() {
  FSelectedPen = FPen->SharedHandle();
  HGDIOBJ old = SelectObject(FHandle, FSelectedPen.get());
  if (!FOldPen) FOldPen = old;
  SetROP2(FHandle, FPen->Rop2());
  FState |= csPenValid;
}

void TCanvas::SelectBrush() {
  FSelectedBrush = FBrush->SharedHandle();
  UnrealizeObject(FSelectedBrush.get());
  HGDIOBJ old = SelectObject(FHandle, FSelectedBrush.get());
  if (!FOldBrush) FOldBrush = old;
  const COLORREF color = ColorToRGB(FBrush->Color());
  if (FBrush->Style() == bsSolid) {
    SetBkColor(FHandle, color);
    SetBkMode(FHandle, OPAQUE);
  } else {
    // Hatches and text keep what is behind them.
    SetBkColor(FHandle, ~color & 0xFFFFFF);
    SetBkMode(FHandle, TRANSPARENT);
  }
  FState |= csBrushValid;
}

void TCanvas::DeselectFont() {
  if (FState & csFontValid) SelectObject(FHandle, FOldFont);
  FOldFont = nullptr;
  FSelectedFont.reset();
  FState &= ~csFontValid;
}

void TCanvas::DeselectPen() {
  if (FState & csPenValid) SelectObject(FHandle, FOldPen);
  FOldPen = nullptr;
  FSelectedPen.reset();
  FState &= ~csPenValid;
}

void TCanvas::DeselectBrush() {
  if (FState & csBrushValid) SelectObject(FHandle, FOldBrush);
  FOldBrush = nullptr;
  FSelectedBrush.reset();
  FState &= ~csBrushValid;
}

void TCanvas::Refresh() {
  DeselectFont();
  DeselectPen();
  DeselectBrush();
}

void TCanvas::Lock() {
  FLock.lock();
  ++FLockCount;
}

bool TCanvas::TryLock() {
  if (!FLock.try_lock()) return false;
  ++FLockCount;
  return true;
}

void TCanvas::Unlock() {
  --FLockCount;
  FLock.unlock();
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

TColor TCanvas::Pixels(int X, int Y) {
  RequiredState(csHandleValid);
  return static_cast<TColor>(GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  Changing();
  RequiredState(csHandleValid | csPenValid);
  SetPixel(FHandle, X, Y, ColorToRGB(Value));
  Changed();
}

TPoint TCanvas::PenPos() {
  RequiredState(csHandleValid);
  TPoint p{};
  GetCurrentPositionEx(FHandle, &p);
  return p;
}

TRect TCanvas::ClipRect() {
  RequiredState(csHandleValid);
  TRect r{};
  GetClipBox(FHandle, &r);
  return r;
}

void TCanvas::MoveTo(int X, int Y) {
  RequiredState(csHandleValid);
  MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::LineTo(FHandle, X, Y);
  Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Polyline(FHandle, Points.data(), static_cast<int>(Points.size()));
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Polygon(FHandle, Points.data(), static_cast<int>(Points.size()));
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Rectangle(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Ellipse(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::FillRect(const TRect& Rect) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  ::FillRect(FHandle, &Rect, FSelectedBrush.get());
  Changed();
}

void TCanvas::FrameRect(const TRect& Rect) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  ::FrameRect(FHandle, &Rect, FSelectedBrush.get());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  ::DrawFocusRect(FHandle, &Rect);
  Changed();
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  Changing();
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  ExtTextOutA(FHandle, X, Y, 0, nullptr, Text.data(), static_cast<UINT>(Text.size()), nullptr);
  MoveTo(X + TextWidth(Text), Y);
  Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const std::string& Text) {
  Changing();
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  UINT options = ETO_CLIPPED;
  if (FBrush->Style() != bsClear) options |= ETO_OPAQUE;
  ExtTextOutA(FHandle, X, Y, options, &Rect, Text.data(), static_cast<UINT>(Text.size()), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const std::string& Text) {
  RequiredState(csHandleValid | csFontValid);
  TSize size{};
  GetTextExtentPoint32A(FHandle, Text.data(), static_cast<int>(Text.size()), &size);
  return size;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  StretchDraw(Bounds(X, Y, Graphic->Width(), Graphic->Height()), Graphic);
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
  if (!Graphic) return;
  Changing();
  RequiredState(csHandleValid);
  Graphic->Draw(*this, Rect);
  Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
  Changing();
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  Canvas->RequiredState(csHandleValid | csBrushValid);
  StretchBlt(FHandle, Dest.left, Dest.top, Dest.right - Dest.left, Dest.bottom - Dest.top, Canvas->FHandle,
             Source.left, Source.top, Source.right - Source.left, Source.bottom - Source.top, FCopyMode);
  Changed();
}

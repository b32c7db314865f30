#include "widgets/Bitmap32_Image.h"

#include "toolkit/ui/Forms.h"

#include <cmath>

namespace {
int RoundEven(double V) { return int(std::nearbyint(V)); }
}  // namespace

// ---- TCustomPaintBox32

TCustomPaintBox32::TCustomPaintBox32(TComponent* AOwner)
    : TCustomControl(AOwner), FBuffer(std::make_unique<TBitmap32>()) {
  SetControlStyle(ControlStyle() | csOpaque);
  SetBounds(Left(), Top(), 192, 192);
}

TCustomPaintBox32::~TCustomPaintBox32() = default;

void TCustomPaintBox32::Invalidate() {
  FBufferValid = false;
  TCustomControl::Invalidate();
}

void TCustomPaintBox32::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  FBufferValid = false;
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomPaintBox32::Resize() {
  FBufferValid = false;
  TCustomControl::Resize();
}

void TCustomPaintBox32::Loaded() {
  FBufferValid = false;
  TCustomControl::Loaded();
}

void TCustomPaintBox32::CreateWnd() {
  FBufferValid = false;
  TCustomControl::CreateWnd();
}

void TCustomPaintBox32::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; return;  // the buffer covers it all
    case WM_GETDLGCODE: Message.Result = (FOptions & pboWantArrowKeys) ? DLGC_WANTARROWS : 0; return;
    default: TCustomControl::WndProc(Message);
  }
}

void TCustomPaintBox32::ResizeBuffer() {
  const TRect Client = ClientRect();
  auto Fit = [this](int Size, int Need) {
    if (Size < Need) return Need + FBufferOversize;
    if (Size > Need + FBufferOversize) return Need;
    return Size;
  };
  const int W = Fit(FBuffer->Width(), Client.right), H = Fit(FBuffer->Height(), Client.bottom);
  if (W != FBuffer->Width() || H != FBuffer->Height()) {
    FBuffer->SetSize(W, H);
    FBufferValid = false;
  }
}

void TCustomPaintBox32::Paint() {
  ResizeBuffer();
  if (FBuffer->Empty()) return;
  if (!FBufferValid) {
    FBuffer->BeginUpdate();
    DoPaintBuffer();
    FBuffer->EndUpdate();
    FBufferValid = true;
  }
  const TRect Client = ClientRect();
  FBuffer->Lock();
  BitBlt(Canvas()->Handle(), 0, 0, Client.right, Client.bottom, FBuffer->DC(), 0, 0, SRCCOPY);
  FBuffer->Unlock();
  DoPaintGDIOverlay();
}

// ---- TCustomImage32

TCustomImage32::TCustomImage32(TComponent* AOwner)
    : TCustomPaintBox32(AOwner), FBitmap(std::make_unique<TBitmap32>()), FLayers(std::make_unique<TLayerCollection>()) {
  // The view takes the mouse itself: the left button always, others only for a layer.
  SetControlStyle(ControlStyle() & ~csCaptureMouse);
  FBitmap->OnChange = [this](TObject*) { BitmapChanged(); };
  FBitmap->OnResize = [this](TObject*) { BitmapResized(); };
  FLayers->OnChange = [this](TObject*) { LayersChanged(); };
  InitDefaultStages();
}

TCustomImage32::~TCustomImage32() {
  FBitmap->OnChange = nullptr;
  FBitmap->OnResize = nullptr;
  FLayers->OnChange = nullptr;
}

void TCustomImage32::InitDefaultStages() {
  FPaintStages = {{true, true, PST_CLEAR_BACKGND, 0},
                  {true, true, PST_DRAW_BITMAP, 0},
                  {true, true, PST_DRAW_LAYERS, LOB_VISIBLE},
                  {true, false, PST_CONTROL_FRAME, 0},
                  {true, false, PST_BITMAP_FRAME, 0}};
  if (OnInitStages) OnInitStages(this);
}

void TCustomImage32::SetBitmap(const TBitmap32* Value) {
  InvalidateCache();
  FBitmap->Assign(Value);
}

void TCustomImage32::SetBitmapAlign(TBitmapAlign Value) {
  FBitmapAlign = Value;
  InvalidateCache();
  Changed();
}

void TCustomImage32::SetScale(float Value) {
  FScale = Value < 0.001f ? 0.001f : Value;
  InvalidateCache();
  SizeToBitmap();
  Changed();
}

void TCustomImage32::SetScaleMode(TScaleMode Value) {
  if (Value == FScaleMode) return;
  FScaleMode = Value;
  InvalidateCache();
  SizeToBitmap();
  Changed();
}

void TCustomImage32::SetOffsetHorz(float Value) {
  FOffsetHorz = Value;
  InvalidateCache();
  Changed();
}

void TCustomImage32::SetOffsetVert(float Value) {
  FOffsetVert = Value;
  InvalidateCache();
  Changed();
}

void TCustomImage32::SetAutoSize(bool Value) {
  FAutoSize = Value;
  SizeToBitmap();
}

void TCustomImage32::SizeToBitmap() {
  if (!FAutoSize) return;
  const TSize Size = GetBitmapSize();
  // Nothing to show keeps the bounds: a view shrunk to 0 x 0 could never show a later bitmap.
  if (Size.cx == 0 || Size.cy == 0) return;
  const TAlign A = Align();
  const int W = (A == alNone || A == alLeft || A == alRight) ? int(Size.cx) : Width();
  const int H = (A == alNone || A == alTop || A == alBottom) ? int(Size.cy) : Height();
  if (W == Width() && H == Height()) return;
  SetBounds(Left(), Top(), W, H);
  InvalidateCache();
}

void TCustomImage32::SetupBitmap(bool DoClear, TColor32 ClearColor) {
  const TRect R = GetViewportRect();
  FBitmap->BeginUpdate();
  FBitmap->SetSize(R.right - R.left, R.bottom - R.top);
  if (DoClear) FBitmap->Clear(ClearColor);
  FBitmap->EndUpdate();
  InvalidateCache();
  Changed();
}

TSize TCustomImage32::GetBitmapSize() {
  const TRect View = GetViewportRect();
  const int CW = View.right - View.left, CH = View.bottom - View.top;
  if (FBitmap->Empty() || Width() == 0 || Height() == 0) return {0, 0};
  const int BW = FBitmap->Width(), BH = FBitmap->Height();
  int W = BW, H = BH;
  switch (FScaleMode) {
    case smNormal: break;
    case smStretch: W = CW, H = CH; break;
    case smScale: W = RoundEven(double(BW) * FScale), H = RoundEven(double(BH) * FScale); break;
    case smResize: {
      const float Sx = float(CW) / float(BW), Sy = float(CH) / float(BH);
      if (Sx < Sy)
        W = CW, H = RoundEven(double(BH) * Sx);
      else
        W = RoundEven(double(BW) * Sy), H = CH;
      break;
    }
  }
  return {W < 0 ? 0 : W, H < 0 ? 0 : H};
}

TPixelRect TCustomImage32::GetBitmapRect() {
  const TSize Size = GetBitmapSize();
  if (FBitmap->Empty() || Size.cx == 0 || Size.cy == 0) return {};
  TPixelRect R{0, 0, int(Size.cx), int(Size.cy)};
  const TRect View = GetViewportRect();
  if (FBitmapAlign == baCenter)
    OffsetRect(R, (View.right - View.left - R.Width()) / 2, (View.bottom - View.top - R.Height()) / 2);
  else if (FBitmapAlign == baCustom)
    OffsetRect(R, RoundEven(FOffsetHorz), RoundEven(FOffsetVert));
  return R;
}

void TCustomImage32::UpdateCache() {
  if (FCacheValid) return;
  FCachedBitmapRect = GetBitmapRect();
  if (FBitmap->Empty() || IsRectEmpty(FCachedBitmapRect)) {
    FCachedXRatio = FCachedYRatio = FCachedRecXRatio = FCachedRecYRatio = 65536;
  } else {
    const int64_t BW = FBitmap->Width(), BH = FBitmap->Height();
    const int64_t RW = FCachedBitmapRect.Width(), RH = FCachedBitmapRect.Height();
    FCachedXRatio = BW * 65536 / RW;
    FCachedYRatio = BH * 65536 / RH;
    FCachedRecXRatio = RW * 65536 / BW;
    FCachedRecYRatio = RH * 65536 / BH;
  }
  FCacheValid = true;
}

TPoint TCustomImage32::ControlToBitmap(const TPoint& P) {
  UpdateCache();
  return {LONG(((P.x - FCachedBitmapRect.Left) * FCachedXRatio) >> 16),
          LONG(((P.y - FCachedBitmapRect.Top) * FCachedYRatio) >> 16)};
}

TPoint TCustomImage32::BitmapToControl(const TPoint& P) {
  UpdateCache();
  return {LONG(((P.x * FCachedRecXRatio) >> 16) + FCachedBitmapRect.Left),
          LONG(((P.y * FCachedRecYRatio) >> 16) + FCachedBitmapRect.Top)};
}

void TCustomImage32::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCustomImage32::Changed() {
  if (FUpdateCount != 0) return;
  Invalidate();
  if (OnChange) OnChange(this);
}

void TCustomImage32::BitmapChanged() { Changed(); }

void TCustomImage32::BitmapResized() {
  InvalidateCache();
  SizeToBitmap();
  if (OnBitmapResize) OnBitmapResize(this);
  Changed();
}

void TCustomImage32::LayersChanged() { Changed(); }

void TCustomImage32::DoPaintBuffer() {
  UpdateCache();
  TBitmap32* Dst = Buffer();
  const bool Designing = ComponentState() & csDesigning;
  for (unsigned I = 0; I < FPaintStages.size(); ++I) {
    const TPaintStage& S = FPaintStages[I];
    if (!(Designing ? S.DsgnTime : S.RunTime)) continue;
    switch (S.Stage) {
      case PST_CUSTOM:
        if (OnPaintStage) OnPaintStage(this, Dst, I);
        break;
      case PST_CLEAR_BUFFER: Dst->Clear(Color32(Color())); break;
      case PST_CLEAR_BACKGND: ClearBackground(Dst); break;
      case PST_DRAW_BITMAP: DrawBitmap(Dst); break;
      case PST_DRAW_LAYERS: FLayers->Paint(Dst, S.Parameter); break;
      case PST_CONTROL_FRAME: DrawFrame(Dst, ClientRect()); break;
      case PST_BITMAP_FRAME: {
        const TPixelRect& R = FCachedBitmapRect;
        DrawFrame(Dst, Rect(R.Left, R.Top, R.Right, R.Bottom));
        break;
      }
    }
  }
  TCustomPaintBox32::DoPaintBuffer();
}

void TCustomImage32::ClearBackground(TBitmap32* Dst) {
  const TColor32 C = Color32(Color());
  if (FBitmap->Empty() || FBitmap->DrawMode() != dmOpaque) return Dst->Clear(C);
  if (FBitmapAlign == baTile) return;
  // Only the bands around the bitmap: above, below, left and right of it.
  const TPixelRect& R = FCachedBitmapRect;
  const int W = Dst->Width(), H = Dst->Height();
  Dst->FillRect(0, 0, W, R.Top, C);
  Dst->FillRect(0, R.Bottom, W, H, C);
  Dst->FillRect(0, R.Top, R.Left, R.Bottom, C);
  Dst->FillRect(R.Right, R.Top, W, R.Bottom, C);
}

void TCustomImage32::DrawBitmap(TBitmap32* Dst) {
  const TPixelRect& R = FCachedBitmapRect;
  if (FBitmap->Empty() || IsRectEmpty(R)) return;  // also an empty view port: nothing to draw
  FBitmap->Lock();
  if (FBitmapAlign == baTile) {
    const int W = FBitmap->Width(), H = FBitmap->Height();
    int X0 = R.Left % W, Y0 = R.Top % H;
    if (X0 > 0) X0 -= W;
    if (Y0 > 0) Y0 -= H;
    for (int Y = Y0; Y < Dst->Height(); Y += H)
      for (int X = X0; X < Dst->Width(); X += W) FBitmap->DrawTo(Dst, X, Y);
  } else {
    FBitmap->DrawTo(Dst, Rect(R.Left, R.Top, R.Right, R.Bottom), Rect(0, 0, FBitmap->Width(), FBitmap->Height()));
  }
  FBitmap->Unlock();
}

void TCustomImage32::DrawFrame(TBitmap32* Dst, const TRect& R) {
  if (Dst->Empty() || IsRectEmpty(&R)) return;
  DrawFocusRect(Dst->DC(), &R);
  GdiFlush();
}

void TCustomImage32::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_MOUSELEAVE && Message.LParam == 0 && FLayers->MouseEvents() && !FLayers->MouseListener() &&
      Screen)
    Screen->SetCursor(crDefault);
  TCustomPaintBox32::Dispatch(Message);
}

void TCustomImage32::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomPaintBox32::MouseDown(Button, Shift, X, Y);
  if (TabStop() && CanFocus()) SetFocus();
  TCustomLayer* Layer = FLayers->MouseEvents() ? FLayers->MouseDown(Button, Shift, X, Y) : nullptr;
  if (Button == mbLeft || FLayers->MouseListener()) SetMouseCapture(true);
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y, Layer);
}

void TCustomImage32::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomPaintBox32::MouseMove(Shift, X, Y);
  TCustomLayer* Layer = nullptr;
  if (FLayers->MouseEvents()) {
    Layer = FLayers->MouseMove(Shift, X, Y);
    if (!Layer && Screen) Screen->SetCursor(Cursor());
  }
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y, Layer);
}

void TCustomImage32::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomLayer* Layer = FLayers->MouseEvents() ? FLayers->MouseUp(Button, Shift, X, Y) : nullptr;
  if (Button == mbLeft && !FLayers->MouseListener()) SetMouseCapture(false);
  TCustomPaintBox32::MouseUp(Button, Shift, X, Y);
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y, Layer);
}

void TImage32::GetPublishedProperties(TPropList& List) const {
  TCustomImage32::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      ObjProperty<TImage32>("Bitmap", &TImage32::Bitmap, &TImage32::SetBitmap),
      OrdProperty<TImage32>("BitmapAlign", &TImage32::BitmapAlign, &TImage32::SetBitmapAlign,
                            {"baTopLeft", "baCenter", "baTile", "baCustom"}),
      BoolProperty<TImage32>("AutoSize", &TImage32::AutoSize, &TImage32::SetAutoSize),
      OrdProperty<TImage32>("ScaleMode", &TImage32::ScaleMode, &TImage32::SetScaleMode,
                            {"smNormal", "smStretch", "smScale", "smResize"}),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}

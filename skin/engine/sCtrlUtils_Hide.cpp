// Animated hiding of a prepared layered window on the hide timer.
#include "skin/engine/sCtrlUtils_Hide.h"

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "widgets/Bitmap32_LowLevel.h"
#include "widgets/Bitmap32_Transforms.h"

namespace {

TacHideTimer*& TheHideTimer() {
  static TacHideTimer* Timer = nullptr;
  return Timer;
}

void UpdateLayered(HWND Wnd, HDC ScreenDC, SIZE& Size, TBitmap& Bmp, POINT& SrcPoint, BLENDFUNCTION& Blend) {
  if (Bindings().UpdateLayeredWindow)
    Bindings().UpdateLayeredWindow(Wnd, ScreenDC, nullptr, &Size, Bmp.Canvas()->Handle(), &SrcPoint, 0, &Blend,
                                   ULW_ALPHA);
}

}  // namespace

void UpdateLayeredBitmap(HWND Wnd, TBitmap& Bmp, BYTE Alpha) {
  SIZE Size{Bmp.Width(), Bmp.Height()};
  POINT Src{0, 0};
  BLENDFUNCTION Blend{AC_SRC_OVER, 0, Alpha, AC_SRC_ALPHA};
  const HDC Screen = GetDC(nullptr);
  UpdateLayered(Wnd, Screen, Size, Bmp, Src, Blend);
  ReleaseDC(nullptr, Screen);
}

TacHideTimer::TacHideTimer(TComponent* AOwner) : TacThreadedTimer(AOwner) {}

TacHideTimer::~TacHideTimer() {
  if (TheHideTimer() == this) TheHideTimer() = nullptr;
}

void TacHideTimer::InitFrames() {
  Frames = HideFrames(Frames.StepCount, InitialAlpha, WndSize.cx, WndSize.cy, Mode == 1);
  Copied = false;
}

void TacHideTimer::PaintFrame() {
  Blend.SourceConstantAlpha = NextHideAlpha(Frames);
  const TPixelView Work = BitmapView(WorkBmp.get()), Src = BitmapView(SrcBmp.get());
  if (Frames.Aero) {
    if (Frames.Rect.Left >= 0 && Frames.Rect.Top >= 0) {
      FillRect(Work, 0, 0, Work.Width, Work.Height, 0);
      const TAnimPixelRect R = RoundRect(Frames.Rect);
      StretchTransfer(Work, {R.Left, R.Top, R.Right, R.Bottom}, Work.BoundsRect(), Src, Src.BoundsRect(), sfLinear,
                      {});
    } else {
      BlockTransfer(Work, 0, 0, Work.BoundsRect(), Src, Src.BoundsRect(), {});
    }
  } else if (!Copied) {
    BlockTransfer(Work, 0, 0, Work.BoundsRect(), Src, Src.BoundsRect(), {});
    Copied = true;
  }
}

void TacHideTimer::AdvanceFrame() {
  if (Frames.Aero) ::AdvanceFrame(Frames);
}

void TacHideTimer::Park() {
  SetInterval(65535);
  SetOnTimer(nullptr);
  OutWnd.reset();
  SrcBmp.reset();
  WorkBmp.reset();
}

void TacHideTimer::HideStep() {
  if (StepIndex > Frames.StepCount) return Park();
  if (!OutWnd || !SrcBmp) return;
  PaintFrame();
  ScreenDC = GetDC(nullptr);
  UpdateLayered(OutWnd->Handle(), ScreenDC, WndSize, *WorkBmp, SrcPoint, Blend);
  ReleaseDC(nullptr, ScreenDC);
  ScreenDC = nullptr;
  AdvanceFrame();
  ++StepIndex;
}

TacHideTimer* HideTimer() { return TheHideTimer(); }

void FinishHideAnimation() {
  TacHideTimer* T = TheHideTimer();
  if (!T) return;
  while (T->OutWnd && T->SrcBmp) {
    T->HideStep();
    if (T->OutWnd) Bindings().Sleep(AnimFrameInterval);
  }
  T->Park();
}

void AnimHideWindow(TForm* Wnd, std::unique_ptr<TBitmap> Bmp, int Time, int Mode, int Alpha) {
  TFormOwner Window(Wnd);
  if (TacHideTimer* Previous = TheHideTimer()) Previous->Park();
  const int N = AnimFrameCount(Time);
  if (N == 0) return;
  TacHideTimer*& T = TheHideTimer();
  if (!T) T = TacThreadedTimer::CreateOwned<TacHideTimer>(Application, false);
  T->StepIndex = 0;
  T->Frames.StepCount = N;
  T->SrcBmp = std::move(Bmp);
  T->InitialAlpha = Alpha;
  T->OutWnd = std::move(Window);
  T->Mode = Mode;
  T->SetInterval(T->StepInterval);
  T->Blend = {AC_SRC_OVER, 0, BYTE(Alpha), AC_SRC_ALPHA};
  T->WndSize = {T->SrcBmp->Width(), T->SrcBmp->Height()};
  const HWND H = T->OutWnd->Handle();
  SetWindowLongA(H, GWL_EXSTYLE, GetWindowLongA(H, GWL_EXSTYLE) | WS_EX_NOACTIVATE | WS_EX_LAYERED);
  const HDC Screen = GetDC(nullptr);
  UpdateLayered(H, Screen, T->WndSize, *T->SrcBmp, T->SrcPoint, T->Blend);
  ReleaseDC(nullptr, Screen);
  ShowWindow(H, SW_SHOWNOACTIVATE);
  RECT R;
  GetWindowRect(H, &R);
  SetWindowPos(H, HWND_TOPMOST, R.left, R.top, T->WndSize.cx, T->WndSize.cy,
               SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOCOPYBITS | SWP_NOREDRAW);
  T->WorkBmp = NewBitmap32(T->WndSize.cx, T->WndSize.cy);
  T->InitFrames();
  if (Application->Terminated()) return FinishHideAnimation();
  T->SetOnTimer([T](TObject*) { T->HideStep(); });
  T->HideStep();
  T->SetEnabled(true);
}

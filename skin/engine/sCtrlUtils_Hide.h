#pragma once
// Animated hiding of a prepared layered window: the hide timer steps the frames every 12 ms, fading
// (and in the aero mode stretching) the window's picture out, and frees window and picture after the
// last frame.
#include <windows.h>

#include <memory>

#include "skin/engine/acThdTimer.h"
#include "skin/engine/sAnimFrames.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/ui/Forms.h"

// Frees a form of the toolkit when it goes.
struct TFormFree {
  void operator()(TForm* Form) const { Form->Free(); }
};
using TFormOwner = std::unique_ptr<TForm, TFormFree>;

class TacHideTimer : public TacThreadedTimer {
 public:
  explicit TacHideTimer(TComponent* AOwner);
  ~TacHideTimer() override;

  void InitFrames();
  void PaintFrame();
  void AdvanceFrame();
  // One tick of a hide: the next frame, or the end after the last.
  void HideStep();
  // Idles between hides: no handler, window and pictures freed.
  void Park();

  HDC ScreenDC = nullptr;
  TFormOwner OutWnd;
  SIZE WndSize{0, 0};
  POINT SrcPoint{0, 0};
  BLENDFUNCTION Blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  int InitialAlpha = 255;
  int StepIndex = 0;
  TAnimFrames Frames;
  int Mode = 0;
  int StepInterval = AnimFrameInterval;
  std::unique_ptr<TBitmap> SrcBmp, WorkBmp;
  // The fading mode copies the picture once.
  bool Copied = false;
};

// Shows Bmp on the layered window Wnd at constant alpha Alpha (screen DC, the bitmap's size, source
// point (0, 0), per-pixel alpha), through the bound UpdateLayeredWindow.
void UpdateLayeredBitmap(HWND Wnd, TBitmap& Bmp, BYTE Alpha);

// The hide timer, created on first use with the application as owner; nullptr before.
TacHideTimer* HideTimer();
// Runs the frames of a running hide at once, the engine's pause between them.
void FinishHideAnimation();
// Hides Wnd showing Bmp in Time ms (Mode 0 fading, 1 aero) from alpha Alpha; takes both.
void AnimHideWindow(TForm* Wnd, std::unique_ptr<TBitmap> Bmp, int Time, int Mode, int Alpha);

#include "skin/engine/sAnimFrames.h"

#include <algorithm>
#include <cmath>

std::uint8_t FrameAlpha(double Alpha) { return std::uint8_t(std::clamp(std::nearbyint(Alpha), 0.0, 255.0)); }

TAnimFrames HideFrames(int StepCount, int InitialAlpha, int W, int H, bool Aero) {
  TAnimFrames F;
  F.StepCount = StepCount;
  F.CurAlpha = InitialAlpha;
  F.AlphaStep = double(InitialAlpha) / StepCount;
  F.Aero = Aero;
  if (Aero) {
    F.DeltaX = double(W) / (StepCount * 8);
    F.DeltaY = double(H) / (StepCount * 8);
    F.Rect = {0, 0, double(W), double(H)};
  }
  return F;
}

TAnimFrames ShowFrames(int StepCount, int Target, int W, int H, bool Aero) {
  TAnimFrames F;
  F.StepCount = StepCount;
  F.CurAlpha = 0;
  F.AlphaStep = double(Target) / StepCount;
  F.Aero = Aero;
  if (Aero) {
    F.DeltaX = double(W) / (StepCount * 8);
    F.DeltaY = double(H) / (StepCount * 8);
    F.Rect = {double(W / 8), double(H / 8), double(W - W / 8), double(H - H / 8)};
  }
  return F;
}

std::uint8_t NextHideAlpha(TAnimFrames& F) {
  F.CurAlpha = std::max(0.0, F.CurAlpha - F.AlphaStep);
  return FrameAlpha(F.CurAlpha);
}

std::uint8_t NextShowAlpha(TAnimFrames& F, int Target) {
  F.CurAlpha = std::min(double(Target), F.CurAlpha + F.AlphaStep);
  return FrameAlpha(F.CurAlpha);
}

void AdvanceFrame(TAnimFrames& F) {
  F.Rect.Left -= F.DeltaX;
  F.Rect.Top -= F.DeltaY;
  F.Rect.Right += F.DeltaX;
  F.Rect.Bottom += F.DeltaY;
}

TAnimPixelRect RoundRect(const TAnimRect& R) {
  return {int(std::nearbyint(R.Left)), int(std::nearbyint(R.Top)), int(std::nearbyint(R.Right)),
          int(std::nearbyint(R.Bottom))};
}

std::vector<int> CrossFadeWeights(int StepCount) {
  std::vector<int> W;
  const int Step = 255 / StepCount;
  for (int I = 0, A = 255; I <= StepCount; ++I, A -= Step) W.push_back(std::max(0, A));
  return W;
}

#pragma once
// The frame arithmetic of the animated show, hide and change of forms: frame counts, alpha ramps,
// the growing rectangles of the aero mode and the mix weights of the cross-fade. Pure: no windows.h.
#include <cstdint>
#include <vector>

// Frames are 12 ms apart; no frames below 12 ms.
constexpr int AnimFrameInterval = 12;
inline int AnimFrameCount(int Time) { return Time / AnimFrameInterval; }

// The constant alpha of a frame: the current value rounded, ties to even.
std::uint8_t FrameAlpha(double Alpha);

struct TAnimRect {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TAnimRect&) const = default;
};

// The state of one show or hide: frame count, alpha and its step, the aero rectangle and its growth.
struct TAnimFrames {
  int StepCount = 0;
  double CurAlpha = 0, AlphaStep = 0;
  bool Aero = false;
  double DeltaX = 0, DeltaY = 0;
  TAnimRect Rect;
};
// A hide of a W x H picture: from InitialAlpha down, the aero rectangle starting as the whole picture.
TAnimFrames HideFrames(int StepCount, int InitialAlpha, int W, int H, bool Aero);
// A show: from 0 up to Target, the aero rectangle starting an eighth inside each side.
TAnimFrames ShowFrames(int StepCount, int Target, int W, int H, bool Aero);
// The next frame's alpha of a hide (down, floored at 0) or a show (up, capped at Target).
std::uint8_t NextHideAlpha(TAnimFrames& F);
std::uint8_t NextShowAlpha(TAnimFrames& F, int Target);
// Grows the aero rectangle by one step on each side.
void AdvanceFrame(TAnimFrames& F);
// The rectangle as whole pixels (rounded, ties to even).
struct TAnimPixelRect {
  int Left, Top, Right, Bottom;
};
TAnimPixelRect RoundRect(const TAnimRect& R);

// The weights of the old picture in the cross-fade without layered windows: 255, 255 - 255 div N, ...
// for the N + 1 frames, each at least 0.
std::vector<int> CrossFadeWeights(int StepCount);

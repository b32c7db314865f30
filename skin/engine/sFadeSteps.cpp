#include "skin/engine/sFadeSteps.h"

#include <algorithm>

#include "skin/engine/sAlphaPixels.h"

std::uint8_t FadeAlpha(int Step, int Iterations) {
  return std::uint8_t(std::clamp(255 - int((std::int64_t(Step) * 256) / Iterations), 0, 255));
}

void MixFadeFrame(const TPixelView& Work, const TPixelView& Fresh, std::uint8_t Alpha) {
  if (Work.Width != Fresh.Width || Work.Height != Fresh.Height) return;
  TacFastSum32 Sum;
  if (!Sum.Attach(Fresh, Work)) return;
  Sum.Alpha = Alpha;
  Sum.DstRect = {0, 0, Work.Width, Work.Height};
  Sum.SrcRect = {0, 0, Fresh.Width, Fresh.Height};
  Sum.BlendBytes();
}

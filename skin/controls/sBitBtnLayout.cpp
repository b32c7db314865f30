#include "skin/controls/sBitBtnLayout.h"

#include "skin/engine/sSkinTexture.h"

namespace {

bool Beside(TGlyphSide S) { return S == gpLeft || S == gpRight; }

TPixelRect Shifted(TPixelRect R, int D) { return MakeRect(R.Left + D, R.Top + D, R.Right + D, R.Bottom + D); }

}  // namespace

int BitBtnCaptionLimit(const TBitBtnLayoutInput& In) {
  int W = In.Width - 2 * In.Margin;
  if (Beside(In.Layout) && In.GlyphWidth > 0 && In.GlyphHeight > 0) W -= In.GlyphWidth + In.Spacing;
  return W;
}

TGlyphButtonPlaces BitBtnLayout(const TBitBtnLayoutInput& In) {
  TButtonLayoutInput L;
  L.Client = MakeRect(0, 0, In.Width, In.Height);
  L.GlyphSize = {In.GlyphWidth, In.GlyphHeight};
  L.CaptionSize = {In.TextWidth, In.TextHeight};
  L.RightToLeft = In.RightToLeft;
  L.Spacing = In.Spacing;
  L.Margin = In.Margin;
  L.Alignment = In.Alignment;
  L.Layout = In.Layout;
  const TButtonPlaces P = CalcButtonLayout(L);
  const int Press = In.State == 2 ? 1 : 0;
  TPixelRect Glyph = MakeRect(P.Glyph.X, P.Glyph.Y, P.Glyph.X + In.GlyphWidth, P.Glyph.Y + In.GlyphHeight);
  Glyph = Shifted(Glyph, Press);
  if (In.Reflected) {
    Glyph.Top -= In.GlyphWidth / 6;
    Glyph.Bottom -= In.GlyphWidth / 6;
  }
  return {Glyph, Shifted(P.Caption, Press)};
}

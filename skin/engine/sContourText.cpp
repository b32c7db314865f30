#include "skin/engine/sContourText.h"

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinText.h"
#include "skin/engine/sTextCoverage.h"

void DrawSkinText(TBitmap* Bmp, const std::string& Text, bool Contours, const TRect& R, UINT Flags, int SkinIndex,
                  bool Hot, TsSkinManager* SkinManager, bool PlainChars) {
  const TsSkinManager* Manager = SkinManager ? SkinManager : DefaultManager;
  const std::string Drawn = PlainChars ? std::string(Text.c_str()) : Text;
  if (!Bmp || Drawn.empty() || IsRectEmpty(&R) || !Manager) return;
  if (!Manager->IsValidSkinIndex(SkinIndex)) {
    DrawTextMixed(Bmp, Drawn, Bmp->Canvas()->Font()->Color(), Flags, R);
    return;
  }
  const TsGeneralData& Section = Manager->Tables().Sections[size_t(SkinIndex)];
  const TsGenState& S = StateProps(Section, Hot && Section.States > 0 ? 1 : 0);
  if (Contours)
    for (const TsContourSide& Side : ContourSides) {
      if (S.*Side.Color == -1) continue;
      TRect Shifted = R;
      OffsetRect(&Shifted, Side.Dx, Side.Dy);
      DrawTextMixed(Bmp, Drawn, S.*Side.Color, Flags, Shifted);
    }
  DrawTextMixed(Bmp, Drawn, S.FontColor, Flags, R);
}

void DrawTextMixed(TBitmap* Bmp, const std::string& Text, TColor Color, UINT Flags, const TRect& R) {
  const TPixelView Target = BitmapView(Bmp);
  if (Target.Empty() || Text.empty()) return;
  // The mask covers only the part of R inside the bitmap; the text keeps its place in R.
  const TRect Bounds = Rect(0, 0, Target.Width, Target.Height);
  TRect Part;
  if (!IntersectRect(&Part, &R, &Bounds)) return;
  const auto Mask = NewBitmap32(RectWidth(Part), RectHeight(Part));
  FillRect32(Mask.get(), Rect(0, 0, Mask->Width(), Mask->Height()), clWhite);
  Mask->Canvas()->SetFont(Bmp->Canvas()->Font());
  TRect Place = R;
  OffsetRect(&Place, -Part.left, -Part.top);
  DrawTextInColor(Mask->Canvas(), Text, Place, Flags, clBlack);
  MixTextCoverage(BitmapView(Bmp), Part.left, Part.top, BitmapView(*Mask), ColorToRGB(Color));
}

#include "skin/engine/sSectionFill.h"

#include <algorithm>
#include <climits>

#include "skin/engine/sAlphaPixels.h"
#include "skin/engine/sGradientPaint.h"
#include "skin/engine/sSkinTexture.h"
#include "widgets/Bitmap32_Transforms.h"

TsPieceView TsSkinPictures::Piece(int MaskIndex) const {
  if (Tables == nullptr || !IsValidMaskIndex(*Tables, MaskIndex)) return {};
  const TPixelView Own = size_t(MaskIndex) < OwnImages.size() ? OwnImages[size_t(MaskIndex)] : TPixelView{};
  return {&Tables->Masks[size_t(MaskIndex)], Own.Empty() ? Master : Own, !Own.Empty()};
}

void CopyParent(const TPixelView& Bmp, const TPixelRect& R, const TsCacheView& Bg, TPixelPoint Offset) {
  if (Bg.Bmp.Empty() || Bg.Bmp.Bits == Bmp.Bits) return;
  TCopyArea A;
  if (ClipCopy(Bmp, Bg.Bmp, R.Left, R.Top, int64_t(Bg.X) + Offset.X, int64_t(Bg.Y) + Offset.Y,
               std::max<int64_t>(0, int64_t(R.Right) - R.Left), std::max<int64_t>(0, int64_t(R.Bottom) - R.Top), 0, A))
    BlockTransfer(Bmp, A.DstX, A.DstY, Bmp.BoundsRect(), Bg.Bmp, {A.SrcX, A.SrcY, A.SrcX + A.W, A.SrcY + A.H}, {});
}

namespace {

uint8_t IntToByte(int V) { return uint8_t(std::clamp(V, 0, 255)); }

// The values of one state of a section.
struct TSectionState {
  TColor C = 0;
  int T = 0, I = 0, G = 0;
  const TsGradArray* Gradient = nullptr;
};

TSectionState StateOf(const TsGeneralData& S, bool Hot) {
  TSectionState V;
  V.C = Hot ? S.HotColor : S.Color;
  V.T = Hot ? S.HotTransparency : S.Transparency;
  V.I = Hot ? S.HotImagePercent : S.ImagePercent;
  V.G = Hot ? S.HotGradientPercent : S.GradientPercent;
  if (V.G != 0) V.Gradient = Hot ? &S.HotGradientArray : &S.GradientArray;
  return V;
}

// The texture of a fill: an image piece, or a picture of the pattern table.
struct TTexture {
  TsPieceView Piece;
  TPixelView Pattern;
  bool Exists() const { return Piece.Mask != nullptr || !Pattern.Empty(); }
};

void Gradient(const TsSkinPictures& Skin, const TPixelView& B, const TPixelRect& R, const TsGradArray& Data) {
  if (Skin.PaintGradient)
    Skin.PaintGradient(B, R, Data);
  else
    PaintGradient(B, R, Data, 0, 0);
}

// The texture over R: answers the part left uncovered.
TPixelRect PaintTextureOf(const TTexture& Tx, const TPixelView& B, const TPixelRect& R, const TsCacheView& Bg) {
  if (Tx.Piece.Mask == nullptr) return PaintTexture(B, R, Tx.Pattern, Tx.Pattern.BoundsRect(), 0);
  const TsMaskData& M = *Tx.Piece.Mask;
  if (M.MaskType != 0) {
    PaintMaskedTexture({B, R, Bg, &M, Tx.Piece.Image, M.DrawMode});
    return M.DrawMode == 0 || M.DrawMode == 10 ? TextureCovered : R;
  }
  return PaintTexture(B, R, Tx.Piece.Image, M.R, M.DrawMode);
}

// R cut to the target (the callers' rectangles lie inside it), the offset into the parent moved along.
bool CutToTarget(TPaintSkinSection& P) {
  TPixelRect Cut;
  if (P.Bmp.Empty() || !IntersectRect(Cut, P.R, P.Bmp.BoundsRect())) return false;
  P.Offset = {int(std::clamp<int64_t>(int64_t(P.Offset.X) + Cut.Left - P.R.Left, INT_MIN, INT_MAX)),
              int(std::clamp<int64_t>(int64_t(P.Offset.Y) + Cut.Top - P.R.Top, INT_MIN, INT_MAX))};
  P.R = Cut;
  return true;
}

// A 32-bit picture of R's size, R at its origin.
struct TScratch {
  std::vector<TColor32> Pixels;
  TPixelView View;
  explicit TScratch(const TPixelRect& R)
      : Pixels(size_t(std::max(R.Width(), 0)) * std::max(R.Height(), 0)),
        View{Pixels.data(), std::max(R.Width(), 0), std::max(R.Height(), 0), std::max(R.Width(), 0)} {}
};

// The gradient share of a section: over a texture it is summed at the texture's percentage, else painted.
void GradientPart(const TsSkinPictures& Skin, const TSectionState& V, bool Textured, const TPixelView& B,
                  const TPixelRect& R) {
  const bool HasGradient = V.Gradient != nullptr && !V.Gradient->empty();
  if (!Textured) {
    if (HasGradient)
      Gradient(Skin, B, R, *V.Gradient);
    else
      FillRect32(B, R, V.C);
    return;
  }
  TScratch G(R);
  GradientPart(Skin, V, false, G.View, G.View.BoundsRect());
  SumBitmapsRect(B, G.View, IntToByte(V.I * 255 / 100), {R.Left, R.Top}, G.View.BoundsRect());
}

// The fill of PaintSkinSection into R of B.
void SectionFill(const TsSkinPictures& Skin, const TSectionState& V, const TTexture& Tx, const TPixelView& B,
                 const TPixelRect& R, const TsCacheView& Bg) {
  const bool HasGradient = V.Gradient != nullptr && !V.Gradient->empty();
  if (V.G + V.I == 100 && V.G > 0 && V.G < 100 && Tx.Piece.Mask != nullptr && Tx.Piece.Mask->DrawMode == 0 &&
      HasGradient && (*V.Gradient)[0].Mode < 2) {
    PaintGradientBlended(B, R, *V.Gradient, Tx.Piece.Image, Tx.Piece.Mask->R, V.I * 255 / 100);
    return;
  }
  // A texture that is missing covers nothing.
  const bool Textured = V.I > 0 && Tx.Exists();
  if (V.I > 0) {
    const TPixelRect Left = Textured ? PaintTextureOf(Tx, B, R, Bg) : R;
    if (Left != TextureCovered) FillRect32(B, Left, V.C);
  }
  if (V.G > 0) GradientPart(Skin, V, Textured, B, R);
  const int S = V.I + V.G;
  if (S >= 1 && S <= 99)
    BlendRectWithColor(B, R, uint8_t(S), V.C);
  else if (S == 0)
    FillRect32(B, R, V.C);
}

// The texture of a state: by index (a piece without mask), else by name; hot states fall back on the
// pattern table.
TTexture ChooseTexture(const TsSkinPictures& Skin, const TPaintSkinSection& P, const TsGeneralData& S, bool Hot) {
  const TsSkinTables& T = *Skin.Tables;
  int Index = Hot ? P.HotTextureIndex : (P.TextureIndex >= 0 ? P.TextureIndex : S.TextureIndex);
  if (IsValidMaskIndex(T, Index) && T.Masks[size_t(Index)].MaskType == 0) return {Skin.Piece(Index), {}};
  const char* Name = Hot ? "HOTPATTERN" : "PATTERN";
  Index = GetMaskIndex(T, P.SkinIndex, P.SectionName, Name);
  if (IsValidMaskIndex(T, Index)) return {Skin.Piece(Index), {}};
  if (!Hot) return {};
  Index = GetPatternIndex(T, P.SkinIndex, P.SectionName, Name);
  if (Index >= 0 && size_t(Index) < Skin.PatternImages.size()) return {{}, Skin.PatternImages[size_t(Index)]};
  return {};
}

}  // namespace

void PaintSkinSection(const TsSkinPictures& Skin, const TPaintSkinSection& Args) {
  TPaintSkinSection P = Args;
  if (Skin.Tables == nullptr || !IsValidSkinIndex(*Skin.Tables, P.SkinIndex) || !CutToTarget(P)) return;
  const TsGeneralData& S = Skin.Tables->Sections[size_t(P.SkinIndex)];
  const int State = std::max(0, P.State >= S.States ? S.States - 1 : P.State);
  TSectionState V;
  if (P.FillColor != clFuchsia) {
    V.C = P.FillColor;
  } else {
    V = StateOf(S, State > 0);
    if (V.T == 100) V.I = V.G = 0, V.Gradient = nullptr;
  }
  const TTexture Tx = V.I > 0 ? ChooseTexture(Skin, P, S, State > 0) : TTexture{};
  const TsCacheView& Bg = P.CacheInfo;
  const int T = std::clamp(V.T, 0, 100);
  if ((!Bg.Ready && Bg.FillColor == clFuchsia) || T == 0) {
    SectionFill(Skin, V, Tx, P.Bmp, P.R, Bg);
  } else if (T == 100) {
    if (Bg.Ready)
      CopyParent(P.Bmp, P.R, Bg, P.Offset);
    else
      FillRect32(P.Bmp, P.R, Bg.FillColor);
  } else if (!Bg.Ready && V.I + V.G == 0) {
    FillRect32(P.Bmp, P.R, BlendColors(Bg.FillColor, V.C, T / 100.0));
  } else {
    TScratch Fill(P.R);
    SectionFill(Skin, V, Tx, Fill.View, Fill.View.BoundsRect(), Bg);
    if (Bg.Ready)
      CopyParent(P.Bmp, P.R, Bg, P.Offset);
    else
      FillRect32(P.Bmp, P.R, Bg.FillColor);
    SumBitmapsRect(P.Bmp, Fill.View, IntToByte(T * 255 / 100), {P.R.Left, P.R.Top}, Fill.View.BoundsRect());
  }
}

namespace {

// The fill of PaintSkinSectionByIndex into R of B.
void IndexFill(const TsSkinPictures& Skin, const TSectionState& V, int TextureIndex, const TPixelView& B,
               const TPixelRect& R, const TsCacheView& Bg) {
  bool Textured = false;
  if (V.I > 0) {
    TPixelRect Left = R;
    const TsPieceView Piece = Skin.Piece(TextureIndex);
    if (Piece.Mask != nullptr) {
      Left = PaintTextureOf({Piece, {}}, B, R, Bg);
      Textured = true;
    }
    if (Left.Right != -1) FillRect32(B, Left, V.C);
  }
  if (V.G > 0) GradientPart(Skin, V, Textured, B, R);
  const int S = V.I + V.G;
  if (S >= 1 && S <= 99)
    BlendRectWithColor(B, R, uint8_t(S), V.C);
  else if (S != 100)
    FillRect32(B, R, !Bg.Ready && V.T == 100 ? Bg.FillColor : V.C);
}

}  // namespace

void PaintSkinSectionByIndex(const TsSkinPictures& Skin, const TPaintSkinSection& Args) {
  TPaintSkinSection P = Args;
  if (Skin.Tables == nullptr || !IsValidSkinIndex(*Skin.Tables, P.SkinIndex) || !CutToTarget(P)) return;
  const TsGeneralData& S = Skin.Tables->Sections[size_t(P.SkinIndex)];
  const bool Hot = P.State != 0;
  const TSectionState V = StateOf(S, Hot);
  const int TextureIndex = Hot ? P.HotTextureIndex : P.TextureIndex;
  const TsCacheView& Bg = P.CacheInfo;
  if (Bg.Ready && V.T == 100) {
    CopyParent(P.Bmp, P.R, Bg, P.Offset);
  } else if (!Bg.Ready || V.T == 0) {
    IndexFill(Skin, V, TextureIndex, P.Bmp, P.R, Bg);
  } else if (V.T > 0) {
    TScratch Fill(P.R);
    IndexFill(Skin, V, TextureIndex, Fill.View, Fill.View.BoundsRect(), Bg);
    CopyParent(P.Bmp, P.R, Bg, P.Offset);
    SumBitmapsRect(P.Bmp, Fill.View, IntToByte(V.T * 255 / 100), {P.R.Left, P.R.Top}, Fill.View.BoundsRect());
  }
}

namespace {

// A section whose painting R may take: a valid one, R inside Bmp with its corner not negative.
const TsGeneralData* SectionFor(const TsSkinPictures& Skin, const TPaintSkinSection& P, bool NonEmpty) {
  if (Skin.Tables == nullptr || !IsValidSkinIndex(*Skin.Tables, P.SkinIndex) || P.Bmp.Empty()) return nullptr;
  if (P.R.Left < 0 || P.R.Top < 0 || P.R.Right > P.Bmp.Width || P.R.Bottom > P.Bmp.Height) return nullptr;
  if (NonEmpty && IsRectEmpty(P.R)) return nullptr;
  return &Skin.Tables->Sections[size_t(P.SkinIndex)];
}

int LimitedState(const TsGeneralData& S, int State) { return std::max(0, State >= S.States ? S.States - 1 : State); }

// The background moved by the offset, for a piece painted over R.
TsCacheView Moved(TsCacheView Bg, TPixelPoint Offset) {
  Bg.X = int(std::clamp<int64_t>(int64_t(Bg.X) + Offset.X, INT_MIN, INT_MAX));
  Bg.Y = int(std::clamp<int64_t>(int64_t(Bg.Y) + Offset.Y, INT_MIN, INT_MAX));
  return Bg;
}

}  // namespace

void PaintSection(const TsSkinPictures& Skin, const TPaintSkinSection& Args) {
  TPaintSkinSection P = Args;
  P.FillColor = clFuchsia;
  PaintSectionItem(Skin, P, {});
}

void PaintSectionItem(const TsSkinPictures& Skin, const TPaintSkinSection& Args, const TSectionItem& Item) {
  const TsGeneralData* S = SectionFor(Skin, Args, true);
  if (S == nullptr) return;
  TPaintSkinSection P = Args;
  P.State = LimitedState(*S, P.State);
  PaintSkinSection(Skin, P);
  auto Corners = [&] {
    const TsCacheView Own{P.Bmp, 0, 0, clFuchsia, true};
    const int Index[4] = {S->ImgTL, S->ImgTR, S->ImgBL, S->ImgBR};
    for (int K = 0; K < 4; ++K) {
      const TsPieceView Piece = Skin.Piece(Index[K]);
      if (Piece.Mask == nullptr) continue;
      const int Iw = MaskImageWidth(*Piece.Mask), Ih = MaskImageHeight(*Piece.Mask);
      const TPixelPoint At{K % 2 == 0 ? P.R.Left : P.R.Right - Iw, K < 2 ? P.R.Top : P.R.Bottom - Ih};
      PaintMaskState({P.Bmp, At, P.State, Own, Piece, 1});
    }
  };
  if (!Item.CornersLast) Corners();
  const TsPieceView Border = Skin.Piece(S->BorderIndex);
  const bool BorderPainted = Border.Mask != nullptr && !(P.State == 0 && (Border.Mask->DrawMode & 2));
  if (BorderPainted)
    PaintMaskRect({P.Bmp, P.R, Moved(P.CacheInfo, P.Offset), Border, P.State, Item.UseParentBg});
  if (Item.CornersLast) Corners();
  if (!BorderPainted && S->Props[size_t(std::min(P.State, 1))].Transparency != 0) return;
  if (Item.HueOffset != 0) ChangeBitmapHue(P.Bmp, Item.HueOffset);
  if (Item.Saturation != 0) ChangeBitmapSaturation(P.Bmp, Item.Saturation);
}

void DrawSkinPiece(const TsSkinPictures& Skin, const TPaintSkinSection& Args, int MaskIndex) {
  const TsGeneralData* S = SectionFor(Skin, Args, false);
  if (S == nullptr) return;
  TPaintSkinSection P = Args;
  P.State = LimitedState(*S, P.State);
  PaintSkinSectionByIndex(Skin, P);
  const TsPieceView Piece = Skin.Piece(MaskIndex);
  if (Piece.Mask != nullptr) PaintMaskRect({P.Bmp, P.R, Moved(P.CacheInfo, P.Offset), Piece, P.State, true});
}

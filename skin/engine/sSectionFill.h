#pragma once
// Composition of a section's background: its colour mixed with a texture and a gradient, partly
// transparent over the parent's background. Pure: no windows.h; the skin's pictures come as views.
#include <string>
#include <vector>

#include "skin/engine/sMaskPaint.h"
#include "skin/engine/sSkinPixels.h"
#include "skin/engine/sSkinTables.h"

// A loaded skin as the section painters see it: its tables and the pictures its pieces and patterns
// lie in.
struct TsSkinPictures {
  const TsSkinTables* Tables = nullptr;
  TPixelView Master;
  // By piece index: a piece's own picture (empty: it lies in Master); by pattern index: its picture.
  std::vector<TPixelView> OwnImages, PatternImages;
  // Paints a gradient into R; null: the vertical and horizontal kinds of sGradientPaint.
  using TGradientPainter = void (*)(const TPixelView& Bmp, TPixelRect R, const TsGradArray& Data);
  TGradientPainter PaintGradient = nullptr;

  // A valid piece with the picture it lies in; Mask null for an index outside the table.
  TsPieceView Piece(int MaskIndex) const;
};

// The parent's cache at its offset moved by Offset copied into R, only what lies inside both pictures;
// nothing when the parent's picture is Bmp itself.
void CopyParent(const TPixelView& Bmp, const TPixelRect& R, const TsCacheView& Bg, TPixelPoint Offset);

// One section painted into R of Bmp (R cut to Bmp) for State. Offset places R in the parent's background
// record.
struct TPaintSkinSection {
  int SkinIndex = -1;
  std::string SectionName;
  TsCacheView CacheInfo;
  int State = 0;
  TPixelRect R;
  TPixelPoint Offset;
  TPixelView Bmp;
  // Negative: looked up ("PATTERN", "HOTPATTERN").
  int TextureIndex = -1, HotTextureIndex = -1;
  // Other than clFuchsia: painted flat in this colour instead of the section's.
  TColor FillColor = clFuchsia;
};
// The state is limited to the section's count; the texture is chosen by index or name (hot states
// fall back on the pattern table), then colour, texture and gradient are mixed by their percentages
// over the parent by the transparency.
void PaintSkinSection(const TsSkinPictures& Skin, const TPaintSkinSection& P);
// The leaner painter for callers holding the indexes: textures as given, no names, no fill colour, no
// blended-gradient shortcut; the state is not limited. Its section name and fill colour are not read.
void PaintSkinSectionByIndex(const TsSkinPictures& Skin, const TPaintSkinSection& P);

// PaintSkinSection (section colours), then the section's four corner pieces at R's corners and last its
// border piece as a nine-slice over R over the parent's background moved by Offset. Only for an R
// with positive size lying inside Bmp; the state is limited to the section's count.
void PaintSection(const TsSkinPictures& Skin, const TPaintSkinSection& P);
// How a control's painters dress its section: the corner pieces after the border instead of before,
// the border's key pixels over the parent's background, the hue and saturation turns of the whole
// Bmp. The turns are left out when the border is not painted and the state's record (normal or hot)
// is transparent.
struct TSectionItem {
  bool CornersLast = false;
  bool UseParentBg = true;
  int HueOffset = 0, Saturation = 0;
};
// PaintSection with P's fill colour and these choices.
void PaintSectionItem(const TsSkinPictures& Skin, const TPaintSkinSection& P, const TSectionItem& Item);
// PaintSkinSectionByIndex, then piece MaskIndex (when valid) as a nine-slice over R over the parent's
// background moved by Offset. Only for an R lying inside Bmp; the state is limited to the section's
// count. P is not changed.
void DrawSkinPiece(const TsSkinPictures& Skin, const TPaintSkinSection& P, int MaskIndex);

#include "skin/forms/sProviderGeometry.h"

#include <algorithm>
#include <cstdlib>

int CaptionHeightOf(const TCaptionInputs& In) {
  if (!In.Minimized && !In.HasCaption) return 0;
  if (In.SkinTitleLower) return std::max(In.BorderFormCaption, In.SystemCaption + 4);
  return In.BorderFormCaption != 0 ? In.BorderFormCaption : In.SystemCaption;
}

// A piece cut with a count of 0 (or a broken one) still has one image, not a division by zero.
int StateImageSize(bool PieceExists, int Size, int Count, int Missing) {
  return PieceExists ? Size / std::max(Count, 1) : Missing;
}

int UserButtonWidth(int GlyphWidth, int PieceStateWidth) { return std::max(GlyphWidth + 2, PieceStateWidth); }

int OffsetXOf(const TOffsetInputs& In) {
  if (In.HasBorderForm) return In.FrameWidth + In.BorderWidth + In.ExtLeft;
  return (In.WindowWidth - In.ClientWidth - In.VScrollWidth) / 2;
}

// Without a border form the client's top is what lies above it: all but the frame and the form's border
// width below it. The border width is inside the window with or without WS_BORDER.
int OffsetYOf(const TOffsetInputs& In) {
  if (In.HasBorderForm)
    return In.CaptionHeight + In.MenuRows * In.MenuLineHeight + In.BorderWidth + In.ExtTop +
           (In.MenuLineHeight != 0 ? 1 : 0);
  return In.WindowHeight - In.ClientHeight - (In.HasBorder ? In.FrameHeight : 0) - In.BorderWidth -
         In.HScrollHeight;
}

void SnapCoordinate(int& Coordinate, int Edge, int Buffer, int Size) {
  if (std::abs(Coordinate + Size - Edge) < Buffer) Coordinate = Edge - Size;
}

void SnapPosition(int& X, int& Y, const TSnapInputs& In) {
  SnapCoordinate(X, In.WorkArea.Right, In.Buffer, In.Width + In.ExtraX);
  SnapCoordinate(Y, In.WorkArea.Bottom, In.Buffer, In.Height + In.ExtraX);
  SnapCoordinate(X, In.WorkArea.Left, In.Buffer, -In.ExtraX);
  SnapCoordinate(Y, In.WorkArea.Top, In.Buffer, -In.ExtraTop);
}

int TitleIconSize(bool Shown, int Own, int CaptionHeight) {
  if (!Shown) return 0;
  if (Own != 0) return Own;
  if (CaptionHeight >= -100 && CaptionHeight <= 8) return 1;
  if (CaptionHeight >= 9 && CaptionHeight <= 16) return 8;
  return 16;
}

namespace {
constexpr TColor32 ColourBits = 0x00FFFFFF;
constexpr TColor32 Opaque = 0xFF000000;
}  // namespace

void OpaqueWhereDrawn(const TPixelView& Drawn, const TPixelView& Saved) {
  if (Drawn.Empty() || Saved.Empty()) return;
  const int W = std::min(Drawn.Width, Saved.Width), H = std::min(Drawn.Height, Saved.Height);
  for (int Y = 0; Y < H; ++Y) {
    TColor32* D = Drawn.ScanLine(Y);
    const TColor32* S = Saved.ScanLine(Y);
    for (int X = 0; X < W; ++X)
      if (((D[X] ^ S[X]) & ColourBits) != 0) D[X] |= Opaque;
  }
}

void OpaqueExceptColor(const TPixelView& Bmp, TColor32 Transparent) {
  if (Bmp.Empty()) return;
  for (int Y = 0; Y < Bmp.Height; ++Y) {
    TColor32* P = Bmp.ScanLine(Y);
    for (int X = 0; X < Bmp.Width; ++X)
      if (((P[X] ^ Transparent) & ColourBits) != 0) P[X] |= Opaque;
  }
}

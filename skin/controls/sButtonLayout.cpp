// The skinned buttons' arithmetic; halves are integer divisions toward zero.
#include "skin/controls/sButtonLayout.h"

#include <algorithm>

int ButtonCurrentState(const TButtonStateInput& In) {
  if ((In.Pushed || In.ForcePressed) && (In.MouseAbove || !In.LeftButtonHeld)) return 2;
  if (In.Down || In.DropDownOpen) return 2;
  if (In.DefaultLook || In.HotState) return 1;
  return 0;
}

int ButtonGlyphIndex(const TGlyphChoice& C) {
  const auto Valid = [&](int I) { return I >= 0 && I < C.Count; };
  if (!Valid(C.ImageIndex)) return -1;
  const int Chosen = !C.Enabled    ? C.DisabledImageIndex
                     : C.State == 2 ? C.PressedImageIndex
                     : C.Focused    ? C.SelectedImageIndex
                     : C.State == 1 ? C.HotImageIndex
                                    : C.ImageIndex;
  return Valid(Chosen) ? Chosen : C.ImageIndex;
}

int ButtonFaceWidth(int Width, TButtonStyle Style) {
  return Style == bsSplitButton ? Width - SplitPartWidth : Width;
}

namespace {

int GlyphWithMargins(const TsButtonRectsInput& In) {
  return In.HasGlyph ? In.ImageWidth + In.Margins.Left + In.Margins.Right : 0;
}

}  // namespace

int ButtonTextLimit(const TsButtonRectsInput& In) {
  const int W = ButtonFaceWidth(In.Width, In.Style);
  return In.Style == bsPushButton ? W : W - 2 * In.ContentMargin - GlyphWithMargins(In) - 6;
}

TsButtonRects ButtonLayout(const TsButtonRectsInput& In) {
  const int W = ButtonFaceWidth(In.Width, In.Style), H = In.Height, M = In.ContentMargin;
  const int IW = In.ImageWidth, IH = In.ImageHeight, tw = In.TextWidth, th = In.TextHeight;
  const TMarginValues& Mg = In.Margins;
  TsButtonRects L;
  auto Glyph = [&](int Left, int Top) { L.Glyph = MakeRect(Left, Top, Left + IW, Top + IH); };
  if (In.Style == bsCommandLink) {
    Glyph(Mg.Left + M, M);
    L.Caption = MakeRect(GlyphWithMargins(In) + M + 6, M, W - M, M + th);
    const int HintWidth = W - 2 * M - GlyphWithMargins(In);
    L.Hint = MakeRect(L.Caption.Left, L.Caption.Bottom + 6, L.Caption.Left + HintWidth, H - M);
  } else if (!In.HasGlyph || In.Alignment == iaCenter) {
    Glyph((W - IW) / 2, (H - IH) / 2);
    const int Left = (W - tw) / 2 - 1, Top = (H - th) / 2;
    L.Caption = MakeRect(Left, Top, Left + tw + 2, H - Top);
  } else {
    switch (In.Alignment) {
      case iaLeft:
      case iaRight: {
        const int Top = (H - th) / 2;
        if (In.Alignment == iaLeft) {
          Glyph(Mg.Left + M, (H - IH) / 2);
          L.Caption = MakeRect(Mg.Left + M + IW + Mg.Right, Top, W - M, H - Top);
        } else {
          Glyph(W - Mg.Right - M - IW, (H - IH) / 2);
          L.Caption = MakeRect(M, Top, W - (Mg.Right + M + IW + Mg.Left), H - Top);
        }
        break;
      }
      case iaTop: {
        Glyph((W - IW) / 2, Mg.Top + M);
        const int t0 = Mg.Top + 2 * M + IH, b0 = H - M;
        const int Top = t0 + (b0 - t0 - th) / 2;
        L.Caption = MakeRect(M, Top, W - M, Top + th);
        break;
      }
      default: {
        Glyph((W - IW) / 2, H - Mg.Bottom - M - IH);
        const int b0 = H - (Mg.Bottom + M + IH + Mg.Top);
        const int Top = (b0 - Mg.Top - th) / 2 + Mg.Top;
        L.Caption = MakeRect(M, Top, W - M, Top + th);
        break;
      }
    }
  }
  if (In.State == 2) {
    OffsetRect(L.Glyph, 1, 1);
    OffsetRect(L.Caption, 1, 1);
    OffsetRect(L.Hint, 1, 1);
  }
  return L;
}

int GlyphCellIndex(int State, int NumGlyphs) { return std::max(0, std::min(State, std::max(1, NumGlyphs) - 1)); }

int GlyphCellWidth(int StripWidth, int NumGlyphs) { return StripWidth / std::max(1, NumGlyphs); }

TPixelRect GlyphCellRect(int Cell, int CellWidth, int CellHeight, int BmpWidth, int BmpHeight) {
  if (Cell < 0 || CellWidth <= 0 || CellHeight <= 0) return {};
  const long long Left = static_cast<long long>(Cell) * CellWidth;
  if (Left >= BmpWidth) return {};
  return MakeRect(int(Left), 0, int(std::min<long long>(Left + CellWidth, BmpWidth)),
                  std::min(CellHeight, std::max(0, BmpHeight)));
}

int GlyphBlend(int Blend, int State, bool Enabled, TsDisabledGlyphKind Kind) {
  const int Own = State == 0 ? Blend : 0;
  const int Disabled = !Enabled && (Kind & (1u << dgBlended)) ? 50 : 0;
  return std::max(Own, Disabled);
}

int ToolButtonState(std::uint32_t Bits) {
  if ((Bits & ~ToolDisabled) == 0) return 0;
  return Bits & (ToolSelected | ToolChecked) ? 2 : 1;
}

int ToolButtonAlphaState(std::uint32_t Bits) { return Bits & ToolHot ? 1 : Bits & ToolChecked ? 2 : 0; }

TPixelRect ToolButtonGlyphRect(const TToolGlyphInput& In) {
  int Left, Top;
  if (In.List) {
    Left = 5;
    Top = (In.ButtonHeight - In.ImageHeight) / 2;
  } else {
    Left = (In.ButtonWidth - In.ImageWidth) / 2 + 1 - (In.DropDown ? 8 : 0);
    Top = (In.ButtonHeight - In.ImageHeight - (In.TextHeight + 3) * (In.ShowCaptions ? 1 : 0)) / 2;
  }
  TPixelRect R = MakeRect(Left, Top, Left + In.ImageWidth, Top + In.ImageHeight);
  if (In.State == 2) OffsetRect(R, 1, 1);
  return R;
}

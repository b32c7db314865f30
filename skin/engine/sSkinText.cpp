#include "skin/engine/sSkinText.h"

#include <cstring>
#include <vector>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sCommonData.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinPixels.h"
#include "skin/engine/sTextCoverage.h"
#include "skin/engine/sTextEllipsis.h"

namespace {

// The screen's DC with a font selected for one scope.
class TScreenFontDC {
 public:
  explicit TScreenFontDC(HFONT Font) : FDC(GetDC(nullptr)) {
    if (FDC) FOld = SelectObject(FDC, Font);
  }
  ~TScreenFontDC() {
    if (!FDC) return;
    SelectObject(FDC, FOld);
    ReleaseDC(nullptr, FDC);
  }
  TScreenFontDC(const TScreenFontDC&) = delete;
  TScreenFontDC& operator=(const TScreenFontDC&) = delete;
  HDC Get() const { return FDC; }

 private:
  HDC FDC;
  HGDIOBJ FOld = nullptr;
};

LOGFONTA FontOf(TCanvas* Canvas) {
  LOGFONTA Lf{};
  GetObjectA(Canvas->Font()->Handle(), sizeof(Lf), &Lf);
  return Lf;
}

bool SameFont(const LOGFONTA& A, const LOGFONTA& B) {
  return A.lfHeight == B.lfHeight && A.lfWidth == B.lfWidth && A.lfEscapement == B.lfEscapement &&
         A.lfOrientation == B.lfOrientation && A.lfWeight == B.lfWeight && A.lfItalic == B.lfItalic &&
         A.lfUnderline == B.lfUnderline && A.lfStrikeOut == B.lfStrikeOut && A.lfCharSet == B.lfCharSet &&
         A.lfQuality == B.lfQuality && A.lfPitchAndFamily == B.lfPitchAndFamily &&
         std::strncmp(A.lfFaceName, B.lfFaceName, LF_FACESIZE) == 0;
}

// The bytes of an 8-bit bitmap, top row first.
TMaskView MaskView(TBitmap& Bmp) {
  if (Bmp.PixelFormat() != pf8bit || Bmp.Empty()) return {};
  const ptrdiff_t Pitch = (ptrdiff_t(Bmp.Width()) + 3) & ~ptrdiff_t(3);
  return {static_cast<uint8_t*>(Bmp.ScanLine(0)), Bmp.Width(), Bmp.Height(), -Pitch};
}

// An 8-bit bitmap whose colour table is the 256 grays.
std::unique_ptr<TBitmap> NewGrayBitmap(int Width, int Height) {
  auto Bmp = std::make_unique<TBitmap>();
  Bmp->SetPixelFormat(pf8bit);
  std::vector<uint8_t> Buffer(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
  auto* Lp = reinterpret_cast<LOGPALETTE*>(Buffer.data());
  Lp->palVersion = 0x300;
  Lp->palNumEntries = 256;
  for (int I = 0; I < 256; ++I) Lp->palPalEntry[I] = PALETTEENTRY{BYTE(I), BYTE(I), BYTE(I), 0};
  Bmp->SetPalette(CreatePalette(Lp));
  Bmp->SetSize(Width, Height);
  return Bmp;
}

}  // namespace

const TsGenState& StateProps(const TsGeneralData& Section, int State) {
  return Section.Props[State > 0 ? 1 : 0];
}

void EllipsisText(TCanvas* Canvas, const std::string& Text, int Width, std::string& Result) {
  Result = EllipsisText(Text, Width, [Canvas](const std::string& S) { return int(Canvas->TextWidth(S)); });
}

int DrawTextStr(HDC DC, const std::string& Text, const TRect& R, UINT Flags) {
  TRect Copy = R;
  return DrawTextA(DC, Text.data(), int(Text.size()), &Copy, Flags);
}

void DrawTextInColor(TCanvas* Canvas, const std::string& Text, const TRect& R, UINT Flags, TColor Color) {
  const HDC DC = Canvas->Handle();
  const int Saved = SaveDC(DC);
  SelectObject(DC, Canvas->Font()->Handle());
  SetTextColor(DC, COLORREF(ColorToRGB(Color)));
  SetBkMode(DC, TRANSPARENT);
  DrawTextStr(DC, Text, R, Flags);
  RestoreDC(DC, Saved);
}

TSize TextExtentOf(TCanvas* Canvas, const std::string& Text) { return Canvas->TextExtent(Text); }

void TextExtentTo(TCanvas* Canvas, const std::string& Text, TSize& Size) { Size = Canvas->TextExtent(Text); }

void TextRectOf(TCanvas* Canvas, const TRect& R, int X, int Y, const std::string& Text) {
  Canvas->TextRect(R, X, Y, Text);
}

bool TextExtentDC(HDC DC, const std::string& Text, TSize& Size) {
  return GetTextExtentPoint32A(DC, Text.data(), int(Text.size()), &Size) != 0;
}

void TextSizeOfFont(HFONT Font, const std::string& Text, TSize& Size) {
  Size = TSize{0, 0};
  const TScreenFontDC DC(Font);
  if (DC.Get() && !TextExtentDC(DC.Get(), Text, Size)) Size = TSize{0, 0};
}

int FontItemHeight(HFONT Font) {
  const TScreenFontDC DC(Font);
  TEXTMETRICA Tm{};
  if (DC.Get()) GetTextMetricsA(DC.Get(), &Tm);
  return Tm.tmHeight + 6;
}

void DrawGlowText(TBitmap* Bmp, const std::string& Text, const TRect& R, TsGlowMask& Mask, TColor GlowColor,
                  int GlowSize, int Sides, UINT Flags) {
  if (!Bmp || BitmapView(*Bmp).Empty()) return;
  const int Margin = GlowSize + 4;
  const TRect Work = Rect(R.left - Margin, R.top - Margin, R.right + Margin, R.bottom + Margin);
  const int W = RectWidth(Work), H = RectHeight(Work);
  if (W <= 0 || H <= 0) return;
  const LOGFONTA Font = FontOf(Bmp->Canvas());
  const bool Kept = Mask.Bmp && Mask.Bmp->Width() == W && Mask.Bmp->Height() == H && Mask.Text == Text &&
                    SameFont(Mask.Font, Font) && Mask.Flags == Flags && Mask.Sides == Sides && Mask.Size == GlowSize;
  if (!Kept) {
    Mask.Bmp = NewGrayBitmap(W, H);
    const TMaskView White = MaskView(*Mask.Bmp);
    for (int Y = 0; Y < H; ++Y) std::memset(White.ScanLine(Y), 255, size_t(W));
    TCanvas* C = Mask.Bmp->Canvas();
    C->SetFont(Bmp->Canvas()->Font());
    C->Brush()->SetStyle(bsClear);
    const TRect Place = Rect(Margin, Margin, Margin + RectWidth(R), Margin + RectHeight(R));
    for (const TsContourSide& Side : ContourSides)
      if (Sides & (1 << (&Side - ContourSides.data()))) {
        TRect Shifted = Place;
        OffsetRect(&Shifted, Side.Dx, Side.Dy);
        DrawTextInColor(C, Text, Shifted, Flags, clBlack);
      }
    DrawTextInColor(C, Text, Place, Flags, clBlack);
    BlurMask(MaskView(*Mask.Bmp), GlowSize);
    Mask.Text = Text;
    Mask.Font = Font;
    Mask.Flags = Flags;
    Mask.Sides = Sides;
    Mask.Size = GlowSize;
  }
  BlendGlow(BitmapView(*Bmp), Work.left, Work.top, MaskView(*Mask.Bmp), ColorToRGB(GlowColor));
}

int WriteTextBySection(TCanvas* Canvas, const std::string& Text, bool Enabled, TsSkinManager* SkinManager, int State,
                       int SkinIndex, UINT Flags, const TRect& R) {
  const TsSkinManager* Manager = SkinManager ? SkinManager : DefaultManager;
  if (Text.empty() || !Manager || !Manager->IsValidSkinIndex(SkinIndex)) return 0;
  const TsGeneralData& Section = Manager->Tables().Sections[size_t(SkinIndex)];
  SetBkMode(Canvas->Handle(), TRANSPARENT);
  if (!Enabled) {
    DrawTextInColor(Canvas, Text, R, Flags, BlendColors(Section.Props[0].FontColor, Section.Color, 0.4));
    return 0;
  }
  const TsGenState& S = StateProps(Section, State);
  for (const TsContourSide& Side : ContourSides) {
    if (S.*Side.Color == -1) continue;
    TRect Shifted = R;
    OffsetRect(&Shifted, Side.Dx, Side.Dy);
    DrawTextInColor(Canvas, Text, Shifted, Flags, S.*Side.Color);
  }
  DrawTextInColor(Canvas, Text, R, Flags, S.FontColor);
  return 0;
}

namespace {

// A skin colour turned by the owner's hue and saturation shifts.
TColor Shifted(TColor C, const TsCommonData& D) {
  if (D.HUEOffset() != 0) C = ChangeColorHue(D.HUEOffset(), C);
  return ChangeSaturation(C, D.Saturation());
}

// The kinds whose caption takes its colours from what shows through it: check and radio boxes and
// group boxes.
bool SeesThrough(const TsCommonData& D) {
  TControl* Owner = D.OwnerControl;
  if (!Owner || !Owner->ParentFont() || !Owner->Parent()) return false;
  return !dynamic_cast<TWinControl*>(Owner) || D.ControlKind == 32 || D.ControlKind == 33 || D.ControlKind == 74;
}

}  // namespace

int WriteTextForControl(TCanvas* Canvas, const std::string& Text, bool Enabled, int State, TsCommonData* SkinData,
                        UINT Flags, const TRect& R) {
  if (Text.empty()) return 0;
  TsSkinManager* Manager = SkinData ? SkinData->GetSkinManager() : nullptr;
  if (State != 0 && Manager && Manager->CommonIndexes().WebButton >= 0 &&
      SkinData->SkinIndex == Manager->CommonIndexes().WebButton)
    Canvas->Font()->SetStyle(Canvas->Font()->Style() | fsUnderline);
  const HDC DC = Canvas->Handle();
  const int Saved = SaveDC(DC);
  IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
  Canvas->Brush()->SetStyle(bsClear);
  const TColor Own = Canvas->Font()->Color();
  if (SkinData && SkinData->IsSkinActive() && !SkinData->CustomFont()) {
    int Index = SkinData->SkinIndex;
    if (Manager->IsValidSkinIndex(Index) && SeesThrough(*SkinData) &&
        StateProps(Manager->Tables().Sections[size_t(Index)], State).Transparency >= 1)
      Index = ResolveTextSkinIndex(SkinData->OwnerControl, Index, Manager, State);
    if (Manager->IsValidSkinIndex(Index)) {
      const TsGeneralData& Section = Manager->Tables().Sections[size_t(Index)];
      const TsGenState& S = StateProps(Section, State);
      if (SkinData->CacheBmp && S.GlowSize != 0) {
        TsGlowMask Mask;
        DrawGlowText(SkinData->CacheBmp.get(), Text, R, Mask, Shifted(S.GlowColor, *SkinData), S.GlowSize, gsAll,
                     Flags);
      }
      if (!Enabled) {
        DrawTextInColor(Canvas, Text, R, Flags,
                        Shifted(BlendColors(Section.Props[0].FontColor, Manager->GetGlobalColor(), 0.4), *SkinData));
      } else {
        for (const TsContourSide& Side : ContourSides) {
          if (S.*Side.Color == -1) continue;
          TRect Moved = R;
          OffsetRect(&Moved, Side.Dx, Side.Dy);
          DrawTextInColor(Canvas, Text, Moved, Flags, Shifted(S.*Side.Color, *SkinData));
        }
        DrawTextInColor(Canvas, Text, R, Flags | DT_NOCLIP, Shifted(S.FontColor, *SkinData));
      }
    } else {
      DrawTextInColor(Canvas, Text, R, Flags, Own);
    }
  } else if (Enabled) {
    DrawTextInColor(Canvas, Text, R, Flags, Own);
  } else {
    TRect Moved = R;
    OffsetRect(&Moved, 1, 1);
    DrawTextInColor(Canvas, Text, Moved, Flags, clBtnHighlight);
    DrawTextInColor(Canvas, Text, R, Flags, clBtnShadow);
  }
  RestoreDC(DC, Saved);
  return 0;
}

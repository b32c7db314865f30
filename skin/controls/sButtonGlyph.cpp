// The button glyph painter and the tool button's glyph.
#include "skin/controls/sButtonGlyph.h"

#include <algorithm>
#include <array>
#include <functional>

#include "skin/controls/sButtonGlyphPixels.h"
#include "skin/engine/acAlphaImageList.h"
#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sMaskData.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinPixels.h"
#include "toolkit/rtl/StringUtils.h"

namespace {

constexpr TColor Key = TColor(0xFF00FF);

bool Has(TsDisabledGlyphKind Kind, TsDisabledGlyphKindValue V) { return Kind & (1u << V); }

bool Enabled(const TBtnGlyphInput& In) { return !In.Control || In.Control->Enabled(); }

bool SkinActive(const TBtnGlyphInput& In) { return In.SkinData && In.SkinData->IsSkinActive(); }

bool GrayedNow(const TBtnGlyphInput& In) {
  return (In.State == 0 && In.Grayed) || (!Enabled(In) && Has(In.DisabledGlyphKind, dgGrayed));
}

// The colour a grayed glyph is tinted with: the section's, clBtnFace without a skin.
TColor GrayColor(const TBtnGlyphInput& In) {
  if (!GrayedNow(In)) return TintNone;
  const TsGeneralData* S = SkinActive(In) ? In.SkinData->Section() : nullptr;
  return ColorToRGB(S ? S->Color : clBtnFace);
}

// Draws onto the cache image itself, or onto a 32-bit copy of the button's area of another canvas that
// goes back to it afterwards.
void OnTarget(const TBtnGlyphInput& In, TCanvas* Canvas, const std::function<void(TBitmap*)>& Draw) {
  TBitmap* Cache = In.SkinData ? In.SkinData->CacheBmp.get() : nullptr;
  if (!Canvas || (Cache && Canvas == Cache->Canvas())) {
    if (Cache) Draw(Cache);
    return;
  }
  const int W = In.Control ? In.Control->Width() : 0, H = In.Control ? In.Control->Height() : 0;
  if (W <= 0 || H <= 0) return;
  std::unique_ptr<TBitmap> Work = NewBitmap32(W, H);
  BitBlt(Work->Canvas()->Handle(), 0, 0, W, H, Canvas->Handle(), 0, 0, SRCCOPY);
  Draw(Work.get());
  BitBlt(Canvas->Handle(), 0, 0, W, H, Work->Canvas()->Handle(), 0, 0, SRCCOPY);
}

bool OnCache(const TBtnGlyphInput& In, TCanvas* Canvas) {
  return !Canvas || (In.SkinData && In.SkinData->CacheBmp && Canvas == In.SkinData->CacheBmp->Canvas());
}

// Src's rectangle SrcRect drawn with alpha at Pt of Dst.
void DrawAlpha(TBitmap* Dst, TPoint Pt, TBitmap* Src, const TPixelRect& SrcRect, int Blend, TColor Tint,
               bool Reflected) {
  TStretchDrawAlpha D;
  D.Dst = BitmapView(Dst);
  D.Src = BitmapView(Src);
  D.SrcRect = SrcRect;
  D.DstRect = MakeRect(Pt.x, Pt.y, Pt.x + SrcRect.Width(), Pt.y + (SrcRect.Bottom - SrcRect.Top));
  D.BlendPercent = Blend;
  D.Tint = Tint;
  D.Reflected = Reflected;
  StretchDrawAlpha(D);
}

void DrawKeyGlyph(const TBtnGlyphInput& In, TCanvas* Canvas, TBitmap* Glyph) {
  TGlyphDraw G;
  G.R = PixelRect(In.GlyphRect);
  G.NumGlyphs = In.NumGlyphs;
  G.Enabled = Enabled(In);
  G.Effects = In.DisabledGlyphKind;
  G.State = In.State;
  G.BlendPercent = In.Blend;
  G.GlyphShift = In.Down;
  OnTarget(In, Canvas, [&](TBitmap* Target) { CopyGlyphBlended(Glyph, Target, G); });
}

void DrawAlphaGlyphCell(const TBtnGlyphInput& In, TCanvas* Canvas) {
  TBitmap* Glyph = In.Glyph;
  const TPixelRect Cell = GlyphCellRect(GlyphCellIndex(In.State, In.NumGlyphs), In.GlyphRect.right - In.GlyphRect.left,
                                        In.GlyphRect.bottom - In.GlyphRect.top, Glyph->Width(), Glyph->Height());
  if (IsRectEmpty(Cell)) return;
  const TPoint Pt{In.GlyphRect.left, In.GlyphRect.top};
  if (OnCache(In, Canvas)) {
    OnTarget(In, Canvas, [&](TBitmap* Target) {
      DrawAlpha(Target, Pt, Glyph, Cell, In.State == 0 ? In.Blend : 0, GrayColor(In), In.Reflected);
    });
    return;
  }
  std::unique_ptr<TBitmap> Own = NewBitmap32(Cell.Width(), Cell.Bottom - Cell.Top);
  BitBlt(Own->Canvas()->Handle(), 0, 0, Own->Width(), Own->Height(), Glyph->Canvas()->Handle(), Cell.Left, Cell.Top,
         SRCCOPY);
  const int Blend = GlyphBlend(In.Blend, In.State, Enabled(In), In.DisabledGlyphKind);
  // The blend is how much of the glyph lets the background through, as on the cache.
  if (Blend > 0) ScaleAlpha(BitmapView(Own.get()), 100 - Blend);
  if (GrayedNow(In)) GrayscaleBitmap(Own.get());
  OnTarget(In, Canvas, [&](TBitmap* Target) {
    DrawAlpha(Target, Pt, Own.get(), MakeRect(0, 0, Own->Width(), Own->Height()), 0, TintNone, In.Reflected);
  });
}

void DrawGlyphBitmap(const TBtnGlyphInput& In, TCanvas* Canvas) {
  TBitmap* Glyph = In.Glyph;
  // A 32-bit glyph without an opaque pixel is a key-colour glyph: drawn from a 24-bit copy, the
  // button's own bitmap keeping its alpha.
  std::unique_ptr<TBitmap> Copy24;
  if ((Glyph->PixelFormat() == pfDevice || !Enabled(In)) && Glyph->PixelFormat() == pf32bit &&
      !HasOpaquePixel(BitmapView(Glyph))) {
    Copy24 = std::make_unique<TBitmap>();
    Copy24->Assign(Glyph);
    Copy24->SetPixelFormat(pf24bit);
    Glyph = Copy24.get();
  }
  if (Glyph->PixelFormat() != pf32bit) {
    DrawKeyGlyph(In, Canvas, Glyph);
  } else {
    DrawAlphaGlyphCell(In, Canvas);
  }
}

// The list's image Index on a 32-bit bitmap filled with the list's background colour (the key colour
// when it has none).
std::unique_ptr<TBitmap> PlainImage(TCustomImageList* List, int Index) {
  std::unique_ptr<TBitmap> Img = NewBitmap32(List->Width(), List->Height());
  const TColor Bk = List->BkColor() == clNone ? Key : ColorToRGB(List->BkColor());
  Img->Canvas()->Brush()->SetColor(Bk);
  Img->Canvas()->FillRect(Rect(0, 0, Img->Width(), Img->Height()));
  List->Draw(Img->Canvas(), 0, 0, Index, true);
  return Img;
}

void DrawPlainListImage(const TBtnGlyphInput& In, TCanvas* Canvas) {
  std::unique_ptr<TBitmap> Img = PlainImage(In.Images, In.ImageIndex);
  const int X = In.GlyphRect.left, Y = In.GlyphRect.top;
  const bool On = Enabled(In);
  if (!SkinActive(In)) {
    if (!On && Has(In.DisabledGlyphKind, dgGrayed)) GrayscaleBitmapExcept(Img.get(), Img->Canvas()->Pixels(0, 0));
    OnTarget(In, Canvas, [&](TBitmap* Target) { CopyBitmapTransparent(Target, Img.get(), X, Y, Key); });
    return;
  }
  const TRect Whole = Rect(0, 0, Img->Width(), Img->Height());
  double Fade = 0;
  if (On && In.State == 0) {
    if (In.Grayed) GrayscaleBitmap(Img.get());
    if (In.Blend >= 1) Fade = In.Blend / 100.0;
  } else if (!On) {
    if (Has(In.DisabledGlyphKind, dgGrayed)) GrayscaleBitmap(Img.get());
    if (Has(In.DisabledGlyphKind, dgBlended)) Fade = 0.5;
  }
  OnTarget(In, Canvas, [&](TBitmap* Target) {
    if (Fade > 0)
      BlendBitmaps(Target, X, Y, Img.get(), Whole, Fade, Key);
    else
      CopyBitmapTransparent(Target, Img.get(), X, Y, Key);
  });
}

void DrawListImage(const TBtnGlyphInput& In, TCanvas* Canvas) {
  if (!dynamic_cast<TsAlphaImageList*>(In.Images)) {
    DrawPlainListImage(In, Canvas);
    return;
  }
  TImageListItemDraw D;
  D.ImgList = In.Images;
  D.X = In.GlyphRect.left;
  D.Y = In.GlyphRect.top;
  D.ImageIndex = In.ImageIndex;
  D.Blend = GlyphBlend(In.Blend, In.State, Enabled(In), In.DisabledGlyphKind);
  D.Color = GrayColor(In);
  D.State = int(In.Down) + In.State;
  D.StateCount = In.NumGlyphs;
  D.Reflected = In.Reflected;
  if (SkinActive(In) && OnCache(In, Canvas)) {
    if (In.SkinData->CacheBmp) DrawAlphaImageListItem(In.SkinData->CacheBmp.get(), D);
  } else if (Canvas) {
    DrawAlphaImageListItemToDC(Canvas->Handle(), D);
  }
}

}  // namespace

void DrawBtnGlyph(const TBtnGlyphInput& In, TCanvas* Canvas) {
  if (In.Glyph && !In.Glyph->Empty()) {
    DrawGlyphBitmap(In, Canvas);
  } else if (In.Images && In.ImageIndex >= 0 && In.ImageIndex < In.Images->Count()) {
    DrawListImage(In, Canvas);
  }
}

void DrawToolButtonGlyph(TToolBar* ToolBar, TToolButton* Button, TCustomDrawState State, TBitmap* Bmp) {
  if (!ToolBar || !Button || !Bmp) return;
  const int Look = ToolButtonState(State);
  const int Index = Button->ImageIndex();
  TCustomImageList* Hot = ToolBar->HotImages();
  TCustomImageList* List = Look != 0 && Hot && Hot->Count() > Index ? Hot : ToolBar->Images();
  if (!List || Index < 0 || Index >= List->Count()) return;
  const TCustomImageList* Sized = ToolBar->Images() ? ToolBar->Images() : List;
  TToolGlyphInput G;
  G.ButtonWidth = Button->Width();
  G.ButtonHeight = Button->Height();
  G.ImageWidth = Sized->Width();
  G.ImageHeight = Sized->Height();
  G.List = ToolBar->List();
  G.DropDown = Button->Style() == tbsDropDown;
  G.ShowCaptions = ToolBar->ShowCaptions();
  G.TextHeight = G.ShowCaptions ? Bmp->Canvas()->TextHeight("A") : 0;
  G.State = Look;
  const TPixelRect R = ToolButtonGlyphRect(G);
  if (dynamic_cast<TsAlphaImageList*>(List)) {
    TImageListItemDraw D;
    D.ImgList = List;
    D.X = R.Left;
    D.Y = R.Top;
    D.ImageIndex = Index;
    D.State = ToolButtonAlphaState(State);
    DrawAlphaImageListItem(Bmp, D);
  } else {
    std::unique_ptr<TBitmap> Img = PlainImage(List, Index);
    CopyBitmapTransparent(Bmp, Img.get(), R.Left, R.Top, Key);
  }
}

bool IsNeverSkinnedClass(std::string_view ClassName) {
  static constexpr std::array<std::string_view, 2> Classes{"TApplication", "TfcPopup"};
  return std::any_of(Classes.begin(), Classes.end(), [&](std::string_view C) { return SameText(C, ClassName); });
}

// The skinned bitmap button: its properties, the place of its glyph and caption, and what it draws on
// the face of the push buttons' common cache image.
#include "skin/controls/sBitBtn.h"

#include <algorithm>

#include "skin/controls/sButtonGlyph.h"
#include "skin/engine/sMaskData.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinText.h"

namespace {

constexpr int BitBtnKind = 94;

TRect ToRect(const TPixelRect& R) { return Rect(R.Left, R.Top, R.Right, R.Bottom); }

UINT AlignmentFlags(TAlignment A) { return A == taLeftJustify ? DT_LEFT : A == taRightJustify ? DT_RIGHT : DT_CENTER; }

}  // namespace

TsBitBtn::TsBitBtn(TComponent* AOwner) : TsButtonBase<TBitBtn>(AOwner, BitBtnKind) {
  SetControlStyle(ControlStyle() & ~csOpaque);
  FCommonData->FinishLoading();
}

void TsBitBtn::SetBlend(int Value) { Store(FBlend, std::clamp(Value, 0, 100)); }

void TsBitBtn::SetDown(bool Value) {
  if (FDown == Value) return;
  SetDownValue(Value);
  FCommonData->BGChanged = true;
  Repaint();
}

void TsBitBtn::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  FCommonData->BGChanged = true;
  Repaint();
}

void TsBitBtn::Loaded() {
  TsButtonBase<TBitBtn>::Loaded();
  if (ImageInUse()) SetGlyph(nullptr);
}

void TsBitBtn::Invalidate() {
  if (FCommonData && (Layout() != FLastLayout || Spacing() != FLastSpacing)) {
    FLastLayout = Layout();
    FLastSpacing = Spacing();
    FCommonData->BGChanged = true;
  }
  TsButtonBase<TBitBtn>::Invalidate();
}

void TsBitBtn::CachePainted() {
  if (OnPaint) OnPaint(this, FCommonData->CacheBmp.get());
}

void TsBitBtn::GetPublishedProperties(TPropList& List) const {
  TBitBtn::GetPublishedProperties(List);
  static const std::vector<std::string> Alignments{"taLeftJustify", "taRightJustify", "taCenter"};
  static const TPropInfo Props[] = {
      ObjProperty<TsBitBtn>("SkinData", &TsBitBtn::SkinData, nullptr),
      SetProperty<TsBitBtn>("AnimatEvents", &TsBitBtn::AnimatEvents, &TsBitBtn::SetAnimatEvents,
                            {"aeMouseEnter", "aeMouseLeave", "aeMouseDown", "aeMouseUp", "aeGlobalDef"}),
      OrdProperty<TsBitBtn>("Alignment", &TsBitBtn::Alignment, &TsBitBtn::SetAlignment, Alignments),
      OrdProperty<TsBitBtn>("TextAlignment", &TsBitBtn::TextAlignment, &TsBitBtn::SetTextAlignment, Alignments),
      OrdProperty<TsBitBtn>("Blend", &TsBitBtn::Blend, &TsBitBtn::SetBlend),
      SetProperty<TsBitBtn>("DisabledGlyphKind", &TsBitBtn::DisabledGlyphKind, &TsBitBtn::SetDisabledGlyphKind,
                            {"dgBlended", "dgGrayed"}),
      SetProperty<TsBitBtn>("DisabledKind", &TsBitBtn::DisabledKind, &TsBitBtn::SetDisabledKind,
                            {"dkBlended", "dkGrayed"}),
      BoolProperty<TsBitBtn>("Down", &TsBitBtn::Down, &TsBitBtn::SetDown),
      OrdProperty<TsBitBtn>("FocusMargin", &TsBitBtn::FocusMargin, &TsBitBtn::SetFocusMargin),
      BoolProperty<TsBitBtn>("Grayed", &TsBitBtn::Grayed, &TsBitBtn::SetGrayed),
      OrdProperty<TsBitBtn>("ImageIndex", &TsBitBtn::ImageIndex, &TsBitBtn::SetImageIndex),
      ObjProperty<TsBitBtn>("Images", &TsBitBtn::Images, &TsBitBtn::SetImages),
      BoolProperty<TsBitBtn>("Reflected", &TsBitBtn::Reflected, &TsBitBtn::SetReflected),
      BoolProperty<TsBitBtn>("ShowCaption", &TsBitBtn::ShowCaption, &TsBitBtn::SetShowCaption),
      BoolProperty<TsBitBtn>("ShowFocus", &TsBitBtn::ShowFocus, &TsBitBtn::SetShowFocus),
      BoolProperty<TsBitBtn>("DrawOverBorder", &TsBitBtn::DrawOverBorder, &TsBitBtn::SetDrawOverBorder),
      OrdProperty<TsBitBtn>("TextOffset", &TsBitBtn::TextOffset, &TsBitBtn::SetTextOffset),
      BoolProperty<TsBitBtn>("WordWrap", &TsBitBtn::WordWrap, &TsBitBtn::SetWordWrap)};
  for (const TPropInfo& P : Props) List.push_back(&P);
}

// ---- Glyph and layout

bool TsBitBtn::ImageInUse() const { return FImages && FImages->Count() > 0 && FImageIndex >= 0 && FImageIndex < FImages->Count(); }

int TsBitBtn::GlyphWidth() {
  if (ImageInUse()) return GlyphCellWidth(FImages->Width(), NumGlyphs());
  return Glyph()->Empty() ? 0 : GlyphCellWidth(Glyph()->Width(), NumGlyphs());
}

int TsBitBtn::GlyphHeight() {
  if (ImageInUse()) return FImages->Height();
  return Glyph()->Empty() ? 0 : Glyph()->Height();
}

TGlyphButtonPlaces TsBitBtn::Places() {
  TBitBtnLayoutInput In;
  In.Width = Width();
  In.Height = Height();
  In.GlyphWidth = GlyphWidth();
  In.GlyphHeight = GlyphHeight();
  In.Layout = TGlyphSide(Layout());
  In.Alignment = TBlockAlignment(FAlignment);
  In.Margin = Margin();
  In.Spacing = Spacing();
  In.State = CurrentState();
  In.Reflected = FReflected;
  const std::string Text = Caption();
  if (FShowCaption && !Text.empty()) {
    // Measured on a canvas of its own: the cache canvas may be drawing.
    std::unique_ptr<TBitmap> Measure = NewBitmap32(1, 1);
    TCanvas& C = *Measure->Canvas();
    C.Font()->Assign(*Font());
    TRect R = Rect(0, 0, BitBtnCaptionLimit(In), 0);
    const UINT Flags = DT_CALCRECT | DT_EXPANDTABS | AlignmentFlags(FTextAlignment) | (FWordWrap ? DT_WORDBREAK : 0);
    const HGDIOBJ Old = SelectObject(C.Handle(), C.Font()->Handle());
    DrawTextA(C.Handle(), Text.c_str(), int(Text.size()), &R, Flags);
    SelectObject(C.Handle(), Old);
    In.TextWidth = R.right - R.left;
    In.TextHeight = R.bottom - R.top;
  }
  return BitBtnLayout(In);
}

// ---- The face

void TsBitBtn::DrawGlyph(int State, const TPixelRect& R) {
  TBtnGlyphInput G;
  G.Images = FImages;
  G.Glyph = ImageInUse() ? nullptr : Glyph();
  G.ImageIndex = FImageIndex;
  G.GlyphRect = ToRect(R);
  G.NumGlyphs = NumGlyphs();
  G.Blend = FBlend;
  G.Down = FDown;
  G.Grayed = FGrayed;
  G.State = State;
  G.DisabledGlyphKind = FDisabledGlyphKind;
  G.Reflected = FReflected;
  G.Control = this;
  G.SkinData = FCommonData.get();
  DrawBtnGlyph(G, nullptr);
}

void TsBitBtn::DrawCaption(TCanvas* Canvas, int State, const TPixelRect& R) {
  const std::string Text = Caption();
  if (!FShowCaption || Text.empty()) return;
  TsCtrlSkinData& D = *FCommonData;
  Canvas->Font()->Assign(*Font());
  Canvas->Brush()->SetStyle(bsClear);
  const UINT Flags = AlignmentFlags(FTextAlignment) | DT_EXPANDTABS | DT_END_ELLIPSIS | (FWordWrap ? DT_WORDBREAK : 0);
  const TRect CaptionRect = ToRect(R);
  WriteTextForControl(Canvas, Text, true, State, &D, Flags, CaptionRect);
  const TsGeneralData* S = D.Section();
  if (Focused() && Enabled() && FShowFocus && S && S->ShowFocus) {
    TRect F = CaptionRect;
    InflateRect(&F, FFocusMargin, FFocusMargin);
    DrawDottedFrame(Canvas, F, clBtnFace, clBlack);
  }
}

void TsBitBtn::DrawFace(int State) {
  const TGlyphButtonPlaces P = Places();
  DrawGlyph(State, P.Glyph);
  DrawCaption(FCommonData->CacheBmp->Canvas(), State, P.Caption);
}

// ---- Messages of its own

bool TsBitBtn::OwnSkinnedMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_UPDATEUISTATE:
      Message.Result = 0;
      return true;
    case WM_SETTEXT:
      if (!Visible()) return false;
      StopFade();
      SendMessageA(WindowHandle(), WM_SETREDRAW, 0, 0);
      TBitBtn::WndProc(Message);
      SendMessageA(WindowHandle(), WM_SETREDRAW, 1, 0);
      return true;
    case CM_TEXTCHANGED:
      if (Visible()) FCommonData->Invalidate();
      return true;
    default:
      return false;
  }
}

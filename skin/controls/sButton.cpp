// The skinned push button: its properties, its cache image and window region, its press and hover
// fades and its window procedure over the skin commands.
#include "skin/controls/sButton.h"

#include <algorithm>

#include "skin/controls/sButtonGlyph.h"
#include "skin/engine/acGlow.h"
#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sBorderPaint.h"
#include "skin/engine/sCtrlUtils.h"
#include "skin/engine/sMaskData.h"
#include "skin/engine/sSectionPaint.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinText.h"
#include "skin/engine/sSkinUtils.h"
#include "toolkit/ui/Forms.h"


namespace {

constexpr int ButtonKind = 93;

TRect ToRect(const TPixelRect& R) { return Rect(R.Left, R.Top, R.Right, R.Bottom); }

}  // namespace

// ---- TImageMargins

void TImageMargins::SetValue(int TMarginValues::*Field, int Value) {
  if (FValues.*Field == Value) return;
  FValues.*Field = Value;
  Changed();
}

void TImageMargins::Changed() {
  if (OnChange) OnChange(this);
}

void TImageMargins::Assign(TPersistent* Source) {
  auto* From = dynamic_cast<TImageMargins*>(Source);
  if (!From) {
    TPersistent::Assign(Source);
    return;
  }
  FValues = From->FValues;
  Changed();
}

void TImageMargins::GetPublishedProperties(TPropList& List) const {
  static const TPropInfo Props[] = {
      OrdProperty<TImageMargins>("Left", &TImageMargins::Left, &TImageMargins::SetLeft),
      OrdProperty<TImageMargins>("Top", &TImageMargins::Top, &TImageMargins::SetTop),
      OrdProperty<TImageMargins>("Right", &TImageMargins::Right, &TImageMargins::SetRight),
      OrdProperty<TImageMargins>("Bottom", &TImageMargins::Bottom, &TImageMargins::SetBottom)};
  for (const TPropInfo& P : Props) List.push_back(&P);
}

// ---- TsButton: construction and properties

TsButton::TsButton(TComponent* AOwner)
    : TsButtonBase<TButton>(AOwner, ButtonKind), FImageMargins(std::make_unique<TImageMargins>()) {
  SetControlStyle(ControlStyle() & ~(csOpaque | csDoubleClicks));
  FImageMargins->OnChange = [this](TObject*) {
    if (FImages) FCommonData->Invalidate();
  };
  FCommonData->FinishLoading();
}

void TsButton::CreateParams(TCreateParams& Params) {
  TButton::CreateParams(Params);
  Params.Style = (Params.Style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TsButton::GetPublishedProperties(TPropList& List) const {
  TButton::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      ObjProperty<TsButton>("SkinData", &TsButton::SkinData, nullptr),
      SetProperty<TsButton>("AnimatEvents", &TsButton::AnimatEvents, &TsButton::SetAnimatEvents,
                            {"aeMouseEnter", "aeMouseLeave", "aeMouseDown", "aeMouseUp", "aeGlobalDef"}),
      BoolProperty<TsButton>("ShowFocus", &TsButton::ShowFocus, &TsButton::SetShowFocus),
      SetProperty<TsButton>("DisabledKind", &TsButton::DisabledKind, &TsButton::SetDisabledKind,
                            {"dkBlended", "dkGrayed"}),
      BoolProperty<TsButton>("Down", &TsButton::Down, &TsButton::SetDown),
      OrdProperty<TsButton>("FocusMargin", &TsButton::FocusMargin, &TsButton::SetFocusMargin),
      StrProperty<TsButton>("CommandLinkHint", &TsButton::CommandLinkHint, &TsButton::SetCommandLinkHint),
      ObjProperty<TsButton>("DropDownMenu", &TsButton::DropDownMenu, &TsButton::SetDropDownMenu),
      ObjProperty<TsButton>("Images", &TsButton::Images, &TsButton::SetImages),
      OrdProperty<TsButton>("ImageAlignment", &TsButton::ImageAlignment, &TsButton::SetImageAlignment,
                            {"iaLeft", "iaRight", "iaTop", "iaBottom", "iaCenter"}),
      OrdProperty<TsButton>("ImageIndex", &TsButton::ImageIndex, &TsButton::SetImageIndex),
      OrdProperty<TsButton>("HotImageIndex", &TsButton::HotImageIndex, &TsButton::SetHotImageIndex),
      OrdProperty<TsButton>("PressedImageIndex", &TsButton::PressedImageIndex, &TsButton::SetPressedImageIndex),
      OrdProperty<TsButton>("SelectedImageIndex", &TsButton::SelectedImageIndex, &TsButton::SetSelectedImageIndex),
      OrdProperty<TsButton>("DisabledImageIndex", &TsButton::DisabledImageIndex, &TsButton::SetDisabledImageIndex),
      ObjProperty<TsButton>("ImageMargins", &TsButton::ImageMargins, &TsButton::SetImageMargins),
      OrdProperty<TsButton>("ContentMargin", &TsButton::ContentMargin, &TsButton::SetContentMargin),
      OrdProperty<TsButton>("Style", &TsButton::Style, &TsButton::SetStyle,
                            {"bsPushButton", "bsCommandLink", "bsSplitButton"}),
      BoolProperty<TsButton>("Reflected", &TsButton::Reflected, &TsButton::SetReflected),
      BoolProperty<TsButton>("WordWrap", &TsButton::WordWrap, &TsButton::SetWordWrap)};
  for (const TPropInfo& P : Props) List.push_back(&P);
}

void TsButton::SetIndex(int& Field, int Value) {
  if (Field == Value) return;
  Field = Value;
  if (FImages) Changed();
}

void TsButton::SetImageAlignment(TImageAlignment Value) {
  if (FImageAlignment == Value) return;
  FImageAlignment = Value;
  if (FImages) Changed();
}

void TsButton::SetDown(bool Value) {
  if (FDown == Value) return;
  SetDownValue(Value);
  if (!(ComponentState() & csLoading)) Changed();
}

void TsButton::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  if (!(ComponentState() & csLoading)) Changed();
}

void TsButton::SetCommandLinkHint(const std::string& Value) {
  if (FCommandLinkHint == Value) return;
  FCommandLinkHint = Value;
  Changed();
}

void TsButton::SetDropDownMenu(TPopupMenu* Value) {
  if (FDropDownMenu == Value) return;
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = Value;
  if (FDropDownMenu) FDropDownMenu->FreeNotification(this);
  Changed();
}

void TsButton::SetContentMargin(int Value) {
  if (FContentMargin == Value) return;
  FContentMargin = Value;
  Changed();
}

void TsButton::SetStyle(TButtonStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Changed();
}

void TsButton::SetReflected(bool Value) {
  if (FReflected == Value) return;
  FReflected = Value;
  Changed();
}

void TsButton::Notification(TComponent* AComponent, TOperation Operation) {
  TsButtonBase<TButton>::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

// ---- Look, glyph and layout

int TsButton::CurrentGlyphIndex() {
  TGlyphChoice C;
  C.Count = FImages ? FImages->Count() : 0;
  C.Enabled = Enabled();
  C.Focused = Focused();
  C.State = CurrentState();
  C.ImageIndex = FImageIndex;
  C.HotImageIndex = FHotImageIndex;
  C.PressedImageIndex = FPressedImageIndex;
  C.SelectedImageIndex = FSelectedImageIndex;
  C.DisabledImageIndex = FDisabledImageIndex;
  return ButtonGlyphIndex(C);
}

namespace {

// The caption font of a command link: bold, two points larger.
void UseLinkFont(TFont& Font) {
  Font.SetStyle(Font.Style() | fsBold);
  Font.SetSize(Font.Size() + 2);
}

}  // namespace

TsButtonRects TsButton::Rects() {
  TsButtonRectsInput In;
  In.Width = Width();
  In.Height = Height();
  In.Style = FStyle;
  In.Alignment = FImageAlignment;
  In.Margins = FImageMargins->Values();
  In.ContentMargin = FContentMargin;
  In.HasGlyph = CurrentGlyphIndex() >= 0;
  In.ImageWidth = FImages ? FImages->Width() : 0;
  In.ImageHeight = FImages ? FImages->Height() : 0;
  In.State = CurrentState();
  // Measured on a canvas of its own: the cache canvas may be drawing.
  std::unique_ptr<TBitmap> Measure = NewBitmap32(1, 1);
  TCanvas& C = *Measure->Canvas();
  C.Font()->Assign(*Font());
  if (FStyle == bsCommandLink) UseLinkFont(*C.Font());
  const std::string Text = Caption();
  TRect R = Rect(0, 0, ButtonTextLimit(In), 0);
  const UINT Flags = DT_CALCRECT | DT_EXPANDTABS | DT_CENTER | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE);
  const HGDIOBJ Old = SelectObject(C.Handle(), C.Font()->Handle());
  DrawTextA(C.Handle(), Text.c_str(), int(Text.size()), &R, Flags);
  SelectObject(C.Handle(), Old);
  In.TextWidth = R.right - R.left;
  In.TextHeight = R.bottom - R.top;
  return ButtonLayout(In);
}

void TsButton::DrawGlyph(TCanvas* Canvas, int State, const TsButtonRects& R) {
  const int Index = CurrentGlyphIndex();
  if (Index < 0) return;
  TBtnGlyphInput G;
  G.Images = FImages;
  G.ImageIndex = Index;
  G.GlyphRect = ToRect(R.Glyph);
  G.Down = State == 2;
  G.State = State;
  G.Reflected = FReflected;
  G.Control = this;
  G.SkinData = FCommonData.get();
  DrawBtnGlyph(G, Canvas);
}

void TsButton::DrawCaption(TCanvas* Canvas, int State, const TsButtonRects& R) {
  TsCtrlSkinData& D = *FCommonData;
  const std::string Text = Caption();
  Canvas->Font()->Assign(*Font());
  Canvas->Brush()->SetStyle(bsClear);
  const bool Link = FStyle == bsCommandLink;
  UINT Flags = Link ? DT_EXPANDTABS | DT_WORDBREAK : DT_EXPANDTABS | DT_CENTER | DT_VCENTER;
  if (!Link && FWordWrap) Flags |= DT_WORDBREAK;
  if (Link) UseLinkFont(*Canvas->Font());
  const TRect CaptionRect = ToRect(R.Caption);
  WriteTextForControl(Canvas, Text, Enabled() || D.IsSkinActive(), State, &D, Flags, CaptionRect);
  if (Link) {
    Canvas->Font()->Assign(*Font());
    const TRect Hint = ToRect(R.Hint);
    WriteTextForControl(Canvas, FCommandLinkHint, Enabled() || D.IsSkinActive(), State, &D,
                        DT_EXPANDTABS | DT_WORDBREAK, Hint);
  }
  const TsGeneralData* S = D.Section();
  if (Focused() && Enabled() && !Text.empty() && FShowFocus && D.IsSkinActive() && S && S->ShowFocus) {
    TRect F = CaptionRect;
    InflateRect(&F, FFocusMargin, FFocusMargin);
    DrawDottedFrame(Canvas, F, clBtnFace, clBlack);
  }
}

void TsButton::DrawSplitPart(TCanvas* Canvas, TColor Color) {
  Canvas->Pen()->SetColor(Color);
  Canvas->MoveTo(Width() - 15, 4);
  Canvas->LineTo(Width() - 15, Height() - 4);
  DrawArrow(Canvas, Color, Rect(Width() - SplitPartWidth, 0, Width(), Height()), 8);
}

void TsButton::DrawFace(int State) {
  const TsGeneralData* S = FCommonData->Section();
  TCanvas* Canvas = FCommonData->CacheBmp->Canvas();
  const TsButtonRects R = Rects();
  DrawGlyph(nullptr, State, R);
  DrawCaption(Canvas, State, R);
  if (FStyle == bsSplitButton) DrawSplitPart(Canvas, State == 0 ? S->FontColor : S->HotFontColor);
}

// ---- The unskinned look

void TsButton::DrawUnskinned(const DRAWITEMSTRUCT& Item) {
  TCanvas C;
  C.SetHandle(Item.hDC);
  C.Font()->Assign(*Font());
  const bool Pressed = Item.itemState & ODS_SELECTED, Focus = Focused() || (Item.itemState & ODS_FOCUS);
  const bool DefaultLook = Default();
  TRect R = ClientRect();
  if (DefaultLook || Focus) {
    C.Pen()->SetColor(clWindowFrame);
    C.Brush()->SetStyle(bsClear);
    C.Rectangle(R);
    InflateRect(&R, -1, -1);
  }
  if (Pressed) {
    C.Pen()->SetColor(clBtnShadow);
    C.Brush()->SetStyle(bsSolid);
    C.Brush()->SetColor(clBtnFace);
    C.Rectangle(R);
    InflateRect(&R, -1, -1);
  } else {
    UINT State = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (Item.itemState & ODS_DISABLED) State |= DFCS_INACTIVE;
    DrawFrameControl(Item.hDC, &R, DFC_BUTTON, State);
  }
  if (DefaultLook && Focus) {
    TRect F = ClientRect();
    InflateRect(&F, -4, -4);
    if (FStyle == bsSplitButton) F.right -= 14;
    DrawFocusRect(Item.hDC, &F);
  }
  const int State = Pressed ? 2 : 0;
  const TsButtonRects Rs = Rects();
  C.Brush()->SetStyle(bsClear);
  DrawCaption(&C, State, Rs);
  DrawGlyph(&C, State, Rs);
  if (FStyle == bsSplitButton) {
    DrawSplitPart(&C, Font()->Color());
    C.Pen()->SetColor(clWindowFrame);
    C.MoveTo(Width() - 15, 4);
    C.LineTo(Width() - 15, Height() - 4);
  }
  C.SetHandle(nullptr);
}

// ---- Mouse

void TsButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FStyle == bsSplitButton && FDropDownMenu && X >= Width() - SplitPartWidth) {
    FDropDownOpen = true;
    Invalidate();
    const TPoint P = ClientToScreen(Point(0, Height()));
    FDropDownMenu->SetPopupComponent(this);
    FDropDownMenu->Popup(P.x, P.y);
    FDropDownOpen = false;
    Invalidate();
    // The press ends here: the button's own press would click it.
    if (HandleAllocated()) {
      SendMessageA(WindowHandle(), BM_SETSTATE, 0, 0);
      ReleaseCapture();
    }
    return;
  }
  TsButtonBase<TButton>::MouseDown(Button, Shift, X, Y);
}

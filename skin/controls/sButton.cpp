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

bool ForcePressedLook = false;

namespace {

constexpr int ButtonKind = 93;
// Set while a button's focus change runs, so that the form's focus notification does not redraw.
bool FocusChanging = false;

TRect ToRect(const TPixelRect& R) { return Rect(R.Left, R.Top, R.Right, R.Bottom); }

// The application's hints off for the time of a press.
class THintsOff {
 public:
  explicit THintsOff(bool Active) : was_(Active && Application && Application->ShowHint()) {
    if (was_) Application->SetShowHint(false);
  }
  ~THintsOff() {
    if (was_) Application->SetShowHint(true);
  }
  THintsOff(const THintsOff&) = delete;
  THintsOff& operator=(const THintsOff&) = delete;

 private:
  bool was_;
};

// WM_SETREDRAW off for the lifetime of the object, for a window on screen only (turning redraw on makes a
// hidden window visible). What was exposed meanwhile was not painted: the window is invalidated after.
class TRedrawOff {
 public:
  explicit TRedrawOff(TWinControl* C)
      : wnd_(C->HandleAllocated() && IsWindowVisible(C->WindowHandle()) ? C->WindowHandle() : nullptr) {
    if (wnd_) SendMessageA(wnd_, WM_SETREDRAW, 0, 0);
  }
  ~TRedrawOff() {
    if (!wnd_) return;
    SendMessageA(wnd_, WM_SETREDRAW, 1, 0);
    RedrawWindow(wnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
  TRedrawOff(const TRedrawOff&) = delete;
  TRedrawOff& operator=(const TRedrawOff&) = delete;

 private:
  HWND wnd_;
};

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
    : TButton(AOwner),
      FCommonData(std::make_unique<TsCtrlSkinData>(this, true)),
      FImageMargins(std::make_unique<TImageMargins>()) {
  FCommonData->ControlKind = ButtonKind;
  SetControlStyle(ControlStyle() & ~(csOpaque | csDoubleClicks));
  FImageMargins->OnChange = [this](TObject*) {
    if (FImages) FCommonData->Invalidate();
  };
  FCommonData->FinishLoading();
}

TsButton::~TsButton() {
  StopFade();
  if (FRegion) DeleteObject(FRegion);
  FCommonData.reset();
}

void TsButton::CreateParams(TCreateParams& Params) {
  TButton::CreateParams(Params);
  Params.Style = (Params.Style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TsButton::Loaded() {
  TButton::Loaded();
  if (FCommonData->CacheBmp) FCommonData->CacheBmp->Canvas()->Font()->Assign(*Font());
  FCommonData->FinishLoading();
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

void TsButton::Changed() { FCommonData->Invalidate(); }

void TsButton::SetIndex(int& Field, int Value) {
  if (Field == Value) return;
  Field = Value;
  if (FImages) Changed();
}

void TsButton::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Changed();
}

void TsButton::SetImageAlignment(TImageAlignment Value) {
  if (FImageAlignment == Value) return;
  FImageAlignment = Value;
  if (FImages) Changed();
}

void TsButton::SetDisabledKind(TsDisabledKind Value) {
  if (FDisabledKind == Value) return;
  FDisabledKind = Value;
  if (!(ComponentState() & csLoading)) Changed();
}

void TsButton::SetDown(bool Value) {
  if (FDown == Value) return;
  FDown = Value;
  FRegionChanged = true;
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

void TsButton::SetShowFocus(bool Value) {
  if (FShowFocus == Value) return;
  FShowFocus = Value;
  Changed();
}

void TsButton::Notification(TComponent* AComponent, TOperation Operation) {
  TButton::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

// ---- Look, glyph and layout

int TsButton::CurrentState() {
  TButtonStateInput In;
  In.Pushed = HandleAllocated() && (SendMessageA(WindowHandle(), BM_GETSTATE, 0, 0) & BST_PUSHED);
  In.ForcePressed = ForcePressedLook;
  In.MouseAbove = FCommonData->MouseAbove;
  In.LeftButtonHeld = GetKeyState(VK_LBUTTON) < 0;
  In.Down = FDown;
  In.DropDownOpen = FDropDownOpen;
  In.DefaultLook = Default();
  In.HotState = FCommonData->IsHotState();
  return ButtonCurrentState(In);
}

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

// ---- Cache image and region

const TsMaskData* TsButton::CornerMask() const {
  TsSkinManager* M = FCommonData->GetSkinManager();
  if (!M || !M->IsValidMaskIndex(FCommonData->BorderIndex)) return nullptr;
  const TsMaskData& Mask = M->Tables().Masks[FCommonData->BorderIndex];
  return Mask.CornerType == 2 ? &Mask : nullptr;
}

void TsButton::PrepareCache() {
  TsCtrlSkinData& D = *FCommonData;
  TsSkinManager* M = D.GetSkinManager();
  const TsGeneralData* S = D.Section();
  if (!M || !S) return;
  TsCacheInfo Bg;
  D.GetParentBgInfo(Bg);
  D.InitCacheBitmap();
  TBitmap* Cache = D.CacheBmp.get();
  Cache->Canvas()->Font()->Assign(*Font());
  const int State = std::min(CurrentState(), std::max(S->States, 1) - 1);
  TsItemPaint Item;
  Item.SkinData = &D;
  Item.CacheInfo = Bg;
  Item.State = State;
  Item.Bmp = Cache;
  Item.Offset = Point(Left(), Top());
  Item.R = Rect(0, 0, Width(), Height());
  PaintControlBackground(Item);
  if (M->IsValidMaskIndex(D.BorderIndex)) {
    const TsMaskData& Mask = M->Tables().Masks[D.BorderIndex];
    if (!(State == 0 && (Mask.DrawMode & 2))) {
      if (FRegionChanged && Mask.CornerType == 2 && !AnimationInProgress && !FFadeTimer) {
        if (FRegion) DeleteObject(FRegion);
        FRegion = CreateRectRgn(0, 0, Width(), Height());
        PaintBorderMask(Cache, FRegion, false, State, PieceView(Mask));
      } else {
        TPaintMaskRect P;
        P.Bmp = BitmapView(Cache);
        P.R = MakeRect(0, 0, Width(), Height());
        P.CacheInfo = CacheView(Bg);
        P.Piece = PieceView(Mask);
        P.State = State;
        PaintMaskRect(P);
      }
    }
  }
  if (D.HUEOffset() != 0) ChangeBitmapHue(Cache, D.HUEOffset());
  if (D.Saturation() != 0) ChangeBitmapSaturation(Cache, D.Saturation());
  const TsButtonRects R = Rects();
  DrawGlyph(nullptr, State, R);
  DrawCaption(Cache->Canvas(), State, R);
  if (FStyle == bsSplitButton) DrawSplitPart(Cache->Canvas(), State == 0 ? S->FontColor : S->HotFontColor);
  if (!Enabled()) ApplyGlyphEffects(Cache, FDisabledKind, this, Bg, Point(Left(), Top()));
  D.BGChanged = false;
}

void TsButton::InvalidateParentStrip(const TRect& R) {
  if (TWinControl* P = Parent(); P && P->HandleAllocated()) InvalidateRect(P->WindowHandle(), &R, TRUE);
}

void TsButton::DropRegion() {
  if (FRegion) DeleteObject(FRegion);
  FRegion = nullptr;
  if (HandleAllocated()) SetWindowRgn(WindowHandle(), nullptr, TRUE);
}

bool TsButton::PaintInfoDC(HDC DC) const { return DC && FCommonData->PaintInfo; }

void TsButton::ApplyRegion(HDC DC) {
  const TsMaskData& Mask = *CornerMask();
  TsCtrlSkinData& D = *FCommonData;
  PrepareCache();
  const HDC Cache = D.CacheBmp->Canvas()->Handle();
  const int W = Width(), H = Height();
  // The border areas: left-top corner, bottom strip, right-bottom and right-top corners.
  BitBlt(DC, 0, 0, Mask.WL, Mask.WT, Cache, 0, 0, SRCCOPY);
  BitBlt(DC, 0, H - Mask.WB, W, Mask.WB, Cache, 0, H - Mask.WB, SRCCOPY);
  BitBlt(DC, W - Mask.WR, H - Mask.WB, Mask.WR, Mask.WB, Cache, W - Mask.WR, H - Mask.WB, SRCCOPY);
  BitBlt(DC, W - Mask.WR, 0, Mask.WR, Mask.WT, Cache, W - Mask.WR, 0, SRCCOPY);
  FRegionChanged = false;
  if (PaintInfoDC(DC) || !FRegion) return;
  SetWindowRgn(WindowHandle(), FRegion, FFirstRegion || SkinChangeInProgress);
  FRegion = nullptr;
  FFirstRegion = false;
  const TRect Now = BoundsRect();
  const TRect& Old = FLastRegionBounds;
  const bool Shrank = Old.right > Old.left && (Now.right - Now.left < Old.right - Old.left ||
                                               Now.bottom - Now.top < Old.bottom - Old.top);
  TsBackgroundInfo Bg;
  if (Shrank && Parent()) QueryBackground(Bg, Parent(), false);
  if (Shrank && Bg.BgType != 1) {
    // What the old corners covered shows the parent again.
    InvalidateParentStrip(Rect(Now.right - Mask.WR, Old.top, Old.right, Old.bottom));
    InvalidateParentStrip(Rect(Old.left, Now.bottom - Mask.WB, Old.right, Old.bottom));
    InvalidateParentStrip(Rect(Now.right - Mask.WR, Now.bottom - Mask.WB, Old.right, Old.bottom));
  }
  FLastRegionBounds = Now;
}

void TsButton::PaintButton(HDC Given) {
  TsCtrlSkinData& D = *FCommonData;
  if (AnimationInProgress && !PaintInfoDC(Given)) return;
  PAINTSTRUCT PS{};
  const bool Begin = !AnimationInProgress && !Given;
  if (Begin) BeginPaint(WindowHandle(), &PS);
  const HDC DC = Given ? Given : GetDC(WindowHandle());
  D.Updating = D.IsUpdating();
  if (!D.Updating && !(FFadeTimer && FFadeTimer->Enabled())) {
    if (D.Clipped ||
        (Parent() && Parent()->HandleAllocated() && SendSkinCmd(Parent()->WindowHandle(), SkinCmdGetClipped, 0) == 1))
      D.BGChanged = true;
    D.Clipped = Parent() && !RectInsideRect(Parent()->ClientRect(), BoundsRect());
    if (FRegionChanged && CornerMask())
      ApplyRegion(DC);
    else if (D.BGChanged)
      PrepareCache();
    if (D.CacheBmp) {
      const int Saved = SaveDC(DC);
      BitBlt(DC, 0, 0, Width(), Height(), D.CacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
      RestoreDC(DC, Saved);
    }
  }
  if (!Given) ReleaseDC(WindowHandle(), DC);
  if (Begin) EndPaint(WindowHandle(), &PS);
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

void TsButton::StopFade() { StopFadeTimer(FFadeTimer); }

void TsButton::Fade(TacAnimatEvent Event, bool HalfSteps) {
  ChangeStateWithFade(FFadeTimer, FCommonData.get(), HalfSteps, 1,
                      AnimEventAllowed(Event, FAnimatEvents, nullptr));
}

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
  TsCtrlSkinData& D = *FCommonData;
  const bool Skinned = D.IsSkinActive() && Enabled();
  THintsOff Hints(Skinned && Button == mbLeft);
  if (Skinned) {
    FPressedByMouse = true;
    if (Button == mbLeft && !FDown) {
      FRegionChanged = true;
      D.Updating = D.IsUpdating();
      D.BGChanged = false;
      Fade(aeMouseDown, true);
    }
  }
  TButton::MouseDown(Button, Shift, X, Y);
}

void TsButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (ComponentState() & csDestroying) return;
  TsCtrlSkinData& D = *FCommonData;
  if (D.IsSkinActive() && Enabled()) {
    if (Application && !Application->ShowHint()) Application->SetShowHint(true);
    if (!FPressedByMouse) return;
    FPressedByMouse = false;
    if (Button == mbLeft) {
      if (FFadeTimer && FFadeTimer->Iteration <= FFadeTimer->Iterations) {
        // Released before the press showed: hold the pressed look a moment.
        StopFade();
        D.BGChanged = true;
        ForcePressedLook = true;
        RedrawWindow(WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ForcePressedLook = false;
        Bindings().Sleep(30);
      }
      D.Updating = false;
      FRegionChanged = true;
      D.BGChanged = false;
      Fade(aeMouseUp, true);
    }
  }
  TButton::MouseUp(Button, Shift, X, Y);
}

// ---- Window procedure

bool TsButton::Ready() { return FCommonData->IsSkinActive() && ControlIsReady(this); }

void TsButton::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KILLFOCUS && (ComponentState() & csDestroying)) return;
  if (Message.Msg == SM_SKINCMD && CommonCommand(Message)) return;
  if (Message.Msg == CN_MEASUREITEM) {
    auto* M = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    M->itemWidth = Width();
    M->itemHeight = Height();
    Message.Result = 1;
    return;
  }
  if (Ready()) {
    if (SkinnedMessage(Message)) return;
    HandleSkinNotification(Message, FCommonData.get());
    TButton::WndProc(Message);
    SkinnedAfter(Message);
    return;
  }
  switch (Message.Msg) {
    case CN_DRAWITEM:
      DrawUnskinned(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
      Message.Result = 1;
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
      const bool Enter = Message.Msg == CM_MOUSEENTER;
      FCommonData->MouseAbove = Enter;
      Repaint();
      if (Enabled()) {
        if (Enter && OnMouseEnter) OnMouseEnter(this);
        if (!Enter && OnMouseLeave) OnMouseLeave(this);
      }
      break;
    }
    default:
      break;
  }
  TButton::WndProc(Message);
}

bool TsButton::CommonCommand(TMessage& Message) {
  TsCtrlSkinData& D = *FCommonData;
  const bool Own = reinterpret_cast<TsSkinManager*>(Message.LParam) == D.GetSkinManager();
  switch (SkinCmdCode(Message)) {
    case SkinCmdStopAnimation:
      StopFade();
      return true;
    case SkinCmdSkinChanged:
      if (!Own) return false;
      FRegionChanged = true;
      StopFade();
      HandleSkinNotification(Message, &D);
      return true;
    case SkinCmdRemoveSkin:
      if (!Own || (ComponentState() & csDestroying)) return false;
      StopFade();
      HandleSkinNotification(Message, &D);
      DropRegion();
      Repaint();
      return true;
    case SkinCmdRefresh:
      if (!Own) return false;
      StopFade();
      if (HandleAllocated()) SetWindowRgn(WindowHandle(), nullptr, FALSE);
      // A new skin is announced while its tables are not yet active; the refresh finds the section.
      D.ResolveIndexes();
      HandleSkinNotification(Message, &D);
      FRegionChanged = true;
      if (!D.PaintInfo) Repaint();
      return true;
    case SkinCmdIsSkinned:
      Message.Result = 1;
      return true;
    case SkinCmdPrepareCache:
      PrepareCache();
      return true;
    case SkinCmdPaintTo:
      if (FRegion) {
        DeleteObject(FRegion);
        FRegion = nullptr;
      }
      return true;
    case SkinCmdGetApplication:
      Message.Result = reinterpret_cast<LRESULT>(Application);
      return true;
    default:
      return false;
  }
}

void TsButton::FocusChange(TMessage& Message, bool Entering) {
  TsCtrlSkinData& D = *FCommonData;
  if (Entering) {
    {
      const bool Was = FocusChanging;
      FocusChanging = true;
      TRedrawOff Off(this);
      TButton::WndProc(Message);
      FocusChanging = Was;
    }
    if (FFadeTimer)
      PaintFadeStep(FFadeTimer);
    else
      D.Invalidate();
    return;
  }
  StopFade();
  {
    TRedrawOff Off(this);
    TButton::WndProc(Message);
  }
  D.Focused = false;
  FRegionChanged = true;
  D.Invalidate();
  HideGlow(-1);
}

bool TsButton::SkinnedMessage(TMessage& Message) {
  TsCtrlSkinData& D = *FCommonData;
  switch (Message.Msg) {
    case SM_SKINCMD:
      switch (SkinCmdCode(Message)) {
        case SkinCmdUpdateFinished:
          if (D.IsUpdating()) {
            D.Updating = false;
            Repaint();
          }
          return true;
        case SkinCmdSetDependsOnParent:
          HandleSkinNotification(Message, &D);
          return true;
        default:
          return false;
      }
    case WM_PRINT:
      FRegionChanged = true;
      D.Updating = false;
      PaintButton(reinterpret_cast<HDC>(Message.WParam));
      return true;
    case WM_PAINT:
      if (!Visible() || !Parent()) return false;
      PaintButton(reinterpret_cast<HDC>(Message.WParam));
      return true;
    case WM_ERASEBKGND:
      if (!Visible()) return false;
      if (Message.WParam && D.CacheBmp && !D.BGChanged && !FFadeTimer) {
        TsCacheCopy Copy;
        Copy.SkinData = &D;
        Copy.DC = reinterpret_cast<HDC>(Message.WParam);
        Copy.Dest = Rect(0, 0, Width(), Height());
        PaintCacheExcludingChildren(this, Copy);
      }
      Message.Result = 0;
      return true;
    case WM_UPDATEUISTATE:
      if (!Visible()) return false;
      Message.Result = 1;
      return true;
    case WM_ENABLE:
      return true;
    case WM_SETFOCUS:
    case CM_ENTER:
      if (!Visible() || !Enabled() || FocusChanging) return false;
      FocusChange(Message, true);
      return true;
    case WM_KILLFOCUS:
    case CM_EXIT:
      FocusChange(Message, false);
      return true;
    case CM_TEXTCHANGED:
      D.Invalidate();
      return true;
    case CN_DRAWITEM:
      Message.Result = 1;
      return true;
    // Handled before the skin data and the standard procedure hear of them.
    case WM_WINDOWPOSCHANGING:
      FRegionChanged = true;
      return false;
    case WM_WINDOWPOSCHANGED:
      FRegionChanged = true;
      D.BGChanged = true;
      return false;
    case WM_SIZE:
      FRegionChanged = true;
      ClearGlows(false);
      return false;
    case WM_MOVE: {
      const TsGeneralData* S = D.Section();
      const int Transparency = S ? (CurrentState() == 1 ? S->HotTransparency : S->Transparency) : 0;
      if (Transparency >= 1) {
        D.BGChanged = true;
        Repaint();
      }
      return false;
    }
    case CM_DIALOGCHAR:
      if (Message.WParam == VK_SPACE && Focused() && Enabled()) {
        StopFade();
        FRegionChanged = true;
        D.BGChanged = true;
        D.HideGlow();
        Repaint();
      }
      return false;
    case CM_MOUSEENTER:
      if (Enabled() && !D.MouseAbove) {
        if (OnMouseEnter) OnMouseEnter(this);
        D.MouseAbove = true;
        D.BGChanged = false;
        Fade(aeMouseEnter, false);
      }
      return false;
    case CM_MOUSELEAVE:
      if (OnMouseLeave) OnMouseLeave(this);
      D.MouseAbove = false;
      D.BGChanged = false;
      Fade(aeMouseLeave, false);
      return false;
    case CM_FOCUSCHANGED:
      if (!Visible() || FocusChanging) return false;
      {
        TRedrawOff Off(this);
        TButton::WndProc(Message);
      }
      return true;
    default:
      return false;
  }
}

void TsButton::SkinnedAfter(TMessage& Message) {
  TsCtrlSkinData& D = *FCommonData;
  if (ComponentState() & csDestroying) return;
  switch (Message.Msg) {
    case WM_KEYUP:
      if (Message.WParam == VK_SPACE) {
        FRegionChanged = true;
        D.BGChanged = true;
        Repaint();
      }
      break;
    case CM_ENABLEDCHANGED:
      if (!Enabled()) StopFade();
      D.Updating = false;
      D.Invalidate();
      break;
    case CM_VISIBLECHANGED:
      D.BGChanged = true;
      D.Updating = false;
      if (Visible()) Repaint();
      break;
    case WM_SETFONT:
      D.Updating = false;
      D.Invalidate();
      break;
    case CM_CANCELMODE:
      D.HideGlow();
      break;
    default:
      break;
  }
}

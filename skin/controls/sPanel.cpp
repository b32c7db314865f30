// The skinned panel: its skin data, its window procedure over the skin commands and the painting
// messages, and its two ways of painting (a copy of the cache image, or straight into the DC when its
// background is static or its own colour shows).
#include "skin/controls/sPanel.h"

#include <algorithm>

#include "skin/controls/sPanelGeometry.h"
#include "skin/engine/sBorderPaint.h"
#include "skin/engine/sCtrlUtils.h"
#include "skin/engine/sSectionPaint.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinPixels.h"
#include "skin/engine/sSkinText.h"
#include "skin/engine/sSkinUtils.h"
#include "toolkit/ui/Forms.h"

namespace {

constexpr int PanelKind = 51;

TPanelBevel Bevel(TBevelCut Cut) { return static_cast<TPanelBevel>(Cut); }

TPixelRect ToPixels(const TRect& R) { return MakeRect(R.left, R.top, R.right, R.bottom); }
TRect ToRect(const TPixelRect& R) { return Rect(R.Left, R.Top, R.Right, R.Bottom); }

// Invalidate with erase, then RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME.
void RedrawNow(HWND Wnd) {
  InvalidateRect(Wnd, nullptr, TRUE);
  RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

// A canvas on DC with the control's font and a clear brush, or the control's own canvas for no DC.
class TPaintCanvas {
 public:
  TPaintCanvas(TCustomControl* Control, HDC DC) : canvas_(Control->Canvas()) {
    if (!DC) return;
    temp_ = std::make_unique<TCanvas>();
    temp_->SetHandle(DC);
    temp_->Font()->Assign(*Control->Font());
    temp_->Brush()->SetStyle(bsClear);
    canvas_ = temp_.get();
  }
  ~TPaintCanvas() {
    if (temp_) temp_->SetHandle(nullptr);
  }
  TCanvas* operator->() const { return canvas_; }
  TCanvas* Get() const { return canvas_; }

 private:
  std::unique_ptr<TCanvas> temp_;
  TCanvas* canvas_;
};

}  // namespace

TsPanel::TsPanel(TComponent* AOwner) : TPanel(AOwner), FCommonData(std::make_unique<TsCtrlSkinData>(this, true)) {
  FCommonData->ControlKind = PanelKind;
  FCommonData->FinishLoading();
}

TsPanel::~TsPanel() { FCommonData.reset(); }

void TsPanel::Loaded() {
  TPanel::Loaded();
  FOldBevel = BevelOuter();
  FCommonData->FinishLoading();
}

void TsPanel::GetPublishedProperties(TPropList& List) const {
  TPanel::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      ObjProperty<TsPanel>("SkinData", &TsPanel::SkinData, nullptr)};
  for (const TPropInfo& P : Props) List.push_back(&P);
}

bool TsPanel::Ready() { return FCommonData->IsSkinActive() && ControlIsReady(this); }

TRect TsPanel::CaptionArea() {
  TRect R = ClientRect();
  const int Inset = PanelFrameInset(BorderWidth(), BevelWidth(), Bevel(BevelInner()), Bevel(BevelOuter()));
  InflateRect(&R, -Inset, -Inset);
  return R;
}

void TsPanel::SwitchBevelSection() {
  if (BevelOuter() == FOldBevel) return;
  const std::string Section =
      SwitchedBevelSection(FCommonData->SkinSection(), Bevel(FOldBevel), Bevel(BevelOuter()));
  FOldBevel = BevelOuter();
  if (Section != FCommonData->SkinSection()) FCommonData->SetSkinSection(Section);
}

void TsPanel::WndProc(TMessage& Message) {
  bool Done = Message.Msg == SM_SKINCMD && CommonCommand(Message);
  if (!Done) Done = Ready() ? SkinnedMessage(Message) : PlainMessage(Message);
  if (!Done) TPanel::WndProc(Message);
}

bool TsPanel::CommonCommand(TMessage& Message) {
  TsSkinManager* Manager = FCommonData->GetSkinManager();
  const bool Own = reinterpret_cast<TsSkinManager*>(Message.LParam) == Manager;
  switch (SkinCmdCode(Message)) {
    case SkinCmdIsSkinned:
      Message.Result = 1;
      return true;
    case SkinCmdSkinChanged:
      SetControlStyle(ControlStyle() & ~csOpaque);
      BroadcastToChildren(this, Message);
      if (Own) {
        HandleSkinNotification(Message, FCommonData.get());
        FCommonData->Invalidate();
      }
      return true;
    case SkinCmdRemoveSkin:
      SetControlStyle(ControlStyle() & ~csOpaque);
      if (Own) {
        HandleSkinNotification(Message, FCommonData.get());
        Invalidate();
      }
      BroadcastToChildren(this, Message);
      return true;
    case SkinCmdRefresh:
      if (Own) {
        // A new skin is announced while its tables are not yet active; the refresh that follows finds
        // the section in them.
        FCommonData->ResolveIndexes();
        HandleSkinNotification(Message, FCommonData.get());
        if (HandleAllocated() && !(ComponentState() & csLoading) && Visible()) RedrawNow(WindowHandle());
      }
      BroadcastToChildren(this, Message);
      return true;
    case SkinCmdGetBgInfo: {
      if (!Manager || !Manager->IsValidSkinIndex(FCommonData->SkinIndex)) return false;
      auto& Info = *reinterpret_cast<TsBackgroundInfo*>(Message.LParam);
      FCommonData->FillBackgroundInfo(Info, false, nullptr);
      const int Shift = PanelBgShift(ClientWidth(), Width(),
                                     PanelFrameInset(BorderWidth(), BevelWidth(), Bevel(BevelInner()),
                                                     Bevel(BevelOuter())));
      if (Shift != 0) {
        Info.BgType = 2;
        Info.PleaseDraw = false;
        Info.Offset.x += Shift;
        Info.Offset.y += Shift;
      }
      return true;
    }
    case SkinCmdGetApplication:
      Message.Result = reinterpret_cast<LRESULT>(Application);
      return true;
    default:
      return false;
  }
}

bool TsPanel::PlainMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      return bool(OnPaint);
    case WM_PRINT:
      if (OnPaint) {
        const TTargetDC Own(this, nullptr);
        {
          detail::CanvasOnDC OnDC(*Canvas(), Own.Get());
          OnPaint(this, Canvas());
        }
        if (Message.WParam)
          BitBlt(reinterpret_cast<HDC>(Message.WParam), 0, 0, Width(), Height(), Own.Get(), 0, 0, SRCCOPY);
      }
      return true;
    default:
      return false;
  }
}

bool TsPanel::SkinnedMessage(TMessage& Message) {
  TsCtrlSkinData& D = *FCommonData;
  switch (Message.Msg) {
    case SM_SKINCMD:
      switch (SkinCmdCode(Message)) {
        case SkinCmdUpdateFinished:
          if (D.Updating) {
            // Asked afresh: the flag itself only recorded the last answer.
            D.Updating = false;
            D.Updating = D.IsUpdating();
            if (!D.Updating && HandleAllocated())
              RedrawWindow(WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
          }
          NotifyChildrenUpdateFinished(this);
          return true;
        case SkinCmdIsUpdating:
          if (D.IsUpdating())
            Message.Result = 1;
          else if (D.CacheBmp && D.CacheBmp->Width() == Width() && D.CacheBmp->Height() == Height())
            Message.Result = 0;
          else
            Message.Result = D.RepaintNeeded() && !D.CustomColor();
          return true;
        default:
          // Commands the skin data does not take end here too.
          HandleSkinCommand(Message, &D);
          return true;
      }
    case WM_PRINT:
      D.Updating = false;
      if (!D.RepaintNeeded() && !AlwaysCached() && !D.CacheBmp) D.CacheBmp = NewBitmap32(0, 0);
      PrepareCache();
      PaintToDC(reinterpret_cast<HDC>(Message.WParam), false);
      return true;
    case WM_PAINT:
      if (!Visible()) break;
      WMPaint(Message);
      return true;
    case WM_ERASEBKGND:
      WMEraseBkgnd(Message);
      return true;
    case WM_SIZE:
      D.BGChanged = true;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return false;
    case WM_WINDOWPOSCHANGING:
      if (D.Section()->Transparency != 0) D.BGChanged = true;
      break;
    case CM_VISIBLECHANGED:
      D.BGChanged = true;
      D.Updating = false;
      return false;
    case CM_COLORCHANGED:
      if (D.CustomColor()) D.BGChanged = true;
      break;
    case CM_TEXTCHANGED:
      if (Parent()) D.Invalidate();
      return true;
    case CM_INVALIDATE:
      SwitchBevelSection();
      break;
    default:
      break;
  }
  // The common tail.
  HandleSkinNotification(Message, &D);
  TPanel::WndProc(Message);
  if (Message.Msg == WM_SETFONT && !Caption().empty()) {
    D.BGChanged = true;
    Repaint();
  } else if (Message.Msg == CM_ENABLEDCHANGED) {
    D.Invalidate();
  }
  return true;
}

void TsPanel::WMPaint(TMessage& Message) {
  TsCtrlSkinData& D = *FCommonData;
  PAINTSTRUCT PS{};
  const HDC Given = reinterpret_cast<HDC>(Message.WParam);
  const HDC PaintDC = Given ? Given : BeginPaint(WindowHandle(), &PS);
  D.Updating = D.IsUpdating();
  if (D.RepaintNeeded() && !D.Updating) {
    const HDC DC = Given ? Given : GetDC(WindowHandle());
    const int Saved = SaveDC(DC);
    SetControlState(ControlState() | csCustomPaint);
    {
      detail::CanvasOnDC OnDC(*Canvas(), DC);
      PaintToDC(DC, true);
    }
    RestoreDC(DC, Saved);
    SetControlState(ControlState() & ~csCustomPaint);
    if (!Given) ReleaseDC(WindowHandle(), DC);
  } else {
    PaintToDC(PaintDC, true);
  }
  if (!Given) EndPaint(WindowHandle(), &PS);
  Message.Result = 0;
}

void TsPanel::WMEraseBkgnd(TMessage& Message) {
  TsCtrlSkinData& D = *FCommonData;
  const HDC DC = reinterpret_cast<HDC>(Message.WParam);
  if (Message.WParam == WPARAM(Message.LParam)) {
    // The library asks for the background in that DC.
    if (DC) {
      if (D.BGChanged) PrepareCache();
      if (!D.BGChanged) {
        if (D.RepaintNeeded())
          BitBlt(DC, 0, 0, Width(), Height(), D.CacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
        else
          FillDC(DC, Rect(0, 0, Width(), Height()), GetWindowColor(WindowHandle()));
      }
    }
  } else {
    D.Updating = D.IsUpdating();
    if (!D.RepaintNeeded() && !D.Updating) PaintToDC(DC, true);
  }
  Message.Result = 1;
}

void TsPanel::PrepareCache() {
  TsCtrlSkinData& D = *FCommonData;
  if (!D.RepaintNeeded() && !AnimationInProgress && !AlwaysCached()) return;
  D.InitCacheBitmap();
  TsParentItemPaint P;
  P.SkinData = &D;
  P.Parent = Parent();
  P.R = Rect(0, 0, Width(), Height());
  P.Offset = Point(Left(), Top());
  P.Bmp = D.CacheBmp.get();
  P.UseParentBg = true;
  PaintItemWithParentBg(P);
  DrawCaption(CaptionArea(), D.CacheBmp->Canvas(), nullptr);
  if (OnPaint) OnPaint(this, D.CacheBmp->Canvas());
  D.BGChanged = false;
}

void TsPanel::PaintToDC(HDC DC, bool TellChildren) {
  TsCtrlSkinData& D = *FCommonData;
  if (!Showing() || !D.IsSkinActive()) return;
  const TTargetDC Target(this, DC);
  DC = Target.Get();
  if ((D.RepaintNeeded() && !D.CustomColor()) || AnimationInProgress || AlwaysCached())
    PaintCacheRoute(DC);
  else
    PaintPlainRoute(DC);
  if (TellChildren && !(ControlState() & csPaintCopy)) NotifyChildrenUpdateFinished(this);
}

void TsPanel::PaintCacheRoute(HDC DC) {
  TsCtrlSkinData& D = *FCommonData;
  D.Updating = D.IsUpdating();
  if (D.Updating) return;
  if (D.Clipped || D.BGChanged) PrepareCache();
  // A panel over a changing background whose image was not made at its size was not seen whole.
  D.Clipped = D.DependsOnParentBg() && D.CacheBmp &&
              (D.CacheBmp->Width() != Width() || D.CacheBmp->Height() != Height());
  TsCacheCopy Copy;
  Copy.SkinData = &D;
  Copy.DC = DC;
  Copy.Dest = Rect(0, 0, Width(), Height());
  PaintCacheExcludingChildren(this, Copy);
  PaintGraphicChildren(DC, this, true, Point(0, 0));
}

void TsPanel::PaintPlainRoute(HDC DC) {
  TsCtrlSkinData& D = *FCommonData;
  TsSkinManager& M = *D.GetSkinManager();
  const TsGeneralData& S = *D.Section();
  D.Updating = false;
  const int B = D.MaxBorderWidth();
  const TRect R = Rect(0, 0, Width(), Height());
  const int Saved = SaveDC(DC);
  ExcludeChildControls(DC, this, 0, 0);
  TsBackgroundInfo Bg;
  if (D.CustomColor()) {
    Bg.BgType = 1;
    Bg.Color = ColorToRGB(Color());
  } else {
    QueryBackground(Bg, Parent(), false);
  }
  if (!D.CacheBmp) D.CacheBmp = NewBitmap32(1, 1);
  if (D.CacheBmp->Width() == 0 || D.CacheBmp->Height() == 0) D.CacheBmp->SetSize(1, 1);
  TRect Content = R;
  if (S.Transparency == 100 && Bg.BgType == 2 && Bg.Bmp) {
    const HDC ParentDC = Bg.Bmp->Canvas()->Handle();
    if (B > 0) PaintControlFrame({DC, R, B, 0, &D}, Content);
    BitBlt(DC, B, B, Width() - 2 * B, Height() - 2 * B, ParentDC, Bg.Offset.x + B, Bg.Offset.y + B, SRCCOPY);
  } else {
    const TColor Own = D.CustomColor() ? ColorToRGB(Color()) : S.Color;
    const TColor Fill = S.Transparency == 0     ? Own
                        : S.Transparency == 100 ? Bg.Color
                                                : BlendColors(Bg.Color, Own, S.Transparency / 100.0);
    if (B == 0) {
      FillDC(DC, R, Fill);
    } else if (S.Transparency == 100 &&
               (!M.IsValidMaskIndex(D.BorderIndex) || (M.Tables().Masks[D.BorderIndex].DrawMode & 4))) {
      PaintControlFrame({D.CacheBmp->Canvas()->Handle(), R, 0, 0, &D}, Content);
      BitBlt(DC, 0, 0, Width(), Height(), D.CacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    } else {
      PaintControlFrame({DC, R, B, 0, &D}, Content);
      FillDC(DC, Content, Fill);
    }
  }
  {
    // The panel's canvas when it is the one bound to DC.
    const bool Bound = Canvas()->HandleAllocated() && Canvas()->Handle() == DC;
    TPaintCanvas Target(this, Bound ? nullptr : DC);
    DrawCaption(CaptionArea(), Target.Get(), nullptr);
    if (OnPaint) OnPaint(this, Target.Get());
  }
  D.BGChanged = false;
  RestoreDC(DC, Saved);
  PaintGraphicChildren(DC, this, true, Point(0, 0));
}

void TsPanel::DrawCaption(const TRect& R, TCanvas* Canvas, HDC DC) {
  if (!Canvas && !DC) return;
  std::unique_ptr<TCanvas> Temp;
  if (!Canvas) {
    Temp = std::make_unique<TCanvas>();
    Temp->SetHandle(DC);
    Canvas = Temp.get();
  }
  Canvas->Font()->Assign(*Font());
  const std::string Text = Caption();
  const UINT Flags = TextAlignFlags(this, Alignment()) | DT_WORDBREAK;
  TRect Measured = R;
  const HDC Target = Canvas->Handle();
  const HGDIOBJ OldFont = SelectObject(Target, Canvas->Font()->Handle());
  DrawTextA(Target, Text.c_str(), int(Text.size()), &Measured, Flags | DT_CALCRECT);
  SelectObject(Target, OldFont);
  const TRect Place = ToRect(PanelCaptionRect(ToPixels(R), Measured.bottom - Measured.top, BorderWidth()));
  WriteTextForControl(Canvas, Text, Enabled(), 0, FCommonData.get(), Flags, Place);
  if (Temp) Temp->SetHandle(nullptr);
}

void TsPanel::Paint() {
  TPanel::Paint();
  if (Showing() && OnPaint) OnPaint(this, Canvas());
}

void TsPanel::PaintWindow(HDC DC) {
  if (!((ControlState() & csPaintCopy) && FCommonData->IsSkinActive())) TPanel::PaintWindow(DC);
  PaintToDC(DC, true);
}

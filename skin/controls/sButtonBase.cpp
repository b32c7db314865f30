// The skinned push buttons' common part: cache image, window region, fades, press and focus handling
// and the window procedure over the skin commands.
#include "skin/controls/sButtonBase.h"

#include <algorithm>

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
#include "skin/engine/sSkinUtils.h"
#include "toolkit/ui/Forms.h"

bool ForcePressedLook = false;

namespace {

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

template <class TBase>
bool TsButtonBase<TBase>::FocusChanging = false;

template <class TBase>
TsButtonBase<TBase>::TsButtonBase(TComponent* AOwner, int ControlKind)
    : TBase(AOwner), FCommonData(std::make_unique<TsCtrlSkinData>(this, true)) {
  FCommonData->ControlKind = ControlKind;
}

template <class TBase>
TsButtonBase<TBase>::~TsButtonBase() {
  StopFade();
  if (FRegion) DeleteObject(FRegion);
  FCommonData.reset();
}

template <class TBase>
void TsButtonBase<TBase>::Loaded() {
  TBase::Loaded();
  if (FCommonData->CacheBmp) FCommonData->CacheBmp->Canvas()->Font()->Assign(*this->Font());
  FCommonData->FinishLoading();
}

template <class TBase>
void TsButtonBase<TBase>::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Changed();
}

template <class TBase>
void TsButtonBase<TBase>::Notification(TComponent* AComponent, TOperation Operation) {
  TBase::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

template <class TBase>
void TsButtonBase<TBase>::SetDisabledKind(TsDisabledKind Value) {
  if (FDisabledKind == Value) return;
  FDisabledKind = Value;
  if (!(this->ComponentState() & csLoading)) Changed();
}

template <class TBase>
void TsButtonBase<TBase>::SetShowFocus(bool Value) {
  if (FShowFocus == Value) return;
  FShowFocus = Value;
  Changed();
}

template <class TBase>
void TsButtonBase<TBase>::SetDownValue(bool Value) {
  FDown = Value;
  FRegionChanged = true;
}

template <class TBase>
int TsButtonBase<TBase>::CurrentState() {
  TButtonStateInput In;
  In.Pushed = this->HandleAllocated() && (SendMessageA(this->WindowHandle(), BM_GETSTATE, 0, 0) & BST_PUSHED);
  In.ForcePressed = ForcePressedLook;
  In.MouseAbove = FCommonData->MouseAbove;
  In.LeftButtonHeld = GetKeyState(VK_LBUTTON) < 0;
  In.Down = HeldDown();
  In.DefaultLook = this->Default();
  In.HotState = FCommonData->IsHotState();
  return ButtonCurrentState(In);
}

template <class TBase>
const TsMaskData* TsButtonBase<TBase>::CornerMask() const {
  TsSkinManager* M = FCommonData->GetSkinManager();
  if (!M || !M->IsValidMaskIndex(FCommonData->BorderIndex)) return nullptr;
  const TsMaskData& Mask = M->Tables().Masks[FCommonData->BorderIndex];
  return Mask.CornerType == 2 ? &Mask : nullptr;
}

template <class TBase>
void TsButtonBase<TBase>::PrepareCache() {
  TsCtrlSkinData& D = *FCommonData;
  TsSkinManager* M = D.GetSkinManager();
  const TsGeneralData* S = D.Section();
  if (!M || !S) return;
  TsCacheInfo Bg;
  D.GetParentBgInfo(Bg);
  D.InitCacheBitmap();
  TBitmap* Cache = D.CacheBmp.get();
  Cache->Canvas()->Font()->Assign(*this->Font());
  const int State = std::min(CurrentState(), std::max(S->States, 1) - 1);
  TsItemPaint Item;
  Item.SkinData = &D;
  Item.CacheInfo = Bg;
  Item.State = State;
  Item.Bmp = Cache;
  Item.Offset = Point(this->Left(), this->Top());
  Item.R = Rect(0, 0, this->Width(), this->Height());
  PaintControlBackground(Item);
  if (DrawsOverBorder()) PaintBorder(State, Bg);
  if (D.HUEOffset() != 0) ChangeBitmapHue(Cache, D.HUEOffset());
  if (D.Saturation() != 0) ChangeBitmapSaturation(Cache, D.Saturation());
  DrawFace(State);
  if (!DrawsOverBorder()) PaintBorder(State, Bg);
  if (!this->Enabled()) ApplyGlyphEffects(Cache, FDisabledKind, this, Bg, Point(this->Left(), this->Top()));
  D.BGChanged = false;
  CachePainted();
}

// The section's border for State: cutting the window region to its corners when one is due, else
// over the whole cache; a border hidden in the normal look is left out there.
template <class TBase>
void TsButtonBase<TBase>::PaintBorder(int State, const TsCacheInfo& Bg) {
  TsCtrlSkinData& D = *FCommonData;
  TsSkinManager* M = D.GetSkinManager();
  TBitmap* Cache = D.CacheBmp.get();
  if (!M->IsValidMaskIndex(D.BorderIndex)) return;
  const TsMaskData& Mask = M->Tables().Masks[D.BorderIndex];
  if (State == 0 && (Mask.DrawMode & 2)) return;
  if (FRegionChanged && Mask.CornerType == 2 && !AnimationInProgress && !FFadeTimer) {
    if (FRegion) DeleteObject(FRegion);
    FRegion = CreateRectRgn(0, 0, this->Width(), this->Height());
    PaintBorderMask(Cache, FRegion, false, State, PieceView(Mask));
    return;
  }
  TPaintMaskRect P;
  P.Bmp = BitmapView(Cache);
  P.R = MakeRect(0, 0, this->Width(), this->Height());
  P.CacheInfo = CacheView(Bg);
  P.Piece = PieceView(Mask);
  P.State = State;
  PaintMaskRect(P);
}

template <class TBase>
void TsButtonBase<TBase>::InvalidateParentStrip(const TRect& R) {
  if (TWinControl* P = this->Parent(); P && P->HandleAllocated()) InvalidateRect(P->WindowHandle(), &R, TRUE);
}

template <class TBase>
void TsButtonBase<TBase>::DropRegion() {
  if (FRegion) DeleteObject(FRegion);
  FRegion = nullptr;
  if (this->HandleAllocated()) SetWindowRgn(this->WindowHandle(), nullptr, TRUE);
}

template <class TBase>
bool TsButtonBase<TBase>::PaintInfoDC(HDC DC) const { return DC && FCommonData->PaintInfo; }

template <class TBase>
void TsButtonBase<TBase>::ApplyRegion(HDC DC) {
  const TsMaskData& Mask = *CornerMask();
  TsCtrlSkinData& D = *FCommonData;
  PrepareCache();
  const HDC Cache = D.CacheBmp->Canvas()->Handle();
  const int W = this->Width(), H = this->Height();
  // The border areas: left-top corner, bottom strip, right-bottom and right-top corners.
  BitBlt(DC, 0, 0, Mask.WL, Mask.WT, Cache, 0, 0, SRCCOPY);
  BitBlt(DC, 0, H - Mask.WB, W, Mask.WB, Cache, 0, H - Mask.WB, SRCCOPY);
  BitBlt(DC, W - Mask.WR, H - Mask.WB, Mask.WR, Mask.WB, Cache, W - Mask.WR, H - Mask.WB, SRCCOPY);
  BitBlt(DC, W - Mask.WR, 0, Mask.WR, Mask.WT, Cache, W - Mask.WR, 0, SRCCOPY);
  FRegionChanged = false;
  if (PaintInfoDC(DC) || !FRegion) return;
  SetWindowRgn(this->WindowHandle(), FRegion, FFirstRegion || SkinChangeInProgress);
  FRegion = nullptr;
  FFirstRegion = false;
  const TRect Now = this->BoundsRect();
  const TRect& Old = FLastRegionBounds;
  const bool Shrank = Old.right > Old.left && (Now.right - Now.left < Old.right - Old.left ||
                                               Now.bottom - Now.top < Old.bottom - Old.top);
  TsBackgroundInfo Bg;
  if (Shrank && this->Parent()) QueryBackground(Bg, this->Parent(), false);
  if (Shrank && Bg.BgType != 1) {
    // What the old corners covered shows the parent again.
    InvalidateParentStrip(Rect(Now.right - Mask.WR, Old.top, Old.right, Old.bottom));
    InvalidateParentStrip(Rect(Old.left, Now.bottom - Mask.WB, Old.right, Old.bottom));
    InvalidateParentStrip(Rect(Now.right - Mask.WR, Now.bottom - Mask.WB, Old.right, Old.bottom));
  }
  FLastRegionBounds = Now;
}

template <class TBase>
void TsButtonBase<TBase>::PaintButton(HDC Given) {
  TsCtrlSkinData& D = *FCommonData;
  if (AnimationInProgress && !PaintInfoDC(Given)) return;
  PAINTSTRUCT PS{};
  const bool Begin = !AnimationInProgress && !Given;
  if (Begin) BeginPaint(this->WindowHandle(), &PS);
  const HDC DC = Given ? Given : GetDC(this->WindowHandle());
  D.Updating = D.IsUpdating();
  if (!D.Updating && !(FFadeTimer && FFadeTimer->Enabled())) {
    if (D.Clipped ||
        (this->Parent() && this->Parent()->HandleAllocated() && SendSkinCmd(this->Parent()->WindowHandle(), SkinCmdGetClipped, 0) == 1))
      D.BGChanged = true;
    D.Clipped = this->Parent() && !RectInsideRect(this->Parent()->ClientRect(), this->BoundsRect());
    if (FRegionChanged && CornerMask())
      ApplyRegion(DC);
    else if (D.BGChanged)
      PrepareCache();
    if (D.CacheBmp) {
      const int Saved = SaveDC(DC);
      BitBlt(DC, 0, 0, this->Width(), this->Height(), D.CacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
      RestoreDC(DC, Saved);
    }
  }
  if (!Given) ReleaseDC(this->WindowHandle(), DC);
  if (Begin) EndPaint(this->WindowHandle(), &PS);
}

template <class TBase>
void TsButtonBase<TBase>::StopFade() { StopFadeTimer(FFadeTimer); }

template <class TBase>
void TsButtonBase<TBase>::Fade(TacAnimatEvent Event, bool HalfSteps) {
  ChangeStateWithFade(FFadeTimer, FCommonData.get(), HalfSteps, 1,
                      AnimEventAllowed(Event, FAnimatEvents, nullptr));
}

template <class TBase>
void TsButtonBase<TBase>::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TsCtrlSkinData& D = *FCommonData;
  const bool Skinned = D.IsSkinActive() && this->Enabled();
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
  TBase::MouseDown(Button, Shift, X, Y);
}

template <class TBase>
void TsButtonBase<TBase>::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (this->ComponentState() & csDestroying) return;
  TsCtrlSkinData& D = *FCommonData;
  if (D.IsSkinActive() && this->Enabled()) {
    if (Application && !Application->ShowHint()) Application->SetShowHint(true);
    if (!FPressedByMouse && !ReleasesUnpressed()) return;
    if (!FPressedByMouse) {
      StopFade();
    } else if (Button == mbLeft) {
      if (FFadeTimer && FFadeTimer->Iteration <= FFadeTimer->Iterations) {
        // Released before the press showed: hold the pressed look a moment.
        StopFade();
        D.BGChanged = true;
        ForcePressedLook = true;
        RedrawWindow(this->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ForcePressedLook = false;
        Bindings().Sleep(30);
      }
      D.Updating = false;
      FRegionChanged = true;
      D.BGChanged = false;
      Fade(aeMouseUp, true);
    }
    FPressedByMouse = false;
  }
  TBase::MouseUp(Button, Shift, X, Y);
}

template <class TBase>
bool TsButtonBase<TBase>::Ready() { return FCommonData->IsSkinActive() && ControlIsReady(this); }

template <class TBase>
void TsButtonBase<TBase>::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KILLFOCUS && (this->ComponentState() & csDestroying)) return;
  if (Message.Msg == SM_SKINCMD && CommonCommand(Message)) return;
  if (Message.Msg == CN_MEASUREITEM) {
    auto* M = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    M->itemWidth = this->Width();
    M->itemHeight = this->Height();
    Message.Result = 1;
    return;
  }
  if (Ready()) {
    if (OwnSkinnedMessage(Message) || SkinnedMessage(Message)) return;
    HandleSkinNotification(Message, FCommonData.get());
    TBase::WndProc(Message);
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
      this->Repaint();
      if (this->Enabled()) {
        if (Enter && OnMouseEnter) OnMouseEnter(this);
        if (!Enter && OnMouseLeave) OnMouseLeave(this);
      }
      break;
    }
    default:
      break;
  }
  TBase::WndProc(Message);
}

template <class TBase>
bool TsButtonBase<TBase>::CommonCommand(TMessage& Message) {
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
      if (!Own || (this->ComponentState() & csDestroying)) return false;
      StopFade();
      HandleSkinNotification(Message, &D);
      DropRegion();
      this->Repaint();
      return true;
    case SkinCmdRefresh:
      if (!Own) return false;
      StopFade();
      if (this->HandleAllocated()) SetWindowRgn(this->WindowHandle(), nullptr, FALSE);
      // A new skin is announced while its tables are not yet active; the refresh finds the section.
      D.ResolveIndexes();
      HandleSkinNotification(Message, &D);
      FRegionChanged = true;
      if (!D.PaintInfo) this->Repaint();
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

template <class TBase>
void TsButtonBase<TBase>::FocusChange(TMessage& Message, bool Entering) {
  TsCtrlSkinData& D = *FCommonData;
  if (Entering) {
    {
      const bool Was = FocusChanging;
      FocusChanging = true;
      TRedrawOff Off(this);
      TBase::WndProc(Message);
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
    TBase::WndProc(Message);
  }
  D.Focused = false;
  FRegionChanged = true;
  D.Invalidate();
  HideGlow(-1);
}

template <class TBase>
bool TsButtonBase<TBase>::SkinnedMessage(TMessage& Message) {
  TsCtrlSkinData& D = *FCommonData;
  switch (Message.Msg) {
    case SM_SKINCMD:
      switch (SkinCmdCode(Message)) {
        case SkinCmdUpdateFinished:
          if (D.IsUpdating()) {
            D.Updating = false;
            this->Repaint();
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
      if (!this->Visible() || !this->Parent()) return false;
      PaintButton(reinterpret_cast<HDC>(Message.WParam));
      return true;
    case WM_ERASEBKGND:
      if (!this->Visible()) return false;
      if (Message.WParam && D.CacheBmp && !D.BGChanged && !FFadeTimer) {
        TsCacheCopy Copy;
        Copy.SkinData = &D;
        Copy.DC = reinterpret_cast<HDC>(Message.WParam);
        Copy.Dest = Rect(0, 0, this->Width(), this->Height());
        PaintCacheExcludingChildren(this, Copy);
      }
      Message.Result = 0;
      return true;
    case WM_UPDATEUISTATE:
      if (!this->Visible()) return false;
      Message.Result = 1;
      return true;
    case WM_ENABLE:
      return true;
    case WM_SETFOCUS:
    case CM_ENTER:
      if (!this->Visible() || !this->Enabled() || FocusChanging) return false;
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
        this->Repaint();
      }
      return false;
    }
    case CM_DIALOGCHAR:
      if (Message.WParam == VK_SPACE && this->Focused() && this->Enabled()) {
        StopFade();
        FRegionChanged = true;
        D.BGChanged = true;
        D.HideGlow();
        this->Repaint();
      }
      return false;
    case CM_MOUSEENTER:
      if (this->Enabled() && !D.MouseAbove) {
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
      if (!this->Visible() || FocusChanging) return false;
      {
        TRedrawOff Off(this);
        TBase::WndProc(Message);
      }
      return true;
    default:
      return false;
  }
}

template <class TBase>
void TsButtonBase<TBase>::SkinnedAfter(TMessage& Message) {
  TsCtrlSkinData& D = *FCommonData;
  if (this->ComponentState() & csDestroying) return;
  switch (Message.Msg) {
    case WM_KEYUP:
      if (Message.WParam == VK_SPACE) {
        FRegionChanged = true;
        D.BGChanged = true;
        this->Repaint();
      }
      break;
    case CM_ENABLEDCHANGED:
      if (!this->Enabled()) StopFade();
      D.Updating = false;
      D.Invalidate();
      break;
    case CM_VISIBLECHANGED:
      D.BGChanged = true;
      D.Updating = false;
      if (this->Visible()) this->Repaint();
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

template class TsButtonBase<TButton>;
template class TsButtonBase<TBitBtn>;

// The library-wide answers of skin data to SM_SKINCMD and its reactions to toolkit notifications.
#include "skin/engine/sCommonData.h"

#include "skin/engine/acGlow.h"
#include "skin/engine/sCommonDataRules.h"
#include "skin/engine/sCtrlUtils.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinMenus.h"
#include "skin/engine/sSkinProperties.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

bool Destroying(const TControl* C) { return C->ComponentState() & csDestroying; }

TWinControl* Windowed(TControl* C) { return dynamic_cast<TWinControl*>(C); }

// A command to every child: by handle to windowed children with a window, through Perform to others.
void ToEachChild(TWinControl* Win, int Code, bool WindowedOnly) {
  for (int I = 0; I < Win->ControlCount(); ++I) {
    TControl* Child = Win->Controls(I);
    if (TWinControl* W = Windowed(Child)) {
      if (W->HandleAllocated()) SendSkinCmd(W->WindowHandle(), Code, 0);
    } else if (!WindowedOnly) {
      Child->Perform(SM_SKINCMD, SkinCmdWParam(Code), 0);
    }
  }
}

void ParentBgChangedToChildren(TWinControl* Win, WORD Low, bool UsePerform) {
  for (int I = 0; I < Win->ControlCount(); ++I) {
    TControl* Child = Win->Controls(I);
    if (Destroying(Child)) continue;
    if (UsePerform) {
      if (!(Child->ControlState() & (csCreating | csReadingState)))
        Child->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdParentBgChanged, Low), 0);
    } else {
      SendSkinCmdToControl(Child, SkinCmdParentBgChanged, 0);
    }
  }
}

void RemoveSkin(TsCommonData& D) {
  if (D.GetSkinManager()->ComponentState() & csDestroying) D.SetSkinManager(nullptr);
  D.BorderIndex = D.SkinIndex = D.Texture = D.HotTexture = -1;
  D.Updating = true;
  if (D.CacheBmp) D.CacheBmp->SetSize(0, 0);
  if (auto* Edit = dynamic_cast<TCustomEdit*>(D.OwnerControl)) {
    if (!D.CustomColor()) Edit->SetColor(clWindow);
    if (!D.CustomFont()) Edit->Font()->SetColor(clWindowText);
    if (Edit->HandleAllocated()) RedrawWindow(Edit->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  } else if (TWinControl* Win = Windowed(D.OwnerControl)) {
    for (int I = 0; I < Win->ControlCount(); ++I)
      if (auto* Label = dynamic_cast<TLabel*>(Win->Controls(I))) Label->Font()->SetColor(clWindowText);
  }
}

// The owner's colour as its children see it.
LRESULT ColorAnswer(TsCommonData& D) {
  TControl* Owner = D.OwnerControl;
  if (!D.IsSkinActive()) return ColorToRGB(Owner->Color());
  const TsGeneralData& S = *D.Section();
  if (S.Transparency == 0) return S.Color;
  TWinControl* Parent = Owner->Parent();
  TColor P = ColorToRGB(Owner->Color());
  if (Parent) {
    P = GetControlColor(Parent);
    if (P == clFuchsia) P = ColorToRGB(Parent->Color());
  }
  return S.Transparency == 100 ? P : MixByTransparency(P, S.Color, S.Transparency);
}

LRESULT HasBgImage(TsCommonData& D) {
  const TsGeneralData& S = *D.Section();
  if (S.Transparency == 100 && D.OwnerControl && D.OwnerControl->Parent())
    return SendSkinCmdToControl(D.OwnerControl->Parent(), SkinCmdHasBgImage, 0) & 0x7F;
  return S.GradientPercent + S.ImagePercent > 0 || D.DependsOnParentBg();
}

}  // namespace

bool HandleSkinCommand(TMessage& Msg, TsCommonData* D) {
  if (!D || Msg.Msg != SM_SKINCMD) return false;
  const int Code = SkinCmdCode(Msg);
  const WORD Low = LOWORD(Msg.WParam);
  const bool OwnManager = reinterpret_cast<TsSkinManager*>(Msg.LParam) == D->GetSkinManager();
  switch (Code) {
    case SkinCmdSkinChanged:
      if (OwnManager) {
        D->ResolveIndexes();
        D->UpdateBgFlags(false);
      }
      return false;
    case SkinCmdRemoveSkin:
      if (OwnManager && D->GetSkinManager()) RemoveSkin(*D);
      return false;
    case SkinCmdRefresh:
      if (OwnManager) {
        D->BGChanged = true;
        D->Updating = false;
        D->UpdateColors(true);
        D->UpdateBgFlags(false);
      }
      return false;
    case SkinCmdIsSkinned:
      Msg.Result = 1;
      return true;
    case SkinCmdSetUpdating:
      D->Updating = Low == 1;
      return false;
    case SkinCmdSetDependsOnParent:
      D->ForceParentBg = Low == 1;
      return false;
    case SkinCmdIsUpdating:
      Msg.Result = D->BGChanged || D->Updating;
      return true;
    case SkinCmdGetClipped:
      Msg.Result = D->Clipped;
      return true;
    case SkinCmdSetClipped:
      D->Clipped = true;
      return false;
    case SkinCmdCopySection:
      if (Msg.LParam) D->SetSkinSection(reinterpret_cast<TsCommonData*>(Msg.LParam)->SkinSection());
      return false;
    case SkinCmdInvalidateBg:
      D->BGChanged = true;
      return false;
    case SkinCmdHasBgImage:
      if (D->SkinIndex <= -1 || !D->Section()) return false;
      Msg.Result = HasBgImage(*D);
      Msg.LParam = Msg.Result;
      return true;
    case SkinCmdParentBgChanged:
      D->BGChanged = D->BGChanged || D->DependsOnParentBg();
      if (TWinControl* Win = Windowed(D->OwnerControl)) {
        if (Low == 1 && Win->HandleAllocated())
          RedrawWindow(Win->WindowHandle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN);
        if (D->DependsOnParentBg()) ParentBgChangedToChildren(Win, 0, false);
      }
      return false;
    case SkinCmdGetColor:
      if (!D->OwnerControl) return false;
      Msg.Result = ColorAnswer(*D);
      return true;
    case SkinCmdGetSkinIndex:
      *reinterpret_cast<int*>(Msg.LParam) = D->SkinIndex;
      return true;
    case SkinCmdFreeCache:
      if (!D->CacheBmp) return false;
      if (TWinControl* Win = Windowed(D->OwnerControl)) ToEachChild(Win, SkinCmdFreeCache, true);
      D->CacheBmp->SetSize(0, 0);
      D->BGChanged = true;
      D->Updating = true;
      return false;
    case SkinCmdGetBgInfo:
      D->FillBackgroundInfo(*reinterpret_cast<TsBackgroundInfo*>(Msg.LParam), false, nullptr);
      return true;
    case SkinCmdGetBgState:
      if (Msg.LParam == 1)
        D->UpdateBgFlags(true);
      else
        Msg.Result = D->CtrlState;
      return true;
    case SkinCmdGetSkinData:
      Msg.Result = reinterpret_cast<LRESULT>(D);
      return true;
    case SkinCmdSetPaintInfo:
      D->PaintInfo = reinterpret_cast<void*>(Msg.LParam);
      if (Msg.LParam)
        D->CtrlState |= CtrlPaintInfoSet;
      else
        D->CtrlState &= ~CtrlPaintInfoSet;
      return true;
    case SkinCmdGetApplication:
      Msg.Result = reinterpret_cast<LRESULT>(Application);
      return false;
    default:
      return false;
  }
}

namespace {

// A hovered window-less speed button of the owner that the mouse has left for the owner.
void LeaveSpeedButtons(TWinControl* Owner, TControl* Except) {
  for (int I = 0; I < Owner->ControlCount(); ++I) {
    TControl* Child = Owner->Controls(I);
    if (Child == Except || Windowed(Child)) continue;
    auto* Data = dynamic_cast<TsCommonData*>(GetObjectProperty(Child, "SkinData"));
    if (Data && Data->ControlKind == 92 && Data->MouseAbove) Child->Perform(CM_MOUSELEAVE, 0, 0);
  }
}

void Repaint(TsCommonData& D, UINT Flags) {
  if (TWinControl* Win = Windowed(D.OwnerControl); Win && Win->HandleAllocated())
    RedrawWindow(Win->WindowHandle(), nullptr, nullptr, Flags);
}

void NcPaint(TsCommonData& D) {
  if (TWinControl* Win = Windowed(D.OwnerControl); Win && Win->HandleAllocated())
    SendMessageA(Win->WindowHandle(), WM_NCPAINT, 0, 0);
}

}  // namespace

bool HandleSkinNotification(TMessage& Msg, TsCommonData* D) {
  if (!D) return false;
  if (Msg.Msg == SM_SKINCMD) return HandleSkinCommand(Msg, D);
  TControl* Owner = D->OwnerControl;
  TWinControl* Win = Windowed(Owner);
  const TsGeneralData* S = D->IsSkinActive() ? D->Section() : nullptr;
  const bool ColorManaged = IsColorManagedKind(D->ControlKind);
  switch (Msg.Msg) {
    case CM_VISIBLECHANGED:
      if (!Owner || Destroying(Owner) || !D->CacheBmp) break;
      if (Msg.WParam == 0) {
        D->CacheBmp->SetSize(0, 0);
        if (Win) ToEachChild(Win, SkinCmdFreeCache, false);
      } else {
        D->Updating = false;
      }
      D->BGChanged = true;
      break;
    case CM_MOUSEENTER:
      if (!S || !Owner) break;
      if (Win && DefaultManager) LeaveSpeedButtons(Win, reinterpret_cast<TControl*>(Msg.LParam));
      if (!KindHasNoHoverState(D->ControlKind)) D->MouseAbove = true;
      if (!Win) break;
      if (!KindHasNoHoverGlow(D->ControlKind)) D->UpdateGlow(false, nullptr);
      if (ColorManaged && S->States >= 2) {
        D->BGChanged = true;
        NcPaint(*D);
      }
      break;
    case CM_MOUSELEAVE:
      if (!S || !Owner) break;
      if (!KindHasNoHoverState(D->ControlKind)) D->MouseAbove = false;
      if (!KindHasNoHoverGlow(D->ControlKind)) ClearGlows(false);
      if (Owner->Visible() && ColorManaged) {
        D->BGChanged = true;
        NcPaint(*D);
      }
      break;
    case CM_SHOWINGCHANGED:
      if (Owner && Owner->Visible()) D->FinishLoading();
      break;
    case WM_PARENTNOTIFY:
      if (Win && LOWORD(Msg.WParam) == WM_CREATE) NotifyFormControlLoaded(Win);
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (!Win || !Win->CanFocus() || !Win->TabStop()) break;
      D->BGChanged = true;
      D->Focused = Msg.Msg == WM_SETFOCUS;
      if (D->Focused ? S && ColorManaged && S->States >= 2 : Win->Visible() && ColorManaged)
        Repaint(*D, RDW_INVALIDATE | RDW_FRAME);
      break;
    case WM_MOVE:
      if (!D->DependsOnParentBg()) break;
      D->BGChanged = true;
      if (Owner) Owner->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdParentBgChanged, 1), 0);
      D->HideGlow();
      break;
    case WM_SIZE:
      if (!S) break;
      D->BGChanged = true;
      if (Win && S->GradientPercent > 0) ParentBgChangedToChildren(Win, 1, true);
      D->HideGlow();
      break;
    case WM_FONTCHANGE:
      D->MouseAbove = D->Focused = false;
      if (Owner && !Owner->Enabled()) D->HideGlow();
      break;
    case WM_CONTEXTMENU:
      if (TsSkinManager* M = D->GetSkinManager(); M && Owner && Owner->PopupMenu())
        if (auto* Menus = dynamic_cast<TsSkinableMenus*>(M->MenuPainter()))
          // Without a skin the menu keeps its own look: skinned drawing needs the skin's sections.
          Menus->HookPopupMenu(Owner->PopupMenu(), M->SkinnedPopups() && M->SkinData().Active);
      break;
    default:
      break;
  }
  return false;
}

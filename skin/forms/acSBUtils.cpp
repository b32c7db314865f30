#include "skin/forms/acSBUtils.h"

#include <commctrl.h>

#include "skin/engine/sCommonData.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinMenus.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/Menus.h"

bool DialogChildAdapting = false;

TacMainWnd::TacMainWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                       const std::string& ASection, bool ARepaint)
    : CtrlHandle(AHandle), SkinManager(ASkinManager), Repaint(ARepaint), FSection(ASection) {
  if (ASkinData) {
    SkinData = ASkinData;
  } else {
    FOwnedSkinData = std::make_unique<TsCommonData>(nullptr, true);
    SkinData = FOwnedSkinData.get();
    OwnSkinData = true;
    if (ASkinManager) SkinData->SetSkinManager(ASkinManager);
  }
  if (!SkinManager) SkinManager = SkinData->GetSkinManager();
  if (SkinData->SkinSection().empty()) SkinData->SetSkinSection(ASection);
  DlgMode = DialogChildAdapting;
}

void TacMainWnd::Hook() {
  // Visual styles off, so that the skin paints the window, except where they stay the window's own.
  if (Bindings().SetWindowTheme && !KeepsVisualStyles()) Bindings().SetWindowTheme(CtrlHandle, u" ", u" ");
  SaveStdParams();
  ParamsApplied = false;
  ReadWndText();
  InitCtrlData(CtrlHandle);
  if (SkinData->OwnerControl) {
    OldControlStyle = SkinData->OwnerControl->ControlStyle();
    SkinData->OwnerControl->SetControlStyle(OldControlStyle | csOpaque);
  }
}

bool TacMainWnd::KeepsVisualStyles() const {
  const TsProviderLink* Provider = SkinData->Provider();
  return (Provider && !Provider->DrawFrame()) || IsMenuAdapter() || FSection == "DIALOG";
}

TacMainWnd::~TacMainWnd() {
  if (!Destroyed) {
    TControl* Owner = SkinData->OwnerControl;
    if (Owner && OldControlStyle != 0) Owner->SetControlStyle(OldControlStyle);
    if (OldProc) {
      GiveProcBack();
    } else if (Subclassed) {
      // A later subclasser replaced the window's procedure over comctl32's: removing the last subclass
      // would put the original procedure back over it, so the subclass stays and only forwards.
      if (GetWindowLongPtrW(CtrlHandle, GWLP_WNDPROC) == FStubProc)
        RemoveWindowSubclass(CtrlHandle, &TacMainWnd::SubclassProc, reinterpret_cast<UINT_PTR>(this));
      else
        SetWindowSubclass(CtrlHandle, &TacMainWnd::SubclassProc, reinterpret_cast<UINT_PTR>(this), 0);
      Subclassed = false;
    }
    if (IsWindow(CtrlHandle)) {
      RemovePropA(CtrlHandle, AdapterProp);
      RestoreStdParams();
      const bool ListViewOverComposition = SkinData->ControlKind == 10 && DwmCompositionEnabled();
      if (Bindings().SetWindowTheme && !KeepsVisualStyles() && !ListViewOverComposition)
        Bindings().SetWindowTheme(CtrlHandle, nullptr, nullptr);
    }
    Destroyed = true;
  }
  SkinManager = nullptr;
}

void TacMainWnd::ReadWndText() {
  const int Length = GetWindowTextLengthW(CtrlHandle);
  WndText.assign(Length, WCHAR(0));
  if (Length > 0) WndText.resize(GetWindowTextW(CtrlHandle, WndText.data(), Length + 1));
}

TControl* TacMainWnd::ProcOwner() const {
  if (SkinData->OwnerControl) return SkinData->OwnerControl;
  if (TsProviderLink* Provider = SkinData->Provider()) return Provider->Form();
  return nullptr;
}

void TacMainWnd::GiveProcBack() {
  if (TControl* Owner = ProcOwner(); Owner && Owner->WindowProc == TWndMethod(this, &TacMainWnd::ToolkitProc))
    Owner->WindowProc = OldProc;
  OldProc = TWndMethod();
}

void TacMainWnd::InitCtrlData(HWND Wnd) {
  ScrollBusy = false;
  CtrlHandle = Wnd;
  SetPropA(Wnd, AdapterProp, reinterpret_cast<HANDLE>(static_cast<TacMainWnd*>(this)));
  if (TControl* Owner = ProcOwner()) {
    OldProc = Owner->WindowProc;
    Owner->WindowProc = TWndMethod(this, &TacMainWnd::ToolkitProc);
  } else {
    SetWindowSubclass(Wnd, &TacMainWnd::SubclassProc, reinterpret_cast<UINT_PTR>(this),
                      reinterpret_cast<DWORD_PTR>(this));
    Subclassed = true;
    FStubProc = GetWindowLongPtrW(Wnd, GWLP_WNDPROC);
  }
}

void TacMainWnd::UninitCtrlData(bool RepaintFrame) {
  if (Destroyed) return;
  if (OldProc) {
    GiveProcBack();
  } else if (Subclassed) {
    // While a later subclasser sits over comctl32's procedure, the window is left as it is.
    if (IsWindow(CtrlHandle) && GetWindowLongPtrW(CtrlHandle, GWLP_WNDPROC) != FStubProc) return;
    RemoveWindowSubclass(CtrlHandle, &TacMainWnd::SubclassProc, reinterpret_cast<UINT_PTR>(this));
    Subclassed = false;
  }
  RemovePropA(CtrlHandle, AdapterProp);
  RestoreStdParams();
  if (IsWindowVisible(CtrlHandle)) RefreshWndFrame(CtrlHandle, RepaintFrame);
  Destroyed = true;
}

LRESULT CALLBACK TacMainWnd::SubclassProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR Id,
                                          DWORD_PTR Ref) {
  auto* Adapter = reinterpret_cast<TacMainWnd*>(Ref);
  if (!Adapter) {
    // Left behind by an adapter freed under a later subclasser: forwards until the window goes.
    if (Msg == WM_NCDESTROY) RemoveWindowSubclass(Wnd, &TacMainWnd::SubclassProc, Id);
    return DefSubclassProc(Wnd, Msg, WParam, LParam);
  }
  TMessage Message{Msg, WParam, LParam, 0};
  Adapter->acWndProc(Message);
  return Message.Result;
}

LRESULT TacMainWnd::CallPrevWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM& LParam) {
  if (OldProc) {
    TMessage Message{Msg, WParam, LParam, 0};
    OldProc(Message);
    LParam = Message.LParam;
    return Message.Result;
  }
  if (Subclassed) return DefSubclassProc(Wnd, Msg, WParam, LParam);
  return 0;
}

void TacMainWnd::acWndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY:
      if (SkinData->GlowID >= 0) SkinData->HideGlow();
      if (!OldProc && !Subclassed) {
        // Nothing to pass it to: sending it to the window again would come straight back here.
        Message.Result = DefWindowProcW(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
        return;
      }
      PassOn(Message);
      // The window is going: the adapter leaves it on WM_NCDESTROY whatever the answer.
      if (Message.Result == 0 || Message.Msg == WM_NCDESTROY) {
        try {
          UninitCtrlData(false);
        } catch (...) {
          // The message has been handled; the window goes anyway.
        }
      }
      return;
    case WM_SIZE:
      SkinData->BGChanged = true;
      break;
    case WM_SETTEXT:
      PassOn(Message);
      ReadWndText();
      return;
    case WM_CONTEXTMENU:
      if (TControl* Owner = SkinData->OwnerControl; Owner && Owner->PopupMenu() && SkinManager)
        if (auto* Menus = dynamic_cast<TsSkinableMenus*>(SkinManager->MenuPainter()))
          Menus->HookPopupMenu(Owner->PopupMenu(), SkinManager->Active());
      break;
    case WM_UPDATEUISTATE:
      return;
    case WM_MOUSEMOVE:
      if (DefaultManager && IsWindowEnabled(CtrlHandle) && DefaultManager->HotWindow() != CtrlHandle)
        DefaultManager->SetHotWindow(CtrlHandle);
      break;
    case WM_PRINT:
      Message.Result = SendMessageW(CtrlHandle, WM_PAINT, Message.WParam, Message.LParam);
      return;
    default:
      break;
  }
  DefaultPath(Message);
}

void TacMainWnd::DefaultPath(TMessage& Message) {
  if (!SkinManager || !SkinManager->Active() || Message.Msg != SM_SKINCMD || SkinCmdCode(Message) >= 61) {
    PassOn(Message);
    return;
  }
  const bool FromManager = Message.LParam == reinterpret_cast<LPARAM>(SkinData->GetSkinManager());
  switch (SkinCmdCode(Message)) {
    case SkinCmdSkinChanged:
      if (FromManager) {
        SkinData->ResolveIndexes();
        SkinData->BGChanged = true;
        auto* Control = dynamic_cast<TWinControl*>(SkinData->OwnerControl);
        BroadcastSkinCmd(Control, CtrlHandle, Message);
      }
      break;
    case SkinCmdRemoveSkin:
      if (FromManager) RestoreStdParams();
      break;
    case SkinCmdRefresh:
      if (!FromManager) break;
      SkinData->ResolveIndexes();
      SkinData->BGChanged = true;
      SkinData->SetUpdating(false);
      if (IsWindowVisible(CtrlHandle)) SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
      return;
    case SkinCmdUpdateFinished:
      if (!SkinData->Updating) break;
      SkinData->SetUpdating(false);
      SkinData->SetUpdating(SkinData->IsUpdating());
      if (!SkinData->Updating)
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      return;
    case SkinCmdIsSkinned:
      Message.Result = 1;
      return;
    case SkinCmdIsUpdating:
      Message.Result = SkinData->Updating ? 1 : 0;
      return;
    case SkinCmdCopySection:
      if (Message.LParam)
        SkinData->SetSkinSection(reinterpret_cast<TsCommonData*>(Message.LParam)->SkinSection());
      break;
    case SkinCmdHasBgImage:
      if (!SkinData->OwnerControl) break;
      HandleSkinCommand(Message, SkinData);
      return;
    case SkinCmdGetColor:
      PassOn(Message);
      if (Message.Result == 0) Message.Result = SkinData->GetBgColor(0, CtrlHandle);
      return;
    case SkinCmdPrepareCache:
      PrepareCache(false);
      break;
    case SkinCmdGetBgInfo:
      SkinData->FillBackgroundInfo(*reinterpret_cast<TsBackgroundInfo*>(Message.LParam), false, CtrlHandle);
      return;
    case SkinCmdGetSkinData:
      Message.Result = reinterpret_cast<LRESULT>(SkinData);
      return;
    case SkinCmdSetPaintInfo:
      if (Message.LParam)
        SkinData->CtrlState |= CtrlPaintInfoSet;
      else
        SkinData->CtrlState &= ~CtrlPaintInfoSet;
      SkinData->PaintInfo = reinterpret_cast<void*>(Message.LParam);
      break;
    case SkinCmdGetApplication:
      Message.Result = reinterpret_cast<LRESULT>(Application);
      return;
    default:
      break;
  }
  PassOn(Message);
}

void TacMainWnd::UpdateWndRects() {
  RECT R;
  GetWindowRect(CtrlHandle, &R);
  WndRect = TRect{R.left, R.top, R.right, R.bottom};
  WndSize = TSize{R.right - R.left, R.bottom - R.top};
  ParentWnd = GetParent(CtrlHandle);
  POINT P{R.left, R.top};
  if (ParentWnd) {
    RECT PR;
    GetWindowRect(ParentWnd, &PR);
    ParentRect = TRect{PR.left, PR.top, PR.right, PR.bottom};
    ScreenToClient(ParentWnd, &P);
  }
  WndPos = TPoint{P.x, P.y};
}

void InitCtrlData(TacMainWnd& Adapter, HWND Wnd) { Adapter.InitCtrlData(Wnd); }

void UninitCtrlData(HWND Wnd, bool FreeAdapter, bool Repaint, std::unique_ptr<TacMainWnd>& Adapter) {
  if (!Adapter || Adapter->CtrlHandle != Wnd) return;
  Adapter->UninitCtrlData(Repaint);
  if (FreeAdapter) Adapter.reset();
}

void RefreshWndFrame(HWND Wnd, bool Repaint) {
  if (Repaint)
    SetWindowPos(Wnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  else
    SendMessageW(Wnd, WM_NCPAINT, 1, 0);
}

TacMainWnd* AdapterOf(HWND Wnd) { return static_cast<TacMainWnd*>(GetPropA(Wnd, AdapterProp)); }

// The skin manager's announcements of a new or removed skin, the refresh of the forms, the dialog hook
// and hot tracking.
#include <windows.h>

#include "skin/engine/acGlow.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinSeam.h"
#include "skin/engine/sSkinnedForms.h"
#include "skin/engine/sCommonData.h"
#include "toolkit/ui/Controls.h"

bool DwmIconicPreviews = true;

namespace {

// A window of this thread that still exists: a stale handle may name another process's window.
bool LiveWindowOfThisThread(HWND Wnd) {
  return Wnd && IsWindow(Wnd) && GetWindowThreadProcessId(Wnd, nullptr) == GetCurrentThreadId();
}

// A flag set for the lifetime of the object.
class TFlagScope {
 public:
  explicit TFlagScope(bool& Flag) : flag_(Flag) { flag_ = true; }
  ~TFlagScope() { flag_ = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void TsSkinManager::BroadcastSkinCmd(int Code) {
  TMessage Msg{SM_SKINCMD, SkinCmdWParam(Code), reinterpret_cast<LPARAM>(this), 0};
  BroadcastToForms(Msg);
}

void TsSkinManager::SendNewSkin(bool Repaint) {
  if (Loading()) return;
  ClearGlows(true);
  if (Repaint) FreezeSkinnedForms(this);
  if (FMenuPainter) FMenuPainter->SetSkinBorderWidth(-1);
  FSkinData.Active = false;
  FCommonIndexes = ResolveCommonIndexes(FTables);
  {
    const TFlagScope Announcing(FAnnouncingSkin);
    BroadcastSkinCmd(SkinCmdSkinChanged);
  }
  FSkinData.Active = true;
  if (DefaultManager == this && !FCBTHook) InstallDialogHook();
  if (DefaultManager == this && FMenuPainter) FMenuPainter->SetActive(true);
  if (Repaint) RepaintForms(false);
}

void TsSkinManager::SendRemoveSkin() {
  const TFlagScope Removing(FRemovingSkin);
  ClearGlows(true);
  if (DefaultManager == this && FCBTHook) RemoveDialogHook();
  if (DefaultManager == this && FMenuPainter) FMenuPainter->SetActive(false);
  FSkinData.Active = false;
  BroadcastSkinCmd(SkinCmdRemoveSkin);
  FTables = TsSkinTables{};
  FMasterBitmap.reset();
  FCommonIndexes = ResolveCommonIndexes(FTables);
}

void TsSkinManager::InstallDialogHook() {
  if (!Seam().CBTHookProc) return;
  FCBTHook.reset(SetWindowsHookExA(WH_CBT, Seam().CBTHookProc, nullptr, GetCurrentThreadId()));
}

void TsSkinManager::RemoveDialogHook() {
  if (Seam().ClearMenuAdapters) Seam().ClearMenuAdapters();
  FCBTHook.reset();
  if (Seam().FreeSkinnedDialogs) Seam().FreeSkinnedDialogs();
}

void TsSkinManager::RepaintForms(bool Lock) {
  TMessage Stop{SM_SKINCMD, SkinCmdWParam(SkinCmdStopAnimation), 0, 0};
  BroadcastToForms(Stop);
  TMessage Refresh{SM_SKINCMD, SkinCmdWParam(SkinCmdRefresh), reinterpret_cast<LPARAM>(this), 0};
  if (Loading()) {
    BroadcastToForms(Refresh);
  } else {
    if (Lock) FreezeSkinnedForms(this);
    BroadcastToForms(Refresh);
    UnlockSkinnedForms(this, true);
  }
  if (const HWND Watcher = Seam().WatcherWindow; Watcher && IsWindow(Watcher))
    SendMessageA(Watcher, Refresh.Msg, Refresh.WParam, Refresh.LParam);
  if (Seam().SkinnedDialogs)
    for (HWND Dialog : Seam().SkinnedDialogs())
      if (IsWindowVisible(Dialog))
        RedrawWindow(Dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

HWND TsSkinManager::HotWindow() const { return LiveWindowOfThisThread(FHotWindow) ? FHotWindow : nullptr; }

LRESULT TsSkinManager::SetHotWindow(HWND Wnd) {
  // A destroyed hot window is forgotten: its handle may have been given to another window.
  if (FHotWindow && !LiveWindowOfThisThread(FHotWindow)) FHotWindow = nullptr;
  if (Wnd == FHotWindow) return 0;
  if (FHotWindow && FHotControl) {
    SetHotControl(nullptr);
    if (FHotControl) return 0;
  }
  const HWND Previous = FHotWindow;
  FHotWindow = Wnd;
  const LPARAM Self = reinterpret_cast<LPARAM>(this);
  if (Previous) SendSkinCmd(Previous, SkinCmdMouseLeave, Self);
  return LiveWindowOfThisThread(Wnd) ? SendSkinCmd(Wnd, SkinCmdMouseEnter, Self) : 0;
}

void TsSkinManager::SetHotControl(TControl* Control) {
  if (Control == FHotControl) return;
  if (!Control && FHotControl) {
    auto* Data = reinterpret_cast<TsCommonData*>(SendSkinCmdToControl(FHotControl, SkinCmdGetSkinData, 0));
    if (Data && Data->MouseAbove) return;
  }
  TControl* const Previous = FHotControl;
  if (Previous) Previous->RemoveFreeNotification(this);
  FHotControl = Control;
  if (Control) Control->FreeNotification(this);
  FHotWindow = nullptr;
  if (Previous) SendSkinCmdToControl(Previous, SkinCmdMouseLeave, reinterpret_cast<LPARAM>(this));
}

void SetDwmIconicBitmap(HWND Wnd, bool Value) {
  if (!DwmIconicPreviews || !Seam().CallDwmSetWindowAttribute) return;
  const BOOL Flag = Value;
  if (SUCCEEDED(Seam().CallDwmSetWindowAttribute(Wnd, 10, &Flag, sizeof(Flag))))
    Seam().CallDwmSetWindowAttribute(Wnd, 7, &Flag, sizeof(Flag));
  if (Seam().InvalidateIconicBitmaps) Seam().InvalidateIconicBitmaps(Wnd);
}

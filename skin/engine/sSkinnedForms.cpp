#include "skin/engine/sSkinnedForms.h"

#include <algorithm>

#include "skin/engine/sCommonData.h"
#include "skin/engine/sCtrlUtils.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinSeam.h"
#include "skin/engine/sSkinnedFormList.h"

namespace {

std::vector<TCustomForm*> Registry;

bool MainWindowMinimized() { return Application && IsIconic(Application->Handle()); }

TsProviderLink* ProviderOf(TCustomForm* Form, TsSkinManager* Manager) {
  auto* Provider = reinterpret_cast<TsProviderLink*>(SendSkinCmdToControl(Form, SkinCmdGetSkinProvider, 0));
  return Provider && Provider->SkinData() && Provider->SkinData()->GetSkinManager() == Manager ? Provider : nullptr;
}

// A top-level form of its own (no MDI child, no parent) that shows.
bool TopLevelShown(const TCustomForm* Form) {
  return Form && Form->FormStyle() != fsMDIChild && !Form->Parent() && Form->Visible();
}

bool Registered(const TCustomForm* Form) { return std::find(Registry.begin(), Registry.end(), Form) != Registry.end(); }

// The registered forms with the manager's provider that a walk reaches; a form freed by a receiver
// meanwhile is left out when it comes up.
template <class Step>
void WalkForms(TsSkinManager* Manager, Step&& Do) {
  const std::vector<TCustomForm*> Forms = Registry;
  for (TCustomForm* Form : Forms) {
    if (!Registered(Form) || !TopLevelShown(Form) || !Form->HandleAllocated()) continue;
    if (TsProviderLink* Provider = ProviderOf(Form, Manager)) Do(Form, Provider);
  }
}

// Looked up without touching the component, which may be freed.
bool OwnedByApplication(const TComponent* Component) {
  for (int i = 0; i < Application->ComponentCount(); ++i)
    if (Application->Components(i) == Component) return true;
  return false;
}

bool ManagerBusy(const TsSkinManager* Manager) {
  return !Manager || (Manager->ComponentState() & (csDesigning | csLoading | csReading));
}

void MarkAnimating(TsSkinManager* Manager) {
  if (Manager == DefaultManager && Manager->AnimEffects()->SkinChanging()->Active()) SkinChangeAnimating = true;
}

void SetBits(TsProviderLink* Provider, std::uint32_t Bits, bool On) {
  Provider->SetStateBits(On ? Provider->StateBits() | Bits : Provider->StateBits() & ~Bits);
}

void SendToForm(TCustomForm* Form, TMessage& Msg) {
  if (Form->HandleAllocated())
    SendMessageA(Form->WindowHandle(), Msg.Msg, Msg.WParam, Msg.LParam);
  else
    Form->Perform(Msg.Msg, Msg.WParam, Msg.LParam);
  BroadcastToChildren(Form, Msg);
  if (Form->FormStyle() == fsMDIForm && Form->ClientHandle())
    SendMessageA(Form->ClientHandle(), Msg.Msg, Msg.WParam, Msg.LParam);
}

// A maximized form with a border form is shown maximized again without showing in between, and the
// active window is given back its activation.
void RestoreMaximized(TCustomForm* Form) {
  const HWND Wnd = Form->WindowHandle();
  const LONG Style = GetWindowLongA(Wnd, GWL_STYLE);
  SetWindowLongA(Wnd, GWL_STYLE, Style & ~WS_VISIBLE);
  const HWND Active = GetActiveWindow();
  ShowWindow(Wnd, SW_MAXIMIZE);
  SetWindowLongA(Wnd, GWL_STYLE, GetWindowLongA(Wnd, GWL_STYLE) | WS_VISIBLE);
  if (Active) SetActiveWindow(Active);
}

void RepaintForm(TsSkinManager* Manager, TCustomForm* Form, TsProviderLink* Provider) {
  const TacSkinChanging& Anim = *Manager->AnimEffects()->SkinChanging();
  if (Anim.Active()) {
    if (Provider->DrawFrame())
      AnimChangeForm(Form, Anim.Time(), 255, Anim.Mode());
    else
      AnimChangeForm(Form, 0, 255, atFading);
  }
  SetBits(Provider, ProviderImageCaptured, false);
  TsBorderFormLink* Border = Provider->BorderForm();
  if (Border && Form->WindowState() == wsMaximized) RestoreMaximized(Form);
  Provider->SetLocked(false);
  const HWND Wnd = Form->WindowHandle();
  if (Provider->DrawFrame()) {
    Provider->CollectRegionData();
    Provider->UpdateRegion(false);
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (Border) {
      Border->UpdateRegions();
      Border->PaintAll(true, 255);
    }
  } else {
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  }
}

}  // namespace

void RegisterSkinnedForm(TCustomForm* Form) { Registry.push_back(Form); }

void UnregisterSkinnedForm(TCustomForm* Form) { RemoveFromFormList(Registry, Form); }

const std::vector<TCustomForm*>& SkinnedForms() { return Registry; }

void LockSkinnedForms(TsSkinManager* Manager) {
  if (ManagerBusy(Manager)) return;
  MarkAnimating(Manager);
  if (MainWindowMinimized()) return;
  WalkForms(Manager, [](TCustomForm* Form, TsProviderLink* Provider) {
    if (Form->WindowState() == wsMinimized) return;
    TsBorderFormLink* Border = Provider->BorderForm();
    if (Border && Border->Window() && Border->Window()->HandleAllocated()) {
      SetBits(Provider, ProviderImageCaptured, true);
      if (Seam().GetFormImage) Provider->SetFormImage(Seam().GetFormImage(Provider));
    }
    Provider->SetLocked(true);
  });
}

void FreezeSkinnedForms(TsSkinManager* Manager) {
  if (!Manager) return;
  MarkAnimating(Manager);
  if (MainWindowMinimized()) return;
  WalkForms(Manager, [](TCustomForm* Form, TsProviderLink* Provider) {
    if (!dynamic_cast<TForm*>(Form) || Form->WindowState() == wsMinimized || !IsWindowVisible(Form->WindowHandle()))
      return;
    Provider->SetLocked(true);
    SetBits(Provider, ProviderRedrawLocked, true);
    if (TsBorderFormLink* Border = Provider->BorderForm()) {
      std::unique_ptr<TBitmap> Image = Provider->TakeFormImage();
      if (Image && Border->Window() && Seam().UpdateLayeredWnd)
        Seam().UpdateLayeredWnd(Border->Window()->Handle(), Image.get(), 255);
      Provider->SetFormImage(std::move(Image));
      Border->UpdateRegions();
    }
    SendMessageA(Form->WindowHandle(), WM_SETREDRAW, 0, 0);
  });
}

void UnlockSkinnedForms(TsSkinManager* Manager, bool Repaint) {
  if (!Manager) return;
  if (Manager == DefaultManager) SkinChangeAnimating = false;
  // Redrawing always comes back, also for a minimized form or under a minimized main window.
  WalkForms(Manager, [](TCustomForm* Form, TsProviderLink* Provider) {
    if (Provider->StateBits() & ProviderRedrawLocked) SendMessageA(Form->WindowHandle(), WM_SETREDRAW, 1, 0);
  });
  if (MainWindowMinimized()) return;
  WalkForms(Manager, [&](TCustomForm* Form, TsProviderLink* Provider) {
    if (Form->WindowState() == wsMinimized || !(Provider->StateBits() & ProviderRedrawLocked)) return;
    if (Repaint) {
      RepaintForm(Manager, Form, Provider);
    } else {
      SetBits(Provider, ProviderImageCaptured, false);
      SendMessageA(Form->WindowHandle(), WM_SETREDRAW, 1, 0);
    }
    SetBits(Provider, ProviderRedrawLocked, false);
  });
}

void BroadcastToForms(TMessage& Msg) {
  if (Application && Application->ComponentCount() > 0) {
    std::vector<TComponent*> Components;
    for (int i = 0; i < Application->ComponentCount(); ++i) Components.push_back(Application->Components(i));
    for (auto It = Components.rbegin(); It != Components.rend(); ++It) {
      // A receiver may have freed a later component: only those the application still owns count.
      if (!OwnedByApplication(*It)) continue;
      auto* Form = dynamic_cast<TForm*>(*It);
      if (!Form || Form->FormStyle() == fsMDIChild || (Form->ComponentState() & (csDestroying | csLoading))) continue;
      if (Form->HandleAllocated() && QuerySkinCmd(Form->WindowHandle(), SkinCmdIsSkinned)) continue;
      SendToForm(Form, Msg);
    }
  }
  BroadcastToRegisteredForms(Msg);
}

void BroadcastToRegisteredForms(TMessage& Msg) {
  const std::vector<TCustomForm*> Forms = Registry;
  for (TCustomForm* Form : Forms)
    if (Form && Registered(Form) && !(Form->ComponentState() & csDestroying)) SendToForm(Form, Msg);
  if (Seam().SkinnedDialogs)
    for (HWND Dialog : Seam().SkinnedDialogs())
      if (IsWindowVisible(Dialog)) SendMessageA(Dialog, Msg.Msg, Msg.WParam, Msg.LParam);
}

#include "skin/engine/sSkinCommand.h"

#include <vector>

#include "skin/engine/sSkinGlobals.h"

namespace {

bool Destroying(const TControl* Control) { return Control->ComponentState() & csDestroying; }

// The children as they are now: a receiver may add or free children while the walk goes on.
std::vector<TControl*> ChildrenOf(const TWinControl* Control) {
  std::vector<TControl*> Children;
  for (int I = 0; I < Control->ControlCount(); ++I) Children.push_back(Control->Controls(I));
  return Children;
}

// Compares pointers only: a child freed by an earlier receiver has left the parent's list.
bool StillChild(const TWinControl* Control, const TControl* Child) {
  for (int I = 0; I < Control->ControlCount(); ++I)
    if (Control->Controls(I) == Child) return true;
  return false;
}

}  // namespace

LRESULT SendSkinCmd(HWND Wnd, int Code, LPARAM LParam) {
  return SendMessageA(Wnd, SM_SKINCMD, SkinCmdWParam(Code), LParam);
}

LRESULT SendSkinCmdToControl(TControl* Control, int Code, LPARAM LParam) {
  auto* Win = dynamic_cast<TWinControl*>(Control);
  if (!Win) return Control->Perform(SM_SKINCMD, SkinCmdWParam(Code), LParam);
  if (Destroying(Win) || !Win->HandleAllocated()) return 0;
  return SendSkinCmd(Win->WindowHandle(), Code, LParam);
}

LRESULT SendSkinCmdSimple(TControl* Control, int Code) { return SendSkinCmdToControl(Control, Code, 0); }

bool QuerySkinCmd(HWND Wnd, int Code) { return SendSkinCmd(Wnd, Code, 0) == 1; }

void BroadcastToChildren(TWinControl* Control, TMessage& Msg) {
  const std::vector<TControl*> Children = ChildrenOf(Control);
  for (TControl* Child : Children) {
    if (!StillChild(Control, Child) || Destroying(Child)) continue;
    auto* Win = dynamic_cast<TWinControl*>(Child);
    if (!Win || !Win->HandleAllocated()) {
      Child->Perform(Msg.Msg, Msg.WParam, Msg.LParam);
    } else if (QuerySkinCmd(Win->WindowHandle(), SkinCmdIsSkinned)) {
      SendMessageA(Win->WindowHandle(), Msg.Msg, Msg.WParam, Msg.LParam);
    } else {
      BroadcastToChildren(Win, Msg);
    }
  }
}

namespace {

struct TChildWalk {
  HWND Parent;
  TMessage* Msg;
};

// Direct children only; the enumeration always runs to its end.
BOOL CALLBACK SendToDirectChild(HWND Child, LPARAM Data) {
  const auto* W = reinterpret_cast<TChildWalk*>(Data);
  if (GetParent(Child) == W->Parent) SendMessageA(Child, W->Msg->Msg, W->Msg->WParam, W->Msg->LParam);
  return TRUE;
}

}  // namespace

void BroadcastToChildWindows(HWND Wnd, TMessage& Msg) {
  TChildWalk Walk{Wnd, &Msg};
  EnumChildWindows(Wnd, SendToDirectChild, reinterpret_cast<LPARAM>(&Walk));
}

void NotifyChildrenUpdateFinished(TWinControl* Control) {
  if (AnimationInProgress) return;
  for (TControl* Child : ChildrenOf(Control)) {
    if (!StillChild(Control, Child) || Destroying(Child) || dynamic_cast<TGraphicControl*>(Child)) continue;
    if (auto* Win = dynamic_cast<TWinControl*>(Child)) {
      if (Win->HandleAllocated() && Win->Showing()) SendSkinCmd(Win->WindowHandle(), SkinCmdUpdateFinished, 0);
    } else {
      SendSkinCmdToControl(Child, SkinCmdUpdateFinished, 0);
    }
  }
}

void NotifyTopWindowsUpdateFinished(HWND Wnd) {
  for (HWND Child = GetTopWindow(Wnd); Child; Child = GetWindow(Child, GW_HWNDNEXT))
    if (GetWindowLongA(Child, GWL_STYLE) & WS_CHILD) SendSkinCmd(Child, SkinCmdUpdateFinished, 0);
}

TColor GetControlColor(TControl* Control) {
  if (!Control) return clFuchsia;
  if (SendSkinCmdToControl(Control, SkinCmdIsSkinned, 0) == 1)
    return ColorToRGB(TColor(Control->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdGetColor), clFuchsia)));
  return ColorToRGB(Control->Color());
}

TColor GetWindowColor(HWND Wnd) {
  if (!Wnd) return clFuchsia;
  return ColorToRGB(TColor(SendSkinCmd(Wnd, SkinCmdGetColor, clFuchsia)));
}

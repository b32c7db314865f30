#include "skin/engine/sCtrlUtils.h"

#include "skin/engine/sSkinCommand.h"

void GetMousePos(TPoint& P) { GetCursorPos(&P); }

void NotifyFormControlLoaded(TWinControl* Control) {
  if (Control->ComponentState() & (csLoading | csDestroying)) return;
  TCustomForm* Form = Control->GetParentForm();
  if (Form && Form->HandleAllocated())
    SendSkinCmd(Form->WindowHandle(), SkinCmdControlLoaded, reinterpret_cast<LPARAM>(Control));
}

bool ControlIsReady(TControl* Control) {
  if (!Control) return false;
  if (auto* Win = dynamic_cast<TWinControl*>(Control); Win && !Win->HandleAllocated()) return false;
  return !(Control->ControlState() & (csCreating | csReadingState)) &&
         !(Control->ComponentState() & (csLoading | csDestroying)) && Control->Parent();
}

TCustomForm* GetOwnerForm(TComponent* Component) {
  for (; Component; Component = Component->Owner())
    if (auto* Form = dynamic_cast<TCustomForm*>(Component)) return Form;
  return nullptr;
}

TComponent* GetOwnerFrame(TComponent*) { return nullptr; }

UINT TextAlignFlags(TControl*, TAlignment Alignment) {
  static const UINT Flags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  return Flags[Alignment] | DT_EXPANDTABS | DT_VCENTER;
}

void GetClientRectInWindow(HWND Wnd, TRect& R) {
  GetClientRect(Wnd, &R);
  RECT W;
  GetWindowRect(Wnd, &W);
  POINT Origin{0, 0};
  ClientToScreen(Wnd, &Origin);
  OffsetRect(&R, Origin.x - W.left, Origin.y - W.top);
}

int AlignedControlsSize(TWinControl* Parent, TAlign Align, bool WithGraphic) {
  if (Align != alTop && Align != alBottom && Align != alLeft && Align != alRight) return 0;
  int Size = 0;
  for (int I = 0; I < Parent->ControlCount(); ++I) {
    TControl* C = Parent->Controls(I);
    if (!C->Visible() || C->Align() != Align || (!WithGraphic && !dynamic_cast<TWinControl*>(C))) continue;
    Size += Align == alTop || Align == alBottom ? C->Height() : C->Width();
  }
  return Size;
}

HWND GetRootWindow(HWND Wnd) {
  for (HWND P = GetParent(Wnd); P; P = GetParent(Wnd)) Wnd = P;
  return Wnd;
}

#include "skin/engine/sFade.h"

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sFadeSteps.h"
#include "skin/engine/sMaskData.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinSeam.h"
#include "toolkit/ui/Forms.h"

namespace {

int LiveTimers = 0;

bool Gone(const TControl* C) { return !C || (C->ComponentState() & csDestroying); }

bool Terminating() { return Application && Application->Terminated(); }

// A 32-bit copy of Source.
std::unique_ptr<TBitmap> Copy32(const TBitmap& Source) {
  auto Bmp = NewBitmap32(0, 0);
  Bmp->Assign(&Source);
  Bmp->SetPixelFormat(pf32bit);
  return Bmp;
}

// Source's copy with the current cache mixed in at Alpha (the weight of the source).
std::unique_ptr<TBitmap> Frame(const TBitmap& Source, TsCommonData& D, std::uint8_t Alpha) {
  auto Work = Copy32(Source);
  if (D.CacheBmp) MixFadeFrame(BitmapView(Work.get()), BitmapView(D.CacheBmp.get()), Alpha);
  return Work;
}

void TellWatcher() {
  if (Seam().WatcherWindow) SendSkinCmd(Seam().WatcherWindow, SkinCmdRefresh, 0);
}

const TsGeneralData* FadingSection(TsCommonData* D) {
  const TsGeneralData* S = D ? D->Section() : nullptr;
  return S && S->FadingEnabled ? S : nullptr;
}

// Draws Bmp at the control's place: its own window, or its parent's for a window-less control.
void ShowOnControl(TControl* C, TBitmap& Bmp) {
  auto* Win = dynamic_cast<TWinControl*>(C);
  TWinControl* Host = Win ? Win : C->Parent();
  if (!Host || !Host->HandleAllocated()) return;
  const HWND Wnd = Host->WindowHandle();
  const HDC DC = Win ? GetWindowDC(Wnd) : GetDC(Wnd);
  const int Saved = SaveDC(DC);
  if (!Win) SetViewportOrgEx(DC, C->Left(), C->Top(), nullptr);
  if (C->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdPaintTo), reinterpret_cast<LPARAM>(&Bmp)) == 0)
    BitBlt(DC, 0, 0, Bmp.Width(), Bmp.Height(), Bmp.Canvas()->Handle(), 0, 0, SRCCOPY);
  RestoreDC(DC, Saved);
  ReleaseDC(Wnd, DC);
}

}  // namespace

int LiveFadeTimers() { return LiveTimers; }

bool AnimEventAllowed(TacAnimatEvent Event, TacAnimatEvents Events, TsSkinManager* Manager) {
  if (Events & (1u << Event)) return true;
  if (!(Events & (1u << aeGlobalDef))) return false;
  if (!Manager) Manager = DefaultManager;
  static const TacBtnEvent Mapped[] = {beMouseEnter, beMouseLeave, beMouseDown, beMouseUp, beMouseUp};
  return Manager && (Manager->AnimEffects()->Buttons()->Events() & (1u << Mapped[Event]));
}

TsFadeTimer::TsFadeTimer(TComponent* AOwner) : TTimer(AOwner), BmpFrom(NewBitmap32(0, 0)) {
  ++LiveTimers;
  SetDirection(0);
}

TsFadeTimer::~TsFadeTimer() { --LiveTimers; }

void TsFadeTimer::SetDirection(std::uint8_t Value) {
  Direction = Value;
  if (Iteration < 0) Iteration = 1;
  SetEnabled(Value != 0);
}

void TsFadeTimer::Timer() {
  if (!SkinData || (ComponentState() & csDestroying)) return;
  TControl* C = SkinData->OwnerControl;
  if (Gone(C) || Terminating()) {
    // Nothing left to fade: the timer stops instead of ticking on.
    SetDirection(0);
    return;
  }
  if (Iteration < 0 || Iteration > Iterations) {
    C->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdStopAnimation), 0);
    return;
  }
  if (!Seam().FadingSuspended && (Direction == 1 || Direction == 2)) PaintFadeStep(this);
}

void PaintFadeStep(TsFadeTimer* Timer) {
  TsCommonData* D = Timer->SkinData;
  TControl* C = D ? D->OwnerControl : nullptr;
  if (Gone(C) || Timer->Iterations == 0 || Seam().FadingSuspended) return;
  if (!C->Enabled()) {
    Timer->SetEnabled(false);
    Timer->Iterations = 0;
    D->Invalidate();
    return;
  }
  auto Work = Frame(*Timer->BmpFrom, *D, FadeAlpha(Timer->Iteration, Timer->Iterations));
  ShowOnControl(C, *Work);
  TellWatcher();
  ++Timer->Iteration;
}

void PrepareFade(TsFadeTimer* Timer, TsCommonData* D) {
  Timer->SkinData = D;
  if (D->BGChanged && (!D->CacheBmp || D->CacheBmp->Empty()) && D->OwnerControl)
    SendSkinCmdToControl(D->OwnerControl, SkinCmdPrepareCache, 0);
  if (D->CacheBmp) Timer->BmpFrom = Copy32(*D->CacheBmp);
  Timer->SetInterval(10);
  Timer->Iterations = D->Section() ? D->Section()->FadingIterations : 0;
  if (Timer->Direction == 1)
    Timer->Iterations = Timer->Iteration;
  else if (Timer->Direction == 2)
    Timer->Iterations -= Timer->Iteration;
}

void StartFade(TsFadeTimer*& Timer, TsCommonData* D, bool HalfSteps, std::uint8_t Direction) {
  const TsGeneralData* S = FadingSection(D);
  if (!S) return;
  if (Timer) {
    Timer->Iteration = S->FadingIterations;
  } else {
    Timer = new TsFadeTimer(D->OwnerControl);
    Timer->SetEnabled(false);
    Timer->Iteration = 1;
  }
  PrepareFade(Timer, D);
  if (HalfSteps) Timer->Iterations /= 2;
  if (Timer->Iteration >= Timer->Iterations || Timer->Iteration < 1) Timer->Iteration = 1;
  if (D->OwnerControl) D->OwnerControl->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdPrepareCache), 0);
  Timer->SetDirection(Direction);
}

void StopFadeTimer(TsFadeTimer*& Timer) {
  if (Timer && !(Timer->ComponentState() & csDestroying)) {
    Timer->SetEnabled(false);
    Timer->Free();
  }
  Timer = nullptr;
}

void ChangeStateWithFade(TsFadeTimer*& Timer, TsCommonData* D, bool HalfSteps, std::uint8_t Direction,
                         bool AllowFade) {
  if (!D->IsSkinActive()) return;
  if (!SkinChangeInProgress && AllowFade && FadingSection(D) && !Seam().FadingSuspended && D->CacheBmp &&
      !D->BGChanged) {
    D->BGChanged = true;
    StartFade(Timer, D, HalfSteps, Direction);
  } else {
    D->BGChanged = true;
    StopFadeTimer(Timer);
    if (D->OwnerControl) D->OwnerControl->Repaint();
  }
  D->UpdateGlow(HalfSteps, nullptr);
}

TsAnimTimer::TsAnimTimer(TComponent* AOwner)
    : TTimer(AOwner), BmpFrom(NewBitmap32(0, 0)), BmpOut(NewBitmap32(0, 0)) {
  ++LiveTimers;
  SetEnabled(false);
}

TsAnimTimer::~TsAnimTimer() { --LiveTimers; }

void TsAnimTimer::Prepare(TsCommonData* ASkinData) {
  SkinData = ASkinData;
  SetInterval(10);
  Iterations = SkinData && SkinData->Section() ? SkinData->Section()->FadingIterations : 0;
}

void TsAnimTimer::Timer() {
  if (ComponentState() & csDestroying) return;
  TControl* C = SkinData ? SkinData->OwnerControl : nullptr;
  if (Gone(C) || Terminating()) {
    // Ended: nothing left to animate.
    SetEnabled(false);
    return;
  }
  if (Step < 0 || Step > Iterations) {
    C->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdStopAnimation), 0);
    return;
  }
  AnimStep();
}

void TsAnimTimer::AnimStep() {
  TControl* C = SkinData ? SkinData->OwnerControl : nullptr;
  if (!Busy && !Gone(C) && Iterations != 0 && Step >= 0) {
    Busy = true;
    BmpOut = Frame(*BmpFrom, *SkinData, FadeAlpha(Step, Iterations));
    C->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdSetUpdating, 0), 0);
    C->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdShowCurrent), 0);
    TellWatcher();
    Busy = false;
  }
  ++Step;
}

#include "windows/UfrmAguarde.h"

#include "windows/UBArtes.h"

TfrmAguarde* frmAguarde = nullptr;

TfrmAguarde::TfrmAguarde(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmAguarde");
    SetBorderStyle(bsNone);
    SetFormStyle(fsStayOnTop);
    SetPosition(poScreenCenter);
    SetCaption("MZ3100");
    SetClientWidth(191);
    SetClientHeight(62);
    sPanel1 = new TsPanel(this);
    sPanel1->SetName("sPanel1");
    sPanel1->SetParent(this);
    sPanel1->SetAlign(alClient);
    sPanel1->SkinData()->SetCustomColor(true);
    sPanel1->SkinData()->SetCustomFont(true);
    sPanel1->SetColor(RGB(195, 210, 222));
    sPanel1->Font()->SetName("Arial");
    sPanel1->Font()->SetHeight(-15);
    sPanel1->Font()->SetStyle(fsBold);
    sPanel1->Font()->SetColor(clNavy);
    sPanel1->SetCaption("Aguarde...");
    Image1 = new TImage(this);
    Image1->SetName("Image1");
    Image1->SetParent(sPanel1);
    Image1->SetBounds(16, 16, 30, 30);
    Image1->SetTransparent(true);
    CarregarArte(Image1->Picture(), "AGUARDE");
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  });
}

TfrmAguarde::~TfrmAguarde() {
  if (frmAguarde == this) frmAguarde = nullptr;
}

void TfrmAguarde::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

namespace {

thread_local TAguardeChamada* chamadaAtual = nullptr;

// Hides the wait window outside the activation that asked for it: hiding the active window there would
// start an activation inside another.
void CALLBACK EsconderAguarde(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  if (frmAguarde) frmAguarde->Hide();
}

}  // namespace

TAguardeChamada::TAguardeChamada(TTimer* Timer)
    : timer_(Timer), ativa_(GetActiveWindow()), gancho_(nullptr), anterior_(chamadaAtual) {
  if (frmAguarde) frmAguarde->Show();
  if (timer_) timer_->SetEnabled(true);
  chamadaAtual = this;
  gancho_ = SetWindowsHookExA(WH_CBT, Gancho, nullptr, GetCurrentThreadId());
}

TAguardeChamada::~TAguardeChamada() {
  if (gancho_) UnhookWindowsHookEx(gancho_);
  chamadaAtual = anterior_;
  if (timer_) timer_->SetEnabled(false);
  if (frmAguarde) frmAguarde->Hide();
}

LRESULT CALLBACK TAguardeChamada::Gancho(int Code, WPARAM W, LPARAM L) {
  const HWND ativada = reinterpret_cast<HWND>(W);
  if (Code == HCBT_ACTIVATE && chamadaAtual && frmAguarde && ativada != chamadaAtual->ativa_ &&
      ativada != frmAguarde->WindowHandle())
    SetTimer(nullptr, 0, 0, EsconderAguarde);
  return CallNextHookEx(nullptr, Code, W, L);
}

#include "windows/UfrmDica.h"

#include "windows/UfrmPrincipal.h"

TfrmDica* frmDica = nullptr;

TfrmDica::TfrmDica(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmDica");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetCaption("Dica de Busca");
    SetWidth(540);
    SetHeight(176);
    static const char* const textos[] = {
        "A busca por Diagnóstico do Exame é sensível a letras maiúsculas/minúsculas, ou seja, faz diferença entre as "
        "mesmas. Uma busca por \"Astigmatismo\" trará resultado diferente de \"astigmatismo\" devido a letra inicial "
        "maiúscula.",
        "A busca por diagnótico também pode ser feita por qualquer parte do mesmo, como por exemplo, uma busca para "
        "\"astigmatismo irregular\" poderá ser digitado somente \"irreg\".",
        "Para ver um paciente/exame encontrado na busca dê duplo clique sobre o nome do paciente/exame ou click no "
        "botão \"Ver Paciente/Exame\" e o mesmo será visualizado no Painel de Navegação."};
    TLabel** rotulos[] = {&Label1, &Label2, &Label3};
    for (int i = 0; i < 3; ++i) {
      TLabel* l = *rotulos[i] = new TLabel(this);
      l->SetName("Label" + std::to_string(i + 1));
      l->SetParent(this);
      l->SetAutoSize(false);
      l->SetWordWrap(true);
      l->SetBounds(8, 6 + i * 40, 420, 38);
      l->SetCaption(textos[i]);
    }
    sEdit1 = new TsEdit(this);
    sEdit1->SetName("sEdit1");
    sEdit1->SetParent(this);
    sEdit1->SetBounds(440, 8, 4, 4);
    sButton7 = new TsButton(this);
    sButton7->SetName("sButton7");
    sButton7->SetParent(this);
    sButton7->SetBounds(440, 100, 80, 32);
    sButton7->SetCaption("OK");
    if (frmPrincipal) sButton7->SetImages(frmPrincipal->img32);
    sButton7->SetImageIndex(15);
    sButton7->OnClick = [this](TObject*) { Close(); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  });
}

TfrmDica::~TfrmDica() {
  if (frmDica == this) frmDica = nullptr;
}

void TfrmDica::FormShow(TObject*) { sEdit1->SetFocus(); }

void TfrmDica::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

#include "windows/UfrmSobre.h"

#include "core/UBConstantes.h"
#include "core/UBInfoDLL.h"
#include "core/UBModuleStream.h"
#include "core/UBVersionInfo.h"
#include "toolkit/rtl/NumberText.h"
#include "toolkit/rtl/Registry.h"
#include "windows/UfrmPrincipal.h"

TfrmSobre* frmSobre = nullptr;

namespace {

const char kSemModulo[] = "- - -";

TLabel* Rotulo(TForm* Form, const std::string& Name, int Left, int Top, const std::string& Caption) {
  TLabel* l = new TLabel(Form);
  l->SetName(Name);
  l->SetParent(Form);
  l->SetLeft(Left);
  l->SetTop(Top);
  l->SetCaption(Caption);
  return l;
}

// The first line of a module's information text; false when it does not load.
bool DescricaoModulo(const std::string& Path, std::string& Descricao) {
  if (!CarregarInfoDLL(Path, 2)) return false;
  TMemoryStream stream;
  TStreamModulo modulo(stream);
  InfoDLL(&modulo);
  stream.SetPosition(0);
  TStringList linhas;
  linhas.LoadFromStream(&stream);
  Descricao = linhas.Count() > 0 ? linhas[0] : "";
  LiberarInfoDLL();
  return true;
}

}  // namespace

TfrmSobre::TfrmSobre(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmSobre");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetCaption("Sobre");
    SetClientWidth(420);
    SetClientHeight(330);
    lblTitulo = Rotulo(this, "lblTitulo", 16, 12, "MZ3100 - Topografia Corneana");
    lblTitulo->Font()->SetStyle(fsBold);
    Rotulo(this, "lblVersaoDesc", 16, 40, "Versão");
    lblversao = Rotulo(this, "lblversao", 200, 40, kSemModulo);
    lblConeDesc1 = Rotulo(this, "lblConeDesc1", 16, 70, "");
    lblConeVersao1 = Rotulo(this, "lblConeVersao1", 200, 70, kSemModulo);
    lblConeDesc2 = Rotulo(this, "lblConeDesc2", 16, 90, "");
    lblConeVersao2 = Rotulo(this, "lblConeVersao2", 200, 90, kSemModulo);
    for (int i = 0; i < 4; ++i) {
      lblModuloDesc[i] = Rotulo(this, "lblModuloDesc" + std::to_string(i + 1), 16, 120 + i * 20, kSemModulo);
      lblModuloVersao[i] = Rotulo(this, "lblModuloVersao" + std::to_string(i + 1), 300, 120 + i * 20, kSemModulo);
    }
    Rotulo(this, "lblUsuarioDesc", 16, 210, "Licenciado para:");
    lblUsuario = Rotulo(this, "lblUsuario", 140, 210, "");
    lblEmpresa = Rotulo(this, "lblEmpresa", 140, 230, "");
    btnFECH = new TsButton(this);
    btnFECH->SetName("btnFECH");
    btnFECH->SetParent(this);
    btnFECH->SetBounds(300, 280, 100, 32);
    btnFECH->SetCaption("Fechar");
    if (frmPrincipal) btnFECH->SetImages(frmPrincipal->img32);
    btnFECH->SetImageIndex(13);
    btnFECH->OnClick = [this](TObject* Sender) { btnFECHClick(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  });
}

TfrmSobre::~TfrmSobre() {
  if (frmSobre == this) frmSobre = nullptr;
}

void TfrmSobre::FormShow(TObject*) {
  TBVersionInfo programa;
  if (BVersionInfo) programa = *BVersionInfo;
  else programa.LoadFromFile(Application->ExeName());
  lblversao->SetCaption(programa.GetFileVersion() + (programa.GetBuildNumber() != 0 ? " release" : " stable"));
  lblConeDesc1->SetCaption("Tipo do cone");
  lblConeDesc2->SetCaption("Número de anéis");
  const std::string tipoCone = InfosMZ.TipoCone ? InfosMZ.TipoCone : "";
  lblConeVersao1->SetCaption(tipoCone);
  static const char* const aneis[] = {"16 (cone pequeno)", "16 (cone grande)", "32 (1a versao)", "32 (atual)"};
  const int tipo = StrToIntDef(tipoCone, 0);
  if (tipo >= 1 && tipo <= 4) lblConeVersao2->SetCaption(aneis[tipo - 1]);
  const char* const modulos[] = {PathsMZ.Digitalizacao, PathsMZ.Processamento, PathsMZ.DigitalizacaoOrto,
                                 PathsMZ.ProcessamentoOrto};
  for (int i = 0; i < 4; ++i) {
    const std::string path = modulos[i] ? modulos[i] : "";
    std::string descricao;
    if (!DescricaoModulo(path, descricao)) continue;
    lblModuloDesc[i]->SetCaption(descricao);
    lblModuloVersao[i]->SetCaption(TBVersionInfo().FormatFileVersion(path));
  }
  TRegistry reg;
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  if (reg.OpenKeyReadOnly("\\Software\\Microsoft\\Windows NT\\CurrentVersion")) {
    lblUsuario->SetCaption(reg.ReadString("RegisteredOwner"));
    lblEmpresa->SetCaption(reg.ReadString("RegisteredOrganization"));
  }
}

void TfrmSobre::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TfrmSobre::btnFECHClick(TObject*) { Close(); }

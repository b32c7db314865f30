// Discovery of the installed map modules: the module list and the browser's map buttons.
#include <vector>

#include "core/UBInfoDLL.h"
#include "core/UBModuleStream.h"
#include "toolkit/rtl/FilePaths.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/NumberText.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmPrincipal.h"
#include "windows/UfrmStarting.h"

namespace {

// Module kinds of the information text's second line.
constexpr int kSimples = 1;
constexpr int kWizard = 2;

void AvancarProgresso(bool WithProgress) {
  if (WithProgress && frmIniciando) frmIniciando->PBProgress->SetPosition(frmIniciando->PBProgress->Position() + 6);
}

}  // namespace

void TfrmPrincipal::LoadMapModules(const std::string& Folder, bool WithProgress) {
  FModulos = std::make_unique<TStringList>();
  FContadorImagens = 1;
  FPastaMapas = Folder;
  FProgresso = WithProgress;
  TStringList nomes;
  TSearchRec f;
  for (int r = FindFirst(Folder + "\\*.dll", faAnyFile, f); r == 0; r = FindNext(f)) {
    if ((f.Attr & ~faAnyFile) != 0) continue;
    nomes.Add(f.Name);
    AvancarProgresso(WithProgress);
  }
  FindClose(f);
  nomes.Sort();
  for (int i = nomes.Count() - 1; i >= 0; --i) {
    AddMapModule(nomes[i]);
    AvancarProgresso(WithProgress);
  }
}

void TfrmPrincipal::AddMapModule(const std::string& Name) {
  const std::string path = FPastaMapas + "\\" + Name;
  if (!CarregarInfoDLL(path, 1)) return;
  TStringList linhas;
  {
    TMemoryStream stream;
    TStreamModulo modulo(stream);
    InfoMapaDLL(&modulo);
    stream.SetPosition(0);
    linhas.LoadFromStream(&stream);
  }
  LiberarInfoDLL();
  // A module is listed, and gets its button, only with a name, a kind of 1 or 2 and a number of maps;
  // one rule for both keeps the list at four entries per module.
  const int tipo = linhas.Count() >= 3 ? StrToIntDef(linhas[1], 0) : 0;
  if (tipo != kSimples && tipo != kWizard) return;
  FModulos->Add(linhas[0]);
  FModulos->Add(tipo == kSimples ? "Simples" : "Wizard");
  FModulos->Add(linhas[2]);
  try {
    FModulos->Add(TBVersionInfo().FormatFileVersion(path));
  } catch (const std::exception&) {
    FModulos->Add("");
  }

  TToolButton* botao = new TToolButton(frmExames->tlbMapas);
  botao->SetParent(frmExames->tlbMapas);
  botao->SetCaption(ChangeFileExt(Name, ""));
  const std::string figura = ChangeFileExt(path, ".bmp");
  if (FileExists(figura)) {
    TBitmap fonte, normal, quente;
    fonte.LoadFromFile(figura);
    SplitButtonGlyph(&fonte, &normal, &quente);
    frmExames->ImageList3->AddMasked(&normal, clFuchsia);
    frmExames->ImageList4->AddMasked(&quente, clFuchsia);
    botao->SetImageIndex(++FContadorImagens);
  } else {
    botao->SetImageIndex(1);
  }
  botao->SetAutoSize(true);
  TfrmExames* browser = frmExames;
  if (tipo == kSimples)
    botao->OnClick = [browser](TObject* Sender) { browser->MapaClick(Sender); };
  else
    botao->OnClick = [browser](TObject* Sender) { browser->MapasClick(Sender); };
  botao->SetHint(linhas[0]);
  botao->SetShowHint(true);
  botao->SetStyle(tbsButton);
}

void TfrmPrincipal::SplitButtonGlyph(TBitmap* Source, TBitmap* Normal, TBitmap* Hot) {
  for (TBitmap* b : {Normal, Hot}) b->SetSize(24, 24);
  Normal->Canvas()->CopyRect(Rect(0, 0, 24, 24), Source->Canvas(), Rect(0, 0, 24, 24));
  Hot->Canvas()->CopyRect(Rect(0, 0, 24, 24), Source->Canvas(), Rect(24, 0, 48, 24));
}

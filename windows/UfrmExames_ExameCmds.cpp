// The browser's exam commands: a new exam or orthokeratology series of the patient under the cursor,
// deleting the selected exam with its files and linked reports, the diagnosis and observation texts,
// and the report button's check for exams.
#include <string>
#include <vector>

#include "core/UBArquivosExame.h"
#include "core/UBConstantes.h"
#include "core/UDExames.h"
#include "core/UDLaudos.h"
#include "core/UDPacientes.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/NumberText.h"
#include "windows/UfrmAguarde.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmNovoExame.h"
#include "windows/UfrmWizLaudo.h"

namespace {

// The codes of the reports that measure the exam on its eye.
std::vector<int> LaudosDoExame(int CodigoExame, const std::string& Olho) {
  TIBQuery* q = DMPrincipal->IBQueryLaudos;
  q->Close();
  q->SQL().Clear();
  q->SQL().Add(Olho == "OS" || Olho == "Esquerdo" ? "SELECT Codigo FROM Laudos WHERE MedidaOS=:CodigoExame"
                                                  : "SELECT Codigo FROM Laudos WHERE MedidaOD=:CodigoExame");
  q->ParamByName("CodigoExame").SetAsInteger(CodigoExame);
  q->Open();
  std::vector<int> codigos;
  for (q->First(); !q->Eof(); q->Next()) codigos.push_back(q->FieldByName("CODIGO")->AsInteger());
  q->Close();
  return codigos;
}

// The patient's latest exam as the last-exam text: eye, date and the time's hours and minutes; the
// empty fields' text when no exam is left.
std::string UltimoExameDoPaciente(int CodPaciente) {
  TIBQuery* q = DMPrincipal->IBQueryExames;
  q->Close();
  q->SQL().Clear();
  q->SQL().Add("SELECT * FROM Exames WHERE Hora = (SELECT max(Hora) FROM Exames WHERE Data = (SELECT max(Data) FROM "
               "Exames WHERE CodPaciente=:CodPac) AND CodPaciente=:CodPac) AND CodPaciente=:CodPac");
  q->ParamByName("CodPac").SetAsInteger(CodPaciente);
  q->Open();
  if (q->IsEmpty()) return "  ";
  return q->FieldByName("OLHO")->AsString() + " " + FormatDateTime("dd/mm/yyyy", q->FieldByName("DATA")->AsDateTime()) +
         " " + FormatDateTime("hh:nn:ss", q->FieldByName("HORA")->AsDateTime()).substr(0, 5);
}

}  // namespace

void TfrmExames::LigarComandosExame() {
  TextoDiag = {dbDiag, btnEDD, btnGRD};
  TextoObs = {dbObs, btnEDO, btnGRO};
  for (TToolButton* b : {tbNovoExame1, tbNovoExame2}) b->OnClick = [this](TObject*) { NovoExame(false); };
  for (TToolButton* b : {tbExameOrto1, tbExameOrto2}) b->OnClick = [this](TObject*) { NovoExame(true); };
  tbtExcluirExame->OnClick = [this](TObject* Sender) { tbtExcluirExameClick(Sender); };
  tbLaudo->OnClick = [this](TObject* Sender) { tbLaudoClick(Sender); };
  for (TTextoExame* t : {&TextoDiag, &TextoObs}) {
    t->Editar->OnClick = [this, t](TObject*) { EditarTexto(*t); };
    t->Gravar->OnClick = [this, t](TObject*) { GravarTexto(*t); };
  }
}

void TfrmExames::NovoExame(bool Orto) {
  if (DBEditControle->Text().empty()) {
    Application->MessageBox("Selecione um Paciente para efetuar o exame!", "Informação", MB_ICONERROR);
    return;
  }
  // The wizard frees itself when it closes.
  if (!frmNovoExame) frmNovoExame = new TfrmNovoExame(Application);
  frmNovoExame->rbtAxial->SetEnabled(true);
  frmNovoExame->rbtTangencial->SetEnabled(true);
  frmNovoExame->Orto = Orto;
  if (Orto) frmNovoExame->SetCaption(frmNovoExame->Caption() + " - Ortoceratologia");
  frmNovoExame->ShowModal();
}

void TfrmExames::tbtExcluirExameClick(TObject*) {
  TListItem* item = lswPrincipal->Selected();
  if (ModoExemplo || !item) return;
  if (Application->MessageBox("Confirma a exclusão do exame '" + item->Caption() + "' ?", "Informação",
                              MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  // The item names its exam by code: the caption's date and time may be shared.
  if (!SelecionarExameAtual()) {
    Application->MessageBox("Erro ao selecionar o registro!!!", "Erro", MB_ICONERROR);
    return;
  }
  TIBQuery* exame = DMPrincipal->IBQueryExames;
  const int codPaciente = exame->FieldByName("CODPACIENTE")->AsInteger();
  const int codigo = exame->FieldByName("CODIGO")->AsInteger();
  const std::string olho = exame->FieldByName("OLHO")->AsString();
  std::vector<int> laudos;
  if (const int n = TDLaudos::CountLaudosByExame(codigo, olho); n > 0) {
    if (Application->MessageBox("Existe(m)" + IntToStr(n) + "  Laudo(s) vinculado(s).\rConfirma a exclusão do(s) Laudos(s)?",
                                "Informação", MB_YESNO | MB_ICONQUESTION) != IDYES) {
      Application->MessageBox("Exclusão cancelada!!!", "Informação", MB_ICONWARNING);
      return;
    }
    laudos = LaudosDoExame(codigo, olho);
    TDLaudos::DeleteLaudosByExame(codigo, olho);
  }
  // Rows first: files without a row are only litter, a row without files is a broken exam.
  TDExames::DeleteExamesByCodigo(codigo);
  const std::string pastaExames = std::string(PathsMZ.Exames) + "\\" + IntToStr(codPaciente);
  const std::string prefixo = PrefixoArquivosExame(PathsMZ.Exames, codPaciente, codigo);
  for (const char* arquivo : {"a.txt", "d.txt", "m.txt"}) DeleteFileA((prefixo + arquivo).c_str());
  RemoveDirectoryA(pastaExames.c_str());
  const std::string pastaLaudos = std::string(PathsMZ.Laudos) + "\\" + IntToStr(codPaciente);
  for (int laudo : laudos) DeleteFileA(ArquivoLaudo(PathsMZ.Laudos, codPaciente, laudo).c_str());
  if (!laudos.empty()) RemoveDirectoryA(pastaLaudos.c_str());

  const int total = TDExames::CountExamesByCodPaciente(codPaciente);
  TDPacientes::UpdateExamesPacientesByCodigo(codPaciente, UltimoExameDoPaciente(codPaciente), total);
  // Both roads re-open the patient list.
  if (total == 0) {
    CarregarMedicos();
    AtualizarPacientes(codPaciente, "*** Sem Exames");
  } else {
    AtualizarPacientes(codPaciente, CBMedicos->Text());
  }
}

bool TfrmExames::ExamesParaLaudo() {
  if (lswPrincipal->Count() > 0) return true;
  Application->MessageBox("Não há exames para gerar laudo!", "Atenção", MB_ICONWARNING);
  return false;
}

void TfrmExames::tbLaudoClick(TObject*) {
  if (!ExamesParaLaudo()) return;
  frmWizLaudo = new TfrmWizLaudo(Application);
  frmWizLaudo->ShowModal();
}

void TfrmExames::EditarTexto(TTextoExame& Texto) {
  // The text belongs to the exam the panel shows, whatever moves the exam query meanwhile.
  if (!SelecionarExameAtual()) return;
  Texto.CodigoExame = DMPrincipal->IBQueryExames->FieldByName("CODIGO")->AsInteger();
  Texto.Gravar->SetEnabled(true);
  Texto.Editar->SetEnabled(false);
  Texto.Memo->SetEnabled(true);
  if (Texto.Memo->CanFocus()) Texto.Memo->SetFocus();
}

void TfrmExames::GravarTexto(TTextoExame& Texto) {
  if (Texto.CodigoExame == 0) return;
  if (frmAguarde) frmAguarde->Show();
  const int paciente = CodPacienteAtual;
  if (&Texto == &TextoDiag)
    TDExames::UpdateDiagExameByCodigo(Texto.CodigoExame, Texto.Memo->Text());
  else
    TDExames::UpdateObsExameByCodigo(Texto.CodigoExame, Texto.Memo->Text());
  SairEdicao(Texto);
  Texto.Editar->SetEnabled(true);
  DMPrincipal->IBQueryPacientes->Locate("CODIGO", IntToStr(paciente), 0);
  if (frmAguarde) frmAguarde->Hide();
}

void TfrmExames::SairEdicao(TTextoExame& Texto) {
  Texto.CodigoExame = 0;
  Texto.Gravar->SetEnabled(false);
  Texto.Memo->SetEnabled(false);
}

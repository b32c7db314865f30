#include "windows/UfrmNovoPaciente.h"

#include <cmath>

#include "core/UBArquivosExame.h"
#include "core/UBConstantes.h"
#include "core/UDPacientes.h"
#include "core/UfrmDataModule.h"
#include "windows/UBCamposCadastro.h"
#include "windows/UBExportaComponentes.h"
#include "windows/UfrmCadastroPacientes.h"
#include "windows/UfrmExames.h"

TfrmNovoPaciente* frmNovoPaciente = nullptr;

namespace {

// A dark title row, on which the grid's white titles read.
constexpr TColor kCorTitulosGrade = RGB(34, 58, 94);

const char* const Todos = "*** Todos";

TIBQuery& Busca() { return *DMPrincipal->IBQueryBuscaPac; }

}  // namespace

TfrmNovoPaciente::TfrmNovoPaciente(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmNovoPaciente");
    SetCaption("Cadastro de Paciente");
    SetBorderStyle(bsDialog);
    SetClientWidth(520);
    SetClientHeight(330);
    SetKeyPreview(true);
    Label1 = CriarRotulo(this, "Nome do Paciente:", 8, 10);
    edtNomePac = new TEdit(this);
    edtNomePac->SetName("edtNomePac");
    edtNomePac->SetParent(this);
    edtNomePac->SetBounds(8, 28, 504, 21);
    edtNomePac->SetMaxLength(50);
    edtNomePac->OnKeyUp = [this](TObject* Sender, WORD& Key, TShiftState Shift) { edtNomePacKeyUp(Sender, Key, Shift); };
    Label2 = CriarRotulo(this, "Pacientes já cadastrados:", 8, 58);
    DBGrid1 = new TDBGrid(this);
    DBGrid1->SetName("DBGrid1");
    DBGrid1->SetParent(this);
    DBGrid1->SetBounds(8, 76, 504, 196);
    DBGrid1->SetDataSource(DMPrincipal->DSQueryBuscaPac);
    DBGrid1->SetOptions(dgTitles | dgColLines | dgRowLines | dgRowSelect);
    struct Coluna {
      const char* Campo;
      const char* Titulo;
      int Largura;
    };
    for (const Coluna& c : {Coluna{"CODIGO", "ID", 50}, Coluna{"NOME", "NOME", 283}, Coluna{"RG", "RG", 85},
                            Coluna{"TOTALEXAMES", "QTD EXAMES", 75}}) {
      TColumn* coluna = DBGrid1->Columns()->Add();
      coluna->SetFieldName(c.Campo);
      coluna->SetWidth(c.Largura);
      coluna->Title()->SetCaption(c.Titulo);
      coluna->Title()->SetAlignment(taCenter);
      coluna->Title()->Font()->SetName("Arial");
      coluna->Title()->Font()->SetColor(clWhite);
      coluna->Title()->Font()->SetStyle(fsBold);
      if (std::string(c.Campo) == "RG") coluna->SetAlignment(taRightJustify);
    }
    DBGrid1->SetFixedColor(kCorTitulosGrade);
    DBGrid1->OnCellClick = [this](TColumn* Column) { DBGrid1CellClick(Column); };
    DBGrid1->OnDblClick = [this](TObject* Sender) { DBGrid1DblClick(Sender); };
    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->SetParent(this);
    Button1->SetBounds(8, 282, 150, 40);
    Button1->SetCaption("Continuar");
    Button1->SetDefault(true);
    Button1->OnClick = [this](TObject* Sender) { Button1Click(Sender); };
    // The skinned button covers the plain one, which answers the Enter key.
    sButton7 = CriarBotao(this, "sButton7", "Continuar", 15, "Continuar o cadastro do paciente", 8, 282, 150, 40);
    sButton7->OnClick = [this](TObject* Sender) { Button1Click(Sender); };
    sButton1 = CriarBotao(this, "sButton1", "Cancelar", 7, "Cancelar cadastro", 362, 282, 150, 40);
    sButton1->OnClick = [this](TObject*) { Close(); };
    OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { FormKeyDown(Sender, Key, Shift); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
    ExportaComponentes(*this);
  });
}

TfrmNovoPaciente::~TfrmNovoPaciente() {
  if (frmNovoPaciente == this) frmNovoPaciente = nullptr;
}

void TfrmNovoPaciente::FormShow(TObject*) {
  Reabrir(&Busca(), "SELECT Codigo,Nome,Rg,TotalExames FROM Pacientes ORDER BY Nome ASC").Open();
  SetLeft(int(std::lround((800 - Width()) / 2.0)));
  SetTop(int(std::lround((600 - Height()) / 2.0)));
  edtNomePac->SetFocus();
}

void TfrmNovoPaciente::edtNomePacKeyUp(TObject*, WORD&, TShiftState) {
  const std::string nome = edtNomePac->Text();
  if (nome.empty()) {
    Reabrir(&Busca(), "SELECT Codigo,Nome,Rg,TotalExames FROM Pacientes ORDER BY Nome ASC").Open();
    return;
  }
  TIBQuery& q = Reabrir(&Busca(),
                        "SELECT Codigo,Nome,Rg,TotalExames FROM Pacientes WHERE Upper(Nome) STARTING WITH :Nome "
                        "ORDER BY Nome ASC");
  q.ParamByName("Nome").SetAsString(MaiusculasAcentuadas(nome));
  q.Open();
}

void TfrmNovoPaciente::DBGrid1CellClick(TColumn*) {
  if (!Busca().IsEmpty()) edtNomePac->SetText(Busca().FieldByName("NOME")->AsString());
}

void TfrmNovoPaciente::DBGrid1DblClick(TObject*) {
  if (!Busca().Active() || Busca().IsEmpty()) return;
  const int codigo = Busca().FieldByName("CODIGO")->AsInteger();
  if (frmExames) frmExames->AtualizarPacientes(codigo, Todos);
  ExameEmSeguida = InfosMZ.AutoExame;
  Close();
}

void TfrmNovoPaciente::Button1Click(TObject*) {
  const std::string nome = edtNomePac->Text();
  if (nome.empty()) {
    Application->MessageBox("Digite o nome do Paciente!!!", "Informação", MB_ICONINFORMATION);
    edtNomePac->SetFocus();
    return;
  }
  bool paciente = true;
  if (const int codigo = TDPacientes::GetCodigoByNome(nome)) {
    if (frmExames) {
      TStrings* medicos = frmExames->CBMedicos->Items();
      frmExames->AtualizarPacientes(codigo, medicos->Count() > 1 ? std::string(Todos) : frmExames->CBMedicos->Text());
    }
  } else if (const int novo = CadastrarNovo(nome)) {
    if (frmExames) {
      frmExames->CarregarMedicos();
      frmExames->AtualizarPacientes(novo, "*** Sem Exames");
    }
  } else {
    paciente = false;
  }
  ExameEmSeguida = paciente && InfosMZ.AutoExame;
  Close();
  Repaint();
}

int TfrmNovoPaciente::CadastrarNovo(const std::string& Nome) {
  const int antes = TDPacientes::CountPacientes();
  TIBTable* tabela = DMPrincipal->IBPacientes;
  tabela->Open();
  TfrmCadastroPacientes* cadastro = frmCadastroPacientes = new TfrmCadastroPacientes(Application);
  cadastro->Modo = "Add";
  cadastro->HabilitaEdicao();
  cadastro->lblCodigo->SetCaption("Adcionando um novo paciente");
  cadastro->dbtCodigo->SetVisible(false);
  tabela->Append();
  cadastro->drgSexo->SetItemIndex(0);         // "Masculino"
  cadastro->drgEstadoCivil->SetItemIndex(1);  // "Solteiro(a)"
  cadastro->dbeNome->SetText(Nome);
  cadastro->ShowModal();
  const bool cresceu = TDPacientes::CountPacientes() > antes;
  DMPrincipal->IBPacientes->Close();
  return cresceu ? UltimoPaciente.Codigo : 0;
}

void TfrmNovoPaciente::FormKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_ESCAPE) Close();
}

void TfrmNovoPaciente::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

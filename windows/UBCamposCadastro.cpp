#include "windows/UBCamposCadastro.h"

#include "windows/UfrmPrincipal.h"

#include <cctype>

#include "toolkit/rtl/DateTime.h"
#include "toolkit/ui/Forms.h"

const char* const kEstados[27] = {"AC", "AL", "AM", "AP", "BA", "CE", "DF", "ES", "GO", "MA", "MG", "MS", "MT", "PA",
                                  "PB", "PE", "PI", "PR", "RD", "RJ", "RN", "RO", "RS", "SC", "SE", "SP", "TO"};

namespace {

// The form the control is placed on owns it, whether it sits on the form or on a page of it.
TComponent* Dono(TWinControl* Parent) {
  if (dynamic_cast<TCustomForm*>(Parent) || !Parent->Owner()) return Parent;
  return Parent->Owner();
}

template <class T>
T* Criar(TWinControl* Parent, const std::string& Name, TPosicao Posicao, int Height) {
  T* c = new T(Dono(Parent));
  c->SetName(Name);
  c->SetParent(Parent);
  c->SetBounds(Posicao.Left, Posicao.Top, Posicao.Width, Height);
  return c;
}

TDBRadioGroup* CriarGrupo(TWinControl* Parent, TDataSource* Source, const std::string& Name, const std::string& Field,
                          const std::string& Caption, std::initializer_list<const char*> Items,
                          std::initializer_list<const char*> Values, int Columns, TPosicao Posicao, int Height,
                          TNotifyEvent OnChange = {}) {
  auto* g = Criar<TDBRadioGroup>(Parent, Name, Posicao, Height);
  g->SetCaption(Caption);
  for (const char* i : Items) g->Items()->Add(i);
  for (const char* v : Values) g->Values()->Add(v);
  g->SetColumns(Columns);
  g->OnChange = std::move(OnChange);
  g->SetDataSource(Source);
  g->SetDataField(Field);
  g->SetReadOnly(true);
  return g;
}

}  // namespace

TLabel* CriarRotulo(TWinControl* Parent, const std::string& Caption, int Left, int Top) {
  TLabel* l = new TLabel(Dono(Parent));
  l->SetParent(Parent);
  l->SetLeft(Left);
  l->SetTop(Top);
  l->SetCaption(Caption);
  return l;
}

TDBEdit* CriarDBEdit(TWinControl* Parent, TDataSource* Source, const std::string& Name, const std::string& Field,
                     int MaxLength, TPosicao Posicao) {
  auto* e = Criar<TDBEdit>(Parent, Name, Posicao, 21);
  if (MaxLength > 0) e->SetMaxLength(MaxLength);
  e->SetDataSource(Source);
  e->SetDataField(Field);
  e->SetReadOnly(true);
  return e;
}

TDBComboBox* CriarDBCombo(TWinControl* Parent, TDataSource* Source, const std::string& Name, const std::string& Field,
                          const std::vector<std::string>& Items, TPosicao Posicao) {
  auto* c = Criar<TDBComboBox>(Parent, Name, Posicao, 21);
  for (const std::string& i : Items) c->Items()->Add(i);
  c->SetDataSource(Source);
  c->SetDataField(Field);
  c->SetReadOnly(true);
  return c;
}

TDBComboBox* CriarComboEstados(TWinControl* Parent, TDataSource* Source, const std::string& Name,
                               const std::string& Field, bool EmptyFirst, TPosicao Posicao) {
  std::vector<std::string> estados(std::begin(kEstados), std::end(kEstados));
  if (EmptyFirst) estados.front().clear();
  return CriarDBCombo(Parent, Source, Name, Field, estados, Posicao);
}

TDBRadioGroup* CriarGrupoSexo(TWinControl* Parent, TDataSource* Source, const std::string& Caption, TPosicao Posicao,
                              int Height) {
  return CriarGrupo(Parent, Source, "drgSexo", "SEXO", Caption, {"Masculino", "Feminino"}, {"M", "F"}, 2, Posicao,
                    Height);
}

TDBRadioGroup* CriarGrupoEstadoCivil(TWinControl* Parent, TDataSource* Source, const std::string& Caption,
                                     TPosicao Posicao, int Height, TNotifyEvent OnChange) {
  return CriarGrupo(Parent, Source, "drgEstadoCivil", "ESTADOCIVIL", Caption,
                    {"Casado(a)", "Solteiro(a)", "Divorciado(a)"}, {"C", "S", "D"}, 1, Posicao, Height,
                    std::move(OnChange));
}

TsButton* CriarBotao(TWinControl* Parent, const std::string& Name, const std::string& Caption, int ImageIndex,
                     const std::string& Hint, int Left, int Top, int Width, int Height) {
  auto* b = new TsButton(Dono(Parent));
  b->SetName(Name);
  b->SetParent(Parent);
  b->SetBounds(Left, Top, Width, Height);
  b->SetCaption(Caption);
  b->SetHint(Hint);
  b->SetShowHint(true);
  if (frmPrincipal) b->SetImages(frmPrincipal->img32);
  b->SetImageIndex(ImageIndex);
  return b;
}

void CriarPaginaEndereco(TWinControl* Pagina, TDataSource* Source, const TLugaresEndereco& Lugares,
                         const TCamposEndereco& Campos, const std::string& NomeCep, bool EstadoVazio) {
  const auto edit = [&](const char* Rotulo, const TLugar& Lugar, const std::string& Nome, const char* Campo,
                        int MaxLength) {
    CriarRotulo(Pagina, Rotulo, Lugar.LeftRotulo, Lugar.Campo.Top + 4);
    return CriarDBEdit(Pagina, Source, Nome, Campo, MaxLength, Lugar.Campo);
  };
  *Campos.Rua = edit("Rua:", Lugares.Rua, "dbeRua", "RUA", 40);
  *Campos.Complemento = edit("Complemento:", Lugares.Complemento, "dbeComplemento", "COMPLEMENTO", 25);
  *Campos.Bairro = edit("Bairro:", Lugares.Bairro, "dbeBairro", "BAIRRO", 30);
  *Campos.Cidade = edit("Cidade:", Lugares.Cidade, "dbeCidade", "CIDADE", 40);
  CriarRotulo(Pagina, "Estado:", Lugares.Estado.LeftRotulo, Lugares.Estado.Campo.Top + 4);
  *Campos.Estado = CriarComboEstados(Pagina, Source, "dbcEstado", "ESTADO", EstadoVazio, Lugares.Estado.Campo);
  *Campos.Cep = edit("CEP:", Lugares.Cep, NomeCep, "CEP", 9);
  *Campos.Fone = edit("Fone:", Lugares.Fone, "dbeFone", "FONE", 11);
  *Campos.Celular = edit("Celular:", Lugares.Celular, "dbeCelular", "CELULAR", 11);
}

void SomenteLeitura(TControl* Campo, bool Value) {
  if (auto* e = dynamic_cast<TDBEdit*>(Campo)) e->SetReadOnly(Value);
  else if (auto* g = dynamic_cast<TDBRadioGroup*>(Campo)) g->SetReadOnly(Value);
  else if (auto* b = dynamic_cast<TDBComboBox*>(Campo)) b->SetReadOnly(Value);
}

std::string TextoCampo(TControl* Campo) {
  if (auto* g = dynamic_cast<TDBRadioGroup*>(Campo)) return g->Value();
  if (auto* e = dynamic_cast<TDBEdit*>(Campo)) return e->Text();
  if (auto* b = dynamic_cast<TDBComboBox*>(Campo)) return b->Text();
  return "";
}

bool DataCadastroValida(const std::string& Texto) {
  if (Texto.find_first_not_of(' ') == std::string::npos) return true;
  if (Texto.size() != 10 || Texto[2] != '/' || Texto[5] != '/') return false;
  for (size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
    if (!std::isdigit(static_cast<unsigned char>(Texto[i]))) return false;
  const auto numero = [&](size_t Pos, size_t Len) { return std::stoi(Texto.substr(Pos, Len)); };
  TDateTime data;
  return TryEncodeDate(numero(6, 4), numero(3, 2), numero(0, 2), data);
}

bool ConferirDataNascimento(TDBEdit* Campo, TTabSheet* Pagina) {
  if (DataCadastroValida(Campo->Text())) return true;
  Application->MessageBox("Data de nascimento inválida. Informe uma data existente no formato dd/mm/aaaa.",
                          "Atenção", MB_ICONINFORMATION);
  Pagina->PageControl()->SetActivePage(Pagina);
  if (Campo->CanFocus()) Campo->SetFocus();
  return false;
}

#pragma once
// The pieces the doctor and patient registers share: their labels, data-bound controls and picture buttons, the state
// codes, the stored letters of sex and civil state, and the read-only switch of the data-bound controls.
#include <string>
#include <vector>

#include "skin/controls/sButton.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/DBCtrls.h"
#include "toolkit/ui/StdCtrls.h"

// The 27 state codes of the state combos, in the order the clinic knows them.
extern const char* const kEstados[27];

struct TPosicao {
  int Left, Top, Width;
};

TLabel* CriarRotulo(TWinControl* Parent, const std::string& Caption, int Left, int Top);
TDBEdit* CriarDBEdit(TWinControl* Parent, TDataSource* Source, const std::string& Name, const std::string& Field,
                     int MaxLength, TPosicao Posicao);
// A combo of the state codes; EmptyFirst puts an empty entry in place of the first code.
TDBComboBox* CriarComboEstados(TWinControl* Parent, TDataSource* Source, const std::string& Name,
                               const std::string& Field, bool EmptyFirst, TPosicao Posicao);
TDBComboBox* CriarDBCombo(TWinControl* Parent, TDataSource* Source, const std::string& Name, const std::string& Field,
                          const std::vector<std::string>& Items, TPosicao Posicao);
// "Masculino"/"Feminino" stored as "M"/"F", two columns.
TDBRadioGroup* CriarGrupoSexo(TWinControl* Parent, TDataSource* Source, const std::string& Caption, TPosicao Posicao,
                              int Height);
// "Casado(a)", "Solteiro(a)", "Divorciado(a)" stored as "C", "S", "D"; OnChange sees the first row shown.
TDBRadioGroup* CriarGrupoEstadoCivil(TWinControl* Parent, TDataSource* Source, const std::string& Caption,
                                     TPosicao Posicao, int Height, TNotifyEvent OnChange = {});
// A button with a picture of the main window's 32-pixel list.
TsButton* CriarBotao(TWinControl* Parent, const std::string& Name, const std::string& Caption, int ImageIndex,
                     const std::string& Hint, int Left, int Top, int Width, int Height);

// The address page both registers share: each control's label left of it at LeftRotulo, 4 pixels
// below the control's top.
struct TLugar {
  int LeftRotulo;
  TPosicao Campo;
};
struct TLugaresEndereco {
  TLugar Rua, Complemento, Bairro, Cidade, Estado, Cep, Fone, Celular;
};
// Where the page's controls go in the form.
struct TCamposEndereco {
  TDBEdit **Rua, **Complemento, **Bairro, **Cidade;
  TDBComboBox** Estado;
  TDBEdit **Cep, **Fone, **Celular;
};
// NomeCep names the CEP edit; EstadoVazio puts an empty entry in place of the first state code.
void CriarPaginaEndereco(TWinControl* Pagina, TDataSource* Source, const TLugaresEndereco& Lugares,
                         const TCamposEndereco& Campos, const std::string& NomeCep, bool EstadoVazio);

// A birth date as the registers keep it: empty, or a real calendar day written dd/mm/yyyy.
bool DataCadastroValida(const std::string& Texto);
// Refuses a birth date that is not a real calendar day: says so, shows the page of the edit and focuses it.
bool ConferirDataNascimento(TDBEdit* Campo, TTabSheet* Pagina);

// Makes a data-bound control read-only or editable.
void SomenteLeitura(TControl* Campo, bool Value);
// What a data-bound control holds: an edit's or combo's text, a radio group's stored letter.
std::string TextoCampo(TControl* Campo);

// A data-bound control and the text of a register's record it fills.
template <class TDados>
struct TCampoTexto {
  TControl* Campo;
  std::string TDados::*Texto;
};

template <class TDados>
void SomenteLeitura(const std::vector<TCampoTexto<TDados>>& Campos, bool Value) {
  for (const TCampoTexto<TDados>& c : Campos) SomenteLeitura(c.Campo, Value);
}

// The record from what the controls hold.
template <class TDados>
TDados LerCampos(const std::vector<TCampoTexto<TDados>>& Campos) {
  TDados d;
  for (const TCampoTexto<TDados>& c : Campos) d.*c.Texto = TextoCampo(c.Campo);
  return d;
}

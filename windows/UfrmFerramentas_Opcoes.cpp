// The options page, and the options of every page read from the option record and written to the
// settings when the window closes.
#include <cmath>

#include "core/UBArquivosExame.h"
#include "core/UBConstantes.h"
#include "core/UBIniSettings.h"
#include "toolkit/rtl/NumberText.h"
#include "toolkit/rtl/StringUtils.h"
#include "windows/UBControles.h"
#include "windows/UfrmFerramentas.h"
#include "windows/UfrmPrincipal.h"

namespace {

std::string Texto(const char* Field) { return Field ? Field : ""; }

// The item whose text is Value, none when no item has it.
void Escolher(TStrings* Items, const std::string& Value, const std::function<void(int)>& SetIndex) {
  SetIndex(Items->IndexOf(Value));
}

std::string TextoEscolhido(TStrings* Items, int Index) {
  return Index >= 0 && Index < Items->Count() ? (*Items)[Index] : std::string();
}

// What a numeric box writes: its number under the current decimal separator, or the value it showed
// when it still holds none (a later start-up converts these keys unguarded).
std::string Numero(const std::string& Box, const std::string& Anterior, bool Inteiro) {
  const std::string texto = AjustarSeparadorDecimal(Trim(Box));
  int inteiro = 0;
  double real = 0;
  const bool valido = Inteiro ? TryStrToInt(texto, inteiro) : TryStrToFloat(texto, real) && std::isfinite(real);
  return valido ? texto : Anterior;
}

}  // namespace

void TfrmFerramentas::CriarOpcoes() {
  TWinControl* p = tshConfig;
  TGroupBox* grupo = CriarControle<TGroupBox>(this, p, "grpIncremento", 8, 4, 270, 76, "Incremento do mapa");
  rbtEnable = CriarControle<TRadioButton>(this, grupo, "rbtEnable", 12, 18, 110, 20, "Automático");
  rbtDisable = CriarControle<TRadioButton>(this, grupo, "rbtDisable", 130, 18, 120, 20, "Personalizado");
  lblIncMap = CriarControle<TLabel>(this, grupo, "lblIncMap", 12, 48, 100, 16, "Incremento fixo:");
  EdtIncMap = CriarControle<TEdit>(this, grupo, "EdtIncMap", 130, 44, 60, 22);
  rbtEnable->OnClick = [this](TObject* Sender) { rbtEnableClick(Sender); };
  rbtDisable->OnClick = [this](TObject* Sender) { rbtDisableClick(Sender); };
  chkAneisAuto =
      CriarControle<TCheckBox>(this, p, "chkAneisAuto", 8, 86, 270, 20, "Detectar os anéis automaticamente");
  CriarControle<TLabel>(this, p, "lblValIndConf", 8, 114, 160, 16, "Índice de confiabilidade:");
  edtValIndConf = CriarControle<TSpinEdit>(this, p, "edtValIndConf", 180, 110, 60, 22);
  edtValIndConf->SetMinValue(25);
  edtValIndConf->SetMaxValue(100);
  edtValIndConf->SetIncrement(5);
  edtValIndConf->SetValue(75);
  chkAutoExame = CriarControle<TCheckBox>(this, p, "chkAutoExame", 8, 140, 280, 20,
                                          "Realiza exame após o cadastro do paciente");
  chkSalvarCaptura =
      CriarControle<TCheckBox>(this, p, "chkSalvarCaptura", 8, 164, 270, 20, "Salvar as imagens da captura");
  chkImgCentral = CriarControle<TCheckBox>(this, p, "chkImgCentral", 8, 188, 130, 20, "Imagem central");
  chkImgLateral = CriarControle<TCheckBox>(this, p, "chkImgLateral", 140, 188, 130, 20, "Imagem lateral");
  rgrMapaPadrao = CriarControle<TRadioGroup>(this, p, "rgrMapaPadrao", 8, 212, 270, 44, "Mapa padrão");
  rgrMapaPadrao->SetColumns(2);
  rgrMapaPadrao->Items()->Add("Axial");
  rgrMapaPadrao->Items()->Add("Tangencial");
  CriarControle<TLabel>(this, p, "lblTipoCeratometria", 8, 266, 100, 16, "Ceratometria:");
  cbTipoCeratometria = CriarControle<TComboBox>(this, p, "cbTipoCeratometria", 130, 262, 140, 22);
  cbTipoCeratometria->SetStyle(csDropDownList);
  cbTipoCeratometria->Items()->Add("Simulada");
  cbTipoCeratometria->Items()->Add("Convencional");
  CriarControle<TLabel>(this, p, "lblQualidadeImagem", 8, 296, 160, 16, "Qualidade da imagem (%):");
  SpinEditQualidadeImagem = CriarControle<TSpinEdit>(this, p, "SpinEditQualidadeImagem", 180, 292, 60, 22);
  SpinEditQualidadeImagem->SetMinValue(25);
  SpinEditQualidadeImagem->SetMaxValue(100);
  SpinEditQualidadeImagem->SetIncrement(5);
  SpinEditQualidadeImagem->SetValue(50);

  CriarControle<TLabel>(this, p, "lblTolerancia", 292, 8, 270, 16, "Tolerância de varredura");
  CriarControle<TLabel>(this, p, "lblTVlCentral", 292, 32, 120, 16, "Valor central:");
  edtTVlCentral = CriarControle<TEdit>(this, p, "edtTVlCentral", 420, 28, 60, 22);
  CriarControle<TLabel>(this, p, "lblTIncremento", 292, 60, 120, 16, "Incremento:");
  edtTIncremento = CriarControle<TEdit>(this, p, "edtTIncremento", 420, 56, 60, 22);
  memTolerancia = CriarControle<TMemo>(this, p, "memTolerancia", 292, 84, 270, 44);
  memTolerancia->SetReadOnly(true);
  memTolerancia->Lines()->Add("Cone com 16 anéis: valor central 16");
  memTolerancia->Lines()->Add("Cone com 32 anéis: valor central 8");
  chkAutoPCaptura = CriarControle<TCheckBox>(this, p, "chkAutoPCaptura", 292, 140, 280, 20,
                                             "Executar o AutoCentro antes de congelar a imagem");
  chkAutoPCaptura->OnClick = [this](TObject* Sender) { chkAutoPCapturaClick(Sender); };
  lblDelayAutoPCaptura =
      CriarControle<TLabel>(this, p, "lblDelayAutoPCaptura", 308, 168, 130, 16, "Tempo de espera (ms): ");
  edtDelayAutoPCaptura = CriarControle<TEdit>(this, p, "edtDelayAutoPCaptura", 440, 164, 60, 22);
  chkExibeGrade = CriarControle<TCheckBox>(this, p, "chkExibeGrade", 292, 200, 270, 20, "Exibir a grade nos mapas");
  chkExibeCeratPontual = CriarControle<TCheckBox>(this, p, "chkExibeCeratPontual", 292, 224, 270, 20,
                                                  "Exibir a ceratometria pontual");
  chkExibeCeratPontual->OnClick = [this](TObject* Sender) { chkExibeCeratPontualClick(Sender); };
  lblCorCeratPontual = CriarControle<TLabel>(this, p, "lblCorCeratPontual", 308, 252, 40, 16, "Cor:");
  cbCorCeratPontual = CriarControle<TComboBox>(this, p, "cbCorCeratPontual", 360, 248, 120, 22);
  cbCorCeratPontual->SetStyle(csDropDownList);
  for (const char* cor : {"Amarela", "Azul", "Branca", "Preta", "Vermelha"}) cbCorCeratPontual->Items()->Add(cor);

  cbxIdioma = CriarControle<TComboBox>(this, tshLinguagem, "cbxIdioma", 16, 16, 200, 22);
  cbxIdioma->SetStyle(csDropDownList);
  for (const char* idioma : {"Português", "English", "Español"}) cbxIdioma->Items()->Add(idioma);
  cbxIdioma->OnChange = [this](TObject* Sender) { cbxIdiomaClick(Sender); };
}

void TfrmFerramentas::CarregarOpcoes() {
  edtNome->SetText(Texto(InfosMZ.ClinicaNome));
  edtEndereco->SetText(Texto(InfosMZ.ClinicaEndereco));
  edtCidadeEstado->SetText(Texto(InfosMZ.ClinicaCidadeEst));
  edtFone->SetText(Texto(InfosMZ.ClinicaTelefone));
  chkDadosClinica->SetChecked(InfosMZ.Opt1);
  chkNomeMedico->SetChecked(InfosMZ.Opt2);
  chkLogoClinica->SetChecked(InfosMZ.Opt3);
  EdtIncMap->SetText(FormatFloat("0.00", InfosMZ.IncMap));
  rbtDisable->SetChecked(InfosMZ.AutoIncMap);
  rbtEnable->SetChecked(!InfosMZ.AutoIncMap);
  chkAneisAuto->SetChecked(InfosMZ.AutoAneis);
  edtValIndConf->SetValue(static_cast<int>(std::lround(InfosMZ.IndiceConf)));
  chkAutoExame->SetChecked(InfosMZ.AutoExame);
  chkSalvarCaptura->SetChecked(InfosMZ.SalvarImagemCaptura);
  Escolher(rgrMapaPadrao->Items(), Texto(InfosMZ.MapaPadraoNovoExame), [this](int i) { rgrMapaPadrao->SetItemIndex(i); });
  chkImgCentral->SetChecked(InfosMZ.SImagemCentral);
  chkImgLateral->SetChecked(InfosMZ.SImagemLateral);
  Escolher(cbTipoCeratometria->Items(), Texto(InfosMZ.TipoCeratometria),
           [this](int i) { cbTipoCeratometria->SetItemIndex(i); });
  SpinEditQualidadeImagem->SetValue(InfosMZ.QualidadeImagem);
  Escolher(cbxIdioma->Items(), Texto(InfosMZ.Idioma), [this](int i) { cbxIdioma->SetItemIndex(i); });
  edtTVlCentral->SetText(IntToStr(InfosMZ.TvlCentral));
  edtTIncremento->SetText(IntToStr(InfosMZ.TIncremento));
  chkAutoPCaptura->SetChecked(InfosMZ.AutoPCaptura);
  edtDelayAutoPCaptura->SetText(IntToStr(InfosMZ.DelayAutoPCaptura));
  chkExibeGrade->SetChecked(InfosMZ.ExibeGrade);
  chkExibeCeratPontual->SetChecked(InfosMZ.ExibeCeratometriaPontual);
  Escolher(cbCorCeratPontual->Items(), Texto(InfosMZ.CorCeratometriaPontual),
           [this](int i) { cbCorCeratPontual->SetItemIndex(i); });
  FIncMap = EdtIncMap->Text();
  FIndiceConf = edtValIndConf->Text();
  FQualidade = SpinEditQualidadeImagem->Text();
  FTvlCentral = edtTVlCentral->Text();
  FTIncremento = edtTIncremento->Text();
  FDelay = edtDelayAutoPCaptura->Text();
}

void TfrmFerramentas::GravarOpcoes() {
  if (!BIniSettings) return;
  if (Trim(EdtIncMap->Text()).empty()) EdtIncMap->SetText("0.50");
  struct TOpcao {
    const char* Secao;
    const char* Chave;
    const char* Tipo;  // "Str" writes Valor, "Bool" writes Marcado
    std::string Valor;
    bool Marcado;
  };
  auto texto = [](const char* Secao, const char* Chave, const std::string& Valor) {
    return TOpcao{Secao, Chave, "Str", Valor, false};
  };
  auto marca = [](const char* Secao, const char* Chave, bool Marcado) {
    return TOpcao{Secao, Chave, "Bool", "", Marcado};
  };
  const TOpcao opcoes[] = {
      texto("CLINICA", "Nome", edtNome->Text()),
      texto("CLINICA", "Endereco", edtEndereco->Text()),
      texto("CLINICA", "CidadeEst", edtCidadeEstado->Text()),
      texto("CLINICA", "TELEFONE", edtFone->Text()),
      marca("CLINICA", "Opt1", chkDadosClinica->Checked()),
      marca("CLINICA", "Opt2", chkNomeMedico->Checked()),
      marca("CLINICA", "Opt3", chkLogoClinica->Checked()),
      texto("OPCOES", "INCMAP", Numero(EdtIncMap->Text(), FIncMap, false)),
      marca("OPCOES", "AUTOINCMAP", rbtDisable->Checked()),
      marca("OPCOES", "AUTOANEIS", chkAneisAuto->Checked()),
      texto("OPCOES", "INDICECONF", Numero(edtValIndConf->Text(), FIndiceConf, true)),
      marca("OPCOES", "AUTOEXAME", chkAutoExame->Checked()),
      marca("OPCOES", "SalvarImagemCaptura", chkSalvarCaptura->Checked()),
      texto("OPCOES", "MapaPadraoNovoExame", TextoEscolhido(rgrMapaPadrao->Items(), rgrMapaPadrao->ItemIndex())),
      marca("OPCOES", "sImagemCentral", chkImgCentral->Checked()),
      marca("OPCOES", "sImagemLateral", chkImgLateral->Checked()),
      texto("OPCOES", "TIPOCERATOMETRIA", cbTipoCeratometria->Text()),
      texto("OPCOES", "QualidadeImagem", Numero(SpinEditQualidadeImagem->Text(), FQualidade, true)),
      texto("OPCOES", "IDIOMA", cbxIdioma->Text()),
      texto("OPCOES", "TVLCENTRAL", Numero(edtTVlCentral->Text(), FTvlCentral, true)),
      texto("OPCOES", "TINCREMENTO", Numero(edtTIncremento->Text(), FTIncremento, true)),
      marca("OPCOES", "AUTOPCAPTURA", chkAutoPCaptura->Checked()),
      texto("OPCOES", "DELAYAUTOPCAPTURA", Numero(edtDelayAutoPCaptura->Text(), FDelay, true)),
      marca("MAPA", "EXIBEGRADE", chkExibeGrade->Checked()),
      marca("MAPA", "EXIBECERATOMETRIAPONTUAL", chkExibeCeratPontual->Checked()),
      texto("MAPA", "CORCERATOMETRIAPONTUAL", cbCorCeratPontual->Text()),
  };
  for (const TOpcao& o : opcoes) BIniSettings->WriteParam(o.Tipo, o.Secao, o.Chave, o.Valor, o.Marcado);
  BIniSettings->ReloadOptions();
  CopyOptionsToInfosMZ(*BIniSettings);
}

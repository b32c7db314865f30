// The report's data: the new report computed from the chosen exams, the stored report read back,
// and the report stored as its row and text file.
#include <array>
#include <memory>

#include "core/UBArquivosExame.h"
#include "core/UBConstantes.h"
#include "core/UBErroMapa.h"
#include "core/UBEscalas.h"
#include "core/UBFuncoesMapas.h"
#include "core/UBMapOperation.h"
#include "core/UDLaudos.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/NumberText.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmLaudo.h"
#include "windows/UfrmWizLaudo.h"

namespace {

const char kNenhum[] = "Nenhum";

std::string Valor(double V) { return FormatFloat("#,##0.00;(#,##0.00)", V); }

std::string ModeloOlho(const TValoresOlho& V, int TipoMapa) {
  std::string s = "Astigmatismo #1# #2# e #3# #4#, #5#, com curvatura máxima observada de " + Valor(V.Maximo);
  if (TipoMapa == 0)
    s += " D, #6# no mapa de construção Axial (ou Sagital, com eixo passando pelo ápice corneano). A Ceratometria "
         "Simulada Ortogonalmente Corrigida dos 3 mm centrais da córnea, segundo o mapa de construção axial, revela "
         "#7# astigmatismo corneano de ";
  else
    s += " D, #6# no mapa de construção Tangencial. A Ceratometria Simulada Ortogonalmente Corrigida dos 3 mm "
         "centrais da córnea, segundo o mapa de construção tangencial, revela #7# astigmatismo corneano de ";
  const std::string eixo = FloatToStr(V.Eixo), eixo2 = FloatToStr(V.Eixo2);
  return s + Valor(V.DeltaK) + " D @ " + eixo + "º com meridianos de " + Valor(V.K1) + " D @ " + eixo + "º e " +
         Valor(V.K2) + " D @ " + eixo2 + "º.";
}

std::string Pasta(const char* Raiz, int CodPaciente) {
  return std::string(Raiz ? Raiz : "") + "\\" + std::to_string(CodPaciente);
}

}  // namespace

bool TfrmLaudo::CalcularOlho(const std::string& Escolha) {
  if (!frmExames || !frmExames->SelecionarExame(Escolha)) {
    Application->MessageBox("Não foi possivel selecionar o exame.", "Erro", MB_ICONERROR);
    return false;
  }
  const int codigo = DMPrincipal->IBQueryExames->FieldByName("CODIGO")->AsInteger();
  // The map data and the map's grids are too large for the stack.
  auto dados = std::make_unique<TBMapOperation>();
  TValoresOlho v;
  bool calculado = dados->CarregarArquivosMapa(PrefixoArquivosExame(PathsMZ.Exames ? PathsMZ.Exames : "",
                                                                    CodPaciente, codigo));
  if (calculado) {
    const TMatrizAngAnel& d = *dados->PtrMatrizD();
    const TMatrizAngAnel& m = *dados->PtrMatrizM();
    const TMatrizAng& aneis = *dados->PtrAneisPorMeridiano();
    const double centroX = dados->GetCentroX(), centroY = dados->GetCentroY();
    const double fator = InfosMZ.FatorCorrecao, z0 = InfosMZ.Z0;
    const int numAneis = InfosMZ.NumAneis;
    try {
      TBEscala escala(InfosMZ.AutoIncMap, InfosMZ.IncMap);
      escala.GerarEscala(d, aneis, 0);
      auto mapa = std::make_unique<TBFuncoesMapas>(d, m, aneis, &escala, nullptr, centroX, centroY, fator, z0,
                                                   InfosMZ.TipoCone ? InfosMZ.TipoCone : "", numAneis);
      mapa->CalcularMapa(TipoMapa == 0 ? tmAxial : tmTangencial);
      TCeratometria k{};
      mapa->GetCeratometria(k, 1.5);
      v = {mapa->GetValorMaximo(), k.K1, k.K2, k.DeltaK, k.R1, k.R2, k.DeltaR, double(k.Eixo), double(k.Eixo2)};
    } catch (const EErroMapa&) {
      // Data that allow no map are reported as a map that cannot be processed.
      calculado = false;
    }
  }
  if (!calculado) {
    Application->MessageBox("Não foi possível processar o mapa selecionado. ERROMAP03", "Informação", MB_ICONERROR);
    return false;
  }
  if (Escolha.compare(0, 2, "OD") == 0) {
    ValoresOD = v;
    MedidaOD = codigo;
  } else {
    ValoresOS = v;
    MedidaOS = codigo;
  }
  return true;
}

void TfrmLaudo::GerarLaudoAutomatico() {
  const std::string od = frmWizLaudo ? frmWizLaudo->cmbOD->Text() : "";
  const std::string os = frmWizLaudo ? frmWizLaudo->cmbOS->Text() : "";
  if (od.empty() || os.empty()) {
    Application->MessageBox("Por favor, verifique se umas das caixas está vazia. Se não desejar um dos olhos, escolha a "
                            "opção \"Nenhum\".",
                            "Informação", MB_ICONERROR);
    MostrarEditor = false;
    return;
  }
  ExameOD = od;
  ExameOS = os;
  CorCaixa = static_cast<TColor>(RGB(255, 255, 230));
  CorMarcador = static_cast<TColor>(RGB(0, 0, 255));
  CorMarcadorAtual = static_cast<TColor>(RGB(255, 0, 0));
  MedidaOD = MedidaOS = -1;
  for (const std::string& escolha : {od, os}) {
    // An exam that cannot be selected or computed leaves nothing to edit.
    if (escolha != kNenhum && !CalcularOlho(escolha)) {
      MostrarEditor = false;
      return;
    }
  }
  reCE->SetText(
      "Exames realizado em excelentes condições de centralização e focalização.\r\nSem uso de lentes de contato #1# "
      "#2# #3#");
  struct TOlho {
    const std::string& Escolha;
    TCaixaLaudo* Caixa;
    TLabel* Rotulo;
    const TValoresOlho& Valores;
  };
  for (const TOlho& o : {TOlho{os, reOS, lblOS, ValoresOS}, TOlho{od, reOD, lblOD, ValoresOD}}) {
    if (o.Escolha == kNenhum) {
      o.Caixa->SetEnabled(false);
      o.Rotulo->SetEnabled(false);
      chkMesmoLau->SetEnabled(false);
    } else {
      o.Caixa->SetText(ModeloOlho(o.Valores, TipoMapa));
      DestacarMarcadores(o.Caixa);
    }
  }
  reCO->SetText(
      "Videoceratografia compatível com astigmatismo #1# #2# e #3# #4#, #5#, #6# em OD e compatível com astigmatismo "
      "#7# #8# e #9# #10#, #11#, #12# em OS. #13# #14##15# #16#.");
  DestacarMarcadores(reCE);
  DestacarMarcadores(reCO);
}

void TfrmLaudo::AbrirLaudo() {
  CodigoLaudo = CodigoDaEntrada(frmWizLaudo ? frmWizLaudo->cmbEscLaudo->Text() : "");
  TIBTable* laudos = DMPrincipal->IBLaudos;
  if (!laudos->Active()) laudos->Open();
  const bool achado = laudos->Locate("CODIGO", std::to_string(CodigoLaudo), 0);
  // Each report is judged by its own exams, not by one opened before it.
  ExamesPresentes = true;
  if (achado) {
    MedidaOD = laudos->FieldByName("MEDIDAOD")->AsInteger();
    MedidaOS = laudos->FieldByName("MEDIDAOS")->AsInteger();
    DataHoraLaudo = FormatDateTime("dd/mm/yyyy", laudos->FieldByName("DATA")->AsDateTime()) + " " +
                    FormatDateTime("hh:nn:ss", laudos->FieldByName("HORA")->AsDateTime());
    TIBTable* exames = DMPrincipal->IBExames;
    if (!exames->Active()) exames->Open();
    for (auto [medida, exame, olho] : {std::tuple{MedidaOD, &ExameOD, "OD - "}, std::tuple{MedidaOS, &ExameOS, "OS - "}}) {
      if (medida == -1) {
        exame->clear();
      } else if (exames->Locate("CODIGO", std::to_string(medida), 0)) {
        *exame = olho + FormatDateTime("dd/mm/yyyy", exames->FieldByName("DATA")->AsDateTime()) + " " +
                 FormatDateTime("hh:nn:ss", exames->FieldByName("HORA")->AsDateTime());
      } else {
        exame->clear();
        ExamesPresentes = false;
      }
    }
  }
  const std::string arquivo = ArquivoLaudo(PathsMZ.Laudos ? PathsMZ.Laudos : "", CodPaciente, CodigoLaudo);
  if (achado && FileExists(arquivo)) {
    LerArquivoLaudo(arquivo);
    if (!ExamesPresentes)
      Application->MessageBox("Este laudo possui dados de exames já excluídos!", "Informação", MB_ICONINFORMATION);
  } else {
    MostrarEditor = false;
    Application->MessageBox("Arquivo de laudo não encontrado.", "Informação", MB_ICONERROR);
  }
}

void TfrmLaudo::LerArquivoLaudo(const std::string& Arquivo) {
  TStringList linhas;
  linhas.LoadFromFile(Arquivo);
  std::array<std::string, 5> textos;
  size_t bloco = 0;
  for (int i = 0; i < linhas.Count() && bloco < textos.size(); ++i) {
    const std::string linha = linhas[i];
    if (linha == "@" || (linha == "*" && bloco + 1 == textos.size()))
      ++bloco;
    else
      textos[bloco] += " " + linha;
  }
  TCaixaLaudo* caixas[] = {reCE, reOD, reOS, reCO, reCM};
  for (size_t i = 0; i < textos.size(); ++i) caixas[i]->SetText(textos[i]);
}

void TfrmLaudo::GravarLaudo() {
  DMPrincipal->IBLaudos->Close();
  const TDateTime agora = Now();
  // The new report's code is the one its insert gives.
  const int codigo = TDLaudos::InsertLaudos(CodPaciente, MedidaOD, MedidaOS, "", DateOf(agora), TimeOf(agora));
  const std::string pasta = Pasta(PathsMZ.Laudos, CodPaciente);
  if (!DirectoryExists(pasta)) ForceDirectories(pasta);
  const bool gravado = GravarArquivoLaudo(PathsMZ.Laudos ? PathsMZ.Laudos : "", std::to_string(CodPaciente),
                                          std::to_string(codigo),
                                          {reCE->Text(), reOD->Text(), reOS->Text(), reCO->Text(), reCM->Text()});
  if (!gravado) {
    // No row without its file.
    TDLaudos::DeleteLaudosByCodigo(codigo);
    DMPrincipal->IBLaudos->Open();
    return;
  }
  DMPrincipal->IBLaudos->Open();
  CodigoLaudo = codigo;
  DataHoraLaudo = FormatDateTime("dd/mm/yyyy", agora) + " " + FormatDateTime("hh:nn:ss", agora);
  Bloquear();
}

// The browser's map buttons on a seeded database, with recording modules standing in for the map
// modules: which entry point each module name and exam kind reach, with which data, the multi-exam
// roads and their count rules, and every failure message.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/UBArquivosExame.h"
#include "core/UBConstantes.h"
#include "core/UBMapOperation.h"
#include "core/UDExames.h"
#include "core/UDPacientes.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/NumberText.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/NavegadorTesteSupport.h"
#include "windows/UfrmAguarde.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmPrincipal.h"

namespace {

using windowstest::CaminhoWindows;
using windowstest::TInstalacaoTeste;

// One recorded call: its "key=value" lines in order.
struct TChamada {
  std::vector<std::pair<std::string, std::string>> Linhas;
  std::string Valor(const std::string& Chave) const {
    for (const auto& [k, v] : Linhas)
      if (k == Chave) return v;
    return "(nada)";
  }
  std::vector<std::string> Valores(const std::string& Chave) const {
    std::vector<std::string> r;
    for (const auto& [k, v] : Linhas)
      if (k == Chave) r.push_back(v);
    return r;
  }
};

// The recording modules: which build stands in for which name.
const char* Construcao(const std::string& Nome) {
  if (Nome.find("Diferencial") != std::string::npos) return "GravadorDiferencial";
  if (Nome.find("MultiOrto") != std::string::npos) return "GravadorOrto";
  return "Gravador";
}

class MapasNavegador : public windowstest::TesteNavegador {
 protected:
  void SetUp() override {
    windowstest::TesteNavegador::SetUp();
    // Ana's orthokeratology exam: its own rings, cone and index (a half, rounded to even).
    exameOrto = TDExames::InsertExames(ana, semeadura.Medicos[0], EncodeDate(2026, 12, 10), EncodeTime(11, 0, 0, 0),
                                       "OD", 96.5, "O", "", "", "", 20, "3");
    TDExames::InsertExamesOrto(exameOrto, 2.25, 0.5, 7.75, 1.5);
    GravarEsfera(ana, exameOrto, 8.0);
    DMPrincipal->PCommitDataBase();
    for (int n = 1; n <= 6; ++n) GravarExemplo("Central0" + std::to_string(n), 7.0 + 0.1 * n);
    for (int n = 1; n <= 4; ++n) GravarExemplo("Orto0" + std::to_string(n), 7.5 + 0.1 * n);
    AssignText(InfosMZ.TipoCone, "9");
    InfosMZ.NumAneis = 28;
    tipoConeAntes = InfosMZ.TipoCone;
    dialogs.ClearLog();
  }

  void GravarEsfera(int Paciente, int Exame, double Raio) {
    const superficies::ExameSintetico e = superficies::Esfera(Raio);
    GravarArquivosMapa(PrefixoArquivosExame(Exames(), Paciente, Exame), e.D, e.M, e.AneisPorMeridiano, e.CentroX,
                       e.CentroY, TPupila{}, superficies::Aneis);
  }
  void GravarExemplo(const std::string& Nome, double Raio) {
    const superficies::ExameSintetico e = superficies::Esfera(Raio);
    GravarArquivosMapa(CaminhoWindows(inst->Pasta("Exemplos") / Nome), e.D, e.M, e.AneisPorMeridiano, e.CentroX,
                       e.CentroY, TPupila{}, superficies::Aneis);
  }
  // The value that a sphere of this radius leaves in the D matrix's first cell of a meridian, as
  // its file keeps it (two decimals).
  static std::string ValorD(double Raio) {
    const superficies::ExameSintetico e = superficies::Esfera(Raio);
    char s[64];
    std::snprintf(s, sizeof s, "%.4f", StrToFloatPontoVirgula(FormatFloat("00.00", e.D[0][1])));
    return s;
  }

  // A recording module under this name, and one more patient with exams of the given eyes and kinds.
  void Instalar(const std::string& Nome) {
    TInstalacaoTeste::CopiarModulo(Construcao(Nome), inst->Pasta("Mapas") / (Nome + ".dll"));
  }
  void InstalarQuebrado(const std::string& Nome) {
    std::ofstream(inst->Pasta("Mapas") / (Nome + ".dll"), std::ios::binary) << "não é um módulo";
  }
  struct TExameNovo {
    std::string Olho, Tipo;
  };
  std::vector<int> Paciente(const std::string& Nome, const std::vector<TExameNovo>& Exames) {
    const int p = recordstest::Registros::Paciente(Nome, int(Exames.size()));
    std::filesystem::create_directories(inst->Pasta("Exames") / std::to_string(p));
    std::vector<int> codigos;
    double raio = 7.0;
    for (const TExameNovo& e : Exames) {
      static int segundo = 12 * 3600;
      const int s = segundo++;
      const int c = TDExames::InsertExames(p, semeadura.Medicos[0], EncodeDate(2026, 12, 11),
                                           EncodeTime(s / 3600, s / 60 % 60, s % 60, 0), e.Olho, 90.0, e.Tipo, "", "",
                                           "", 24, "4");
      if (e.Tipo == "O") TDExames::InsertExamesOrto(c, 1.0 * codigos.size(), 0.5, 7.0 + codigos.size(), 0.1 * c);
      GravarEsfera(p, c, raio += 0.1);
      codigos.push_back(c);
    }
    DMPrincipal->PCommitDataBase();
    return codigos;
  }
  void Escolher(int Resultado, const std::vector<std::string>& Linhas) {
    std::ofstream f(inst->Pasta("Mapas") / "escolha.txt", std::ios::binary);
    f << Resultado << "\r\n";
    for (const std::string& l : Linhas) f << l << "\r\n";
  }

  void AbrirExemplos(TfrmExames& F, int Linha) {
    F.pcExames->SetActivePageIndex(1);
    F.pcExames->OnChange(F.pcExames);
    bool pode = true;
    F.GridExemplos->OnSelectCell(F.GridExemplos, 1, Linha, pode);
  }
  TToolButton* Botao(TfrmExames& F, const std::string& Nome) {
    TToolButton* b = new TToolButton(F.tlbMapas);
    b->SetParent(F.tlbMapas);
    b->SetCaption(Nome);
    return b;
  }
  // The calls recorded since the last look, which forgets them.
  std::vector<TChamada> Chamadas() {
    const std::filesystem::path arquivo = inst->Pasta("Mapas") / "chamadas.txt";
    std::vector<TChamada> r;
    std::ifstream f(arquivo, std::ios::binary);
    TChamada atual;
    for (std::string l; std::getline(f, l);) {
      if (!l.empty() && l.back() == '\r') l.pop_back();
      if (l == "Fim") {
        r.push_back(atual);
        atual = {};
        continue;
      }
      const size_t igual = l.find('=');
      atual.Linhas.emplace_back(l.substr(0, igual), l.substr(igual + 1));
    }
    f.close();
    std::filesystem::remove(arquivo);
    return r;
  }
  std::vector<std::string> Legendas(TfrmExames& F) {
    std::vector<std::string> r;
    for (int i = 0; i < F.lswPrincipal->Count(); ++i) r.push_back(F.lswPrincipal->Items(i)->Caption());
    return r;
  }
  std::string Legenda(TfrmExames& F, int Codigo) { return F.lswPrincipal->Items(Item(F, Codigo))->Caption(); }
  // A caption as the module's candidate line.
  static std::string Linha(const std::string& Legenda) {
    return (Legenda.substr(0, 2) == "OD" ? "Olho Direito" : "Olho Esquerdo") + Legenda.substr(2);
  }
  void ExpectRestaurado() {
    EXPECT_EQ(InfosMZ.NumAneis, 28);
    EXPECT_EQ(InfosMZ.TipoCone, tipoConeAntes);
    EXPECT_STREQ(InfosMZ.TipoCone, "9");
    EXPECT_FALSE(frmAguarde && frmAguarde->Visible());
    EXPECT_FALSE(frmExames->TimerAguarde->Enabled());
  }
  std::string UltimaMensagem() const { return dialogs.Log().empty() ? "" : dialogs.Log().back().Text; }

  int exameOrto = 0;
  const char* tipoConeAntes = nullptr;
};

TEST_F(MapasNavegador, EachModuleNameAndExamKindReachItsEntryPointWithItsData) {
  for (const char* m : {"Axial", "TangencialOrto", "LCAxial", "Aberrometria"}) Instalar(m);
  TfrmExames& f = Abrir("Ana");
  const int primeiro = semeadura.Exames[0];
  const std::string hora = Legenda(f, primeiro).substr(16);
  const std::vector<std::string> infoT = {"Ana", FormatFloat("0000", ana), "", "Olho Direito", "10/12/2026", hora,
                                          "Dr. Ari", FormatFloat("0000", primeiro), "1"};
  const std::vector<std::string> infoO = {"Ana", FormatFloat("0000", ana), "", "Olho Direito", "10/12/2026",
                                          "11:00:00", "Dr. Ari", FormatFloat("0000", exameOrto), "96"};
  struct Caso {
    std::string Modulo;
    int Exame;
    std::string Entrada, Orto;
  };
  const std::string valores = "1.5000;2.2500;7.7500";
  for (const Caso& c : {Caso{"Axial", primeiro, "ProcessaMapa", "null"},
                        Caso{"Axial", exameOrto, "ProcessaMapaOrto", valores},
                        Caso{"TangencialOrto", primeiro, "ProcessaMapa", "null"},
                        Caso{"TangencialOrto", exameOrto, "ProcessaMapaOrto", valores},
                        Caso{"LCAxial", primeiro, "ProcessaLente", "(nada)"},
                        Caso{"LCAxial", exameOrto, "ProcessaLente", "(nada)"},
                        Caso{"Aberrometria", primeiro, "ProcessaAberrometria", "(nada)"},
                        Caso{"Aberrometria", exameOrto, "ProcessaAberrometria", "(nada)"}}) {
    SCOPED_TRACE(c.Modulo + " " + std::to_string(c.Exame));
    const bool orto = c.Exame == exameOrto;
    f.lswPrincipal->Items(Item(f, c.Exame))->SetSelected(true);
    f.MapaClick(Botao(f, c.Modulo));
    const std::vector<TChamada> chamadas = Chamadas();
    ASSERT_EQ(chamadas.size(), 1u);
    const TChamada& ch = chamadas[0];
    EXPECT_EQ(ch.Valor("Entrada"), c.Entrada);
    EXPECT_EQ(ch.Valor("Modulo"), c.Modulo + ".dll");
    EXPECT_EQ(ch.Valor("Orto"), c.Orto);
    EXPECT_EQ(ch.Valor("NumAneis"), orto ? "20" : "24");
    EXPECT_EQ(ch.Valor("TipoCone"), orto ? "3" : "4");
    EXPECT_EQ(ch.Valores("Info"), orto ? infoO : infoT);
    EXPECT_EQ(ch.Valor("D"), ValorD(orto ? 8.0 : semeadura.Raios[0]));
    if (c.Entrada != "ProcessaAberrometria") {
      EXPECT_EQ(ch.Valor("Central"), orto ? "vazia" : "BM");
    }
    if (c.Entrada == "ProcessaMapa" || c.Entrada == "ProcessaMapaOrto") {
      EXPECT_EQ(ch.Valor("Lateral"), "vazia");
    }
    if (c.Entrada == "ProcessaLente") {
      EXPECT_EQ(ch.Valor("Paths"), "sim");
    }
    if (c.Entrada == "ProcessaAberrometria") {
      EXPECT_EQ(ch.Valor("Constantes"), "3.0000;350;350;1");
      EXPECT_EQ(ch.Valores("Clinica").size(), 4u);
    }
    EXPECT_TRUE(dialogs.Log().empty()) << UltimaMensagem();
    ExpectRestaurado();
  }

  // Examples: 16 rings, cone "2", no pictures, 99.9999 for an orthokeratology example.
  AbrirExemplos(f, 1);
  struct CasoExemplo {
    std::string Modulo;
    int Linha, Item;
    std::string Nome, Orto;
  };
  const std::string exemploOrto = "99.9999;99.9999;99.9999";
  for (const CasoExemplo& c : {CasoExemplo{"Axial", 1, 0, "Central01", "null"},
                               CasoExemplo{"TangencialOrto", 1, 4, "Central05", "null"},
                               CasoExemplo{"Axial", 6, 1, "Orto02", exemploOrto},
                               CasoExemplo{"TangencialOrto", 6, 0, "Orto01", exemploOrto}}) {
    SCOPED_TRACE(c.Modulo + " " + c.Nome);
    bool pode = true;
    f.GridExemplos->OnSelectCell(f.GridExemplos, 1, c.Linha, pode);
    f.lswPrincipal->Items(c.Item)->SetSelected(true);
    f.MapaClick(Botao(f, c.Modulo));
    const std::vector<TChamada> chamadas = Chamadas();
    ASSERT_EQ(chamadas.size(), 1u);
    EXPECT_EQ(chamadas[0].Valor("Entrada"), "ProcessaMapa");
    EXPECT_EQ(chamadas[0].Valor("Orto"), c.Orto);
    EXPECT_EQ(chamadas[0].Valor("NumAneis"), "16");
    EXPECT_EQ(chamadas[0].Valor("TipoCone"), "2");
    EXPECT_EQ(chamadas[0].Valor("Central"), "null");
    EXPECT_EQ(chamadas[0].Valores("Info"),
              (std::vector<std::string>{c.Nome, "00001", "xx.xxx.xxx-x", "Exemplo", "01/01/01", "00:00:00",
                                        "Médico Teste", "9999", "100"}));
    EXPECT_TRUE(dialogs.Log().empty()) << UltimaMensagem();
    ExpectRestaurado();
  }
  EXPECT_EQ(f.ValoresOrto, (std::array<double, 3>{99.9999, 99.9999, 99.9999}));
}

TEST_F(MapasNavegador, TheSingleMapShowsTheSelectedExamAfterAMultiExamRoadAndAfterACommit) {
  for (const char* m : {"Axial", "Duplo"}) Instalar(m);
  TfrmExames& f = Abrir("Ana");
  const int primeiro = semeadura.Exames[0];
  f.lswPrincipal->Items(Item(f, primeiro))->SetSelected(true);
  Escolher(1, {Linha(Legenda(f, semeadura.Exames[1])), Linha(Legenda(f, semeadura.Exames[2]))});
  f.MapasClick(Botao(f, "Duplo"));
  ASSERT_EQ(Chamadas().size(), 2u);
  ASSERT_NE(DMPrincipal->IBQueryExames->FieldByName("CODIGO")->AsInteger(), primeiro);
  f.MapaClick(Botao(f, "Axial"));
  std::vector<TChamada> chamadas = Chamadas();
  ASSERT_EQ(chamadas.size(), 1u);
  EXPECT_EQ(chamadas[0].Valores("Info").at(7), FormatFloat("0000", primeiro));
  DMPrincipal->PCommitDataBase();
  f.MapaClick(Botao(f, "Axial"));
  chamadas = Chamadas();
  ASSERT_EQ(chamadas.size(), 1u);
  EXPECT_EQ(chamadas[0].Valores("Info").at(7), FormatFloat("0000", primeiro));
  EXPECT_TRUE(dialogs.Log().empty()) << UltimaMensagem();
}

TEST_F(MapasNavegador, MultiExamRoadsCountTheirEyesAndHandOverTheChosenExams) {
  for (const char* m : {"Duplo", "Diferencial", "MultiMapas", "MultiOrto"}) Instalar(m);
  const std::vector<int> davi = Paciente("Davi", {{"OD", "T"}, {"OD", "T"}, {"OD", "T"}});
  const std::vector<int> eva = Paciente("Eva", {{"OD", "T"}, {"OS", "T"}});
  const std::string refusal = "Número insuficiente de exames para gerar o mapa desejado";

  // Three right eyes: not for "Duplo", enough for "MultiMapas".
  TfrmExames& f = Abrir("Davi");
  Escolher(1, {Linha(Legenda(f, davi[2])), Linha(Legenda(f, davi[0])), Linha(Legenda(f, davi[1]))});
  f.MapasClick(Botao(f, "Duplo"));
  EXPECT_EQ(UltimaMensagem(), refusal);
  EXPECT_TRUE(Chamadas().empty());
  dialogs.ClearLog();
  f.MapasClick(Botao(f, "MultiMapas"));
  std::vector<TChamada> chamadas = Chamadas();
  ASSERT_EQ(chamadas.size(), 2u);
  EXPECT_EQ(chamadas[0].Valor("Entrada"), "Wizard");
  EXPECT_EQ(chamadas[0].Valores("Candidato").size(), 3u);
  EXPECT_EQ(chamadas[1].Valor("Entrada"), "ProcessaMapas");
  EXPECT_EQ(chamadas[1].Valor("Quantidade"), "3");
  EXPECT_EQ(chamadas[1].Valor("Parametros"), "parametros");
  EXPECT_EQ(chamadas[1].Valor("D0"), ValorD(7.3));
  EXPECT_EQ(chamadas[1].Valor("D1"), ValorD(7.1));
  EXPECT_EQ(chamadas[1].Valores("Info0"),
            (std::vector<std::string>{"Davi", std::to_string(TDPacientes::GetCodigoByNome("Davi")), "",
                                      "Olho Direito", "11/12/2026", Legenda(f, davi[2]).substr(16), "Dr. Ari",
                                      FloatToStr(90.0)}));
  EXPECT_TRUE(dialogs.Log().empty()) << UltimaMensagem();

  // One exam of each eye: not enough for "Diferencial".
  f.AtualizarPacientes(TDPacientes::GetCodigoByNome("Eva"), "*** Todos");
  ASSERT_EQ(Legendas(f).size(), 2u);
  f.MapasClick(Botao(f, "Diferencial"));
  EXPECT_EQ(UltimaMensagem(), refusal);
  EXPECT_TRUE(Chamadas().empty());
  dialogs.ClearLog();

  // Ana: the difference list marks every exam with its kind; the marked lines chosen reach their exams.
  f.AtualizarPacientes(ana, "*** Todos");
  const std::string primeiro = Linha(Legenda(f, semeadura.Exames[0]));
  const std::string terceiro = Linha(Legenda(f, semeadura.Exames[2]));
  const std::string orto = Linha(Legenda(f, exameOrto));
  Escolher(1, {"O" + orto, "T" + primeiro});
  f.MapasClick(Botao(f, "Diferencial"));
  chamadas = Chamadas();
  ASSERT_EQ(chamadas.size(), 2u);
  EXPECT_EQ(chamadas[0].Valor("Entrada"), "WizardDiferencial");
  const std::vector<std::string> candidatos = chamadas[0].Valores("Candidato");
  EXPECT_EQ(candidatos.size(), 4u);
  for (const std::string& l : {"T" + primeiro, "T" + terceiro, "O" + orto})
    EXPECT_NE(std::find(candidatos.begin(), candidatos.end(), l), candidatos.end()) << l;
  EXPECT_EQ(chamadas[1].Valor("Quantidade"), "2");
  EXPECT_EQ(chamadas[1].Valor("D0"), ValorD(8.0));
  EXPECT_EQ(chamadas[1].Valor("D1"), ValorD(semeadura.Raios[0]));
  EXPECT_EQ(chamadas[1].Valores("Info0").at(7), FloatToStr(96.5));
  EXPECT_TRUE(dialogs.Log().empty()) << UltimaMensagem();

  // Exams of two doctors: each carries its own.
  const std::string segundo = Linha(Legenda(f, semeadura.Exames[1]));
  Escolher(1, {primeiro, segundo});
  f.MapasClick(Botao(f, "Duplo"));
  chamadas = Chamadas();
  ASSERT_EQ(chamadas.size(), 2u);
  EXPECT_EQ(chamadas[1].Valores("Info0").at(6), "Dr. Ari");
  EXPECT_EQ(chamadas[1].Valores("Info1").at(6), "Dra. Bel");
  EXPECT_EQ(chamadas[1].Valores("Info1").at(3), "Olho Esquerdo");

  // A chosen exam that is not found, or whose files are missing, stops the road.
  Escolher(1, {primeiro, "Olho Direito - 01/01/2001 00:00:00", segundo});
  f.MapasClick(Botao(f, "Duplo"));
  EXPECT_EQ(UltimaMensagem(), "Erro ao selecionar o exame!");
  EXPECT_EQ(dialogs.Log().back().Caption, "Erro");
  chamadas = Chamadas();
  ASSERT_EQ(chamadas.size(), 1u);
  EXPECT_EQ(chamadas[0].Valor("Entrada"), "Wizard");
  dialogs.ClearLog();
  std::filesystem::remove(inst->Pasta("Exames") / std::to_string(ana) /
                          (std::to_string(semeadura.Exames[1]) + "m.txt"));
  Escolher(1, {primeiro, segundo});
  f.MapasClick(Botao(f, "Duplo"));
  EXPECT_EQ(UltimaMensagem(), "Não foi encontrado um dos exames. Não é possível continuar.");
  EXPECT_EQ(dialogs.Log().back().Caption, "Atenção");
  EXPECT_EQ(dialogs.Log().back().Icon, UINT(MB_ICONWARNING));
  EXPECT_EQ(Chamadas().size(), 1u);
  dialogs.ClearLog();

  // A wizard that does not answer 1 ends the road.
  Escolher(2, {primeiro, segundo});
  f.MapasClick(Botao(f, "Duplo"));
  EXPECT_EQ(Chamadas().size(), 1u);
  EXPECT_TRUE(dialogs.Log().empty()) << UltimaMensagem();
  EXPECT_EQ(InfosMZ.NumAneis, 28);
}

TEST_F(MapasNavegador, OrthokeratologySeriesKeepsFourRowsOfValues) {
  Instalar("MultiOrto");
  const std::vector<int> olga = Paciente("Olga", {{"OD", "O"}, {"OD", "O"}, {"OD", "O"}, {"OD", "O"}, {"OD", "O"}});
  TfrmExames& f = Abrir("Olga");
  std::vector<std::string> escolha;
  for (int i = 4; i >= 0; --i) escolha.push_back("O" + Linha(Legenda(f, olga[size_t(i)])));
  Escolher(1, escolha);
  f.MapasClick(Botao(f, "MultiOrto"));
  const std::vector<TChamada> chamadas = Chamadas();
  ASSERT_EQ(chamadas.size(), 2u);
  EXPECT_EQ(chamadas[0].Valores("Candidato").size(), 5u);
  EXPECT_EQ(chamadas[1].Valor("Entrada"), "ProcessaMapasOrto");
  // Rows: Sag, Div, Raio and a zero, of the first four chosen exams (olga[4] .. olga[1]).
  std::string esperado;
  for (int i = 4; i >= 1; --i) {
    char s[128];
    std::snprintf(s, sizeof s, "%s%.4f;%.4f;%.4f;%.4f", esperado.empty() ? "" : ";", 0.1 * olga[size_t(i)], 1.0 * i,
                  7.0 + i, 0.0);
    esperado += s;
  }
  EXPECT_EQ(chamadas[1].Valor("Orto"), esperado);
  EXPECT_EQ(chamadas[1].Valor("D0"), ValorD(7.5));
  EXPECT_EQ(chamadas[1].Valor("D3"), ValorD(7.2));
  EXPECT_TRUE(dialogs.Log().empty()) << UltimaMensagem();
}

TEST_F(MapasNavegador, ExampleSeriesHandOverTheMatchedExamplesOnly) {
  for (const char* m : {"MultiMapas", "MultiOrto"}) Instalar(m);
  TfrmExames& f = Abrir("Ana");
  AbrirExemplos(f, 1);
  const std::string data = "10/01/2001";
  // Not orthokeratology examples: refused by the series module.
  f.MapasClick(Botao(f, "MultiOrto"));
  EXPECT_EQ(UltimaMensagem(), "Número insuficiente de exames OU os exemplos selecionados não são "
                                                  "de ortoceratologia.");
  EXPECT_TRUE(Chamadas().empty());
  dialogs.ClearLog();

  Escolher(1, {"Olho Esquerdo -" + data + " 00:00:00", "Olho Central -" + data + " 00:00:00",
               "Olho Direito -" + data + " 00:00:00"});
  f.MapasClick(Botao(f, "MultiMapas"));
  std::vector<TChamada> chamadas = Chamadas();
  ASSERT_EQ(chamadas.size(), 2u);
  EXPECT_EQ(chamadas[0].Valor("NumAneis"), "16");
  std::vector<std::string> candidatos(4, "Olho Direito -" + data + " 00:00:00");
  candidatos.insert(candidatos.end(), 2, "Olho Esquerdo -" + data + " 00:00:00");
  EXPECT_EQ(chamadas[0].Valores("Candidato"), candidatos);
  EXPECT_EQ(chamadas[1].Valor("Quantidade"), "2");
  EXPECT_EQ(chamadas[1].Valor("NumAneis"), "16");
  EXPECT_EQ(chamadas[1].Valor("D0"), ValorD(7.5));
  EXPECT_EQ(chamadas[1].Valor("D1"), ValorD(7.1));
  EXPECT_EQ(chamadas[1].Valores("Info0"), (std::vector<std::string>{"Exemplo", "00", "00", "Olho Esquerdo", data,
                                                                    "00:00:00", "Dr. Lumara", "100"}));
  EXPECT_EQ(chamadas[1].Valores("Info1").at(3), "Olho Direito");
  EXPECT_TRUE(dialogs.Log().empty()) << UltimaMensagem();
  ExpectRestaurado();

  bool pode = true;
  f.GridExemplos->OnSelectCell(f.GridExemplos, 1, 6, pode);
  Escolher(1, {"Olho Esquerdo -" + data + " 00:00:00"});
  f.MapasClick(Botao(f, "MultiOrto"));
  chamadas = Chamadas();
  ASSERT_EQ(chamadas.size(), 2u);
  EXPECT_EQ(chamadas[0].Valores("Candidato").front(), "OOlho Esquerdo -" + data + " 00:00:00");
  EXPECT_EQ(chamadas[1].Valor("Entrada"), "ProcessaMapasOrto");
  EXPECT_EQ(chamadas[1].Valor("D0"), ValorD(7.6));
  std::string zeros = "0.0000";
  for (int i = 1; i < 16; ++i) zeros += ";0.0000";
  EXPECT_EQ(chamadas[1].Valor("Orto"), zeros);
  ExpectRestaurado();
}

TEST_F(MapasNavegador, EveryFailureShowsItsMessage) {
  Instalar("Axial");
  Instalar("MultiExames");
  InstalarQuebrado("Quebrado");
  InstalarQuebrado("QuebradoLC");
  InstalarQuebrado("QuebradaAberrometria");
  const std::vector<int> xavier = Paciente("Xavier", {{"OD", "X"}, {"OD", "T"}});
  TfrmExames& f = Abrir("Ana");
  struct Mensagem {
    std::string Texto, Titulo;
    UINT Icone;
  };
  const auto esperar = [&](const Mensagem& m) {
    ASSERT_FALSE(dialogs.Log().empty()) << m.Texto;
    EXPECT_EQ(dialogs.Log().back().Text, m.Texto);
    EXPECT_EQ(dialogs.Log().back().Caption, m.Titulo);
    EXPECT_EQ(dialogs.Log().back().Icon, m.Icone);
    EXPECT_TRUE(Chamadas().empty());
    ExpectRestaurado();
    dialogs.ClearLog();
  };

  f.MapaClick(Botao(f, "Axial"));
  esperar({"Por favor, selecione um exame para que o mapa possa ser exibido.", "Informação", MB_ICONINFORMATION});
  f.lswPrincipal->Items(Item(f, semeadura.Exames[0]))->SetSelected(true);
  f.MapaClick(Botao(f, "Quebrado"));
  esperar({"Não foi possível processar o mapa selecionado. ERROMAP02", "Informação", MB_ICONERROR});
  f.MapaClick(Botao(f, "QuebradoLC"));
  esperar({"Não foi possível processar o mapa selecionado. ERROMAP04", "Informação", MB_ICONERROR});
  f.MapaClick(Botao(f, "QuebradaAberrometria"));
  EXPECT_TRUE(dialogs.Log().empty());
  ExpectRestaurado();
  const std::string prefixo = PrefixoArquivosExame(Exames(), ana, semeadura.Exames[0]);
  std::filesystem::remove(inst->Pasta("Exames") / std::to_string(ana) / (std::to_string(semeadura.Exames[0]) + "a.txt"));
  f.MapaClick(Botao(f, "Axial"));
  esperar({"Não foi possível processar o mapa selecionado. ERROMAP03\r\rDiretorio: " + prefixo, "Informação",
           MB_ICONERROR});

  // The selected item's exam is gone; a listed caption names no exam.
  f.lswPrincipal->Selected()->SetData(reinterpret_cast<void*>(intptr_t(999999)));
  f.MapaClick(Botao(f, "Axial"));
  esperar({"Não foi possivel abrir o exame selecionado.", "Informação", MB_ICONWARNING});
  f.lswPrincipal->Items(1)->SetCaption("OD - 01/01/2001 00:00:00");
  f.MapasClick(Botao(f, "MultiExames"));
  esperar({"Erro ao processar exames para a visualização do mapa!", "Erro", MB_ICONERROR});

  f.AtualizarPacientes(TDPacientes::GetCodigoByNome("Xavier"), "*** Todos");
  f.MapasClick(Botao(f, "MultiExames"));
  esperar({"Tipo de exame incorreto!\rEntre em contato com a assistência técnica", "Informação",
           MB_ICONINFORMATION});
  TDExames::DeleteExamesByCodigo(xavier[0]);
  f.AtualizarPacientes(TDPacientes::GetCodigoByNome("Xavier"), "*** Todos");
  f.MapasClick(Botao(f, "MultiExames"));
  esperar({"Não há número suficiente de exames para gerar o mapa desejado.", "Informação", MB_ICONINFORMATION});

  AbrirExemplos(f, 1);
  std::filesystem::remove(inst->Pasta("Exemplos") / "Central06m.txt");
  f.lswPrincipal->Items(5)->SetSelected(true);
  f.MapaClick(Botao(f, "Axial"));
  esperar({"Não foi possível processar o mapa selecionado. ERROMAP02", "Informação", MB_ICONERROR});
}

}  // namespace

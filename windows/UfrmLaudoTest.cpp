// The report wizard, the report editor and the printed report on a seeded database whose chosen
// exams are 7.80 mm spheres: the gaps and their colours, the templates, saving, reopening,
// deleting, printing to the test prefix's file printer and the preview.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/UBArquivosExame.h"
#include "core/UBConstantes.h"
#include "core/UBMapOperation.h"
#include "core/UDExames.h"
#include "core/UfrmDataModule.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/report/Printers.h"
#include "toolkit/report/QRPrev.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/NumberText.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/BancoTestSupport.h"
#include "windows/SemeaduraTeste.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmLauRelat.h"
#include "windows/UfrmLaudo.h"
#include "windows/UfrmPrincipal.h"
#include "windows/UfrmWizLaudo.h"
#include "windows/UBGanchoExecucao.h"
#include "windows/WindowsTestSupport.h"

namespace {

using windowstest::TInstalacaoTeste;

std::string Ler(const std::filesystem::path& Arquivo) {
  std::ifstream f(Arquivo, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

int Contar(const std::string& Texto, const std::string& O) {
  int n = 0;
  for (size_t p = Texto.find(O); p != std::string::npos; p = Texto.find(O, p + 1)) ++n;
  return n;
}

TEST(TextosPadrao, EveryGapOfEveryBoxHasAStandardTextAndOneIsEmpty) {
  TInstalacaoTeste inst("TextosPadrao");
  DMPrincipal = new TDMPrincipal(Application);
  ASSERT_TRUE(DMPrincipal->PSetDataBaseName(inst.Banco()));
  std::set<std::pair<std::string, int>> posicoes;
  int vazios = 0;
  bool marcador = false;
  TIBTable* t = DMPrincipal->IBLaudosTexto;
  t->Open();
  for (t->First(); !t->Eof(); t->Next()) {
    posicoes.insert({t->FieldByName("LOCAL")->AsString(), t->FieldByName("POSCAIXA")->AsInteger()});
    const std::string texto = t->FieldByName("TEXTO")->AsString();
    if (texto.empty()) ++vazios;
    marcador = marcador || texto.find('#') != std::string::npos;
  }
  t->Close();
  DMPrincipal->Free();
  DMPrincipal = nullptr;
  for (const auto& [local, n] : std::map<std::string, int>{{"CE", 3}, {"DS", 7}, {"CO", 16}})
    for (int i = 1; i <= n; ++i) EXPECT_TRUE(posicoes.count({local, i})) << local << " " << i;
  EXPECT_EQ(posicoes.size(), 26u);
  EXPECT_GE(vazios, 1);
  EXPECT_FALSE(marcador);
}

TEST(Marcadores, FillingReplacingEmptyingAndPending) {
  struct Caso {
    std::string Texto;
    int Posicao;
    std::string Valor, Esperado;
  };
  const Caso casos[] = {
      {"a #1# b #2# c", 2, "x", "a #1# b #2-x# c"},
      {"a #1# b #2-x# c", 2, "yz", "a #1# b #2-yz# c"},   // filling twice replaces
      {"a #1# b #2-yz# c", 2, "", "a #1# b #2# c"},       // an empty text restores the bare number
      {"a #1# b #2# c", 1, "u#v", "a #1-uv# b #2# c"},    // a "#" of a standard text is dropped
      {"a #1# b", 3, "x", "a #1# b"},                      // no such gap
      {"#1# #2##3# #4#.", 3, "w", "#1# #2##3-w# #4#."},
  };
  for (const Caso& c : casos) EXPECT_EQ(TextoComMarcador(c.Texto, c.Posicao, c.Valor), c.Esperado) << c.Texto;
  const std::string doze = "#1# #2# #3# #4# #5# #6# #7# #8# #9# #10# #11# #12#";
  EXPECT_EQ(MarcadoresPendentes(doze), "2 4 5 8 10 11 ");
  // A one-character text fills its gap; a box without gaps 8, 10 and 11 has none of them pending.
  EXPECT_EQ(MarcadoresPendentes("#1# #2-a# #3# #4-bb# #5#"), "5 ");
  EXPECT_EQ(MarcadoresPendentes("sem lacunas"), "");
}

class Laudo : public windowstest::TesteComBanco {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PrepararInstalacao());
    // The capture that made the seeded exams.
    InfosMZ.NumAneis = superficies::Aneis;
    InfosMZ.FatorCorrecao = superficies::F;
    InfosMZ.Z0 = 0;
    // Ana: OD, OS, OD by Dr. Ari; her report of the first exam; Caio after her.
    s = windowstest::Semear(*inst, {"Dr. Ari"}, {"Ana", "Caio"}, 3);
    // The two exams a new report is made from are 7.80 mm spheres.
    const std::string exames = windowstest::CaminhoWindows(inst->Pasta("Exames"));
    for (int exame : {s.Exames[0], s.Exames[1]}) {
      const superficies::ExameSintetico e = superficies::Esfera(7.80);
      GravarArquivoD(exames, s.Pacientes[0], exame, e.D, superficies::Aneis);
      GravarArquivoM(exames, s.Pacientes[0], exame, e.M, superficies::Aneis);
      GravarArquivoA(exames, s.Pacientes[0], exame, e.AneisPorMeridiano, e.CentroX, e.CentroY, TPupila{});
    }
    laudos = inst->Pasta("Laudos") / std::to_string(s.Pacientes[0]);
    dialogs.ClearLog();  // the seeded reports' messages
  }
  void TearDown() override {
    if (frmLaudo) frmLaudo->Free();
    if (frmWizLaudo) frmWizLaudo->Free();
    if (frmExames) frmExames->Free();
    TesteComBanco::TearDown();
  }

  // The browser on Ana under the doctor's filter, and the wizard over it.
  TfrmWizLaudo& Assistente(const std::string& Medico = "Dr. Ari") {
    AssignText(InfosMZ.MedicoAtivo, Medico);
    AssignText(InfosMZ.PacienteAtivo, "Ana");
    frmExames = new TfrmExames(Application);
    frmExames->Show();
    Application->ProcessMessages();
    EXPECT_EQ(DMPrincipal->IBQueryPacientes->FieldByName("NOME")->AsString(), "Ana");
    frmWizLaudo = new TfrmWizLaudo(Application);
    frmWizLaudo->Show();
    return *frmWizLaudo;
  }
  static std::vector<std::string> Itens(TComboBox* C) {
    std::vector<std::string> r;
    for (int i = 0; i < C->Items()->Count(); ++i) r.push_back(C->Items()->Strings(i));
    return r;
  }
  static std::string Legenda(int Indice) { return frmExames->lswPrincipal->Items(Indice)->Caption(); }

  // Runs the wizard's OK with the editor's steps inside its modal loop; the editor is closed after them.
  void NoEditor(const std::function<void(TfrmLaudo&)>& Passos) {
    bool rodou = false;
    windowstest::TPassoModal passo([&] {
      rodou = true;
      Passos(*frmLaudo);
      frmLaudo->Close();
    });
    frmWizLaudo->btnOKClick(nullptr);
    EXPECT_TRUE(rodou);
    EXPECT_TRUE(windowstest::EsperarAte([] { return frmLaudo == nullptr && frmWizLaudo == nullptr; }));
  }
  // A new report of the first OD and the first OS exam, shown without a modal loop.
  TfrmLaudo& NovoLaudo(int TipoMapa = 0) {
    TfrmWizLaudo& w = Assistente();
    w.cmbOD->SetItemIndex(0);
    w.cmbOS->SetItemIndex(0);
    frmLaudo = new TfrmLaudo(Application);
    frmLaudo->CodPaciente = s.Pacientes[0];
    frmLaudo->lblNome->SetCaption("Ana");
    frmLaudo->TipoMapa = TipoMapa;
    MostrarEditor = true;
    frmLaudo->GerarLaudoAutomatico();
    frmLaudo->Show();
    return *frmLaudo;
  }
  static TColor CorEm(TCaixaLaudo* Caixa, size_t Pos) {
    Caixa->SetSelStart(int(Pos));
    Caixa->SetSelLength(1);
    const TColor c = Caixa->SelAttributes()->Color();
    Caixa->SetSelLength(0);
    return c;
  }
  static TTreeNode* Texto(TfrmLaudo& L, int Posicao, const std::string& Legenda) {
    TTreeNode* raiz = L.trwLaudo->Items()->GetFirstNode();
    for (int i = 1; raiz && i < Posicao; ++i) raiz = raiz->GetNextSibling();
    for (TTreeNode* n = raiz ? raiz->GetFirstChild() : nullptr; n; n = n->GetNextSibling())
      if (n->Text() == Legenda) return n;
    ADD_FAILURE() << Posicao << " " << Legenda;
    return nullptr;
  }
  static std::string Decimal(const std::string& Valor) {
    std::string r = Valor;
    for (char& c : r)
      if (c == '.') c = FormatSettings.DecimalSeparator;
    return r;
  }

  windowstest::TSemeadura s;
  std::filesystem::path laudos;
};

TEST_F(Laudo, GapsAreFilledFromTheTreeAndColoured) {
  TfrmLaudo& l = NovoLaudo();
  ASSERT_TRUE(l.reOD->Enabled());
  l.SelecionarCaixa(l.reOD);
  EXPECT_EQ(l.lblCaixaSelec->Caption(), "Textos para o Olho Direito");
  EXPECT_EQ(l.trwLaudo->Items()->GetFirstNode()->Text(), "1");
  EXPECT_EQ(l.reOD->Color(), static_cast<TColor>(RGB(255, 255, 230)));
  EXPECT_EQ(l.reOS->Color(), clWhite);

  // Picking gap 2's texts: the second replaces the first; the gap is red while its node is selected.
  TTreeNode* simetrico = Texto(l, 2, "simétrico");
  l.trwLaudo->SetSelected(simetrico);
  l.EscolherTexto(simetrico);
  EXPECT_NE(l.reOD->Text().find("#2-simétrico#"), std::string::npos);
  TTreeNode* assimetrico = Texto(l, 2, "assimétrico");
  l.EscolherTexto(assimetrico);
  EXPECT_NE(l.reOD->Text().find("#2-assimétrico#"), std::string::npos);
  EXPECT_EQ(l.reOD->Text().find("#2-simétrico#"), std::string::npos);
  const std::string od = l.reOD->Text();
  EXPECT_EQ(CorEm(l.reOD, od.find("#2-")), static_cast<TColor>(RGB(255, 0, 0)));
  EXPECT_EQ(CorEm(l.reOD, od.find("#1#")), static_cast<TColor>(RGB(0, 0, 255)));
  const TColor texto = CorEm(l.reOD, od.find("Astigmatismo"));
  EXPECT_NE(texto, static_cast<TColor>(RGB(0, 0, 255)));
  EXPECT_NE(texto, static_cast<TColor>(RGB(255, 0, 0)));

  // The empty standard text of the conditions box restores the bare number.
  l.SelecionarCaixa(l.reCE);
  l.EscolherTexto(Texto(l, 1, "há 15 dias"));
  EXPECT_NE(l.reCE->Text().find("#1-há 15 dias#"), std::string::npos);
  l.EscolherTexto(Texto(l, 1, "\"Em Branco\""));
  EXPECT_NE(l.reCE->Text().find("#1# #2#"), std::string::npos);

  // Gap 19 is never coloured.
  l.reCM->SetText("");
  l.CaixaAtual = l.reCO;
  l.reCO->SetText(l.reCO->Text() + " #17# #18# #19#");
  l.DestacarMarcadores(l.reCO);
  const std::string co = l.reCO->Text();
  EXPECT_EQ(CorEm(l.reCO, co.find("#18#")), static_cast<TColor>(RGB(0, 0, 255)));
  EXPECT_EQ(CorEm(l.reCO, co.find("#19#")), texto);

  // "Mesmo laudo para ambos os olhos" fills both eyes.
  l.chkMesmoLau->SetChecked(true);
  l.SelecionarCaixa(l.reOS);
  l.EscolherTexto(Texto(l, 3, "contra a regra"));
  EXPECT_NE(l.reOS->Text().find("#3-contra a regra#"), std::string::npos);
  EXPECT_NE(l.reOD->Text().find("#3-contra a regra#"), std::string::npos);
}

TEST_F(Laudo, TypedAndPastedNumberSignsAreRefused) {
  TfrmLaudo& l = NovoLaudo();
  for (TCaixaLaudo* c : {l.reCE, l.reOD, l.reCM}) {
    c->SetText("ab");
    c->SetSelStart(1);
    SendMessageA(c->Handle(), WM_CHAR, '#', 0);
    SendMessageA(c->Handle(), WM_CHAR, 'x', 0);
    EXPECT_EQ(c->Text(), "axb") << c->Name();
    ASSERT_TRUE(OpenClipboard(c->Handle()));
    EmptyClipboard();
    const char colado[] = "1#2";
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, sizeof colado);
    memcpy(GlobalLock(g), colado, sizeof colado);
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
    SendMessageA(c->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(c->Text(), "ax12b") << c->Name();
  }
}

TEST_F(Laudo, TemplatesHoldTheKeratometryOfTheSpheres) {
  // The tangential map of the core is the axial one scaled by (1 - F) on a sphere.
  const std::string valores[] = {Decimal("43.27"), FormatFloat("0.00", 337.5 / 7.80 * (1 - superficies::F))};
  for (int tipo : {0, 1}) {
    TfrmLaudo& l = NovoLaudo(tipo);
    const std::string k = valores[tipo];
    for (TCaixaLaudo* c : {l.reOD, l.reOS}) {
      const std::string t = c->Text();
      EXPECT_EQ(t, "Astigmatismo #1# #2# e #3# #4#, #5#, com curvatura máxima observada de " + k + " D, #6# no mapa de " +
                       (tipo == 0 ? "construção Axial (ou Sagital, com eixo passando pelo ápice corneano). A Ceratometria "
                                    "Simulada Ortogonalmente Corrigida dos 3 mm centrais da córnea, segundo o mapa de "
                                    "construção axial, revela"
                                  : "construção Tangencial. A Ceratometria Simulada Ortogonalmente Corrigida dos 3 mm "
                                    "centrais da córnea, segundo o mapa de construção tangencial, revela") +
                       " #7# astigmatismo corneano de " + Decimal("0.00") + " D @ 0º com meridianos de " + k +
                       " D @ 0º e " + k + " D @ 90º.");
    }
    EXPECT_EQ(l.reCE->Text(),
              "Exames realizado em excelentes condições de centralização e focalização.\r\nSem uso de lentes de contato "
              "#1# #2# #3#");
    EXPECT_EQ(MedidaOD, s.Exames[0]);
    EXPECT_EQ(MedidaOS, s.Exames[1]);
    EXPECT_EQ(ExameOD, Legenda(0));
    l.Free();
    frmWizLaudo->Free();
    frmExames->Free();
  }
}

TEST_F(Laudo, PendingBoxesAreListedAndTheReportIsStoredReadOnly) {
  TfrmLaudo& l = NovoLaudo();
  dialogs.Answer(IDYES);  // back to editing
  l.btnSalvarClick(nullptr);
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text,
            "Algumas caixas obrigatórias estão sem preencher. Deseja alterá-las?\n\rCaixa Olho Direito: 2 4 5  Caixa "
            "Olho Esquerdo: 2 4 5 Caixa Conclusão: 2 4 5 8 10 11 ");
  EXPECT_EQ(dialogs.Log()[0].Caption, "Informação");
  EXPECT_EQ(dialogs.Log()[0].Buttons, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(dialogs.Log()[0].Icon, static_cast<UINT>(MB_ICONQUESTION));
  EXPECT_TRUE(l.btnSalvar->Enabled());

  // Filled boxes are not listed; the right eye's box stands for both with "Mesmo laudo".
  for (auto [n, t] : {std::pair{2, "x"}, {4, "y"}, {5, "z"}}) {
    l.CaixaAtual = l.reOD;
    l.PreencherMarcador(n, t);
  }
  l.chkMesmoLau->SetChecked(true);
  dialogs.ClearLog();
  dialogs.Answer(IDNO);  // store anyway
  const int antes = TDLaudos::GetUltimoCodigo();
  l.btnSalvarClick(nullptr);
  ASSERT_EQ(dialogs.Log().size(), 2u);
  EXPECT_EQ(dialogs.Log()[0].Text,
            "Algumas caixas obrigatórias estão sem preencher. Deseja alterá-las?\n\rCaixa Conclusão: 2 4 5 8 10 11 ");
  EXPECT_EQ(dialogs.Log()[1].Text, "Laudo gravado com sucesso.");

  const int codigo = TDLaudos::GetUltimoCodigo();
  EXPECT_EQ(codigo, antes + 1);
  EXPECT_EQ(l.CodigoLaudo, codigo);
  TIBQuery q(nullptr);
  q.SetDatabase(DMPrincipal->IBDatabase);
  q.SQL().Add("SELECT CODPACIENTE, MEDIDAOD, MEDIDAOS, BACKUP, DATA, HORA FROM LAUDOS WHERE CODIGO = " +
              std::to_string(codigo));
  q.Open();
  ASSERT_FALSE(q.Eof());
  EXPECT_EQ(q.Fields(0)->AsInteger(), s.Pacientes[0]);
  EXPECT_EQ(q.Fields(1)->AsInteger(), s.Exames[0]);
  EXPECT_EQ(q.Fields(2)->AsInteger(), s.Exames[1]);
  EXPECT_EQ(q.Fields(3)->AsString(), "");
  EXPECT_EQ(q.Fields(4)->AsDateTime(), Date());
  EXPECT_LT(std::abs(double(q.Fields(5)->AsDateTime()) - double(TimeOf(Now()))), 60.0 / 86400);
  q.Close();

  const std::string arquivo = Ler(laudos / (std::to_string(codigo) + "l.txt"));
  EXPECT_EQ(arquivo.find('#'), std::string::npos);
  EXPECT_EQ(Contar(arquivo, "\r\n@"), 5);
  EXPECT_EQ(arquivo.substr(arquivo.size() - 3), "\r\n@");
  EXPECT_NE(arquivo.find("\r\n@\r\nAstigmatismo  x e  y, z, com curvatura"), std::string::npos);

  for (TControl* c : std::initializer_list<TControl*>{l.trwLaudo, l.lblCaixaSelec, l.reCE, l.reOD, l.reOS, l.reCO,
                                                       l.reCM, l.chkMesmoLau, l.btnSalvar})
    EXPECT_FALSE(c->Enabled()) << c->Name();
  EXPECT_EQ(l.trwLaudo->Items()->Count(), 0);
}

TEST_F(Laudo, AReportFileThatCannotBeWrittenLeavesNoRow) {
  TfrmLaudo& l = NovoLaudo();
  // A file stands where the patient's reports folder belongs.
  std::filesystem::remove_all(laudos);
  std::ofstream(laudos) << "x";
  const int antes = TDLaudos::CountLaudos();
  dialogs.Answer(IDNO);
  l.btnSalvarClick(nullptr);
  ASSERT_EQ(dialogs.Log().size(), 2u);
  EXPECT_EQ(dialogs.Log()[1].Text, "Não foi possível gravar o arquivo de laudo.");
  EXPECT_EQ(TDLaudos::CountLaudos(), antes);
  EXPECT_TRUE(l.btnSalvar->Enabled());
  EXPECT_TRUE(l.reOD->Enabled());
}

TEST_F(Laudo, AFailedExamSelectionOpensNoEditor) {
  TfrmWizLaudo& w = Assistente();
  w.cmbOD->SetItemIndex(0);
  w.cmbOS->SetItemIndex(0);
  // The exam's map files are gone.
  std::filesystem::remove(inst->Pasta("Exames") / std::to_string(s.Pacientes[0]) /
                          (std::to_string(s.Exames[0]) + "d.txt"));
  w.btnOKClick(nullptr);
  ASSERT_EQ(dialogs.Log().size(), 2u) << dialogs.Log()[0].Text;
  EXPECT_EQ(dialogs.Log()[1].Text, "Não foi possível processar o mapa selecionado. ERROMAP03");
  EXPECT_EQ(dialogs.Log()[1].Icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_FALSE(MostrarEditor);
  EXPECT_EQ(frmLaudo, nullptr);
  EXPECT_EQ(frmWizLaudo, &w);
}

TEST_F(Laudo, AnEmptyChoiceOrAnExamThatCannotBeSelectedOpensNoEditor) {
  TfrmWizLaudo& w = Assistente();
  w.cmbOD->SetItemIndex(0);
  w.btnOKClick(nullptr);
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text,
            "Por favor, verifique se umas das caixas está vazia. Se não desejar um dos olhos, escolha a opção "
            "\"Nenhum\".");
  EXPECT_EQ(dialogs.Log()[0].Icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(frmLaudo, nullptr);

  w.cmbOS->SetItemIndex(w.cmbOS->Items()->Add("OS - 01/01/2001 10:00:00"));
  dialogs.ClearLog();
  w.btnOKClick(nullptr);
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Não foi possivel selecionar o exame.");
  EXPECT_EQ(dialogs.Log()[0].Caption, "Erro");
  EXPECT_EQ(frmLaudo, nullptr);
}

TEST_F(Laudo, WithoutARightEyeItsBoxIsDisabledAndTheStoredReportNamesTheLeftEyesDoctor) {
  TfrmWizLaudo& w = Assistente();
  w.cmbOD->SetItemIndex(w.cmbOD->Items()->IndexOf("Nenhum"));
  w.cmbOS->SetItemIndex(0);
  NoEditor([&](TfrmLaudo& l) {
    EXPECT_FALSE(l.reOD->Enabled());
    EXPECT_FALSE(l.lblOD->Enabled());
    EXPECT_FALSE(l.chkMesmoLau->Enabled());
    EXPECT_EQ(l.reOD->Text(), "");
    EXPECT_TRUE(l.reOS->Enabled());
    EXPECT_EQ(l.Caption(), "Laudo");
    EXPECT_EQ(l.HelpContext(), 25);
    EXPECT_EQ(l.BorderStyle(), bsNone);
    dialogs.Answer(IDNO);
    l.btnSalvarClick(nullptr);
    EXPECT_FALSE(l.btnSalvar->Enabled());
    TfrmLauRelat* relat = new TfrmLauRelat(Application);
    l.PreparaRelat(relat);
    EXPECT_EQ(relat->lblNomeMed->Caption(), "Dr. Ari");
    EXPECT_EQ(relat->qrExames->Caption(), "Nenhum  " + Legenda(1));
    EXPECT_EQ(relat->qrTipoMapa->Caption(), "Mapa Tipo Axial");
    relat->Free();
  });
  TIBQuery q(nullptr);
  q.SetDatabase(DMPrincipal->IBDatabase);
  q.SQL().Add("SELECT MEDIDAOD, MEDIDAOS FROM LAUDOS ORDER BY CODIGO DESCENDING");
  q.Open();
  EXPECT_EQ(q.Fields(0)->AsInteger(), -1);
  EXPECT_EQ(q.Fields(1)->AsInteger(), s.Exames[1]);
}

TEST_F(Laudo, AStoredReportReopensReadOnlyOneLineABox) {
  TfrmWizLaudo& w = Assistente();
  w.rbLauExistClick(nullptr);
  ASSERT_EQ(Itens(w.cmbEscLaudo).size(), 1u);
  std::ofstream(laudos / (std::to_string(s.Laudos[0]) + "l.txt"), std::ios::binary)
      << "Condições\r\nsegunda linha\r\n@\r\nDireito\r\n@\r\n@\r\nConclusão\r\n@\r\nNotas\r\n*\r\nfora";
  w.cmbEscLaudo->SetItemIndex(0);
  NoEditor([&](TfrmLaudo& l) {
    EXPECT_EQ(l.reCE->Text(), " Condições segunda linha");
    EXPECT_EQ(l.reOD->Text(), " Direito");
    EXPECT_EQ(l.reOS->Text(), "");
    EXPECT_EQ(l.reCO->Text(), " Conclusão");
    EXPECT_EQ(l.reCM->Text(), " Notas");
    for (TControl* c : std::initializer_list<TControl*>{l.trwLaudo, l.reCE, l.reOD, l.reOS, l.reCO, l.reCM,
                                                         l.chkMesmoLau, l.btnSalvar})
      EXPECT_FALSE(c->Enabled()) << c->Name();
    EXPECT_EQ(ExameOD, Legenda(0));
    EXPECT_EQ(ExameOS, "");
  });
  EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(Laudo, MissingFileAndDeletedExamAreReported) {
  TfrmWizLaudo& w = Assistente();
  std::filesystem::remove(laudos / (std::to_string(s.Laudos[0]) + "l.txt"));
  w.rbLauExistClick(nullptr);
  w.cmbEscLaudo->SetItemIndex(0);
  w.btnOKClick(nullptr);
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Arquivo de laudo não encontrado.");
  EXPECT_EQ(dialogs.Log()[0].Icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(frmLaudo, nullptr);

  // A report of an exam (the left eye's) that was deleted after it was listed.
  const int codigo = TDLaudos::InsertLaudos(s.Pacientes[0], s.Exames[0], s.Exames[1], "", Date(), Time());
  std::ofstream(laudos / (std::to_string(codigo) + "l.txt"), std::ios::binary) << "a\r\n@\r\nb\r\n@\r\nc\r\n@\r\nd\r\n@\r\ne\r\n@";
  w.cmbEscLaudo->Items()->Add(EntradaLaudo(codigo, Date(), Time()));
  w.cmbEscLaudo->SetItemIndex(1);
  TDExames::DeleteExamesByCodigo(s.Exames[1]);
  dialogs.ClearLog();
  NoEditor([&](TfrmLaudo& l) { EXPECT_EQ(l.reOS->Text(), " c"); });
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Este laudo possui dados de exames já excluídos!");
  EXPECT_EQ(dialogs.Log()[0].Icon, static_cast<UINT>(MB_ICONINFORMATION));
}

TEST_F(Laudo, AReportOpenedAfterOneOfADeletedExamBringsNoWarning) {
  TfrmWizLaudo& w = Assistente();
  // A report of an exam deleted since, whose file is gone too: no editor, the wizard stays.
  const int perdido = TDLaudos::InsertLaudos(s.Pacientes[0], s.Exames[0], s.Exames[1], "", Date(), Time());
  TDExames::DeleteExamesByCodigo(s.Exames[1]);
  w.rbLauExistClick(nullptr);
  w.cmbEscLaudo->Items()->Add(EntradaLaudo(perdido, Date(), Time()));
  w.cmbEscLaudo->SetItemIndex(w.cmbEscLaudo->Items()->Count() - 1);
  w.btnOKClick(nullptr);
  ASSERT_EQ(frmLaudo, nullptr);
  dialogs.ClearLog();
  // Then the stored report of an exam that is there.
  w.cmbEscLaudo->SetItemIndex(0);
  NoEditor([&](TfrmLaudo&) { EXPECT_EQ(ExameOS, ""); });
  EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(Laudo, WizardListsExamsAndTheReportsOfTheFilteredDoctor) {
  TfrmWizLaudo& w = Assistente();
  EXPECT_EQ(frmWizLaudo->Caption(), "Assistente de Laudo");
  EXPECT_EQ(w.lblTitulo->Caption(), "Seleção de Exames e Laudos");
  EXPECT_EQ(Itens(w.cmbOD), (std::vector<std::string>{Legenda(0), Legenda(2), "Nenhum"}));
  EXPECT_EQ(Itens(w.cmbOS), (std::vector<std::string>{Legenda(1), "Nenhum"}));
  EXPECT_TRUE(w.rgNovoLau->Checked());
  EXPECT_TRUE(w.cmbOD->Enabled());
  EXPECT_FALSE(w.cmbExcLaudo->Enabled());
  const std::string entrada = EntradaLaudo(s.Laudos[0], EncodeDate(2026, 12, 10), EncodeTime(16, 20, 0, 0));
  EXPECT_EQ(entrada, "Laudo " + std::to_string(s.Laudos[0]) + " - 10/12/2026 16:20:00");
  EXPECT_EQ(CodigoDaEntrada(entrada), s.Laudos[0]);
  EXPECT_EQ(Itens(w.cmbEscLaudo), (std::vector<std::string>{entrada}));
  EXPECT_EQ(Itens(w.cmbExcLaudo), (std::vector<std::string>{entrada}));
  w.rbExcLaudoClick(nullptr);
  EXPECT_TRUE(w.rbExcLaudo->Checked());
  EXPECT_FALSE(w.rgNovoLau->Checked());
  EXPECT_TRUE(w.cmbExcLaudo->Enabled());
  EXPECT_FALSE(w.cmbOD->Enabled());
  EXPECT_FALSE(w.Label2->Enabled());
  w.Free();

  // Another item of the list (any caption not starting with "OD") is a left-eye choice.
  TListItem* item = frmExames->lswPrincipal->AddItem();
  item->SetCaption("Orto01");
  frmWizLaudo = new TfrmWizLaudo(Application);
  frmWizLaudo->Show();
  EXPECT_EQ(Itens(frmWizLaudo->cmbOS), (std::vector<std::string>{Legenda(1), "Orto01", "Nenhum"}));
  frmWizLaudo->Free();
  frmExames->Free();

  // The report names Dr. Ari's exam only: under Dra. Bel (with an exam of Ana's) it is not listed and only a
  // new report is offered.
  recordstest::Registros::Exame(s.Pacientes[0], recordstest::Registros::Medico("Dra. Bel"), "OS");
  DMPrincipal->PCommitDataBase();
  TfrmWizLaudo& b = Assistente("Dra. Bel");
  EXPECT_TRUE(Itens(b.cmbEscLaudo).empty());
  EXPECT_FALSE(b.rbLauExist->Enabled());
  EXPECT_FALSE(b.rbExcLaudo->Enabled());
}

TEST_F(Laudo, DeletingAReportWithAndWithoutItsFile) {
  const int segundo = TDLaudos::InsertLaudos(s.Pacientes[0], -1, s.Exames[2], "", EncodeDate(2026, 12, 11),
                                             EncodeTime(9, 0, 0, 0));
  TfrmWizLaudo& w = Assistente();
  ASSERT_EQ(Itens(w.cmbExcLaudo).size(), 2u);
  const std::string primeira = w.cmbExcLaudo->Items()->Strings(0), segunda = w.cmbExcLaudo->Items()->Strings(1);
  w.rbExcLaudoClick(nullptr);
  w.btnOKClick(nullptr);
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Por favor, selecione um laudo para ser excluído.");
  EXPECT_EQ(frmWizLaudo, &w);

  w.cmbExcLaudo->SetItemIndex(0);
  dialogs.ClearLog();
  dialogs.Answer(IDYES);
  w.btnOKClick(nullptr);
  ASSERT_EQ(dialogs.Log().size(), 2u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Confirma exclusão do " + primeira + "?");
  EXPECT_EQ(dialogs.Log()[0].Buttons, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(dialogs.Log()[1].Text, primeira + " excluído com sucesso.");
  EXPECT_FALSE(std::filesystem::exists(laudos / (std::to_string(s.Laudos[0]) + "l.txt")));
  EXPECT_EQ(Itens(w.cmbExcLaudo), (std::vector<std::string>{segunda}));
  EXPECT_EQ(Itens(w.cmbEscLaudo), (std::vector<std::string>{segunda}));
  EXPECT_TRUE(windowstest::EsperarAte([] { return frmWizLaudo == nullptr; }));

  // The second report has no file: its row goes all the same.
  frmWizLaudo = new TfrmWizLaudo(Application);
  frmWizLaudo->Show();
  ASSERT_EQ(Itens(frmWizLaudo->cmbExcLaudo), (std::vector<std::string>{segunda}));
  frmWizLaudo->rbExcLaudoClick(nullptr);
  frmWizLaudo->cmbExcLaudo->SetItemIndex(0);
  dialogs.ClearLog();
  dialogs.Answer(IDYES);
  frmWizLaudo->btnOKClick(nullptr);
  ASSERT_EQ(dialogs.Log().size(), 2u);
  EXPECT_EQ(dialogs.Log()[1].Text, segunda + " não encontrado.");
  EXPECT_EQ(TDLaudos::CountLaudos(), 1);  // Caio's
  EXPECT_EQ(CodigoDaEntrada(segunda), segundo);
}

TEST_F(Laudo, TheBrowsersReportButtonOpensTheWizardOnlyWhenThereAreExams) {
  recordstest::Registros::Paciente("Beto");
  struct Caso {
    std::string Medico, Paciente;
    bool Assistente;
  };
  for (const Caso& c : {Caso{"Dr. Ari", "Ana", true}, Caso{"*** Sem Exames", "Beto", false}}) {
    dialogs.ClearLog();
    AssignText(InfosMZ.MedicoAtivo, c.Medico);
    AssignText(InfosMZ.PacienteAtivo, c.Paciente);
    frmExames = new TfrmExames(Application);
    frmExames->Show();
    Application->ProcessMessages();
    ASSERT_EQ(DMPrincipal->IBQueryPacientes->FieldByName("NOME")->AsString(), c.Paciente);
    if (c.Assistente) frmExames->lswPrincipal->Items(0)->SetSelected(true);
    bool aberto = false;
    windowstest::TPassoModal passo([&] {
      aberto = frmWizLaudo && frmWizLaudo->Visible();
      if (frmWizLaudo) frmWizLaudo->btnCancelarClick(nullptr);
    });
    frmExames->tbLaudo->Click();
    EXPECT_EQ(aberto, c.Assistente) << c.Paciente;
    EXPECT_TRUE(windowstest::EsperarAte([] { return frmWizLaudo == nullptr; }));
    std::vector<std::string> mensagens;
    for (const auto& m : dialogs.Log()) mensagens.push_back(m.Text);
    EXPECT_EQ(mensagens, c.Assistente ? std::vector<std::string>{}
                                      : std::vector<std::string>{"Não há exames para gerar laudo!"});
    frmExames->Free();
    Application->ProcessMessages();
  }
}

TEST_F(Laudo, ThePrintedReportReadsBackFromTheFilePrinter) {
  TfrmLaudo& l = NovoLaudo();
  l.CaixaAtual = l.reOD;
  l.PreencherMarcador(1, "regular");
  l.reCM->SetText("Retorno em seis meses.");
  const std::string dir = std::string(std::getenv("MZ_BINARY_DIR")) + "/windows/laudo-impresso";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  Printer()->SetOutputFileName(windowstest::CaminhoWindows(dir + "/laudo.ps"));
  l.btnImprimirClick(nullptr);
  Printer()->SetOutputFileName("");
  ASSERT_EQ(Ler(dir + "/laudo.ps").rfind("%!PS", 0), 0u);
  // Wine's PostScript driver draws glyph outlines: the text is read from the PostScript itself.
  ASSERT_EQ(std::system(("gs -q -dNOPAUSE -dBATCH -sDEVICE=txtwrite -sOutputFile='" + dir + "/laudo.txt' '" + dir +
                         "/laudo.ps'").c_str()),
            0);
  const std::string texto = windowstest::Cp1252(Ler(dir + "/laudo.txt"));
  for (const char* esperado : {"Clínica de Olhos", "Rua das Acácias, 100", "Ana", "Dr. Ari", "Mapa Tipo Axial",
                               "Exames realizado em excelentes condições", "Sem uso de lentes de contato",
                               "Astigmatismo regular", "Retorno em seis meses.", "Videoceratografia compatível",
                               "Página 1", "Atenciosamente", "Condições do Exame", "Comentários"})
    EXPECT_NE(texto.find(esperado), std::string::npos) << esperado << "\n" << texto;
  EXPECT_EQ(texto.find('#'), std::string::npos) << texto;
  EXPECT_EQ(texto.find("Página 2"), std::string::npos);
}

TEST_F(Laudo, ThePreviewShowsTheStoredReportAsTheReferencePicture) {
  // The clinic's logo comes from the program's data folder.
  TBitmap logo;
  logo.SetSize(120, 64);
  logo.Canvas()->Brush()->SetColor(clRed);
  logo.Canvas()->FillRect(Rect(0, 0, 120, 64));
  logo.SaveToFile(std::string(PathsMZ.DirMZ) + "\\LogoClinica.bmp");
  TfrmWizLaudo& w = Assistente();
  w.rbLauExistClick(nullptr);
  w.cmbEscLaudo->SetItemIndex(0);
  std::unique_ptr<TBitmap> foto;
  NoEditor([&](TfrmLaudo& l) {
    windowstest::TPassoModal previa([&] {
      TQRStandardPreview* p = nullptr;
      for (int i = 0; i < Screen->FormCount() && !p; ++i) p = dynamic_cast<TQRStandardPreview*>(Screen->Forms(i));
      ASSERT_NE(p, nullptr);
      p->SetBounds(0, 0, 520, 700);
      p->QRPreview->ZoomToFit();
      RedrawWindow(p->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      Application->ProcessMessages();
      const TRect r = p->QRPreview->PageRect();
      foto = std::make_unique<TBitmap>();
      foto->SetPixelFormat(pf24bit);
      foto->SetSize(r.right - r.left, r.bottom - r.top);
      HDC dc = GetDCEx(p->QRPreview->Handle(), nullptr, DCX_CACHE);
      BitBlt(foto->Canvas()->Handle(), 0, 0, foto->Width(), foto->Height(), dc, r.left, r.top, SRCCOPY);
      ReleaseDC(p->QRPreview->Handle(), dc);
      p->Close();
    });
    l.btnVisualizarClick(nullptr);
  });
  ASSERT_TRUE(foto);
  foto->SaveToFile(windowstest::CaminhoWindows(std::string(std::getenv("MZ_BINARY_DIR")) + "/windows/laudo_previa.bmp"));
  const std::string referencia = windowstest::CaminhoWindows(std::string(std::getenv("MZ_SOURCE_DIR")) + "/windows/testdata/laudo_previa.bmp");
  const char* refazer = std::getenv("MZ_REGENERATE_LAUDO");
  if (refazer && std::string(refazer) == "1") {
    foto->SaveToFile(referencia);
    GTEST_SKIP() << "reference picture written";
  }
  TBitmap guardada;
  guardada.LoadFromFile(referencia);
  guardada.SetPixelFormat(pf24bit);
  ASSERT_EQ(foto->Width(), guardada.Width());
  ASSERT_EQ(foto->Height(), guardada.Height());
  int diferentes = 0, vermelhos = 0;
  for (int y = 0; y < foto->Height(); ++y) {
    const auto* a = static_cast<const unsigned char*>(foto->ScanLine(y));
    const auto* b = static_cast<const unsigned char*>(guardada.ScanLine(y));
    for (int x = 0; x < foto->Width() * 3; x += 3) {
      if (a[x] < 60 && a[x + 1] < 60 && a[x + 2] > 200) ++vermelhos;
      for (int c = 0; c < 3; ++c)
        if (std::abs(a[x + c] - b[x + c]) > 40) {
          ++diferentes;
          break;
        }
    }
  }
  EXPECT_LT(double(diferentes) / (foto->Width() * foto->Height()), 0.02);
  EXPECT_GT(vermelhos, 100);  // the logo
}

TEST(Gancho, AHookedRunPrintsIntoTheHookFolder) {
  TInstalacaoTeste inst("Gancho");
  const std::string pasta = windowstest::CaminhoWindows(inst.Pasta("Laudos"));
  SetEnvironmentVariableA("MZ_HOOK_DIR", pasta.c_str());
  {
    const auto gancho = InstalarGanchoExecucao();
    EXPECT_EQ(Printer()->OutputFileName(), pasta + "\\impressao.ps");
  }
  SetEnvironmentVariableA("MZ_HOOK_DIR", nullptr);
  EXPECT_EQ(Printer()->OutputFileName(), "");
}

}  // namespace

// The tools window on a test installation: its options after a close and a reopening, whatever the
// numeric boxes hold, the reset of the backup flags, the system tools and the clinic's logo.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/UBConstantes.h"
#include "core/UDExames.h"
#include "core/UDLaudos.h"
#include "core/UDMedicos.h"
#include "core/UDPacientes.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/FormatSettings.h"
#include "toolkit/ui/Dialogs.h"
#include "widgets/Bitmap32.h"
#include "windows/BancoTestSupport.h"
#include "windows/UBShell.h"
#include "windows/UfrmFerramentas.h"
#include "windows/UfrmPrincipal.h"
#include "windows/WindowsTestSupport.h"

namespace {

using windowstest::CaminhoWindows;
using windowstest::EsperarAte;
using windowstest::TInstalacaoTeste;

class JanelaFerramentas : public windowstest::TesteComBanco {
 protected:
  void SetUp() override {
    FormatSettings.DecimalSeparator = '.';
    TesteComBanco::SetUp();
  }
  void TearDown() override {
    Fechar();
    detail::SetShellHook(nullptr);
    TesteComBanco::TearDown();
  }

  TfrmFerramentas* Abrir() {
    frmFerramentas = new TfrmFerramentas(Application);
    frmFerramentas->Show();
    return frmFerramentas;
  }
  void Fechar() {
    if (!frmFerramentas) return;
    frmFerramentas->Close();
    EXPECT_TRUE(EsperarAte([] { return frmFerramentas == nullptr; }));
  }
  std::string Ini(const std::string& Arquivo, const std::string& Secao, const std::string& Chave) const {
    char valor[512] = {};
    GetPrivateProfileStringA(Secao.c_str(), Chave.c_str(), "<nada>", valor, sizeof valor, Arquivo.c_str());
    return valor;
  }
  std::string Config(const std::string& Secao, const std::string& Chave) const {
    return Ini(CaminhoWindows(inst->Configuracao()), Secao, Chave);
  }
  std::string BackUp(const std::string& Chave) const {
    return Ini(CaminhoWindows(inst->Raiz() / "BackUp.ini"), "BACKUP", Chave);
  }

};

TEST_F(JanelaFerramentas, EveryOptionIsReadBackAfterACloseAndAReopening) {
  TfrmFerramentas* f = Abrir();
  EXPECT_EQ(f->Caption(), "Ferramentas");
  EXPECT_EQ(f->pgcFerramentas->ActivePage(), f->tshModulos);
  EXPECT_FALSE(f->TabSheet4->TabVisible());
  EXPECT_FALSE(f->tshLinguagem->TabVisible());
  EXPECT_FALSE(f->grpImpressao->Visible());
  // What the installation's settings hold.
  EXPECT_EQ(f->edtNome->Text(), "Clínica de Olhos");
  EXPECT_EQ(f->EdtIncMap->Text(), "0.50");
  EXPECT_TRUE(f->rbtEnable->Checked());
  EXPECT_FALSE(f->EdtIncMap->Enabled());
  EXPECT_EQ(f->edtValIndConf->Text(), "70");
  EXPECT_FALSE(f->edtDelayAutoPCaptura->Enabled());
  EXPECT_FALSE(f->cbCorCeratPontual->Enabled());

  f->edtNome->SetText("Centro Visual");
  f->edtEndereco->SetText("Rua Um, 1");
  f->edtFone->SetText("(11) 5555-0000");
  f->edtCidadeEstado->SetText("Campinas - SP");
  f->chkDadosClinica->SetChecked(false);
  f->chkLogoClinica->SetChecked(false);
  f->chkNomeMedico->SetChecked(false);
  f->rbtDisable->SetChecked(true);
  f->rbtEnable->SetChecked(false);
  f->EdtIncMap->SetText("0.25");
  f->chkAneisAuto->SetChecked(false);
  f->edtValIndConf->SetText("85");
  f->chkAutoExame->SetChecked(false);
  f->chkSalvarCaptura->SetChecked(false);
  f->rgrMapaPadrao->SetItemIndex(1);
  f->chkImgCentral->SetChecked(false);
  f->chkImgLateral->SetChecked(false);
  f->cbTipoCeratometria->SetItemIndex(1);
  f->SpinEditQualidadeImagem->SetText("60");
  f->cbxIdioma->SetItemIndex(1);
  f->edtTVlCentral->SetText("16");
  f->edtTIncremento->SetText("3");
  f->chkAutoPCaptura->SetChecked(true);
  f->edtDelayAutoPCaptura->SetText("750");
  f->chkExibeGrade->SetChecked(false);
  f->chkExibeCeratPontual->SetChecked(true);
  f->cbCorCeratPontual->SetItemIndex(1);
  Fechar();
  EXPECT_EQ(Config("CLINICA", "Opt1"), "0");
  EXPECT_EQ(Config("OPCOES", "AUTOINCMAP"), "1");
  EXPECT_EQ(Config("OPCOES", "MapaPadraoNovoExame"), "Tangencial");
  EXPECT_EQ(Config("MAPA", "CORCERATOMETRIAPONTUAL"), "Azul");
  EXPECT_EQ(InfosMZ.IncMap, 0.25);
  EXPECT_EQ(InfosMZ.IndiceConf, 85.0);
  EXPECT_TRUE(InfosMZ.AutoIncMap);

  f = Abrir();
  EXPECT_EQ(f->edtNome->Text(), "Centro Visual");
  EXPECT_EQ(f->edtEndereco->Text(), "Rua Um, 1");
  EXPECT_EQ(f->edtFone->Text(), "(11) 5555-0000");
  EXPECT_EQ(f->edtCidadeEstado->Text(), "Campinas - SP");
  EXPECT_FALSE(f->chkDadosClinica->Checked());
  EXPECT_FALSE(f->chkLogoClinica->Checked());
  EXPECT_FALSE(f->chkNomeMedico->Checked());
  EXPECT_TRUE(f->rbtDisable->Checked());
  EXPECT_FALSE(f->rbtEnable->Checked());
  EXPECT_TRUE(f->EdtIncMap->Enabled());
  EXPECT_EQ(f->EdtIncMap->Text(), "0.25");
  EXPECT_FALSE(f->chkAneisAuto->Checked());
  EXPECT_EQ(f->edtValIndConf->Text(), "85");
  EXPECT_FALSE(f->chkAutoExame->Checked());
  EXPECT_FALSE(f->chkSalvarCaptura->Checked());
  EXPECT_EQ(f->rgrMapaPadrao->ItemIndex(), 1);
  EXPECT_FALSE(f->chkImgCentral->Checked());
  EXPECT_FALSE(f->chkImgLateral->Checked());
  EXPECT_EQ(f->cbTipoCeratometria->Text(), "Convencional");
  EXPECT_EQ(f->SpinEditQualidadeImagem->Text(), "60");
  EXPECT_EQ(f->cbxIdioma->Text(), "English");
  EXPECT_EQ(f->edtTVlCentral->Text(), "16");
  EXPECT_EQ(f->edtTIncremento->Text(), "3");
  EXPECT_TRUE(f->chkAutoPCaptura->Checked());
  EXPECT_TRUE(f->edtDelayAutoPCaptura->Enabled());
  EXPECT_EQ(f->edtDelayAutoPCaptura->Text(), "750");
  EXPECT_FALSE(f->chkExibeGrade->Checked());
  EXPECT_TRUE(f->chkExibeCeratPontual->Checked());
  EXPECT_TRUE(f->cbCorCeratPontual->Enabled());
  EXPECT_EQ(f->cbCorCeratPontual->Text(), "Azul");
}

TEST_F(JanelaFerramentas, NumericBoxesWriteNumbersOrKeepTheirValue) {
  struct TCaso {
    const char* Digitado;
    const char* Gravado;  // INCMAP in the settings after the close
  };
  // Each case starts from what the one before it left.
  const TCaso casos[] = {{"", "0.50"}, {"0,75", "0.75"}, {"abc", "0.75"}, {"  1.5 ", "1.5"}, {"1,2,3", "1.50"}};
  for (const TCaso& c : casos) {
    SCOPED_TRACE(c.Digitado);
    TfrmFerramentas* f = Abrir();
    f->EdtIncMap->SetText(c.Digitado);
    Fechar();
    EXPECT_EQ(Config("OPCOES", "INCMAP"), c.Gravado);
    EXPECT_EQ(InfosMZ.IncMap, std::stod(c.Gravado));
  }
  // The whole-number boxes keep what they showed.
  TfrmFerramentas* f = Abrir();
  f->edtValIndConf->SetText("7,5");
  f->SpinEditQualidadeImagem->SetText("abc");
  f->edtTVlCentral->SetText("");
  f->edtTIncremento->SetText("x");
  f->edtDelayAutoPCaptura->SetText("1,0");
  Fechar();
  EXPECT_EQ(Config("OPCOES", "INDICECONF"), "70");
  EXPECT_EQ(Config("OPCOES", "QualidadeImagem"), "90");
  EXPECT_EQ(Config("OPCOES", "TVLCENTRAL"), "8");
  EXPECT_EQ(Config("OPCOES", "TINCREMENTO"), "2");
  EXPECT_EQ(Config("OPCOES", "DELAYAUTOPCAPTURA"), "500");
  EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(JanelaFerramentas, ResettingTheBackupClearsTheFlagsAndCountsTheResets) {
  std::ofstream(inst->Raiz() / "BackUp.ini", std::ios::binary)
      << "[BACKUP]\r\nDirectCD=explorer\r\nDiscoAtual=4\r\nBackupZerado=2\r\nNumArquivos=17\r\n";
  TDadosMedico medico;
  medico.Nome = "Dra. Ana";
  const int codMedico = TDMedicos::InsertMedicos(medico);
  TDadosPaciente paciente;
  paciente.Nome = "Paulo";
  const int codPaciente = TDPacientes::InsertPacientes(paciente, EncodeDate(2026, 12, 10), 0);
  for (const char* backup : {"D1", "D1", ""})
    TDExames::InsertExames(codPaciente, codMedico, EncodeDate(2026, 12, 10), EncodeTime(9, 30, 15, 0), "OD", 0.93, "T",
                           backup, "", "", 24, "4");
  TDLaudos::InsertLaudos(codPaciente, -1, -1, "D1", EncodeDate(2026, 12, 10), EncodeTime(10, 0, 0, 0));
  DMPrincipal->PCommitDataBase();

  TfrmFerramentas* f = Abrir();
  EXPECT_EQ(f->lblExames->Caption(), "0003");
  EXPECT_EQ(f->lblExamesBackup->Caption(), "0002");
  EXPECT_EQ(f->lblLaudosBackup->Caption(), "0001");
  EXPECT_EQ(f->lblReiniciaBackup->Caption(), "2");
  EXPECT_EQ(f->lblDiretorioBD->Caption(), inst->Banco());
  EXPECT_NE(f->lblTamanhoBD->Caption().find(" MBytes"), std::string::npos);
  EXPECT_NE(f->lblTamanhoBD->Caption(), "0000 MBytes");
  ASSERT_TRUE(f->btnZerarBackup->Enabled());
  f->btnZerarBackup->Click();
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Arquivo de backup zerado com sucesso.");
  EXPECT_EQ(dialogs.Log()[0].Caption, "Informação");
  EXPECT_EQ(f->lblExamesBackup->Caption(), "0000");
  EXPECT_EQ(f->lblReiniciaBackup->Caption(), "Reinicialização do backup 3 vez(es)");
  EXPECT_FALSE(f->btnZerarBackup->Enabled());
  const struct {
    const char* Chave;
    const char* Valor;
  } chaves[] = {{"DiscoAtual", "1"},     {"ArquivoAtual", "0"},  {"NumArquivos", "0"},
                {"NumArquivosLau", "0"}, {"ArquivosGeral", "0"}, {"NumExamDisco", "0"},
                {"NumExamGeral", "0"},   {"NumLauDisco", "0"},   {"UltDsk", "01/01/2007 00:00:00"},
                {"UltBkp", "01/01/2007 00:00:00"}, {"BackupZerado", "3"}, {"DirectCD", "explorer"}};
  for (const auto& c : chaves) EXPECT_EQ(BackUp(c.Chave), c.Valor) << c.Chave;
  Fechar();
  // The resets were committed: a new connection sees no flag left.
  DMPrincipal->PDesconectionDataBase();
  DMPrincipal->PConnectDataBase();
  EXPECT_EQ(TDExames::CountExamesSemBackup(), 3);
  EXPECT_EQ(TDLaudos::CountLaudosSemBackup(), 1);
  f = Abrir();
  EXPECT_EQ(f->lblExamesBackup->Caption(), "0000");
  EXPECT_FALSE(f->btnZerarBackup->Enabled());
  EXPECT_EQ(f->lblReiniciaBackup->Caption(), "3");
}

TEST_F(JanelaFerramentas, EachSystemToolRunsItsCommand) {
  std::ofstream(inst->Raiz() / "BackUp.ini", std::ios::binary) << "[BACKUP]\r\nDIRECTCD=C:\\Gravador\\cd.exe /f\r\n";
  std::vector<TShellCall> chamadas;
  detail::SetShellHook([&](const TShellCall& c) {
    chamadas.push_back(c);
    return c.Success;
  });
  TfrmFerramentas* f = Abrir();
  const struct {
    const char* Caption;
    const char* Comando;
  } itens[] = {{"Painel de Controle", "control"},
               {"Windows Explorer", "explorer"},
               {"Impressoras", "control printers"},
               {"Sistema", "control C:\\Windows\\System32\\Sysdm.cpl"},
               {"Modem", "control c:\\windows\\system\\Modem.cpl"},
               {"Data e Hora", "control C:\\Windows\\System32\\timedate.cpl"},
               {"Configurações Regionais", "control C:\\Windows\\System32\\Intl.cpl"},
               {"DirectCD", "C:\\Gravador\\cd.exe /f"}};
  ASSERT_EQ(f->tlvAplicativos->Count(), 8);
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(f->tlvAplicativos->Items(i)->Caption(), std::string(itens[i].Caption));
    f->tlvAplicativos->SetItemIndex(i);
    f->tlvAplicativosDblClick(f->tlvAplicativos);
    ASSERT_EQ(chamadas.size(), size_t(i + 1));
    EXPECT_EQ(chamadas[i].Function, "WinExec");
    EXPECT_EQ(chamadas[i].Arguments, (std::vector<std::string>{itens[i].Comando, std::to_string(SW_SHOWNORMAL)}));
  }
}

TEST_F(JanelaFerramentas, ALargeLogoIsShrunkOnYesAndASmallOneIsSavedAsItIs) {
  const std::filesystem::path logo = inst->Raiz() / "LogoClinica.bmp";
  auto figura = [&](const char* Nome, int W, int H) {
    TBitmap32 b;
    b.SetSize(W, H);
    b.Clear(0xFF2060A0);
    const std::filesystem::path p = inst->Raiz() / Nome;
    b.SaveToFile(CaminhoWindows(p));
    return CaminhoWindows(p);
  };
  auto tamanho = [&] {
    TBitmap32 b;
    b.LoadFromFile(CaminhoWindows(logo));
    return std::make_pair(b.Width(), b.Height());
  };
  const std::string grande = figura("grande.bmp", 150, 80);
  const std::string exata = figura("exata.bmp", 100, 100);
  TfrmFerramentas* f = Abrir();
  EXPECT_TRUE(f->dlgLogo->Filter.find("*.bmp") != std::string::npos);
  // No keeps nothing.
  dialogs.AnswerFile(grande);
  dialogs.Answer(IDNO);
  f->LogoClinicaDblClick(f->LogoClinica);
  ASSERT_EQ(dialogs.Log().size(), 2u);
  EXPECT_EQ(dialogs.Log()[1].Text, "A imagem selecionada é maior que 100 x 100 pixels. Deseja reduzi-la?");
  EXPECT_EQ(dialogs.Log()[1].Caption, "Informação");
  EXPECT_EQ(dialogs.Log()[1].Buttons, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(dialogs.Log()[1].Icon, static_cast<UINT>(MB_ICONQUESTION));
  EXPECT_FALSE(std::filesystem::exists(logo));
  EXPECT_EQ(f->LogoClinica->Bitmap()->Width(), 0);
  // Yes shows and saves it at 100 x 100.
  dialogs.ClearLog();
  dialogs.AnswerFile(grande);
  dialogs.Answer(IDYES);
  f->LogoClinicaDblClick(f->LogoClinica);
  EXPECT_EQ(dialogs.Log().size(), 2u);
  EXPECT_EQ(tamanho(), std::make_pair(100, 100));
  EXPECT_EQ(f->LogoClinica->Bitmap()->Width(), 100);
  // Exactly 100 x 100 asks nothing.
  std::filesystem::remove(logo);
  dialogs.ClearLog();
  dialogs.AnswerFile(exata);
  f->LogoClinicaDblClick(f->LogoClinica);
  EXPECT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(tamanho(), std::make_pair(100, 100));
  Fechar();
  // The next opening shows the saved logo.
  f = Abrir();
  EXPECT_EQ(f->LogoClinica->Bitmap()->Width(), 100);
}

}  // namespace

#include "core/UBConstantes.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/UBSettingsTestSupport.h"
#include "toolkit/rtl/Exceptions.h"

namespace {

class RecordsTest : public testing::Test {
 protected:
  void TearDown() override { DeleteFileA(SettingsFilePath().c_str()); }

  void Load(std::vector<TIniLine> Lines) {
    WriteIni(SettingsFilePath(), Lines);
    ASSERT_TRUE(settings.LoadAll());
  }
  static void Set(std::vector<TIniLine>& Lines, const std::string& Key, const std::string& Value) {
    for (TIniLine& l : Lines)
      if (l.Key == Key) l.Value = Value;
  }

  TMessageLog log;
  TBIniSettings settings;
};

TEST(Records, TextsAreNeverNull) {
  for (const char* t : {InfosMZ.TipoCone, InfosMZ.MedicoAtivo, InfosMZ.CorCeratometriaPontual, PathsMZ.DirMZ,
                        PathsMZ.Calibracao})
    ASSERT_NE(t, nullptr);
}

TEST(Records, AssignedTextsStayValidUntilReassigned) {
  const char* field = "";
  AssignText(field, "primeiro");
  const char* other = "";
  AssignText(other, std::string(100, 'x'));
  EXPECT_STREQ(field, "primeiro");
  AssignText(field, "");
  EXPECT_STREQ(field, "");
  EXPECT_EQ(std::strlen(other), 100u);
}

TEST_F(RecordsTest, EveryFieldComesFromItsSetting) {
  Load(GoodSettings());
  CopySettingsToRecords(settings);
  EXPECT_STREQ(InfosMZ.TipoCone, "4");
  EXPECT_DOUBLE_EQ(InfosMZ.FatorCorrecao, 1.025);
  EXPECT_DOUBLE_EQ(InfosMZ.Z0, 75.5);
  EXPECT_DOUBLE_EQ(InfosMZ.IncMap, 0.5);
  EXPECT_DOUBLE_EQ(InfosMZ.IndiceConf, 7.0);
  EXPECT_FALSE(InfosMZ.AutoAneis);
  EXPECT_TRUE(InfosMZ.AutoIncMap);
  EXPECT_FALSE(InfosMZ.AutoMiniMapa);
  EXPECT_FALSE(InfosMZ.AutoExame);
  EXPECT_TRUE(InfosMZ.Opt1);
  EXPECT_FALSE(InfosMZ.Opt2);
  EXPECT_TRUE(InfosMZ.Opt3);
  EXPECT_EQ(InfosMZ.BackupAuto, 2);
  EXPECT_EQ(InfosMZ.BackupAutoOp1_1, 15);
  EXPECT_EQ(InfosMZ.BackupAutoOp1_2, 1);
  EXPECT_EQ(InfosMZ.BackupAutoOp2, 300);  // the whole threshold, not its low byte
  EXPECT_EQ(InfosMZ.CameraCentral, 0);
  EXPECT_EQ(InfosMZ.CameraLateral, 1);
  EXPECT_EQ(InfosMZ.Brilho, 120);
  EXPECT_EQ(InfosMZ.Contraste, 64);
  EXPECT_STREQ(InfosMZ.MedicoAtivo, "Dr. José");
  EXPECT_STREQ(InfosMZ.PacienteAtivo, "Maria Antônia");
  EXPECT_STREQ(InfosMZ.ClinicaNome, "Clínica São João");
  EXPECT_STREQ(InfosMZ.ClinicaEndereco, "Rua das Acácias, 12");
  EXPECT_STREQ(InfosMZ.ClinicaCidadeEst, "Ribeirão Preto - SP");
  EXPECT_STREQ(InfosMZ.ClinicaTelefone, "(16) 3333-4444");
  EXPECT_STREQ(InfosMZ.ConectorCentral, "S-Video");
  EXPECT_STREQ(InfosMZ.ConectorLateralS, "Composto 2");
  EXPECT_STREQ(InfosMZ.ConectorLateralD, "Composto 1");
  EXPECT_STREQ(InfosMZ.SerialCom, "COM3");
  EXPECT_TRUE(InfosMZ.SalvarImagemCaptura);
  EXPECT_STREQ(InfosMZ.MapaPadraoNovoExame, "Tangencial");
  EXPECT_STREQ(InfosMZ.TipoCeratometria, "Sim-K");
  EXPECT_TRUE(InfosMZ.SImagemCentral);
  EXPECT_FALSE(InfosMZ.SImagemLateral);
  EXPECT_EQ(InfosMZ.QualidadeImagem, 85);
  EXPECT_STREQ(InfosMZ.Idioma, "Português");
  EXPECT_EQ(InfosMZ.TvlCentral, 12);
  EXPECT_EQ(InfosMZ.TIncremento, 3);
  EXPECT_TRUE(InfosMZ.AutoPCaptura);
  EXPECT_EQ(InfosMZ.DelayAutoPCaptura, 750);
  EXPECT_STREQ(InfosMZ.PassoMotorX, "0.01");
  EXPECT_STREQ(InfosMZ.PassoMotorY, "0.02");
  EXPECT_EQ(InfosMZ.TipoCalibrador, 2);
  EXPECT_FALSE(InfosMZ.ExibeGrade);
  EXPECT_TRUE(InfosMZ.ExibeCeratometriaPontual);
  EXPECT_STREQ(InfosMZ.CorCeratometriaPontual, "Vermelha");

  EXPECT_STREQ(PathsMZ.DirMZ, "C:\\MZ3100");
  EXPECT_STREQ(PathsMZ.BancoDados, "C:\\MZ3100\\Dados");
  EXPECT_STREQ(PathsMZ.Exames, "C:\\MZ3100\\Exames");
  EXPECT_STREQ(PathsMZ.Exemplos, "C:\\MZ3100\\Exemplos");
  EXPECT_STREQ(PathsMZ.Laudos, "C:\\MZ3100\\Laudos");
  EXPECT_STREQ(PathsMZ.Digitalizacao, "C:\\MZ3100\\Modulos\\Captura.dll");
  EXPECT_STREQ(PathsMZ.Processamento, "C:\\MZ3100\\Modulos\\Processa.dll");
  EXPECT_STREQ(PathsMZ.BackupModulo, "C:\\MZ3100\\Modulos\\Backup.dll");
  EXPECT_STREQ(PathsMZ.DirMapas, "C:\\MZ3100\\Mapas");
  EXPECT_STREQ(PathsMZ.DigitalizacaoOrto, "C:\\MZ3100\\Modulos\\CapturaOrto.dll");
  EXPECT_STREQ(PathsMZ.ProcessamentoOrto, "C:\\MZ3100\\Modulos\\ProcessaOrto.dll");
  EXPECT_STREQ(PathsMZ.Calibracao, "C:\\MZ3100\\Calibração\\");
}

TEST_F(RecordsTest, EdgeValues) {
  std::vector<TIniLine> lines = GoodSettings();
  Set(lines, "AUTO", "257");
  Set(lines, "AUTO_OP1_1", "300");
  Set(lines, "AUTO_OP2", "10000");
  Set(lines, "DIRMZ", "C:\\MZ3100\\");
  Load(lines);
  CopySettingsToRecords(settings);
  EXPECT_EQ(InfosMZ.BackupAuto, 1);  // the mode keeps its low byte only
  EXPECT_EQ(InfosMZ.BackupAutoOp1_1, 300);
  EXPECT_EQ(InfosMZ.BackupAutoOp2, 10000);
  EXPECT_STREQ(PathsMZ.Calibracao, "C:\\MZ3100\\\\Calibração\\");
}

TEST_F(RecordsTest, UnusedBytesStayZero) {
  Load(GoodSettings());
  CopySettingsToRecords(settings);
  EXPECT_FALSE(InfosMZ.CameraFlag);
  EXPECT_EQ(InfosMZ.Reservado1, 0);
  EXPECT_EQ(InfosMZ.Reservado2, 0);
  for (const auto* bytes : {InfosMZ.Reservado3, InfosMZ.Reservado4})
    for (int i = 0; i < 4; ++i) EXPECT_EQ(bytes[i], 0);
  for (uint8_t b : InfosMZ.Pad0) EXPECT_EQ(b, 0);
  for (uint8_t b : InfosMZ.Pad1) EXPECT_EQ(b, 0);
  for (uint8_t b : InfosMZ.Pad2) EXPECT_EQ(b, 0);
  for (uint8_t b : InfosMZ.Pad3) EXPECT_EQ(b, 0);
  for (uint8_t b : InfosMZ.Pad4) EXPECT_EQ(b, 0);
}

TEST_F(RecordsTest, UnconvertibleSettingStopsTheCopy) {
  std::vector<TIniLine> lines = GoodSettings();
  Set(lines, "FatorCorrecao", "um");
  Load(lines);
  EXPECT_THROW(CopySettingsToRecords(settings), EConvertError);
}

TEST_F(RecordsTest, OptionsCopyLeavesTheRestAlone) {
  Load(GoodSettings());
  CopySettingsToRecords(settings);
  std::vector<TIniLine> lines = GoodSettings();
  Set(lines, "NOME", "Clínica Nova");
  Set(lines, "TINCREMENTO", "5");
  Set(lines, "BRILHO", "1");
  Set(lines, "TipoCone", "2");
  WriteIni(SettingsFilePath(), lines);
  ASSERT_TRUE(settings.ReloadOptions());
  CopyOptionsToInfosMZ(settings);
  EXPECT_STREQ(InfosMZ.ClinicaNome, "Clínica Nova");
  EXPECT_EQ(InfosMZ.TIncremento, 5);
  EXPECT_EQ(InfosMZ.Brilho, 120);
  EXPECT_STREQ(InfosMZ.TipoCone, "4");
}

}  // namespace

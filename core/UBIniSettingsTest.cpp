#include "core/UBIniSettings.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/UBSettingsTestSupport.h"
#include "toolkit/rtl/Exceptions.h"

namespace {

using namespace std::string_literals;

std::string DefaultText(const std::string& Section, const std::string& Key) {
  return "Erro no parâmetro: " + Section + " ->  " + Key;
}

class IniSettingsTest : public testing::Test {
 protected:
  void TearDown() override { DeleteFileA(SettingsFilePath().c_str()); }

  // The good file with one key changed (nullopt: the key left out).
  void WriteWith(const std::string& Key, std::optional<std::string> Value) {
    std::vector<TIniLine> lines;
    for (TIniLine l : GoodSettings()) {
      if (l.Key == Key) {
        if (!Value) continue;
        l.Value = *Value;
      }
      lines.push_back(l);
    }
    WriteIni(SettingsFilePath(), lines);
  }

  TMessageLog log;
  TBIniSettings settings;
};

TEST(SettingsFile, NameFollowsTheTitle) {
  struct {
    const char* title;
    const char* name;
  } cases[] = {{"MZ3100VXE", "MZ3100.ini"}, {"MZ3100", "MZ3100.ini"}, {"MZ3300VXE", "MZ3300.ini"},
               {"", "MZ3300.ini"}, {"core_settings_test", "MZ3300.ini"}};
  for (const auto& c : cases) EXPECT_EQ(SettingsFileName(c.title), c.name) << c.title;
}

TEST(SettingsFile, LivesInTheProgramFolder) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string folder(exe);
  folder.erase(folder.find_last_of('\\') + 1);
  EXPECT_EQ(SettingsFilePath(), folder + "MZ3300.ini");
  const std::string title = Application->Title();
  Application->SetTitle("MZ3100VXE");
  EXPECT_EQ(SettingsFilePath(), folder + "MZ3100.ini");
  Application->SetTitle(title);
}

TEST_F(IniSettingsTest, GoodFileReadsEveryKeyWithoutMessages) {
  WriteIni(SettingsFilePath(), GoodSettings());
  ASSERT_TRUE(settings.LoadAll());
  EXPECT_EQ(settings.GetFilePath(), SettingsFilePath());
  EXPECT_TRUE(log.Messages().empty());
  const std::vector<TIniLine> good = GoodSettings();
  ASSERT_EQ(good.size(), static_cast<size_t>(TIniKey::Count));
  // Held as read, except flags (read as "True"/"False") and guarded numbers.
  for (size_t k = 0; k < good.size(); ++k) {
    std::string expected = good[k].Value;
    const TIniKey key = static_cast<TIniKey>(k);
    if (key == TIniKey::Dicas || key == TIniKey::SalvarImagemCaptura || key == TIniKey::SImagemCentral ||
        key == TIniKey::SImagemLateral || key == TIniKey::AutoPCaptura || key == TIniKey::ExibirIndiceMapa ||
        key == TIniKey::ExibeGrade || key == TIniKey::ExibeCeratometriaPontual)
      expected = expected == "1" ? "True" : "False";
    EXPECT_EQ(settings.Held(key), expected) << good[k].Section << "/" << good[k].Key;
  }
}

TEST_F(IniSettingsTest, GettersConvert) {
  WriteIni(SettingsFilePath(), GoodSettings());
  ASSERT_TRUE(settings.LoadAll());
  EXPECT_EQ(settings.GetTipo(), 1);
  EXPECT_EQ(settings.GetTipoCone(), "4");
  EXPECT_DOUBLE_EQ(settings.GetFatorCorrecao(), 1.025);
  EXPECT_DOUBLE_EQ(settings.GetZ0(), 75.5);
  EXPECT_EQ(settings.GetDirMZ(), "C:\\MZ3100");
  EXPECT_EQ(settings.GetDirMapas(), "C:\\MZ3100\\Mapas");
  EXPECT_EQ(settings.GetBackupAuto(), 2);
  EXPECT_EQ(settings.GetBackupAutoOp1_1(), 15);
  EXPECT_EQ(settings.GetBackupAutoOp1_2(), 1);
  EXPECT_EQ(settings.GetBackupAutoOp2(), 300);
  EXPECT_FALSE(settings.GetDicas());
  EXPECT_TRUE(settings.GetSalvarImagemCaptura());
  EXPECT_TRUE(settings.GetSImagemCentral());
  EXPECT_FALSE(settings.GetSImagemLateral());
  EXPECT_TRUE(settings.GetAutoIncMap());
  EXPECT_DOUBLE_EQ(settings.GetIncMap(), 0.5);
  EXPECT_FALSE(settings.GetAutoAneis());
  EXPECT_FALSE(settings.GetAutoMiniMapa());
  EXPECT_FALSE(settings.GetAutoExame());
  EXPECT_EQ(settings.GetIndiceConf(), 7);
  EXPECT_EQ(settings.GetClinicaNome(), "Clínica São João");
  EXPECT_TRUE(settings.GetOpt1());
  EXPECT_FALSE(settings.GetOpt2());
  EXPECT_TRUE(settings.GetOpt3());
  EXPECT_EQ(settings.GetBrilho(), 120);
  EXPECT_EQ(settings.GetContraste(), 64);
  EXPECT_EQ(settings.GetCameraLateral(), 1);
  EXPECT_EQ(settings.GetSerialCom(), "COM3");
  EXPECT_EQ(settings.GetQualidadeImagem(), "85");
  EXPECT_EQ(settings.GetTvlCentral(), 12);
  EXPECT_EQ(settings.GetTIncremento(), 3);
  EXPECT_TRUE(settings.GetAutoPCaptura());
  EXPECT_EQ(settings.GetDelayAutoPCaptura(), 750);
  EXPECT_EQ(settings.GetTipoCalibrador(), 2);
  EXPECT_FALSE(settings.GetExibeGrade());
  EXPECT_TRUE(settings.GetExibeCeratometriaPontual());
  EXPECT_EQ(settings.GetCorCeratometriaPontual(), "Vermelha");
}

// One key changed from the good file: what the object holds and the message it shows.
TEST_F(IniSettingsTest, KeysWithMissingAndBadValues) {
  struct Case {
    TIniKey key;
    const char* name;
    std::optional<std::string> value;
    std::string held;
    std::string message;
  };
  const std::string calibrador = "Erro ao carregar tipo de calibrador! O valor 1 será definido.";
  const std::string grade = "Erro ao carregar exibição da grade! O valor'True'será definido.";
  const Case cases[] = {
      {TIniKey::Versao, "Versao", std::nullopt, DefaultText("MZ", "Versao"), ""},
      {TIniKey::TipoCone, "TipoCone", std::nullopt, DefaultText("MZ", "TipoCone"), ""},
      {TIniKey::DirMZ, "DIRMZ", "C:\\MZ3100\\", "C:\\MZ3100\\", ""},
      {TIniKey::Dicas, "DICAS", std::nullopt, "True", ""},
      {TIniKey::Dicas, "DICAS", "abc", "True", ""},
      {TIniKey::Dicas, "DICAS", "", "True", ""},
      {TIniKey::Dicas, "DICAS", "2", "True", ""},
      {TIniKey::AutoAneis, "AUTOANEIS", "", "", ""},
      {TIniKey::QualidadeImagem, "QualidadeImagem", "8a5", "50",
       "Erro ao carregar padrão de qualidade da imagem! O valor 50% será definido."},
      {TIniKey::TvlCentral, "TVLCENTRAL", "abc", "1", ""},
      {TIniKey::TvlCentral, "TVLCENTRAL", std::nullopt, "1", ""},
      {TIniKey::TIncremento, "TINCREMENTO", "x2", "2",
       "Erro ao carregar valor do incremento da tolerância de varredura! O valor 2 será definido."},
      {TIniKey::DelayAutoPCaptura, "DELAYAUTOPCAPTURA", "1.5", "500",
       "Erro ao carregar delay de captura! O valor 500 ms será definido."},
      {TIniKey::TipoCalibrador, "TIPOCALIBRADOR", "abc", "1", calibrador},
      {TIniKey::TipoCalibrador, "TIPOCALIBRADOR", "300", "1", calibrador},
      {TIniKey::TipoCalibrador, "TIPOCALIBRADOR", "255", "255", ""},
      {TIniKey::ExibeGrade, "EXIBEGRADE", "1", "True", ""},
      {TIniKey::ExibeGrade, "EXIBEGRADE", "2", "False", ""},
      {TIniKey::ExibeGrade, "EXIBEGRADE", "sim", "True", grade},
      {TIniKey::ExibeGrade, "EXIBEGRADE", std::nullopt, "True", grade},
      {TIniKey::ExibeCeratometriaPontual, "EXIBECERATOMETRIAPONTUAL", "x", "False",
       "Erro ao carregar exibição da ceratometria pontual! O valor'False'será definido."},
      {TIniKey::CorCeratometriaPontual, "CORCERATOMETRIAPONTUAL", "Amarelas!", "Preta", ""},
      {TIniKey::CorCeratometriaPontual, "CORCERATOMETRIAPONTUAL", "Vermelha", "Vermelha", ""},
      {TIniKey::CorCeratometriaPontual, "CORCERATOMETRIAPONTUAL", std::nullopt, "Preta", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "=" + c.value.value_or("(missing)"));
    WriteWith(c.name, c.value);
    log.Clear();
    TBIniSettings s;
    ASSERT_TRUE(s.LoadAll());
    EXPECT_EQ(s.Held(c.key), c.held);
    if (c.message.empty())
      EXPECT_TRUE(log.Messages().empty());
    else
      EXPECT_EQ(log.Messages(), (std::vector<TLoggedMessage>{{c.message, "ERRO", MB_OK}}));
  }
}

TEST_F(IniSettingsTest, BoolKeysReadBackByTheTextGetters) {
  const struct {
    const char* value;
    bool autoIncMap, autoAneis;
  } cases[] = {{"1", true, true}, {"0", false, false}, {"2", false, true}, {"", false, true}};
  for (const auto& c : cases) {
    std::vector<TIniLine> lines = GoodSettings();
    for (TIniLine& l : lines)
      if (l.Key == "AUTOINCMAP" || l.Key == "AUTOANEIS") l.Value = c.value;
    WriteIni(SettingsFilePath(), lines);
    ASSERT_TRUE(settings.LoadAll());
    EXPECT_EQ(settings.GetAutoIncMap(), c.autoIncMap) << c.value;
    EXPECT_EQ(settings.GetAutoAneis(), c.autoAneis) << c.value;
  }
}

TEST_F(IniSettingsTest, MissingFileFailsAtTheBrightnessWithoutMessages) {
  DeleteFileA(SettingsFilePath().c_str());
  EXPECT_FALSE(settings.LoadAll());
  EXPECT_TRUE(log.Messages().empty());
  EXPECT_EQ(settings.Held(TIniKey::Versao), DefaultText("MZ", "Versao"));
  EXPECT_EQ(settings.Held(TIniKey::SerialCom), DefaultText("SERIAL", "COM"));
  EXPECT_EQ(settings.Held(TIniKey::Dicas), "True");
  EXPECT_EQ(settings.Held(TIniKey::MedicoAtivo), "");
  EXPECT_EQ(settings.Held(TIniKey::CorCeratometriaPontual), "");
  EXPECT_THROW(settings.GetTipo(), EConvertError);
}

TEST_F(IniSettingsTest, BrightnessThatIsNoNumberFailsTheLoad) {
  WriteWith("BRILHO", "12a");
  EXPECT_FALSE(settings.LoadAll());
  EXPECT_EQ(settings.Held(TIniKey::MedicoAtivo), "");
}

TEST_F(IniSettingsTest, MissingOptionsShowTheirMessagesInOrder) {
  std::vector<TIniLine> lines;
  for (const TIniLine& l : GoodSettings())
    if (!(l.Section == "MAPA" || (l.Section == "OPCOES" && (l.Key == "QualidadeImagem" || l.Key == "IDIOMA" ||
                                                            l.Key == "TVLCENTRAL" || l.Key == "TINCREMENTO" ||
                                                            l.Key == "AUTOPCAPTURA" || l.Key == "DELAYAUTOPCAPTURA" ||
                                                            l.Key == "PASSOMOTORX" || l.Key == "PASSOMOTORY" ||
                                                            l.Key == "TIPOCALIBRADOR" || l.Key == "EXIBIRINDICEMAPA"))))
      lines.push_back(l);
  WriteIni(SettingsFilePath(), lines);
  ASSERT_TRUE(settings.LoadAll());
  std::vector<std::string> texts;
  for (const TLoggedMessage& m : log.Messages()) texts.push_back(m.Text);
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "Erro ao carregar padrão de qualidade da imagem! O valor 50% será definido.",
                       "Erro ao carregar valor do incremento da tolerância de varredura! O valor 2 será definido.",
                       "Erro ao carregar delay de captura! O valor 500 ms será definido.",
                       "Erro ao carregar tipo de calibrador! O valor 1 será definido.",
                       "Erro ao carregar exibição da grade! O valor'True'será definido.",
                       "Erro ao carregar exibição da ceratometria pontual! O valor'False'será definido.",
                   }));
  EXPECT_EQ(settings.GetTvlCentral(), 1);
  EXPECT_EQ(settings.GetQualidadeImagem(), "50");
  EXPECT_EQ(settings.GetTIncremento(), 2);
  EXPECT_EQ(settings.GetDelayAutoPCaptura(), 500);
  EXPECT_EQ(settings.GetTipoCalibrador(), 1);
  EXPECT_TRUE(settings.GetExibeGrade());
  EXPECT_FALSE(settings.GetExibeCeratometriaPontual());
  EXPECT_EQ(settings.GetCorCeratometriaPontual(), "Preta");
}

TEST_F(IniSettingsTest, DamagedFilesNeverCrash) {
  const struct {
    std::string bytes;
    bool loads;
  } cases[] = {
      {"\x00\x01\xff\xfe[[[]]]\r\n=\r\n==\r\n[CAMERA\r\nCONTRASTE=1\r\n"s, false},
      {"[CAMERA]\r\nBRILHO=  10  \r\nCONTRASTE=20\r\n[OPCOES]\r\nTINCREMENTO=\r\nQualidadeImagem=9999999999999\r\n", true},
      {"CAMERA]\nBRILHO=10\n[camera]\nbrilho=11\nContraste=12\n[MAPA]\nCORCERATOMETRIAPONTUAL=" + std::string(5000, 'x'),
       true},
  };
  for (const auto& c : cases) {
    HANDLE f = CreateFileA(SettingsFilePath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(f, c.bytes.data(), static_cast<DWORD>(c.bytes.size()), &n, nullptr);
    CloseHandle(f);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, SettingsFilePath().c_str());
    TBIniSettings s;
    EXPECT_EQ(s.LoadAll(), c.loads);
  }
}

TEST_F(IniSettingsTest, ReadingNeverWritesTheFile) {
  WriteWith("EXIBEGRADE", "sim");
  const std::string before = ReadFileBytes(SettingsFilePath());
  ASSERT_TRUE(settings.LoadAll());
  ASSERT_TRUE(settings.ReloadOptions());
  ASSERT_TRUE(settings.ReloadCamera());
  EXPECT_EQ(ReadFileBytes(SettingsFilePath()), before);
}

TEST_F(IniSettingsTest, WriteParamWritesOneKeyAndRereadsTheTips) {
  WriteWith("DICAS", "1");
  ASSERT_TRUE(settings.LoadAll());
  ASSERT_TRUE(settings.GetDicas());

  settings.WriteParam("Bool", "OPCOES", "DICAS", "", false);
  EXPECT_FALSE(settings.GetDicas());
  std::string value;
  TBIniSettings::ReadParam(SettingsFilePath(), "Str", "OPCOES", "DICAS", value);
  EXPECT_EQ(value, "0");

  settings.WriteParam("Bool", "OPCOES", "AUTOMINIMAPA", "", true);
  settings.WriteParam("Str", "CLINICA", "MEDICOATIVO", "Dra. Inês", true);
  EXPECT_EQ(settings.GetMedicoAtivo(), "Dr. José");  // held until the next load
  const std::string before = ReadFileBytes(SettingsFilePath());
  settings.WriteParam("Int", "CLINICA", "MEDICOATIVO", "ignorado", true);
  EXPECT_EQ(ReadFileBytes(SettingsFilePath()), before);

  ASSERT_TRUE(settings.LoadAll());
  EXPECT_TRUE(settings.GetAutoMiniMapa());
  EXPECT_EQ(settings.GetMedicoAtivo(), "Dra. Inês");
}

TEST_F(IniSettingsTest, ReloadsReadTheirOwnKeysOnly) {
  WriteIni(SettingsFilePath(), GoodSettings());
  ASSERT_TRUE(settings.LoadAll());
  std::vector<TIniLine> changed = GoodSettings();
  for (TIniLine& l : changed) {
    if (l.Key == "NOME") l.Value = "Clínica Nova";
    if (l.Key == "DICAS") l.Value = "1";
    if (l.Key == "BRILHO") l.Value = "99";
    if (l.Key == "TIPOCALIBRADOR") l.Value = "3";
    if (l.Key == "AUTOMINIMAPA") l.Value = "1";
  }
  WriteIni(SettingsFilePath(), changed);

  ASSERT_TRUE(settings.ReloadCamera());
  EXPECT_EQ(settings.GetBrilho(), 99);
  EXPECT_EQ(settings.GetTipoCalibrador(), 3);
  EXPECT_EQ(settings.GetClinicaNome(), "Clínica São João");

  ASSERT_TRUE(settings.ReloadOptions());
  EXPECT_EQ(settings.GetClinicaNome(), "Clínica Nova");
  EXPECT_FALSE(settings.GetDicas());
  EXPECT_FALSE(settings.GetAutoMiniMapa());
}

}  // namespace

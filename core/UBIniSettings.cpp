#include "core/UBIniSettings.h"

#include <optional>

#include "core/UBConstantes.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/IniFiles.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/Forms.h"

namespace {

// How a guarded key turns the text it read into the value it holds; a failure takes the fallback.
enum class TConversion { None, CheckInteger, Integer, Byte, FlagIsOne, ColourName };

struct TGuard {
  TConversion Conversion;
  const char* Fallback;  // nullptr: TVLCENTRAL's, which depends on the cone type
  const char* Message;
};

struct TKeyDef {
  const char* Section;
  const char* Name;
  const char* Type;
  std::optional<TGuard> Guard;
};

const std::string kConeTypeMessage = std::string("Erro ao carregar o tipo do cone! O tipo 4 será definido.\n\r") +
                                     "Entre em contato com o suporte técnico: " + TelefoneSuporte + ".";

const TKeyDef& Def(TIniKey Key) {
  static const TKeyDef kKeys[] = {
      {"MZ", "Versao", "Str", {}},
      {"MZ", "Data", "Str", {}},
      {"MZ", "Tipo", "Str", {}},
      {"MZ", "TipoCone", "Str", TGuard{TConversion::None, "4", kConeTypeMessage.c_str()}},
      {"MZ", "FatorCorrecao", "Str", {}},
      {"MZ", "Z0", "Str", {}},
      {"DIRETORIOS", "DIRMZ", "Str", {}},
      {"DIRETORIOS", "EXAMES", "Str", {}},
      {"DIRETORIOS", "BANCODADOS", "Str", {}},
      {"DIRETORIOS", "EXEMPLOS", "Str", {}},
      {"DIRETORIOS", "LAUDOS", "Str", {}},
      {"MODULOS", "DIGITALIZACAO", "Str", {}},
      {"MODULOS", "DIGITALIZACAO_ORTO", "Str", {}},
      {"MODULOS", "PROCESSAMENTO", "Str", {}},
      {"MODULOS", "PROCESSAMENTO_ORTO", "Str", {}},
      {"MODULOS", "DIRMAPAS", "Str", {}},
      {"MODULOS", "ULTIMACALIB", "Str", {}},
      {"MODULOS", "AUTO", "Str", {}},
      {"BACKUP", "MODULO", "Str", {}},
      {"BACKUP", "AUTO", "Str", {}},
      {"BACKUP", "AUTO_OP1_1", "Str", {}},
      {"BACKUP", "AUTO_OP1_2", "Str", {}},
      {"BACKUP", "AUTO_OP2", "Str", {}},
      {"OPCOES", "DICAS", "Bool", {}},
      {"OPCOES", "SalvarImagemCaptura", "Bool", {}},
      {"OPCOES", "sImagemCentral", "Bool", {}},
      {"OPCOES", "sImagemLateral", "Bool", {}},
      {"OPCOES", "MapaPadraoNovoExame", "Str", {}},
      {"OPCOES", "TreeViewNodes", "Str", {}},
      {"OPCOES", "AUTOINCMAP", "Str", {}},
      {"OPCOES", "INCMAP", "Str", {}},
      {"OPCOES", "AUTOANEIS", "Str", {}},
      {"OPCOES", "AUTOMINIMAPA", "Str", {}},
      {"OPCOES", "AUTOEXAME", "Str", {}},
      {"OPCOES", "INDICECONF", "Str", {}},
      {"CLINICA", "NOME", "Str", {}},
      {"CLINICA", "ENDERECO", "Str", {}},
      {"CLINICA", "CidadeEst", "Str", {}},
      {"CLINICA", "TELEFONE", "Str", {}},
      {"CLINICA", "OPT1", "Str", {}},
      {"CLINICA", "OPT2", "Str", {}},
      {"CLINICA", "OPT3", "Str", {}},
      {"CAMERA", "BRILHO", "Str", {}},
      {"CAMERA", "CONTRASTE", "Str", {}},
      {"CAMERA", "CAMERACENTRAL", "Str", {}},
      {"CAMERA", "CAMERALATERAL", "Str", {}},
      {"CAMERA", "CONECTORCENTRAL", "Str", {}},
      {"CAMERA", "CONECTORLATERALD", "Str", {}},
      {"CAMERA", "CONECTORLATERALS", "Str", {}},
      {"SERIAL", "COM", "Str", {}},
      {"CLINICA", "MEDICOATIVO", "Str", {}},
      {"CLINICA", "PACIENTEATIVO", "Str", {}},
      {"OPCOES", "TIPOCERATOMETRIA", "Str", {}},
      {"OPCOES", "QualidadeImagem", "Str",
       TGuard{TConversion::CheckInteger, "50",
              "Erro ao carregar padrão de qualidade da imagem! O valor 50% será definido."}},
      {"OPCOES", "IDIOMA", "Str", {}},
      {"OPCOES", "TVLCENTRAL", "Int",
       TGuard{TConversion::Integer, nullptr,
              "Erro ao carregar valor central de tolerância de varredura!\n\r"
              "O valor será definido de acordo com o tipo de cone utilizado pelo aparelho."}},
      {"OPCOES", "TINCREMENTO", "Str",
       TGuard{TConversion::Integer, "2",
              "Erro ao carregar valor do incremento da tolerância de varredura! O valor 2 será definido."}},
      {"OPCOES", "AUTOPCAPTURA", "Bool", {}},
      {"OPCOES", "DELAYAUTOPCAPTURA", "Str",
       TGuard{TConversion::Integer, "500", "Erro ao carregar delay de captura! O valor 500 ms será definido."}},
      {"OPCOES", "PASSOMOTORX", "Str", {}},
      {"OPCOES", "PASSOMOTORY", "Str", {}},
      {"OPCOES", "TIPOCALIBRADOR", "Str",
       TGuard{TConversion::Byte, "1", "Erro ao carregar tipo de calibrador! O valor 1 será definido."}},
      {"OPCOES", "EXIBIRINDICEMAPA", "Bool", {}},
      {"MAPA", "EXIBEGRADE", "Str",
       TGuard{TConversion::FlagIsOne, "True", "Erro ao carregar exibição da grade! O valor'True'será definido."}},
      {"MAPA", "EXIBECERATOMETRIAPONTUAL", "Str",
       TGuard{TConversion::FlagIsOne, "False",
              "Erro ao carregar exibição da ceratometria pontual! O valor'False'será definido."}},
      {"MAPA", "CORCERATOMETRIAPONTUAL", "Str",
       TGuard{TConversion::ColourName, "Preta", "Erro ao carregar cor da ceratometria pontual! A cor preta será definida."}},
  };
  static_assert(std::size(kKeys) == static_cast<size_t>(TIniKey::Count));
  return kKeys[static_cast<size_t>(Key)];
}

std::string Convert(TConversion Conversion, const std::string& Text) {
  switch (Conversion) {
    case TConversion::None:
      return Text;
    case TConversion::CheckInteger:
      StrToInt(Text);
      return Text;
    case TConversion::Integer:
      return IntToStr(StrToInt(Text));
    case TConversion::Byte: {
      // A calibrator type that does not fit its byte is as unreadable as one that is no number.
      const int value = StrToInt(Text);
      if (value < 0 || value > 255) throw EConvertError("'" + Text + "' não é um tipo de calibrador válido");
      return IntToStr(value);
    }
    case TConversion::FlagIsOne:
      return StrToInt(Text) == 1 ? "True" : "False";
    case TConversion::ColourName:
      return Text.size() > 8 ? "Preta" : Text;
  }
  return Text;
}

}  // namespace

std::string SettingsFileName(std::string_view Title) {
  return Title.find("3100") != std::string_view::npos ? "MZ3100.ini" : "MZ3300.ini";
}

std::string SettingsFilePath() { return ExtractFilePath(ParamStr(0)) + SettingsFileName(Application->Title()); }

void TBIniSettings::ReadParam(const std::string& FileName, const std::string& Type, const std::string& Section,
                              const std::string& Key, std::string& Value) {
  TIniFile ini(FileName);
  if (Type == "Int")
    Value = IntToStr(ini.ReadInteger(Section, Key, 1));
  else if (Type == "Str")
    Value = ini.ReadString(Section, Key, "Erro no parâmetro: " + Section + " ->  " + Key);
  else if (Type == "Bool")
    Value = ini.ReadBool(Section, Key, true) ? "True" : "False";
}

void TBIniSettings::Read(TIniKey Key) {
  const TKeyDef& def = Def(Key);
  std::string& held = FValues[static_cast<size_t>(Key)];
  if (!def.Guard) {
    ReadParam(FFilePath, def.Type, def.Section, def.Name, held);
    return;
  }
  try {
    std::string text;
    ReadParam(FFilePath, def.Type, def.Section, def.Name, text);
    held = Convert(def.Guard->Conversion, text);
  } catch (const Exception&) {
    Application->MessageBox(def.Guard->Message, "ERRO", MB_OK);
    if (!def.Guard->Fallback)
      held = StrToIntDef(Held(TIniKey::TipoCone), 4) <= 2 ? "16" : "8";
    else
      held = def.Guard->Fallback;
  }
}

bool TBIniSettings::LoadAll() {
  FFilePath = SettingsFilePath();
  for (int k = 0; k <= static_cast<int>(TIniKey::SerialCom); ++k) Read(static_cast<TIniKey>(k));
  try {
    GetBrilho();
    GetContraste();
  } catch (const EConvertError&) {
    return false;
  }
  for (int k = static_cast<int>(TIniKey::MedicoAtivo); k < static_cast<int>(TIniKey::Count); ++k)
    Read(static_cast<TIniKey>(k));
  return true;
}

bool TBIniSettings::ReloadOptions() {
  FFilePath = SettingsFilePath();
  for (TIniKey k : {TIniKey::TreeViewNodes, TIniKey::AutoIncMap, TIniKey::IncMap, TIniKey::AutoAneis,
                    TIniKey::AutoExame, TIniKey::IndiceConf, TIniKey::SalvarImagemCaptura, TIniKey::SImagemCentral,
                    TIniKey::SImagemLateral, TIniKey::MapaPadraoNovoExame, TIniKey::ClinicaNome,
                    TIniKey::ClinicaEndereco, TIniKey::ClinicaCidadeEst, TIniKey::ClinicaTelefone, TIniKey::Opt1,
                    TIniKey::Opt2, TIniKey::Opt3, TIniKey::TipoCeratometria, TIniKey::QualidadeImagem,
                    TIniKey::Idioma, TIniKey::TvlCentral, TIniKey::TIncremento, TIniKey::AutoPCaptura,
                    TIniKey::DelayAutoPCaptura, TIniKey::ExibirIndiceMapa, TIniKey::ExibeGrade,
                    TIniKey::ExibeCeratometriaPontual, TIniKey::CorCeratometriaPontual})
    Read(k);
  return true;
}

bool TBIniSettings::ReloadCamera() {
  FFilePath = SettingsFilePath();
  for (TIniKey k : {TIniKey::Brilho, TIniKey::Contraste, TIniKey::UltimaCalib, TIniKey::TipoCalibrador}) Read(k);
  return true;
}

void TBIniSettings::WriteParam(const std::string& Type, const std::string& Section, const std::string& Key,
                               const std::string& Text, bool Flag) {
  // An object that never loaded has no kept path; never let the write land in some other ini.
  if (FFilePath.empty()) FFilePath = SettingsFilePath();
  {
    TIniFile ini(FFilePath);
    if (Type == "Str")
      ini.WriteString(Section, Key, Text);
    else if (Type == "Bool")
      ini.WriteBool(Section, Key, Flag);
  }
  Read(TIniKey::Dicas);
}

int TBIniSettings::Integer(TIniKey Key) const { return StrToInt(Held(Key)); }

int TBIniSettings::GetTipo() const { return Integer(TIniKey::Tipo); }
double TBIniSettings::GetFatorCorrecao() const { return StrToFloat(Held(TIniKey::FatorCorrecao)); }
double TBIniSettings::GetZ0() const { return StrToFloat(Held(TIniKey::Z0)); }
int TBIniSettings::GetBackupAuto() const { return Integer(TIniKey::BackupAuto); }
int TBIniSettings::GetBackupAutoOp1_1() const { return Integer(TIniKey::BackupAutoOp1_1); }
int TBIniSettings::GetBackupAutoOp1_2() const { return Integer(TIniKey::BackupAutoOp1_2); }
int TBIniSettings::GetBackupAutoOp2() const { return Integer(TIniKey::BackupAutoOp2); }
double TBIniSettings::GetIncMap() const { return StrToFloat(Held(TIniKey::IncMap)); }
int TBIniSettings::GetIndiceConf() const { return Integer(TIniKey::IndiceConf); }
int TBIniSettings::GetBrilho() const { return Integer(TIniKey::Brilho); }
int TBIniSettings::GetContraste() const { return Integer(TIniKey::Contraste); }
int TBIniSettings::GetCameraCentral() const { return Integer(TIniKey::CameraCentral); }
int TBIniSettings::GetCameraLateral() const { return Integer(TIniKey::CameraLateral); }
int TBIniSettings::GetTvlCentral() const { return Integer(TIniKey::TvlCentral); }
int TBIniSettings::GetTIncremento() const { return Integer(TIniKey::TIncremento); }
int TBIniSettings::GetDelayAutoPCaptura() const { return Integer(TIniKey::DelayAutoPCaptura); }
unsigned char TBIniSettings::GetTipoCalibrador() const {
  return static_cast<unsigned char>(Integer(TIniKey::TipoCalibrador));
}

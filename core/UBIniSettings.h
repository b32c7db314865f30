#pragma once
// The workstation's settings: one ini file next to the program, read key by key (the file is opened
// afresh for every read and write, so a change by hand or by another program is seen at once).
#include <array>
#include <string>
#include <string_view>

// Every key, in the order LoadAll reads them.
enum class TIniKey {
  Versao, Data, Tipo, TipoCone, FatorCorrecao, Z0,
  DirMZ, Exames, BancoDados, Exemplos, Laudos,
  Digitalizacao, DigitalizacaoOrto, Processamento, ProcessamentoOrto, DirMapas, UltimaCalib, ModulosAuto,
  BackupModulo, BackupAuto, BackupAutoOp1_1, BackupAutoOp1_2, BackupAutoOp2,
  Dicas, SalvarImagemCaptura, SImagemCentral, SImagemLateral, MapaPadraoNovoExame, TreeViewNodes,
  AutoIncMap, IncMap, AutoAneis, AutoMiniMapa, AutoExame, IndiceConf,
  ClinicaNome, ClinicaEndereco, ClinicaCidadeEst, ClinicaTelefone, Opt1, Opt2, Opt3,
  Brilho, Contraste, CameraCentral, CameraLateral, ConectorCentral, ConectorLateralD, ConectorLateralS,
  SerialCom, MedicoAtivo, PacienteAtivo, TipoCeratometria, QualidadeImagem, Idioma,
  TvlCentral, TIncremento, AutoPCaptura, DelayAutoPCaptura, PassoMotorX, PassoMotorY, TipoCalibrador,
  ExibirIndiceMapa, ExibeGrade, ExibeCeratometriaPontual, CorCeratometriaPontual,
  Count
};

// "MZ3100.ini" when the title names the first instrument model, else "MZ3300.ini".
std::string SettingsFileName(std::string_view Title);
// The program's folder (with its trailing backslash) and SettingsFileName of Application's title.
std::string SettingsFilePath();

class TBIniSettings {
 public:
  TBIniSettings() = default;

  // Reads every key. False when BRILHO or CONTRASTE is no integer (the keys after them stay unread).
  bool LoadAll();
  // Re-reads the options the tools window edits.
  bool ReloadOptions();
  // Re-reads what calibration changes.
  bool ReloadCamera();

  // Generic reader: Type "Int", "Str" or "Bool"; any other Type leaves Value untouched.
  static void ReadParam(const std::string& FileName, const std::string& Type, const std::string& Section,
                        const std::string& Key, std::string& Value);
  // Generic writer at the kept path: Type "Str" writes Text, "Bool" writes Flag as "1" or "0".
  // Re-reads OPCOES/DICAS afterwards.
  void WriteParam(const std::string& Type, const std::string& Section, const std::string& Key,
                  const std::string& Text, bool Flag);

  const std::string& GetFilePath() const { return FFilePath; }
  // The value as held: the text read, "True"/"False" for flags, the decimal text of a guarded number.
  const std::string& Held(TIniKey Key) const { return FValues[static_cast<size_t>(Key)]; }

  int GetTipo() const;
  std::string GetTipoCone() const { return Held(TIniKey::TipoCone); }
  double GetFatorCorrecao() const;
  double GetZ0() const;
  std::string GetDirMZ() const { return Held(TIniKey::DirMZ); }
  std::string GetDirExames() const { return Held(TIniKey::Exames); }
  std::string GetDirBancoDados() const { return Held(TIniKey::BancoDados); }
  std::string GetDirExemplos() const { return Held(TIniKey::Exemplos); }
  std::string GetDirLaudos() const { return Held(TIniKey::Laudos); }
  std::string GetModuloDigitalizacao() const { return Held(TIniKey::Digitalizacao); }
  std::string GetModuloDigitalizacaoOrto() const { return Held(TIniKey::DigitalizacaoOrto); }
  std::string GetModuloProcessamento() const { return Held(TIniKey::Processamento); }
  std::string GetModuloProcessamentoOrto() const { return Held(TIniKey::ProcessamentoOrto); }
  std::string GetDirMapas() const { return Held(TIniKey::DirMapas); }
  std::string GetUltimaCalib() const { return Held(TIniKey::UltimaCalib); }
  std::string GetBackupModulo() const { return Held(TIniKey::BackupModulo); }
  int GetBackupAuto() const;
  int GetBackupAutoOp1_1() const;
  int GetBackupAutoOp1_2() const;
  int GetBackupAutoOp2() const;
  bool GetDicas() const { return Flag(TIniKey::Dicas); }
  bool GetSalvarImagemCaptura() const { return Flag(TIniKey::SalvarImagemCaptura); }
  bool GetSImagemCentral() const { return Flag(TIniKey::SImagemCentral); }
  bool GetSImagemLateral() const { return Flag(TIniKey::SImagemLateral); }
  std::string GetMapaPadraoNovoExame() const { return Held(TIniKey::MapaPadraoNovoExame); }
  bool GetAutoIncMap() const { return Held(TIniKey::AutoIncMap) == "1"; }
  double GetIncMap() const;
  bool GetAutoAneis() const { return Held(TIniKey::AutoAneis) != "0"; }
  bool GetAutoMiniMapa() const { return Held(TIniKey::AutoMiniMapa) != "0"; }
  bool GetAutoExame() const { return Held(TIniKey::AutoExame) != "0"; }
  int GetIndiceConf() const;
  std::string GetClinicaNome() const { return Held(TIniKey::ClinicaNome); }
  std::string GetClinicaEndereco() const { return Held(TIniKey::ClinicaEndereco); }
  std::string GetClinicaCidadeEst() const { return Held(TIniKey::ClinicaCidadeEst); }
  std::string GetClinicaTelefone() const { return Held(TIniKey::ClinicaTelefone); }
  bool GetOpt1() const { return Held(TIniKey::Opt1) == "1"; }
  bool GetOpt2() const { return Held(TIniKey::Opt2) == "1"; }
  bool GetOpt3() const { return Held(TIniKey::Opt3) == "1"; }
  int GetBrilho() const;
  int GetContraste() const;
  int GetCameraCentral() const;
  int GetCameraLateral() const;
  std::string GetConectorCentral() const { return Held(TIniKey::ConectorCentral); }
  std::string GetConectorLateralD() const { return Held(TIniKey::ConectorLateralD); }
  std::string GetConectorLateralS() const { return Held(TIniKey::ConectorLateralS); }
  std::string GetSerialCom() const { return Held(TIniKey::SerialCom); }
  std::string GetMedicoAtivo() const { return Held(TIniKey::MedicoAtivo); }
  std::string GetPacienteAtivo() const { return Held(TIniKey::PacienteAtivo); }
  std::string GetTipoCeratometria() const { return Held(TIniKey::TipoCeratometria); }
  std::string GetQualidadeImagem() const { return Held(TIniKey::QualidadeImagem); }
  std::string GetIdioma() const { return Held(TIniKey::Idioma); }
  int GetTvlCentral() const;
  int GetTIncremento() const;
  bool GetAutoPCaptura() const { return Flag(TIniKey::AutoPCaptura); }
  int GetDelayAutoPCaptura() const;
  std::string GetPassoMotorX() const { return Held(TIniKey::PassoMotorX); }
  std::string GetPassoMotorY() const { return Held(TIniKey::PassoMotorY); }
  unsigned char GetTipoCalibrador() const;
  bool GetExibeGrade() const { return Flag(TIniKey::ExibeGrade); }
  bool GetExibeCeratometriaPontual() const { return Flag(TIniKey::ExibeCeratometriaPontual); }
  std::string GetCorCeratometriaPontual() const { return Held(TIniKey::CorCeratometriaPontual); }

 private:
  void Read(TIniKey Key);
  bool Flag(TIniKey Key) const { return Held(Key) == "True"; }
  int Integer(TIniKey Key) const;

  std::string FFilePath;
  std::array<std::string, static_cast<size_t>(TIniKey::Count)> FValues;
};

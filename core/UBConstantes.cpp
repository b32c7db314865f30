#include "core/UBConstantes.h"

#include <map>

#include "core/UBIniSettings.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

constexpr TInfosMZ EmptyInfos() {
  TInfosMZ r{};
  for (const char** t : {&r.TipoCone, &r.MedicoAtivo, &r.PacienteAtivo, &r.ClinicaNome, &r.ClinicaEndereco,
                         &r.ClinicaCidadeEst, &r.ClinicaTelefone, &r.ConectorCentral, &r.ConectorLateralS,
                         &r.ConectorLateralD, &r.SerialCom, &r.MapaPadraoNovoExame, &r.TipoCeratometria, &r.Idioma,
                         &r.PassoMotorX, &r.PassoMotorY, &r.CorCeratometriaPontual})
    *t = "";
  return r;
}

constexpr TPathsMZ EmptyPaths() { return {"", "", "", "", "", "", "", "", "", "", "", ""}; }

// The texts the records point at, one per field address.
std::map<const char* const*, std::string>& Texts() {
  static std::map<const char* const*, std::string> texts;
  return texts;
}

}  // namespace

constinit TInfosMZ InfosMZ = EmptyInfos();
constinit TPathsMZ PathsMZ = EmptyPaths();

void AssignText(const char*& Field, std::string_view Value) {
  std::string& kept = Texts()[&Field];
  kept.assign(Value);
  Field = kept.c_str();
}

void CopyOptionsToInfosMZ(const TBIniSettings& S) {
  InfosMZ.IndiceConf = S.GetIndiceConf();
  InfosMZ.IncMap = S.GetIncMap();
  InfosMZ.AutoAneis = S.GetAutoAneis();
  InfosMZ.AutoIncMap = S.GetAutoIncMap();
  InfosMZ.AutoExame = S.GetAutoExame();
  AssignText(InfosMZ.ClinicaNome, S.GetClinicaNome());
  AssignText(InfosMZ.ClinicaEndereco, S.GetClinicaEndereco());
  AssignText(InfosMZ.ClinicaCidadeEst, S.GetClinicaCidadeEst());
  AssignText(InfosMZ.ClinicaTelefone, S.GetClinicaTelefone());
  InfosMZ.Opt1 = S.GetOpt1();
  InfosMZ.Opt2 = S.GetOpt2();
  InfosMZ.Opt3 = S.GetOpt3();
  InfosMZ.SalvarImagemCaptura = S.GetSalvarImagemCaptura();
  InfosMZ.SImagemCentral = S.GetSImagemCentral();
  InfosMZ.SImagemLateral = S.GetSImagemLateral();
  AssignText(InfosMZ.MapaPadraoNovoExame, S.GetMapaPadraoNovoExame());
  AssignText(InfosMZ.TipoCeratometria, S.GetTipoCeratometria());
  InfosMZ.QualidadeImagem = StrToInt(S.GetQualidadeImagem());
  AssignText(InfosMZ.Idioma, S.GetIdioma());
  InfosMZ.TvlCentral = S.GetTvlCentral();
  InfosMZ.TIncremento = S.GetTIncremento();
  InfosMZ.AutoPCaptura = S.GetAutoPCaptura();
  InfosMZ.DelayAutoPCaptura = S.GetDelayAutoPCaptura();
  InfosMZ.ExibeGrade = S.GetExibeGrade();
  InfosMZ.ExibeCeratometriaPontual = S.GetExibeCeratometriaPontual();
  AssignText(InfosMZ.CorCeratometriaPontual, S.GetCorCeratometriaPontual());
}

void CopySettingsToRecords(const TBIniSettings& S) {
  AssignText(InfosMZ.TipoCone, S.GetTipoCone());
  InfosMZ.FatorCorrecao = S.GetFatorCorrecao();
  InfosMZ.Z0 = S.GetZ0();
  InfosMZ.AutoMiniMapa = S.GetAutoMiniMapa();
  CopyOptionsToInfosMZ(S);
  // Only the automatic-backup mode is a byte; the exam threshold keeps its whole value (1 to 10000).
  InfosMZ.BackupAuto = S.GetBackupAuto() & 0xFF;
  InfosMZ.BackupAutoOp1_1 = S.GetBackupAutoOp1_1();
  InfosMZ.BackupAutoOp1_2 = S.GetBackupAutoOp1_2();
  InfosMZ.BackupAutoOp2 = S.GetBackupAutoOp2();
  InfosMZ.CameraCentral = S.GetCameraCentral();
  InfosMZ.CameraLateral = S.GetCameraLateral();
  InfosMZ.Brilho = S.GetBrilho();
  InfosMZ.Contraste = S.GetContraste();
  AssignText(InfosMZ.MedicoAtivo, S.GetMedicoAtivo());
  AssignText(InfosMZ.PacienteAtivo, S.GetPacienteAtivo());
  AssignText(InfosMZ.ConectorCentral, S.GetConectorCentral());
  AssignText(InfosMZ.ConectorLateralS, S.GetConectorLateralS());
  AssignText(InfosMZ.ConectorLateralD, S.GetConectorLateralD());
  AssignText(InfosMZ.SerialCom, S.GetSerialCom());
  AssignText(InfosMZ.PassoMotorX, S.GetPassoMotorX());
  AssignText(InfosMZ.PassoMotorY, S.GetPassoMotorY());
  InfosMZ.TipoCalibrador = S.GetTipoCalibrador();

  AssignText(PathsMZ.DirMZ, S.GetDirMZ());
  AssignText(PathsMZ.BancoDados, S.GetDirBancoDados());
  AssignText(PathsMZ.Exames, S.GetDirExames());
  AssignText(PathsMZ.Exemplos, S.GetDirExemplos());
  AssignText(PathsMZ.Laudos, S.GetDirLaudos());
  AssignText(PathsMZ.Digitalizacao, S.GetModuloDigitalizacao());
  AssignText(PathsMZ.Processamento, S.GetModuloProcessamento());
  AssignText(PathsMZ.BackupModulo, S.GetBackupModulo());
  AssignText(PathsMZ.DirMapas, S.GetDirMapas());
  AssignText(PathsMZ.DigitalizacaoOrto, S.GetModuloDigitalizacaoOrto());
  AssignText(PathsMZ.ProcessamentoOrto, S.GetModuloProcessamentoOrto());
  AssignText(PathsMZ.Calibracao, S.GetDirMZ() + "\\Calibração\\");
}

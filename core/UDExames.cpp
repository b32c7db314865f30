#include "core/UDExames.h"

#include "core/UDOperation.h"
#include "core/UfrmDataModule.h"

using detail::Operation;

TDExames::TDExames() : TDCursor(&TDMPrincipal::IBQueryExames, "Exames") {}

namespace {

void ExecuteByCodigo(const std::string& Sql, const char* Param, int Codigo) {
  TIBQuery& q = Operation(Sql);
  q.ParamByName(Param).SetAsInteger(Codigo);
  detail::ExecuteAndCommit(q);
}

void UpdateTextByCodigo(const std::string& Sql, int Codigo, const char* Param, const std::string& Value) {
  TIBQuery& q = Operation(Sql);
  q.ParamByName("Codigo").SetAsInteger(Codigo);
  q.ParamByName(Param).SetAsString(Value);
  detail::ExecuteAndCommit(q);
}

}  // namespace

int TDExames::InsertExames(int CodPaciente, int CodResp, TDateTime Data, TDateTime Hora, const std::string& Olho,
                           double IndConf, const std::string& TipoExame, const std::string& Backup,
                           const std::string& Diag, const std::string& Observacao, int NumAneis,
                           const std::string& TipoCone) {
  TIBQuery& q = Operation(
      "Execute Procedure InsertExames :CodPaciente,:CodResp,:Data,:Hora,:Olho,:IndConf,:TipoExame,:Backup,:Diag,"
      ":Observacao,:NumAneis,:TipoCone");
  q.ParamByName("CodPaciente").SetAsInteger(CodPaciente);
  q.ParamByName("CodResp").SetAsInteger(CodResp);
  q.ParamByName("Data").SetAsDate(Data);
  q.ParamByName("Hora").SetAsTime(Hora);
  q.ParamByName("Olho").SetAsString(Olho);
  q.ParamByName("IndConf").SetAsFloat(IndConf);
  q.ParamByName("TipoExame").SetAsString(TipoExame);
  q.ParamByName("Backup").SetAsString(Backup);
  q.ParamByName("Diag").SetAsString(Diag);
  q.ParamByName("Observacao").SetAsString(Observacao);
  q.ParamByName("NumAneis").SetAsInteger(NumAneis);
  q.ParamByName("TipoCone").SetAsString(TipoCone);
  return detail::InsertAndCommit(q);
}

void TDExames::InsertExamesOrto(int ECodExame, double EDiv, double EExc, double ERaio, double ESag) {
  TIBQuery& q = Operation("Execute Procedure InsertExamesOrto :ECodExame,:EDiv,:EExc,:ERaio,:ESag");
  q.ParamByName("ECodExame").SetAsInteger(ECodExame);
  q.ParamByName("EDiv").SetAsFloat(EDiv);
  q.ParamByName("EExc").SetAsFloat(EExc);
  q.ParamByName("ERaio").SetAsFloat(ERaio);
  q.ParamByName("ESag").SetAsFloat(ESag);
  detail::ExecuteAndCommit(q);
}

void TDExames::UpdateBackupExameByCodigo(int Codigo, const std::string& Backup) {
  UpdateTextByCodigo("Execute Procedure UpdateBackupExameByCodigo :Codigo,:Backup", Codigo, "Backup", Backup);
}

bool TDExames::ZeraBackupExames() {
  try {
    Operation("Execute Procedure ZeraBackupExames").ExecSQL();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TDExames::UpdateDiagExameByCodigo(int Codigo, const std::string& Diag) {
  UpdateTextByCodigo("Execute Procedure UpdateDiagExameByCodigo :Codigo,:Diag", Codigo, "Diag", Diag);
}

void TDExames::UpdateObsExameByCodigo(int Codigo, const std::string& Obs) {
  UpdateTextByCodigo("Execute Procedure UpdateObsExameByCodigo :Codigo,:Obs", Codigo, "Obs", Obs);
}

void TDExames::UpdateTipoConeByCodigo(int Codigo, const std::string& TipoCone) {
  UpdateTextByCodigo("Execute Procedure UpdateTipoConeByCodigo :Codigo,:TipoCone", Codigo, "TipoCone", TipoCone);
}

void TDExames::DeleteExamesByCodigo(int Codigo) {
  ExecuteByCodigo("Execute Procedure DeleteExamesByCodigo :Codigo", "Codigo", Codigo);
}

void TDExames::DeleteExamesOrtoByCodigoExame(int CodExame) {
  ExecuteByCodigo("Execute Procedure DeleteExamesOrtoByCodigoExame :CodExame", "CodExame", CodExame);
}

int TDExames::GetCodRespByCodigo(int Codigo) {
  TIBQuery& q = Operation("SELECT Exames.CodResp FROM Exames WHERE Exames.Codigo=:Codigo");
  q.ParamByName("Codigo").SetAsInteger(Codigo);
  return detail::OpenInteger(q, "CodResp");
}

bool TDExames::ExisteExame(int Codigo) {
  TIBQuery& q = Operation("SELECT COUNT(*) FROM Exames WHERE Exames.Codigo=:Codigo");
  q.ParamByName("Codigo").SetAsInteger(Codigo);
  return detail::OpenInteger(q, "COUNT") > 0;
}

int TDExames::CountExames() { return detail::OpenInteger(Operation("SELECT COUNT(*) FROM Exames"), "COUNT"); }

int TDExames::CountExamesByCodResp(int CodMed) {
  TIBQuery& q = Operation("SELECT COUNT(*) FROM Exames WHERE Exames.CodResp=:CodMed");
  q.ParamByName("CodMed").SetAsInteger(CodMed);
  return detail::OpenInteger(q, "COUNT");
}

int TDExames::CountExamesByCodRespCodPaciente(int CodMed, int CodPac) {
  TIBQuery& q = Operation("SELECT COUNT(*) FROM Exames WHERE Exames.CodResp=:CodMed AND Exames.CodPaciente=:CodPac");
  q.ParamByName("CodMed").SetAsInteger(CodMed);
  q.ParamByName("CodPac").SetAsInteger(CodPac);
  return detail::OpenInteger(q, "COUNT");
}

int TDExames::CountExamesByCodPaciente(int CodPac) {
  TIBQuery& q = Operation("SELECT COUNT(*) FROM Exames WHERE Exames.CodPaciente=:CodPac");
  q.ParamByName("CodPac").SetAsInteger(CodPac);
  return detail::OpenInteger(q, "COUNT");
}

int TDExames::GetUltimoCodigo() {
  return detail::OpenInteger(Operation("SELECT GEN_ID(Codigo_Exames, 0) FROM RDB$DATABASE"), "GEN_ID");
}

int TDExames::CountExamesSemBackup() {
  TIBQuery& q = Operation("SELECT COUNT(*) FROM Exames WHERE Exames.Backup=:Backup");
  q.ParamByName("Backup").SetAsString("");
  return detail::OpenInteger(q, "COUNT");
}

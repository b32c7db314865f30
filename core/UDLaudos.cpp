#include "core/UDLaudos.h"

#include <vector>

#include "core/UDOperation.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/Exceptions.h"

using detail::Operation;

namespace {

// The column of the report that names the exam of that eye.
const char* MedidaDoOlho(const std::string& Olho) {
  if (Olho == "OS" || Olho == "Esquerdo") return "MedidaOS";
  if (Olho == "OD" || Olho == "Direito") return "MedidaOD";
  throw EDatabaseError("Olho desconhecido: " + Olho);
}

int CountAndClose(TIBQuery& q) {
  const int count = detail::OpenInteger(q, "COUNT");
  q.Close();
  return count;
}

}  // namespace

TDLaudos::TDLaudos() : TDCursor(&TDMPrincipal::IBQueryLaudos, "Laudos") {}

int TDLaudos::InsertLaudos(int CodPaciente, int MedidaOD, int MedidaOS, const std::string& Backup, TDateTime Data,
                           TDateTime Hora) {
  TIBQuery& q = Operation("Execute Procedure InsertLaudos :CodPaciente,:MedidaOD,:MedidaOS,:Backup,:Data,:Hora");
  q.ParamByName("CodPaciente").SetAsInteger(CodPaciente);
  q.ParamByName("MedidaOD").SetAsInteger(MedidaOD);
  q.ParamByName("MedidaOS").SetAsInteger(MedidaOS);
  q.ParamByName("Backup").SetAsString(Backup);
  q.ParamByName("Data").SetAsDate(Data);
  q.ParamByName("Hora").SetAsTime(Hora);
  return detail::InsertAndCommit(q);
}

void TDLaudos::UpdateBackupLaudoByCodigo(int Codigo, const std::string& Backup) {
  TIBQuery& q = Operation("Execute Procedure UpdateBackupLaudoByCodigo :Codigo,:Backup");
  q.ParamByName("Codigo").SetAsInteger(Codigo);
  q.ParamByName("Backup").SetAsString(Backup);
  q.ExecSQL();
}

bool TDLaudos::ZeraBackupLaudos() {
  try {
    Operation("Execute Procedure ZeraBackupLaudos").ExecSQL();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TDLaudos::DeleteLaudosByCodigo(int Codigo) {
  TIBQuery& q = Operation("Execute Procedure DeleteLaudosByCodigo :Codigo");
  q.ParamByName("Codigo").SetAsInteger(Codigo);
  detail::ExecuteAndCommit(q);
}

int TDLaudos::CountLaudos() { return CountAndClose(Operation("SELECT COUNT(*) FROM Laudos")); }

int TDLaudos::GetUltimoCodigo() {
  TIBQuery& q = Operation("SELECT GEN_ID(Codigo_Laudos, 0) FROM RDB$DATABASE");
  const int codigo = detail::OpenInteger(q, "GEN_ID");
  q.Close();
  return codigo;
}

int TDLaudos::CountLaudosSemBackup() {
  TIBQuery& q = Operation("SELECT COUNT(*) FROM Laudos WHERE Laudos.Backup=:Backup");
  q.ParamByName("Backup").SetAsString("");
  return CountAndClose(q);
}

int TDLaudos::CountLaudosByExame(int CodigoExame, const std::string& Olho) {
  TIBQuery& q = Operation(std::string("SELECT COUNT(*) FROM Laudos WHERE ") + MedidaDoOlho(Olho) + "=:CodigoExame");
  q.ParamByName("CodigoExame").SetAsInteger(CodigoExame);
  return CountAndClose(q);
}

void TDLaudos::DeleteLaudosByExame(int CodigoExame, const std::string& Olho) {
  TIBQuery& q = Operation(std::string("SELECT Codigo FROM Laudos WHERE ") + MedidaDoOlho(Olho) + "=:CodigoExame");
  q.ParamByName("CodigoExame").SetAsInteger(CodigoExame);
  q.Open();
  std::vector<int> codigos;
  for (; !q.Eof(); q.Next()) codigos.push_back(q.FieldByName("Codigo")->AsInteger());
  q.Close();
  for (int codigo : codigos) DeleteLaudosByCodigo(codigo);
}

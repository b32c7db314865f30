#pragma once
// The exam routines: every statement on EXAMES and EXAMESORTO, and a cursor over exam rows for the
// backup. The statements need no object; only the cursor does.
#include <string>

#include "core/UDCursor.h"
#include "toolkit/rtl/DateTime.h"

class TDExames : public TDCursor {
 public:
  TDExames();

  // Returns the new exam's code. Olho "OD" or "OS"; TipoExame "T" (topography) or "O" (orthokeratology).
  static int InsertExames(int CodPaciente, int CodResp, TDateTime Data, TDateTime Hora, const std::string& Olho,
                          double IndConf, const std::string& TipoExame, const std::string& Backup,
                          const std::string& Diag, const std::string& Observacao, int NumAneis,
                          const std::string& TipoCone);
  static void InsertExamesOrto(int ECodExame, double EDiv, double EExc, double ERaio, double ESag);
  static void UpdateBackupExameByCodigo(int Codigo, const std::string& Backup);
  // Empties every exam's backup text; the caller commits. False when the server refused.
  static bool ZeraBackupExames();
  static void UpdateDiagExameByCodigo(int Codigo, const std::string& Diag);
  static void UpdateObsExameByCodigo(int Codigo, const std::string& Obs);
  static void UpdateTipoConeByCodigo(int Codigo, const std::string& TipoCone);
  // Its pictures and orthokeratology values go with it.
  static void DeleteExamesByCodigo(int Codigo);
  static void DeleteExamesOrtoByCodigoExame(int CodExame);
  static int GetCodRespByCodigo(int Codigo);
  static bool ExisteExame(int Codigo);
  static int CountExames();
  static int CountExamesByCodResp(int CodMed);
  static int CountExamesByCodRespCodPaciente(int CodMed, int CodPac);
  // The patient's exams as the table holds them (the patient's TOTALEXAMES is set from it).
  static int CountExamesByCodPaciente(int CodPac);
  // The last exam code issued (0 before the first).
  static int GetUltimoCodigo();
  static int CountExamesSemBackup();
};

#pragma once
// The report routines: the rows of LAUDOS (the report's text lives in its file), and a cursor over
// reports for the backup. The statements need no object; only the cursor does.
#include <string>

#include "core/UDCursor.h"
#include "toolkit/rtl/DateTime.h"

class TDLaudos : public TDCursor {
 public:
  TDLaudos();

  // MedidaOD, MedidaOS: the exam codes of the two eyes, -1 for an eye the report leaves out.
  // Returns the new report's code.
  static int InsertLaudos(int CodPaciente, int MedidaOD, int MedidaOS, const std::string& Backup, TDateTime Data,
                          TDateTime Hora);
  // The caller commits once after all of its rows.
  static void UpdateBackupLaudoByCodigo(int Codigo, const std::string& Backup);
  // Empties every report's backup text; the caller commits. False when the server refused.
  static bool ZeraBackupLaudos();
  static void DeleteLaudosByCodigo(int Codigo);
  static int CountLaudos();
  // The last report code issued (0 before the first).
  static int GetUltimoCodigo();
  static int CountLaudosSemBackup();
  // Reports on the exam for the eye Olho: "OD" or "Direito", "OS" or "Esquerdo" (else EDatabaseError).
  static int CountLaudosByExame(int CodigoExame, const std::string& Olho);
  // Deletes those reports one by one, each with its commit.
  static void DeleteLaudosByExame(int CodigoExame, const std::string& Olho);
};

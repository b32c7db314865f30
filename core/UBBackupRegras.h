#pragma once
// Rules of the backup that need neither windows nor files: when the automatic backup is due, and the
// number part of a backup disc's label.
#include <string>
#include <vector>

#include "toolkit/rtl/DateTime.h"

// Automatic-backup options as the settings hold them (section BACKUP).
struct TOpcoesBackupAuto {
  int Auto = 0;  // 1 by period, 2 every Op2 exams, anything else never
  int Op1_1 = 5;  // period length
  int Op1_2 = 0;  // period unit: 0 days, 1 months
  int Op2 = 200;  // exams without backup
};

// The date text of the last backup in the backup module's details: the 10 characters from the 26th of
// the sixth line; empty when there is no sixth line.
std::string TextoUltimoBackup(const std::vector<std::string>& Detalhes);

// True when the automatic backup is due today. The period counts elapsed days, or whole months elapsed
// since the last backup; a last-backup text that is no date means no backup yet, so it is due.
bool BackupAutomaticoDevido(TDateTime Hoje, const std::string& UltimoBackup, const TOpcoesBackupAuto& Opcoes,
                            int ExamesSemBackup);

// Four digits of a disc number clamped to 0..9999 ("0007").
std::string NumeroDisco(int Numero);

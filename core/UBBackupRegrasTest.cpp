#include "core/UBBackupRegras.h"

#include <gtest/gtest.h>

namespace {

TOpcoesBackupAuto PorDias(int n) { return {1, n, 0, 200}; }
TOpcoesBackupAuto PorMeses(int n) { return {1, n, 1, 200}; }

}  // namespace

TEST(BackupAutomatico, RuleTable) {
  struct Case {
    int ano, mes, dia;  // today
    const char* ultimo;
    TOpcoesBackupAuto opcoes;
    int semBackup;
    bool devido;
  } cases[] = {
      // Days: elapsed days across a month end, a year end and a leap day.
      {2024, 3, 2, "28/02/2024", PorDias(3), 0, true},
      {2024, 3, 1, "28/02/2024", PorDias(3), 0, false},
      {2023, 3, 1, "26/02/2023", PorDias(3), 0, true},
      {2025, 1, 2, "30/12/2024", PorDias(3), 0, true},
      {2025, 1, 1, "30/12/2024", PorDias(3), 0, false},
      {2024, 3, 5, "05/02/2024", PorDias(29), 0, true},
      {2024, 3, 5, "05/02/2024", PorDias(30), 0, false},
      {2024, 6, 10, "10/06/2024", PorDias(0), 0, true},
      {2024, 6, 10, "11/06/2024", PorDias(1), 0, false},
      {2024, 6, 10, "10\\06\\2024", PorDias(1), 0, false},
      {2024, 6, 11, "10\\06\\2024", PorDias(1), 0, true},
      // Months: whole elapsed months, month ends reached by the shorter month, a year end and leap days.
      {2025, 2, 28, "31/01/2025", PorMeses(1), 0, true},
      {2025, 2, 27, "31/01/2025", PorMeses(1), 0, false},
      {2024, 2, 29, "31/01/2024", PorMeses(1), 0, true},
      {2024, 2, 28, "31/01/2024", PorMeses(1), 0, false},
      {2025, 1, 15, "15/12/2024", PorMeses(1), 0, true},
      {2025, 1, 14, "15/12/2024", PorMeses(1), 0, false},
      {2025, 1, 1, "31/12/2024", PorMeses(1), 0, false},
      {2025, 2, 28, "29/02/2024", PorMeses(12), 0, true},
      {2025, 2, 27, "29/02/2024", PorMeses(12), 0, false},
      {2024, 5, 10, "20/02/2024", PorMeses(3), 0, false},
      {2024, 5, 20, "20/02/2024", PorMeses(3), 0, true},
      {2024, 3, 1, "31/03/2023", PorMeses(11), 0, true},
      {2024, 3, 1, "01/04/2023", PorMeses(11), 0, true},
      {2024, 3, 1, "02/04/2023", PorMeses(11), 0, false},
      // A later date (clock set back) is not due.
      {2024, 1, 1, "01/02/2024", PorMeses(0), 0, false},
      {2024, 1, 1, "02/01/2024", PorDias(0), 0, false},
      // No backup yet: no date, or a text that is no date.
      {2024, 1, 1, "", PorDias(30), 0, true},
      {2024, 1, 1, "", PorMeses(6), 0, true},
      {2024, 1, 1, "nunca     ", PorDias(30), 0, true},
      {2024, 1, 1, "31/02/2023", PorMeses(6), 0, true},
      {2024, 1, 1, "01/12", PorDias(30), 0, true},
      // By exam count.
      {2024, 1, 1, "01/01/2024", {2, 5, 0, 200}, 200, true},
      {2024, 1, 1, "01/01/2024", {2, 5, 0, 200}, 199, false},
      {2024, 1, 1, "", {2, 5, 0, 1}, 0, false},
      // Never, and modes or units of no meaning.
      {2024, 1, 1, "", {0, 5, 0, 200}, 1000, false},
      {2024, 1, 1, "01/01/2000", {3, 5, 0, 0}, 1000, false},
      {2024, 1, 1, "01/01/2000", {1, 5, 2, 0}, 1000, false},
  };
  for (const Case& c : cases) {
    const TDateTime hoje = EncodeDate(c.ano, c.mes, c.dia) + 0.75;  // an evening: only the day counts
    EXPECT_EQ(BackupAutomaticoDevido(hoje, c.ultimo, c.opcoes, c.semBackup), c.devido)
        << c.dia << "/" << c.mes << "/" << c.ano << " last " << c.ultimo << " mode " << c.opcoes.Auto << " "
        << c.opcoes.Op1_1 << " unit " << c.opcoes.Op1_2 << " count " << c.semBackup;
  }
}

TEST(BackupAutomatico, LastBackupTextIsTheSixthLineFromItsTwentySixthCharacter) {
  const std::string sexta = "Data do \xFAltimo backup:   17/03/2024 e mais";
  EXPECT_EQ(TextoUltimoBackup({"1", "2", "3", "4", "5", sexta}), "17/03/2024");
  EXPECT_EQ(TextoUltimoBackup({"1", "2", "3", "4", "5", sexta.substr(0, 30)}), "17/03");
  EXPECT_EQ(TextoUltimoBackup({"1", "2", "3", "4", "5", "curta"}), "");
  EXPECT_EQ(TextoUltimoBackup({"1", "2", "3", "4", "5"}), "");
  EXPECT_EQ(TextoUltimoBackup({}), "");
}

TEST(NumeroDisco, FourDigitsClamped) {
  struct Case {
    int numero;
    const char* texto;
  } cases[] = {{0, "0000"}, {7, "0007"}, {123, "0123"}, {9999, "9999"}, {10000, "9999"}, {123456, "9999"},
               {-1, "0000"}, {-50000, "0000"}};
  for (const Case& c : cases) EXPECT_EQ(NumeroDisco(c.numero), c.texto) << c.numero;
}

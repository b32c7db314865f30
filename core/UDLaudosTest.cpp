#include "core/UDLaudos.h"

#include "core/RecordsTestSupport.h"

namespace {

using recordstest::RecordsTest;

class LaudosTest : public RecordsTest {
 protected:
  void SetUp() override {
    RecordsTest::SetUp();
    medico = Medico("Dr. João");
    paciente = Paciente("Conceição");
    od = Exame(paciente, medico, "OD");
    os = Exame(paciente, medico, "OS");
  }
  int Laudo(int medidaOD, int medidaOS, const std::string& backup = "") {
    return TDLaudos::InsertLaudos(paciente, medidaOD, medidaOS, backup, EncodeDate(2026, 12, 10),
                                  EncodeTime(16, 20, 0, 0));
  }
  int medico = 0, paciente = 0, od = 0, os = 0;
};

TEST_F(LaudosTest, InsertAndCounts) {
  EXPECT_EQ(TDLaudos::CountLaudos(), 0);
  EXPECT_EQ(TDLaudos::GetUltimoCodigo(), 0);
  const int ambos = Laudo(od, os);
  const int soDireito = Laudo(od, -1);
  EXPECT_EQ(ambos, 1);
  EXPECT_EQ(soDireito, 2);
  EXPECT_EQ(TDLaudos::GetUltimoCodigo(), soDireito);
  EXPECT_EQ(TDLaudos::CountLaudos(), 2);
  EXPECT_FALSE(DMPrincipal->IBOperation->Active());

  TIBQuery& q = Sql("SELECT * FROM LAUDOS WHERE CODIGO = :C", [&](TIBQuery& q) { q.ParamByName("C").SetAsInteger(soDireito); });
  q.Open();
  EXPECT_EQ(q.FieldByName("CODPACIENTE")->AsInteger(), paciente);
  EXPECT_EQ(q.FieldByName("MEDIDAOD")->AsInteger(), od);
  EXPECT_EQ(q.FieldByName("MEDIDAOS")->AsInteger(), -1);
  EXPECT_EQ(q.FieldByName("DATA")->AsDateTime(), EncodeDate(2026, 12, 10));
  EXPECT_NEAR(q.FieldByName("HORA")->AsDateTime(), EncodeTime(16, 20, 0, 0), 1e-9);
  q.Close();

  const struct {
    const char* Olho;
    int Exame, Laudos;
  } casos[] = {{"OD", od, 2}, {"Direito", od, 2}, {"OS", os, 1}, {"Esquerdo", os, 1}, {"OS", od, 0}, {"OD", 99, 0}};
  for (const auto& c : casos) EXPECT_EQ(TDLaudos::CountLaudosByExame(c.Exame, c.Olho), c.Laudos) << c.Olho;
  EXPECT_THROW(TDLaudos::CountLaudosByExame(od, "od"), EDatabaseError);
  EXPECT_THROW(TDLaudos::DeleteLaudosByExame(od, "Ambos"), EDatabaseError);
}

// The generator answers even when the table is empty again.
TEST_F(LaudosTest, GetUltimoCodigoOnAnEmptyTable) {
  const int codigo = Laudo(od, os);
  TDLaudos::DeleteLaudosByCodigo(codigo);
  EXPECT_EQ(TDLaudos::CountLaudos(), 0);
  EXPECT_EQ(TDLaudos::GetUltimoCodigo(), codigo);
}

TEST_F(LaudosTest, BackupFlags) {
  const int a = Laudo(od, os), b = Laudo(od, -1);
  const int c = Laudo(-1, os, "CD0001");
  EXPECT_EQ(TDLaudos::CountLaudosSemBackup(), 2);
  Sql("UPDATE LAUDOS SET BACKUP = NULL WHERE CODIGO = :C", [&](TIBQuery& q) { q.ParamByName("C").SetAsInteger(b); })
      .ExecSQL();
  EXPECT_EQ(TDLaudos::CountLaudosSemBackup(), 1);  // a NULL flag is not an empty one
  dm->IBTransaction->Commit();

  // Setting and resetting flags leave the commit to the caller.
  TDLaudos::UpdateBackupLaudoByCodigo(a, "CD0002");
  EXPECT_EQ(TDLaudos::CountLaudosSemBackup(), 0);
  dm->IBTransaction->Rollback();
  EXPECT_EQ(TDLaudos::CountLaudosSemBackup(), 1);

  EXPECT_TRUE(TDLaudos::ZeraBackupLaudos());
  EXPECT_EQ(TDLaudos::CountLaudosSemBackup(), 3);
  dm->IBTransaction->Rollback();
  EXPECT_EQ(Rows("LAUDOS", "BACKUP = 'CD0001'"), 1) << c;

  dm->PDesconectionDataBase();
  dm->IBDatabase->SetDatabaseName(path + ".naoexiste");
  EXPECT_FALSE(TDLaudos::ZeraBackupLaudos());
}

TEST_F(LaudosTest, DeleteLaudosByExame) {
  const int a = Laudo(od, os), b = Laudo(od, -1), c = Laudo(-1, os);
  // An uncommitted change shows whether anything commits.
  TDLaudos::UpdateBackupLaudoByCodigo(c, "CD0009");
  TDLaudos::DeleteLaudosByExame(99, "Direito");
  EXPECT_EQ(TDLaudos::CountLaudos(), 3);
  dm->IBTransaction->Rollback();
  EXPECT_EQ(Rows("LAUDOS", "BACKUP = 'CD0009'"), 0);

  TDLaudos::DeleteLaudosByExame(od, "OD");
  EXPECT_EQ(TDLaudos::CountLaudos(), 1);
  EXPECT_EQ(Rows("LAUDOS", "CODIGO = " + std::to_string(c)), 1) << a << b;
  TDLaudos::DeleteLaudosByExame(os, "Esquerdo");
  EXPECT_EQ(TDLaudos::CountLaudos(), 0);
}

TEST_F(LaudosTest, Cursor) {
  const int a = Laudo(od, os);
  Laudo(od, -1, "CD0001");
  const int c = Laudo(-1, os);

  TDLaudos cursor;
  cursor.Navegar("Backup", "", "SELECT");
  EXPECT_FALSE(DMPrincipal->IBQueryLaudos->Active());
  EXPECT_EQ(cursor.GetCodigo(), 0);

  cursor.Ativar();
  cursor.Navegar("Backup", "", "SELECT");
  EXPECT_EQ(DMPrincipal->IBQueryLaudos->RecordCount(), 2);
  EXPECT_EQ(cursor.GetCodigo(), a);
  EXPECT_EQ(cursor.GetCodPaciente(), paciente);
  cursor.Navegar("Backup", "", "Next");
  EXPECT_EQ(cursor.GetCodigo(), c);
  cursor.Navegar("Backup", "", "Last");
  cursor.Navegar("Backup", "", "Prior");
  EXPECT_EQ(cursor.GetCodigo(), a);

  // After Desativar the cursor answers 0 whatever row it was on.
  cursor.Navegar("Backup", "", "Next");
  cursor.Desativar();
  EXPECT_FALSE(DMPrincipal->IBQueryLaudos->Active());
  EXPECT_EQ(cursor.GetCodigo(), 0);
  EXPECT_EQ(cursor.GetCodPaciente(), 0);
}

}  // namespace

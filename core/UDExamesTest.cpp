#include "core/UDExames.h"

#include "core/RecordsTestSupport.h"
#include "core/UDArquivos.h"

namespace {

using recordstest::RecordsTest;
using ExamesTest = RecordsTest;

TEST_F(ExamesTest, InsertStoresEveryField) {
  EXPECT_EQ(TDExames::GetUltimoCodigo(), 0);  // empty table: the generator still answers
  const int medico = Medico("Dr. João");
  const int paciente = Paciente("Inês");
  const int codigo = TDExames::InsertExames(paciente, medico, EncodeDate(2026, 12, 10), EncodeTime(14, 5, 9, 0), "OS",
                                            0.875, "O", "", "Ceratocone incipiente", "Reavaliar em 6 meses", 32, "4");
  EXPECT_EQ(codigo, 1);
  EXPECT_EQ(TDExames::GetUltimoCodigo(), codigo);
  EXPECT_EQ(TDExames::GetCodRespByCodigo(codigo), medico);

  TIBQuery& q = Sql("SELECT * FROM EXAMES WHERE CODIGO = :C", [&](TIBQuery& q) { q.ParamByName("C").SetAsInteger(codigo); });
  q.Open();
  EXPECT_EQ(q.FieldByName("CODPACIENTE")->AsInteger(), paciente);
  EXPECT_EQ(q.FieldByName("DATA")->AsDateTime(), EncodeDate(2026, 12, 10));
  EXPECT_NEAR(q.FieldByName("HORA")->AsDateTime(), EncodeTime(14, 5, 9, 0), 1e-9);
  EXPECT_EQ(q.FieldByName("OLHO")->AsString(), "OS");
  EXPECT_DOUBLE_EQ(q.FieldByName("INDCONF")->AsFloat(), 0.875);
  EXPECT_EQ(q.FieldByName("TIPOEXAME")->AsString(), "O");
  EXPECT_EQ(q.FieldByName("BACKUP")->AsString(), "");
  EXPECT_EQ(q.FieldByName("DIAG")->AsString(), "Ceratocone incipiente");
  EXPECT_EQ(q.FieldByName("OBSERVACAO")->AsString(), "Reavaliar em 6 meses");
  EXPECT_EQ(q.FieldByName("NUMANEIS")->AsInteger(), 32);
  EXPECT_EQ(q.FieldByName("TIPOCONE")->AsString(), "4");
  q.Close();

  TDExames::UpdateDiagExameByCodigo(codigo, "Córnea regular");
  TDExames::UpdateObsExameByCodigo(codigo, "Sem observações");
  TDExames::UpdateTipoConeByCodigo(codigo, "2");
  q.Open();
  EXPECT_EQ(q.FieldByName("DIAG")->AsString(), "Córnea regular");
  EXPECT_EQ(q.FieldByName("OBSERVACAO")->AsString(), "Sem observações");
  EXPECT_EQ(q.FieldByName("TIPOCONE")->AsString(), "2");
}

TEST_F(ExamesTest, Counts) {
  const int m1 = Medico("A"), m2 = Medico("B");
  const int p1 = Paciente("P1"), p2 = Paciente("P2");
  Exame(p1, m1);
  Exame(p1, m1, "OS");
  Exame(p2, m1);
  Exame(p1, m2);
  EXPECT_EQ(TDExames::CountExames(), 4);
  const struct {
    int Medico, Paciente, Total, DoPaciente;
  } casos[] = {{m1, p1, 3, 2}, {m1, p2, 3, 1}, {m2, p1, 1, 1}, {m2, p2, 1, 0}, {99, p1, 0, 0}};
  for (const auto& c : casos) {
    EXPECT_EQ(TDExames::CountExamesByCodResp(c.Medico), c.Total);
    EXPECT_EQ(TDExames::CountExamesByCodRespCodPaciente(c.Medico, c.Paciente), c.DoPaciente);
  }
  EXPECT_EQ(TDExames::CountExamesByCodPaciente(p1), 3);
  EXPECT_EQ(TDExames::CountExamesByCodPaciente(p2), 1);
  EXPECT_EQ(TDExames::CountExamesByCodPaciente(99), 0);
  EXPECT_EQ(TDExames::GetCodRespByCodigo(99), 0);
}

// Only the empty flag counts: a backed-up exam and a NULL flag are not "without backup".
TEST_F(ExamesTest, CountExamesSemBackupCountsExactlyTheEmptyFlags) {
  const int m = Medico("A"), p = Paciente("P");
  const int e1 = Exame(p, m), e2 = Exame(p, m), e3 = Exame(p, m, "OS", "CD0001");
  Exame(p, m);
  EXPECT_EQ(TDExames::CountExamesSemBackup(), 3);
  TDExames::UpdateBackupExameByCodigo(e1, "CD0002");
  EXPECT_EQ(TDExames::CountExamesSemBackup(), 2);
  Sql("UPDATE EXAMES SET BACKUP = NULL WHERE CODIGO = :C", [&](TIBQuery& q) { q.ParamByName("C").SetAsInteger(e2); })
      .ExecSQL();
  EXPECT_EQ(TDExames::CountExamesSemBackup(), 1);
  EXPECT_EQ(Rows("EXAMES", "BACKUP = 'CD0001'"), 1) << e3;

  EXPECT_TRUE(TDExames::ZeraBackupExames());
  EXPECT_EQ(TDExames::CountExamesSemBackup(), 4);
  // Resetting leaves the commit to the caller.
  dm->IBTransaction->Rollback();
  EXPECT_EQ(TDExames::CountExamesSemBackup(), 2);
}

TEST_F(ExamesTest, ZeraBackupExamesReportsARefusal) {
  dm->PDesconectionDataBase();
  dm->IBDatabase->SetDatabaseName(path + ".naoexiste");
  EXPECT_FALSE(TDExames::ZeraBackupExames());
}

TEST_F(ExamesTest, OrthokeratologyValues) {
  const int e = Exame(Paciente("P"), Medico("M"));
  TDExames::InsertExamesOrto(e, 1.25, 0.5, 7.8, 0.031);
  TIBQuery& q = Sql("SELECT * FROM EXAMESORTO WHERE CODEXAME = :C", [&](TIBQuery& q) { q.ParamByName("C").SetAsInteger(e); });
  q.Open();
  EXPECT_DOUBLE_EQ(q.FieldByName("DIV")->AsFloat(), 1.25);
  EXPECT_DOUBLE_EQ(q.FieldByName("EXC")->AsFloat(), 0.5);
  EXPECT_DOUBLE_EQ(q.FieldByName("RAIO")->AsFloat(), 7.8);
  EXPECT_DOUBLE_EQ(q.FieldByName("SAG")->AsFloat(), 0.031);
  q.Close();
  TDExames::DeleteExamesOrtoByCodigoExame(e);
  EXPECT_EQ(Rows("EXAMESORTO"), 0);
  EXPECT_EQ(Rows("EXAMES"), 1);
}

// Deleting an exam takes its pictures and orthokeratology values with it, and nothing else.
TEST_F(ExamesTest, DeleteLeavesNoPicturesOrOrthokeratologyRows) {
  const int m = Medico("M"), p = Paciente("P");
  const int alvo = Exame(p, m), outro = Exame(p, m);
  TStringStream jpeg("\xFF\xD8 jpeg"), vazio;
  for (int e : {alvo, outro}) {
    TDExames::InsertExamesOrto(e, 1, 2, 3, 4);
    TDArquivos::InsertArquivos(e, &jpeg, &vazio);
  }
  TDExames::DeleteExamesByCodigo(alvo);
  EXPECT_EQ(Rows("EXAMES"), 1);
  EXPECT_EQ(Rows("ARQUIVOS", "CODIGO_EXAMES = " + std::to_string(alvo)), 0);
  EXPECT_EQ(Rows("EXAMESORTO", "CODEXAME = " + std::to_string(alvo)), 0);
  EXPECT_EQ(Rows("ARQUIVOS"), 1);
  EXPECT_EQ(Rows("EXAMESORTO"), 1);
  EXPECT_EQ(TDExames::GetUltimoCodigo(), outro);
}

TEST_F(ExamesTest, Cursor) {
  const int m = Medico("M"), p1 = Paciente("P1"), p2 = Paciente("P2");
  const int e1 = Exame(p1, m), e2 = Exame(p2, m, "OS");
  Exame(p1, m, "OD", "CD0001");

  TDExames cursor;
  EXPECT_FALSE(cursor.GetAtivo());
  cursor.Navegar("Backup", "", "SELECT");  // inactive: nothing happens
  EXPECT_FALSE(DMPrincipal->IBQueryExames->Active());
  EXPECT_EQ(cursor.GetCodigo(), 0);
  EXPECT_EQ(cursor.GetCodPaciente(), 0);

  cursor.Ativar();
  cursor.Navegar("Backup", "", "SELECT");
  ASSERT_TRUE(DMPrincipal->IBQueryExames->Active());
  EXPECT_EQ(DMPrincipal->IBQueryExames->RecordCount(), 2);
  EXPECT_EQ(cursor.GetCodigo(), e1);
  EXPECT_EQ(cursor.GetCodPaciente(), p1);
  cursor.Navegar("Backup", "", "Next");
  EXPECT_EQ(cursor.GetCodigo(), e2);
  EXPECT_EQ(cursor.GetCodPaciente(), p2);
  cursor.Navegar("Backup", "", "Last");  // not an operation of the cursor
  cursor.Navegar("Backup", "", "next");
  EXPECT_EQ(cursor.GetCodigo(), e2);
  cursor.Navegar("Backup", "", "Prior");
  EXPECT_EQ(cursor.GetCodigo(), e1);
  cursor.Navegar("Backup", "", "Next");
  cursor.Navegar("Backup", "", "First");
  EXPECT_EQ(cursor.GetCodigo(), e1);

  cursor.Navegar("Backup", "CD0001", "SELECT");
  EXPECT_EQ(DMPrincipal->IBQueryExames->RecordCount(), 1);
  // The column is put into the statement: only a plain name passes.
  EXPECT_THROW(cursor.Navegar("Backup='' OR 1=1 OR Backup", "", "SELECT"), EDatabaseError);

  cursor.Desativar();
  EXPECT_FALSE(cursor.GetAtivo());
  EXPECT_FALSE(DMPrincipal->IBQueryExames->Active());
  EXPECT_EQ(cursor.GetCodigo(), 0);
  cursor.SetAtivo(true);
  EXPECT_TRUE(cursor.GetAtivo());
}

}  // namespace

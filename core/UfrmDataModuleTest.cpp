// The data module on database files made from the schema script, embedded and on a server.
#include "core/UfrmDataModule.h"

#include <gtest/gtest.h>

#include "toolkit/db/DbTestSupport.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/ui/Forms.h"

namespace {

class DataModuleTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { InitControls(); }
  static void TearDownTestSuite() { DoneControls(); }

  void SetUp() override {
    dir = dbtest::FreshDir(std::string("DataModule/") + testing::UnitTest::GetInstance()->current_test_info()->name());
    path = dbtest::WinPath(dir + "/BancoDados/DATABASE.GDB");
    Application->CreateForm(dm);
  }
  void TearDown() override { dm->Free(); }

  // Runs a statement on the scratch query as the data-access routines do.
  void Run(const std::string& sql, const std::function<void(TIBQuery&)>& bind = {}, bool open = false) {
    TIBQuery& q = *dm->IBOperation;
    q.Close();
    q.SQL().Clear();
    q.SQL().Add(sql);
    if (bind) bind(q);
    if (open)
      q.Open();
    else
      q.ExecSQL();
  }

  std::string dir, path;
  TDMPrincipal* dm = nullptr;
  TDialogScript dialogs;
};

TEST_F(DataModuleTest, CreatesTheDatabaseOnceFromTheScript) {
  EXPECT_EQ(DMPrincipal, dm);
  EXPECT_TRUE(TDMPrincipal::PCreateDataBase(path));
  EXPECT_TRUE(FileExists(path));
  EXPECT_FALSE(TDMPrincipal::PCreateDataBase(path));
  EXPECT_FALSE(TDMPrincipal::PCreateDataBase("localhost:/var/lib/firebird/DATABASE.GDB"));
  ASSERT_TRUE(dm->PSetDataBaseName(path));
  EXPECT_TRUE(dialogs.Log().empty());

  // Every procedure with its parameters, in order.
  const std::vector<std::pair<std::string, std::string>> procedures{
      {"INSERTMEDICOS", "NOME,RG,CPF,CRM,SEXO,ESTADOCIVIL,CONJUGE,DATANASCIMENTO,NATURALIDADE,NATURALIDADEESTADO,PAI,"
                        "MAE,RUA,COMPLEMENTO,BAIRRO,CIDADE,ESTADO,CEP,FONE,CELULAR"},
      {"UPDATEMEDICOSBYCODIGO", "CODIGO,NOME,RG,CPF,CRM,SEXO,ESTADOCIVIL,CONJUGE,DATANASCIMENTO,NATURALIDADE,"
                                "NATURALIDADEESTADO,PAI,MAE,RUA,COMPLEMENTO,BAIRRO,CIDADE,ESTADO,CEP,FONE,CELULAR"},
      {"DELETEMEDICOSBYCODIGO", "CODIGO"},
      {"INSERTPACIENTES", "NOME,RG,CPF,SEXO,ESTADOCIVIL,CONJUGE,DATANASCIMENTO,NATURALIDADE,NATURALIDADEESTADO,PAI,"
                          "MAE,RUA,COMPLEMENTO,BAIRRO,CIDADE,ESTADO,CEP,FONE,CELULAR,CONVENIO,PROFISSAO,TIPOSANG,"
                          "DTCADASTRO,TOTALEXAMES"},
      {"UPDATEPACIENTESBYCODIGO", "CODIGO,NOME,RG,CPF,SEXO,ESTADOCIVIL,CONJUGE,DATANASCIMENTO,NATURALIDADE,"
                                  "NATURALIDADEESTADO,PAI,MAE,RUA,COMPLEMENTO,BAIRRO,CIDADE,ESTADO,CEP,FONE,CELULAR,"
                                  "CONVENIO,PROFISSAO,TIPOSANG"},
      {"DELETEPACIENTESBYCODIGO", "CODIGO"},
      {"UPDATEEXAMESPACIENTESBYCODIGO", "CODIGO,ULTIMOEXAME,TOTALEXAMES"},
      {"INSERTEXAMES", "CODPACIENTE,CODRESP,DATA,HORA,OLHO,INDCONF,TIPOEXAME,BACKUP,DIAG,OBSERVACAO,NUMANEIS,TIPOCONE"},
      {"INSERTEXAMESORTO", "ECODEXAME,EDIV,EEXC,ERAIO,ESAG"},
      {"UPDATEBACKUPEXAMEBYCODIGO", "CODIGO,BACKUP"},
      {"ZERABACKUPEXAMES", ""},
      {"UPDATEDIAGEXAMEBYCODIGO", "CODIGO,DIAG"},
      {"UPDATEOBSEXAMEBYCODIGO", "CODIGO,OBS"},
      {"UPDATETIPOCONEBYCODIGO", "CODIGO,TIPOCONE"},
      {"DELETEEXAMESBYCODIGO", "CODIGO"},
      {"DELETEEXAMESORTOBYCODIGOEXAME", "CODEXAME"},
      {"INSERTARQUIVOS", "CODIGO_EXAMES,IMAGEM_CENTRAL,IMAGEM_LATERAL"},
      {"INSERTLAUDOS", "CODPACIENTE,MEDIDAOD,MEDIDAOS,BACKUP,DATA,HORA"},
      {"UPDATEBACKUPLAUDOBYCODIGO", "CODIGO,BACKUP"},
      {"ZERABACKUPLAUDOS", ""},
      {"DELETELAUDOSBYCODIGO", "CODIGO"},
  };
  for (const auto& [name, params] : procedures) {
    Run("SELECT TRIM(RDB$PARAMETER_NAME) FROM RDB$PROCEDURE_PARAMETERS WHERE RDB$PROCEDURE_NAME = :P "
        "AND RDB$PARAMETER_TYPE = 0 ORDER BY RDB$PARAMETER_NUMBER",
        [&](TIBQuery& q) { q.ParamByName("P").SetAsString(name); }, true);
    std::string got;
    for (; !dm->IBOperation->Eof(); dm->IBOperation->Next())
      got += (got.empty() ? "" : ",") + dm->IBOperation->Fields(0)->AsString();
    EXPECT_EQ(got, params) << name;
  }
  Run("SELECT COUNT(*) FROM RDB$PROCEDURES WHERE RDB$SYSTEM_FLAG = 0", {}, true);
  EXPECT_EQ(dm->IBOperation->FieldByName("COUNT")->AsInteger(), static_cast<int>(procedures.size()));
  // Only the report editor's standard texts come with the script.
  for (const char* table : {"PACIENTES", "MEDICOS", "EXAMES", "EXAMESORTO", "ARQUIVOS", "LAUDOS", "LAUDOSTEXTO",
                            "IDIOMA", "IDIOMA_DEFAULT", "LANG"}) {
    Run(std::string("SELECT COUNT(*) FROM ") + table, {}, true);
    const int linhas = dm->IBOperation->FieldByName("COUNT")->AsInteger();
    if (std::string(table) == "LAUDOSTEXTO")
      EXPECT_GT(linhas, 0) << table;
    else
      EXPECT_EQ(linhas, 0) << table;
  }
}

TEST_F(DataModuleTest, ConnectsTwiceAndCommitReopensTheSixDataSets) {
  ASSERT_TRUE(TDMPrincipal::PCreateDataBase(path));
  ASSERT_TRUE(dm->PSetDataBaseName(path));
  ASSERT_TRUE(dm->PSetDataBaseName(path)) << "a second call disconnects first and ends connected";
  EXPECT_TRUE(dm->IBDatabase->Connected());
  EXPECT_TRUE(dm->IBTransaction->Active());
  EXPECT_EQ(dm->IBDatabase->Params().Values("user_name"), "sysdba");

  dm->IBQueryExames->Open();
  dm->PCommitDataBase();
  EXPECT_FALSE(dm->IBQueryExames->Active()) << "the commit closes every data set";
  for (TDataSet* d : std::initializer_list<TDataSet*>{dm->IBMedicos, dm->IBPacientes, dm->IBExames, dm->IBLaudos,
                                                     dm->IBLaudosTexto, dm->IBQueryPacientes})
    EXPECT_TRUE(d->Active()) << static_cast<TComponent*>(d)->Name();
  dm->IBLaudos->Close();
  dm->PCommitDataBase();
  EXPECT_TRUE(dm->IBLaudos->Active());
  EXPECT_EQ(dm->DSPacientes->DataSet(), dm->IBPacientes);
  EXPECT_TRUE(dm->IBPacientes->CachedUpdates());
  EXPECT_EQ(dm->FindComponent("IBOperation"), dm->IBOperation);

  dm->PDesconectionDataBase();
  EXPECT_FALSE(dm->IBDatabase->Connected());
  EXPECT_FALSE(dm->IBPacientes->Active());
  EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(DataModuleTest, AMissingFileIsReported) {
  dialogs.Answer(IDOK);
  EXPECT_FALSE(dm->PSetDataBaseName(dbtest::WinPath(dir + "/NADA.GDB")));
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Usuário/Senha de BD incorreto!");
  EXPECT_EQ(dialogs.Log()[0].Caption, "ERRO");
  EXPECT_EQ(dialogs.Log()[0].Buttons, static_cast<UINT>(MB_OKCANCEL));
  EXPECT_FALSE(dm->IBDatabase->Connected());
}

TEST_F(DataModuleTest, ProceduresGiveCodesAndKeepNoOrphans) {
  ASSERT_TRUE(TDMPrincipal::PCreateDataBase(path));
  ASSERT_TRUE(dm->PSetDataBaseName(path));
  const char* texts[] = {"Nome", "Rg", "CPF", "Sexo", "EstadoCivil", "Conjuge", "DataNascimento", "Naturalidade",
                         "NaturalidadeEstado", "Pai", "Mae", "Rua", "Complemento", "Bairro", "Cidade", "Estado",
                         "Cep", "Fone", "Celular", "Convenio", "Profissao", "TipoSang"};
  auto insertPatient = [&](const std::string& nome) {
    Run("Execute Procedure InsertPacientes :Nome,:Rg,:CPF,:Sexo,:EstadoCivil,:Conjuge,:DataNascimento,"
        ":Naturalidade,:NaturalidadeEstado,:Pai,:Mae,:Rua,:Complemento,:Bairro,:Cidade,:Estado,:Cep,:Fone,"
        ":Celular,:Convenio,:Profissao,:TipoSang,:DtCadastro,:TotalExames",
        [&](TIBQuery& q) {
          for (const char* t : texts) q.ParamByName(t).SetAsString("");
          q.ParamByName("Nome").SetAsString(nome);
          q.ParamByName("DtCadastro").SetAsDate(EncodeDate(2026, 12, 10));
          q.ParamByName("TotalExames").SetAsInteger(0);
        },
        true);
    return dm->IBOperation->FieldByName("CODIGO")->AsInteger();
  };
  EXPECT_EQ(insertPatient("José Ângelo"), 1);
  EXPECT_EQ(insertPatient("maria da conceição"), 2);
  dm->PCommitDataBase();
  Run("SELECT GEN_ID(Codigo_Pacientes, 0) FROM RDB$DATABASE", {}, true);
  EXPECT_EQ(dm->IBOperation->FieldByName("GEN_ID")->AsInteger(), 2);

  Run("SELECT * FROM Pacientes WHERE Upper(Nome) LIKE :Prefixo ORDER BY Nome",
      [](TIBQuery& q) { q.ParamByName("Prefixo").SetAsString("MARIA DA CONCEIÇ%"); }, true);
  ASSERT_EQ(dm->IBOperation->RecordCount(), 1);
  EXPECT_EQ(dm->IBOperation->FieldByName("NOME")->AsString(), "maria da conceição");
  EXPECT_FALSE(dm->IBOperation->FieldByName("RG")->IsNull());
  EXPECT_FALSE(dm->IBOperation->FieldByName("ULTIMOEXAME")->IsNull());
  EXPECT_EQ(dm->IBOperation->FieldByName("CODMEDICO")->AsInteger(), 0);

  Run("Execute Procedure InsertMedicos :Nome,:Rg,:CPF,:Crm,:Sexo,:EstadoCivil,:Conjuge,:DataNascimento,"
      ":Naturalidade,:NaturalidadeEstado,:Pai,:Mae,:Rua,:Complemento,:Bairro,:Cidade,:Estado,:Cep,:Fone,:Celular",
      [](TIBQuery& q) {
        for (int i = 0; i < q.ParamCount(); ++i) q.Params().Items(i).SetAsString("");
        q.ParamByName("Nome").SetAsString("Dra. Inês");
      },
      true);
  const int medico = dm->IBOperation->FieldByName("CODIGO")->AsInteger();
  Run("Execute Procedure InsertExames :CodPaciente,:CodResp,:Data,:Hora,:Olho,:IndConf,:TipoExame,:Backup,:Diag,"
      ":Observacao,:NumAneis,:TipoCone",
      [&](TIBQuery& q) {
        q.ParamByName("CodPaciente").SetAsInteger(1);
        q.ParamByName("CodResp").SetAsInteger(medico);
        q.ParamByName("Data").SetAsDate(EncodeDate(2026, 12, 10));
        q.ParamByName("Hora").SetAsTime(EncodeTime(9, 30, 15, 0));
        q.ParamByName("Olho").SetAsString("OD");
        q.ParamByName("IndConf").SetAsFloat(0.875);
        for (const char* t : {"TipoExame", "Backup", "Diag", "Observacao", "TipoCone"}) q.ParamByName(t).SetAsString("");
        q.ParamByName("NumAneis").SetAsInteger(24);
      },
      true);
  const int exame = dm->IBOperation->FieldByName("CODIGO")->AsInteger();
  EXPECT_EQ(exame, 1);
  TMemoryStream central, lateral;
  central.Write("JPEG", 4);
  Run("Execute Procedure InsertArquivos  :Codigo_Exames,:Imagem_Central,:Imagem_Lateral", [&](TIBQuery& q) {
    q.ParamByName("Codigo_Exames").SetAsInteger(exame);
    q.ParamByName("Imagem_Central").LoadFromStream(central);
    q.ParamByName("Imagem_Lateral").LoadFromStream(lateral);
  });
  Run("Execute Procedure InsertExamesOrto :ECodExame,:EDiv,:EExc,:ERaio,:ESag", [&](TIBQuery& q) {
    q.ParamByName("ECodExame").SetAsInteger(exame);
    for (const char* f : {"EDiv", "EExc", "ERaio", "ESag"}) q.ParamByName(f).SetAsFloat(1.5);
  });
  dm->PCommitDataBase();
  Run("SELECT COUNT(*) FROM Exames WHERE Exames.Backup=:Backup", [](TIBQuery& q) { q.ParamByName("Backup").SetAsString(""); },
      true);
  EXPECT_EQ(dm->IBOperation->FieldByName("COUNT")->AsInteger(), 1) << "a new exam's flag is '', not NULL";

  EXPECT_THROW(Run("Execute Procedure DeletePacientesByCodigo :Codigo",
                   [](TIBQuery& q) { q.ParamByName("Codigo").SetAsInteger(1); }),
               EDatabaseError)
      << "a patient with exams stays";

  Run("Execute Procedure DeleteExamesByCodigo :Codigo", [&](TIBQuery& q) { q.ParamByName("Codigo").SetAsInteger(exame); });
  dm->PCommitDataBase();
  for (const char* table : {"Exames", "Arquivos", "ExamesOrto"}) {
    Run(std::string("SELECT COUNT(*) FROM ") + table, {}, true);
    EXPECT_EQ(dm->IBOperation->FieldByName("COUNT")->AsInteger(), 0) << table;
  }
}

TEST_F(DataModuleTest, ServerTakesTheFallbackPasswordWithoutAMessage) {
  dbtest::TTestServer server("DataModuleServer", "vorbanite");
  const std::string name = server.DatabaseName("DATABASE.GDB");
  {
    TIBDatabase db(nullptr);
    db.SetDatabaseName(name);
    db.CreateDatabase("USER 'SYSDBA' PASSWORD 'vorbanite' DEFAULT CHARACTER SET WIN1252");
  }
  EXPECT_FALSE(TDMPrincipal::PCreateDataBase(name)) << "a server's database is not made by the program";
  ASSERT_TRUE(dm->PSetDataBaseName(name));
  EXPECT_TRUE(dialogs.Log().empty());
  EXPECT_EQ(dm->IBDatabase->Params().Values("password"), "vorbanite");
  Run("SELECT CURRENT_USER FROM RDB$DATABASE", {}, true);
  EXPECT_EQ(dm->IBOperation->Fields(0)->AsString(), "SYSDBA");
  dm->PDesconectionDataBase();

  dbtest::TTestServer other("DataModuleServer2", "outra");
  {
    TIBDatabase db(nullptr);
    db.SetDatabaseName(other.DatabaseName("DATABASE.GDB"));
    db.CreateDatabase("USER 'SYSDBA' PASSWORD 'outra' DEFAULT CHARACTER SET WIN1252");
  }
  dialogs.Answer(IDCANCEL);
  EXPECT_FALSE(dm->PSetDataBaseName(other.DatabaseName("DATABASE.GDB")));
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Usuário/Senha de BD incorreto!");
}

}  // namespace

#include "core/UfrmDataModule.h"

#include "core/schema/DatabaseSchema.h"
#include "toolkit/db/DatabasePath.h"
#include "toolkit/db/IBScript.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/Forms.h"

TDMPrincipal* DMPrincipal = nullptr;

namespace {

const char* const kPasswords[] = {"tavo42", "vorbanite"};

template <class T>
T* Make(TComponent* owner, const char* name) {
  T* c = new T(owner);
  c->SetName(name);
  return c;
}

TIBTable* Table(TDMPrincipal* dm, const char* name, const char* table, bool cachedUpdates) {
  auto* t = Make<TIBTable>(dm, name);
  t->SetDatabase(dm->IBDatabase);
  t->SetTransaction(dm->IBTransaction);
  t->SetTableName(table);
  t->SetCachedUpdates(cachedUpdates);
  return t;
}

TIBQuery* Query(TDMPrincipal* dm, const char* name, const char* sql, bool cachedUpdates) {
  auto* q = Make<TIBQuery>(dm, name);
  q->SetDatabase(dm->IBDatabase);
  q->SetTransaction(dm->IBTransaction);
  if (*sql) q->SQL().Add(sql);
  q->SetCachedUpdates(cachedUpdates);
  return q;
}

TDataSource* Source(TDMPrincipal* dm, const char* name, TDataSet* dataSet) {
  auto* s = Make<TDataSource>(dm, name);
  s->SetDataSet(dataSet);
  return s;
}

}  // namespace

TDMPrincipal::TDMPrincipal(TComponent* AOwner) : TComponent(AOwner) {
  SetName("DMPrincipal");
  IBDatabase = Make<TIBDatabase>(this, "IBDatabase");
  IBDatabase->SetSQLDialect(3);
  IBDatabase->SetLoginPrompt(false);
  IBDatabase->SetIdleTimer(0);
  IBTransaction = Make<TIBTransaction>(this, "IBTransaction");
  IBTransaction->SetDefaultDatabase(IBDatabase);
  IBTransaction->Params().SetText("read_committed\r\nrec_version\r\nnowait\r\n");
  IBDatabase->SetDefaultTransaction(IBTransaction);

  DSQueryPacientes = Source(this, "DSQueryPacientes", nullptr);
  IBPacientes = Table(this, "IBPacientes", "PACIENTES", true);
  IBQueryPacientes = Query(this, "IBQueryPacientes", "select * from PACIENTES", true);
  DSQueryPacientes->SetDataSet(IBQueryPacientes);
  IBMedicos = Table(this, "IBMedicos", "MEDICOS", false);
  DSMedicos = Source(this, "DSMedicos", IBMedicos);
  IBOperation = Query(this, "IBOperation", "", false);
  DSPacientes = Source(this, "DSPacientes", IBPacientes);
  IBQueryMedicos = Query(this, "IBQueryMedicos", "select CODIGO from MEDICOS", true);
  IBExames = Table(this, "IBExames", "EXAMES", false);
  IBQueryExames = Query(this, "IBQueryExames", "select * from EXAMES", false);
  DSQueryExames = Source(this, "DSQueryExames", IBQueryExames);
  DSExames = Source(this, "DSExames", IBExames);
  IBQueryBuscaPac = Query(this, "IBQueryBuscaPac", "SELECT *  FROM PACIENTES", false);
  DSQueryBuscaPac = Source(this, "DSQueryBuscaPac", IBQueryBuscaPac);
  IBLaudos = Table(this, "IBLaudos", "LAUDOS", true);
  IBLaudosTexto = Table(this, "IBLaudosTexto", "LAUDOSTEXTO", true);
  IBQueryLaudos = Query(this, "IBQueryLaudos", "", false);
  IBQueryExamesOrto = Query(this, "IBQueryExamesOrto", "select * from EXAMESORTO", false);
  IBIdiomaOperation = Query(this, "IBIdiomaOperation", "select * from LANG", false);
  IBIdioma = Table(this, "IBIdioma", "IDIOMA", false);
  IBIdiomaDefault = Table(this, "IBIdiomaDefault", "IDIOMA_DEFAULT", false);
  if (!DMPrincipal) DMPrincipal = this;
}

TDMPrincipal::~TDMPrincipal() {
  if (DMPrincipal == this) DMPrincipal = nullptr;
}

bool TDMPrincipal::PSetDataBaseName(const std::string& Path) {
  try {
    PDesconectionDataBase();
    IBDatabase->SetDatabaseName(Path);
    for (const char* password : kPasswords) {
      // The connection's character set is the program's own, so that accents arrive as they are.
      IBDatabase->Params().SetText("user_name=sysdba\r\npassword=" + std::string(password) + "\r\nlc_ctype=WIN1252\r\n");
      try {
        IBDatabase->Open();
        break;
      } catch (const EDatabaseError&) {
        // The next password, or the message below.
      }
    }
    if (!IBDatabase->Connected()) Application->MessageBox("Usuário/Senha de BD incorreto!", "ERRO", MB_OKCANCEL);
    const bool connected = IBDatabase->TestConnected();
    if (connected) PConnectDataBase();
    return connected;
  } catch (const std::exception&) {
    return false;
  }
}

void TDMPrincipal::PDesconectionDataBase() {
  IBTransaction->SetActive(false);
  IBDatabase->SetConnected(false);
  IBDatabase->Close();
}

void TDMPrincipal::PConnectDataBase() {
  IBDatabase->SetConnected(true);
  IBTransaction->SetActive(true);
}

void TDMPrincipal::PCommitDataBase() {
  if (IBTransaction->InTransaction()) IBTransaction->Commit();
  ReabrirDados();
}

void TDMPrincipal::PRollbackDataBase() {
  if (IBTransaction->InTransaction()) IBTransaction->Rollback();
  ReabrirDados();
}

void TDMPrincipal::ReabrirDados() {
  for (TDataSet* d : {static_cast<TDataSet*>(IBMedicos), static_cast<TDataSet*>(IBPacientes),
                      static_cast<TDataSet*>(IBExames), static_cast<TDataSet*>(IBLaudos),
                      static_cast<TDataSet*>(IBLaudosTexto), static_cast<TDataSet*>(IBQueryPacientes)})
    d->Open();
}

bool TDMPrincipal::PCreateDataBase(const std::string& Path) {
  if (detail::IsServerDatabaseName(Path) || FileExists(Path)) return false;
  const std::string folder = ExtractFilePath(Path);
  if (!folder.empty() && !ForceDirectories(folder))
    throw EDatabaseError("Não foi possível criar a pasta do banco de dados: " + folder);
  TIBDatabase db(nullptr);
  db.SetDatabaseName(Path);
  db.CreateDatabase("PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1252");
  try {
    db.Params().SetText("user_name=sysdba\r\nlc_ctype=WIN1252\r\n");
    ExecuteScript(db, DatabaseSchemaScript());
    db.Close();
  } catch (...) {
    try {
      db.Close();
    } catch (...) {
      // Nothing more to do with a broken attachment.
    }
    DeleteFileA(Path.c_str());  // the next start tries again from the beginning
    throw;
  }
  return true;
}

// The patient database at clinic scale: 50,000 patients inserted through InsertPacientes, a bound
// prefix search on the name, and one exam's two 300 KB pictures read back. Then every row of the
// ordered patient list and of a part-of-name search, through a data set beside a bare fetch loop of
// the client library over the same prepared statement, on a register of 50,000 patients and
// 100,000 exams.
#include <benchmark/benchmark.h>
#include <ibase.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/ScriptRegistro.h"
#include "bench/SideBySide.h"

#include "core/schema/DatabaseSchema.h"
#include "toolkit/db/IBError.h"
#include "toolkit/db/IBQuery.h"
#include "toolkit/db/IBScript.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

constexpr int kPatients = 50000;
constexpr size_t kPictureBytes = 300 * 1024;

const char* const kFirst[] = {"João", "Maria", "José", "Ana", "Antônio", "Conceição", "Inês", "Luís", "Cecília", "Álvaro"};
const char* const kLast[] = {"da Silva", "Conceição", "Araújo", "Gonçalves", "Pereira", "Ribeiro", "Simões", "Brandão"};

// One database for the whole run, made in a fresh folder; with a register script, made once and
// kept for later runs.
struct TBenchDatabase {
  TIBDatabase db{nullptr};
  TIBTransaction tr{nullptr};
  TIBQuery q{nullptr};

  explicit TBenchDatabase(const std::string& dir = "/tmp/mz-bench-database", const std::string& registro = "") {
    const bool kept = !registro.empty() && std::filesystem::exists(dir + "/DATABASE.GDB");
    if (!kept) std::system(("rm -rf " + dir + " && mkdir -p " + dir).c_str());
    db.SetDatabaseName(dir + "/DATABASE.GDB");
    db.Params().SetText("user_name=sysdba\nlc_ctype=WIN1252\n");
    tr.SetDefaultDatabase(&db);
    tr.Params().SetText("read_committed\nrec_version\nnowait\n");
    db.SetDefaultTransaction(&tr);
    if (kept) {
      db.Open();
    } else {
      db.CreateDatabase("PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1252");
      ExecuteScript(db, DatabaseSchemaScript());
      if (!registro.empty()) ExecuteScript(db, registro);
    }
    q.SetDatabase(&db);
  }
  void Sql(const std::string& text) {
    q.Close();
    q.SQL().Clear();
    q.SQL().Add(text);
  }
};

TBenchDatabase& Db() {
  static TBenchDatabase db;
  return db;
}

void BM_InsertPacientes(benchmark::State& state) {
  TBenchDatabase& b = Db();
  static const char* const kTexts[] = {"Rg", "CPF", "Sexo", "EstadoCivil", "Conjuge", "DataNascimento",
                                       "Naturalidade", "NaturalidadeEstado", "Pai", "Mae", "Rua", "Complemento",
                                       "Bairro", "Cidade", "Estado", "Cep", "Fone", "Celular", "Convenio",
                                       "Profissao", "TipoSang"};
  for (auto _ : state) {
    b.Sql("Execute Procedure InsertPacientes :Nome,:Rg,:CPF,:Sexo,:EstadoCivil,:Conjuge,:DataNascimento,"
          ":Naturalidade,:NaturalidadeEstado,:Pai,:Mae,:Rua,:Complemento,:Bairro,:Cidade,:Estado,:Cep,:Fone,"
          ":Celular,:Convenio,:Profissao,:TipoSang,:DtCadastro,:TotalExames");
    for (const char* t : kTexts) b.q.ParamByName(t).SetAsString("1");
    b.q.ParamByName("DtCadastro").SetAsDate(EncodeDate(2026, 12, 10));
    b.q.ParamByName("TotalExames").SetAsInteger(0);
    for (int i = 0; i < kPatients; ++i) {
      b.q.ParamByName("Nome").SetAsString(std::string(kFirst[i % 10]) + " " + kLast[(i / 10) % 8] + " " +
                                          std::to_string(i));
      b.q.ExecSQL();
    }
    b.tr.Commit();
  }
  state.SetItemsProcessed(state.iterations() * kPatients);
}
BENCHMARK(BM_InsertPacientes)->Iterations(1)->Unit(benchmark::kMillisecond);

void PrefixSearch(benchmark::State& state, const std::string& sql) {
  TBenchDatabase& b = Db();
  int64_t rows = 0;
  for (auto _ : state) {
    b.Sql(sql);
    b.q.ParamByName("Prefixo").SetAsString(sql.find("LIKE") != std::string::npos ? "CONCEIÇÃO ARAÚJO 4%"
                                                                                : "CONCEIÇÃO ARAÚJO 4");
    b.q.Open();
    rows = b.q.RecordCount();
  }
  state.counters["rows"] = static_cast<double>(rows);
}
void BM_PrefixSearchStartingWith(benchmark::State& state) {
  PrefixSearch(state, "SELECT CODIGO, NOME, RG FROM PACIENTES WHERE UPPER(NOME) STARTING WITH :Prefixo ORDER BY NOME");
}
void BM_PrefixSearchLike(benchmark::State& state) {
  PrefixSearch(state, "SELECT CODIGO, NOME, RG FROM PACIENTES WHERE UPPER(NOME) LIKE :Prefixo ORDER BY NOME");
}
BENCHMARK(BM_PrefixSearchStartingWith)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrefixSearchLike)->Unit(benchmark::kMillisecond);

void BM_ReadExamPictures(benchmark::State& state) {
  TBenchDatabase& b = Db();
  b.Sql("Execute Procedure InsertMedicos :Nome,:Rg,:CPF,:Crm,:Sexo,:EstadoCivil,:Conjuge,:DataNascimento,"
        ":Naturalidade,:NaturalidadeEstado,:Pai,:Mae,:Rua,:Complemento,:Bairro,:Cidade,:Estado,:Cep,:Fone,:Celular");
  for (int i = 0; i < b.q.ParamCount(); ++i) b.q.Params().Items(i).SetAsString("1");
  b.q.Open();
  const int medico = b.q.FieldByName("CODIGO")->AsInteger();
  b.Sql("Execute Procedure InsertExames :CodPaciente,:CodResp,:Data,:Hora,:Olho,:IndConf,:TipoExame,:Backup,:Diag,"
        ":Observacao,:NumAneis,:TipoCone");
  for (int i = 0; i < b.q.ParamCount(); ++i) b.q.Params().Items(i).SetAsString("");
  b.q.ParamByName("CodPaciente").SetAsInteger(1);
  b.q.ParamByName("CodResp").SetAsInteger(medico);
  b.q.ParamByName("Data").SetAsDate(EncodeDate(2026, 12, 10));
  b.q.ParamByName("Hora").SetAsTime(EncodeTime(10, 0, 0, 0));
  b.q.ParamByName("IndConf").SetAsFloat(0.9);
  b.q.ParamByName("NumAneis").SetAsInteger(24);
  b.q.Open();
  const int exame = b.q.FieldByName("CODIGO")->AsInteger();
  TMemoryStream central, lateral;
  std::string bytes(kPictureBytes, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 2654435761u) >> 24);
  central.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  lateral.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  b.Sql("Execute Procedure InsertArquivos  :Codigo_Exames,:Imagem_Central,:Imagem_Lateral");
  b.q.ParamByName("Codigo_Exames").SetAsInteger(exame);
  b.q.ParamByName("Imagem_Central").LoadFromStream(central);
  b.q.ParamByName("Imagem_Lateral").LoadFromStream(lateral);
  b.q.ExecSQL();
  b.tr.Commit();

  for (auto _ : state) {
    b.Sql("SELECT Imagem_Central,Imagem_Lateral FROM Arquivos WHERE Codigo_Exames=:CodExame");
    b.q.ParamByName("CodExame").SetAsInteger(exame);
    b.q.Open();
    TMemoryStream c, l;
    static_cast<TBlobField*>(b.q.FieldByName("Imagem_Central"))->SaveToStream(c);
    static_cast<TBlobField*>(b.q.FieldByName("Imagem_Lateral"))->SaveToStream(l);
    b.q.Close();
    if (c.Size() != static_cast<int64_t>(kPictureBytes) || l.Size() != c.Size()) state.SkipWithError("short picture");
  }
  state.SetBytesProcessed(state.iterations() * 2 * static_cast<int64_t>(kPictureBytes));
}
BENCHMARK(BM_ReadExamPictures)->Unit(benchmark::kMillisecond);

constexpr int kRegisterPatients = 50000;  // and two exams each

TBenchDatabase& Register() {
  static TBenchDatabase db("/tmp/mz-bench-register", ScriptRegistro(kRegisterPatients));
  return db;
}

// The client library alone: the statement prepared once, then executed and every row fetched into
// the described buffers, as the engine hands them.
class TBareFetch {
 public:
  TBareFetch(TIBDatabase& db, TIBTransaction& tr, const std::string& sql)
      : tr_(tr), dialect_(static_cast<unsigned short>(db.SQLDialect())) {
    ISC_STATUS_ARRAY st;
    isc_dsql_allocate_statement(st, db.Handle(), &handle_);
    detail::CheckStatus(st);
    Resize(1);
    isc_dsql_prepare(st, tr.Handle(), &handle_, 0, sql.c_str(), dialect_, Out());
    detail::CheckStatus(st);
    if (Out()->sqld > Out()->sqln) {
      Resize(Out()->sqld);
      isc_dsql_describe(st, &handle_, dialect_, Out());
      detail::CheckStatus(st);
    }
    data_.resize(size_t(Out()->sqld));
    nulls_.resize(size_t(Out()->sqld));
    for (int i = 0; i < Out()->sqld; ++i) {
      XSQLVAR& v = Out()->sqlvar[i];
      data_[size_t(i)].resize(size_t(v.sqllen) + 2);
      v.sqldata = data_[size_t(i)].data();
      v.sqlind = &nulls_[size_t(i)];
    }
  }
  ~TBareFetch() {
    ISC_STATUS_ARRAY st;
    isc_dsql_free_statement(st, &handle_, DSQL_drop);
  }
  int ReadAll() {
    ISC_STATUS_ARRAY st;
    isc_dsql_execute(st, tr_.Handle(), &handle_, dialect_, nullptr);
    detail::CheckStatus(st);
    int rows = 0;
    ISC_STATUS r;
    while ((r = isc_dsql_fetch(st, &handle_, dialect_, Out())) == 0) ++rows;
    if (r != 100) detail::CheckStatus(st);
    isc_dsql_free_statement(st, &handle_, DSQL_close);
    return rows;
  }

 private:
  XSQLDA* Out() { return reinterpret_cast<XSQLDA*>(sqlda_.data()); }
  void Resize(int n) {
    sqlda_.assign((XSQLDA_LENGTH(n) + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t), {});
    Out()->version = SQLDA_VERSION1;
    Out()->sqln = static_cast<ISC_SHORT>(n);
  }
  TIBTransaction& tr_;
  const unsigned short dialect_;
  isc_stmt_handle handle_ = 0;
  std::vector<std::max_align_t> sqlda_;
  std::vector<std::vector<char>> data_;
  std::vector<short> nulls_;
};

// Every row of the statement through the data set (opened again, its count asked) beside the bare
// loop; both on one statement prepared once.
void ReadEveryRow(benchmark::State& state, const std::string& sql) {
  TBenchDatabase& b = Register();
  b.Sql(sql);
  b.q.Prepare();
  TBareFetch bare(b.db, b.tr, sql);
  int rows = 0, bareRows = 0;
  RunBesideAnchor(
      state,
      [&] {
        b.q.Close();
        b.q.Open();
        rows = b.q.RecordCount();
      },
      [&] { bareRows = bare.ReadAll(); });
  b.q.Close();
  if (rows != bareRows) state.SkipWithError("the data set and the bare loop read different row counts");
  state.counters["rows"] = rows;
}
void BM_EveryRowOrderedPatientList(benchmark::State& state) {
  ReadEveryRow(state, "SELECT * FROM Pacientes ORDER BY Nome ASC");
}
void BM_EveryRowPartOfName(benchmark::State& state) {
  ReadEveryRow(state, "SELECT Codigo,Nome,Rg FROM Pacientes WHERE Upper(nome) like '%SILVA%' ORDER BY Nome ASC");
}
BENCHMARK(BM_EveryRowOrderedPatientList)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EveryRowPartOfName)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

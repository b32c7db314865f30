// The patient database at clinic scale: 50,000 patients inserted through InsertPacientes, a bound
// prefix search on the name, and one exam's two 300 KB pictures read back.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "core/schema/DatabaseSchema.h"
#include "toolkit/db/IBQuery.h"
#include "toolkit/db/IBScript.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

constexpr int kPatients = 50000;
constexpr size_t kPictureBytes = 300 * 1024;

const char* const kFirst[] = {"João", "Maria", "José", "Ana", "Antônio", "Conceição", "Inês", "Luís", "Cecília", "Álvaro"};
const char* const kLast[] = {"da Silva", "Conceição", "Araújo", "Gonçalves", "Pereira", "Ribeiro", "Simões", "Brandão"};

// One database for the whole run, made in a fresh folder.
struct TBenchDatabase {
  TIBDatabase db{nullptr};
  TIBTransaction tr{nullptr};
  TIBQuery q{nullptr};

  TBenchDatabase() {
    const std::string dir = "/tmp/mz-bench-database";
    std::system(("rm -rf " + dir + " && mkdir -p " + dir).c_str());
    db.SetDatabaseName(dir + "/DATABASE.GDB");
    db.Params().SetText("user_name=sysdba\nlc_ctype=WIN1252\n");
    tr.SetDefaultDatabase(&db);
    tr.Params().SetText("read_committed\nrec_version\nnowait\n");
    db.SetDefaultTransaction(&tr);
    db.CreateDatabase("PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1252");
    ExecuteScript(db, DatabaseSchemaScript());
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

}  // namespace

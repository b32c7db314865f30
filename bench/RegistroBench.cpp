// The patient register at clinic scale, through the data module and the record routines: a new
// exam saved the way the new-exam save stores it (its row, the code read back, the d/m/a files, two
// JPEG pictures, the patient's last exam, every commit with the data module's re-opens), the ordered
// patient list with its first page, a prefix search and a part-of-name search. The registers are
// made once under /tmp/mz-bench-registro and kept: an empty one (one patient, one doctor) and one
// of 50,000 patients and 100,000 exams. The save at scale reports its time over the empty one's.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

#include "bench/ScriptRegistro.h"
#include "widgets/RingPictureTestSupport.h"
#include "core/UBArquivosExame.h"
#include "core/UBJpeg.h"
#include "core/UDArquivos.h"
#include "core/UDExames.h"
#include "core/UDOperation.h"
#include "core/UDPacientes.h"
#include "core/UfrmDataModule.h"
#include "toolkit/db/IBScript.h"
#include "toolkit/db/SQLText.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/ui/Forms.h"
#include "widgets/Bitmap32.h"

namespace {

constexpr int kVazio = 1;
constexpr int kPacientes = 50000;
constexpr int kPagina = 20;  // rows of the patient list on screen

std::string Pasta(int pacientes) { return "Z:\\tmp\\mz-bench-registro\\" + std::to_string(pacientes); }

// The data module on the register of that many patients, made the first time. The application
// owns the module, as the program's does.
void Conectar(int pacientes) {
  static int conectado = -1;
  if (conectado == pacientes) return;
  if (!DMPrincipal) {
    InitControls();
    TDMPrincipal* dm = nullptr;
    Application->CreateForm(dm);
  }
  const std::string banco = Pasta(pacientes) + "\\DATABASE.GDB";
  const bool novo = TDMPrincipal::PCreateDataBase(banco);
  if (!DMPrincipal->PSetDataBaseName(banco)) throw std::runtime_error("no register at " + banco);
  if (novo) {
    ExecuteScript(*DMPrincipal->IBDatabase, ScriptRegistro(pacientes));
    DMPrincipal->PCommitDataBase();
  }
  conectado = pacientes;
}

// What the capture module hands: a 640 x 480 picture of the rings as a bitmap stream.
TMemoryStream& Captura() {
  static TMemoryStream bmp;
  if (bmp.Size() == 0) {
    TBitmap32 camera;
    const TPixelImage ring = ringtest::RingPicture();
    camera.SetSize(ring.Width, ring.Height);
    std::memcpy(camera.Bits(), ring.Pixels.data(), ring.Pixels.size() * sizeof(TColor32));
    camera.SaveToStream(&bmp);
  }
  return bmp;
}

void SalvarExame(int paciente, const std::string& dirExames) {
  static TMatrizAngAnel matrizD, matrizM;
  static TMatrizAng aneis;
  for (size_t m = 0; m < matrizD.size(); ++m) {
    aneis[m] = 24;
    for (size_t a = 0; a < matrizD[m].size(); ++a) {
      matrizD[m][a] = 7.5 + 0.01 * std::sin(double(m + a));
      matrizM[m][a] = 44.0 + 0.1 * std::cos(double(m * a));
    }
  }
  const TPupila pupila{320, 240, 60, 60};

  TIBQuery& medicos = *DMPrincipal->IBQueryMedicos;
  medicos.Close();
  medicos.SQL().Clear();
  medicos.SQL().Add("SELECT * FROM Medicos WHERE Nome=:NomeMedico");
  medicos.ParamByName("NomeMedico").SetAsString("Dr. Álvaro Brandão");
  medicos.Open();
  const int medico = medicos.FieldByName("Codigo")->AsInteger();
  const int total = TDPacientes::GetTotalExamesByCodigo(paciente);
  const TDateTime data = Date(), hora = Time();

  TDExames::InsertExames(paciente, medico, data, hora, "OD", 0.93, "T", "", "Ceratocone", "Revisar em 6 meses", 24,
                         "4");
  TIBQuery& q = detail::Operation(
      "SELECT Codigo FROM Exames WHERE Exames.CodPaciente = :CodPac AND Exames.CodResp = :CodMed AND Exames.Data = "
      ":Data AND Exames.Hora = :Hora");
  q.ParamByName("CodPac").SetAsInteger(paciente);
  q.ParamByName("CodMed").SetAsInteger(medico);
  q.ParamByName("Data").SetAsDate(data);
  q.ParamByName("Hora").SetAsTime(hora);
  const int exame = detail::OpenInteger(q, "Codigo");

  ForceDirectories(dirExames + "\\" + std::to_string(paciente));
  GravarArquivoD(dirExames, paciente, exame, matrizD, 24);
  GravarArquivoM(dirExames, paciente, exame, matrizM, 24);
  GravarArquivoA(dirExames, paciente, exame, aneis, 320, 240, pupila);

  TMemoryStream central, lateral;
  for (TMemoryStream* imagem : {&central, &lateral}) {
    Captura().SetPosition(0);
    TBJpeg().BitmapToJpeg(&Captura(), 90)->SaveToStream(imagem);
    imagem->SetPosition(0);
  }
  TDArquivos::InsertArquivos(exame, &central, &lateral);

  TDPacientes::UpdateExamesPacientesByCodigo(
      paciente, "OD " + FormatDateTime("dd/mm/yyyy", data) + " " + FormatDateTime("hh:nn:ss", hora), total + 1);
}

void BM_SalvarExame(benchmark::State& state) {
  static double segundosVazio = 0;
  const int pacientes = static_cast<int>(state.range(0));
  Conectar(pacientes);
  const int paciente = (pacientes + 1) / 2;  // one from the middle of the register
  const std::string dirExames = Pasta(pacientes) + "\\Exames";
  const auto inicio = std::chrono::steady_clock::now();
  for (auto _ : state) SalvarExame(paciente, dirExames);
  const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count() /
                          static_cast<double>(state.iterations());
  if (pacientes == kVazio) segundosVazio = segundos;
  if (segundosVazio > 0) state.counters["vs_vazio"] = segundos / segundosVazio;
}
BENCHMARK(BM_SalvarExame)->Arg(kVazio)->Arg(kPacientes)->Unit(benchmark::kMillisecond);

// Opens the statement on the exam browser's patient query and reads what its first page shows.
void ListaComPrimeiraPagina(benchmark::State& state, const std::string& sql) {
  Conectar(kPacientes);
  TIBQuery& q = *DMPrincipal->IBQueryBuscaPac;
  int linhas = 0;
  for (auto _ : state) {
    q.Close();
    q.SQL().Clear();
    q.SQL().Add(sql);
    q.Open();
    linhas = q.ReadAhead(kPagina);
    for (int r = 1; r <= linhas && r <= kPagina; ++r)
      for (int f = 0; f < q.FieldCount(); ++f) benchmark::DoNotOptimize(q.RecordText(r, f));
  }
  state.counters["lidas"] = q.RecordsFetched();
  state.counters["pagina"] = linhas;
}

void BM_ListaPacientesOrdenada(benchmark::State& state) {
  ListaComPrimeiraPagina(state, "SELECT * FROM Pacientes ORDER BY Nome ASC");
}
BENCHMARK(BM_ListaPacientesOrdenada)->Unit(benchmark::kMillisecond);

void BM_BuscaPrefixoNome(benchmark::State& state) {
  ListaComPrimeiraPagina(state, "SELECT * FROM Pacientes WHERE " +
                                    detail::StartsWithCondition("Upper(nome)", "MARIA PEREIRA 41") +
                                    " ORDER BY Nome ASC");
}
BENCHMARK(BM_BuscaPrefixoNome)->Unit(benchmark::kMillisecond);

void BM_BuscaParteNome(benchmark::State& state) {
  ListaComPrimeiraPagina(state, "SELECT Codigo,Nome,Rg FROM Pacientes WHERE Upper(nome) like '%RIBEIRO 4%' ORDER BY Nome ASC");
}
BENCHMARK(BM_BuscaParteNome)->Unit(benchmark::kMillisecond);

}  // namespace

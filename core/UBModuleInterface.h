#pragma once
// The binary interface between the program and its plug-in modules: one header, included by both sides.
// Records use natural alignment on the 64-bit build; every offset is pinned by a static_assert so that a
// change that would move a field breaks the build instead of the modules. Texts are pointers to
// NUL-terminated Windows-1252 strings owned by the program: never null in a record the program hands
// over (the empty text is ""), read in place, never freed or replaced by a module.
#include <cstddef>
#include <cstdint>

#include "core/UBMatrizMapa.h"

extern "C" {

// Device, option, clinic and camera values, filled from the settings at start-up.
struct TInfosMZ {
  uint8_t Tipo;
  uint8_t Pad0[7];
  const char* TipoCone;
  double FatorCorrecao;
  double Z0;
  double IncMap;
  double IndiceConf;
  bool AutoAneis;
  bool AutoIncMap;
  bool AutoMiniMapa;
  bool AutoExame;
  uint8_t Reservado1;
  uint8_t Reservado2;
  bool Opt1;
  bool Opt2;
  bool Opt3;
  uint8_t Pad1[3];
  int32_t BackupAuto;
  int32_t BackupAutoOp1_1;
  int32_t BackupAutoOp1_2;
  int32_t BackupAutoOp2;
  int32_t CameraCentral;
  int32_t CameraLateral;
  int32_t Brilho;
  int32_t Contraste;
  uint8_t Reservado3[4];
  const char* MedicoAtivo;
  const char* PacienteAtivo;
  const char* ClinicaNome;
  const char* ClinicaEndereco;
  const char* ClinicaCidadeEst;
  const char* ClinicaTelefone;
  const char* ConectorCentral;
  const char* ConectorLateralS;
  const char* ConectorLateralD;
  const char* SerialCom;
  int32_t NumAneis;  // rings per meridian written to an exam's map data files
  bool SalvarImagemCaptura;
  uint8_t Pad2[3];
  const char* MapaPadraoNovoExame;
  const char* TipoCeratometria;
  bool SImagemCentral;
  bool SImagemLateral;
  uint8_t Pad3[2];
  int32_t QualidadeImagem;  // JPEG quality, percent
  const char* Idioma;
  int32_t TvlCentral;
  int32_t TIncremento;
  bool AutoPCaptura;
  uint8_t Pad4[3];
  int32_t DelayAutoPCaptura;  // milliseconds
  const char* PassoMotorX;
  const char* PassoMotorY;
  uint8_t TipoCalibrador;
  bool CameraFlag;
  bool ExibeGrade;
  bool ExibeCeratometriaPontual;
  uint8_t Reservado4[4];
  const char* CorCeratometriaPontual;
};

// Folders and module files.
struct TPathsMZ {
  const char* DirMZ;
  const char* BancoDados;
  const char* Exames;
  const char* Exemplos;
  const char* Laudos;
  const char* Digitalizacao;
  const char* Processamento;
  const char* BackupModulo;
  const char* DirMapas;
  const char* DigitalizacaoOrto;
  const char* ProcessamentoOrto;
  const char* Calibracao;  // with a trailing backslash
};

}  // extern "C"

static_assert(sizeof(void*) == 8 && sizeof(bool) == 1 && sizeof(double) == 8, "64-bit layout");

static_assert(offsetof(TInfosMZ, Tipo) == 0);
static_assert(offsetof(TInfosMZ, Pad0) == 1);
static_assert(offsetof(TInfosMZ, TipoCone) == 8);
static_assert(offsetof(TInfosMZ, FatorCorrecao) == 16);
static_assert(offsetof(TInfosMZ, Z0) == 24);
static_assert(offsetof(TInfosMZ, IncMap) == 32);
static_assert(offsetof(TInfosMZ, IndiceConf) == 40);
static_assert(offsetof(TInfosMZ, AutoAneis) == 48);
static_assert(offsetof(TInfosMZ, AutoIncMap) == 49);
static_assert(offsetof(TInfosMZ, AutoMiniMapa) == 50);
static_assert(offsetof(TInfosMZ, AutoExame) == 51);
static_assert(offsetof(TInfosMZ, Reservado1) == 52);
static_assert(offsetof(TInfosMZ, Reservado2) == 53);
static_assert(offsetof(TInfosMZ, Opt1) == 54);
static_assert(offsetof(TInfosMZ, Opt2) == 55);
static_assert(offsetof(TInfosMZ, Opt3) == 56);
static_assert(offsetof(TInfosMZ, Pad1) == 57);
static_assert(offsetof(TInfosMZ, BackupAuto) == 60);
static_assert(offsetof(TInfosMZ, BackupAutoOp1_1) == 64);
static_assert(offsetof(TInfosMZ, BackupAutoOp1_2) == 68);
static_assert(offsetof(TInfosMZ, BackupAutoOp2) == 72);
static_assert(offsetof(TInfosMZ, CameraCentral) == 76);
static_assert(offsetof(TInfosMZ, CameraLateral) == 80);
static_assert(offsetof(TInfosMZ, Brilho) == 84);
static_assert(offsetof(TInfosMZ, Contraste) == 88);
static_assert(offsetof(TInfosMZ, Reservado3) == 92);
static_assert(offsetof(TInfosMZ, MedicoAtivo) == 96);
static_assert(offsetof(TInfosMZ, PacienteAtivo) == 104);
static_assert(offsetof(TInfosMZ, ClinicaNome) == 112);
static_assert(offsetof(TInfosMZ, ClinicaEndereco) == 120);
static_assert(offsetof(TInfosMZ, ClinicaCidadeEst) == 128);
static_assert(offsetof(TInfosMZ, ClinicaTelefone) == 136);
static_assert(offsetof(TInfosMZ, ConectorCentral) == 144);
static_assert(offsetof(TInfosMZ, ConectorLateralS) == 152);
static_assert(offsetof(TInfosMZ, ConectorLateralD) == 160);
static_assert(offsetof(TInfosMZ, SerialCom) == 168);
static_assert(offsetof(TInfosMZ, NumAneis) == 176);
static_assert(offsetof(TInfosMZ, SalvarImagemCaptura) == 180);
static_assert(offsetof(TInfosMZ, Pad2) == 181);
static_assert(offsetof(TInfosMZ, MapaPadraoNovoExame) == 184);
static_assert(offsetof(TInfosMZ, TipoCeratometria) == 192);
static_assert(offsetof(TInfosMZ, SImagemCentral) == 200);
static_assert(offsetof(TInfosMZ, SImagemLateral) == 201);
static_assert(offsetof(TInfosMZ, Pad3) == 202);
static_assert(offsetof(TInfosMZ, QualidadeImagem) == 204);
static_assert(offsetof(TInfosMZ, Idioma) == 208);
static_assert(offsetof(TInfosMZ, TvlCentral) == 216);
static_assert(offsetof(TInfosMZ, TIncremento) == 220);
static_assert(offsetof(TInfosMZ, AutoPCaptura) == 224);
static_assert(offsetof(TInfosMZ, Pad4) == 225);
static_assert(offsetof(TInfosMZ, DelayAutoPCaptura) == 228);
static_assert(offsetof(TInfosMZ, PassoMotorX) == 232);
static_assert(offsetof(TInfosMZ, PassoMotorY) == 240);
static_assert(offsetof(TInfosMZ, TipoCalibrador) == 248);
static_assert(offsetof(TInfosMZ, CameraFlag) == 249);
static_assert(offsetof(TInfosMZ, ExibeGrade) == 250);
static_assert(offsetof(TInfosMZ, ExibeCeratometriaPontual) == 251);
static_assert(offsetof(TInfosMZ, Reservado4) == 252);
static_assert(offsetof(TInfosMZ, CorCeratometriaPontual) == 256);
static_assert(sizeof(TInfosMZ) == 264);

static_assert(offsetof(TPathsMZ, DirMZ) == 0);
static_assert(offsetof(TPathsMZ, BancoDados) == 8);
static_assert(offsetof(TPathsMZ, Exames) == 16);
static_assert(offsetof(TPathsMZ, Exemplos) == 24);
static_assert(offsetof(TPathsMZ, Laudos) == 32);
static_assert(offsetof(TPathsMZ, Digitalizacao) == 40);
static_assert(offsetof(TPathsMZ, Processamento) == 48);
static_assert(offsetof(TPathsMZ, BackupModulo) == 56);
static_assert(offsetof(TPathsMZ, DirMapas) == 64);
static_assert(offsetof(TPathsMZ, DigitalizacaoOrto) == 72);
static_assert(offsetof(TPathsMZ, ProcessamentoOrto) == 80);
static_assert(offsetof(TPathsMZ, Calibracao) == 88);
static_assert(sizeof(TPathsMZ) == 96);

// ---- Calls -----------------------------------------------------------------------------------------

// Every entry point uses the Windows x64 calling convention, on both sides of the boundary.
#define MZAPI __attribute__((ms_abi))

struct HWND__;  // the calling form's window (HWND)

extern "C" {

// A stream owned by the program and handed to a module, which reads or fills it through these
// calls. Positions and sizes in bytes; Seek origins 0 = start, 1 = current, 2 = end. Read and Write
// return the bytes moved; SetSize returns 0 when the stream could not be resized.
struct TMZStream;
struct TMZStreamVtbl {
  int64_t(MZAPI* Read)(TMZStream* s, void* buffer, int64_t count);
  int64_t(MZAPI* Write)(TMZStream* s, const void* buffer, int64_t count);
  int64_t(MZAPI* Seek)(TMZStream* s, int64_t offset, int32_t origin);
  int64_t(MZAPI* GetSize)(TMZStream* s);
  int32_t(MZAPI* SetSize)(TMZStream* s, int64_t size);
};
struct TMZStream {
  const TMZStreamVtbl* vtbl;
};

// Per-ring data of the instrument's cone, written by the cone-data library into the program's
// buffers: Primeiro[j] and Segundo[j] belong to ring j + 1; at most Capacidade entries are written
// and their number is returned in Quantidade.
struct TBufferDadosCone {
  double* Primeiro;
  double* Segundo;
  int32_t Capacidade;
  int32_t Quantidade;
};

// Entry points, by exported name. Results named "not used" by the program are still returned as 0.
typedef int32_t(MZAPI* TDigitalizar)(HWND__* Handle, TMZStream* Central, TMZStream* Lateral, int32_t Olho,
                                     const TInfosMZ* Infos, const char* Titulo);  // "Digitalizar"
typedef int32_t(MZAPI* TDigitalizarOrto)(HWND__* Handle, TMZStream* const* Central /*4*/,
                                         TMZStream* const* Lateral /*4*/, int32_t Olho, const TInfosMZ* Infos,
                                         const char* Titulo);  // "Digitalizar" of the orthokeratology capture
typedef int32_t(MZAPI* TProcessaImagem)(HWND__* Handle, TMZStream* Central, double* CentroX, double* CentroY,
                                        TMatrizAngAnel* MatrizM, TMatrizAng* AneisPorMeridiano,
                                        TMatrizAngAnel* MatrizD, TPupila* Pupila, double* IndConf,
                                        const TInfosMZ* Infos, const TPathsMZ* Paths);  // "ProcessaImagem"
typedef int32_t(MZAPI* TProcessaImagemOrto)(HWND__* Handle, TMZStream* const* Imagens /*4*/, TMZStream* SaidaM,
                                            TMZStream* SaidaD, TMZStream* SaidaValores, double* Valores /*4*/,
                                            const TInfosMZ* Infos, const TPathsMZ* Paths);
typedef int32_t(MZAPI* TProcessaEsfera)(HWND__* Handle, TMZStream* Imagem, const char* Raio, TMZStream* Saida,
                                        const TInfosMZ* Infos);  // "ProcessaEsfera"
typedef int32_t(MZAPI* TProcessaMapa)(HWND__* Handle, TMZStream* Central, TMZStream* Lateral, double CentroX,
                                      double CentroY, TMZStream* Info, TMatrizAngAnel* MatrizM,
                                      TMatrizAng* AneisPorMeridiano, TMatrizAngAnel* MatrizD, TPupila* Pupila,
                                      const double* Orto /*3 or null*/,
                                      const TInfosMZ* Infos);  // "ProcessaMapa", "ProcessaMapaOrto"
typedef int32_t(MZAPI* TVisualizar)(HWND__* Handle, TMZStream* Saida, void* Nulo1, int32_t Zero, double CentroX,
                                    double CentroY, TMatrizAngAnel* MatrizM, TMatrizAng* AneisPorMeridiano,
                                    TMatrizAngAnel* MatrizD, TPupila* Pupila, void* Reservado, void* Nulo2,
                                    const TInfosMZ* Infos, void* Imagem);  // "Visualizar"
typedef int32_t(MZAPI* TInfoMapa)(TMZStream* Saida);  // "InfoMapa" of map modules, "Info" of the others
typedef int32_t(MZAPI* TWizard)(HWND__* Handle, TMZStream* Candidatos, TMZStream* Escolhidos, TMZStream* Parametros,
                                const TInfosMZ* Infos);
typedef int32_t(MZAPI* TWizardDiferencial)(HWND__* Handle, TMZStream* Candidatos, TMZStream* Escolhidos,
                                           TMZStream* Parametros, bool Sinal, const TInfosMZ* Infos);
typedef int32_t(MZAPI* TProcessaMapas)(HWND__* Handle, TMZStream* const* Listas, const TMatrizAngAnel* MatrizesM,
                                       const TMatrizAng* Aneis, const TMatrizAngAnel* MatrizesD,
                                       const TPupila* Pupilas, int32_t Quantidade, TMZStream* Parametros,
                                       const TInfosMZ* Infos);  // arrays of Quantidade entries
typedef int32_t(MZAPI* TProcessaMapasOrto)(HWND__* Handle, TMZStream* const* Listas /*4*/,
                                           const TMatrizAngAnel* MatrizesM /*4*/,
                                           const TMatrizAngAnel* MatrizesD /*4*/, const double* Valores /*4 x 4*/,
                                           const TInfosMZ* Infos);
typedef int32_t(MZAPI* TProcessaLente)(HWND__* Handle, TMZStream* Central, TMZStream* Info, double CentroX,
                                       double CentroY, TMatrizAngAnel* MatrizM, TMatrizAng* AneisPorMeridiano,
                                       TMatrizAngAnel* MatrizD, const TInfosMZ* Infos, const TPathsMZ* Paths);
typedef int32_t(MZAPI* TProcessaAberrometria)(HWND__* Handle, TMatrizAngAnel* MatrizM, TMatrizAngAnel* MatrizD,
                                              TMatrizAng* AneisPorMeridiano, const char* TipoCone, uint8_t NumAneis,
                                              uint8_t Tipo, double Tres, double FatorCorrecao, double Z0,
                                              int32_t Largura, int32_t Altura, int32_t Um, TMZStream* Info,
                                              TMZStream* Clinica);
typedef char(MZAPI* TInfoBackup)(HWND__* Handle, TMZStream* Saida, int32_t Modo);
typedef int32_t(MZAPI* TCriarBackup)(HWND__* Handle, TMZStream* Exames, TMZStream* ResultadoExames,
                                     TMZStream* Laudos, TMZStream* ResultadoLaudos, int32_t Modo,
                                     const char* DirExames, const char* DirLaudos);
typedef int32_t(MZAPI* TRestaurarBackup)(HWND__* Handle, const char* DirExames, const char* DirLaudos);
// "CarregaDadosCone" of the cone-data library: 1 when the cone type is known and the data were written.
typedef int32_t(MZAPI* TCarregaDadosConeDLL)(TBufferDadosCone* Dados, const char* TipoCone, double Z0);

}  // extern "C"

static_assert(offsetof(TBufferDadosCone, Primeiro) == 0 && offsetof(TBufferDadosCone, Segundo) == 8);
static_assert(offsetof(TBufferDadosCone, Capacidade) == 16 && offsetof(TBufferDadosCone, Quantidade) == 20);
static_assert(sizeof(TBufferDadosCone) == 24);

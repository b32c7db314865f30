#pragma once
// The binary interface between the program and its plug-in modules: one header, included by both sides.
// Records use natural alignment on the 64-bit build; every offset is pinned by a static_assert so that a
// change that would move a field breaks the build instead of the modules. Texts are pointers to
// NUL-terminated Windows-1252 strings owned by the program: never null in a record the program hands
// over (the empty text is ""), read in place, never freed or replaced by a module.
#include <cstddef>
#include <cstdint>

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

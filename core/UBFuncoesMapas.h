#pragma once
// One exam's ring data resampled onto a polar grid of 360 meridians by 301 radial samples
// (axial, tangential, refractive, elevation and orthokeratology maps), the grid's extremes and the
// simulated keratometry of a central zone. The caller's matrices are only read: every transform
// works on the object's own copies.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/UBDadosCone.h"
#include "core/UBEscalas.h"
#include "core/UBMatrizMapa.h"

struct TCeratometria {
  uint16_t Eixo;   // axis of the steep meridian, degrees
  uint16_t Eixo2;  // 90 degrees away
  double Raio;     // zone radius, mm
  double K1, K2, DeltaK;
  double R1, R2, DeltaR;
};
static_assert(sizeof(TCeratometria) == 64);

struct TCelulaGrade {
  double Reservado1;
  double Valor;  // dioptres (or the map type's unit)
  double Raio;   // mm, only for values above 25
  double Reservado2;
};

struct TCelulaElevacao {
  double Diferenca, BFS, Cornea;  // micrometres
};

constexpr int NumAmostrasRaio = 301;

enum TTipoMapa : uint8_t {
  tmAxial = 0,
  tmTangencial = 1,
  tmRefrativo = 2,
  tmElevacao = 3,
  tmOrtoAxial = 4,
  tmOrtoTangencial = 5,
  tmOrtoRefrativo = 6,
};

class TBFuncoesMapas {
 public:
  // Borrows everything it is given; the references must outlive the object.
  TBFuncoesMapas(const TMatrizAngAnel& MatrizD, const TMatrizAngAnel& MatrizM, const TMatrizAng& AneisPorMeridiano,
                 const TBEscala* Escala, const void* Parametros, const double& CentroX, const double& CentroY,
                 const double& FatorCorrecao, const double& Z0, std::string TipoCone, const int& NumAneis);

  // Computes one map (the low seven bits of Tipo select it; 7 and above only resample D). Raises
  // EErroMapa where the data allow no map; the grids then keep what was written before.
  void CalcularMapa(uint8_t Tipo);
  double GetValorMaximo() const { return MaximoGrade; }
  // Keratometry of the zone of radius Raio (mm) on the last map; raises EErroMapa when a meridian's
  // zone holds no positive value.
  void GetCeratometria(TCeratometria& Resultado, double Raio);

  const TCelulaGrade& Celula(int Meridiano, int Amostra) const {
    return Grade[size_t(Meridiano) * NumAmostrasRaio + size_t(Amostra)];
  }
  const TCelulaElevacao& CelulaElevacao(int Meridiano, int Amostra) const {
    return GradeElevacao[size_t(Meridiano) * NumAmostrasRaio + size_t(Amostra)];
  }

  // Where the elevation computation takes its cone data; starts as the program's source.
  TCarregaDadosCone CarregaDadosCone;

  // Borrowed.
  const TMatrizAngAnel& MatrizD;
  const TMatrizAngAnel& MatrizM;
  const TMatrizAng& AneisPorMeridiano;
  const TBEscala* Escala;
  const void* Parametros;
  const double& CentroX;
  const double& CentroY;
  const double& FatorCorrecao;
  const double& Z0;
  std::string TipoCone;
  const int& NumAneis;

  // The map's own copies of D and of the ring counts, as the last map's transforms left them.
  TMatrizAngAnel D{};
  TMatrizAng Aneis{};

  TMatrizAngAnel ElevCornea{}, ElevBFS{}, ElevDiff{};
  TMatrizAngAnel PosicaoRadial{};
  TMatrizAngAnel RefA{}, RefI{}, RefB{}, RefZ{};  // refractive transform, per ring
  double CurvaturaMedia = 0;

  double MaximoGrade = 0, MinimoGrade = 0, CentroGrade = 0;
  double MaximoElevacao = 0, MinimoElevacao = 0, CentroElevacao = 0;
  double ExtensaoRadial = 0;
  TCeratometria Ceratometria{};
  uint8_t TipoMapa = 0;
  std::string NomeMapa;

  // Resampling state of the current meridian.
  std::array<double, NumValoresAnel> X{}, Y{}, Y2{};
  double T = 0, ValorT = 0;

 private:
  enum class Destino { Valor, Diferenca, BFS, Cornea };

  void TransformacaoTangencial();
  void CalculoElevacao();
  void MapaElevacao();
  void TransformacaoRefrativa();
  // Resamples one matrix (Y values at the M positions) onto one double of the grid cells.
  void Reamostrar(const TMatrizAngAnel& Valores, Destino Para);
  void BuscarExtremos();
  // The ring count of a meridian brought inside a row.
  int Rings(int m) const { return LimitarAneis(Aneis[size_t(m)]); }

  std::vector<TCelulaGrade> Grade;
  std::vector<TCelulaElevacao> GradeElevacao;
  int ColunasEscritas = 0;  // of every meridian, the leading columns that a map may have written
};

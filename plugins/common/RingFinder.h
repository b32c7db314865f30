#pragma once
// Finds the Placido rings in a central picture and turns them into the exam's ring data:
// positions (image samples), curvature (dioptres), pupil, centre and a reliability index.
#include <vector>

#include "plugins/common/ConeModel.h"
#include "plugins/common/RingRender.h"

constexpr int kMeridianos = 360;
constexpr int kValoresAnel = 33;  // ring 0 (the centre) and up to 32 rings

struct ResultadoAneis {
  double centroX = 0, centroY = 0;  // picture position of the rings' centre, in samples
  // Rows as the map matrices hold them (core/UBMatrizMapa.h): clockwise as the picture is displayed.
  double M[kMeridianos][kValoresAnel] = {};  // radial position of ring k in samples (k = 0: 0)
  double D[kMeridianos][kValoresAnel] = {};  // axial curvature of ring k in dioptres
  int aneis[kMeridianos] = {};               // rings followed on each meridian
  // Pupil: centre x and y, horizontal and vertical radius, in picture samples (zeros when unseen).
  int pupila[4] = {};
  // Reliability, 0..100: 100 x (share of the expected ring points found) x (1 - noise / 30 grey
  // levels) x (1 - centre offset / 200 samples), each factor at least 0. A clean, centred picture
  // of a whole cornea gives about 100; noise, decentration or covered rings lower it.
  double indConf = 0;
};

// Straight-line ring corrections from calibration: D' = a[j] + b[j] D for ring j + 1.
struct CorrecaoAneis {
  std::vector<double> a, b;
};

// False when the picture shows no ring pattern to follow.
bool ProcessarAneis(const ImagemCinza& img, const ConeModel& cone, double fator, int numAneis,
                    const CorrecaoAneis* correcao, ResultadoAneis& out);

// Mean curvature of each ring over the meridians that reached it (the calibration result).
std::vector<double> MediaPorAnel(const ResultadoAneis& r);

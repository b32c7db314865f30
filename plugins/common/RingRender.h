#pragma once
// Renders the central picture of the instrument: the cone's rings reflected by a model cornea into
// a telecentric camera, anti-aliased, with the dark pupil, the central reflex and a little noise.
#include <cstdint>
#include <vector>

#include "plugins/common/ConeModel.h"
#include "plugins/common/ModelEye.h"

struct ImagemCinza {
  int largura = 0, altura = 0;
  std::vector<uint8_t> px;  // row 0 at the top
  uint8_t At(int x, int y) const { return px[size_t(y) * largura + x]; }
};

constexpr int kLarguraCaptura = 640;
constexpr int kAlturaCaptura = 480;

// fator: millimetres per image sample; ruido: standard deviation of the noise in grey levels.
ImagemCinza RenderizarAneis(const ModelEye& olho, const ConeModel& cone, double fator, double ruido = 3.0,
                            uint32_t semente = 1);

// Fractional ring index seen at picture position (x, y) in millimetres off the axis, or a negative
// value where no cone surface is seen (sclera, or past the cone's front edge).
double IndiceAnel(const ModelEye& olho, const ConeModel& cone, double x, double y);

// Side view of the same cornea (the lateral picture): the profile as a bright edge on a dark ground.
ImagemCinza RenderizarPerfil(const ModelEye& olho, double fator);

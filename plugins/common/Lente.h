#pragma once
// Fluorescein picture of a rigid contact lens over a measured cornea: the tear film between the
// lens's back surface (a sphere of the base curve) and the cornea, whose elevation comes from the
// exam's axial curvature. The lens settles where its back surface first touches the cornea;
// thicker tear shows brighter green, as under the cobalt-blue light.
#include "plugins/common/BmpCodec.h"
#include "plugins/common/MapaCores.h"

struct Fluoresceina {
  ImagemRGB imagem;          // lado x lado pixels over the lens diameter
  double lagrimaCentral = 0;  // tear thickness under the lens centre, micrometres
  double lagrimaBorda = 0;    // mean thickness at 90 % of the lens radius, micrometres
};

// fator: millimetres per picture sample of the exam; curvaBase and diametro in millimetres. The
// measured zone must reach under the whole lens for the settling to be right; beyond it the
// picture stays dark.
Fluoresceina SimularFluoresceina(const DadosMapa& axial, double fator, double curvaBase, double diametro, int lado);

// Tear thickness at which the green saturates, micrometres.
constexpr double kLagrimaSaturacao = 40.0;

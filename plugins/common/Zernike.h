#pragma once
// Zernike polynomials up to the 4th radial order in the OSA single index (j = 0..14, normalised),
// and their least-squares fit to samples over the unit pupil.
#include <array>
#include <vector>

constexpr int kTermosZernike = 15;

struct AmostraPupila {
  double x, y;  // position in the pupil, radius 1
  double valor;
};

// Z_j at (rho, theta).
double Zernike(int j, double rho, double theta);

// Radial order n and azimuthal frequency m of term j.
void OrdemZernike(int j, int& n, int& m);

// Axis of the primary astigmatism (terms 3 and 5): the meridian, in degrees 0 .. 180 counted
// counter-clockwise from the x axis, along which those terms rise most.
double EixoAstigmatismo(const std::array<double, kTermosZernike>& coeficientes);

// Coefficients that best fit the samples; false when the samples cannot fix all fifteen terms.
bool AjustarZernike(const std::vector<AmostraPupila>& amostras, std::array<double, kTermosZernike>& coeficientes);

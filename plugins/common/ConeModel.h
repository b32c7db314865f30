#pragma once
// The instrument's Placido cone as the stand-in modules see it: for each ring its radial height
// and its axial distance in front of the corneal apex plane, in millimetres.
#include <string>
#include <vector>

constexpr double kRaioReferencia = 7.80;  // reference sphere the cone data are tuned on (mm)

struct ConeModel {
  std::vector<double> altura;     // C2: radial height of ring j+1 above the axis
  std::vector<double> distancia;  // W: axial distance of ring j+1 from the apex plane
  int Aneis() const { return int(altura.size()); }
};

// The cone of a cone type at working distance z0 (distance of the front ring): "1" and "2" the
// small and the large 16-ring cones, "3" the first 32-ring cone, "4" the current one; false for
// any other type.
bool MakeCone(const std::string& tipoCone, double z0, ConeModel& cone);

// The two arrays the cone-data library hands out. The second is the ring height. The first is
// W + 2 z_ref, z_ref being the sag of the ring's reflection point on the reference sphere: the
// program's elevation computation divides by (first - z) where the physical path is W + z, so this
// makes it exact on the reference sphere and within a few micrometres from 7.5 to 8.2 mm.
void ConeDataArrays(const ConeModel& cone, std::vector<double>& c1, std::vector<double>& c2);

// Radial height of the cone surface at fractional ring index t (ring j at t = j), extended
// linearly beyond the first and last rings.
double ConeAltura(const ConeModel& cone, double t);
double ConeDistancia(const ConeModel& cone, double t);

#include "plugins/common/ModelosOlho.h"

#include <cmath>

namespace {

ModelEye Olho(double raio, double raio2 = 0, double eixo = 0, double q = 0) {
  ModelEye o;
  o.raio = raio, o.raio2 = raio2, o.eixo = eixo, o.asfericidade = q;
  return o;
}

// A cone of `dioptrias` at (x, y) millimetres off the apex (y up: negative is below).
ModelEye Cone(ModelEye o, double dioptrias, double x, double y, double largura) {
  o.ceratocone = dioptrias, o.coneX = x, o.coneY = y, o.coneRaio = largura;
  return o;
}

// A cone on one lobe only of a toric cornea's steep meridian: the bow tie loses its symmetry.
ModelEye LoboAssimetrico(ModelEye o, double dioptrias, double distancia) {
  const double a = (o.eixo + 90.0) * 3.14159265358979323846 / 180.0;
  return Cone(o, dioptrias, distancia * std::cos(a), distancia * std::sin(a), 1.2);
}

}  // namespace

const std::vector<ModeloOlho>& ModelosOlho() {
  static const std::vector<ModeloOlho> m = {
      {"Esfera de referência 7,80 mm", Olho(7.80)},
      {"Córnea normal (7,75 mm, Q -0,25)", Olho(7.75, 0, 0, -0.25)},
      {"Astigmatismo a favor da regra (1,5 D)", Olho(7.95, 7.70, 0, -0.2)},
      {"Astigmatismo oblíquo (2 D a 45°)", Olho(7.90, 7.57, 135, -0.2)},
      {"Córnea plana (8,30 mm)", Olho(8.30, 0, 0, -0.15)},
      {"Córnea curva (7,30 mm)", Olho(7.30, 0, 0, -0.3)},
      {"Ceratocone central (4 D)", Cone(Olho(7.60, 0, 0, -0.3), 4.0, 0.0, -0.3, 1.0)},
      {"Ceratocone central avançado (8 D)", Cone(Olho(7.50, 0, 0, -0.4), 8.0, 0.0, -0.5, 1.0)},
      {"Ceratocone periférico inferior (5 D)", Cone(Olho(7.70, 0, 0, -0.3), 5.0, 0.0, -1.6, 1.0)},
      {"Ceratocone periférico inferior avançado (9 D)", Cone(Olho(7.60, 0, 0, -0.3), 9.0, 0.3, -1.7, 1.1)},
      {"Astigmatismo irregular (gravata assimétrica)", LoboAssimetrico(Olho(7.90, 7.62, 20, -0.2), 2.5, 1.5)},
      {"Astigmatismo irregular oblíquo (3 D)", LoboAssimetrico(Olho(7.95, 7.45, 150, -0.2), 3.0, 1.3)},
  };
  return m;
}

ModelEye NoOlho(ModelEye olho, bool direito) {
  if (!direito) {
    olho.eixo = 180.0 - olho.eixo;
    olho.coneX = -olho.coneX;
    olho.decX = -olho.decX;
    olho.pupilaX = -olho.pupilaX;
  }
  return olho;
}

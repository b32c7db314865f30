// Cone-data library: the per-ring data of the instrument's Placido cone.
#include <algorithm>
#include <vector>

#include "core/UBModuleInterface.h"
#include "plugins/common/ConeModel.h"

extern "C" MZAPI int32_t CarregaDadosCone(TBufferDadosCone* dados, const char* tipoCone, double z0) {
  if (!dados) return 0;
  dados->Quantidade = 0;
  ConeModel cone;
  if (!tipoCone || !MakeCone(tipoCone, z0, cone)) return 0;  // no data is better than made-up data
  std::vector<double> c1, c2;
  ConeDataArrays(cone, c1, c2);
  const int n = std::min<int>(dados->Capacidade, int(c1.size()));
  if (n <= 0 || !dados->Primeiro || !dados->Segundo) return 0;
  std::copy_n(c1.begin(), n, dados->Primeiro);
  std::copy_n(c2.begin(), n, dados->Segundo);
  dados->Quantidade = n;
  return 1;
}

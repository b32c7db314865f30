#include "core/UBDadosCone.h"

#include <utility>

namespace {
TCarregaDadosCone& Fonte() {
  static TCarregaDadosCone fonte;
  return fonte;
}
}  // namespace

TCarregaDadosCone DefinirCarregaDadosCone(TCarregaDadosCone Nova) { return std::exchange(Fonte(), std::move(Nova)); }

const TCarregaDadosCone& CarregaDadosConePadrao() { return Fonte(); }

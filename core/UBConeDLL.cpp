#include "core/UBConeDLL.h"

#include "core/UBDadosCone.h"
#include "core/UBModuleInterface.h"
#include "core/UBModulo.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

TModuloDLL Modulo;
TCarregaDadosConeDLL CarregaDadosCone = nullptr;
constexpr int kCapacidade = 64;  // more rings than any cone has

void Carregar(TDadosCone& Dados, const std::string& TipoCone, double Z0) {
  Dados.C1.assign(kCapacidade, 0.0);
  Dados.C2.assign(kCapacidade, 0.0);
  TBufferDadosCone b{Dados.C1.data(), Dados.C2.data(), kCapacidade, 0};
  if (!CarregaDadosCone || CarregaDadosCone(&b, TipoCone.c_str(), Z0) != 1 || b.Quantidade <= 0)
    throw Exception("Não há dados do cone do tipo " + TipoCone + ".");
  Dados.C1.resize(size_t(b.Quantidade));
  Dados.C2.resize(size_t(b.Quantidade));
}

}  // namespace

bool CarregarConeDLL(const std::string& Path) {
  if (!Modulo.Carregar(Path) || !Modulo.Buscar("CarregaDadosCone", CarregaDadosCone)) {
    LiberarConeDLL();
    return false;
  }
  DefinirCarregaDadosCone(Carregar);
  return true;
}

void LiberarConeDLL() {
  DefinirCarregaDadosCone(nullptr);
  Modulo.Liberar();
  CarregaDadosCone = nullptr;
}

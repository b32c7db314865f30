#include "core/UBMensagensMapa.h"

#include <utility>

namespace {
TMostrarMensagemMapa& Rotina() {
  static TMostrarMensagemMapa rotina;
  return rotina;
}
}  // namespace

void MostrarMensagemMapa(const std::string& Texto, const std::string& Titulo, TTipoMensagemMapa Tipo) {
  if (Rotina()) Rotina()(Texto, Titulo, Tipo);
}

TMostrarMensagemMapa DefinirMostrarMensagemMapa(TMostrarMensagemMapa Nova) {
  return std::exchange(Rotina(), std::move(Nova));
}

#include "core/UBBackupDLL.h"

#include "core/UBModulo.h"

TInfoBackup InfoBackup = nullptr;
TCriarBackup CriarBackup = nullptr;
TRestaurarBackup RestaurarBackup = nullptr;

namespace {
TModuloDLL Modulo;
}

bool CarregarBackupDLL(const std::string& Path) {
  if (!Modulo.Carregar(Path)) return false;
  const bool temInfoBackup = Modulo.Buscar("InfoBackup", InfoBackup);
  const bool temCriarBackup = Modulo.Buscar("CriarBackup", CriarBackup);
  const bool temRestaurarBackup = Modulo.Buscar("RestaurarBackup", RestaurarBackup);
  return temInfoBackup && temCriarBackup && temRestaurarBackup;
}

void LiberarBackupDLL() {
  Modulo.Liberar();
  InfoBackup = nullptr;
  CriarBackup = nullptr;
  RestaurarBackup = nullptr;
}

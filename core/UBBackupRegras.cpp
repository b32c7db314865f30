#include "core/UBBackupRegras.h"

#include <algorithm>
#include <cmath>

std::string TextoUltimoBackup(const std::vector<std::string>& Detalhes) {
  if (Detalhes.size() < 6 || Detalhes[5].size() < 26) return {};
  return Detalhes[5].substr(25, 10);
}

namespace {

bool LerData(std::string texto, TDateTime& data) {
  std::replace(texto.begin(), texto.end(), '\\', '/');
  TFormatSettings fs;
  fs.ShortDateFormat = "dd/MM/yyyy";
  fs.DateSeparator = '/';
  // A shorter text would be read with the current year.
  return texto.size() == 10 && TryStrToDate(texto, data, fs);
}

// Whole months from Desde to Ate: a month counts once its day has come again (the 31st reaches the end
// of a shorter month).
int MesesInteiros(TDateTime Desde, TDateTime Ate) {
  Word y1, m1, d1, y2, m2, d2;
  DecodeDate(Desde, y1, m1, d1);
  DecodeDate(Ate, y2, m2, d2);
  int meses = (y2 - y1) * 12 + (m2 - m1);
  if (meses > 0 && IncMonth(Desde, meses) > Ate) --meses;
  return meses;
}

}  // namespace

bool BackupAutomaticoDevido(TDateTime Hoje, const std::string& UltimoBackup, const TOpcoesBackupAuto& Opcoes,
                            int ExamesSemBackup) {
  if (Opcoes.Auto == 2) return ExamesSemBackup >= Opcoes.Op2;
  if (Opcoes.Auto != 1) return false;
  TDateTime ultimo = 0;
  if (!LerData(UltimoBackup, ultimo)) return true;
  const TDateTime hoje = std::floor(Hoje);
  if (Opcoes.Op1_2 == 0) return hoje - ultimo >= Opcoes.Op1_1;
  if (Opcoes.Op1_2 == 1) return MesesInteiros(ultimo, hoje) >= Opcoes.Op1_1;
  return false;
}

std::string NumeroDisco(int Numero) {
  const std::string digitos = std::to_string(std::clamp(Numero, 0, 9999));
  return std::string(4 - digitos.size(), '0') + digitos;
}

#pragma once
// The module side of the program's streams: whole contents in and out, and text lines (CR LF).
#include <cstdint>
#include <string>
#include <vector>

#include "core/UBModuleInterface.h"
#include "plugins/common/TextosModulo.h"

inline std::vector<uint8_t> LerStream(TMZStream* s) {
  std::vector<uint8_t> v;
  if (!s) return v;
  const int64_t n = s->vtbl->GetSize(s);
  if (n <= 0) return v;
  v.resize(size_t(n));
  s->vtbl->Seek(s, 0, 0);
  v.resize(size_t(s->vtbl->Read(s, v.data(), n)));
  return v;
}

inline void EscreverStream(TMZStream* s, const void* dados, size_t n) {
  if (!s) return;
  s->vtbl->SetSize(s, 0);
  s->vtbl->Seek(s, 0, 0);
  s->vtbl->Write(s, dados, int64_t(n));
  s->vtbl->Seek(s, 0, 0);
}

inline std::vector<std::string> LerLinhas(TMZStream* s) {
  const std::vector<uint8_t> v = LerStream(s);
  return DividirLinhas(v.data(), v.size());
}

inline void EscreverLinhas(TMZStream* s, const std::vector<std::string>& linhas) {
  std::string texto;
  for (const std::string& l : linhas) texto += l + "\r\n";
  EscreverStream(s, texto.data(), texto.size());
}

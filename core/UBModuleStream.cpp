#include "core/UBModuleStream.h"

namespace {

TStream& De(TMZStream* s) { return static_cast<TStreamModulo*>(s)->Stream; }

MZAPI int64_t Ler(TMZStream* s, void* buffer, int64_t count) {
  try {
    return count > 0 && buffer ? De(s).Read(buffer, count) : 0;
  } catch (...) {
    return 0;
  }
}

MZAPI int64_t Escrever(TMZStream* s, const void* buffer, int64_t count) {
  try {
    return count > 0 && buffer ? De(s).Write(buffer, count) : 0;
  } catch (...) {
    return 0;
  }
}

MZAPI int64_t Posicionar(TMZStream* s, int64_t offset, int32_t origin) {
  if (origin < 0 || origin > 2) return -1;
  try {
    return De(s).Seek(offset, static_cast<TSeekOrigin>(origin));
  } catch (...) {
    return -1;
  }
}

MZAPI int64_t Tamanho(TMZStream* s) {
  try {
    return De(s).Size();
  } catch (...) {
    return 0;
  }
}

MZAPI int32_t MudarTamanho(TMZStream* s, int64_t size) {
  try {
    De(s).SetSize(size);
    return 1;
  } catch (...) {
    return 0;
  }
}

const TMZStreamVtbl kVtbl{Ler, Escrever, Posicionar, Tamanho, MudarTamanho};

}  // namespace

TStreamModulo::TStreamModulo(TStream& Stream) : TMZStream{&kVtbl}, Stream(Stream) {}

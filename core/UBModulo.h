#pragma once
// Loading of plug-in modules: one owner of a module handle per module kind, the lookup of entry
// points by exported name, and a guard that frees a kind's module when a call's scope ends, so
// that a module is loaded only for the length of one call, exceptions included.
#include <windows.h>

#include <string>

class TModuloDLL {
 public:
  TModuloDLL() = default;
  TModuloDLL(const TModuloDLL&) = delete;
  TModuloDLL& operator=(const TModuloDLL&) = delete;
  ~TModuloDLL() { Liberar(); }

  // Frees the module held before; true when the file loaded.
  bool Carregar(const std::string& Path);
  void Liberar();
  bool Carregado() const { return Handle != nullptr; }

  // Looks an entry point up into `Destino` (null when missing); true when found.
  template <class F>
  bool Buscar(const char* Nome, F& Destino) {
    Destino = Handle ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Handle, Nome))) : nullptr;
    return Destino != nullptr;
  }

 private:
  HMODULE Handle = nullptr;
};

// Calls a kind's free routine when it leaves scope.
class TLiberarAoSair {
 public:
  explicit TLiberarAoSair(void (*Liberar)()) : Liberar(Liberar) {}
  TLiberarAoSair(const TLiberarAoSair&) = delete;
  TLiberarAoSair& operator=(const TLiberarAoSair&) = delete;
  ~TLiberarAoSair() { Liberar(); }

 private:
  void (*Liberar)();
};

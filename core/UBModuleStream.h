#pragma once
// The program's streams as the modules see them: a TMZStream over a TStream that the program owns.
// No exception crosses into a module: a failing stream operation answers 0 (or -1 for Seek).
#include <memory>
#include <vector>

#include "core/UBModuleInterface.h"
#include "toolkit/rtl/Classes.h"

class TStreamModulo : public TMZStream {
 public:
  explicit TStreamModulo(TStream& Stream);
  TStreamModulo(const TStreamModulo&) = delete;
  TStreamModulo& operator=(const TStreamModulo&) = delete;
  TStream& Stream;
};

// A list of streams handed as one array (TDadosPac and the orthokeratology picture sets).
class TListaStreamsModulo {
 public:
  void Adicionar(TStream& s) { Itens.emplace_back(std::make_unique<TStreamModulo>(s)); Ponteiros.push_back(Itens.back().get()); }
  TMZStream* const* Dados() const { return Ponteiros.data(); }
  int Count() const { return int(Ponteiros.size()); }

 private:
  std::vector<std::unique_ptr<TStreamModulo>> Itens;
  std::vector<TMZStream*> Ponteiros;
};

#pragma once
// A run that nobody watches: when the environment variable MZ_HOOK_DIR names a folder, message
// boxes and file dialogs take their answers from "respostas.txt" there (the default button when
// none is left) instead of waiting for a user, shell and help calls are not made, and every one of
// them is written as a line of "registro.txt" in that folder.
#include <memory>

class TGanchoExecucao;

// The hook of this run while the returned object lives; nothing when MZ_HOOK_DIR is not set.
std::unique_ptr<TGanchoExecucao> InstalarGanchoExecucao();

class TGanchoExecucao {
 public:
  ~TGanchoExecucao();
  TGanchoExecucao(const TGanchoExecucao&) = delete;
  TGanchoExecucao& operator=(const TGanchoExecucao&) = delete;

 private:
  friend std::unique_ptr<TGanchoExecucao> InstalarGanchoExecucao();
  struct TEstado;
  explicit TGanchoExecucao(std::unique_ptr<TEstado> Estado);
  std::unique_ptr<TEstado> FEstado;
};

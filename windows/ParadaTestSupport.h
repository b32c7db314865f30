#pragma once
// Tests of what an abrupt stop leaves behind: the test runs one of its own tests in a child process
// whose environment names the step where the program ends itself (MZ_PARAR_EM), then checks what the
// next start finds.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/UBConstantes.h"
#include "core/UBIniSettings.h"
#include "core/UBMapOperation.h"
#include "core/UfrmDataModule.h"
#include "toolkit/ui/Forms.h"

namespace paradatest {

// The child's exit code when it stopped at its step.
constexpr DWORD kParou = 3;

// A variable of the Windows environment (the one CreateProcess hands on), "" when unset.
inline std::string Ambiente(const char* Nome) {
  char v[512] = {};
  const DWORD n = GetEnvironmentVariableA(Nome, v, sizeof v);
  return n < sizeof v ? std::string(v, n) : std::string();
}

// This test program, for a child run of one of its tests.
inline std::string EstePrograma() {
  char nome[MAX_PATH];
  GetModuleFileNameA(nullptr, nome, MAX_PATH);
  std::string r = nome;
  if (GetFileAttributesA((r + ".so").c_str()) != INVALID_FILE_ATTRIBUTES) r += ".so";
  return r;
}

// Runs Test (a disabled test of this program) in a child process with Variables set, until it ends;
// its exit code.
inline DWORD RodarFilho(const std::string& Test, const std::vector<std::pair<std::string, std::string>>& Variaveis) {
  for (const auto& [nome, valor] : Variaveis) SetEnvironmentVariableA(nome.c_str(), valor.c_str());
  std::string cmd = "\"" + EstePrograma() + "\" --gtest_also_run_disabled_tests --gtest_filter=" + Test;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const bool iniciado = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  for (const auto& v : Variaveis) SetEnvironmentVariableA(v.first.c_str(), nullptr);
  EXPECT_TRUE(iniciado) << GetLastError();
  if (!iniciado) return DWORD(-1);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 180000), WAIT_OBJECT_0);
  DWORD codigo = 0;
  GetExitCodeProcess(pi.hProcess, &codigo);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return codigo;
}

// In the child: the settings beside this program (the parent's installation) in the records, and the
// data module on its database. The process ends at its step, so nothing of it is given back.
inline void AbrirInstalacaoDoPai() {
  BIniSettings = std::make_unique<TBIniSettings>();
  ASSERT_TRUE(BIniSettings->LoadAll());
  CopySettingsToRecords(*BIniSettings);
  BMapOperation = std::make_unique<TBMapOperation>();
  DMPrincipal = new TDMPrincipal(Application);
  ASSERT_TRUE(DMPrincipal->PSetDataBaseName(std::string(PathsMZ.BancoDados) + "\\DATABASE.GDB"));
  DMPrincipal->PCommitDataBase();
}

// A step of a table of stops: its name, and whether the work counts as done when it stops there.
struct TPasso {
  const char* Nome;
  bool Feito;
};

inline void PrintTo(const TPasso& P, std::ostream* Saida) { *Saida << P.Nome; }

// The test's name for a step ("backup-banco-copiado" -> "backup_banco_copiado").
inline std::string NomeDoPasso(std::string Nome) {
  for (char& c : Nome)
    if (c == '-') c = '_';
  return Nome;
}

}  // namespace paradatest

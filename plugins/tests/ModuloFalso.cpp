// A module that offers every map entry point; each test DLL exports only some of them (its .spec),
// to check which sets of entry points the bindings accept. Its information text is the file beside
// it named as the module with the extension ".txt" (nothing when there is none), so that one build
// serves as modules of any name and description.
//
// Every call is recorded in "chamadas.txt" beside the module: a block of "key=value" lines (the
// entry point, the module's file name, the rings and cone it sees, the orthokeratology values or
// "null", the pictures, the info lines, the counts, the candidate lines and a value of each exam's
// D matrix) closed by "Fim". "Wizard" answers as "escolha.txt" beside the module says: its first
// line is the result, the other lines are the chosen lines (no file: 0, nothing chosen).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/UBModuleInterface.h"
#include "plugins/common/ModuloStream.h"

namespace {

std::string CaminhoDoModulo() {
  HMODULE m = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&CaminhoDoModulo), &m);
  char nome[MAX_PATH] = {};
  GetModuleFileNameA(m, nome, MAX_PATH);
  return nome;
}

std::string Pasta() {
  const std::string caminho = CaminhoDoModulo();
  return caminho.substr(0, caminho.find_last_of('\\') + 1);
}

std::string LerArquivo(const std::string& caminho) {
  std::string texto;
  HANDLE f = CreateFileA(caminho.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return texto;
  char buf[4096];
  DWORD lidos = 0;
  while (ReadFile(f, buf, sizeof buf, &lidos, nullptr) && lidos > 0) texto.append(buf, lidos);
  CloseHandle(f);
  return texto;
}

std::string TextoAoLado() {
  const std::string caminho = CaminhoDoModulo();
  return LerArquivo(caminho.substr(0, caminho.find_last_of('.')) + ".txt");
}

std::string Numero(double v) {
  char s[64];
  std::snprintf(s, sizeof s, "%.4f", v);
  return s;
}

// One call's block of the record.
class TRegistro {
 public:
  explicit TRegistro(const char* Entrada) {
    const std::string caminho = CaminhoDoModulo();
    Linha("Entrada", Entrada);
    Linha("Modulo", caminho.substr(caminho.find_last_of('\\') + 1));
  }
  TRegistro(const TRegistro&) = delete;
  TRegistro& operator=(const TRegistro&) = delete;
  ~TRegistro() {
    texto_ += "Fim\r\n";
    HANDLE f = CreateFileA((Pasta() + "chamadas.txt").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                           OPEN_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD escritos = 0;
    WriteFile(f, texto_.data(), DWORD(texto_.size()), &escritos, nullptr);
    CloseHandle(f);
  }

  void Linha(const std::string& Chave, const std::string& Valor) { texto_ += Chave + "=" + Valor + "\r\n"; }
  void Linhas(const std::string& Chave, TMZStream* s) {
    for (const std::string& l : LerLinhas(s)) Linha(Chave, l);
  }
  void Infos(const TInfosMZ* i) {
    if (!i) return;
    Linha("NumAneis", std::to_string(i->NumAneis));
    Linha("TipoCone", i->TipoCone ? i->TipoCone : "(null)");
  }
  void Orto(const double* v, int n) {
    std::string t = v ? "" : "null";
    for (int k = 0; v && k < n; ++k) t += (k ? ";" : "") + Numero(v[k]);
    Linha("Orto", t);
  }
  // "null", "vazia" or the picture's first two bytes ("BM" for a Windows bitmap).
  void Figura(const std::string& Chave, TMZStream* s) {
    if (!s) return Linha(Chave, "null");
    const std::vector<uint8_t> v = LerStream(s);
    Linha(Chave, v.size() < 2 ? "vazia" : std::string(v.begin(), v.begin() + 2));
  }
  void Mapa(const std::string& Chave, const TMatrizAngAnel* d) { Linha(Chave, d ? Numero((*d)[0][1]) : "null"); }

 private:
  std::string texto_;
};

int32_t Escolher(const char* Entrada, TMZStream* candidatos, TMZStream* escolhidos, TMZStream* parametros,
                 const TInfosMZ* infos) {
  TRegistro r(Entrada);
  r.Infos(infos);
  r.Linhas("Candidato", candidatos);
  const std::string texto = LerArquivo(Pasta() + "escolha.txt");
  const std::vector<std::string> escolha = DividirLinhas(reinterpret_cast<const uint8_t*>(texto.data()), texto.size());
  if (escolha.empty()) return 0;
  EscreverLinhas(escolhidos, std::vector<std::string>(escolha.begin() + 1, escolha.end()));
  EscreverLinhas(parametros, {"parametros"});
  return std::atoi(escolha[0].c_str());
}

void RegistrarExames(TRegistro& r, TMZStream* const* listas, const TMatrizAngAnel* md, int quantidade) {
  for (int k = 0; k < quantidade; ++k) {
    r.Linhas("Info" + std::to_string(k), listas ? listas[k] : nullptr);
    r.Mapa("D" + std::to_string(k), md ? &md[k] : nullptr);
  }
}

int32_t Mapa(const char* Entrada, TMZStream* central, TMZStream* lateral, TMZStream* info, const TMatrizAngAnel* md,
             const double* orto, const TInfosMZ* infos) {
  TRegistro r(Entrada);
  r.Infos(infos);
  r.Orto(orto, 3);
  r.Figura("Central", central);
  r.Figura("Lateral", lateral);
  r.Linhas("Info", info);
  r.Mapa("D", md);
  return 0;
}

}  // namespace

extern "C" {
MZAPI int32_t ProcessaMapa(HWND__*, TMZStream* central, TMZStream* lateral, double, double, TMZStream* info,
                           TMatrizAngAnel*, TMatrizAng*, TMatrizAngAnel* md, TPupila*, const double* orto,
                           const TInfosMZ* infos) {
  return Mapa("ProcessaMapa", central, lateral, info, md, orto, infos);
}
MZAPI int32_t ProcessaMapaOrto(HWND__*, TMZStream* central, TMZStream* lateral, double, double, TMZStream* info,
                               TMatrizAngAnel*, TMatrizAng*, TMatrizAngAnel* md, TPupila*, const double* orto,
                               const TInfosMZ* infos) {
  return Mapa("ProcessaMapaOrto", central, lateral, info, md, orto, infos);
}
MZAPI int32_t InfoMapa(TMZStream* saida) {
  const std::string texto = TextoAoLado();
  EscreverStream(saida, texto.data(), texto.size());
  return 0;
}
MZAPI int32_t ProcessaMapas(HWND__*, TMZStream* const* listas, const TMatrizAngAnel*, const TMatrizAng*,
                            const TMatrizAngAnel* md, const TPupila*, int32_t quantidade, TMZStream* parametros,
                            const TInfosMZ* infos) {
  TRegistro r("ProcessaMapas");
  r.Infos(infos);
  r.Linha("Quantidade", std::to_string(quantidade));
  r.Linhas("Parametros", parametros);
  RegistrarExames(r, listas, md, quantidade);
  return 0;
}
MZAPI int32_t ProcessaMapasOrto(HWND__*, TMZStream* const* listas, const TMatrizAngAnel*, const TMatrizAngAnel* md,
                                const double* valores, const TInfosMZ* infos) {
  TRegistro r("ProcessaMapasOrto");
  r.Infos(infos);
  r.Orto(valores, 16);
  RegistrarExames(r, listas, md, 4);
  return 0;
}
MZAPI int32_t Wizard(HWND__*, TMZStream* candidatos, TMZStream* escolhidos, TMZStream* parametros,
                     const TInfosMZ* infos) {
  return Escolher("Wizard", candidatos, escolhidos, parametros, infos);
}
MZAPI int32_t WizardDiferencial(HWND__*, TMZStream* candidatos, TMZStream* escolhidos, TMZStream* parametros,
                                bool sinal, const TInfosMZ* infos) {
  return Escolher(sinal ? "WizardDiferencial" : "WizardDiferencial(falso)", candidatos, escolhidos, parametros, infos);
}
MZAPI int32_t ProcessaLente(HWND__*, TMZStream* central, TMZStream* info, double, double, TMatrizAngAnel*,
                            TMatrizAng*, TMatrizAngAnel* md, const TInfosMZ* infos, const TPathsMZ* paths) {
  TRegistro r("ProcessaLente");
  r.Infos(infos);
  r.Figura("Central", central);
  r.Linhas("Info", info);
  r.Mapa("D", md);
  r.Linha("Paths", paths ? "sim" : "null");
  return 0;
}
MZAPI int32_t ProcessaAberrometria(HWND__*, TMatrizAngAnel*, TMatrizAngAnel* md, TMatrizAng*, const char* tipoCone,
                                   uint8_t numAneis, uint8_t, double tres, double, double, int32_t largura,
                                   int32_t altura, int32_t um, TMZStream* info, TMZStream* clinica) {
  TRegistro r("ProcessaAberrometria");
  r.Linha("NumAneis", std::to_string(numAneis));
  r.Linha("TipoCone", tipoCone ? tipoCone : "(null)");
  r.Linha("Constantes", Numero(tres) + ";" + std::to_string(largura) + ";" + std::to_string(altura) + ";" +
                            std::to_string(um));
  r.Linhas("Info", info);
  r.Linhas("Clinica", clinica);
  r.Mapa("D", md);
  return 0;
}
}

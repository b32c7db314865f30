#include <windows.h>

#include "core/UBMapOperation.h"

#include "core/UBArquivosExame.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/Forms.h"

namespace {

void MensagemErro(const std::string& Texto) { Application->MessageBox(Texto, "Erro", MB_ICONERROR); }

}  // namespace

TBMapOperation::TBMapOperation() = default;

void TBMapOperation::Limpar() {
  AneisPorMeridiano.fill(0);
  MatrizD = {};
  MatrizM = {};
  CentroX = CentroY = 0;
  Pupila.fill(0);
}

bool TBMapOperation::CarregarArquivosMapa(const std::string& Prefixo) {
  Limpar();
  SetArquivoM(Prefixo);
  SetArquivoD(Prefixo);
  SetArquivoA(Prefixo);
  const bool lido = LerArquivoM() && LerArquivoD() && LerArquivoA();
  if (!lido) Limpar();
  return lido;
}

bool TBMapOperation::LerLinhas(const std::string& Nome, const char* Rotulo, TStrings& Linhas) {
  if (!FileExists(Nome)) {
    MensagemErro(std::string("Arquivo ") + Rotulo + " não encontrado!");
    return false;
  }
  try {
    TFileStream arquivo(Nome, fmOpenRead | fmShareDenyWrite);
    if (arquivo.Size() > TamanhoMaximoArquivo) throw EReadError("o arquivo é grande demais.");
    Linhas.LoadFromStream(&arquivo);
    return true;
  } catch (const Exception& e) {
    MensagemErro(std::string("Arquivo ") + Rotulo + " inválido: " + e.Message());
    return false;
  }
}

bool TBMapOperation::LerArquivoMatriz(const std::string& Nome, const char* Rotulo, TMatrizAngAnel& Matriz) {
  TStringList linhas;
  if (!LerLinhas(Nome, Rotulo, linhas)) return false;
  try {
    LerMatrizTexto(linhas, 0, Matriz);
    return true;
  } catch (const Exception& e) {
    MensagemErro(std::string("Arquivo ") + Rotulo + " inválido: " + e.Message());
    return false;
  }
}

double TBMapOperation::StrToFloatPontoVirgula(std::string_view Texto) { return ::StrToFloatPontoVirgula(Texto); }

bool TBMapOperation::LerArquivoM() { return LerArquivoMatriz(ArquivoM, "m.txt", MatrizM); }

bool TBMapOperation::LerArquivoD() { return LerArquivoMatriz(ArquivoD, "d.txt", MatrizD); }

bool TBMapOperation::LerArquivoA() {
  TStringList linhas;
  if (!LerLinhas(ArquivoA, "a.txt", linhas)) return false;
  try {
    LerTextoA(linhas, AneisPorMeridiano, CentroX, CentroY, Pupila);
    return true;
  } catch (const Exception& e) {
    MensagemErro("Arquivo a.txt inválido: " + e.Message());
    return false;
  }
}


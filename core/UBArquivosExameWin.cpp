#include <windows.h>

#include "core/UBArquivosExame.h"

#include "core/UBConstantes.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/Forms.h"

namespace {

void GravarTexto(const std::string& Nome, const std::string& Texto) {
  TFileStream arquivo(Nome, fmCreate);
  arquivo.WriteBuffer(Texto.data(), int64_t(Texto.size()));
}

std::string NomeArquivoExame(const std::string& DirExames, int CodPaciente, int CodExame, const char* Sufixo) {
  return PrefixoArquivosExame(DirExames, CodPaciente, CodExame) + Sufixo;
}

}  // namespace

void GravarArquivoD(const std::string& DirExames, int CodPaciente, int CodExame, const TMatrizAngAnel& Matriz,
                    int NumAneis) {
  GravarTexto(NomeArquivoExame(DirExames, CodPaciente, CodExame, "d.txt"), TextoArquivoMatriz(Matriz, NumAneis));
}

void GravarArquivoM(const std::string& DirExames, int CodPaciente, int CodExame, const TMatrizAngAnel& Matriz,
                    int NumAneis) {
  GravarTexto(NomeArquivoExame(DirExames, CodPaciente, CodExame, "m.txt"), TextoArquivoMatriz(Matriz, NumAneis));
}

void GravarArquivoA(const std::string& DirExames, int CodPaciente, int CodExame,
                    const TMatrizAng& AneisPorMeridiano, double CentroX, double CentroY, const TPupila& Pupila) {
  GravarTexto(NomeArquivoExame(DirExames, CodPaciente, CodExame, "a.txt"),
              TextoArquivoA(AneisPorMeridiano, CentroX, CentroY, Pupila));
}

void GravarArquivosOrto(const std::string& DirExames, int CodPaciente, int CodExame, const TStrings& LinhasD,
                        const TStrings& LinhasM, int Bloco, int NumAneis) {
  GravarArquivosOrto(PrefixoArquivosExame(DirExames, CodPaciente, CodExame), LinhasD, LinhasM, Bloco, NumAneis);
}

void GravarArquivosMapa(const std::string& Prefixo, const TMatrizAngAnel& MatrizD, const TMatrizAngAnel& MatrizM,
                        const TMatrizAng& AneisPorMeridiano, double CentroX, double CentroY, const TPupila& Pupila,
                        int NumAneis) {
  GravarTexto(Prefixo + "d.txt", TextoArquivoMatriz(MatrizD, NumAneis));
  GravarTexto(Prefixo + "m.txt", TextoArquivoMatriz(MatrizM, NumAneis));
  GravarTexto(Prefixo + "a.txt", TextoArquivoA(AneisPorMeridiano, CentroX, CentroY, Pupila));
}

void GravarArquivosOrto(const std::string& Prefixo, const TStrings& LinhasD, const TStrings& LinhasM, int Bloco,
                        int NumAneis) {
  const std::string d = TextoBloco(LinhasD, Bloco * NumMeridianos), m = TextoBloco(LinhasM, Bloco * NumMeridianos);
  TMatrizAng aneis;
  aneis.fill(NumAneis);
  GravarTexto(Prefixo + "d.txt", d);
  GravarTexto(Prefixo + "m.txt", m);
  GravarTexto(Prefixo + "a.txt", TextoArquivoA(aneis, 320, 240, {}));
}

bool GravarArquivoLaudo(const std::string& DirLaudos, const std::string& CodPaciente, const std::string& CodLaudo,
                        const std::array<std::string, 5>& Textos) {
  const std::string nome = DirLaudos + "\\" + CodPaciente + "\\" + CodLaudo + "l.txt";
  std::string texto;
  for (size_t i = 0; i < Textos.size(); ++i) {
    texto += TextoSemMarcadores(Textos[i]) + "\r\n@";
    if (i + 1 < Textos.size()) texto += "\r\n";
  }
  // A file left from an earlier save does not make a failed write a success.
  bool gravado = true;
  try {
    GravarTexto(nome, texto);
  } catch (const Exception&) {
    gravado = false;
  }
  gravado = gravado && FileExists(nome);
  if (gravado)
    Application->MessageBox("Laudo gravado com sucesso.", "Informação", MB_ICONINFORMATION);
  else
    Application->MessageBox("Não foi possível gravar o arquivo de laudo.", "Informação", MB_ICONINFORMATION);
  return gravado;
}


void GravarArquivoD(int CodPaciente, int CodExame, const TMatrizAngAnel& Matriz) {
  GravarArquivoD(PathsMZ.Exames, CodPaciente, CodExame, Matriz, InfosMZ.NumAneis);
}

void GravarArquivoM(int CodPaciente, int CodExame, const TMatrizAngAnel& Matriz) {
  GravarArquivoM(PathsMZ.Exames, CodPaciente, CodExame, Matriz, InfosMZ.NumAneis);
}

void GravarArquivoA(int CodPaciente, int CodExame, const TMatrizAng& AneisPorMeridiano, double CentroX,
                    double CentroY, const TPupila& Pupila) {
  GravarArquivoA(PathsMZ.Exames, CodPaciente, CodExame, AneisPorMeridiano, CentroX, CentroY, Pupila);
}

void GravarArquivosOrto(int CodPaciente, int CodExame, const TStrings& LinhasD, const TStrings& LinhasM, int Bloco) {
  GravarArquivosOrto(PathsMZ.Exames, CodPaciente, CodExame, LinhasD, LinhasM, Bloco, InfosMZ.NumAneis);
}

bool GravarArquivoLaudo(const std::string& CodPaciente, const std::string& CodLaudo,
                        const std::array<std::string, 5>& Textos) {
  return GravarArquivoLaudo(PathsMZ.Laudos, CodPaciente, CodLaudo, Textos);
}

#pragma once
// The map data of one exam, read from its three files and handed to the map modules, the report
// and the mini map. Missing and damaged files are reported through the core's message routine. Every load starts from nothing: a failed load leaves the object empty, never
// half of one exam or a rest of the one before.
#include <string>
#include <string_view>

#include "core/UBMatrizMapa.h"

class TStrings;

class TBMapOperation {
 public:
  TBMapOperation();

  // Prefixo: the exams folder + "\" + patient code + "\" + exam code, or an example's prefix.
  // Reads m.txt, d.txt and a.txt in that order and stops at the first failure, which it reports.
  bool CarregarArquivosMapa(const std::string& Prefixo);

  bool LerArquivoM();
  bool LerArquivoD();
  bool LerArquivoA();

  void GetAneisPorMeridiano(TMatrizAng& Destino) const { Destino = AneisPorMeridiano; }
  void GetMatrizD(TMatrizAngAnel& Destino) const { Destino = MatrizD; }
  void GetMatrizM(TMatrizAngAnel& Destino) const { Destino = MatrizM; }
  void GetPupila(TPupila& Destino) const { Destino = Pupila; }

  TMatrizAng* PtrAneisPorMeridiano() { return &AneisPorMeridiano; }
  TMatrizAngAnel* PtrMatrizD() { return &MatrizD; }
  TMatrizAngAnel* PtrMatrizM() { return &MatrizM; }
  double* PtrCentroX() { return &CentroX; }
  double* PtrCentroY() { return &CentroY; }

  double GetCentroX() const { return CentroX; }
  double GetCentroY() const { return CentroY; }

  const std::string& GetArquivoA() const { return ArquivoA; }
  const std::string& GetArquivoD() const { return ArquivoD; }
  const std::string& GetArquivoM() const { return ArquivoM; }
  void SetArquivoA(const std::string& Prefixo) { ArquivoA = Prefixo + "a.txt"; }
  void SetArquivoD(const std::string& Prefixo) { ArquivoD = Prefixo + "d.txt"; }
  void SetArquivoM(const std::string& Prefixo) { ArquivoM = Prefixo + "m.txt"; }

  // A number written with "." or ",", read whatever the decimal separator.
  static double StrToFloatPontoVirgula(std::string_view Texto);

  // Largest map data file read; anything bigger is not an exam's file.
  static constexpr int64_t TamanhoMaximoArquivo = 4 << 20;

 private:
  void Limpar();
  bool LerArquivoMatriz(const std::string& Nome, const char* Rotulo, TMatrizAngAnel& Matriz);
  // Reads the file's lines; reports a missing or unreadable file and answers False.
  static bool LerLinhas(const std::string& Nome, const char* Rotulo, TStrings& Linhas);

  std::string ArquivoA, ArquivoD, ArquivoM;
  TMatrizAng AneisPorMeridiano{};
  TMatrizAngAnel MatrizD{};
  TMatrizAngAnel MatrizM{};
  double CentroX = 0, CentroY = 0;
  TPupila Pupila{};
};

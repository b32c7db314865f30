// GeraExemplos SETTINGS.ini: makes the example exams into the examples folder that the settings
// file names, with the capture and processing modules and the camera scale and working distance it
// names (the cone is the examples' own); and, when the installation has no calibration yet, the
// instrument's calibration on the four spheres with its own cone.
#include <cstdio>

#include "core/UBArquivosExame.h"
#include "plugins/Exemplos/Exemplos.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/IniFiles.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: GeraExemplos MZ3100.ini\n");
    return 2;
  }
  try {
    const TIniFile ini(argv[1]);
    ConfigExemplos c;
    c.Pasta = ini.ReadString("DIRETORIOS", "EXEMPLOS", "");
    c.Captura = ini.ReadString("MODULOS", "DIGITALIZACAO", "");
    c.CapturaOrto = ini.ReadString("MODULOS", "DIGITALIZACAO_ORTO", "");
    c.Processamento = ini.ReadString("MODULOS", "PROCESSAMENTO", "");
    c.ProcessamentoOrto = ini.ReadString("MODULOS", "PROCESSAMENTO_ORTO", "");
    c.FatorCorrecao = StrToFloatPontoVirgula(ini.ReadString("MZ", "FatorCorrecao", "0.02"));
    c.Z0 = StrToFloatPontoVirgula(ini.ReadString("MZ", "Z0", "10"));
    if (c.Pasta.empty() || !ForceDirectories(c.Pasta)) throw Exception("Pasta de exemplos inválida: " + c.Pasta);
    std::printf("%zu exames de exemplo em %s\n", GerarExemplos(c).size(), c.Pasta.c_str());
    c.TipoCone = ini.ReadString("MZ", "TipoCone", "4");
    // The folder and the rings per meridian the program uses for the calibration.
    const std::string calibracao = ini.ReadString("DIRETORIOS", "DIRMZ", "") + "\\Calibração\\";
    if (!FileExists(calibracao + "Coef.txt")) {
      if (!ForceDirectories(calibracao)) throw Exception("Pasta de calibração inválida: " + calibracao);
      GerarCalibracao(c, calibracao, 32);
      std::printf("Calibração em %s\n", calibracao.c_str());
    }
    return 0;
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", e.Message().c_str());
    return 1;
  }
}

#pragma once
// The example exams of the exam browser's "Exemplos" tab, made as a new exam makes an exam: model
// eyes photographed by the capture module (in its unattended mode), measured by the processing
// module and written by the program's exam-file writers, each under the name the browser builds.
#include <string>
#include <vector>

// Rings per meridian the browser hands the map modules for an example exam.
constexpr int NumAneisExemplos = 16;

struct ConfigExemplos {
  std::string Pasta;  // the examples folder, a Windows path
  std::string Captura, CapturaOrto, Processamento, ProcessamentoOrto;  // module files
  std::string TipoCone = "4";
  double FatorCorrecao = 0.02, Z0 = 10.0;
};

// Makes every example exam into Pasta (which must exist) and answers the file prefixes written, in
// order. A module that does not load or does not deliver raises Exception; files written until then
// stay.
std::vector<std::string> GerarExemplos(const ConfigExemplos& Config);

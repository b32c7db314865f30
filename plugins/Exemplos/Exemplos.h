#pragma once
// The example exams of the exam browser's "Exemplos" tab, made as a new exam makes an exam: model
// eyes photographed by the capture module (in its unattended mode), measured by the processing
// module and written by the program's exam-file writers, each under the name the browser builds.
#include <string>
#include <vector>

// Rings per meridian and cone type the browser hands the map modules for an example exam: the
// examples are photographed and measured with that cone (the large 16-ring one), whatever cone
// the instrument has.
constexpr int NumAneisExemplos = 16;
constexpr const char* TipoConeExemplos = "2";

struct ConfigExemplos {
  std::string Pasta;  // the examples folder, a Windows path
  std::string Captura, CapturaOrto, Processamento, ProcessamentoOrto;  // module files
  double FatorCorrecao = 0.02, Z0 = 10.0;
  std::string TipoCone = "4";  // the instrument's cone, for its calibration
};

// Makes every example exam into Pasta (which must exist) and answers the file prefixes written, in
// order. A module that does not load or does not deliver raises Exception; files written until then
// stay.
std::vector<std::string> GerarExemplos(const ConfigExemplos& Config);

// Calibrates the instrument as the calibration window does, on the four spheres through the capture
// and processing modules, into Pasta (the calibration folder, ending in "\", which must exist), with
// the rings per meridian the program measures.
void GerarCalibracao(const ConfigExemplos& Config, const std::string& Pasta, int NumAneis);

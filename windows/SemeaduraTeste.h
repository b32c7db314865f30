#pragma once
// A seeded test database for the windows' tests: doctors, patients, their exams (each with its own
// time, its map files of exact spheres and its ring pictures) and a report per patient with its
// text file.
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/RecordsTestSupport.h"
#include "widgets/RingPictureTestSupport.h"
#include "core/SuperficiesTeste.h"
#include "core/UBArquivosExame.h"
#include "core/UBJpeg.h"
#include "core/UDArquivos.h"
#include "core/UDLaudos.h"
#include "widgets/Bitmap32.h"
#include "windows/WindowsTestSupport.h"

namespace windowstest {

struct TSemeadura {
  std::vector<int> Medicos, Pacientes, Exames, Laudos;
  // The corneal radius (mm) of each exam's sphere, in the order of Exames.
  std::vector<double> Raios;
};

// The installation's database and folders get the doctors and the patients; patient i gets
// ExamesPorPaciente exams (eyes OD, OS, ... by doctors in turn) and one report of its first exam.
// Writing a report's file tells the user, through a message box.
inline TSemeadura Semear(const TInstalacaoTeste& Inst, const std::vector<std::string>& Medicos,
                         const std::vector<std::string>& Pacientes, int ExamesPorPaciente) {
  using recordstest::Registros;
  TSemeadura s;
  for (const std::string& m : Medicos) s.Medicos.push_back(Registros::Medico(m));
  // One JPEG ring picture serves every exam as its central picture.
  TBitmap32 camera;
  const TPixelImage anel = ringtest::RingPicture();
  camera.SetSize(anel.Width, anel.Height);
  std::memcpy(camera.Bits(), anel.Pixels.data(), anel.Pixels.size() * sizeof(TColor32));
  TMemoryStream bmp;
  camera.SaveToStream(&bmp);
  bmp.SetPosition(0);
  TMemoryStream jpeg;
  TBJpeg().BitmapToJpeg(&bmp, 90)->SaveToStream(&jpeg);
  const std::string exames = CaminhoWindows(Inst.Pasta("Exames"));
  const std::string laudos = CaminhoWindows(Inst.Pasta("Laudos"));
  for (const std::string& nome : Pacientes) {
    const int paciente = Registros::Paciente(nome, ExamesPorPaciente);
    s.Pacientes.push_back(paciente);
    std::filesystem::create_directories(Inst.Pasta("Exames") / std::to_string(paciente));
    std::filesystem::create_directories(Inst.Pasta("Laudos") / std::to_string(paciente));
    int primeiro = -1;
    for (int k = 0; k < ExamesPorPaciente; ++k) {
      const int medico = s.Medicos[(s.Exames.size()) % s.Medicos.size()];
      const int exame = Registros::Exame(paciente, medico, k % 2 ? "OS" : "OD");
      if (primeiro < 0) primeiro = exame;
      const double raio = 7.2 + 0.1 * double(s.Exames.size() % 10);
      const superficies::ExameSintetico e = superficies::Esfera(raio);
      GravarArquivoD(exames, paciente, exame, e.D, superficies::Aneis);
      GravarArquivoM(exames, paciente, exame, e.M, superficies::Aneis);
      GravarArquivoA(exames, paciente, exame, e.AneisPorMeridiano, e.CentroX, e.CentroY, TPupila{});
      jpeg.SetPosition(0);
      TMemoryStream lateral;
      TDArquivos::InsertArquivos(exame, &jpeg, &lateral);
      s.Exames.push_back(exame);
      s.Raios.push_back(raio);
    }
    const int laudo = TDLaudos::InsertLaudos(paciente, primeiro, -1, "", EncodeDate(2026, 12, 10),
                                             EncodeTime(16, 20, 0, 0));
    GravarArquivoLaudo(laudos, std::to_string(paciente), std::to_string(laudo),
                       {"Laudo de " + nome, "", "", "", ""});
    s.Laudos.push_back(laudo);
  }
  return s;
}

}  // namespace windowstest

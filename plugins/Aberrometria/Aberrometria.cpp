// Aberrometry module stand-in ("Aberrometria.dll"): the corneal wavefront over the pupil, (n - 1)
// times the elevation with n = 1,3375, fitted by Zernike terms up to the 4th order (OSA numbering,
// micrometres), shown as a map of the wavefront and a table. The pupil radius is the `Tres`
// argument (mm). For tests, "Aberrometria.ini" beside the module: [ABERROMETRIA] AUTOMATICO=1 skips
// the window and RESULTADO=file receives the fifteen coefficients, one per line.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/UBEscalas.h"
#include "core/UBModuleInterface.h"
#include "plugins/common/MapaCores.h"
#include "plugins/common/ModuloStream.h"
#include "plugins/common/ModuloWin32.h"
#include "plugins/common/Zernike.h"

namespace {

constexpr double kIndice = 1.3375;
const char* const kNomesTermos[kTermosZernike] = {
    "Pistão",          "Inclinação vertical", "Inclinação horizontal", "Astigmatismo oblíquo", "Desfoco",
    "Astigmatismo",    "Trifólio vertical",   "Coma vertical",         "Coma horizontal",      "Trifólio horizontal",
    "Quadrifólio obl.", "Astig. secundário obl.", "Aberração esférica", "Astig. secundário", "Quadrifólio"};

struct Frente {
  std::array<double, kTermosZernike> c{};
  ImagemRGB mapa;
};

// Wavefront samples over the pupil and their fit; the map shows what is left after piston, tilt
// and defocus, in micrometres.
bool Calcular(const DadosMapa& axial, double fator, double pupila, int lado, Frente& f) {
  const auto elevacao = std::make_unique<Matriz[]>(1);
  ElevacaoDeAxial(axial, fator, elevacao[0]);
  const DadosMapa z{axial.M, &elevacao[0], axial.aneis};
  std::vector<AmostraPupila> amostras;
  for (int i = -30; i <= 30; ++i)
    for (int k = -30; k <= 30; ++k) {
      // Pupil positions with y up, the Zernike terms' own frame; the picture's y runs down.
      const double x = i / 30.0, y = k / 30.0;
      double zc;
      if (x * x + y * y <= 1.0 && ValorEm(z, x * pupila / fator, -y * pupila / fator, zc))
        amostras.push_back({x, y, (kIndice - 1.0) * zc * 1000.0});
    }
  if (!AjustarZernike(amostras, f.c)) return false;
  f.mapa.largura = f.mapa.altura = lado;
  f.mapa.px.assign(size_t(lado) * lado * 3, 255);
  std::vector<double> resto(size_t(lado) * lado, NAN);
  double maior = 0;
  for (int py = 0; py < lado; ++py)
    for (int px = 0; px < lado; ++px) {
      const double x = 2.0 * (px + 0.5) / lado - 1.0, y = 1.0 - 2.0 * (py + 0.5) / lado;
      const double rho = std::hypot(x, y), t = std::atan2(y, x);
      if (rho > 1.0) continue;
      double w = 0;
      for (int j = 5; j < kTermosZernike; ++j) w += f.c[size_t(j)] * Zernike(j, rho, t);
      w += f.c[3] * Zernike(3, rho, t);
      resto[size_t(py) * lado + px] = w;
      maior = std::fmax(maior, std::fabs(w));
    }
  const double passo = std::fmax(0.05, maior / 7.0);
  for (size_t i = 0; i < resto.size(); ++i) {
    if (std::isnan(resto[i])) continue;
    const int nivel = std::clamp(int(std::lround(resto[i] / passo)) + 7, 0, 14);
    const TCorRGB cor = TBEscala::Paleta15[size_t(nivel)];
    f.mapa.px[i * 3] = uint8_t(cor.R), f.mapa.px[i * 3 + 1] = uint8_t(cor.G), f.mapa.px[i * 3 + 2] = uint8_t(cor.B);
  }
  return true;
}

}  // namespace

extern "C" MZAPI int32_t ProcessaAberrometria(HWND__* handle, TMatrizAngAnel* mm, TMatrizAngAnel* md,
                                              TMatrizAng* aneis, const char*, uint8_t, uint8_t, double tres,
                                              double fator, double, int32_t largura, int32_t, int32_t, TMZStream* info,
                                              TMZStream* clinica) {
  if (!mm || !md || !aneis) return 0;
  const DadosMapa axial{reinterpret_cast<const Matriz*>(mm), reinterpret_cast<const Matriz*>(md), aneis->data()};
  const double pupila = tres > 0 ? tres : 3.0;
  auto f = std::make_unique<Frente>();
  const int lado = std::clamp(int(largura), 100, 600);
  if (!Calcular(axial, fator > 0 ? fator : 0.02, pupila, lado, *f)) {
    MessageBoxA(reinterpret_cast<HWND>(handle), "Não há dados suficientes sobre a pupila para a aberrometria.",
                "Informação", MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  const std::string ini = PastaDoModulo() + "Aberrometria.ini";
  char resultado[MAX_PATH] = {};
  GetPrivateProfileStringA("ABERROMETRIA", "RESULTADO", "", resultado, MAX_PATH, ini.c_str());
  if (resultado[0]) {
    std::string t;
    for (double c : f->c) t += std::to_string(c) + "\r\n";
    HANDLE h = CreateFileA(resultado, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD escritos = 0;
    if (h != INVALID_HANDLE_VALUE) {
      WriteFile(h, t.data(), DWORD(t.size()), &escritos, nullptr);
      CloseHandle(h);
    }
  }
  if (GetPrivateProfileIntA("ABERROMETRIA", "AUTOMATICO", 0, ini.c_str()) == 1) return 1;

  std::vector<std::string> textos = LerLinhas(clinica);
  for (const std::string& l : LerLinhas(info)) textos.push_back(l);
  textos.push_back("");
  textos.push_back("Pupila: " + Fixo(2 * pupila, 1) + " mm   (coeficientes em µm)");
  for (int k = 0; k < kTermosZernike; ++k) {
    int n, m;
    OrdemZernike(k, n, m);
    textos.push_back("Z(" + std::to_string(n) + "," + std::to_string(m) + ") " + kNomesTermos[k] + ": " +
                     Fixo(f->c[size_t(k)], 3));
  }
  textos.push_back("Astigmatismo: " + Fixo(std::hypot(f->c[3], f->c[5]), 3) + " µm a " +
                   std::to_string(int(std::lround(EixoAstigmatismo(f->c))) % 180) + "°");
  // The map and its table drawn once into a picture, shown in the modules' picture window.
  const int larguraFigura = lado + 300, altura = std::max(lado, 16 * int(textos.size())) + 20;
  void* bits = nullptr;
  HBITMAP figura = CriarDib32(larguraFigura, altura, &bits);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ velho = SelectObject(dc, figura);
  RECT tudo{0, 0, larguraFigura, altura};
  FillRect(dc, &tudo, GetSysColorBrush(COLOR_BTNFACE));
  DesenharImagem(dc, RECT{10, 10, 10 + lado, 10 + lado}, f->mapa);
  SelectObject(dc, FonteModulo());
  SetBkMode(dc, TRANSPARENT);
  int y = 10;
  for (const std::string& t : textos) {
    TextOutA(dc, lado + 24, y, t.c_str(), int(t.size()));
    y += 16;
  }
  SelectObject(dc, velho);
  DeleteDC(dc);
  MostrarFigura(reinterpret_cast<HWND>(handle), figura, "Aberrometria corneana");
  DeleteObject(figura);
  return 1;
}

extern "C" MZAPI int32_t InfoMapa(TMZStream* saida) {
  EscreverLinhas(saida, {"Aberrometria", "1", "1"});
  return 1;
}

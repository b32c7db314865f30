// Single-map module stand-in, built three times: "Axial.dll", with MAPA_TANGENCIAL "Tangencial.dll",
// and with MAPA_TANGENCIAL and MAPA_NOME "TangencialOrto.dll" (the module shown for orthokeratology exams).
// It draws the exam's curvature map in colour (values interpolated between rings and meridians),
// with the scale's legend, the pupil outline, the simulated keratometry and the patient's lines;
// in its own window for "ProcessaMapa"/"ProcessaMapaOrto" (or, unattended, into the FIGURA file that
// "Mapas.ini" beside the module names), into a BMP for "Visualizar".
#include <windows.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/UBEscalas.h"
#include "core/UBFuncoesMapas.h"
#include "core/UBModuleInterface.h"
#include "plugins/common/MapaCores.h"
#include "plugins/common/ModuloStream.h"
#include "plugins/common/ModuloWin32.h"

namespace {

#if defined(MAPA_NOME)
const char kNome[] = MAPA_NOME;
#elif defined(MAPA_TANGENCIAL)
const char kNome[] = "Tangencial";
#else
const char kNome[] = "Axial";
#endif

// Everything one drawing needs, computed once per call.
struct Mapa {
  TMatrizAngAnel M{}, D{};
  TMatrizAng aneis{};
  TPupila pupila{};
  double centroX = 0, centroY = 0, fator = 0.02;
  Escala15 escala;
  std::vector<std::string> legenda, linhas;
  double raioAmostras = 240;

  Mapa(const TMatrizAngAnel& m, const TMatrizAngAnel& d, const TMatrizAng& a, const TPupila& p, const TInfosMZ* infos) {
    M = m, aneis = a, pupila = p;
    if (infos && infos->FatorCorrecao > 0) fator = infos->FatorCorrecao;
#ifdef MAPA_TANGENCIAL
    Matriz t;
    TangencialDeAxial({reinterpret_cast<const Matriz*>(&m), reinterpret_cast<const Matriz*>(&d), a.data()}, t);
    for (int r = 0; r < 360; ++r)
      for (int k = 0; k < 33; ++k) D[size_t(r)][size_t(k)] = t[r][k];
#else
    D = d;
#endif
    TBEscala esc(infos && infos->AutoIncMap, infos ? infos->IncMap : 0.5);
    esc.GerarEscala(D, aneis, 0);
    for (int i = 0; i < 15; ++i) {
      escala.niveis[size_t(i)] = esc.Niveis[size_t(i)];
      const TCorRGB c = TBEscala::Paleta15[size_t(i)];
      escala.cores[size_t(i)] = {uint8_t(c.R), uint8_t(c.G), uint8_t(c.B)};
      legenda.push_back(Fixo(esc.Niveis[size_t(i)], 2));
    }
    double ext = 0;
    for (int r = 0; r < 360; ++r) ext = std::fmax(ext, M[size_t(r)][size_t(LimitarAneis(aneis[size_t(r)]))]);
    if (ext > 0) raioAmostras = ext * 1.05;
    // Simulated keratometry of the central 3 mm on the axial values.
    try {
      const int numAneis = MaxNumAneis;
      const double z0 = infos ? infos->Z0 : 0;
      auto f = std::make_unique<TBFuncoesMapas>(d, M, aneis, &esc, nullptr, centroX, centroY, fator, z0,
                                                infos && infos->TipoCone ? infos->TipoCone : "4", numAneis);
      f->CalcularMapa(tmAxial);
      TCeratometria k{};
      f->GetCeratometria(k, 1.5);
      linhas.push_back("K1 " + Fixo(k.K1, 2) + " D  @ " + std::to_string(k.Eixo) + "°");
      linhas.push_back("K2 " + Fixo(k.K2, 2) + " D  @ " + std::to_string(k.Eixo2) + "°");
      linhas.push_back("Cil " + Fixo(k.DeltaK, 2) + " D");
    } catch (...) {
      linhas.push_back("Ceratometria indisponível");
    }
  }

  DadosMapa Dados() const {
    return {reinterpret_cast<const Matriz*>(&M), reinterpret_cast<const Matriz*>(&D), aneis.data()};
  }
};

// The whole picture of a map: colour map, pupil, legend and texts, into a DIB of w x h.
HBITMAP Desenhar(const Mapa& m, const std::vector<std::string>& info, int w, int h, std::vector<uint8_t>* bgr) {
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CriarDib32(w, h, &bits);
  HGDIOBJ velho = SelectObject(dc, bmp);
  RECT tudo{0, 0, w, h};
  FillRect(dc, &tudo, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  const int lado = std::min(h - 20, w - 170);
  DesenharImagem(dc, RECT{10, 10, 10 + lado, 10 + lado}, RenderizarMapa(m.Dados(), m.escala, lado, m.raioAmostras));
  // Pupil outline (picture samples to map pixels).
  if (m.pupila[2] > 0) {
    const double esc = (lado / 2.0) / m.raioAmostras;
    const int cx = 10 + lado / 2 + int((m.pupila[0] - m.centroX) * esc), cy = 10 + lado / 2 + int((m.pupila[1] - m.centroY) * esc);
    const int rx = int(m.pupila[2] * esc), ry = int(m.pupila[3] * esc);
    HPEN pen = CreatePen(PS_DASH, 1, RGB(0, 0, 0));
    HGDIOBJ vp = SelectObject(dc, pen), vb = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, cx - rx, cy - ry, cx + rx, cy + ry);
    SelectObject(dc, vb), SelectObject(dc, vp);
    DeleteObject(pen);
  }
  // Legend: highest level on top.
  SelectObject(dc, FonteModulo());
  SetBkMode(dc, TRANSPARENT);
  std::vector<std::string> textos{std::string("Mapa ") + kNome};
  textos.insert(textos.end(), m.linhas.begin(), m.linhas.end());
  textos.insert(textos.end(), info.begin(), info.end());
  // The scale gives up height for the texts under it: none of them leaves the picture.
  const int alturaTextos = 16 * int(textos.size());
  const int lx = 20 + lado, passo = std::max(12, std::min((lado - 20) / 15, (h - 30 - alturaTextos) / 15));
  for (int i = 0; i < 15; ++i) {
    const auto& c = m.escala.cores[size_t(14 - i)];
    HBRUSH b = CreateSolidBrush(RGB(c[0], c[1], c[2]));
    RECT r{lx, 10 + i * passo, lx + 24, 10 + (i + 1) * passo};
    FillRect(dc, &r, b);
    DeleteObject(b);
    const std::string& t = m.legenda[size_t(14 - i)];
    TextOutA(dc, lx + 30, 10 + i * passo, t.c_str(), int(t.size()));
  }
  int y = 10 + 15 * passo + 10;
  for (const std::string& t : textos) {
    TextOutA(dc, lx, y, t.c_str(), int(t.size()));
    y += 16;
  }
  GdiFlush();
  if (bgr) bgr->assign(static_cast<uint8_t*>(bits), static_cast<uint8_t*>(bits) + size_t(w) * h * 4);
  SelectObject(dc, velho);
  DeleteDC(dc);
  return bmp;
}

int Mostrar(HWND dono, const Mapa& m, std::vector<std::string> info, const double* orto) {
  if (orto)
    info.push_back("Orto: " + Fixo(orto[0], 2) + "  " + Fixo(orto[1], 2) + "  " + Fixo(orto[2], 2));
  HBITMAP figura = Desenhar(m, info, 700, 480, nullptr);
  ExibirMapa(dono, figura, std::string("Mapa ") + kNome);
  DeleteObject(figura);
  return 0;
}

int ProcessarMapa(HWND__* handle, double cx, double cy, TMZStream* info, TMatrizAngAnel* mm, TMatrizAng* aneis,
                  TMatrizAngAnel* md, TPupila* pupila, const double* orto, const TInfosMZ* infos) {
  if (!mm || !aneis || !md || !pupila) return 0;
  auto m = std::make_unique<Mapa>(*mm, *md, *aneis, *pupila, infos);
  m->centroX = cx, m->centroY = cy;
  return Mostrar(reinterpret_cast<HWND>(handle), *m, LerLinhas(info), orto);
}

}  // namespace

extern "C" MZAPI int32_t ProcessaMapa(HWND__* handle, TMZStream*, TMZStream*, double cx, double cy, TMZStream* info,
                                      TMatrizAngAnel* mm, TMatrizAng* aneis, TMatrizAngAnel* md, TPupila* pupila,
                                      const double* orto, const TInfosMZ* infos) {
  return ProcessarMapa(handle, cx, cy, info, mm, aneis, md, pupila, orto, infos);
}

extern "C" MZAPI int32_t ProcessaMapaOrto(HWND__* handle, TMZStream*, TMZStream*, double cx, double cy,
                                          TMZStream* info, TMatrizAngAnel* mm, TMatrizAng* aneis, TMatrizAngAnel* md,
                                          TPupila* pupila, const double* orto, const TInfosMZ* infos) {
  return ProcessarMapa(handle, cx, cy, info, mm, aneis, md, pupila, orto, infos);
}

// The browser's mini map: the same picture, small, as a 24-bit BMP in Saida.
extern "C" MZAPI int32_t Visualizar(HWND__*, TMZStream* saida, void*, int32_t, double cx, double cy,
                                    TMatrizAngAnel* mm, TMatrizAng* aneis, TMatrizAngAnel* md, TPupila* pupila, void*,
                                    void*, const TInfosMZ* infos, void*) {
  if (!saida || !mm || !aneis || !md || !pupila) return 0;
  auto m = std::make_unique<Mapa>(*mm, *md, *aneis, *pupila, infos);
  m->centroX = cx, m->centroY = cy;
  constexpr int kW = 360, kH = 260;
  std::vector<uint8_t> bgr;
  DeleteObject(Desenhar(*m, {}, kW, kH, &bgr));
  const ImagemRGB img = ImagemDeDib(bgr.data(), kW, kH);
  const std::vector<uint8_t> bmp = CodificarBmp(img);
  EscreverStream(saida, bmp.data(), bmp.size());
  return 1;
}

extern "C" MZAPI int32_t InfoMapa(TMZStream* saida) {
  EscreverLinhas(saida, {kNome, "1", "1"});
  return 1;
}

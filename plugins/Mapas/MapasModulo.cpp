// Multi-exam map module stand-in, built four times from this source: "MultiMapas.dll" (two to four
// exams side by side), "Duplo.dll" (one exam of each eye), "Diferencial.dll" (two exams of one eye
// and their difference, point by point on the first exam's grid, with a scale of its own) and
// "MultiOrto.dll" (the four exams of an orthokeratology series with their values).
//
// "Wizard" lists the candidate lines and writes the chosen ones (without the "O"/"T" kind marker
// that the difference and orthokeratology lists carry) and the module's parameters. "ProcessaMapas"
// draws the maps: panel i (0-based) is kLado pixels square with its top left corner at
// (kMargem + i (kLado + kMargem), kTopo). For tests, "Mapas.ini" beside the module: [MAPAS]
// AUTOMATICO=1 makes "Wizard" choose without a window (ESCOLHA lists the chosen candidates' indexes,
// comma-separated; by default the window's own preselection), and FIGURA=file makes "ProcessaMapas"
// write its picture to that BMP file instead of showing it.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/UBEscalas.h"
#include "core/UBModuleInterface.h"
#include "plugins/common/MapaCores.h"
#include "plugins/common/ModuloStream.h"
#include "plugins/common/ModuloWin32.h"
#include "plugins/common/TextosModulo.h"

namespace {

#if defined(MAPAS_DUPLO)
const char kNome[] = "Duplo";
constexpr int kMin = 2, kMax = 2;
#elif defined(MAPAS_DIFERENCIAL)
const char kNome[] = "Diferencial";
constexpr int kMin = 2, kMax = 2;
#elif defined(MAPAS_ORTO)
const char kNome[] = "MultiOrto";
constexpr int kMin = 4, kMax = 4;
#else
const char kNome[] = "MultiMapas";
constexpr int kMin = 2, kMax = 4;
#endif

#if defined(MAPAS_DIFERENCIAL) || defined(MAPAS_ORTO)
constexpr bool kComMarcador = true;  // candidate lines start with "O" (orthokeratology) or "T"
#else
constexpr bool kComMarcador = false;
#endif

constexpr int kLado = 240, kMargem = 10, kTopo = 30, kTexto = 130;

std::string IniMapas() { return PastaDoModulo() + "Mapas.ini"; }

std::string LerIni(const char* chave) {
  char v[MAX_PATH] = {};
  GetPrivateProfileStringA("MAPAS", chave, "", v, MAX_PATH, IniMapas().c_str());
  return v;
}

// Why a choice cannot be drawn; empty when it can.
std::string Recusa(const std::vector<Candidato>& c, const std::vector<int>& escolha) {
  const int n = int(escolha.size());
  if (n < kMin || n > kMax)
    return kMin == kMax ? "Escolha " + std::to_string(kMin) + " exames."
                        : "Escolha de " + std::to_string(kMin) + " a " + std::to_string(kMax) + " exames.";
  int direitos = 0;
  for (int i : escolha) direitos += c[size_t(i)].direito ? 1 : 0;
#if defined(MAPAS_DUPLO)
  if (direitos != 1) return "Escolha um exame de cada olho.";
#elif defined(MAPAS_DIFERENCIAL) || defined(MAPAS_ORTO)
  if (direitos != 0 && direitos != n) return "Os exames escolhidos devem ser do mesmo olho.";
#endif
  return "";
}

// The window's preselection: the first right and left exam for "Duplo", otherwise the first
// exams of the first line's eye.
std::vector<int> Preselecao(const std::vector<Candidato>& c) {
  std::vector<int> e;
#if defined(MAPAS_DUPLO)
  for (bool direito : {true, false})
    for (size_t i = 0; i < c.size(); ++i)
      if (c[i].direito == direito) {
        e.push_back(int(i));
        break;
      }
  std::sort(e.begin(), e.end());
#else
  for (size_t i = 0; i < c.size() && int(e.size()) < kMax; ++i)
    if (c[i].direito == c[0].direito) e.push_back(int(i));
#endif
  return e;
}

struct Assistente {
  std::vector<Candidato> candidatos;
  std::vector<int> escolha;
  HWND janela = nullptr, lista = nullptr;
  bool fim = false, aceito = false;
};

constexpr int kLista = 201;

LRESULT CALLBACK AssistenteProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  auto* a = DadosJanela<Assistente>(h, m, l);
  switch (m) {
    case WM_COMMAND:
      if (!a) break;
      if (LOWORD(w) == IDOK) {
        std::vector<int> e(a->candidatos.size());
        const int n = int(SendMessageA(a->lista, LB_GETSELITEMS, WPARAM(e.size()), LPARAM(e.data())));
        e.resize(size_t(std::max(n, 0)));
        const std::string recusa = Recusa(a->candidatos, e);
        if (!recusa.empty()) {
          MessageBoxA(h, recusa.c_str(), "Informação", MB_OK | MB_ICONINFORMATION);
        } else {
          a->escolha = e;
          a->aceito = a->fim = true;
        }
      } else if (LOWORD(w) == IDCANCEL) {
        a->fim = true;
      }
      return 0;
    case WM_CLOSE:
      if (a) a->fim = true;
      return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

bool Escolher(HWND dono, Assistente& a) {
  a.janela = CriarJanelaModulo("MZAssistenteMapas", AssistenteProc, dono, std::string("Mapas ") + kNome, 420, 300,
                               &a);
  const std::string dica = kMin == kMax ? "Escolha " + std::to_string(kMin) + " exames:"
                                        : "Escolha de " + std::to_string(kMin) + " a " + std::to_string(kMax) +
                                              " exames:";
  CriarFilho(a.janela, "STATIC", dica.c_str(), 0, {10, 10, 410, 28}, 0);
  a.lista = CriarFilho(a.janela, "LISTBOX", "", LBS_EXTENDEDSEL | LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP,
                       {10, 32, 410, 252}, kLista);
  for (const Candidato& c : a.candidatos) {
    const std::string t = c.texto + (c.orto ? "  (Ortoceratologia)" : "");
    SendMessageA(a.lista, LB_ADDSTRING, 0, LPARAM(t.c_str()));
  }
  for (int i : a.escolha) SendMessageA(a.lista, LB_SETSEL, TRUE, i);
  CriarFilho(a.janela, "BUTTON", "Continuar", BS_DEFPUSHBUTTON | WS_TABSTOP, {220, 262, 310, 290}, IDOK);
  CriarFilho(a.janela, "BUTTON", "Cancelar", WS_TABSTOP, {320, 262, 410, 290}, IDCANCEL);
  LacoModal(dono, a.janela, &a.fim);
  DestroyWindow(a.janela);
  return a.aceito;
}

int ExecutarWizard(HWND dono, TMZStream* candidatos, TMZStream* escolhidos, TMZStream* parametros, bool orto) {
  Assistente a;
  a.candidatos = LerCandidatos(LerLinhas(candidatos), kComMarcador);
  a.escolha = Preselecao(a.candidatos);
  if (GetPrivateProfileIntA("MAPAS", "AUTOMATICO", 0, IniMapas().c_str()) == 1) {
    const std::vector<int> e = LerEscolha(LerIni("ESCOLHA"), int(a.candidatos.size()));
    if (!e.empty()) a.escolha = e;
    if (!Recusa(a.candidatos, a.escolha).empty()) return 0;
  } else if (!Escolher(dono, a)) {
    return 0;
  }
  std::vector<std::string> linhas;
  for (int i : a.escolha) linhas.push_back(a.candidatos[size_t(i)].texto);
  EscreverLinhas(escolhidos, linhas);
  EscreverLinhas(parametros, {kNome, std::to_string(linhas.size()), orto ? "1" : "0"});
  return 1;
}

// ---- Drawing ----------------------------------------------------------------------------------------

struct Painel {
  ImagemRGB mapa;
  std::vector<std::string> textos;
};

Escala15 EscalaDe(const std::array<double, 15>& niveis) {
  Escala15 e;
  for (size_t i = 0; i < 15; ++i) {
    e.niveis[i] = niveis[i];
    const TCorRGB c = TBEscala::Paleta15[i];
    e.cores[i] = {uint8_t(c.R), uint8_t(c.G), uint8_t(c.B)};
  }
  return e;
}

// The exam's curvature scale (the first exam's, so that the panels compare).
Escala15 EscalaCurvatura(const TMatrizAngAnel& d, const TMatrizAng& aneis, const TInfosMZ* infos) {
  TBEscala esc(infos && infos->AutoIncMap, infos && infos->IncMap > 0 ? infos->IncMap : 0.5);
  esc.GerarEscala(d, aneis, 0);
  return EscalaDe(esc.Niveis);
}

#if defined(MAPAS_DIFERENCIAL)
// The difference's own scale: centred on zero, the step the largest difference needs (at least
// a quarter dioptre).
Escala15 EscalaDiferenca(const Matriz& d, const int* aneis) {
  double maior = 0;
  for (int r = 0; r < 360; ++r)
    for (int k = 0; k <= aneis[r]; ++k) maior = std::fmax(maior, std::fabs(d[r][k]));
  const double passo = std::fmax(0.25, std::ceil(maior / 7.0 * 4.0) / 4.0);
  std::array<double, 15> n{};
  for (int i = 0; i < 15; ++i) n[size_t(i)] = (i - 7) * passo;
  return EscalaDe(n);
}
#endif

double Alcance(const Matriz& m, const int* aneis) {
  double ext = 0;
  for (int r = 0; r < 360; ++r) ext = std::fmax(ext, m[r][std::clamp(aneis[r], 0, 32)]);
  return ext > 0 ? ext * 1.05 : 240;
}

// Panels side by side with their texts under them, and a legend per scale on the right.
void Compor(HWND dono, const std::vector<Painel>& paineis, const std::vector<std::pair<std::string, Escala15>>& legendas) {
  const int n = int(paineis.size());
  const int w = kMargem + n * (kLado + kMargem) + int(legendas.size()) * 90, h = kTopo + kLado + kTexto;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CriarDib32(w, h, &bits);
  HGDIOBJ velho = SelectObject(dc, bmp);
  RECT tudo{0, 0, w, h};
  FillRect(dc, &tudo, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SelectObject(dc, FonteModulo());
  SetBkMode(dc, TRANSPARENT);
  const std::string titulo = std::string("Mapas ") + kNome;
  TextOutA(dc, kMargem, 8, titulo.c_str(), int(titulo.size()));
  for (int i = 0; i < n; ++i) {
    const int x = kMargem + i * (kLado + kMargem);
    DesenharImagem(dc, RECT{x, kTopo, x + kLado, kTopo + kLado}, paineis[size_t(i)].mapa);
    int y = kTopo + kLado + 6;
    for (const std::string& t : paineis[size_t(i)].textos) {
      TextOutA(dc, x, y, t.c_str(), int(t.size()));
      y += 15;
    }
  }
  for (size_t l = 0; l < legendas.size(); ++l) {
    const int lx = kMargem + n * (kLado + kMargem) + int(l) * 90, passo = (kLado + kTexto - 30) / 15;
    TextOutA(dc, lx, 8, legendas[l].first.c_str(), int(legendas[l].first.size()));
    for (int i = 0; i < 15; ++i) {
      const auto& c = legendas[l].second.cores[size_t(14 - i)];
      HBRUSH b = CreateSolidBrush(RGB(c[0], c[1], c[2]));
      RECT r{lx, kTopo + i * passo, lx + 20, kTopo + (i + 1) * passo};
      FillRect(dc, &r, b);
      DeleteObject(b);
      const std::string t = Fixo(legendas[l].second.niveis[size_t(14 - i)], 2);
      TextOutA(dc, lx + 24, kTopo + i * passo, t.c_str(), int(t.size()));
    }
  }
  GdiFlush();
  SelectObject(dc, velho);
  DeleteDC(dc);
  ExibirMapa(dono, bmp, titulo);
  DeleteObject(bmp);
}

// The facts of an exam's info list worth showing under its map: name, eye, date and time.
std::vector<std::string> Textos(TMZStream* lista) {
  const std::vector<std::string> l = LerLinhas(lista);
  std::vector<std::string> t;
  if (l.size() > 0) t.push_back(l[0]);
  if (l.size() > 5) t.push_back(l[3] + "  " + l[4] + " " + l[5]);
  if (l.size() > 7) t.push_back("Índice de confiabilidade: " + l[7]);
  return t;
}

}  // namespace

#if defined(MAPAS_DIFERENCIAL)
extern "C" MZAPI int32_t Wizard(HWND__* handle, TMZStream* candidatos, TMZStream* escolhidos, TMZStream* parametros,
                                bool sinal, const TInfosMZ*) {
  return ExecutarWizard(reinterpret_cast<HWND>(handle), candidatos, escolhidos, parametros, sinal);
}
#else
extern "C" MZAPI int32_t Wizard(HWND__* handle, TMZStream* candidatos, TMZStream* escolhidos, TMZStream* parametros,
                                const TInfosMZ*) {
  return ExecutarWizard(reinterpret_cast<HWND>(handle), candidatos, escolhidos, parametros, kComMarcador);
}
#endif

#if defined(MAPAS_ORTO)
// The four exams of a series, each with its four values (lines of SaidaValores' blocks).
extern "C" MZAPI int32_t ProcessaMapas(HWND__* handle, TMZStream* const* listas, const TMatrizAngAnel* mm,
                                       const TMatrizAngAnel* md, const double* valores, const TInfosMZ* infos) {
  if (!listas || !mm || !md) return 0;
  // Ring counts are not handed over: each meridian's rings run while their positions grow.
  auto aneis = std::make_unique<std::array<TMatrizAng, 4>>();
  for (size_t e = 0; e < 4; ++e)
    for (size_t r = 0; r < 360; ++r) {
      int k = 0;
      while (k < 32 && mm[e][r][size_t(k) + 1] > mm[e][r][size_t(k)]) ++k;
      (*aneis)[e][r] = k;
    }
  const Escala15 escala = EscalaCurvatura(md[0], (*aneis)[0], infos);
  std::vector<Painel> paineis;
  for (size_t e = 0; e < 4; ++e) {
    const DadosMapa d{reinterpret_cast<const Matriz*>(&mm[e]), reinterpret_cast<const Matriz*>(&md[e]),
                      (*aneis)[e].data()};
    Painel p{RenderizarMapa(d, escala, kLado, Alcance(*d.M, d.aneis)), Textos(listas[e])};
    if (valores) {
      std::string v = "Valores:";
      for (size_t k = 0; k < 4; ++k) v += " " + Fixo(valores[e * 4 + k], 2);
      p.textos.push_back(v);
    }
    paineis.push_back(std::move(p));
  }
  Compor(reinterpret_cast<HWND>(handle), paineis, {{"Axial (D)", escala}});
  return 1;
}
#else
extern "C" MZAPI int32_t ProcessaMapas(HWND__* handle, TMZStream* const* listas, const TMatrizAngAnel* mm,
                                       const TMatrizAng* aneis, const TMatrizAngAnel* md, const TPupila*,
                                       int32_t quantidade, TMZStream*, const TInfosMZ* infos) {
  if (!listas || !mm || !aneis || !md || quantidade < 1) return 0;
  const int n = std::min<int>(quantidade, kMax);
  auto dados = [&](int e) {
    return DadosMapa{reinterpret_cast<const Matriz*>(&mm[e]), reinterpret_cast<const Matriz*>(&md[e]),
                     aneis[e].data()};
  };
  const Escala15 escala = EscalaCurvatura(md[0], aneis[0], infos);
  std::vector<Painel> paineis;
  for (int e = 0; e < n; ++e)
    paineis.push_back({RenderizarMapa(dados(e), escala, kLado, Alcance(*dados(e).M, dados(e).aneis)), Textos(listas[e])});
  std::vector<std::pair<std::string, Escala15>> legendas{{"Axial (D)", escala}};
#if defined(MAPAS_DIFERENCIAL)
  if (n >= 2) {
    struct Diferenca {
      Matriz d;
      int aneis[360];
    };
    auto dif = std::make_unique<Diferenca>();
    DiferencaMapas(dados(0), dados(1), dif->d, dif->aneis);
    const DadosMapa dd{dados(0).M, &dif->d, dif->aneis};
    const Escala15 ed = EscalaDiferenca(dif->d, dif->aneis);
    paineis.push_back({RenderizarMapa(dd, ed, kLado, Alcance(*dd.M, dd.aneis)), {"Diferença (1º - 2º exame)"}});
    legendas.emplace_back("Diferença (D)", ed);
  }
#endif
  Compor(reinterpret_cast<HWND>(handle), paineis, legendas);
  return 1;
}
#endif

extern "C" MZAPI int32_t InfoMapa(TMZStream* saida) {
#if defined(MAPAS_DIFERENCIAL)
  const int mapas = 3;
#else
  const int mapas = kMax;
#endif
  EscreverLinhas(saida, {kNome, "2", std::to_string(mapas)});
  return 1;
}

// Capture module stand-in: instead of a camera it photographs a model cornea. Its window shows the
// picture it will return, lets the operator choose the model eye and captures or cancels. With
// AUTOMATICO=1 in the [CAPTURA] section of "Captura.ini" beside the module it captures at once,
// with the model MODELO (an index of the list), so that tests run the whole chain unattended.
// Built a second time with CAPTURA_ORTO as "CapturaOrto.dll": a series of four pictures of the chosen
// eye after orthokeratology lens wear, its central zone flattened by kOrtoInicial dioptres on the
// first picture and a little less on each later one, as the cornea returns through the day.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/UBModuleInterface.h"
#include "plugins/common/BmpCodec.h"
#include "plugins/common/ModuloWin32.h"
#include "plugins/common/ModelosOlho.h"
#include "plugins/common/ModuloStream.h"
#include "plugins/common/RingRender.h"
#include "plugins/common/TextosModulo.h"

namespace {

ModelEye Olho(double raio) {
  ModelEye o;
  o.raio = raio;
  return o;
}

#ifdef CAPTURA_ORTO
constexpr int kFotos = 4;
constexpr double kOrtoInicial = 3.0, kRegressao = 0.4;  // dioptres
#else
constexpr int kFotos = 1;
#endif

struct Captura {
  ModelEye olho;
  bool direito = true;
  double fator = 0.02;
  std::string tipoCone = "4";
  double z0 = 10.0;
  ImagemCinza central;
  HWND janela = nullptr, lista = nullptr;
  bool fim = false, capturada = false;

  // Picture k of the series (k = 0 is the one shown).
  ModelEye OlhoDaFoto(int k) const {
    ModelEye o = olho;
#ifdef CAPTURA_ORTO
    o.orto = kOrtoInicial - kRegressao * k;
#endif
    (void)k;
    return o;
  }
  ImagemCinza Foto(int k) const {
    ConeModel cone;
    if (!MakeCone(tipoCone, z0, cone)) return {};
    return RenderizarAneis(OlhoDaFoto(k), cone, fator, 3.0, uint32_t(k + 1));
  }
  void Renderizar() { central = Foto(0); }
  void Escolher(int modelo) { olho = NoOlho(ModelosOlho()[size_t(modelo)].olho, direito); }
};

constexpr int kLista = 101, kCapturar = 102, kCancelar = 103;

LRESULT CALLBACK JanelaProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  auto* c = DadosJanela<Captura>(h, m, l);
  switch (m) {
    case WM_COMMAND:
      if (!c) break;
      if (LOWORD(w) == kLista && HIWORD(w) == CBN_SELCHANGE) {
        const int i = int(SendMessageA(c->lista, CB_GETCURSEL, 0, 0));
        if (i >= 0 && i < int(ModelosOlho().size())) c->Escolher(i);
        c->Renderizar();
        InvalidateRect(h, nullptr, FALSE);
      } else if (LOWORD(w) == kCapturar || LOWORD(w) == IDOK) {
        c->capturada = true;
        c->fim = true;
      } else if (LOWORD(w) == kCancelar || LOWORD(w) == IDCANCEL) {
        c->fim = true;
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      if (c && !c->central.px.empty()) DesenharImagem(dc, RECT{10, 44, 490, 404}, c->central);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_CLOSE:
      if (c) c->fim = true;
      return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

// The name of a calibration sphere of the given radius, written as the clinic reads millimetres.
std::string NomeEsfera(double raio) {
  char texto[64];
  std::snprintf(texto, sizeof texto, "Esfera de calibração %.2f mm", raio);
  std::string nome = texto;
  std::replace(nome.begin(), nome.end(), '.', ',');
  return nome;
}

// Esfera names the sphere being captured: the list then holds it alone and cannot be changed.
HWND Criar(HWND dono, Captura& c, const std::string& titulo, const std::string& esfera) {
  HWND h = CriarJanelaModulo("MZCapturaModelo", JanelaProc, dono, titulo, 500, 452, &c);
  CriarFilho(h, "STATIC", "Modelo:", 0, {10, 14, 70, 34}, 0);
  c.lista = CriarFilho(h, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, {70, 10, 490, 210}, kLista);
  if (esfera.empty()) {
    for (const ModeloOlho& m : ModelosOlho()) SendMessageA(c.lista, CB_ADDSTRING, 0, LPARAM(m.nome));
    SendMessageA(c.lista, CB_SETCURSEL, kCorneaNormal, 0);
  } else {
    SendMessageA(c.lista, CB_ADDSTRING, 0, LPARAM(esfera.c_str()));
    SendMessageA(c.lista, CB_SETCURSEL, 0, 0);
    EnableWindow(c.lista, FALSE);
  }
  CriarFilho(h, "BUTTON", "Capturar", BS_DEFPUSHBUTTON | WS_TABSTOP, {300, 414, 390, 442}, kCapturar);
  CriarFilho(h, "BUTTON", "Cancelar", WS_TABSTOP, {400, 414, 490, 442}, kCancelar);
  return h;
}

// Runs the capture (window or automatic); true when captured.
bool Executar(HWND__* handle, Captura& c, int32_t olho, const TInfosMZ* infos, const char* tituloC) {
  const std::string titulo = tituloC ? tituloC : "";
  if (infos) {
    // The instrument's own cone and camera scale.
    if (infos->FatorCorrecao > 0) c.fator = infos->FatorCorrecao;
    if (infos->TipoCone) c.tipoCone = infos->TipoCone;
    if (infos->Z0 > 0) c.z0 = infos->Z0;
  }
  const bool esfera = olho == 2;
  const double raioEsfera = RaioDoTitulo(titulo) > 0 ? RaioDoTitulo(titulo) : 7.80;
  if (esfera) c.olho = Olho(raioEsfera);
  c.direito = olho == 1;
  const std::string ini = PastaDoModulo() + "Captura.ini";
  const bool automatico = GetPrivateProfileIntA("CAPTURA", "AUTOMATICO", 0, ini.c_str()) == 1;
  const int modelo = GetPrivateProfileIntA("CAPTURA", "MODELO", -1, ini.c_str());
  if (!esfera) c.Escolher(modelo >= 0 && modelo < int(ModelosOlho().size()) ? modelo : kCorneaNormal);
  c.Renderizar();

  if (automatico) {
    c.capturada = true;
  } else {
    HWND h = Criar(reinterpret_cast<HWND>(handle), c, titulo, esfera ? NomeEsfera(raioEsfera) : std::string());
    if (!esfera && modelo >= 0) SendMessageA(c.lista, CB_SETCURSEL, WPARAM(modelo), 0);
    LacoModal(reinterpret_cast<HWND>(handle), h, &c.fim);
    DestroyWindow(h);
  }
  return c.capturada && !c.central.px.empty();  // cancelled: the streams stay empty
}

void Gravar(const Captura& c, int k, TMZStream* central, TMZStream* lateral) {
  const std::vector<uint8_t> bmp = CodificarBmp(k == 0 ? c.central : c.Foto(k));
  EscreverStream(central, bmp.data(), bmp.size());
  const std::vector<uint8_t> perfil = CodificarBmp(RenderizarPerfil(c.OlhoDaFoto(k), c.fator));
  EscreverStream(lateral, perfil.data(), perfil.size());
}

}  // namespace

#ifdef CAPTURA_ORTO
extern "C" MZAPI int32_t Digitalizar(HWND__* handle, TMZStream* const* central, TMZStream* const* lateral,
                                     int32_t olho, const TInfosMZ* infos, const char* titulo) {
  Captura c;
  if (!central || !lateral || !Executar(handle, c, olho, infos, titulo)) return 0;
  for (int k = 0; k < kFotos; ++k) Gravar(c, k, central[k], lateral[k]);
  return 1;
}
#else
extern "C" MZAPI int32_t Digitalizar(HWND__* handle, TMZStream* central, TMZStream* lateral, int32_t olho,
                                     const TInfosMZ* infos, const char* titulo) {
  Captura c;
  if (!Executar(handle, c, olho, infos, titulo)) return 0;
  Gravar(c, 0, central, lateral);
  return 1;
}
#endif

extern "C" MZAPI int32_t Info(TMZStream* saida) {
#ifdef CAPTURA_ORTO
  EscreverLinhas(saida, {"Captura de série de ortoceratologia em modelo de córnea (simulador)"});
#else
  EscreverLinhas(saida, {"Captura de modelo de córnea (simulador)"});
#endif
  return 1;
}

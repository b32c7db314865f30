// Capture module stand-in: instead of a camera it photographs a model cornea. Its window shows the
// picture it will return, lets the operator choose the model eye and captures or cancels. With
// AUTOMATICO=1 in the [CAPTURA] section of "Captura.ini" beside the module it captures at once,
// with the model MODELO (an index of the list), so that tests run the whole chain unattended.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/UBModuleInterface.h"
#include "plugins/common/BmpCodec.h"
#include "plugins/common/ModuloWin32.h"
#include "plugins/common/ModuloStream.h"
#include "plugins/common/RingRender.h"

namespace {

struct Modelo {
  const char* nome;
  ModelEye olho;
};

ModelEye Olho(double raio, double raio2 = 0, double eixo = 0, double q = 0) {
  ModelEye o;
  o.raio = raio, o.raio2 = raio2, o.eixo = eixo, o.asfericidade = q;
  return o;
}

const std::vector<Modelo>& Modelos() {
  static const std::vector<Modelo> m = {
      {"Esfera de referência 7,80 mm", Olho(7.80)},
      {"Córnea normal (7,75 mm, Q -0,25)", Olho(7.75, 0, 0, -0.25)},
      {"Astigmatismo a favor da regra (1,5 D)", Olho(7.95, 7.70, 0, -0.2)},
      {"Astigmatismo oblíquo (2 D a 45°)", Olho(7.90, 7.57, 135, -0.2)},
      {"Córnea plana (8,30 mm)", Olho(8.30, 0, 0, -0.15)},
      {"Córnea curva (7,30 mm)", Olho(7.30, 0, 0, -0.3)},
  };
  return m;
}

// "Digitalizando Esfera (7.73)": the calibration sphere's radius in the title.
double RaioDoTitulo(const std::string& titulo) {
  const size_t a = titulo.find('(');
  if (a == std::string::npos) return 0;
  std::string n = titulo.substr(a + 1);
  for (char& c : n)
    if (c == ',') c = '.';
  return std::strtod(n.c_str(), nullptr);
}

struct Captura {
  ModelEye olho;
  double fator = 0.02;
  std::string tipoCone = "4";
  double z0 = 10.0;
  ImagemCinza central;
  HWND janela = nullptr, lista = nullptr;
  bool fim = false, capturada = false;

  void Renderizar() {
    ConeModel cone;
    if (!MakeCone(tipoCone, z0, cone)) return;
    central = RenderizarAneis(olho, cone, fator);
  }
};

constexpr int kLista = 101, kCapturar = 102, kCancelar = 103;

LRESULT CALLBACK JanelaProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  auto* c = DadosJanela<Captura>(h, m, l);
  switch (m) {
    case WM_COMMAND:
      if (!c) break;
      if (LOWORD(w) == kLista && HIWORD(w) == CBN_SELCHANGE) {
        const int i = int(SendMessageA(c->lista, CB_GETCURSEL, 0, 0));
        if (i >= 0 && i < int(Modelos().size())) c->olho = Modelos()[size_t(i)].olho;
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

HWND Criar(HWND dono, Captura& c, const std::string& titulo, bool escolher) {
  HWND h = CriarJanelaModulo("MZCapturaModelo", JanelaProc, dono, titulo, 500, 452, &c);
  CriarFilho(h, "STATIC", "Modelo:", 0, {10, 14, 70, 34}, 0);
  c.lista = CriarFilho(h, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, {70, 10, 490, 210}, kLista);
  for (const Modelo& m : Modelos()) SendMessageA(c.lista, CB_ADDSTRING, 0, LPARAM(m.nome));
  SendMessageA(c.lista, CB_SETCURSEL, 1, 0);
  EnableWindow(c.lista, escolher);
  CriarFilho(h, "BUTTON", "Capturar", BS_DEFPUSHBUTTON | WS_TABSTOP, {300, 414, 390, 442}, kCapturar);
  CriarFilho(h, "BUTTON", "Cancelar", WS_TABSTOP, {400, 414, 490, 442}, kCancelar);
  return h;
}

}  // namespace

extern "C" MZAPI int32_t Digitalizar(HWND__* handle, TMZStream* central, TMZStream* lateral, int32_t olho,
                                     const TInfosMZ* infos, const char* tituloC) {
  const std::string titulo = tituloC ? tituloC : "";
  Captura c;
  if (infos) {
    // The instrument's own cone and camera scale.
    if (infos->FatorCorrecao > 0) c.fator = infos->FatorCorrecao;
    if (infos->TipoCone) c.tipoCone = infos->TipoCone;
    if (infos->Z0 > 0) c.z0 = infos->Z0;
  }
  const bool esfera = olho == 2;
  if (esfera) {
    c.olho = Olho(RaioDoTitulo(titulo) > 0 ? RaioDoTitulo(titulo) : 7.80);
  } else {
    c.olho = Modelos()[1].olho;
    c.olho.decX = olho == 1 ? 0.05 : -0.05;  // the apex sits a little toward the nose
  }
  const std::string ini = PastaDoModulo() + "Captura.ini";
  const bool automatico = GetPrivateProfileIntA("CAPTURA", "AUTOMATICO", 0, ini.c_str()) == 1;
  const int modelo = GetPrivateProfileIntA("CAPTURA", "MODELO", -1, ini.c_str());
  if (!esfera && modelo >= 0 && modelo < int(Modelos().size())) c.olho = Modelos()[size_t(modelo)].olho;
  c.Renderizar();

  if (automatico) {
    c.capturada = true;
  } else {
    HWND h = Criar(reinterpret_cast<HWND>(handle), c, titulo, !esfera);
    if (!esfera && modelo >= 0) SendMessageA(c.lista, CB_SETCURSEL, WPARAM(modelo), 0);
    LacoModal(reinterpret_cast<HWND>(handle), h, &c.fim);
    DestroyWindow(h);
  }
  if (!c.capturada || c.central.px.empty()) return 0;  // cancelled: the streams stay empty
  const std::vector<uint8_t> bmp = CodificarBmp(c.central);
  EscreverStream(central, bmp.data(), bmp.size());
  const std::vector<uint8_t> perfil = CodificarBmp(RenderizarPerfil(c.olho, c.fator));
  EscreverStream(lateral, perfil.data(), perfil.size());
  return 1;
}

extern "C" MZAPI int32_t Info(TMZStream* saida) {
  EscreverLinhas(saida, {"Captura de modelo de córnea (simulador)"});
  return 1;
}

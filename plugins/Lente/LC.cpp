// Contact-lens module stand-in ("LC.dll"): the fluorescein pattern of a rigid lens of a chosen base
// curve over the measured cornea (see Lente.h). The window offers the base curves around the
// cornea's flat central radius. For tests, "Lente.ini" beside the module: [LENTE] AUTOMATICO=1
// draws without a window, CURVA the base curve (mm; default the central radius rounded to 0.05 mm)
// and FIGURA the BMP file that receives the pattern.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/UBModuleInterface.h"
#include "plugins/common/Lente.h"
#include "plugins/common/ModuloStream.h"
#include "plugins/common/ModuloWin32.h"
#include "plugins/common/TextosModulo.h"

namespace {

constexpr double kDiametro = 9.0;
constexpr int kLado = 320;

std::string IniLente() { return PastaDoModulo() + "Lente.ini"; }

struct Lente {
  DadosMapa dados;
  double fator = 0.02, curva = 7.80;
  std::vector<std::string> info;
  Fluoresceina f;
  HWND lista = nullptr, texto = nullptr;
  bool fim = false;

  void Simular() {
    f = SimularFluoresceina(dados, fator, curva, kDiametro, kLado);
    if (texto) {
      const std::string t = "Lágrima central: " + Fixo(f.lagrimaCentral, 0) + " µm   periférica: " +
                            Fixo(f.lagrimaBorda, 0) + " µm";
      SetWindowTextA(texto, t.c_str());
    }
  }
};

// Base curves offered: 7,00 to 8,60 mm in steps of 0,05 mm.
double CurvaDoIndice(int i) { return 7.00 + 0.05 * i; }

LRESULT CALLBACK LenteProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  auto* lt = DadosJanela<Lente>(h, m, l);
  switch (m) {
    case WM_COMMAND:
      if (!lt) break;
      if (LOWORD(w) == 301 && HIWORD(w) == CBN_SELCHANGE) {
        lt->curva = CurvaDoIndice(int(SendMessageA(lt->lista, CB_GETCURSEL, 0, 0)));
        lt->Simular();
        InvalidateRect(h, nullptr, FALSE);
      } else if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL) {
        lt->fim = true;
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      if (lt) {
        DesenharImagem(dc, RECT{10, 40, 10 + kLado, 40 + kLado}, lt->f.imagem);
        SelectObject(dc, FonteModulo());
        SetBkMode(dc, TRANSPARENT);
        int y = 40;
        for (const std::string& t : lt->info) {
          TextOutA(dc, kLado + 20, y, t.c_str(), int(t.size()));
          y += 16;
        }
      }
      EndPaint(h, &ps);
      return 0;
    }
    case WM_CLOSE:
      if (lt) lt->fim = true;
      return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

}  // namespace

extern "C" MZAPI int32_t ProcessaLente(HWND__* handle, TMZStream*, TMZStream* info, double, double,
                                       TMatrizAngAnel* mm, TMatrizAng* aneis, TMatrizAngAnel* md,
                                       const TInfosMZ* infos, const TPathsMZ*) {
  if (!mm || !aneis || !md) return 0;
  Lente lt;
  lt.dados = {reinterpret_cast<const Matriz*>(mm), reinterpret_cast<const Matriz*>(md), aneis->data()};
  if (infos && infos->FatorCorrecao > 0) lt.fator = infos->FatorCorrecao;
  // The cornea's central radius from the first rings.
  double soma = 0;
  int n = 0;
  for (size_t r = 0; r < 360; ++r)
    for (int k = 1; k <= std::min(3, (*aneis)[r]); ++k) soma += (*md)[r][size_t(k)], ++n;
  if (n && soma > 0) lt.curva = std::round(337.5 / (soma / n) / 0.05) * 0.05;
  const std::string ini = IniLente();
  char curva[32] = {}, figura[MAX_PATH] = {};
  GetPrivateProfileStringA("LENTE", "CURVA", "", curva, sizeof curva, ini.c_str());
  GetPrivateProfileStringA("LENTE", "FIGURA", "", figura, sizeof figura, ini.c_str());
  if (double v = 0; LerNumero(curva, v) && v > 0) lt.curva = v;
  lt.info = LerLinhas(info);
  if (lt.info.size() > 4) lt.info.resize(4);

  if (GetPrivateProfileIntA("LENTE", "AUTOMATICO", 0, ini.c_str()) == 1) {
    lt.Simular();
    if (figura[0]) {
      const std::vector<uint8_t> bmp = CodificarBmp(lt.f.imagem);
      HANDLE f = CreateFileA(figura, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      DWORD escritos = 0;
      if (f != INVALID_HANDLE_VALUE) {
        WriteFile(f, bmp.data(), DWORD(bmp.size()), &escritos, nullptr);
        CloseHandle(f);
      }
    }
    return 1;
  }
  const HWND dono = reinterpret_cast<HWND>(handle);
  HWND h = CriarJanelaModulo("MZLenteContato", LenteProc, dono, "Lente de contato - padrão de fluoresceína",
                             kLado + 260, kLado + 90, &lt);
  CriarFilho(h, "STATIC", "Curva base (mm):", 0, {10, 12, 110, 30}, 0);
  lt.lista = CriarFilho(h, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, {115, 8, 215, 300}, 301);
  int atual = 0;
  for (int i = 0; i < 33; ++i) {
    const std::string t = Fixo(CurvaDoIndice(i), 2);
    SendMessageA(lt.lista, CB_ADDSTRING, 0, LPARAM(t.c_str()));
    if (std::fabs(CurvaDoIndice(i) - lt.curva) < 0.025) atual = i;
  }
  SendMessageA(lt.lista, CB_SETCURSEL, WPARAM(atual), 0);
  lt.curva = CurvaDoIndice(atual);
  lt.texto = CriarFilho(h, "STATIC", "", 0, {230, 12, kLado + 250, 30}, 0);
  CriarFilho(h, "BUTTON", "Fechar", BS_DEFPUSHBUTTON | WS_TABSTOP, {kLado + 150, kLado + 52, kLado + 250, kLado + 80},
             IDOK);
  lt.Simular();
  LacoModal(dono, h, &lt.fim);
  DestroyWindow(h);
  return 1;
}

extern "C" MZAPI int32_t InfoMapa(TMZStream* saida) {
  EscreverLinhas(saida, {"LC", "1", "1"});
  return 1;
}

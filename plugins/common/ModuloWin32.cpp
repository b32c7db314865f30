#include "plugins/common/ModuloWin32.h"

#include <algorithm>
#include <charconv>
#include <vector>

std::string Fixo(double v, int casas) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, casas);
  std::string s(buf, r.ptr);
  for (char& c : s)
    if (c == '.') c = ',';
  return s;
}

std::string PastaDoModulo() {
  HMODULE m = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&PastaDoModulo), &m);
  char nome[MAX_PATH] = {};
  GetModuleFileNameA(m, nome, MAX_PATH);
  std::string s(nome);
  return s.substr(0, s.find_last_of('\\') + 1);
}

bool LerArquivo(const std::string& caminho, std::string& conteudo) {
  HANDLE f = CreateFileA(caminho.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  conteudo.clear();
  char buf[4096];
  DWORD lidos = 0;
  while (ReadFile(f, buf, sizeof buf, &lidos, nullptr) && lidos > 0) conteudo.append(buf, lidos);
  CloseHandle(f);
  return true;
}

void LacoModal(HWND dono, HWND janela, const bool* fim) {
  const bool reativar = dono && IsWindowEnabled(dono);
  if (reativar) EnableWindow(dono, FALSE);
  ShowWindow(janela, SW_SHOW);
  SetForegroundWindow(janela);
  // A click may come as a sent message, delivered inside the wait for posted ones: the flag is looked at
  // after every delivery, so the loop never waits on with the window already answered.
  MSG msg;
  while (!*fim) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!*fim) WaitMessage();
      continue;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
    if (!IsDialogMessageA(janela, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  if (reativar) EnableWindow(dono, TRUE);
  if (dono) SetActiveWindow(dono);
}

namespace {

BITMAPINFO Info32(int w, int h) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

void Desenhar(HDC dc, const RECT& r, int w, int h, const std::vector<uint8_t>& bgr) {
  const BITMAPINFO bi = Info32(w, h);
  SetStretchBltMode(dc, HALFTONE);
  StretchDIBits(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, w, h, bgr.data(), &bi, DIB_RGB_COLORS,
                SRCCOPY);
}

}  // namespace

void DesenharImagem(HDC dc, const RECT& r, const ImagemRGB& img) {
  std::vector<uint8_t> bgr(size_t(img.largura) * img.altura * 4);
  for (size_t i = 0; i < size_t(img.largura) * img.altura; ++i) {
    bgr[4 * i] = img.px[3 * i + 2], bgr[4 * i + 1] = img.px[3 * i + 1], bgr[4 * i + 2] = img.px[3 * i];
  }
  Desenhar(dc, r, img.largura, img.altura, bgr);
}

void DesenharImagem(HDC dc, const RECT& r, const ImagemCinza& img) {
  std::vector<uint8_t> bgr(img.px.size() * 4);
  for (size_t i = 0; i < img.px.size(); ++i) bgr[4 * i] = bgr[4 * i + 1] = bgr[4 * i + 2] = img.px[i];
  Desenhar(dc, r, img.largura, img.altura, bgr);
}

HFONT FonteModulo() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HWND CriarJanelaModulo(const char* classe, WNDPROC proc, HWND dono, const std::string& titulo, int largura,
                       int altura, void* dados) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = classe;
  // A class left by a module unloaded since (or by another module) would point at its old window
  // procedure: registered afresh each time; this fails harmlessly while a window of it is open.
  UnregisterClassA(classe, wc.hInstance);
  RegisterClassA(&wc);
  RECT r{0, 0, largura, altura};
  AdjustWindowRectEx(&r, WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
  const int w = r.right - r.left, h = r.bottom - r.top;
  // Centred on the program's window that called the module (on the screen without one), and whole on the screen.
  RECT sobre{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (dono) GetWindowRect(GetAncestor(dono, GA_ROOT), &sobre);
  const int x = std::max(0, std::min((sobre.left + sobre.right - w) / 2, GetSystemMetrics(SM_CXSCREEN) - w));
  const int y = std::max(0, std::min((sobre.top + sobre.bottom - h) / 2, GetSystemMetrics(SM_CYSCREEN) - h));
  return CreateWindowExA(WS_EX_DLGMODALFRAME, classe, titulo.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y, w, h,
                         dono, nullptr, wc.hInstance, dados);
}

HWND CriarFilho(HWND pai, const char* classe, const char* texto, DWORD estilo, RECT r, int id) {
  HWND h = CreateWindowExA(0, classe, texto, WS_CHILD | WS_VISIBLE | estilo, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, pai, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr),
                           nullptr);
  SendMessageA(h, WM_SETFONT, WPARAM(FonteModulo()), TRUE);
  return h;
}

HBITMAP CriarDib32(int w, int h, void** bits) {
  const BITMAPINFO bi = Info32(w, h);
  return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
}

namespace {

struct JanelaFigura {
  HBITMAP figura = nullptr;
  bool fim = false;
};

LRESULT CALLBACK FiguraProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  auto* j = DadosJanela<JanelaFigura>(h, msg, l);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      if (j && j->figura) {
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ v = SelectObject(mem, j->figura);
        BITMAP b;
        GetObjectA(j->figura, sizeof b, &b);
        BitBlt(dc, 0, 0, b.bmWidth, b.bmHeight, mem, 0, 0, SRCCOPY);
        SelectObject(mem, v);
        DeleteDC(mem);
      }
      EndPaint(h, &ps);
      return 0;
    }
    case WM_COMMAND:
      if (j && (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL)) j->fim = true;
      return 0;
    case WM_CLOSE:
      if (j) j->fim = true;
      return 0;
  }
  return DefWindowProcA(h, msg, w, l);
}

}  // namespace

void MostrarFigura(HWND dono, HBITMAP figura, const std::string& titulo) {
  BITMAP b{};
  GetObjectA(figura, sizeof b, &b);
  JanelaFigura j;
  j.figura = figura;
  const int w = b.bmWidth, h = b.bmHeight + 40;
  HWND jan = CriarJanelaModulo("MZFiguraModulo", FiguraProc, dono, titulo, w, h, &j);
  CriarFilho(jan, "BUTTON", "Fechar", BS_DEFPUSHBUTTON | WS_TABSTOP, {w - 100, h - 34, w - 10, h - 6}, IDOK);
  LacoModal(dono, jan, &j.fim);
  DestroyWindow(jan);
}

void ExibirMapa(HWND dono, HBITMAP figura, const std::string& titulo) {
  char arquivo[MAX_PATH] = {};
  GetPrivateProfileStringA("MAPAS", "FIGURA", "", arquivo, MAX_PATH, (PastaDoModulo() + "Mapas.ini").c_str());
  if (!arquivo[0]) {
    MostrarFigura(dono, figura, titulo);
    return;
  }
  DIBSECTION ds{};
  if (GetObjectA(figura, sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits) return;
  const std::vector<uint8_t> dados = CodificarBmp(ImagemDeDib(ds.dsBm.bmBits, ds.dsBm.bmWidth, ds.dsBm.bmHeight));
  HANDLE f = CreateFileA(arquivo, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD escritos = 0;
  WriteFile(f, dados.data(), DWORD(dados.size()), &escritos, nullptr);
  CloseHandle(f);
}

ImagemRGB ImagemDeDib(const void* bits, int w, int h) {
  const auto* bgr = static_cast<const uint8_t*>(bits);
  ImagemRGB img;
  img.largura = w, img.altura = h;
  img.px.resize(size_t(w) * h * 3);
  for (size_t i = 0; i < size_t(w) * h; ++i) {
    img.px[3 * i] = bgr[4 * i + 2], img.px[3 * i + 1] = bgr[4 * i + 1], img.px[3 * i + 2] = bgr[4 * i];
  }
  return img;
}

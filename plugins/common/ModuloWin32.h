#pragma once
// Small Win32 helpers shared by the stand-in modules: their folder, files and own windows.
#include <windows.h>

#include <string>

#include "plugins/common/BmpCodec.h"

// A number with `casas` decimals and the Portuguese decimal comma, for the modules' screens.
std::string Fixo(double v, int casas);

// Folder of the module file that contains this code, with a trailing backslash.
std::string PastaDoModulo();

// Whole contents of a file named by a Windows path; false when it cannot be read.
bool LerArquivo(const std::string& caminho, std::string& conteudo);

// Runs `janela` modally over `dono` (disabled meanwhile) until *fim becomes true.
void LacoModal(HWND dono, HWND janela, const bool* fim);

// Draws a picture stretched into a rectangle of a device context.
void DesenharImagem(HDC dc, const RECT& r, const ImagemRGB& img);
void DesenharImagem(HDC dc, const RECT& r, const ImagemCinza& img);

// A GUI font of the system, for the modules' controls.
HFONT FonteModulo();

// A top-level window of the module's class `classe` (registered on first use) with a client area of
// largura x altura, owned by `dono`; `dados` reaches the window procedure through DadosJanela.
HWND CriarJanelaModulo(const char* classe, WNDPROC proc, HWND dono, const std::string& titulo, int largura,
                       int altura, void* dados);

// The `dados` of CriarJanelaModulo, from inside the window procedure (null before WM_NCCREATE).
template <class T>
T* DadosJanela(HWND h, UINT msg, LPARAM l) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrA(h, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTA*>(l)->lpCreateParams));
  return reinterpret_cast<T*>(GetWindowLongPtrA(h, GWLP_USERDATA));
}

// A child control with the modules' font.
HWND CriarFilho(HWND pai, const char* classe, const char* texto, DWORD estilo, RECT r, int id);

// Shows a picture (a DIB section) in a window of its own with a "Fechar" button, modal to `dono`,
// until the user closes it.
void MostrarFigura(HWND dono, HBITMAP figura, const std::string& titulo);

// A map module's picture (a top-down 32-bit DIB section) shown as MostrarFigura does, or, when
// "Mapas.ini" beside the module names a FIGURA file ([MAPAS] section), written to that file as a BMP
// instead, so that an unattended run never waits for "Fechar".
void ExibirMapa(HWND dono, HBITMAP figura, const std::string& titulo);

// RGB copy of the pixels of a top-down 32-bit DIB of w x h.
ImagemRGB ImagemDeDib(const void* bits, int w, int h);

// A top-down 32-bit DIB section of w x h; *bits receives its pixels (B, G, R, unused).
HBITMAP CriarDib32(int w, int h, void** bits);

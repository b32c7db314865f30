#pragma once
// Processor and theme queries of the bitmap library.
#include <windows.h>
#include <uxtheme.h>

#include <memory>

// True when the processor has CPUID, reports family 5 or higher and sets feature bit 23 (MMX).
bool HasMMX();

// uxtheme.dll, bound by name on first use; kept only when OpenThemeData, CloseThemeData,
// IsThemeActive, IsAppThemed and EnableTheming were all found.
struct TThemeLibrary {
  HMODULE Module = nullptr;
  decltype(&::OpenThemeData) OpenThemeData = nullptr;
  decltype(&::CloseThemeData) CloseThemeData = nullptr;
  decltype(&::DrawThemeBackground) DrawThemeBackground = nullptr;
  decltype(&::DrawThemeEdge) DrawThemeEdge = nullptr;
  decltype(&::GetThemeColor) GetThemeColor = nullptr;
  decltype(&::GetThemeMetric) GetThemeMetric = nullptr;
  decltype(&::GetThemeMargins) GetThemeMargins = nullptr;
  decltype(&::SetWindowTheme) SetWindowTheme = nullptr;
  decltype(&::IsThemeActive) IsThemeActive = nullptr;
  decltype(&::IsAppThemed) IsAppThemed = nullptr;
  decltype(&::EnableTheming) EnableTheming = nullptr;
};
// The bound library, or nullptr where there is none.
const TThemeLibrary* ThemeLibrary();
// The library is there and both IsAppThemed and IsThemeActive answer true.
bool ThemesInUse();

// A hidden window that holds the "SCROLLBAR" and "GLOBALS" theme data while themes are in use and
// opens them afresh on WM_THEMECHANGED.
class TThemeNexus {
 public:
  TThemeNexus();
  ~TThemeNexus();
  TThemeNexus(const TThemeNexus&) = delete;
  TThemeNexus& operator=(const TThemeNexus&) = delete;

  HWND Handle() const { return FHandle; }
  HTHEME ScrollbarTheme() const { return FScrollbar; }
  HTHEME GlobalsTheme() const { return FGlobals; }

 private:
  static LRESULT CALLBACK WindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  void OpenThemes();
  void CloseThemes();

  HWND FHandle = nullptr;
  HTHEME FScrollbar = nullptr;
  HTHEME FGlobals = nullptr;
};

// Unit set-up, from the program's entry and from tests: makes the theme nexus; the finalisation
// frees it and the theme library.
void InitBitmap32System();
void DoneBitmap32System();
TThemeNexus* ThemeNexus();

#include "widgets/Bitmap32_System.h"

#include <cpuid.h>

bool HasMMX() {
  unsigned Eax, Ebx, Ecx, Edx;
  if (!__get_cpuid(1, &Eax, &Ebx, &Ecx, &Edx)) return false;  // no CPUID
  const unsigned Family = (Eax >> 8) & 0xF;
  return Family >= 5 && (Edx & (1u << 23)) != 0;
}

namespace {

struct TThemeBinding {
  bool Tried = false;
  TThemeLibrary Library;
};
TThemeBinding& Binding() {
  static TThemeBinding B;
  return B;
}

template <class F>
void Bind(HMODULE Module, F& Pointer, const char* Name) {
  Pointer = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Module, Name)));
}

std::unique_ptr<TThemeNexus>& Nexus() {
  static std::unique_ptr<TThemeNexus> N;
  return N;
}

constexpr char NexusClass[] = "TThemeNexus";

}  // namespace

const TThemeLibrary* ThemeLibrary() {
  TThemeBinding& B = Binding();
  if (!B.Tried) {
    B.Tried = true;
    TThemeLibrary& L = B.Library;
    L.Module = LoadLibraryA("uxtheme.dll");
    if (L.Module) {
      Bind(L.Module, L.OpenThemeData, "OpenThemeData");
      Bind(L.Module, L.CloseThemeData, "CloseThemeData");
      Bind(L.Module, L.DrawThemeBackground, "DrawThemeBackground");
      Bind(L.Module, L.DrawThemeEdge, "DrawThemeEdge");
      Bind(L.Module, L.GetThemeColor, "GetThemeColor");
      Bind(L.Module, L.GetThemeMetric, "GetThemeMetric");
      Bind(L.Module, L.GetThemeMargins, "GetThemeMargins");
      Bind(L.Module, L.SetWindowTheme, "SetWindowTheme");
      Bind(L.Module, L.IsThemeActive, "IsThemeActive");
      Bind(L.Module, L.IsAppThemed, "IsAppThemed");
      Bind(L.Module, L.EnableTheming, "EnableTheming");
      if (!L.OpenThemeData || !L.CloseThemeData || !L.IsThemeActive || !L.IsAppThemed || !L.EnableTheming) {
        FreeLibrary(L.Module);
        L = TThemeLibrary{};
      }
    }
  }
  return B.Library.Module ? &B.Library : nullptr;
}

bool ThemesInUse() {
  const TThemeLibrary* L = ThemeLibrary();
  return L && L->IsAppThemed() && L->IsThemeActive();
}

TThemeNexus::TThemeNexus() {
  WNDCLASSA Class{};
  Class.lpfnWndProc = WindowProc;
  Class.hInstance = GetModuleHandleA(nullptr);
  Class.lpszClassName = NexusClass;
  RegisterClassA(&Class);  // fails harmlessly when already registered
  FHandle = CreateWindowExA(0, NexusClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, Class.hInstance, nullptr);
  if (FHandle) SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  OpenThemes();
}

TThemeNexus::~TThemeNexus() {
  CloseThemes();
  if (FHandle) DestroyWindow(FHandle);
}

void TThemeNexus::OpenThemes() {
  if (!ThemesInUse()) return;
  const TThemeLibrary* L = ThemeLibrary();
  FScrollbar = L->OpenThemeData(FHandle, u"SCROLLBAR");
  FGlobals = L->OpenThemeData(FHandle, u"GLOBALS");
}

void TThemeNexus::CloseThemes() {
  const TThemeLibrary* L = ThemeLibrary();
  if (L && FScrollbar) L->CloseThemeData(FScrollbar);
  if (L && FGlobals) L->CloseThemeData(FGlobals);
  FScrollbar = FGlobals = nullptr;
}

LRESULT CALLBACK TThemeNexus::WindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_THEMECHANGED) {
    if (auto* Self = reinterpret_cast<TThemeNexus*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA))) {
      Self->CloseThemes();
      Self->OpenThemes();
    }
    return 0;
  }
  return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

void InitBitmap32System() {
  if (!Nexus()) Nexus() = std::make_unique<TThemeNexus>();
}

void DoneBitmap32System() {
  Nexus().reset();
  TThemeBinding& B = Binding();
  if (B.Library.Module) FreeLibrary(B.Library.Module);
  B = TThemeBinding{};
}

TThemeNexus* ThemeNexus() { return Nexus().get(); }

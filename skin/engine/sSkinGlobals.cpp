#include "skin/engine/sSkinGlobals.h"

#include <shellapi.h>

#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinRequest.h"
#include "skin/engine/sSkinStrings.h"
#include "toolkit/rtl/FileUtils.h"

bool SkinChangeInProgress = false;
bool AnimationInProgress = false;
bool SkinChangeAnimating = false;
TColor EngineKeyColor = clFuchsia;
int ScrollArrowSize = 16;
bool IsNTPlatform = true;
bool Wow64WithoutComposition = false;
TsCacheInfo EmptyCacheInfo;
TsSkinManager* DefaultManager = nullptr;
bool AdapterRepaintLock = false;
int PendingAnimation = 0;
bool MenuPainting = false;
TApplicationIcons ApplicationIcons;

namespace {

bool Initialized = false;

template <class F>
void Bind(HMODULE Module, F& Pointer, const char* Name) {
  Pointer = Module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Module, Name))) : nullptr;
}

bool CompositionEnabled() {
  const TModuleOwner Dwm(LoadLibraryA("dwmapi.dll"));
  HRESULT(WINAPI * IsEnabled)(BOOL*) = nullptr;
  Bind(Dwm.get(), IsEnabled, "DwmIsCompositionEnabled");
  BOOL On = FALSE;
  return IsEnabled && SUCCEEDED(IsEnabled(&On)) && On;
}

}  // namespace

TEngineBindings& Bindings() {
  static TEngineBindings B;
  return B;
}

void InitSkinEngine() {
  if (Initialized) return;
  Initialized = true;
  TEngineBindings& B = Bindings();
  B.Kernel32.reset(LoadLibraryA("kernel32.dll"));
  Bind(B.Kernel32.get(), B.IsDebuggerPresent, "IsDebuggerPresent");
  Bind(B.Kernel32.get(), B.IsWow64Process, "IsWow64Process");
  B.User32.reset(LoadLibraryA("user32.dll"));
  Bind(B.User32.get(), B.UpdateLayeredWindow, "UpdateLayeredWindow");
  Bind(B.User32.get(), B.SetLayeredWindowAttributes, "SetLayeredWindowAttributes");
  B.UxTheme.reset(LoadLibraryA("uxtheme.dll"));
  Bind(B.UxTheme.get(), B.SetWindowTheme, "SetWindowTheme");
  B.MsImg32.reset(LoadLibraryA("msimg32.dll"));
  Bind(B.MsImg32.get(), B.GradientFill, "GradientFill");

  LoadSkinStrings();
  ScrollArrowSize = GetSystemMetrics(SM_CXHSCROLL);
  OSVERSIONINFOA Version{};
  Version.dwOSVersionInfoSize = sizeof(Version);
  IsNTPlatform = !GetVersionExA(&Version) || Version.dwPlatformId == VER_PLATFORM_WIN32_NT;
  Wow64WithoutComposition = IsWow64() && !CompositionEnabled();
  HICON Large = nullptr, Small = nullptr;
  ExtractIconExA(ParamStr(0).c_str(), 0, &Large, &Small, 1);
  ApplicationIcons.Large.reset(Large);
  ApplicationIcons.Small.reset(Small);
  ReadBuiltInShadows();
  ReadSkinSwitches();
}

void DoneSkinEngine() {
  if (!Initialized) return;
  Initialized = false;
  ApplicationIcons = {};
  ClearSkinStrings();
  Bindings() = TEngineBindings{};
  ScrollArrowSize = 16;
  Wow64WithoutComposition = false;
  TsSkinManager::BuiltInShadows() = TsShadowImages{};
}

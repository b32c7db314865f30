#pragma once
// Library-wide values of the skin engine and its run-time bindings to system functions that may be
// missing. InitSkinEngine binds and reads everything once; DoneSkinEngine releases it. Tests replace
// any bound pointer directly.
#include <windows.h>

#include <memory>

#include "skin/engine/sSkinUtils.h"
#include "toolkit/graphics/GdiHandle.h"

class TsSkinManager;

// Set by the skin manager while a new skin name is applied.
extern bool SkinChangeInProgress;
// Set by the show, hide and change animations of forms and dialogs.
extern bool AnimationInProgress;
// Set while all forms are frozen and repainted for an animated skin change.
extern bool SkinChangeAnimating;
// The transparent key of skin images.
extern TColor EngineKeyColor;
// Width of a horizontal scroll-bar arrow (16 until the init reads it).
extern int ScrollArrowSize;
extern bool IsNTPlatform;
// A 32-bit process under WOW64 without desktop composition: glow effects are refused.
extern bool Wow64WithoutComposition;
// The shared record that asks a painter for no parent background.
extern TsCacheInfo EmptyCacheInfo;
// The first skin manager created, used by skin data without a manager of their own.
extern TsSkinManager* DefaultManager;
// Suspends the window adapters' painting.
extern bool AdapterRepaintLock;
// The pending animation, cleared by a form provider before an animated hide.
extern int PendingAnimation;
// Set by the menu painter while it draws a skinned popup menu.
extern bool MenuPainting;

// The program file's large and small icons, for captions of forms and applications without one.
struct TApplicationIcons {
  detail::IconHandle Large, Small;
};
extern TApplicationIcons ApplicationIcons;

struct TModuleDeleter {
  void operator()(HMODULE Module) const { FreeLibrary(Module); }
};
using TModuleOwner = std::unique_ptr<HINSTANCE__, TModuleDeleter>;

// Entries of system libraries looked up at run time (nullptr when missing), and the engine's clock.
struct TEngineBindings {
  using TUpdateLayeredWindow = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
  using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  using TSetWindowTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  using TIsDebuggerPresent = BOOL(WINAPI*)();
  using TIsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
  using TTickCount = DWORD(WINAPI*)();
  using TSleep = void(WINAPI*)(DWORD);
  using TGradientFill = BOOL(WINAPI*)(HDC, TRIVERTEX*, ULONG, void*, ULONG, ULONG);

  TUpdateLayeredWindow UpdateLayeredWindow = nullptr;
  TSetLayeredWindowAttributes SetLayeredWindowAttributes = nullptr;
  TSetWindowTheme SetWindowTheme = nullptr;
  TIsDebuggerPresent IsDebuggerPresent = nullptr;
  TIsWow64Process IsWow64Process = nullptr;
  TGradientFill GradientFill = nullptr;
  // The engine's clock in milliseconds; tests install a fake one.
  TTickCount TickCount = ::GetTickCount;
  // The engine's pause between animation frames; tests install one that returns at once.
  TSleep Sleep = ::Sleep;
  // The libraries held while bound (uxtheme and msimg32 are empty when missing).
  TModuleOwner Kernel32, User32, UxTheme, MsImg32;
};
TEngineBindings& Bindings();

// Start-up of the engine: bindings, strings, start-up facts and icons. A second call does nothing.
void InitSkinEngine();
// Releases what the init took; the values go back to their defaults.
void DoneSkinEngine();

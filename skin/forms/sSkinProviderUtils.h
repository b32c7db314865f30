#pragma once
// Plain routines shared by a form's skin provider, its border form and painters, the dialog adapters and
// the animations: frame metrics of a window, layered-window output and cover windows, and the desktop
// composition binding.
#include <windows.h>

#include <dwmapi.h>

#include <memory>

#include "skin/engine/sSkinSeam.h"

class TBitmap;
class TForm;
class TsSkinManager;

// ---- Window and frame metrics
// The skin's border width of extended borders when UseSkin and it is not 0, else the system frame.
int SysBorderWidth(HWND Wnd, TsBorderFormLink* BorderForm, bool UseSkin);
// 0 when there is a border form, else SysBorderWidth.
int SysBorderWidthNoExt(HWND Wnd, TsBorderFormLink* BorderForm, bool UseSkin);
// SM_CYSMCAPTION for a tool-window form that is not iconic, else SM_CYCAPTION; both read once.
int SysCaptionHeight(TCustomForm* Form);
int SkinTitleHeight(TsBorderFormLink* BorderForm);
int SkinBorderWidth(TsBorderFormLink* BorderForm);
int WindowWidth(HWND Wnd);
int WindowHeight(HWND Wnd);
int ClientWidth(HWND Wnd);
int ClientHeight(HWND Wnd);
bool HasThickFrame(HWND Wnd);
// A negative index, or a mask piece of exactly one image.
bool MaskHasOneImage(int Index, TsSkinManager* Manager);
inline HWND TopMostWnd() { return HWND_TOPMOST; }
HWND FindTaskbar();

// ---- Layered windows
// Shows Bitmap (nullptr: a new picture of the window's size) in Wnd, made layered, with the constant
// alpha Alpha; DstPoint nullptr keeps the position.
void UpdateLayeredWnd(HWND Wnd, TBitmap* Bitmap, int Alpha, const POINT* DstPoint = nullptr);
// With Hide and layered windows available, a window not yet layered becomes layered with alpha 1
// (true); otherwise the window loses WS_VISIBLE and WS_EX_LAYERED (false).
bool HideWindowLayered(HWND Wnd, bool Hide);
// A new 32-bit picture of the provider's painted frame with the form's child controls painted in
// (opaque without a border form); nullptr while the frame is not painted.
std::unique_ptr<TBitmap> GetFormImage(TsProviderLink* Provider);
// A topmost, non-activating, borderless form over Wnd showing a snapshot of it; the caller frees it.
TForm* MakeCoverForm(HWND Wnd);

// ---- Desktop composition, bound at run time
struct TDwmBindings {
  using TIsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);
  using TSetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, const void*, DWORD);
  using TInvalidateIconicBitmaps = HRESULT(WINAPI*)(HWND);
  using TSetIconicThumbnail = HRESULT(WINAPI*)(HWND, HBITMAP, DWORD);
  using TSetIconicLivePreviewBitmap = HRESULT(WINAPI*)(HWND, HBITMAP, POINT*, DWORD);
  using TEnableBlurBehindWindow = HRESULT(WINAPI*)(HWND, const DWM_BLURBEHIND*);
  TIsCompositionEnabled IsCompositionEnabled = nullptr;
  TSetWindowAttribute SetWindowAttribute = nullptr;
  TInvalidateIconicBitmaps InvalidateIconicBitmaps = nullptr;
  TSetIconicThumbnail SetIconicThumbnail = nullptr;
  TSetIconicLivePreviewBitmap SetIconicLivePreviewBitmap = nullptr;
  TEnableBlurBehindWindow EnableBlurBehindWindow = nullptr;
};
// The entries of DWMAPI.DLL, loaded once (empty entries where missing); tests replace them.
TDwmBindings& DwmBindings();
// Named apart from the engine's DwmCompositionEnabled, which asks the seam this routine fills.
bool BoundDwmCompositionEnabled();
HRESULT CallDwmSetWindowAttribute(HWND Wnd, DWORD Attribute, const void* Data, DWORD Size);
void ForceDisableTransitions(HWND Wnd, bool Disable);
void InvalidateIconicBitmaps(HWND Wnd);
// Blur behind the window switched on or off, over Region when one is given.
void EnableBlurBehind(HWND Wnd, bool Enable, HRGN Region);
// A thumbnail of the provider's picture fitted into the maximum size; false when none was handed over.
bool SetIconicThumbnail(HWND Wnd, TsProviderLink* Provider, int MaxWidth, int MaxHeight);
bool SetIconicLivePreview(HWND Wnd, TsProviderLink* Provider);

#pragma once
// The seam between the skin engine and the skinned controls and form skinning built on it: what the
// engine asks of an owner of skin data that is no control, of a form's skin provider and of its
// border form, and the routines of form skinning that the engine calls. Form skinning fills the
// routine table at start-up; an empty entry means "not available". Tests install fakes.
#include <windows.h>

#include "toolkit/graphics/GraphicsTypes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TBitmap;
class TCustomForm;
class TForm;
class TsCommonData;

// An owner of skin data that is no control: a window adapter or a form's skin provider, mixed into
// a TObject (the skin data finds it by dynamic_cast of its OwnerObject).
class TsSkinDataOwner {
 public:
  virtual ~TsSkinDataOwner() = default;
  // The owner is being freed: its skin data no longer counts as skinned.
  virtual bool SkinOwnerDestroying() const = 0;
};

// The layered border window of a provider with extended borders.
class TsBorderFormLink {
 public:
  virtual ~TsBorderFormLink() = default;
  // Its window, nullptr until made.
  virtual TForm* Window() const = 0;
  virtual void CreateForm() = 0;
  // Hands the window back its saved procedure and owner and gives it to the caller, who frees it.
  virtual TForm* DetachWindow() = 0;
  virtual void UpdateRegions() = 0;
  virtual void PaintAll(bool Repaint, int Alpha) = 0;
};

// State bits of a provider.
constexpr std::uint32_t ProviderCachePainted = 0x200;
constexpr std::uint32_t ProviderImageCaptured = 0x1000;
constexpr std::uint32_t ProviderRedrawLocked = 0x10000;

// A form's skin provider as the engine reaches it; a form's window answers SkinCmdGetSkinProvider with
// its address.
class TsProviderLink : public TsSkinDataOwner {
 public:
  virtual TCustomForm* Form() const = 0;
  virtual TsCommonData* SkinData() const = 0;
  // The form's picture captured for an animated change; the engine may take it.
  virtual std::unique_ptr<TBitmap> TakeFormImage() = 0;
  virtual void SetFormImage(std::unique_ptr<TBitmap> Image) = 0;
  virtual bool Locked() const = 0;
  virtual void SetLocked(bool Value) = 0;
  virtual bool Skinned() const = 0;
  virtual bool InHiding() const = 0;
  virtual std::uint32_t StateBits() const = 0;
  virtual void SetStateBits(std::uint32_t Value) = 0;
  // nullptr without extended borders.
  virtual TsBorderFormLink* BorderForm() const = 0;
  virtual bool DrawFrame() const = 0;
  // The layered cover window kept for animated hiding, given to the caller; nullptr for none.
  virtual TForm* TakeCoverWindow() = 0;
  // How far the border form's window lies left of and above the form's window.
  virtual TPoint BorderFormOffset() const = 0;
  // Paints the cache bitmap (frame, caption, menu line) when it is not painted yet.
  virtual void PaintCacheIfNeeded() = 0;
  virtual void PaintAll() = 0;
  virtual void CollectRegionData() = 0;
  virtual void UpdateRegion(bool Repaint) = 0;
  // The painted non-client area (frame, caption, menu line); nullptr while it is not painted.
  virtual TBitmap* CacheBitmap() const { return nullptr; }
  // Where the menu line's top-left corner lies in the cache bitmap.
  virtual TPoint MenuLineOffset() const { return {0, 0}; }
  // The menu line's background without items, summed over disabled items; nullptr for none.
  virtual TBitmap* MenuLineBackground() const { return nullptr; }
};

// The adapter of a system dialog skinned by the dialog hook.
class TsDialogLink : public TsSkinDataOwner {
 public:
  virtual HWND Handle() const = 0;
  virtual TsCommonData* SkinData() const = 0;
  // nullptr without extended borders.
  virtual TsBorderFormLink* BorderForm() const = 0;
  virtual void FreeBorderForm() = 0;
  // The layered cover window kept for animated hiding, given to the caller; nullptr for none.
  virtual TForm* TakeCoverWindow() = 0;
  // Where the dialog's client area lies in its picture.
  virtual TPoint ClientOffset() const = 0;
  // Paints the dialog's child windows into DC at its origin.
  virtual void PaintChildWindows(HDC DC) = 0;
};

// The routines of form and window skinning the engine calls.
struct TsSkinSeam {
  std::function<std::unique_ptr<TBitmap>(TsProviderLink*)> GetFormImage;
  // Bmp nullptr: a new bitmap of the window's size.
  std::function<void(HWND Wnd, TBitmap* Bmp, int Alpha)> UpdateLayeredWnd;
  std::function<bool(HWND Wnd, bool Hide)> HideWindowLayered;
  // A layered cover window over the form's window; the caller frees it.
  std::function<TForm*(HWND FormWnd)> MakeCoverWindow;
  std::function<bool()> DwmCompositionEnabled;
  std::function<void(HWND Wnd, TsProviderLink*)> SetIconicLivePreview;
  std::function<void(HWND Wnd, TsProviderLink*, int Width, int Height)> SetIconicThumbnail;
  std::function<HRESULT(HWND Wnd, DWORD Attribute, const void* Value, DWORD Size)> CallDwmSetWindowAttribute;
  std::function<void(HWND Wnd)> InvalidateIconicBitmaps;
  // The dialog skinning's WH_CBT hook procedure, and the windows of the system dialogs it skinned.
  HOOKPROC CBTHookProc = nullptr;
  std::function<std::vector<HWND>()> SkinnedDialogs;
  std::function<void()> FreeSkinnedDialogs;
  std::function<void()> ClearMenuAdapters;
  std::function<void(TsProviderLink*)> AnimateMinimizing;
  std::function<bool(TsProviderLink*)> AnimateRestoring;
  // Set while a provider moves or sizes its form: fades are suspended.
  bool FadingSuspended = false;
  // The window told SkinCmdRefresh after every fade or animation step; nullptr for none.
  HWND WatcherWindow = nullptr;
  // The editor window announced after "/acpreview"; nullptr for none.
  HWND EditorWindow = nullptr;
};
TsSkinSeam& Seam();

// Desktop composition through the seam; false while form skinning does not say.
bool DwmCompositionEnabled();

#include "skin/forms/sSkinProviderUtils.h"

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sCtrlUtils.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/sThumbnailFit.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/ui/Forms.h"

int SkinBorderWidth(TsBorderFormLink* BorderForm) {
  return BorderForm && DefaultManager ? DefaultManager->SkinData().BorderWidth : 0;
}

int SkinTitleHeight(TsBorderFormLink* BorderForm) {
  return BorderForm && DefaultManager ? DefaultManager->SkinData().TitleHeight : 0;
}

int SysBorderWidth(HWND Wnd, TsBorderFormLink* BorderForm, bool UseSkin) {
  if (UseSkin) {
    if (const int Skin = SkinBorderWidth(BorderForm)) return Skin;
  }
  const LONG Style = GetWindowLongW(Wnd, GWL_STYLE);
  if (Style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
  if (Style & WS_BORDER) return GetSystemMetrics(SM_CXDLGFRAME);
  return 0;
}

int SysBorderWidthNoExt(HWND Wnd, TsBorderFormLink* BorderForm, bool UseSkin) {
  return BorderForm ? 0 : SysBorderWidth(Wnd, BorderForm, UseSkin);
}

int SysCaptionHeight(TCustomForm* Form) {
  static const int Caption = GetSystemMetrics(SM_CYCAPTION);
  static const int SmallCaption = GetSystemMetrics(SM_CYSMCAPTION);
  if (Form && (Form->BorderStyle() == bsToolWindow || Form->BorderStyle() == bsSizeToolWin) &&
      !(Form->HandleAllocated() && IsIconic(Form->Handle())))
    return SmallCaption;
  return Caption;
}

namespace {

RECT WindowRectOf(HWND Wnd) {
  RECT R{};
  GetWindowRect(Wnd, &R);
  return R;
}

void MakeOpaque(const TPixelView& View) {
  for (int Y = 0; Y < View.Height; ++Y)
    for (int X = 0; X < View.Width; ++X) *View.PixelPtr(X, Y) |= 0xFF000000u;
}

RECT ClientRectOf(HWND Wnd) {
  RECT R{};
  GetClientRect(Wnd, &R);
  return R;
}

}  // namespace

int WindowWidth(HWND Wnd) { const RECT R = WindowRectOf(Wnd); return R.right - R.left; }
int WindowHeight(HWND Wnd) { const RECT R = WindowRectOf(Wnd); return R.bottom - R.top; }
int ClientWidth(HWND Wnd) { const RECT R = ClientRectOf(Wnd); return R.right - R.left; }
int ClientHeight(HWND Wnd) { const RECT R = ClientRectOf(Wnd); return R.bottom - R.top; }
bool HasThickFrame(HWND Wnd) { return GetWindowLongW(Wnd, GWL_STYLE) & WS_THICKFRAME; }
bool MaskHasOneImage(int Index, TsSkinManager* Manager) {
  if (Index < 0) return true;
  return Manager && Manager->IsValidMaskIndex(Index) && Manager->Tables().Masks[Index].ImageCount == 1;
}

HWND FindTaskbar() { return FindWindowA("Shell_TrayWnd", nullptr); }

// ---- Layered windows

void UpdateLayeredWnd(HWND Wnd, TBitmap* Bitmap, int Alpha, const POINT* DstPoint) {
  std::unique_ptr<TBitmap> Temporary;
  if (!Bitmap) {
    Temporary = NewBitmap32(WindowWidth(Wnd), WindowHeight(Wnd));
    Bitmap = Temporary.get();
  }
  const LONG ExStyle = GetWindowLongW(Wnd, GWL_EXSTYLE);
  if (!(ExStyle & WS_EX_LAYERED)) SetWindowLongW(Wnd, GWL_EXSTYLE, ExStyle | WS_EX_LAYERED);
  if (!Bindings().UpdateLayeredWindow) return;
  HDC Screen = GetDC(nullptr);
  SIZE Size{Bitmap->Width(), Bitmap->Height()};
  POINT Src{0, 0};
  POINT Dst = DstPoint ? *DstPoint : POINT{};
  BLENDFUNCTION Blend{AC_SRC_OVER, 0, BYTE(Alpha), AC_SRC_ALPHA};
  Bindings().UpdateLayeredWindow(Wnd, Screen, DstPoint ? &Dst : nullptr, &Size, Bitmap->Canvas()->Handle(), &Src,
                                 COLORREF(0x1FFFFFFF), &Blend, ULW_ALPHA);
  ReleaseDC(nullptr, Screen);
}

bool HideWindowLayered(HWND Wnd, bool Hide) {
  const LONG ExStyle = GetWindowLongW(Wnd, GWL_EXSTYLE);
  if (Hide && Bindings().SetLayeredWindowAttributes) {
    if (ExStyle & WS_EX_LAYERED) return false;
    SetWindowLongW(Wnd, GWL_EXSTYLE, ExStyle | WS_EX_LAYERED);
    Bindings().SetLayeredWindowAttributes(Wnd, 0, 1, LWA_ALPHA);
    return true;
  }
  SetWindowLongW(Wnd, GWL_STYLE, GetWindowLongW(Wnd, GWL_STYLE) & ~WS_VISIBLE);
  SetWindowLongW(Wnd, GWL_EXSTYLE, ExStyle & ~WS_EX_LAYERED);
  return false;
}

std::unique_ptr<TBitmap> GetFormImage(TsProviderLink* Provider) {
  TBitmap* Cache = Provider ? Provider->CacheBitmap() : nullptr;
  if (!Cache) return nullptr;
  std::unique_ptr<TBitmap> Image = NewBitmap32(Cache->Width(), Cache->Height());
  BitBlt(Image->Canvas()->Handle(), 0, 0, Cache->Width(), Cache->Height(), Cache->Canvas()->Handle(), 0, 0, SRCCOPY);
  TCustomForm* Form = Provider->Form();
  if (Form && Form->HandleAllocated()) {
    // The client area's place in the window picture.
    const RECT Window = WindowRectOf(Form->Handle());
    POINT Client{0, 0};
    ClientToScreen(Form->Handle(), &Client);
    const int DX = Client.x - Window.left, DY = Client.y - Window.top;
    for (int I = 0; I < Form->ControlCount(); ++I) {
      TControl* Child = Form->Controls(I);
      if (Child->Visible()) PaintControlToBitmap(Image.get(), Child, DX + Child->Left(), DY + Child->Top(), Provider);
    }
  }
  if (!Provider->BorderForm()) {
    MakeOpaque(BitmapView(*Image));
  }
  return Image;
}

namespace {

// The cover: borderless, never activated, off the taskbar.
class TCoverForm : public TForm {
 public:
  using TForm::TForm;

 protected:
  void CreateParams(TCreateParams& Params) override {
    TForm::CreateParams(Params);
    Params.ExStyle |= WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
    Params.WndParent = nullptr;
  }
};

}  // namespace

TForm* MakeCoverForm(HWND Wnd) {
  const RECT R = WindowRectOf(Wnd);
  auto* Cover = new TCoverForm(nullptr);
  Cover->SetBorderStyle(bsNone);
  Cover->SetTag(-98);
  Cover->SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
  std::unique_ptr<TBitmap> Snapshot = NewBitmap32(R.right - R.left, R.bottom - R.top);
  HDC WindowDC = GetWindowDC(Wnd);
  BitBlt(Snapshot->Canvas()->Handle(), 0, 0, R.right - R.left, R.bottom - R.top, WindowDC, 0, 0, SRCCOPY);
  ReleaseDC(Wnd, WindowDC);
  const TPixelView View = BitmapView(*Snapshot);
  MakeOpaque(View);
  HWND CoverWnd = Cover->Handle();
  if (Seam().UpdateLayeredWnd)
    Seam().UpdateLayeredWnd(CoverWnd, Snapshot.get(), 255);
  else
    UpdateLayeredWnd(CoverWnd, Snapshot.get(), 255);
  SetWindowPos(CoverWnd, HWND_TOPMOST, R.left, R.top, 0, 0,
               SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  return Cover;
}

// ---- Desktop composition

TDwmBindings& DwmBindings() {
  // The library is held while the entries live, that is for the whole run.
  static TModuleOwner Library(LoadLibraryA("DWMAPI.DLL"));
  static TDwmBindings Entries = [] {
    TDwmBindings B;
    if (HMODULE Dwm = Library.get()) {
      B.IsCompositionEnabled =
          reinterpret_cast<TDwmBindings::TIsCompositionEnabled>(GetProcAddress(Dwm, "DwmIsCompositionEnabled"));
      B.SetWindowAttribute =
          reinterpret_cast<TDwmBindings::TSetWindowAttribute>(GetProcAddress(Dwm, "DwmSetWindowAttribute"));
      B.InvalidateIconicBitmaps = reinterpret_cast<TDwmBindings::TInvalidateIconicBitmaps>(
          GetProcAddress(Dwm, "DwmInvalidateIconicBitmaps"));
      B.SetIconicThumbnail =
          reinterpret_cast<TDwmBindings::TSetIconicThumbnail>(GetProcAddress(Dwm, "DwmSetIconicThumbnail"));
      B.SetIconicLivePreviewBitmap = reinterpret_cast<TDwmBindings::TSetIconicLivePreviewBitmap>(
          GetProcAddress(Dwm, "DwmSetIconicLivePreviewBitmap"));
      B.EnableBlurBehindWindow = reinterpret_cast<TDwmBindings::TEnableBlurBehindWindow>(
          GetProcAddress(Dwm, "DwmEnableBlurBehindWindow"));
    }
    return B;
  }();
  return Entries;
}

bool BoundDwmCompositionEnabled() {
  BOOL Enabled = FALSE;
  return DwmBindings().IsCompositionEnabled && SUCCEEDED(DwmBindings().IsCompositionEnabled(&Enabled)) && Enabled;
}

HRESULT CallDwmSetWindowAttribute(HWND Wnd, DWORD Attribute, const void* Data, DWORD Size) {
  if (!DwmBindings().SetWindowAttribute) return HRESULT(0x80004001);
  return DwmBindings().SetWindowAttribute(Wnd, Attribute, Data, Size);
}

void ForceDisableTransitions(HWND Wnd, bool Disable) {
  if (!BoundDwmCompositionEnabled()) return;
  const DWORD Value = Disable ? 1 : 0;
  CallDwmSetWindowAttribute(Wnd, 3, &Value, sizeof(Value));
}

void InvalidateIconicBitmaps(HWND Wnd) {
  if (DwmBindings().InvalidateIconicBitmaps) DwmBindings().InvalidateIconicBitmaps(Wnd);
}

void EnableBlurBehind(HWND Wnd, bool Enable, HRGN Region) {
  if (!DwmBindings().EnableBlurBehindWindow) return;
  DWM_BLURBEHIND Blur{};
  Blur.dwFlags = Region ? DWM_BB_ENABLE | DWM_BB_BLURREGION : DWM_BB_ENABLE;
  Blur.fEnable = Enable;
  Blur.hRgnBlur = Region;
  Blur.fTransitionOnMaximized = FALSE;
  DwmBindings().EnableBlurBehindWindow(Wnd, &Blur);
}

namespace {

constexpr std::uint32_t ProviderMakingTaskbarPicture = 0x800;

// Sets the provider's picture-making bit for its lifetime.
class TPictureBit {
 public:
  explicit TPictureBit(TsProviderLink* P) : provider_(P) { P->SetStateBits(P->StateBits() | ProviderMakingTaskbarPicture); }
  ~TPictureBit() { provider_->SetStateBits(provider_->StateBits() & ~ProviderMakingTaskbarPicture); }
  TPictureBit(const TPictureBit&) = delete;
  TPictureBit& operator=(const TPictureBit&) = delete;

 private:
  TsProviderLink* provider_;
};

void RepaintBorderForm(TsProviderLink* Provider) {
  if (TsBorderFormLink* Border = Provider->BorderForm()) Border->PaintAll(true, 255);
}

}  // namespace

bool SetIconicThumbnail(HWND Wnd, TsProviderLink* Provider, int MaxWidth, int MaxHeight) {
  if (MaxWidth == 0 || MaxHeight == 0 || !DwmBindings().SetIconicThumbnail || !Provider) return false;
  TBitmap* Source = Provider->CacheBitmap();
  if (!Source || Source->Width() <= 0 || Source->Height() <= 0) return false;
  const TFitSize Size = FitThumbnail(Source->Width(), Source->Height(), MaxWidth, MaxHeight);
  if (Size.Width == 0 || Size.Height == 0) return false;
  TPictureBit Bit(Provider);
  auto Hand = [&](TBitmap& From) {
    std::unique_ptr<TBitmap> Thumb = NewBitmap32(Size.Width, Size.Height);
    StretchBitmap(&From, Thumb.get(), Size.Width, Size.Height, 6);
    return SUCCEEDED(DwmBindings().SetIconicThumbnail(Wnd, Thumb->Handle(), 0));
  };
  if (!Hand(*Source)) return false;
  if (Seam().GetFormImage)
    if (std::unique_ptr<TBitmap> Image = Seam().GetFormImage(Provider)) Hand(*Image);
  RepaintBorderForm(Provider);
  return true;
}

bool SetIconicLivePreview(HWND Wnd, TsProviderLink* Provider) {
  if (!DwmBindings().SetIconicLivePreviewBitmap || !Provider) return false;
  TBitmap* Source = Provider->CacheBitmap();
  if (!Source || Source->Width() <= 0 || Source->Height() <= 0) return false;
  TPictureBit Bit(Provider);
  std::unique_ptr<TBitmap> Image = Seam().GetFormImage ? Seam().GetFormImage(Provider) : nullptr;
  RepaintBorderForm(Provider);
  POINT Offset{0, 0};
  return SUCCEEDED(DwmBindings().SetIconicLivePreviewBitmap(Wnd, (Image ? Image.get() : Source)->Handle(), &Offset, 1));
}

#include "skin/forms/sFormSkinning.h"

#include "skin/engine/sSkinSeam.h"
#include "skin/forms/sSkinProviderUtils.h"
#include "toolkit/graphics/Bitmap.h"

namespace {

TFormSkinningBindings& MutableBindings() {
  static TFormSkinningBindings B;
  return B;
}

}  // namespace

const TFormSkinningBindings& FormSkinningBindings() { return MutableBindings(); }

void InitFormSkinning() {
  TFormSkinningBindings& B = MutableBindings();
  // The program links both libraries: only their entries are looked up.
  if (HMODULE User32 = GetModuleHandleA("user32.dll"))
    B.GetScrollBarInfo = reinterpret_cast<TFormSkinningBindings::TGetScrollBarInfo>(GetProcAddress(User32, "GetScrollBarInfo"));
  if (HMODULE ComCtl32 = GetModuleHandleA("comctl32.dll")) {
    B.InitializeFlatSB = reinterpret_cast<TFormSkinningBindings::TFlatSB>(GetProcAddress(ComCtl32, "InitializeFlatSB"));
    B.UninitializeFlatSB =
        reinterpret_cast<TFormSkinningBindings::TUninitFlatSB>(GetProcAddress(ComCtl32, "UninitializeFlatSB"));
  }
  TsSkinSeam& S = Seam();
  S.GetFormImage = GetFormImage;
  S.UpdateLayeredWnd = [](HWND Wnd, TBitmap* Bmp, int Alpha) { UpdateLayeredWnd(Wnd, Bmp, Alpha); };
  S.HideWindowLayered = HideWindowLayered;
  S.MakeCoverWindow = MakeCoverForm;
  S.DwmCompositionEnabled = BoundDwmCompositionEnabled;
  S.SetIconicLivePreview = [](HWND Wnd, TsProviderLink* Provider) { SetIconicLivePreview(Wnd, Provider); };
  S.SetIconicThumbnail = [](HWND Wnd, TsProviderLink* Provider, int W, int H) { SetIconicThumbnail(Wnd, Provider, W, H); };
  S.CallDwmSetWindowAttribute = CallDwmSetWindowAttribute;
  S.InvalidateIconicBitmaps = InvalidateIconicBitmaps;
}

// The small routines the window adapters share.
#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sCommonData.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinProperties.h"
#include "skin/forms/acSBUtils.h"
#include "skin/forms/sBorderStrips.h"
#include "toolkit/graphics/Colors.h"

HFONT GetSystemNcFont(int Kind) {
  NONCLIENTMETRICSW Metrics{};
  Metrics.cbSize = sizeof(Metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(Metrics), &Metrics, 0)) return nullptr;
  const LOGFONTW* Font = nullptr;
  switch (Kind) {
    case 1: Font = &Metrics.lfCaptionFont; break;
    case 2: Font = &Metrics.lfSmCaptionFont; break;
    case 3: Font = &Metrics.lfMenuFont; break;
    case 4: Font = &Metrics.lfStatusFont; break;
    case 5: Font = &Metrics.lfMessageFont; break;
    default: return nullptr;
  }
  return CreateFontIndirectW(Font);
}

void BroadcastSkinCmd(TWinControl* Control, HWND Wnd, TMessage& Message) {
  if (Control)
    BroadcastToChildren(Control, Message);
  else
    BroadcastToChildWindows(Wnd, Message);
}

bool SectionHasStates(TsCommonData* SkinData) {
  if (!SkinData) return false;
  TsSkinManager* Manager = SkinData->GetSkinManager();
  if (!Manager || SkinData->SkinSection().empty() || !Manager->IsValidMaskIndex(SkinData->BorderIndex)) return false;
  const TsGeneralData* Section = SkinData->Section();
  return Manager->Tables().Masks[SkinData->BorderIndex].ImageCount > 1 || (Section && Section->States >= 2);
}

TColor GetColorProperty(TObject* Obj, const std::string& Name) {
  if (!Obj || !HasProperty(Obj, Name)) return 0;
  return TColor(ColorToRGB(TColor(GetIntProperty(Obj, Name))));
}

void SetColorProperty(TObject* Obj, const std::string& Name, TColor Value) {
  if (Obj && HasProperty(Obj, Name)) SetIntProperty(Obj, Name, int(Value));
}

void NotifyTopParentLoaded(HWND Wnd) {
  HWND Top = Wnd;
  while (HWND Parent = GetParent(Top)) Top = Parent;
  if (Top) SendSkinCmd(Top, SkinCmdControlLoaded, 0);
}

void PaintBorderStrips(TsCommonData* SkinData, int State, TacMainWnd* Adapter) {
  if (!SkinData || !Adapter || Adapter->DlgMode || !SkinData->CacheBmp) return;
  TsSkinManager* Manager = SkinData->GetSkinManager();
  if (!Manager || !Manager->IsValidMaskIndex(SkinData->BorderIndex)) return;
  const TsMaskData& Mask = Manager->Tables().Masks[SkinData->BorderIndex];
  TBitmap* Image = Mask.Bmp ? Mask.Bmp.get() : Manager->MasterBitmap();
  if (!Image) return;
  TsCacheInfo Background;
  GetWindowParentBgInfo(Adapter->CtrlHandle, Background);
  TBorderStrips S;
  S.Cache = BitmapView(*SkinData->CacheBmp);
  S.Mask = &Mask;
  S.Image = BitmapView(*Image);
  S.OwnImage = bool(Mask.Bmp);
  S.State = State;
  S.Background = CacheView(Background);
  PaintBorderStrips(S);
}

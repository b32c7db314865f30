#include "skin/engine/sSectionPaint.h"

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinManager.h"
#include "toolkit/graphics/GdiHandle.h"

namespace {

using TSend = std::function<LRESULT(UINT, WPARAM, LPARAM)>;

// Asks through Send; answers the record's PleaseDraw from before the call, or -1 when answered.
int Ask(TsBackgroundInfo& Info, bool Draw, const TSend& Send) {
  const bool Kept = Info.PleaseDraw;
  Info.BgType = 0;
  Info.PleaseDraw = Draw;
  Send(SM_SKINCMD, SkinCmdWParam(SkinCmdGetBgInfo), reinterpret_cast<LPARAM>(&Info));
  return Info.BgType != 0 ? -1 : Kept;
}

// A receiver that does not answer paints its own background under the child's rectangle.
void PaintItself(TsBackgroundInfo& Info, const TSend& Send) {
  const int Saved = SaveDC(Info.DrawDC);
  SetViewportOrgEx(Info.DrawDC, -Info.Offset.x, -Info.Offset.y, nullptr);
  TRect R = Info.R;
  OffsetRect(&R, Info.Offset.x, Info.Offset.y);
  IntersectClipRect(Info.DrawDC, R.left, R.top, R.right, R.bottom);
  Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(Info.DrawDC), 0);
  Send(WM_PAINT, reinterpret_cast<WPARAM>(Info.DrawDC), 0);
  RestoreDC(Info.DrawDC, Saved);
}

}  // namespace

bool QueryBackgroundByHandle(TsBackgroundInfo& Info, HWND Wnd, bool Draw) {
  const TSend Send = [Wnd](UINT M, WPARAM W, LPARAM L) { return SendMessageA(Wnd, M, W, L); };
  const int Kept = Ask(Info, Draw, Send);
  if (Kept < 0) return true;
  if (Kept) {
    PaintItself(Info, Send);
  } else {
    Info.Color = DefaultManager ? DefaultManager->GetGlobalColor() : clBtnFace;
    Info.BgType = 1;
  }
  return false;
}

bool QueryBackground(TsBackgroundInfo& Info, TControl* Control, bool Draw) {
  auto* Win = dynamic_cast<TWinControl*>(Control);
  const TSend Send = [Control, Win](UINT M, WPARAM W, LPARAM L) {
    return Win && Win->HandleAllocated() ? SendMessageA(Win->WindowHandle(), M, W, L) : Control->Perform(M, W, L);
  };
  const int Kept = Ask(Info, Draw, Send);
  if (Kept < 0) return true;
  if (Kept) {
    PaintItself(Info, Send);
    return false;
  }
  Info.BgType = 1;
  const LRESULT Answer = Send(SM_SKINCMD, SkinCmdWParam(SkinCmdGetColor), 0);
  Info.Color = Answer ? TColor(Answer) : ColorToRGB(Control->Color());
  if (Draw && Info.Bmp) {
    const detail::GdiObject<HBRUSH> Brush(CreateSolidBrush(COLORREF(ColorToRGB(Info.Color))));
    FillRect(Info.DrawDC, &Info.R, Brush.get());
  }
  return false;
}

TsCacheInfo BgInfoToCacheInfo(const TsBackgroundInfo& Info) {
  if (Info.BgType == 2) return NewCacheInfo(Info.Bmp, Info.Offset.x, Info.Offset.y);
  TsCacheInfo C;
  C.X = Info.Offset.x;
  C.Y = Info.Offset.y;
  C.FillColor = ColorToRGB(Info.Color);
  return C;
}

namespace {

TsSkinManager* ManagerOf(TsSkinManager* Manager) { return Manager ? Manager : DefaultManager; }

TPaintSkinSection PureOf(const TSectionPaint& P) {
  TPaintSkinSection Out;
  Out.SkinIndex = P.SkinIndex;
  Out.SectionName = P.SectionName;
  Out.CacheInfo = CacheView(P.CacheInfo);
  Out.State = P.State;
  Out.R = PixelRect(P.R);
  Out.Offset = {int(P.Offset.x), int(P.Offset.y)};
  Out.Bmp = BitmapView(P.Bmp);
  Out.TextureIndex = P.TextureIndex;
  Out.HotTextureIndex = P.HotTextureIndex;
  Out.FillColor = P.FillColor;
  return Out;
}

}  // namespace

TsSkinPictures SkinPictures(const TsSkinManager& Manager) {
  TsSkinPictures Skin;
  Skin.Tables = &Manager.Tables();
  Skin.Master = BitmapView(Manager.MasterBitmap());
  for (const TsMaskData& M : Manager.Tables().Masks) Skin.OwnImages.push_back(BitmapView(M.Bmp.get()));
  for (const TsPatternData& Pt : Manager.Tables().Patterns)
    Skin.PatternImages.push_back(Pt.Img ? Pt.Img->View() : TPixelView{});
  return Skin;
}

void PaintSkinSection(const TSectionPaint& P) {
  if (TsSkinManager* M = ManagerOf(P.Manager)) PaintSkinSection(SkinPictures(*M), PureOf(P));
}

void PaintSkinSectionByIndex(const TSectionPaint& P) {
  if (DefaultManager == nullptr) return;
  PaintSkinSectionByIndex(SkinPictures(*ManagerOf(P.Manager)), PureOf(P));
}

void PaintSection(const TSectionPaint& P) {
  if (TsSkinManager* M = ManagerOf(P.Manager)) PaintSection(SkinPictures(*M), PureOf(P));
}

void PaintSectionItem(const TSectionPaint& P, const TSectionItem& Item) {
  if (TsSkinManager* M = ManagerOf(P.Manager)) PaintSectionItem(SkinPictures(*M), PureOf(P), Item);
}

void PaintSectionToDC(const TSectionPaint& P, HDC DC) {
  const int W = P.R.right - P.R.left, H = P.R.bottom - P.R.top;
  if (P.Offset.x < 0 || P.Offset.y < 0 || W <= 0 || H <= 0) return;
  const int Saved = SaveDC(DC);
  const auto Bmp = NewBitmap32(W, H);
  TSectionPaint Local = P;
  Local.Bmp = Bmp.get();
  Local.R = Rect(0, 0, W, H);
  Local.Offset = {P.R.left, P.R.top};
  PaintSection(Local);
  BitBlt(DC, P.Offset.x, P.Offset.y, W, H, Bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
  RestoreDC(DC, Saved);
}

int PaintSectionByName(TBitmap* Bmp, const std::string& SectionName, const std::string& FallBackName, TColor Color,
                       HDC ParentDC, TPoint ParentPt, TsSkinManager* Manager, int State) {
  TsSkinManager* M = ManagerOf(Manager);
  if (M == nullptr || Bmp == nullptr || Bmp->Empty()) return -1;
  std::string Name = SectionName;
  int Index = M->GetSkinIndex(Name);
  if (Index < 0 && !FallBackName.empty()) Index = M->GetSkinIndex(Name = FallBackName);
  if (Index < 0) return -1;
  TSectionPaint P;
  P.SkinIndex = Index;
  P.SectionName = Name;
  P.State = State;
  P.R = Rect(0, 0, Bmp->Width(), Bmp->Height());
  P.Bmp = Bmp;
  P.Manager = M;
  if (ParentDC) {
    BitBlt(Bmp->Canvas()->Handle(), 0, 0, Bmp->Width(), Bmp->Height(), ParentDC, ParentPt.x, ParentPt.y, SRCCOPY);
    P.CacheInfo = NewCacheInfo(Bmp, 0, 0);
  } else {
    P.CacheInfo.FillColor = TColor(ColorToRGB(Color));
  }
  PaintSection(P);
  return Index;
}

void DrawSkinPiece(const TSectionPaint& P, int MaskIndex) {
  if (TsSkinManager* M = ManagerOf(P.Manager)) DrawSkinPiece(SkinPictures(*M), PureOf(P), MaskIndex);
}

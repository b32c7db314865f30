#include "skin/engine/acAlphaImageList.h"

#include "skin/engine/acAlphaIconPixels.h"
#include "skin/engine/acPNG.h"
#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinResize.h"
#include "skin/engine/sSkinPixels.h"
#include "skin/engine/sSkinUtils.h"
#include "toolkit/graphics/GdiHandle.h"

namespace {

// Sets a flag for the life of the object, also when an error leaves early.
class TFlagGuard {
 public:
  explicit TFlagGuard(bool& Flag) : FFlag(Flag) { FFlag = true; }
  ~TFlagGuard() { FFlag = false; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

 private:
  bool& FFlag;
};

struct TBitmapHandleDeleter {
  void operator()(HBITMAP Bmp) const {
    if (Bmp) DeleteObject(Bmp);
  }
};
using TBitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, TBitmapHandleDeleter>;

// An icon of a 32-bit colour bitmap and a mask; both stay the caller's.
std::unique_ptr<TIcon> NewIcon(HBITMAP Colour, HBITMAP Mask) {
  ICONINFO ii{};
  ii.fIcon = TRUE;
  ii.hbmColor = Colour;
  ii.hbmMask = Mask;
  HICON handle = CreateIconIndirect(&ii);
  if (!handle) throw EOutOfResources("Cannot make the icon");
  auto icon = std::make_unique<TIcon>();
  icon->SetHandle(handle);
  return icon;
}

// The colour part of an icon as a 32-bit bitmap (its mask is released).
std::unique_ptr<TBitmap> IconColour(HICON Icon) {
  ICONINFO ii{};
  if (!Icon || !GetIconInfo(Icon, &ii)) return nullptr;
  TBitmapHandle mask(ii.hbmMask);
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetHandle(ii.hbmColor);
  bmp->SetPixelFormat(pf32bit);
  return bmp;
}

std::unique_ptr<TBitmap> CopyOf(TBitmap& Source) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->Assign(&Source);
  return bmp;
}

}  // namespace

TsImgListItem::TsImgListItem(TCollection* Collection)
    : TCollectionItem(Collection), ImgData(std::make_unique<TMemoryStream>()) {}

TsImgListItem::~TsImgListItem() = default;

void TsImgListItem::Assign(TPersistent* Source) {
  auto* item = dynamic_cast<TsImgListItem*>(Source);
  if (!item) {
    TCollectionItem::Assign(Source);
    return;
  }
  ImageFormat = item->ImageFormat;
  PixelFormat = item->PixelFormat;
  ImageWidth = item->ImageWidth;
  ImageHeight = item->ImageHeight;
  ImgData->Clear();
  item->ImgData->SetPosition(0);
  ImgData->LoadFromStream(item->ImgData.get());
}

void TsImgListItem::AssignTo(TPersistent* Dest) {
  if (auto* item = dynamic_cast<TsImgListItem*>(Dest)) {
    item->Assign(this);
    return;
  }
  TCollectionItem::AssignTo(Dest);
}

TsImgListItems::TsImgListItems(TsAlphaImageList* AOwner)
    : TCollection(NewCollectionItem<TsImgListItem>), FOwner(AOwner) {}

TsImgListItems::~TsImgListItems() { FOwner = nullptr; }

TPersistent* TsImgListItems::GetOwner() const { return FOwner; }

TsAlphaImageList::TsAlphaImageList(TComponent* AOwner)
    : TImageList(AOwner), FItems(std::make_unique<TsImgListItems>(this)) {
  AfterConstruction();
}

TsAlphaImageList::~TsAlphaImageList() = default;

void TsAlphaImageList::AfterConstruction() {
  if (ComponentState() & csLoading) return;
  if (!HandleAllocated()) CreateImageList();
  if (!Generated) GenerateStdList();
}

void TsAlphaImageList::Loaded() {
  TImageList::Loaded();
  if (!HandleAllocated()) CreateImageList();
  if (!Generated) {
    GenerateStdList();
    Generated = true;
  }
}

void TsAlphaImageList::CreateImageList() {
  HIMAGELIST list = ImageList_Create(Width(), Height(), ILC_COLOR32 | (Masked() ? ILC_MASK : 0), 0, AllocBy());
  if (!list) throw EOutOfResources("Cannot create the image list");
  SetHandle(list);
}

void TsAlphaImageList::ResetHandle() { SetHandle(nullptr); }

bool TsAlphaImageList::ItemsUsed() const { return KeepOriginals || (ComponentState() & csDesigning); }

TColor TsAlphaImageList::BkColor() const { return FBkColor != clNone ? FBkColor : TImageList::BkColor(); }

void TsAlphaImageList::SetBkColor(TColor Value) {
  FBkColor = Value;
  TImageList::SetBkColor(Value);
}

void TsAlphaImageList::Assign(TPersistent* Source) {
  if (auto* list = dynamic_cast<TsAlphaImageList*>(Source)) {
    CopyFrom(*list, true);
    return;
  }
  TImageList::Assign(Source);
}

void TsAlphaImageList::AssignTo(TPersistent* Dest) {
  if (auto* list = dynamic_cast<TsAlphaImageList*>(Dest)) {
    list->CopyFrom(*this, false);
    return;
  }
  TImageList::AssignTo(Dest);
}

void TsAlphaImageList::CopyFrom(TsAlphaImageList& Source, bool ClearFirst) {
  {
    TFlagGuard updating(Updating);
    if (ClearFirst) Clear();
    SetMasked(Source.Masked());
    SetImageType(Source.ImageType());
    SetDrawingStyle(Source.DrawingStyle());
    SetShareImages(Source.ShareImages());
    SetBlendColor(Source.BlendColor());
    int w = Source.Width(), h = Source.Height();
    if (Source.HandleAllocated()) ImageList_GetIconSize(Source.Handle(), &w, &h);
    if (!ClearFirst) Clear();
    SetWidth(w);
    SetHeight(h);
    ResetHandle();
    CreateImageList();
    const COLORREF bk = Source.HandleAllocated() ? ImageList_GetBkColor(Source.Handle()) : CLR_NONE;
    SetBkColor(bk == CLR_NONE ? clNone : bk == CLR_DEFAULT ? clDefault : TColor(bk));
    CopyImages(Source);
  }
}

void TsAlphaImageList::CopyImages(TsAlphaImageList& Source) {
  if (!HandleAllocated()) return;
  TFlagGuard updating(Updating);
  if (Source.HandleAllocated()) ImageList_SetBkColor(Source.Handle(), CLR_NONE);
  if (ItemsUsed()) {
    FItems->Clear();
    for (int i = 0; i < Source.Items()->Count(); ++i) FItems->Add()->Assign(Source.Items()->Items(i));
    GenerateStdList();
    return;
  }
  Clear();
  for (int i = 0; i < Source.Count(); ++i) {
    TIcon icon;
    Source.GetIcon(i, &icon, dsTransparent, itImage);
    AddIcon(&icon);
  }
}

void TsAlphaImageList::AddPngIcon(TsImgListItem& Item) {
  TPNGGraphic png;
  Item.ImgData->SetPosition(0);
  png.LoadFromStream(Item.ImgData.get());
  Item.ImageWidth = png.Width();
  Item.ImageHeight = png.Height();
  if (png.PixelFormat() != pf32bit) {
    png.SetPixelFormat(pf32bit);
    SetAlphaExceptKey(BitmapView(png), ColorToBGRA(clFuchsia));
  }
  const std::vector<uint8_t> bits = AlphaMaskBits(BitmapView(png));
  TBitmapHandle mask(CreateBitmap(png.Width(), png.Height(), 1, 1, bits.data()));
  AddIcon(NewIcon(png.Handle(), mask.get()).get());
}

void TsAlphaImageList::GenerateStdList() {
  if (!HandleAllocated()) return;
  {
    TFlagGuard updating(Updating);
    ImageList_Remove(Handle(), -1);
    for (int i = 0; i < FItems->Count(); ++i) {
      TsImgListItem& item = *FItems->Items(i);
      if (item.ImageFormat == ifPNG) {
        AddPngIcon(item);
      } else {
        TIcon icon;
        item.ImgData->SetPosition(0);
        icon.LoadFromStream(item.ImgData.get());
        item.ImageWidth = icon.Width();
        item.ImageHeight = icon.Height();
        AddIcon(&icon);
      }
    }
    if (FItems->Count() > 0) {
      Generated = true;
      if (!ItemsUsed()) FItems->Clear();
    }
  }
}

void TsAlphaImageList::Change() {
  if (Updating || !HandleAllocated() || (ComponentState() & csLoading) || !Generated) return;
  const int images = Count(), items = FItems->Count();
  const bool designing = ComponentState() & csDesigning;
  if (!ItemsUsed() || images > items || designing) TImageList::Change();
  if (designing) return;
  if (ItemsUsed() && images < items) {
    {
      TFlagGuard updating(Updating);
      GenerateStdList();
    }
    TImageList::Change();
  } else if (!ItemsUsed() || images > items) {
    KeyAddedImages();
  }
}

void TsAlphaImageList::KeyAddedImages() {
  TFlagGuard updating(Updating);
  for (int i = 0; i < Count(); ++i) {
    detail::IconHandle icon(ImageList_GetIcon(Handle(), i, ILD_NORMAL));
    ICONINFO ii{};
    if (!icon || !GetIconInfo(icon.get(), &ii)) continue;
    TBitmapHandle mask(ii.hbmMask);
    TBitmap colour;
    colour.SetHandle(ii.hbmColor);
    colour.SetPixelFormat(pf32bit);
    const TPixelView view = BitmapView(colour);
    if (HasAlpha(view)) continue;
    SetAlphaExceptKey(view, ColorToBGRA(EngineKeyColor));
    ImageList_ReplaceIcon(Handle(), i, NewIcon(colour.Handle(), mask.get())->Handle());
  }
}

void TsAlphaImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT, bool) {
  if (!HandleAllocated() || Index < 0) return;
  if (!PngItem(Index)) {
    ImageList_SetBkColor(Handle(), CLR_NONE);
    TIcon icon;
    GetIcon(Index, &icon, dsTransparent, itImage);
    if (!icon.Empty()) DrawIconEx(Canvas->Handle(), X, Y, icon.Handle(), Width(), Height(), 0, nullptr, DI_NORMAL);
    return;
  }
  std::unique_ptr<TBitmap> image = CreateBitmap32(Index, Width(), Height());
  if (!image) return;
  std::unique_ptr<TBitmap> work = NewBitmap32(Width(), Height());
  BitBlt(work->Canvas()->Handle(), 0, 0, Width(), Height(), Canvas->Handle(), X, Y, SRCCOPY);
  TStretchDrawAlpha draw;
  draw.Dst = BitmapView(*work);
  draw.Src = BitmapView(*image);
  draw.DstRect = {0, 0, Width(), Height()};
  draw.SrcRect = {0, 0, draw.Src.Width, draw.Src.Height};
  draw.Background = CacheView(NewCacheInfo(work.get(), 0, 0));
  StretchDrawAlpha(draw);
  BitBlt(Canvas->Handle(), X, Y, Width(), Height(), work->Canvas()->Handle(), 0, 0, SRCCOPY);
}

bool TsAlphaImageList::PngItem(int Index) const {
  if (!ItemsUsed() || Index >= FItems->Count()) return false;
  const TsImgListItem& item = *FItems->Items(Index);
  return item.ImageFormat == ifPNG && item.ImgData->Size() > 0;
}

std::unique_ptr<TBitmap> TsAlphaImageList::CreateBitmap32(int Index, int AWidth, int AHeight) {
  if (!HandleAllocated() || Index < 0 || Index >= Count()) return nullptr;
  if (!PngItem(Index)) {
    detail::IconHandle icon(ImageList_GetIcon(Handle(), Index, ILD_NORMAL));
    std::unique_ptr<TBitmap> bmp = IconColour(icon.get());
    if (bmp) bmp->SetSize(AWidth, AHeight);
    return bmp;
  }
  TsImgListItem& item = *FItems->Items(Index);
  if (item.CacheBitmap && item.CacheBitmap->Width() == AWidth && item.CacheBitmap->Height() == AHeight)
    return CopyOf(*item.CacheBitmap);
  item.CacheBitmap.reset();
  TPNGGraphic png;
  item.ImgData->SetPosition(0);
  png.LoadFromStream(item.ImgData.get());
  if (png.PixelFormat() != pf32bit) {
    png.SetPixelFormat(pf32bit);
    AddAlphaFromKey(BitmapView(png));
  }
  std::unique_ptr<TBitmap> result;
  if (item.ImageWidth == Width() && item.ImageHeight == Height()) {
    result = CopyOf(png);
  } else {
    result = std::make_unique<TBitmap>();
    result->SetPixelFormat(pf32bit);
    result->SetSize(AWidth, AHeight);
    const TPixelView src = BitmapView(png);
    StretchPart(src, src.BoundsRect(), BitmapView(*result), 6);
  }
  item.CacheBitmap = CopyOf(*result);
  return result;
}

bool TsAlphaImageList::GetBitmap32(int Index, TBitmap* Bmp) {
  if (!Bmp) return false;
  std::unique_ptr<TBitmap> result = CreateBitmap32(Index, Bmp->Width(), Bmp->Height());
  if (!result) return false;
  Bmp->Assign(result.get());
  return true;
}

void TsAlphaImageList::GetPublishedProperties(TPropList& List) const {
  TImageList::GetPublishedProperties(List);
  using L = TsAlphaImageList;
  static const TPropInfo props[] = {
      OrdProperty<L>("BkColor", &L::BkColor, &L::SetBkColor),
      ObjProperty<L>("Items", &L::Items, &L::SetItems),
  };
  // The own BkColor replaces the inherited entry.
  for (const TPropInfo*& p : List)
    if (p->Name == "BkColor") p = &props[0];
  List.push_back(&props[1]);
}

TSize DrawAlphaImageListItem(TBitmap* DestBmp, const TImageListItemDraw& D) {
  TCustomImageList* list = D.ImgList;
  if (!DestBmp || DestBmp->Width() == 0 || !list || !list->HandleAllocated()) return {0, 0};
  const int count = D.StateCount < 1 ? 1 : D.StateCount;
  const int state = D.State >= count ? count - 1 : D.State;
  const int w = list->Width() / count, h = list->Height();
  const TPixelRect dstRect{D.X, D.Y, D.X + w, D.Y + h}, srcRect{w * state, 0, w * state + w, h};
  if (auto* alpha = dynamic_cast<TsAlphaImageList*>(list)) {
    std::unique_ptr<TBitmap> image = alpha->CreateBitmap32(D.ImageIndex, list->Width(), h);
    if (image) {
      TStretchDrawAlpha draw;
      draw.Dst = BitmapView(*DestBmp);
      draw.Src = BitmapView(*image);
      draw.DstRect = dstRect;
      draw.SrcRect = srcRect;
      draw.BlendPercent = D.Blend;
      draw.Tint = D.Color;
      draw.Reflected = D.Reflected;
      StretchDrawAlpha(draw);
    }
  } else {
    // The plain list draws through its masks onto a copy of what lies under the glyph.
    std::unique_ptr<TBitmap> work = NewBitmap32(list->Width(), h);
    HDC dst = DestBmp->Canvas()->Handle(), tmp = work->Canvas()->Handle();
    BitBlt(tmp, srcRect.Left, 0, w, h, dst, D.X, D.Y, SRCCOPY);
    list->Draw(work->Canvas(), 0, 0, D.ImageIndex, true);
    BitBlt(dst, D.X, D.Y, w, h, tmp, srcRect.Left, 0, SRCCOPY);
  }
  return {w, h};
}

void DrawAlphaImageListItemToDC(HDC DC, const TImageListItemDraw& D) {
  if (!D.ImgList) return;
  const int w = D.ImgList->Width(), h = D.ImgList->Height() + (D.Reflected ? D.ImgList->Height() / 2 : 0);
  std::unique_ptr<TBitmap> work = NewBitmap32(w, h);
  HDC tmp = work->Canvas()->Handle();
  BitBlt(tmp, 0, 0, w, h, DC, D.X, D.Y, SRCCOPY);
  TImageListItemDraw at = D;
  at.X = 0, at.Y = 0;
  DrawAlphaImageListItem(work.get(), at);
  BitBlt(DC, D.X, D.Y, w, h, tmp, 0, 0, SRCCOPY);
}

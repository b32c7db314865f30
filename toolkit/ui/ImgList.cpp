#include "toolkit/ui/ImgList.h"

#include "toolkit/rtl/Exceptions.h"

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

namespace {

COLORREF SystemColor(TColor Value) {
  if (Value == clNone) return CLR_NONE;
  if (Value == clDefault) return CLR_DEFAULT;
  return static_cast<COLORREF>(ColorToRGB(Value));
}

}  // namespace

TCustomImageList::~TCustomImageList() { FreeHandle(); }

void TCustomImageList::FreeHandle() {
  if (handle_ && !shareImages_) ImageList_Destroy(handle_);
  handle_ = nullptr;
}

void TCustomImageList::CreateImageList() {
  HIMAGELIST list = ImageList_Create(width_, height_, ILC_COLOR32 | (masked_ ? ILC_MASK : 0), allocBy_, allocBy_);
  if (!list) throw EOutOfResources("Cannot create the image list");
  SetHandle(list);
}

HIMAGELIST TCustomImageList::Handle() {
  if (!handle_) CreateImageList();
  return handle_;
}

void TCustomImageList::SetHandle(HIMAGELIST Value) {
  if (Value == handle_) return;
  FreeHandle();
  handle_ = Value;
  if (handle_) {
    ImageList_GetIconSize(handle_, &width_, &height_);
    ImageList_SetBkColor(handle_, SystemColor(bkColor_));
  }
  Change();
}

int TCustomImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

void TCustomImageList::Recreate() {
  // A new size empties the list, as the images no longer fit.
  if (handle_) ImageList_SetIconSize(handle_, width_, height_);
  Change();
}

void TCustomImageList::SetMasked(bool Value) {
  if (masked_ == Value) return;
  masked_ = Value;
  if (!handle_) return;
  // Another kind of list starts empty.
  FreeHandle();
  CreateImageList();
}

void TCustomImageList::SetWidth(int Value) {
  if (width_ == Value) return;
  width_ = Value;
  Recreate();
}

void TCustomImageList::SetHeight(int Value) {
  if (height_ == Value) return;
  height_ = Value;
  Recreate();
}

void TCustomImageList::SetBkColor(TColor Value) {
  bkColor_ = Value;
  if (handle_) ImageList_SetBkColor(handle_, SystemColor(Value));
  Change();
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  if (!Image) return -1;
  const int index = ImageList_Add(Handle(), Image->Handle(), Mask ? Mask->Handle() : nullptr);
  if (index < 0) throw EInvalidOperation("Cannot add the image to the image list");
  Change();
  return index;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!Image) return -1;
  // The system blackens the masked pixels of the bitmap it is given: give it a copy.
  TBitmap copy;
  copy.Assign(Image);
  const int index = ImageList_AddMasked(Handle(), copy.Handle(), static_cast<COLORREF>(ColorToRGB(MaskColor)));
  if (index < 0) throw EInvalidOperation("Cannot add the image to the image list");
  Change();
  return index;
}

int TCustomImageList::AddIcon(TIcon* Image) {
  if (!Image) return -1;
  const int index = ImageList_AddIcon(Handle(), Image->Handle());
  if (index < 0) throw EInvalidOperation("Cannot add the icon to the image list");
  Change();
  return index;
}

void TCustomImageList::ReplaceIcon(int Index, TIcon* Image) {
  if (!Image) return;
  if (ImageList_ReplaceIcon(Handle(), Index, Image->Handle()) < 0)
    throw EInvalidOperation("Cannot replace the icon of the image list");
  Change();
}

void TCustomImageList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation("Image list index out of bounds");
  ImageList_Remove(handle_, Index);
  Change();
}

void TCustomImageList::Clear() {
  if (handle_) ImageList_Remove(handle_, -1);
  Change();
}

namespace {

UINT DrawStyleFlags(TDrawingStyle ADrawingStyle, TImageType AImageType) {
  static const UINT styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  return styles[ADrawingStyle] | (AImageType == itMask ? ILD_MASK : 0);
}

}  // namespace

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  if (!Canvas || Index < 0 || Index >= Count()) return;
  DoDraw(Index, Canvas, X, Y, DrawStyleFlags(drawingStyle_, imageType_), Enabled);
}

void TCustomImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) {
  if (!handle_) return;
  // Images are drawn through their masks whatever the list's background colour.
  const UINT style = Style | ILD_TRANSPARENT | (Enabled ? 0 : ILD_BLEND50);
  ImageList_DrawEx(handle_, Index, Canvas->Handle(), X, Y, 0, 0, CLR_NONE, Enabled ? SystemColor(blendColor_) : CLR_DEFAULT,
                   style);
}

void TCustomImageList::GetIcon(int Index, TIcon* Image) { GetIcon(Index, Image, dsNormal, itImage); }

void TCustomImageList::GetIcon(int Index, TIcon* Image, TDrawingStyle ADrawingStyle, TImageType AImageType) {
  if (!Image || Index < 0 || Index >= Count()) return;
  Image->SetHandle(ImageList_GetIcon(handle_, Index, DrawStyleFlags(ADrawingStyle, AImageType)));
}

void TCustomImageList::GetBitmap(int Index, TBitmap* Image) {
  if (!Image || Index < 0 || Index >= Count()) return;
  Image->SetSize(width_, height_);
  TCanvas* canvas = Image->Canvas();
  canvas->Brush()->SetColor(bkColor_ == clNone ? clWindow : bkColor_);
  canvas->FillRect(Rect(0, 0, width_, height_));
  ImageList_Draw(handle_, Index, canvas->Handle(), 0, 0, ILD_TRANSPARENT);
}

void TCustomImageList::Change() {
  if (OnChange) OnChange(this);
}

void TCustomImageList::CopyFrom(TCustomImageList& Source) {
  masked_ = Source.masked_;
  imageType_ = Source.imageType_;
  drawingStyle_ = Source.drawingStyle_;
  shareImages_ = Source.shareImages_;
  blendColor_ = Source.blendColor_;
  bkColor_ = Source.bkColor_;
  width_ = Source.width_;
  height_ = Source.height_;
  // A copy of the source's system list with its images; sharing applies to lists handed over.
  FreeHandle();
  HIMAGELIST copy = Source.handle_ ? ImageList_Duplicate(Source.handle_) : nullptr;
  if (copy) {
    const bool share = shareImages_;
    shareImages_ = false;
    SetHandle(copy);
    shareImages_ = share;
  } else {
    Change();
  }
}

void TCustomImageList::Assign(TPersistent* Source) {
  if (auto* list = dynamic_cast<TCustomImageList*>(Source)) {
    CopyFrom(*list);
    return;
  }
  TComponent::Assign(Source);
}

void TCustomImageList::AssignTo(TPersistent* Dest) {
  if (auto* list = dynamic_cast<TCustomImageList*>(Dest)) {
    list->CopyFrom(*this);
    return;
  }
  TComponent::AssignTo(Dest);
}

void TCustomImageList::GetPublishedProperties(TPropList& List) const {
  TComponent::GetPublishedProperties(List);
  using L = TCustomImageList;
  static const TPropInfo props[] = {
      OrdProperty<L>("AllocBy", &L::AllocBy, &L::SetAllocBy),
      OrdProperty<L>("BlendColor", &L::BlendColor, &L::SetBlendColor),
      OrdProperty<L>("BkColor", &L::BkColor, &L::SetBkColor),
      OrdProperty<L>("DrawingStyle", &L::DrawingStyle, &L::SetDrawingStyle,
                     {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"}),
      OrdProperty<L>("Height", &L::Height, &L::SetHeight),
      OrdProperty<L>("ImageType", &L::ImageType, &L::SetImageType, {"itImage", "itMask"}),
      BoolProperty<L>("Masked", &L::Masked, &L::SetMasked),
      BoolProperty<L>("ShareImages", &L::ShareImages, &L::SetShareImages),
      OrdProperty<L>("Width", &L::Width, &L::SetWidth),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

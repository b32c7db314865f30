#include "toolkit/ui/ImgList.h"

#include "toolkit/rtl/Exceptions.h"

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() {
  if (handle_) ImageList_Destroy(handle_);
}

HIMAGELIST TCustomImageList::Handle() {
  if (!handle_) {
    handle_ = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
    if (!handle_) throw EOutOfResources("Cannot create the image list");
    ImageList_SetBkColor(handle_, bkColor_ == clNone ? CLR_NONE : static_cast<COLORREF>(ColorToRGB(bkColor_)));
  }
  return handle_;
}

int TCustomImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

void TCustomImageList::Recreate() {
  // A new size empties the list, as the images no longer fit.
  if (handle_) ImageList_Destroy(handle_);
  handle_ = nullptr;
  Change();
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
  if (handle_) ImageList_SetBkColor(handle_, Value == clNone ? CLR_NONE : static_cast<COLORREF>(ColorToRGB(Value)));
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

void TCustomImageList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation("Image list index out of bounds");
  ImageList_Remove(handle_, Index);
  Change();
}

void TCustomImageList::Clear() {
  if (handle_) ImageList_Remove(handle_, -1);
  Change();
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  if (Index < 0 || Index >= Count()) return;
  const UINT style = ILD_TRANSPARENT | (Enabled ? 0 : ILD_BLEND50);
  ImageList_DrawEx(handle_, Index, Canvas->Handle(), X, Y, 0, 0, CLR_NONE, Enabled ? CLR_NONE : CLR_DEFAULT, style);
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

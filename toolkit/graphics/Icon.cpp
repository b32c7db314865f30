#include "toolkit/graphics/Icon.h"

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/IcoFormat.h"
#include "toolkit/rtl/Classes.h"

TIcon::TIcon() : FWidth(GetSystemMetrics(SM_CXICON)), FHeight(GetSystemMetrics(SM_CYICON)) {
  SetTransparent(true);
  SetModified(false);
}

void TIcon::TakeHandle(HICON Value) {
  FHandle.reset(Value);
  ICONINFO ii{};
  if (Value && GetIconInfo(Value, &ii)) {
    detail::GdiObject<HBITMAP> color(ii.hbmColor), mask(ii.hbmMask);
    BITMAP bm{};
    GetObjectA(ii.hbmMask, sizeof(bm), &bm);
    FWidth = bm.bmWidth;
    FHeight = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;  // a monochrome mask holds both halves
  }
}

void TIcon::SetHandle(HICON Value) {
  FData.clear();
  TakeHandle(Value);
  Changed();
}

HICON TIcon::ReleaseHandle() {
  FData.clear();
  HICON h = FHandle.release();
  Changed();
  return h;
}

void TIcon::SetWidth(int Value) {
  if (Value == FWidth) return;
  if (FHandle) throw EInvalidGraphicOperation("Cannot change the size of an icon");
  FWidth = Value;
}

void TIcon::SetHeight(int Value) {
  if (Value == FHeight) return;
  if (FHandle) throw EInvalidGraphicOperation("Cannot change the size of an icon");
  FHeight = Value;
}

void TIcon::Assign(const TIcon* Source) {
  if (Source == this) return;
  FData = Source ? Source->FData : std::vector<std::uint8_t>{};
  TakeHandle(Source && Source->FHandle ? CopyIcon(Source->FHandle.get()) : nullptr);
  if (Source && !Source->FHandle) {
    FWidth = Source->FWidth;
    FHeight = Source->FHeight;
  }
  Changed();
}

std::unique_ptr<TGraphic> TIcon::Clone() const {
  auto copy = std::make_unique<TIcon>();
  copy->Assign(this);
  return copy;
}

void TIcon::LoadFromStream(TStream* Stream) {
  const std::int64_t left = Stream->Size() - Stream->Position();
  std::vector<std::uint8_t> data(static_cast<std::size_t>(left > 0 ? left : 0));
  Stream->ReadBuffer(data.data(), static_cast<std::int64_t>(data.size()));
  std::vector<detail::IconEntry> entries;
  if (!detail::ReadIconDirectory(data.data(), data.size(), entries)) throw EInvalidGraphic("Icon image is not valid");
  const detail::IconEntry& e = entries[detail::BestIconEntry(entries, FWidth, FHeight)];
  HICON h = CreateIconFromResourceEx(data.data() + e.Offset, static_cast<DWORD>(e.Size), TRUE, 0x00030000, e.Width,
                                     e.Height, LR_DEFAULTCOLOR);
  if (!h) throw EInvalidGraphic("Icon image is not valid");
  TakeHandle(h);
  FData = std::move(data);
  Changed();
}

void TIcon::SaveToStream(TStream* Stream) {
  if (FData.empty() && FHandle) {
    ICONINFO ii{};
    if (!GetIconInfo(FHandle.get(), &ii)) throw EInvalidGraphic("Icon image is not valid");
    TBitmap mask, color;
    mask.SetHandle(ii.hbmMask);
    mask.SetPixelFormat(pf1bit);
    color.SetPixelFormat(pf32bit);
    if (ii.hbmColor) {
      color.SetHandle(ii.hbmColor);
      color.SetPixelFormat(pf32bit);
    } else {
      // Monochrome: the mask's top half is the mask, its bottom half the black and white image.
      color.SetSize(FWidth, FHeight);
      color.Canvas()->CopyRect(Rect(0, 0, FWidth, FHeight), mask.Canvas(), Rect(0, FHeight, FWidth, 2 * FHeight));
      mask.SetHeight(FHeight);
    }
    detail::DibImage colorImage, maskImage;
    colorImage.Width = maskImage.Width = FWidth;
    colorImage.Height = maskImage.Height = FHeight;
    colorImage.BitCount = 32;
    maskImage.BitCount = 1;
    for (int y = FHeight - 1; y >= 0; --y) {
      auto* c = static_cast<std::uint8_t*>(color.ScanLine(y));
      auto* m = static_cast<std::uint8_t*>(mask.ScanLine(y));
      colorImage.Bits.insert(colorImage.Bits.end(), c, c + detail::DibStride(FWidth, 32));
      maskImage.Bits.insert(maskImage.Bits.end(), m, m + detail::DibStride(FWidth, 1));
    }
    FData = detail::WriteIcon(colorImage, maskImage);
  }
  Stream->WriteBuffer(FData.data(), static_cast<std::int64_t>(FData.size()));
}

void TIcon::Draw(TCanvas& ACanvas, const TRect& Rect) {
  if (!FHandle) return;
  DrawIconEx(ACanvas.Handle(), Rect.left, Rect.top, FHandle.get(), Rect.right - Rect.left, Rect.bottom - Rect.top, 0,
             nullptr, DI_NORMAL);
}

#include "widgets/Bitmap32.h"

#include "toolkit/graphics/Colors.h"
#include "toolkit/graphics/Picture.h"
#include "widgets/Bitmap32_StoredData.h"
#include "widgets/Bitmap32_LowLevel.h"

#include <cstring>
#include <vector>

namespace {

// Lock counts of every bitmap are kept under one lock.
std::mutex& GlobalLock() {
  static std::mutex Lock;
  return Lock;
}

// A canvas on a bitmap's DC; drawing on it is a change of the bitmap.
class TBitmap32Canvas : public TCanvas {
 public:
  explicit TBitmap32Canvas(TBitmap32& Owner) : FOwner(Owner) {}

 protected:
  void CreateHandle() override { SetHandle(FOwner.DC()); }

 private:
  TBitmap32& FOwner;
};

std::vector<uint8_t> ReadRest(TStream* Stream) {
  std::vector<uint8_t> Data(size_t(std::max<int64_t>(0, Stream->Size() - Stream->Position())));
  Stream->ReadBuffer(Data.data(), int64_t(Data.size()));
  return Data;
}

}  // namespace

// ---- TThreadPersistent

void TThreadPersistent::EndUpdate() {
  if (FUpdateCount < 1) throw EInvalidOperation("Unpaired TThreadPersistent.EndUpdate");
  --FUpdateCount;
}

void TThreadPersistent::Changed() {
  if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TThreadPersistent::Lock() {
  {
    std::lock_guard<std::mutex> Guard(GlobalLock());
    ++FLockCount;
  }
  FLock.lock();
}

void TThreadPersistent::Unlock() {
  FLock.unlock();
  std::lock_guard<std::mutex> Guard(GlobalLock());
  --FLockCount;
}

int TThreadPersistent::LockCount() const {
  std::lock_guard<std::mutex> Guard(GlobalLock());
  return FLockCount;
}

// ---- TCustomMap

void TCustomMap::SetSize(int NewWidth, int NewHeight) {
  if (NewWidth <= 0 || NewHeight <= 0) NewWidth = NewHeight = 0;
  if (NewWidth == FWidth && NewHeight == FHeight) return;
  ChangeSize(NewWidth, NewHeight);
  Changed();
  Resized();
}

void TCustomMap::ChangeSize(int NewWidth, int NewHeight) {
  FWidth = NewWidth;
  FHeight = NewHeight;
}

void TCustomMap::Resized() {
  if (OnResize) OnResize(this);
}

// ---- TBitmap32

TBitmap32::TBitmap32() : FFont(std::make_unique<TFont>()) {
  BITMAPINFOHEADER& H = FBitmapInfo.bmiHeader;
  H.biSize = sizeof(BITMAPINFOHEADER);
  H.biPlanes = 1;
  H.biBitCount = 32;
  H.biCompression = BI_RGB;
  FFont->OnChange = [this](TGraphicsObject*) {
    if (FFontSelected) UpdateFont();
  };
}

TBitmap32::~TBitmap32() {
  Lock();
  BeginUpdate();
  FCanvas.reset();  // lets go of the DC first
  DeselectFont();
  FDC.reset();
  FHandle.reset();
  Unlock();
}

void TBitmap32::DeselectFont() {
  if (FFontSelected && FDC) SelectObject(FDC.get(), GetStockObject(SYSTEM_FONT));
  FFontSelected = false;
}

void TBitmap32::UpdateFont() {
  if (!FDC) return;
  SelectObject(FDC.get(), FFont->Handle());
  FFontSelected = true;
}

void TBitmap32::ChangeSize(int NewWidth, int NewHeight) {
  DeselectFont();
  FDC.reset();
  FHandle.reset();
  FBits = nullptr;
  FWidth = FHeight = 0;
  if (NewWidth >= 1 && NewHeight >= 1) {
    FBitmapInfo.bmiHeader.biWidth = NewWidth;
    FBitmapInfo.bmiHeader.biHeight = -NewHeight;  // rows top-down
    void* Bits = nullptr;
    detail::GdiObject<HBITMAP> Handle(CreateDIBSection(nullptr, &FBitmapInfo, DIB_RGB_COLORS, &Bits, nullptr, 0));
    if (!Handle || !Bits) throw Exception("Can't allocate the DIB handle");
    detail::MemoryDc DC(CreateCompatibleDC(nullptr));
    if (!DC) throw Exception("Can't create compatible DC");
    if (!SelectObject(DC.get(), Handle.get())) throw Exception("Can't select an object into DC");
    FHandle = std::move(Handle);
    FDC = std::move(DC);
    FBits = static_cast<TColor32*>(Bits);
    FWidth = NewWidth;
    FHeight = NewHeight;
  }
  HandleChanged();
}

void TBitmap32::HandleChanged() {
  if (FCanvas) FCanvas->SetHandle(FDC.get());
  if (OnHandleChanged) OnHandleChanged(this);
}

TCanvas* TBitmap32::Canvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TBitmap32Canvas>(*this);
    FCanvas->OnChange = [this](TGraphicsObject*) {
      GdiFlush();  // GDI's drawing is in the pixels before anyone reads them
      Changed();
    };
  }
  return FCanvas.get();
}

template <class F>
void TBitmap32::Update(F Body) {
  BeginUpdate();
  try {
    Body();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  Changed();
}

void TBitmap32::ResetAlpha() {
  for (TColor32* P = FBits; P != FBits + size_t(FWidth) * FHeight; ++P) *P |= 0xFF000000u;
}

void TBitmap32::Assign(const TBitmap32* Source) {
  if (Source == this) return;
  Update([&] {
    if (!Source) return SetSize(0, 0);
    SetSize(Source->Width(), Source->Height());
    if (!Empty()) std::memcpy(FBits, Source->Bits(), size_t(FWidth) * FHeight * sizeof(TColor32));
    FDrawMode = Source->FDrawMode;
    FMasterAlpha = Source->FMasterAlpha;
    FOuterColor = Source->FOuterColor;
    FStretchFilter = Source->FStretchFilter;
  });
}

void TBitmap32::Assign(TBitmap* Source) {
  Update([&] {
    if (!Source) return SetSize(0, 0);
    SetSize(Source->Width(), Source->Height());
    if (Empty()) return;
    if (Source->PixelFormat() == pf32bit) {
      for (int Y = 0; Y < FHeight; ++Y) std::memcpy(ScanLine(Y), Source->ScanLine(Y), size_t(FWidth) * 4);
    } else {
      BitBlt(FDC.get(), 0, 0, FWidth, FHeight, Source->Canvas()->Handle(), 0, 0, SRCCOPY);
      GdiFlush();
      ResetAlpha();
    }
  });
}

void TBitmap32::Assign(TPicture* Source) {
  TGraphic* Graphic = Source ? Source->Graphic() : nullptr;
  if (auto* Bitmap = dynamic_cast<TBitmap*>(Graphic)) return Assign(Bitmap);
  Update([&] {
    if (!Graphic) return SetSize(0, 0);
    SetSize(Graphic->Width(), Graphic->Height());
    if (Empty()) return;
    FillLongword(FBits, FWidth * FHeight, 0);
    Canvas()->Draw(0, 0, Graphic);
    GdiFlush();
    ResetAlpha();
  });
}

void TBitmap32::AssignTo(TBitmap* Dest) const {
  Dest->SetPixelFormat(pf32bit);
  Dest->SetSize(FWidth, FHeight);
  for (int Y = 0; Y < FHeight; ++Y) std::memcpy(Dest->ScanLine(Y), ScanLine(Y), size_t(FWidth) * 4);
}

void TBitmap32::Clear(TColor32 Color) {
  if (Empty()) return;
  FillLongword(FBits, FWidth * FHeight, Color);
  Changed();
}

void TBitmap32::FillRect(int X1, int Y1, int X2, int Y2, TColor32 Color) {
  ::FillRect(View(), X1, Y1, X2, Y2, Color);
  Changed();
}

void TBitmap32::DrawTo(TBitmap32* Dst, const TRect& DstRect, const TRect& SrcRect) {
  if (Empty() || !Dst || Dst->Empty()) return;
  StretchTransfer(Dst->View(), PixelRect(DstRect), Dst->BoundsRect(), View(), PixelRect(SrcRect), FStretchFilter,
                  CombineInfo());
  Dst->Changed();
}

void TBitmap32::DrawTo(TBitmap32* Dst, int DstX, int DstY) {
  DrawTo(Dst, Bounds(DstX, DstY, FWidth, FHeight), Rect(0, 0, FWidth, FHeight));
}

void TBitmap32::LoadFromStream(TStream* Stream) {
  TBitmap Bitmap;
  Bitmap.LoadFromStream(Stream);
  Assign(&Bitmap);
}

void TBitmap32::SaveToStream(TStream* Stream) const {
  TBitmap Bitmap;
  AssignTo(&Bitmap);
  Bitmap.SaveToStream(Stream);
}

void TBitmap32::LoadFromFile(const std::string& FileName) {
  TPicture Picture;
  Picture.LoadFromFile(FileName);
  Assign(&Picture);
}

void TBitmap32::SaveToFile(const std::string& FileName) const {
  TBitmap Bitmap;
  AssignTo(&Bitmap);
  Bitmap.SaveToFile(FileName);
}

void TBitmap32::ReadData(TStream* Stream) {
  const std::vector<uint8_t> Data = ReadRest(Stream);
  TPixelImage Image = ReadStoredData(Data.data(), Data.size());
  // What was read of the stream beyond this bitmap's pixels goes back.
  Stream->Seek(8 + int64_t(Image.Pixels.size()) * 4 - int64_t(Data.size()), soCurrent);
  SetSize(Image.Width, Image.Height);
  if (!Empty()) std::memcpy(FBits, Image.Pixels.data(), Image.Pixels.size() * sizeof(TColor32));
  Changed();
}

void TBitmap32::WriteData(TStream* Stream) const {
  const std::vector<uint8_t> Data = WriteStoredData(View());
  Stream->WriteBuffer(Data.data(), int64_t(Data.size()));
}

void TBitmap32::SetDrawMode(TDrawMode Value) {
  if (Value == FDrawMode) return;
  FDrawMode = Value;
  Changed();
}

void TBitmap32::SetMasterAlpha(TColor32 Value) {
  if (Value == FMasterAlpha) return;
  FMasterAlpha = Value;
  Changed();
}

void TBitmap32::SetStretchFilter(TStretchFilter Value) {
  if (Value == FStretchFilter) return;
  FStretchFilter = Value;
  Changed();
}

TColor32 Color32(TColor Color) {
  const TColor32 Rgb = TColor32(ColorToRGB(Color));
  return 0xFF000000u | (Rgb & 0xFF) << 16 | (Rgb & 0xFF00) | (Rgb >> 16 & 0xFF);
}

TPixelRect PixelRect(const TRect& R) { return {int(R.left), int(R.top), int(R.right), int(R.bottom)}; }

#pragma once
// TBitmap32: a 32-bit picture in a DIB section, so that the same pixels are reached directly (pure
// pixel code through View()) and drawn with GDI (its DC and Canvas). Its bases give it a change
// notification with nesting and a lock.
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/graphics/Font.h"
#include "toolkit/graphics/GdiHandle.h"
#include "toolkit/graphics/GraphicsTypes.h"
#include "toolkit/rtl/Classes.h"
#include "widgets/Bitmap32_Transforms.h"
#include "widgets/Bitmap32_Types.h"

#include <memory>
#include <mutex>

class TPicture;

// Change notification with BeginUpdate/EndUpdate nesting, and a lock for painting from another
// thread.
class TThreadPersistent : public TObject {
 public:
  TThreadPersistent() = default;
  TThreadPersistent(const TThreadPersistent&) = delete;
  TThreadPersistent& operator=(const TThreadPersistent&) = delete;

  void BeginUpdate() { ++FUpdateCount; }
  // Raises EInvalidOperation ("Unpaired TThreadPersistent.EndUpdate") without a BeginUpdate.
  void EndUpdate();
  // Fires OnChange unless an update is in progress.
  virtual void Changed();
  int UpdateCount() const { return FUpdateCount; }

  void Lock();
  void Unlock();
  int LockCount() const;

  TNotifyEvent OnChange;

 private:
  int FUpdateCount = 0;
  int FLockCount = 0;
  std::recursive_mutex FLock;
};

// Width and height (never negative; an empty map is 0 x 0) and the resize event.
class TCustomMap : public TThreadPersistent {
 public:
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetWidth(int Value) { SetSize(Value, FHeight); }
  void SetHeight(int Value) { SetSize(FWidth, Value); }
  // A size with no width or no height (or a negative one) is 0 x 0.
  virtual void SetSize(int NewWidth, int NewHeight);
  virtual void Delete() { SetSize(0, 0); }
  virtual bool Empty() const { return FWidth == 0 || FHeight == 0; }

  TNotifyEvent OnResize;

 protected:
  virtual void ChangeSize(int NewWidth, int NewHeight);
  virtual void Resized();

  int FWidth = 0, FHeight = 0;
};

class TBitmap32 : public TCustomMap {
 public:
  TBitmap32();
  ~TBitmap32() override;
  std::string ClassName() const override { return "TBitmap32"; }

  // Takes Source's size, pixels, draw mode, master alpha, outer colour and stretch filter;
  // nullptr makes this bitmap empty.
  void Assign(const TBitmap32* Source);
  // Takes a toolkit bitmap's size and pixels; alpha becomes 255 unless it is a 32-bit bitmap.
  void Assign(TBitmap* Source);
  // Takes the picture's bitmap as above, or draws any other picture opaquely onto black.
  void Assign(TPicture* Source);
  // Into a toolkit bitmap: 32-bit, same size, same pixels.
  void AssignTo(TBitmap* Dest) const;

  bool Empty() const override { return FHandle == nullptr || TCustomMap::Empty(); }
  // Opaque black, or Color, in every pixel; nothing (and no change event) on an empty bitmap.
  void Clear() { Clear(clBlack32); }
  void Clear(TColor32 Color);
  // Fills the part of (X1, Y1)-(X2, Y2) inside the bitmap.
  void FillRect(int X1, int Y1, int X2, int Y2, TColor32 Color);

  // The pixels (rows top-down), or nullptr when empty.
  TColor32* Bits() const { return FBits; }
  TColor32* ScanLine(int Y) const { return FBits + ptrdiff_t(Y) * FWidth; }
  TColor32* PixelPtr(int X, int Y) const { return ScanLine(Y) + X; }
  TPixelView View() const { return {FBits, FWidth, FHeight, FWidth}; }
  TPixelRect BoundsRect() const { return {0, 0, FWidth, FHeight}; }

  // The DIB section and the memory DC it is selected into (nullptr when empty).
  HBITMAP Handle() const { return FHandle.get(); }
  HDC DC() const { return FDC.get(); }
  const BITMAPINFO& BitmapInfo() const { return FBitmapInfo; }
  // A canvas on the DC, made on first use; its drawing counts as a change of the bitmap.
  TCanvas* Canvas();
  // The font for text drawn on the DC; a change re-selects it there.
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(*Value); }
  // Selects Font into the DC (the system font goes back on a resize).
  void UpdateFont();

  // Draws SrcRect of this bitmap into DstRect of Dst (clipped to Dst) by this bitmap's draw mode
  // and stretch filter; nothing when either is empty.
  void DrawTo(TBitmap32* Dst, const TRect& DstRect, const TRect& SrcRect);
  void DrawTo(TBitmap32* Dst, int DstX, int DstY);
  void DrawTo(TBitmap32* Dst) { DrawTo(Dst, 0, 0); }

  // Windows BMP (the format of the plug-in streams), through a toolkit bitmap.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream) const;
  // Any picture file the toolkit's TPicture reads; saving writes BMP.
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;
  // The stored "Data" layout: width, height (4 bytes each), pixels top-down.
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream) const;

  TDrawMode DrawMode() const { return FDrawMode; }
  void SetDrawMode(TDrawMode Value);
  TColor32 MasterAlpha() const { return FMasterAlpha; }
  void SetMasterAlpha(TColor32 Value);
  TStretchFilter StretchFilter() const { return FStretchFilter; }
  void SetStretchFilter(TStretchFilter Value);
  TColor32 OuterColor() const { return FOuterColor; }
  void SetOuterColor(TColor32 Value) { FOuterColor = Value; }
  TColor32 PenColor() const { return FPenColor; }
  void SetPenColor(TColor32 Value) { FPenColor = Value; }
  float StippleStep() const { return FStippleStep; }
  void SetStippleStep(float Value) { FStippleStep = Value; }

  TNotifyEvent OnHandleChanged;
  // Combines pixels when DrawMode is dmCustom.
  TPixelCombineEvent OnPixelCombine;

 protected:
  void ChangeSize(int NewWidth, int NewHeight) override;
  virtual void HandleChanged();

 private:
  void DeselectFont();
  // The pixels after Body, which runs between BeginUpdate and EndUpdate, count as one change.
  template <class F>
  void Update(F Body);
  void ResetAlpha();
  TCombineInfo CombineInfo() const { return {FDrawMode, FMasterAlpha, OnPixelCombine}; }

  BITMAPINFO FBitmapInfo{};
  TColor32* FBits = nullptr;
  std::unique_ptr<TCanvas> FCanvas;
  TDrawMode FDrawMode = dmOpaque;
  std::unique_ptr<TFont> FFont;
  detail::GdiObject<HBITMAP> FHandle;
  detail::MemoryDc FDC;
  TColor32 FMasterAlpha = 255;
  TColor32 FOuterColor = 0;
  TColor32 FPenColor = clWhite32;
  float FStippleStep = 1.0f;
  TStretchFilter FStretchFilter = sfNearest;
  bool FFontSelected = false;
};

// A toolkit colour as a pixel: system colours resolved, red and blue exchanged, alpha 255.
TColor32 Color32(TColor Color);

TPixelRect PixelRect(const TRect& R);

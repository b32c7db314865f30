#pragma once
// TImage32: a window control that shows a TBitmap32 scaled and aligned inside its client area,
// painted through a back buffer; TBitmap32List: bitmaps kept by a form.
#include "toolkit/ui/Controls.h"
#include "widgets/Bitmap32.h"
#include "widgets/Bitmap32_Layers.h"

#include <memory>
#include <vector>

enum TPaintBoxOption : uint8_t { pboWantArrowKeys = 1, pboAutoFocus = 2 };
using TPaintBoxOptions = uint8_t;

// A control painted from a 32-bit back buffer that covers its client area.
class TCustomPaintBox32 : public TCustomControl {
 public:
  explicit TCustomPaintBox32(TComponent* AOwner);
  ~TCustomPaintBox32() override;

  TBitmap32* Buffer() const { return FBuffer.get(); }
  int BufferOversize() const { return FBufferOversize; }
  void SetBufferOversize(int Value) { FBufferOversize = Value < 0 ? 0 : Value; }
  bool BufferValid() const { return FBufferValid; }
  TPaintBoxOptions Options() const { return FOptions; }
  void SetOptions(TPaintBoxOptions Value) { FOptions = Value; }

  void Invalidate() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;
  // Paints the whole buffer; called when it is not valid.
  virtual void DoPaintBuffer() {}
  // Drawing straight onto the window after the buffer was copied there.
  virtual void DoPaintGDIOverlay() {}
  void Resize() override;
  void Loaded() override;
  void CreateWnd() override;
  void ResizeBuffer();
  void InvalidateBuffer() { FBufferValid = false; }

 private:
  std::unique_ptr<TBitmap32> FBuffer;
  int FBufferOversize = 40;
  bool FBufferValid = false;
  TPaintBoxOptions FOptions = 0;
};

enum TBitmapAlign { baTopLeft, baCenter, baTile, baCustom };
enum TScaleMode { smNormal, smStretch, smScale, smResize };

// Paint stages, run in list order.
constexpr unsigned PST_CUSTOM = 1;           // OnPaintStage
constexpr unsigned PST_CLEAR_BUFFER = 2;     // the whole buffer in the control's colour
constexpr unsigned PST_CLEAR_BACKGND = 3;    // what the bitmap does not cover
constexpr unsigned PST_DRAW_BITMAP = 4;
constexpr unsigned PST_DRAW_LAYERS = 5;
constexpr unsigned PST_CONTROL_FRAME = 6;    // dotted frame around the client area
constexpr unsigned PST_BITMAP_FRAME = 7;     // dotted frame around the bitmap

struct TPaintStage {
  bool DsgnTime;
  bool RunTime;
  unsigned Stage;
  unsigned Parameter;
};
using TPaintStages = std::vector<TPaintStage>;

class TCustomImage32;
using TPaintStageEvent = std::function<void(TObject* Sender, TBitmap32* Buffer, unsigned StageNum)>;
using TImgMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y, TCustomLayer* Layer)>;
using TImgMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y, TCustomLayer* Layer)>;

class TCustomImage32 : public TCustomPaintBox32 {
 public:
  explicit TCustomImage32(TComponent* AOwner);
  ~TCustomImage32() override;

  // The shown bitmap, owned by the view; setting it assigns into it.
  TBitmap32* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(const TBitmap32* Value);
  TBitmapAlign BitmapAlign() const { return FBitmapAlign; }
  void SetBitmapAlign(TBitmapAlign Value);
  float Scale() const { return FScale; }
  // Never below 0.001.
  void SetScale(float Value);
  TScaleMode ScaleMode() const { return FScaleMode; }
  void SetScaleMode(TScaleMode Value);
  // Where a custom-aligned bitmap sits.
  float OffsetHorz() const { return FOffsetHorz; }
  float OffsetVert() const { return FOffsetVert; }
  void SetOffsetHorz(float Value);
  void SetOffsetVert(float Value);
  // An auto-sized view takes the size its bitmap has on screen (GetBitmapSize) whenever that changes.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TLayerCollection* Layers() const { return FLayers.get(); }
  TPaintStages& PaintStages() { return FPaintStages; }

  // Sizes the bitmap to the view port (with its change events held back), fills it with
  // ClearColor when DoClear, and lays the view out again.
  void SetupBitmap(bool DoClear = false, TColor32 ClearColor = clBlack32);
  // The bitmap's rectangle in the control, and its size there.
  TPixelRect GetBitmapRect();
  TSize GetBitmapSize();
  TRect GetViewportRect() { return ClientRect(); }
  TPoint BitmapToControl(const TPoint& P);
  TPoint ControlToBitmap(const TPoint& P);

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void Changed() override;

  TNotifyEvent OnBitmapResize;
  TNotifyEvent OnChange;
  TNotifyEvent OnInitStages;
  TPaintStageEvent OnPaintStage;
  TNotifyEvent OnScroll;
  TImgMouseEvent OnMouseDown;
  TImgMouseEvent OnMouseUp;
  TImgMouseMoveEvent OnMouseMove;

 protected:
  void DoPaintBuffer() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Dispatch(TMessage& Message) override;
  virtual void InitDefaultStages();
  void InvalidateCache() { FCacheValid = false; }
  void UpdateCache();

 private:
  void BitmapChanged();
  void BitmapResized();
  void LayersChanged();
  void SizeToBitmap();
  void ClearBackground(TBitmap32* Dst);
  void DrawBitmap(TBitmap32* Dst);
  void DrawFrame(TBitmap32* Dst, const TRect& R);

  std::unique_ptr<TBitmap32> FBitmap;
  TBitmapAlign FBitmapAlign = baTopLeft;
  std::unique_ptr<TLayerCollection> FLayers;
  TPaintStages FPaintStages;
  float FScale = 1.0f;
  TScaleMode FScaleMode = smNormal;
  float FOffsetHorz = 0, FOffsetVert = 0;
  bool FAutoSize = false;
  int FUpdateCount = 0;
  // The mapping between bitmap and control: 16.16 factors in both directions plus the offset.
  bool FCacheValid = false;
  TPixelRect FCachedBitmapRect;
  int64_t FCachedXRatio = 65536, FCachedYRatio = 65536;     // control to bitmap
  int64_t FCachedRecXRatio = 65536, FCachedRecYRatio = 65536;  // bitmap to control
};

class TImage32 : public TCustomImage32 {
 public:
  explicit TImage32(TComponent* AOwner) : TCustomImage32(AOwner) {}
  std::string ClassName() const override { return "TImage32"; }
  void GetPublishedProperties(TPropList& List) const override;
};

// One bitmap of a TBitmap32List.
class TBitmap32Item : public TObject {
 public:
  TBitmap32* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(const TBitmap32* Value) { FBitmap->Assign(Value); }

 private:
  std::unique_ptr<TBitmap32> FBitmap = std::make_unique<TBitmap32>();
};

class TBitmap32Collection {
 public:
  int Count() const { return int(FItems.size()); }
  TBitmap32Item* Items(int Index) const { return FItems.at(Index).get(); }
  TBitmap32Item* Add() { return FItems.emplace_back(std::make_unique<TBitmap32Item>()).get(); }
  void Delete(int Index) { FItems.erase(FItems.begin() + Index); }
  void Clear() { FItems.clear(); }

 private:
  std::vector<std::unique_ptr<TBitmap32Item>> FItems;
};

// Bitmaps a form keeps (button pictures).
class TBitmap32List : public TComponent {
 public:
  explicit TBitmap32List(TComponent* AOwner) : TComponent(AOwner) {}
  std::string ClassName() const override { return "TBitmap32List"; }
  TBitmap32Collection* Bitmaps() { return &FBitmaps; }
  TBitmap32* Bitmap(int Index) const { return FBitmaps.Items(Index)->Bitmap(); }

 private:
  TBitmap32Collection FBitmaps;
};

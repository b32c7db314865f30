#pragma once
// Layers over an image view: an ordered list (last = topmost) that paints over the bitmap and
// takes pointer events routed by hit testing.
#include "toolkit/rtl/Classes.h"
#include "toolkit/ui/Controls.h"
#include "widgets/Bitmap32.h"

#include <functional>
#include <memory>
#include <vector>

// Layer option bits.
constexpr unsigned LOB_VISIBLE = 0x80000000;
constexpr unsigned LOB_GDI_OVERLAY = 0x40000000;
constexpr unsigned LOB_MOUSE_EVENTS = 0x20000000;
constexpr unsigned LOB_NO_UPDATE = 0x10000000;
constexpr unsigned LOB_NO_CAPTURE = 0x08000000;

class TLayerCollection;

using THitTestEvent = std::function<void(TObject* Sender, int X, int Y, bool& Passed)>;
using TPaintLayerEvent = std::function<void(TObject* Sender, TBitmap32* Buffer)>;

class TCustomLayer : public TObject {
 public:
  explicit TCustomLayer(TLayerCollection* Collection);
  std::string ClassName() const override { return "TCustomLayer"; }
  // A layer of the same class with the same settings, in Collection.
  virtual TCustomLayer* CloneInto(TLayerCollection* Collection) const;

  TLayerCollection* LayerCollection() const { return FCollection; }
  unsigned LayerOptions() const { return FLayerOptions; }
  void SetLayerOptions(unsigned Value);
  bool Visible() const { return FLayerOptions & LOB_VISIBLE; }
  // Its own test, which OnHitTest may overturn.
  bool HitTest(int X, int Y);
  // Its own painting, then OnPaint.
  void Paint(TBitmap32* Buffer);
  bool MouseCapture() const;

  THitTestEvent OnHitTest;
  TPaintLayerEvent OnPaint;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 protected:
  friend class TLayerCollection;
  virtual bool DoHitTest(int X, int Y) { return true; }
  virtual void DoPaint(TBitmap32* Buffer) {}
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);

 private:
  TLayerCollection* FCollection;
  unsigned FLayerOptions = LOB_VISIBLE;
  unsigned FPressed = 0;  // a bit per mouse button held down over the layer
};

class TLayerCollection {
 public:
  TLayerCollection() = default;
  TLayerCollection(const TLayerCollection&) = delete;
  TLayerCollection& operator=(const TLayerCollection&) = delete;

  int Count() const { return int(FItems.size()); }
  TCustomLayer* Items(int Index) const { return FItems.at(Index).get(); }
  template <class T = TCustomLayer>
  T* Add() {
    return static_cast<T*>(Insert(std::make_unique<T>(this)));
  }
  TCustomLayer* Insert(std::unique_ptr<TCustomLayer> Layer);
  void Delete(int Index);
  void Clear();
  // Layers of the same classes and settings as Source's.
  void Assign(const TLayerCollection& Source);

  void BeginUpdate() { ++FUpdateCount; }
  // Raises EInvalidOperation ("Unpaired EndUpdate") without a BeginUpdate.
  void EndUpdate();
  void Changed();
  TNotifyEvent OnChange;

  // The topmost layer whose options hold one of the bits of OptionsMask and that contains (X, Y).
  TCustomLayer* FindLayerAtPos(int X, int Y, unsigned OptionsMask);
  // Paints the visible layers whose options meet Mask, bottom up.
  void Paint(TBitmap32* Buffer, unsigned Mask);

  // Whether pointer events are routed to the layers.
  bool MouseEvents() const { return FMouseEvents; }
  void SetMouseEvents(bool Value);
  // The layer holding the mouse, or nullptr.
  TCustomLayer* MouseListener() const { return FMouseListener; }
  TCustomLayer* MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  TCustomLayer* MouseMove(TShiftState Shift, int X, int Y);
  TCustomLayer* MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);

 private:
  std::vector<std::unique_ptr<TCustomLayer>> FItems;
  int FUpdateCount = 0;
  bool FMouseEvents = false;
  TCustomLayer* FMouseListener = nullptr;
};

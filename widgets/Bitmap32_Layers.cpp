#include "widgets/Bitmap32_Layers.h"

#include <algorithm>

TCustomLayer::TCustomLayer(TLayerCollection* Collection) : FCollection(Collection) {}

TCustomLayer* TCustomLayer::CloneInto(TLayerCollection* Collection) const {
  auto* Layer = Collection->Insert(std::make_unique<TCustomLayer>(Collection));
  Layer->FLayerOptions = FLayerOptions;
  Layer->OnHitTest = OnHitTest;
  Layer->OnPaint = OnPaint;
  return Layer;
}

void TCustomLayer::SetLayerOptions(unsigned Value) {
  if (Value == FLayerOptions) return;
  FLayerOptions = Value;
  FCollection->Changed();
}

bool TCustomLayer::HitTest(int X, int Y) {
  bool Passed = DoHitTest(X, Y);
  if (OnHitTest) OnHitTest(this, X, Y, Passed);
  return Passed;
}

void TCustomLayer::Paint(TBitmap32* Buffer) {
  DoPaint(Buffer);
  if (OnPaint) OnPaint(this, Buffer);
}

bool TCustomLayer::MouseCapture() const { return FCollection->MouseListener() == this; }

void TCustomLayer::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TCustomLayer::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TCustomLayer::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

TCustomLayer* TLayerCollection::Insert(std::unique_ptr<TCustomLayer> Layer) {
  FItems.push_back(std::move(Layer));
  Changed();
  return FItems.back().get();
}

void TLayerCollection::Delete(int Index) {
  if (FItems.at(Index).get() == FMouseListener) FMouseListener = nullptr;
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TLayerCollection::Clear() {
  FMouseListener = nullptr;
  FItems.clear();
  Changed();
}

void TLayerCollection::Assign(const TLayerCollection& Source) {
  if (&Source == this) return;
  BeginUpdate();
  Clear();
  for (const auto& Layer : Source.FItems) Layer->CloneInto(this);
  FMouseEvents = Source.FMouseEvents;
  EndUpdate();
}

void TLayerCollection::EndUpdate() {
  if (FUpdateCount < 1) throw EInvalidOperation("Unpaired EndUpdate");
  if (--FUpdateCount == 0) Changed();
}

void TLayerCollection::Changed() {
  if (FUpdateCount == 0 && OnChange) OnChange(nullptr);
}

TCustomLayer* TLayerCollection::FindLayerAtPos(int X, int Y, unsigned OptionsMask) {
  for (auto It = FItems.rbegin(); It != FItems.rend(); ++It)
    if (((*It)->LayerOptions() & OptionsMask) && (*It)->HitTest(X, Y)) return It->get();
  return nullptr;
}

void TLayerCollection::Paint(TBitmap32* Buffer, unsigned Mask) {
  for (const auto& Layer : FItems)
    if ((Layer->LayerOptions() & Mask) == Mask) Layer->Paint(Buffer);
}

void TLayerCollection::SetMouseEvents(bool Value) {
  FMouseEvents = Value;
  if (!Value) FMouseListener = nullptr;
}

TCustomLayer* TLayerCollection::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomLayer* Layer = FMouseListener ? FMouseListener : FindLayerAtPos(X, Y, LOB_MOUSE_EVENTS);
  if (!Layer) return nullptr;
  Layer->FPressed |= 1u << Button;
  if (!(Layer->LayerOptions() & LOB_NO_CAPTURE)) FMouseListener = Layer;
  Layer->MouseDown(Button, Shift, X, Y);
  return Layer;
}

TCustomLayer* TLayerCollection::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomLayer* Layer = FMouseListener ? FMouseListener : FindLayerAtPos(X, Y, LOB_MOUSE_EVENTS);
  if (Layer) Layer->MouseMove(Shift, X, Y);
  return Layer;
}

TCustomLayer* TLayerCollection::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomLayer* Layer = FMouseListener ? FMouseListener : FindLayerAtPos(X, Y, LOB_MOUSE_EVENTS);
  if (!Layer) return nullptr;
  Layer->FPressed &= ~(1u << Button);
  if (Layer == FMouseListener && Layer->FPressed == 0) FMouseListener = nullptr;
  Layer->MouseUp(Button, Shift, X, Y);
  return Layer;
}

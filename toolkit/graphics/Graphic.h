#pragma once
// TGraphic: base of the pictures a canvas can draw (bitmaps, icons). A change of the picture
// fires OnChange, so that a holder such as TPicture or an image control can repaint.
#include "toolkit/graphics/GraphicsObject.h"
#include "toolkit/graphics/GraphicsTypes.h"

class TCanvas;

class TGraphic : public TGraphicsObject {
 public:
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual int Height() const = 0;
  virtual void SetHeight(int Value) = 0;
  virtual void SetSize(int AWidth, int AHeight);

  // Transparent pictures leave the pixels of their transparent colour undrawn.
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  // Set by every change; cleared by whoever saved the picture.
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

 protected:
  friend class TCanvas;
  // Draws the picture into Rect of the canvas (stretched when the sizes differ).
  virtual void Draw(TCanvas& ACanvas, const TRect& Rect) = 0;
  void Changed() override;

 private:
  bool FTransparent = false;
  bool FModified = false;
};

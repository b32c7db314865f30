#pragma once
// TGraphic: base of the pictures a canvas can draw (bitmaps, icons). A change of the picture
// fires OnChange, so that a holder such as TPicture or an image control can repaint.
#include "toolkit/graphics/GraphicErrors.h"
#include "toolkit/graphics/GraphicsObject.h"
#include "toolkit/graphics/GraphicsTypes.h"
#include "toolkit/rtl/Exceptions.h"

#include <memory>
#include <string>

class TCanvas;
class TStream;

// An operation the picture cannot do in its state (a scan line beyond the last row, ...).
class EInvalidGraphicOperation : public Exception {
 public:
  using Exception::Exception;
};
// GDI refused to make an object.
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

class TGraphic : public TGraphicsObject {
 public:
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual int Height() const = 0;
  virtual void SetHeight(int Value) = 0;
  virtual void SetSize(int AWidth, int AHeight);
  // A new picture of the same kind with the same contents.
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  // Transparent pictures leave the pixels of their transparent colour undrawn.
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  // Set by every change; cleared by whoever saved the picture.
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  // Read from and write to the stream's current position, in the class's file format.
  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName);

 protected:
  friend class TCanvas;
  friend class TPicture;
  // Draws the picture into Rect of the canvas (stretched when the sizes differ).
  virtual void Draw(TCanvas& ACanvas, const TRect& Rect) = 0;
  void Changed() override;

 private:
  bool FTransparent = false;
  bool FModified = false;
};

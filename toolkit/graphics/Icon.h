#pragma once
// TIcon: an icon handle with its size. Loaded from an icon file it keeps the file's bytes, so
// that saving writes every image of the file back; an icon given as a handle is saved as one
// 32-bit image with its mask.
#include "toolkit/graphics/GdiHandle.h"
#include "toolkit/graphics/Graphic.h"

#include <cstdint>
#include <vector>

class TIcon : public TGraphic {
 public:
  TIcon();

  void Assign(const TIcon* Source);
  std::unique_ptr<TGraphic> Clone() const override;

  HICON Handle() const { return FHandle.get(); }
  // Takes ownership of the icon.
  void SetHandle(HICON Value);
  // Gives the handle to the caller, who then frees it; the icon becomes empty.
  HICON ReleaseHandle();

  bool Empty() const override { return !FHandle; }
  // The size of the icon; before loading, the size of the image to pick from a file
  // (the system's icon size by default). An icon with a handle cannot be resized.
  int Width() const override { return FWidth; }
  void SetWidth(int Value) override;
  int Height() const override { return FHeight; }
  void SetHeight(int Value) override;

  // Reads an icon file from the rest of the stream; raises EInvalidGraphic when it is damaged.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;

 protected:
  void Draw(TCanvas& ACanvas, const TRect& Rect) override;

 private:
  void TakeHandle(HICON Value);

  detail::IconHandle FHandle;
  int FWidth;
  int FHeight;
  std::vector<std::uint8_t> FData;
};

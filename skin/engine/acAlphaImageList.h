#pragma once
// TsAlphaImageList: an image list filled with PNG pictures drawn with their alpha channel.
#include "skin/engine/acPNG.h"
#include "toolkit/ui/ImgList.h"

class TsAlphaImageList : public TImageList {
 public:
  explicit TsAlphaImageList(TComponent* AOwner) : TImageList(AOwner) {}
  // Adds a PNG picture read from the stream's position; returns its index.
  int AddPng(TStream* Stream) {
    TPNGGraphic png;
    png.LoadFromStream(Stream);
    return Add(&png, nullptr);
  }
};

#pragma once
// Exam pictures to and from JPEG: the capture module hands BMP streams, the database keeps JPEG.
#include <cstdint>
#include <memory>

#include "widgets/JpegImage.h"

class TBJpeg : public TObject {
 public:
  // The Windows bitmap at the stream's position compressed at Qualidade (above 100 counts as 100).
  // Raises when the stream holds no bitmap. The caller saves the image and frees it.
  std::unique_ptr<TJPEGImage> BitmapToJpeg(TStream* BitmapStream, uint8_t Qualidade);
  // Replaces the JPEG in Stream (from its position) by the same picture as a 32-bit BMP, at
  // position 0. False, with the stream left as it was, when the data is no readable JPEG.
  bool JpegToBitmap(TStream* Stream);
};

#include "core/UBJpeg.h"

#include <cstring>

#include "widgets/Bitmap32.h"

std::unique_ptr<TJPEGImage> TBJpeg::BitmapToJpeg(TStream* BitmapStream, uint8_t Qualidade) {
  TBitmap32 bitmap;
  bitmap.LoadFromStream(BitmapStream);
  auto jpeg = std::make_unique<TJPEGImage>();
  jpeg->SetCompressionQuality(Qualidade > 100 ? 100 : Qualidade);
  jpeg->Compress(bitmap.View());
  return jpeg;
}

bool TBJpeg::JpegToBitmap(TStream* Stream) {
  try {
    const int64_t start = Stream->Position();
    TJPEGImage jpeg;
    jpeg.LoadFromStream(Stream);
    TPixelImage pixels;
    if (!jpeg.Decompress(pixels)) {
      Stream->SetPosition(start);
      return false;
    }
    TBitmap32 bitmap;
    bitmap.SetSize(pixels.Width, pixels.Height);
    std::memcpy(bitmap.Bits(), pixels.Pixels.data(), pixels.Pixels.size() * sizeof(TColor32));
    // A BMP shorter than the JPEG must not keep a tail of JPEG bytes.
    Stream->SetSize(0);
    bitmap.SaveToStream(Stream);
    Stream->SetPosition(0);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

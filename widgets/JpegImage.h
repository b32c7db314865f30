#pragma once
// A JPEG image over libjpeg-turbo: compressed bytes, the quality they are made with, and the
// conversion to and from 32-bit pixels. No windows.h here: jpeglib.h and the Windows headers clash,
// and the decoder also runs under the sanitizers and the fuzzer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/rtl/Classes.h"
#include "widgets/Bitmap32_StoredData.h"

class EJPEG : public Exception {
 public:
  using Exception::Exception;
};

namespace detail {

// The pixels as a baseline JPEG (alpha is dropped). Quality 1 to 100. Raises EJPEG.
std::vector<uint8_t> CompressJpeg(const TPixelView& Pixels, int Quality);

// Decodes a JPEG into opaque pixels, rows top-down. False for anything that is not a whole, sound
// JPEG (libjpeg's warnings of corrupt data count as failures), for pictures above kMaxJpegPixels
// and for progressive files with more than kMaxJpegScans scans; Image is then unspecified.
bool DecompressJpeg(const uint8_t* Data, size_t Size, TPixelImage& Image);

// Exam pictures are camera frames and skin textures are screen-sized; these bounds keep a hostile file
// from taking all memory or time.
inline constexpr int64_t kMaxJpegPixels = 4096 * 4096;
inline constexpr int kMaxJpegScans = 256;

}  // namespace detail

class TJPEGImage : public TObject {
 public:
  // 1 to 100; values outside are taken as the nearest.
  int CompressionQuality() const { return FCompressionQuality; }
  void SetCompressionQuality(int Value);

  // Replaces the image by the pixels compressed at the current quality.
  void Compress(const TPixelView& Pixels);
  // False when the data is no readable JPEG.
  bool Decompress(TPixelImage& Image) const;

  bool Empty() const { return FData.empty(); }
  const std::vector<uint8_t>& Data() const { return FData; }
  // Writes the JPEG bytes at the stream's position.
  void SaveToStream(TStream* Stream) const;
  // Takes the bytes from the stream's position to its end.
  void LoadFromStream(TStream* Stream);

 private:
  int FCompressionQuality = 90;
  std::vector<uint8_t> FData;
};

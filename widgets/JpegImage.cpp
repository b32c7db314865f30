#include "widgets/JpegImage.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <jpeglib.h>

namespace detail {
namespace {

// libjpeg reports errors through a callback that must not return: it jumps back to the setjmp of
// the routine that called the library. Only libjpeg's own C frames lie in between.
struct TJpegErrors {
  jpeg_error_mgr Mgr;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<TJpegErrors*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->Message);
  std::longjmp(errors->Jump, 1);
}

// A warning means corrupt or truncated data: the decoder stops there instead of guessing.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0) ErrorExit(cinfo);
}

void OutputMessage(j_common_ptr) {}

void ProgressMonitor(j_common_ptr cinfo) {
  if (cinfo->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxJpegScans)
    ErrorExit(cinfo);
}

void InitErrors(TJpegErrors& errors) {
  jpeg_std_error(&errors.Mgr);
  errors.Mgr.error_exit = ErrorExit;
  errors.Mgr.emit_message = EmitMessage;
  errors.Mgr.output_message = OutputMessage;
  errors.Message[0] = 0;
}

// The parts of a compression that must outlive a jump out of libjpeg.
struct TCompression {
  jpeg_compress_struct Info{};
  TJpegErrors Errors;
  unsigned char* Buffer = nullptr;
  unsigned long Size = 0;
  ~TCompression() {
    jpeg_destroy_compress(&Info);
    std::free(Buffer);
  }
};

struct TDecompression {
  jpeg_decompress_struct Info{};
  TJpegErrors Errors;
  jpeg_progress_mgr Progress{};
  ~TDecompression() { jpeg_destroy_decompress(&Info); }
};

bool RunCompression(TCompression& c, const TPixelView& Pixels, int Quality) {
  c.Info.err = &c.Errors.Mgr;
  InitErrors(c.Errors);
  if (setjmp(c.Errors.Jump)) return false;
  jpeg_create_compress(&c.Info);
  jpeg_mem_dest(&c.Info, &c.Buffer, &c.Size);
  c.Info.image_width = static_cast<JDIMENSION>(Pixels.Width);
  c.Info.image_height = static_cast<JDIMENSION>(Pixels.Height);
  c.Info.input_components = 4;
  c.Info.in_color_space = JCS_EXT_BGRX;  // TColor32 in memory: blue, green, red, alpha
  jpeg_set_defaults(&c.Info);
  jpeg_set_quality(&c.Info, Quality, TRUE);
  jpeg_start_compress(&c.Info, TRUE);
  while (c.Info.next_scanline < c.Info.image_height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(Pixels.ScanLine(static_cast<int>(c.Info.next_scanline)));
    jpeg_write_scanlines(&c.Info, &row, 1);
  }
  jpeg_finish_compress(&c.Info);
  return true;
}

bool RunDecompression(TDecompression& d, const uint8_t* Data, size_t Size, TPixelImage& Image) {
  d.Info.err = &d.Errors.Mgr;
  InitErrors(d.Errors);
  if (setjmp(d.Errors.Jump)) return false;
  jpeg_create_decompress(&d.Info);
  d.Progress.progress_monitor = ProgressMonitor;
  d.Info.progress = &d.Progress;
  jpeg_mem_src(&d.Info, Data, static_cast<unsigned long>(Size));
  jpeg_read_header(&d.Info, TRUE);
  if (int64_t(d.Info.image_width) * d.Info.image_height > kMaxJpegPixels) return false;
  d.Info.out_color_space = JCS_EXT_BGRA;  // alpha comes out opaque
  jpeg_start_decompress(&d.Info);
  Image.Width = static_cast<int>(d.Info.output_width);
  Image.Height = static_cast<int>(d.Info.output_height);
  Image.Pixels.assign(size_t(Image.Width) * size_t(Image.Height), 0);
  while (d.Info.output_scanline < d.Info.output_height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(Image.Pixels.data() + size_t(d.Info.output_scanline) * Image.Width);
    jpeg_read_scanlines(&d.Info, &row, 1);
  }
  jpeg_finish_decompress(&d.Info);
  return true;
}

}  // namespace

std::vector<uint8_t> CompressJpeg(const TPixelView& Pixels, int Quality) {
  if (Pixels.Empty()) throw EJPEG("Imagem vazia n\xE3o pode ser comprimida");
  TCompression c;
  if (!RunCompression(c, Pixels, std::clamp(Quality, 1, 100))) throw EJPEG(c.Errors.Message);
  return std::vector<uint8_t>(c.Buffer, c.Buffer + c.Size);
}

bool DecompressJpeg(const uint8_t* Data, size_t Size, TPixelImage& Image) {
  if (Size == 0) return false;
  TDecompression d;
  return RunDecompression(d, Data, Size, Image);
}

}  // namespace detail

void TJPEGImage::SetCompressionQuality(int Value) { FCompressionQuality = std::clamp(Value, 1, 100); }

void TJPEGImage::Compress(const TPixelView& Pixels) { FData = detail::CompressJpeg(Pixels, FCompressionQuality); }

bool TJPEGImage::Decompress(TPixelImage& Image) const { return detail::DecompressJpeg(FData.data(), FData.size(), Image); }

void TJPEGImage::SaveToStream(TStream* Stream) const {
  Stream->WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TJPEGImage::LoadFromStream(TStream* Stream) {
  const int64_t rest = std::max<int64_t>(Stream->Size() - Stream->Position(), 0);
  std::vector<uint8_t> data(static_cast<size_t>(rest));
  Stream->ReadBuffer(data.data(), rest);
  FData = std::move(data);
}

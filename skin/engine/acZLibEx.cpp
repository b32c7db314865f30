#include "skin/engine/acZLibEx.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {
constexpr const char* kInvalidOperation = "Invalid ZStream operation!";
}

std::string ZErrorMessage(int code) {
  switch (code) {
    case Z_NEED_DICT: return "need dictionary";
    case Z_STREAM_END: return "stream end";
    case Z_OK: return "ok";
    case Z_ERRNO: return "file error";
    case Z_STREAM_ERROR: return "stream error";
    case Z_DATA_ERROR: return "data error";
    case Z_MEM_ERROR: return "insufficient memory";
    case Z_BUF_ERROR: return "buffer error";
    case Z_VERSION_ERROR: return "incompatible version";
    default: return "unknown error";
  }
}

int ZDecompressInit(z_stream& stream) { return inflateInit(&stream); }

int ZDecompressCheck(int code) {
  if (code < 0) throw EZDecompressionError(code, ZErrorMessage(code));
  return code;
}

TCustomZStream::TCustomZStream(TStream* source)
    : FStream(source), FStreamStart(source->Position()), FStreamPos(FStreamStart), FBuffer(BufferSize) {}

TZDecompressionStream::TZDecompressionStream(TStream* source) : TCustomZStream(source) {
  FZStream.next_in = FBuffer.data();
  FZStream.avail_in = 0;
  ZDecompressCheck(ZDecompressInit(FZStream));
}

TZDecompressionStream::~TZDecompressionStream() { inflateEnd(&FZStream); }

int64_t TZDecompressionStream::Read(void* buffer, int64_t count) {
  if (count <= 0) return 0;
  auto* out = static_cast<Bytef*>(buffer);
  int64_t left = count;
  if (FStream->Position() != FStreamPos) FStream->SetPosition(FStreamPos);
  while (left > 0 && !FEnded) {
    if (FZStream.avail_in == 0) {
      const int64_t got = FStream->Read(FBuffer.data(), BufferSize);
      if (got <= 0) break;
      FZStream.next_in = FBuffer.data();
      FZStream.avail_in = uInt(got);
      FStreamPos = FStream->Position();
    }
    FZStream.next_out = out;
    FZStream.avail_out = uInt(std::min<int64_t>(left, UINT_MAX));
    const int result = inflate(&FZStream, Z_NO_FLUSH);
    // A stream asking for a preset dictionary can never go on: inflate would answer the same for ever.
    if (result == Z_NEED_DICT) throw EZDecompressionError(result, ZErrorMessage(result));
    ZDecompressCheck(result);
    left -= FZStream.next_out - out;
    out = FZStream.next_out;
    if (result == Z_STREAM_END) FEnded = true;
  }
  if (FEnded && FZStream.avail_in > 0) {
    // Give the source back the bytes that follow the compressed data.
    FStream->Seek(-int64_t(FZStream.avail_in), soCurrent);
    FStreamPos = FStream->Position();
    FZStream.avail_in = 0;
  }
  return count - left;
}

int64_t TZDecompressionStream::Write(const void*, int64_t) { throw EZDecompressionError(0, kInvalidOperation); }

void TZDecompressionStream::SetSize(int64_t) { throw EZDecompressionError(0, kInvalidOperation); }

int64_t TZDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
  const auto inflated = int64_t(FZStream.total_out);
  auto discard = [this](int64_t distance) {
    Bytef piece[8192];
    while (distance > 0) {
      const int64_t got = Read(piece, std::min<int64_t>(distance, sizeof piece));
      if (got == 0) break;
      distance -= got;
    }
  };
  if (offset == 0 && origin == soBeginning) {
    // Back to the start of the compressed data (not of the source, which may hold more before it).
    ZDecompressCheck(inflateReset(&FZStream));
    FZStream.next_in = FBuffer.data();
    FZStream.avail_in = 0;
    FEnded = false;
    FStream->SetPosition(FStreamStart);
    FStreamPos = FStreamStart;
  } else if ((offset >= 0 && origin == soCurrent) || (origin == soBeginning && offset > inflated)) {
    discard(origin == soCurrent ? offset : offset - inflated);
  } else if (offset == 0 && origin == soEnd) {
    discard(INT64_MAX);
  } else {
    throw EZDecompressionError(0, kInvalidOperation);
  }
  return int64_t(FZStream.total_out);
}

#pragma once
// zlib's inflate side as a read-only stream over another stream. Pure code: no windows.h.
#include "toolkit/rtl/Classes.h"

#include <zlib.h>

#include <string>
#include <vector>

class EZLibError : public Exception {
 public:
  EZLibError(int code, std::string message) : Exception(std::move(message)), ErrorCode(code) {}
  int ErrorCode;  // the zlib result code
};
class EZDecompressionError : public EZLibError {
 public:
  using EZLibError::EZLibError;
};

// The message of a zlib result code.
std::string ZErrorMessage(int code);
// inflateInit with the version and record size of the zlib headers the program is built with.
int ZDecompressInit(z_stream& stream);
// Returns code when it is 0 or above, else raises EZDecompressionError.
int ZDecompressCheck(int code);

class TCustomZStream : public TStream {
 protected:
  explicit TCustomZStream(TStream* source);

  static constexpr int BufferSize = 65536;
  TStream* FStream;
  int64_t FStreamStart;  // where the compressed data begins in the source
  int64_t FStreamPos;    // where this stream last left the source
  z_stream FZStream{};
  std::vector<Bytef> FBuffer;
};

class TZDecompressionStream : public TCustomZStream {
 public:
  // Reads compressed data from source's current position; source must outlive the stream.
  explicit TZDecompressionStream(TStream* source);
  ~TZDecompressionStream() override;
  TZDecompressionStream(const TZDecompressionStream&) = delete;
  TZDecompressionStream& operator=(const TZDecompressionStream&) = delete;

  // Inflates up to count bytes; fewer when the zlib stream or the source ends. Once the zlib stream
  // has ended, the source stands on the byte after it.
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  // Forward only (or back to the start); returns the number of bytes inflated so far.
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t newSize) override;
  // True once inflate has met the end of the zlib stream.
  bool EndOfStream() const { return FEnded; }

 private:
  bool FEnded = false;
};

#include "toolkit/db/StreamBytes.h"

#include "toolkit/rtl/Classes.h"

namespace detail {

std::string ReadAllBytes(TStream& Stream) {
  std::string bytes(static_cast<size_t>(Stream.Size()), '\0');
  Stream.SetPosition(0);
  Stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  return bytes;
}

void WriteBytes(TStream& Stream, const std::string& Bytes) {
  Stream.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
}

}  // namespace detail

#pragma once
// Blob bytes to and from the runtime's streams.
#include <string>

class TStream;

namespace detail {
// Every byte of the stream, from its start.
std::string ReadAllBytes(TStream& Stream);
// Writes at the stream's position.
void WriteBytes(TStream& Stream, const std::string& Bytes);
}  // namespace detail

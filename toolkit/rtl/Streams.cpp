#include "toolkit/rtl/Classes.h"

#include <algorithm>

int64_t TStream::Size() {
  const int64_t pos = Seek(0, soCurrent);
  const int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count > 0 && Read(buffer, count) != count) throw EReadError("Erro de leitura do fluxo");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count > 0 && Write(buffer, count) != count) throw EWriteError("Erro de escrita no fluxo");
}

int64_t TStream::CopyFrom(TStream* source, int64_t count) {
  if (count == 0) {
    source->SetPosition(0);
    count = source->Size();
  }
  const int64_t total = count;
  std::vector<uint8_t> buf(size_t(std::min<int64_t>(count, 64 * 1024)));
  while (count > 0) {
    const int64_t n = std::min<int64_t>(count, int64_t(buf.size()));
    source->ReadBuffer(buf.data(), n);
    WriteBuffer(buf.data(), n);
    count -= n;
  }
  return total;
}

// ---- TMemoryStream

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream* stream) {
  stream->SetPosition(0);
  const int64_t size = stream->Size();
  std::vector<uint8_t> data(static_cast<size_t>(size));
  stream->ReadBuffer(data.data(), size);
  data_ = std::move(data);
  position_ = 0;
}

void TMemoryStream::SaveToStream(TStream* stream) { stream->WriteBuffer(data_.data(), Size()); }

std::string TStringStream::ReadString(int64_t count) {
  const int64_t n = Available(count);
  std::string r = data_.substr(size_t(position_), size_t(n));
  position_ += n;
  return r;
}

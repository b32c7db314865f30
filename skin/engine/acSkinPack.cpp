#include "skin/engine/acSkinPack.h"

#include "skin/engine/acZLibEx.h"
#include "toolkit/rtl/AnsiText.h"
#include "toolkit/rtl/FilePaths.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kNotPacked = "Loaded data is not a packed skin file";
// The smallest entry: name length, inflated size and the smallest zlib stream (8 bytes).
constexpr int64_t kSmallestEntry = 16;

// A little-endian 32-bit signed value; false at the end of the data.
bool ReadInt(TStream* s, int32_t& value) {
  uint8_t b[4];
  if (s->Read(b, 4) != 4) return false;
  value = int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
  return true;
}

}  // namespace

TacSkinConvertor::~TacSkinConvertor() { Clear(); }

void TacSkinConvertor::Clear() {
  while (!ImageItems.empty()) ImageItems.pop_back();
  Options.reset();
  PackedData.reset();
}

int TacSkinConvertor::IndexOf(const std::string& FileName) const {
  for (size_t i = 0; i < ImageItems.size(); ++i)
    if (AnsiSameText(ImageItems[i].FileName, FileName)) return int(i);
  return -1;
}

void TacSkinConvertor::ExtractPackedData(std::unique_ptr<TacSkinConvertor>& Convertor) {
  TacSkinConvertor& c = *Convertor;
  TStream* in = c.PackedData.get();
  auto refuse = [&Convertor]() {
    Convertor.reset();
    throw Exception(kNotPacked);
  };
  in->SetPosition(0);
  const int64_t size = in->Size();
  auto left = [&] { return size - in->Position(); };

  char signature[4];
  if (in->Read(signature, 4) != 4 || std::memcmp(signature, "ASzf", 4) != 0) refuse();
  int32_t count;
  if (!ReadInt(in, count) || count < 0 || count > left() / kSmallestEntry) refuse();
  c.LastIndex = count - 1;

  std::vector<uint8_t> piece(65536);
  for (int32_t i = 0; i < count; ++i) {
    int32_t nameLength;
    if (!ReadInt(in, nameLength) || nameLength < 0 || nameLength > left()) refuse();
    std::string name(size_t(nameLength), '\0');
    in->ReadBuffer(name.data(), nameLength);
    int32_t inflatedSize;
    if (!ReadInt(in, inflatedSize) || inflatedSize < 0) refuse();

    auto data = std::make_unique<TMemoryStream>();
    {
      TZDecompressionStream z(in);
      for (int64_t remaining = inflatedSize; remaining > 0;) {
        const int64_t n = std::min<int64_t>(remaining, int64_t(piece.size()));
        z.ReadBuffer(piece.data(), n);
        data->WriteBuffer(piece.data(), n);
        remaining -= n;
      }
      // Finish the zlib stream, so that the next entry is read from the byte after it (an entry of
      // size 0 has not touched it yet). More data than its size says does not fit the format.
      uint8_t extra;
      if (z.Read(&extra, 1) != 0) refuse();
      if (!z.EndOfStream()) throw EReadError("Erro de leitura do fluxo");
    }
    data->SetPosition(0);
    if (AnsiSameText(name, "OPTIONS.DAT")) {
      c.Options = std::move(data);
    } else {
      const bool isBitmap = AnsiSameText(ExtractFileExt(name), ".BMP");
      c.ImageItems.push_back(TacImageItem{std::move(name), isBitmap, std::move(data)});
    }
  }
}

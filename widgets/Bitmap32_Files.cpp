#include "widgets/Bitmap32_Files.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>

namespace {

constexpr uint32_t BI_RGB = 0, BI_BITFIELDS = 3;
constexpr size_t FileHeaderSize = 14, InfoHeaderSize = 40, CoreHeaderSize = 12;

[[noreturn]] void Invalid() { throw EBmpFormatError("Bitmap image is not valid"); }

struct TBytes {
  const uint8_t* Data;
  size_t Size;
  void Need(size_t Offset, size_t Count) const {
    if (Offset > Size || Count > Size - Offset) Invalid();
  }
  uint32_t U16(size_t Offset) const {
    Need(Offset, 2);
    return uint32_t(Data[Offset]) | uint32_t(Data[Offset + 1]) << 8;
  }
  uint32_t U32(size_t Offset) const { return U16(Offset) | U16(Offset + 2) << 16; }
};

void Put16(uint8_t* P, uint32_t V) {
  P[0] = uint8_t(V);
  P[1] = uint8_t(V >> 8);
}
void Put32(uint8_t* P, uint32_t V) {
  Put16(P, V);
  Put16(P + 2, V >> 16);
}

// One channel taken out of a pixel by its bit mask and widened to 8 bits.
struct TChannelMask {
  uint32_t Mask = 0;
  int Shift = 0;
  uint32_t Max = 0;
  explicit TChannelMask(uint32_t M) : Mask(M) {
    if (M == 0) return;
    Shift = std::countr_zero(M);
    Max = M >> Shift;
    if ((Max & (Max + 1)) != 0) Invalid();  // not one run of bits
  }
  uint32_t Value(uint32_t Pixel, uint32_t Missing) const {
    if (Mask == 0) return Missing;
    const uint64_t V = (Pixel & Mask) >> Shift;
    return uint32_t((V * 255 + Max / 2) / Max);
  }
};

}  // namespace

TPixelImage ReadBmp(const uint8_t* Data, size_t Size) {
  const TBytes In{Data, Size};
  if (In.U16(0) != 0x4D42) Invalid();  // "BM"
  const uint32_t OffBits = In.U32(10);
  const uint32_t HeaderSize = In.U32(FileHeaderSize);
  const size_t Info = FileHeaderSize;
  int64_t Width, Height;
  uint32_t BitCount, Compression = BI_RGB, ColoursUsed = 0;
  size_t PaletteEntry = 4;
  if (HeaderSize == CoreHeaderSize) {
    Width = In.U16(Info + 4);
    Height = In.U16(Info + 6);
    BitCount = In.U16(Info + 10);
    PaletteEntry = 3;
  } else if (HeaderSize >= InfoHeaderSize && HeaderSize <= 1024) {
    Width = int32_t(In.U32(Info + 4));
    Height = int32_t(In.U32(Info + 8));
    BitCount = In.U16(Info + 14);
    Compression = In.U32(Info + 16);
    ColoursUsed = In.U32(Info + 32);
  } else {
    Invalid();
  }
  const bool TopDown = Height < 0;
  if (TopDown) Height = -Height;
  if (Width < 0 || Height > INT_MAX) Invalid();

  size_t After = Info + HeaderSize;
  uint32_t Masks[4] = {0x7C00, 0x03E0, 0x001F, 0};  // red, green, blue, alpha
  if (BitCount == 32) {
    Masks[0] = 0xFF0000;
    Masks[1] = 0xFF00;
    Masks[2] = 0xFF;
  }
  if (Compression == BI_BITFIELDS) {
    if (BitCount != 16 && BitCount != 32) Invalid();
    // A 40-byte header has its three masks after it; larger ones hold them (and alpha) inside.
    const size_t At = HeaderSize == InfoHeaderSize ? After : Info + 40;
    for (int I = 0; I < 3; ++I) Masks[I] = In.U32(At + 4 * I);
    Masks[3] = HeaderSize >= 56 ? In.U32(Info + 52) : 0;
    if (HeaderSize == InfoHeaderSize) After += 12;
  } else if (Compression != BI_RGB) {
    Invalid();
  }
  std::vector<TColor32> Palette;
  if (BitCount == 1 || BitCount == 4 || BitCount == 8) {
    const uint32_t Most = 1u << BitCount;
    const uint32_t Count = ColoursUsed == 0 || ColoursUsed > Most ? Most : ColoursUsed;
    In.Need(After, Count * PaletteEntry);
    for (uint32_t I = 0; I < Count; ++I) {
      const uint8_t* E = Data + After + I * PaletteEntry;
      Palette.push_back(0xFF000000u | uint32_t(E[2]) << 16 | uint32_t(E[1]) << 8 | E[0]);
    }
    Palette.resize(Most, 0xFF000000u);  // indices past the palette draw black
    After += Count * PaletteEntry;
  } else if (BitCount != 16 && BitCount != 24 && BitCount != 32) {
    Invalid();
  }

  TPixelImage Image;
  if (Width == 0 || Height == 0) return Image;  // an empty picture is 0 x 0
  const size_t Stride = size_t((Width * BitCount + 31) / 32) * 4;
  const size_t Bits = OffBits >= After && OffBits < Size ? OffBits : After;
  In.Need(Bits, Stride * size_t(Height));  // before anything is allocated
  Image.Width = int(Width);
  Image.Height = int(Height);
  Image.Pixels.resize(size_t(Width) * size_t(Height));
  const TChannelMask R(Masks[0]), G(Masks[1]), B(Masks[2]), A(Masks[3]);
  const bool Raw32 = BitCount == 32 && Masks[0] == 0xFF0000 && Masks[1] == 0xFF00 && Masks[2] == 0xFF;
  for (int64_t Y = 0; Y < Height; ++Y) {
    const uint8_t* Row = Data + Bits + Stride * size_t(TopDown ? Y : Height - 1 - Y);
    TColor32* Out = Image.Pixels.data() + size_t(Y) * size_t(Width);
    for (int64_t X = 0; X < Width; ++X) {
      switch (BitCount) {
        case 1: case 4: case 8: {
          const uint64_t Bit = uint64_t(X) * BitCount;
          const uint32_t Index = (Row[Bit / 8] >> (8 - BitCount - Bit % 8)) & ((1u << BitCount) - 1);
          Out[X] = Palette[Index];
          break;
        }
        case 24: {
          const uint8_t* P = Row + X * 3;
          Out[X] = 0xFF000000u | uint32_t(P[2]) << 16 | uint32_t(P[1]) << 8 | P[0];
          break;
        }
        default: {
          const uint8_t* P = Row + X * (BitCount / 8);
          const uint32_t V = BitCount == 16 ? uint32_t(P[0]) | uint32_t(P[1]) << 8
                                            : uint32_t(P[0]) | uint32_t(P[1]) << 8 | uint32_t(P[2]) << 16 |
                                                  uint32_t(P[3]) << 24;
          Out[X] = Raw32 ? V
                         : A.Value(V, 255) << 24 | R.Value(V, 0) << 16 | G.Value(V, 0) << 8 | B.Value(V, 0);
        }
      }
    }
  }
  return Image;
}

std::vector<uint8_t> WriteBmp(const TPixelView& View) {
  const int W = View.Empty() ? 0 : View.Width, H = View.Empty() ? 0 : View.Height;
  const size_t Bits = FileHeaderSize + InfoHeaderSize, Image = size_t(W) * H * 4;
  std::vector<uint8_t> Out(Bits + Image, 0);
  uint8_t* P = Out.data();
  Put16(P, 0x4D42);
  Put32(P + 2, uint32_t(Out.size()));
  Put32(P + 10, uint32_t(Bits));
  P += FileHeaderSize;
  Put32(P, InfoHeaderSize);
  Put32(P + 4, uint32_t(W));
  Put32(P + 8, uint32_t(H));
  Put16(P + 12, 1);
  Put16(P + 14, 32);
  Put32(P + 16, BI_RGB);
  Put32(P + 20, uint32_t(Image));
  for (int Y = 0; Y < H; ++Y)
    std::memcpy(Out.data() + Bits + size_t(H - 1 - Y) * W * 4, View.ScanLine(Y), size_t(W) * 4);
  return Out;
}

TPixelImage ReadStoredData(const uint8_t* Data, size_t Size) {
  const TBytes In{Data, Size};
  TPixelImage Image;
  Image.Width = std::max(0, int32_t(In.U32(0)));
  Image.Height = std::max(0, int32_t(In.U32(4)));
  if (Image.Width == 0 || Image.Height == 0) {
    Image.Width = Image.Height = 0;
    return Image;
  }
  const size_t Count = size_t(Image.Width) * size_t(Image.Height);
  if (Count > (Size - 8) / 4) Invalid();
  Image.Pixels.resize(Count);
  std::memcpy(Image.Pixels.data(), Data + 8, Count * 4);
  return Image;
}

std::vector<uint8_t> WriteStoredData(const TPixelView& View) {
  const int W = View.Empty() ? 0 : View.Width, H = View.Empty() ? 0 : View.Height;
  std::vector<uint8_t> Out(8 + size_t(W) * H * 4);
  Put32(Out.data(), uint32_t(W));
  Put32(Out.data() + 4, uint32_t(H));
  for (int Y = 0; Y < H; ++Y) std::memcpy(Out.data() + 8 + size_t(Y) * W * 4, View.ScanLine(Y), size_t(W) * 4);
  return Out;
}

#include "widgets/Bitmap32_Blend.h"

#include "widgets/PixelTestImage.h"

#include <gtest/gtest.h>

namespace {

// Slow references, channel by channel, straight from the arithmetic the routines promise.
TColor32 RefCombine(TColor32 X, TColor32 Y, TColor32 W) {
  if (W == 0) return Y;
  if (W == 255) return X;
  TColor32 R = 0;
  for (int I = 0; I < 4; ++I)
    R |= TColor32((Channel(X, I) * W + 128) / 256 + (Channel(Y, I) * (255 - W) + 128) / 256) << (8 * I);
  return R;
}
TColor32 RefBlendEx(TColor32 F, TColor32 B, TColor32 M) {
  const TColor32 A = ((M + 1) * (F >> 24)) >> 8;
  if (A == 0) return B;
  if (A >= 255) return F;
  return RefCombine(F, B, A);
}

const TColor32 Colours[] = {0x00000000, 0xFFFFFFFF, 0xFF000000, 0x00FFFFFF, 0x80402010, 0x7F7F7F7F,
                            0x01FE01FE, 0x12345678, 0xFEDCBA98, 0x80808080, 0xFF00FF00, 0x00FF00FF};

TEST(Blend, CombineRegMatchesReferenceForEveryWeight) {
  for (TColor32 X : Colours)
    for (TColor32 Y : Colours)
      for (TColor32 W = 0; W < 256; ++W) {
        ASSERT_EQ(CombineReg(X, Y, W), RefCombine(X, Y, W)) << std::hex << X << " " << Y << " " << W;
        TColor32 Mem = Y;
        CombineMem(X, Mem, W);
        ASSERT_EQ(Mem, RefCombine(X, Y, W));
      }
}

TEST(Blend, CombineEndWeightsGiveTheOperandsExactly) {
  for (TColor32 X : Colours)
    for (TColor32 Y : Colours) {
      EXPECT_EQ(CombineReg(X, Y, 0), Y);
      EXPECT_EQ(CombineReg(X, Y, 255), X);
    }
}

TEST(Blend, BlendRegAndExMatchReferenceForEveryAlpha) {
  const TColor32 Masters[] = {0, 1, 64, 127, 128, 200, 254, 255};
  for (TColor32 Rgb : Colours)
    for (TColor32 A = 0; A < 256; ++A) {
      const TColor32 F = (Rgb & 0xFFFFFF) | (A << 24);
      for (TColor32 B : Colours) {
        ASSERT_EQ(BlendReg(F, B), RefBlendEx(F, B, 255));
        TColor32 Mem = B;
        BlendMem(F, Mem);
        ASSERT_EQ(Mem, RefBlendEx(F, B, 255));
        for (TColor32 M : Masters) {
          ASSERT_EQ(BlendRegEx(F, B, M), RefBlendEx(F, B, M)) << std::hex << F << " " << B << " " << M;
          Mem = B;
          BlendMemEx(F, Mem, M);
          ASSERT_EQ(Mem, RefBlendEx(F, B, M));
        }
      }
    }
}

TEST(Blend, TransparentForegroundKeepsBackground) {
  for (TColor32 B : Colours) EXPECT_EQ(BlendReg(0x00FFFFFF, B), B);
}

// The line routines run four pixels at a time plus a tail: every length and alignment, and runs
// of all-opaque and all-transparent groups, must give the scalar bits.
TEST(Blend, LinesGiveTheScalarBits) {
  for (bool Avx2 : {true, false}) {
  detail::BlendWithAvx2 = Avx2;
  std::mt19937 Rng(7);
  for (int Count = 0; Count <= 45; ++Count)
    for (int Offset = 0; Offset < 3; ++Offset)
      for (TColor32 M : {0u, 1u, 100u, 255u}) {
        std::vector<TColor32> Src(Count + Offset), Dst(Count + Offset);
        for (int I = 0; I < Count + Offset; ++I) {
          const int Kind = ((I + 8 - Offset) / 8 + Count) % 3;  // groups of 8: clear, opaque, mixed
          const TColor32 A = Kind == 0 ? 0 : Kind == 1 ? 255 : Rng() & 0xFF;
          Src[I] = (Rng() & 0xFFFFFF) | (A << 24);
          Dst[I] = Rng();
        }
        std::vector<TColor32> Plain = Dst, Ex = Dst;
        BlendLine(Src.data() + Offset, Plain.data() + Offset, Count);
        BlendLineEx(Src.data() + Offset, Ex.data() + Offset, Count, M);
        for (int I = 0; I < Count + Offset; ++I) {
          const bool In = I >= Offset;
          ASSERT_EQ(Plain[I], In ? BlendReg(Src[I], Dst[I]) : Dst[I]) << Count << " " << I;
          ASSERT_EQ(Ex[I], In ? BlendRegEx(Src[I], Dst[I], M) : Dst[I]) << Count << " " << I << " " << M;
        }
      }
  }
  detail::BlendWithAvx2 = true;
}

// Every alpha against every pair of foreground and background values of a colour channel, on both
// paths: a pixel carries three pairs, one a channel, each channel a third of the background values;
// the alpha channel itself meets every background alpha. Neighbours differ in alpha, so that clear and
// opaque pixels share registers with the others. With master alphas, every 15th foreground value.
// The expected pixels come one at a time, through the lines' scalar loop.
TEST(Blend, LinesGiveTheScalarBitsForEveryAlphaAndValue) {
  constexpr TColor32 Terco = 86;  // 3 * 86 covers 0 .. 255
  for (TColor32 M : {256u, 255u, 100u}) {  // 256: no master alpha
    const TColor32 Passo = M == 256 ? 1 : 15, Valores = (255 + Passo) / Passo;
    std::vector<TColor32> Src(256 * Valores * Terco), Dst(Src.size());
    size_t I = 0;
    for (TColor32 F = 0; F < 256; F += Passo)
      for (TColor32 J = 0; J < Terco; ++J)
        for (TColor32 A = 0; A < 256; ++A, ++I) {
          Src[I] = A << 24 | F << 16 | F << 8 | F;
          Dst[I] = J << 24 | (J + 2 * Terco) % 256 << 16 | (J + Terco) << 8 | J;
        }
    std::vector<TColor32> Esperado = Dst;
    for (I = 0; I < Src.size(); ++I)
      M == 256 ? BlendLine(&Src[I], &Esperado[I], 1) : BlendLineEx(&Src[I], &Esperado[I], 1, M);
    for (bool Avx2 : {true, false}) {
      detail::BlendWithAvx2 = Avx2;
      std::vector<TColor32> Linha = Dst;
      if (M == 256) BlendLine(Src.data(), Linha.data(), int(Linha.size()));
      else BlendLineEx(Src.data(), Linha.data(), int(Linha.size()), M);
      if (Linha != Esperado) {
        I = 0;
        while (Linha[I] == Esperado[I]) ++I;
        FAIL() << std::hex << Src[I] << " over " << Dst[I] << " master " << M << " avx2 " << Avx2 << ": " << Linha[I]
               << ", expected " << Esperado[I];
      }
    }
  }
  detail::BlendWithAvx2 = true;
}

}  // namespace

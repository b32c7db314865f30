#include "widgets/Bitmap32_Resamplers.h"

#include "widgets/PixelTestImage.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const TPixelRect Everywhere{-100000, -100000, 100000, 100000};
const TStretchFilter Filters[] = {sfNearest, sfLinear, sfSpline, sfLanczos, sfMitchell};

TEST(Resample, KernelValues) {
  struct Case { TFilterFunction F; float X, Want; };
  const Case Cases[] = {
      {NearestFilter, 0.5f, 1},       {NearestFilter, -0.5f, 0},    {NearestFilter, 0.7f, 0},
      {LinearFilter, 0, 1},           {LinearFilter, -0.25f, 0.75f}, {LinearFilter, 1, 0},
      {LinearFilter, -1, 0},          {SplineFilter, 0, 2.0f / 3},   {SplineFilter, 1, 1.0f / 6},
      {SplineFilter, -1.5f, 0.125f / 6}, {SplineFilter, 2, 0},       {LanczosFilter, 0, 1},
      {LanczosFilter, 1, 0},          {LanczosFilter, 3, 0},         {LanczosFilter, -1.5f, -0.1350949f},
      {MitchellFilter, 0, 16.0f / 18}, {MitchellFilter, 1, 1.0f / 18}, {MitchellFilter, -1.5f, -0.0347222f},
      {MitchellFilter, 2, 0},
  };
  for (const Case& C : Cases) EXPECT_NEAR(C.F(C.X), C.Want, 1e-6) << C.X;
  EXPECT_EQ(FilterKernel(sfNearest).Radius, 1);
  EXPECT_EQ(FilterKernel(sfLinear).Radius, 1);
  EXPECT_EQ(FilterKernel(sfSpline).Radius, 2);
  EXPECT_EQ(FilterKernel(sfLanczos).Radius, 3);
  EXPECT_EQ(FilterKernel(sfMitchell).Radius, 2);
}

TEST(Resample, EveryContributorListSumsTo256InsideTheSource) {
  const int Sizes[] = {1, 2, 3, 4, 5, 7, 16, 33, 100, 640, 1600};
  for (bool Edge : {true, false}) {
    FullEdge = Edge;
    for (TStretchFilter Filter : Filters)
      for (int SrcW : Sizes)
        for (int DstW : Sizes) {
          const TMappingTable Table = BuildMappingTable(10, 10 + DstW, 10, 10 + DstW, 5, 5 + SrcW, Filter);
          ASSERT_EQ(Table.size(), size_t(DstW));
          for (const auto& List : Table) {
            int Sum = 0;
            for (const TPointRec& P : List) {
              ASSERT_GE(P.Pos, 5);
              ASSERT_LT(P.Pos, 5 + SrcW);
              Sum += P.Weight;
            }
            ASSERT_EQ(Sum, 256) << Filter << " " << SrcW << "->" << DstW;
          }
        }
  }
  FullEdge = true;
}

TEST(Resample, TableShapes) {
  EXPECT_TRUE(BuildMappingTable(0, 4, 0, 4, 3, 3, sfLinear).empty());
  EXPECT_TRUE(BuildMappingTable(0, 4, 2, 2, 0, 9, sfLinear).empty());
  // A one-pixel source gives every target position that pixel.
  for (const auto& List : BuildMappingTable(0, 9, 2, 7, 4, 5, sfLanczos)) {
    ASSERT_EQ(List.size(), 1u);
    EXPECT_EQ(List[0].Pos, 4);
    EXPECT_EQ(List[0].Weight, 256);
  }
  // Clipping takes the lists of the clipped positions.
  const TMappingTable Whole = BuildMappingTable(0, 20, 0, 20, 0, 7, sfMitchell);
  const TMappingTable Part = BuildMappingTable(0, 20, 5, 9, 0, 7, sfMitchell);
  ASSERT_EQ(Part.size(), 4u);
  for (int I = 0; I < 4; ++I) {
    ASSERT_EQ(Part[I].size(), Whole[5 + I].size());
    for (size_t J = 0; J < Part[I].size(); ++J) EXPECT_EQ(Part[I][J].Weight, Whole[5 + I][J].Weight);
  }
}

TEST(Resample, FourColumnsToOneWithLinear) {
  for (int SrcLo : {0, 10}) {
    const TMappingTable Table = BuildMappingTable(0, 1, 0, 1, SrcLo, SrcLo + 4, sfLinear);
    ASSERT_EQ(Table.size(), 1u);
    const int Weights[] = {8, 24, 40, 56, 56, 40, 24, 8};
    ASSERT_EQ(Table[0].size(), 8u);
    for (int I = 0; I < 8; ++I) {
      EXPECT_EQ(Table[0][I].Pos, std::clamp(SrcLo - 2 + I, SrcLo, SrcLo + 3));
      EXPECT_EQ(Table[0][I].Weight, Weights[I]);
    }
  }
}

TTestImage Resized(const TTestImage& Src, int W, int H, TStretchFilter Filter) {
  TTestImage Dst(W, H, 0x5A5A5A5A);
  StretchTransfer(Dst.View, {0, 0, W, H}, Everywhere, Src.View, Src.View.BoundsRect(), Filter, {});
  return Dst;
}

TEST(Resample, ConstantImageStaysConstant) {
  const int Sizes[][2] = {{1, 1}, {1, 7}, {3, 2}, {5, 5}, {17, 9}, {64, 1}, {1, 300}, {2000, 1}, {40, 30}};
  for (TStretchFilter Filter : Filters)
    for (auto [SW, SH] : Sizes)
      for (auto [DW, DH] : Sizes) {
        const TTestImage Src(SW, SH, 0x80C0E0F0);
        const TTestImage Dst = Resized(Src, DW, DH, Filter);
        for (TColor32 P : Dst.Pixels)
          ASSERT_EQ(P, 0x80C0E0F0u) << Filter << " " << SW << "x" << SH << "->" << DW << "x" << DH;
      }
}

// One white pixel in black, enlarged k times: the row through it traces the kernel.
TEST(Resample, ImpulseGivesTheKernel) {
  for (TStretchFilter Filter : {sfSpline, sfLanczos, sfMitchell}) {
    const int N = 13, Mid = 6, K = 8;
    TTestImage Src(N, 1, 0);
    Src(Mid, 0) = 0x00FF0000;  // red only: negative lobes clamp to 0 instead of wrapping
    const TTestImage Dst = Resized(Src, N * K, 1, Filter);
    const TFilterKernel Kernel = FilterKernel(Filter);
    for (int X = 0; X < N * K; ++X) {
      const double Center = (X + 0.5) / K - 0.5;
      const double Want = std::clamp(255.0 * Kernel.Function(float(Center - Mid)), 0.0, 255.0);
      EXPECT_NEAR(Channel(Dst(X, 0), 2), Want, 2.5) << Filter << " " << X;
      EXPECT_EQ(Dst(X, 0) & 0xFF00FFFF, 0u);
    }
  }
}

TEST(Resample, LinearDoublingInterpolatesBetweenNeighbours) {
  TTestImage Src(4, 1);
  const TColor32 Values[] = {0xFF000000, 0xFF804020, 0xFFFFFFFF, 0x00102030};
  for (int X = 0; X < 4; ++X) Src(X, 0) = Values[X];
  // The target row repeats the one source row, so the vertical mix is the source itself.
  const TTestImage Dst = Resized(Src, 8, 2, sfLinear);
  auto Mix = [](TColor32 A, TColor32 B, int W) {
    TColor32 R = 0;
    for (int I = 0; I < 4; ++I) R |= TColor32((Channel(A, I) * W + Channel(B, I) * (256 - W)) >> 8) << (8 * I);
    return R;
  };
  EXPECT_EQ(Dst(0, 0), Values[0]);
  for (int I = 0; I < 3; ++I) {
    EXPECT_EQ(Dst(2 * I + 1, 0), Mix(Values[I], Values[I + 1], 192));
    EXPECT_EQ(Dst(2 * I + 2, 0), Mix(Values[I], Values[I + 1], 64));
  }
  EXPECT_EQ(Dst(7, 0), Values[3]);
  EXPECT_EQ(Dst.Pixels[8 + 3], Dst.Pixels[3]);
}

TEST(Resample, LinearEnlargementKeepsTheCorners) {
  for (bool Edge : {true, false}) {
    FullEdge = Edge;
    const TTestImage Src = TTestImage::Random(2, 2, 11);
    const TTestImage Dst = Resized(Src, 4, 4, sfLinear);
    EXPECT_EQ(Dst(0, 0), Src(0, 0));
    EXPECT_EQ(Dst(3, 0), Src(1, 0));
    EXPECT_EQ(Dst(0, 3), Src(0, 1));
    EXPECT_EQ(Dst(3, 3), Src(1, 1));
  }
  FullEdge = true;
}

TEST(Resample, LinearEnlargementOnlyEnlarges) {
  TTestImage Src(4, 4), Dst(8, 8);
  EXPECT_THROW(LinearEnlarge(Dst.View, {0, 0, 8, 4}, Everywhere, Src.View, {0, 0, 4, 4}, {}), std::logic_error);
  EXPECT_THROW(LinearEnlarge(Dst.View, {0, 0, 8, 8}, Everywhere, Src.View, {0, 0, 5, 4}, {}), ETransformError);
  EXPECT_THROW(Resample(Dst.View, {0, 0, 8, 8}, Everywhere, Src.View, {0, 0, 4, 0}, sfSpline, {}), ETransformError);
}

// Enlarging a picture's corner keeps every read inside the picture (ASan watches the exact buffer).
TEST(Resample, EnlargingTheLastRowsAndColumnsReadsInside) {
  for (bool Edge : {true, false}) {
    FullEdge = Edge;
    const TTestImage Src = TTestImage::Random(5, 4, 12);
    for (TPixelRect SrcRect : {TPixelRect{4, 3, 5, 4}, TPixelRect{3, 2, 5, 4}, TPixelRect{0, 0, 5, 4}})
      for (TStretchFilter Filter : Filters) {
        TTestImage Dst(11, 9);
        StretchTransfer(Dst.View, Dst.View.BoundsRect(), Everywhere, Src.View, SrcRect, Filter, {});
        // Nearest and bilinear sampling, or a one-pixel source, reach the last source pixel exactly.
        if (Filter <= sfLinear || SrcRect.Width() == 1) { EXPECT_EQ(Dst(10, 8), Src(4, 3)) << Filter; }
      }
  }
  FullEdge = true;
}

TEST(Resample, HardEdgeStaysInRange) {
  TTestImage Src(8, 1, 0xFF000000);
  for (int X = 4; X < 8; ++X) Src(X, 0) = 0xFFFFFFFF;
  for (TStretchFilter Filter : {sfSpline, sfLanczos, sfMitchell}) {
    const TTestImage Dst = Resized(Src, 64, 1, Filter);
    for (int X = 0; X < 64; ++X) {
      const int Red = Channel(Dst(X, 0), 2);
      if (X < 24) { EXPECT_LE(Red, 40) << Filter << " " << X; }   // never wrapped to white
      if (X >= 40) { EXPECT_GE(Red, 215) << Filter << " " << X; }  // never wrapped to black
      if (X > 0) { EXPECT_GE(Red + 40, Channel(Dst(X - 1, 0), 2)); }
    }
  }
}

TEST(Resample, HugeRatios) {
  const TTestImage Src = TTestImage::Random(3, 2, 13);
  for (TStretchFilter Filter : Filters) {
    const TTestImage Big = Resized(Src, 3000, 3, Filter);
    const TTestImage Small = Resized(Big, 1, 1, Filter);
    const TTestImage Thin = Resized(TTestImage::Random(5000, 1, 14), 2, 1, Filter);
    EXPECT_NE(Small(0, 0), 0x5A5A5A5Au);
    EXPECT_NE(Thin(1, 0), 0x5A5A5A5Au);
  }
}

// The SIMD passes against the plain ones: random pictures, every filter, odd sizes, huge ratios
// (whose sums take the wide path), clipped targets.
TEST(Resample, SimdPassesGiveThePlainBits) {
  const int Sizes[][2] = {{1, 1}, {3, 5}, {7, 2}, {17, 13}, {64, 48}, {1000, 2}, {2, 700}};
  const TPixelRect Clips[] = {Everywhere, {3, 1, 11, 40}};
  uint32_t Seed = 20;
  for (TStretchFilter Filter : {sfLinear, sfSpline, sfLanczos, sfMitchell})
    for (auto [SW, SH] : Sizes)
      for (auto [DW, DH] : Sizes)
        for (const TPixelRect& Clip : Clips) {
          const TTestImage Src = TTestImage::Random(SW, SH, ++Seed);
          TTestImage Simd(DW, DH), Plain(DW, DH);
          Resample(Simd.View, Simd.View.BoundsRect(), Clip, Src.View, Src.View.BoundsRect(), Filter, {});
          detail::ResampleWithSse41 = false;
          Resample(Plain.View, Plain.View.BoundsRect(), Clip, Src.View, Src.View.BoundsRect(), Filter, {});
          detail::ResampleWithSse41 = true;
          ASSERT_EQ(Simd.Pixels, Plain.Pixels) << Filter << " " << SW << "x" << SH << "->" << DW << "x" << DH;
        }
}

}  // namespace

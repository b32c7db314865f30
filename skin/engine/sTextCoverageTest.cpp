// Text mixing, the glow's blur and blend on synthetic coverage masks, and the "..." shortening with a
// fixed-width measure.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "skin/engine/sTextCoverage.h"
#include "skin/engine/sTextEllipsis.h"
#include "widgets/PixelTestImage.h"

namespace {

// A gray mask stored bottom-up with padded rows, as an 8-bit bitmap holds it.
struct TTestMask {
  int Width, Height, Pitch;
  std::vector<uint8_t> Bytes;
  TMaskView View;
  TTestMask(int W, int H, uint8_t Fill = 255)
      : Width(W), Height(H), Pitch((W + 3) & ~3), Bytes(size_t(Pitch) * H, Fill),
        View{Bytes.data() + size_t(Pitch) * (H - 1), W, H, -Pitch} {}
  uint8_t& operator()(int X, int Y) { return View.ScanLine(Y)[X]; }
};

// The weights before any cut: exp(-(i / d)^2 / 2) over -100..100, summing to 1.
std::vector<double> FullKernel(double D) {
  std::vector<double> W;
  double Sum = 0;
  for (int I = -100; I <= 100; ++I) W.push_back(std::exp(-(I / D) * (I / D) / 2)), Sum += W.back();
  for (double& V : W) V /= Sum;
  return W;
}

// Twice the weights beyond offset R (what a kernel of radius R leaves out).
double Tail(const std::vector<double>& W, int R) {
  double S = 0;
  for (int I = R + 1; I <= 100; ++I) S += 2 * W[size_t(I + 100)];
  return S;
}

TEST(TextCoverage, BlurKernelIsCutWhereItsTailReachesHalfAGrayLevel) {
  for (const double D : {0.1, 0.5, 1.0, 2.0, 3.0, 7.5, 20.0, 60.0}) {
    const TBlurKernel K = MakeBlurKernel(D);
    const std::vector<double> W = FullKernel(D);
    ASSERT_EQ(K.Weights.size(), size_t(2 * K.Radius + 1)) << D;
    double Sum = 0;
    for (int I = -K.Radius; I <= K.Radius; ++I) {
      Sum += K[I];
      EXPECT_DOUBLE_EQ(K[I], K[-I]) << D;
      EXPECT_NEAR(K[I] / K[0], W[size_t(I + 100)] / W[100], 1e-12) << D;
    }
    EXPECT_NEAR(Sum, 1.0, 1e-12) << D;
    if (K.Radius == 1) {
      EXPECT_LT(Tail(W, 2), 1.0 / 510) << D;  // stopped by the radius
    } else {
      // The last weight cut took the tail to half a gray level; the one before it had not.
      EXPECT_GE(Tail(W, K.Radius), 1.0 / 510 - 1e-15) << D;
      EXPECT_LT(Tail(W, K.Radius + 1), 1.0 / 510) << D;
    }
  }
  EXPECT_EQ(MakeBlurKernel(0.1).Radius, 1);
  EXPECT_EQ(MakeBlurKernel(1.0).Radius, 2);
  for (const double D : {0.0, -3.0, std::nan("")}) {
    const TBlurKernel K = MakeBlurKernel(D);
    EXPECT_EQ(K.Radius, 0);
    EXPECT_EQ(K.Weights, std::vector<double>{1.0});
  }
}

TEST(TextCoverage, BlurRunsOverRowsThenColumnsWithClampedEdges) {
  TTestMask M(13, 7);
  std::mt19937 Rng(5);
  for (int Y = 0; Y < 7; ++Y)
    for (int X = 0; X < 13; ++X) M(X, Y) = uint8_t(Rng());
  std::vector<std::vector<double>> Want(7, std::vector<double>(13));
  for (int Y = 0; Y < 7; ++Y)
    for (int X = 0; X < 13; ++X) Want[Y][X] = M(X, Y);
  const double D = 1.5;
  const TBlurKernel K = MakeBlurKernel(D);
  auto Pass = [&](bool Rows) {
    auto Old = Want;
    for (int Y = 0; Y < 7; ++Y)
      for (int X = 0; X < 13; ++X) {
        double S = 0;
        for (int N = -K.Radius; N <= K.Radius; ++N)
          S += K[N] * (Rows ? Old[Y][std::clamp(X + N, 0, 12)] : Old[std::clamp(Y + N, 0, 6)][X]);
        Want[Y][X] = std::clamp(std::nearbyint(S), 0.0, 255.0);
      }
  };
  Pass(true);
  Pass(false);
  const std::vector<uint8_t> Padding(M.Bytes);
  BlurMask(M.View, D);
  for (int Y = 0; Y < 7; ++Y)
    for (int X = 0; X < 13; ++X) EXPECT_EQ(M(X, Y), Want[Y][X]) << X << "," << Y;
  for (int Y = 0; Y < 7; ++Y)  // the row padding is not touched
    for (int X = 13; X < M.Pitch; ++X) EXPECT_EQ(M(X, Y), Padding[size_t((6 - Y) * M.Pitch + X)]);

  // A flat mask stays flat; an edge column spreads inwards only.
  TTestMask Flat(9, 4, 77);
  BlurMask(Flat.View, 3);
  for (int Y = 0; Y < 4; ++Y)
    for (int X = 0; X < 9; ++X) EXPECT_EQ(Flat(X, Y), 77);
  TTestMask Edge(9, 3);
  for (int Y = 0; Y < 3; ++Y) Edge(0, Y) = 0;
  BlurMask(Edge.View, 1);
  EXPECT_LT(Edge(0, 1), Edge(1, 1));
  EXPECT_LT(Edge(1, 1), 255);
  EXPECT_EQ(Edge(8, 1), 255);
  EXPECT_EQ(Edge(0, 0), Edge(0, 2));  // rows clamped at top and bottom alike
}

TEST(TextCoverage, NoDeviationNoBlur) {
  TTestMask M(5, 5);
  M(2, 2) = 0;
  const std::vector<uint8_t> Before = M.Bytes;
  BlurMask(M.View, 0);
  EXPECT_EQ(M.Bytes, Before);
  BlurMask(M.View, -2);
  EXPECT_EQ(M.Bytes, Before);
}

TEST(TextCoverage, GlowBlendFollowsTheMaskAndKeepsToTheBitmap) {
  const TColor Glow = 0x3080F0;  // red F0, green 80, blue 30
  TTestImage Big = TTestImage::Random(12, 10, 9);
  const TTestImage Before(Big);
  // The target is the middle 8 x 6 of the buffer; the guard ring around it must not change.
  TTestMask M(5, 4);
  const uint8_t Values[5] = {0, 1, 128, 254, 255};
  for (int Y = 0; Y < 4; ++Y)
    for (int X = 0; X < 5; ++X) M(X, Y) = Values[(X + Y) % 5];
  for (const auto& [L, T] : std::vector<std::pair<int, int>>{{1, 1}, {-2, -1}, {6, 4}, {-5, 0}, {8, 6}}) {
    TTestImage Img(Before);
    const TPixelView V{Img.View.PixelPtr(2, 2), 8, 6, 12};
    BlendGlow(V, L, T, M.View, Glow);
    for (int Y = 0; Y < 10; ++Y)
      for (int X = 0; X < 12; ++X) {
        const int Mx = X - 2 - L, My = Y - 2 - T;
        const bool Inside = X >= 2 && X < 10 && Y >= 2 && Y < 8 && Mx >= 0 && Mx < 5 && My >= 0 && My < 4;
        TColor32 Want = Before(X, Y);
        if (Inside && M(Mx, My) != 255) {
          const int G[3] = {0x30, 0x80, 0xF0}, Mv = M(Mx, My), A = Channel(Want, 3);
          TColor32 Out = uint32_t(A + (255 - Mv) * (255 - A) / 255) << 24;
          for (int I = 0; I < 3; ++I) Out |= uint32_t(G[I] + (Channel(Want, I) - G[I]) * Mv / 255) << (8 * I);
          Want = Out;
        }
        EXPECT_EQ(Img(X, Y), Want) << L << "," << T << " at " << X << "," << Y;
      }
  }
}

TEST(TextCoverage, MixedTextTakesInkGradedEdgesAndLeavesWhite) {
  const TColor Color = 0x204060;  // red 60, green 40, blue 20
  TTestImage Mask(4, 1);
  Mask(0, 0) = 0x00000000;  // solid ink
  Mask(1, 0) = 0x00808080;  // graded edge, g = 128
  Mask(2, 0) = 0x00FFFFFF;  // white of the text cells
  Mask(3, 0) = 0xFFFFFFFF;  // white of the filled background
  TTestImage Dst(4, 1, 0x40A0B0C0);
  MixTextCoverage(Dst.View, 0, 0, Mask.View, Color);
  EXPECT_EQ(Dst(0, 0), 0xFF604020u);
  auto Mix = [](int T, int C, int G) { return uint32_t(((T - C) * G + C * 256) >> 8); };
  EXPECT_EQ(Dst(1, 0), 0xFF000000u | Mix(0xA0, 0x60, 128) << 16 | Mix(0xB0, 0x40, 128) << 8 | Mix(0xC0, 0x20, 128));
  EXPECT_EQ(Dst(2, 0), 0x40A0B0C0u);
  EXPECT_EQ(Dst(3, 0), 0x40A0B0C0u);

  // Near-white mixes a little: g = 254.
  Mask(0, 0) = 0x00FEFEFE;
  TTestImage One(1, 1, 0x00FFFFFF);
  MixTextCoverage(One.View, 0, 0, TPixelView{Mask.View.Bits, 1, 1, 4}, Color);
  EXPECT_EQ(One(0, 0), 0xFF000000u | Mix(0xFF, 0x60, 254) << 16 | Mix(0xFF, 0x40, 254) << 8 | Mix(0xFF, 0x20, 254));
}

TEST(TextCoverage, MixedTextPartlyLeftOfOrAboveTheBitmapMixesOnlyTheVisiblePart) {
  TTestImage Ink(5, 4, 0x00000000);  // all solid
  const TColor32 Bg = 0x11223344, Want = 0xFF0000FF;  // colour 0xFF0000 is blue
  for (const auto& [L, T] : std::vector<std::pair<int, int>>{{-2, 0}, {0, -3}, {-4, -3}, {3, 2}, {-5, 0}, {0, -4},
                                                             {6, 0}, {1, 5}, {-1000000, -2000000000}}) {
    TTestImage Big(10, 9, 0xDEADBEEF);
    const TPixelView V{Big.View.PixelPtr(2, 2), 6, 5, 10};
    for (int Y = 0; Y < 5; ++Y)
      for (int X = 0; X < 6; ++X) *V.PixelPtr(X, Y) = Bg;
    MixTextCoverage(V, L, T, Ink.View, 0xFF0000);
    for (int Y = 0; Y < 9; ++Y)
      for (int X = 0; X < 10; ++X) {
        const bool InView = X >= 2 && X < 8 && Y >= 2 && Y < 7;
        const int Mx = X - 2 - L, My = Y - 2 - T;
        const bool Under = InView && Mx >= 0 && Mx < 5 && My >= 0 && My < 4;
        EXPECT_EQ(Big(X, Y), !InView ? 0xDEADBEEF : Under ? Want : Bg) << L << "," << T << " at " << X << "," << Y;
      }
  }
}

TEST(TextEllipsis, ShortensWithAFixedWidthMeasure) {
  const auto Fixed = [](const std::string& S) { return int(S.size()) * 7; };
  EXPECT_EQ(EllipsisText("ABCDEFGH", 0, Fixed), "");
  EXPECT_EQ(EllipsisText("ABCDEFGH", -5, Fixed), "");
  EXPECT_EQ(EllipsisText("ABCDEFGH", 56, Fixed), "ABCDEFGH");  // fits exactly: unchanged
  EXPECT_EQ(EllipsisText("ABCDEFGH", 55, Fixed), "ABCD...");
  EXPECT_EQ(EllipsisText("ABCDEFGH", 28, Fixed), "A...");
  EXPECT_EQ(EllipsisText("ABCDEFGH", 27, Fixed), "");
  EXPECT_EQ(EllipsisText("", 40, Fixed), "");
  // One character wider than the width with "..." after it.
  const auto Wide = [](const std::string& S) { return S.empty() ? 0 : 30 + int(S.size() - 1) * 7; };
  EXPECT_EQ(EllipsisText("W", 20, Wide), "");
  EXPECT_EQ(EllipsisText("W", 30, Wide), "W");
  EXPECT_EQ(EllipsisText("WWWWW", 51, Wide), "W...");
}

}  // namespace

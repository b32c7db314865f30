#include "skin/engine/sGlyphEffects.h"

#include <gtest/gtest.h>

#include <cmath>

#include "widgets/PixelTestImage.h"

namespace {

constexpr TColor32 A = 0x7F102030, B = 0x7F605040;  // alpha 0x7F kept throughout
constexpr TColor ControlColour = TColor(0x0000FF);      // red

TColor32 Gray(TColor32 P) {
  const TColor32 V = (Channel(P, 0) + Channel(P, 1) + Channel(P, 2)) / 3;
  return (P & 0xFF000000) | V << 16 | V << 8 | V;
}
// round(p * 0.5 + c * 0.5) per colour byte, ties to even; C in pixel order.
TColor32 Half(TColor32 P, TColor32 C) {
  TColor32 Out = P & 0xFF000000;
  for (int I = 0; I < 3; ++I) {
    const int S = Channel(P, I) + Channel(C, I);
    const int V = S / 2 + ((S & 1) && ((S / 2) & 1));
    Out |= TColor32(V) << (8 * I);
  }
  return Out;
}

TEST(GlyphEffects, GrayThenHalfwayTowardTheRecordsOrTheControlsColour) {
  struct Case {
    int Effects;
    TColor Record;
    TColor32 (*Want)(TColor32);
    bool AsksControl;
  } const Cases[] = {
      {0, TColor(0x000000), [](TColor32 P) { return P; }, false},
      {GlyphGrayed, TColor(0x000000), [](TColor32 P) { return Gray(P); }, false},
      {GlyphBlended, TColor(0x204060), [](TColor32 P) { return Half(P, 0x00604020); }, false},
      {GlyphBlended, clFuchsia, [](TColor32 P) { return Half(P, 0x00FF0000); }, true},
      {GlyphBlended | GlyphGrayed, TColor(0x204060), [](TColor32 P) { return Half(Gray(P), 0x00604020); }, false},
      {GlyphBlended | GlyphGrayed, clFuchsia, [](TColor32 P) { return Half(Gray(P), 0x00FF0000); }, true},
  };
  for (const Case& C : Cases) {
    TTestImage Bmp(3, 2, A);
    Bmp(1, 1) = B;
    int Asked = 0;
    ApplyGlyphEffects(Bmp.View, C.Effects, {{}, 0, 0, C.Record, false}, {0, 0}, [&] {
      ++Asked;
      return ControlColour;
    });
    EXPECT_EQ(Asked, C.AsksControl ? 1 : 0) << C.Effects;
    for (int Y = 0; Y < 2; ++Y)
      for (int X = 0; X < 3; ++X)
        EXPECT_EQ(Bmp(X, Y), C.Want(X == 1 && Y == 1 ? B : A)) << C.Effects << " " << X << "," << Y;
  }
  // No control: halfway toward the key colour itself.
  TTestImage Bmp(2, 2, A);
  ApplyGlyphEffects(Bmp.View, GlyphBlended, {{}, 0, 0, clFuchsia, false}, {0, 0}, nullptr);
  EXPECT_EQ(Bmp(0, 0), Half(A, KeyPixel));
}

TEST(GlyphEffects, ABlendedGlyphTakesSixTenthsOfTheParentAtTheRecordsOffsetMovedByOffset) {
  TTestImage Parent(10, 10);
  for (int Y = 0; Y < 10; ++Y)
    for (int X = 0; X < 10; ++X) Parent(X, Y) = 0xFF000000 | TColor32(X * 20) << 16 | TColor32(Y * 20) << 8 | 100;
  Parent(4, 3) = KeyPixel;  // skipped: the glyph stays
  for (int Effects : {GlyphBlended, GlyphBlended | GlyphGrayed}) {
    TTestImage Bmp(4, 3, A);
    ApplyGlyphEffects(Bmp.View, Effects, {Parent.View, 2, 1, clFuchsia, true}, {1, 2}, nullptr);
    const TColor32 G = Effects & GlyphGrayed ? Gray(A) : A;
    for (int Y = 0; Y < 3; ++Y)
      for (int X = 0; X < 4; ++X) {
        const TColor32 S = Parent(3 + X, 3 + Y);
        TColor32 Want = G & 0xFF000000;
        for (int I = 0; I < 3; ++I)
          Want |= TColor32(std::nearbyint(Channel(S, I) * 0.6 + Channel(G, I) * 0.4)) << (8 * I);
        EXPECT_EQ(Bmp(X, Y), S == KeyPixel ? G : Want) << Effects << " " << X << "," << Y;
      }
  }
  // A record whose picture lies partly beyond the glyph's place mixes only what lies inside it.
  TTestImage Bmp(4, 3, A);
  ApplyGlyphEffects(Bmp.View, GlyphBlended, {Parent.View, 8, 8, clFuchsia, true}, {0, 0}, nullptr);
  EXPECT_NE(Bmp(0, 0), A);
  EXPECT_EQ(Bmp(2, 2), A);
}

}  // namespace

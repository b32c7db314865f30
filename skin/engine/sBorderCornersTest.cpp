#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <set>
#include <utility>

#include "skin/engine/sBorderCorners.h"
#include "skin/engine/sBorderMask.h"
#include "widgets/PixelTestImage.h"

namespace {

constexpr TColor32 Paint = 0xFF112233, Under = 0x80AABBCC, Guard = 0xDEADBEEF;
using TPoints = std::set<std::pair<int, int>>;

// A W x H cache inside a larger picture whose rim must stay as it is.
struct TGuardedCache {
  TTestImage All;
  TPixelView View;
  TGuardedCache(int W, int H) : All(W + 4, H + 4, Guard) {
    View = {All.Pixels.data() + 2 * All.View.Width + 2, W, H, All.View.Width};
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) *View.PixelPtr(X, Y) = Under;
  }
  TColor32 operator()(int X, int Y) const { return *View.PixelPtr(X, Y); }
  int GuardsLeft() const {
    int N = 0;
    for (int Y = 0; Y < All.View.Height; ++Y)
      for (int X = 0; X < All.View.Width; ++X)
        N += (X < 2 || Y < 2 || X >= View.Width + 2 || Y >= View.Height + 2) && All(X, Y) == Guard;
    return N;
  }
  int Rim() const { return All.View.Width * All.View.Height - View.Width * View.Height; }
};

// Parent pixel (x, y) tells its place.
TTestImage ParentPicture() {
  TTestImage P(30, 30);
  for (int Y = 0; Y < 30; ++Y)
    for (int X = 0; X < 30; ++X) P(X, Y) = 0xFF000055 | TColor32(X) << 16 | TColor32(Y) << 8;
  return P;
}

TsMaskData Piece(int Count, int Type, int Borders) {
  TsMaskData M;
  M.ImageCount = int16_t(Count);
  M.MaskType = int16_t(Type);
  M.WL = M.WT = M.WR = M.WB = int16_t(Borders);
  return M;
}

// Every cache pixel: Want at the keyed places, Under elsewhere.
void ExpectCache(const TGuardedCache& C, const TPoints& Keyed, const std::function<TColor32(int, int)>& Want) {
  for (int Y = 0; Y < C.View.Height; ++Y)
    for (int X = 0; X < C.View.Width; ++X)
      EXPECT_EQ(C(X, Y), Keyed.count({X, Y}) ? Want(X, Y) : Under) << X << "," << Y;
  EXPECT_EQ(C.GuardsLeft(), C.Rim());
}

// Two states of 8 x 8 without mask; state 1 keyed at a few corner pixels, state 0 at its top-left one.
struct TTwoStates {
  TTestImage Image{16, 8, Paint};
  TsMaskData Mask = Piece(2, 0, 2);
  TTwoStates() {
    Mask.R = {0, 0, 16, 8};
    for (auto [X, Y] : {std::pair{0, 0}, {8, 0}, {9, 1}, {15, 0}, {8, 7}, {14, 6}}) Image(X, Y) = KeyPixel;
  }
  TsPieceView View() const { return {&Mask, Image.View, false}; }
  // Where those keys land in a 12 x 10 control.
  static TPoints Keyed() { return {{0, 0}, {1, 1}, {11, 0}, {0, 9}, {10, 8}}; }
};

TEST(BorderCorners, ParentPixelsAtAnOffsetGoIntoKeyedCornersKeepingTheCacheAlpha) {
  TTwoStates S;
  TGuardedCache C(12, 10);
  const TTestImage Parent = ParentPicture();
  PaintBorderCorners(C.View, 12, 10, S.View(), 1, {Parent.View, 3, 4, clFuchsia, true});
  ExpectCache(C, TTwoStates::Keyed(),
              [&](int X, int Y) { return (Under & 0xFF000000) | (Parent(3 + X, 4 + Y) & 0xFFFFFF); });
}

TEST(BorderCorners, APlainColourParentWritesTheWholePixelAndTheKeyOnlyUnderAMask) {
  TTwoStates S;
  {
    TGuardedCache C(12, 10);
    PaintBorderCorners(C.View, 12, 10, S.View(), 1, {{}, 0, 0, TColor(0x123456), false});
    ExpectCache(C, TTwoStates::Keyed(), [](int, int) { return TColor32(0x00563412); });
  }
  {
    TGuardedCache C(12, 10);
    PaintBorderCorners(C.View, 12, 10, S.View(), 1, {{}, 0, 0, clFuchsia, false});
    ExpectCache(C, {}, nullptr);
  }
  // A masked piece (picture over its mask) writes the fill colour as it is; the mask is not read.
  TTestImage Image(8, 16, 0);
  for (int X = 0; X < 8; ++X) Image(X, 0) = Paint;
  Image(0, 0) = Image(7, 7) = KeyPixel;
  Image(3, 8) = KeyPixel;  // in the mask: no meaning here
  TsMaskData M = Piece(1, 1, 2);
  M.R = {0, 0, 8, 16};
  for (TColor Fill : {TColor(0x123456), clFuchsia}) {
    TGuardedCache C(6, 5);
    PaintBorderCorners(C.View, 6, 5, {&M, Image.View, false}, 0, {{}, 0, 0, Fill, false});
    // Image rows 1..7 are 0, not the key: only (0, 0) and (7, 7) count, the latter at (5, 4).
    ExpectCache(C, {{0, 0}, {5, 4}}, [&](int, int) { return SwapRB32(uint32_t(Fill)); });
  }
}

TEST(BorderCorners, AnOwnPictureWithoutImagesIsThreeMaskedStates) {
  TTestImage Image(24, 16, Paint);
  Image(0, 0) = KeyPixel;    // state 0
  Image(16, 0) = KeyPixel;   // state 2, top-left
  Image(23, 7) = KeyPixel;   // state 2, bottom-right of its picture half
  Image(23, 15) = KeyPixel;  // the mask half: not a corner pixel
  TsMaskData M = Piece(0, 0, 2);
  TGuardedCache C(10, 10);
  const TTestImage Parent = ParentPicture();
  PaintBorderCorners(C.View, 10, 10, {&M, Image.View, true}, 5, {Parent.View, 1, 2, clFuchsia, true});
  ExpectCache(C, {{0, 0}, {9, 9}},
              [&](int X, int Y) { return (Under & 0xFF000000) | (Parent(1 + X, 2 + Y) & 0xFFFFFF); });
  // Without its own picture such a piece has no images.
  TGuardedCache D(10, 10);
  PaintBorderCorners(D.View, 10, 10, {&M, Image.View, false}, 0, {Parent.View, 1, 2, clFuchsia, true});
  ExpectCache(D, {}, nullptr);
}

// The masked case once read parent positions left of or above the parent's picture.
TEST(BorderCorners, ParentPositionsOutsideItsPictureLeaveThePixelOnEverySide) {
  TTestImage Image(8, 16, KeyPixel);
  TsMaskData M = Piece(1, 1, 3);
  M.R = {0, 0, 8, 16};
  const TTestImage Parent = ParentPicture();
  struct Case {
    int X, Y;
  } const Cases[] = {{-1, -1}, {-2, 0}, {0, -2}, {25, 24}, {INT_MIN, 0}, {0, INT_MAX}};
  for (const Case& K : Cases) {
    TGuardedCache C(6, 6);
    PaintBorderCorners(C.View, 6, 6, {&M, Image.View, false}, 0, {Parent.View, K.X, K.Y, clFuchsia, true});
    for (int Y = 0; Y < 6; ++Y)
      for (int X = 0; X < 6; ++X) {
        const int64_t Px = int64_t(K.X) + X, Py = int64_t(K.Y) + Y;
        const bool Inside = Px >= 0 && Py >= 0 && Px < 30 && Py < 30;
        EXPECT_EQ(C(X, Y), Inside ? (Under & 0xFF000000) | (Parent(int(Px), int(Py)) & 0xFFFFFF) : Under)
            << K.X << " " << K.Y << " at " << X << "," << Y;
      }
    EXPECT_EQ(C.GuardsLeft(), C.Rim());
  }
}

TEST(BorderCorners, AControlSmallerThanItsBordersOrLargerThanItsCacheWritesOnlyTheCache) {
  TTestImage Image(8, 8, KeyPixel);
  TsMaskData M = Piece(1, 0, 3);
  M.R = {0, 0, 8, 8};
  for (auto [W, H] : {std::pair{3, 3}, {2, 1}, {20, 17}, {-4, 0}}) {
    TGuardedCache C(5, 4);
    PaintBorderCorners(C.View, W, H, {&M, Image.View, false}, 0, {{}, 0, 0, TColor(0x010203), false});
    EXPECT_EQ(C.GuardsLeft(), C.Rim()) << W << "x" << H;
  }
  TGuardedCache C(3, 3);
  PaintBorderCorners(C.View, 3, 3, {&M, Image.View, false}, 0, {{}, 0, 0, TColor(0x010203), false});
  for (int Y = 0; Y < 3; ++Y)
    for (int X = 0; X < 3; ++X) EXPECT_EQ(C(X, Y), TColor32(0x00030201));
}

TEST(ControlFrame, FillDepthsInsideTheBorder) {
  struct Case {
    TPixelRect R;
    int Fill, Border;
    TPixelRect Want;
  } const Cases[] = {
      {{0, 0, 20, 10}, 5, 3, {2, 2, 2, 2}}, {{0, 0, 20, 10}, 3, 3, {0, 0, 0, 0}}, {{0, 0, 20, 6}, 5, 3, {2, 0, 2, 0}},
      {{4, 4, 6, 6}, 5, 3, {0, 0, 0, 0}},   {{0, 0, 20, 10}, 9, 2, {7, 6, 7, 6}},
  };
  for (const Case& C : Cases) {
    const TPixelRect D = FrameFillDepths(C.R, C.Fill, C.Border, C.Border, C.Border, C.Border);
    EXPECT_EQ(D.Left, C.Want.Left);
    EXPECT_EQ(D.Top, C.Want.Top);
    EXPECT_EQ(D.Right, C.Want.Right);
    EXPECT_EQ(D.Bottom, C.Want.Bottom);
  }
}

}  // namespace

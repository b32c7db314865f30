#include "widgets/Bitmap32_Transforms.h"

#include "widgets/Bitmap32_Blend.h"
#include "widgets/PixelTestImage.h"

#include <gtest/gtest.h>

namespace {

const TPixelRect Everywhere{-100000, -100000, 100000, 100000};
constexpr TColor32 Guard = 0x5A5A5A5A;

// A target with a guard frame: the view sees the inside only, so any write outside it shows.
struct TGuardedImage {
  static constexpr int Border = 3;
  TTestImage Whole;
  TPixelView View;
  TGuardedImage(int Width, int Height)
      : Whole(Width + 2 * Border, Height + 2 * Border, Guard),
        View{Whole.Pixels.data() + Border * (Width + 2 * Border) + Border, Width, Height, Width + 2 * Border} {}
  TColor32 At(int X, int Y) const { return Whole(X + Border, Y + Border); }
  bool FrameIntact() const {
    for (int Y = 0; Y < Whole.View.Height; ++Y)
      for (int X = 0; X < Whole.View.Width; ++X) {
        const bool Inside = X >= Border && X < Border + View.Width && Y >= Border && Y < Border + View.Height;
        if (!Inside && Whole(X, Y) != Guard) return false;
      }
    return true;
  }
};

TEST(Transfer, ChecksItsArguments) {
  TTestImage Src(4, 4), Dst(4, 4);
  const TPixelView None;
  struct Case { TPixelView D, S; TPixelRect SrcRect; const char* Message; };
  const Case Cases[] = {
      {None, Src.View, {0, 0, 4, 4}, "Destination bitmap is nil or empty"},
      {{Dst.Pixels.data(), 0, 4, 4}, Src.View, {0, 0, 4, 4}, "Destination bitmap is nil or empty"},
      {Dst.View, None, {0, 0, 4, 4}, "Source bitmap is nil or empty"},
      {Dst.View, Src.View, {-1, 0, 4, 4}, "Source rectangle is invalid"},
      {Dst.View, Src.View, {0, 0, 5, 4}, "Source rectangle is invalid"},
      {Dst.View, Src.View, {2, 3, 3, 5}, "Source rectangle is invalid"},
  };
  for (const Case& C : Cases) {
    try {
      StretchTransfer(C.D, {0, 0, 8, 8}, Everywhere, C.S, C.SrcRect, sfLinear, {});
      ADD_FAILURE() << C.Message;
    } catch (const ETransformError& E) {
      EXPECT_STREQ(E.what(), C.Message);
    }
  }
  // An empty source rectangle draws nothing, wherever it lies.
  StretchTransfer(Dst.View, {0, 0, 4, 4}, Everywhere, Src.View, {9, 9, 9, 20}, sfNearest, {});
}

TEST(Transfer, BlockTransferWritesOnlyInsideBothClips) {
  struct Case { int X, Y; TPixelRect Clip; TPixelRect SrcRect; };
  const Case Cases[] = {
      {0, 0, Everywhere, {0, 0, 5, 4}},   {-2, -1, Everywhere, {0, 0, 5, 4}}, {4, 3, Everywhere, {0, 0, 5, 4}},
      {6, 0, Everywhere, {0, 0, 5, 4}},   {-5, 0, Everywhere, {0, 0, 5, 4}},  {1, 1, {2, 0, 4, 3}, {1, 1, 4, 3}},
      {0, 0, {9, 9, 12, 12}, {0, 0, 5, 4}}, {-100, -100, Everywhere, {0, 0, 5, 4}}, {2, 2, Everywhere, {4, 3, 5, 4}},
  };
  const TTestImage Src = TTestImage::Random(5, 4, 1);
  for (const Case& C : Cases) {
    TGuardedImage Dst(6, 5);
    BlockTransfer(Dst.View, C.X, C.Y, C.Clip, Src.View, C.SrcRect, {});
    EXPECT_TRUE(Dst.FrameIntact());
    for (int Y = 0; Y < 5; ++Y)
      for (int X = 0; X < 6; ++X) {
        const int Sx = X - C.X + C.SrcRect.Left, Sy = Y - C.Y + C.SrcRect.Top;
        const bool In = Sx >= C.SrcRect.Left && Sx < C.SrcRect.Right && Sy >= C.SrcRect.Top &&
                        Sy < C.SrcRect.Bottom && X >= C.Clip.Left && X < C.Clip.Right && Y >= C.Clip.Top &&
                        Y < C.Clip.Bottom;
        EXPECT_EQ(Dst.At(X, Y), In ? Src(Sx, Sy) : Guard) << X << "," << Y;
      }
  }
}

TEST(Transfer, StretchWritesOnlyInsideTheClippedTarget) {
  const TTestImage Src = TTestImage::Random(7, 5, 2);
  const TPixelRect Targets[] = {{-3, -2, 9, 4}, {2, 1, 30, 20}, {-50, -50, -1, 3}, {1, 1, 3, 2}, {0, 0, 1, 1}};
  const TPixelRect Clips[] = {Everywhere, {1, 1, 4, 3}};
  for (int Filter = sfNearest; Filter <= sfMitchell; ++Filter)
    for (const TPixelRect& Target : Targets)
      for (const TPixelRect& Clip : Clips) {
        TGuardedImage Dst(6, 4);
        StretchTransfer(Dst.View, Target, Clip, Src.View, {1, 0, 7, 5}, TStretchFilter(Filter), {});
        EXPECT_TRUE(Dst.FrameIntact());
        for (int Y = 0; Y < 4; ++Y)
          for (int X = 0; X < 6; ++X) {
            const bool In = X >= Target.Left && X < Target.Right && Y >= Target.Top && Y < Target.Bottom &&
                            X >= Clip.Left && X < Clip.Right && Y >= Clip.Top && Y < Clip.Bottom;
            if (!In) { EXPECT_EQ(Dst.At(X, Y), Guard) << Filter << " " << X << "," << Y; }
            if (In) { EXPECT_NE(Dst.At(X, Y), Guard) << Filter << " " << X << "," << Y; }
          }
      }
}

// A one-row source whose pixel value is its column: the target shows which column it took.
std::vector<TColor32> NearestColumns(int SrcLo, int SrcW, int DstW) {
  TTestImage Src(SrcLo + SrcW + 2, 1);
  for (int X = 0; X < Src.View.Width; ++X) Src(X, 0) = TColor32(X);
  TTestImage Dst(DstW, 1);
  StretchTransfer(Dst.View, {0, 0, DstW, 1}, Everywhere, Src.View, {SrcLo, 0, SrcLo + SrcW, 1}, sfNearest, {});
  return Dst.Pixels;
}

TEST(Transfer, NearestNeighbourMapping) {
  struct Case { bool FullEdge; int SrcLo, SrcW, DstW; std::vector<TColor32> Want; };
  const Case Cases[] = {
      {true, 0, 4, 8, {0, 0, 1, 1, 2, 2, 3, 3}}, {true, 0, 8, 4, {0, 2, 4, 6}},
      {true, 0, 5, 1, {2}},                      {true, 2, 5, 1, {4}},
      {true, 0, 3, 7, {0, 0, 0, 1, 1, 2, 2}},    {true, 3, 8, 4, {3, 5, 7, 9}},
      {false, 0, 4, 8, {0, 0, 1, 1, 2, 2, 3, 3}}, {false, 0, 8, 4, {0, 2, 5, 7}},
      {false, 0, 4, 1, {1}},
  };
  for (const Case& C : Cases) {
    FullEdge = C.FullEdge;
    EXPECT_EQ(NearestColumns(C.SrcLo, C.SrcW, C.DstW), C.Want) << C.FullEdge << " " << C.SrcW << "->" << C.DstW;
  }
  FullEdge = true;
}

TEST(Transfer, DrawModes) {
  const TTestImage Src = TTestImage::Random(4, 3, 3);
  const TTestImage Back = TTestImage::Random(4, 3, 4);
  for (bool Stretch : {false, true}) {
    const TPixelRect SrcRect = Stretch ? TPixelRect{0, 0, 2, 3} : TPixelRect{0, 0, 4, 3};
    auto Run = [&](const TCombineInfo& Info) {
      TTestImage Dst = Back;
      StretchTransfer(Dst.View, {0, 0, 4, 3}, Everywhere, Src.View, SrcRect, sfNearest, Info);
      return Dst;
    };
    auto SrcAt = [&](int X, int Y) { return Stretch ? Src(X / 2, Y) : Src(X, Y); };
    EXPECT_EQ(Run({dmBlend, 0, {}}).Pixels, Back.Pixels);
    const TTestImage Opaque = Run({dmOpaque, 255, {}});
    const TTestImage NoCallBack = Run({dmCustom, 255, {}});
    const TTestImage Blend = Run({dmBlend, 255, {}});
    const TTestImage Half = Run({dmBlend, 128, {}});
    const TTestImage Custom = Run({dmCustom, 77, [](TColor32 F, TColor32& B, TColor32 M) { B = F ^ B ^ M; }});
    for (int Y = 0; Y < 3; ++Y)
      for (int X = 0; X < 4; ++X) {
        EXPECT_EQ(Opaque(X, Y), SrcAt(X, Y));
        EXPECT_EQ(NoCallBack(X, Y), SrcAt(X, Y));
        EXPECT_EQ(Blend(X, Y), BlendReg(SrcAt(X, Y), Back(X, Y)));
        EXPECT_EQ(Half(X, Y), BlendRegEx(SrcAt(X, Y), Back(X, Y), 128));
        EXPECT_EQ(Custom(X, Y), SrcAt(X, Y) ^ Back(X, Y) ^ 77);
      }
  }
}

TEST(Transfer, WithinOnePictureRowsAreNotOverwrittenFirst) {
  for (int Dy : {-2, 1}) {
    TTestImage Image = TTestImage::Random(3, 6, 5);
    const TTestImage Before = Image;
    BlockTransfer(Image.View, 0, 2 + Dy, Everywhere, Image.View, {0, 2, 3, 5}, {});
    for (int Y = 0; Y < 3; ++Y)
      for (int X = 0; X < 3; ++X) EXPECT_EQ(Image(X, 2 + Dy + Y), Before(X, 2 + Y));
  }
}

}  // namespace

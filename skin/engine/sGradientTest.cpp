// Gradients painted into real 32-bit bitmaps; the triangle kind's GradientFill call is recorded.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sGradient.h"
#include "skin/engine/sSkinGlobals.h"

namespace {

struct TFillCall {
  HDC Dc = nullptr;
  std::vector<TRIVERTEX> Vertices;
  std::vector<GRADIENT_TRIANGLE> Triangles;
  ULONG Mode = 0;
};
std::vector<TFillCall> Calls;

BOOL WINAPI RecordFill(HDC Dc, TRIVERTEX* V, ULONG NV, void* Mesh, ULONG NM, ULONG Mode) {
  auto* T = static_cast<GRADIENT_TRIANGLE*>(Mesh);
  Calls.push_back({Dc, {V, V + NV}, {T, T + NM}, Mode});
  return TRUE;
}

class Gradient : public testing::Test {
 protected:
  void SetUp() override {
    InitSkinEngine();
    Calls.clear();
    Bmp.SetPixelFormat(pf32bit);
    Bmp.SetSize(20, 12);
  }
  void TearDown() override { DoneSkinEngine(); }
  TBitmap Bmp;
};

TsGradArray Parse(const char* Text) {
  TsGradArray Data;
  ParseGradientData(Text, Data);
  return Data;
}

TEST_F(Gradient, TriangleKindHandsFiveVerticesAndFourTrianglesToGradientFill) {
  Bindings().GradientFill = RecordFill;
  PaintGradient(&Bmp, Rect(-4, 2, 30, 11), Parse("$0000FF;0;0;2;0;$00FF00;0;0;0;0;$FF0000;0;0;0;0"), 0, 0);
  ASSERT_EQ(Calls.size(), 1u);
  const TFillCall& C = Calls[0];
  EXPECT_EQ(C.Dc, Bmp.Canvas()->Handle());
  EXPECT_EQ(C.Mode, ULONG(GRADIENT_FILL_TRIANGLE));
  // The rectangle is cut to (0, 2, 20, 11) first; the last colour repeats.
  const struct {
    LONG X, Y;
    COLOR16 R, G, B;
  } Want[5] = {{0, 2, 0xFF00, 0, 0}, {10, 6, 0, 0xFF00, 0}, {20, 2, 0, 0, 0xFF00}, {20, 11, 0, 0, 0xFF00}, {0, 11, 0, 0, 0xFF00}};
  ASSERT_EQ(C.Vertices.size(), 5u);
  for (int I = 0; I < 5; ++I) {
    const TRIVERTEX& V = C.Vertices[I];
    EXPECT_EQ(V.x, Want[I].X) << I;
    EXPECT_EQ(V.y, Want[I].Y) << I;
    EXPECT_EQ(V.Red, Want[I].R) << I;
    EXPECT_EQ(V.Green, Want[I].G) << I;
    EXPECT_EQ(V.Blue, Want[I].B) << I;
    EXPECT_EQ(V.Alpha, 0xFF00) << I;
  }
  const ULONG Tri[4][3] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  ASSERT_EQ(C.Triangles.size(), 4u);
  for (int I = 0; I < 4; ++I) {
    EXPECT_EQ(C.Triangles[I].Vertex1, Tri[I][0]);
    EXPECT_EQ(C.Triangles[I].Vertex2, Tri[I][1]);
    EXPECT_EQ(C.Triangles[I].Vertex3, Tri[I][2]);
  }
  // Beside the bitmap, or without GradientFill, nothing is asked or painted.
  PaintGradient(&Bmp, Rect(20, 0, 25, 5), Parse("1;0;0;2;0"), 0, 0);
  EXPECT_EQ(Calls.size(), 1u);
  Bindings().GradientFill = nullptr;
  PaintGradient(&Bmp, Rect(0, 0, 5, 5), Parse("1;0;0;2;0"), 0, 0);
  EXPECT_EQ(Calls.size(), 1u);
}

TEST_F(Gradient, PlainAndBlendedKindsPaintTheBitmapsPixels) {
  const TPixelView V = BitmapView(Bmp);
  PaintGradient(&Bmp, Rect(0, 0, 20, 12), Parse("0;255;100;0;0"), 0, 0);
  EXPECT_EQ(*V.PixelPtr(3, 0), 0xFF000000u);
  EXPECT_EQ(*V.PixelPtr(3, 11), 0xFFFF0000u);
  TBitmap Bg;
  Bg.SetPixelFormat(pf32bit);
  Bg.SetSize(3, 3);
  FillRect32(&Bg, Rect(0, 0, 3, 3), TColor(0x00FF00));
  PaintGradientBlended(&Bmp, Rect(0, 0, 20, 12), Parse("0;0;100;1;0"), &Bg, Rect(0, 0, 3, 3), 128);
  EXPECT_EQ(*V.PixelPtr(7, 5), 0xFF007F00u);  // (0 * 256 + 255 * 128) shr 8
}

}  // namespace

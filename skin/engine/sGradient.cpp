#include "skin/engine/sGradient.h"

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSkinGlobals.h"

namespace {

void PaintTriangles(TBitmap& Bmp, TPixelRect R, const TsGradArray& Data) {
  const auto Fill = Bindings().GradientFill;
  if (!Fill || !GradientArea(BitmapView(Bmp), R)) return;
  TRIVERTEX Vertices[5];
  const auto V = GradientTriangleVertices(R, Data);
  for (int I = 0; I < 5; ++I) {
    const uint32_t C = uint32_t(V[I].Color);
    Vertices[I] = {V[I].X, V[I].Y, COLOR16((C & 0xFF) << 8), COLOR16(((C >> 8) & 0xFF) << 8),
                   COLOR16(((C >> 16) & 0xFF) << 8), COLOR16(0xFF00)};
  }
  GRADIENT_TRIANGLE Triangles[4];
  for (int I = 0; I < 4; ++I)
    Triangles[I] = {ULONG(GradientTriangles[I][0]), ULONG(GradientTriangles[I][1]), ULONG(GradientTriangles[I][2])};
  Fill(Bmp.Canvas()->Handle(), Vertices, 5, Triangles, 4, GRADIENT_FILL_TRIANGLE);
}

}  // namespace

void PaintGradient(TBitmap* Bmp, const TRect& R, const TsGradArray& Data, int OffsetX, int OffsetY) {
  if (!Bmp || Data.empty()) return;
  if (Data[0].Mode == 2)
    PaintTriangles(*Bmp, PixelRect(R), Data);
  else
    PaintGradient(BitmapView(*Bmp), PixelRect(R), Data, OffsetX, OffsetY);
}

void PaintGradientBlended(TBitmap* Bmp, const TRect& R, const TsGradArray& Data, TBitmap* Bg, const TRect& BgRect,
                          int Transparency) {
  if (!Bmp || !Bg) return;
  PaintGradientBlended(BitmapView(*Bmp), PixelRect(R), Data, BitmapView(*Bg), PixelRect(BgRect), Transparency);
}

#include "skin/engine/sSectionFill.h"

#include <gtest/gtest.h>

#include "skin/engine/sGradientPaint.h"
#include "skin/engine/sSkinTexture.h"
#include "widgets/PixelTestImage.h"

namespace {

constexpr TColor32 Under = 0xFF0A0B0C;
constexpr TColor Colour = TColor(0x00204080), HotColour = TColor(0x00805020), ParentColour = TColor(0x00103050);
constexpr TColor32 ParentPixel = 0xFF503010;
constexpr TColor32 CornerPixel = 0xFF00AA00, BorderPixel = 0xFF0000AA;

// A skin of one section (two states) with a plain texture piece in the master picture, a masked
// "HOTPATTERN" elsewhere in the table and a pattern picture.
struct TSkin {
  TsSkinTables Tables;
  TTestImage Master{16, 8};
  TTestImage Pattern{2, 2, 0xFF777777};
  TsSkinPictures Pictures;
  TSkin() {
    for (int Y = 0; Y < 4; ++Y)
      for (int X = 0; X < 8; ++X) Master(X, Y) = 0xFF000000 | TColor32(X * 30) << 16 | TColor32(Y * 50) << 8 | 7;
    // A 2 x 2 corner piece and a 6 x 6 border piece (borders 2) whose top-left pixel is the key.
    for (int Y = 0; Y < 6; ++Y)
      for (int X = 0; X < 8; ++X) Master(8 + X, Y) = X < 2 ? CornerPixel : X == 2 && Y == 0 ? KeyPixel : BorderPixel;
    TsMaskData Texture;
    Texture.ClassName = "PANEL";
    Texture.PropertyName = "PATTERN";
    Texture.R = {2, 0, 6, 3};  // 4 x 3
    Texture.ImageCount = 1;
    Texture.ImgType = 1;
    Tables.Masks.push_back(Texture);
    TsGeneralData S;
    S.ClassName = "PANEL";
    S.States = 2;
    S.Color = Colour;
    S.HotColor = HotColour;
    S.TextureIndex = -1;
    S.GradientData = "0;255;100;0;0";
    S.GradientArray = {{TColor(0x000000), TColor(0xFFFFFF), 100, 0, 0}};
    S.HotGradientArray = S.GradientArray;
    Tables.Sections.push_back(S);
    TsPatternData P;
    P.ClassName = "PANEL";
    P.PropertyName = "HOTPATTERN";
    Tables.Patterns.push_back(P);
    Pictures = {&Tables, Master.View, {}, {Pattern.View}};
  }
  TsGeneralData& Section() { return Tables.Sections[0]; }
  // Piece 1 the corner, piece 2 the border.
  void AddCornerAndBorder() {
    TsMaskData Corner;
    Corner.R = {8, 0, 10, 2};
    Corner.ImageCount = 1;
    Tables.Masks.push_back(Corner);
    TsMaskData Border;
    Border.R = {10, 0, 16, 6};
    Border.ImageCount = 1;
    Border.WL = Border.WT = Border.WR = Border.WB = 2;
    Border.DrawMode = 4;
    Tables.Masks.push_back(Border);
  }
};

struct TRun {
  TTestImage Bmp{12, 12, Under};
  TTestImage Parent{8, 8, ParentPixel};
};

const TPixelRect R{2, 2, 10, 10};

TPaintSkinSection Paint(TRun& Run, bool Ready, int State = 0) {
  TPaintSkinSection P;
  P.SkinIndex = 0;
  P.SectionName = "PANEL";
  P.CacheInfo = Ready ? TsCacheView{Run.Parent.View, 0, 0, clFuchsia, true} : TsCacheView{{}, 0, 0, ParentColour, false};
  P.State = State;
  P.R = R;
  P.Offset = {0, 0};  // R's corner reads the parent's (0, 0)
  P.Bmp = Run.Bmp.View;
  return P;
}

// Every pixel of R equals Want(x, y) and nothing outside R changed.
template <class F>
void ExpectInR(const TRun& Run, F Want, const char* Name) {
  for (int Y = 0; Y < 12; ++Y)
    for (int X = 0; X < 12; ++X) {
      const bool In = X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
      ASSERT_EQ(Run.Bmp(X, Y), In ? Want(X - R.Left, Y - R.Top) : Under) << Name << " at " << X << "," << Y;
    }
}

// A reference painted by Paint into R of a target like the runs'; read it at R's positions.
template <class F>
TTestImage Reference(F Paint) {
  TTestImage Out(12, 12, Under);
  Paint(Out.View, R);
  return Out;
}

TEST(PaintSkinSection, TransparencyOverTheParent) {
  TSkin Skin;
  {
    TRun Run;  // 100 over a ready parent: exactly its pixels
    Skin.Section().Transparency = 100;
    PaintSkinSection(Skin.Pictures, Paint(Run, true));
    ExpectInR(Run, [](int, int) { return ParentPixel; }, "100 ready");
  }
  {
    TRun Run;  // 100 without parent bitmap: the record's colour
    PaintSkinSection(Skin.Pictures, Paint(Run, false));
    ExpectInR(Run, [](int, int) { return 0xFF000000 | SwapRB32(ParentColour); }, "100 not ready");
  }
  {
    TRun Run;  // 50, nothing but colours: the even mix
    Skin.Section().Transparency = 50;
    PaintSkinSection(Skin.Pictures, Paint(Run, false));
    const TColor32 Mix = 0xFF000000 | SwapRB32(BlendColors(ParentColour, Colour, 0.5));
    ExpectInR(Run, [&](int, int) { return Mix; }, "50 colours");
  }
  {
    TRun Run;  // 50 over a ready parent: the colour summed over it, the parent weighing 127
    PaintSkinSection(Skin.Pictures, Paint(Run, true));
    TTestImage Want = Reference([](const TPixelView& V, TPixelRect A) { FillRect32(V, A, ParentColour); });
    TTestImage Fill(8, 8);
    FillRect32(Fill.View, Fill.View.BoundsRect(), Colour);
    SumBitmapsRect(Want.View, Fill.View, 127, {R.Left, R.Top}, Fill.View.BoundsRect());
    ExpectInR(Run, [&](int X, int Y) { return Want(R.Left + X, R.Top + Y); }, "50 ready");
  }
  {
    TRun Run;  // 50 without any parent information: painted as if opaque
    TPaintSkinSection P = Paint(Run, false);
    P.CacheInfo.FillColor = clFuchsia;
    PaintSkinSection(Skin.Pictures, P);
    ExpectInR(Run, [](int, int) { return 0xFF000000 | SwapRB32(Colour); }, "50 no parent");
  }
  {
    TRun Run;  // a parent smaller than offset plus rectangle: only what lies inside both is copied
    Skin.Section().Transparency = 100;
    TPaintSkinSection P = Paint(Run, true);
    P.Offset = {1, 3};
    PaintSkinSection(Skin.Pictures, P);
    ExpectInR(Run, [](int X, int Y) { return X + 1 < 8 && Y + 3 < 8 ? ParentPixel : Under; }, "parent too small");
  }
}

TEST(PaintSkinSection, TexturesGradientsAndColours) {
  TSkin Skin;
  const TsMaskData& Tx = Skin.Tables.Masks[0];
  auto Texture = [&](const TPixelView& V, TPixelRect A) { PaintTexture(V, A, Skin.Master.View, Tx.R, 0); };
  auto Grad = [&](const TPixelView& V, TPixelRect A) { PaintGradient(V, A, Skin.Section().GradientArray, 0, 0); };
  struct TCase {
    const char* Name;
    int I, G;
    TTestImage Want;
  };
  const TCase Cases[] = {
      {"colour only", 0, 0, Reference([](const TPixelView& V, TPixelRect A) { FillRect32(V, A, Colour); })},
      {"texture only", 100, 0, Reference(Texture)},
      {"gradient only", 0, 100, Reference(Grad)},
      {"30 and 70: the blended gradient", 30, 70, Reference([&](const TPixelView& V, TPixelRect A) {
         PaintGradientBlended(V, A, Skin.Section().GradientArray, Skin.Master.View, Tx.R, 76);
       })},
      {"half texture, half colour", 50, 0, Reference([&](const TPixelView& V, TPixelRect A) {
         Texture(V, A);
         BlendRectWithColor(V, A, 50, Colour);
       })},
      {"texture under gradient, then colour", 40, 40, Reference([&](const TPixelView& V, TPixelRect A) {
         Texture(V, A);
         TTestImage G(8, 8);
         Grad(G.View, G.View.BoundsRect());
         SumBitmapsRect(V, G.View, 102, {A.Left, A.Top}, G.View.BoundsRect());
         BlendRectWithColor(V, A, 80, Colour);
       })},
  };
  for (const TCase& C : Cases) {
    Skin.Section().ImagePercent = C.I;
    Skin.Section().GradientPercent = C.G;
    TRun Run;
    PaintSkinSection(Skin.Pictures, Paint(Run, true));
    ExpectInR(Run, [&](int X, int Y) { return C.Want(R.Left + X, R.Top + Y); }, C.Name);
  }
  // The section's texture index is used when given; a flat fill colour overrides everything.
  TRun Flat;
  TPaintSkinSection P = Paint(Flat, true);
  P.FillColor = TColor(0x00010203);
  PaintSkinSection(Skin.Pictures, P);
  ExpectInR(Flat, [](int, int) { return 0xFF030201u; }, "fill colour");
}

TEST(PaintSkinSection, StatesAndHotTextures) {
  TSkin Skin;
  Skin.Section().HotImagePercent = 100;
  TRun Run;
  // State 5 of two: the hot state, whose texture is the pattern table's "HOTPATTERN".
  PaintSkinSection(Skin.Pictures, Paint(Run, true, 5));
  ExpectInR(Run, [](int, int) { return 0xFF777777u; }, "hot pattern");
  // Without the pattern, the hot colour fills what no texture covers.
  Skin.Pictures.PatternImages.clear();
  TRun Plain;
  PaintSkinSection(Skin.Pictures, Paint(Plain, true, 1));
  ExpectInR(Plain, [](int, int) { return 0xFF000000 | SwapRB32(HotColour); }, "hot colour");
  // A texture that covers only a strip: the rest takes the colour.
  Skin.Tables.Masks[0].DrawMode = 2;
  Skin.Section().ImagePercent = 100;
  TRun Strip;
  PaintSkinSection(Skin.Pictures, Paint(Strip, true));
  ExpectInR(Strip, [&](int X, int Y) { return Y < 3 ? Skin.Master(2 + X % 4, Y) : 0xFF000000 | SwapRB32(Colour); },
            "strip");
  // Nothing for an unknown section or no tables.
  TRun None;
  TPaintSkinSection Bad = Paint(None, true);
  Bad.SkinIndex = 3;
  PaintSkinSection(Skin.Pictures, Bad);
  PaintSkinSection({}, Paint(None, true));
  ExpectInR(None, [](int, int) { return Under; }, "nothing");
}

TEST(PaintSkinSectionByIndex, FillsAfterTextureAndGradientAndTakesTheRecordsColour) {
  TSkin Skin;
  Skin.Section().ImagePercent = 60;
  Skin.Section().GradientPercent = 60;
  TRun Run;
  TPaintSkinSection P = Paint(Run, false);
  P.TextureIndex = 0;
  PaintSkinSectionByIndex(Skin.Pictures, P);
  ExpectInR(Run, [](int, int) { return 0xFF000000 | SwapRB32(Colour); }, "60 and 60");
  // Transparency 100 without a parent bitmap and nothing else: the record's colour.
  Skin.Section().ImagePercent = Skin.Section().GradientPercent = 0;
  Skin.Section().Transparency = 100;
  TRun Record;
  PaintSkinSectionByIndex(Skin.Pictures, Paint(Record, false));
  ExpectInR(Record, [](int, int) { return 0xFF000000 | SwapRB32(ParentColour); }, "100 not ready");
  // Over a ready parent: its pixels; with a transparency below 0 nothing.
  TRun Parent;
  PaintSkinSectionByIndex(Skin.Pictures, Paint(Parent, true));
  ExpectInR(Parent, [](int, int) { return ParentPixel; }, "100 ready");
  Skin.Section().Transparency = -5;
  TRun Below;
  PaintSkinSectionByIndex(Skin.Pictures, Paint(Below, true));
  ExpectInR(Below, [](int, int) { return Under; }, "below 0");
  // Texture 100 by index, no texture given: R takes the colour.
  Skin.Section().Transparency = 0;
  Skin.Section().ImagePercent = 100;
  TRun NoTexture;
  PaintSkinSectionByIndex(Skin.Pictures, Paint(NoTexture, true));
  ExpectInR(NoTexture, [](int, int) { return 0xFF000000 | SwapRB32(Colour); }, "no texture");
  TRun Textured;
  TPaintSkinSection T = Paint(Textured, true);
  T.TextureIndex = 0;
  PaintSkinSectionByIndex(Skin.Pictures, T);
  ExpectInR(Textured, [&](int X, int Y) { return Skin.Master(2 + X % 4, Y % 3); }, "texture");
}

TEST(PaintSection, PaintsTheSectionThenTheCornersThenTheBorder) {
  TSkin Skin;
  Skin.AddCornerAndBorder();
  Skin.Section().ImgTL = Skin.Section().ImgBR = 1;
  Skin.Section().BorderIndex = 2;
  TRun Run;
  PaintSection(Skin.Pictures, Paint(Run, true, 9));
  EXPECT_EQ(Run.Bmp(2, 2), CornerPixel);  // under the border's key pixel
  EXPECT_EQ(Run.Bmp(3, 2), BorderPixel);  // the border over the corner
  EXPECT_EQ(Run.Bmp(9, 9), BorderPixel);
  EXPECT_EQ(Run.Bmp(5, 5), BorderPixel);  // the border's centre
  EXPECT_EQ(Run.Bmp(1, 1), Under);
  // Without a border the corners stay over the section's colour.
  Skin.Section().BorderIndex = -1;
  TRun Corners;
  PaintSection(Skin.Pictures, Paint(Corners, true));
  EXPECT_EQ(Corners.Bmp(3, 3), CornerPixel);
  EXPECT_EQ(Corners.Bmp(8, 8), CornerPixel);
  EXPECT_EQ(Corners.Bmp(9, 2), 0xFF000000 | SwapRB32(Colour));
  // A rectangle leaving the bitmap or empty: nothing.
  TRun Outside;
  TPaintSkinSection P = Paint(Outside, true);
  P.R = {4, 4, 13, 8};
  PaintSection(Skin.Pictures, P);
  P.R = {4, 4, 4, 8};
  PaintSection(Skin.Pictures, P);
  P.R = {-1, 4, 6, 8};
  PaintSection(Skin.Pictures, P);
  ExpectInR(Outside, [](int, int) { return Under; }, "outside");
}

TEST(DrawSkinPiece, PaintsTheSectionByIndexThenThePiece) {
  TSkin Skin;
  Skin.AddCornerAndBorder();
  TRun Run;
  const TPaintSkinSection P = Paint(Run, true, 3);
  DrawSkinPiece(Skin.Pictures, P, 2);
  EXPECT_EQ(Run.Bmp(2, 2), 0xFF000000 | SwapRB32(HotColour));  // the key pixel shows the fill of state 1
  EXPECT_EQ(Run.Bmp(3, 2), BorderPixel);
  EXPECT_EQ(P.CacheInfo.X, 0);
  TRun Outside;
  TPaintSkinSection Q = Paint(Outside, true);
  Q.R = {4, 4, 13, 8};
  DrawSkinPiece(Skin.Pictures, Q, 2);
  ExpectInR(Outside, [](int, int) { return Under; }, "outside");
}

}  // namespace

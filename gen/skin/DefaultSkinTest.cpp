// The skin generator's files read back by the engine's readers and the toolkit's BMP reader, and the
// program's own skin checked against its table of required sections and pieces.
#include "gen/skin/DefaultSkin.h"

#include <gtest/gtest.h>

#include "gen/skin/SkinOptionsWriter.h"
#include "gen/skin/SkinPackWriter.h"
#include "skin/engine/acPNGReader.h"
#include "skin/engine/acSkinPack.h"
#include "skin/engine/sSkinOptions.h"
#include "toolkit/graphics/BmpFormat.h"

namespace {

std::string Text(TMemoryStream& s) { return std::string(static_cast<const char*>(s.Memory()), size_t(s.Size())); }

std::vector<uint32_t> PngPixels(const Bytes& File, uint32_t& Width, uint32_t& Height) {
  TPNGReader Reader;
  Reader.LoadFromBuffer(File.data(), File.size());
  Width = Reader.Image.Width;
  Height = Reader.Image.Height;
  return PixelsBGRA(Reader.Image);
}

TEST(SkinGenerator, PngFilesReadBackExactly) {
  PngSpec Spec;
  Spec.Width = 3;
  Spec.Height = 2;
  const std::vector<uint16_t> Samples = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0,
                                         1, 2, 3, 4,     250, 251, 252, 253, 9, 8, 7, 6};
  uint32_t W = 0, H = 0;
  const std::vector<uint32_t> Pixels = PngPixels(EncodePng(Spec, Samples), W, H);
  ASSERT_EQ(W, 3u);
  ASSERT_EQ(H, 2u);
  const std::vector<uint32_t> Expected = {0xFFFF0000, 0x8000FF00, 0x000000FF, 0x04010203, 0xFDFAFBFC, 0x06090807};
  EXPECT_EQ(Pixels, Expected);
}

TEST(SkinGenerator, PackedSkinsUnpackIntoTheirEntries) {
  const Bytes Packed = PackSkin({{"Options.dat", "[GLOBALINFO]\r\n"}, {"Master.bmp", std::string(5000, 'm')}});
  auto c = std::make_unique<TacSkinConvertor>();
  auto s = std::make_unique<TMemoryStream>();
  s->WriteBuffer(Packed.data(), int64_t(Packed.size()));
  c->PackedData = std::move(s);
  TacSkinConvertor::ExtractPackedData(c);
  ASSERT_TRUE(c && c->Options);
  EXPECT_EQ(Text(*c->Options), "[GLOBALINFO]\r\n");
  ASSERT_EQ(c->ImageItems.size(), 1u);
  EXPECT_EQ(c->ImageItems[0].FileName, "Master.bmp");
  EXPECT_EQ(Text(*c->ImageItems[0].Data), std::string(5000, 'm'));
}

TEST(SkinGenerator, ReferencesAreWrittenByPosition) {
  EXPECT_EQ(GlyphReference({0, 10, 11, 21}, 1, 0), "@0000@0010@0011@0021@1@0");
  EXPECT_EQ(BorderReference({611, 0, 663, 66}, 6, 4, 1, 5), "^0611^0000^0663^0066^0006^0006^0006^0006^4^1^5^0");
  EXPECT_EQ(FileReference("EXBORD.PNG", 2, 0, 3, 22, 46, 22, 22, 1), "!EXBORD.PNG!2!0!3!0022!0046!0022!0022!1");
  EXPECT_THROW(GlyphReference({0, 0, 10000, 1}, 1, 0), std::runtime_error);
  EXPECT_EQ(WriteSkinOptions({{"A", {{"K", "1"}, {"L", "x"}}}, {"B", {}}}), "[A]\r\nK=1\r\nL=x\r\n\r\n[B]\r\n\r\n");
}

TEST(SkinGenerator, TheDefaultSkinHoldsItsTableAndIsTheSameEveryRun) {
  const TDefaultSkin Skin = BuildDefaultSkin(), Again = BuildDefaultSkin();
  EXPECT_EQ(Skin.Packed, Again.Packed);
  EXPECT_EQ(Skin.ShadowActive, Again.ShadowActive);
  EXPECT_EQ(Skin.ShadowInactive, Again.ShadowInactive);

  // The packed skin holds the four entries.
  auto c = std::make_unique<TacSkinConvertor>();
  auto s = std::make_unique<TMemoryStream>();
  s->WriteBuffer(Skin.Packed.data(), int64_t(Skin.Packed.size()));
  c->PackedData = std::move(s);
  TacSkinConvertor::ExtractPackedData(c);
  ASSERT_TRUE(c && c->Options);
  EXPECT_EQ(Text(*c->Options), Skin.Options);
  ASSERT_EQ(c->ImageItems.size(), 3u);
  EXPECT_EQ(c->ImageItems[0].FileName, "Master.bmp");
  EXPECT_EQ(c->ImageItems[1].FileName, "BtnHuge.bmp");
  EXPECT_EQ(c->ImageItems[2].FileName, "ExBord.png");

  // Bitmaps and PNG pictures read back.
  detail::DibImage Master, Huge;
  ASSERT_TRUE(detail::ReadBmp(Skin.Master.data(), Skin.Master.size(), true, Master));
  ASSERT_TRUE(detail::ReadBmp(Skin.BtnHuge.data(), Skin.BtnHuge.size(), true, Huge));
  EXPECT_EQ(Master.BitCount, 24);
  EXPECT_EQ(Huge.Width, 192);
  EXPECT_EQ(Huge.Height, 128);
  uint32_t W = 0, H = 0;
  for (const Bytes* Png : {&Skin.ExBord, &Skin.ShadowActive, &Skin.ShadowInactive}) {
    const std::vector<uint32_t> Pixels = PngPixels(*Png, W, H);
    EXPECT_GT(W * H, 0u);
    EXPECT_EQ(Pixels.size(), size_t(W) * H);
  }
  EXPECT_EQ(PngPixels(Skin.ShadowActive, W, H)[0] >> 24, 11u);  // 110 * 1 div 10 at the far corner

  // The text builds a model with every section and piece of the table, master pieces in place.
  TsSkinModelInputs Inputs;
  Inputs.SysColorToRGB = [](TColor c) { return c; };
  const TsSkinModel Model = BuildSkinModel(Skin.Options, "", Inputs);
  EXPECT_EQ(Model.SkinData.Version, 7.52);
  EXPECT_EQ(Model.SkinData.TitleHeight, 23);
  EXPECT_EQ(Model.SkinData.BorderWidth, 4);
  EXPECT_EQ(Model.SkinData.FormOffset, 4);
  EXPECT_EQ(Model.MasterBitmap, "MASTER.BMP");
  for (const TRequiredSection& r : RequiredSections()) {
    const int i = GetSkinIndex(Model.Tables, r.Name);
    ASSERT_GE(i, 0) << r.Name;
    EXPECT_EQ(Model.Tables.Sections[size_t(i)].Glow, 0) << r.Name;
  }
  for (size_t k = 0; k < RequiredPieces().size(); ++k) {
    const TRequiredPiece& r = RequiredPieces()[k];
    const int i = FindMaskIndex(Model.Tables, r.Section, r.Key);
    ASSERT_GE(i, 0) << r.Section << "." << r.Key;
    const TsMaskData& m = Model.Tables.Masks[size_t(i)];
    EXPECT_EQ(m.ImageCount, r.Count) << r.Key;
    EXPECT_EQ(m.MaskType, r.MaskType) << r.Key;
    if (r.Kind == TPieceKind::Border || r.Kind == TPieceKind::Glyph) {
      EXPECT_EQ(m.R.Left, Skin.PieceRects[k].Left) << r.Key;
      EXPECT_EQ(m.R.Bottom, Skin.PieceRects[k].Bottom) << r.Key;
      EXPECT_LE(m.R.Right, Master.Width) << r.Key;
      EXPECT_LE(m.R.Bottom, Master.Height) << r.Key;
    }
  }
}

}  // namespace

// The skin loader over skins the tests build: a folder, the same skin packed and stored, the image
// rules at both sides of VERSION 7.45, JPEG textures, failures and tinting.
#include <windows.h>

#include "skin/engine/sSkinLoader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "skin/engine/PngTestFiles.h"
#include "skin/engine/SkinFilesTestSupport.h"
#include "skin/engine/sAlphaGraph.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/SysUtils.h"
#include "widgets/JpegImage.h"

namespace {

using skintest::BmpFile;
using skintest::BytesText;

constexpr TColor32 Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF, Key = 0xFFFF00FF;

// The master bitmap: 40 x 20, red left half with a key pixel at (0, 10), blue right half; the glyph
// area (0..9, 0..9) of "BICONCLOSE" is red too.
std::string MasterFile() {
  return BmpFile(40, 20, [](int x, int y) { return x == 0 && y == 10 ? Key : x < 20 ? Red : Blue; });
}

// A PNG of 2 x 1: one half-transparent orange pixel (or opaque, RGB) and one transparent white one.
std::string PngFile(bool Alpha) {
  PngSpec Spec;
  Spec.Width = 2;
  Spec.ColorType = Alpha ? 6 : 2;
  const std::vector<uint16_t> Samples =
      Alpha ? std::vector<uint16_t>{200, 100, 50, 128, 255, 255, 255, 0} : std::vector<uint16_t>{200, 100, 50, 255, 255, 255};
  return BytesText(EncodePng(Spec, Samples));
}

std::string JpegFile(int Width, int Height) {
  TPixelImage Image{Width, Height, std::vector<TColor32>(size_t(Width) * Height, 0xFF808080)};
  return BytesText(detail::CompressJpeg(Image.View(), 90));
}

std::string OptionsText(const std::string& Version, const std::string& Extra = "") {
  return "[GLOBALINFO]\nVERSION=" + Version + "\nMASTERBITMAP=master.bmp\n" + Extra +
         "BICONCLOSE=@0000@0000@0010@0010@1@0\nBICONMAX=@0010@0000@0020@0010@1@0\n"
         "[BUTTON]\nCOLOR=255\nSTATES=1\n"
         "BORDERSMASK=^0000^0010^0012^0016^0002^0002^0002^0002^1^0^0^0\n"
         "OLDMASK=^0020^0000^0025^0010^0002^0002^0002^0002^1^1^0^0\n"
         "RGB=!rgb.PNG!1!0!2\nRGBA=!Rgba.PNG!1!0!2\nFRAME=!Frame.BMP!1!0!0\nGONE=!MISSING.BMP!1!0!0\n"
         "SMALL=small.jpg\nBIG=big.jpg\nJUST=just.jpg\nBAD=bad.jpg\n";
}

std::vector<PackedEntry> SkinEntries(const std::string& Version, const std::string& Extra = "") {
  std::string Damaged = JpegFile(8, 8);
  Damaged.resize(Damaged.size() / 2);
  return {{"Options.dat", OptionsText(Version, Extra)},
          {"Master.bmp", MasterFile()},
          {"rgb.png", PngFile(false)},
          {"rgba.png", PngFile(true)},
          {"FRAME.BMP", BmpFile(6, 6, [](int x, int y) { return x == 0 && y == 0 ? Key : Green; })},
          {"small.jpg", JpegFile(30, 20)},
          {"big.jpg", JpegFile(1000, 900)},
          {"just.jpg", JpegFile(1000, 899)},
          {"bad.jpg", Damaged}};
}

uint64_t Hash(TBitmap* Bmp) {
  uint64_t h = 1469598103934665603ull;
  if (!Bmp) return 0;
  EXPECT_EQ(Bmp->PixelFormat(), pf32bit);
  const TPixelView v = BitmapView(*Bmp);
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x) h = (h ^ *v.PixelPtr(x, y)) * 1099511628211ull;
  return h ^ uint64_t(v.Width) << 32 ^ uint64_t(v.Height);
}

// Everything a load puts into the tables, images by their hashes.
std::string Describe(const TsSkinManager& m) {
  std::ostringstream o;
  const TsSkinData& d = m.SkinData();
  o << "version " << d.Version << " master " << Hash(m.MasterBitmap()) << "\n";
  for (const TsMaskData& k : m.Tables().Masks)
    o << k.ClassName << "." << k.PropertyName << " R " << k.R.Left << "," << k.R.Top << "," << k.R.Right << ","
      << k.R.Bottom << " n " << k.ImageCount << " mt " << k.MaskType << " bw " << k.BorderWidth << " dm " << k.DrawMode
      << " it " << int(k.ImgType) << " w " << k.WL << "," << k.WT << "," << k.WR << "," << k.WB << " ct "
      << k.CornerType << " img " << Hash(k.Bmp.get()) << " mgr " << (k.Manager == &m) << "\n";
  for (const TsPatternData& p : m.Tables().Patterns)
    o << p.ClassName << "." << p.PropertyName << " " << (p.Img ? p.Img->Width : 0) << "x" << (p.Img ? p.Img->Height : 0)
      << "\n";
  for (const TsGeneralData& s : m.Tables().Sections)
    o << s.ClassName << " colour " << s.Color << " " << s.Props[0].Color << " border " << s.BorderIndex << "\n";
  return o.str();
}

const TsMaskData* Piece(const TsSkinManager& m, const char* Section, const char* Name) {
  const int i = m.FindMaskIndex(Section, Name);
  return i < 0 ? nullptr : &m.Tables().Masks[size_t(i)];
}

TColor32 PixelOf(TBitmap* Bmp, int x, int y) { return *BitmapView(Bmp).PixelPtr(x, y); }

TEST(SkinLoader, AFolderThePackedFileAndTheStoredSkinGiveTheSameSkin) {
  skintest::TSkinDirectory Dir("skin_load_test_");
  const auto Entries = SkinEntries("7.46");
  Dir.AddFolder("Folder", Entries);
  Dir.Add("Packed.asz", BytesText(PackSkin(Entries)));
  TsStoredSkins Stored(nullptr);
  Stored.Add()->SetName("Stored");
  const Bytes Packed = PackSkin(Entries);
  Stored.Items(0)->Data()->WriteBuffer(Packed.data(), int64_t(Packed.size()));

  TsSkinManager Folder(nullptr), FromPack(nullptr), FromStore(nullptr);
  TsSkinSource a{Dir.Path, "Folder"}, b{Dir.Path, "Packed", true}, c{Dir.Path, "Stored"};
  c.InternalSkins = &Stored;
  ASSERT_TRUE(LoadSkin(Folder, a));
  ASSERT_TRUE(LoadSkin(FromPack, b));
  ASSERT_TRUE(LoadSkin(FromStore, c));
  EXPECT_EQ(Folder.SkinData().SkinPath, Dir.Path + "\\Folder\\");
  EXPECT_EQ(FromPack.SkinData().SkinPath, Dir.Path + "\\");
  EXPECT_EQ(FromStore.SkinData().SkinPath, "");
  EXPECT_EQ(Describe(Folder), Describe(FromPack));
  EXPECT_EQ(Describe(Folder), Describe(FromStore));

  // "master.bmp" finds the entry "Master.bmp" of the packed skins; it is 32-bit, opaque, keyed.
  for (TsSkinManager* m : {&Folder, &FromPack, &FromStore}) {
    ASSERT_TRUE(m->MasterBitmap());
    EXPECT_EQ(PixelOf(m->MasterBitmap(), 5, 5), Red);
    EXPECT_EQ(PixelOf(m->MasterBitmap(), 0, 10), Key);
    EXPECT_EQ(m->MasterBitmap()->TransparentColor(), clFuchsia);
  }
  const TsSkinManager& m = FromStore;
  // A missing image drops only its piece; own images give R and the default borders.
  EXPECT_EQ(Piece(m, "BUTTON", "GONE"), nullptr);
  const TsMaskData* Frame = Piece(m, "BUTTON", "FRAME");
  ASSERT_TRUE(Frame);
  EXPECT_EQ(Frame->R.Right, 6);
  EXPECT_EQ(Frame->WL, 2);
  EXPECT_EQ(Frame->WT, 6 / 3);
  EXPECT_EQ(Frame->CornerType, 1);  // a key pixel in its top-left corner
  EXPECT_EQ(PixelOf(Frame->Bmp.get(), 3, 3), Green);
  EXPECT_EQ(Piece(m, "BUTTON", "BORDERSMASK")->CornerType, 1);  // the master's key at (0, 10)
  EXPECT_EQ(Piece(m, "BUTTON", "OLDMASK")->CornerType, 0);
  // JPEGs: fewer than 900000 pixels make texture pieces, 1000 x 900 stays a pattern, a damaged one
  // is dropped.
  const TsMaskData* Just = Piece(m, "BUTTON", "JUST");
  ASSERT_TRUE(Just);
  EXPECT_EQ(Just->ImgType, 1);
  EXPECT_EQ(Just->ImageCount, 1);
  EXPECT_EQ(Just->R.Bottom, 899);
  EXPECT_EQ(PixelOf(Just->Bmp.get(), 500, 500) >> 24, 0xFFu);
  ASSERT_TRUE(Piece(m, "BUTTON", "SMALL"));
  EXPECT_EQ(Piece(m, "BUTTON", "BIG"), nullptr);
  EXPECT_EQ(Piece(m, "BUTTON", "BAD"), nullptr);
  ASSERT_EQ(m.Tables().Patterns.size(), 1u);
  EXPECT_EQ(m.Tables().Patterns[0].PropertyName, "BIG");
  ASSERT_TRUE(m.Tables().Patterns[0].Img);
  EXPECT_EQ(m.Tables().Patterns[0].Img->Width, 1000);
  EXPECT_EQ(m.GetPatternIndex(m.GetSkinIndex("BUTTON"), "BUTTON", "BIG"), 0);
  EXPECT_EQ(m.GetTextureIndex(m.GetSkinIndex("BUTTON"), "BUTTON", "SMALL"), m.FindMaskIndex("BUTTON", "SMALL"));
}

TEST(SkinLoader, PngImagesAndOldSkinsAtBothSidesOfVersion745) {
  struct Case {
    const char* Version;
    TColor32 RgbaFirst, RgbaSecond;
    int OldMaskDrawMode;
  } cases[] = {
      {"7.3", 0x80C86432, 0x00000000, 1},    // straight alpha, transparent white cleared, old-skin rule
      {"7.45", 0x80C86432, 0x00000000, 0},
      {"7.46", 0x80643219, 0x00000000, 0},   // premultiplied: 200, 100, 50 times 128 div 255
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Version);
    TsStoredSkins Stored(nullptr);
    const Bytes Packed = PackSkin(SkinEntries(c.Version));
    Stored.Add()->Data()->WriteBuffer(Packed.data(), int64_t(Packed.size()));
    TsSkinManager m(nullptr);
    TsSkinSource s{"c:\\nowhere", ""};
    s.InternalSkins = &Stored;
    ASSERT_TRUE(LoadSkin(m, s));
    const TsMaskData* Rgb = Piece(m, "BUTTON", "RGB");
    const TsMaskData* Rgba = Piece(m, "BUTTON", "RGBA");
    ASSERT_TRUE(Rgb && Rgba);
    // An RGB picture is opaque and keeps its colours on both sides.
    EXPECT_EQ(PixelOf(Rgb->Bmp.get(), 0, 0), 0xFFC86432u);
    EXPECT_EQ(PixelOf(Rgb->Bmp.get(), 1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(PixelOf(Rgba->Bmp.get(), 0, 0), c.RgbaFirst);
    EXPECT_EQ(PixelOf(Rgba->Bmp.get(), 1, 0), c.RgbaSecond);
    EXPECT_EQ(Piece(m, "BUTTON", "OLDMASK")->DrawMode & 1, c.OldMaskDrawMode);
  }
}

TEST(SkinLoader, ABadNumberRaisesAndLeavesTheTablesEmpty) {
  TsStoredSkins Stored(nullptr);
  const Bytes Good = PackSkin(SkinEntries("7.46")), Bad = PackSkin(SkinEntries("7.46", "BORDERWIDTH=four\n"));
  Stored.Add()->SetName("Good");
  Stored.Items(0)->Data()->WriteBuffer(Good.data(), int64_t(Good.size()));
  Stored.Add()->SetName("Bad");
  Stored.Items(1)->Data()->WriteBuffer(Bad.data(), int64_t(Bad.size()));
  TsSkinManager m(nullptr);
  TsSkinSource s{"c:\\nowhere", "Good"};
  s.InternalSkins = &Stored;
  ASSERT_TRUE(LoadSkin(m, s));
  ASSERT_FALSE(m.Tables().Masks.empty());
  s.SkinName = "Bad";
  EXPECT_THROW(LoadSkin(m, s), EConvertError);
  EXPECT_TRUE(m.Tables().Sections.empty());
  EXPECT_TRUE(m.Tables().Masks.empty());
  EXPECT_TRUE(m.Tables().Patterns.empty());
  EXPECT_EQ(m.MasterBitmap(), nullptr);
  EXPECT_EQ(m.CommonIndexes().GlobalInfo, -1);
  // A packed file that is not a packed skin raises too and leaves nothing.
  skintest::TSkinDirectory Dir("skin_load_test_");
  Dir.Add("Broken.asz", "ASzF....");
  s.SkinName = "Good";
  ASSERT_TRUE(LoadSkin(m, s));
  TsSkinSource Broken{Dir.Path, "Broken", true};
  EXPECT_THROW(LoadSkin(m, Broken), Exception);
  EXPECT_TRUE(m.Tables().Sections.empty());
}

TEST(SkinLoader, StoredSkinsByExactNameElseTheFirst) {
  TsStoredSkins Stored(nullptr);
  const Bytes Packed = PackSkin(SkinEntries("7.46"));
  Stored.Add()->SetName("WEB (internal)");
  Stored.Items(0)->Data()->WriteBuffer(Packed.data(), int64_t(Packed.size()));
  Stored.Add()->SetName("Empty");
  TsSkinManager m(nullptr);
  TsSkinSource s{"c:\\nowhere", "web (internal)"};
  s.InternalSkins = &Stored;
  s.CommonSections = "[EXTRA]\nFRAME=!FRAME.BMP!1!0!0\nCOLOR=255\n";
  ASSERT_TRUE(LoadSkin(m, s));
  EXPECT_EQ(s.SkinName, "WEB (internal)");
  EXPECT_FALSE(m.Tables().Sections.empty());
  // The CommonSections text's pieces take their images from the skin.
  const TsMaskData* Extra = Piece(m, "EXTRA", "FRAME");
  ASSERT_TRUE(Extra && Extra->Bmp);
  EXPECT_EQ(PixelOf(Extra->Bmp.get(), 3, 3), Green);
  EXPECT_GE(m.GetSkinIndex("EXTRA"), 0);
  s.CommonSections.clear();
  // A stored skin with empty Data loads nothing.
  s.SkinName = "Empty";
  EXPECT_FALSE(LoadSkin(m, s));
  EXPECT_EQ(s.SkinName, "Empty");
  EXPECT_TRUE(m.Tables().Sections.empty());
  // No source at all.
  TsSkinSource None{"c:\\nowhere", "Any"};
  EXPECT_FALSE(LoadSkin(m, None));
}

TEST(SkinLoader, HueAndSaturation) {
  TsStoredSkins Stored(nullptr);
  const Bytes Plain = PackSkin(SkinEntries("7.46")), KeepHue = PackSkin(SkinEntries("7.46", "BIKEEPHUE=1\n"));
  Stored.Add()->SetName("Plain");
  Stored.Items(0)->Data()->WriteBuffer(Plain.data(), int64_t(Plain.size()));
  Stored.Add()->SetName("KeepHue");
  Stored.Items(1)->Data()->WriteBuffer(KeepHue.data(), int64_t(KeepHue.size()));
  auto Load = [&](TsSkinManager& m, const char* Name, int Hue, int Saturation) {
    TsSkinSource s{"c:\\nowhere", Name};
    s.InternalSkins = &Stored;
    s.HueOffset = Hue;
    s.Saturation = Saturation;
    ASSERT_TRUE(LoadSkin(m, s));
  };
  TsSkinManager Turned(nullptr), Kept(nullptr);
  Load(Turned, "Plain", 120, 0);
  Load(Kept, "KeepHue", 120, 0);
  TBitmap* Master = Turned.MasterBitmap();
  EXPECT_EQ(PixelOf(Master, 5, 5), Red);      // "BICONCLOSE" keeps its colours
  EXPECT_EQ(PixelOf(Master, 15, 5), Green);   // "BICONMAX" turns without BIKEEPHUE
  EXPECT_EQ(PixelOf(Master, 5, 15), Green);   // the rest of the master turns
  EXPECT_EQ(PixelOf(Master, 30, 5), Red);
  EXPECT_EQ(PixelOf(Master, 0, 10), Key);     // the key stays
  EXPECT_EQ(PixelOf(Kept.MasterBitmap(), 15, 5), Red);
  EXPECT_EQ(PixelOf(Kept.MasterBitmap(), 5, 15), Green);
  EXPECT_EQ(PixelOf(Piece(Turned, "BUTTON", "FRAME")->Bmp.get(), 3, 3), Blue);
  const TsGeneralData& Button = Turned.Tables().Sections[size_t(Turned.GetSkinIndex("BUTTON"))];
  EXPECT_EQ(Button.Color, 0x00FF00);
  EXPECT_EQ(Button.Props[0].Color, 0x00FF00);

  // Saturation is taken modulo 101: 150 acts as 49, -150 as -49 (which grays the pure colours).
  TsSkinManager S0(nullptr);
  Load(S0, "Plain", 0, 0);
  for (int Sign : {1, -1}) {
    TsSkinManager S150(nullptr), S49(nullptr);
    Load(S150, "Plain", 0, 150 * Sign);
    Load(S49, "Plain", 0, 49 * Sign);
    EXPECT_EQ(Describe(S150), Describe(S49));
  }
  TsSkinManager Less(nullptr);
  Load(Less, "Plain", 0, -150);
  EXPECT_NE(Describe(Less), Describe(S0));
  EXPECT_NE(PixelOf(Less.MasterBitmap(), 5, 5), Red);
}

TEST(SkinLoader, LoadedPiecesPaintFromTheirImages) {
  TsStoredSkins Stored(nullptr);
  const Bytes Packed = PackSkin(SkinEntries("7.46"));
  Stored.Add()->Data()->WriteBuffer(Packed.data(), int64_t(Packed.size()));
  TsSkinManager m(nullptr);
  TsSkinSource s{"c:\\nowhere", ""};
  s.InternalSkins = &Stored;
  ASSERT_TRUE(LoadSkin(m, s));
  TBitmap Bmp;
  Bmp.SetPixelFormat(pf32bit);
  Bmp.SetSize(20, 10);
  // A glyph of the master bitmap at (0, 0), the own frame image at (12, 2).
  TPaintMaskState Glyph{BitmapView(Bmp), {0, 0}, 0, {}, PieceView(*Piece(m, "GLOBALINFO", "BICONCLOSE"))};
  EXPECT_FALSE(Glyph.Piece.OwnImage);
  PaintMaskState(Glyph);
  TPaintMaskState Frame{BitmapView(Bmp), {12, 2}, 0, {}, PieceView(*Piece(m, "BUTTON", "FRAME"))};
  EXPECT_TRUE(Frame.Piece.OwnImage);
  PaintMaskState(Frame);
  EXPECT_EQ(PixelOf(&Bmp, 9, 9) & 0xFFFFFF, Red & 0xFFFFFF);
  EXPECT_EQ(PixelOf(&Bmp, 15, 5) & 0xFFFFFF, Green & 0xFFFFFF);
  EXPECT_EQ(PixelOf(&Bmp, 12, 2), 0u);  // the frame's key pixel is not painted
  // A piece without manager or image has nothing to paint from.
  TsMaskData Loose;
  EXPECT_TRUE(PieceView(Loose).Image.Empty());
}

}  // namespace

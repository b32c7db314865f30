// The program's own skin read from the resources by the real loader: every section and piece of the
// generator's table, with its geometry; the shadow images of extended borders.
#include <windows.h>

#include "skin/engine/sDefaultSkin.h"

#include <gtest/gtest.h>

#include "gen/skin/DefaultSkin.h"
#include "skin/engine/sSkinLoader.h"

namespace {

TEST(DefaultSkin, TheLoaderReadsEverySectionAndPieceOfTheTable) {
  TsSkinManager Manager(nullptr);
  ReadDefaultSkin(*Manager.InternalSkins().Add(), nullptr);
  const TDefaultSkin Generated = BuildDefaultSkin();
  TMemoryStream& Data = *Manager.InternalSkins().Items(0)->Data();
  ASSERT_EQ(size_t(Data.Size()), Generated.Packed.size());
  EXPECT_EQ(0, memcmp(Data.Memory(), Generated.Packed.data(), Generated.Packed.size()));

  // The program names a skin folder that does not exist: the stored skin is loaded and named.
  TsSkinSource Source;
  Source.SkinDirectory = "c:\\Skins";
  Source.SkinName = "WEB2";
  Source.InternalSkins = &Manager.InternalSkins();
  ASSERT_TRUE(LoadSkin(Manager, Source));
  EXPECT_EQ(Source.SkinName, "WEB (internal)");
  EXPECT_EQ(Manager.SkinData().Version, 7.52);
  EXPECT_EQ(Manager.SkinData().TitleHeight, 23);
  ASSERT_TRUE(Manager.MasterBitmap());
  EXPECT_EQ(Manager.MasterBitmap()->PixelFormat(), pf32bit);

  for (const TRequiredSection& r : RequiredSections()) EXPECT_GE(Manager.GetSkinIndex(r.Name), 0) << r.Name;
  for (size_t k = 0; k < RequiredPieces().size(); ++k) {
    const TRequiredPiece& r = RequiredPieces()[k];
    SCOPED_TRACE(std::string(r.Section) + "." + r.Key);
    const int i = Manager.FindMaskIndex(r.Section, r.Key);
    ASSERT_GE(i, 0);
    const TsMaskData& m = Manager.Tables().Masks[size_t(i)];
    const TPixelRect& R = Generated.PieceRects[k];
    EXPECT_EQ(std::make_tuple(m.R.Left, m.R.Top, m.R.Right, m.R.Bottom), std::make_tuple(R.Left, R.Top, R.Right, R.Bottom));
    EXPECT_EQ(m.ImageCount, r.Count);
    EXPECT_EQ(m.MaskType, r.MaskType);
    EXPECT_EQ(MaskImageWidth(m), r.Width);
    EXPECT_EQ(MaskImageHeight(m), r.Height);
    const bool OwnFile = r.Kind == TPieceKind::BitmapFile || r.Kind == TPieceKind::PngFile;
    EXPECT_EQ(bool(m.Bmp), OwnFile);
    if (r.Kind == TPieceKind::Border) {
      EXPECT_EQ(m.WL, r.Border);
    }
  }
  // The title's top corners show the parent; the big button is marked as such.
  EXPECT_EQ(Manager.Tables().Masks[size_t(Manager.FindMaskIndex("FORMTITLE", "BORDERSMASK"))].CornerType, 1);
  EXPECT_EQ(Manager.Tables().Masks[size_t(Manager.FindMaskIndex("BUTTON", "BORDERSMASK"))].CornerType, 0);
  EXPECT_EQ(Manager.Tables().Masks[size_t(Manager.FindMaskIndex("BUTTON_HUGE", "BORDERSMASK"))].CornerType, 2);
  EXPECT_GE(Manager.CommonIndexes().BoxChecked, 0);
  EXPECT_GE(Manager.CommonIndexes().ExBorder, 0);
}

TEST(DefaultSkin, ShadowImagesAre32BitPictures) {
  for (const char* Name : {"acSHDA", "acSHDI"}) {
    const std::unique_ptr<TPNGGraphic> Png = ReadPngResource(nullptr, Name);
    EXPECT_EQ(Png->PixelFormat(), pf32bit) << Name;
    EXPECT_EQ(Png->Width(), 40) << Name;
    EXPECT_EQ(Png->Height(), 40) << Name;
  }
}

}  // namespace

// The program's own skin read from the resources by the real loader: every section and piece of the
// generator's table, with its geometry; the shadow images of extended borders; the contact sheet of
// every section in every state, equal to the stored picture. After a deliberate change of the skin's
// look, run the test once with MZ_REGENERATE_SKIN_SHEET=1, look at
// skin/engine/testdata/DefaultSkinSheet.png and commit it.
#include <windows.h>

#include "skin/engine/sDefaultSkin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "gen/skin/DefaultSkin.h"
#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSectionPaint.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinLoader.h"

namespace {

// The stored skin loaded as the program loads it when its skin folder names nothing.
struct TDefaultSkinManager {
  TsSkinManager Manager{nullptr};
  TsSkinSource Source;
  bool Loaded = false;
  TDefaultSkinManager() {
    ReadDefaultSkin(*Manager.InternalSkins().Add(), nullptr);
    Source.SkinDirectory = "c:\\Skins";
    Source.SkinName = "WEB2";
    Source.InternalSkins = &Manager.InternalSkins();
    Loaded = LoadSkin(Manager, Source);
  }
};

TEST(DefaultSkin, TheLoaderReadsEverySectionAndPieceOfTheTable) {
  TDefaultSkinManager Skin;
  TsSkinManager& Manager = Skin.Manager;
  const TDefaultSkin Generated = BuildDefaultSkin();
  TMemoryStream& Data = *Manager.InternalSkins().Items(0)->Data();
  ASSERT_EQ(size_t(Data.Size()), Generated.Packed.size());
  EXPECT_EQ(0, memcmp(Data.Memory(), Generated.Packed.data(), Generated.Packed.size()));

  // The program names a skin folder that does not exist: the stored skin is loaded and named.
  ASSERT_TRUE(Skin.Loaded);
  EXPECT_EQ(Skin.Source.SkinName, "WEB (internal)");
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

constexpr int CellWidth = 72, CellHeight = 40, Gap = 6, Blocks = 3;

// The sections of the table in Blocks columns, a row for each: its states side by side, each painted
// by PaintSection over the form's face, which shows through the transparent parts.
std::unique_ptr<TBitmap> PaintContactSheet(TsSkinManager& Manager) {
  const std::vector<TRequiredSection>& Sections = RequiredSections();
  int States = 1;
  for (const TRequiredSection& r : Sections) States = std::max(States, r.States);
  const int Rows = (int(Sections.size()) + Blocks - 1) / Blocks;
  const int BlockWidth = States * (CellWidth + Gap) + Gap;
  const int Width = Blocks * BlockWidth + Gap, Height = Rows * (CellHeight + Gap) + Gap;
  const std::unique_ptr<TBitmap> Form = NewBitmap32(Width, Height);
  std::unique_ptr<TBitmap> Sheet = NewBitmap32(Width, Height);
  for (TBitmap* Bmp : {Form.get(), Sheet.get()}) {
    TSectionPaint P;
    P.SkinIndex = Manager.GetSkinIndex("FORM");
    P.R = Rect(0, 0, Width, Height);
    P.Bmp = Bmp;
    P.Manager = &Manager;
    PaintSkinSection(P);
  }
  for (size_t i = 0; i < Sections.size(); ++i) {
    const int Left = Gap + int(i) / Rows * BlockWidth, Top = Gap + int(i) % Rows * (CellHeight + Gap);
    const int Index = Manager.GetSkinIndex(Sections[i].Name);
    if (Index < 0) {
      ADD_FAILURE() << Sections[i].Name << " is missing";
      continue;
    }
    for (int State = 0; State < Manager.Tables().Sections[size_t(Index)].States; ++State) {
      TSectionPaint P;
      P.SkinIndex = Index;
      P.SectionName = Sections[i].Name;
      P.CacheInfo = NewCacheInfo(Form.get(), 0, 0);
      P.State = State;
      const int X = Left + State * (CellWidth + Gap);
      P.R = Rect(X, Top, X + CellWidth, Top + CellHeight);
      P.Offset = {X, Top};
      P.Bmp = Sheet.get();
      P.Manager = &Manager;
      PaintSection(P);
    }
  }
  // The sheet as a screen shows it: opaque.
  const TPixelView View = BitmapView(*Sheet);
  for (int y = 0; y < View.Height; ++y)
    for (int x = 0; x < View.Width; ++x) *View.PixelPtr(x, y) |= 0xFF000000;
  return Sheet;
}

TEST(DefaultSkin, ContactSheetEqualsTheStoredPicture) {
  TDefaultSkinManager Skin;
  ASSERT_TRUE(Skin.Loaded);
  const std::unique_ptr<TBitmap> Sheet = PaintContactSheet(Skin.Manager);
  const TPixelView View = BitmapView(*Sheet);
  const Bytes Png = EncodePngPicture(View);
  TMemoryStream Written;
  Written.Write(Png.data(), int64_t(Png.size()));
  const std::string Painted = std::string("Z:") + std::getenv("MZ_BINARY_DIR") + "/skin/engine/DefaultSkinSheet.png";
  Written.SaveToFile(Painted);
  const std::string Reference =
      std::string("Z:") + std::getenv("MZ_SOURCE_DIR") + "/skin/engine/testdata/DefaultSkinSheet.png";
  const char* Regenerate = std::getenv("MZ_REGENERATE_SKIN_SHEET");
  if (Regenerate != nullptr && std::strcmp(Regenerate, "1") == 0) {
    Written.SaveToFile(Reference);
    GTEST_SKIP() << "reference picture written";
  }
  TMemoryStream Stored;
  Stored.LoadFromFile(Reference);
  TPNGGraphic Expected;
  Expected.LoadFromStream(&Stored);
  ASSERT_EQ(Expected.Width(), View.Width);
  ASSERT_EQ(Expected.Height(), View.Height);
  const TPixelView ExpectedView = BitmapView(Expected);
  int Different = 0, FirstX = -1, FirstY = -1;
  for (int y = 0; y < View.Height; ++y) {
    for (int x = 0; x < View.Width; ++x) {
      if ((*View.PixelPtr(x, y) & 0xFFFFFF) == (*ExpectedView.PixelPtr(x, y) & 0xFFFFFF)) continue;
      if (Different++ == 0) FirstX = x, FirstY = y;
    }
  }
  EXPECT_EQ(Different, 0) << "first at " << FirstX << "," << FirstY << "; the painted sheet is " << Painted;
}

}  // namespace

// The alpha image list under Wine: the system list built from PNG and icon files, pictures at any size
// with their cache, images added the ordinary way keyed to alpha, copies between lists, and no GDI
// objects lost over many rebuilds.
#include "skin/engine/acAlphaImageList.h"

#include <gtest/gtest.h>

#include <vector>

#include "skin/engine/PngTestFiles.h"
#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSkinGraphics.h"
#include "toolkit/graphics/GdiTestSupport.h"
#include "toolkit/graphics/GraphicErrors.h"

namespace {

// Pixels as B, G, R, A in memory (TColor32), row after row.
using Pixels = std::vector<TColor32>;

Bytes PngOf(int W, int H, const Pixels& P, uint8_t ColorType = 6) {
  PngSpec png;
  png.Width = W, png.Height = H, png.ColorType = ColorType;
  std::vector<uint16_t> samples;
  for (TColor32 p : P) {
    samples.insert(samples.end(), {uint16_t((p >> 16) & 255), uint16_t((p >> 8) & 255), uint16_t(p & 255)});
    if (ColorType == 6) samples.push_back(uint16_t(p >> 24));
  }
  return EncodePng(png, samples);
}

TsImgListItem* AddItem(TsAlphaImageList& List, const Bytes& File, TsImageFormat Format = ifPNG) {
  TsImgListItem* item = List.Items()->Add();
  item->ImageFormat = Format;
  item->ImgData->WriteBuffer(File.data(), int64_t(File.size()));
  return item;
}

Pixels PixelsOf(TBitmap& Bmp) {
  const TPixelView v = BitmapView(Bmp);
  Pixels out;
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x) out.push_back(*v.PixelPtr(x, y));
  return out;
}

// The colour pixels and the mask (true: white) of image Index, as the list gives it as an icon.
struct IconPicture {
  Pixels Colour;
  std::vector<bool> Mask;
};
IconPicture IconOf(TImageList& List, int Index) {
  TIcon icon;
  List.GetIcon(Index, &icon);
  ICONINFO ii{};
  EXPECT_TRUE(GetIconInfo(icon.Handle(), &ii));
  TBitmap colour, mask;
  colour.SetHandle(ii.hbmColor);
  colour.SetPixelFormat(pf32bit);
  mask.SetHandle(ii.hbmMask);
  IconPicture out{PixelsOf(colour), {}};
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x) out.Mask.push_back(mask.Canvas()->Pixels(x, y) == clWhite);
  return out;
}

const Pixels First = {0xFF0000FF, 0x00000000, 0x80204060, 0xFFFFFFFF, 0x40102030, 0xFF00FF00};
const Pixels Second = {0x00000000, 0xFFFF0000, 0xFF123456, 0x40010203, 0xFF000000, 0x00000000};

class AlphaImageList : public testing::Test {
 protected:
  AlphaImageList() {
    list.SetWidth(3);
    list.SetHeight(2);
  }
  TsAlphaImageList list{nullptr};
};

TEST_F(AlphaImageList, BuildsOneIconPerItemInItemOrder) {
  EXPECT_TRUE(list.HandleAllocated());
  EXPECT_EQ(list.BkColor(), clNone);
  EXPECT_TRUE(list.KeepOriginals);
  EXPECT_EQ(list.Items()->Owner(), &list);
  AddItem(list, PngOf(3, 2, First));
  AddItem(list, PngOf(3, 2, Second));
  list.GenerateStdList();
  EXPECT_TRUE(list.Generated);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items()->Count(), 2);
  EXPECT_EQ(list.Items()->Items(1)->ImageWidth, 3);
  EXPECT_EQ(list.Items()->Items(1)->ImageHeight, 2);
  const Pixels* expected[] = {&First, &Second};
  for (int i = 0; i < 2; ++i) {
    const IconPicture icon = IconOf(list, i);
    ASSERT_EQ(icon.Colour.size(), 6u);
    for (size_t p = 0; p < 6; ++p) {
      const TColor32 want = (*expected[i])[p];
      EXPECT_EQ(icon.Mask[p], (want >> 24) == 0) << i << "," << p;
      if (want >> 24) EXPECT_EQ(icon.Colour[p], want) << i << "," << p;
    }
  }
  // An icon file as an item.
  TIcon icon;
  list.GetIcon(0, &icon);
  TMemoryStream file;
  icon.SaveToStream(&file);
  TsImgListItem* ico = list.Items()->Add();
  ico->ImageFormat = ifICO;
  file.SetPosition(0);
  ico->ImgData->LoadFromStream(&file);
  list.GenerateStdList();
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(ico->ImageWidth, 3);
  EXPECT_EQ(IconOf(list, 2).Colour, IconOf(list, 0).Colour);
}

TEST_F(AlphaImageList, PicturesComeFromTheCacheAtTheSameSize) {
  AddItem(list, PngOf(3, 2, First));
  AddItem(list, PngOf(2, 2, {0xFF0000FF, 0xFF0000FF, 0xFF00FF00, 0xFF00FF00}));
  list.GenerateStdList();
  // An image of the list's size is the decoded picture itself.
  std::unique_ptr<TBitmap> a = list.CreateBitmap32(0, 3, 2);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->PixelFormat(), pf32bit);
  EXPECT_EQ(PixelsOf(*a), First);
  TsImgListItem& item = *list.Items()->Items(1);
  std::unique_ptr<TBitmap> b = list.CreateBitmap32(1, 4, 4);
  ASSERT_TRUE(b && item.CacheBitmap);
  EXPECT_EQ(b->Width(), 4);
  // The second picture comes from the cache: a changed cache shows in it.
  *BitmapView(*item.CacheBitmap).PixelPtr(0, 0) = 0x11223344;
  std::unique_ptr<TBitmap> c = list.CreateBitmap32(1, 4, 4);
  EXPECT_EQ(*BitmapView(*c).PixelPtr(0, 0), 0x11223344u);
  EXPECT_EQ(PixelsOf(*c), PixelsOf(*item.CacheBitmap));
  // Another size replaces the cache.
  std::unique_ptr<TBitmap> d = list.CreateBitmap32(1, 6, 2);
  EXPECT_EQ(item.CacheBitmap->Width(), 6);
  // Resampled: blue stays on the left, green on the right.
  const TColor32 left = *BitmapView(*d).PixelPtr(0, 0), right = *BitmapView(*d).PixelPtr(5, 1);
  EXPECT_GT(left & 0xFF, (left >> 8) & 0xFF);
  EXPECT_GT((right >> 8) & 0xFF, right & 0xFF);

  TBitmap into;
  into.SetPixelFormat(pf32bit);
  into.SetSize(3, 2);
  EXPECT_TRUE(list.GetBitmap32(0, &into));
  EXPECT_EQ(PixelsOf(into), First);
  // Out of range: nothing.
  EXPECT_FALSE(list.CreateBitmap32(-1, 3, 2));
  EXPECT_FALSE(list.CreateBitmap32(2, 3, 2));
  EXPECT_FALSE(list.GetBitmap32(2, &into));
  EXPECT_FALSE(list.GetBitmap32(0, nullptr));
}

TEST_F(AlphaImageList, AnOpaquePngIsKeyedByItsBottomLeftColour) {
  AddItem(list, PngOf(3, 2, {0x00FF0000, 0x00123456, 0x00FF0000, 0x00123456, 0x00FF0000, 0x00654321}, 2));
  list.GenerateStdList();
  std::unique_ptr<TBitmap> a = list.CreateBitmap32(0, 3, 2);
  // The bottom-left pixel is the first of the lower row.
  EXPECT_EQ(PixelsOf(*a), (Pixels{0xFFFF0000, 0x00123456, 0xFFFF0000, 0x00123456, 0xFFFF0000, 0xFF654321}));
}

TEST_F(AlphaImageList, ImagesAddedTheOrdinaryWayGetAlphaExceptFuchsia) {
  AddItem(list, PngOf(3, 2, First));
  list.GenerateStdList();
  TBitmap plain;
  plain.SetPixelFormat(pf24bit);
  plain.SetSize(3, 2);
  plain.Canvas()->Brush()->SetColor(clFuchsia);
  plain.Canvas()->FillRect(Rect(0, 0, 3, 2));
  plain.Canvas()->SetPixels(1, 0, clRed);
  plain.Canvas()->SetPixels(2, 1, clBlue);
  EXPECT_EQ(list.Add(&plain, nullptr), 1);
  const IconPicture icon = IconOf(list, 1);
  EXPECT_EQ(icon.Colour, (Pixels{0x00FF00FF, 0xFFFF0000, 0x00FF00FF, 0x00FF00FF, 0x00FF00FF, 0xFF0000FF}));
  // The item's picture keeps its own alpha.
  EXPECT_EQ(IconOf(list, 0).Colour[0], First[0]);
  // A deleted image comes back from the items.
  list.Delete(1);
  list.Delete(0);
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(AlphaImageList, AssignCopiesItemsOrFallsBackToThePlainCopy) {
  AddItem(list, PngOf(3, 2, First));
  list.GenerateStdList();
  TsAlphaImageList copy(nullptr);
  copy.Assign(&list);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.Items()->Count(), 1);
  EXPECT_EQ(copy.Count(), 1);
  EXPECT_EQ(IconOf(copy, 0).Colour, IconOf(list, 0).Colour);

  TImageList plain(nullptr);
  plain.SetWidth(5);
  plain.SetHeight(5);
  TBitmap image;
  image.SetPixelFormat(pf32bit);
  image.SetSize(10, 5);
  plain.Add(&image, nullptr);
  TsAlphaImageList fromPlain(nullptr);
  fromPlain.Assign(&plain);
  EXPECT_EQ(fromPlain.Width(), 5);
  EXPECT_EQ(fromPlain.Count(), 2);
  EXPECT_EQ(fromPlain.Items()->Count(), 0);
}

TEST_F(AlphaImageList, AnUndecodableItemRaisesTheReadersError) {
  AddItem(list, Bytes{0x89, 'P', 'N', 'G', 1, 2, 3});
  EXPECT_THROW(list.GenerateStdList(), EInvalidGraphic);
  EXPECT_FALSE(list.Updating);
}

TEST_F(AlphaImageList, DrawsOneStateOfAStripWithAlpha) {
  list.SetWidth(8);
  // Four opaque states of two columns, then half-transparent red. The alpha mix keeps 255/256 of an
  // opaque source byte, so state k draws blue k - 1.
  const Pixels strip = {0xFF000001, 0xFF000001, 0xFF000002, 0xFF000002, 0xFF000003, 0xFF000003, 0xFF000004, 0xFF000004,
                        0xFF000001, 0xFF000001, 0xFF000002, 0xFF000002, 0xFF000003, 0xFF000003, 0xFF000004, 0xFF000004};
  AddItem(list, PngOf(8, 2, strip));
  AddItem(list, PngOf(8, 2, Pixels(16, 0x80FF0000)));
  list.GenerateStdList();
  struct Case {
    int State, StateCount;
    TSize Size;
    Pixels Row;
  } cases[] = {
      {7, 4, {2, 2}, {0xFF000003, 0xFF000003, 0, 0, 0, 0, 0, 0}},
      {1, 4, {2, 2}, {0xFF000001, 0xFF000001, 0, 0, 0, 0, 0, 0}},
      {0, 0, {8, 2}, {0xFF000000, 0xFF000000, 0xFF000001, 0xFF000001, 0xFF000002, 0xFF000002, 0xFF000003, 0xFF000003}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<TBitmap> dest = NewBitmap32(8, 2);
    TImageListItemDraw d;
    d.ImgList = &list;
    d.State = c.State;
    d.StateCount = c.StateCount;
    const TSize size = DrawAlphaImageListItem(dest.get(), d);
    EXPECT_EQ(size.cx, c.Size.cx) << c.State << "/" << c.StateCount;
    EXPECT_EQ(size.cy, c.Size.cy);
    const Pixels got = PixelsOf(*dest);
    EXPECT_EQ(Pixels(got.begin() + 8, got.end()), c.Row) << c.State << "/" << c.StateCount;
  }
  // Out of range: nothing drawn.
  std::unique_ptr<TBitmap> dest = NewBitmap32(8, 2);
  TImageListItemDraw d;
  d.ImgList = &list;
  d.ImageIndex = 2;
  DrawAlphaImageListItem(dest.get(), d);
  EXPECT_EQ(PixelsOf(*dest), Pixels(16, 0));

  // The list's own drawing mixes half-transparent red over a blue canvas.
  TBitmap canvas;
  canvas.SetPixelFormat(pf24bit);
  canvas.SetSize(10, 4);
  canvas.Canvas()->Brush()->SetColor(clBlue);
  canvas.Canvas()->FillRect(Rect(0, 0, 10, 4));
  list.Draw(canvas.Canvas(), 1, 1, 1);
  list.Draw(canvas.Canvas(), 0, 0, 2);
  list.Draw(canvas.Canvas(), 0, 0, -1);
  EXPECT_EQ(canvas.Canvas()->Pixels(0, 0), clBlue);
  EXPECT_EQ(canvas.Canvas()->Pixels(1, 1), TColor(0x7F007F));
  EXPECT_EQ(canvas.Canvas()->Pixels(8, 2), TColor(0x7F007F));
  EXPECT_EQ(canvas.Canvas()->Pixels(9, 1), clBlue);

  // The same through a device context.
  canvas.Canvas()->FillRect(Rect(0, 0, 10, 4));
  d.ImageIndex = 1;
  d.StateCount = 2;
  d.State = 1;
  DrawAlphaImageListItemToDC(canvas.Canvas()->Handle(), d);
  EXPECT_EQ(canvas.Canvas()->Pixels(3, 1), TColor(0x7F007F));
  EXPECT_EQ(canvas.Canvas()->Pixels(4, 1), clBlue);
}

TEST_F(AlphaImageList, PlainListsDrawThroughTheirMasks) {
  TImageList plain(nullptr);
  plain.SetWidth(4);
  plain.SetHeight(2);
  TBitmap image;
  image.SetPixelFormat(pf24bit);
  image.SetSize(4, 2);
  image.Canvas()->Brush()->SetColor(clFuchsia);
  image.Canvas()->FillRect(Rect(0, 0, 4, 2));
  image.Canvas()->SetPixels(3, 0, clRed);
  plain.AddMasked(&image, clFuchsia);
  std::unique_ptr<TBitmap> dest = NewBitmap32(6, 2);
  dest->Canvas()->Brush()->SetColor(clLime);
  dest->Canvas()->FillRect(Rect(0, 0, 6, 2));
  TImageListItemDraw d;
  d.ImgList = &plain;
  d.X = 1;
  d.State = 1;
  d.StateCount = 2;
  EXPECT_EQ(DrawAlphaImageListItem(dest.get(), d).cx, 2);
  EXPECT_EQ(dest->Canvas()->Pixels(1, 0), clLime);
  EXPECT_EQ(dest->Canvas()->Pixels(2, 0), clRed);
  EXPECT_EQ(dest->Canvas()->Pixels(3, 0), clLime);
}

TEST_F(AlphaImageList, RebuildsLeaveNoGdiObjects) {
  AddItem(list, PngOf(3, 2, First));
  list.GenerateStdList();
  TBitmap plain;
  plain.SetPixelFormat(pf24bit);
  plain.SetSize(3, 2);
  TBitmap target;
  target.SetSize(5, 5);
  const auto cycle = [&] {
    list.Add(&plain, nullptr);
    list.Delete(1);
    list.CreateBitmap32(0, 4, 4);
    list.CreateBitmap32(0, 3, 2);
    list.GenerateStdList();
    list.Draw(target.Canvas(), 0, 0, 0);
    TImageListItemDraw d;
    d.ImgList = &list;
    DrawAlphaImageListItemToDC(target.Canvas()->Handle(), d);
  };
  cycle();
  const int before = FreeGdiHandles();
  for (int i = 0; i < 200; ++i) cycle();
  EXPECT_EQ(FreeGdiHandles(), before);
}

}  // namespace

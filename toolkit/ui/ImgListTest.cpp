// Image lists: the platform's defaults, a 32-bit system list, drawing through a descendant's DoDraw,
// icons in and out, and assignment between lists.
#include <gtest/gtest.h>

#include <cstdint>

#include "toolkit/graphics/GdiTestSupport.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/TypInfo.h"
#include "toolkit/ui/ImgList.h"

namespace {

// A 32-bit bitmap whose pixels are all Pixel (B, G, R, A in memory).
void Fill32(TBitmap& Bmp, int W, int H, std::uint32_t Pixel) {
  Bmp.SetPixelFormat(pf32bit);
  Bmp.SetSize(W, H);
  for (int y = 0; y < H; ++y) {
    auto* row = static_cast<std::uint32_t*>(Bmp.ScanLine(y));
    for (int x = 0; x < W; ++x) row[x] = Pixel;
  }
}

int BitsOfList(HIMAGELIST List) {
  IMAGEINFO info{};
  EXPECT_TRUE(ImageList_GetImageInfo(List, 0, &info));
  BITMAP bm{};
  GetObjectA(info.hbmImage, sizeof bm, &bm);
  return bm.bmBitsPixel;
}

TEST(ImageList, KeepsThePlatformDefaultsAndMakesA32BitList) {
  TImageList list(nullptr);
  EXPECT_FALSE(list.HandleAllocated());
  EXPECT_EQ(GetOrdProp(&list, "Width"), 16);
  EXPECT_EQ(GetOrdProp(&list, "Height"), 16);
  EXPECT_EQ(GetOrdProp(&list, "AllocBy"), 4);
  EXPECT_EQ(GetEnumProp(&list, "DrawingStyle"), "dsNormal");
  EXPECT_EQ(GetEnumProp(&list, "ImageType"), "itImage");
  EXPECT_EQ(GetEnumProp(&list, "Masked"), "True");
  EXPECT_EQ(GetEnumProp(&list, "ShareImages"), "False");
  EXPECT_EQ(GetOrdProp(&list, "BlendColor"), clNone);
  EXPECT_EQ(GetOrdProp(&list, "BkColor"), clNone);

  TBitmap image;
  Fill32(image, 16, 16, 0x80102030);
  EXPECT_EQ(list.Add(&image, nullptr), 0);
  EXPECT_TRUE(list.HandleAllocated());
  EXPECT_EQ(BitsOfList(list.Handle()), 32);
  EXPECT_EQ(ImageList_GetImageCount(list.Handle()), 1);

  SetEnumProp(&list, "DrawingStyle", "dsTransparent");
  EXPECT_EQ(list.DrawingStyle(), dsTransparent);
  // Another kind of list starts empty.
  list.SetMasked(false);
  EXPECT_EQ(list.Count(), 0);
  list.Add(&image, nullptr);
  IMAGEINFO info{};
  ASSERT_TRUE(ImageList_GetImageInfo(list.Handle(), 0, &info));
  EXPECT_EQ(info.hbmMask, nullptr);
  // A new size keeps the list, emptied.
  list.SetWidth(8);
  EXPECT_EQ(list.Count(), 0);
  int w = 0, h = 0;
  ImageList_GetIconSize(list.Handle(), &w, &h);
  EXPECT_EQ(w, 8);
}

class RecordingList : public TImageList {
 public:
  using TImageList::TImageList;
  int index = -1, x = 0, y = 0;
  UINT style = 0;
  bool enabled = true;

 protected:
  void DoDraw(int Index, TCanvas*, int X, int Y, UINT Style, bool Enabled) override {
    index = Index, x = X, y = Y, style = Style, enabled = Enabled;
  }
};

TEST(ImageList, DrawReachesTheDescendantsDoDraw) {
  RecordingList list(nullptr);
  TBitmap image, target;
  Fill32(image, 32, 16, 0xFF00FF00);
  Fill32(target, 20, 20, 0);
  list.Add(&image, nullptr);
  list.SetDrawingStyle(dsTransparent);
  list.SetImageType(itMask);
  list.Draw(target.Canvas(), 3, 4, 1, false);
  EXPECT_EQ(list.index, 1);
  EXPECT_EQ(list.x, 3);
  EXPECT_EQ(list.y, 4);
  EXPECT_EQ(list.style, UINT(ILD_TRANSPARENT | ILD_MASK));
  EXPECT_FALSE(list.enabled);
  // Outside the list nothing is drawn.
  list.index = -1;
  list.Draw(target.Canvas(), 0, 0, 2);
  EXPECT_EQ(list.index, -1);
}

TEST(ImageList, IconsGoInAndOutWithTheirAlpha) {
  TImageList list(nullptr);
  TBitmap image;
  Fill32(image, 16, 16, 0x80402010);
  list.Add(&image, nullptr);
  TIcon icon;
  list.GetIcon(0, &icon);
  ASSERT_FALSE(icon.Empty());
  EXPECT_EQ(icon.Width(), 16);

  TBitmap other;
  Fill32(other, 16, 16, 0xFF0000FF);
  list.Add(&other, nullptr);
  list.ReplaceIcon(1, &icon);
  EXPECT_EQ(list.Count(), 2);
  TIcon back;
  list.GetIcon(1, &back);
  ICONINFO ii{};
  ASSERT_TRUE(GetIconInfo(back.Handle(), &ii));
  TBitmap colour;
  colour.SetHandle(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  colour.SetPixelFormat(pf32bit);
  EXPECT_EQ(static_cast<std::uint32_t*>(colour.ScanLine(5))[5], 0x80402010u);
  TIcon none;
  list.GetIcon(2, &none);
  EXPECT_TRUE(none.Empty());
}

TEST(ImageList, AssignCopiesSettingsAndImages) {
  const int before = FreeGdiHandles();
  {
    TImageList source(nullptr), target(nullptr);
    source.SetWidth(24);
    source.SetHeight(20);
    source.SetDrawingStyle(dsTransparent);
    source.SetBlendColor(clRed);
    TBitmap image;
    Fill32(image, 48, 20, 0xFF112233);
    source.Add(&image, nullptr);
    target.Assign(&source);
    EXPECT_EQ(target.Width(), 24);
    EXPECT_EQ(target.Height(), 20);
    EXPECT_EQ(target.DrawingStyle(), dsTransparent);
    EXPECT_EQ(target.BlendColor(), clRed);
    EXPECT_EQ(target.Count(), 2);
    EXPECT_NE(target.Handle(), source.Handle());

    TImageList other(nullptr);
    target.Clear();
    source.SetShareImages(true);
    source.Assign(&target);
    EXPECT_EQ(source.Count(), 0);
    EXPECT_FALSE(source.ShareImages());
    TComponent plain(nullptr);
    EXPECT_THROW(other.Assign(&plain), Exception);
  }
  EXPECT_EQ(FreeGdiHandles(), before);
}

TEST(ImageList, SharedHandlesOutliveTheList) {
  HIMAGELIST shared = ImageList_Create(8, 8, ILC_COLOR32, 1, 1);
  {
    TImageList list(nullptr);
    list.SetShareImages(true);
    list.SetHandle(shared);
    EXPECT_EQ(list.Width(), 8);
    EXPECT_EQ(list.Handle(), shared);
  }
  EXPECT_EQ(ImageList_GetImageCount(shared), 0);
  EXPECT_TRUE(ImageList_Destroy(shared));
}

}  // namespace

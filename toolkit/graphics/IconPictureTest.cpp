// TIcon and TPicture: icon files, handle ownership, drawing, and pictures by file extension.
#include "toolkit/graphics/Picture.h"

#include "toolkit/graphics/GdiTestSupport.h"
#include "toolkit/rtl/Classes.h"

#include <gtest/gtest.h>

namespace {

// A white 40 x 40 surface to draw on.
struct Sheet {
  TBitmap bitmap;
  Sheet() {
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(40, 40);
    bitmap.Canvas()->FillRect(Rect(0, 0, 40, 40));
  }
  TCanvas* Canvas() { return bitmap.Canvas(); }
};

TEST(Icon, LoadsTheImageOfTheWantedSize) {
  TIcon big;
  big.LoadFromFile(TestDataFile("bandeira.ico"));
  EXPECT_EQ(big.Width(), 32);  // the system's icon size by default
  Sheet s;
  s.Canvas()->Draw(0, 0, &big);
  EXPECT_EQ(s.Canvas()->Pixels(20, 20), clBlue);

  TIcon small;
  small.SetWidth(16);
  small.SetHeight(16);
  small.LoadFromFile(TestDataFile("bandeira.ico"));
  EXPECT_EQ(small.Width(), 16);
  EXPECT_TRUE(small.Transparent());
  Sheet t;
  t.Canvas()->Draw(2, 2, &small);
  EXPECT_EQ(t.Canvas()->Pixels(3, 3), clRed);
  EXPECT_EQ(t.Canvas()->Pixels(14, 3), clWhite);  // the transparent half
  EXPECT_THROW(small.SetWidth(20), EInvalidGraphicOperation);
}

TEST(Icon, SavesTheFileItWasLoadedFrom) {
  TFileStream file(TestDataFile("bandeira.ico"), fmOpenRead);
  TMemoryStream original;
  original.CopyFrom(&file, 0);
  original.SetPosition(0);
  TIcon icon;
  icon.LoadFromStream(&original);
  TMemoryStream saved;
  icon.SaveToStream(&saved);
  ASSERT_EQ(saved.Size(), original.Size());
  EXPECT_EQ(std::memcmp(saved.Memory(), original.Memory(), static_cast<std::size_t>(saved.Size())), 0);
}

TEST(Icon, HandleIsOwnedAndSavedAsAnIconFile) {
  HICON h = CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
  TMemoryStream s;
  {
    TIcon icon;
    icon.SetHandle(h);
    EXPECT_EQ(icon.Width(), GetSystemMetrics(SM_CXICON));
    icon.SaveToStream(&s);
  }
  ICONINFO ii{};
  EXPECT_FALSE(GetIconInfo(h, &ii));  // destroyed with the icon
  s.SetPosition(0);
  TIcon back;
  back.LoadFromStream(&s);
  EXPECT_EQ(back.Width(), GetSystemMetrics(SM_CXICON));
  EXPECT_FALSE(back.Empty());

  HICON kept = back.ReleaseHandle();
  EXPECT_TRUE(back.Empty());
  EXPECT_TRUE(GetIconInfo(kept, &ii));
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  DestroyIcon(kept);
}

TEST(Icon, DamagedFileRaises) {
  TStringStream s("not an icon");
  TIcon icon;
  EXPECT_THROW(icon.LoadFromStream(&s), EInvalidGraphic);
}

TEST(Picture, LoadsByExtensionAndRelaysChanges) {
  TPicture p;
  int changes = 0;
  p.OnChange = [&](TGraphicsObject* sender) { changes += sender == &p; };
  p.LoadFromFile(TestDataFile("tabuleiro.BMP"));
  ASSERT_TRUE(dynamic_cast<TBitmap*>(p.Graphic()));
  EXPECT_EQ(p.Width(), 4);
  EXPECT_EQ(p.Height(), 3);
  EXPECT_EQ(changes, 1);
  p.Bitmap()->Canvas()->SetPixels(0, 0, clBlack);
  EXPECT_EQ(changes, 2);

  p.LoadFromFile(TestDataFile("bandeira.ico"));
  EXPECT_TRUE(dynamic_cast<TIcon*>(p.Graphic()));
  // Asking for a bitmap replaces the icon by an empty bitmap.
  EXPECT_TRUE(p.Bitmap()->Empty());
  EXPECT_EQ(p.Width(), 0);
  EXPECT_THROW(p.LoadFromFile(TestDataFile("tabuleiro.xyz")), EInvalidGraphic);
}

TEST(Picture, HoldsACopy) {
  TBitmap b;
  b.SetSize(5, 6);
  TPicture p;
  p.SetGraphic(&b);
  ASSERT_NE(p.Graphic(), &b);
  EXPECT_EQ(p.Width(), 5);
  b.SetSize(1, 1);
  EXPECT_EQ(p.Height(), 6);
  TPicture q;
  q.Assign(&p);
  EXPECT_EQ(q.Bitmap()->Width(), 5);
  q.SetGraphic(nullptr);
  EXPECT_EQ(q.Graphic(), nullptr);
}

TEST(Picture, RegisteredFormatsWin) {
  int made = 0;
  TPicture::RegisterFileFormat("BmP", "Test bitmaps", [&made] {
    ++made;
    return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>());
  });
  TPicture p;
  p.LoadFromFile(TestDataFile("tabuleiro.bmp"));
  EXPECT_EQ(made, 1);
}

TEST(Picture, NoHandleLeakOverManyCycles) {
  const std::string ico = TestDataFile("bandeira.ico");
  auto cycle = [&ico] {
    TPicture p;
    p.LoadFromFile(ico);
    TPicture q;
    q.Assign(&p);
    TMemoryStream s;
    TIcon fromHandle;
    fromHandle.SetHandle(CopyIcon(static_cast<TIcon*>(q.Graphic())->Handle()));
    fromHandle.SaveToStream(&s);
    Sheet sheet;
    sheet.Canvas()->Draw(0, 0, q.Graphic());
  };
  cycle();
  const int before = FreeGdiHandles();
  for (int i = 0; i < 300; ++i) cycle();
  EXPECT_EQ(FreeGdiHandles(), before);
}

}  // namespace

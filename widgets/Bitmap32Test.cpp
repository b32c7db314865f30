#include "widgets/Bitmap32.h"

#include "toolkit/graphics/Colors.h"
#include "widgets/Bitmap32_Blend.h"
#include "toolkit/graphics/Picture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct TEvents {
  int Changes = 0, Resizes = 0, Handles = 0;
  explicit TEvents(TBitmap32& B) {
    B.OnChange = [this](TObject*) { ++Changes; };
    B.OnResize = [this](TObject*) { ++Resizes; };
    B.OnHandleChanged = [this](TObject*) { ++Handles; };
  }
};

TEST(Bitmap32, StartsEmptyAndResizes) {
  TBitmap32 B;
  TEvents E(B);
  EXPECT_TRUE(B.Empty());
  EXPECT_EQ(B.Handle(), nullptr);
  EXPECT_EQ(B.DC(), nullptr);
  EXPECT_EQ(B.Bits(), nullptr);
  B.SetSize(20, 10);
  EXPECT_FALSE(B.Empty());
  EXPECT_NE(B.Handle(), nullptr);
  EXPECT_NE(B.DC(), nullptr);
  EXPECT_EQ(B.Width(), 20);
  EXPECT_EQ(B.Height(), 10);
  EXPECT_EQ(B.BitmapInfo().bmiHeader.biHeight, -10);
  EXPECT_EQ(B.PixelPtr(3, 2), B.Bits() + 2 * 20 + 3);
  EXPECT_EQ(E.Changes, 1);
  EXPECT_EQ(E.Resizes, 1);
  EXPECT_EQ(E.Handles, 1);
  B.SetSize(20, 10);  // same size: nothing happens
  EXPECT_EQ(E.Changes, 1);
}

// A negative or zero side gives an empty 0 x 0 bitmap without a DIB, never a negative size.
TEST(Bitmap32, EmptySizesAreZeroByZero) {
  const int Sizes[][2] = {{-5, 10}, {10, -5}, {0, 10}, {10, 0}, {-1, -1}};
  for (auto [W, H] : Sizes) {
    TBitmap32 B;
    B.SetSize(4, 4);
    B.SetSize(W, H);
    EXPECT_TRUE(B.Empty());
    EXPECT_EQ(B.Width(), 0);
    EXPECT_EQ(B.Height(), 0);
    EXPECT_EQ(B.Handle(), nullptr);
  }
}

TEST(Bitmap32, ClearOnEmptyDoesNothing) {
  TBitmap32 B;
  TEvents E(B);
  B.Clear();
  B.Clear(0x12345678);
  EXPECT_EQ(E.Changes, 0);
  B.SetSize(3, 2);
  B.Clear();
  for (int I = 0; I < 6; ++I) EXPECT_EQ(B.Bits()[I], 0xFF000000u);
  B.Clear(0x80112233);
  EXPECT_EQ(*B.PixelPtr(2, 1), 0x80112233u);
  EXPECT_EQ(E.Changes, 3);
}

TEST(Bitmap32, UpdatesNestAndEndUpdateMustBePaired) {
  TBitmap32 B;
  TEvents E(B);
  B.BeginUpdate();
  B.BeginUpdate();
  B.SetSize(2, 2);
  B.EndUpdate();
  B.Clear();
  EXPECT_EQ(E.Changes, 0);
  B.EndUpdate();
  B.Clear();
  EXPECT_EQ(E.Changes, 1);
  try {
    B.EndUpdate();
    ADD_FAILURE();
  } catch (const Exception& X) {
    EXPECT_EQ(X.Message(), "Unpaired TThreadPersistent.EndUpdate");
  }
}

TEST(Bitmap32, LockCounts) {
  TBitmap32 B;
  B.Lock();
  B.Lock();
  EXPECT_EQ(B.LockCount(), 2);
  B.Unlock();
  B.Unlock();
  EXPECT_EQ(B.LockCount(), 0);
}

TEST(Bitmap32, SettersNotifyOnlyOnChange) {
  TBitmap32 B;
  TEvents E(B);
  EXPECT_EQ(B.MasterAlpha(), 255u);
  EXPECT_EQ(B.PenColor(), 0xFFFFFFFFu);
  EXPECT_EQ(B.OuterColor(), 0u);
  EXPECT_EQ(B.StippleStep(), 1.0f);
  EXPECT_EQ(B.StretchFilter(), sfNearest);
  B.SetMasterAlpha(255);
  B.SetDrawMode(dmOpaque);
  B.SetStretchFilter(sfNearest);
  EXPECT_EQ(E.Changes, 0);
  B.SetMasterAlpha(10);
  B.SetDrawMode(dmBlend);
  B.SetStretchFilter(sfMitchell);
  EXPECT_EQ(E.Changes, 3);
}

TEST(Bitmap32, CanvasDrawsIntoThePixels) {
  TBitmap32 B;
  B.SetSize(8, 6);
  B.Clear(0xFF000000);
  TEvents E(B);
  B.Canvas()->Brush()->SetColor(clRed);
  B.Canvas()->FillRect(Rect(2, 1, 5, 3));
  EXPECT_GE(E.Changes, 1);
  EXPECT_EQ(*B.PixelPtr(2, 1) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(*B.PixelPtr(4, 2) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(*B.PixelPtr(5, 2), 0xFF000000u);
  // A new size gives the canvas the new DC.
  B.SetSize(4, 4);
  EXPECT_EQ(B.Canvas()->Handle(), B.DC());
  B.Canvas()->Brush()->SetColor(clBlue);
  B.Canvas()->FillRect(Rect(0, 0, 4, 4));
  EXPECT_EQ(*B.PixelPtr(3, 3) & 0xFFFFFF, 0x0000FFu);
}

TEST(Bitmap32, FontChangeReselectsIt) {
  TBitmap32 B;
  B.SetSize(4, 4);
  B.UpdateFont();
  EXPECT_EQ(GetCurrentObject(B.DC(), OBJ_FONT), B.Font()->Handle());
  B.Font()->SetSize(30);
  EXPECT_EQ(GetCurrentObject(B.DC(), OBJ_FONT), B.Font()->Handle());
}

TEST(Bitmap32, AssignCopiesPixelsAndDrawingProperties) {
  TBitmap32 A, B;
  A.SetSize(5, 4);
  for (int I = 0; I < 20; ++I) A.Bits()[I] = 0x01020304u * I;
  A.SetDrawMode(dmBlend);
  A.SetMasterAlpha(99);
  A.SetOuterColor(7);
  A.SetStretchFilter(sfLanczos);
  TEvents E(B);
  B.Assign(&A);
  EXPECT_EQ(E.Changes, 1);
  EXPECT_EQ(B.Width(), 5);
  EXPECT_EQ(std::memcmp(A.Bits(), B.Bits(), 80), 0);
  EXPECT_EQ(B.DrawMode(), dmBlend);
  EXPECT_EQ(B.MasterAlpha(), 99u);
  EXPECT_EQ(B.OuterColor(), 7u);
  EXPECT_EQ(B.StretchFilter(), sfLanczos);
  B.Assign(static_cast<const TBitmap32*>(nullptr));
  EXPECT_TRUE(B.Empty());
}

TEST(Bitmap32, AssignFromToolkitBitmaps) {
  for (TPixelFormat Format : {pf24bit, pf32bit, pf8bit}) {
    TBitmap Source;
    Source.SetPixelFormat(Format);
    Source.SetSize(3, 2);
    Source.Canvas()->Brush()->SetColor(clRed);
    Source.Canvas()->FillRect(Rect(0, 0, 3, 2));
    if (Format == pf32bit) static_cast<TColor32*>(Source.ScanLine(1))[2] = 0x40102030;
    TBitmap32 B;
    B.Assign(&Source);
    ASSERT_EQ(B.Width(), 3);
    ASSERT_EQ(B.Height(), 2);
    EXPECT_EQ(*B.PixelPtr(0, 0) & 0xFFFFFF, 0xFF0000u) << Format;
    // Only a 32-bit source keeps its alpha bytes.
    if (Format == pf32bit) {
      EXPECT_EQ(*B.PixelPtr(2, 1), 0x40102030u);
    } else {
      for (int I = 0; I < 6; ++I) EXPECT_EQ(B.Bits()[I] >> 24, 0xFFu) << Format;
    }
    TBitmap Back;
    B.AssignTo(&Back);
    EXPECT_EQ(Back.PixelFormat(), pf32bit);
    EXPECT_EQ(Back.Width(), 3);
    EXPECT_EQ(std::memcmp(Back.ScanLine(1), B.ScanLine(1), 12), 0);
  }
  TPicture Picture;
  TBitmap32 B;
  B.SetSize(2, 2);
  B.Assign(&Picture);  // holds nothing
  EXPECT_TRUE(B.Empty());
}

TEST(Bitmap32, DrawToStretchesAndBlends) {
  TBitmap32 Src, Dst;
  Src.SetSize(2, 2);
  Src.Bits()[0] = 0xFFFF0000;
  Src.Bits()[1] = 0xFF00FF00;
  Src.Bits()[2] = 0xFF0000FF;
  Src.Bits()[3] = 0x80FFFFFF;
  Dst.SetSize(6, 6);
  Dst.Clear(0xFF000000);
  TEvents E(Dst);
  Src.DrawTo(&Dst, Rect(1, 1, 5, 5), Rect(0, 0, 2, 2));
  EXPECT_EQ(E.Changes, 1);
  EXPECT_EQ(*Dst.PixelPtr(0, 0), 0xFF000000u);
  EXPECT_EQ(*Dst.PixelPtr(1, 1), 0xFFFF0000u);
  EXPECT_EQ(*Dst.PixelPtr(2, 2), 0xFFFF0000u);
  EXPECT_EQ(*Dst.PixelPtr(3, 1), 0xFF00FF00u);
  EXPECT_EQ(*Dst.PixelPtr(4, 4), 0x80FFFFFFu);
  Src.SetDrawMode(dmBlend);
  Dst.Clear(0xFF000000);
  Src.DrawTo(&Dst, 4, 4);  // partly outside: clipped
  EXPECT_EQ(*Dst.PixelPtr(4, 4), 0xFFFF0000u);
  EXPECT_EQ(*Dst.PixelPtr(5, 5), BlendReg(0x80FFFFFF, 0xFF000000));
  TBitmap32 Empty;
  Src.DrawTo(&Empty);  // nothing, no error
  Empty.DrawTo(&Dst);
}

TEST(Bitmap32, StreamRoundTripIsByteIdentical) {
  TBitmap32 B;
  B.SetSize(7, 3);
  for (int I = 0; I < 21; ++I) B.Bits()[I] = 0x10203040u + 0x01010101u * I;
  TMemoryStream First;
  B.SaveToStream(&First);
  First.SetPosition(0);
  TBitmap32 Back;
  Back.LoadFromStream(&First);
  EXPECT_EQ(Back.Width(), 7);
  EXPECT_EQ(std::memcmp(Back.Bits(), B.Bits(), 21 * 4), 0);
  TMemoryStream Second;
  Back.SaveToStream(&Second);
  ASSERT_EQ(First.Size(), Second.Size());
  EXPECT_EQ(std::memcmp(First.Memory(), Second.Memory(), size_t(First.Size())), 0);
}

TEST(Bitmap32, A24BitBmpLoadsOpaque) {
  // 2 x 1, 24 bits, written the way GDI writes them.
  const uint8_t File[] = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0,
                          1,   0,   24, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                          0,   0,   0,  0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0, 0};
  TMemoryStream S;
  S.Write(File, sizeof File);
  S.SetPosition(0);
  TBitmap32 B;
  B.LoadFromStream(&S);
  ASSERT_EQ(B.Width(), 2);
  EXPECT_EQ(B.Bits()[0], 0xFF332211u);
  EXPECT_EQ(B.Bits()[1], 0xFF665544u);
}

TEST(Bitmap32, BitFieldBmpWithoutAlphaMaskBlendsOpaque) {
  // 2 x 1, 32 bits, masks of red, green and blue only; the fourth bytes are 0 as writers leave them.
  std::vector<uint8_t> File{'B', 'M'};
  auto Put = [&](uint32_t V, int N) {
    for (int I = 0; I < N; ++I) File.push_back(uint8_t(V >> (8 * I)));
  };
  for (uint32_t V : {14u + 40 + 12 + 8, 0u, 14u + 40 + 12, 40u, 2u, 1u}) Put(V, 4);
  Put(1, 2);
  Put(32, 2);
  for (uint32_t V : {3u, 8u, 0u, 0u, 0u, 0u, 0xFF0000u, 0xFF00u, 0xFFu}) Put(V, 4);
  File.insert(File.end(), {0x11, 0x22, 0x33, 0, 0x44, 0x55, 0x66, 0});
  TMemoryStream S;
  S.Write(File.data(), int64_t(File.size()));
  S.SetPosition(0);
  TBitmap32 B;
  B.LoadFromStream(&S);
  B.SetDrawMode(dmBlend);
  TBitmap32 Back;
  Back.SetSize(2, 1);
  Back.Clear(0xFF00C000);
  B.DrawTo(&Back, 0, 0);
  EXPECT_EQ(Back.Bits()[0], 0xFF332211u);
  EXPECT_EQ(Back.Bits()[1], 0xFF665544u);
}

TEST(Bitmap32, BrokenStreamRaisesAndKeepsThePicture) {
  TBitmap32 B;
  B.SetSize(2, 2);
  TStringStream S("not a picture");
  EXPECT_THROW(B.LoadFromStream(&S), EInvalidGraphic);
  EXPECT_EQ(B.Width(), 2);
}

TEST(Bitmap32, FilesRoundTrip) {
  const std::string Name = std::string(std::getenv("MZ_BINARY_DIR") ? std::getenv("MZ_BINARY_DIR") : ".") +
                           "/widgets/bitmap32_file_test.bmp";
  TBitmap32 B;
  B.SetSize(3, 3);
  B.Clear(0xFF445566);
  B.SaveToFile(Name);
  TBitmap32 Back;
  Back.LoadFromFile(Name);
  EXPECT_EQ(*Back.PixelPtr(2, 2), 0xFF445566u);
  std::remove(Name.c_str());
}

TEST(Bitmap32, StoredDataRoundTrip) {
  TBitmap32 B;
  B.SetSize(3, 2);
  for (int I = 0; I < 6; ++I) B.Bits()[I] = 0xA0B0C0D0u + I;
  TMemoryStream S;
  B.WriteData(&S);
  S.WriteBuffer("tail", 4);
  EXPECT_EQ(S.Size(), 8 + 24 + 4);
  S.SetPosition(0);
  TBitmap32 Back;
  Back.ReadData(&S);
  EXPECT_EQ(S.Position(), 32);  // the rest of the stream is left for its next reader
  EXPECT_EQ(Back.Height(), 2);
  EXPECT_EQ(std::memcmp(Back.Bits(), B.Bits(), 24), 0);
}

TEST(Bitmap32, Color32OfToolkitColours) {
  EXPECT_EQ(Color32(clRed), 0xFFFF0000u);
  EXPECT_EQ(Color32(clBlue), 0xFF0000FFu);
  EXPECT_EQ(Color32(clBlack), 0xFF000000u);
  const DWORD Face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(Color32(clBtnFace), 0xFF000000u | GetRValue(Face) << 16 | GetGValue(Face) << 8 | GetBValue(Face));
}

}  // namespace

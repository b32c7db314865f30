// TBitmap: DIB layout, pixel formats, BMP round trips, resources, drawing and handle ownership.
#include "toolkit/graphics/Bitmap.h"

#include "toolkit/graphics/GdiHandle.h"
#include "toolkit/graphics/GdiTestSupport.h"
#include "toolkit/rtl/Classes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::uint32_t* Row32(TBitmap& b, int y) { return static_cast<std::uint32_t*>(b.ScanLine(y)); }

TEST(Bitmap, ScanLinesRunBottomUpOverTheDibSection) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.PixelFormat(), pfDevice);
  b.SetPixelFormat(pf32bit);
  b.SetSize(10, 5);
  ASSERT_TRUE(b.Handle());
  DIBSECTION ds{};
  ASSERT_EQ(GetObjectA(b.Handle(), sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
  EXPECT_EQ(ds.dsBmih.biBitCount, 32);
  EXPECT_GT(ds.dsBmih.biHeight, 0);
  auto* line0 = static_cast<std::uint8_t*>(b.ScanLine(0));
  auto* line1 = static_cast<std::uint8_t*>(b.ScanLine(1));
  EXPECT_EQ(line1 - line0, -40);
  EXPECT_EQ(static_cast<void*>(static_cast<std::uint8_t*>(b.ScanLine(4))), ds.dsBm.bmBits);

  // Pixels written through scan lines are what the canvas reads, and the other way round.
  Row32(b, 2)[3] = 0x00112233;  // red 0x11, green 0x22, blue 0x33
  EXPECT_EQ(b.Canvas()->Pixels(3, 2), 0x332211);
  b.Canvas()->Brush()->SetColor(clRed);
  b.Canvas()->FillRect(Rect(0, 4, 1, 5));
  EXPECT_EQ(Row32(b, 4)[0] & 0xFFFFFF, 0xFF0000u);
  EXPECT_THROW(b.ScanLine(5), EInvalidGraphicOperation);
  EXPECT_THROW(b.ScanLine(-1), EInvalidGraphicOperation);
}

TEST(Bitmap, HandleCanBeSelectedElsewhereAfterCanvasDrawing) {
  TBitmap b;
  b.SetSize(4, 4);
  b.Canvas()->Brush()->SetColor(clRed);
  b.Canvas()->FillRect(Rect(0, 0, 4, 4));
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, b.Handle());
  ASSERT_TRUE(old);
  EXPECT_EQ(GetPixel(dc, 1, 1), static_cast<COLORREF>(clRed));
  SelectObject(dc, old);
  DeleteDC(dc);
  b.Canvas()->SetPixels(0, 0, clLime);  // the canvas takes the section back
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clLime);
}

TEST(Bitmap, ResizingKeepsTheOverlap) {
  TBitmap b;
  b.SetPixelFormat(pf32bit);
  b.SetSize(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) Row32(b, y)[x] = static_cast<std::uint32_t>(y * 16 + x);
  b.SetSize(6, 2);
  EXPECT_EQ(Row32(b, 0)[3], 3u);
  EXPECT_EQ(Row32(b, 1)[2], 18u);
  b.SetWidth(2);
  b.SetHeight(3);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.Height(), 3);
  EXPECT_EQ(Row32(b, 1)[1], 17u);
}

TEST(Bitmap, PixelFormatConversionKeepsColours) {
  TBitmap b;
  b.SetSize(3, 2);
  b.Canvas()->Brush()->SetColor(clLime);
  b.Canvas()->FillRect(Rect(0, 0, 3, 2));
  b.Canvas()->SetPixels(1, 1, clBlue);  // colours that every format holds exactly
  const struct {
    TPixelFormat format;
    int bits;
  } formats[] = {{pf24bit, 24}, {pf16bit, 16}, {pf32bit, 32}, {pf8bit, 8}};
  for (const auto& f : formats) {
    b.SetPixelFormat(f.format);
    EXPECT_EQ(b.PixelFormat(), f.format);
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectA(b.Handle(), sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
    EXPECT_EQ(ds.dsBmih.biBitCount, f.bits);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clLime) << f.bits;
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clBlue) << f.bits;
  }
  EXPECT_THROW(b.SetPixelFormat(pfCustom), EInvalidGraphic);
}

TEST(Bitmap, PalettedFormatsStartWithTheStandardColours) {
  TBitmap b;
  b.SetPixelFormat(pf1bit);
  b.SetSize(2, 1);
  PALETTEENTRY e[16]{};
  ASSERT_EQ(GetPaletteEntries(b.Palette(), 0, 16, e), 2u);
  EXPECT_EQ(RGB(e[1].peRed, e[1].peGreen, e[1].peBlue), static_cast<COLORREF>(clWhite));
  b.SetPixelFormat(pf4bit);
  ASSERT_EQ(GetPaletteEntries(b.Palette(), 0, 16, e), 16u);
  const TColor standard[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy,   clPurple, clTeal, clSilver,
                               clGray,  clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(RGB(e[i].peRed, e[i].peGreen, e[i].peBlue), static_cast<COLORREF>(standard[i])) << i;
  b.SetPixelFormat(pf8bit);
  EXPECT_EQ(GetPaletteEntries(b.Palette(), 0, 0, nullptr), 256u);
}

TEST(Bitmap, PaletteBecomesTheColourTable) {
  TBitmap b;
  b.SetPixelFormat(pf8bit);
  LOGPALETTE* lp = static_cast<LOGPALETTE*>(alloca(sizeof(LOGPALETTE) + 2 * sizeof(PALETTEENTRY)));
  lp->palVersion = 0x300;
  lp->palNumEntries = 3;
  lp->palPalEntry[0] = {10, 20, 30, 0};
  lp->palPalEntry[1] = {200, 100, 50, 0};
  lp->palPalEntry[2] = {1, 2, 3, 0};
  HPALETTE pal = CreatePalette(lp);
  b.SetPalette(pal);  // before the size, as a picture reader does
  b.SetSize(2, 1);
  EXPECT_EQ(b.Palette(), pal);
  static_cast<std::uint8_t*>(b.ScanLine(0))[0] = 1;
  static_cast<std::uint8_t*>(b.ScanLine(0))[1] = 2;
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), static_cast<TColor>(RGB(200, 100, 50)));
  EXPECT_EQ(b.Canvas()->Pixels(1, 0), static_cast<TColor>(RGB(1, 2, 3)));
}

// Fills every byte of the picture with a pattern, so any lost or moved byte shows.
void Pattern(TBitmap& b) {
  for (int y = 0; y < b.Height(); ++y) {
    auto* p = static_cast<std::uint8_t*>(b.ScanLine(y));
    const int bytes = static_cast<int>((b.Width() * (b.PixelFormat() == pf1bit ? 1 : b.PixelFormat() == pf4bit ? 4
                                                    : b.PixelFormat() == pf8bit ? 8 : b.PixelFormat() == pf24bit ? 24
                                                    : b.PixelFormat() == pf32bit ? 32 : 16) + 7) / 8);
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(y * 31 + i * 7 + 1);
  }
}

TEST(Bitmap, SavesAndLoadsBmpInEveryFormat) {
  for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    TBitmap b;
    b.SetPixelFormat(f);
    b.SetSize(13, 7);
    Pattern(b);
    TMemoryStream s;
    b.SaveToStream(&s);
    s.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(&s);
    EXPECT_EQ(back.PixelFormat(), f);
    ASSERT_EQ(back.Width(), 13);
    ASSERT_EQ(back.Height(), 7);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 13; ++x) EXPECT_EQ(back.Canvas()->Pixels(x, y), b.Canvas()->Pixels(x, y)) << f;
    // And the bytes as a second save writes them.
    TMemoryStream again;
    back.SaveToStream(&again);
    ASSERT_EQ(again.Size(), s.Size());
    EXPECT_EQ(std::memcmp(again.Memory(), s.Memory(), static_cast<std::size_t>(s.Size())), 0) << f;
  }
}

TEST(Bitmap, FileRoundTripAndStreamPosition) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(5, 3);
  Pattern(b);
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string name = std::string(dir) + "mz-graphics-test.bmp";
  b.SaveToFile(name);
  TBitmap back;
  back.LoadFromFile(name);
  DeleteFileA(name.c_str());
  EXPECT_EQ(back.Canvas()->Pixels(4, 2), b.Canvas()->Pixels(4, 2));

  // A bitmap followed by other data: loading stops at the bitmap's end.
  TMemoryStream s;
  b.SaveToStream(&s);
  const std::int64_t end = s.Position();
  s.WriteBuffer("tail", 4);
  s.SetPosition(0);
  back.LoadFromStream(&s);
  EXPECT_EQ(s.Position(), end);
}

TEST(Bitmap, DamagedDataRaisesAndKeepsThePicture) {
  TBitmap b;
  b.SetSize(2, 2);
  TMemoryStream s;
  s.WriteBuffer("BM not a bitmap at all", 22);
  s.SetPosition(0);
  EXPECT_THROW(b.LoadFromStream(&s), EInvalidGraphic);
  EXPECT_EQ(b.Width(), 2);
}

// The rows the system's own decoder writes for a run-length stream into a zeroed DIB section,
// bottom-up.
std::vector<std::uint8_t> SystemDecoding(int w, int h, int bits, const std::vector<std::uint8_t>& stream) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[16];
  } info{};
  info.header = {sizeof(BITMAPINFOHEADER), w, h, 1, static_cast<WORD>(bits), BI_RGB, 0, 0, 0, 16, 0};
  for (int i = 0; i < 16; ++i) info.colors[i] = {BYTE(i * 16), BYTE(i * 16), BYTE(i * 16), 0};
  void* pixels = nullptr;
  const detail::GdiObject<HBITMAP> dib(
      CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels, nullptr, 0));
  const std::size_t size = ((static_cast<std::size_t>(w) * bits + 31) / 32) * 4 * h;
  if (!dib) return {};
  std::memset(pixels, 0, size);
  info.header.biCompression = bits == 8 ? BI_RLE8 : BI_RLE4;
  info.header.biSizeImage = static_cast<DWORD>(stream.size());
  const detail::MemoryDc dc(CreateCompatibleDC(nullptr));
  if (SetDIBits(dc.get(), dib.get(), 0, h, stream.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != h)
    return {};
  GdiFlush();
  const auto* p = static_cast<const std::uint8_t*>(pixels);
  return {p, p + size};
}

// A BMP file of a 40-byte header, a 16-colour table and the stream.
std::vector<std::uint8_t> RunLengthFile(int w, int h, int bits, const std::vector<std::uint8_t>& stream) {
  std::vector<std::uint8_t> f{'B', 'M'};
  auto put = [&](std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) f.push_back((v >> (8 * i)) & 0xFF);
  };
  const std::uint32_t offset = 14 + 40 + 64;
  put(offset + static_cast<std::uint32_t>(stream.size()), 4);
  put(0, 4);
  put(offset, 4);
  for (std::uint32_t v : {40u, std::uint32_t(w), std::uint32_t(h)}) put(v, 4);
  put(1, 2);
  put(static_cast<std::uint32_t>(bits), 2);
  for (std::uint32_t v : {bits == 8 ? 1u : 2u, std::uint32_t(stream.size()), 0u, 0u, 16u, 0u}) put(v, 4);
  for (int i = 0; i < 16; ++i) put(static_cast<std::uint32_t>(i) * 0x101010u, 4);
  f.insert(f.end(), stream.begin(), stream.end());
  return f;
}

TEST(Bitmap, RunLengthBmpLoadsAsTheSystemDecodesIt) {
  const struct {
    int w, h, bits;
    std::vector<std::uint8_t> stream;
  } cases[] = {
      {6, 4, 8, {3, 5, 0, 3, 1, 2, 3, 0, 0, 0, 2, 9, 0, 2, 1, 1, 1, 7, 0, 0, 6, 4, 0, 1}},
      {7, 3, 4, {7, 0x12, 0, 0, 0, 2, 2, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 0, 0, 4, 0xAB, 0xCD, 0, 1}},
  };
  for (const auto& c : cases) {
    const std::vector<std::uint8_t> expected = SystemDecoding(c.w, c.h, c.bits, c.stream);
    ASSERT_FALSE(expected.empty()) << c.bits;
    const std::vector<std::uint8_t> file = RunLengthFile(c.w, c.h, c.bits, c.stream);
    TMemoryStream s;
    s.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
    s.SetPosition(0);
    TBitmap b;
    b.LoadFromStream(&s);
    EXPECT_EQ(b.PixelFormat(), c.bits == 8 ? pf8bit : pf4bit);
    const std::size_t stride = expected.size() / c.h;
    for (int y = 0; y < c.h; ++y) {
      const std::uint8_t* systemRow = expected.data() + (c.h - 1 - y) * stride;
      EXPECT_EQ(std::memcmp(b.ScanLine(y), systemRow, stride), 0) << c.bits << " row " << y;
    }
  }
}

TEST(Bitmap, LoadsBitmapResources) {
  TBitmap b;
  b.LoadFromResourceName(GetModuleHandleA(nullptr), "TABULEIRO");
  EXPECT_EQ(b.Width(), 4);
  EXPECT_EQ(b.Height(), 3);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(b.Canvas()->Pixels(0, 2), clBlue);  // bottom-left
  EXPECT_EQ(b.Canvas()->Pixels(1, 2), clRed);
  EXPECT_EQ(b.Canvas()->Pixels(0, 1), clRed);
  EXPECT_THROW(b.LoadFromResourceName(GetModuleHandleA(nullptr), "NENHUM"), EResNotFound);
}

TEST(Bitmap, DrawsPlainStretchedAndTransparent) {
  TBitmap tile;
  tile.LoadFromResourceName(GetModuleHandleA(nullptr), "TABULEIRO");
  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(20, 10);
  TCanvas* c = target.Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, 20, 10));
  c->Draw(0, 0, &tile);
  EXPECT_EQ(c->Pixels(0, 2), clBlue);
  EXPECT_EQ(c->Pixels(1, 2), clRed);
  EXPECT_EQ(c->Pixels(4, 0), clWhite);

  c->StretchDraw(Rect(8, 0, 16, 6), &tile);  // each pixel becomes 2 x 2
  EXPECT_EQ(c->Pixels(8, 4), clBlue);
  EXPECT_EQ(c->Pixels(9, 5), clBlue);
  EXPECT_EQ(c->Pixels(10, 4), clRed);

  // Transparent: the bottom-left colour (blue) is left out.
  c->FillRect(Rect(0, 0, 20, 10));
  tile.SetTransparent(true);
  EXPECT_EQ(tile.TransparentMode(), tmAuto);
  EXPECT_EQ(tile.TransparentColor(), clBlue);
  c->Draw(0, 0, &tile);
  EXPECT_EQ(c->Pixels(0, 2), clWhite);
  EXPECT_EQ(c->Pixels(1, 2), clRed);
  tile.SetTransparentColor(clRed);
  EXPECT_EQ(tile.TransparentMode(), tmFixed);
  c->FillRect(Rect(0, 0, 20, 10));
  c->Draw(0, 0, &tile);
  EXPECT_EQ(c->Pixels(0, 2), clBlue);
  EXPECT_EQ(c->Pixels(1, 2), clWhite);
}

TEST(Bitmap, ChangesAreNotified) {
  TBitmap b;
  int changes = 0;
  b.OnChange = [&](TGraphicsObject* sender) { changes += sender == &b; };
  b.SetSize(3, 3);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(b.Modified());
  b.SetModified(false);
  b.Canvas()->FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(b.Modified());
  b.SetPixelFormat(pf24bit);
  b.SetTransparent(true);
  EXPECT_EQ(changes, 4);
  b.SetSize(3, 3);
  EXPECT_EQ(changes, 4);
}

TEST(Bitmap, AssignCopiesThePicture) {
  TBitmap a, b;
  a.SetPixelFormat(pf32bit);
  a.SetSize(3, 2);
  Row32(a, 1)[2] = 0x80102030;  // alpha kept too
  a.SetTransparentColor(clFuchsia);
  b.Assign(&a);
  EXPECT_EQ(b.PixelFormat(), pf32bit);
  EXPECT_EQ(Row32(b, 1)[2], 0x80102030u);
  EXPECT_EQ(b.TransparentColor(), clFuchsia);
  EXPECT_NE(b.Handle(), a.Handle());
  Row32(a, 1)[2] = 0;
  EXPECT_EQ(Row32(b, 1)[2], 0x80102030u);
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, SetHandleTakesOwnershipOfADeviceBitmap) {
  HDC screen = GetDC(nullptr);
  HBITMAP ddb = CreateCompatibleBitmap(screen, 3, 2);
  ReleaseDC(nullptr, screen);
  {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ddb);
    SetPixel(dc, 2, 1, RGB(9, 8, 7));
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  TBitmap b;
  b.SetHandle(ddb);
  EXPECT_EQ(GetObjectType(ddb), 0u);  // copied into a section and freed
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Height(), 2);
  EXPECT_EQ(b.PixelFormat(), pf32bit);
  EXPECT_EQ(b.Canvas()->Pixels(2, 1), static_cast<TColor>(RGB(9, 8, 7)));
}

TEST(Bitmap, NoHandleLeakOverManyCycles) {
  auto cycle = [](int i) {
    TBitmap b;
    b.SetPixelFormat(i % 2 ? pf8bit : pf32bit);
    b.SetSize(8 + i % 3, 8);
    b.Canvas()->Font()->SetSize(9);
    b.Canvas()->TextOut(0, 0, "x");
    b.Canvas()->Rectangle(0, 0, 4, 4);
    b.Palette();
    b.SetSize(4, 4);
    b.SetPixelFormat(pf24bit);
    TBitmap c;
    c.Assign(&b);
    c.SetTransparent(true);
    b.Canvas()->Draw(0, 0, &c);
  };
  cycle(0);
  const int before = FreeGdiHandles();
  for (int i = 0; i < 2000; ++i) cycle(i);
  EXPECT_EQ(FreeGdiHandles(), before);
}

}  // namespace

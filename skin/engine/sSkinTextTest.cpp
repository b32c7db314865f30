// Skinned text on real canvases and bitmaps under Wine: contour passes and glow located by colour, the
// disabled looks, measuring, and the screen DC handed back.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sContourText.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinText.h"
#include "toolkit/graphics/GdiTestSupport.h"

namespace {

constexpr TColor Left = 0x0000FF, Top = 0x00FF00, Right = 0xFF0000, Bottom = 0x00FFFF, Font = 0x800080;
constexpr TColor Paper = 0xFFFFFF;

// A skin whose "TXT" section has a distinct colour for every contour side and state.
std::string SkinText(TColor L, TColor T, TColor R, TColor B) {
  auto N = [](TColor C) { return std::to_string(int(C)); };
  return "[TXT]\nSTATES=2\nCOLOR=" + N(0x408020) + "\nFONTCOLOR=" + N(Font) + "\nTCLEFT=" + N(L) + "\nTCTOP=" + N(T) +
         "\nTCRIGHT=" + N(R) + "\nTCBOTTOM=" + N(B) + "\nHOTFONTCOLOR=" + N(0x0080FF) +
         "\nHOTTCLEFT=-1\nHOTTCTOP=-1\nHOTTCRIGHT=-1\nHOTTCBOTTOM=-1\n";
}

// A bitmap font: its text has no smoothed edges, so every pixel is ink or not.
void UseFont(TCanvas* C) {
  C->Font()->SetName("MS Sans Serif");
  C->Font()->SetSize(14);
  C->Font()->SetStyle(fsBold);
}

// A white 32-bit bitmap with the test font; alpha Alpha everywhere.
std::unique_ptr<TBitmap> Sheet(int W, int H, uint8_t Alpha = 255) {
  auto B = NewBitmap32(W, H);
  const TPixelView V = BitmapView(*B);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) *V.PixelPtr(X, Y) = uint32_t(Alpha) << 24 | 0xFFFFFF;
  UseFont(B->Canvas());
  return B;
}

TColor At(TBitmap& B, int X, int Y) {
  const uint32_t P = *BitmapView(B).PixelPtr(X, Y);
  return TColor(((P >> 16) & 0xFF) | (P & 0xFF00) | ((P & 0xFF) << 16));
}

const TRect Box = Rect(10, 8, 70, 40);
const char* const Word = "HiT";

// Where the text is ink when written once at Box.
std::vector<std::vector<bool>> InkOf(int W, int H) {
  auto B = Sheet(W, H);
  DrawTextInColor(B->Canvas(), Word, Box, DT_SINGLELINE, clBlack);
  std::vector<std::vector<bool>> Ink(size_t(H), std::vector<bool>(size_t(W), false));
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) Ink[Y][X] = At(*B, X, Y) != Paper;
  return Ink;
}

// The picture four contour passes and the text leave: outside the ink, the last pass whose shifted
// ink covers the pixel.
TColor Expected(const std::vector<std::vector<bool>>& Ink, int X, int Y, const TColor (&Sides)[4]) {
  if (Ink[Y][X]) return Font;
  const int H = int(Ink.size()), W = int(Ink[0].size());
  auto InkAt = [&](int Xi, int Yi) { return Xi >= 0 && Xi < W && Yi >= 0 && Yi < H && Ink[Yi][Xi]; };
  const bool Covered[4] = {InkAt(X + 1, Y), InkAt(X, Y + 1), InkAt(X - 1, Y), InkAt(X, Y - 1)};
  TColor C = Paper;
  for (int I = 0; I < 4; ++I)
    if (Sides[I] != -1 && Covered[I]) C = Sides[I];
  return C;
}

struct SideCase {
  TColor Sides[4];
};
const SideCase SideCases[] = {{{Left, Top, Right, Bottom}}, {{-1, Top, Right, Bottom}}, {{Left, -1, Right, Bottom}},
                              {{Left, Top, -1, Bottom}},    {{Left, Top, Right, -1}},    {{-1, -1, -1, -1}}};

TEST(SkinText, ContourPassesComeLeftTopRightBottomShiftedByOnePixel) {
  const int W = 90, H = 50;
  const auto Ink = InkOf(W, H);
  for (const SideCase& Case : SideCases) {
    TsSkinManager Manager(nullptr);
    Manager.ReadSkinText(SkinText(Case.Sides[0], Case.Sides[1], Case.Sides[2], Case.Sides[3]), "");
    const int Index = Manager.GetSkinIndex("TXT");
    auto B = Sheet(W, H);
    const TRect R = Box;
    EXPECT_EQ(WriteTextBySection(B->Canvas(), Word, true, &Manager, 0, Index, DT_SINGLELINE, R), 0);
    EXPECT_EQ(R.left, Box.left);
    int Wrong = 0;
    std::map<TColor, int> Seen;
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) {
        const TColor Got = At(*B, X, Y);
        ++Seen[Got];
        if (Got != Expected(Ink, X, Y, Case.Sides) && ++Wrong < 5) ADD_FAILURE() << X << "," << Y << " " << std::hex << Got;
      }
    EXPECT_EQ(Wrong, 0);
    for (const TColor C : Case.Sides)
      if (C != -1) {
        EXPECT_GT(Seen[C], 0) << std::hex << C;  // every side shows somewhere
      }
    EXPECT_GT(Seen[Font], 20);
  }
}

TEST(SkinText, SkinTextMixesThePassesIntoABitmapWithItsAlpha) {
  const int W = 90, H = 50;
  const auto Ink = InkOf(W, H);
  for (const SideCase& Case : SideCases) {
    TsSkinManager Manager(nullptr);
    Manager.ReadSkinText(SkinText(Case.Sides[0], Case.Sides[1], Case.Sides[2], Case.Sides[3]), "");
    auto B = Sheet(W, H, 0x40);
    DrawSkinText(B.get(), Word, true, Box, DT_SINGLELINE, Manager.GetSkinIndex("TXT"), false, &Manager, false);
    int Wrong = 0;
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) {
        const TColor Want = Expected(Ink, X, Y, Case.Sides);
        const uint32_t Alpha = *BitmapView(*B).PixelPtr(X, Y) >> 24;
        if ((At(*B, X, Y) != Want || Alpha != (Want == Paper ? 0x40u : 0xFFu)) && ++Wrong < 5)
          ADD_FAILURE() << X << "," << Y << " " << std::hex << At(*B, X, Y) << " alpha " << Alpha;
      }
    EXPECT_EQ(Wrong, 0);
  }
}

TEST(SkinText, HotStateAndMissingSectionsOfSkinText) {
  const int W = 90, H = 50;
  const auto Ink = InkOf(W, H);
  TsSkinManager Manager(nullptr);
  Manager.ReadSkinText(SkinText(Left, Top, Right, Bottom), "");
  const int Index = Manager.GetSkinIndex("TXT");
  auto Count = [&](TBitmap& B, TColor C) {
    int N = 0;
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) N += At(B, X, Y) == C;
    return N;
  };
  int InkCount = 0;
  for (const auto& Row : Ink) InkCount += int(std::count(Row.begin(), Row.end(), true));
  // Hot: the hot record, whose contours are all none.
  auto Hot = Sheet(W, H);
  DrawSkinText(Hot.get(), Word, true, Box, DT_SINGLELINE, Index, true, &Manager, false);
  EXPECT_EQ(Count(*Hot, 0x0080FF), InkCount);
  EXPECT_EQ(Count(*Hot, Paper), W * H - InkCount);
  // No valid section: once, in the canvas font's colour; contours off: only the font colour.
  auto Plain = Sheet(W, H);
  Plain->Canvas()->Font()->SetColor(clTeal);
  DrawSkinText(Plain.get(), Word, true, Box, DT_SINGLELINE, 99, false, &Manager, false);
  EXPECT_EQ(Count(*Plain, clTeal), InkCount);
  auto NoContours = Sheet(W, H);
  DrawSkinText(NoContours.get(), Word, false, Box, DT_SINGLELINE, Index, false, &Manager, false);
  EXPECT_EQ(Count(*NoContours, Font), InkCount);
  EXPECT_EQ(Count(*NoContours, Paper), W * H - InkCount);
  // Plain characters end at the first NUL: "HiT\0xyz" draws as "HiT".
  auto Nul = Sheet(W, H);
  DrawSkinText(Nul.get(), std::string("HiT\0xyz", 7), false, Box, DT_SINGLELINE, Index, false, &Manager, true);
  EXPECT_EQ(Count(*Nul, Font), InkCount);
  // Nothing without a text, a rectangle or a manager (the first manager made is the default one).
  auto Empty = Sheet(W, H);
  DrawSkinText(Empty.get(), "", true, Box, DT_SINGLELINE, Index, false, &Manager, false);
  DrawSkinText(Empty.get(), Word, true, Rect(10, 10, 10, 40), DT_SINGLELINE, Index, false, &Manager, false);
  TsSkinManager* const Kept = std::exchange(DefaultManager, nullptr);
  DrawSkinText(Empty.get(), Word, true, Box, DT_SINGLELINE, Index, false, nullptr, false);
  DefaultManager = Kept;
  EXPECT_EQ(Count(*Empty, Paper), W * H);
}

TEST(SkinText, MixedTextReachingPastTheBitmapKeepsInside) {
  // The text placed partly left of and above a small bitmap: only its visible part is written.
  const auto Ink = InkOf(90, 50);
  auto Small = Sheet(30, 20, 0x40);
  const TRect Shifted = Rect(Box.left - 25, Box.top - 15, Box.right - 25, Box.bottom - 15);
  DrawTextMixed(Small.get(), Word, clBlack, DT_SINGLELINE, Shifted);
  for (int Y = 0; Y < 20; ++Y)
    for (int X = 0; X < 30; ++X)
      EXPECT_EQ(At(*Small, X, Y), Ink[Y + 15][X + 25] ? clBlack : Paper) << X << "," << Y;
}

TEST(SkinText, DisabledSectionTextUsesFortyPercentOfTheFontColour) {
  const int W = 90, H = 50;
  const auto Ink = InkOf(W, H);
  TsSkinManager Manager(nullptr);
  Manager.ReadSkinText(SkinText(Left, Top, Right, Bottom), "");
  auto B = Sheet(W, H);
  WriteTextBySection(B->Canvas(), Word, false, &Manager, 1, Manager.GetSkinIndex("TXT"), DT_SINGLELINE, Box);
  const TColor Mix = BlendColors(Font, 0x408020, 0.4);
  EXPECT_EQ(Mix, TColor(0x5A4D46));  // 0.4 * 80 00 80 + 0.6 * 20 80 40, by bytes
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) EXPECT_EQ(At(*B, X, Y), Ink[Y][X] ? Mix : Paper) << X << "," << Y;
}

TEST(SkinText, StatesAboveHotTakeTheHotColours) {
  TsSkinManager Manager(nullptr);
  Manager.ReadSkinText(SkinText(Left, Top, Right, Bottom), "");
  const int Index = Manager.GetSkinIndex("TXT");
  auto Hot = Sheet(90, 50), Active = Sheet(90, 50);
  WriteTextBySection(Hot->Canvas(), Word, true, &Manager, 1, Index, DT_SINGLELINE, Box);
  WriteTextBySection(Active->Canvas(), Word, true, &Manager, 2, Index, DT_SINGLELINE, Box);
  int Orange = 0;
  for (int Y = 0; Y < 50; ++Y)
    for (int X = 0; X < 90; ++X) {
      EXPECT_EQ(At(*Active, X, Y), At(*Hot, X, Y));
      Orange += At(*Hot, X, Y) == 0x0080FF;
    }
  EXPECT_GT(Orange, 20);
  // Nothing without a valid section, or without a manager when there is no default one.
  auto None = Sheet(90, 50);
  WriteTextBySection(None->Canvas(), Word, true, &Manager, 0, 7, DT_SINGLELINE, Box);
  TsSkinManager* const Kept = std::exchange(DefaultManager, nullptr);
  WriteTextBySection(None->Canvas(), Word, true, nullptr, 0, Index, DT_SINGLELINE, Box);
  DefaultManager = Kept;
  for (int Y = 0; Y < 50; ++Y)
    for (int X = 0; X < 90; ++X) ASSERT_EQ(At(*None, X, Y), Paper);
}

TEST(SkinText, GlowDrawsAHaloButNotTheTextAndRebuildsForAnotherText) {
  const TColor Bg = 0x336699, Glow = 0x00FF00;
  auto Fresh = [&] {
    auto B = Sheet(90, 60);
    FillRect32(B.get(), Rect(0, 0, 90, 60), Bg);
    FillAlphaRect(B.get(), Rect(0, 0, 90, 60), 0x20, false);
    B->Canvas()->Font()->SetColor(clRed);
    return B;
  };
  const TRect R = Rect(20, 15, 70, 45);
  TsGlowMask Mask;
  auto B = Fresh();
  DrawGlowText(B.get(), "I", R, Mask, Glow, 3, gsAll, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  ASSERT_TRUE(Mask.Bmp);
  EXPECT_EQ(Mask.Bmp->PixelFormat(), pf8bit);
  EXPECT_EQ(Mask.Bmp->Width(), 50 + 2 * 7);
  int Changed = 0, Grown = 0;
  for (int Y = 0; Y < 60; ++Y)
    for (int X = 0; X < 90; ++X) {
      const TColor P = At(*B, X, Y);
      const uint32_t A = *BitmapView(*B).PixelPtr(X, Y) >> 24;
      const bool InWork = X >= R.left - 7 && X < R.right + 7 && Y >= R.top - 7 && Y < R.bottom + 7;
      if (!InWork) {
        EXPECT_EQ(P, Bg) << X << "," << Y;
      }
      EXPECT_NE(P, clRed);
      // Every pixel lies between the background and the glow colour: red and blue fall, green rises.
      EXPECT_LE(P & 0xFF, Bg & 0xFF);
      EXPECT_GE((P >> 8) & 0xFF, (Bg >> 8) & 0xFF);
      EXPECT_LE((P >> 16) & 0xFF, (Bg >> 16) & 0xFF);
      EXPECT_GE(A, 0x20u);
      Changed += P != Bg;
      Grown += A > 0x20;
    }
  EXPECT_GT(Changed, 30);
  EXPECT_GT(Grown, 30);

  // Same size, another text: the kept mask is rebuilt, so the halo equals one made afresh.
  const TBitmap* Kept = Mask.Bmp.get();
  auto Again = Fresh();
  DrawGlowText(Again.get(), "I", R, Mask, Glow, 3, gsAll, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  EXPECT_EQ(Mask.Bmp.get(), Kept);  // nothing differs: reused
  auto Other = Fresh(), Reference = Fresh();
  DrawGlowText(Other.get(), "WWW", R, Mask, Glow, 3, gsAll, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  TsGlowMask New;
  DrawGlowText(Reference.get(), "WWW", R, New, Glow, 3, gsAll, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  int Differ = 0, FromFirst = 0;
  for (int Y = 0; Y < 60; ++Y)
    for (int X = 0; X < 90; ++X) {
      Differ += At(*Other, X, Y) != At(*Reference, X, Y);
      FromFirst += At(*Other, X, Y) != At(*B, X, Y);
    }
  EXPECT_EQ(Differ, 0);
  EXPECT_GT(FromFirst, 0);
  // Another font or side set rebuilds too.
  auto Bold = Fresh();
  Bold->Canvas()->Font()->SetHeight(-30);
  DrawGlowText(Bold.get(), "WWW", R, Mask, Glow, 3, gsAll, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  auto BoldRef = Fresh();
  BoldRef->Canvas()->Font()->SetHeight(-30);
  TsGlowMask New2;
  DrawGlowText(BoldRef.get(), "WWW", R, New2, Glow, 3, gsAll, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  for (int Y = 0; Y < 60; ++Y)
    for (int X = 0; X < 90; ++X) ASSERT_EQ(At(*Bold, X, Y), At(*BoldRef, X, Y)) << X << "," << Y;
}

TEST(SkinText, MeasuringThroughTheScreenDCGivesItBack) {
  TFont F;
  F.SetName("Arial");
  F.SetHeight(-17);
  TSize Size{};
  TextSizeOfFont(F.Handle(), "Medida", Size);
  auto B = Sheet(10, 10);
  B->Canvas()->SetFont(&F);
  EXPECT_EQ(Size.cx, B->Canvas()->TextWidth("Medida"));
  EXPECT_EQ(Size.cy, B->Canvas()->TextHeight("Medida"));
  TEXTMETRICA Tm{};
  const HDC DC = B->Canvas()->Handle();
  const HGDIOBJ Old = SelectObject(DC, F.Handle());
  GetTextMetricsA(DC, &Tm);
  SelectObject(DC, Old);
  EXPECT_EQ(FontItemHeight(F.Handle()), Tm.tmHeight + 6);
  TSize Dc{};
  EXPECT_TRUE(TextExtentDC(DC, "Medida", Dc));

  const int Free = FreeGdiHandles();
  for (int I = 0; I < 40; ++I) {
    TextSizeOfFont(F.Handle(), "Medida", Size);
    FontItemHeight(F.Handle());
  }
  EXPECT_EQ(FreeGdiHandles(), Free);
}

TEST(SkinText, CanvasFormsOfMeasuringAndShortening) {
  auto B = Sheet(200, 40);
  TCanvas* C = B->Canvas();
  const TSize S = TextExtentOf(C, "Paciente");
  TSize T{};
  TextExtentTo(C, "Paciente", T);
  EXPECT_EQ(S.cx, T.cx);
  EXPECT_EQ(S.cy, T.cy);
  std::string Out;
  EllipsisText(C, "Paciente", S.cx, Out);
  EXPECT_EQ(Out, "Paciente");
  EllipsisText(C, "Paciente", S.cx - 1, Out);
  ASSERT_GE(Out.size(), 4u);
  EXPECT_EQ(Out.substr(Out.size() - 3), "...");
  EXPECT_LE(C->TextWidth(Out), S.cx - 1);
  EllipsisText(C, "Paciente", 0, Out);
  EXPECT_EQ(Out, "");
  // DrawTextStr leaves the rectangle as it was, also when asked to measure.
  const TRect R = Rect(0, 0, 200, 40);
  EXPECT_GT(DrawTextStr(C->Handle(), "Paciente", R, DT_CALCRECT), 0);
  EXPECT_EQ(R.right, 200);
}

}  // namespace

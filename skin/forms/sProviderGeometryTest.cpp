#include "skin/forms/sProviderGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ProviderGeometry, CaptionHeight) {
  struct TCase {
    TCaptionInputs In;
    int Height;
  };
  const TCase Cases[] = {
      {{false, false, 0, false, 19}, 0},  // borderless
      {{true, false, 0, false, 19}, 19},  // minimized without a caption still has one
      {{false, true, 0, false, 19}, 19},  // dialog, no skin
      {{false, true, 0, false, 16}, 16},  // tool window
      {{false, true, 23, false, 19}, 23}, // the skin's title
      {{false, true, 15, true, 19}, 23},  // a lower skin title gives the system one + 4
      {{false, true, 30, true, 19}, 30},
  };
  for (const TCase& C : Cases)
    EXPECT_EQ(CaptionHeightOf(C.In), C.Height) << C.In.BorderFormCaption << " " << C.In.SystemCaption;
}

TEST(ProviderGeometry, ButtonSizesSurviveEmptyCounts) {
  struct TCase {
    bool Exists;
    int Size, Count, Missing, Expected;
  };
  const TCase Cases[] = {
      {true, 84, 4, DefaultTitleButtonSize, 21}, {true, 60, 3, DefaultTitleButtonSize, 20},
      {true, 22, 0, DefaultTitleButtonSize, 22}, {true, 22, -1, DefaultTitleButtonSize, 22},
      {false, 0, 0, DefaultTitleButtonSize, 21}, {false, 50, 2, DefaultMDIButtonSize, 16},
  };
  for (const TCase& C : Cases)
    EXPECT_EQ(StateImageSize(C.Exists, C.Size, C.Count, C.Missing), C.Expected) << C.Size << "/" << C.Count;
  EXPECT_EQ(UserButtonWidth(16, 21), 21);
  EXPECT_EQ(UserButtonWidth(24, 21), 26);
}

TEST(ProviderGeometry, OffsetsWithoutBorderFormAreTheClientOrigin) {
  struct TCase {
    TOffsetInputs In;
    int X, Y;
  };
  TOffsetInputs Sizeable;  // frame 4, caption 19, no extra border
  Sizeable.WindowWidth = 308, Sizeable.WindowHeight = 227, Sizeable.ClientWidth = 300;
  Sizeable.ClientHeight = 200, Sizeable.HasBorder = true, Sizeable.FrameWidth = 4, Sizeable.FrameHeight = 4;
  TOffsetInputs Bordered = Sizeable;  // BorderWidth 3 inside the frame
  Bordered.ClientWidth = 294, Bordered.ClientHeight = 194, Bordered.BorderWidth = 3;
  TOffsetInputs Borderless;  // BorderWidth 3, no frame at all
  Borderless.WindowWidth = 100, Borderless.WindowHeight = 80, Borderless.ClientWidth = 94;
  Borderless.ClientHeight = 74, Borderless.BorderWidth = 3;
  TOffsetInputs Scrolled = Sizeable;  // shown scroll bars narrow the client on the right and bottom only
  Scrolled.ClientWidth = 284, Scrolled.ClientHeight = 184, Scrolled.VScrollWidth = 16, Scrolled.HScrollHeight = 16;
  const TCase Cases[] = {{Sizeable, 4, 23}, {Bordered, 7, 26}, {Borderless, 3, 3}, {Scrolled, 4, 23}};
  for (const TCase& C : Cases) {
    EXPECT_EQ(OffsetXOf(C.In), C.X) << C.In.WindowWidth << " " << C.In.BorderWidth;
    EXPECT_EQ(OffsetYOf(C.In), C.Y) << C.In.WindowHeight << " " << C.In.BorderWidth;
  }
}

TEST(ProviderGeometry, OffsetsWithBorderFormFollowTheSkin) {
  TOffsetInputs In;
  In.HasBorderForm = true, In.FrameWidth = 5, In.BorderWidth = 2, In.ExtLeft = 10, In.ExtTop = 8;
  In.CaptionHeight = 28;
  EXPECT_EQ(OffsetXOf(In), 17);
  EXPECT_EQ(OffsetYOf(In), 38);
  In.MenuRows = 2, In.MenuLineHeight = 18;  // the menu band and its line below
  EXPECT_EQ(OffsetYOf(In), 38 + 36 + 1);
}

TEST(ProviderGeometry, SnapToTheWorkArea) {
  struct TCase {
    int X, Y, Width, Height, SnappedX, SnappedY;
  };
  const TCase Cases[] = {
      {595, 100, 200, 100, 600, 100},  // 5 pixels from the right edge lands on it
      {590, 100, 200, 100, 590, 100},  // 10 pixels stays
      {100, 495, 200, 100, 100, 500},  // bottom
      {-4, 6, 200, 100, 0, 0},         // left and top
      {2, 3, 795, 597, 0, 0},          // near both edges: left and top win
  };
  for (const TCase& C : Cases) {
    TSnapInputs In;
    In.WorkArea = {0, 0, 800, 600}, In.Width = C.Width, In.Height = C.Height, In.Buffer = 10;
    int X = C.X, Y = C.Y;
    SnapPosition(X, Y, In);
    EXPECT_EQ(X, C.SnappedX) << C.X << "," << C.Y;
    EXPECT_EQ(Y, C.SnappedY) << C.X << "," << C.Y;
  }
  TSnapInputs Shadowed;  // a border form's shadow lies outside the work area
  Shadowed.WorkArea = {0, 0, 800, 600}, Shadowed.Width = 200, Shadowed.Height = 100, Shadowed.Buffer = 10;
  Shadowed.ExtraX = 6, Shadowed.ExtraTop = 4;
  int X = -3, Y = -1;
  SnapPosition(X, Y, Shadowed);
  EXPECT_EQ(X, 6);
  EXPECT_EQ(Y, 4);
}

TEST(ProviderGeometry, TitleIconSize) {
  struct TCase {
    bool Shown;
    int Own, Caption, Size;
  };
  const TCase Cases[] = {{false, 24, 20, 0}, {true, 24, 20, 24}, {true, 0, 20, 16}, {true, 0, 12, 8},
                         {true, 0, 16, 8},   {true, 0, 9, 8},     {true, 0, 8, 1},   {true, 0, 0, 1},
                         {true, 0, -100, 1}, {true, 0, -101, 16}};
  for (const TCase& C : Cases) EXPECT_EQ(TitleIconSize(C.Shown, C.Own, C.Caption), C.Size) << C.Caption;
}

TEST(ProviderGeometry, DrawnIconPixelsBecomeOpaque) {
  std::vector<TColor32> Saved{0x00102030, 0x00102030, 0x7F405060, 0x00000000};
  std::vector<TColor32> Drawn{0x00102030, 0x00112030, 0x7F405060, 0x00FFFFFF};
  OpaqueWhereDrawn({Drawn.data(), 2, 2, 2}, {Saved.data(), 2, 2, 2});
  EXPECT_EQ(Drawn, (std::vector<TColor32>{0x00102030, 0xFF112030, 0x7F405060, 0xFFFFFFFF}));

  std::vector<TColor32> Glyph{0x00FF00FF, 0x00000000, 0x12FF00FF, 0x00FF00FE};
  OpaqueExceptColor({Glyph.data(), 4, 1, 4}, 0x00FF00FF);
  EXPECT_EQ(Glyph, (std::vector<TColor32>{0x00FF00FF, 0xFF000000, 0x12FF00FF, 0xFFFF00FE}));
  OpaqueExceptColor({}, 0);  // an empty picture is left alone
}

}  // namespace

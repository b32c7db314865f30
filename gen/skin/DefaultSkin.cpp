#include "gen/skin/DefaultSkin.h"

#include <algorithm>
#include <stdexcept>

#include "gen/skin/SkinOptionsWriter.h"
#include "gen/skin/SkinPackWriter.h"
#include "toolkit/graphics/BmpFormat.h"
#include "widgets/Bitmap32_StoredData.h"

namespace {

// A calm light look: blue-grey faces, a dark blue title with white text, one accent blue.
constexpr TColor32 Face = Px(214, 221, 230), FaceLight = Px(236, 240, 245), FaceDark = Px(190, 201, 215);
constexpr TColor32 Window = Px(255, 255, 255), Text = Px(30, 40, 55), Grey = Px(140, 150, 160);
constexpr TColor32 Line = Px(130, 145, 165), Accent = Px(51, 122, 204), Hot = Px(228, 236, 246);
constexpr TColor32 Title = Px(32, 58, 102), TitleLight = Px(58, 92, 148), White = Px(255, 255, 255);

const std::vector<TRequiredSection> Sections = {
    {"GLOBALINFO", "", 2, Face, Text, Hot, Text, false},
    {"FORM", "", 1, Face, Text, Face, Text, false},
    {"FORMTITLE", "", 2, Title, White, Title, White, false},
    {"DIALOG", "FORM", 1, Face, Text, Face, Text, false},
    {"DIALOGTITLE", "FORMTITLE", 2, Title, White, Title, White, false},
    {"PANEL", "", 1, Face, Text, Face, Text, false},
    {"PANEL_LOW", "PANEL", 1, FaceDark, Text, FaceDark, Text, false},
    {"TOOLBAR", "PANEL", 1, Face, Text, Face, Text, false},
    {"BARTITLE", "", 1, TitleLight, White, TitleLight, White, false},
    {"GROUPBOX", "", 1, Face, Text, Face, Text, false},
    {"BUTTON", "", 4, Face, Text, Hot, Accent, true},
    {"BUTTON_HUGE", "BUTTON", 4, Face, Text, Hot, Accent, true},
    {"TOOLBUTTON", "BUTTON", 4, Face, Text, Hot, Accent, true},
    {"SPEEDBUTTON", "BUTTON", 4, Face, Text, Hot, Accent, true},
    {"SPEEDBUTTON_SMALL", "SPEEDBUTTON", 4, Face, Text, Hot, Accent, true},
    {"CHECKBOX", "", 2, Face, Text, Face, Accent, false},
    {"RADIOBUTTON", "CHECKBOX", 2, Face, Text, Face, Accent, false},
    {"EDIT", "", 4, Window, Text, Window, Text, false},
    {"COMBOBOX", "EDIT", 4, Window, Text, Window, Text, false},
    {"COMBOBTN", "BUTTON", 4, Face, Text, Hot, Accent, false},
    {"SELECTION", "", 2, Accent, White, Accent, White, false},
    {"PAGECONTROL", "", 1, Face, Text, Face, Text, false},
    {"TABTOP", "", 4, Face, Text, Hot, Accent, false},
    {"TABBOTTOM", "TABTOP", 4, Face, Text, Hot, Accent, false},
    {"TABLEFT", "TABTOP", 4, Face, Text, Hot, Accent, false},
    {"TABRIGHT", "TABTOP", 4, Face, Text, Hot, Accent, false},
    {"UPDOWNBTN", "BUTTON", 4, Face, Text, Hot, Accent, false},
    {"TRACKBAR", "", 2, Face, Text, Face, Accent, false},
    {"BAR", "", 1, Face, Text, Face, Text, false},
    {"STATUSBAR", "", 1, Face, Text, Face, Text, false},
    {"DIVIDER", "", 1, Line, Text, Line, Text, false},
    {"COLHEADER", "BUTTON", 4, Face, Text, Hot, Accent, false},
    {"SCROLLBTNTOP", "", 4, Face, Text, Hot, Accent, false},
    {"SCROLLBTNBOTTOM", "SCROLLBTNTOP", 4, Face, Text, Hot, Accent, false},
    {"SCROLLBTNLEFT", "SCROLLBTNTOP", 4, Face, Text, Hot, Accent, false},
    {"SCROLLBTNRIGHT", "SCROLLBTNTOP", 4, Face, Text, Hot, Accent, false},
    {"SCROLLSLIDERV", "", 4, Face, Text, Hot, Accent, false},
    {"SCROLLSLIDERH", "SCROLLSLIDERV", 4, Face, Text, Hot, Accent, false},
    {"SCROLLBAR1H", "", 2, FaceLight, Text, FaceLight, Text, false},
    {"SCROLLBAR1V", "SCROLLBAR1H", 2, FaceLight, Text, FaceLight, Text, false},
    {"SCROLLBAR2H", "SCROLLBAR1H", 2, FaceLight, Text, FaceLight, Text, false},
    {"SCROLLBAR2V", "SCROLLBAR1H", 2, FaceLight, Text, FaceLight, Text, false},
    {"MAINMENU", "", 1, Face, Text, Face, Text, false},
    {"MENUITEM", "", 2, Window, Text, Accent, White, false},
    {"ICOLINE", "", 1, FaceLight, Text, FaceLight, Text, false},
    {"DIVIDERV", "", 1, Line, Text, Line, Text, false},
    {"MENUCAPTION", "", 1, TitleLight, White, TitleLight, White, false},
};

using K = TPieceKind;
using G = TGlyph;
const std::vector<TRequiredPiece> Pieces = {
    {"GLOBALINFO", "BOXCHECKED", K::Glyph, 13, 13, 4, 0, 0, G::Check},
    {"GLOBALINFO", "BOXUNCHECKED", K::Glyph, 13, 13, 4, 0, 0, G::Box},
    {"GLOBALINFO", "BOXGRAYED", K::Glyph, 13, 13, 4, 0, 0, G::Gray},
    {"GLOBALINFO", "RADIOCHECKED", K::Glyph, 13, 13, 4, 0, 0, G::RadioDot},
    {"GLOBALINFO", "RADIOUNCHECKED", K::Glyph, 13, 13, 4, 0, 0, G::Radio},
    {"GLOBALINFO", "RADIOGRAYED", K::Glyph, 13, 13, 4, 0, 0, G::RadioGray},
    {"GLOBALINFO", "SMALLCHECKED", K::Glyph, 11, 11, 4, 0, 0, G::Check},
    {"GLOBALINFO", "SMALLUNCHECKED", K::Glyph, 11, 11, 4, 0, 0, G::Box},
    {"GLOBALINFO", "SMALLGRAYED", K::Glyph, 11, 11, 4, 0, 0, G::Gray},
    {"GLOBALINFO", "CHECK", K::Glyph, 13, 13, 1, 0, 0, G::Check},
    {"GLOBALINFO", "GRIPIMAGE", K::Glyph, 13, 13, 1, 0, 0, G::Grip},
    {"GLOBALINFO", "BICONCLOSE", K::Glyph, 21, 19, 4, 0, 0, G::Close},
    {"GLOBALINFO", "BICLOSEALONE", K::Glyph, 21, 19, 4, 0, 0, G::Close},
    {"GLOBALINFO", "BICONMAX", K::Glyph, 21, 19, 4, 0, 0, G::Maximize},
    {"GLOBALINFO", "BICONMIN", K::Glyph, 21, 19, 4, 0, 0, G::Minimize},
    {"GLOBALINFO", "BICONNORM", K::Glyph, 21, 19, 4, 0, 0, G::Restore},
    {"GLOBALINFO", "BICONHELP", K::Glyph, 21, 19, 4, 0, 0, G::Help},
    {"GLOBALINFO", "SICONCLOSE", K::Glyph, 15, 15, 4, 0, 0, G::Close},
    {"GLOBALINFO", "SICONMAX", K::Glyph, 15, 15, 4, 0, 0, G::Maximize},
    {"GLOBALINFO", "SICONMIN", K::Glyph, 15, 15, 4, 0, 0, G::Minimize},
    {"GLOBALINFO", "SICONNORM", K::Glyph, 15, 15, 4, 0, 0, G::Restore},
    {"GLOBALINFO", "SICONHELP", K::Glyph, 15, 15, 4, 0, 0, G::Help},
    {"GLOBALINFO", "EXBORDER", K::PngFile, 64, 96, 2, 0, 0, G::None},
    {"FORM", "BORDERSMASK", K::Border, 24, 24, 1, 0, 4, G::None},
    {"FORMTITLE", "BORDERSMASK", K::Border, 24, 23, 2, 0, 4, G::None},
    {"DIALOG", "BORDERSMASK", K::Border, 24, 24, 1, 0, 4, G::None},
    {"DIALOGTITLE", "BORDERSMASK", K::Border, 24, 23, 2, 0, 4, G::None},
    {"PANEL", "BORDERSMASK", K::Border, 12, 12, 1, 0, 2, G::None},
    {"PANEL_LOW", "BORDERSMASK", K::Border, 12, 12, 1, 0, 2, G::None},
    {"TOOLBAR", "BORDERSMASK", K::Border, 12, 12, 1, 0, 2, G::None},
    {"BARTITLE", "BORDERSMASK", K::Border, 12, 12, 1, 0, 2, G::None},
    {"GROUPBOX", "BORDERSMASK", K::Border, 12, 12, 1, 0, 3, G::None},
    {"BUTTON", "BORDERSMASK", K::Border, 24, 24, 4, 0, 4, G::None},
    {"BUTTON_HUGE", "BORDERSMASK", K::BitmapFile, 64, 64, 3, 1, 20, G::None},
    {"TOOLBUTTON", "BORDERSMASK", K::Border, 24, 24, 4, 0, 4, G::None},
    {"SPEEDBUTTON", "BORDERSMASK", K::Border, 24, 24, 4, 0, 4, G::None},
    {"SPEEDBUTTON_SMALL", "BORDERSMASK", K::Border, 16, 16, 4, 0, 3, G::None},
    {"EDIT", "BORDERSMASK", K::Border, 12, 12, 4, 0, 2, G::None},
    {"COMBOBOX", "BORDERSMASK", K::Border, 12, 12, 4, 0, 2, G::None},
    {"COMBOBOX", "GLYPHMASK", K::Glyph, 13, 13, 4, 0, 0, G::ArrowDown},
    {"COMBOBTN", "BORDERSMASK", K::Border, 16, 16, 4, 0, 3, G::None},
    {"PAGECONTROL", "BORDERSMASK", K::Border, 12, 12, 1, 0, 2, G::None},
    {"TABTOP", "BORDERSMASK", K::Border, 24, 24, 4, 0, 4, G::None},
    {"TABBOTTOM", "BORDERSMASK", K::Border, 24, 24, 4, 0, 4, G::None},
    {"TABLEFT", "BORDERSMASK", K::Border, 24, 24, 4, 0, 4, G::None},
    {"TABRIGHT", "BORDERSMASK", K::Border, 24, 24, 4, 0, 4, G::None},
    {"UPDOWNBTN", "BORDERSMASK", K::Border, 16, 16, 4, 0, 3, G::None},
    {"TRACKBAR", "SLIDERMASK", K::Glyph, 11, 19, 4, 0, 0, G::Thumb},
    {"TRACKBAR", "SLIDERVMASK", K::Glyph, 19, 11, 4, 0, 0, G::Thumb},
    {"TRACKBAR", "SLIDERCHANNEL", K::Border, 12, 6, 1, 0, 2, G::None},
    {"TRACKBAR", "TICKHORZ", K::Glyph, 3, 5, 1, 0, 0, G::Tick},
    {"TRACKBAR", "TICKVERT", K::Glyph, 5, 3, 1, 0, 0, G::Tick},
    {"BAR", "BORDERSMASK", K::Border, 12, 12, 1, 0, 2, G::None},
    {"STATUSBAR", "BORDERSMASK", K::Border, 12, 12, 1, 0, 2, G::None},
    {"STATUSBAR", "STATUSPANELMASK", K::Border, 12, 12, 1, 0, 2, G::None},
    {"COLHEADER", "BORDERSMASK", K::Border, 16, 16, 4, 0, 3, G::None},
    {"SCROLLBTNTOP", "BORDERSMASK", K::Border, 16, 16, 4, 0, 3, G::None},
    {"SCROLLBTNTOP", "GLYPHMASK", K::Glyph, 13, 13, 4, 0, 0, G::ArrowUp},
    {"SCROLLBTNBOTTOM", "BORDERSMASK", K::Border, 16, 16, 4, 0, 3, G::None},
    {"SCROLLBTNBOTTOM", "GLYPHMASK", K::Glyph, 13, 13, 4, 0, 0, G::ArrowDown},
    {"SCROLLBTNLEFT", "BORDERSMASK", K::Border, 16, 16, 4, 0, 3, G::None},
    {"SCROLLBTNLEFT", "GLYPHMASK", K::Glyph, 13, 13, 4, 0, 0, G::ArrowLeft},
    {"SCROLLBTNRIGHT", "BORDERSMASK", K::Border, 16, 16, 4, 0, 3, G::None},
    {"SCROLLBTNRIGHT", "GLYPHMASK", K::Glyph, 13, 13, 4, 0, 0, G::ArrowRight},
    {"SCROLLSLIDERV", "BORDERSMASK", K::Border, 16, 16, 4, 0, 3, G::None},
    {"SCROLLSLIDERV", "GLYPHMASK", K::Glyph, 13, 13, 4, 0, 0, G::Grip},
    {"SCROLLSLIDERH", "BORDERSMASK", K::Border, 16, 16, 4, 0, 3, G::None},
    {"SCROLLSLIDERH", "GLYPHMASK", K::Glyph, 13, 13, 4, 0, 0, G::Grip},
    {"SCROLLBAR1H", "BORDERSMASK", K::Border, 12, 12, 2, 0, 2, G::None},
    {"SCROLLBAR1V", "BORDERSMASK", K::Border, 12, 12, 2, 0, 2, G::None},
    {"SCROLLBAR2H", "BORDERSMASK", K::Border, 12, 12, 2, 0, 2, G::None},
    {"SCROLLBAR2V", "BORDERSMASK", K::Border, 12, 12, 2, 0, 2, G::None},
    {"MAINMENU", "BORDERSMASK", K::Border, 12, 12, 1, 0, 2, G::None},
    {"MENUITEM", "BORDERSMASK", K::Border, 12, 12, 2, 0, 2, G::None},
    {"DIVIDERV", "BORDERSMASK", K::Border, 6, 6, 1, 0, 2, G::None},
    {"MENUCAPTION", "BORDERSMASK", K::Border, 12, 12, 1, 0, 2, G::None},
};

const TRequiredSection& SectionOf(const char* Name) {
  for (const TRequiredSection& s : Sections)
    if (std::string(s.Name) == Name) return s;
  throw std::runtime_error(std::string("no section ") + Name);
}

// The decimal colour of the options text: red in the low byte.
std::string ColourText(TColor32 C) {
  return std::to_string((C >> 16 & 0xFF) | (C & 0xFF00) | (C & 0xFF) << 16);
}

TColor32 Shade(TColor32 C, int Delta) {
  auto Ch = [&](int Shift) { return uint32_t(std::clamp(int(C >> Shift & 0xFF) + Delta, 0, 255)) << Shift; };
  return 0xFF000000u | Ch(16) | Ch(8) | Ch(0);
}

bool IsTitle(const TRequiredPiece& p) {
  return std::string(p.Section).find("TITLE") != std::string::npos && std::string(p.Section) != "BARTITLE";
}

// One state image of a border piece: normal, hot, pressed and disabled faces.
void DrawBorderState(const TPixelView& View, const TPixelRect& R, const TRequiredPiece& p, int State) {
  const TRequiredSection& s = SectionOf(p.Section);
  TColor32 Top = Shade(s.Color, 18), Bottom = s.Color, Edge = Line;
  if (State == 1) Top = Shade(s.HotColor, 12), Bottom = s.HotColor, Edge = Accent;
  if (State == 2) Top = Shade(s.Color, -20), Bottom = Shade(s.Color, -8), Edge = Accent;
  if (State == 3) Top = Bottom = FaceLight, Edge = Px(175, 185, 198);
  if (IsTitle(p)) {
    Top = State == 0 ? TitleLight : Shade(TitleLight, 40);
    Bottom = State == 0 ? Title : Shade(Title, 50);
    Edge = Bottom;
  }
  VerticalGradient(View, R, Top, Bottom);
  FrameArea(View, R, Edge);
  if (IsTitle(p))  // rounded top corners: the parent shows through
    for (int x : {R.Left, R.Left + 1, R.Right - 2, R.Right - 1}) {
      *View.PixelPtr(x, R.Top) = KeyPx;
      if (x == R.Left || x == R.Right - 1) *View.PixelPtr(x, R.Top + 1) = KeyPx;
    }
}

TColor32 GlyphInk(const TRequiredPiece& p, int State) {
  const bool OnTitle = std::string(p.Key).find("ICON") != std::string::npos || p.Glyph == TGlyph::Close;
  static const TColor32 Ink[4] = {Text, Accent, Px(20, 60, 120), Grey};
  static const TColor32 TitleInk[4] = {White, Px(255, 220, 120), Px(255, 120, 100), Px(150, 165, 190)};
  const TColor32* Inks = OnTitle ? TitleInk : Ink;
  return Inks[State < 3 ? State : 3];
}

void DrawGlyphState(const TPixelView& View, const TPixelRect& R, const TRequiredPiece& p, int State) {
  FillArea(View, R, KeyPx);
  if (p.Glyph == TGlyph::Check || p.Glyph == TGlyph::Box || p.Glyph == TGlyph::Gray)
    FillArea(View, {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1}, State == 3 ? FaceLight : Window);
  if (p.Glyph == TGlyph::Thumb) {
    DrawGlyph(View, R, TGlyph::Thumb, State == 1 ? Accent : State == 2 ? Px(20, 60, 120) : Face);
    return;
  }
  DrawGlyph(View, R, p.Glyph, GlyphInk(p, State));
}

TPixelImage NewImage(int Width, int Height, TColor32 Fill) {
  return {Width, Height, std::vector<TColor32>(size_t(Width) * Height, Fill)};
}

// A 24-bit BMP file of the picture.
Bytes BmpOf(const TPixelImage& Image) {
  detail::DibImage Dib;
  Dib.Width = Image.Width;
  Dib.Height = Image.Height;
  Dib.BitCount = 24;
  const size_t Stride = detail::DibStride(Image.Width, 24);
  Dib.Bits.assign(Stride * size_t(Image.Height), 0);
  for (int y = 0; y < Image.Height; ++y) {
    uint8_t* Row = Dib.Bits.data() + Stride * size_t(Image.Height - 1 - y);
    for (int x = 0; x < Image.Width; ++x) {
      const TColor32 P = Image.Pixels[size_t(y) * Image.Width + x];
      Row[3 * x] = uint8_t(P), Row[3 * x + 1] = uint8_t(P >> 8), Row[3 * x + 2] = uint8_t(P >> 16);
    }
  }
  return detail::WriteBmp(Dib);
}

// A soft dark shadow around the part Margin pixels in from every side, which the form covers: alpha
// falls from Strength next to it to almost 0 at the picture's edge.
TPixelImage Shadow(int Width, int Height, int Margin, int Strength) {
  TPixelImage Image = NewImage(Width, Height, 0);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      const int D = std::max({Margin - x, x - (Width - 1 - Margin), Margin - y, y - (Height - 1 - Margin), 0});
      if (D > 0) Image.Pixels[size_t(y) * Width + x] = uint32_t(Strength * (Margin - D + 1) / (Margin + 1)) << 24;
    }
  return Image;
}

// The big button of "BtnHuge.bmp": three faces with their masks below (0 opaque, 255 clear corners).
TPixelImage BtnHuge(const TRequiredPiece& p) {
  TPixelImage Image = NewImage(p.Width * p.Count, p.Height * 2, 0xFF000000);
  const TPixelView View = Image.View();
  for (int i = 0; i < p.Count; ++i) {
    const TPixelRect R{i * p.Width, 0, (i + 1) * p.Width, p.Height};
    const TColor32 Top = i == 1 ? Px(240, 246, 252) : i == 2 ? FaceDark : FaceLight;
    VerticalGradient(View, R, Top, i == 2 ? FaceLight : Face);
    const TColor32 Frame = i == 0 ? Line : Accent;
    FrameArea(View, R, Frame);
    // Rounded corners: the frame follows the arc, the mask clears what lies outside it.
    const int Radius = 6;
    for (int y = 0; y < p.Height; ++y)
      for (int x = 0; x < p.Width; ++x) {
        const int Cx = std::max({Radius - x, x - (p.Width - 1 - Radius), 0});
        const int Cy = std::max({Radius - y, y - (p.Height - 1 - Radius), 0});
        const int D2 = Cx * Cx + Cy * Cy;
        const bool Out = D2 > Radius * Radius;
        if (!Out && D2 > (Radius - 1) * (Radius - 1)) *View.PixelPtr(R.Left + x, y) = Frame;
        *View.PixelPtr(R.Left + x, p.Height + y) = Out ? Px(255, 255, 255) : Px(0, 0, 0);
      }
  }
  return Image;
}

// The text of every section with its keys and pieces, GLOBALINFO's own values first.
std::vector<TSkinSection> OptionSections(const std::vector<std::string>& References) {
  std::vector<TSkinSection> Out;
  for (const TRequiredSection& s : Sections) {
    TSkinSection t{s.Name, {}};
    if (t.Name == "GLOBALINFO")
      t.Keys = {{"VERSION", DefaultSkinVersion}, {"AUTHOR", "MZ3100"}, {"DESCRIPTION", "Light blue-grey"},
                {"MASTERBITMAP", "MASTER.BMP"}, {"BORDERWIDTH", "4"}, {"TITLEHEIGHT", "23"}, {"FORMOFFSET", "4"}};
    if (*s.Parent) t.Keys.push_back({"PARENTCLASS", s.Parent});
    t.Keys.push_back({"STATES", std::to_string(s.States)});
    t.Keys.push_back({"COLOR", ColourText(s.Color)});
    t.Keys.push_back({"FONTCOLOR", ColourText(s.FontColor)});
    if (s.States > 1) {
      t.Keys.push_back({"HOTCOLOR", ColourText(s.HotColor)});
      t.Keys.push_back({"HOTFONTCOLOR", ColourText(s.HotFontColor)});
    }
    t.Keys.push_back({"GLOW", "0"});
    if (s.Fading) {
      t.Keys.push_back({"FADINGENABLED", "1"});
      t.Keys.push_back({"FADINGITERATIONS", "5"});
    }
    for (size_t i = 0; i < Pieces.size(); ++i)
      if (t.Name == Pieces[i].Section) t.Keys.push_back({Pieces[i].Key, References[i]});
    Out.push_back(std::move(t));
  }
  return Out;
}

// Refuses a text that misses a section of the tables or a piece under its own section: a piece whose
// section the tables forgot is not written, and the build stops here rather than the program at a load.
void CheckHoldsTables(const std::string& Options) {
  const auto SectionAt = [&](const std::string& Name) {
    const size_t At = Options.find("[" + Name + "]\r\n");
    if (At == std::string::npos) throw std::runtime_error("the skin lacks section " + Name);
    return At;
  };
  for (const TRequiredSection& s : Sections) SectionAt(s.Name);
  for (const TRequiredPiece& p : Pieces) {
    const size_t At = SectionAt(p.Section);
    const size_t End = std::min(Options.find("\r\n[", At), Options.size());
    const size_t Key = Options.find("\r\n" + std::string(p.Key) + "=", At);
    if (Key == std::string::npos || Key > End)
      throw std::runtime_error(std::string("the skin lacks piece ") + p.Section + "." + p.Key);
  }
}

}  // namespace

const std::vector<TRequiredSection>& RequiredSections() { return Sections; }
const std::vector<TRequiredPiece>& RequiredPieces() { return Pieces; }

TDefaultSkin BuildDefaultSkin() {
  TDefaultSkin Skin;
  // Master pieces placed on shelves of a 256-pixel-wide bitmap, in table order.
  constexpr int MasterWidth = 256;
  int X = 0, Y = 0, Shelf = 0;
  for (const TRequiredPiece& p : Pieces) {
    const int W = p.Width * p.Count, H = p.Height * (p.MaskType + 1);
    if (p.Kind == TPieceKind::BitmapFile || p.Kind == TPieceKind::PngFile) {
      Skin.PieceRects.push_back({0, 0, W, H});
      continue;
    }
    if (X + W > MasterWidth) X = 0, Y += Shelf, Shelf = 0;
    Skin.PieceRects.push_back({X, Y, X + W, Y + H});
    X += W;
    Shelf = std::max(Shelf, H);
  }
  TPixelImage Master = NewImage(MasterWidth, Y + Shelf, KeyPx);
  std::vector<std::string> References;
  for (size_t i = 0; i < Pieces.size(); ++i) {
    const TRequiredPiece& p = Pieces[i];
    const TPixelRect& R = Skin.PieceRects[i];
    for (int s = 0; s < p.Count && p.Kind != TPieceKind::BitmapFile && p.Kind != TPieceKind::PngFile; ++s) {
      const TPixelRect State{R.Left + s * p.Width, R.Top, R.Left + (s + 1) * p.Width, R.Top + p.Height};
      if (p.Kind == TPieceKind::Border)
        DrawBorderState(Master.View(), State, p, s);
      else
        DrawGlyphState(Master.View(), State, p, s);
    }
    switch (p.Kind) {
      case TPieceKind::Border: References.push_back(BorderReference(R, p.Border, p.Count, p.MaskType, 1)); break;
      case TPieceKind::Glyph: References.push_back(GlyphReference(R, p.Count, p.MaskType)); break;
      case TPieceKind::BitmapFile:
        Skin.BtnHuge = BmpOf(BtnHuge(p));
        References.push_back(FileReference("BTNHUGE.BMP", p.Count, p.MaskType, 0, p.Border, p.Border, p.Border,
                                           p.Border, 1));
        break;
      case TPieceKind::PngFile: {
        TPixelImage ExBord = NewImage(p.Width * p.Count, p.Height, 0);
        for (int s = 0; s < p.Count; ++s) {
          const TPixelImage One = Shadow(p.Width, p.Height, 18, s == 0 ? 60 : 110);
          for (int y = 0; y < p.Height; ++y)
            std::copy_n(&One.Pixels[size_t(y) * p.Width], p.Width, &ExBord.Pixels[size_t(y) * ExBord.Width + s * p.Width]);
        }
        Skin.ExBord = EncodePngPicture(ExBord.View());
        References.push_back(FileReference("EXBORD.PNG", p.Count, p.MaskType, 3, 22, 46, 22, 22, 1));
        break;
      }
    }
  }
  Skin.Master = BmpOf(Master);
  Skin.Options = WriteSkinOptions(OptionSections(References));
  CheckHoldsTables(Skin.Options);
  Skin.Packed = PackSkin({{"Options.dat", Skin.Options},
                          {"Master.bmp", std::string(Skin.Master.begin(), Skin.Master.end())},
                          {"BtnHuge.bmp", std::string(Skin.BtnHuge.begin(), Skin.BtnHuge.end())},
                          {"ExBord.png", std::string(Skin.ExBord.begin(), Skin.ExBord.end())}});
  Skin.ShadowActive = EncodePngPicture(Shadow(40, 40, 9, 110).View());
  Skin.ShadowInactive = EncodePngPicture(Shadow(40, 40, 9, 60).View());
  return Skin;
}

#pragma once
// The arithmetic of the skinned buttons: the current look (0 normal, 1 hot, 2 pressed), the glyph a
// look shows, where glyph and caption go, the cell of a glyph strip, the blend of a disabled glyph and
// the state and place of a tool button's glyph. Pure: no windows.h.
#include <cstdint>

#include "widgets/Bitmap32_Types.h"

enum TImageAlignment { iaLeft, iaRight, iaTop, iaBottom, iaCenter };
enum TButtonStyle { bsPushButton, bsCommandLink, bsSplitButton };
// Sets of these, element i as bit i.
enum TsDisabledKindValue { dkBlended, dkGrayed };
using TsDisabledKind = std::uint8_t;
enum TsDisabledGlyphKindValue { dgBlended, dgGrayed };
using TsDisabledGlyphKind = std::uint8_t;

// The width of a split button's drop-down part.
constexpr int SplitPartWidth = 16;

struct TButtonStateInput {
  bool Pushed = false;        // BM_GETSTATE answers BST_PUSHED
  bool ForcePressed = false;  // the library-wide pressed look
  bool MouseAbove = false;
  bool LeftButtonHeld = false;
  bool Down = false;
  bool DropDownOpen = false;
  bool DefaultLook = false;  // told it is the default button, or of style BS_DEFPUSHBUTTON
  bool HotState = false;
};
int ButtonCurrentState(const TButtonStateInput& In);

struct TGlyphChoice {
  int Count = 0;  // images in the list; 0 without a list
  bool Enabled = true;
  bool Focused = false;
  int State = 0;
  int ImageIndex = -1, HotImageIndex = -1, PressedImageIndex = -1, SelectedImageIndex = -1,
      DisabledImageIndex = -1;
};
// The image a look shows; -1 when no glyph is drawn (no valid ImageIndex).
int ButtonGlyphIndex(const TGlyphChoice& C);

struct TMarginValues {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct TsButtonRectsInput {
  int Width = 0, Height = 0;
  TButtonStyle Style = bsPushButton;
  TImageAlignment Alignment = iaLeft;
  TMarginValues Margins;
  int ContentMargin = 6;
  bool HasGlyph = false;
  int ImageWidth = 0, ImageHeight = 0;
  int TextWidth = 0, TextHeight = 0;  // measured inside ButtonTextLimit
  int State = 0;
};
struct TsButtonRects {
  TPixelRect Glyph;
  TPixelRect Caption;
  // A command link's hint: under the caption, as wide as the room beside the glyph.
  TPixelRect Hint;
};
// The face width the layout uses: Width, less the drop-down part of a split button.
int ButtonFaceWidth(int Width, TButtonStyle Style);
// The width the caption is measured in.
int ButtonTextLimit(const TsButtonRectsInput& In);
TsButtonRects ButtonLayout(const TsButtonRectsInput& In);

// The cell of a glyph strip shown in State; a count below 1 counts as 1.
int GlyphCellIndex(int State, int NumGlyphs);
// The width of one cell of a strip StripWidth wide; a count below 1 counts as 1.
int GlyphCellWidth(int StripWidth, int NumGlyphs);
// Cell Cell, CellWidth x CellHeight, of a strip of cells side by side, clipped to the strip's
// BmpWidth x BmpHeight (empty when the cell lies outside it).
TPixelRect GlyphCellRect(int Cell, int CellWidth, int CellHeight, int BmpWidth, int BmpHeight);
// The blend of a glyph from an alpha list: the button's blend in state 0, at least 50 when disabled
// with dgBlended.
int GlyphBlend(int Blend, int State, bool Enabled, TsDisabledGlyphKind Kind);

// Custom-draw bits of a tool button.
constexpr std::uint32_t ToolSelected = 0x01, ToolDisabled = 0x04, ToolChecked = 0x08, ToolHot = 0x40;
// 0 for no bit or the disabled bit alone, 2 selected or checked, else 1.
int ToolButtonState(std::uint32_t Bits);
// The state an alpha list draws: 1 hot, else 2 checked, else 0.
int ToolButtonAlphaState(std::uint32_t Bits);
struct TToolGlyphInput {
  int ButtonWidth = 0, ButtonHeight = 0;
  int ImageWidth = 0, ImageHeight = 0;
  bool List = false;
  bool DropDown = false;
  bool ShowCaptions = false;
  int TextHeight = 0;  // of "A"
  int State = 0;
};
TPixelRect ToolButtonGlyphRect(const TToolGlyphInput& In);

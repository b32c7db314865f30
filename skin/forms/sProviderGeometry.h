#pragma once
// The plain arithmetic of a skinned form's image that its painting, hit testing and border form share:
// caption height, client offsets, title-button sizes, the screen snap, the caption icon's size and the
// alpha of a drawn caption icon. The provider reads the window, the skin and the metrics into the inputs.
// Pure: no windows.h.
#include <cstddef>

#include "widgets/Bitmap32_Types.h"

// ---- Caption height
struct TCaptionInputs {
  bool Minimized = false;
  // Bordered and with WS_CAPTION.
  bool HasCaption = false;
  // The border form's caption height when asked for and a border form exists, else 0.
  int BorderFormCaption = 0;
  // The skin's title is lower than the system caption.
  bool SkinTitleLower = false;
  // SM_CYSMCAPTION for a tool-window form that is not minimized, else SM_CYCAPTION.
  int SystemCaption = 0;
};
int CaptionHeightOf(const TCaptionInputs& In);

// ---- Title-button sizes
inline constexpr int DefaultTitleButtonSize = 21;
inline constexpr int DefaultMDIButtonSize = 16;
// One state image of a piece: Size / Count, a count below 1 counting as 1; Missing without a piece.
int StateImageSize(bool PieceExists, int Size, int Count, int Missing);
// A user title button: its glyph's width + 2, or the "TITLEBUTTON" piece's state width when wider.
int UserButtonWidth(int GlyphWidth, int PieceStateWidth);

// ---- Client offsets in the form's image
struct TOffsetInputs {
  bool HasBorderForm = false;
  int WindowWidth = 0, WindowHeight = 0, ClientWidth = 0, ClientHeight = 0;
  // Widths of the scroll bars the form's scroll adapter shows, else 0.
  int VScrollWidth = 0, HScrollHeight = 0;
  // The window has WS_BORDER.
  bool HasBorder = false;
  // The frame (SysBorderWidth: the skin's with a border form, the system's without) and the form's BorderWidth.
  int FrameWidth = 0, FrameHeight = 0, BorderWidth = 0;
  // With a border form: the caption height and the menu band.
  int CaptionHeight = 0, MenuRows = 0, MenuLineHeight = 0;
  // The extended-border margins (empty without a border form).
  int ExtLeft = 0, ExtTop = 0;
};
int OffsetXOf(const TOffsetInputs& In);
int OffsetYOf(const TOffsetInputs& In);

// ---- Screen snap
// Coordinate := Edge - Size when |Coordinate + Size - Edge| < Buffer.
void SnapCoordinate(int& Coordinate, int Edge, int Buffer, int Size);
struct TSnapInputs {
  TPixelRect WorkArea;
  int Width = 0, Height = 0;
  int Buffer = 0;
  // With a border form: its horizontal offset + the shadow margin, and its vertical offset + the margin.
  int ExtraX = 0, ExtraTop = 0;
};
// The snapped position; left and top edges win over right and bottom ones.
void SnapPosition(int& X, int& Y, const TSnapInputs& In);

// ---- Caption icon
// 0 when the icon is not shown; else Own when not 0; else the default for the caption height.
int TitleIconSize(bool Shown, int Own, int CaptionHeight);
// Pixels whose colour differs from the background saved under them become opaque; the drawing of an
// icon leaves the alpha channel as it was.
void OpaqueWhereDrawn(const TPixelView& Drawn, const TPixelView& Saved);
// Pixels whose colour differs from the transparent colour (pixel order) become opaque.
void OpaqueExceptColor(const TPixelView& Bmp, TColor32 Transparent);

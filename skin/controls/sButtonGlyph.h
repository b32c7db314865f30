#pragma once
// The glyph painter of the skinned buttons: a glyph from the button's own bitmap (24-bit with a key
// colour, or 32-bit with alpha), from an alpha image list or from a plain image list, drawn into the
// button's cache image or onto a canvas, with its blend, gray look, reflection and state cells; the
// glyph of a standard toolbar's button; the window classes never skinned.
#include <string_view>

#include "skin/controls/sButtonLayout.h"
#include "skin/engine/sCommonData.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ImgList.h"

// What a button class gives the painter about its glyph.
struct TBtnGlyphInput {
  TCustomImageList* Images = nullptr;
  // The button's own bitmap; it is never changed.
  TBitmap* Glyph = nullptr;
  int ImageIndex = -1;
  TRect GlyphRect{0, 0, 0, 0};
  int NumGlyphs = 1;
  int Blend = 0;
  bool Down = false;
  bool Grayed = false;
  int State = 0;
  TsDisabledGlyphKind DisabledGlyphKind = 1u << dgBlended;
  bool Reflected = false;
  // The button: its enabled state and size, and its skin data (cache image, section, skin state).
  TControl* Control = nullptr;
  TsCommonData* SkinData = nullptr;
};

// Draws the glyph onto Canvas; nullptr means the cache image of the button's skin data.
void DrawBtnGlyph(const TBtnGlyphInput& In, TCanvas* Canvas);

// The image of one button of a standard toolbar into the 32-bit bitmap of that button, for the
// custom-draw state bits State.
void DrawToolButtonGlyph(TToolBar* ToolBar, TToolButton* Button, TCustomDrawState State, TBitmap* Bmp);

// The window classes the dialog hook leaves unskinned.
bool IsNeverSkinnedClass(std::string_view ClassName);

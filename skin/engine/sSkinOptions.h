#pragma once
// The model of a skin's options text: its global values, section rows and image pieces, built
// before any image is read. Pure: no windows.h; what the system answers comes in as inputs.
#include <functional>
#include <string>
#include <string_view>

#include "skin/engine/sMaskData.h"
#include "skin/engine/sSkinTables.h"

struct TsSkinModelInputs {
  // The default of "FORMOFFSET": the width of a sizing frame (SM_CXFRAME).
  int FrameWidth = 4;
  // The RGB value of a system-colour code (a negative colour).
  std::function<TColor(TColor)> SysColorToRGB;
};

struct TsSkinModel {
  TsSkinData SkinData;
  // "MASTERBITMAP" of "GLOBALINFO" as written; empty when the skin names none.
  std::string MasterBitmap;
  // Sections and pieces; the pattern table lists every JPEG the texts name (section and key
  // upper-cased), which the loader keeps as patterns or turns into texture pieces by their size.
  TsSkinTables Tables;
};

// Builds the model of a skin's options text and of the manager's CommonSections text. A number
// that is not a number raises EConvertError; nothing is returned then. Own images, their sizes and
// the transparent corners are the loader's: file pieces keep R empty until it calls SetDefaultBorders.
TsSkinModel BuildSkinModel(std::string_view OptionsText, std::string_view CommonSections,
                           const TsSkinModelInputs& Inputs);

// Border widths of a piece that declares none: BorderWidth on all sides, else a third of an
// image's width and height.
void SetDefaultBorders(TsMaskData& Mask);

#pragma once
// The "Options.dat" text of a skin, written from tables: sections in their order, each key once, lines
// ending in CR LF; and the texts of image references.
#include <string>
#include <vector>

#include "widgets/Bitmap32_Types.h"

struct TSkinKey {
  std::string Name, Value;
};
struct TSkinSection {
  std::string Name;
  std::vector<TSkinKey> Keys;
};

std::string WriteSkinOptions(const std::vector<TSkinSection>& Sections);

// "@" glyph of the master bitmap: R, image count, mask type.
std::string GlyphReference(const TPixelRect& R, int Count, int MaskType);
// "^" nine-slice border of the master bitmap: R, the four border widths, count, mask type, draw mode
// and the common border width.
std::string BorderReference(const TPixelRect& R, int Border, int Count, int MaskType, int DrawMode);
// "!" piece with an own image file: count, mask type, kind, the four border widths, draw mode.
std::string FileReference(const std::string& File, int Count, int MaskType, int Kind, int Left, int Top, int Right,
                          int Bottom, int DrawMode);

#pragma once
// The program's own skin "WEB (internal)": the table of the sections and pieces it must hold, and the
// files made from it (the options text, the master bitmap, "BtnHuge.bmp", "ExBord.png", the packed
// skin and the two shadow images of extended borders). Pure and deterministic.
#include <string>
#include <vector>

#include "gen/skin/PngWriter.h"
#include "gen/skin/SkinDrawing.h"

// How a piece is stored: cut from the master bitmap ("^" border, "@" glyph) or in a file of its own.
enum class TPieceKind { Border, Glyph, BitmapFile, PngFile };

struct TRequiredPiece {
  const char* Section;
  const char* Key;
  TPieceKind Kind;
  int Width, Height;  // one state image
  int Count;          // state images side by side
  int MaskType;       // 1: a mask image under each picture
  int Border;         // the four border widths of a border piece
  TGlyph Glyph;
};

struct TRequiredSection {
  const char* Name;
  const char* Parent;  // "" for none
  int States;
  TColor32 Color, FontColor, HotColor, HotFontColor;
  bool Fading;
};

const std::vector<TRequiredSection>& RequiredSections();
const std::vector<TRequiredPiece>& RequiredPieces();

inline constexpr const char* DefaultSkinVersion = "7.52";

struct TDefaultSkin {
  std::string Options;
  Bytes Master, BtnHuge, ExBord;
  Bytes Packed;  // "Options.dat", "Master.bmp", "BtnHuge.bmp", "ExBord.png"
  Bytes ShadowActive, ShadowInactive;  // "acSHDA", "acSHDI"
  // Where each piece of RequiredPieces() lies: its rectangle in the master bitmap or in its file.
  std::vector<TPixelRect> PieceRects;
};

// Raises std::runtime_error when the written text misses a section or piece of the tables.
TDefaultSkin BuildDefaultSkin();

#pragma once
// The skin loader: finds a skin's options text and images in a folder, a packed file or a stored
// skin, reads the images into 32-bit bitmaps, tints them and hands the whole skin to the manager.
#include <string>

#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStoredSkins.h"

// What a load reads and how it tints.
struct TsSkinSource {
  // The resolved folder of skin folders and packed files, without a final "\".
  std::string SkinDirectory;
  // A folder of SkinDirectory, a packed file's name without ".asz" or a stored skin's Name. The loader
  // renames it to the first stored skin's Name when it falls back to that skin.
  std::string SkinName;
  // The manager chose the packed file SkinDirectory\SkinName.asz.
  bool Packed = false;
  // The options text of a pending skin-change request; its images come from the skin folder.
  const std::string* PendingOptions = nullptr;
  const TsStoredSkins* InternalSkins = nullptr;
  std::string CommonSections;
  int HueOffset = 0;
  int Saturation = 0;
};

// Empties the manager's tables, then loads the skin and gives it to the manager in one step. False
// when no source holds a skin text (the tables stay empty). A number that is not a number raises
// EConvertError, a packed source that is not a packed skin raises as TacSkinConvertor does; the tables
// stay empty then too. A missing or unreadable image drops only its piece (or leaves the master
// bitmap empty).
bool LoadSkin(TsSkinManager& Manager, TsSkinSource& Source);

// The JPEG textures of fewer pixels than this become pieces; larger ones stay patterns.
inline constexpr long long MaxTexturePiecePixels = 900000;

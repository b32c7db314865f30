#pragma once
// The window region of a skinned form: the key-coloured corner pixels of the form's border mask (and
// of its title's) cut from its rectangle.
#include <windows.h>

#include <vector>

#include "skin/engine/sSkinSeam.h"
#include "widgets/Bitmap32_Types.h"

// What a provider keeps for its region.
struct TProviderRegion {
  std::vector<TPixelRect> Corners;
  // The title section whose "BORDERSMASK" cuts the top corners too; -1 for none.
  int TitleIndex = -1;
  bool InUpdate = false;
  // Set: the form is not asked whether it keeps its own region.
  bool QueryRegion = false;
};

// A window answering this question with KeepOwnRegionAnswer keeps its own region.
constexpr UINT KeepOwnRegionQuery = 0xBC4D;
constexpr WPARAM KeepOwnRegionAnswer = 0x41A2;

bool IsBordered(TsProviderLink& Provider);
bool IsStdBorderStyle(TsProviderLink& Provider);
// A main menu with items shown as the form's menu bar (not on MDI children or dialogs).
bool HasMenuBar(TsProviderLink& Provider);
void CollectRegionData(TsProviderLink& Provider, TProviderRegion& Region);
// The form's picture rectangle at (X, Y) less the collected corners; the caller owns it.
HRGN CombineCornerRegions(TsProviderLink& Provider, const TProviderRegion& Region, int X, int Y);
void UpdateRegion(TsProviderLink& Provider, TProviderRegion& Region, bool Repaint);

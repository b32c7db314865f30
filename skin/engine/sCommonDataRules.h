#pragma once
// The rules of per-control skin data that take plain values: the kind tables, the background
// colour a child assumes, and whether a background can change with size or position. Pure: no
// windows.h.
#include <functional>
#include <string_view>

#include "skin/engine/sMaskData.h"
#include "toolkit/graphics/Colors.h"

// The section a kind of owner takes when none is set; empty for kinds that take their class name.
std::string_view KindDefaultSection(int Kind);
// Kinds whose Color and Font.Color the skin sets, repainted on focus and hover changes.
bool IsColorManagedKind(int Kind);
// Kinds that never show a hover state.
bool KindHasNoHoverState(int Kind);
// Kinds whose hover does not make the skin data show a glow.
bool KindHasNoHoverGlow(int Kind);

// A colour seen through a partly transparent one: per channel round(Parent * T / 100 + Own *
// (1 - T / 100)), ties to even.
TColor MixByTransparency(TColor Parent, TColor Own, int Transparency);

// What the background colour of an owner depends on.
struct TsBgColorQuery {
  // A section of an active skin; nullptr without one.
  const TsGeneralData* Section = nullptr;
  bool CustomColor = false;
  // The owner's own colour (its form's for a provider), clBtnFace for neither.
  TColor OwnColor = clBtnFace;
  int Hot = 0;
  // The parent's colour as RGB; empty when there is no parent to ask.
  std::function<TColor()> ParentColor;
};
// The colour a child should assume as the owner's background.
TColor BackgroundColor(const TsBgColorQuery& Q);

// What decides whether an owner's background can change with its size or position.
struct TsBgVolatilityQuery {
  // A section of an active skin; nullptr without manager or section.
  const TsGeneralData* Section = nullptr;
  // The border piece (nullptr for none) and its resolved border widths.
  const TsMaskData* Border = nullptr;
  int BorderLeft = 0, BorderTop = 0, BorderRight = 0, BorderBottom = 0;
  // The section's texture piece, nullptr for none.
  const TsMaskData* Texture = nullptr;
  // The parent's state bits (bit 0x1: static background); empty without owner control or parent.
  std::function<int()> ParentBgState;
};
bool BackgroundIsVolatile(const TsBgVolatilityQuery& Q);

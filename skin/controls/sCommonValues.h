#pragma once
// The per-control skin values the windows set on skinned controls, kept until the controls paint
// with a skin.
#include <string>

struct TsControlSkinValues {
  std::string SkinSection;
  bool CustomColor = false;
  bool CustomFont = false;
};

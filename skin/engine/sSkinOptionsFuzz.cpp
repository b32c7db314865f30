// Any text as a skin's options text (and, after a NUL, as the CommonSections text): the model is
// built or a conversion error raised, and every lookup runs over what was built.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "skin/engine/sSkinOptions.h"
#include "toolkit/rtl/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string_view Text(reinterpret_cast<const char*>(Data), Size);
  const size_t Nul = Text.find('\0');
  TsSkinModelInputs Inputs;
  Inputs.SysColorToRGB = [](TColor Code) { return TColor(Code & 0xFF); };
  TsSkinModel Model;
  try {
    Model = BuildSkinModel(Text.substr(0, Nul), Nul == Text.npos ? "" : Text.substr(Nul + 1), Inputs);
  } catch (const EConvertError&) {
    return 0;
  }
  TsSkinTables& t = Model.Tables;
  ResolveSectionPieces(t);
  ResolveCommonIndexes(t);
  for (int i = 0; i < int(t.Sections.size()); ++i) {
    GetPatternIndex(t, i, t.Sections[i].ClassName, "PATTERN");
    GetMaskIndex(t, i, t.Sections[i].ParentClass, "GLYPHMASK");
  }
  for (int i = 0; i < int(t.Masks.size()); ++i) {
    MaskBorderLeft(t, i);
    MaskBorderTop(t, i);
    MaskBorderRight(t, i);
    MaskBorderBottom(t, i);
    TsMaskData m = t.Masks[i];
    m.R = MakeRect(0, 0, int(Size), int(Size) / 2);
    SetDefaultBorders(m);
  }
  return 0;
}

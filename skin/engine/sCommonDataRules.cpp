#include "skin/engine/sCommonDataRules.h"

#include <algorithm>
#include <initializer_list>

#include "skin/engine/sSkinPixels.h"

namespace {

bool InRanges(int Kind, std::initializer_list<std::pair<int, int>> Ranges) {
  return std::any_of(Ranges.begin(), Ranges.end(), [Kind](auto R) { return Kind >= R.first && Kind <= R.second; });
}

}  // namespace

std::string_view KindDefaultSection(int Kind) {
  struct Entry {
    std::initializer_list<int> Kinds;
    std::string_view Section;
  };
  static const Entry Table[] = {
      {{2, 3, 4, 5, 6, 7, 8, 10, 41, 76, 78, 83, 84, 85, 96, 131, 140, 227}, "EDIT"},
      {{11, 12, 13, 14, 15, 16, 17, 18, 81, 82}, "COMBOBOX"},
      {{19}, "BAR"},
      {{20}, "BARTITLE"},
      {{32, 152}, "CHECKBOX"},
      {{33}, "RADIOBUTTON"},
      {{51, 59, 68, 73}, "PANEL"},
      {{52, 58}, "PANEL_LOW"},
      {{53, 54, 60}, "TOOLBAR"},
      {{56}, "DRAGBAR"},
      {{57}, "TABSHEET"},
      {{74, 226}, "GROUPBOX"},
      {{75}, "SPLITTER"},
      {{92, 95}, "SPEEDBUTTON"},
      {{93, 94}, "BUTTON"},
      {{98}, "TOOLBUTTON"},
      {{141, 143}, "PAGECONTROL"},
      {{151}, "STATUSBAR"},
      {{161}, "GAUGE"},
      {{165}, "TRACKBAR"},
  };
  for (const Entry& E : Table)
    if (std::find(E.Kinds.begin(), E.Kinds.end(), Kind) != E.Kinds.end()) return E.Section;
  return {};
}

bool IsColorManagedKind(int Kind) { return InRanges(Kind, {{2, 18}, {41, 41}, {76, 84}, {96, 96}, {131, 140}}); }

bool KindHasNoHoverState(int Kind) { return InRanges(Kind, {{19, 19}, {51, 74}, {110, 110}, {141, 161}}); }

bool KindHasNoHoverGlow(int Kind) {
  return InRanges(Kind, {{51, 52}, {54, 54}, {56, 60}, {68, 68}, {73, 74}, {92, 94}, {110, 110}, {141, 141},
                         {143, 143}, {151, 151}, {161, 161}, {226, 226}});
}

TColor MixByTransparency(TColor Parent, TColor Own, int Transparency) {
  return BlendColors(Parent, Own, Transparency / 100.0);
}

TColor BackgroundColor(const TsBgColorQuery& Q) {
  if (!Q.Section) return Q.OwnColor;
  const int S = Q.Hot > 0 && Q.Section->States > 1 ? 1 : 0;
  const int T = Q.Section->Props[S].Transparency;
  const TColor C = Q.Section->Props[S].Color;
  if (T < 1) return Q.CustomColor ? Q.OwnColor : C;
  if (!Q.ParentColor) return clBtnFace;
  const TColor P = Q.ParentColor();
  return T == 100 ? P : MixByTransparency(P, C, T);
}

bool BackgroundIsVolatile(const TsBgVolatilityQuery& Q) {
  if (!Q.Section) return false;
  if (Q.Border && ((Q.Border->DrawMode & 0x4) || Q.BorderLeft + Q.BorderRight > 20 || Q.BorderTop + Q.BorderBottom > 20))
    return true;
  const TsGeneralData& S = *Q.Section;
  if (S.Transparency == 100) {
    if (Q.Texture && Q.Texture->DrawMode == 10) return true;
    if (!Q.ParentBgState || !(Q.ParentBgState() & 0x1)) return true;
  } else if (S.Transparency != 0) {
    return true;
  }
  return S.ImagePercent != 0 || S.GradientPercent != 0;
}

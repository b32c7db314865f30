#include "skin/engine/sThirdParty.h"

namespace {

constexpr std::array<std::string_view, ThirdPartyCount> Categories = {
    "Edit", "Button", "BitBtn", "CheckBox", "ComboBox", "Grid", "GroupBox", "ListView", "Panel", "TreeView",
    "wwEdit", "GridEh", "VirtualTree", "PageControl", "TabControl", "ToolBar", "StatusBar", "SpeedButton",
    "ScrollControl", "UpDownBtn"};

}  // namespace

std::string_view ThirdPartyCategory(int Index) { return Categories.at(Index); }

std::string_view ThirdPartyDefault(int Index) {
  (void)Categories.at(Index);
  return Index == 1 ? "TButton" : " ";
}

ThirdPartyList::ThirdPartyList() {
  for (int i = 0; i < ThirdPartyCount; ++i) texts_[i] = ThirdPartyDefault(i);
}

void TThirdPartyLists::Fill(bool Force) {
  for (int i = 0; i < ThirdPartyCount; ++i) {
    if (Force || texts_.Text(i).empty()) texts_.SetText(i, std::string(ThirdPartyDefault(i)));
    lists_[i].SetText(texts_.Text(i));
  }
}

void TThirdPartyLists::CopyBack() {
  for (int i = 0; i < ThirdPartyCount; ++i) texts_.SetText(i, lists_[i].Text());
}

bool TThirdPartyLists::Contains(int Index, std::string_view ClassName) const {
  const TStringList& L = lists_.at(Index);
  for (int i = 0; i < L.Count(); ++i)
    if (L[i] == ClassName) return true;
  return false;
}

#pragma once
// The class names of foreign controls that form skinning adapts, in twenty categories: the stored
// texts (one class name per line) and the manager's lists filled from them. Pure: no windows.h.
#include <array>
#include <string>
#include <string_view>

#include "toolkit/rtl/Classes.h"

constexpr int ThirdPartyCount = 20;

// The category of each index ("Edit", "Button", ...).
std::string_view ThirdPartyCategory(int Index);
// The text a category starts with: "TButton" for buttons, one blank for the others.
std::string_view ThirdPartyDefault(int Index);

// The twenty stored texts, read and written through their index.
class ThirdPartyList {
 public:
  ThirdPartyList();
  const std::string& Text(int Index) const { return texts_.at(Index); }
  void SetText(int Index, std::string Value) { texts_.at(Index) = std::move(Value); }

  const std::string& ThirdEdits() const { return Text(0); }
  const std::string& ThirdButtons() const { return Text(1); }
  const std::string& ThirdBitBtns() const { return Text(2); }
  const std::string& ThirdCheckBoxes() const { return Text(3); }
  const std::string& ThirdComboBoxes() const { return Text(4); }
  const std::string& ThirdGrids() const { return Text(5); }
  const std::string& ThirdGroupBoxes() const { return Text(6); }
  const std::string& ThirdListViews() const { return Text(7); }
  const std::string& ThirdPanels() const { return Text(8); }
  const std::string& ThirdTreeViews() const { return Text(9); }
  const std::string& ThirdWWEdits() const { return Text(10); }
  const std::string& ThirdGridEh() const { return Text(11); }
  const std::string& ThirdVirtualTrees() const { return Text(12); }
  const std::string& ThirdPageControl() const { return Text(13); }
  const std::string& ThirdTabControl() const { return Text(14); }
  const std::string& ThirdToolBar() const { return Text(15); }
  const std::string& ThirdStatusBar() const { return Text(16); }
  const std::string& ThirdSpeedButton() const { return Text(17); }
  const std::string& ThirdScrollControl() const { return Text(18); }
  const std::string& ThirdUpDown() const { return Text(19); }

 private:
  std::array<std::string, ThirdPartyCount> texts_;
};

// The manager's twenty lists and the texts they are filled from and copied back to.
class TThirdPartyLists {
 public:
  ThirdPartyList& Texts() { return texts_; }
  const ThirdPartyList& Texts() const { return texts_; }
  const TStringList& List(int Index) const { return lists_.at(Index); }
  // Every list takes its text line by line; an empty text (every text when Force) is reset to its
  // default first.
  void Fill(bool Force);
  // Each list's lines are written back into its text.
  void CopyBack();
  // Whether ClassName is a line of the list of Index (exact comparison).
  bool Contains(int Index, std::string_view ClassName) const;

 private:
  ThirdPartyList texts_;
  std::array<TStringList, ThirdPartyCount> lists_;
};

#include "skin/controls/sPanelGeometry.h"

int PanelFrameInset(int BorderWidth, int BevelWidth, TPanelBevel Inner, TPanelBevel Outer) {
  return BorderWidth + BevelWidth * ((Inner != TPanelBevel::None) + (Outer != TPanelBevel::None));
}

TPixelRect PanelCaptionRect(const TPixelRect& R, int MeasuredHeight, int BorderWidth) {
  const int Top = BorderWidth + (R.Height() - MeasuredHeight) / 2;
  return {R.Left, Top, R.Right, Top + MeasuredHeight};
}

std::string_view BevelSection(TPanelBevel Bevel) {
  switch (Bevel) {
    case TPanelBevel::None: return "CHECKBOX";
    case TPanelBevel::Lowered: return "PANEL_LOW";
    case TPanelBevel::Raised: return "PANEL";
    case TPanelBevel::Space: break;
  }
  return {};
}

std::string SwitchedBevelSection(const std::string& Section, TPanelBevel Old, TPanelBevel New) {
  const std::string_view From = BevelSection(Old), To = BevelSection(New);
  if (From.empty() || To.empty() || Section != From) return Section;
  return std::string(To);
}

int PanelBgShift(int ClientWidth, int Width, int FrameInset) { return ClientWidth == Width ? 0 : FrameInset; }

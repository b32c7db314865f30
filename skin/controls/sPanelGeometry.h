#pragma once
// The arithmetic of a skinned panel's face: how far its frame reaches in, where its caption goes, the
// section that belongs to an outer bevel and the shift of the background a framed panel gives its
// children. Pure: no windows.h.
#include <string>
#include <string_view>

#include "widgets/Bitmap32_Types.h"

// The toolkit's bevel cuts by their order: none, lowered, raised, space.
enum class TPanelBevel { None, Lowered, Raised, Space };

// BorderWidth plus BevelWidth for each of the two bevels that is not None.
int PanelFrameInset(int BorderWidth, int BevelWidth, TPanelBevel Inner, TPanelBevel Outer);

// The caption block of MeasuredHeight inside R: its top is BorderWidth plus half the height left over
// (division toward zero), its sides are R's.
TPixelRect PanelCaptionRect(const TPixelRect& R, int MeasuredHeight, int BorderWidth);

// The section that belongs to an outer bevel: "CHECKBOX", "PANEL_LOW", "PANEL"; empty for Space.
std::string_view BevelSection(TPanelBevel Bevel);
// The section after the outer bevel changed from Old to New: the section that belonged to Old becomes
// the one of New; any other section, and any change from or to Space, leaves Section as it is.
std::string SwitchedBevelSection(const std::string& Section, TPanelBevel Old, TPanelBevel New);

// How far a panel's background moves for its children: nothing while its client area is as wide as the
// panel, else its frame inset (the client area starts that far in).
int PanelBgShift(int ClientWidth, int Width, int FrameInset);

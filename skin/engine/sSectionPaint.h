#pragma once
// Parent backgrounds: the record a parent fills for a child asking for its background, the asking
// itself (by control or by window), and its conversion into the painters' cache record; the section
// painters on bitmaps and DCs over a manager's skin.
#include <windows.h>

#include <cstdint>
#include <string>

#include "skin/engine/sSectionFill.h"
#include "skin/engine/sSkinUtils.h"
#include "toolkit/graphics/Colors.h"
#include "toolkit/ui/Controls.h"

class TBitmap;
class TsCommonData;
class TsSkinManager;

// BgType: 0 not answered, 1 plain colour, 2 the parent's cache bitmap at Offset.
struct TsBackgroundInfo {
  TBitmap* Bmp = nullptr;
  TColor Color = 0;
  TPoint Offset{0, 0};
  // The child's rectangle (in DrawDC when PleaseDraw).
  TRect R{0, 0, 0, 0};
  std::uint8_t BgType = 0;
  bool PleaseDraw = false;
  HDC DrawDC = nullptr;
};

// Asks the window for its background with SkinCmdGetBgInfo; true when it answered. A window that
// does not answer paints itself into DrawDC when the record asked for drawing before the call, else
// the answer is the default manager's global colour.
bool QueryBackgroundByHandle(TsBackgroundInfo& Info, HWND Wnd, bool Draw);
// The same for a control (by its window when it has one, else through Perform); a control that does
// not answer gives its colour.
bool QueryBackground(TsBackgroundInfo& Info, TControl* Control, bool Draw);
// The cache bitmap at its offset for BgType 2, else the plain colour as RGB.
TsCacheInfo BgInfoToCacheInfo(const TsBackgroundInfo& Info);

// ---- Section painters on bitmaps (composition in sSectionFill). A null manager means the default one.

// The pictures of a manager's skin as the section painters see them.
TsSkinPictures SkinPictures(const TsSkinManager& Manager);

struct TSectionPaint {
  int SkinIndex = -1;
  std::string SectionName;
  TsCacheInfo CacheInfo;
  int State = 0;
  TRect R{0, 0, 0, 0};
  TPoint Offset{0, 0};
  TBitmap* Bmp = nullptr;
  TsSkinManager* Manager = nullptr;
  int TextureIndex = -1, HotTextureIndex = -1;
  TColor FillColor = clFuchsia;
};
void PaintSkinSection(const TSectionPaint& P);
// Paints nothing while no default manager exists, even with a manager given.
void PaintSkinSectionByIndex(const TSectionPaint& P);
void PaintSection(const TSectionPaint& P);
// PaintSection with P's fill colour, dressed as Item says.
void PaintSectionItem(const TSectionPaint& P, const TSectionItem& Item);
// PaintSection into a bitmap of R's size (the section read at R's place in the background record),
// copied to DC at Offset; only for an Offset not negative and an R of positive size. The DC's state is
// kept.
void PaintSectionToDC(const TSectionPaint& P, HDC DC);
// The section named SectionName, else FallBackName, painted over the whole of Bmp over the parent DC's
// pixels at ParentPt (without a parent DC, over Color); answers the index painted, -1 for none.
int PaintSectionByName(TBitmap* Bmp, const std::string& SectionName, const std::string& FallBackName, TColor Color,
                       HDC ParentDC, TPoint ParentPt, TsSkinManager* Manager, int State);
// The caller's record (P.CacheInfo) stays as it is.
void DrawSkinPiece(const TSectionPaint& P, int MaskIndex);

// ---- A control's section, from its skin data: its section, textures, hue and saturation.

// The parent's background record, the state, the target with the control's place in the parent's
// background, and the rectangle.
struct TsItemPaint {
  TsCommonData* SkinData = nullptr;
  TsCacheInfo CacheInfo;
  int State = 0;
  TBitmap* Bmp = nullptr;
  TPoint Offset{0, 0};
  TRect R{0, 0, 0, 0};
};
// The section's background; with CustomColor flat in the owner's colour.
void PaintControlBackground(const TsItemPaint& P);
// The background, the section's corner pieces, the border over them, then the control's hue and
// saturation turns of the whole bitmap.
void PaintSkinnedItem(const TsItemPaint& P);

struct TsParentItemPaint {
  TsCommonData* SkinData = nullptr;
  // The control whose background shows through.
  TControl* Parent = nullptr;
  int State = 0;
  TRect R{0, 0, 0, 0};
  TPoint Offset{0, 0};
  TBitmap* Bmp = nullptr;
  bool UseParentBg = false;
};
// Over Parent's background (asked without drawing): the background, the border, then the corner
// pieces over it; no hue or saturation turn.
void PaintItemWithParentBg(const TsParentItemPaint& P);

#pragma once
// Per-control skin data: the section an owner (a skinned control, a window adapter or a form's skin
// provider) is painted with, its indexes in the skin's tables, its cache bitmap, its hot, update and
// background state, and its answers to the skin commands and toolkit notifications. Owners call
// HandleSkinNotification first in their window procedure and publish the object as "SkinData".
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "skin/engine/sSectionPaint.h"
#include "skin/engine/sSkinUtils.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/ui/Component.h"
#include "toolkit/ui/Controls.h"

class TsSkinManager;
class TsProviderLink;
struct TsGeneralData;

// CtrlState bits.
constexpr std::uint16_t CtrlStaticBg = 0x1;
constexpr std::uint16_t CtrlPaintInfoSet = 0x200;
constexpr std::uint16_t CtrlInUpdate = 0x800;
// BgKind bits.
constexpr std::uint16_t BgHorzGradient = 0x1;
constexpr std::uint16_t BgVertGradient = 0x2;
constexpr std::uint16_t BgTriangleGradient = 0x3;
constexpr std::uint16_t BgTextureMixed = 0x4;

class TsCommonData : public TPersistent {
 public:
  // AOwner: a control, a window adapter or a provider (TsSkinDataOwner), or nullptr.
  TsCommonData(TObject* AOwner, bool CreateCacheBmp);
  ~TsCommonData() override;
  TsCommonData(const TsCommonData&) = delete;
  TsCommonData& operator=(const TsCommonData&) = delete;

  // Always upper-case; an empty name is stored as "UNKNOWN".
  const std::string& SkinSection() const { return FSkinSection; }
  void SetSkinSection(const std::string& Value);
  // The own manager, or the default one.
  TsSkinManager* GetSkinManager() const;
  void SetSkinManager(TsSkinManager* Value);
  bool CustomColor() const { return FCustomColor; }
  void SetCustomColor(bool Value);
  bool CustomFont() const { return FCustomFont; }
  void SetCustomFont(bool Value);
  int HUEOffset() const { return FHUEOffset; }
  void SetHUEOffset(int Value);
  int Saturation() const { return FSaturation; }
  void SetSaturation(int Value);

  int UpdateCount = 0;
  int GlowID = -1;
  bool Updating = false;
  int BorderIndex = -1;
  int SkinIndex = -1;
  int Texture = -1;
  int HotTexture = -1;
  bool ForceParentBg = false;
  bool BGChanged = true;
  bool Clipped = true;
  TControl* const OwnerControl;
  TObject* const OwnerObject;
  std::unique_ptr<TBitmap> CacheBmp;
  int ControlKind = 0;
  bool Focused = false;
  bool MouseAbove = false;
  std::uint16_t CtrlState = 0;
  std::uint16_t BgKind = 0;
  void* PaintInfo = nullptr;

  // After the owner's construction and loading: the default section, the form told of a windowed
  // owner, the skin's colours applied.
  void FinishLoading();
  void SetDefaultSection();
  void ResolveIndexes();
  void UpdateBgKind();
  bool BgIsVolatile();
  void UpdateBgFlags(bool Children);
  bool RepaintNeeded();
  bool IsHotState();
  void UpdateColors(bool Repaint);
  void Invalidate();
  void BeginUpdate();
  void EndUpdate(bool Repaint);
  void SetUpdating(bool Value) { Updating = Value; }
  bool IsUpdating();
  bool IsSkinActive(bool CheckActive = false) const;
  bool DependsOnParentBg();
  TColor GetBgColor(int Hot, HWND Wnd);
  void FillBackgroundInfo(TsBackgroundInfo& Info, bool Hot, HWND Wnd);
  void GetParentBgInfo(TsCacheInfo& Info);
  // Shows the glow around the owner while the mouse is above it (no button held), else hides it.
  void UpdateGlow(bool Hot, HWND Wnd);
  void InitCacheBitmap();
  int MaxBorderWidth() const;

  // The section of the active skin; nullptr without manager or valid index.
  const TsGeneralData* Section() const;
  // The owner when it is a form's skin provider.
  TsProviderLink* Provider() const;
  // Hides a shown glow.
  void HideGlow();
  // The owner's colour, its form's for a provider, else clBtnFace.
  TColor OwnColor() const;

  void GetPublishedProperties(TPropList& List) const override;

 private:
  bool OwnerDestroying() const;
  bool OwnerLoading() const;
  // SkinCmdRefresh to the owner when its section is valid in a loaded skin, else SkinCmdRemoveSkin.
  void TellOwner();
  // Copies the cache part at Info.Offset of R's size to R of DrawDC.
  void DrawCache(const TsBackgroundInfo& Info) const;

  std::string FSkinSection;
  bool FCustomFont = false;
  bool FCustomColor = false;
  int FHUEOffset = 0;
  int FSaturation = 0;
  TsSkinManager* FSkinManager = nullptr;
};

// Skin data of buttons, edits and combo boxes: HUEOffset and Saturation published.
class TsCtrlSkinData : public TsCommonData {
 public:
  using TsCommonData::TsCommonData;
  void GetPublishedProperties(TPropList& List) const override;
};

// The background of GetParent(Wnd); the library's empty record for a window without parent.
void GetWindowParentBgInfo(HWND Wnd, TsCacheInfo& Info);
// The library-wide reaction to SM_SKINCMD; true when the command was answered and the owner must
// not handle it further.
bool HandleSkinCommand(TMessage& Msg, TsCommonData* SkinData);
// SM_SKINCMD through HandleSkinCommand; other messages only update the skin state and answer false.
bool HandleSkinNotification(TMessage& Msg, TsCommonData* SkinData);
// The section whose text colours a transparent control shows: the parent's section when it gives its
// own font colours, looked for through parents more than half transparent; DefaultIndex otherwise.
int ResolveTextSkinIndex(TControl* Control, int DefaultIndex, TsSkinManager* Manager, int Hot);

// The cache part at Src copied to Dest of DC with the areas of children clipped out, moved by the
// offsets (the DC's state kept); nothing without a cache.
struct TsCacheCopy {
  TsCommonData* SkinData = nullptr;
  TPoint Src{0, 0};
  int OffsetX = 0, OffsetY = 0;
  HDC DC = nullptr;
  TRect Dest{0, 0, 0, 0};
};
// Visible children overlapping Dest that have no window or are windowed and opaque.
void PaintCacheExcludingChildren(TWinControl* Control, const TsCacheCopy& C);
// Every visible child window by its rectangle in Wnd, a group box only by its frame: its top band as
// high as it answers SkinCmdGetTopBand and the default manager's "GROUPBOX" border widths.
void PaintCacheExcludingChildWindows(HWND Wnd, const TsCacheCopy& C);

// Every engine service the skinned controls use is reachable through sSkinServices.h under the name the
// controls call it by: each named once here, so that a rename shows at compile time.
#include "skin/controls/sSkinServices.h"

#include <gtest/gtest.h>

namespace named {
// Skin data, commands and backgrounds.
using ::BgInfoToCacheInfo;
using ::BroadcastToChildren;
using ::BroadcastToChildWindows;
using ::GetControlColor;
using ::GetWindowColor;
using ::GetWindowParentBgInfo;
using ::HandleSkinCommand;
using ::HandleSkinNotification;
using ::NewCacheInfo;
using ::NotifyChildrenUpdateFinished;
using ::NotifyFormControlLoaded;
using ::NotifyTopWindowsUpdateFinished;
using ::QueryBackground;
using ::QueryBackgroundByHandle;
using ::QuerySkinCmd;
using ::ResolveTextSkinIndex;
using ::SendSkinCmd;
using ::SendSkinCmdSimple;
using ::SendSkinCmdToControl;
using ::TsBackgroundInfo;
using ::TsCacheInfo;
using ::TsCommonData;
using ::TsCtrlSkinData;
// Painters.
using ::BitBltBorder;
using ::CollectTransparentPixels;
using ::DrawSkinPiece;
using ::ExcludeChildControls;
using ::FillCornerTransparency;
using ::PaintBorderCorners;
using ::PaintBorderMask;
using ::PaintCacheExcludingChildren;
using ::PaintCacheExcludingChildWindows;
using ::PaintControlBackground;
using ::PaintControlFrame;
using ::PaintControlToBitmap;
using ::PaintGraphicChildren;
using ::PaintItemWithParentBg;
using ::PaintMaskRect;
using ::PaintMaskState;
using ::PaintSection;
using ::PaintSectionByName;
using ::PaintSectionToDC;
using ::PaintSkinnedItem;
using ::PaintSkinSection;
using ::StretchOrTileBlt;
using ::ApplyGlyphEffects;
// Bitmaps and pixels.
using ::BlendBitmaps;
using ::BlendColors;
using ::ChangeBitmapHue;
using ::ChangeBitmapSaturation;
using ::CopyBitmapTransparent;
using ::CopyChannel;
using ::CopyGlyphBlended;
using ::CreateBitmapLike;
using ::DrawAlphaGlyph;
using ::DrawRoundRectBlended;
using ::FadeBitmapToColor;
using ::FillAlphaRect;
using ::FillDC;
using ::FillDCBorder;
using ::FillRect32;
using ::GrayscaleBitmap;
using ::GrayscaleBitmapExcept;
using ::NewBitmap32;
using ::StretchBitmap;
using ::StretchDrawAlpha;
using ::TacFast32;
// Text.
using ::CalcButtonLayout;
using ::CaptionFontHeight;
using ::CreateCaptionFont;
using ::DrawArrow;
using ::DrawDottedFrame;
using ::DrawGlowText;
using ::DrawSkinText;
using ::DrawTextStr;
using ::FontItemHeight;
using ::TextAlignFlags;
using ::TextExtentDC;
using ::TextRectOf;
using ::WriteTextBySection;
using ::WriteTextForControl;
// Fades, glows, timers, animations, menus and forms.
using ::AnimEventAllowed;
using ::AnimHideDialog;
using ::AnimHideForm;
using ::AnimShowDialog;
using ::AnimShowForm;
using ::ChangeStateWithFade;
using ::ClearGlows;
using ::HideGlow;
using ::LockSkinnedForms;
using ::PaintFadeStep;
using ::PaintDialogToBitmap;
using ::RegisterSkinnedForm;
using ::SetDwmIconicBitmap;
using ::ShowGlow;
using ::StopFadeTimer;
using ::TacThreadedTimer;
using ::TsAnimTimer;
using ::TsFadeTimer;
using ::TsSkinableMenus;
using ::TsSkinManager;
using ::UnlockSkinnedForms;
using ::UnregisterSkinnedForm;
// Library-wide values and small routines.
using ::AdapterRepaintLock;
using ::AnimationInProgress;
using ::ApplicationIcons;
using ::ControlIsReady;
using ::DefaultManager;
using ::DelayWithMessages;
using ::EmptyCacheInfo;
using ::EngineKeyColor;
using ::GetClientRectInWindow;
using ::GetMinimizeAnimation;
using ::GetMousePos;
using ::GetOwnerForm;
using ::GetOwnerFrame;
using ::AlignedControlsSize;
using ::IsBetween;
using ::IfThenInt;
using ::IsNTPlatform;
using ::IsWinXPOrLater;
using ::LayeredWindowsAvailable;
using ::MaskImageHeight;
using ::MaskImageWidth;
using ::MenuPainting;
using ::PendingAnimation;
using ::RectInsideRect;
using ::RectHeight;
using ::RectWidth;
using ::ScrollArrowSize;
using ::SetMinimizeAnimation;
using ::SkinChangeAnimating;
using ::SkinChangeInProgress;
using ::Wow64WithoutComposition;
using ::DeleteChars;
using ::HexToColor;
using ::NthWord;
using ::ReplaceAll;
using ::SwapRedBlue;
using ::GetEnumPropertyName;
using ::GetIntProperty;
using ::GetObjectProperty;
using ::HasProperty;
using ::SetIntProperty;
using ::SetSetPropertyElement;
}  // namespace named

namespace {

// Members reached by name.
struct TNamedData : TsCommonData {
  using TsCommonData::BeginUpdate;
  using TsCommonData::Clipped;
  using TsCommonData::CtrlState;
  using TsCommonData::DependsOnParentBg;
  using TsCommonData::FillBackgroundInfo;
  using TsCommonData::FinishLoading;
  using TsCommonData::GetBgColor;
  using TsCommonData::GetParentBgInfo;
  using TsCommonData::GetSkinManager;
  using TsCommonData::InitCacheBitmap;
  using TsCommonData::Invalidate;
  using TsCommonData::IsHotState;
  using TsCommonData::IsSkinActive;
  using TsCommonData::IsUpdating;
  using TsCommonData::MaxBorderWidth;
  using TsCommonData::RepaintNeeded;
  using TsCommonData::ResolveIndexes;
  using TsCommonData::SetSkinSection;
  using TsCommonData::SetUpdating;
  using TsCommonData::UpdateBgFlags;
  using TsCommonData::UpdateGlow;
};
struct TNamedManager : TsSkinManager {
  using TsSkinManager::ApplySkinFromCopyData;
  using TsSkinManager::FindMaskIndex;
  using TsSkinManager::GetActiveEditFontColor;
  using TsSkinManager::GetGlobalColor;
  using TsSkinManager::GetGlobalFontColor;
  using TsSkinManager::GetGlobalHotColor;
  using TsSkinManager::GetMaskIndex;
  using TsSkinManager::GetSelectionColor;
  using TsSkinManager::GetSelectionFontColor;
  using TsSkinManager::GetSkinIndex;
  using TsSkinManager::GetSkinNames;
  using TsSkinManager::IsValidMaskIndex;
  using TsSkinManager::IsValidSkinIndex;
  using TsSkinManager::MaskBorderBottom;
  using TsSkinManager::MaskBorderLeft;
  using TsSkinManager::MaskBorderRight;
  using TsSkinManager::MaskBorderTop;
  using TsSkinManager::SetHotControl;
  using TsSkinManager::SetHotWindow;
};
struct TNamedMenus : TsSkinableMenus {
  using TsSkinableMenus::ClearCache;
  using TsSkinableMenus::FindMenuInfo;
  using TsSkinableMenus::HookPopupMenu;
  using TsSkinableMenus::MDIChildMaximizedInMenu;
};

TEST(SkinServices, CommandCodesTheControlsRelyOn) {
  EXPECT_EQ(SkinCmdSetDependsOnParent, 9);
  EXPECT_EQ(SkinCmdSetPaintLocked, 41);
  EXPECT_EQ(SkinCmdGetApplication, 60);
  EXPECT_EQ(SM_SKINCMD, 0xA100u);
}

}  // namespace

#pragma once
// TsSkinProvider: the component that skins a whole form. It takes over the form's window procedure,
// registers the form with the skin engine, answers the engine on the form's behalf as its provider and
// holds the geometry of the form's image that painting, hit testing and the border form share.
#include <memory>
#include <string>

#include "skin/engine/sCommonData.h"
#include "skin/engine/sSkinSeam.h"
#include "skin/forms/sTitleButtons.h"
#include "toolkit/ui/Component.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

class TBitmap;
class TsFormProcLink;
struct TsMaskData;

enum TsGripMode { gmNone, gmRightBottom };
enum TsResizeMode { rmStandard, rmBorder };

// Provider state bits beyond those the engine reads.
constexpr std::uint32_t ProviderMinimizing = 0x100;
constexpr std::uint32_t ProviderRestoring = 0x400;
constexpr std::uint32_t ProviderActivating = 0x8000;
constexpr std::uint32_t ProviderScrollUpdate = 0x20000;

class TsSkinProvider : public TComponent, public TsProviderLink {
 public:
  // Raises EAbort when AOwner is no form. A form served by a placed provider gets a passive one; an
  // automatic provider in place is freed and replaced.
  explicit TsSkinProvider(TComponent* AOwner);
  // A provider made for a form that has none of its own.
  static TsSkinProvider* CreateAutomatic(TComponent* AOwner);
  ~TsSkinProvider() override;

  // ---- Published properties
  bool AllowAnimation = true;
  bool AllowBlendOnMoving = true;
  TAlignment CaptionAlignment = taLeftJustify;
  TsGripMode GripMode = gmNone;
  bool MakeSkinMenu = false;
  std::string MenuLineSkin;
  TsResizeMode ResizeMode = rmStandard;
  bool ScreenSnap = false;
  int SnapBuffer = 10;
  bool ShowAppIcon = true;
  std::string TitleSkin;
  bool UseGlobalColor() const { return FUseGlobalColor; }
  // Skinned, the form takes the skin's global colour (unless its skin data has a custom one); else clBtnFace.
  void SetUseGlobalColor(bool Value);
  bool AllowExtBorders() const { return FAllowExtBorders; }
  void SetAllowExtBorders(bool Value) { FAllowExtBorders = Value; }
  bool DrawNonClientArea() const { return FDrawNonClientArea; }

  void Loaded() override;

  TacAddedTitle* AddedTitle() const { return FAddedTitle.get(); }
  TsTitleIcon* TitleIcon() const { return FTitleIcon.get(); }
  TsTitleButtons* TitleButtons() const { return FTitleButtons.get(); }
  // Repaints the form's caption at once.
  void RepaintCaption();
  // A single or sizeable form with ShowAppIcon whose window has a system menu.
  bool HasSysMenu() const;
  // The size of the caption icon; 0 when the form shows none.
  int TitleIconWidth() const;
  int TitleIconHeight() const;

  bool Automatic() const { return FAutomatic; }
  // Another provider serves the form: this one stays out of its way.
  bool Passive() const { return FPassive; }

  // ---- Geometry of the form's image
  // The caption's height; WithBorderForm takes the border form's caption when there is one.
  int CaptionHeight(bool WithBorderForm = true) const;
  // Where the client area lies in the form's image.
  int OffsetX() const;
  int OffsetY() const;
  // Sizes of a title button of the piece MaskIndex: one state image of it; Missing without a piece
  // (DefaultTitleButtonSize, DefaultMDIButtonSize).
  int ButtonWidth(int MaskIndex, int Missing) const;
  int ButtonHeight(int MaskIndex, int Missing) const;

  // ---- TsProviderLink
  bool SkinOwnerDestroying() const override { return ComponentState() & csDestroying; }
  TCustomForm* Form() const override { return FForm; }
  TsCommonData* SkinData() const override { return FSkinData.get(); }
  std::unique_ptr<TBitmap> TakeFormImage() override { return std::move(FFormImage); }
  void SetFormImage(std::unique_ptr<TBitmap> Image) override { FFormImage = std::move(Image); }
  bool Locked() const override { return FLocked; }
  void SetLocked(bool Value) override { FLocked = Value; }
  bool Skinned() const override;
  bool InHiding() const override { return FInHiding; }
  std::uint32_t StateBits() const override { return FStateBits; }
  void SetStateBits(std::uint32_t Value) override { FStateBits = Value; }
  TsBorderFormLink* BorderForm() const override { return nullptr; }
  bool DrawFrame() const override;
  TForm* TakeCoverWindow() override { return nullptr; }
  TPoint BorderFormOffset() const override { return {0, 0}; }
  void PaintCacheIfNeeded() override {}
  void PaintAll() override {}
  void CollectRegionData() override {}
  void UpdateRegion(bool Repaint) override {}
  TBitmap* CacheBitmap() const override { return FSkinData->CacheBmp.get(); }

 private:
  TsSkinProvider(TCustomForm* AForm, TComponent* AOwner);
  friend class TsFormProcLink;
  // The form's window procedure while the provider serves it.
  void FormWndProc(TMessage& Message);
  // True when the message is a command answered here.
  bool AnswerSkinCommand(TMessage& Message);
  const TsMaskData* Piece(int MaskIndex) const;
  bool ManagedBy(LPARAM Manager) const;
  // The skin taken up: indexes read afresh and the form's colour.
  void StartSkinning();
  void SkinApplied();
  // The skin given up: the form as it is unskinned.
  void SkinRemoved();
  void ApplyGlobalColor();

  TCustomForm* FForm = nullptr;
  std::unique_ptr<TsCommonData> FSkinData;
  std::unique_ptr<TacAddedTitle> FAddedTitle;
  std::unique_ptr<TsTitleIcon> FTitleIcon;
  std::unique_ptr<TsTitleButtons> FTitleButtons;
  // The form's entry that reaches this provider; nullptr while it serves no form.
  TsFormProcLink* FProcLink = nullptr;
  bool FRegistered = false;
  std::unique_ptr<TBitmap> FStripBmp;
  std::unique_ptr<TBitmap> FWorkBmp;
  std::unique_ptr<TBitmap> FFormImage;
  bool FAllowExtBorders = true;
  bool FUseGlobalColor = true;
  bool FDrawNonClientArea = true;
  bool FAutomatic = false;
  bool FPassive = false;
  bool FComposition = false;
  bool FCaptionActive = true;
  bool FTitleLower = false;
  bool FLocked = false;
  bool FInHiding = false;
  std::uint32_t FStateBits = 0;
  int FTitleIndex = -1;
  int FCaptionIndex = -1;
  int FHotItem = -1;
};

// The provider of the MDI frame form and of the MDI child last activated; nullptr for none.
extern TsSkinProvider* MDIFrameProvider;
extern TsSkinProvider* ActiveMDIChildProvider;

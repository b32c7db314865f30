#pragma once
// TsButton: the skinned push button. An owner-drawn button that, while a skin is active, shows its
// section for its look (normal, hot, pressed) from a cache image, fades between looks, cuts its window
// to the border's transparent corners, draws a glyph of its image list and a focus frame; command links
// add a hint text, split buttons a drop-down menu. Without a skin it draws the standard look itself.
#include <memory>
#include <string>

#include "skin/controls/sButtonLayout.h"
#include "skin/engine/sCommonData.h"
#include "skin/engine/sFade.h"
#include "toolkit/ui/ImgList.h"
#include "toolkit/ui/Menus.h"
#include "toolkit/ui/StdCtrls.h"

// Margins around a button's glyph; every real change is told through OnChange once.
class TImageMargins : public TPersistent {
 public:
  int Left() const { return FValues.Left; }
  void SetLeft(int Value) { SetValue(&TMarginValues::Left, Value); }
  int Top() const { return FValues.Top; }
  void SetTop(int Value) { SetValue(&TMarginValues::Top, Value); }
  int Right() const { return FValues.Right; }
  void SetRight(int Value) { SetValue(&TMarginValues::Right, Value); }
  int Bottom() const { return FValues.Bottom; }
  void SetBottom(int Value) { SetValue(&TMarginValues::Bottom, Value); }
  const TMarginValues& Values() const { return FValues; }

  // All four values of another TImageMargins, then one notification.
  void Assign(TPersistent* Source) override;
  void GetPublishedProperties(TPropList& List) const override;

  TNotifyEvent OnChange;

 private:
  void SetValue(int TMarginValues::*Field, int Value);
  void Changed();
  TMarginValues FValues;
};

// While set, every pushed skinned button draws its pressed look (around one immediate redraw).
extern bool ForcePressedLook;

class TsButton : public TButton {
 public:
  explicit TsButton(TComponent* AOwner);
  ~TsButton() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }

  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  int ImageIndex() const { return FImageIndex; }
  // A different index repaints the button when it has an image list; the same one does nothing.
  void SetImageIndex(int Value) { SetIndex(FImageIndex, Value); }
  int HotImageIndex() const { return FHotImageIndex; }
  void SetHotImageIndex(int Value) { SetIndex(FHotImageIndex, Value); }
  int PressedImageIndex() const { return FPressedImageIndex; }
  void SetPressedImageIndex(int Value) { SetIndex(FPressedImageIndex, Value); }
  int SelectedImageIndex() const { return FSelectedImageIndex; }
  void SetSelectedImageIndex(int Value) { SetIndex(FSelectedImageIndex, Value); }
  int DisabledImageIndex() const { return FDisabledImageIndex; }
  void SetDisabledImageIndex(int Value) { SetIndex(FDisabledImageIndex, Value); }
  TImageAlignment ImageAlignment() const { return FImageAlignment; }
  void SetImageAlignment(TImageAlignment Value);
  TImageMargins* ImageMargins() const { return FImageMargins.get(); }
  void SetImageMargins(TImageMargins* Value) { FImageMargins->Assign(Value); }
  TsDisabledKind DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TsDisabledKind Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int FocusMargin() const { return FFocusMargin; }
  void SetFocusMargin(int Value) { FFocusMargin = Value; }
  const std::string& CommandLinkHint() const { return FCommandLinkHint; }
  void SetCommandLinkHint(const std::string& Value);
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  int ContentMargin() const { return FContentMargin; }
  void SetContentMargin(int Value);
  TButtonStyle Style() const { return FStyle; }
  void SetStyle(TButtonStyle Value);
  bool Reflected() const { return FReflected; }
  void SetReflected(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool Value);
  TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }

  // The look shown now: 0 normal, 1 hot, 2 pressed.
  int CurrentState();
  // The image the current look shows; -1 for none.
  int CurrentGlyphIndex();
  // Where glyph and caption go in the current look, the caption measured on the cache canvas.
  TsButtonRects Rects();
  // Rebuilds the cache image for the current look.
  void PrepareCache();
  // Copies the cache image into DC (0: the window's), rebuilding it and the window region as needed.
  void PaintButton(HDC DC);
  // The running press or hover fade, if any.
  TsFadeTimer* FadeTimer() const { return FFadeTimer; }

  void WndProc(TMessage& Message) override;
  void GetPublishedProperties(TPropList& List) const override;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Loaded() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // What the parent shows again after the button shrank (a rectangle in the parent's client area).
  virtual void InvalidateParentStrip(const TRect& R);

 private:
  void SetIndex(int& Field, int Value);
  void Changed();
  void StopFade();
  void Fade(TacAnimatEvent Event, bool HalfSteps);
  bool Ready();
  bool PaintInfoDC(HDC DC) const;
  bool CommonCommand(TMessage& Message);
  bool SkinnedMessage(TMessage& Message);
  void SkinnedAfter(TMessage& Message);
  void FocusChange(TMessage& Message, bool Entering);
  void DrawCaption(TCanvas* Canvas, int State, const TsButtonRects& R);
  void DrawGlyph(TCanvas* Canvas, int State, const TsButtonRects& R);
  void DrawSplitPart(TCanvas* Canvas, TColor Color);
  void DrawUnskinned(const DRAWITEMSTRUCT& Item);
  void ApplyRegion(HDC DC);
  void DropRegion();
  // The border piece of the section when it cuts the window to its corners (corner type 2).
  const struct TsMaskData* CornerMask() const;

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  std::unique_ptr<TImageMargins> FImageMargins;
  TCustomImageList* FImages = nullptr;
  int FImageIndex = -1, FHotImageIndex = -1, FPressedImageIndex = -1, FSelectedImageIndex = -1,
      FDisabledImageIndex = -1;
  TImageAlignment FImageAlignment = iaLeft;
  TsDisabledKind FDisabledKind = 1u << dkBlended;
  bool FDown = false;
  int FFocusMargin = 1;
  std::string FCommandLinkHint;
  TPopupMenu* FDropDownMenu = nullptr;
  int FContentMargin = 6;
  TButtonStyle FStyle = bsPushButton;
  bool FReflected = false;
  bool FWordWrap = true;
  bool FShowFocus = true;
  TacAnimatEvents FAnimatEvents = 1u << aeGlobalDef;

  TsFadeTimer* FFadeTimer = nullptr;
  bool FPressedByMouse = false;
  bool FRegionChanged = true;
  bool FDropDownOpen = false;
  // The region being built (the window owns it once applied); the first one applied redraws at once.
  HRGN FRegion = nullptr;
  bool FFirstRegion = true;
  TRect FLastRegionBounds{0, 0, 0, 0};
};

#pragma once
// The skinned push buttons' common part: the look from the skin section held in a cache image, the
// window region cut to the border's transparent corners, the hover and press fades with the short hold
// of a quick release, the focus changes and the window procedure over the skin commands. TsButton and
// TsBitBtn are made of it over the toolkit's TButton and TBitBtn; they give what they draw on the face.
#include <memory>

#include "skin/controls/sButtonLayout.h"
#include "skin/engine/sCommonData.h"
#include "skin/engine/sFade.h"
#include "toolkit/ui/Buttons.h"
#include "toolkit/ui/ImgList.h"
#include "toolkit/ui/StdCtrls.h"

// While set, every pushed skinned button draws its pressed look (around one immediate redraw).
extern bool ForcePressedLook;

template <class TBase>
class TsButtonBase : public TBase {
 public:
  TsButtonBase(TComponent* AOwner, int ControlKind);
  ~TsButtonBase() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  // The glyph source; a freed list is dropped.
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TsDisabledKind DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TsDisabledKind Value);
  bool Down() const { return FDown; }
  int FocusMargin() const { return FFocusMargin; }
  void SetFocusMargin(int Value) { FFocusMargin = Value; }
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool Value);
  TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }

  // The look shown now: 0 normal, 1 hot, 2 pressed.
  int CurrentState();
  // Rebuilds the cache image for the current look.
  void PrepareCache();
  // Copies the cache image into DC (0: the window's), rebuilding it and the window region as needed.
  void PaintButton(HDC DC);
  // The running press or hover fade, if any.
  TsFadeTimer* FadeTimer() const { return FFadeTimer; }

  void WndProc(TMessage& Message) override;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // What the parent shows again after the button shrank (a rectangle in the parent's client area).
  virtual void InvalidateParentStrip(const TRect& R);

  // What the two buttons differ in.
  // Held in the pressed look besides a push: Down, or an open drop-down part.
  virtual bool HeldDown() { return FDown; }
  // Glyph, caption and any part of their own, drawn into the cache for the look State.
  virtual void DrawFace(int State) = 0;
  // The border is painted before the face (true) or over it.
  virtual bool DrawsOverBorder() const { return true; }
  // Told the cache was rebuilt.
  virtual void CachePainted() {}
  // The look without a skin, into an owner-drawn item.
  virtual void DrawUnskinned(const DRAWITEMSTRUCT& Item) = 0;
  // A message the button answers in its own way while skinned; true when done with it.
  virtual bool OwnSkinnedMessage(TMessage&) { return false; }
  // A release without the press having been seen still runs the toolkit's release.
  virtual bool ReleasesUnpressed() const { return false; }

  void StopFade();
  void Changed() { FCommonData->Invalidate(); }
  void SetDownValue(bool Value);

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  TCustomImageList* FImages = nullptr;
  TsDisabledKind FDisabledKind = 1u << dkBlended;
  bool FDown = false;
  int FFocusMargin = 1;
  bool FShowFocus = true;
  TacAnimatEvents FAnimatEvents = 1u << aeGlobalDef;
  bool FRegionChanged = true;

 private:
  void Fade(TacAnimatEvent Event, bool HalfSteps);
  bool Ready();
  bool PaintInfoDC(HDC DC) const;
  bool CommonCommand(TMessage& Message);
  bool SkinnedMessage(TMessage& Message);
  void SkinnedAfter(TMessage& Message);
  void FocusChange(TMessage& Message, bool Entering);
  void PaintBorder(int State, const TsCacheInfo& Bg);
  void ApplyRegion(HDC DC);
  void DropRegion();
  // The border piece of the section when it cuts the window to its corners (corner type 2).
  const struct TsMaskData* CornerMask() const;

  // Set while a button's focus change runs, so that the form's focus notification does not redraw;
  // one for each kind of button.
  static bool FocusChanging;

  TsFadeTimer* FFadeTimer = nullptr;
  bool FPressedByMouse = false;
  // The region being built (the window owns it once applied); the first one applied redraws at once.
  HRGN FRegion = nullptr;
  bool FFirstRegion = true;
  TRect FLastRegionBounds{0, 0, 0, 0};
};

#pragma once
// TsButton: the skinned push button. An owner-drawn button that, while a skin is active, shows its
// section for its look (normal, hot, pressed) from a cache image, fades between looks, cuts its window
// to the border's transparent corners, draws a glyph of its image list and a focus frame; command links
// add a hint text, split buttons a drop-down menu. Without a skin it draws the standard look itself.
#include <memory>
#include <string>

#include "skin/controls/sButtonBase.h"
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

class TsButton : public TsButtonBase<TButton> {
 public:
  explicit TsButton(TComponent* AOwner);

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
  void SetDown(bool Value);
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
  // The image the current look shows; -1 for none.
  int CurrentGlyphIndex();
  // Where glyph and caption go in the current look, the caption measured on the cache canvas.
  TsButtonRects Rects();
  void GetPublishedProperties(TPropList& List) const override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  bool HeldDown() override { return FDown || FDropDownOpen; }
  void DrawFace(int State) override;
  void DrawUnskinned(const DRAWITEMSTRUCT& Item) override;

 private:
  void SetIndex(int& Field, int Value);
  void DrawCaption(TCanvas* Canvas, int State, const TsButtonRects& R);
  void DrawGlyph(TCanvas* Canvas, int State, const TsButtonRects& R);
  void DrawSplitPart(TCanvas* Canvas, TColor Color);

  std::unique_ptr<TImageMargins> FImageMargins;
  int FImageIndex = -1, FHotImageIndex = -1, FPressedImageIndex = -1, FSelectedImageIndex = -1,
      FDisabledImageIndex = -1;
  TImageAlignment FImageAlignment = iaLeft;
  std::string FCommandLinkHint;
  TPopupMenu* FDropDownMenu = nullptr;
  int FContentMargin = 6;
  TButtonStyle FStyle = bsPushButton;
  bool FReflected = false;
  bool FWordWrap = true;
  bool FDropDownOpen = false;
};

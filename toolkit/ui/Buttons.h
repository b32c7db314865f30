#pragma once
// Buttons with glyphs: TBitBtn (an owner-drawn push button with a glyph and a kind) and
// TSpeedButton (a window-less button that can stay down, alone or in a group).
#include <memory>
#include <string>

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/ui/StdCtrls.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

namespace detail {
// The glyph and caption of a button: a strip of NumGlyphs images (up, disabled, down, exclusive)
// whose bottom-left pixel colour is transparent, placed by Layout, Margin and Spacing.
class TButtonGlyph {
 public:
  TButtonGlyph();
  TBitmap* Glyph() { return glyph_.get(); }
  void SetGlyph(const TBitmap* Value);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int Value);
  // Draws glyph and caption inside Client, moved by Offset (a pressed button).
  void Draw(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const std::string& Caption,
            TButtonLayout Layout, int Margin, int Spacing, TButtonState State, TFont* Font);
  std::function<void()> OnChange;

 private:
  std::unique_ptr<TBitmap> glyph_;
  int numGlyphs_ = 1;
};
}  // namespace detail

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* AOwner);
  void GetPublishedProperties(TPropList& List) const override;
  ~TBitBtn() override;

  TBitmap* Glyph() { return glyph_.Glyph(); }
  void SetGlyph(const TBitmap* Value) { glyph_.SetGlyph(Value); }
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int Value) { glyph_.SetNumGlyphs(Value); }
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout Value);
  // Space between the edge and the glyph (-1 centres glyph and caption together).
  int Margin() const { return margin_; }
  void SetMargin(int Value);
  // Space between glyph and caption.
  int Spacing() const { return spacing_; }
  void SetSpacing(int Value);
  // A kind sets the caption, modal result and default or cancel role of a standard button.
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind Value);

  void Dispatch(TMessage& Message) override;
  void Click() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  // Draws the whole button into the DRAWITEMSTRUCT's DC.
  virtual void DrawItem(const DRAWITEMSTRUCT& DrawItemStruct);
  TCanvas* Canvas() { return &canvas_; }

 private:
  detail::TButtonGlyph glyph_;
  TCanvas canvas_;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  TBitBtnKind kind_ = bkCustom;
};

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  void GetPublishedProperties(TPropList& List) const override;

  TBitmap* Glyph() { return glyph_.Glyph(); }
  void SetGlyph(const TBitmap* Value) { glyph_.SetGlyph(Value); }
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int Value) { glyph_.SetNumGlyphs(Value); }
  // Buttons of one parent that share a non-zero GroupIndex stay down one at a time.
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int Value);
  bool Down() const { return down_; }
  void SetDown(bool Value);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool Value) { allowAllUp_ = Value; }
  bool Flat() const { return flat_; }
  void SetFlat(bool Value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout Value);
  int Margin() const { return margin_; }
  void SetMargin(int Value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int Value);
  // The state it is drawn in.
  TButtonState State() const { return state_; }
  // The mouse is over the button (a flat button draws raised then).
  bool MouseInControl() const { return mouseInControl_; }

  void Dispatch(TMessage& Message) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  // Tells the buttons of the same group that this one went down.
  void UpdateExclusive();

  detail::TButtonGlyph glyph_;
  int groupIndex_ = 0;
  bool down_ = false;
  bool allowAllUp_ = false;
  bool flat_ = false;
  bool dragging_ = false;
  bool mouseInControl_ = false;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  TButtonState state_ = bsUp;
};

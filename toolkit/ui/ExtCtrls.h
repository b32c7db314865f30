#pragma once
// Extra controls drawn by the toolkit: panels, bevels, shapes, images, paint boxes, radio groups
// and splitters.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/graphics/Pen.h"
#include "toolkit/graphics/Picture.h"
#include "toolkit/ui/StdCtrls.h"

// Draws a frame Width pixels wide inside Rect (top and left in TopColor, bottom and right in
// BottomColor) and shrinks Rect by it.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* AOwner);
  void GetPublishedProperties(TPropList& List) const override;

  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut Value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int Value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void AdjustClientRect(TRect& Rect) override;
  void Paint() override;

 private:
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  TBorderStyle borderStyle_ = bsNone;
  TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
};

enum TBevelStyle { bsLowered, bsRaised };
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };

class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape Value);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle Value);

 protected:
  void Paint() override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* AOwner);
  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType Value);
  TPen* Pen() { return &pen_; }
  TBrush* Brush() { return &brush_; }

 protected:
  void Paint() override;

 private:
  TShapeType shape_ = stRectangle;
  TPen pen_;
  TBrush brush_;
};

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* AOwner);
  TPicture* Picture() { return &picture_; }
  void SetPicture(const TPicture* Value) { picture_.Assign(Value); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool Value);
  bool Center() const { return center_; }
  void SetCenter(bool Value);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool Value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  // Where the picture goes in the control.
  TRect DestRect() const;

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  TPicture picture_;
  bool stretch_ = false;
  bool center_ = false;
  bool proportional_ = false;
  bool transparent_ = false;
  bool autoSize_ = false;
};

class TPaintBox : public TGraphicControl {
 public:
  explicit TPaintBox(TComponent* AOwner);
  TNotifyEvent OnPaint;

 protected:
  void Paint() override;
};

// A group box of radio buttons, one per line of Items, laid out in Columns.
class TCustomRadioGroup : public TGroupBox {
 public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;
  TStrings* Items() const { return items_.get(); }
  void SetItems(const TStrings* Value);
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int Value);
  int Columns() const { return columns_; }
  void SetColumns(int Value);
  // The radio button of each line.
  TRadioButton* Buttons(int Index) const { return buttons_.at(static_cast<size_t>(Index)); }

 protected:
  void Resize() override;
  void Changed() override;
  // Asked before a click changes the choice; false keeps the choice as it is.
  virtual bool CanModify() { return true; }

 private:
  void UpdateButtons();
  void CheckButtons();
  void ArrangeButtons();
  std::unique_ptr<TStringList> items_;
  std::vector<TRadioButton*> buttons_;
  int itemIndex_ = -1;
  int columns_ = 1;
  bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
 public:
  using TCustomRadioGroup::TCustomRadioGroup;
};

// --- Splitters ------------------------------------------------------------------------------

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

using TCanResizeEvent = std::function<void(TObject* Sender, int& NewSize, bool& Accept)>;

// A bar aligned beside another aligned control; dragging it resizes that control (not below
// MinSize, nor so far that the other aligned controls lose their room). ResizeStyle says how the
// drag is shown: rsUpdate resizes as the mouse moves, rsLine and rsPattern draw a bar that follows
// the mouse and resize when the button is let go, rsNone only resizes then.
class TSplitter : public TGraphicControl {
 public:
  explicit TSplitter(TComponent* AOwner);
  int MinSize() const { return minSize_; }
  void SetMinSize(int Value) { minSize_ = std::max(1, Value); }
  // Dragging below MinSize closes the control.
  bool AutoSnap() const { return autoSnap_; }
  void SetAutoSnap(bool Value) { autoSnap_ = Value; }
  TResizeStyle ResizeStyle() const { return resizeStyle_; }
  void SetResizeStyle(TResizeStyle Value) { resizeStyle_ = Value; }
  bool Beveled() const { return beveled_; }
  void SetBeveled(bool Value);

  TCanResizeEvent OnCanResize;
  TNotifyEvent OnMoved;

 protected:
  void Paint() override;
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  bool Vertical() const { return Align() == alLeft || Align() == alRight; }
  // The aligned control on the splitter's near side (left of an alLeft one, ...), or nullptr.
  TControl* FindControl() const;
  // The size the control would take with the mouse at (X, Y).
  int CalcNewSize(int X, int Y) const;
  void UpdateSize(int NewSize);
  // Draws (or, drawn again, removes) the bar that follows the mouse.
  void DrawLine();
  TControl* control_ = nullptr;
  TPoint downPos_{};
  int maxSize_ = 0;
  int newSize_ = 0;
  int oldSize_ = -1;
  int lineOffset_ = 0;
  bool lineVisible_ = false;
  int minSize_ = 30;
  bool autoSnap_ = true;
  TResizeStyle resizeStyle_ = rsPattern;
  bool beveled_ = false;
};

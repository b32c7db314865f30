#pragma once
// TSpinEdit: a number edit with up and down buttons (TSpinButton) and the arrow keys stepping its
// Value by Increment between MinValue and MaxValue (no limits while both are equal).
#include <string>

#include "toolkit/ui/StdCtrls.h"

// Two arrow buttons one above the other; holding one down repeats its click.
class TSpinButton : public TCustomControl {
 public:
  explicit TSpinButton(TComponent* AOwner);
  // The control that takes the focus when a button is pressed.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* Value) { focusControl_ = Value; }
  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  enum TPressed { pNone, pUp, pDown };
  void Fire();
  TWinControl* focusControl_ = nullptr;
  TPressed pressed_ = pNone;
};

class TSpinEdit : public TCustomEdit {
 public:
  explicit TSpinEdit(TComponent* AOwner);

  // The number in the text; MinValue while the text is not a number.
  int Value() const;
  // Shows the value, kept between the limits.
  void SetValue(int Value);
  int MinValue() const { return minValue_; }
  void SetMinValue(int Value);
  int MaxValue() const { return maxValue_; }
  void SetMaxValue(int Value);
  int Increment() const { return increment_; }
  void SetIncrement(int Value) { increment_ = Value; }
  TSpinButton* Button() const { return button_; }

  void UpClick(TObject* Sender);
  void DownClick(TObject* Sender);
  void Dispatch(TMessage& Message) override;
  void GetPublishedProperties(TPropList& List) const override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DoExit() override;

 private:
  int CheckValue(int Value) const;
  // Places the buttons inside the right edge and keeps the text clear of them.
  void PlaceButton();

  TSpinButton* button_;
  int minValue_ = 0;
  int maxValue_ = 0;
  int increment_ = 1;
};

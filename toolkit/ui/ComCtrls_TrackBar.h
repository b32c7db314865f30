#pragma once
// Track bars over the common control.
#include <windows.h>

#include "toolkit/ui/Controls.h"

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };

class TCustomTrackBar : public TWinControl {
 public:
  explicit TCustomTrackBar(TComponent* AOwner);

  int Min() const { return min_; }
  void SetMin(int Value);
  int Max() const { return max_; }
  void SetMax(int Value);
  int Position();
  void SetPosition(int Value);
  // Distance between tick marks (with automatic ticks).
  int Frequency() const { return frequency_; }
  void SetFrequency(int Value);
  // Moves of the arrow keys and of Page Up / Page Down.
  int LineSize() const { return lineSize_; }
  void SetLineSize(int Value);
  int PageSize() const { return pageSize_; }
  void SetPageSize(int Value);
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation Value);
  TTickMark TickMarks() const { return tickMarks_; }
  void SetTickMarks(TTickMark Value);
  TTickStyle TickStyle() const { return tickStyle_; }
  void SetTickStyle(TTickStyle Value);

  void Dispatch(TMessage& Message) override;

  // The position changed through the control (mouse or keys) or through SetPosition.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Changed();

 private:
  void UpdateRange();
  int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1, lineSize_ = 1, pageSize_ = 2;
  TTrackBarOrientation orientation_ = trHorizontal;
  TTickMark tickMarks_ = tmBottomRight;
  TTickStyle tickStyle_ = tsAuto;
};

class TTrackBar : public TCustomTrackBar {
 public:
  using TCustomTrackBar::TCustomTrackBar;
};

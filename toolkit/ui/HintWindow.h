#pragma once
// THintWindow: the small window that shows a control's hint (Application shows it after a pause
// over a control with a hint). Others make their own for hints of their own: CalcHintRect measures
// a text, ActivateHint shows it at a screen rectangle without taking the focus, ReleaseHandle
// takes it away.
#include <windows.h>

#include <string>

#include "toolkit/ui/Controls.h"

class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* AOwner);

  // Shows AHint in Rect (screen coordinates), on top, without activating.
  virtual void ActivateHint(const TRect& Rect, const std::string& AHint);
  // The rectangle (from 0, 0) that shows AHint in lines of at most MaxWidth pixels.
  virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint);
  // Hides the window and lets its window go.
  void ReleaseHandle();
  // Messages that take a shown hint away: keys, mouse buttons and wheel, commands.
  virtual bool IsHintMsg(const MSG& Msg) const;

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
};

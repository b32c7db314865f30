#include "toolkit/ui/Spin.h"

#include "toolkit/rtl/NumberText.h"
#include "toolkit/rtl/TypInfo.h"

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeat = 400;
constexpr UINT kNextRepeat = 100;
constexpr int kButtonWidth = 15;

}  // namespace

// --- TSpinButton ----------------------------------------------------------------------------

TSpinButton::TSpinButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle((ControlStyle() | csOpaque) & ~(csDoubleClicks | csSetCaption));
  SetBounds(0, 0, kButtonWidth, 25);
}

void TSpinButton::Paint() {
  const int w = Width(), h = Height();
  RECT up{0, 0, w, h / 2}, down{0, h / 2, w, h};
  const UINT inactive = Enabled() ? 0 : DFCS_INACTIVE;
  DrawFrameControl(Canvas()->Handle(), &up, DFC_SCROLL, DFCS_SCROLLUP | inactive | (pressed_ == pUp ? DFCS_PUSHED : 0));
  DrawFrameControl(Canvas()->Handle(), &down, DFC_SCROLL,
                   DFCS_SCROLLDOWN | inactive | (pressed_ == pDown ? DFCS_PUSHED : 0));
}

void TSpinButton::Fire() {
  if (pressed_ == pUp && OnUpClick) OnUpClick(this);
  if (pressed_ == pDown && OnDownClick) OnDownClick(this);
}

void TSpinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (focusControl_ && focusControl_->CanFocus() && !focusControl_->Focused()) focusControl_->SetFocus();
  pressed_ = Y < Height() / 2 ? pUp : pDown;
  Invalidate();
  Fire();
  if (HandleAllocated()) SetTimer(WindowHandle(), kRepeatTimer, kFirstRepeat, nullptr);
}

void TSpinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || pressed_ == pNone) return;
  if (HandleAllocated()) KillTimer(WindowHandle(), kRepeatTimer);
  pressed_ = pNone;
  Invalidate();
}

void TSpinButton::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_TIMER && Message.WParam == kRepeatTimer) {
    if (pressed_ == pNone) {
      KillTimer(WindowHandle(), kRepeatTimer);
    } else {
      SetTimer(WindowHandle(), kRepeatTimer, kNextRepeat, nullptr);
      Fire();
    }
    return;
  }
  if (Message.Msg == WM_CANCELMODE || Message.Msg == WM_CAPTURECHANGED) {
    if (pressed_ != pNone) {
      KillTimer(WindowHandle(), kRepeatTimer);
      pressed_ = pNone;
      Invalidate();
    }
  }
  TCustomControl::Dispatch(Message);
}

// --- TSpinEdit ------------------------------------------------------------------------------

TSpinEdit::TSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner), button_(new TSpinButton(this)) {
  button_->SetParent(this);
  button_->SetFocusControl(this);
  button_->OnUpClick = [this](TObject* Sender) { UpClick(Sender); };
  button_->OnDownClick = [this](TObject* Sender) { DownClick(Sender); };
  SetText("0");
}

void TSpinEdit::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  // The buttons live inside the edit's window.
  Params.Style |= WS_CLIPCHILDREN;
}

void TSpinEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  PlaceButton();
}

void TSpinEdit::PlaceButton() {
  if (!HandleAllocated()) return;
  const TRect r = ClientRect();
  button_->SetBounds(r.right - kButtonWidth, 0, kButtonWidth, r.bottom);
  SendMessageA(WindowHandle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, kButtonWidth + 2));
}

int TSpinEdit::CheckValue(int Value) const {
  if (maxValue_ == minValue_) return Value;
  return Value < minValue_ ? minValue_ : Value > maxValue_ ? maxValue_ : Value;
}

int TSpinEdit::Value() const {
  int v = 0;
  return TryStrToInt(Text(), v) ? v : minValue_;
}

void TSpinEdit::SetValue(int Value) { SetText(IntToStr(CheckValue(Value))); }

void TSpinEdit::SetMinValue(int Value) { minValue_ = Value; }

void TSpinEdit::SetMaxValue(int Value) { maxValue_ = Value; }

void TSpinEdit::UpClick(TObject*) {
  if (ReadOnly()) MessageBeep(0);
  else SetValue(Value() + increment_);
}

void TSpinEdit::DownClick(TObject*) {
  if (ReadOnly()) MessageBeep(0);
  else SetValue(Value() - increment_);
}

void TSpinEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_UP) UpClick(this);
  else if (Key == VK_DOWN) DownClick(this);
  TCustomEdit::KeyDown(Key, Shift);
}

void TSpinEdit::KeyPress(char& Key) {
  // Digits, signs and editing keys; Enter is not typed into the number.
  const bool valid = (Key >= '0' && Key <= '9') || Key == '+' || Key == '-' ||
                     (static_cast<unsigned char>(Key) < 32 && Key != '\r');
  if (!valid) {
    Key = 0;
    MessageBeep(0);
    return;
  }
  TCustomEdit::KeyPress(Key);
}

void TSpinEdit::DoExit() {
  TCustomEdit::DoExit();
  // Leaving shows the value the edit stands for: a text that is not a number, or one beyond the
  // limits, is replaced by it.
  int typed = 0;
  if (!TryStrToInt(Text(), typed) || CheckValue(typed) != typed) SetValue(Value());
}

void TSpinEdit::Dispatch(TMessage& Message) {
  TCustomEdit::Dispatch(Message);
  if (Message.Msg == WM_SIZE || Message.Msg == CM_FONTCHANGED) PlaceButton();
}

void TSpinEdit::GetPublishedProperties(TPropList& List) const {
  TCustomEdit::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      OrdProperty<TSpinEdit>("Value", &TSpinEdit::Value, &TSpinEdit::SetValue),
      OrdProperty<TSpinEdit>("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue),
      OrdProperty<TSpinEdit>("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue),
      OrdProperty<TSpinEdit>("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

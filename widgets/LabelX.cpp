#include "widgets/LabelX.h"

#include "toolkit/rtl/TypInfo.h"

TLabelX::TLabelX(TComponent* AOwner)
    : TLabel(AOwner),
      FFocusFont(std::make_unique<TFont>()),
      FDownFont(std::make_unique<TFont>()),
      FUpFont(std::make_unique<TFont>()),
      FNormalFont(std::make_unique<TFont>()) {
  // Plain event handlers, so that one a form assigns later takes their place.
  OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { SetFont(FDownFont.get()); };
  OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { SetFont(FUpFont.get()); };
}

TLabelX::~TLabelX() = default;

void TLabelX::Dispatch(TMessage& Message) {
  // LParam names a child when the notification only passes through; a label has none.
  if (Message.Msg == CM_MOUSEENTER && Message.LParam == 0) SetFont(FFocusFont.get());
  if (Message.Msg == CM_MOUSELEAVE && Message.LParam == 0) SetFont(FNormalFont.get());
  TLabel::Dispatch(Message);
}

void TLabelX::GetPublishedProperties(TPropList& List) const {
  TLabel::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      ObjProperty<TLabelX>("FocusFont", &TLabelX::FocusFont, &TLabelX::SetFocusFont),
      ObjProperty<TLabelX>("DownFont", &TLabelX::DownFont, &TLabelX::SetDownFont),
      ObjProperty<TLabelX>("UpFont", &TLabelX::UpFont, &TLabelX::SetUpFont),
      ObjProperty<TLabelX>("NormalFont", &TLabelX::NormalFont, &TLabelX::SetNormalFont),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}

#include "widgets/BtnImage.h"

#include "toolkit/rtl/TypInfo.h"

TBtnImage::TBtnImage(TComponent* AOwner)
    : TImage(AOwner),
      FFocusImage(std::make_unique<TPicture>()),
      FDownImage(std::make_unique<TPicture>()),
      FUpImage(std::make_unique<TPicture>()),
      FNormalImage(std::make_unique<TPicture>()) {
  // Plain event handlers, so that one a form assigns later takes their place. The press shows at once.
  OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
    SetPicture(FDownImage.get());
    Repaint();
  };
  OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) {
    SetPicture(FUpImage.get());
    Repaint();
  };
}

TBtnImage::~TBtnImage() = default;

void TBtnImage::Dispatch(TMessage& Message) {
  // LParam names a child when the notification only passes through; this control has none.
  if (Message.Msg == CM_MOUSEENTER && Message.LParam == 0) SetPicture(FFocusImage.get());
  if (Message.Msg == CM_MOUSELEAVE && Message.LParam == 0) SetPicture(FNormalImage.get());
  TImage::Dispatch(Message);
}

void TBtnImage::GetPublishedProperties(TPropList& List) const {
  TImage::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      ObjProperty<TBtnImage>("FocusImage", &TBtnImage::FocusImage, &TBtnImage::SetFocusImage),
      ObjProperty<TBtnImage>("DownImage", &TBtnImage::DownImage, &TBtnImage::SetDownImage),
      ObjProperty<TBtnImage>("UpImage", &TBtnImage::UpImage, &TBtnImage::SetUpImage),
      ObjProperty<TBtnImage>("NormalImage", &TBtnImage::NormalImage, &TBtnImage::SetNormalImage),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}

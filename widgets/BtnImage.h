#pragma once
// TBtnImage: a picture control that shows one picture per mouse state (over it, pressed, released, away).
#include "toolkit/ui/ExtCtrls.h"

#include <memory>

class TBtnImage : public TImage {
 public:
  explicit TBtnImage(TComponent* AOwner);
  ~TBtnImage() override;
  std::string ClassName() const override { return "TBtnImage"; }
  void GetPublishedProperties(TPropList& List) const override;

  // The state pictures; each setter copies the given picture into the control's own.
  TPicture* FocusImage() const { return FFocusImage.get(); }
  void SetFocusImage(const TPicture* Value) { FFocusImage->Assign(Value); }
  TPicture* DownImage() const { return FDownImage.get(); }
  void SetDownImage(const TPicture* Value) { FDownImage->Assign(Value); }
  TPicture* UpImage() const { return FUpImage.get(); }
  void SetUpImage(const TPicture* Value) { FUpImage->Assign(Value); }
  TPicture* NormalImage() const { return FNormalImage.get(); }
  void SetNormalImage(const TPicture* Value) { FNormalImage->Assign(Value); }

  void Dispatch(TMessage& Message) override;

 private:
  std::unique_ptr<TPicture> FFocusImage, FDownImage, FUpImage, FNormalImage;
};

#pragma once
// TsButton: a push button with a skin section and a picture of an image list.
#include <cstdint>

#include "skin/controls/sCommonValues.h"
#include "toolkit/ui/ImgList.h"
#include "toolkit/ui/StdCtrls.h"

enum TImageAlignment { iaLeft, iaRight, iaTop, iaBottom, iaCenter };
enum TsDisabledKindValue { dkBlended, dkGrayed };
using TsDisabledKind = std::uint8_t;

class TsButton : public TButton {
 public:
  explicit TsButton(TComponent* AOwner) : TButton(AOwner) { SkinData.SkinSection = "BUTTON"; }

  TsControlSkinValues SkinData;
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value) {
    images_ = Value;
    Invalidate();
  }
  int ImageIndex() const { return imageIndex_; }
  // A different index repaints the button when it has an image list; the same one does nothing.
  void SetImageIndex(int Value) {
    if (Value == imageIndex_) return;
    imageIndex_ = Value;
    if (images_) Invalidate();
  }
  TImageAlignment ImageAlignment = iaLeft;
  TsDisabledKind DisabledKind = 1u << dkBlended;

 private:
  TCustomImageList* images_ = nullptr;
  int imageIndex_ = -1;
};

#pragma once
// TsButton: a push button with a skin section and a picture of an image list.
#include <windows.h>

#include <commctrl.h>

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
  ~TsButton() override {
    if (icone_) DestroyIcon(icone_);
  }

  TsControlSkinValues SkinData;
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value) {
    images_ = Value;
    MostrarFigura();
    Invalidate();
  }
  int ImageIndex() const { return imageIndex_; }
  // A different index repaints the button when it has an image list; the same one does nothing.
  void SetImageIndex(int Value) {
    if (Value == imageIndex_) return;
    imageIndex_ = Value;
    MostrarFigura();
    if (images_) Invalidate();
  }
  TImageAlignment ImageAlignment = iaLeft;
  TsDisabledKind DisabledKind = 1u << dkBlended;

 protected:
  void CreateWnd() override {
    TButton::CreateWnd();
    MostrarFigura();
  }

 private:
  // A button without a caption shows its picture as the system button's icon, so that it is never blank.
  void MostrarFigura() {
    if (!HandleAllocated() || !Caption().empty() || !images_ || imageIndex_ < 0 || imageIndex_ >= images_->Count())
      return;
    HICON icone = ImageList_GetIcon(images_->Handle(), imageIndex_, ILD_TRANSPARENT);
    if (!icone) return;
    SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) | BS_ICON);
    SendMessageA(Handle(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icone));
    if (icone_) DestroyIcon(icone_);
    icone_ = icone;
  }

  TCustomImageList* images_ = nullptr;
  int imageIndex_ = -1;
  HICON icone_ = nullptr;
};

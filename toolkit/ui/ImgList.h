#pragma once
// TImageList: images of one size in a Win32 image list, drawn with their masks.
#include <windows.h>

#include <commctrl.h>

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/graphics/Icon.h"
#include "toolkit/ui/Component.h"

class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* AOwner);
  ~TCustomImageList() override;

  int Width() const { return width_; }
  void SetWidth(int Value);
  int Height() const { return height_; }
  void SetHeight(int Value);
  int Count() const;
  // The Win32 image list; owned by this object.
  HIMAGELIST Handle();
  TColor BkColor() const { return bkColor_; }
  void SetBkColor(TColor Value);

  // Adds the images of Image (one per Width pixels); Mask, when given, marks the transparent
  // pixels in white. Returns the index of the first one.
  int Add(TBitmap* Image, TBitmap* Mask);
  // Adds Image with the pixels of MaskColor transparent; Image itself is left as it was.
  int AddMasked(TBitmap* Image, TColor MaskColor);
  int AddIcon(TIcon* Image);
  void Delete(int Index);
  void Clear();
  // Draws image Index at (X, Y); a disabled one is drawn blended with the background.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  // Copies image Index into Image (Width x Height, the transparent pixels in BkColor or the
  // window colour when BkColor is clNone).
  void GetBitmap(int Index, TBitmap* Image);

  TNotifyEvent OnChange;

 protected:
  virtual void Change();

 private:
  void Recreate();
  HIMAGELIST handle_ = nullptr;
  int width_ = 16;
  int height_ = 16;
  TColor bkColor_ = clNone;
};

class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
};

#pragma once
// TImageList: images of one size in a Win32 image list (32-bit colour, with a mask when Masked),
// drawn with their masks. Descendants may make the system list themselves (CreateImageList) and
// draw in their own way (DoDraw).
#include <windows.h>

#include <commctrl.h>

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/graphics/Icon.h"
#include "toolkit/ui/Component.h"

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* AOwner);
  ~TCustomImageList() override;

  int Width() const { return width_; }
  void SetWidth(int Value);
  int Height() const { return height_; }
  void SetHeight(int Value);
  int Count() const;
  // The Win32 image list, made on first use; owned by this object unless ShareImages.
  HIMAGELIST Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Takes Value as the list (the old one is destroyed unless ShareImages); the size follows it.
  void SetHandle(HIMAGELIST Value);
  TColor BkColor() const { return bkColor_; }
  void SetBkColor(TColor Value);

  // Settings take effect on the next system list made (a new value empties the list).
  bool Masked() const { return masked_; }
  void SetMasked(bool Value);
  int AllocBy() const { return allocBy_; }
  void SetAllocBy(int Value) { allocBy_ = Value; }
  // A shared system list is not destroyed with this object.
  bool ShareImages() const { return shareImages_; }
  void SetShareImages(bool Value) { shareImages_ = Value; }
  TDrawingStyle DrawingStyle() const { return drawingStyle_; }
  void SetDrawingStyle(TDrawingStyle Value) { drawingStyle_ = Value; }
  TImageType ImageType() const { return imageType_; }
  void SetImageType(TImageType Value) { imageType_ = Value; }
  TColor BlendColor() const { return blendColor_; }
  void SetBlendColor(TColor Value) { blendColor_ = Value; }

  // Adds the images of Image (one per Width pixels); Mask, when given, marks the transparent
  // pixels in white. Returns the index of the first one.
  int Add(TBitmap* Image, TBitmap* Mask);
  // Adds Image with the pixels of MaskColor transparent; Image itself is left as it was.
  int AddMasked(TBitmap* Image, TColor MaskColor);
  int AddIcon(TIcon* Image);
  // Replaces image Index (-1 adds) by the icon.
  void ReplaceIcon(int Index, TIcon* Image);
  void Delete(int Index);
  void Clear();
  // Draws image Index at (X, Y) through DoDraw, in DrawingStyle and ImageType; a disabled one is
  // drawn blended with the background.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  // Copies image Index into Image (Width x Height, the transparent pixels in BkColor or the
  // window colour when BkColor is clNone).
  void GetBitmap(int Index, TBitmap* Image);
  // Image Index as an icon, drawn in the given style (normal image by default).
  void GetIcon(int Index, TIcon* Image);
  void GetIcon(int Index, TIcon* Image, TDrawingStyle ADrawingStyle, TImageType AImageType);

  // From another image list: its settings and a copy of its images.
  void Assign(TPersistent* Source) override;
  void GetPublishedProperties(TPropList& List) const override;

  TNotifyEvent OnChange;

 protected:
  void AssignTo(TPersistent* Dest) override;
  virtual void Change();
  // Makes the system list of Width x Height as the settings say.
  virtual void CreateImageList();
  // Style holds the ILD_ flags of the drawing style and image type.
  virtual void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled);

 private:
  void FreeHandle();
  void Recreate();
  void CopyFrom(TCustomImageList& Source);
  HIMAGELIST handle_ = nullptr;
  int width_ = 16;
  int height_ = 16;
  TColor bkColor_ = clNone;
  bool masked_ = true;
  int allocBy_ = 4;
  bool shareImages_ = false;
  TDrawingStyle drawingStyle_ = dsNormal;
  TImageType imageType_ = itImage;
  TColor blendColor_ = clNone;
};

class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
};

#pragma once
// TsAlphaImageList: an image list that keeps every image as the PNG or icon file it was added as and
// builds its 32-bit system list, with per-pixel alpha, from those files.
#include <memory>

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/ui/Collection.h"
#include "toolkit/ui/ImgList.h"

class TsAlphaImageList;

enum TsImageFormat { ifPNG, ifICO };

class TsImgListItem : public TCollectionItem {
 public:
  explicit TsImgListItem(TCollection* Collection);
  ~TsImgListItem() override;

  TsImageFormat ImageFormat = ifPNG;
  // Kept and copied only.
  TPixelFormat PixelFormat = pf32bit;
  // The whole PNG or icon file.
  std::unique_ptr<TMemoryStream> ImgData;
  // The decoded size, set when the system list is built.
  int ImageWidth = 0;
  int ImageHeight = 0;
  // The picture of the last size asked for.
  std::unique_ptr<TBitmap> CacheBitmap;

  // From another item: format, size and a copy of the file.
  void Assign(TPersistent* Source) override;

 protected:
  void AssignTo(TPersistent* Dest) override;
};

class TsImgListItems : public TCollection {
 public:
  explicit TsImgListItems(TsAlphaImageList* AOwner);
  ~TsImgListItems() override;
  TsImgListItem* Items(int Index) const { return static_cast<TsImgListItem*>(TCollection::Items(Index)); }
  TsImgListItem* Add() { return static_cast<TsImgListItem*>(TCollection::Add()); }

 protected:
  TPersistent* GetOwner() const override;

 private:
  TsAlphaImageList* FOwner;
};

class TsAlphaImageList : public TImageList {
 public:
  explicit TsAlphaImageList(TComponent* AOwner);
  ~TsAlphaImageList() override;

  TsImgListItems* Items() const { return FItems.get(); }
  void SetItems(TsImgListItems* Value) { FItems->Assign(Value); }
  // The own colour when set, else the system list's.
  TColor BkColor() const;
  void SetBkColor(TColor Value);

  bool KeepOriginals = true;
  bool Generated = false;
  bool Updating = false;

  void Loaded() override;
  void Assign(TPersistent* Source) override;
  void GetPublishedProperties(TPropList& List) const override;

  // Builds the system list anew from the items, in their order. A PNG that cannot be decoded
  // raises the reader's error.
  void GenerateStdList();
  void CopyImages(TsAlphaImageList& Source);
  void ResetHandle();
  bool ItemsUsed() const;

  // A new 32-bit picture of image Index (nullptr without a list or outside it).
  std::unique_ptr<TBitmap> CreateBitmap32(int Index, int AWidth, int AHeight);
  // Image Index into Bmp at Bmp's size; false without a list, a bitmap or such an image.
  bool GetBitmap32(int Index, TBitmap* Bmp);

 protected:
  void AssignTo(TPersistent* Dest) override;
  void Change() override;
  void CreateImageList() override;
  // PNG items are drawn with their alpha over what the canvas shows; Style and Enabled are not used.
  void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) override;

 private:
  void AfterConstruction();
  void CopyFrom(TsAlphaImageList& Source, bool ClearFirst);
  void AddPngIcon(TsImgListItem& Item);
  void KeyAddedImages();
  bool PngItem(int Index) const;

  std::unique_ptr<TsImgListItems> FItems;
  TColor FBkColor = clNone;
};

// One state of a glyph strip of an image list: the list's width holds StateCount states side by side.
struct TImageListItemDraw {
  TCustomImageList* ImgList = nullptr;
  int X = 0, Y = 0;
  int ImageIndex = 0;
  int Blend = 0;
  TColor Color = clNone;
  int State = 0;
  int StateCount = 1;
  // A mirrored, fading copy below the glyph (the target needs half a glyph's height more room).
  bool Reflected = false;
};

// Draws the state into a 32-bit bitmap at (X, Y) with alpha and answers the glyph's size; a state past
// the last draws the last, a state count below 1 counts as 1.
TSize DrawAlphaImageListItem(TBitmap* DestBmp, const TImageListItemDraw& D);
// The same over what the device context shows at (X, Y).
void DrawAlphaImageListItemToDC(HDC DC, const TImageListItemDraw& D);

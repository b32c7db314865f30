#pragma once
// Skins that travel inside the program: the skin manager's InternalSkins collection, each item
// keeping a whole packed skin in Data. Only Name and Data matter for loading; the other values are
// carried with the skin and copied by Assign.
#include "skin/engine/acSkinPack.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Colors.h"
#include "toolkit/ui/Collection.h"

#include <memory>
#include <string>

class TsStoredSkin : public TCollectionItem {
 public:
  explicit TsStoredSkin(TCollection* Collection);

  // From another stored skin: Data (the whole stream), Name, MasterBitmap, the shadow values,
  // BorderColor, Version, Author and Description. Other sources go to the inherited assignment.
  void Assign(TPersistent* Source) override;

  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  TBitmap* MasterBitmap() const { return FMasterBitmap.get(); }
  void SetMasterBitmap(const TBitmap* Value) { FMasterBitmap->Assign(Value); }
  TColor Shadow1Color() const { return FShadow1Color; }
  void SetShadow1Color(TColor Value) { FShadow1Color = Value; }
  int Shadow1Offset() const { return FShadow1Offset; }
  void SetShadow1Offset(int Value) { FShadow1Offset = Value; }
  int Shadow1Blur() const { return FShadow1Blur; }
  void SetShadow1Blur(int Value) { FShadow1Blur = Value; }
  int Shadow1Transparency() const { return FShadow1Transparency; }
  void SetShadow1Transparency(int Value) { FShadow1Transparency = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  double Version() const { return FVersion; }
  void SetVersion(double Value) { FVersion = Value; }
  const std::string& Author() const { return FAuthor; }
  void SetAuthor(const std::string& Value) { FAuthor = Value; }
  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& Value) { FDescription = Value; }
  // The packed skin.
  TMemoryStream* Data() const { return FData.get(); }

  // The binary "Data" property as the form keeps it: written by copying the whole stream out,
  // read by loading the stream from the whole of Stream.
  void WriteData(TStream* Stream) const;
  void ReadData(TStream* Stream);

  // Data unpacked into a convertor; nullptr when Data is empty, since such a skin loads nothing.
  // Raises as TacSkinConvertor::ExtractPackedData does when Data is not a packed skin.
  std::unique_ptr<TacSkinConvertor> UnpackData() const;

 private:
  std::string FName;
  std::unique_ptr<TBitmap> FMasterBitmap = std::make_unique<TBitmap>();
  TColor FShadow1Color = 0;
  int FShadow1Offset = 0;
  int FShadow1Blur = -1;
  int FShadow1Transparency = 0;
  TColor FBorderColor = 0xFF00FF;
  double FVersion = 0;
  std::string FAuthor;
  std::string FDescription;
  std::unique_ptr<TMemoryStream> FData = std::make_unique<TMemoryStream>();
};

class TsStoredSkins : public TCollection {
 public:
  // AOwner: the skin manager that publishes the collection.
  explicit TsStoredSkins(TComponent* AOwner);

  TsStoredSkin* Add() { return static_cast<TsStoredSkin*>(TCollection::Add()); }
  TsStoredSkin* Items(int Index) const { return static_cast<TsStoredSkin*>(TCollection::Items(Index)); }
  // Position of the first skin whose Name equals SkinName exactly (case counts); -1 when none.
  int IndexOf(const std::string& SkinName) const;

  // Called with the collection as Sender whenever the list changes; the skin manager hands it on
  // as its OnSkinListChanged.
  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() const override { return FOwner; }
  void Update(TCollectionItem* Item) override;

 private:
  TComponent* FOwner;
};

#include "skin/engine/sStoredSkins.h"

TsStoredSkin::TsStoredSkin(TCollection* Collection) : TCollectionItem(Collection) {}

void TsStoredSkin::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TsStoredSkin*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  if (source == this) return;
  FData->LoadFromStream(source->FData.get());
  FName = source->FName;
  FMasterBitmap->Assign(source->FMasterBitmap.get());
  FShadow1Color = source->FShadow1Color;
  FShadow1Offset = source->FShadow1Offset;
  FShadow1Blur = source->FShadow1Blur;
  FShadow1Transparency = source->FShadow1Transparency;
  FBorderColor = source->FBorderColor;
  FVersion = source->FVersion;
  FAuthor = source->FAuthor;
  FDescription = source->FDescription;
}

void TsStoredSkin::WriteData(TStream* Stream) const { FData->SaveToStream(Stream); }

void TsStoredSkin::ReadData(TStream* Stream) { FData->LoadFromStream(Stream); }

std::unique_ptr<TacSkinConvertor> TsStoredSkin::UnpackData() const {
  if (FData->Size() == 0) return nullptr;
  auto convertor = std::make_unique<TacSkinConvertor>();
  auto packed = std::make_unique<TMemoryStream>();
  packed->LoadFromStream(FData.get());
  convertor->PackedData = std::move(packed);
  TacSkinConvertor::ExtractPackedData(convertor);
  return convertor;
}

TsStoredSkins::TsStoredSkins(TComponent* AOwner)
    : TCollection(&NewCollectionItem<TsStoredSkin>), FOwner(AOwner) {}

int TsStoredSkins::IndexOf(const std::string& SkinName) const {
  for (int i = 0; i < Count(); ++i) {
    if (Items(i)->Name() == SkinName) return i;
  }
  return -1;
}

void TsStoredSkins::Update(TCollectionItem* Item) {
  TCollection::Update(Item);
  if (OnChange) OnChange(this);
}

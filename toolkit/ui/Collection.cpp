#include "toolkit/ui/Collection.h"

#include <algorithm>
#include <string>

#include "toolkit/rtl/Exceptions.h"

TCollectionItem::TCollectionItem(TCollection* Collection) {
  if (Collection) Collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
  if (TCollection* collection = collection_) {
    collection->RemoveItem(this);
    collection->Changed();
  }
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  const auto& items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

TCollection::TCollection(TCollectionItemClass ItemClass) : itemClass_(ItemClass) {}

TCollection::~TCollection() {
  while (!items_.empty()) FreeItem(items_.back());
}

void TCollection::InsertItem(TCollectionItem* Item) {
  items_.push_back(Item);
  Item->collection_ = this;
  Item->id_ = nextId_++;
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  items_.erase(std::remove(items_.begin(), items_.end(), Item), items_.end());
  Item->collection_ = nullptr;
}

void TCollection::FreeItem(TCollectionItem* Item) {
  RemoveItem(Item);
  delete Item;
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = itemClass_(this);
  Changed();
  return item;
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return items_[static_cast<size_t>(Index)];
}

void TCollection::SetItems(int Index, TCollectionItem* Value) { Items(Index)->Assign(Value); }

void TCollection::Delete(int Index) {
  FreeItem(Items(Index));
  Changed();
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) FreeItem(items_.back());
  EndUpdate();
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate() {
  // An unpaired EndUpdate must not silence the notices for good.
  if (updateCount_ > 0) --updateCount_;
  Changed();
}

void TCollection::Changed() {
  if (updateCount_ == 0) Update(nullptr);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TCollection*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : source->items_) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

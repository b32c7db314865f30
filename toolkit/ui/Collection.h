#pragma once
// TCollection and TCollectionItem: an ordered list of persistent items of one class that the
// collection owns. The collection hears of every change through Update, at most once per
// BeginUpdate/EndUpdate bracket.
#include <vector>

#include "toolkit/ui/Component.h"

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  // Joins Collection (when given) as its last item. Items made through the collection's Add are
  // announced to it (Update) once they are whole.
  explicit TCollectionItem(TCollection* Collection);
  // Leaves the collection, which hears of it.
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection* Collection() const { return collection_; }
  // Position in the collection; -1 when in none.
  int Index() const;
  // Number given when the item joined; never reused within its collection.
  int ID() const { return id_; }

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

// The item class of a collection: makes a new item in the collection.
using TCollectionItemClass = TCollectionItem* (*)(TCollection* Collection);

template <class T>
TCollectionItem* NewCollectionItem(TCollection* Collection) {
  return new T(Collection);
}

class TCollection : public TPersistent {
 public:
  explicit TCollection(TCollectionItemClass ItemClass);
  // Frees the items, announcing nothing.
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  TCollectionItemClass ItemClass() const { return itemClass_; }
  // The object the collection belongs to (nullptr unless a descendant says).
  TPersistent* Owner() const { return GetOwner(); }

  // A new item of the item class at the end.
  TCollectionItem* Add();
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError outside 0 .. Count-1.
  TCollectionItem* Items(int Index) const;
  // Assigns Value to the item at Index.
  void SetItems(int Index, TCollectionItem* Value);
  // Frees the item at Index.
  void Delete(int Index);
  // Frees every item, the last first; one Update at the end.
  void Clear();

  // Changes between BeginUpdate and the matching EndUpdate are announced once, by the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // From another collection: the items are replaced by new ones assigned one by one from its items.
  void Assign(TPersistent* Source) override;

 protected:
  virtual TPersistent* GetOwner() const { return nullptr; }
  // Called after each change outside an update bracket; Item is the item that changed, or nullptr
  // when the list itself changed.
  virtual void Update(TCollectionItem* Item);
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  // Takes the item out of the list, then frees it (so its destructor announces nothing).
  void FreeItem(TCollectionItem* Item);

  TCollectionItemClass itemClass_;
  std::vector<TCollectionItem*> items_;
  int nextId_ = 0;
  int updateCount_ = 0;
};

// Collections: items, their positions and numbers, change notices, item-by-item assignment.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/Collection.h"

namespace {

std::vector<int> g_freed;

class TNumber : public TCollectionItem {
 public:
  explicit TNumber(TCollection* Collection) : TCollectionItem(Collection) {}
  ~TNumber() override { g_freed.push_back(Value); }
  void Assign(TPersistent* Source) override {
    if (auto* n = dynamic_cast<TNumber*>(Source)) {
      Value = n->Value;
    } else {
      TCollectionItem::Assign(Source);
    }
  }
  int Value = 0;
};

class TOther : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
};

// Counts the notices and answers its owner.
class TNumbers : public TCollection {
 public:
  explicit TNumbers(TPersistent* AOwner = nullptr) : TCollection(&NewCollectionItem<TNumber>), owner_(AOwner) {}
  TNumber* Add(int Value) {
    auto* n = static_cast<TNumber*>(TCollection::Add());
    n->Value = Value;
    return n;
  }
  std::vector<int> Values() const {
    std::vector<int> v;
    for (int i = 0; i < Count(); ++i) v.push_back(static_cast<TNumber*>(Items(i))->Value);
    return v;
  }
  int Updates = 0;

 protected:
  TPersistent* GetOwner() const override { return owner_; }
  void Update(TCollectionItem* Item) override {
    TCollection::Update(Item);
    ++Updates;
  }

 private:
  TPersistent* owner_;
};

TEST(Collection, ItemsKeepPositionCollectionAndNumber) {
  TNumbers c;
  EXPECT_EQ(c.ItemClass(), &NewCollectionItem<TNumber>);
  TNumber* a = c.Add(10);
  TNumber* b = c.Add(20);
  TNumber* d = c.Add(30);
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Items(1), b);
  EXPECT_EQ(b->Collection(), &c);
  EXPECT_EQ(std::vector<int>({a->Index(), b->Index(), d->Index()}), std::vector<int>({0, 1, 2}));
  EXPECT_EQ(std::vector<int>({a->ID(), b->ID(), d->ID()}), std::vector<int>({0, 1, 2}));
  g_freed.clear();
  c.Delete(1);
  EXPECT_EQ(g_freed, std::vector<int>({20}));
  EXPECT_EQ(d->Index(), 1);
  EXPECT_EQ(c.Add(40)->ID(), 3);  // numbers are not reused
  EXPECT_THROW(c.Items(3), EListError);
  EXPECT_THROW(c.Items(-1), EListError);
  EXPECT_THROW(c.Delete(3), EListError);

  TNumber loose(nullptr);
  EXPECT_EQ(loose.Collection(), nullptr);
  EXPECT_EQ(loose.Index(), -1);
}

TEST(Collection, OwnerIsWhatTheDescendantSays) {
  TNumbers owner;
  TNumbers owned(&owner);
  EXPECT_EQ(owned.Owner(), &owner);
  EXPECT_EQ(owner.Owner(), nullptr);
}

// Each change is announced once; inside an update bracket only the last EndUpdate announces.
TEST(Collection, ChangesAreAnnouncedOncePerBracket) {
  const std::vector<std::pair<const char*, std::function<void(TNumbers&)>>> cases = {
      {"add", [](TNumbers& c) { c.Add(9); }},
      {"delete", [](TNumbers& c) { c.Delete(0); }},
      {"clear", [](TNumbers& c) { c.Clear(); }},
      {"clear twice", [](TNumbers& c) { c.Clear(), c.Clear(); }},
      {"item freed by itself", [](TNumbers& c) { delete c.Items(1); }},
      {"nested brackets",
       [](TNumbers& c) {
         c.BeginUpdate();
         c.Add(7);
         c.BeginUpdate();
         c.Delete(0);
         c.EndUpdate();
         c.Clear();
         c.EndUpdate();
       }},
      {"assign", [](TNumbers& c) {
         TNumbers other;
         other.Add(5), other.Add(6), other.Add(7);
         c.Assign(&other);
       }}};
  for (const auto& [name, change] : cases) {
    TNumbers c;
    c.Add(1), c.Add(2);
    c.Updates = 0;
    change(c);
    EXPECT_EQ(c.Updates, 1) << name;
    EXPECT_EQ(c.UpdateCount(), 0) << name;
  }
  TNumbers empty;
  empty.Clear();
  EXPECT_EQ(empty.Updates, 0);
  // An unpaired EndUpdate does not silence later notices.
  empty.EndUpdate();
  empty.Updates = 0;
  empty.Add(1);
  EXPECT_EQ(empty.Updates, 1);
}

TEST(Collection, FreesItsItemsLastFirst) {
  g_freed.clear();
  {
    TNumbers c;
    c.Add(1), c.Add(2), c.Add(3);
    c.Clear();
    EXPECT_EQ(g_freed, std::vector<int>({3, 2, 1}));
    c.Add(4), c.Add(5);
    g_freed.clear();
  }
  EXPECT_EQ(g_freed, std::vector<int>({5, 4}));
}

TEST(Collection, AssignCopiesItemByItem) {
  TNumbers source, dest;
  source.Add(1), source.Add(2), source.Add(3);
  dest.Add(9);
  dest.Assign(&source);
  EXPECT_EQ(dest.Values(), std::vector<int>({1, 2, 3}));
  EXPECT_NE(dest.Items(0), source.Items(0));
  EXPECT_EQ(source.Values(), std::vector<int>({1, 2, 3}));
  dest.Assign(&dest);
  EXPECT_EQ(dest.Values(), std::vector<int>({1, 2, 3}));
  dest.SetItems(0, source.Items(2));
  EXPECT_EQ(dest.Values(), std::vector<int>({3, 2, 3}));
}

TEST(Collection, AssignFromAnotherKindRaises) {
  TNumbers dest;
  dest.Add(1);
  TCollection others(&NewCollectionItem<TOther>);
  others.Add();
  EXPECT_THROW(dest.Assign(&others), Exception);  // a TOther cannot be assigned to a TNumber
  EXPECT_EQ(dest.UpdateCount(), 0);
  TNumber loose(nullptr);
  EXPECT_THROW(dest.Assign(&loose), Exception);
  EXPECT_THROW(dest.Items(0)->Assign(others.Items(0)), Exception);
}

}  // namespace

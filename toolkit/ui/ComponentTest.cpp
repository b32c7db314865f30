// Ownership, removal notices, the loading state of components built in code, and published
// properties by name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/Component.h"

namespace {

std::vector<std::string> g_events;

class TProbe : public TComponent {
 public:
  TProbe(TComponent* AOwner, const std::string& AName) : TComponent(AOwner) { SetName(AName); }
  ~TProbe() override { g_events.push_back("destroy " + Name()); }
  void Loaded() override {
    g_events.push_back("loaded " + Name() + (ComponentState() & csLoading ? " (loading)" : ""));
    TComponent::Loaded();
  }
  std::intptr_t Level() const { return level_; }
  void SetLevel(std::intptr_t v) { level_ = v; }
  void GetPublishedProperties(TPropList& List) const override {
    TComponent::GetPublishedProperties(List);
    static const TPropInfo props[] = {
        OrdProperty<TProbe>("Level", &TProbe::Level, &TProbe::SetLevel),
        StrProperty<TProbe>("Kind", &TProbe::Kind, nullptr),
    };
    for (const TPropInfo& p : props) List.push_back(&p);
  }
  std::string Kind() const { return "probe"; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent != this) g_events.push_back(Name() + " heard " + AComponent->Name());
  }

 private:
  std::intptr_t level_ = 0;
};

class ComponentTest : public testing::Test {
 protected:
  void SetUp() override { g_events.clear(); }
};

TEST_F(ComponentTest, OwnerFreesWhatItOwnsLastCreatedFirst) {
  auto* root = new TProbe(nullptr, "root");
  auto* a = new TProbe(root, "a");
  new TProbe(root, "b");
  new TProbe(a, "a1");
  EXPECT_EQ(root->ComponentCount(), 2);
  EXPECT_EQ(a->Owner(), root);
  EXPECT_EQ(a->ComponentIndex(), 0);
  root->Free();
  const std::vector<std::string> expected = {"destroy root", "destroy b", "destroy a", "destroy a1"};
  // The owner's own destructor body runs first; then its components go, the last one first.
  EXPECT_EQ(g_events, expected);
}

TEST_F(ComponentTest, FreeingOneComponentTellsSiblingsAndFreeNotifyListeners) {
  auto* form1 = new TProbe(nullptr, "form1");
  auto* form2 = new TProbe(nullptr, "form2");
  auto* button = new TProbe(form1, "button");
  auto* label = new TProbe(form1, "label");
  auto* listener = new TProbe(form2, "listener");
  button->FreeNotification(listener);
  EXPECT_TRUE(button->ComponentState() & csFreeNotification);
  g_events.clear();
  button->Free();
  EXPECT_EQ(form1->ComponentCount(), 1);
  EXPECT_EQ(form1->Components(0), label);
  // The owner passes the news on to its components before a probe records it itself.
  const std::vector<std::string> expected = {"destroy button", "listener heard button", "label heard button",
                                             "form1 heard button"};
  EXPECT_EQ(g_events, expected);
  form1->Free();
  form2->Free();
}

TEST_F(ComponentTest, FindComponentIgnoresCaseAndNamesAreUniquePerOwner) {
  auto* root = new TProbe(nullptr, "root");
  auto* edit = new TProbe(root, "edtNome");
  EXPECT_EQ(root->FindComponent("EDTNOME"), edit);
  EXPECT_EQ(root->FindComponent("edtOutro"), nullptr);
  EXPECT_EQ(root->FindComponent(""), nullptr);
  EXPECT_THROW(new TProbe(root, "EdtNome"), Exception);
  EXPECT_EQ(root->ComponentCount(), 1);
  // While loading, a second copy gets the next free name.
  BuildComponents(root, [&] {
    EXPECT_EQ((new TProbe(root, "edtNome"))->Name(), "edtNome_1");
    EXPECT_EQ((new TProbe(root, "edtNome"))->Name(), "edtNome_2");
  });
  root->Free();
}

TEST_F(ComponentTest, MovingToAnotherOwner) {
  auto* a = new TProbe(nullptr, "a");
  auto* b = new TProbe(nullptr, "b");
  auto* c = new TProbe(a, "c");
  b->InsertComponent(c);
  EXPECT_EQ(a->ComponentCount(), 0);
  EXPECT_EQ(c->Owner(), b);
  a->Free();
  b->Free();
  EXPECT_EQ(g_events.back(), "destroy c");
}

TEST_F(ComponentTest, BuiltInCodeWithTheLoadingStateThenLoadedInCreationOrder) {
  auto* root = new TProbe(nullptr, "root");
  TProbe* first = nullptr;
  BuildComponents(root, [&] {
    EXPECT_TRUE(root->ComponentState() & csLoading);
    first = new TProbe(root, "first");
    EXPECT_TRUE(first->ComponentState() & csLoading);
    new TProbe(first, "inner");
    new TProbe(root, "second");
    g_events.push_back("built");
  });
  const std::vector<std::string> expected = {"built", "loaded root (loading)", "loaded first (loading)",
                                             "loaded inner (loading)", "loaded second (loading)"};
  EXPECT_EQ(g_events, expected);
  EXPECT_FALSE(root->ComponentState() & csLoading);
  EXPECT_FALSE(first->ComponentState() & csLoading);
  // Created after loading: not in the loading state.
  auto* later = new TProbe(root, "later");
  EXPECT_FALSE(later->ComponentState() & csLoading);
  root->Free();
}

TEST_F(ComponentTest, PublishedPropertiesByName) {
  auto* root = new TProbe(nullptr, "root");
  auto* p = new TProbe(root, "probe");
  SetOrdProp(p, "level", 42);
  EXPECT_EQ(p->Level(), 42);
  EXPECT_EQ(GetOrdProp(p, "LEVEL"), 42);
  SetOrdProp(p, "Tag", -7);
  EXPECT_EQ(p->Tag(), -7);
  EXPECT_EQ(GetStrProp(p, "Name"), "probe");
  EXPECT_EQ(GetStrProp(p, "Kind"), "probe");
  EXPECT_TRUE(IsPublishedProp(p, "Level"));
  EXPECT_FALSE(IsPublishedProp(p, "SkinData"));
  EXPECT_THROW(SetStrProp(p, "Kind", "x"), EPropertyError);
  EXPECT_THROW(GetOrdProp(p, "Missing"), EPropertyError);
  EXPECT_THROW(GetStrProp(p, "Level"), EPropertyError);
  root->Free();
}

}  // namespace

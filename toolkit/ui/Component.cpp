#include "toolkit/ui/Component.h"

#include <algorithm>

#include "toolkit/rtl/AnsiText.h"
#include "toolkit/rtl/Exceptions.h"

void TPersistent::Assign(TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
  } else {
    AssignTo(nullptr);
  }
}

void TPersistent::AssignTo(TPersistent* Dest) {
  throw Exception("Cannot assign a " + (Dest ? ClassName() : std::string("nil")) + " to a " +
                  (Dest ? Dest->ClassName() : ClassName()));
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) {
    if (AOwner->state_ & csLoading) state_ |= csLoading;
    AOwner->InsertComponent(this);
  }
}

TComponent::~TComponent() {
  Destroying();
  // Those that asked to hear of this component's removal forget it now.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto& back = other->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Free() {
  BeforeDestruction();
  delete this;
}

void TComponent::BeforeDestruction() { Destroying(); }

void TComponent::Destroying() {
  if (state_ & csDestroying) return;
  state_ |= csDestroying;
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::SetName(const std::string& Value) {
  if (Value == name_) return;
  std::string name = Value;
  if (!name.empty() && owner_) {
    TComponent* same = owner_->FindComponent(name);
    if (same && same != this) {
      if (!(state_ & csLoading)) throw Exception("A component named " + Value + " already exists");
      // A second copy of a form being built takes the next free name, as forms read from a file do.
      for (int i = 1; owner_->FindComponent(name = Value + "_" + std::to_string(i)); ++i) {
      }
    }
  }
  name_ = name;
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  const auto& list = owner_->components_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : components_) {
    if (AnsiSameText(c->name_, AName)) return c;
  }
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
  components_.push_back(AComponent);
  AComponent->owner_ = this;
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  Notification(AComponent, opRemove);
  components_.erase(std::remove(components_.begin(), components_.end(), AComponent), components_.end());
  AComponent->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    // The owner is going: only those that asked (FreeNotification) hear of each removal.
    if (c->state_ & csFreeNotification) {
      RemoveComponent(c);
    } else {
      components_.pop_back();
      c->owner_ = nullptr;
    }
    c->Free();
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (owner_ && AComponent->owner_ == owner_) return;  // siblings hear of each other anyway
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end()) {
    freeNotifies_.push_back(AComponent);
    AComponent->freeNotifies_.push_back(this);
  }
  state_ |= csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  auto drop = [](std::vector<TComponent*>& v, TComponent* c) { v.erase(std::remove(v.begin(), v.end(), c), v.end()); };
  drop(freeNotifies_, AComponent);
  drop(AComponent->freeNotifies_, this);
}

void TComponent::Loaded() { state_ &= ~csLoading; }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // A copy: a handler may free components while the news goes round.
  const std::vector<TComponent*> list = components_;
  for (TComponent* c : list) {
    c->Notification(AComponent, Operation);
  }
}

void TComponent::SetState(TComponentState Bits, bool On) {
  if (On) {
    state_ |= Bits;
  } else {
    state_ &= ~Bits;
  }
}

void TComponent::GetPublishedProperties(TPropList& List) const {
  TObject::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      StrProperty<TComponent>("Name", &TComponent::Name, &TComponent::SetName),
      OrdProperty<TComponent>("Tag", &TComponent::Tag, &TComponent::SetTag),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

namespace {

void CollectLoaded(TComponent* c, std::vector<TComponent*>& out) {
  out.push_back(c);
  for (int i = 0; i < c->ComponentCount(); ++i) CollectLoaded(c->Components(i), out);
}

}  // namespace

void BuildComponents(TComponent* Root, const std::function<void()>& Builder) {
  Root->state_ |= csLoading;
  Builder();
  std::vector<TComponent*> loaded;
  CollectLoaded(Root, loaded);
  for (TComponent* c : loaded) {
    if (c->ComponentState() & csLoading) c->Loaded();
  }
}

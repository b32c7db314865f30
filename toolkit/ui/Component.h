#pragma once
// TPersistent and TComponent: the ownership model of the toolkit. A component belongs to its
// Owner, which frees it; everyone that asked for it (FreeNotification) and every component of the
// same owner hears of its removal through Notification. Components are freed with Free() (or by
// their owner), which runs the BeforeDestruction step while the whole object still exists.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/TypInfo.h"

// ComponentState bits, the platform's values.
using TComponentState = std::uint32_t;
constexpr TComponentState csLoading = 1u << 0;
constexpr TComponentState csReading = 1u << 1;
constexpr TComponentState csWriting = 1u << 2;
constexpr TComponentState csDestroying = 1u << 3;
constexpr TComponentState csDesigning = 1u << 4;
constexpr TComponentState csAncestor = 1u << 5;
constexpr TComponentState csUpdating = 1u << 6;
constexpr TComponentState csFixups = 1u << 7;
constexpr TComponentState csFreeNotification = 1u << 8;
constexpr TComponentState csInline = 1u << 9;

enum TOperation { opInsert, opRemove };

class TPersistent : public TObject {
 public:
  // Copies Source into this object; raises when the two kinds cannot be assigned.
  virtual void Assign(TPersistent* Source);

 protected:
  virtual void AssignTo(TPersistent* Dest);
};

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  // Frees the component: BeforeDestruction (while the whole object exists), then delete.
  void Free();
  virtual void BeforeDestruction();

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& Value);
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t Value) { tag_ = Value; }
  TComponentState ComponentState() const { return state_; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int Index) const { return components_.at(Index); }
  int ComponentIndex() const;
  // The owned component of that name (case-insensitive), or nullptr.
  TComponent* FindComponent(const std::string& AName) const;
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Frees every owned component, the last created first.
  void DestroyComponents();
  // Marks the component and everything it owns as being destroyed.
  void Destroying();

  // AComponent will call this one's Notification when it is removed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Ends the loading state; forms call it on each component in creation order after building.
  virtual void Loaded();
  void GetPublishedProperties(TPropList& List) const override;

 protected:
  // Called on the owner and all its components when a component is inserted or removed.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  void SetState(TComponentState Bits, bool On);

 private:
  friend void BuildComponents(TComponent* Root, const std::function<void()>& Builder);

  TComponent* owner_ = nullptr;
  std::string name_;
  std::intptr_t tag_ = 0;
  TComponentState state_ = 0;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
};

// Builds Root's components in code the way a form file is read: Root is in its loading state while
// Builder runs (components created with a loading owner start loading too); then Loaded runs on Root
// and on every component below it in creation order, which ends the loading state.
void BuildComponents(TComponent* Root, const std::function<void()>& Builder);

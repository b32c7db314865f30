#pragma once
// Skinned owners for the engine's window tests: a toolkit control with skin data that answers the
// skin commands first, passes skin changes on to its children and publishes "SkinData".
#include <memory>
#include <string>

#include "skin/engine/sCommonData.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinOptions.h"

namespace skintest {

template <class Base>
class TSkinned : public Base {
 public:
  explicit TSkinned(TComponent* AOwner) : Base(AOwner), SkinData(std::make_unique<TsCommonData>(this, true)) {}
  TsCommonData* GetSkinData() const { return SkinData.get(); }

  void WndProc(TMessage& Message) override {
    if (HandleSkinNotification(Message, SkinData.get())) return;
    if (Message.Msg == SM_SKINCMD) {
      const int Code = SkinCmdCode(Message);
      if (Code >= SkinCmdSkinChanged && Code <= SkinCmdRefresh)
        if (auto* Win = dynamic_cast<TWinControl*>(static_cast<TControl*>(this))) BroadcastToChildren(Win, Message);
      return;
    }
    Base::WndProc(Message);
  }
  void GetPublishedProperties(TPropList& List) const override {
    Base::GetPublishedProperties(List);
    static const TPropInfo Props[] = {ObjProperty<TSkinned>("SkinData", &TSkinned::GetSkinData, nullptr)};
    for (const TPropInfo& P : Props) List.push_back(&P);
  }

  std::unique_ptr<TsCommonData> SkinData;
};

// A skinned control of kind Kind and section Section on Parent, loaded.
template <class T>
TSkinned<T>* MakeSkinned(TComponent* Owner, TWinControl* Parent, const std::string& Section, TRect Bounds,
                         int Kind = 0) {
  auto* C = new TSkinned<T>(Owner);
  C->SkinData->ControlKind = Kind;
  C->SkinData->SetSkinSection(Section);
  C->SetBounds(Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
  if (Parent) C->SetParent(Parent);
  // Skinned children talk to their parent by its window.
  if (auto* Win = dynamic_cast<TWinControl*>(static_cast<TControl*>(C)); Win && Parent && Parent->HandleAllocated())
    Win->HandleNeeded();
  C->SkinData->FinishLoading();
  return C;
}

// A manager with the skin of an options text, loaded and active.
inline void LoadActiveSkin(TsSkinManager& Manager, std::string_view Options) {
  TsSkinModel Model = BuildSkinModel(Options, "", TsSkinManager::SystemInputs());
  Model.SkinData.Active = true;
  Manager.UseSkinModel(std::move(Model));
}

}  // namespace skintest

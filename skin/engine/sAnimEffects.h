#pragma once
// The skin manager's animation and effect settings: which animations run and for how long, the
// button events that may fade, and whether glow and blur are allowed. Settings only.
#include <cstdint>
#include <memory>

#include "toolkit/ui/Component.h"

class TsSkinManager;

enum TacAnimType { atFading, atAero };

class TacFormAnimation : public TPersistent {
 public:
  TacFormAnimation() = default;
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  std::uint16_t Time() const { return FTime; }
  void SetTime(std::uint16_t Value) { FTime = Value; }
  TacAnimType Mode() const { return FMode; }
  void SetMode(TacAnimType Value) { FMode = Value; }
  void GetPublishedProperties(TPropList& List) const override;

 protected:
  TacFormAnimation(bool AActive, std::uint16_t ATime, TacAnimType AMode) : FActive(AActive), FTime(ATime), FMode(AMode) {}

 private:
  bool FActive = true;
  std::uint16_t FTime = 0;
  TacAnimType FMode = atAero;
};

class TacFormShow : public TacFormAnimation {};
class TacFormHide : public TacFormAnimation {};
class TacPageChange : public TacFormAnimation {};
class TacDialogShow : public TacFormAnimation {};
class TacMinimizing : public TacFormAnimation {
 public:
  TacMinimizing() : TacFormAnimation(true, 200, atAero) {}
};
class TacSkinChanging : public TacFormAnimation {
 public:
  TacSkinChanging() : TacFormAnimation(true, 100, atFading) {}
  void GetPublishedProperties(TPropList& List) const override;
};
class TacBlendOnMoving : public TacFormAnimation {
 public:
  TacBlendOnMoving() : TacFormAnimation(false, 1000, atAero) {}
  std::uint8_t BlendValue() const { return FBlendValue; }
  void SetBlendValue(std::uint8_t Value) { FBlendValue = Value; }
  void GetPublishedProperties(TPropList& List) const override;

 private:
  std::uint8_t FBlendValue = 170;
};

enum TacBtnEvent { beMouseEnter, beMouseLeave, beMouseDown, beMouseUp };
// A set of TacBtnEvent, element i as bit i.
using TacBtnEvents = std::uint8_t;
constexpr TacBtnEvents AllBtnEvents = 0xF;

class TacBtnEffects : public TPersistent {
 public:
  explicit TacBtnEffects(TsSkinManager* AManager = nullptr) : Manager(AManager) {}
  TacBtnEvents Events() const { return FEvents; }
  void SetEvents(TacBtnEvents Value) { FEvents = Value; }
  void GetPublishedProperties(TPropList& List) const override;
  TsSkinManager* Manager;

 private:
  TacBtnEvents FEvents = AllBtnEvents;
};

class TacAnimEffects : public TPersistent {
 public:
  explicit TacAnimEffects(TsSkinManager* AManager = nullptr);
  TacBlendOnMoving* BlendOnMoving() const { return FBlendOnMoving.get(); }
  TacBtnEffects* Buttons() const { return FButtons.get(); }
  TacDialogShow* DialogShow() const { return FDialogShow.get(); }
  TacFormShow* FormShow() const { return FFormShow.get(); }
  TacFormHide* FormHide() const { return FFormHide.get(); }
  TacFormHide* DialogHide() const { return FDialogHide.get(); }
  TacMinimizing* Minimizing() const { return FMinimizing.get(); }
  TacPageChange* PageChange() const { return FPageChange.get(); }
  TacSkinChanging* SkinChanging() const { return FSkinChanging.get(); }
  void GetPublishedProperties(TPropList& List) const override;
  TsSkinManager* Manager;

 private:
  std::unique_ptr<TacBlendOnMoving> FBlendOnMoving = std::make_unique<TacBlendOnMoving>();
  std::unique_ptr<TacBtnEffects> FButtons;
  std::unique_ptr<TacDialogShow> FDialogShow = std::make_unique<TacDialogShow>();
  std::unique_ptr<TacFormShow> FFormShow = std::make_unique<TacFormShow>();
  std::unique_ptr<TacFormHide> FFormHide = std::make_unique<TacFormHide>();
  std::unique_ptr<TacFormHide> FDialogHide = std::make_unique<TacFormHide>();
  std::unique_ptr<TacMinimizing> FMinimizing = std::make_unique<TacMinimizing>();
  std::unique_ptr<TacPageChange> FPageChange = std::make_unique<TacPageChange>();
  std::unique_ptr<TacSkinChanging> FSkinChanging = std::make_unique<TacSkinChanging>();
};

class TacSkinEffects : public TPersistent {
 public:
  explicit TacSkinEffects(TsSkinManager* AManager = nullptr) : Manager(AManager) {}
  // Set, layered windows available, desktop composition on, and glowing not refused process-wide.
  bool GetAllowGlowing() const;
  bool AllowGlowing() const { return FAllowGlowing; }
  void SetAllowGlowing(bool Value) { FAllowGlowing = Value; }
  bool AllowAeroBluring() const { return FAllowAeroBluring; }
  void SetAllowAeroBluring(bool Value) { FAllowAeroBluring = Value; }
  void GetPublishedProperties(TPropList& List) const override;
  TsSkinManager* Manager;

 private:
  bool FAllowGlowing = true;
  bool FAllowAeroBluring = true;
};

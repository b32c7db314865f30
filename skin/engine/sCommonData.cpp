// Construction, section and manager, indexes, colours and updates of the per-control skin data.
#include "skin/engine/sCommonData.h"

#include <algorithm>

#include "skin/engine/acGlow.h"
#include "skin/engine/sCommonDataRules.h"
#include "skin/engine/sCtrlUtils.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinPixels.h"
#include "skin/engine/sSkinSeam.h"
#include "toolkit/rtl/StringUtils.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"

TsCommonData::TsCommonData(TObject* AOwner, bool CreateCacheBmp)
    : OwnerControl(dynamic_cast<TControl*>(AOwner)), OwnerObject(AOwner) {
  if (CreateCacheBmp) CacheBmp = NewBitmap32(0, 0);
}

TsCommonData::~TsCommonData() { HideGlow(); }

TsSkinManager* TsCommonData::GetSkinManager() const { return FSkinManager ? FSkinManager : DefaultManager; }

TsProviderLink* TsCommonData::Provider() const { return dynamic_cast<TsProviderLink*>(OwnerObject); }

const TsGeneralData* TsCommonData::Section() const {
  const TsSkinManager* M = GetSkinManager();
  return M && M->IsValidSkinIndex(SkinIndex) ? &M->Tables().Sections[SkinIndex] : nullptr;
}

bool TsCommonData::OwnerDestroying() const {
  if (auto* C = dynamic_cast<const TComponent*>(OwnerObject); C && (C->ComponentState() & csDestroying)) return true;
  auto* O = dynamic_cast<const TsSkinDataOwner*>(OwnerObject);
  return O && O->SkinOwnerDestroying();
}

bool TsCommonData::OwnerLoading() const {
  return OwnerControl && (OwnerControl->ComponentState() & (csLoading | csReading));
}

TColor TsCommonData::OwnColor() const {
  if (OwnerControl) return OwnerControl->Color();
  if (TsProviderLink* P = Provider(); P && P->Form()) return P->Form()->Color();
  return clBtnFace;
}

void TsCommonData::HideGlow() {
  if (GlowID != -1) ::HideGlow(GlowID);
  GlowID = -1;
}

void TsCommonData::UpdateGlow(bool Hot, HWND Wnd) {
  TsSkinManager* M = GetSkinManager();
  const TsGeneralData* S = Section();
  if (!M || !M->Effects()->GetAllowGlowing() || !S || S->Glow < 1) return;
  TRect R{}, Clip{};
  HWND FormWnd = nullptr;
  if (OwnerControl) {
    const bool Show = MouseAbove && !(OwnerControl->ControlState() & csLButtonDown) && (!Hot || GlowID == -1);
    TCustomForm* Form = OwnerControl->GetParentForm();
    if (!Show || !Form || !Form->HandleAllocated()) return HideGlow();
    FormWnd = Form->WindowHandle();
    if (auto* Win = dynamic_cast<TWinControl*>(OwnerControl)) {
      if (!Win->HandleAllocated()) return HideGlow();
      GetWindowRect(Win->WindowHandle(), &R);
      const HDC DC = GetWindowDC(Win->WindowHandle());
      GetClipBox(DC, &Clip);
      ReleaseDC(Win->WindowHandle(), DC);
    } else {
      TWinControl* Parent = OwnerControl->Parent();
      if (!Parent || !Parent->HandleAllocated()) return HideGlow();
      const TPoint P = Parent->ClientToScreen(Point(OwnerControl->Left(), OwnerControl->Top()));
      R = Bounds(P.x, P.y, OwnerControl->Width(), OwnerControl->Height());
      const HDC DC = GetDC(Parent->WindowHandle());
      TRect Box{};
      GetClipBox(DC, &Box);
      ReleaseDC(Parent->WindowHandle(), DC);
      TRect Own = OwnerControl->BoundsRect();
      IntersectRect(&Clip, &Own, &Box);
      OffsetRect(&Clip, -OwnerControl->Left(), -OwnerControl->Top());
    }
  } else if (Wnd) {
    GetWindowRect(Wnd, &R);
    Clip = Rect(0, 0, R.right - R.left, R.bottom - R.top);
    FormWnd = GetAncestor(Wnd, GA_ROOTOWNER);
  } else {
    return;
  }
  HideGlow();
  GlowID = ShowGlow(R, Clip, FSkinSection, M, FormWnd, 255, S->GlowMargin, "GLOW");
}

void TsCommonData::TellOwner() {
  TsSkinManager* M = GetSkinManager();
  const bool Valid = M && M->SkinData().Active && M->IsValidSkinIndex(SkinIndex);
  OwnerControl->Perform(SM_SKINCMD, SkinCmdWParam(Valid ? SkinCmdRefresh : SkinCmdRemoveSkin),
                        reinterpret_cast<LPARAM>(M));
}

void TsCommonData::SetSkinSection(const std::string& Value) {
  if (Value == FSkinSection) return;
  FSkinSection = Value.empty() ? "UNKNOWN" : UpperCase(Value);
  ResolveIndexes();
  if (OwnerControl) {
    if (!(OwnerControl->ComponentState() & (csLoading | csReading | csDestroying)) && OwnerControl->Parent()) {
      if (!Updating) TellOwner();
      HideGlow();
    }
  } else if (Provider()) {
    BGChanged = true;
  }
}

void TsCommonData::SetSkinManager(TsSkinManager* Value) {
  if (Value == DefaultManager) Value = nullptr;
  if (Value == FSkinManager) return;
  FSkinManager = Value;
  if (OwnerControl && (OwnerControl->ComponentState() & csLoading)) return;
  const TsSkinManager* M = GetSkinManager();
  if (!M)
    SkinIndex = -1;
  else if (!M->Tables().Sections.empty())
    ResolveIndexes();
  if (OwnerControl && OwnerControl->Parent() && !(OwnerControl->ComponentState() & csDestroying)) TellOwner();
}

void TsCommonData::SetCustomColor(bool Value) {
  if (Value == FCustomColor) return;
  FCustomColor = Value;
  if (!OwnerLoading()) UpdateColors(true);
}

void TsCommonData::SetCustomFont(bool Value) {
  if (Value == FCustomFont) return;
  FCustomFont = Value;
  if (!OwnerLoading()) UpdateColors(true);
}

void TsCommonData::SetHUEOffset(int Value) {
  if (Value == FHUEOffset) return;
  FHUEOffset = Value;
  FinishLoading();
  Invalidate();
}

void TsCommonData::SetSaturation(int Value) {
  if (Value == FSaturation) return;
  FSaturation = Value;
  FinishLoading();
  Invalidate();
}

void TsCommonData::FinishLoading() {
  SetDefaultSection();
  if (!IsSkinActive() || !OwnerControl || !OwnerControl->Parent() || OwnerLoading()) return;
  if (auto* Win = dynamic_cast<TWinControl*>(OwnerControl)) NotifyFormControlLoaded(Win);
  UpdateColors(false);
}

void TsCommonData::SetDefaultSection() {
  if (!FSkinSection.empty()) return ResolveIndexes();
  const std::string_view Default = KindDefaultSection(ControlKind);
  SetSkinSection(Default.empty() ? (OwnerObject ? OwnerObject->ClassName() : std::string()) : std::string(Default));
}

void TsCommonData::ResolveIndexes() {
  BGChanged = true;
  const TsSkinManager* M = GetSkinManager();
  SkinIndex = M && (M->SkinData().Active || M->AnnouncingSkin()) ? M->GetSkinIndex(FSkinSection) : -1;
  UpdateBgKind();
  CtrlState = 0;
  if (const TsGeneralData* S = Section()) {
    BorderIndex = S->BorderIndex;
    Texture = M->GetTextureIndex(SkinIndex, FSkinSection, "PATTERN");
    HotTexture = M->GetTextureIndex(SkinIndex, FSkinSection, "HOTPATTERN");
    UpdateBgFlags(false);
  } else {
    BorderIndex = Texture = HotTexture = -1;
  }
}

void TsCommonData::UpdateBgKind() {
  BgKind = 0;
  const TsGeneralData* S = Section();
  if (!S) return;
  if (S->ImagePercent > 0) BgKind |= BgTextureMixed;
  if (S->GradientPercent > 0 && !S->GradientArray.empty()) {
    static const std::uint16_t Kinds[] = {BgVertGradient, BgHorzGradient, BgTriangleGradient};
    const int Mode = S->GradientArray[0].Mode;
    if (Mode >= 0 && Mode <= 2) BgKind |= Kinds[Mode];
  }
}

bool TsCommonData::BgIsVolatile() {
  const TsSkinManager* M = GetSkinManager();
  TsBgVolatilityQuery Q;
  Q.Section = Section();
  if (!Q.Section) return false;
  if (M->IsValidMaskIndex(BorderIndex)) {
    Q.Border = &M->Tables().Masks[BorderIndex];
    Q.BorderLeft = M->MaskBorderLeft(BorderIndex);
    Q.BorderTop = M->MaskBorderTop(BorderIndex);
    Q.BorderRight = M->MaskBorderRight(BorderIndex);
    Q.BorderBottom = M->MaskBorderBottom(BorderIndex);
  }
  if (M->IsValidMaskIndex(Texture)) Q.Texture = &M->Tables().Masks[Texture];
  if (OwnerControl && OwnerControl->Parent()) {
    TWinControl* Parent = OwnerControl->Parent();
    Q.ParentBgState = [Parent] { return int(SendSkinCmdToControl(Parent, SkinCmdGetBgState, 0)); };
  }
  return BackgroundIsVolatile(Q);
}

void TsCommonData::UpdateBgFlags(bool Children) {
  CtrlState &= ~CtrlStaticBg;
  if (OwnerControl) {
    if ((dynamic_cast<TCustomPanel*>(OwnerControl) || dynamic_cast<TScrollingWinControl*>(OwnerControl) ||
         dynamic_cast<TPageControl*>(OwnerControl)) &&
        !BgIsVolatile())
      CtrlState |= CtrlStaticBg;
    auto* Win = dynamic_cast<TWinControl*>(OwnerControl);
    if (Children && Win)
      for (int I = 0; I < Win->ControlCount(); ++I) SendSkinCmdToControl(Win->Controls(I), SkinCmdGetBgState, 1);
  } else if (TsProviderLink* P = Provider()) {
    if (!BgIsVolatile() && !(P->Form() && P->Form()->FormStyle() == fsMDIForm)) CtrlState |= CtrlStaticBg;
  }
}

bool TsCommonData::RepaintNeeded() { return !(CtrlState & CtrlStaticBg) || IsHotState(); }

bool TsCommonData::IsHotState() {
  if (!OwnerControl || (OwnerControl->ComponentState() & csDestroying) || !OwnerControl->Enabled()) return false;
  if (Focused) return true;
  if (auto* Win = dynamic_cast<TWinControl*>(OwnerControl);
      Win && Win->HandleAllocated() && Win->WindowHandle() == GetFocus())
    return !dynamic_cast<TCustomPanel*>(OwnerControl);
  return MouseAbove && !KindHasNoHoverState(ControlKind);
}

void TsCommonData::UpdateColors(bool Repaint) {
  if (!IsSkinActive() || !IsColorManagedKind(ControlKind) || !OwnerControl) return;
  if (auto* Win = dynamic_cast<TWinControl*>(OwnerControl); Win && !Win->HandleAllocated()) return;
  const TsGeneralData& S = *Section();
  auto Shifted = [this](TColor C) { return ChangeSaturation(ChangeColorHue(FHUEOffset, C), FSaturation); };
  if (!FCustomColor) {
    const TColor C = Shifted(S.Color);
    if (OwnerControl->Color() != C) OwnerControl->SetColor(C);
  }
  if (!FCustomFont) {
    const TColor C = Shifted(S.FontColor);
    if (OwnerControl->Font()->Color() != C) OwnerControl->Font()->SetColor(C);
  }
  if (Repaint) Invalidate();
}

void TsCommonData::Invalidate() {
  if (OwnerControl) {
    if (OwnerControl->ComponentState() & (csDestroying | csLoading)) return;
    BGChanged = true;
    if (!ControlIsReady(OwnerControl)) return;
    if (auto* Win = dynamic_cast<TWinControl*>(OwnerControl))
      RedrawWindow(Win->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    else
      OwnerControl->Repaint();
  } else if (TsProviderLink* P = Provider()) {
    BGChanged = true;
    if (P->Form() && P->Form()->HandleAllocated())
      RedrawWindow(P->Form()->WindowHandle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

namespace {

// Update commands go to the owner control, or to a provider's form.
void SendUpdateCmd(TsCommonData& D, int Code) {
  if (D.OwnerControl) {
    D.OwnerControl->Perform(SM_SKINCMD, SkinCmdWParam(Code), 0);
  } else if (TsProviderLink* P = D.Provider(); P && P->Form() && P->Form()->HandleAllocated()) {
    SendSkinCmd(P->Form()->WindowHandle(), Code, 0);
  }
}

}  // namespace

void TsCommonData::BeginUpdate() {
  ++UpdateCount;
  Updating = true;
  CtrlState |= CtrlInUpdate;
  SendUpdateCmd(*this, SkinCmdBeginUpdate);
}

void TsCommonData::EndUpdate(bool Repaint) {
  --UpdateCount;
  if (UpdateCount >= 1) return;
  Updating = false;
  CtrlState &= ~CtrlInUpdate;
  SendUpdateCmd(*this, SkinCmdEndUpdate);
  if (Repaint) Invalidate();
}

bool TsCommonData::IsUpdating() {
  if (!GetSkinManager()) return false;
  if (!RepaintNeeded()) return Updating;
  TControl* Parent = nullptr;
  if (OwnerControl) {
    if ((OwnerControl->ComponentState() & csDestroying) || Updating) return Updating;
    Parent = OwnerControl->Parent();
  } else if (TsProviderLink* P = Provider()) {
    if (Updating) return true;
    Parent = P->Form() ? P->Form()->Parent() : nullptr;
  } else {
    return Updating;
  }
  return Parent && SendSkinCmdToControl(Parent, SkinCmdIsUpdating, 0) != 0;
}

bool TsCommonData::IsSkinActive(bool CheckActive) const {
  const TsSkinManager* M = GetSkinManager();
  if (FSkinSection.empty() || !M || (M->ComponentState() & csDestroying) || !M->IsValidSkinIndex(SkinIndex) ||
      OwnerDestroying())
    return false;
  return !CheckActive || M->SkinData().Active;
}

bool TsCommonData::DependsOnParentBg() {
  if (ForceParentBg || !IsSkinActive() || !OwnerControl || !OwnerControl->Enabled()) return true;
  TWinControl* Parent = OwnerControl->Parent();
  if (Section()->Transparency < 1 || !Parent || !Parent->HandleAllocated()) return false;
  return SendSkinCmd(Parent->WindowHandle(), SkinCmdHasBgImage, 0) != 0;
}

void TsCommonData::InitCacheBitmap() {
  if (!CacheBmp) CacheBmp = NewBitmap32(0, 0);
  if (CacheBmp->PixelFormat() != pf32bit) CacheBmp->SetPixelFormat(pf32bit);
  if (OwnerControl) CacheBmp->SetSize(std::max(0, OwnerControl->Width()), std::max(0, OwnerControl->Height()));
}

int TsCommonData::MaxBorderWidth() const {
  const TsSkinManager* M = GetSkinManager();
  if (!M || !M->IsValidMaskIndex(BorderIndex) || (M->Tables().Masks[BorderIndex].DrawMode & 0x2)) return 0;
  return std::max({M->MaskBorderLeft(BorderIndex), M->MaskBorderTop(BorderIndex), M->MaskBorderRight(BorderIndex),
                   M->MaskBorderBottom(BorderIndex)});
}

void TsCommonData::GetPublishedProperties(TPropList& List) const {
  TPersistent::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      StrProperty<TsCommonData>("SkinSection", &TsCommonData::SkinSection, &TsCommonData::SetSkinSection),
      ObjProperty<TsCommonData>("SkinManager", &TsCommonData::GetSkinManager, &TsCommonData::SetSkinManager),
      BoolProperty<TsCommonData>("CustomColor", &TsCommonData::CustomColor, &TsCommonData::SetCustomColor),
      BoolProperty<TsCommonData>("CustomFont", &TsCommonData::CustomFont, &TsCommonData::SetCustomFont),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}

void TsCtrlSkinData::GetPublishedProperties(TPropList& List) const {
  TsCommonData::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      OrdProperty<TsCtrlSkinData>("HUEOffset", &TsCtrlSkinData::HUEOffset, &TsCtrlSkinData::SetHUEOffset),
      OrdProperty<TsCtrlSkinData>("Saturation", &TsCtrlSkinData::Saturation, &TsCtrlSkinData::SetSaturation),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}

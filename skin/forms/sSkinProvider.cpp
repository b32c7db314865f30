#include "skin/forms/sSkinProvider.h"

#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinnedForms.h"
#include "skin/engine/sSkinRequest.h"
#include "skin/forms/sPreviewAnnounce.h"
#include "skin/forms/sProviderGeometry.h"
#include "skin/forms/sSkinProviderUtils.h"
#include "skin/engine/sSkinGraphics.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/rtl/Exceptions.h"

TsSkinProvider* MDIFrameProvider = nullptr;
TsSkinProvider* ActiveMDIChildProvider = nullptr;

namespace {

constexpr int FormControlKind = 224;

TCustomForm* OwnerForm(TComponent* AOwner) {
  auto* Form = dynamic_cast<TCustomForm*>(AOwner);
  if (!Form) throw EAbort("TsSkinProvider component may be used with forms only!");
  return Form;
}

// The provider already serving the form, asked through its WindowProc: the form's window is not made
// for the question while the form is still being built.
TsSkinProvider* ProviderOf(TCustomForm* Form) {
  const LRESULT Answer = Form->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdGetSkinProvider), 0);
  return dynamic_cast<TsSkinProvider*>(reinterpret_cast<TsProviderLink*>(Answer));
}

}  // namespace

// The provider's place in the form's chain of window procedures. A subclasser that came later keeps
// this entry; so the link outlives a freed provider, owned by the form, and then only forwards.
class TsFormProcLink : public TComponent {
 public:
  TsFormProcLink(TCustomForm* Form, TsSkinProvider* Provider) : TComponent(Form), FForm(Form), FProvider(Provider) {
    FSaved = Form->WindowProc;
    Form->WindowProc = Entry();
  }
  // Freed with the form before the provider (the later made goes first): the provider learns it.
  ~TsFormProcLink() override {
    if (FForm->WindowProc == Entry()) FForm->WindowProc = FSaved;
    if (FProvider) FProvider->FProcLink = nullptr;
  }
  TWndMethod Entry() { return TWndMethod(this, &TsFormProcLink::WndProc); }
  const TWndMethod& Saved() const { return FSaved; }
  // Frees the link, which puts the saved procedure back, when its entry is the form's; else it stays
  // and only forwards.
  void Release() {
    FProvider = nullptr;
    if (FForm->WindowProc == Entry()) Free();
  }

 private:
  void WndProc(TMessage& Message) {
    if (FProvider)
      FProvider->FormWndProc(Message);
    else
      FSaved(Message);
  }
  TCustomForm* FForm;
  TsSkinProvider* FProvider;
  TWndMethod FSaved;
};

TsSkinProvider::TsSkinProvider(TComponent* AOwner) : TsSkinProvider(OwnerForm(AOwner), AOwner) {}

TsSkinProvider::TsSkinProvider(TCustomForm* AForm, TComponent* AOwner) : TComponent(AOwner), FForm(AForm) {
  if (TsSkinProvider* Existing = ProviderOf(FForm)) {
    if (Existing->FAutomatic)
      Existing->Free();
    else
      FPassive = true;
  }
  if (SkinSwitches().Preview) PreviewRequested = true;
  FComposition = DwmCompositionEnabled();
  FSkinData = std::make_unique<TsCommonData>(this, true);
  FSkinData->SetSkinSection("FORM");
  FSkinData->ControlKind = FormControlKind;
  if (FForm->ComponentState() & (csLoading | csReading)) FSkinData->SetUpdating(true);
  FAddedTitle = std::make_unique<TacAddedTitle>(this);
  FTitleIcon = std::make_unique<TsTitleIcon>();
  FTitleButtons = std::make_unique<TsTitleButtons>(this);
  if (FPassive || (ComponentState() & csDesigning)) return;
  FStripBmp = std::make_unique<TBitmap>();
  FStripBmp->Canvas()->Lock();
  FWorkBmp = NewBitmap32(0, 0);
  FProcLink = new TsFormProcLink(FForm, this);
  RegisterSkinnedForm(FForm);
  FRegistered = true;
}

TsSkinProvider* TsSkinProvider::CreateAutomatic(TComponent* AOwner) {
  auto* Provider = new TsSkinProvider(AOwner);
  Provider->FAutomatic = true;
  return Provider;
}

TsSkinProvider::~TsSkinProvider() {
  if (FRegistered) UnregisterSkinnedForm(FForm);
  if (FProcLink) FProcLink->Release();
  if (FStripBmp) FStripBmp->Canvas()->Unlock();
  if (MDIFrameProvider == this) MDIFrameProvider = nullptr;
  if (ActiveMDIChildProvider == this) ActiveMDIChildProvider = nullptr;
}

bool TsSkinProvider::Skinned() const { return !FPassive && FSkinData->IsSkinActive(); }

bool TsSkinProvider::DrawFrame() const { return FDrawNonClientArea && Skinned(); }

void TsSkinProvider::FormWndProc(TMessage& Message) {
  if (AnswerSkinCommand(Message)) return;
  FProcLink->Saved()(Message);
  switch (Message.Msg) {
    case CM_SHOWINGCHANGED:
    case CM_RECREATEWND:
      if (FForm->Visible() && FForm->HandleAllocated()) AnnouncePreviewWindow(FForm->Handle());
      break;
    case WM_COPYDATA:
      if (FForm->HandleAllocated()) HandlePreviewCopyData(FForm->Handle(), Message, FSkinData->GetSkinManager());
      break;
  }
}

bool TsSkinProvider::ManagedBy(LPARAM Manager) const {
  return Manager && reinterpret_cast<TsSkinManager*>(Manager) == FSkinData->GetSkinManager();
}

bool TsSkinProvider::AnswerSkinCommand(TMessage& Message) {
  if (Message.Msg != SM_SKINCMD) return false;
  const bool Destroying = FForm->ComponentState() & csDestroying;
  switch (SkinCmdCode(Message)) {
    case SkinCmdSkinChanged:
      if (Destroying || !ManagedBy(Message.LParam)) return false;
      SkinApplied();
      return true;
    case SkinCmdRemoveSkin:
      if (ManagedBy(Message.LParam))
        SkinRemoved();
      else
        BroadcastToChildren(FForm, Message);
      return true;
    case SkinCmdGetSkinProvider:
      Message.Result = reinterpret_cast<LRESULT>(static_cast<TsProviderLink*>(this));
      return true;
    case SkinCmdIsSkinned:
      Message.Result = 1;
      return true;
    case SkinCmdGetBgState:
      Message.Result = FSkinData->CtrlState;
      return true;
    case SkinCmdGetClientOffset:
      Message.Result = MAKELONG(OffsetX(), OffsetY());
      return true;
    default:
      return false;
  }
}

void TsSkinProvider::Loaded() {
  TComponent::Loaded();
  if (!FPassive && !FAutomatic && !(ComponentState() & csDesigning) && FSkinData->IsSkinActive()) StartSkinning();
}

void TsSkinProvider::StartSkinning() {
  if (FForm->BorderStyle() == bsSizeToolWin) {
    AllowBlendOnMoving = false;
    FUseGlobalColor = true;
  }
  SkinApplied();
}

void TsSkinProvider::SkinApplied() {
  FSkinData->ResolveIndexes();
  const TsSkinManager* M = FSkinData->GetSkinManager();
  FTitleIndex = M ? M->GetSkinIndex(TitleSkin.empty() ? "FORMTITLE" : TitleSkin) : -1;
  FCaptionIndex = M ? M->GetSkinIndex("CAPTION") : -1;
  FSkinData->BGChanged = true;
  FHotItem = -1;
  ApplyGlobalColor();
}

void TsSkinProvider::SkinRemoved() {
  FTitleIndex = FCaptionIndex = FHotItem = -1;
  FSkinData->SkinIndex = FSkinData->BorderIndex = -1;
  TMessage Removed{SM_SKINCMD, SkinCmdWParam(SkinCmdRemoveSkin), reinterpret_cast<LPARAM>(FSkinData->GetSkinManager()), 0};
  BroadcastToChildren(FForm, Removed);
  if (!(FForm->ComponentState() & csDestroying) && FForm->HandleAllocated() && FForm->BorderStyle() != bsNone)
    SetWindowRgn(FForm->Handle(), nullptr, TRUE);
  for (int I = 0; I < FForm->ControlCount(); ++I)
    if (auto* Label = dynamic_cast<TLabel*>(FForm->Controls(I))) Label->Font()->SetColor(clWindowText);
  if (FUseGlobalColor && !FSkinData->CustomColor()) FForm->SetColor(clBtnFace);
  FSkinData->CacheBmp.reset();
}

void TsSkinProvider::ApplyGlobalColor() {
  if (FForm->ComponentState() & (csLoading | csReading | csDestroying) || FSkinData->CustomColor()) return;
  if (FUseGlobalColor && Skinned())
    FForm->SetColor(FSkinData->GetSkinManager()->GetGlobalColor());
  else
    FForm->SetColor(clBtnFace);
}

void TsSkinProvider::SetUseGlobalColor(bool Value) {
  if (FUseGlobalColor == Value) return;
  FUseGlobalColor = Value;
  ApplyGlobalColor();
}

void TsSkinProvider::RepaintCaption() {
  FSkinData->BGChanged = true;
  if (FForm->HandleAllocated() && IsWindowVisible(FForm->Handle())) SendMessageW(FForm->Handle(), WM_NCPAINT, 0, 0);
}

bool TsSkinProvider::HasSysMenu() const {
  const TFormBorderStyle Style = FForm->BorderStyle();
  return (Style == bsSingle || Style == bsSizeable) && ShowAppIcon && FForm->HandleAllocated() &&
         (GetWindowLongW(FForm->Handle(), GWL_STYLE) & WS_SYSMENU);
}

int TsSkinProvider::TitleIconWidth() const { return TitleIconSize(HasSysMenu(), FTitleIcon->Width, CaptionHeight()); }

int TsSkinProvider::TitleIconHeight() const { return TitleIconSize(HasSysMenu(), FTitleIcon->Height, CaptionHeight()); }

// ---- Geometry

int TsSkinProvider::CaptionHeight(bool WithBorderForm) const {
  TCaptionInputs In;
  In.Minimized = FForm->HandleAllocated() ? IsIconic(FForm->Handle()) != FALSE : FForm->WindowState() == wsMinimized;
  In.HasCaption = FForm->BorderStyle() != bsNone &&
                  (!FForm->HandleAllocated() || (GetWindowLongW(FForm->Handle(), GWL_STYLE) & WS_CAPTION) == WS_CAPTION);
  In.BorderFormCaption = WithBorderForm ? SkinTitleHeight(BorderForm()) : 0;
  In.SkinTitleLower = FTitleLower;
  In.SystemCaption = SysCaptionHeight(FForm);
  return CaptionHeightOf(In);
}

namespace {

TOffsetInputs OffsetInputs(const TsSkinProvider& P) {
  TCustomForm* Form = P.Form();
  const HWND Wnd = Form->Handle();
  TOffsetInputs In;
  In.HasBorderForm = P.BorderForm() != nullptr;
  In.WindowWidth = WindowWidth(Wnd), In.WindowHeight = WindowHeight(Wnd);
  In.ClientWidth = ClientWidth(Wnd), In.ClientHeight = ClientHeight(Wnd);
  In.HasBorder = (GetWindowLongW(Wnd, GWL_STYLE) & WS_BORDER) != 0;
  In.FrameWidth = In.FrameHeight = SysBorderWidth(Wnd, P.BorderForm(), true);
  In.BorderWidth = Form->BorderWidth();
  if (In.HasBorderForm) In.CaptionHeight = P.CaptionHeight(true);
  return In;
}

}  // namespace

int TsSkinProvider::OffsetX() const { return OffsetXOf(OffsetInputs(*this)); }

int TsSkinProvider::OffsetY() const { return OffsetYOf(OffsetInputs(*this)); }

const TsMaskData* TsSkinProvider::Piece(int MaskIndex) const {
  const TsSkinManager* M = FSkinData->GetSkinManager();
  return M && M->IsValidMaskIndex(MaskIndex) ? &M->Tables().Masks[MaskIndex] : nullptr;
}

int TsSkinProvider::ButtonWidth(int MaskIndex, int Missing) const {
  const TsMaskData* P = Piece(MaskIndex);
  return StateImageSize(P != nullptr, P ? P->R.Width() : 0, P ? P->ImageCount : 0, Missing);
}

int TsSkinProvider::ButtonHeight(int MaskIndex, int Missing) const {
  const TsMaskData* P = Piece(MaskIndex);
  return StateImageSize(P != nullptr, P ? P->R.Height() : 0, P ? P->MaskType + 1 : 0, Missing);
}

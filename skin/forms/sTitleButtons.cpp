#include "skin/forms/sTitleButtons.h"

#include "skin/forms/sSkinProvider.h"

TsTitleButton::TsTitleButton(TCollection* Collection)
    : TCollectionItem(Collection), FGlyph(std::make_unique<TBitmap>()) {
  FGlyph->OnChange = [this](TGraphicsObject*) { CachedImage.reset(); };
}

void TsTitleButton::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (auto* Buttons = dynamic_cast<TsTitleButtons*>(Collection()); Buttons && Buttons->Provider())
    Buttons->Provider()->RepaintCaption();
}

void TsTitleButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TsTitleButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TsTitleButton::AssignTo(TPersistent* Dest) {
  auto* Other = dynamic_cast<TsTitleButton*>(Dest);
  if (!Other) return TCollectionItem::AssignTo(Dest);
  Other->Enabled = Enabled;
  Other->SetGlyph(FGlyph.get());
  Other->Hint = Hint;
  Other->FName = FName;
  Other->UseSkinData = UseSkinData;
  Other->OnMouseDown = OnMouseDown;
  Other->OnMouseUp = OnMouseUp;
}

TacAddedTitle::TacAddedTitle(TsSkinProvider* Owner) : FOwner(Owner), FFont(std::make_unique<TFont>()) {
  FFont->SetColor(clNone);
}

void TacAddedTitle::Repaint() {
  if (FOwner && !(FOwner->ComponentState() & csLoading)) FOwner->RepaintCaption();
}

void TacAddedTitle::SetFont(TFont* Value) {
  FFont->Assign(*Value);
  Repaint();
}

void TacAddedTitle::SetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  Repaint();
}

void TacAddedTitle::SetShowMainCaption(bool Value) {
  if (FShowMainCaption == Value) return;
  FShowMainCaption = Value;
  Repaint();
}

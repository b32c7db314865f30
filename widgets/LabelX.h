#pragma once
// TLabelX: a label that shows one font per mouse state (over it, pressed, released, away).
#include "toolkit/ui/StdCtrls.h"

#include <memory>

class TLabelX : public TLabel {
 public:
  explicit TLabelX(TComponent* AOwner);
  ~TLabelX() override;
  std::string ClassName() const override { return "TLabelX"; }
  void GetPublishedProperties(TPropList& List) const override;

  // The state fonts; each setter copies the given font into the label's own.
  TFont* FocusFont() const { return FFocusFont.get(); }
  void SetFocusFont(const TFont* Value) { FFocusFont->Assign(*Value); }
  TFont* DownFont() const { return FDownFont.get(); }
  void SetDownFont(const TFont* Value) { FDownFont->Assign(*Value); }
  TFont* UpFont() const { return FUpFont.get(); }
  void SetUpFont(const TFont* Value) { FUpFont->Assign(*Value); }
  TFont* NormalFont() const { return FNormalFont.get(); }
  void SetNormalFont(const TFont* Value) { FNormalFont->Assign(*Value); }

  void Dispatch(TMessage& Message) override;

 private:
  std::unique_ptr<TFont> FFocusFont, FDownFont, FUpFont, FNormalFont;
};

#pragma once
// Rich edits over the system's rich edit control (riched20). Positions (SelStart, SelLength) count
// a line break as the two characters CR LF, as Text and Lines hold it, so that an index found in
// Text selects the same characters in the control.
#include <windows.h>

#include <richedit.h>

#include <memory>
#include <string>

#include "toolkit/graphics/Font.h"
#include "toolkit/ui/StdCtrls.h"

class TCustomRichEdit;

enum TAttributeType { atSelected, atDefaultText };

// Character format of the selection or of new text.
class TTextAttributes {
 public:
  TTextAttributes(TCustomRichEdit* Owner, TAttributeType Type) : owner_(Owner), type_(Type) {}
  TColor Color() const;
  void SetColor(TColor Value);
  TFontStyles Style() const;
  void SetStyle(TFontStyles Value);
  // Size in points.
  int Size() const;
  void SetSize(int Value);
  std::string Name() const;
  void SetName(const std::string& Value);

 private:
  CHARFORMAT2A Get() const;
  void Set(CHARFORMAT2A& Format) const;
  TCustomRichEdit* owner_;
  TAttributeType type_;
};

class TCustomRichEdit : public TCustomMemo {
 public:
  explicit TCustomRichEdit(TComponent* AOwner);
  ~TCustomRichEdit() override;

  TTextAttributes* SelAttributes() const { return selAttributes_.get(); }
  TTextAttributes* DefAttributes() const { return defAttributes_.get(); }
  // Lines load and save plain text when set, else rich text (a plain-text file still loads).
  bool PlainText() const { return plainText_; }
  void SetPlainText(bool Value) { plainText_ = Value; }

  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  std::string SelText();
  void SetSelText(const std::string& Value);

  // The contents replaced from rich or plain text, and the contents as either.
  void LoadStream(const std::string& Data, bool Rich);
  std::string SaveStream(bool Rich);

  // The control's own text, with one CR per line break: its own positions index it.
  std::string WindowText();

  void Dispatch(TMessage& Message) override;

 protected:
  std::string GetText() const override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

 private:
  // Positions in Text from the control's own positions, and back.
  int TextPos(int WindowPos);
  int WindowPos(int TextPos);
  std::pair<int, int> WindowSelection();
  void ApplyColor();
  void ApplyFontColor();
  void ApplyWordWrap();

  std::unique_ptr<TTextAttributes> selAttributes_;
  std::unique_ptr<TTextAttributes> defAttributes_;
  bool plainText_ = false;
  // The rich text kept while the window is made anew.
  std::string savedRichText_;
};

class TRichEdit : public TCustomRichEdit {
 public:
  using TCustomRichEdit::TCustomRichEdit;
};

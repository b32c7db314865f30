#pragma once
// TMaskEdit: an edit whose text follows an edit mask (MaskUtils.h). The window shows EditText
// (literals in place, the blank character in empty places); Text is what the mask stores. Keys
// that the place under the caret refuses are refused; leaving the edit after a change with a
// required place empty raises EDBEditError and keeps the focus there; Esc brings back the text
// the edit had when it got the focus.
#include <string>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/MaskUtils.h"
#include "toolkit/ui/StdCtrls.h"

class EDBEditError : public Exception {
 public:
  using Exception::Exception;
};

class TCustomMaskEdit : public TCustomEdit {
 public:
  explicit TCustomMaskEdit(TComponent* AOwner);

  const std::string& EditMask() const { return editMask_; }
  void SetEditMask(const std::string& Value);
  // The text as shown, blanks and literals included.
  std::string EditText() const;
  void SetEditText(const std::string& Value);
  bool IsMasked() const { return !mask_.Empty(); }
  // Raises EDBEditError (and puts the caret on the place) when a changed text is incomplete.
  virtual void ValidateEdit();

  void Dispatch(TMessage& Message) override;
  void GetPublishedProperties(TPropList& List) const override;

 protected:
  std::string GetText() const override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DoEnter() override;
  void DoExit() override;

 private:
  // Writes EditText (as the user's change when ByUser) and puts the caret at CaretPos.
  void StoreEditText(const std::string& Value, int CaretPos, bool ByUser);
  // Blanks the input places from Start to End (exclusive).
  void BlankRange(std::string& Edit, int Start, int End) const;
  // Types the characters of Value from the caret on, as keys; false when one was refused.
  bool InputText(const std::string& Value);
  void Cut();
  void Paste();

  std::string editMask_;
  TEditMask mask_{""};
  std::string enterText_;
  bool settingEditText_ = false;
  bool reEnter_ = false;
};

class TMaskEdit : public TCustomMaskEdit {
 public:
  using TCustomMaskEdit::TCustomMaskEdit;
};

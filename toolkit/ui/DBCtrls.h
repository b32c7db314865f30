#pragma once
// Data-aware controls: each shows one field of the current row of its data source's data set and,
// while the data set is in edit or insert state, serves as an edit buffer for it. Typing starts the
// edit (when the data source allows AutoEdit); what the control holds reaches the field when the
// control is left or the data set gathers its record (UpdateRecord). Nothing is stored through
// them: Cancel, a move or Close drops the edited or appended row.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/db/DB.h"
#include "toolkit/ui/Buttons.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/StdCtrls.h"

// The link of a control that shows one field.
class TFieldDataLink : public TDataLink {
 public:
  TFieldDataLink() = default;
  const std::string& FieldName() const { return fieldName_; }
  void SetFieldName(const std::string& Value);
  // The field in the open data set, or nullptr.
  TField* Field() const { return field_; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  // There is a field and the control is not read-only.
  bool CanModify() const { return !readOnly_ && field_; }
  // Starts editing when the control may modify the field; true when the data set is then editing.
  bool Edit();
  // The control's value changed: it is written on the next UpdateRecord.
  void Modified() { modified_ = true; }
  bool IsModified() const { return modified_; }
  // Drops what the control holds and shows the field again.
  void Reset() { RecordChanged(nullptr); }

  // Show the field's value (also when it goes: Field() is then nullptr).
  std::function<void()> OnDataChange;
  // Write the control's value into Field().
  std::function<void()> OnUpdateData;
  std::function<void()> OnEditingChange;
  std::function<void()> OnActiveChange;

 protected:
  void ActiveChanged() override;
  void EditingChanged() override;
  void LayoutChanged() override;
  void RecordChanged(TField* AField) override;
  void UpdateData() override;

 private:
  void UpdateField();

  std::string fieldName_;
  TField* field_ = nullptr;
  bool readOnly_ = false;
  bool modified_ = false;
};

namespace detail {
// An edit or memo bound to a field; one piece for both kinds of edit window.
template <class TEditBase>
class TDBEditBuffer : public TEditBase {
 public:
  explicit TDBEditBuffer(TComponent* AOwner);

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Value) { link_.SetDataSource(Value); }
  const std::string& DataField() const { return link_.FieldName(); }
  void SetDataField(const std::string& Value) { link_.SetFieldName(Value); }
  TField* Field() const { return link_.Field(); }
  // The control's own read-only state; the window also refuses typing while the data set is not
  // being edited.
  bool ReadOnly() const { return link_.ReadOnly(); }
  void SetReadOnly(bool Value) { link_.SetReadOnly(Value); }

  void Dispatch(TMessage& Message) override;

 protected:
  void Change() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DoExit() override;

 private:
  void DataChange();
  void EditingChange();

  TFieldDataLink link_;
  bool loading_ = false;
};
}  // namespace detail

// An edit of one field. OnChange fires once for every row shown (each move of the cursor), and for
// every change typed.
class TDBEdit : public detail::TDBEditBuffer<TCustomEdit> {
 public:
  using TDBEditBuffer::TDBEditBuffer;
};

class TDBMemo : public detail::TDBEditBuffer<TCustomMemo> {
 public:
  using TDBEditBuffer::TDBEditBuffer;
};

// A label showing one field.
class TDBText : public TCustomLabel {
 public:
  explicit TDBText(TComponent* AOwner);
  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Value) { link_.SetDataSource(Value); }
  const std::string& DataField() const { return link_.FieldName(); }
  void SetDataField(const std::string& Value) { link_.SetFieldName(Value); }
  TField* Field() const { return link_.Field(); }

 private:
  TFieldDataLink link_;
};

// A radio group whose choice is a field's value: line i of Items stands for line i of Values (or
// for its own text where Values has no such line).
class TDBRadioGroup : public TCustomRadioGroup {
 public:
  explicit TDBRadioGroup(TComponent* AOwner);

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Value) { link_.SetDataSource(Value); }
  const std::string& DataField() const { return link_.FieldName(); }
  void SetDataField(const std::string& Value) { link_.SetFieldName(Value); }
  TField* Field() const { return link_.Field(); }
  bool ReadOnly() const { return link_.ReadOnly(); }
  void SetReadOnly(bool Value) { link_.SetReadOnly(Value); }
  TStrings* Values() const { return values_.get(); }
  void SetValues(const TStrings* Value) { values_->Assign(Value); }
  // The value of the chosen line ("" with none chosen); setting it chooses the line.
  const std::string& Value() const { return value_; }
  void SetValue(const std::string& Value);

  // The value changed, from the field or by a choice.
  TNotifyEvent OnChange;

 protected:
  bool CanModify() override { return link_.Edit(); }
  void Changed() override;
  void DoExit() override;

 private:
  std::string ButtonValue(int Index) const;

  TFieldDataLink link_;
  std::unique_ptr<TStringList> values_;
  std::string value_;
  bool inSetValue_ = false;
};

// A combo box whose text is a field's value (a drop-down list selects the line of that text).
class TDBComboBox : public TCustomComboBox {
 public:
  explicit TDBComboBox(TComponent* AOwner);

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Value) { link_.SetDataSource(Value); }
  const std::string& DataField() const { return link_.FieldName(); }
  void SetDataField(const std::string& Value) { link_.SetFieldName(Value); }
  TField* Field() const { return link_.Field(); }
  bool ReadOnly() const { return link_.ReadOnly(); }
  void SetReadOnly(bool Value);

 protected:
  void CreateWnd() override;
  void Change() override;
  void Select() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void EditWndProc(TMessage& Message) override;
  void DoExit() override;

 private:
  void DataChange();
  void EditingChange();
  std::string ComboText();

  TFieldDataLink link_;
  bool loading_ = false;
};

enum TNavigateBtn { nbFirst, nbPrior, nbNext, nbLast };
using TNavButtonSet = unsigned;
constexpr TNavButtonSet NavButton(TNavigateBtn Button) { return 1u << Button; }
constexpr TNavButtonSet nbAllMoves = NavButton(nbFirst) | NavButton(nbPrior) | NavButton(nbNext) | NavButton(nbLast);

using TNavClick = std::function<void(TObject* Sender, TNavigateBtn Button)>;

// A row of buttons that move the cursor of its data source's data set.
class TDBNavigator : public TCustomPanel {
 public:
  explicit TDBNavigator(TComponent* AOwner);

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Value);
  TNavButtonSet VisibleButtons() const { return visibleButtons_; }
  void SetVisibleButtons(TNavButtonSet Value);
  TSpeedButton* Buttons(TNavigateBtn Index) const { return buttons_[Index]; }
  // Does what the button does, as a click on it.
  void BtnClick(TNavigateBtn Index);

  // After a button's move.
  TNavClick OnClick;

 protected:
  void Resize() override;
  void Loaded() override;

 private:
  class TNavDataLink : public TDataLink {
   public:
    explicit TNavDataLink(TDBNavigator* Navigator) : navigator_(Navigator) {}

   protected:
    void ActiveChanged() override { navigator_->UpdateButtons(); }
    void EditingChanged() override { navigator_->UpdateButtons(); }
    void RecordChanged(TField*) override { navigator_->UpdateButtons(); }

   private:
    TDBNavigator* navigator_;
  };

  void UpdateButtons();
  void ArrangeButtons();

  TNavDataLink link_;
  TSpeedButton* buttons_[4] = {};
  TNavButtonSet visibleButtons_ = nbAllMoves;
};

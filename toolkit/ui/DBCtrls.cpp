#include "toolkit/ui/DBCtrls.h"

#include <type_traits>

// --- TFieldDataLink -------------------------------------------------------------------------

void TFieldDataLink::SetFieldName(const std::string& Value) {
  if (Value == fieldName_) return;
  fieldName_ = Value;
  UpdateField();
}

void TFieldDataLink::SetReadOnly(bool Value) {
  if (Value == readOnly_) return;
  readOnly_ = Value;
  if (OnEditingChange) OnEditingChange();
}

bool TFieldDataLink::Edit() {
  if (CanModify()) TDataLink::Edit();
  return CanModify() && Editing();
}

void TFieldDataLink::UpdateField() {
  TDataSet* ds = DataSet();
  TField* f = Active() && ds && !fieldName_.empty() ? ds->FindField(fieldName_) : nullptr;
  if (f == field_) return;
  field_ = f;
  if (OnEditingChange) OnEditingChange();
  RecordChanged(nullptr);
}

void TFieldDataLink::ActiveChanged() {
  UpdateField();
  if (OnActiveChange) OnActiveChange();
}

void TFieldDataLink::EditingChanged() {
  if (OnEditingChange) OnEditingChange();
}

void TFieldDataLink::LayoutChanged() { UpdateField(); }

void TFieldDataLink::RecordChanged(TField* AField) {
  if (AField && AField != field_) return;
  if (OnDataChange) OnDataChange();
  modified_ = false;
}

void TFieldDataLink::UpdateData() {
  if (!modified_) return;
  if (field_ && OnUpdateData) OnUpdateData();
  modified_ = false;
}

// --- TDBEdit, TDBMemo -----------------------------------------------------------------------

namespace detail {

template <class TEditBase>
TDBEditBuffer<TEditBase>::TDBEditBuffer(TComponent* AOwner) : TEditBase(AOwner) {
  link_.OnDataChange = [this] { DataChange(); };
  link_.OnEditingChange = [this] { EditingChange(); };
  link_.OnUpdateData = [this] { link_.Field()->SetAsString(this->Text()); };
  EditingChange();
}

template <class TEditBase>
void TDBEditBuffer<TEditBase>::DataChange() {
  TField* f = link_.Field();
  if (f && f->DataType() == ftString && this->MaxLength() == 0) this->SetMaxLength(f->Size());
  loading_ = true;
  try {
    this->SetText(f ? f->AsString() : std::string());
  } catch (...) {
    loading_ = false;
    throw;
  }
  loading_ = false;
  // Once for every row shown, whether or not the text differs from the last row's.
  TEditBase::Change();
}

template <class TEditBase>
void TDBEditBuffer<TEditBase>::EditingChange() {
  // The window takes typing only while the data set is being edited through this control.
  TEditBase::SetReadOnly(!(link_.Editing() && link_.CanModify()));
}

template <class TEditBase>
void TDBEditBuffer<TEditBase>::Change() {
  if (loading_) return;
  link_.Modified();
  TEditBase::Change();
}

template <class TEditBase>
void TDBEditBuffer<TEditBase>::KeyDown(WORD& Key, TShiftState Shift) {
  TEditBase::KeyDown(Key, Shift);
  if (Key == VK_DELETE || (Key == VK_INSERT && (Shift & ssShift))) link_.Edit();
}

template <class TEditBase>
void TDBEditBuffer<TEditBase>::KeyPress(char& Key) {
  TEditBase::KeyPress(Key);
  const auto k = static_cast<unsigned char>(Key);
  constexpr bool multiLine = std::is_base_of_v<TCustomMemo, TEditBase>;
  if (k == 27) {
    link_.Reset();
    this->SelectAll();
    Key = 0;
  } else if (k >= 32 || k == 8 || k == 22 || k == 24 || (multiLine && (k == 13 || k == 10))) {
    // Backspace, Ctrl+V, Ctrl+X and characters change the text: start the edit first.
    link_.Edit();
  }
}

template <class TEditBase>
void TDBEditBuffer<TEditBase>::DoExit() {
  try {
    link_.UpdateRecord();
  } catch (...) {
    this->SelectAll();
    this->SetFocus();
    throw;
  }
  TEditBase::DoExit();
}

template <class TEditBase>
void TDBEditBuffer<TEditBase>::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
      link_.Edit();
      break;
  }
  TEditBase::Dispatch(Message);
}

template class TDBEditBuffer<TCustomEdit>;
template class TDBEditBuffer<TCustomMemo>;

}  // namespace detail

// --- TDBText --------------------------------------------------------------------------------

TDBText::TDBText(TComponent* AOwner) : TCustomLabel(AOwner) {
  SetAutoSize(false);
  SetShowAccelChar(false);
  link_.OnDataChange = [this] { SetCaption(link_.Field() ? link_.Field()->AsString() : std::string()); };
}


// --- TDBRadioGroup --------------------------------------------------------------------------

TDBRadioGroup::TDBRadioGroup(TComponent* AOwner)
    : TCustomRadioGroup(AOwner), values_(std::make_unique<TStringList>()) {
  link_.OnDataChange = [this] { SetValue(link_.Field() ? link_.Field()->AsString() : std::string()); };
  link_.OnUpdateData = [this] { link_.Field()->SetAsString(value_); };
}

std::string TDBRadioGroup::ButtonValue(int Index) const {
  return Index < values_->Count() && !values_->Get(Index).empty() ? values_->Get(Index) : Items()->Get(Index);
}

void TDBRadioGroup::SetValue(const std::string& Value) {
  if (Value == value_) return;
  int i = Items()->Count() - 1;
  while (i >= 0 && ButtonValue(i) != Value) --i;
  inSetValue_ = true;
  try {
    SetItemIndex(i);
  } catch (...) {
    inSetValue_ = false;
    throw;
  }
  inSetValue_ = false;
  value_ = Value;
  if (OnChange) OnChange(this);
}

void TDBRadioGroup::Changed() {
  // A value that chose its line is no click.
  if (inSetValue_) return;
  TCustomRadioGroup::Changed();
  if (ItemIndex() >= 0) SetValue(ButtonValue(ItemIndex()));
  if (link_.Editing()) link_.Modified();
}

void TDBRadioGroup::DoExit() {
  link_.UpdateRecord();
  TCustomRadioGroup::DoExit();
}

// --- TDBComboBox ----------------------------------------------------------------------------

TDBComboBox::TDBComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {
  link_.OnDataChange = [this] { DataChange(); };
  link_.OnEditingChange = [this] { EditingChange(); };
  link_.OnUpdateData = [this] { link_.Field()->SetAsString(ComboText()); };
}

void TDBComboBox::SetReadOnly(bool Value) { link_.SetReadOnly(Value); }

std::string TDBComboBox::ComboText() {
  if (Style() != csDropDownList) return Text();
  const int i = ItemIndex();
  return i >= 0 ? Items()->Get(i) : std::string();
}

void TDBComboBox::DataChange() {
  // A new window shows the field when it is made.
  if (!HandleAllocated()) return;
  const std::string text = link_.Field() ? link_.Field()->AsString() : std::string();
  loading_ = true;
  try {
    if (Style() == csDropDownList) {
      SetItemIndex(Items()->IndexOf(text));
    } else {
      SetText(text);
    }
  } catch (...) {
    loading_ = false;
    throw;
  }
  loading_ = false;
}

void TDBComboBox::EditingChange() {
  if (EditHandle()) SendMessageA(EditHandle(), EM_SETREADONLY, !(link_.Editing() && link_.CanModify()), 0);
}

void TDBComboBox::CreateWnd() {
  TCustomComboBox::CreateWnd();
  EditingChange();
  DataChange();
}

void TDBComboBox::Change() {
  if (loading_) return;
  link_.Modified();
  TCustomComboBox::Change();
}

void TDBComboBox::Select() {
  if (loading_) return;
  // A choice from the list edits the row, or is taken back when the row may not be edited.
  if (!link_.Edit()) return DataChange();
  link_.Modified();
  TCustomComboBox::Select();
}

void TDBComboBox::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomComboBox::KeyDown(Key, Shift);
  const bool changes = Key == VK_DELETE || Key == VK_BACK || (Key == VK_INSERT && (Shift & ssShift)) ||
                       (Style() == csDropDownList && (Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR ||
                                                      Key == VK_NEXT || Key == VK_HOME || Key == VK_END));
  if (changes && !(Shift & ssAlt) && !link_.Edit()) Key = 0;
}

void TDBComboBox::KeyPress(char& Key) {
  TCustomComboBox::KeyPress(Key);
  const auto k = static_cast<unsigned char>(Key);
  if (k == 27) {
    link_.Reset();
    Key = 0;
  } else if ((k >= 32 || k == 8 || k == 22 || k == 24) && !link_.Edit()) {
    Key = 0;
  }
}

void TDBComboBox::EditWndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
      link_.Edit();
      break;
  }
  TCustomComboBox::EditWndProc(Message);
}

void TDBComboBox::DoExit() {
  link_.UpdateRecord();
  TCustomComboBox::DoExit();
}

// --- TDBNavigator ---------------------------------------------------------------------------

namespace {

// An arrow glyph: bars and triangles in black on a background whose colour (the bottom-left
// pixel, left blank) is transparent.
void DrawNavGlyph(TBitmap& Glyph, TNavigateBtn Button) {
  constexpr int size = 10, bottom = 8, mid = 4;
  Glyph.SetSize(size, size);
  TCanvas* c = Glyph.Canvas();
  c->Brush()->SetColor(clOlive);
  c->FillRect(TRect{0, 0, size, size});
  c->Brush()->SetColor(clBlack);
  c->Pen()->SetColor(clBlack);
  struct Shape {
    int TipX, BaseX, BarX;  // BarX < 0: no bar
  };
  static const Shape shapes[] = {{4, 8, 1}, {2, 6, -1}, {7, 3, -1}, {5, 1, 7}};
  const Shape& s = shapes[Button];
  c->Polygon({TPoint{s.TipX, mid}, TPoint{s.BaseX, 0}, TPoint{s.BaseX, bottom}});
  if (s.BarX >= 0) c->FillRect(TRect{s.BarX, 0, s.BarX + 2, bottom + 1});
}

const char* const kNavHints[] = {"Primeiro registro", "Registro anterior", "Próximo registro", "Último registro"};

}  // namespace

TDBNavigator::TDBNavigator(TComponent* AOwner) : TCustomPanel(AOwner), link_(this) {
  SetControlStyle(ControlStyle() & ~(csAcceptsControls | csSetCaption));
  SetBevelOuter(bvNone);
  for (int i = nbFirst; i <= nbLast; ++i) {
    const auto nb = static_cast<TNavigateBtn>(i);
    auto* b = new TSpeedButton(this);
    b->SetParent(this);
    b->SetHint(kNavHints[i]);
    TBitmap glyph;
    DrawNavGlyph(glyph, nb);
    b->SetGlyph(&glyph);
    b->OnClick = [this, nb](TObject*) { BtnClick(nb); };
    buttons_[i] = b;
  }
  SetBounds(Left(), Top(), 4 * 25, 25);
  UpdateButtons();
}

void TDBNavigator::SetDataSource(TDataSource* Value) {
  link_.SetDataSource(Value);
  UpdateButtons();
}

void TDBNavigator::SetVisibleButtons(TNavButtonSet Value) {
  visibleButtons_ = Value & nbAllMoves;
  for (int i = nbFirst; i <= nbLast; ++i) buttons_[i]->SetVisible(visibleButtons_ & NavButton(TNavigateBtn(i)));
  ArrangeButtons();
}

void TDBNavigator::BtnClick(TNavigateBtn Index) {
  TDataSet* ds = link_.DataSet();
  if (link_.Active() && ds) {
    switch (Index) {
      case nbFirst: ds->First(); break;
      case nbPrior: ds->Prior(); break;
      case nbNext: ds->Next(); break;
      case nbLast: ds->Last(); break;
    }
  }
  // Running off either end announces no move: the buttons are brought up to date here.
  UpdateButtons();
  if (OnClick) OnClick(this, Index);
}

void TDBNavigator::UpdateButtons() {
  if (!buttons_[nbLast]) return;
  TDataSet* ds = link_.DataSet();
  const bool active = link_.Active() && ds;
  const bool up = active && !ds->Bof(), down = active && !ds->Eof();
  buttons_[nbFirst]->SetEnabled(up);
  buttons_[nbPrior]->SetEnabled(up);
  buttons_[nbNext]->SetEnabled(down);
  buttons_[nbLast]->SetEnabled(down);
}

void TDBNavigator::ArrangeButtons() {
  if (!buttons_[nbLast]) return;
  int count = 0;
  for (TSpeedButton* b : buttons_) count += b->Visible();
  if (!count) return;
  const int w = ClientWidth() / count, h = ClientHeight();
  int x = 0, n = 0;
  for (TSpeedButton* b : buttons_) {
    if (!b->Visible()) continue;
    // The last one takes what the division left over.
    const int bw = ++n == count ? ClientWidth() - x : w;
    b->SetBounds(x, 0, bw, h);
    x += bw;
  }
}

void TDBNavigator::Resize() {
  TCustomPanel::Resize();
  ArrangeButtons();
}

void TDBNavigator::Loaded() {
  TCustomPanel::Loaded();
  ArrangeButtons();
}

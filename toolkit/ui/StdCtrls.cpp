#include "toolkit/ui/StdCtrls.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/Forms.h"

namespace {

// True when Key is the accelerator (the letter after a single '&') of Text.
bool IsAccel(WPARAM Key, const std::string& Text) {
  for (size_t i = 0; i + 1 < Text.size(); ++i) {
    if (Text[i] != '&') continue;
    if (Text[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(Text[i + 1])) == std::toupper(static_cast<int>(Key & 0xFF));
  }
  return false;
}

LRESULT SendTo(TWinControl* Control, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) {
  return Control->HandleAllocated() ? SendMessageA(Control->WindowHandle(), Msg, WParam, LParam) : 0;
}

}  // namespace

TOwnerDrawState OwnerDrawState(UINT ItemState) {
  TOwnerDrawState s = 0;
  if (ItemState & ODS_SELECTED) s |= odSelected;
  if (ItemState & ODS_GRAYED) s |= odGrayed;
  if (ItemState & ODS_DISABLED) s |= odDisabled;
  if (ItemState & ODS_CHECKED) s |= odChecked;
  if (ItemState & ODS_FOCUS) s |= odFocused;
  if (ItemState & ODS_DEFAULT) s |= odDefault;
  if (ItemState & ODS_HOTLIGHT) s |= odHotLight;
  if (ItemState & ODS_NOACCEL) s |= odNoAccel;
  if (ItemState & ODS_COMBOBOXEDIT) s |= odComboBoxEdit;
  return s;
}

// --- TCustomLabel ---------------------------------------------------------------------------

void TCustomLabel::GetPublishedProperties(TPropList& List) const {
  TGraphicControl::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      BoolProperty<TCustomLabel>("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize),
      BoolProperty<TCustomLabel>("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent),
      BoolProperty<TCustomLabel>("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap),
      OrdProperty<TCustomLabel>("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment,
                              {"taLeftJustify", "taRightJustify", "taCenter"}),
      OrdProperty<TCustomLabel>("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout, {"tlTop", "tlCenter", "tlBottom"}),
      ObjProperty<TCustomLabel>("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() | csOpaque | csReplicatable);
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (autoSize_ == Value) return;
  autoSize_ = Value;
  AdjustBounds();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (Transparent() == Value) return;
  SetControlStyle(Value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (wordWrap_ == Value) return;
  wordWrap_ = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (layout_ == Value) return;
  layout_ = Value;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (showAccelChar_ == Value) return;
  showAccelChar_ = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  focusControl_ = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

UINT TCustomLabel::DrawTextFlags() const {
  static constexpr UINT align[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  UINT flags = DT_EXPANDTABS | align[alignment_];
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  return flags;
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
  std::string text = Caption();
  if ((Flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += ' ';
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(*Font());
  const HDC dc = canvas->Handle();
  const HGDIOBJ oldFont = SelectObject(dc, canvas->Font()->Handle());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  if (!Enabled() && !(Flags & DT_CALCRECT)) {
    TRect shifted = Rect;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
    DrawTextA(dc, text.c_str(), -1, &shifted, Flags);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
  } else {
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
  }
  DrawTextA(dc, text.c_str(), -1, &Rect, Flags);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

void TCustomLabel::Paint() {
  TCanvas* canvas = Canvas();
  const TRect client = Rect(0, 0, Width(), Height());
  if (!Transparent()) {
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(client);
  }
  TRect r = client;
  if (layout_ != tlTop) {
    TRect measured = client;
    DoDrawText(measured, DrawTextFlags() | DT_CALCRECT);
    const int h = measured.bottom - measured.top;
    OffsetRect(&r, 0, layout_ == tlBottom ? r.bottom - h : (r.bottom - h) / 2);
  }
  DoDrawText(r, DrawTextFlags());
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || (ComponentState() & csLoading)) return;
  TRect r = Rect(0, 0, wordWrap_ ? Width() : 0, 0);
  const HDC dc = GetDC(nullptr);
  {
    detail::CanvasOnDC onDC(*Canvas(), dc);
    DoDrawText(r, DrawTextFlags() | DT_CALCRECT);
  }
  ReleaseDC(nullptr, dc);
  int x = Left();
  const int w = r.right - r.left;
  if (alignment_ == taRightJustify) x += Width() - w;
  else if (alignment_ == taCenter) x += (Width() - w) / 2;
  SetBounds(x, Top(), w, r.bottom - r.top);
}

void TCustomLabel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      Invalidate();
      AdjustBounds();
      return;
    case CM_DIALOGCHAR:
      if (focusControl_ && Enabled() && showAccelChar_ && IsAccel(Message.WParam, Caption()) &&
          focusControl_->CanFocus()) {
        focusControl_->SetFocus();
        Message.Result = 1;
      }
      return;
  }
  TGraphicControl::Dispatch(Message);
}

// --- Buttons --------------------------------------------------------------------------------

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  // The system window captures the mouse and reports clicks itself.
  SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents));
  SetTabStop(true);
}

void TButtonControl::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == BN_CLICKED) {
    ButtonClicked();
    return;
  }
  TWinControl::Dispatch(Message);
}

void TButton::GetPublishedProperties(TPropList& List) const {
  TButtonControl::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      BoolProperty<TButton>("Default", &TButton::Default, &TButton::SetDefault),
      BoolProperty<TButton>("Cancel", &TButton::Cancel, &TButton::SetCancel),
      OrdProperty<TButton>("ModalResult", &TButton::ModalResult, &TButton::SetModalResult),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 75, 25);
  SetControlStyle(ControlStyle() & ~csDoubleClicks);
}

void TButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool Value) {
  default_ = Value;
  // An owner-drawn button draws its default look itself: its style must stay owner-drawn.
  if (HandleAllocated() && (GetWindowLongA(WindowHandle(), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW) {
    Invalidate();
  } else {
    SendTo(this, BM_SETSTYLE, Value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

void TButton::Click() {
  if (modalResult_ != 0) {
    if (TCustomForm* form = GetParentForm()) form->SetModalResult(modalResult_);
  }
  TButtonControl::Click();
}

void TButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGKEY) {
    if (((Message.WParam == VK_RETURN && default_) || (Message.WParam == VK_ESCAPE && cancel_)) && Visible() &&
        Enabled()) {
      Click();
      Message.Result = 1;
    }
    return;
  }
  if (Message.Msg == CM_DIALOGCHAR) {
    if (IsAccel(Message.WParam, Caption()) && CanFocus()) {
      Click();
      Message.Result = 1;
    }
    return;
  }
  TButtonControl::Dispatch(Message);
}

void TCustomCheckBox::GetPublishedProperties(TPropList& List) const {
  TButtonControl::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      BoolProperty<TCustomCheckBox>("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked),
      OrdProperty<TCustomCheckBox>("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState,
                                 {"cbUnchecked", "cbChecked", "cbGrayed"}),
      BoolProperty<TCustomCheckBox>("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= BS_3STATE;
  if (alignment_ == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendTo(this, BM_SETCHECK, state_);
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (state_ == Value) return;
  state_ = Value;
  SendTo(this, BM_SETCHECK, state_);
  Click();
}

void TCustomCheckBox::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TRadioButton::GetPublishedProperties(TPropList& List) const {
  TButtonControl::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      BoolProperty<TRadioButton>("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= BS_RADIOBUTTON;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  SendTo(this, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED);
}

void TRadioButton::SetChecked(bool Value) {
  if (checked_ == Value) return;
  checked_ = Value;
  SetTabStop(Value);
  SendTo(this, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED);
  if (!Value) return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i));
      if (other && other != this) other->SetChecked(false);
    }
  }
  Click();
}

void TRadioButton::ButtonClicked() { SetChecked(true); }

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetBounds(0, 0, 185, 105);
}

void TGroupBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= BS_GROUPBOX;
}

void TGroupBox::AdjustClientRect(TRect& Rect) {
  TWinControl::AdjustClientRect(Rect);
  Rect.top += std::abs(Font()->Height()) + 2;
  InflateRect(&Rect, -1, -1);
}

// --- TCustomEdit ----------------------------------------------------------------------------

void TCustomEdit::GetPublishedProperties(TPropList& List) const {
  TWinControl::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      OrdProperty<TCustomEdit>("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle, {"bsNone", "bsSingle"}),
      OrdProperty<TCustomEdit>("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength),
      BoolProperty<TCustomEdit>("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly),
      OrdProperty<TCustomEdit>("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents | csSetCaption));
  SetColor(clWindow);
  SetParentColor(false);
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "EDIT");
  Params.Style |= ES_AUTOHSCROLL;
  if (readOnly_) Params.Style |= ES_READONLY;
  if (passwordChar_) Params.Style |= ES_PASSWORD;
  if (borderStyle_ == bsSingle) {
    if (ctl3D_) Params.ExStyle |= WS_EX_CLIENTEDGE;
    else Params.Style |= WS_BORDER;
  }
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  if (maxLength_) SendTo(this, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_));
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetCtl3D(bool Value) {
  if (ctl3D_ == Value) return;
  ctl3D_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetPasswordChar(char Value) {
  if (passwordChar_ == Value) return;
  const bool styleChanges = (passwordChar_ == 0) != (Value == 0);
  passwordChar_ = Value;
  if (!HandleAllocated()) return;
  if (styleChanges) {
    RecreateWnd();
  } else {
    SendTo(this, EM_SETPASSWORDCHAR, static_cast<unsigned char>(Value));
    Invalidate();
  }
}

void TCustomEdit::SetMaxLength(int Value) {
  maxLength_ = Value;
  SendTo(this, EM_LIMITTEXT, static_cast<WPARAM>(Value));
}

void TCustomEdit::SetReadOnly(bool Value) {
  readOnly_ = Value;
  SendTo(this, EM_SETREADONLY, Value);
}

bool TCustomEdit::Modified() const {
  return HandleAllocated() && SendMessageA(WindowHandle(), EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool Value) { SendTo(this, EM_SETMODIFY, Value); }

int TCustomEdit::SelStart() {
  DWORD start = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int Value) { SendMessageA(Handle(), EM_SETSEL, Value, Value); }

int TCustomEdit::SelLength() {
  DWORD start = 0, end = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int Value) {
  const int start = SelStart();
  SendMessageA(Handle(), EM_SETSEL, start, start + Value);
}

std::string TCustomEdit::SelText() {
  const int start = SelStart();
  return Text().substr(static_cast<size_t>(start), static_cast<size_t>(SelLength()));
}

void TCustomEdit::SetSelText(const std::string& Value) {
  SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomEdit::SelectAll() { SendMessageA(Handle(), EM_SETSEL, 0, -1); }

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == EN_CHANGE && !(ControlState() & csCreating)) Change();
      return;
    case WM_SETFOCUS:
      TWinControl::Dispatch(Message);
      if (autoSelect_ && !(GetKeyState(VK_LBUTTON) & 0x8000)) SendTo(this, EM_SETSEL, 0, -1);
      return;
  }
  TWinControl::Dispatch(Message);
}

// --- TCustomMemo ----------------------------------------------------------------------------

namespace {

// A memo's lines: the window's text split at its line breaks.
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TCustomMemo* Memo) : memo_(Memo) {}
  int Count() const override { return static_cast<int>(Lines().size()); }
  std::string Get(int index) const override {
    const auto lines = Lines();
    if (index < 0 || index >= static_cast<int>(lines.size())) throw EStringListError("List index out of bounds");
    return lines[static_cast<size_t>(index)];
  }
  void Put(int index, const std::string& s) override {
    auto lines = Lines();
    if (index < 0 || index >= static_cast<int>(lines.size())) throw EStringListError("List index out of bounds");
    lines[static_cast<size_t>(index)] = s;
    Store(lines);
  }
  void Clear() override { memo_->SetText(""); }
  void Delete(int index) override {
    auto lines = Lines();
    if (index < 0 || index >= static_cast<int>(lines.size())) throw EStringListError("List index out of bounds");
    lines.erase(lines.begin() + index);
    Store(lines);
  }
  void Insert(int index, const std::string& s) override {
    auto lines = Lines();
    if (index < 0 || index > static_cast<int>(lines.size())) throw EStringListError("List index out of bounds");
    lines.insert(lines.begin() + index, s);
    Store(lines);
  }
  void SetText(std::string_view text) override { memo_->SetText(std::string(text)); }

 private:
  // The text's lines; a final line break opens no line of its own.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    const std::string text = memo_->Text();
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find_first_of("\r\n", start);
      if (end == std::string::npos) end = text.size();
      lines.push_back(text.substr(start, end - start));
      if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
      start = end + 1;
    }
    return lines;
  }
  void Store(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i) text += "\r\n";
      text += lines[i];
    }
    memo_->SetText(text);
  }
  TCustomMemo* memo_;
};

}  // namespace

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomMemo(AOwner, std::make_unique<TMemoStrings>(this)) {}

TCustomMemo::TCustomMemo(TComponent* AOwner, std::unique_ptr<TStrings> Lines)
    : TCustomEdit(AOwner), lines_(std::move(Lines)) {
  SetBounds(0, 0, 185, 89);
  SetAutoSelect(false);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style &= ~ES_AUTOHSCROLL;
  Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
  if (!wordWrap_ || scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) Params.Style |= ES_AUTOHSCROLL;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) Params.Style |= WS_VSCROLL;
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) Params.Style |= WS_HSCROLL;
  if (wantReturns_) Params.Style |= ES_WANTRETURN;
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (scrollBars_ == Value) return;
  scrollBars_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (wordWrap_ == Value) return;
  wordWrap_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    TCustomEdit::Dispatch(Message);
    if (!wantTabs_) Message.Result &= ~DLGC_WANTTAB;
    if (!wantReturns_) Message.Result &= ~DLGC_WANTALLKEYS;
    return;
  }
  TCustomEdit::Dispatch(Message);
}

// --- List items -----------------------------------------------------------------------------

namespace detail {

HWND TListControlItems::Window() const { return control_->HandleAllocated() ? control_->WindowHandle() : nullptr; }

void TListControlItems::Check(int index) const {
  if (index < 0 || index >= Count()) throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TListControlItems::Get(int index) const {
  Check(index);
  return items_[static_cast<size_t>(index)].first;
}

TObject* TListControlItems::GetObject(int index) const {
  Check(index);
  return items_[static_cast<size_t>(index)].second;
}

void TListControlItems::PutObject(int index, TObject* object) {
  Check(index);
  items_[static_cast<size_t>(index)].second = object;
}

void TListControlItems::Put(int index, const std::string& s) {
  Check(index);
  items_[static_cast<size_t>(index)].first = s;
  const HWND wnd = Window();
  if (!wnd) return;
  // The window has no replace: delete and insert, keeping the selection.
  const LRESULT selected = SendMessageA(wnd, msgs_.GetCurSel, 0, 0);
  SendMessageA(wnd, msgs_.DeleteString, static_cast<WPARAM>(index), 0);
  SendMessageA(wnd, msgs_.InsertString, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
  if (selected == index) SendMessageA(wnd, msgs_.SetCurSel, static_cast<WPARAM>(index), 0);
}

void TListControlItems::Clear() {
  items_.clear();
  if (HWND wnd = Window()) SendMessageA(wnd, msgs_.ResetContent, 0, 0);
}

void TListControlItems::Delete(int index) {
  Check(index);
  items_.erase(items_.begin() + index);
  if (HWND wnd = Window()) SendMessageA(wnd, msgs_.DeleteString, static_cast<WPARAM>(index), 0);
}

void TListControlItems::Insert(int index, const std::string& s) {
  if (index < 0 || index > Count()) Check(index);
  items_.insert(items_.begin() + index, {s, nullptr});
  if (HWND wnd = Window()) {
    SendMessageA(wnd, msgs_.InsertString, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
  }
}

void TListControlItems::FillWindow() {
  const HWND wnd = Window();
  if (!wnd) return;
  SendMessageA(wnd, msgs_.ResetContent, 0, 0);
  for (const auto& item : items_) SendMessageA(wnd, msgs_.AddString, 0, reinterpret_cast<LPARAM>(item.first.c_str()));
}

void TListControlItems::SetUpdateState(bool updating) {
  if (HWND wnd = Window()) {
    SendMessageA(wnd, WM_SETREDRAW, !updating, 0);
    if (!updating) InvalidateRect(wnd, nullptr, TRUE);
  }
}

}  // namespace detail

// --- TCustomListBox -------------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner),
      items_(std::make_unique<detail::TListControlItems>(
          this, detail::TListControlItems::Messages{LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
                                                    LB_GETCURSEL, LB_SETCURSEL})) {
  // Clicks and double clicks come from the list's notifications.
  SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents | csSetCaption));
  SetColor(clWindow);
  SetParentColor(false);
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "LISTBOX");
  Params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | LBS_HASSTRINGS;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
  if (multiSelect_) Params.Style |= LBS_EXTENDEDSEL;
  if (style_ == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
  if (style_ == lbOwnerDrawVariable) Params.Style |= LBS_OWNERDRAWVARIABLE;
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  if (style_ != lbStandard) SendTo(this, LB_SETITEMHEIGHT, 0, itemHeight_);
  items_->FillWindow();
}

int TCustomListBox::ItemIndex() {
  if (multiSelect_) return static_cast<int>(SendMessageA(Handle(), LB_GETCARETINDEX, 0, 0));
  return static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int Value) {
  if (multiSelect_) {
    SendMessageA(Handle(), LB_SELITEMRANGE, FALSE, MAKELPARAM(0, items_->Count()));
    if (Value >= 0) SendMessageA(Handle(), LB_SETSEL, TRUE, Value);
    SendMessageA(Handle(), LB_SETCARETINDEX, Value, FALSE);
  } else {
    SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
  }
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (multiSelect_ == Value) return;
  multiSelect_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

bool TCustomListBox::Selected(int Index) {
  return SendMessageA(Handle(), LB_GETSEL, static_cast<WPARAM>(Index), 0) > 0;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  if (multiSelect_) SendMessageA(Handle(), LB_SETSEL, Value, Index);
  else SendMessageA(Handle(), LB_SETCURSEL, Value ? static_cast<WPARAM>(Index) : static_cast<WPARAM>(-1), 0);
}

int TCustomListBox::SelCount() {
  if (!multiSelect_) return ItemIndex() >= 0 ? 1 : 0;
  return static_cast<int>(SendMessageA(Handle(), LB_GETSELCOUNT, 0, 0));
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0) return;
  itemHeight_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (style_ == Value) return;
  style_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

int TCustomListBox::TopIndex() { return static_cast<int>(SendMessageA(Handle(), LB_GETTOPINDEX, 0, 0)); }
void TCustomListBox::SetTopIndex(int Value) { SendMessageA(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(Value), 0); }

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) {
  const LRESULT r = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(Pos.x, Pos.y));
  const int index = LOWORD(r);
  if (HIWORD(r)) return Existing ? -1 : items_->Count();
  return index;
}

TRect TCustomListBox::ItemRect(int Index) {
  TRect r{};
  SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  return r;
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  canvas_.FillRect(Rect);
  if (Index >= 0 && Index < items_->Count()) canvas_.TextOut(Rect.left + 2, Rect.top, items_->Get(Index));
}

void TCustomListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      switch (HIWORD(Message.WParam)) {
        case LBN_SELCHANGE: Click(); break;
        case LBN_DBLCLK: DblClick(); break;
      }
      return;
    case CN_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      const TOwnerDrawState state = OwnerDrawState(dis->itemState);
      detail::CanvasOnDC onDC(canvas_, dis->hDC);
      canvas_.Font()->Assign(*Font());
      canvas_.Brush()->Assign(*Brush());
      if (state & odSelected) {
        canvas_.Brush()->SetColor(clHighlight);
        canvas_.Font()->SetColor(clHighlightText);
      }
      DrawItem(static_cast<int>(dis->itemID), dis->rcItem, state);
      if (state & odFocused) DrawFocusRect(dis->hDC, &dis->rcItem);
      Message.Result = TRUE;
      return;
    }
    case CN_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam)->itemHeight = static_cast<UINT>(itemHeight_);
      Message.Result = TRUE;
      return;
  }
  TWinControl::Dispatch(Message);
}

// --- TCustomComboBox ------------------------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner),
      items_(std::make_unique<detail::TListControlItems>(
          this, detail::TListControlItems::Messages{CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT,
                                                    CB_GETCURSEL, CB_SETCURSEL})) {
  SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents | csSetCaption));
  SetColor(clWindow);
  SetParentColor(false);
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "COMBOBOX");
  static constexpr DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                     CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  Params.Style |= styles[style_] | WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
  if (sorted_) Params.Style |= CBS_SORT;
}

void TCustomComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  const HWND wnd = WindowHandle();
  items_->FillWindow();
  if (maxLength_) SendMessageA(wnd, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  if (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable) {
    SendMessageA(wnd, CB_SETITEMHEIGHT, 0, itemHeight_);
    SendMessageA(wnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight_);
  }
  SendMessageA(wnd, CB_SETMINVISIBLE, static_cast<WPARAM>(dropDownCount_), 0);
  HookSubWindows();
}

void TCustomComboBox::DestroyWnd() {
  for (HWND sub : {editHandle_, listHandle_}) {
    if (sub) RemovePropA(sub, "MzComboSub");
  }
  if (editHandle_) SetWindowLongPtrA(editHandle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editDefProc_));
  if (listHandle_) SetWindowLongPtrA(listHandle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listDefProc_));
  editHandle_ = listHandle_ = nullptr;
  editDefProc_ = listDefProc_ = nullptr;
  TWinControl::DestroyWnd();
}

void TCustomComboBox::HookSubWindows() {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(WindowHandle(), &info)) return;
  editHandle_ = style_ == csDropDown || style_ == csSimple ? info.hwndItem : nullptr;
  listHandle_ = info.hwndList;
  if (editHandle_) {
    SetPropA(editHandle_, "MzComboSub", this);
    editDefProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(editHandle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TCustomComboBox::SubWndProc)));
  }
  if (listHandle_) {
    SetPropA(listHandle_, "MzComboSub", this);
    listDefProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(listHandle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TCustomComboBox::SubWndProc)));
  }
}

LRESULT CALLBACK TCustomComboBox::SubWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* combo = static_cast<TCustomComboBox*>(GetPropA(Wnd, "MzComboSub"));
  TMessage m{Msg, WParam, LParam, 0};
  if (!combo) return DefWindowProcA(Wnd, Msg, WParam, LParam);
  const WNDPROC def = Wnd == combo->editHandle_ ? combo->editDefProc_ : combo->listDefProc_;
  try {
    if (Wnd == combo->editHandle_) combo->EditWndProc(m);
    else combo->ListWndProc(m);
  } catch (...) {
    if (Application) Application->HandleException(combo);
    m.Result = CallWindowProcA(def, Wnd, Msg, WParam, LParam);
  }
  return m.Result;
}

void TCustomComboBox::CallEditDefault(TMessage& Message) {
  Message.Result = CallWindowProcA(editDefProc_, editHandle_, Message.Msg, Message.WParam, Message.LParam);
}

void TCustomComboBox::CallListDefault(TMessage& Message) {
  Message.Result = CallWindowProcA(listDefProc_, listHandle_, Message.Msg, Message.WParam, Message.LParam);
}

void TCustomComboBox::EditWndProc(TMessage& Message) {
  // Keys typed in the edit go through the toolkit's key handling of the combo box.
  switch (Message.Msg) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_CHAR: {
      TMessage own = Message;
      if (Message.Msg == WM_CHAR ? DoKeyPress(own) : DoKeyDown(own)) return;
      break;
    }
  }
  CallEditDefault(Message);
}

void TCustomComboBox::ListWndProc(TMessage& Message) { CallListDefault(Message); }

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (style_ == Value) return;
  style_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

int TCustomComboBox::ItemIndex() { return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)); }

void TCustomComboBox::SetItemIndex(int Value) {
  if (ItemIndex() == Value) return;
  SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

int TCustomComboBox::ItemHeight() {
  if (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable || !HandleAllocated()) return itemHeight_;
  return static_cast<int>(SendMessageA(WindowHandle(), CB_GETITEMHEIGHT, 0, 0));
}

void TCustomComboBox::SetItemHeight(int Value) {
  if (Value <= 0) return;
  itemHeight_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int Value) {
  dropDownCount_ = Value;
  SendTo(this, CB_SETMINVISIBLE, static_cast<WPARAM>(Value));
}

bool TCustomComboBox::DroppedDown() {
  return HandleAllocated() && SendMessageA(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool Value) { SendMessageA(Handle(), CB_SHOWDROPDOWN, Value, 0); }

void TCustomComboBox::SetMaxLength(int Value) {
  maxLength_ = Value;
  SendTo(this, CB_LIMITTEXT, static_cast<WPARAM>(Value));
}

void TCustomComboBox::SetSorted(bool Value) {
  if (sorted_ == Value) return;
  sorted_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

int TCustomComboBox::SelStart() {
  DWORD start = 0;
  SendMessageA(Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TCustomComboBox::SetSelStart(int Value) { SendMessageA(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(Value, Value)); }

int TCustomComboBox::SelLength() {
  DWORD start = 0, end = 0;
  SendMessageA(Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomComboBox::SetSelLength(int Value) {
  const int start = SelStart();
  SendMessageA(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(start, start + Value));
}

void TCustomComboBox::Clear() {
  items_->Clear();
  SetText("");
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
  else Change();
}

// The system's list takes the height the window was given beyond its own box: room for DropDownCount
// items, which the box hands back to its own height once it has taken the list's.
void TCustomComboBox::AdjustDropDown() {
  const int shown = std::max(1, std::min(items_->Count(), dropDownCount_));
  SetWindowPos(WindowHandle(), nullptr, 0, 0, Width(), Height() + ItemHeight() * shown + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  canvas_.FillRect(Rect);
  if (Index >= 0 && Index < items_->Count()) canvas_.TextOut(Rect.left + 2, Rect.top, items_->Get(Index));
}

void TCustomComboBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomComboBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      switch (HIWORD(Message.WParam)) {
        case CBN_EDITCHANGE: Change(); break;
        case CBN_SELCHANGE:
          Click();
          Select();
          break;
        case CBN_DROPDOWN:
          AdjustDropDown();
          DropDown();
          break;
        case CBN_CLOSEUP:
          PostMessageA(WindowHandle(), CN_DROPDOWNCLOSED, 0, 0);
          CloseUp();
          break;
      }
      return;
    case CN_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      TOwnerDrawState state = OwnerDrawState(dis->itemState);
      if (dis->itemState & ODS_COMBOBOXEDIT) state |= odComboBoxEdit;
      detail::CanvasOnDC onDC(canvas_, dis->hDC);
      canvas_.Font()->Assign(*Font());
      canvas_.Brush()->Assign(*Brush());
      if (static_cast<int>(dis->itemID) >= 0 && (state & odSelected)) {
        canvas_.Brush()->SetColor(clHighlight);
        canvas_.Font()->SetColor(clHighlightText);
      }
      if (static_cast<int>(dis->itemID) >= 0) DrawItem(static_cast<int>(dis->itemID), dis->rcItem, state);
      else canvas_.FillRect(dis->rcItem);
      if (state & odFocused) DrawFocusRect(dis->hDC, &dis->rcItem);
      Message.Result = TRUE;
      return;
    }
    case CN_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
      int h = itemHeight_;
      if (style_ == csOwnerDrawVariable) MeasureItem(static_cast<int>(mis->itemID), h);
      mis->itemHeight = static_cast<UINT>(h);
      Message.Result = TRUE;
      return;
    }
  }
  TWinControl::Dispatch(Message);
}

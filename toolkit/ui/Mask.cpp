#include "toolkit/ui/Mask.h"

#include <algorithm>
#include <utility>

#include "toolkit/rtl/TypInfo.h"

namespace {

const char kMaskEditErr[] = "Valor de entrada inválido. Use a tecla Esc para abandonar as alterações.";

// The selection of an edit window: start and end.
std::pair<int, int> Selection(HWND Edit) {
  DWORD start = 0, end = 0;
  SendMessageA(Edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end)};
}

std::string ClipboardText(HWND Owner) {
  std::string text;
  if (!OpenClipboard(Owner)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const auto* p = static_cast<const char*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const std::string& Value) {
  const std::string text = GetText();
  editMask_ = Value;
  mask_ = TEditMask(Value);
  SetMaxLength(IsMasked() ? mask_.Length() : 0);
  StoreEditText(IsMasked() ? mask_.FromText(text) : text, 0, false);
}

std::string TCustomMaskEdit::EditText() const { return TCustomEdit::GetText(); }

void TCustomMaskEdit::SetEditText(const std::string& Value) {
  StoreEditText(IsMasked() ? mask_.FormatEditText(Value) : Value, 0, false);
  Perform(CM_TEXTCHANGED, 0, 0);
}

std::string TCustomMaskEdit::GetText() const {
  return IsMasked() ? mask_.ToText(EditText()) : TCustomEdit::GetText();
}

void TCustomMaskEdit::StoreEditText(const std::string& Value, int CaretPos, bool ByUser) {
  settingEditText_ = true;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
  settingEditText_ = false;
  if (!HandleAllocated()) return;
  SendMessageA(WindowHandle(), EM_SETSEL, CaretPos, CaretPos);
  if (ByUser) SetModified(true);
}

void TCustomMaskEdit::BlankRange(std::string& Edit, int Start, int End) const {
  for (int i = std::max(0, Start); i < End && i < static_cast<int>(Edit.size()); ++i) {
    if (!mask_.IsLiteral(i)) Edit[static_cast<size_t>(i)] = mask_.BlankChar();
  }
}

bool TCustomMaskEdit::InputText(const std::string& Value) {
  std::string edit = EditText();
  int caret = Selection(Handle()).first;
  bool all = true;
  for (const char c : Value) {
    // A literal typed over the same literal moves past it.
    if (mask_.IsLiteral(caret) && edit[static_cast<size_t>(caret)] == c) {
      ++caret;
      continue;
    }
    const int pos = mask_.NextInput(caret);
    const char accepted = mask_.Accept(pos, c);
    if (!accepted) {
      all = false;
      break;
    }
    edit[static_cast<size_t>(pos)] = accepted;
    caret = pos + 1;
  }
  caret = mask_.NextInput(caret);
  if (edit != EditText() || caret != Selection(Handle()).first) StoreEditText(edit, caret, true);
  if (!all) MessageBeep(0);
  return all;
}

void TCustomMaskEdit::Cut() {
  Perform(WM_COPY, 0, 0);
  const auto [start, end] = Selection(Handle());
  std::string edit = EditText();
  BlankRange(edit, start, end);
  StoreEditText(edit, start, true);
}

void TCustomMaskEdit::Paste() {
  const auto [start, end] = Selection(Handle());
  if (end > start) {
    std::string edit = EditText();
    BlankRange(edit, start, end);
    StoreEditText(edit, start, true);
  }
  InputText(ClipboardText(Handle()));
}

void TCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (!IsMasked() || ReadOnly()) return;
  if (Key == VK_DELETE) {
    if (Shift & ssShift) {
      Cut();
    } else {
      const auto [start, end] = Selection(Handle());
      std::string edit = EditText();
      BlankRange(edit, start, std::max(end, start + 1));
      StoreEditText(edit, start, true);
    }
    Key = 0;
  } else if (Key == VK_ESCAPE && Modified()) {
    StoreEditText(enterText_, 0, false);
    SelectAll();
    Key = 0;
  }
}

void TCustomMaskEdit::KeyPress(char& Key) {
  TCustomEdit::KeyPress(Key);
  if (!IsMasked() || Key == 0 || ReadOnly()) return;
  const auto [start, end] = Selection(Handle());
  if (Key == '\b') {
    std::string edit = EditText();
    const int from = end > start ? start : mask_.PrevInput(start);
    if (from >= 0) {
      BlankRange(edit, from, end > start ? end : from + 1);
      StoreEditText(edit, from, true);
    }
    Key = 0;
    return;
  }
  if (static_cast<unsigned char>(Key) < 32) return;
  const int pos = mask_.NextInput(start);
  const char accepted = mask_.Accept(pos, Key);
  Key = 0;
  if (!accepted) {
    MessageBeep(0);
    return;
  }
  std::string edit = EditText();
  BlankRange(edit, start, end);
  edit[static_cast<size_t>(pos)] = accepted;
  StoreEditText(edit, mask_.NextInput(pos + 1), true);
}

void TCustomMaskEdit::DoEnter() {
  // Coming back after a refused exit keeps the text to go back to with Esc.
  if (!reEnter_) enterText_ = EditText();
  reEnter_ = false;
  TCustomEdit::DoEnter();
}

void TCustomMaskEdit::DoExit() {
  ValidateEdit();
  TCustomEdit::DoExit();
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked() || !Modified()) return;
  const int pos = mask_.FirstInvalid(EditText());
  if (pos < 0) return;
  if (CanFocus()) {
    reEnter_ = true;
    SetFocus();
  }
  SendMessageA(Handle(), EM_SETSEL, pos, pos);
  MessageBeep(0);
  throw EDBEditError(kMaskEditErr);
}

void TCustomMaskEdit::Dispatch(TMessage& Message) {
  if (IsMasked()) {
    switch (Message.Msg) {
      case WM_SETTEXT:
        // Text given from outside is the stored text: shown through the mask.
        if (!settingEditText_) {
          const std::string edit = mask_.FromText(Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "");
          const LPARAM given = Message.LParam;
          Message.LParam = reinterpret_cast<LPARAM>(edit.c_str());
          TCustomEdit::Dispatch(Message);
          Message.LParam = given;
          return;
        }
        break;
      case WM_PASTE:
        if (!ReadOnly()) Paste();
        return;
      case WM_CUT:
        if (!ReadOnly()) Cut();
        return;
      case WM_CLEAR:
        if (!ReadOnly()) {
          const auto [start, end] = Selection(Handle());
          std::string edit = EditText();
          BlankRange(edit, start, end);
          StoreEditText(edit, start, true);
        }
        return;
      case CM_WANTSPECIALKEY:
        // Esc takes back a change before it closes a dialog.
        if (Message.WParam == VK_ESCAPE && Modified()) {
          Message.Result = 1;
          return;
        }
        break;
    }
  }
  TCustomEdit::Dispatch(Message);
}

void TCustomMaskEdit::GetPublishedProperties(TPropList& List) const {
  TCustomEdit::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      StrProperty<TCustomMaskEdit>("EditMask", &TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

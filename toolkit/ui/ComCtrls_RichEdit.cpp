#include <algorithm>
#include <cstring>
#include <exception>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/ComCtrls.h"

namespace {

// Keeps the rich edit library loaded while the program runs.
class TRichEditLibrary {
 public:
  TRichEditLibrary() : module_(LoadLibraryA("riched20.dll")) {
    if (!module_) throw EOSError("Cannot load riched20.dll", GetLastError());
  }
  ~TRichEditLibrary() { FreeLibrary(module_); }
  TRichEditLibrary(const TRichEditLibrary&) = delete;
  TRichEditLibrary& operator=(const TRichEditLibrary&) = delete;

 private:
  HMODULE module_;
};

void LoadRichEditLibrary() { static const TRichEditLibrary library; }

// Reads or writes the control's contents through EM_STREAMIN / EM_STREAMOUT. An exception of the
// stream is carried over the callback and thrown again after the message.
struct TStreamTransfer {
  const std::string* In = nullptr;
  size_t Done = 0;
  std::string Out;
  std::exception_ptr Error;

  static DWORD CALLBACK Read(DWORD_PTR Cookie, LPBYTE Buffer, LONG Count, LONG* Moved) {
    auto* t = reinterpret_cast<TStreamTransfer*>(Cookie);
    const size_t n = std::min(static_cast<size_t>(std::max(Count, LONG{0})), t->In->size() - t->Done);
    std::memcpy(Buffer, t->In->data() + t->Done, n);
    t->Done += n;
    *Moved = static_cast<LONG>(n);
    return 0;
  }
  static DWORD CALLBACK Write(DWORD_PTR Cookie, LPBYTE Buffer, LONG Count, LONG* Moved) {
    auto* t = reinterpret_cast<TStreamTransfer*>(Cookie);
    try {
      t->Out.append(reinterpret_cast<const char*>(Buffer), static_cast<size_t>(std::max(Count, LONG{0})));
      *Moved = Count;
      return 0;
    } catch (...) {
      t->Error = std::current_exception();
      *Moved = 0;
      return 1;
    }
  }
};

// The control's text as EM_GETTEXTEX gives it with Flags (GT_USECRLF or GT_DEFAULT).
std::string GetTextEx(HWND Wnd, DWORD Flags) {
  GETTEXTLENGTHEX len{GTL_PRECISE | GTL_NUMBYTES | (Flags & GT_USECRLF ? GTL_USECRLF : 0u), CP_ACP};
  const auto size = static_cast<size_t>(SendMessageA(Wnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0));
  std::string text(size + 1, '\0');
  GETTEXTEX get{static_cast<DWORD>(text.size()), Flags, CP_ACP, nullptr, nullptr};
  const auto n = SendMessageA(Wnd, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::max<LRESULT>(n, 0)));
  return text;
}

bool IsRichText(const std::string& Data) { return Data.compare(0, 5, "{\\rtf") == 0; }

// A rich edit's lines: its paragraphs. Changing one line replaces only that line's characters, so
// the formatting of the others stays.
class TRichEditStrings : public TStrings {
 public:
  explicit TRichEditStrings(TCustomRichEdit* Edit) : edit_(Edit) {}
  int Count() const override { return static_cast<int>(Lines().size()); }
  std::string Get(int index) const override {
    const auto lines = Lines();
    Check(index, lines.size());
    return lines[static_cast<size_t>(index)].first;
  }
  void Put(int index, const std::string& s) override {
    const auto lines = Lines();
    Check(index, lines.size());
    const auto& line = lines[static_cast<size_t>(index)];
    Replace(line.second, line.second + static_cast<int>(line.first.size()), s);
  }
  void Clear() override { edit_->SetText(""); }
  void Delete(int index) override {
    const auto lines = Lines();
    Check(index, lines.size());
    const auto& line = lines[static_cast<size_t>(index)];
    int start = line.second;
    int end = start + static_cast<int>(line.first.size());
    // The line goes with one of its breaks: its own, else (the last line) the one before it.
    if (index + 1 < static_cast<int>(lines.size()) || HasFinalBreak()) {
      ++end;
    } else if (index > 0) {
      --start;
    }
    Replace(start, end, "");
  }
  void Insert(int index, const std::string& s) override {
    const auto lines = Lines();
    if (index < 0 || index > static_cast<int>(lines.size())) throw EStringListError("List index out of bounds");
    if (index < static_cast<int>(lines.size())) {
      const int at = lines[static_cast<size_t>(index)].second;
      Replace(at, at, s + "\r");
    } else {
      const int end = static_cast<int>(edit_->WindowText().size());
      Replace(end, end, lines.empty() || HasFinalBreak() ? s : "\r" + s);
    }
  }
  void SetText(std::string_view text) override { edit_->SetText(std::string(text)); }
  void LoadFromStream(TStream* stream) override {
    const int64_t size = stream->Size() - stream->Position();
    std::string data(static_cast<size_t>(std::max<int64_t>(size, 0)), '\0');
    stream->ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    edit_->LoadStream(data, !edit_->PlainText() && IsRichText(data));
  }
  void SaveToStream(TStream* stream) const override {
    const std::string data = edit_->SaveStream(!edit_->PlainText());
    stream->WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
  }

 private:
  static void Check(int index, size_t count) {
    if (index < 0 || index >= static_cast<int>(count)) throw EStringListError("List index out of bounds");
  }
  bool HasFinalBreak() const {
    const std::string text = edit_->WindowText();
    return !text.empty() && text.back() == '\r';
  }
  // Each line and where it starts in the control's own positions; a final break opens no line.
  std::vector<std::pair<std::string, int>> Lines() const {
    std::vector<std::pair<std::string, int>> lines;
    const std::string text = edit_->WindowText();
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find_first_of("\r\n\v", start);
      if (end == std::string::npos) end = text.size();
      lines.emplace_back(text.substr(start, end - start), static_cast<int>(start));
      start = end + 1;
    }
    return lines;
  }
  void Replace(int Start, int End, const std::string& s) {
    const HWND wnd = edit_->Handle();
    CHARRANGE range{Start, End};
    SendMessageA(wnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    SendMessageA(wnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(s.c_str()));
  }
  TCustomRichEdit* edit_;
};

}  // namespace

// --- TTextAttributes ------------------------------------------------------------------------

CHARFORMAT2A TTextAttributes::Get() const {
  CHARFORMAT2A format{};
  format.cbSize = sizeof(format);
  SendMessageA(owner_->Handle(), EM_GETCHARFORMAT, type_ == atSelected ? SCF_SELECTION : SCF_DEFAULT,
               reinterpret_cast<LPARAM>(&format));
  return format;
}

void TTextAttributes::Set(CHARFORMAT2A& Format) const {
  Format.cbSize = sizeof(Format);
  SendMessageA(owner_->Handle(), EM_SETCHARFORMAT, type_ == atSelected ? SCF_SELECTION : SCF_DEFAULT,
               reinterpret_cast<LPARAM>(&Format));
}

TColor TTextAttributes::Color() const {
  const CHARFORMAT2A format = Get();
  return format.dwEffects & CFE_AUTOCOLOR ? clWindowText : static_cast<TColor>(format.crTextColor);
}

void TTextAttributes::SetColor(TColor Value) {
  CHARFORMAT2A format{};
  format.dwMask = CFM_COLOR;
  if (Value == clWindowText) {
    format.dwEffects = CFE_AUTOCOLOR;
  } else {
    format.crTextColor = static_cast<COLORREF>(ColorToRGB(Value));
  }
  Set(format);
}

TFontStyles TTextAttributes::Style() const {
  const CHARFORMAT2A format = Get();
  TFontStyles style = 0;
  if (format.dwEffects & CFE_BOLD) style |= fsBold;
  if (format.dwEffects & CFE_ITALIC) style |= fsItalic;
  if (format.dwEffects & CFE_UNDERLINE) style |= fsUnderline;
  if (format.dwEffects & CFE_STRIKEOUT) style |= fsStrikeOut;
  return style;
}

void TTextAttributes::SetStyle(TFontStyles Value) {
  CHARFORMAT2A format{};
  format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
  if (Value & fsBold) format.dwEffects |= CFE_BOLD;
  if (Value & fsItalic) format.dwEffects |= CFE_ITALIC;
  if (Value & fsUnderline) format.dwEffects |= CFE_UNDERLINE;
  if (Value & fsStrikeOut) format.dwEffects |= CFE_STRIKEOUT;
  Set(format);
}

int TTextAttributes::Size() const { return static_cast<int>(Get().yHeight / 20); }

void TTextAttributes::SetSize(int Value) {
  CHARFORMAT2A format{};
  format.dwMask = CFM_SIZE;
  format.yHeight = Value * 20;
  Set(format);
}

std::string TTextAttributes::Name() const { return Get().szFaceName; }

void TTextAttributes::SetName(const std::string& Value) {
  CHARFORMAT2A format{};
  format.dwMask = CFM_FACE;
  std::strncpy(format.szFaceName, Value.c_str(), sizeof(format.szFaceName) - 1);
  Set(format);
}

// --- TCustomRichEdit ------------------------------------------------------------------------

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner)
    : TCustomMemo(AOwner, std::make_unique<TRichEditStrings>(this)),
      selAttributes_(std::make_unique<TTextAttributes>(this, atSelected)),
      defAttributes_(std::make_unique<TTextAttributes>(this, atDefaultText)) {}

TCustomRichEdit::~TCustomRichEdit() = default;

void TCustomRichEdit::CreateParams(TCreateParams& Params) {
  LoadRichEditLibrary();
  TCustomMemo::CreateParams(Params);
  CreateSubClass(Params, RICHEDIT_CLASS20A);
}

void TCustomRichEdit::CreateWnd() {
  TCustomMemo::CreateWnd();
  const HWND wnd = WindowHandle();
  SendMessageA(wnd, EM_SETEVENTMASK, 0, ENM_CHANGE);
  // No limit of its own beyond MaxLength (the control's default is 32K characters).
  SendMessageA(wnd, EM_EXLIMITTEXT, 0, MaxLength() > 0 ? MaxLength() : 0x7FFFFFFE);
  ApplyColor();
  ApplyFontColor();
  ApplyWordWrap();
  if (!savedRichText_.empty()) {
    const std::string saved = std::move(savedRichText_);
    savedRichText_.clear();
    LoadStream(saved, true);
  }
}

void TCustomRichEdit::DestroyWnd() {
  // The formatting lives only in the window: keep it for the next one.
  savedRichText_ = SaveStream(true);
  TCustomMemo::DestroyWnd();
}

void TCustomRichEdit::ApplyColor() {
  if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETBKGNDCOLOR, 0, ColorToRGB(Color()));
}

void TCustomRichEdit::ApplyFontColor() {
  // WM_SETFONT gives new text the font's face and size; its colour goes through the default format.
  if (HandleAllocated()) defAttributes_->SetColor(Font()->Color());
}

void TCustomRichEdit::ApplyWordWrap() {
  // Wrapping at the window's width, or none.
  if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETTARGETDEVICE, 0, WordWrap() ? 0 : 1);
}

std::string TCustomRichEdit::GetText() const {
  return HandleAllocated() ? GetTextEx(WindowHandle(), GT_USECRLF) : TCustomMemo::GetText();
}

std::string TCustomRichEdit::WindowText() { return GetTextEx(Handle(), GT_DEFAULT); }

int TCustomRichEdit::TextPos(int WindowPos) {
  const std::string text = WindowText();
  const auto end = text.begin() + std::clamp(WindowPos, 0, static_cast<int>(text.size()));
  return WindowPos + static_cast<int>(std::count(text.begin(), end, '\r'));
}

int TCustomRichEdit::WindowPos(int TextPos) {
  const std::string text = WindowText();
  int pos = 0;
  size_t i = 0;
  for (; i < text.size() && pos < TextPos; ++i) pos += text[i] == '\r' ? 2 : 1;
  return static_cast<int>(i) + std::max(0, TextPos - pos);
}

std::pair<int, int> TCustomRichEdit::WindowSelection() {
  CHARRANGE range{};
  SendMessageA(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return {range.cpMin, range.cpMax};
}

int TCustomRichEdit::SelStart() { return TextPos(WindowSelection().first); }

void TCustomRichEdit::SetSelStart(int Value) {
  const LONG pos = WindowPos(Value);
  CHARRANGE range{pos, pos};
  SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

int TCustomRichEdit::SelLength() {
  const auto [start, end] = WindowSelection();
  return TextPos(end) - TextPos(start);
}

void TCustomRichEdit::SetSelLength(int Value) {
  const int start = SelStart();
  CHARRANGE range{WindowPos(start), WindowPos(start + Value)};
  SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

std::string TCustomRichEdit::SelText() {
  return Text().substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength()));
}

void TCustomRichEdit::SetSelText(const std::string& Value) {
  SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomRichEdit::LoadStream(const std::string& Data, bool Rich) {
  TStreamTransfer transfer;
  transfer.In = &Data;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&transfer), 0, &TStreamTransfer::Read};
  SendMessageA(Handle(), EM_STREAMIN, Rich ? SF_RTF : SF_TEXT, reinterpret_cast<LPARAM>(&stream));
  if (stream.dwError) throw EOSError("Cannot load the rich edit's text", stream.dwError);
}

std::string TCustomRichEdit::SaveStream(bool Rich) {
  TStreamTransfer transfer;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&transfer), 0, &TStreamTransfer::Write};
  SendMessageA(Handle(), EM_STREAMOUT, Rich ? SF_RTF : SF_TEXT, reinterpret_cast<LPARAM>(&stream));
  if (transfer.Error) std::rethrow_exception(transfer.Error);
  return std::move(transfer.Out);
}

void TCustomRichEdit::Dispatch(TMessage& Message) {
  TCustomMemo::Dispatch(Message);
  if (Message.Msg == CM_COLORCHANGED) ApplyColor();
  if (Message.Msg == CM_FONTCHANGED) ApplyFontColor();
}

#include "toolkit/report/RichTextSource.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "toolkit/rtl/Exceptions.h"

namespace detail {
namespace {

struct ModuleDeleter {
  void operator()(HMODULE h) const { FreeLibrary(h); }
};
struct WindowDeleter {
  void operator()(HWND h) const { DestroyWindow(h); }
};

// The rich edit library, loaded on first use and kept for the process.
void LoadRichEdit() {
  static std::unique_ptr<HINSTANCE__, ModuleDeleter> module(LoadLibraryA("riched20.dll"));
  if (!module) throw EOSError("A biblioteca de texto formatado (riched20.dll) não está disponível.", GetLastError());
}

struct StreamSource {
  const std::string* Text;
  size_t Pos;
};

DWORD CALLBACK ReadChunk(DWORD_PTR Cookie, LPBYTE Buffer, LONG Count, LONG* Done) {
  auto* s = reinterpret_cast<StreamSource*>(Cookie);
  const size_t n = std::min<size_t>(size_t(Count), s->Text->size() - s->Pos);
  std::memcpy(Buffer, s->Text->data() + s->Pos, n);
  s->Pos += n;
  *Done = LONG(n);
  return 0;
}

RichFont FontOf(const CHARFORMAT2A& Format) {
  RichFont f;
  f.Name = Format.szFaceName;
  f.HeightTwips = Format.yHeight > 0 ? int(Format.yHeight) : 200;
  if (Format.dwEffects & CFE_BOLD) f.Style |= fsBold;
  if (Format.dwEffects & CFE_ITALIC) f.Style |= fsItalic;
  if (Format.dwEffects & CFE_UNDERLINE) f.Style |= fsUnderline;
  if (Format.dwEffects & CFE_STRIKEOUT) f.Style |= fsStrikeOut;
  f.Color = (Format.dwEffects & CFE_AUTOCOLOR) ? clBlack : TColor(Format.crTextColor);
  f.Charset = Format.bCharSet;
  return f;
}

TextAlign AlignOf(const PARAFORMAT2& Format) {
  switch (Format.wAlignment) {
    case PFA_RIGHT: return TextAlign::Right;
    case PFA_CENTER: return TextAlign::Center;
    default: return TextAlign::Left;
  }
}

}  // namespace

bool IsRichText(const std::string& Text) { return Text.compare(0, 5, "{\\rtf") == 0; }

RichDocument ReadRichText(const std::string& Rtf) {
  LoadRichEdit();
  std::unique_ptr<HWND__, WindowDeleter> edit(
      CreateWindowExA(0, "RichEdit20A", "", WS_POPUP | ES_MULTILINE, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
  if (!edit) throw EOSError("Não foi possível ler o texto formatado.", GetLastError());
  HWND w = edit.get();
  SendMessageA(w, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
  StreamSource source{&Rtf, 0};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadChunk};
  SendMessageA(w, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));

  GETTEXTLENGTHEX lengthOf{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
  const LONG length = LONG(SendMessageA(w, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthOf), 0));
  std::string text(size_t(length) + 1, '\0');
  TEXTRANGEA range{{0, length}, text.data()};
  text.resize(size_t(SendMessageA(w, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));

  RichDocument doc;
  auto fontIndex = [&](const RichFont& f) {
    auto it = std::find(doc.Fonts.begin(), doc.Fonts.end(), f);
    if (it != doc.Fonts.end()) return int(it - doc.Fonts.begin());
    doc.Fonts.push_back(f);
    return int(doc.Fonts.size() - 1);
  };
  // Each character's format, one character at a time; the text's breaks start paragraphs.
  bool newParagraph = true;
  for (LONG cp = 0; cp < LONG(text.size()); ++cp) {
    CHARRANGE sel{cp, cp + 1};
    SendMessageA(w, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&sel));
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    SendMessageA(w, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    const int font = fontIndex(FontOf(format));
    if (newParagraph) {
      PARAFORMAT2 para{};
      para.cbSize = sizeof para;
      SendMessageA(w, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&para));
      doc.Paragraphs.emplace_back();
      doc.Paragraphs.back().Align = AlignOf(para);
      doc.Paragraphs.back().Font = font;
      newParagraph = false;
    }
    char c = text[size_t(cp)];
    if (c == '\r' || c == '\n' || c == '\v') {
      // "\r\n" is one break.
      if (c == '\r' && cp + 1 < LONG(text.size()) && text[size_t(cp) + 1] == '\n') ++cp;
      newParagraph = true;
      continue;
    }
    if (c == '\t') c = ' ';
    TextParagraph& p = doc.Paragraphs.back();
    if (p.Runs.empty() || p.Runs.back().Font != font) p.Runs.push_back({"", font});
    p.Runs.back().Text += c;
  }
  if (doc.Paragraphs.empty()) {
    doc.Fonts.push_back(RichFont{"Arial"});
    doc.Paragraphs.emplace_back();
  }
  return doc;
}

}  // namespace detail

#pragma once
// Reads rich text (RTF) through the system's rich edit control into paragraphs of runs for
// RichTextLayout, with the fonts the runs use.
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/graphics/Font.h"
#include "toolkit/report/RichTextLayout.h"

namespace detail {

struct RichFont {
  std::string Name;
  // Character height in twentieths of a point.
  int HeightTwips = 200;
  TFontStyles Style = 0;
  TColor Color = clBlack;
  TFontCharset Charset = DEFAULT_CHARSET;
  bool operator==(const RichFont&) const = default;
};

struct RichDocument {
  std::vector<TextParagraph> Paragraphs;
  std::vector<RichFont> Fonts;
};

// True for text that starts as RTF does ("{\rtf").
bool IsRichText(const std::string& Text);
// The document of an RTF text; raises EOSError when the rich edit control is not available.
RichDocument ReadRichText(const std::string& Rtf);

}  // namespace detail

#pragma once
// Lines of rich text for a given width: paragraphs of runs, each run in a font that the caller
// numbers and measures. Lines break after blanks; a word wider than the line breaks between
// characters. No windows.h here: the measuring is the caller's.
#include <string>
#include <string_view>
#include <vector>

namespace detail {

enum class TextAlign { Left, Right, Center };

struct TextRun {
  std::string Text;
  int Font = 0;
};

struct TextParagraph {
  TextAlign Align = TextAlign::Left;
  // The font of an empty paragraph's line.
  int Font = 0;
  std::vector<TextRun> Runs;
};

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual int Width(int Font, std::string_view Text) = 0;
  virtual int Ascent(int Font) = 0;
  virtual int Descent(int Font) = 0;
};

struct LinePiece {
  int Font = 0;
  std::string Text;
  // From the left edge of the layout width.
  int X = 0;
};

struct TextLine {
  int Ascent = 0;
  int Height = 0;
  std::vector<LinePiece> Pieces;
};

std::vector<TextLine> LayoutText(const std::vector<TextParagraph>& Paragraphs, int Width, TextMeasure& Measure);

}  // namespace detail

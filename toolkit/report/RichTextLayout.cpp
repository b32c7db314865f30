#include "toolkit/report/RichTextLayout.h"

#include <algorithm>

namespace detail {
namespace {

// A word with the blanks after it, in one font. A word in several fonts is several chunks, of
// which only the last may end in blanks.
struct Chunk {
  int Font;
  std::string Text;
  int Width;
};

struct Placed {
  int Font;
  std::string Text;
  int X;
};

bool IsBlank(char c) { return c == ' '; }

std::string TrimRight(std::string s) {
  while (!s.empty() && IsBlank(s.back())) s.pop_back();
  return s;
}

class LineBuilder {
 public:
  LineBuilder(const TextParagraph& Paragraph, int Width, TextMeasure& Measure, std::vector<TextLine>& Out)
      : paragraph_(Paragraph), width_(Width), measure_(Measure), out_(Out) {}

  // Adds a unit that no line may break inside (the chunks up to the first blank).
  void AddUnit(const std::vector<Chunk>& Unit) {
    int full = 0;
    for (const Chunk& c : Unit) full += c.Width;
    const Chunk& last = Unit.back();
    const int visible = full - last.Width + measure_.Width(last.Font, TrimRight(last.Text));
    if (!placed_.empty() && x_ + visible > width_) Finish();
    if (placed_.empty() && visible > width_) {
      SplitWide(Unit);
      return;
    }
    for (const Chunk& c : Unit) Place(c.Font, c.Text, c.Width);
  }

  // Ends the paragraph (an empty paragraph still makes one line).
  void End() {
    if (!placed_.empty() || !anyLine_) Finish();
  }

 private:
  void Place(int Font, const std::string& Text, int W) {
    if (!placed_.empty() && placed_.back().Font == Font)
      placed_.back().Text += Text;
    else
      placed_.push_back({Font, Text, x_});
    x_ += W;
  }

  // A word wider than the line: as many characters per line as fit, at least one.
  void SplitWide(const std::vector<Chunk>& Unit) {
    struct Ch {
      int Font;
      char C;
    };
    std::vector<Ch> chars;
    for (const Chunk& c : Unit)
      for (char ch : TrimRight(c.Text)) chars.push_back({c.Font, ch});
    auto widthOf = [&](size_t from, size_t to) {
      int w = 0;
      size_t i = from;
      while (i < to) {
        size_t j = i;
        std::string run;
        while (j < to && chars[j].Font == chars[i].Font) run += chars[j++].C;
        w += measure_.Width(chars[i].Font, run);
        i = j;
      }
      return w;
    };
    size_t from = 0;
    while (from < chars.size()) {
      // Largest end that fits, found by doubling then halving; one character goes regardless.
      size_t fits = from + 1, tooWide = chars.size() + 1;
      for (size_t step = 1; fits < chars.size(); step *= 2) {
        const size_t probe = std::min(chars.size(), fits + step);
        if (widthOf(from, probe) > width_) {
          tooWide = probe;
          break;
        }
        fits = probe;
      }
      while (tooWide - fits > 1) {
        const size_t mid = (fits + tooWide) / 2;
        (widthOf(from, mid) <= width_ ? fits : tooWide) = mid;
      }
      const size_t lo = fits;
      for (size_t i = from; i < lo;) {
        size_t j = i;
        std::string run;
        while (j < lo && chars[j].Font == chars[i].Font) run += chars[j++].C;
        Place(chars[i].Font, run, measure_.Width(chars[i].Font, run));
        i = j;
      }
      from = lo;
      if (from < chars.size()) Finish();
    }
    // The blanks after the word stay on its last line.
    const Chunk& last = Unit.back();
    const std::string blanks = last.Text.substr(TrimRight(last.Text).size());
    if (!blanks.empty()) Place(last.Font, blanks, measure_.Width(last.Font, blanks));
  }

  void Finish() {
    TextLine line;
    int ascent = 0, descent = 0;
    int visible = 0;
    if (placed_.empty()) {
      ascent = measure_.Ascent(paragraph_.Font);
      descent = measure_.Descent(paragraph_.Font);
    }
    for (size_t i = 0; i < placed_.size(); ++i) {
      Placed& p = placed_[i];
      ascent = std::max(ascent, measure_.Ascent(p.Font));
      descent = std::max(descent, measure_.Descent(p.Font));
      if (i + 1 == placed_.size()) {
        p.Text = TrimRight(p.Text);
        visible = p.X + (p.Text.empty() ? 0 : measure_.Width(p.Font, p.Text));
      }
    }
    int shift = 0;
    if (paragraph_.Align == TextAlign::Right)
      shift = std::max(0, width_ - visible);
    else if (paragraph_.Align == TextAlign::Center)
      shift = std::max(0, (width_ - visible) / 2);
    line.Ascent = ascent;
    line.Height = ascent + descent;
    for (Placed& p : placed_)
      if (!p.Text.empty()) line.Pieces.push_back({p.Font, std::move(p.Text), p.X + shift});
    out_.push_back(std::move(line));
    placed_.clear();
    x_ = 0;
    anyLine_ = true;
  }

  const TextParagraph& paragraph_;
  int width_;
  TextMeasure& measure_;
  std::vector<TextLine>& out_;
  std::vector<Placed> placed_;
  int x_ = 0;
  bool anyLine_ = false;
};

}  // namespace

std::vector<TextLine> LayoutText(const std::vector<TextParagraph>& Paragraphs, int Width, TextMeasure& Measure) {
  std::vector<TextLine> lines;
  for (const TextParagraph& paragraph : Paragraphs) {
    LineBuilder builder(paragraph, Width, Measure, lines);
    std::vector<Chunk> unit;
    for (const TextRun& run : paragraph.Runs) {
      const std::string& t = run.Text;
      size_t i = 0;
      while (i < t.size()) {
        size_t j = i;
        while (j < t.size() && !IsBlank(t[j])) ++j;
        while (j < t.size() && IsBlank(t[j])) ++j;
        std::string text = t.substr(i, j - i);
        const bool breaks = IsBlank(text.back());
        const int w = Measure.Width(run.Font, text);
        unit.push_back({run.Font, std::move(text), w});
        if (breaks) {
          builder.AddUnit(unit);
          unit.clear();
        }
        i = j;
      }
    }
    if (!unit.empty()) builder.AddUnit(unit);
    builder.End();
  }
  return lines;
}

}  // namespace detail

// Line breaking of rich text and the placing of band elements on pages.
#include <gtest/gtest.h>

#include "toolkit/report/BandFlow.h"
#include "toolkit/report/RichTextLayout.h"

namespace {

using namespace detail;

// Font 0: 10 units a character, 8 above and 2 below the base line; font 1: 20, 12 and 3.
class FixedMeasure : public TextMeasure {
 public:
  int Width(int Font, std::string_view Text) override {
    ++calls;
    return int(Text.size()) * (Font == 0 ? 10 : 20);
  }
  int Ascent(int Font) override { return Font == 0 ? 8 : 12; }
  int Descent(int Font) override { return Font == 0 ? 2 : 3; }
  int calls = 0;
};

std::vector<std::string> Texts(const std::vector<TextLine>& Lines) {
  std::vector<std::string> out;
  for (const TextLine& l : Lines) {
    std::string s;
    for (const LinePiece& p : l.Pieces) s += p.Text + "|";
    out.push_back(s);
  }
  return out;
}

TextParagraph Para(std::string Text, TextAlign Align = TextAlign::Left) {
  TextParagraph p;
  p.Align = Align;
  p.Runs.push_back({std::move(Text), 0});
  return p;
}

TEST(RichTextLayout, BreaksAfterBlanksAndSplitsWordsWiderThanTheLine) {
  struct Case {
    std::string Text;
    int Width;
    std::vector<std::string> Lines;
  } cases[] = {
      {"aaa bbb ccc", 75, {"aaa bbb|", "ccc|"}},
      {"aaa bbb ccc", 110, {"aaa bbb ccc|"}},
      {"aaa   bbb", 50, {"aaa|", "bbb|"}},
      {"abcdefghij", 35, {"abc|", "def|", "ghi|", "j|"}},
      {"ab abcdefgh x", 40, {"ab|", "abcd|", "efgh|", "x|"}},
      {"", 50, {""}},
      {"a", 0, {"a|"}},
  };
  for (const Case& c : cases) {
    FixedMeasure m;
    EXPECT_EQ(Texts(LayoutText({Para(c.Text)}, c.Width, m)), c.Lines) << c.Text << " in " << c.Width;
  }
}

TEST(RichTextLayout, AlignsEachLineAndKeepsFontsApart) {
  FixedMeasure m;
  auto right = LayoutText({Para("aa bbb", TextAlign::Right)}, 45, m);
  ASSERT_EQ(right.size(), 2u);
  EXPECT_EQ(right[0].Pieces[0].X, 25);
  EXPECT_EQ(right[1].Pieces[0].X, 15);
  auto centre = LayoutText({Para("aa", TextAlign::Center)}, 41, m);
  EXPECT_EQ(centre[0].Pieces[0].X, 10);

  // A word in two fonts does not break between them; the line is as high as its highest font.
  TextParagraph mixed;
  mixed.Runs = {{"xx ab", 0}, {"CD ", 1}, {"ef", 0}};
  auto lines = LayoutText({mixed}, 100, m);
  ASSERT_EQ(Texts(lines), (std::vector<std::string>{"xx ab|CD|", "ef|"}));
  EXPECT_EQ(lines[0].Pieces[1].X, 50);
  EXPECT_EQ(lines[0].Ascent, 12);
  EXPECT_EQ(lines[0].Height, 15);
  EXPECT_EQ(lines[1].Height, 10);

  // An empty paragraph is one line in its own font.
  TextParagraph empty;
  empty.Font = 1;
  auto blank = LayoutText({Para("a"), empty, Para("b")}, 100, m);
  ASSERT_EQ(blank.size(), 3u);
  EXPECT_TRUE(blank[1].Pieces.empty());
  EXPECT_EQ(blank[1].Height, 15);
}

TEST(RichTextLayout, LongTextWithoutBlanksNeedsFewMeasurements) {
  FixedMeasure m;
  auto lines = LayoutText({Para(std::string(20000, 'x'))}, 1000, m);
  EXPECT_EQ(lines.size(), 200u);
  EXPECT_LT(m.calls, 200 * 40);
}

TEST(BandFlow, TextRunsOverPagesAndPushesWhatIsBelowIt) {
  // First page body 100..1000, the others 50..1000.
  BandFlow flow({100, 1000, 50, 1000});
  std::vector<FlowItem> items(4);
  items[0] = {0, 50, {}};                              // title label
  items[1] = {60, 20, std::vector<int>(12, 100)};      // text of 1200
  items[2] = {100, 30, {}};                            // label under the text
  items[3] = {0, 40, {}};                              // label beside the title
  auto pieces = flow.Place(140, items);
  ASSERT_EQ(pieces.size(), 5u);
  // In order of design top: items 0 and 3 at the body top.
  EXPECT_EQ(pieces[0].Item, 0);
  EXPECT_EQ(pieces[0].Y, 100);
  EXPECT_EQ(pieces[1].Item, 3);
  EXPECT_EQ(pieces[1].Y, 100);
  // The text: 8 lines fit below 160 on page 0, 4 go to page 1 from its top.
  EXPECT_EQ(pieces[2].Item, 1);
  EXPECT_EQ(pieces[2].Page, 0);
  EXPECT_EQ(pieces[2].Y, 160);
  EXPECT_EQ(pieces[2].LineCount, 8);
  EXPECT_EQ(pieces[3].Page, 1);
  EXPECT_EQ(pieces[3].Y, 50);
  EXPECT_EQ(pieces[3].FirstLine, 8);
  EXPECT_EQ(pieces[3].LineCount, 4);
  EXPECT_EQ(pieces[3].Height, 400);
  // The label 20 below the text's design foot stays 20 below where the text ended.
  EXPECT_EQ(pieces[4].Item, 2);
  EXPECT_EQ(pieces[4].Page, 1);
  EXPECT_EQ(pieces[4].Y, 470);
  EXPECT_EQ(flow.PageCount(), 2);

  // The next band starts below the band's foot, pushed like its elements.
  auto next = flow.Place(10, {{0, 10, {}}});
  EXPECT_EQ(next[0].Page, 1);
  EXPECT_EQ(next[0].Y, 510);
}

TEST(BandFlow, RigidElementThatWouldCrossTheFootStartsTheNextPage) {
  BandFlow flow({0, 100, 20, 100});
  auto pieces = flow.Place(200, {{90, 30, {}}, {150, 10, {}}, {0, 500, {}}});
  ASSERT_EQ(pieces.size(), 3u);
  // Too tall for any page: stays where it is, cut off.
  EXPECT_EQ(pieces[0].Item, 2);
  EXPECT_EQ(pieces[0].Page, 0);
  EXPECT_EQ(pieces[1].Page, 1);
  EXPECT_EQ(pieces[1].Y, 20);
  // Pushed by the 10 the moved element lost at the foot of page 0.
  EXPECT_EQ(pieces[2].Page, 1);
  EXPECT_EQ(pieces[2].Y, 80);
  EXPECT_EQ(flow.PageCount(), 2);
}

TEST(BandFlow, LineTallerThanAPageGoesAloneAndTheFlowGoesOn) {
  BandFlow flow({0, 100, 0, 100});
  auto pieces = flow.Place(10, {{0, 10, {50, 300, 50}}});
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].LineCount, 1);
  EXPECT_EQ(pieces[1].Page, 1);
  EXPECT_EQ(pieces[1].Height, 300);
  EXPECT_EQ(pieces[2].Page, 2);
  EXPECT_EQ(flow.PageCount(), 3);
}

}  // namespace

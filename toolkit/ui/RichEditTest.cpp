// Rich edits: text, lines and selection in the positions Text shows, character formats read back
// from the control, background colour, and plain-text and rich-text streams with accented text.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/rtl/Classes.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ControlsTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

class RichEditTest : public uitest::ControlsTest {
 protected:
  // The format of the control's characters [Start, End) in its own positions.
  static CHARFORMAT2A FormatAt(TRichEdit* Edit, LONG Start, LONG End) {
    CHARRANGE range{Start, End};
    SendMessageA(Edit->Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2A format{};
    format.cbSize = sizeof(format);
    SendMessageA(Edit->Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
  }
  // Colours the text's n-th "#1#"-like gap red, found by its index in Text.
  static void ColourGap(TRichEdit* Edit, const std::string& Gap) {
    const auto at = Edit->Text().find(Gap);
    ASSERT_NE(at, std::string::npos);
    Edit->SetSelStart(static_cast<int>(at));
    Edit->SetSelLength(static_cast<int>(Gap.size()));
    EXPECT_EQ(Edit->SelText(), Gap);
    Edit->SelAttributes()->SetColor(clRed);
    Edit->SetSelLength(0);
  }
  static bool IsRed(const CHARFORMAT2A& Format) {
    return !(Format.dwEffects & CFE_AUTOCOLOR) && Format.crTextColor == RGB(255, 0, 0);
  }
  const std::string line1 = "Exames realizado em excelentes condições de centralização.";
  const std::string line2 = "Sem uso de lentes de contato #1# #2# #3#";
};

TEST_F(RichEditTest, SelectionFoundInTextIsColouredInTheControl) {
  auto* re = Make<TRichEdit>(10, 10, 380, 120);
  EXPECT_EQ(re->ClassName(), "TRichEdit");
  char name[32] = {};
  GetClassNameA(re->Handle(), name, sizeof(name));
  EXPECT_STREQ(name, "TRichEdit");
  re->Lines()->Add(line1);
  re->Lines()->Add(line2);
  EXPECT_EQ(re->Text(), line1 + "\r\n" + line2);
  ASSERT_EQ(re->Lines()->Count(), 2);
  EXPECT_EQ(re->Lines()->Get(1), line2);

  // A gap on the second line, found by its index in Text: the control counts the line break as
  // one character, the selection still covers exactly the gap.
  ColourGap(re, "#2#");
  const LONG gap = static_cast<LONG>(line1.size() + 1 + line2.find("#2#"));
  EXPECT_TRUE(IsRed(FormatAt(re, gap, gap + 3)));
  EXPECT_FALSE(IsRed(FormatAt(re, gap - 1, gap)));
  EXPECT_FALSE(IsRed(FormatAt(re, gap + 3, gap + 4)));
  re->SetSelStart(static_cast<int>(re->Text().find("#2#")));
  re->SetSelLength(3);
  EXPECT_EQ(re->SelAttributes()->Color(), clRed);
  EXPECT_EQ(re->SelStart(), static_cast<int>(re->Text().find("#2#")));
  EXPECT_EQ(re->SelLength(), 3);

  // Style, size and face of the selection.
  re->SelAttributes()->SetStyle(fsBold | fsItalic);
  re->SelAttributes()->SetSize(14);
  re->SelAttributes()->SetName("Courier New");
  const CHARFORMAT2A f = FormatAt(re, gap, gap + 3);
  EXPECT_TRUE(f.dwEffects & CFE_BOLD);
  EXPECT_TRUE(f.dwEffects & CFE_ITALIC);
  EXPECT_EQ(f.yHeight, 14 * 20);
  EXPECT_STREQ(f.szFaceName, "Courier New");
  re->SetSelStart(static_cast<int>(re->Text().find("#2#")));
  re->SetSelLength(3);
  EXPECT_EQ(re->SelAttributes()->Style(), fsBold | fsItalic);
  EXPECT_EQ(re->SelAttributes()->Size(), 14);
  EXPECT_EQ(re->SelAttributes()->Name(), "Courier New");
  re->SelAttributes()->SetColor(clWindowText);
  EXPECT_TRUE(FormatAt(re, gap, gap + 3).dwEffects & CFE_AUTOCOLOR);

  // Replacing one line keeps the formatting of the others.
  ColourGap(re, "#3#");
  re->Lines()->SetStrings(0, "Condições boas.");
  EXPECT_EQ(re->Lines()->Get(0), "Condições boas.");
  const LONG moved = static_cast<LONG>(std::string("Condições boas.").size() + 1 + line2.find("#3#"));
  EXPECT_TRUE(IsRed(FormatAt(re, moved, moved + 3)));
  re->Lines()->Insert(0, "Primeira");
  re->Lines()->Delete(1);
  EXPECT_EQ(re->Text(), "Primeira\r\n" + line2);
  re->Lines()->Delete(1);
  EXPECT_EQ(re->Text(), "Primeira");
  re->Lines()->Clear();
  EXPECT_EQ(re->Lines()->Count(), 0);
}

TEST_F(RichEditTest, BackgroundColourReadOnlyWrapAndEvents) {
  auto* re = Make<TRichEdit>(10, 10, 200, 100);
  const TColor highlight = static_cast<TColor>(RGB(255, 255, 230));
  re->SetColor(highlight);
  EXPECT_EQ(PixelAt(re->Handle(), 180, 80), RGB(255, 255, 230));
  re->SetColor(clWindow);
  EXPECT_EQ(PixelAt(re->Handle(), 180, 80), Rgb(clWindow));

  // The font's colour is the colour of new text.
  re->Font()->SetColor(clBlue);
  EXPECT_EQ(re->DefAttributes()->Color(), clBlue);
  re->Font()->SetColor(clWindowText);
  EXPECT_EQ(re->DefAttributes()->Color(), clWindowText);

  int changes = 0, downs = 0;
  re->OnChange = [&](TObject*) { ++changes; };
  re->OnMouseDown = [&](TObject*, TMouseButton Button, TShiftState, int, int) { downs += Button == mbLeft; };
  ClickAt(re->Handle(), 20, 10);
  EXPECT_EQ(downs, 1);
  SendMessageA(re->Handle(), WM_CHAR, 'a', 0);
  Pump();
  EXPECT_EQ(re->Text(), "a");
  EXPECT_GE(changes, 1);
  re->SetReadOnly(true);
  SendMessageA(re->Handle(), WM_CHAR, 'b', 0);
  Pump();
  EXPECT_EQ(re->Text(), "a");
  re->SetReadOnly(false);

  // A long line wraps at the control's width, or not at all.
  std::string longLine;
  for (int i = 0; i < 12; ++i) longLine += "córnea ";
  re->SetText(longLine);
  ColourGap(re, "córnea");
  EXPECT_GT(SendMessageA(re->Handle(), EM_GETLINECOUNT, 0, 0), 1);
  re->SetWordWrap(false);
  re->SetScrollBars(ssBoth);
  EXPECT_EQ(SendMessageA(re->Handle(), EM_GETLINECOUNT, 0, 0), 1);
  // The control shows a scroll bar only when the text needs it.
  EXPECT_TRUE(GetWindowLongA(re->Handle(), GWL_STYLE) & WS_HSCROLL);
  // The window was made anew: the text keeps its formatting.
  EXPECT_EQ(re->Text(), longLine);
  EXPECT_TRUE(IsRed(FormatAt(re, 0, 6)));
  EXPECT_FALSE(IsRed(FormatAt(re, 7, 13)));
}

TEST_F(RichEditTest, PlainAndRichStreamsKeepAccentsAndColours) {
  const std::string text = "Ação na córnea: ênfase à acuidade\r\nSegunda linha, coração";
  auto* re = Make<TRichEdit>(10, 10, 380, 100);
  re->SetPlainText(true);
  TStringStream in(text);
  re->Lines()->LoadFromStream(&in);
  EXPECT_EQ(re->Text(), text);
  EXPECT_EQ(re->Lines()->Get(1), "Segunda linha, coração");
  TStringStream plain;
  re->Lines()->SaveToStream(&plain);
  EXPECT_EQ(plain.DataString(), text);

  // Rich text: the colour travels with the text.
  ColourGap(re, "córnea");
  re->SetPlainText(false);
  TStringStream rich;
  re->Lines()->SaveToStream(&rich);
  EXPECT_EQ(rich.DataString().compare(0, 5, "{\\rtf"), 0);
  EXPECT_NE(rich.DataString().find("\\'e7"), std::string::npos);  // the escaped ç

  auto* copy = Make<TRichEdit>(10, 150, 380, 100);
  rich.SetPosition(0);
  copy->Lines()->LoadFromStream(&rich);
  EXPECT_EQ(copy->Text(), text);
  const LONG at = static_cast<LONG>(text.find("córnea"));
  EXPECT_TRUE(IsRed(FormatAt(copy, at, at + 6)));
  EXPECT_FALSE(IsRed(FormatAt(copy, 0, 3)));

  // Files, through the lines; a plain file loads as text when rich text is expected.
  char dir[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, dir);
  const std::string rtf = std::string(dir) + "mz-richedit-" + std::to_string(GetCurrentProcessId()) + ".rtf";
  const std::string txt = rtf.substr(0, rtf.size() - 4) + ".txt";
  copy->Lines()->SaveToFile(rtf);
  copy->Lines()->Clear();
  copy->Lines()->LoadFromFile(rtf);
  EXPECT_EQ(copy->Text(), text);
  EXPECT_TRUE(IsRed(FormatAt(copy, at, at + 6)));
  TStringList lines;
  lines.SetText(text);
  lines.SaveToFile(txt);
  copy->Lines()->LoadFromFile(txt);
  EXPECT_EQ(copy->Text(), text + "\r\n");
  EXPECT_EQ(copy->Lines()->Count(), 2);
  DeleteFileA(rtf.c_str());
  DeleteFileA(txt.c_str());
}

}  // namespace

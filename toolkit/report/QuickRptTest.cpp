// A three-page report with a logo, accented text and a text area that runs over pages, printed to
// the test prefix's FILE: printer and read back from the PostScript, and shown in the preview.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/report/Printers.h"
#include "toolkit/report/QRCtrls.h"
#include "toolkit/report/QRPrev.h"
#include "toolkit/report/QuickRpt.h"
#include "toolkit/report/RichTextSource.h"
#include "toolkit/ui/Timer.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

testing::Environment* const kUi = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

std::string Slurp(const std::string& Path) {
  std::ifstream f(Path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// Z: is the Unix root.
std::string WinPath(std::string UnixPath) {
  for (char& c : UnixPath)
    if (c == '/') c = '\\';
  return "Z:" + UnixPath;
}

// Ghostscript writes UTF-8; the program's texts are 1252.
std::string Utf8To1252(const std::string& Text) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, Text.data(), int(Text.size()), nullptr, 0);
  std::u16string wide(size_t(n), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, Text.data(), int(Text.size()), wide.data(), n);
  const int m = WideCharToMultiByte(1252, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string out(size_t(m), '\0');
  WideCharToMultiByte(1252, 0, wide.data(), n, out.data(), m, nullptr, nullptr);
  return out;
}

std::string Paragraph(int N) {
  char number[8];
  std::snprintf(number, sizeof number, "%03d", N);
  return std::string("Parágrafo ") + number + ": ceratometria da córnea em condições de focalização.";
}

constexpr int kParagraphs = 130;
const char kConclusao[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
    "\\qc\\f0\\fs28\\b Conclus\\'e3o\\b0 : c\\'f3rnea regular\\par"
    "\\ql\\f1\\fs20\\i Sem altera\\'e7\\'f5es.\\par}";

class TRelatorioTeste : public TForm {
 public:
  explicit TRelatorioTeste(TComponent* AOwner, const std::string& Logo) : TForm(AOwner) {
    InitializeForm([this, Logo] { Build(Logo); });
  }
  TQuickRep* qrRelat = nullptr;
  TQRImage* imgLogo = nullptr;
  TQRRichText* qrTexto = nullptr;
  TQRRichText* qrConclusao = nullptr;

 private:
  void Build(const std::string& Logo) {
    qrRelat = new TQuickRep(this);
    qrRelat->SetReportTitle("Laudo");
    qrRelat->SetOptions(FirstPageHeader | LastPageFooter | Compression);
    auto* header = new TQRBand(this);
    header->SetParent(qrRelat);
    header->SetBandType(rbPageHeader);
    header->SetHeight(30);
    Label(header, "Cabeçalho da Clínica São José", 0);
    auto* footer = new TQRBand(this);
    footer->SetParent(qrRelat);
    footer->SetBandType(rbPageFooter);
    footer->SetHeight(30);
    Label(footer, "Rodapé: laudo emitido pelo sistema", 10);
    auto* pagina = new TQRPageNumber(this);
    pagina->SetParent(footer);
    pagina->SetBounds(450, 10, 150, 17);
    pagina->SetText("Folha ");

    auto* detail = new TQRBand(this);
    detail->SetParent(qrRelat);
    detail->SetHeight(300);
    imgLogo = new TQRImage(this);
    imgLogo->SetParent(detail);
    imgLogo->SetBounds(0, 0, 120, 60);
    imgLogo->Picture()->LoadFromFile(Logo);
    Label(detail, "Paciente: João da Conceição", 70);
    auto* line = new TQRShape(this);
    line->SetParent(detail);
    line->SetShape(qrsHorLine);
    line->SetBounds(0, 90, 600, 10);
    line->Pen()->SetWidth(2);
    qrTexto = new TQRRichText(this);
    qrTexto->SetParent(detail);
    qrTexto->SetBounds(0, 110, 600, 20);
    qrTexto->SetAutoStretch(true);
    for (int i = 1; i <= kParagraphs; ++i) qrTexto->Lines()->Add(Paragraph(i));
    qrConclusao = new TQRRichText(this);
    qrConclusao->SetParent(detail);
    qrConclusao->SetBounds(0, 135, 600, 10);
    qrConclusao->SetAutoStretch(true);
    qrConclusao->Lines()->SetText(kConclusao);
    Label(detail, "Atenciosamente, Dra. Inês Araújo", 150);
  }
  void Label(TQRCustomBand* Band, const std::string& Caption, int Top) {
    auto* l = new TQRLabel(this);
    l->SetParent(Band);
    l->SetTop(Top);
    l->SetCaption(Caption);
  }
};

class QuickRepTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::string(std::getenv("MZ_BINARY_DIR")) + "/toolkit/report/print-test";
    std::system(("rm -rf '" + dir_ + "' && mkdir -p '" + dir_ + "'").c_str());
    TBitmap logo;
    logo.SetSize(120, 60);
    logo.Canvas()->Brush()->SetColor(clRed);
    logo.Canvas()->FillRect(Rect(0, 0, 120, 60));
    logo.SaveToFile(WinPath(dir_ + "/LogoClinica.bmp"));
    form_ = new TRelatorioTeste(Application, WinPath(dir_ + "/LogoClinica.bmp"));
  }
  void TearDown() override {
    if (form_) form_->Free();
  }

  // Text of the PDF's pages From..To as Ghostscript reads it, in 1252.
  std::string PdfText(int From, int To) {
    const std::string out = dir_ + "/pages-" + std::to_string(From) + ".txt";
    const std::string cmd = "gs -q -dNOPAUSE -dBATCH -sDEVICE=txtwrite -dFirstPage=" + std::to_string(From) +
                            " -dLastPage=" + std::to_string(To) + " -sOutputFile='" + out + "' '" + dir_ +
                            "/laudo.pdf'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    return Utf8To1252(Slurp(out));
  }

  std::string dir_;
  TRelatorioTeste* form_ = nullptr;
};

int Count(const std::string& Text, const std::string& What) {
  int n = 0;
  for (size_t p = Text.find(What); p != std::string::npos; p = Text.find(What, p + 1)) ++n;
  return n;
}

TEST_F(QuickRepTest, PrintsThreePagesWhoseTextReadsBackInOrder) {
  Printer()->SetOutputFileName(WinPath(dir_ + "/laudo.ps"));
  form_->qrRelat->Print();
  Printer()->SetOutputFileName("");
  ASSERT_EQ(form_->qrRelat->PageCount(), 3);

  const std::string ps = Slurp(dir_ + "/laudo.ps");
  ASSERT_EQ(ps.rfind("%!PS", 0), 0u) << "not PostScript";
  EXPECT_NE(ps.find("%%Title: Laudo"), std::string::npos);
  ASSERT_EQ(std::system(("ps2pdf '" + dir_ + "/laudo.ps' '" + dir_ + "/laudo.pdf'").c_str()), 0);
  const std::string count = dir_ + "/count.txt";
  ASSERT_EQ(std::system(("gs -q -dNODISPLAY -dNOSAFER -c \"(" + dir_ + "/laudo.pdf) (r) file runpdfbegin pdfpagecount = quit\" > '" +
                         count + "'").c_str()),
            0);
  EXPECT_EQ(std::atoi(Slurp(count).c_str()), 3);

  // Every paragraph once and in order; header on every page, footer on every page.
  const std::string all = PdfText(1, 3);
  size_t at = 0;
  for (int i = 1; i <= kParagraphs; ++i) {
    const size_t p = all.find(Paragraph(i), at);
    ASSERT_NE(p, std::string::npos) << Paragraph(i);
    at = p + 1;
  }
  EXPECT_EQ(Count(all, "Cabeçalho da Clínica São José"), 3);
  EXPECT_EQ(Count(all, "Rodapé: laudo emitido pelo sistema"), 3);
  // The text area starts on the first page, runs over the second and ends on the third, where the
  // label below it follows.
  const std::string first = PdfText(1, 1), second = PdfText(2, 2), third = PdfText(3, 3);
  EXPECT_NE(first.find("Paciente: João da Conceição"), std::string::npos);
  EXPECT_LT(first.find("Paciente: João da Conceição"), first.find(Paragraph(1)));
  EXPECT_EQ(second.find("Paciente"), std::string::npos);
  EXPECT_NE(second.find("Parágrafo"), std::string::npos);
  EXPECT_NE(third.find(Paragraph(kParagraphs)), std::string::npos);
  EXPECT_LT(third.find(Paragraph(kParagraphs)), third.find("Conclusão: córnea regular"));
  EXPECT_LT(third.find("Conclusão: córnea regular"), third.find("Sem alterações."));
  EXPECT_LT(third.find("Sem alterações."), third.find("Atenciosamente, Dra. Inês Araújo"));
  EXPECT_EQ(first.find("Atenciosamente"), std::string::npos);
  // The footer's page number.
  const std::string paginas[] = {first, second, third};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Count(paginas[i], "Folha " + std::to_string(i + 1)), 1) << i;
    EXPECT_EQ(Count(paginas[i], "Folha "), 1) << i;
  }
}

TEST(RichTextSource, ReadsParagraphsAlignmentAndFontsThroughTheRichEditControl) {
  ASSERT_TRUE(detail::IsRichText(kConclusao));
  EXPECT_FALSE(detail::IsRichText("Conclusão"));
  const detail::RichDocument doc = detail::ReadRichText(kConclusao);
  ASSERT_EQ(doc.Paragraphs.size(), 2u);
  const detail::TextParagraph& first = doc.Paragraphs[0];
  EXPECT_EQ(first.Align, detail::TextAlign::Center);
  ASSERT_EQ(first.Runs.size(), 2u);
  EXPECT_EQ(first.Runs[0].Text, "Conclusão");
  EXPECT_EQ(first.Runs[1].Text, ": córnea regular");
  const detail::RichFont& bold = doc.Fonts[size_t(first.Runs[0].Font)];
  EXPECT_EQ(bold.Name, "Arial");
  EXPECT_EQ(bold.HeightTwips, 280);
  EXPECT_EQ(bold.Style, fsBold);
  EXPECT_EQ(doc.Fonts[size_t(first.Runs[1].Font)].Style, 0);
  const detail::TextParagraph& second = doc.Paragraphs[1];
  EXPECT_EQ(second.Align, detail::TextAlign::Left);
  ASSERT_EQ(second.Runs.size(), 1u);
  EXPECT_EQ(second.Runs[0].Text, "Sem alterações.");
  EXPECT_EQ(doc.Fonts[size_t(second.Runs[0].Font)].Name, "Times New Roman");
  EXPECT_EQ(doc.Fonts[size_t(second.Runs[0].Font)].Style, fsItalic);
  EXPECT_EQ(doc.Fonts[size_t(second.Runs[0].Font)].HeightTwips, 200);
}

// The share of pure red pixels in the top-left corner of a page drawn at 1/4 of the paper.
double RedShare(TQRPrinter* Pages, int Page) {
  const int w = Pages->PaperWidth() / 4, h = Pages->PaperHeight() / 4;
  TBitmap b;
  b.SetSize(w, h);
  b.Canvas()->Brush()->SetColor(clWhite);
  b.Canvas()->FillRect(Rect(0, 0, w, h));
  Pages->PlayPage(Page, b.Canvas()->Handle(), Rect(0, 0, w, h));
  int red = 0, all = 0;
  for (int y = 0; y < h / 4; ++y)
    for (int x = 0; x < w / 3; ++x, ++all)
      if (b.Canvas()->Pixels(x, y) == clRed) ++red;
  return double(red) / all;
}

TEST_F(QuickRepTest, LogoIsOnTheFirstPageOnly) {
  form_->qrRelat->Prepare();
  ASSERT_EQ(form_->qrRelat->PageCount(), 3);
  EXPECT_GT(RedShare(form_->qrRelat->QRPrinter(), 0), 0.01);
  EXPECT_EQ(RedShare(form_->qrRelat->QRPrinter(), 1), 0.0);
}

TEST_F(QuickRepTest, PreviewShowsThePagesNavigatesAndZooms) {
  form_->qrRelat->Prepare();
  auto* preview = new TQRStandardPreview(Application, form_->qrRelat->QRPrinter());
  preview->Show();
  uitest::Pump(50);
  TQRPreview* view = preview->QRPreview;
  EXPECT_EQ(view->PageCount(), 3);
  EXPECT_EQ(preview->PageLabel->Caption(), "Página 1 de 3");
  EXPECT_FALSE(preview->PrevPage->Enabled());

  preview->LastPage->Click();
  EXPECT_EQ(view->PageNumber(), 3);
  EXPECT_EQ(preview->PageLabel->Caption(), "Página 3 de 3");
  EXPECT_FALSE(preview->NextPage->Enabled());
  preview->PrevPage->Click();
  EXPECT_EQ(view->PageNumber(), 2);
  preview->FirstPage->Click();
  EXPECT_EQ(view->PageNumber(), 1);
  preview->NextPage->Click();
  preview->NextPage->Click();
  preview->NextPage->Click();
  EXPECT_EQ(view->PageNumber(), 3);

  // The keys turn the pages too.
  view->Perform(WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(view->PageNumber(), 1);
  view->Perform(WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_EQ(view->PageNumber(), 2);
  EXPECT_EQ(preview->PageLabel->Caption(), "Página 2 de 3");
  view->Perform(WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(view->PageNumber(), 3);

  // The page's size on screen follows the zoom; fitting shows the whole page.
  view->SetZoom(50);
  const TRect half = view->PageRect();
  preview->Zoom100->Click();
  const TRect full = view->PageRect();
  EXPECT_NEAR(full.right - full.left, 2 * (half.right - half.left), 2);
  EXPECT_NEAR(full.bottom - full.top, 2 * (half.bottom - half.top), 2);
  preview->ZoomFit->Click();
  const TRect fit = view->PageRect();
  EXPECT_LE(fit.bottom - fit.top, view->ClientHeight());
  EXPECT_GE(fit.top, 0);
  preview->ZoomToWidth->Click();
  const TRect wide = view->PageRect();
  EXPECT_NEAR(wide.right - wide.left, view->ClientWidth() - 20, 3);
  // Taller than the control: the page scrolls.
  view->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
  view->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(view->PageRect().top, wide.top - 40);
  view->Perform(WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(view->PageRect().top, wide.top - 20);
  // A page down goes a screen further, but never past the page's foot.
  view->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
  view->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(view->PageRect().bottom + 10, view->ClientHeight());

  // Its print button prints the pages it shows.
  Printer()->SetOutputFileName(WinPath(dir_ + "/preview.ps"));
  preview->PrintButton->Click();
  Printer()->SetOutputFileName("");
  EXPECT_EQ(Count(Slurp(dir_ + "/preview.ps"), "%%Page: "), 3);
  preview->Free();
}

TEST_F(QuickRepTest, PreviewIsModalAndCountsThePages) {
  TTimer timer(nullptr);
  int shownPages = 0;
  std::string label;
  timer.SetInterval(50);
  timer.OnTimer = [&](TObject*) {
    for (int i = 0; i < Screen->FormCount(); ++i)
      if (auto* p = dynamic_cast<TQRStandardPreview*>(Screen->Forms(i))) {
        timer.SetEnabled(false);
        shownPages = p->QRPreview->PageCount();
        p->LastPage->Click();
        label = p->PageLabel->Caption();
        p->ExitButton->Click();
      }
  };
  timer.SetEnabled(true);
  form_->qrRelat->Preview();
  EXPECT_EQ(shownPages, 3);
  EXPECT_EQ(label, "Página 3 de 3");
}

}  // namespace

#include "toolkit/report/QRCtrls.h"

#include <algorithm>

#include "toolkit/graphics/Graphic.h"
#include "toolkit/report/RichTextSource.h"

namespace {

// Runs Draw with drawing limited to Rect; the canvas selects its objects afresh afterwards.
template <class Draw>
void Clipped(TCanvas* Canvas, const TRect& Rect, Draw draw) {
  Canvas->Refresh();
  HDC dc = Canvas->Handle();
  SaveDC(dc);
  IntersectClipRect(dc, Rect.left, Rect.top, Rect.right, Rect.bottom);
  draw();
  Canvas->Refresh();
  RestoreDC(dc, -1);
}

}  // namespace

TQRLabel::TQRLabel(TComponent* AOwner) : TQRPrintable(AOwner) {}

void TQRLabel::Print(TCanvas* Canvas, const TQRDevice& Device, const TRect& Rect, int, int) {
  Canvas->Font()->Assign(*DeviceFont(Device));
  Canvas->Brush()->SetStyle(bsClear);
  const int w = Canvas->TextWidth(caption_);
  int x = Rect.left;
  if (Alignment() == taRightJustify)
    x = Rect.right - w;
  else if (Alignment() == taCenter)
    x = (Rect.left + Rect.right - w) / 2;
  if (autoSize_)
    Canvas->TextOut(x, Rect.top, caption_);
  else
    Canvas->TextRect(Rect, x, Rect.top, caption_);
}

TQRPageNumber::TQRPageNumber(TComponent* AOwner) : TQRLabel(AOwner) {}

void TQRPageNumber::Print(TCanvas* Canvas, const TQRDevice& Device, const TRect& Rect, int FirstLine, int LineCount) {
  const TQuickRep* report = Parent() ? Parent()->Parent() : nullptr;
  const int page = report && report->QRPrinter() ? report->QRPrinter()->PageNumber() : 0;
  SetCaption(text_ + std::to_string(page));
  TQRLabel::Print(Canvas, Device, Rect, FirstLine, LineCount);
}

TQRShape::TQRShape(TComponent* AOwner) : TQRPrintable(AOwner) {}

void TQRShape::Print(TCanvas* Canvas, const TQRDevice& Device, const TRect& Rect, int, int) {
  Canvas->Pen()->Assign(pen_);
  Canvas->Pen()->SetWidth(std::max(1, Device.Y(pen_.Width())));
  Canvas->Brush()->Assign(brush_);
  const int midX = (Rect.left + Rect.right) / 2, midY = (Rect.top + Rect.bottom) / 2;
  auto line = [&](int x1, int y1, int x2, int y2) {
    Canvas->MoveTo(x1, y1);
    Canvas->LineTo(x2, y2);
  };
  switch (shape_) {
    case qrsRectangle: Canvas->Rectangle(Rect); break;
    case qrsCircle: Canvas->Ellipse(Rect); break;
    case qrsVertLine: line(midX, Rect.top, midX, Rect.bottom); break;
    case qrsHorLine: line(Rect.left, midY, Rect.right, midY); break;
    case qrsTopAndBottom:
      line(Rect.left, Rect.top, Rect.right, Rect.top);
      line(Rect.left, Rect.bottom - 1, Rect.right, Rect.bottom - 1);
      break;
    case qrsRightAndLeft:
      line(Rect.left, Rect.top, Rect.left, Rect.bottom);
      line(Rect.right - 1, Rect.top, Rect.right - 1, Rect.bottom);
      break;
  }
}

TQRImage::TQRImage(TComponent* AOwner) : TQRPrintable(AOwner) {}

void TQRImage::Print(TCanvas* Canvas, const TQRDevice& Device, const TRect& Rect, int, int) {
  TGraphic* g = picture_.Graphic();
  if (!g || g->Empty()) return;
  if (stretch_) {
    Canvas->StretchDraw(Rect, g);
    return;
  }
  const int w = Device.X(g->Width()), h = Device.Y(g->Height());
  int x = Rect.left, y = Rect.top;
  if (center_) {
    x = (Rect.left + Rect.right - w) / 2;
    y = (Rect.top + Rect.bottom - h) / 2;
  }
  Clipped(Canvas, Rect, [&] { Canvas->StretchDraw(Bounds(x, y, w, h), g); });
}

TQRRichText::TQRRichText(TComponent* AOwner) : TQRPrintable(AOwner) {}

TQRRichText::~TQRRichText() = default;

namespace {

// Measures with the fonts of a rich-text element on the reference device.
class CanvasMeasure : public detail::TextMeasure {
 public:
  CanvasMeasure(HDC Reference, const std::vector<std::unique_ptr<TFont>>& Fonts)
      : fonts_(Fonts), metrics_(Fonts.size()), known_(Fonts.size(), false) {
    canvas_.SetHandle(Reference);
  }
  ~CanvasMeasure() override { canvas_.SetHandle(nullptr); }

  int Width(int Font, std::string_view Text) override {
    Use(Font);
    return canvas_.TextWidth(std::string(Text));
  }
  int Ascent(int Font) override { return Metrics(Font).tmAscent; }
  int Descent(int Font) override { return Metrics(Font).tmDescent; }

 private:
  void Use(int Font) {
    if (current_ == Font) return;
    canvas_.Font()->Assign(*fonts_[size_t(Font)]);
    current_ = Font;
  }
  const TEXTMETRICA& Metrics(int Font) {
    if (!known_[size_t(Font)]) {
      Use(Font);
      canvas_.TextWidth("");  // selects the font into the DC
      GetTextMetricsA(canvas_.Handle(), &metrics_[size_t(Font)]);
      known_[size_t(Font)] = true;
    }
    return metrics_[size_t(Font)];
  }

  TCanvas canvas_;
  const std::vector<std::unique_ptr<TFont>>& fonts_;
  std::vector<TEXTMETRICA> metrics_;
  std::vector<bool> known_;
  int current_ = -1;
};

}  // namespace

void TQRRichText::Prepare(const TQRDevice& Device, int Width) {
  fonts_.clear();
  std::vector<detail::TextParagraph> paragraphs;
  const std::string text = lines_.Text();
  if (detail::IsRichText(text)) {
    detail::RichDocument doc = detail::ReadRichText(text);
    for (const detail::RichFont& f : doc.Fonts) {
      auto font = std::make_unique<TFont>();
      font->SetPixelsPerInch(Device.PixelsPerInchY);
      font->SetName(f.Name);
      font->SetHeight(-MulDiv(f.HeightTwips, Device.PixelsPerInchY, 1440));
      font->SetStyle(f.Style);
      font->SetColor(f.Color);
      font->SetCharset(f.Charset);
      fonts_.push_back(std::move(font));
    }
    paragraphs = std::move(doc.Paragraphs);
  } else {
    fonts_.push_back(DeviceFont(Device));
    const detail::TextAlign align = Alignment() == taRightJustify ? detail::TextAlign::Right
                                    : Alignment() == taCenter     ? detail::TextAlign::Center
                                                                  : detail::TextAlign::Left;
    for (int i = 0; i < lines_.Count(); ++i) {
      detail::TextParagraph p;
      p.Align = align;
      std::string line = lines_[i];
      std::replace(line.begin(), line.end(), '\t', ' ');
      if (!line.empty()) p.Runs.push_back({std::move(line), 0});
      paragraphs.push_back(std::move(p));
    }
  }
  CanvasMeasure measure(Device.Reference, fonts_);
  layout_ = detail::LayoutText(paragraphs, Width, measure);
  ascents_.clear();
  for (size_t i = 0; i < fonts_.size(); ++i) ascents_.push_back(measure.Ascent(int(i)));
}

std::vector<int> TQRRichText::LineHeights() const {
  if (!autoStretch_) return {};
  std::vector<int> heights;
  for (const detail::TextLine& l : layout_) heights.push_back(l.Height);
  return heights;
}

void TQRRichText::Print(TCanvas* Canvas, const TQRDevice& Device, const TRect& Rect, int FirstLine, int LineCount) {
  if (!autoStretch_) {
    FirstLine = 0;
    LineCount = int(layout_.size());
  }
  Clipped(Canvas, Rect, [&] {
    Canvas->Brush()->SetStyle(bsClear);
    int y = Rect.top;
    const int last = std::min(int(layout_.size()), FirstLine + LineCount);
    for (int i = FirstLine; i < last && y < Rect.bottom; ++i) {
      const detail::TextLine& line = layout_[size_t(i)];
      for (const detail::LinePiece& piece : line.Pieces) {
        Canvas->Font()->Assign(*fonts_[size_t(piece.Font)]);
        Canvas->TextOut(Rect.left + piece.X, y + line.Ascent - ascents_[size_t(piece.Font)], piece.Text);
      }
      y += line.Height;
    }
  });
}

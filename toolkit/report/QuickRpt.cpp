#include "toolkit/report/QuickRpt.h"

#include <algorithm>
#include <cmath>

#include "toolkit/report/BandFlow.h"
#include "toolkit/report/Printers.h"
#include "toolkit/report/QRPrev.h"

TQRPrintable::TQRPrintable(TComponent* AOwner) : TComponent(AOwner), font_(std::make_unique<TFont>()) {
  font_->SetName("Arial");
  font_->SetSize(10);
}

TQRPrintable::~TQRPrintable() { SetParent(nullptr); }

void TQRPrintable::SetParent(TQRCustomBand* Value) {
  if (parent_ == Value) return;
  if (parent_) {
    auto& list = parent_->printables_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  parent_ = Value;
  if (parent_) parent_->printables_.push_back(this);
}

void TQRPrintable::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  left_ = ALeft;
  top_ = ATop;
  width_ = AWidth;
  height_ = AHeight;
}

std::unique_ptr<TFont> TQRPrintable::DeviceFont(const TQRDevice& Device) const {
  auto font = std::make_unique<TFont>();
  font->Assign(*font_);
  const int size = font_->Size();
  font->SetPixelsPerInch(Device.PixelsPerInchY);
  font->SetSize(size);
  return font;
}

TQRCustomBand::TQRCustomBand(TComponent* AOwner) : TComponent(AOwner) {}

TQRCustomBand::~TQRCustomBand() {
  for (TQRPrintable* p : printables_) p->parent_ = nullptr;
  SetParent(nullptr);
}

void TQRCustomBand::SetParent(TQuickRep* Value) {
  if (parent_ == Value) return;
  if (parent_) {
    auto& list = parent_->bands_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  parent_ = Value;
  if (parent_) parent_->bands_.push_back(this);
}

TQuickRep::TQuickRep(TComponent* AOwner) : TComponent(AOwner), qrPrinter_(std::make_unique<TQRPrinter>()) {}

TQuickRep::~TQuickRep() {
  for (TQRCustomBand* b : bands_) b->parent_ = nullptr;
}

TQRCustomBand* TQuickRep::FindBand(TQRBandType Type) const {
  for (TQRCustomBand* b : bands_)
    if (b->BandType() == Type) return b;
  return nullptr;
}

namespace {

int MillimetresToDots(double Mm, int PixelsPerInch) { return int(std::lround(Mm * PixelsPerInch / 25.4)); }

// Where an element goes across the page: from the left margin, never past the right one. Edges
// are scaled, not sizes, so that elements that meet in design meet on the device.
TRect Across(TQRPrintable* P, const TQRDevice& Device, int Left, int Right, int Top, int Height) {
  TRect r{Left + Device.X(P->Left()), Top, Left + Device.X(P->Left() + P->Width()), Top + Height};
  r.right = std::min(r.right, Right);
  return r;
}

int DeviceHeight(TQRPrintable* P, const TQRDevice& Device) {
  return Device.Y(P->Top() + P->Height()) - Device.Y(P->Top());
}

}  // namespace

void TQuickRep::PrintFixedBand(TQRCustomBand* Band, TCanvas* Canvas, const TQRDevice& Device, int Left, int Right,
                               int Top) {
  for (TQRPrintable* p : Band->printables_) {
    const TRect r = Across(p, Device, Left, Right, Top + Device.Y(p->Top()), DeviceHeight(p, Device));
    p->Print(Canvas, Device, r, 0, int(p->LineHeights().size()));
  }
}

void TQuickRep::Prepare() {
  TPrinter* printer = Printer();
  TQRDevice device;
  device.Reference = printer->Handle();
  device.PixelsPerInchX = printer->PixelsPerInchX();
  device.PixelsPerInchY = printer->PixelsPerInchY();

  // The area inside the margins, never beyond what the printer can reach.
  const int offX = printer->PhysicalOffsetX(), offY = printer->PhysicalOffsetY();
  const int paperW = std::max(printer->PhysicalWidth(), printer->PageWidth());
  const int paperH = std::max(printer->PhysicalHeight(), printer->PageHeight());
  const int left = std::max(MillimetresToDots(page_.LeftMargin(), device.PixelsPerInchX), offX);
  const int right =
      std::min(paperW - MillimetresToDots(page_.RightMargin(), device.PixelsPerInchX), offX + printer->PageWidth());
  const int top = std::max(MillimetresToDots(page_.TopMargin(), device.PixelsPerInchY), offY);
  const int bottom =
      std::min(paperH - MillimetresToDots(page_.BottomMargin(), device.PixelsPerInchY), offY + printer->PageHeight());

  TQRCustomBand* header = FindBand(rbPageHeader);
  TQRCustomBand* footer = FindBand(rbPageFooter);
  const int headerHeight = header ? device.Y(header->Height()) : 0;
  const int footerHeight = footer ? device.Y(footer->Height()) : 0;
  detail::PageBody body;
  body.Top = top + headerHeight;
  body.FirstTop = (options_ & FirstPageHeader) ? body.Top : top;
  body.Bottom = body.FirstBottom = bottom - footerHeight;

  auto prepare = [&](TQRPrintable* P) {
    const TRect across = Across(P, device, left, right, 0, 0);
    P->Prepare(device, across.right - across.left);
  };
  struct Placed {
    TQRPrintable* Printable;
    detail::FlowPiece Piece;
  };
  std::vector<Placed> placed;
  detail::BandFlow flow(body);
  for (TQRCustomBand* band : bands_) {
    if (band->BandType() != rbDetail) continue;
    std::vector<detail::FlowItem> items;
    for (int i = 0; i < band->PrintableCount(); ++i) {
      TQRPrintable* p = band->Printables(i);
      prepare(p);
      items.push_back({device.Y(p->Top()), DeviceHeight(p, device), p->LineHeights()});
    }
    for (const detail::FlowPiece& piece : flow.Place(device.Y(band->Height()), items))
      placed.push_back({band->Printables(piece.Item), piece});
  }
  for (TQRCustomBand* band : {header, footer})
    if (band)
      for (int i = 0; i < band->PrintableCount(); ++i) prepare(band->Printables(i));

  const int pages = flow.PageCount();
  qrPrinter_->BeginDoc(device.Reference, reportTitle_);
  for (int page = 0; page < pages; ++page) {
    TCanvas* canvas = qrPrinter_->NewPage();
    if (header && (page > 0 || (options_ & FirstPageHeader))) PrintFixedBand(header, canvas, device, left, right, top);
    for (const Placed& p : placed) {
      if (p.Piece.Page != page) continue;
      const TRect r = Across(p.Printable, device, left, right, p.Piece.Y, p.Piece.Height);
      p.Printable->Print(canvas, device, r, p.Piece.FirstLine, p.Piece.LineCount);
    }
    if (footer && (page + 1 < pages || (options_ & LastPageFooter)))
      PrintFixedBand(footer, canvas, device, left, right, bottom - footerHeight);
  }
  qrPrinter_->EndDoc();
}

void TQuickRep::Print() {
  Prepare();
  qrPrinter_->Print(Printer());
}

void TQuickRep::Preview() {
  Prepare();
  std::unique_ptr<TQRStandardPreview, void (*)(TQRStandardPreview*)> form(
      new TQRStandardPreview(nullptr, qrPrinter_.get()), [](TQRStandardPreview* f) { f->Free(); });
  form->ShowModal();
}

#include "toolkit/report/QRPrntr.h"

#include <algorithm>

#include "toolkit/report/Printers.h"

TQRPrinter::TQRPrinter() : canvas_(std::make_unique<TCanvas>()) {}

TQRPrinter::~TQRPrinter() { Clear(); }

void TQRPrinter::Clear() {
  ClosePage();
  pages_.clear();
}

void TQRPrinter::BeginDoc(HDC Reference, const std::string& Title) {
  Clear();
  reference_ = Reference;
  title_ = Title;
  ppiX_ = GetDeviceCaps(Reference, LOGPIXELSX);
  ppiY_ = GetDeviceCaps(Reference, LOGPIXELSY);
  paperWidth_ = GetDeviceCaps(Reference, PHYSICALWIDTH);
  paperHeight_ = GetDeviceCaps(Reference, PHYSICALHEIGHT);
  // A device without a paper (a display) is its own page.
  if (paperWidth_ <= 0 || paperHeight_ <= 0) {
    paperWidth_ = GetDeviceCaps(Reference, HORZRES);
    paperHeight_ = GetDeviceCaps(Reference, VERTRES);
  }
  // The metafile frame in hundredths of a millimetre, as the reference device measures its pixels.
  mmWidth_ = MulDiv(paperWidth_, GetDeviceCaps(Reference, HORZSIZE) * 100, GetDeviceCaps(Reference, HORZRES));
  mmHeight_ = MulDiv(paperHeight_, GetDeviceCaps(Reference, VERTSIZE) * 100, GetDeviceCaps(Reference, VERTRES));
}

TCanvas* TQRPrinter::NewPage() {
  ClosePage();
  const RECT frame{0, 0, mmWidth_, mmHeight_};
  // The application's name and the document's, each closed by a NUL, and a NUL after both.
  std::string description = "MZ";
  description.push_back('\0');
  description += title_;
  description.append(2, '\0');
  recording_ = CreateEnhMetaFileA(reference_, nullptr, &frame, description.c_str());
  if (!recording_) throw EPrinter("Não foi possível preparar a página do relatório.");
  canvas_->SetHandle(recording_);
  return canvas_.get();
}

void TQRPrinter::ClosePage() {
  if (!recording_) return;
  canvas_->SetHandle(nullptr);
  pages_.emplace_back(CloseEnhMetaFile(recording_));
  recording_ = nullptr;
}

void TQRPrinter::EndDoc() { ClosePage(); }

void TQRPrinter::PlayPage(int Index, HDC DC, const TRect& Rect) const {
  PlayEnhMetaFile(DC, Page(Index), &Rect);
}

void TQRPrinter::Print(TPrinter* Printer, int From, int To) const {
  if (pages_.empty()) return;
  if (To <= 0 || To > PageCount()) To = PageCount();
  From = std::max(From, 1);
  Printer->SetTitle(title_);
  Printer->BeginDoc();
  try {
    // The printer's origin is the corner of its printable area: the paper starts before it.
    const int x = -Printer->PhysicalOffsetX(), y = -Printer->PhysicalOffsetY();
    const TRect paper{x, y, x + Printer->PhysicalWidth(), y + Printer->PhysicalHeight()};
    for (int page = From; page <= To; ++page) {
      if (page > From) Printer->NewPage();
      HDC dc = Printer->Canvas()->Handle();
      PlayPage(page - 1, dc, paper);
    }
  } catch (...) {
    Printer->Abort();
    throw;
  }
  Printer->EndDoc();
}

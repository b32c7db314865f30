#pragma once
// TQRPrinter: the pages of a prepared report. Each page is recorded once into an enhanced metafile
// in the device units of the printer it was prepared for, with the origin at the paper's corner;
// the preview and the printer both play the same metafiles.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/graphics/Canvas.h"

class TPrinter;

class TQRPrinter {
 public:
  TQRPrinter();
  ~TQRPrinter();
  TQRPrinter(const TQRPrinter&) = delete;
  TQRPrinter& operator=(const TQRPrinter&) = delete;

  // Starts a new set of pages for the printer whose DC is Reference (the paper in its device units).
  void BeginDoc(HDC Reference, const std::string& Title);
  // Ends the page being recorded (if any) and starts the next; answers its canvas.
  TCanvas* NewPage();
  // Ends the last page.
  void EndDoc();
  void Clear();

  const std::string& Title() const { return title_; }
  int PageCount() const { return int(pages_.size()); }
  // The page being recorded (1-based); 0 outside a page.
  int PageNumber() const { return recording_ ? int(pages_.size()) + 1 : 0; }
  // Paper size in the device units of the pages and the device's dots per inch.
  int PaperWidth() const { return paperWidth_; }
  int PaperHeight() const { return paperHeight_; }
  int PixelsPerInchX() const { return ppiX_; }
  int PixelsPerInchY() const { return ppiY_; }
  // Page Index (0-based) as recorded.
  HENHMETAFILE Page(int Index) const { return pages_.at(Index).get(); }

  // Plays a page so that the whole paper fills Rect of DC.
  void PlayPage(int Index, HDC DC, const TRect& Rect) const;
  // Prints every page (or From..To, 1-based) on Printer, each page where it was laid out on the paper.
  void Print(TPrinter* Printer, int From = 1, int To = 0) const;

 private:
  void ClosePage();

  struct MetafileDeleter {
    void operator()(HENHMETAFILE h) const { DeleteEnhMetaFile(h); }
  };
  using Metafile = std::unique_ptr<HENHMETAFILE__, MetafileDeleter>;

  std::vector<Metafile> pages_;
  HDC reference_ = nullptr;
  HDC recording_ = nullptr;
  std::unique_ptr<TCanvas> canvas_;
  std::string title_;
  int paperWidth_ = 0, paperHeight_ = 0, ppiX_ = 0, ppiY_ = 0;
  int mmWidth_ = 0, mmHeight_ = 0;
};

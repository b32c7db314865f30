#pragma once
// TQuickRep: a banded report laid out in code. Bands (page header, detail, page footer) carry
// printable elements placed in design pixels (96 to the inch, as on a form); the page has margins
// in millimetres. Prepare lays the bands out for the default printer and records each page once
// (QRPrinter); Print sends the pages to the printer, Preview shows them. Without a data set the
// detail bands print once, in the order they were added.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/graphics/Canvas.h"
#include "toolkit/report/QRPrntr.h"
#include "toolkit/ui/Component.h"
#include "toolkit/ui/StdCtrls.h"

class TQuickRep;
class TQRCustomBand;

// Design units of the elements: pixels of a 96-dots-per-inch form.
constexpr int QRDesignPixelsPerInch = 96;

// The device a report is laid out for.
struct TQRDevice {
  HDC Reference = nullptr;
  int PixelsPerInchX = QRDesignPixelsPerInch;
  int PixelsPerInchY = QRDesignPixelsPerInch;
  int X(int Design) const { return MulDiv(Design, PixelsPerInchX, QRDesignPixelsPerInch); }
  int Y(int Design) const { return MulDiv(Design, PixelsPerInchY, QRDesignPixelsPerInch); }
};

// An element of a band.
class TQRPrintable : public TComponent {
 public:
  explicit TQRPrintable(TComponent* AOwner);
  ~TQRPrintable() override;

  TQRCustomBand* Parent() const { return parent_; }
  void SetParent(TQRCustomBand* Value);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int Value) { left_ = Value; }
  void SetTop(int Value) { top_ = Value; }
  void SetWidth(int Value) { width_ = Value; }
  void SetHeight(int Value) { height_ = Value; }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);

  // Arial 10 unless set.
  TFont* Font() const { return font_.get(); }
  void SetFont(const TFont* Value) { font_->Assign(*Value); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value) { alignment_ = Value; }

 protected:
  friend class TQuickRep;
  friend class TQRCustomBand;
  // Lays the element out for the device, Width dots wide.
  virtual void Prepare(const TQRDevice& Device, int Width) {}
  // Heights of the lines of an element that may run over pages (after Prepare); empty otherwise.
  virtual std::vector<int> LineHeights() const { return {}; }
  // Draws the element into Rect (device units); a running element draws LineCount lines from FirstLine.
  virtual void Print(TCanvas* Canvas, const TQRDevice& Device, const TRect& Rect, int FirstLine, int LineCount) = 0;
  // The element's font for the device.
  std::unique_ptr<TFont> DeviceFont(const TQRDevice& Device) const;

 private:
  TQRCustomBand* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 65, height_ = 17;
  std::unique_ptr<TFont> font_;
  TAlignment alignment_ = taLeftJustify;
};

enum TQRBandType { rbPageHeader, rbDetail, rbPageFooter };

class TQRCustomBand : public TComponent {
 public:
  explicit TQRCustomBand(TComponent* AOwner);
  ~TQRCustomBand() override;

  TQuickRep* Parent() const { return parent_; }
  void SetParent(TQuickRep* Value);
  TQRBandType BandType() const { return bandType_; }
  void SetBandType(TQRBandType Value) { bandType_ = Value; }
  // Design height; a detail band grows with elements that stretch.
  int Height() const { return height_; }
  void SetHeight(int Value) { height_ = Value; }

  int PrintableCount() const { return int(printables_.size()); }
  TQRPrintable* Printables(int Index) const { return printables_.at(Index); }

 private:
  friend class TQRPrintable;
  friend class TQuickRep;
  TQuickRep* parent_ = nullptr;
  TQRBandType bandType_ = rbDetail;
  int height_ = 40;
  std::vector<TQRPrintable*> printables_;
};

class TQRBand : public TQRCustomBand {
 public:
  using TQRCustomBand::TQRCustomBand;
};

// Margins of the paper in millimetres; the printer's unprintable border is never written on.
class TQRPage {
 public:
  double TopMargin() const { return top_; }
  void SetTopMargin(double Value) { top_ = Value; }
  double BottomMargin() const { return bottom_; }
  void SetBottomMargin(double Value) { bottom_ = Value; }
  double LeftMargin() const { return left_; }
  void SetLeftMargin(double Value) { left_ = Value; }
  double RightMargin() const { return right_; }
  void SetRightMargin(double Value) { right_ = Value; }

 private:
  double top_ = 15, bottom_ = 15, left_ = 15, right_ = 15;
};

using TQROptions = std::uint8_t;
// The page header prints on the first page too; the page footer prints on the last page too;
// the prepared pages may be kept compressed (metafiles are compact already).
constexpr TQROptions FirstPageHeader = 1u << 0;
constexpr TQROptions LastPageFooter = 1u << 1;
constexpr TQROptions Compression = 1u << 2;

class TQuickRep : public TComponent {
 public:
  explicit TQuickRep(TComponent* AOwner);
  ~TQuickRep() override;

  // The print job's name and the preview's caption.
  const std::string& ReportTitle() const { return reportTitle_; }
  void SetReportTitle(const std::string& Value) { reportTitle_ = Value; }
  TQROptions Options() const { return options_; }
  void SetOptions(TQROptions Value) { options_ = Value; }
  TQRPage* Page() { return &page_; }

  int BandCount() const { return int(bands_.size()); }
  TQRCustomBand* Bands(int Index) const { return bands_.at(Index); }

  // Lays the report out for the default printer and records its pages; raises EPrinter without one.
  void Prepare();
  // The pages of the last Prepare.
  TQRPrinter* QRPrinter() const { return qrPrinter_.get(); }
  int PageCount() const { return qrPrinter_->PageCount(); }
  // Prepares and prints on the default printer.
  void Print();
  // Prepares and shows the pages in the preview window (modal).
  void Preview();

 private:
  friend class TQRCustomBand;
  TQRCustomBand* FindBand(TQRBandType Type) const;
  // The band's elements at their design place, each drawn whole (header and footer bands).
  static void PrintFixedBand(TQRCustomBand* Band, TCanvas* Canvas, const TQRDevice& Device, int Left, int Right,
                             int Top);

  std::string reportTitle_;
  TQROptions options_ = 0;
  TQRPage page_;
  std::vector<TQRCustomBand*> bands_;
  std::unique_ptr<TQRPrinter> qrPrinter_;
};

#pragma once
// TPrinter: the default printer through GDI. Handle is the printer's DC (made on first use), which
// also serves as the reference for measuring and for recording pages; BeginDoc, NewPage and
// EndDoc bracket a print job, drawn on Canvas in the printable area's device units.
#include <windows.h>

#include <memory>
#include <string>

#include "toolkit/graphics/Canvas.h"
#include "toolkit/rtl/Exceptions.h"

class EPrinter : public Exception {
 public:
  using Exception::Exception;
};

class TPrinter {
 public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // The default printer's DC; raises EPrinter when there is no printer.
  HDC Handle();
  // The default printer's name ("" when there is none).
  std::string PrinterName() const;

  // Printable area in device units, and the page around it.
  int PageWidth() { return GetDeviceCaps(Handle(), HORZRES); }
  int PageHeight() { return GetDeviceCaps(Handle(), VERTRES); }
  int PhysicalWidth() { return GetDeviceCaps(Handle(), PHYSICALWIDTH); }
  int PhysicalHeight() { return GetDeviceCaps(Handle(), PHYSICALHEIGHT); }
  int PhysicalOffsetX() { return GetDeviceCaps(Handle(), PHYSICALOFFSETX); }
  int PhysicalOffsetY() { return GetDeviceCaps(Handle(), PHYSICALOFFSETY); }
  int PixelsPerInchX() { return GetDeviceCaps(Handle(), LOGPIXELSX); }
  int PixelsPerInchY() { return GetDeviceCaps(Handle(), LOGPIXELSY); }

  // The job's name in the print queue.
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& Value) { title_ = Value; }
  // A file that receives the job in place of the printer's port ("" for the port itself).
  const std::string& OutputFileName() const { return outputFileName_; }
  void SetOutputFileName(const std::string& Value) { outputFileName_ = Value; }

  void BeginDoc();
  void NewPage();
  void EndDoc();
  // Drops the job being printed.
  void Abort();
  bool Printing() const { return printing_; }
  bool Aborted() const { return aborted_; }
  int PageNumber() const { return pageNumber_; }
  // Draws on the page being printed.
  TCanvas* Canvas();

 private:
  void CheckPrinting(bool Value) const;
  void ReleaseCanvas();

  struct DcDeleter {
    void operator()(HDC h) const { DeleteDC(h); }
  };
  std::unique_ptr<HDC__, DcDeleter> dc_;
  std::unique_ptr<TCanvas> canvas_;
  std::string title_;
  std::string outputFileName_;
  bool printing_ = false;
  bool aborted_ = false;
  int pageNumber_ = 0;
};

// The program's printer object, made on first use.
TPrinter* Printer();

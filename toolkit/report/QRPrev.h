#pragma once
// The preview of a prepared report: TQRPreview shows one page of a TQRPrinter at a zoom (percent
// of the paper's real size on the screen), with scroll bars when the page is larger than the
// control; TQRStandardPreview is the window around it with zoom, page navigation, the page count
// and printing.
#include <string>

#include "toolkit/report/QRPrntr.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

class TQRPreview : public TCustomControl {
 public:
  explicit TQRPreview(TComponent* AOwner);

  TQRPrinter* QRPrinter() const { return qrPrinter_; }
  void SetQRPrinter(TQRPrinter* Value);
  int PageCount() const { return qrPrinter_ ? qrPrinter_->PageCount() : 0; }
  // 1-based, kept within the pages.
  int PageNumber() const { return pageNumber_; }
  void SetPageNumber(int Value);
  int Zoom() const { return zoom_; }
  // Between 10 and 500 percent.
  void SetZoom(int Value);
  // The whole page in the control; the page's width in the control.
  void ZoomToFit();
  void ZoomToWidth();
  // Where the page shows, in client coordinates.
  TRect PageRect();

  void WndProc(TMessage& Message) override;

  // After the page or the zoom changed.
  TNotifyEvent OnPageChanged;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Resize() override;
  // Page Up and Page Down turn pages, Home and End go to the first and last; the arrows scroll.
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  // The paper's size on the screen at 100 percent and at the current zoom.
  TSize PaperOnScreen() const;
  TSize PageSize() const;
  void Changed();
  void UpdateScrollBars();
  void Scroll(int Bar, int Code);

  TQRPrinter* qrPrinter_ = nullptr;
  int pageNumber_ = 1;
  int zoom_ = 100;
  int scrollX_ = 0, scrollY_ = 0;
  bool updatingBars_ = false;
};

class TQRStandardPreview : public TForm {
 public:
  TQRStandardPreview(TComponent* AOwner, TQRPrinter* Pages);

  TPanel* ToolBar = nullptr;
  TButton* ZoomFit = nullptr;
  TButton* Zoom100 = nullptr;
  TButton* ZoomToWidth = nullptr;
  TButton* FirstPage = nullptr;
  TButton* PrevPage = nullptr;
  TButton* NextPage = nullptr;
  TButton* LastPage = nullptr;
  TButton* PrintButton = nullptr;
  TButton* ExitButton = nullptr;
  // "Página n de m".
  TLabel* PageLabel = nullptr;
  TQRPreview* QRPreview = nullptr;

 private:
  void Build(TQRPrinter* Pages);
  void UpdateInfo();
  void PrintClick();
};

#include "toolkit/report/QRPrev.h"

#include <algorithm>

#include "toolkit/report/Printers.h"

namespace {
// Grey border around the page, in screen pixels.
constexpr int kGap = 10;
}  // namespace

TQRPreview::TQRPreview(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csOpaque);
  SetColor(clAppWorkSpace);
  SetParentColor(false);
  SetBounds(0, 0, 400, 300);
  SetTabStop(true);
}

void TQRPreview::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_HSCROLL | WS_VSCROLL;
}

void TQRPreview::SetQRPrinter(TQRPrinter* Value) {
  qrPrinter_ = Value;
  pageNumber_ = 1;
  Changed();
}

void TQRPreview::SetPageNumber(int Value) {
  Value = std::clamp(Value, 1, std::max(1, PageCount()));
  if (Value == pageNumber_) return;
  pageNumber_ = Value;
  scrollY_ = 0;
  Changed();
}

void TQRPreview::SetZoom(int Value) {
  Value = std::clamp(Value, 10, 500);
  if (Value == zoom_) return;
  zoom_ = Value;
  Changed();
}

TSize TQRPreview::PaperOnScreen() const {
  if (!qrPrinter_ || qrPrinter_->PixelsPerInchX() <= 0 || qrPrinter_->PixelsPerInchY() <= 0) return {0, 0};
  const int ppi = ScreenPixelsPerInch();
  return {MulDiv(qrPrinter_->PaperWidth(), ppi, qrPrinter_->PixelsPerInchX()),
          MulDiv(qrPrinter_->PaperHeight(), ppi, qrPrinter_->PixelsPerInchY())};
}

TSize TQRPreview::PageSize() const {
  const TSize paper = PaperOnScreen();
  return {MulDiv(paper.cx, zoom_, 100), MulDiv(paper.cy, zoom_, 100)};
}

void TQRPreview::ZoomToFit() {
  const TSize paper = PaperOnScreen();
  if (paper.cx <= 0 || paper.cy <= 0) return;
  // A fitting page needs no scroll bars: the whole control is the room.
  SetZoom(std::min(MulDiv(Width() - 2 * kGap, 100, paper.cx), MulDiv(Height() - 2 * kGap, 100, paper.cy)));
}

void TQRPreview::ZoomToWidth() {
  const TSize paper = PaperOnScreen();
  if (paper.cx <= 0) return;
  // The vertical bar stays: a page as wide as the control is taller than it.
  SetZoom(MulDiv(Width() - GetSystemMetrics(SM_CXVSCROLL) - 2 * kGap, 100, paper.cx));
}

TRect TQRPreview::PageRect() {
  const TSize page = PageSize();
  const TRect client = ClientRect();
  const int contentW = page.cx + 2 * kGap, contentH = page.cy + 2 * kGap;
  const int x = contentW <= client.right ? (client.right - page.cx) / 2 : kGap - scrollX_;
  const int y = contentH <= client.bottom ? (client.bottom - page.cy) / 2 : kGap - scrollY_;
  return Bounds(x, y, page.cx, page.cy);
}

void TQRPreview::Changed() {
  UpdateScrollBars();
  Invalidate();
  if (OnPageChanged) OnPageChanged(this);
}

void TQRPreview::Resize() {
  UpdateScrollBars();
  Invalidate();
  TCustomControl::Resize();
}

void TQRPreview::UpdateScrollBars() {
  if (!HandleAllocated() || updatingBars_) return;
  updatingBars_ = true;
  // Showing or hiding one bar changes the room for the other: repeat until the client area stays.
  for (int round = 0; round < 3; ++round) {
    const TSize page = PageSize();
    const TRect client = ClientRect();
    const int contentW = page.cx + 2 * kGap, contentH = page.cy + 2 * kGap;
    scrollX_ = std::clamp(scrollX_, 0, std::max(0, contentW - int(client.right)));
    scrollY_ = std::clamp(scrollY_, 0, std::max(0, contentH - int(client.bottom)));
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, contentW - 1, UINT(client.right), scrollX_, 0};
    SetScrollInfo(WindowHandle(), SB_HORZ, &si, TRUE);
    si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, contentH - 1, UINT(client.bottom), scrollY_, 0};
    SetScrollInfo(WindowHandle(), SB_VERT, &si, TRUE);
    const TRect now = ClientRect();
    if (now.right == client.right && now.bottom == client.bottom) break;
  }
  updatingBars_ = false;
}

void TQRPreview::Scroll(int Bar, int Code) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(WindowHandle(), Bar, &si);
  int pos = si.nPos;
  const int line = 20;
  switch (Code) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= int(si.nPage); break;
    case SB_PAGEDOWN: pos += int(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  pos = std::clamp(pos, 0, std::max(0, si.nMax + 1 - int(si.nPage)));
  (Bar == SB_HORZ ? scrollX_ : scrollY_) = pos;
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(WindowHandle(), Bar, &si, TRUE);
  Invalidate();
}

void TQRPreview::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
      Scroll(Message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(Message.WParam));
      Message.Result = 0;
      return;
    case WM_MOUSEWHEEL:
      Scroll(SB_VERT, GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0 ? SB_LINEUP : SB_LINEDOWN);
      Message.Result = 0;
      return;
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS;
      return;
  }
  TCustomControl::WndProc(Message);
}

void TQRPreview::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_PRIOR: SetPageNumber(pageNumber_ - 1); break;
    case VK_NEXT: SetPageNumber(pageNumber_ + 1); break;
    case VK_HOME: SetPageNumber(1); break;
    case VK_END: SetPageNumber(PageCount()); break;
    case VK_UP: Scroll(SB_VERT, SB_LINEUP); break;
    case VK_DOWN: Scroll(SB_VERT, SB_LINEDOWN); break;
    case VK_LEFT: Scroll(SB_HORZ, SB_LINEUP); break;
    case VK_RIGHT: Scroll(SB_HORZ, SB_LINEDOWN); break;
    default: return;
  }
  Key = 0;
}

void TQRPreview::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // Focused, the page takes the keys and the mouse wheel.
  if (CanFocus() && !Focused()) SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TQRPreview::Paint() {
  TCanvas* c = Canvas();
  const TRect client = ClientRect();
  const TRect page = PageRect();
  // Background around the page, then its shadow, the paper and the page itself.
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(client);
  if (!qrPrinter_ || PageCount() == 0) return;
  c->Brush()->SetColor(clBlack);
  c->FillRect(Rect(page.left + 3, page.top + 3, page.right + 3, page.bottom + 3));
  c->Brush()->SetColor(clWhite);
  c->FillRect(page);
  c->Refresh();
  HDC dc = c->Handle();
  SaveDC(dc);
  IntersectClipRect(dc, page.left, page.top, page.right, page.bottom);
  qrPrinter_->PlayPage(pageNumber_ - 1, dc, page);
  RestoreDC(dc, -1);
}

TQRStandardPreview::TQRStandardPreview(TComponent* AOwner, TQRPrinter* Pages) : TForm(AOwner) {
  InitializeForm([this, Pages] { Build(Pages); });
}

void TQRStandardPreview::Build(TQRPrinter* Pages) {
  SetName("QRStandardPreview");
  SetCaption(Pages->Title().empty() ? std::string("Visualizar Impressão")
                                    : "Visualizar Impressão - " + Pages->Title());
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 900, 700);

  ToolBar = new TPanel(this);
  ToolBar->SetParent(this);
  ToolBar->SetAlign(alTop);
  ToolBar->SetHeight(36);
  int x = 4;
  auto button = [&](const std::string& Caption, int Width, std::function<void()> Action) {
    auto* b = new TButton(this);
    b->SetParent(ToolBar);
    b->SetBounds(x, 5, Width, 26);
    b->SetCaption(Caption);
    b->OnClick = [Action](TObject*) { Action(); };
    x += Width + 4;
    return b;
  };
  ZoomFit = button("Página inteira", 100, [this] { QRPreview->ZoomToFit(); });
  Zoom100 = button("100%", 50, [this] { QRPreview->SetZoom(100); });
  ZoomToWidth = button("Largura da página", 120, [this] { QRPreview->ZoomToWidth(); });
  x += 8;
  FirstPage = button("Primeira", 70, [this] { QRPreview->SetPageNumber(1); });
  PrevPage = button("Anterior", 70, [this] { QRPreview->SetPageNumber(QRPreview->PageNumber() - 1); });
  NextPage = button("Próxima", 70, [this] { QRPreview->SetPageNumber(QRPreview->PageNumber() + 1); });
  LastPage = button("Última", 70, [this] { QRPreview->SetPageNumber(QRPreview->PageCount()); });
  x += 8;
  PrintButton = button("&Imprimir", 80, [this] { PrintClick(); });
  ExitButton = button("&Fechar", 70, [this] { Close(); });
  ExitButton->SetCancel(true);
  PageLabel = new TLabel(this);
  PageLabel->SetParent(ToolBar);
  PageLabel->SetBounds(x + 8, 11, 120, 16);

  QRPreview = new TQRPreview(this);
  QRPreview->SetParent(this);
  QRPreview->SetAlign(alClient);
  QRPreview->OnPageChanged = [this](TObject*) { UpdateInfo(); };
  QRPreview->SetQRPrinter(Pages);
  SetActiveControl(QRPreview);
  OnShow = [this](TObject*) { QRPreview->ZoomToWidth(); };
  UpdateInfo();
}

void TQRStandardPreview::UpdateInfo() {
  const int page = QRPreview->PageNumber(), count = QRPreview->PageCount();
  PageLabel->SetCaption("Página " + std::to_string(page) + " de " + std::to_string(count));
  FirstPage->SetEnabled(page > 1);
  PrevPage->SetEnabled(page > 1);
  NextPage->SetEnabled(page < count);
  LastPage->SetEnabled(page < count);
}

void TQRStandardPreview::PrintClick() {
  TQRPrinter* pages = QRPreview->QRPrinter();
  if (pages) pages->Print(Printer());
}

#include "toolkit/ui/Grids.h"

#include <algorithm>

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csOpaque | csCaptureMouse | csClickEvents | csDoubleClicks);
  colWidths_.assign(5, defaultColWidth_);
  rowHeights_.assign(5, defaultRowHeight_);
  SetColor(clWindow);
  SetParentColor(false);
  SetTabStop(true);
  SetBounds(0, 0, 320, 120);
}

void TCustomGrid::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_TABSTOP | WS_VSCROLL | WS_CLIPCHILDREN;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomGrid::SetColCount(int Value) {
  Value = std::max(Value, fixedCols_ + 1);
  colWidths_.resize(Value, defaultColWidth_);
  Sized();
}

void TCustomGrid::SetRowCount(int Value) {
  Value = std::max(Value, fixedRows_ + 1);
  rowHeights_.resize(Value, defaultRowHeight_);
  Sized();
}

void TCustomGrid::SetFixedCols(int Value) {
  fixedCols_ = std::max(0, Value);
  if (ColCount() <= fixedCols_) colWidths_.resize(fixedCols_ + 1, defaultColWidth_);
  Sized();
}

void TCustomGrid::SetFixedRows(int Value) {
  fixedRows_ = std::max(0, Value);
  if (RowCount() <= fixedRows_) rowHeights_.resize(fixedRows_ + 1, defaultRowHeight_);
  Sized();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  defaultColWidth_ = Value;
  std::fill(colWidths_.begin(), colWidths_.end(), Value);
  Sized();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  defaultRowHeight_ = Value;
  std::fill(rowHeights_.begin(), rowHeights_.end(), Value);
  Sized();
}

void TCustomGrid::SetColWidths(int Index, int Value) {
  colWidths_.at(Index) = Value;
  Sized();
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
  rowHeights_.at(Index) = Value;
  Sized();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  options_ = Value;
  Invalidate();
}

// Keeps the current cell, the top row and the left column inside the grid after a size change.
void TCustomGrid::Sized() {
  col_ = std::clamp(col_, fixedCols_, ColCount() - 1);
  row_ = std::clamp(row_, fixedRows_, RowCount() - 1);
  topRow_ = std::clamp(topRow_, fixedRows_, RowCount() - 1);
  leftCol_ = std::clamp(leftCol_, fixedCols_, ColCount() - 1);
  UpdateScrollBar();
  Invalidate();
}

int TCustomGrid::FixedHeight() const {
  int h = 0;
  for (int r = 0; r < fixedRows_; ++r) h += rowHeights_[r] + gridLineWidth_;
  return h;
}

int TCustomGrid::FixedWidth() const {
  int w = 0;
  for (int c = 0; c < fixedCols_; ++c) w += colWidths_[c] + gridLineWidth_;
  return w;
}

int TCustomGrid::VisibleRowCount() {
  int y = FixedHeight(), n = 0;
  const int bottom = ClientHeight();
  for (int r = topRow_; r < RowCount() && y + rowHeights_[r] <= bottom; ++r, ++n) y += rowHeights_[r] + gridLineWidth_;
  return std::max(n, 1);
}

void TCustomGrid::SetTopRow(int Value) {
  Value = std::clamp(Value, fixedRows_, std::max(fixedRows_, RowCount() - 1));
  if (Value == topRow_) return;
  topRow_ = Value;
  UpdateScrollBar();
  Invalidate();
  TopLeftChanged();
}

TRect TCustomGrid::CellRect(int ACol, int ARow) {
  TRect r{0, 0, 0, 0};
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return r;
  if ((ACol >= fixedCols_ && ACol < leftCol_) || (ARow >= fixedRows_ && ARow < topRow_)) return r;
  int x = 0;
  for (int c = 0; c < ACol; ++c)
    if (c < fixedCols_ || c >= leftCol_) x += colWidths_[c] + gridLineWidth_;
  int y = 0;
  for (int rr = 0; rr < ARow; ++rr)
    if (rr < fixedRows_ || rr >= topRow_) y += rowHeights_[rr] + gridLineWidth_;
  if (x >= ClientWidth() || y >= ClientHeight()) return r;
  return TRect{x, y, x + colWidths_[ACol], y + rowHeights_[ARow]};
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) {
  TGridCoord g{-1, -1};
  int x = 0;
  for (int c = 0; c < ColCount(); ++c) {
    if (c >= fixedCols_ && c < leftCol_) continue;
    if (X >= x && X < x + colWidths_[c] + gridLineWidth_) { g.X = c; break; }
    x += colWidths_[c] + gridLineWidth_;
  }
  int y = 0;
  for (int r = 0; r < RowCount(); ++r) {
    if (r >= fixedRows_ && r < topRow_) continue;
    if (Y >= y && Y < y + rowHeights_[r] + gridLineWidth_) { g.Y = r; break; }
    y += rowHeights_[r] + gridLineWidth_;
  }
  if (g.X < 0 || g.Y < 0) g = TGridCoord{-1, -1};
  return g;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) {
  const TGridCoord g = MouseCoord(X, Y);
  ACol = g.X;
  ARow = g.Y;
}

bool TCustomGrid::SelectCell(int ACol, int ARow) {
  bool can = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
  return can;
}

void TCustomGrid::FocusCell(int ACol, int ARow) {
  ACol = std::clamp(ACol, fixedCols_, ColCount() - 1);
  ARow = std::clamp(ARow, fixedRows_, RowCount() - 1);
  if (ACol == col_ && ARow == row_) return;
  if (!SelectCell(ACol, ARow)) return;
  MoveCurrent(ACol, ARow);
  CellMoved();
}

void TCustomGrid::MoveCurrent(int ACol, int ARow) {
  col_ = std::clamp(ACol, fixedCols_, ColCount() - 1);
  row_ = std::clamp(ARow, fixedRows_, RowCount() - 1);
  ScrollInView(col_, row_);
  Invalidate();
}

void TCustomGrid::ScrollInView(int ACol, int ARow) {
  if (ARow < topRow_) {
    SetTopRow(ARow);
  } else if (ARow >= topRow_ + VisibleRowCount()) {
    // The lowest top row that still shows ARow whole, found from ARow upwards.
    int top = ARow, y = FixedHeight() + rowHeights_[ARow];
    while (top - 1 > topRow_ && y + rowHeights_[top - 1] + gridLineWidth_ <= ClientHeight())
      y += rowHeights_[--top] + gridLineWidth_;
    SetTopRow(top);
  }
  if (ACol < leftCol_) leftCol_ = ACol;
  while (leftCol_ < ACol) {
    int x = FixedWidth();
    for (int c = leftCol_; c <= ACol; ++c) x += colWidths_[c] + gridLineWidth_;
    if (x <= ClientWidth()) break;
    ++leftCol_;
  }
}

void TCustomGrid::UpdateScrollBar() {
  // Showing or hiding the bar resizes the window, which comes back here.
  if (!HandleAllocated() || updatingBar_) return;
  updatingBar_ = true;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
  si.nMin = 0;
  si.nMax = std::max(0, RowCount() - fixedRows_ - 1);
  si.nPage = static_cast<UINT>(VisibleRowCount());
  si.nPos = topRow_ - fixedRows_;
  SetScrollInfo(WindowHandle(), SB_VERT, &si, TRUE);
  updatingBar_ = false;
}

void TCustomGrid::Resize() {
  UpdateScrollBar();
  TCustomControl::Resize();
}

void TCustomGrid::Paint() {
  TCanvas* c = Canvas();
  const TRect client = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(client);
  for (int r = 0; r < RowCount(); ++r) {
    if (r >= fixedRows_ && r < topRow_) continue;
    for (int col = 0; col < ColCount(); ++col) {
      const TRect cell = CellRect(col, r);
      if (cell.right <= cell.left) continue;
      TGridDrawState state = 0;
      const bool fixed = r < fixedRows_ || col < fixedCols_;
      if (fixed) state |= gdFixed;
      else if (r == row_ && (col == col_ || (options_ & goRowSelect))) state |= gdSelected;
      if (!fixed && r == row_ && col == col_ && Focused()) state |= gdFocused;
      const bool vert = options_ & (fixed ? goFixedVertLine : goVertLine);
      const bool horz = options_ & (fixed ? goFixedHorzLine : goHorzLine);
      c->Pen()->SetColor(fixed ? clBlack : clSilver);
      if (vert) {
        c->MoveTo(cell.right, cell.top);
        c->LineTo(cell.right, cell.bottom + 1);
      }
      if (horz) {
        c->MoveTo(cell.left, cell.bottom);
        c->LineTo(cell.right + 1, cell.bottom);
      }
      DrawCell(col, r, cell, state);
    }
  }
}

void TCustomGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  TCanvas* c = Canvas();
  c->Font()->Assign(*Font());
  if (AState & gdFixed) {
    c->Brush()->SetColor(fixedColor_);
  } else if (AState & gdSelected) {
    c->Brush()->SetColor(clHighlight);
    c->Font()->SetColor(clHighlightText);
  } else {
    c->Brush()->SetColor(Color());
  }
  c->FillRect(ARect);
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

void TCustomGrid::DrawCellText(const TRect& ARect, const std::string& Text, TAlignment Alignment) {
  TCanvas* c = Canvas();
  int x = ARect.left + 2;
  if (Alignment == taRightJustify) x = ARect.right - 2 - c->TextWidth(Text);
  if (Alignment == taCenter) x = (ARect.left + ARect.right - c->TextWidth(Text)) / 2;
  c->TextRect(ARect, x, ARect.top + 2, Text);
}

void TCustomGrid::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS;
      return;
    case WM_VSCROLL: {
      const int code = LOWORD(Message.WParam);
      int top = topRow_;
      if (code == SB_LINEUP) --top;
      else if (code == SB_LINEDOWN) ++top;
      else if (code == SB_PAGEUP) top -= VisibleRowCount();
      else if (code == SB_PAGEDOWN) top += VisibleRowCount();
      else if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) top = fixedRows_ + HIWORD(Message.WParam);
      SetTopRow(top);
      Message.Result = 0;
      return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
  }
  TCustomControl::WndProc(Message);
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() && !Focused()) SetFocus();
  if (Button == mbLeft) {
    const TGridCoord g = MouseCoord(X, Y);
    if (g.X >= fixedCols_ && g.Y >= fixedRows_) FocusCell(g.X, g.Y);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_UP: FocusCell(col_, row_ - 1); break;
    case VK_DOWN: FocusCell(col_, row_ + 1); break;
    case VK_LEFT: FocusCell((options_ & goRowSelect) ? col_ : col_ - 1, row_); break;
    case VK_RIGHT: FocusCell((options_ & goRowSelect) ? col_ : col_ + 1, row_); break;
    case VK_PRIOR: FocusCell(col_, row_ - VisibleRowCount()); break;
    case VK_NEXT: FocusCell(col_, row_ + VisibleRowCount()); break;
    case VK_HOME: FocusCell(col_, (Shift & ssCtrl) ? fixedRows_ : row_); if (!(Shift & ssCtrl)) FocusCell(fixedCols_, row_); break;
    case VK_END: FocusCell(col_, (Shift & ssCtrl) ? RowCount() - 1 : row_); if (!(Shift & ssCtrl)) FocusCell(ColCount() - 1, row_); break;
    default: return;
  }
}

TStringGrid::TStringGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

std::string TStringGrid::Cells(int ACol, int ARow) const {
  const auto it = cells_.find({ACol, ARow});
  return it == cells_.end() ? std::string() : it->second;
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& Value) {
  if (Value.empty()) cells_.erase({ACol, ARow});
  else cells_[{ACol, ARow}] = Value;
  const TRect r = CellRect(ACol, ARow);
  if (HandleAllocated() && r.right > r.left) InvalidateRect(WindowHandle(), &r, FALSE);
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  TCustomGrid::DrawCell(ACol, ARow, ARect, AState);
  if (!OnDrawCell) DrawCellText(ARect, Cells(ACol, ARow));
}

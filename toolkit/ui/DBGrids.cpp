#include "toolkit/ui/DBGrids.h"

#include <algorithm>

TColumnTitle::TColumnTitle(TColumn* Column) : column_(Column), font_(std::make_unique<TFont>()) {
  font_->OnChange = [this](TObject*) { column_->Grid()->Invalidate(); };
}

std::string TColumnTitle::Caption() const { return caption_.empty() ? column_->FieldName() : caption_; }

void TColumnTitle::SetCaption(const std::string& Value) {
  caption_ = Value;
  column_->Grid()->Invalidate();
}

void TColumnTitle::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  column_->Grid()->Invalidate();
}

TColumn::TColumn(TDBGrid* Grid, int Index)
    : grid_(Grid), index_(Index), title_(std::make_unique<TColumnTitle>(this)) {}

void TColumn::SetFieldName(const std::string& Value) {
  fieldName_ = Value;
  grid_->LinkChanged();
}

TField* TColumn::Field() const {
  TDataSet* ds = grid_->link_.DataSet();
  return ds && ds->Active() ? ds->FindField(fieldName_) : nullptr;
}

void TColumn::SetWidth(int Value) {
  width_ = Value;
  grid_->LinkChanged();
}

TAlignment TColumn::Alignment() const {
  if (alignment_) return *alignment_;
  const TField* f = Field();
  if (!f) return taLeftJustify;
  switch (f->DataType()) {
    case ftSmallint: case ftInteger: case ftLargeint: case ftFloat: return taRightJustify;
    default: return taLeftJustify;
  }
}

void TColumn::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  grid_->Invalidate();
}

TColumn* TDBGridColumns::Add() {
  items_.push_back(std::make_unique<TColumn>(grid_, Count()));
  grid_->LinkChanged();
  return items_.back().get();
}

void TDBGridColumns::Clear() {
  items_.clear();
  grid_->LinkChanged();
}

TDBGrid::TDBGrid(TComponent* AOwner) : TCustomGrid(AOwner), link_(this), columns_(this) { LinkChanged(); }

TDBGrid::~TDBGrid() { link_.SetDataSource(nullptr); }

void TDBGrid::SetDataSource(TDataSource* Value) {
  link_.SetDataSource(Value);
  LinkChanged();
}

void TDBGrid::SetOptions(TDBGridOptions Value) {
  dbOptions_ = Value;
  LinkChanged();
}

int TDBGrid::CursorRow() const {
  TDataSet* ds = link_.DataSet();
  if (!link_.Active() || !ds) return FixedRows();
  // The appended row is the last one.
  if (ds->State() == dsInsert) return DataRowOf(ds->RecordCount() + 1);
  return DataRowOf(std::max(ds->RecNo(), 1));
}

void TDBGrid::LinkChanged() {
  TDataSet* ds = link_.DataSet();
  const bool active = link_.Active() && ds;
  const int fixedRows = (dbOptions_ & dgTitles) ? 1 : 0;
  const int fixedCols = (dbOptions_ & dgIndicator) ? 1 : 0;
  const int records = active ? RecordsToShow() : 0;
  SetFixedRows(0);
  SetFixedCols(0);
  SetRowCount(fixedRows + std::max(records, 1));
  SetColCount(fixedCols + std::max(columns_.Count(), 1));
  SetFixedRows(fixedRows);
  SetFixedCols(fixedCols);
  if (fixedCols) SetColWidths(0, 12);
  for (int i = 0; i < columns_.Count(); ++i) SetColWidths(fixedCols + i, columns_.Items(i)->Width());
  TGridOptions o = 0;
  if (dbOptions_ & dgColLines) o |= goFixedVertLine | goVertLine;
  if (dbOptions_ & dgRowLines) o |= goFixedHorzLine | goHorzLine;
  if (dbOptions_ & dgRowSelect) o |= goRowSelect;
  TCustomGrid::SetOptions(o);
  FollowCursor();
  Invalidate();
}

void TDBGrid::FollowCursor() {
  if (moving_) return;
  MoveCurrent(Col(), CursorRow());
}

void TDBGrid::Scrolled() {
  const int records = link_.Active() && link_.DataSet() ? RecordsToShow() : 0;
  if (RowCount() != FixedRows() + std::max(records, 1)) return LinkChanged();
  FollowCursor();
  Invalidate();
}

int TDBGrid::RecordsToShow() {
  TDataSet* ds = link_.DataSet();
  const int page = ClientHeight() / (DefaultRowHeight() + GridLineWidth()) + 1;
  const int wanted = std::max(TopRow() - FixedRows() + 1, ds->RecNo()) + 2 * page;
  return ds->ReadAhead(wanted) + (ds->State() == dsInsert ? 1 : 0);
}

void TDBGrid::ShowMoreRecords() {
  if (!link_.Active() || !link_.DataSet()) return;
  const int rows = FixedRows() + RecordsToShow();
  if (rows > RowCount()) SetRowCount(rows);
}

void TDBGrid::TopLeftChanged() { ShowMoreRecords(); }

void TDBGrid::Resize() {
  TCustomGrid::Resize();
  ShowMoreRecords();
}

void TDBGrid::InvalidateRow(int ARow) {
  if (!HandleAllocated()) return;
  TRect r = CellRect(0, ARow);
  r.right = ClientWidth();
  if (r.bottom > r.top) InvalidateRect(WindowHandle(), &r, FALSE);
}

TColumn* TDBGrid::SelectedField() const {
  const int i = SelectedIndex();
  return i >= 0 && i < columns_.Count() ? columns_.Items(i) : nullptr;
}

int TDBGrid::SelectedIndex() const { return ColumnIndex(Col()); }

std::string TDBGrid::CellText(int Column, int ARecNo) const {
  TField* f = Column < columns_.Count() ? columns_.Items(Column)->Field() : nullptr;
  if (!f) return std::string();
  TDataSet* ds = f->DataSet();
  // The edited or appended row shows its edit buffer.
  if ((ds->State() == dsEdit && ARecNo == ds->RecNo()) ||
      (ds->State() == dsInsert && ARecNo == ds->RecordCount() + 1))
    return f->AsString();
  return ds->RecordText(ARecNo, f->Index());
}

bool TDBGrid::SelectCell(int ACol, int ARow) {
  if (!TCustomGrid::SelectCell(ACol, ARow)) return false;
  TDataSet* ds = link_.DataSet();
  if (!link_.Active() || !ds || ARow == Row()) return true;
  const int recNo = ARow - FixedRows() + 1;
  if (ds->ReadAhead(recNo) < recNo) return false;
  moving_ = true;
  try {
    ds->SetRecNo(recNo);
  } catch (...) {
    moving_ = false;
    throw;
  }
  moving_ = false;
  return ds->RecNo() == recNo;
}

void TDBGrid::CellMoved() { InvalidateRow(Row()); }

void TDBGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TGridCoord g = MouseCoord(X, Y);
  TCustomGrid::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || g.X < FixedCols()) return;
  TColumn* column = ColumnIndex(g.X) < columns_.Count() ? columns_.Items(ColumnIndex(g.X)) : nullptr;
  if (!column) return;
  if (g.Y < FixedRows()) {
    if (OnTitleClick) OnTitleClick(column);
  } else if (g.Y >= 0 && OnCellClick) {
    OnCellClick(column);
  }
}

void TDBGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  // A dataset without records has no current row to show: its one empty row is never highlighted.
  TDataSet* ds = link_.DataSet();
  if (!link_.Active() || !ds || ds->IsEmpty()) AState &= ~(gdSelected | gdFocused);
  TCustomGrid::DrawCell(ACol, ARow, ARect, AState);
  const int column = ColumnIndex(ACol);
  TCanvas* c = Canvas();
  if (ARow < FixedRows()) {
    if (column >= 0 && column < columns_.Count()) {
      const TColumnTitle* title = columns_.Items(column)->Title();
      c->Font()->Assign(*title->Font());
      DrawCellText(ARect, title->Caption(), title->Alignment());
    }
    return;
  }
  if (column < 0) {
    // The indicator: an arrow on the current row.
    if (ARow == Row() && link_.Active()) {
      const int cy = (ARect.top + ARect.bottom) / 2, x = ARect.left + 3;
      c->Brush()->SetColor(clBlack);
      c->Polygon({TPoint{x, cy - 4}, TPoint{x + 4, cy}, TPoint{x, cy + 4}});
    }
    return;
  }
  if (link_.Active() && column < columns_.Count())
    DrawCellText(ARect, CellText(column, ARow - FixedRows() + 1), columns_.Items(column)->Alignment());
}

void TDBGrid::GetPublishedProperties(TPropList& List) const {
  TCustomGrid::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      ObjProperty<TDBGrid>("DataSource", &TDBGrid::DataSource, &TDBGrid::SetDataSource),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

#pragma once
// Grids drawn cell by cell on a custom control: the common grid (sizes, fixed rows and columns,
// current cell, scrolling, keyboard and mouse), and the string grid that keeps a text per cell.
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/ui/Controls.h"
#include "toolkit/ui/StdCtrls.h"

using TGridDrawState = unsigned;
constexpr TGridDrawState gdSelected = 1u << 0;
constexpr TGridDrawState gdFocused = 1u << 1;
constexpr TGridDrawState gdFixed = 1u << 2;

using TGridOptions = unsigned;
constexpr TGridOptions goFixedVertLine = 1u << 0;
constexpr TGridOptions goFixedHorzLine = 1u << 1;
constexpr TGridOptions goVertLine = 1u << 2;
constexpr TGridOptions goHorzLine = 1u << 3;
constexpr TGridOptions goRowSelect = 1u << 4;

using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;

struct TGridCoord {
  int X = 0, Y = 0;
};

class TCustomGrid : public TCustomControl {
 public:
  explicit TCustomGrid(TComponent* AOwner);

  int ColCount() const { return static_cast<int>(colWidths_.size()); }
  void SetColCount(int Value);
  int RowCount() const { return static_cast<int>(rowHeights_.size()); }
  void SetRowCount(int Value);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int Value);
  // The colour of the fixed cells (the titles).
  TColor FixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor Value) {
    fixedColor_ = Value;
    Invalidate();
  }
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int Value);
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int Value);
  int ColWidths(int Index) const { return colWidths_.at(Index); }
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const { return rowHeights_.at(Index); }
  void SetRowHeights(int Index, int Value);
  int GridLineWidth() const { return gridLineWidth_; }
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions Value);

  // The current cell; moving it asks SelectCell first and scrolls it into view.
  int Col() const { return col_; }
  void SetCol(int Value) { FocusCell(Value, row_); }
  int Row() const { return row_; }
  void SetRow(int Value) { FocusCell(col_, Value); }
  // First scrollable row shown.
  int TopRow() const { return topRow_; }
  void SetTopRow(int Value);
  int LeftCol() const { return leftCol_; }
  int VisibleRowCount();

  // Client rectangle of a cell; empty when it is not shown.
  TRect CellRect(int ACol, int ARow);
  // The cell under a client point; -1, -1 outside the cells.
  TGridCoord MouseCoord(int X, int Y);
  void MouseToCell(int X, int Y, int& ACol, int& ARow);

  TSelectCellEvent OnSelectCell;
  TDrawCellEvent OnDrawCell;

 protected:
  virtual bool SelectCell(int ACol, int ARow);
  // Draws one cell; the default fills it and calls OnDrawCell.
  virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
  // Called after the current cell moved.
  virtual void CellMoved() {}
  // Called after the top row changed.
  virtual void TopLeftChanged() {}
  void FocusCell(int ACol, int ARow);
  // Sets the current cell without asking SelectCell (the grid follows something else).
  void MoveCurrent(int ACol, int ARow);
  void Paint() override;
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void Resize() override;
  // Text of a cell drawn with the grid's font, clipped to the cell.
  void DrawCellText(const TRect& ARect, const std::string& Text, TAlignment Alignment = taLeftJustify);

 private:
  void Sized();
  void ScrollInView(int ACol, int ARow);
  void UpdateScrollBar();
  int FixedHeight() const;
  int FixedWidth() const;

  std::vector<int> colWidths_;
  std::vector<int> rowHeights_;
  int fixedCols_ = 1, fixedRows_ = 1;
  TColor fixedColor_ = clBtnFace;
  int defaultColWidth_ = 64, defaultRowHeight_ = 24;
  int gridLineWidth_ = 1;
  TGridOptions options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;
  int col_ = 1, row_ = 1;
  int topRow_ = 1, leftCol_ = 1;
  bool updatingBar_ = false;
};

class TStringGrid : public TCustomGrid {
 public:
  explicit TStringGrid(TComponent* AOwner);
  std::string Cells(int ACol, int ARow) const;
  void SetCells(int ACol, int ARow, const std::string& Value);

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;

 private:
  std::map<std::pair<int, int>, std::string> cells_;
};

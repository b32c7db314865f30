#pragma once
// The data grid: one row per row of the data set (titles above, an indicator column at the left),
// its current row following the data set's cursor and moving it. It has the rows the data set has
// read, and asks for those it shows and a page more; scrolling down reads on.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/db/DB.h"
#include "toolkit/ui/Grids.h"

class TDBGrid;
class TColumn;

using TDBGridOptions = unsigned;
constexpr TDBGridOptions dgEditing = 1u << 0;
constexpr TDBGridOptions dgAlwaysShowEditor = 1u << 1;
constexpr TDBGridOptions dgTitles = 1u << 2;
constexpr TDBGridOptions dgIndicator = 1u << 3;
constexpr TDBGridOptions dgColumnResize = 1u << 4;
constexpr TDBGridOptions dgColLines = 1u << 5;
constexpr TDBGridOptions dgRowLines = 1u << 6;
constexpr TDBGridOptions dgTabs = 1u << 7;
constexpr TDBGridOptions dgRowSelect = 1u << 8;
constexpr TDBGridOptions dgAlwaysShowSelection = 1u << 9;
constexpr TDBGridOptions dgConfirmDelete = 1u << 10;
constexpr TDBGridOptions dgCancelOnExit = 1u << 11;
constexpr TDBGridOptions dgMultiSelect = 1u << 12;

using TDBGridClickEvent = std::function<void(TColumn* Column)>;

class TColumnTitle {
 public:
  explicit TColumnTitle(TColumn* Column);
  // The field name until a caption is set.
  std::string Caption() const;
  void SetCaption(const std::string& Value);
  TFont* Font() const { return font_.get(); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);

 private:
  TColumn* column_;
  std::string caption_;
  TAlignment alignment_ = taLeftJustify;
  std::unique_ptr<TFont> font_;
};

class TColumn {
 public:
  TColumn(TDBGrid* Grid, int Index);
  TDBGrid* Grid() const { return grid_; }
  int Index() const { return index_; }
  const std::string& FieldName() const { return fieldName_; }
  void SetFieldName(const std::string& Value);
  // The column's field in the grid's open data set, or nullptr.
  TField* Field() const;
  int Width() const { return width_; }
  void SetWidth(int Value);
  TColumnTitle* Title() const { return title_.get(); }
  // Of the cells' text; until set, numbers to the right and everything else to the left.
  TAlignment Alignment() const;
  void SetAlignment(TAlignment Value);

 private:
  TDBGrid* grid_;
  int index_;
  std::string fieldName_;
  int width_ = 64;
  std::optional<TAlignment> alignment_;
  std::unique_ptr<TColumnTitle> title_;
};

class TDBGridColumns {
 public:
  explicit TDBGridColumns(TDBGrid* Grid) : grid_(Grid) {}
  int Count() const { return static_cast<int>(items_.size()); }
  TColumn* Items(int Index) const { return items_.at(Index).get(); }
  TColumn* Add();
  void Clear();

 private:
  TDBGrid* grid_;
  std::vector<std::unique_ptr<TColumn>> items_;
};

class TDBGrid : public TCustomGrid {
 public:
  explicit TDBGrid(TComponent* AOwner);
  ~TDBGrid() override;

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Value);
  TDBGridColumns* Columns() { return &columns_; }
  TDBGridOptions Options() const { return dbOptions_; }
  void SetOptions(TDBGridOptions Value);
  // The column of the current cell.
  TColumn* SelectedField() const;
  int SelectedIndex() const;
  // Shown text of a data cell (column, 1-based row of the data set).
  std::string CellText(int Column, int ARecNo) const;

  TDBGridClickEvent OnCellClick;
  TDBGridClickEvent OnTitleClick;

  void GetPublishedProperties(TPropList& List) const override;

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  void CellMoved() override;
  void TopLeftChanged() override;
  void Resize() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  friend class TColumn;
  friend class TDBGridColumns;
  friend class TColumnTitle;
  class TGridDataLink : public TDataLink {
   public:
    explicit TGridDataLink(TDBGrid* Grid) : grid_(Grid) {}

   protected:
    void ActiveChanged() override { grid_->LinkChanged(); }
    void EditingChanged() override { grid_->LinkChanged(); }
    void DataSetChanged() override { grid_->LinkChanged(); }
    void DataSetScrolled(int) override { grid_->Scrolled(); }
    void RecordChanged(TField*) override { grid_->InvalidateRow(grid_->Row()); }

   private:
    TDBGrid* grid_;
  };

  // Rows and columns anew from the data set and the columns.
  void LinkChanged();
  // Puts the current row on the data set's current row.
  void FollowCursor();
  // A move, or a filter that left other rows: the rows anew when their count changed.
  void Scrolled();
  void InvalidateRow(int ARow);
  int DataRowOf(int ARecNo) const { return ARecNo - 1 + FixedRows(); }
  // Row of the data set's cursor: the appended row is the last one.
  int CursorRow() const;
  int ColumnIndex(int ACol) const { return ACol - FixedCols(); }
  // Rows of the data set to show: those read after asking for the shown ones, a page more and the
  // cursor's; the appended row counts too.
  int RecordsToShow();
  // More rows when the data set has read past the grid's last one.
  void ShowMoreRecords();

  TGridDataLink link_;
  TDBGridColumns columns_;
  TDBGridOptions dbOptions_ = dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs |
                              dgConfirmDelete | dgCancelOnExit;
  bool moving_ = false;
};

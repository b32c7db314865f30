#pragma once
// Data sets, fields, parameters and data sources: the data-access classes that windows and
// data-access routines work with. A data set reads the rows of its result as its cursor, a count or
// a search needs them, and keeps what it has read, so the cursor moves back and bookmarks stay
// valid without going back to the server.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "toolkit/db/DBFilter.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/ui/Component.h"
#include "toolkit/rtl/DateTime.h"

class TDataSet;
class TDataSource;
class TDataLink;

enum TFieldType {
  ftUnknown, ftString, ftSmallint, ftInteger, ftLargeint, ftFloat, ftDate, ftTime, ftDateTime, ftBlob, ftMemo,
  ftBoolean
};

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

// What a data set tells its data sources (and these their data links).
enum TDataEvent {
  deFieldChange, deRecordChange, deDataSetChange, deDataSetScroll, deLayoutChange, deUpdateRecord, deUpdateState
};

enum TLocateOption { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = unsigned;

namespace detail {
// One column value: null, an integer (also flags), a float (also dates and times), or text and blob bytes.
using TCell = std::variant<std::monostate, int64_t, double, std::string>;
using TRecord = std::vector<TCell>;
}  // namespace detail

// Where a row is in its data set, and the row's values: it stays valid while the data set is open,
// whatever the filter, also when a new filter had the rows read again.
struct TBookmark {
  std::ptrdiff_t Row = -1;
  detail::TRecord Values;
  bool operator==(const TBookmark&) const = default;
};

// Conversions shared by fields and parameters.
class TValueHolder {
 public:
  TFieldType DataType() const { return dataType_; }
  bool IsNull() const;
  std::string AsString() const;
  int AsInteger() const;
  int64_t AsLargeInt() const;
  double AsFloat() const;
  TDateTime AsDateTime() const;

 protected:
  explicit TValueHolder(TFieldType type) : dataType_(type) {}
  virtual ~TValueHolder() = default;
  virtual const detail::TCell& Cell() const = 0;
  // The value converted to this holder's type.
  detail::TCell FromString(const std::string& value) const;
  detail::TCell FromFloat(double value) const;
  detail::TCell FromInteger(int64_t value) const;

  TFieldType dataType_;
};

class TField : public TValueHolder {
 public:
  TField(TDataSet* dataSet, std::string name, TFieldType type, int size, int index);

  TDataSet* DataSet() const { return dataSet_; }
  const std::string& FieldName() const { return name_; }
  // Characters of a text column; 0 for the other kinds.
  int Size() const { return size_; }
  int Index() const { return index_; }

  // Writing needs the data set in edit or insert state; it changes the edit buffer only.
  void SetAsString(const std::string& Value);
  void SetAsInteger(int64_t Value);
  void SetAsFloat(double Value);
  void SetAsDateTime(TDateTime Value);
  void Clear();

 protected:
  const detail::TCell& Cell() const override;
  void SetCell(detail::TCell value);

 private:
  TDataSet* dataSet_;
  std::string name_;
  int size_;
  int index_;
};

class TBlobField : public TField {
 public:
  using TField::TField;
  // Writes the bytes at the stream's position (the stream grows as needed).
  void SaveToStream(TStream& Stream) const;
  // Takes the stream's bytes from its start.
  void LoadFromStream(TStream& Stream);
};

enum TParamType { ptUnknown, ptInput, ptOutput };

class TParam : public TValueHolder {
 public:
  explicit TParam(std::string name) : TValueHolder(ftUnknown), name_(std::move(name)) {}
  const std::string& Name() const { return name_; }

  void SetAsString(const std::string& Value) { Set(ftString, Value); }
  void SetAsInteger(int64_t Value) { Set(ftInteger, Value); }
  void SetAsFloat(double Value) { Set(ftFloat, Value); }
  // Dates and times are bound at whole seconds.
  void SetAsDate(TDateTime Value);
  void SetAsTime(TDateTime Value);
  void SetAsDateTime(TDateTime Value);
  // Binary blob from the stream's bytes (from its start).
  void LoadFromStream(TStream& Stream);
  void Clear();

  const detail::TCell& Value() const { return value_; }

 protected:
  const detail::TCell& Cell() const override { return value_; }

 private:
  void Set(TFieldType type, detail::TCell value);

  std::string name_;
  detail::TCell value_;
};

// Named parameters of a statement, matched without regard to case.
class TParams {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  TParam& Items(int Index) { return *items_.at(Index); }
  const TParam& Items(int Index) const { return *items_.at(Index); }
  TParam* FindParam(const std::string& Name);
  // Raises EDatabaseError for an unknown name.
  TParam& ParamByName(const std::string& Name);
  // Rebuilds the list from the names of a statement, keeping the values of names that stay.
  void Rebuild(const std::vector<std::string>& Names);
  void Clear() { items_.clear(); }

 private:
  std::vector<std::unique_ptr<TParam>> items_;
};

using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;

class TDataSet : public TComponent {
 public:
  explicit TDataSet(TComponent* AOwner);
  virtual ~TDataSet();
  TDataSet(const TDataSet&) = delete;
  TDataSet& operator=(const TDataSet&) = delete;

  bool Active() const { return state_ != dsInactive; }
  void SetActive(bool Value);
  void Open() { SetActive(true); }
  // Drops an appended or edited row that was not stored.
  void Close() { SetActive(false); }
  TDataSetState State() const { return state_; }

  void First();
  void Last();
  void Next();
  void Prior();
  int MoveBy(int Distance);
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }
  // Rows that pass the filter; reads the whole result.
  int RecordCount();
  bool IsEmpty();
  // Reads rows until Count of them pass the filter or the result ends; how many pass so far.
  int ReadAhead(int Count);
  // Rows read from the result since the data set was opened, whether they pass the filter or not.
  int RecordsFetched() const { return static_cast<int>(rows_.size()); }
  // 1-based number of the current row among those that pass the filter; 0 when there is none.
  int RecNo() const;
  void SetRecNo(int Value);

  int FieldCount() const { return static_cast<int>(fields_.size()); }
  TField* Fields(int Index) const { return fields_.at(Index).get(); }
  TField* FindField(const std::string& FieldName) const;
  // Raises EDatabaseError when the data set has no such field.
  TField* FieldByName(const std::string& FieldName) const;

  // KeyFields: names separated by ";", KeyValues: one text per name.
  bool Locate(const std::string& KeyFields, const std::vector<std::string>& KeyValues, TLocateOptions Options);
  bool Locate(const std::string& KeyField, const std::string& KeyValue, TLocateOptions Options);

  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& Value);
  bool Filtered() const { return filtered_; }
  void SetFiltered(bool Value);

  // Text of a field in a row that passes the filter (1-based, as RecNo), read without moving the
  // cursor: what a grid shows of the rows around the current one.
  std::string RecordText(int ARecNo, int FieldIndex);

  TBookmark GetBookmark() const;
  bool BookmarkValid(const TBookmark& Bookmark) const;
  // Raises EDatabaseError when the row is gone or does not pass the filter.
  void GotoBookmark(const TBookmark& Bookmark);

  // Edit buffers for data-bound controls: the row is only changed in memory, and Cancel, a move or
  // Close drops it.
  void Append();
  void Edit();
  void Cancel();
  bool CachedUpdates() const { return cachedUpdates_; }
  void SetCachedUpdates(bool Value) { cachedUpdates_ = Value; }
  void CancelUpdates();
  bool Modified() const { return modified_; }
  // Has every data-bound control write what it holds into the edit buffer.
  void UpdateRecord();

  void DisableControls() { ++disableCount_; }
  void EnableControls();
  bool ControlsDisabled() const { return disableCount_ > 0; }

  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose, BeforeScroll, AfterScroll;

 protected:
  // Runs the query and describes its result; called by Open.
  struct TFieldDef {
    std::string Name;
    TFieldType DataType;
    int Size;
  };
  virtual void InternalOpen(std::vector<TFieldDef>& Defs) = 0;
  // The next row of the result; false at its end.
  virtual bool InternalFetch(detail::TRecord& Row) = 0;
  // Frees the result.
  virtual void InternalClose() {}
  // A new filter or Filtered: runs the query again when the filter changes the rows the server
  // selects (InternalOpen's fields stay). True when it did: the rows read so far are dropped.
  virtual bool InternalRefilter() { return false; }

 private:
  friend class TField;
  friend class TDataSource;

  const detail::TCell& CurrentCell(int index) const;
  void SetCurrentCell(int index, detail::TCell value, TField* field);
  void RefreshVisible();
  // Reads rows until Count pass the filter or the result ends; true when Count pass.
  bool FetchUntil(size_t Count);
  bool Passes(const detail::TRecord& row) const;
  // The rows anew from the filter: read again when the query ran again (true), else the ones read.
  bool ApplyFilter();
  void MoveTo(std::ptrdiff_t visibleIndex, bool bof, bool eof);
  // The rows that pass the filter anew, the cursor on the first of them; Undo puts back the
  // filter settings when the new ones cannot be applied.
  void Refilter(const std::function<void()>& Undo);
  void LeaveEditState();
  void SetState(TDataSetState value);
  void DataEvent(TDataEvent event, TField* field = nullptr);
  detail::TFilterValue FilterValue(const detail::TRecord& row, const std::string& field) const;

  TDataSetState state_ = dsInactive;
  std::vector<std::unique_ptr<TField>> fields_;
  std::vector<detail::TRecord> rows_;  // read so far
  bool fetchedAll_ = true;
  std::vector<size_t> visible_;  // rows read so far that pass the filter, in order
  std::ptrdiff_t current_ = -1;  // index into visible_
  bool bof_ = true, eof_ = true;
  detail::TRecord editBuffer_;
  bool modified_ = false;
  std::string filter_;
  std::optional<detail::TFilterExpr> filterExpr_;
  bool filtered_ = false;
  bool cachedUpdates_ = false;
  int disableCount_ = 0;
  bool changedWhileDisabled_ = false;
  std::vector<TDataSource*> dataSources_;
};

using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;
using TDataSourceNotifyEvent = std::function<void(TObject* Sender)>;

// Joins a data set to the data links of data-bound controls and to its own events.
class TDataSource : public TComponent {
 public:
  explicit TDataSource(TComponent* AOwner);
  virtual ~TDataSource();
  TDataSource(const TDataSource&) = delete;
  TDataSource& operator=(const TDataSource&) = delete;

  TDataSet* DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet* Value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  bool AutoEdit() const { return autoEdit_; }
  void SetAutoEdit(bool Value) { autoEdit_ = Value; }
  // The data set's state; dsInactive without an enabled, open data set.
  TDataSetState State() const;
  // Puts the data set into edit state when AutoEdit allows it.
  void Edit();

  // State: open, close, edit, insert, cancel. Data: a move, a new result, a field (Field set) changed.
  TDataSourceNotifyEvent OnStateChange;
  TDataChangeEvent OnDataChange;

 private:
  friend class TDataSet;
  friend class TDataLink;
  void DataEvent(TDataEvent event, TField* field);
  void Detach();

  TDataSet* dataSet_ = nullptr;
  bool enabled_ = true;
  bool autoEdit_ = true;
  std::vector<TDataLink*> links_;
};

// Base of what data-bound controls attach to a data source: it hears of every change of the data set.
class TDataLink {
 public:
  TDataLink() = default;
  virtual ~TDataLink();
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  TDataSource* DataSource() const { return dataSource_; }
  void SetDataSource(TDataSource* Value);
  TDataSet* DataSet() const;
  // The data set is open (through an enabled data source).
  bool Active() const { return active_; }
  bool Editing() const { return editing_; }
  // Asks the data source to start editing; true when the data set is then in edit or insert state.
  bool Edit();
  // Writes what the control holds into the edit buffer (UpdateData), hearing nothing of its own write.
  void UpdateRecord();

 protected:
  virtual void ActiveChanged() {}
  virtual void EditingChanged() {}
  // A new result or filter: everything shown may have changed.
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  // The cursor moved by Distance rows (0 when not known).
  virtual void DataSetScrolled(int Distance) { DataSetChanged(); }
  // Field changed in the edit buffer, or (nullptr) the whole current row changed.
  virtual void RecordChanged(TField* Field) {}
  virtual void LayoutChanged() { DataSetChanged(); }
  // The data set gathers the edit buffer: write the control's value into its field.
  virtual void UpdateData() {}

 private:
  friend class TDataSource;
  void DataEvent(TDataEvent event, TField* field);
  void UpdateState();

  TDataSource* dataSource_ = nullptr;
  bool active_ = false;
  bool editing_ = false;
  bool updating_ = false;
};

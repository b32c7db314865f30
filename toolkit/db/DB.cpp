#include "toolkit/db/DB.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "toolkit/db/StreamBytes.h"
#include "toolkit/rtl/AnsiText.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/NumberText.h"

using detail::TCell;

namespace {

const TCell kNullCell;
// Rows read from the server at a time: a grid's page and a little more.
constexpr size_t kFetchBatch = 32;

bool IsNumeric(TFieldType t) {
  return t == ftSmallint || t == ftInteger || t == ftLargeint || t == ftFloat || t == ftBoolean;
}

// Reads one cell of any row with a field's conversions.
class TCellView : public TValueHolder {
 public:
  TCellView(TFieldType type, const TCell& cell) : TValueHolder(type), cell_(cell) {}

 protected:
  const TCell& Cell() const override { return cell_; }

 private:
  const TCell& cell_;
};

std::string Trimmed(const std::string& s) {
  size_t b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

}  // namespace

// ---- TValueHolder ----

bool TValueHolder::IsNull() const { return std::holds_alternative<std::monostate>(Cell()); }

std::string TValueHolder::AsString() const {
  const TCell& c = Cell();
  if (auto s = std::get_if<std::string>(&c)) return *s;
  if (auto i = std::get_if<int64_t>(&c)) return dataType_ == ftBoolean ? (*i ? "True" : "False") : IntToStr(*i);
  if (auto d = std::get_if<double>(&c)) {
    switch (dataType_) {
      case ftDate: return DateToStr(*d);
      case ftTime: return TimeToStr(*d);
      case ftDateTime: return DateTimeToStr(*d);
      default: return FloatToStr(*d);
    }
  }
  return {};
}

int64_t TValueHolder::AsLargeInt() const {
  const TCell& c = Cell();
  if (auto i = std::get_if<int64_t>(&c)) return *i;
  if (auto d = std::get_if<double>(&c)) return std::llround(*d);
  if (auto s = std::get_if<std::string>(&c)) return Trimmed(*s).empty() ? 0 : StrToInt64(Trimmed(*s));
  return 0;
}

int TValueHolder::AsInteger() const { return static_cast<int>(AsLargeInt()); }

double TValueHolder::AsFloat() const {
  const TCell& c = Cell();
  if (auto i = std::get_if<int64_t>(&c)) return static_cast<double>(*i);
  if (auto d = std::get_if<double>(&c)) return *d;
  if (auto s = std::get_if<std::string>(&c)) return Trimmed(*s).empty() ? 0 : StrToFloat(Trimmed(*s));
  return 0;
}

TDateTime TValueHolder::AsDateTime() const {
  const TCell& c = Cell();
  if (auto s = std::get_if<std::string>(&c)) return Trimmed(*s).empty() ? 0 : StrToDateTime(Trimmed(*s));
  return AsFloat();
}

TCell TValueHolder::FromString(const std::string& value) const {
  switch (dataType_) {
    case ftSmallint:
    case ftInteger:
    case ftLargeint:
      return value.empty() ? TCell() : TCell(StrToInt64(value));
    case ftFloat: return value.empty() ? TCell() : TCell(StrToFloat(value));
    case ftDate: return value.empty() ? TCell() : TCell(StrToDate(value));
    case ftTime: return value.empty() ? TCell() : TCell(StrToTime(value));
    case ftDateTime: return value.empty() ? TCell() : TCell(StrToDateTime(value));
    case ftBoolean: return TCell(int64_t(AnsiSameText(value, "True") || value == "1"));
    default: return TCell(value);
  }
}

TCell TValueHolder::FromFloat(double value) const {
  switch (dataType_) {
    case ftSmallint:
    case ftInteger:
    case ftLargeint:
    case ftBoolean:
      return TCell(int64_t(std::llround(value)));
    case ftString:
    case ftMemo:
    case ftBlob:
      return TCell(FloatToStr(value));
    default: return TCell(value);
  }
}

TCell TValueHolder::FromInteger(int64_t value) const {
  switch (dataType_) {
    case ftFloat:
    case ftDate:
    case ftTime:
    case ftDateTime:
      return TCell(double(value));
    case ftString:
    case ftMemo:
    case ftBlob:
      return TCell(IntToStr(value));
    default: return TCell(value);
  }
}

// ---- TField ----

TField::TField(TDataSet* dataSet, std::string name, TFieldType type, int size, int index)
    : TValueHolder(type), dataSet_(dataSet), name_(std::move(name)), size_(size), index_(index) {}

const TCell& TField::Cell() const { return dataSet_->CurrentCell(index_); }
void TField::SetCell(TCell value) { dataSet_->SetCurrentCell(index_, std::move(value), this); }
void TField::SetAsString(const std::string& Value) { SetCell(FromString(Value)); }
void TField::SetAsInteger(int64_t Value) { SetCell(FromInteger(Value)); }
void TField::SetAsFloat(double Value) { SetCell(FromFloat(Value)); }
void TField::SetAsDateTime(TDateTime Value) { SetCell(dataType_ == ftString ? TCell(DateTimeToStr(Value)) : FromFloat(Value)); }
void TField::Clear() { SetCell(TCell()); }

void TBlobField::SaveToStream(TStream& Stream) const {
  if (auto s = std::get_if<std::string>(&Cell())) detail::WriteBytes(Stream, *s);
}

void TBlobField::LoadFromStream(TStream& Stream) { SetCell(TCell(detail::ReadAllBytes(Stream))); }

// ---- TParam, TParams ----

void TParam::Set(TFieldType type, TCell value) {
  dataType_ = type;
  value_ = std::move(value);
}

namespace {
// Whole seconds, so that what is stored compares equal with what the program binds again later.
double WholeSeconds(TDateTime v) {
  const double day = std::trunc(v);
  const double secs = std::round(std::fabs(v - day) * SecsPerDay);
  return day + (v < 0 ? -secs : secs) / SecsPerDay;
}
}  // namespace

void TParam::SetAsDate(TDateTime Value) { Set(ftDate, std::trunc(Value)); }
void TParam::SetAsTime(TDateTime Value) {
  const double t = WholeSeconds(std::fabs(Value - std::trunc(Value)));
  Set(ftTime, t >= 1 ? 0.0 : t);
}
void TParam::SetAsDateTime(TDateTime Value) { Set(ftDateTime, WholeSeconds(Value)); }
void TParam::LoadFromStream(TStream& Stream) { Set(ftBlob, detail::ReadAllBytes(Stream)); }
void TParam::Clear() { Set(ftUnknown, TCell()); }

TParam* TParams::FindParam(const std::string& Name) {
  for (auto& p : items_)
    if (AnsiSameText(p->Name(), Name)) return p.get();
  return nullptr;
}

TParam& TParams::ParamByName(const std::string& Name) {
  if (TParam* p = FindParam(Name)) return *p;
  throw EDatabaseError("Par\xE2metro '" + Name + "' n\xE3o encontrado");
}

void TParams::Rebuild(const std::vector<std::string>& Names) {
  std::vector<std::unique_ptr<TParam>> next;
  for (const std::string& name : Names) {
    auto same = [&](const std::unique_ptr<TParam>& p) { return p && AnsiSameText(p->Name(), name); };
    if (std::any_of(next.begin(), next.end(), same)) continue;
    auto old = std::find_if(items_.begin(), items_.end(), same);
    next.push_back(old != items_.end() ? std::move(*old) : std::make_unique<TParam>(name));
  }
  items_ = std::move(next);
}

// ---- TDataSet ----

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

TDataSet::~TDataSet() {
  while (!dataSources_.empty()) dataSources_.back()->SetDataSet(nullptr);
}

void TDataSet::SetActive(bool Value) {
  if (Value == Active()) return;
  if (Value) {
    if (BeforeOpen) BeforeOpen(this);
    std::vector<TFieldDef> defs;
    InternalOpen(defs);
    for (size_t i = 0; i < defs.size(); ++i) {
      const TFieldDef& d = defs[i];
      if (d.DataType == ftBlob || d.DataType == ftMemo)
        fields_.push_back(std::make_unique<TBlobField>(this, d.Name, d.DataType, d.Size, int(i)));
      else
        fields_.push_back(std::make_unique<TField>(this, d.Name, d.DataType, d.Size, int(i)));
    }
    fetchedAll_ = false;
    try {
      FetchUntil(1);
    } catch (...) {
      rows_ = {};
      visible_ = {};
      fetchedAll_ = true;
      fields_.clear();
      InternalClose();
      throw;
    }
    current_ = visible_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = visible_.empty();
    SetState(dsBrowse);
    DataEvent(deDataSetChange);
    if (AfterOpen) AfterOpen(this);
    if (AfterScroll) AfterScroll(this);
  } else {
    if (BeforeClose) BeforeClose(this);
    editBuffer_.clear();
    modified_ = false;
    InternalClose();
    rows_ = {};
    visible_ = {};
    fetchedAll_ = true;
    current_ = -1;
    bof_ = eof_ = true;
    SetState(dsInactive);
    fields_.clear();
    if (AfterClose) AfterClose(this);
  }
}

void TDataSet::SetState(TDataSetState value) {
  if (state_ == value) return;
  state_ = value;
  DataEvent(deUpdateState);
}

void TDataSet::MoveTo(std::ptrdiff_t visibleIndex, bool bof, bool eof) {
  LeaveEditState();
  if (BeforeScroll) BeforeScroll(this);
  current_ = visibleIndex;
  bof_ = bof;
  eof_ = eof;
  DataEvent(deDataSetScroll);
  if (AfterScroll) AfterScroll(this);
}

void TDataSet::First() {
  if (!Active()) throw EDatabaseError("Opera\xE7\xE3o n\xE3o permitida num conjunto de dados fechado");
  const bool empty = !FetchUntil(1);
  MoveTo(empty ? -1 : 0, true, empty);
}

void TDataSet::Last() {
  if (!Active()) throw EDatabaseError("Opera\xE7\xE3o n\xE3o permitida num conjunto de dados fechado");
  FetchUntil(SIZE_MAX);
  const auto n = static_cast<std::ptrdiff_t>(visible_.size());
  MoveTo(n - 1, n == 0, true);
}

void TDataSet::Next() {
  if (!Active()) throw EDatabaseError("Opera\xE7\xE3o n\xE3o permitida num conjunto de dados fechado");
  LeaveEditState();
  if (FetchUntil(static_cast<size_t>(current_ + 2)))
    MoveTo(current_ + 1, false, false);
  else
    eof_ = true;
}

void TDataSet::Prior() {
  if (!Active()) throw EDatabaseError("Opera\xE7\xE3o n\xE3o permitida num conjunto de dados fechado");
  LeaveEditState();
  if (current_ > 0)
    MoveTo(current_ - 1, false, false);
  else
    bof_ = true;
}

int TDataSet::MoveBy(int Distance) {
  int moved = 0;
  for (; Distance > 0 && !eof_; --Distance) {
    Next();
    if (!eof_) ++moved;
  }
  for (; Distance < 0 && !bof_; ++Distance) {
    Prior();
    if (!bof_) --moved;
  }
  return moved;
}

int TDataSet::RecordCount() {
  FetchUntil(SIZE_MAX);
  return static_cast<int>(visible_.size());
}

bool TDataSet::IsEmpty() { return !FetchUntil(1) && state_ != dsInsert; }

int TDataSet::ReadAhead(int Count) {
  FetchUntil(static_cast<size_t>(std::max(Count, 0)));
  return static_cast<int>(visible_.size());
}
int TDataSet::RecNo() const { return state_ == dsInsert || current_ < 0 ? 0 : static_cast<int>(current_ + 1); }

void TDataSet::SetRecNo(int Value) {
  if (Value < 1 || !FetchUntil(static_cast<size_t>(Value))) return;
  MoveTo(Value - 1, false, false);
}

std::string TDataSet::RecordText(int ARecNo, int FieldIndex) {
  if (ARecNo < 1 || !FetchUntil(static_cast<size_t>(ARecNo))) return std::string();
  const TField* f = fields_.at(FieldIndex).get();
  return TCellView(f->DataType(), rows_[visible_[ARecNo - 1]].at(FieldIndex)).AsString();
}

TField* TDataSet::FindField(const std::string& FieldName) const {
  for (auto& f : fields_)
    if (AnsiSameText(f->FieldName(), FieldName)) return f.get();
  return nullptr;
}

TField* TDataSet::FieldByName(const std::string& FieldName) const {
  if (TField* f = FindField(FieldName)) return f;
  throw EDatabaseError("Campo '" + FieldName + "' n\xE3o encontrado");
}

const TCell& TDataSet::CurrentCell(int index) const {
  if (state_ == dsEdit || state_ == dsInsert) return editBuffer_.at(index);
  if (current_ < 0) return kNullCell;
  return rows_[visible_[current_]].at(index);
}

void TDataSet::SetCurrentCell(int index, TCell value, TField* field) {
  if (state_ != dsEdit && state_ != dsInsert)
    throw EDatabaseError("O conjunto de dados n\xE3o est\xE1 em modo de edi\xE7\xE3o ou inser\xE7\xE3o");
  editBuffer_.at(index) = std::move(value);
  modified_ = true;
  DataEvent(deFieldChange, field);
}

bool TDataSet::Locate(const std::string& KeyFields, const std::vector<std::string>& KeyValues,
                      TLocateOptions Options) {
  std::vector<TField*> keys;
  for (size_t b = 0; b <= KeyFields.size();) {
    size_t e = KeyFields.find(';', b);
    if (e == std::string::npos) e = KeyFields.size();
    keys.push_back(FieldByName(Trimmed(KeyFields.substr(b, e - b))));
    b = e + 1;
  }
  if (keys.size() != KeyValues.size())
    throw EDatabaseError("Locate: " + IntToStr(int64_t(keys.size())) + " campos e " +
                         IntToStr(int64_t(KeyValues.size())) + " valores");
  const bool noCase = Options & loCaseInsensitive, partial = Options & loPartialKey;
  std::vector<std::string> wanted;
  for (const std::string& v : KeyValues) wanted.push_back(noCase ? AnsiUpperCase(v) : v);
  for (size_t i = 0; FetchUntil(i + 1); ++i) {
    const detail::TRecord& row = rows_[visible_[i]];
    bool match = true;
    for (size_t k = 0; k < keys.size() && match; ++k) {
      std::string text = TCellView(keys[k]->DataType(), row[keys[k]->Index()]).AsString();
      if (noCase) text = AnsiUpperCase(text);
      match = partial ? text.compare(0, wanted[k].size(), wanted[k]) == 0 : text == wanted[k];
    }
    if (match) {
      MoveTo(static_cast<std::ptrdiff_t>(i), i == 0, false);
      return true;
    }
  }
  return false;
}

bool TDataSet::Locate(const std::string& KeyField, const std::string& KeyValue, TLocateOptions Options) {
  return Locate(KeyField, std::vector<std::string>{KeyValue}, Options);
}

detail::TFilterValue TDataSet::FilterValue(const detail::TRecord& row, const std::string& field) const {
  const TField* f = FieldByName(field);
  const TCellView v(f->DataType(), row[f->Index()]);
  detail::TFilterValue r;
  r.Null = v.IsNull();
  if (!r.Null && IsNumeric(f->DataType())) {
    r.IsNumber = true;
    r.Number = v.AsFloat();
  }
  if (!r.Null) r.Text = v.AsString();
  return r;
}

bool TDataSet::Passes(const detail::TRecord& row) const {
  return !filtered_ || !filterExpr_ || filterExpr_->Matches([&](const std::string& f) { return FilterValue(row, f); });
}

void TDataSet::RefreshVisible() {
  visible_.clear();
  for (size_t i = 0; i < rows_.size(); ++i)
    if (Passes(rows_[i])) visible_.push_back(i);
}

bool TDataSet::FetchUntil(size_t Count) {
  while (visible_.size() < Count && !fetchedAll_) {
    for (size_t n = 0; n < kFetchBatch; ++n) {
      detail::TRecord row;
      if (!InternalFetch(row)) {
        fetchedAll_ = true;
        break;
      }
      rows_.push_back(std::move(row));
      if (Passes(rows_.back())) visible_.push_back(rows_.size() - 1);
    }
  }
  return visible_.size() >= Count;
}

void TDataSet::SetFilter(const std::string& Value) {
  std::optional<detail::TFilterExpr> expr;
  if (!Trimmed(Value).empty()) {
    try {
      expr.emplace(Value);
    } catch (const detail::TFilterSyntaxError& e) {
      throw EDatabaseError(e.what());
    }
  }
  std::swap(filterExpr_, expr);
  std::string old = std::exchange(filter_, Value);
  if (filtered_ && Active()) Refilter([&] {
    std::swap(filterExpr_, expr);
    filter_ = std::move(old);
  });
}

void TDataSet::SetFiltered(bool Value) {
  if (Value == filtered_) return;
  filtered_ = Value;
  if (Active()) Refilter([&] { filtered_ = !Value; });
}

bool TDataSet::ApplyFilter() {
  const bool reread = InternalRefilter();
  if (reread) {
    rows_ = {};
    visible_ = {};
    fetchedAll_ = false;
  } else {
    RefreshVisible();
  }
  FetchUntil(1);
  return reread;
}

void TDataSet::Refilter(const std::function<void()>& Undo) {
  LeaveEditState();
  try {
    ApplyFilter();  // raises for a field the data set does not have
  } catch (...) {
    Undo();
    if (ApplyFilter()) {
      current_ = visible_.empty() ? -1 : 0;
      bof_ = true;
      eof_ = visible_.empty();
    }
    throw;
  }
  if (BeforeScroll) BeforeScroll(this);
  current_ = visible_.empty() ? -1 : 0;
  bof_ = true;
  eof_ = visible_.empty();
  // Other rows, not a move: everything shown must be read anew.
  DataEvent(deDataSetChange);
  if (AfterScroll) AfterScroll(this);
}

TBookmark TDataSet::GetBookmark() const {
  if (current_ < 0 || state_ == dsInsert) return {};
  const size_t row = visible_[current_];
  return TBookmark{static_cast<std::ptrdiff_t>(row), rows_[row]};
}

bool TDataSet::BookmarkValid(const TBookmark& Bookmark) const { return Active() && Bookmark.Row >= 0; }

void TDataSet::GotoBookmark(const TBookmark& Bookmark) {
  if (BookmarkValid(Bookmark)) {
    const auto row = static_cast<size_t>(Bookmark.Row);
    const auto at = std::lower_bound(visible_.begin(), visible_.end(), row);
    if (at != visible_.end() && *at == row && rows_[row] == Bookmark.Values)
      return MoveTo(at - visible_.begin(), false, false);
    // The rows were read again since: the row with the bookmark's values.
    for (size_t i = 0; FetchUntil(i + 1); ++i)
      if (rows_[visible_[i]] == Bookmark.Values) return MoveTo(static_cast<std::ptrdiff_t>(i), false, false);
  }
  throw EDatabaseError("Registro n\xE3o encontrado");
}

void TDataSet::Append() {
  if (!Active()) throw EDatabaseError("Opera\xE7\xE3o n\xE3o permitida num conjunto de dados fechado");
  LeaveEditState();
  editBuffer_.assign(fields_.size(), TCell());
  modified_ = false;
  SetState(dsInsert);
  DataEvent(deDataSetChange);
}

void TDataSet::Edit() {
  if (state_ == dsEdit || state_ == dsInsert) return;
  if (!Active()) throw EDatabaseError("Opera\xE7\xE3o n\xE3o permitida num conjunto de dados fechado");
  if (current_ < 0) return Append();
  editBuffer_ = rows_[visible_[current_]];
  modified_ = false;
  SetState(dsEdit);
}

void TDataSet::LeaveEditState() {
  if (state_ != dsEdit && state_ != dsInsert) return;
  editBuffer_.clear();
  modified_ = false;
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
}

void TDataSet::Cancel() { LeaveEditState(); }

void TDataSet::UpdateRecord() {
  if (state_ != dsEdit && state_ != dsInsert)
    throw EDatabaseError("O conjunto de dados n\xE3o est\xE1 em modo de edi\xE7\xE3o ou inser\xE7\xE3o");
  // Even with the controls disabled: this gathers data, it shows nothing.
  const std::vector<TDataSource*> sources = dataSources_;
  for (TDataSource* s : sources) s->DataEvent(deUpdateRecord, nullptr);
}

void TDataSet::CancelUpdates() { LeaveEditState(); }

void TDataSet::EnableControls() {
  if (disableCount_ == 0 || --disableCount_ > 0) return;
  if (changedWhileDisabled_) {
    changedWhileDisabled_ = false;
    DataEvent(deUpdateState);
    DataEvent(deDataSetChange);
  }
}

void TDataSet::DataEvent(TDataEvent event, TField* field) {
  if (disableCount_ > 0) {
    changedWhileDisabled_ = true;
    return;
  }
  // A copy: a handler may attach or detach data sources.
  const std::vector<TDataSource*> sources = dataSources_;
  for (TDataSource* s : sources) s->DataEvent(event, field);
}

// ---- TDataSource, TDataLink ----

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
  SetDataSet(nullptr);
  while (!links_.empty()) links_.back()->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* Value) {
  if (Value == dataSet_) return;
  if (dataSet_) std::erase(dataSet_->dataSources_, this);
  dataSet_ = Value;
  if (dataSet_) dataSet_->dataSources_.push_back(this);
  DataEvent(deUpdateState, nullptr);
  if (State() != dsInactive) DataEvent(deDataSetChange, nullptr);
}

void TDataSource::SetEnabled(bool Value) {
  if (Value == enabled_) return;
  enabled_ = Value;
  const std::vector<TDataLink*> links = links_;
  for (TDataLink* l : links) l->UpdateState();
  if (OnStateChange) OnStateChange(this);
}

TDataSetState TDataSource::State() const { return enabled_ && dataSet_ ? dataSet_->State() : dsInactive; }

void TDataSource::Edit() {
  if (autoEdit_ && State() == dsBrowse) dataSet_->Edit();
}

void TDataSource::DataEvent(TDataEvent event, TField* field) {
  if (!enabled_) return;
  const std::vector<TDataLink*> links = links_;
  if (event == deUpdateState) {
    for (TDataLink* l : links) l->UpdateState();
    if (OnStateChange) OnStateChange(this);
    return;
  }
  if (event == deUpdateRecord) {
    for (TDataLink* l : links) l->UpdateRecord();
    return;
  }
  for (TDataLink* l : links) l->DataEvent(event, field);
  if (OnDataChange) OnDataChange(this, event == deFieldChange ? field : nullptr);
}

TDataLink::~TDataLink() {
  if (dataSource_) std::erase(dataSource_->links_, this);
}

void TDataLink::SetDataSource(TDataSource* Value) {
  if (Value == dataSource_) return;
  if (dataSource_) std::erase(dataSource_->links_, this);
  dataSource_ = Value;
  if (dataSource_) dataSource_->links_.push_back(this);
  UpdateState();
}

TDataSet* TDataLink::DataSet() const { return dataSource_ ? dataSource_->DataSet() : nullptr; }

bool TDataLink::Edit() {
  if (dataSource_ && !editing_) dataSource_->Edit();
  return editing_;
}

void TDataLink::UpdateRecord() {
  updating_ = true;
  try {
    UpdateData();
  } catch (...) {
    updating_ = false;
    throw;
  }
  updating_ = false;
}

void TDataLink::UpdateState() {
  const TDataSetState s = dataSource_ ? dataSource_->State() : dsInactive;
  const bool active = s != dsInactive;
  if (active != active_) {
    active_ = active;
    ActiveChanged();
  }
  const bool editing = s == dsEdit || s == dsInsert;
  if (editing != editing_) {
    editing_ = editing;
    EditingChanged();
  }
}

void TDataLink::DataEvent(TDataEvent event, TField* field) {
  switch (event) {
    case deFieldChange:
    case deRecordChange:
      // A control writing its own field does not hear of it.
      if (!updating_) RecordChanged(event == deFieldChange ? field : nullptr);
      break;
    case deUpdateRecord: UpdateRecord(); break;
    case deDataSetScroll: DataSetScrolled(0); break;
    case deLayoutChange: LayoutChanged(); break;
    default: DataSetChanged(); break;
  }
}

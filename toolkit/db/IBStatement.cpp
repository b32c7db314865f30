#include "toolkit/db/IBStatement.h"

#include <ibase.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "toolkit/db/IBError.h"
#include "toolkit/rtl/AnsiText.h"

namespace detail {
namespace {

constexpr int kDaysFrom1858To1899 = 15018;  // the client's day 0 is 1858-11-17, ours 1899-12-30
constexpr int kTimeUnitsPerSecond = ISC_TIME_SECONDS_PRECISION;
constexpr size_t kSegment = 32768;

void Check(const ISC_STATUS* st) { CheckStatus(st); }

// Charset of a text column: its size in characters is its length in bytes over this.
int BytesPerChar(short subType) {
  switch (subType & 0xFF) {
    case 3: return 3;  // UNICODE_FSS
    case 4: return 4;  // UTF8
    default: return 1;
  }
}

class TBlob {
 public:
  ~TBlob() {
    if (handle_) {
      ISC_STATUS_ARRAY st;
      if (writing_)
        isc_cancel_blob(st, &handle_);
      else
        isc_close_blob(st, &handle_);
    }
  }
  static std::string Read(TIBDatabase& db, TIBTransaction& tr, ISC_QUAD id) {
    TBlob b;
    ISC_STATUS_ARRAY st;
    isc_open_blob2(st, db.Handle(), tr.Handle(), &b.handle_, &id, 0, nullptr);
    Check(st);
    std::string bytes;
    char buf[kSegment];
    for (;;) {
      unsigned short got = 0;
      const ISC_STATUS r = isc_get_segment(st, &b.handle_, &got, sizeof buf, buf);
      if (r == 0 || r == isc_segment) {
        bytes.append(buf, got);
      } else if (r == isc_segstr_eof) {
        break;
      } else {
        Check(st);
      }
    }
    return bytes;
  }
  static ISC_QUAD Write(TIBDatabase& db, TIBTransaction& tr, const std::string& bytes) {
    TBlob b;
    b.writing_ = true;
    ISC_QUAD id{};
    ISC_STATUS_ARRAY st;
    isc_create_blob2(st, db.Handle(), tr.Handle(), &b.handle_, &id, 0, nullptr);
    Check(st);
    for (size_t at = 0; at < bytes.size(); at += kSegment) {
      const size_t n = std::min(kSegment, bytes.size() - at);
      isc_put_segment(st, &b.handle_, static_cast<unsigned short>(n), bytes.data() + at);
      Check(st);
    }
    isc_close_blob(st, &b.handle_);
    b.handle_ = 0;
    Check(st);
    return id;
  }

 private:
  TBlob() = default;
  isc_blob_handle handle_ = 0;
  bool writing_ = false;
};

template <typename T>
T Load(const char* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <typename T>
void Store(std::vector<char>& buf, const T& v) {
  buf.resize(sizeof v);
  std::memcpy(buf.data(), &v, sizeof v);
}

double FromScaled(int64_t v, short scale) { return static_cast<double>(v) * std::pow(10.0, scale); }

}  // namespace

struct TIBStatement::TSqlda {
  std::vector<std::max_align_t> mem;
  std::vector<std::vector<char>> data;
  std::vector<short> nulls;
  std::vector<XSQLVAR> described;  // as the server described them, before any binding

  explicit TSqlda(int n) { Resize(n); }
  XSQLDA* get() { return reinterpret_cast<XSQLDA*>(mem.data()); }
  void Resize(int n) {
    mem.assign((XSQLDA_LENGTH(n) + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t), std::max_align_t{});
    get()->version = SQLDA_VERSION1;
    get()->sqln = static_cast<ISC_SHORT>(n);
  }
  // Gives every described variable a buffer and a null indicator.
  void Allocate() {
    const int n = get()->sqld;
    data.assign(n, {});
    nulls.assign(n, 0);
    described.assign(get()->sqlvar, get()->sqlvar + n);
    for (int i = 0; i < n; ++i) {
      XSQLVAR& v = get()->sqlvar[i];
      data[i].assign(static_cast<size_t>(v.sqllen) + 2 + sizeof(ISC_QUAD), 0);
      v.sqldata = data[i].data();
      v.sqlind = &nulls[i];
    }
  }
};

TIBStatement::TIBStatement(TIBDatabase& Database, TIBTransaction& Transaction, const std::string& Sql)
    : database_(Database), in_(std::make_unique<TSqlda>(1)), out_(std::make_unique<TSqlda>(1)) {
  Prepare(Transaction, Sql);
}

void TIBStatement::Prepare(TIBTransaction& Transaction, const std::string& Sql) {
  ISC_STATUS_ARRAY st;
  isc_dsql_allocate_statement(st, database_.Handle(), &handle_);
  Check(st);
  const auto dialect = static_cast<unsigned short>(database_.SQLDialect());
  isc_dsql_prepare(st, Transaction.Handle(), &handle_, 0, Sql.c_str(), dialect, out_->get());
  Check(st);
  if (out_->get()->sqld > out_->get()->sqln) {
    out_->Resize(out_->get()->sqld);
    isc_dsql_describe(st, &handle_, dialect, out_->get());
    Check(st);
  }
  isc_dsql_describe_bind(st, &handle_, dialect, in_->get());
  Check(st);
  if (in_->get()->sqld > in_->get()->sqln) {
    in_->Resize(in_->get()->sqld);
    isc_dsql_describe_bind(st, &handle_, dialect, in_->get());
    Check(st);
  }
  in_->Allocate();
  out_->Allocate();

  const char items[] = {isc_info_sql_stmt_type};
  char answer[16] = {};
  isc_dsql_sql_info(st, &handle_, sizeof items, items, sizeof answer, answer);
  Check(st);
  if (answer[0] == isc_info_sql_stmt_type) {
    const short len = static_cast<short>(isc_vax_integer(answer + 1, 2));
    const long type = isc_vax_integer(answer + 3, len);
    isSelect_ = type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd;
  }
  hasSingleton_ = !isSelect_ && out_->get()->sqld > 0;

  for (int i = 0; i < out_->get()->sqld; ++i) {
    const XSQLVAR& v = out_->get()->sqlvar[i];
    TColumn c;
    c.Name.assign(v.aliasname, v.aliasname_length);
    if (c.Name.empty()) c.Name.assign(v.sqlname, v.sqlname_length);
    const std::string base = c.Name;
    for (int k = 1; std::any_of(columns_.begin(), columns_.end(),
                                [&](const TColumn& o) { return AnsiSameText(o.Name, c.Name); });
         ++k)
      c.Name = base + "_" + std::to_string(k);
    c.Size = 0;
    switch (v.sqltype & ~1) {
      case SQL_TEXT:
      case SQL_VARYING:
        c.DataType = ftString;
        c.Size = v.sqllen / BytesPerChar(v.sqlsubtype);
        break;
      case SQL_SHORT: c.DataType = v.sqlscale < 0 ? ftFloat : ftSmallint; break;
      case SQL_LONG: c.DataType = v.sqlscale < 0 ? ftFloat : ftInteger; break;
      case SQL_INT64: c.DataType = v.sqlscale < 0 ? ftFloat : ftLargeint; break;
      case SQL_FLOAT:
      case SQL_DOUBLE:
      case SQL_D_FLOAT:
        c.DataType = ftFloat;
        break;
      case SQL_TYPE_DATE: c.DataType = ftDate; break;
      case SQL_TYPE_TIME: c.DataType = ftTime; break;
      case SQL_TIMESTAMP: c.DataType = ftDateTime; break;
      case SQL_BLOB: c.DataType = v.sqlsubtype == 1 ? ftMemo : ftBlob; break;
      case SQL_BOOLEAN: c.DataType = ftBoolean; break;
      default: c.DataType = ftUnknown; break;
    }
    columns_.push_back(c);
  }
}

TIBStatement::~TIBStatement() {
  if (handle_) {
    ISC_STATUS_ARRAY st;
    isc_dsql_free_statement(st, &handle_, DSQL_drop);
  }
}

int TIBStatement::ParamCount() const { return in_->get()->sqld; }

void TIBStatement::Bind(TIBTransaction& tr, const TParam* p, int index) {
  XSQLVAR& v = in_->get()->sqlvar[index];
  std::vector<char>& buf = in_->data[index];
  short& ind = in_->nulls[index];
  v = in_->described[index];
  const int described = v.sqltype & ~1;
  v.sqlind = &ind;
  if (!p || p->IsNull()) {
    ind = -1;
    v.sqltype = static_cast<ISC_SHORT>(described | 1);
    buf.assign(static_cast<size_t>(v.sqllen) + 2 + sizeof(ISC_QUAD), 0);
    v.sqldata = buf.data();
    return;
  }
  ind = 0;
  int type;
  switch (p->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftLargeint:
    case ftBoolean:
      if (described == SQL_BOOLEAN) {
        Store<FB_BOOLEAN>(buf, p->AsLargeInt() ? FB_TRUE : FB_FALSE);
        type = SQL_BOOLEAN;
      } else {
        Store<ISC_INT64>(buf, p->AsLargeInt());
        type = SQL_INT64;
      }
      break;
    case ftFloat:
      Store<double>(buf, p->AsFloat());
      type = SQL_DOUBLE;
      break;
    case ftDate:
      Store<ISC_DATE>(buf, static_cast<ISC_DATE>(std::floor(p->AsFloat())) + kDaysFrom1858To1899);
      type = SQL_TYPE_DATE;
      break;
    case ftTime: {
      const double t = p->AsFloat();
      Store<ISC_TIME>(buf, static_cast<ISC_TIME>(std::llround((t - std::floor(t)) * SecsPerDay)) * kTimeUnitsPerSecond);
      type = SQL_TYPE_TIME;
      break;
    }
    case ftDateTime: {
      const double t = p->AsFloat(), day = std::floor(t);
      ISC_TIMESTAMP ts;
      ts.timestamp_date = static_cast<ISC_DATE>(day) + kDaysFrom1858To1899;
      ts.timestamp_time = static_cast<ISC_TIME>(std::llround((t - day) * SecsPerDay)) * kTimeUnitsPerSecond;
      Store(buf, ts);
      type = SQL_TIMESTAMP;
      break;
    }
    default: {
      const std::string bytes = p->AsString();
      if (described == SQL_BLOB) {
        Store(buf, TBlob::Write(database_, tr, bytes));
        type = SQL_BLOB;
        v.sqllen = sizeof(ISC_QUAD);
      } else {
        if (bytes.size() > 32767) throw EDatabaseError("Texto longo demais para o par\xE2metro " + std::to_string(index + 1));
        buf.assign(bytes.begin(), bytes.end());
        buf.push_back('\0');
        type = SQL_TEXT;
        v.sqllen = static_cast<ISC_SHORT>(bytes.size());
        if (described != SQL_TEXT && described != SQL_VARYING) v.sqlsubtype = p->DataType() == ftBlob ? 1 : 0;
      }
      break;
    }
  }
  if (type != SQL_TEXT && type != SQL_BLOB) v.sqllen = static_cast<ISC_SHORT>(buf.size());
  v.sqltype = static_cast<ISC_SHORT>(type | 1);
  v.sqlscale = 0;
  v.sqldata = buf.data();
}

void TIBStatement::Execute(TIBTransaction& Transaction, const std::vector<const TParam*>& Params) {
  CloseCursor();
  if (static_cast<int>(Params.size()) != ParamCount())
    throw EDatabaseError("A instru\xE7\xE3o espera " + std::to_string(ParamCount()) + " par\xE2metros");
  for (int i = 0; i < ParamCount(); ++i) Bind(Transaction, Params[i], i);
  ISC_STATUS_ARRAY st;
  const auto dialect = static_cast<unsigned short>(database_.SQLDialect());
  XSQLDA* in = ParamCount() ? in_->get() : nullptr;
  if (hasSingleton_)
    isc_dsql_execute2(st, Transaction.Handle(), &handle_, dialect, in, out_->get());
  else
    isc_dsql_execute(st, Transaction.Handle(), &handle_, dialect, in);
  Check(st);
  cursorOpen_ = isSelect_;
  singletonPending_ = hasSingleton_;
}

TRecord TIBStatement::ReadRow(TIBTransaction& tr) {
  XSQLDA* da = out_->get();
  TRecord row(da->sqld);
  for (int i = 0; i < da->sqld; ++i) {
    const XSQLVAR& v = da->sqlvar[i];
    if ((v.sqltype & 1) && *v.sqlind < 0) continue;
    const char* p = v.sqldata;
    switch (v.sqltype & ~1) {
      case SQL_TEXT: {
        std::string s(p, v.sqllen);
        s.erase(s.find_last_not_of(' ') + 1);  // CHAR columns come padded
        row[i] = std::move(s);
        break;
      }
      case SQL_VARYING: row[i] = std::string(p + 2, Load<short>(p)); break;
      case SQL_SHORT:
        row[i] = v.sqlscale < 0 ? TCell(FromScaled(Load<short>(p), v.sqlscale)) : TCell(int64_t(Load<short>(p)));
        break;
      case SQL_LONG:
        row[i] = v.sqlscale < 0 ? TCell(FromScaled(Load<ISC_LONG>(p), v.sqlscale)) : TCell(int64_t(Load<ISC_LONG>(p)));
        break;
      case SQL_INT64:
        row[i] = v.sqlscale < 0 ? TCell(FromScaled(Load<ISC_INT64>(p), v.sqlscale)) : TCell(int64_t(Load<ISC_INT64>(p)));
        break;
      case SQL_FLOAT: row[i] = double(Load<float>(p)); break;
      case SQL_DOUBLE:
      case SQL_D_FLOAT:
        row[i] = Load<double>(p);
        break;
      case SQL_TYPE_DATE: row[i] = double(Load<ISC_DATE>(p) - kDaysFrom1858To1899); break;
      case SQL_TYPE_TIME: row[i] = Load<ISC_TIME>(p) / double(kTimeUnitsPerSecond) / SecsPerDay; break;
      case SQL_TIMESTAMP: {
        const auto ts = Load<ISC_TIMESTAMP>(p);
        row[i] = (ts.timestamp_date - kDaysFrom1858To1899) + ts.timestamp_time / double(kTimeUnitsPerSecond) / SecsPerDay;
        break;
      }
      case SQL_BLOB: row[i] = TBlob::Read(database_, tr, Load<ISC_QUAD>(p)); break;
      case SQL_BOOLEAN: row[i] = int64_t(Load<FB_BOOLEAN>(p) != FB_FALSE); break;
      default: break;
    }
  }
  return row;
}

bool TIBStatement::Fetch(TIBTransaction& Transaction, TRecord& Row) {
  if (singletonPending_) {
    singletonPending_ = false;
    Row = ReadRow(Transaction);
    return true;
  }
  if (!cursorOpen_) return false;
  ISC_STATUS_ARRAY st;
  const auto dialect = static_cast<unsigned short>(database_.SQLDialect());
  const ISC_STATUS r = isc_dsql_fetch(st, &handle_, dialect, out_->get());
  if (r == 100) {
    CloseCursor();
    return false;
  }
  Check(st);
  Row = ReadRow(Transaction);
  return true;
}

std::vector<TRecord> TIBStatement::FetchAll(TIBTransaction& Transaction) {
  std::vector<TRecord> rows;
  for (TRecord row; Fetch(Transaction, row);) rows.push_back(std::move(row));
  return rows;
}

void TIBStatement::CloseCursor() {
  singletonPending_ = false;
  if (!cursorOpen_) return;
  cursorOpen_ = false;
  ISC_STATUS_ARRAY st;
  isc_dsql_free_statement(st, &handle_, DSQL_close);
}

}  // namespace detail

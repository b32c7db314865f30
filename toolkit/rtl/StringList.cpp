#include "toolkit/rtl/AnsiText.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/NumberText.h"

#include <algorithm>

namespace {

[[noreturn]] void IndexError(int index) {
  throw EStringListError("\xCDndice da lista fora dos limites (" + IntToStr(index) + ")");
}

// Lines of text split at CR LF, LF or CR; a closing line break adds no empty line.
template <class F>
void ForEachLine(std::string_view text, F&& f) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    f(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

}  // namespace

// ---- TStrings

void TStrings::Put(int index, const std::string& s) {
  TObject* object = GetObject(index);
  Delete(index);
  InsertObject(index, s, object);
}

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const { return AnsiCompareText(a, b); }

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::Add(const std::string& s) {
  const int index = Count();
  Insert(index, s);
  return index;
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

int TStrings::AddObject(const std::string& s, TObject* object) {
  const int index = Add(s);
  PutObject(index, object);
  return index;
}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
  Insert(index, s);
  PutObject(index, object);
}

void TStrings::AddStrings(const TStrings* strings) {
  BeginUpdate();
  for (int i = 0; i < strings->Count(); ++i) AddObject(strings->Get(i), strings->GetObject(i));
  EndUpdate();
}

void TStrings::Assign(const TStrings* source) {
  if (source == this) return;
  BeginUpdate();
  Clear();
  AddStrings(source);
  NameValueSeparator = source->NameValueSeparator;
  Delimiter = source->Delimiter;
  QuoteChar = source->QuoteChar;
  EndUpdate();
}

void TStrings::Exchange(int index1, int index2) {
  BeginUpdate();
  const std::string s1 = Get(index1), s2 = Get(index2);
  TObject* o1 = GetObject(index1);
  TObject* o2 = GetObject(index2);
  Put(index1, s2);
  PutObject(index1, o2);
  Put(index2, s1);
  PutObject(index2, o1);
  EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  BeginUpdate();
  const std::string s = Get(curIndex);
  TObject* object = GetObject(curIndex);
  PutObject(curIndex, nullptr);
  Delete(curIndex);
  InsertObject(newIndex, s, object);
  EndUpdate();
}

int TStrings::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string s = Get(i);
    const size_t sep = s.find(NameValueSeparator);
    if (sep != std::string::npos && AnsiSameText(std::string_view(s).substr(0, sep), name)) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

std::string TStrings::Names(int index) const {
  const std::string s = Get(index);
  const size_t sep = s.find(NameValueSeparator);
  return sep == std::string::npos ? std::string() : s.substr(0, sep);
}

std::string TStrings::ValueFromIndex(int index) const {
  const std::string s = Get(index);
  const size_t sep = s.find(NameValueSeparator);
  return sep == std::string::npos ? std::string() : s.substr(sep + 1);
}

std::string TStrings::Values(const std::string& name) const {
  const int i = IndexOfName(name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValues(const std::string& name, const std::string& value) {
  const int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
  } else if (i >= 0) {
    Put(i, name + NameValueSeparator + value);
  } else {
    Add(name + NameValueSeparator + value);
  }
}

std::string TStrings::Text() const {
  std::string r;
  for (int i = 0; i < Count(); ++i) r.append(Get(i)).append("\r\n");
  return r;
}

void TStrings::SetText(std::string_view text) {
  BeginUpdate();
  Clear();
  ForEachLine(text, [this](std::string_view line) { Add(std::string(line)); });
  EndUpdate();
}

std::string TStrings::Joined(char delimiter, char quote) const {
  std::string r;
  for (int i = 0; i < Count(); ++i) {
    const std::string s = Get(i);
    const bool quoted = s.empty() || std::any_of(s.begin(), s.end(), [&](char c) {
      return static_cast<unsigned char>(c) <= ' ' || c == quote || c == delimiter;
    });
    if (i > 0) r += delimiter;
    if (!quoted) {
      r += s;
      continue;
    }
    r += quote;
    for (char c : s) {
      if (c == quote) r += c;
      r += c;
    }
    r += quote;
  }
  return r;
}

// Items are separated by the delimiter or by blanks outside quotes; quoted items keep their blanks.
void TStrings::Split(std::string_view text, char delimiter, char quote) {
  BeginUpdate();
  Clear();
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  };
  skipBlanks();
  while (i < text.size()) {
    std::string item;
    if (text[i] == quote) {
      for (++i; i < text.size(); ++i) {
        if (text[i] == quote) {
          if (i + 1 < text.size() && text[i + 1] == quote) ++i;
          else break;
        }
        item += text[i];
      }
      if (i < text.size()) ++i;
    } else {
      while (i < text.size() && text[i] != delimiter && static_cast<unsigned char>(text[i]) > ' ') item += text[i++];
    }
    Add(item);
    skipBlanks();
    if (i < text.size() && text[i] == delimiter) {
      ++i;
      skipBlanks();
      if (i == text.size()) Add("");  // a closing delimiter leaves an empty last item
    }
  }
  EndUpdate();
}

std::string TStrings::DelimitedText() const { return Joined(Delimiter, QuoteChar); }
void TStrings::SetDelimitedText(std::string_view text) { Split(text, Delimiter, QuoteChar); }
std::string TStrings::CommaText() const { return Joined(',', '"'); }
void TStrings::SetCommaText(std::string_view text) { Split(text, ',', '"'); }

void TStrings::LoadFromStream(TStream* stream) {
  const int64_t size = stream->Size() - stream->Position();
  std::string text(size_t(size > 0 ? size : 0), '\0');
  stream->ReadBuffer(text.data(), int64_t(text.size()));
  SetText(text);
}

void TStrings::SaveToStream(TStream* stream) const {
  const std::string text = Text();
  stream->WriteBuffer(text.data(), int64_t(text.size()));
}

// ---- TStringList

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  Clear();
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) Changing();
  else Changed();
}

void TStringList::FreeObject(TObject* object) {
  if (OwnsObjects) delete object;
}

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return items_[size_t(index)].text;
}

void TStringList::Put(int index, const std::string& s) {
  if (sorted_) throw EStringListError("Opera\xE7\xE3o n\xE3o permitida em lista ordenada");
  CheckIndex(index);
  Changing();
  items_[size_t(index)].text = s;
  Changed();
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return items_[size_t(index)].object;
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  Changing();
  items_[size_t(index)].object = object;
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(items_);
  for (Item& item : old) FreeObject(item.object);
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  TObject* object = items_[size_t(index)].object;
  items_.erase(items_.begin() + index);
  FreeObject(object);
  Changed();
}

void TStringList::InsertItem(int index, const std::string& s, TObject* object) {
  Changing();
  items_.insert(items_.begin() + index, Item{s, object});
  Changed();
}

void TStringList::Insert(int index, const std::string& s) {
  if (sorted_) throw EStringListError("Opera\xE7\xE3o n\xE3o permitida em lista ordenada");
  if (index < 0 || index > Count()) IndexError(index);
  InsertItem(index, s, nullptr);
}

int TStringList::AddObject(const std::string& s, TObject* object) {
  int index = Count();
  if (sorted_ && Find(s, index)) {
    if (Duplicates == dupIgnore) return index;
    if (Duplicates == dupError) throw EStringListError("A lista n\xE3o aceita itens repetidos");
  }
  InsertItem(index, s, object);
  return index;
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
  return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

int TStringList::IndexOf(const std::string& s) const {
  if (!sorted_) return TStrings::IndexOf(s);
  int index;
  return Find(s, index) ? index : -1;
}

bool TStringList::Find(const std::string& s, int& index) const {
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int c = CompareStrings(items_[size_t(mid)].text, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (Duplicates != dupAccept) lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

void TStringList::Sort() {
  Changing();
  std::stable_sort(items_.begin(), items_.end(),
                   [this](const Item& a, const Item& b) { return CompareStrings(a.text, b.text) < 0; });
  Changed();
}

void TStringList::CustomSort(const std::function<int(TStringList*, int, int)>& compare) {
  // The comparison looks lines up by index, so sort a permutation and apply it afterwards.
  std::vector<int> order(items_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = int(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(this, a, b) < 0; });
  Changing();
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int i : order) sorted.push_back(std::move(items_[size_t(i)]));
  items_.swap(sorted);
  Changed();
}

void TStringList::SetSorted(bool value) {
  if (value && !sorted_) Sort();
  sorted_ = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (value == caseSensitive_) return;
  caseSensitive_ = value;
  if (sorted_) Sort();
}

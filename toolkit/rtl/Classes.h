#pragma once
// Root object, streams and string lists.
#include "toolkit/rtl/Exceptions.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// windows.h maps GetObject to GetObjectA, which would rename TStrings::GetObject in Win32 code.
#undef GetObject

struct TPropInfo;
using TPropList = std::vector<const TPropInfo*>;

class TObject {
 public:
  virtual ~TObject() = default;
  // The class's own name ("TButton", "TfrmExames"), from the type of the complete object.
  virtual std::string ClassName() const;
  // Appends this class's published properties (TypInfo.h) to List, the base class's first.
  virtual void GetPublishedProperties(TPropList& List) const;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// ---- streams

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
 public:
  // Read and Write move up to count bytes and return how many moved.
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
  virtual int64_t Size();
  virtual void SetSize(int64_t newSize) = 0;
  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t pos) { Seek(pos, soBeginning); }
  // Move exactly count bytes or raise EReadError / EWriteError.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies count bytes from source's position; count 0 copies the whole source from its start.
  int64_t CopyFrom(TStream* source, int64_t count);
  std::string ClassName() const override { return "TStream"; }
};

namespace detail {

// A stream over a contiguous buffer of bytes held in memory.
template <class Buffer>
class BufferStream : public TStream {
 public:
  int64_t Read(void* buffer, int64_t count) override {
    const int64_t n = Available(count);
    if (n > 0) std::memcpy(buffer, data_.data() + position_, size_t(n));
    position_ += n;
    return n;
  }
  int64_t Write(const void* buffer, int64_t count) override {
    if (count <= 0) return 0;
    if (position_ + count > Size()) data_.resize(size_t(position_ + count));
    std::memcpy(data_.data() + position_, buffer, size_t(count));
    position_ += count;
    return count;
  }
  int64_t Seek(int64_t offset, TSeekOrigin origin) override {
    const int64_t base = origin == soBeginning ? 0 : (origin == soCurrent ? position_ : Size());
    if (base + offset < 0) throw EStreamError("Posi\xE7\xE3o inv\xE1lida no fluxo");
    return position_ = base + offset;
  }
  int64_t Size() override { return int64_t(data_.size()); }
  void SetSize(int64_t newSize) override {
    data_.resize(size_t(newSize < 0 ? 0 : newSize));
    if (position_ > Size()) position_ = Size();
  }

 protected:
  BufferStream() = default;
  explicit BufferStream(Buffer data) : data_(std::move(data)) {}
  int64_t Available(int64_t count) {
    const int64_t left = Size() - position_;
    return count < 0 ? 0 : (count < left ? count : (left < 0 ? 0 : left));
  }

  Buffer data_;
  int64_t position_ = 0;
};

}  // namespace detail

class TMemoryStream : public detail::BufferStream<std::vector<uint8_t>> {
 public:
  void* Memory() { return data_.data(); }
  const void* Memory() const { return data_.data(); }
  void Clear();
  // The whole of stream replaces the contents; position 0 afterwards.
  void LoadFromStream(TStream* stream);
  void SaveToStream(TStream* stream);
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);
  std::string ClassName() const override { return "TMemoryStream"; }
};

// A memory stream whose bytes are text.
class TStringStream : public detail::BufferStream<std::string> {
 public:
  explicit TStringStream(std::string data = {}) : BufferStream(std::move(data)) {}
  const std::string& DataString() const { return data_; }
  std::string ReadString(int64_t count);
  void WriteString(std::string_view s) { Write(s.data(), int64_t(s.size())); }
  std::string ClassName() const override { return "TStringStream"; }
};

// Open modes: one of fmCreate, fmOpenRead, fmOpenWrite, fmOpenReadWrite, or'ed with a share mode.
constexpr uint16_t fmCreate = 0xFF00;
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;

// A file opened through Win32; raises EFCreateError / EFOpenError when it cannot be opened.
class TFileStream : public TStream {
 public:
  TFileStream(const std::string& fileName, uint16_t mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t newSize) override;
  const std::string& FileName() const { return fileName_; }
  std::string ClassName() const override { return "TFileStream"; }

 private:
  std::string fileName_;
  void* handle_;
};

// ---- string lists

enum TDuplicates { dupIgnore, dupAccept, dupError };

// A list of strings with an object per line. Derived lists (a list box's items, a memo's lines)
// implement the storage; the text forms, names and values and files work for all.
class TStrings : public TObject {
 public:
  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* object);
  virtual void Clear() = 0;
  virtual void Delete(int index) = 0;
  virtual void Insert(int index, const std::string& s) = 0;
  virtual int IndexOf(const std::string& s) const;
  virtual int Add(const std::string& s);
  // Suspends change notifications (and redraws of a control's list) until the matching EndUpdate.
  void BeginUpdate();
  void EndUpdate();

  virtual int AddObject(const std::string& s, TObject* object);
  void InsertObject(int index, const std::string& s, TObject* object);
  void Append(const std::string& s) { Add(s); }
  void AddStrings(const TStrings* strings);
  // Replaces the lines and objects with those of source.
  void Assign(const TStrings* source);
  void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);
  int IndexOfName(const std::string& name) const;
  int IndexOfObject(const TObject* object) const;

  std::string Strings(int index) const { return Get(index); }
  void SetStrings(int index, const std::string& s) { Put(index, s); }
  std::string operator[](int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetObject(index); }
  void SetObjects(int index, TObject* object) { PutObject(index, object); }

  // "name=value" lines.
  std::string Names(int index) const;
  std::string ValueFromIndex(int index) const;
  std::string Values(const std::string& name) const;
  // An empty value removes the line.
  void SetValues(const std::string& name, const std::string& value);
  char NameValueSeparator = '=';

  // Every line closed by CR LF; reading accepts CR LF, LF and CR.
  std::string Text() const;
  virtual void SetText(std::string_view text);
  // Comma-separated, quoted with '"' where a line has blanks, commas or quotes.
  std::string CommaText() const;
  void SetCommaText(std::string_view text);
  std::string DelimitedText() const;
  void SetDelimitedText(std::string_view text);
  char Delimiter = ',';
  char QuoteChar = '"';

  virtual void LoadFromStream(TStream* stream);
  virtual void SaveToStream(TStream* stream) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

 protected:
  virtual void SetUpdateState(bool updating) {}
  // Line comparison of IndexOf and friends (TStringList follows CaseSensitive).
  virtual int CompareStrings(const std::string& a, const std::string& b) const;
  int UpdateCount() const { return updateCount_; }

 private:
  std::string Joined(char delimiter, char quote) const;
  void Split(std::string_view text, char delimiter, char quote);

  int updateCount_ = 0;
};

class TStringList : public TStrings {
 public:
  TStringList() = default;
  ~TStringList() override;
  TStringList(const TStringList&) = delete;
  TStringList& operator=(const TStringList&) = delete;

  int Count() const override { return int(items_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  void Clear() override;
  void Delete(int index) override;
  void Insert(int index, const std::string& s) override;
  int IndexOf(const std::string& s) const override;
  int Add(const std::string& s) override { return AddObject(s, nullptr); }
  // A sorted list that ignores a duplicate keeps the line it has, and its object.
  int AddObject(const std::string& s, TObject* object) override;

  // Sorts case-insensitively (accents with their base letter) unless CaseSensitive.
  void Sort();
  void CustomSort(const std::function<int(TStringList* list, int index1, int index2)>& compare);
  // Binary search of a sorted list; index is where s is or would go.
  bool Find(const std::string& s, int& index) const;

  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool value);
  TDuplicates Duplicates = dupIgnore;
  // The list deletes its objects when lines are deleted or the list is destroyed.
  bool OwnsObjects = false;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  void SetUpdateState(bool updating) override;
  int CompareStrings(const std::string& a, const std::string& b) const override;

 private:
  struct Item {
    std::string text;
    TObject* object = nullptr;
  };
  void CheckIndex(int index) const;
  void Changing();
  void Changed();
  void InsertItem(int index, const std::string& s, TObject* object);
  void FreeObject(TObject* object);

  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
};

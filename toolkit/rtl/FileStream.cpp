#include <windows.h>

#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

// Without a share mode (compat) the file is opened exclusively, as the library always did.
DWORD ShareMode(uint16_t mode) {
  switch (mode & 0xF0) {
    case fmShareDenyWrite: return FILE_SHARE_READ;
    case fmShareDenyRead: return FILE_SHARE_WRITE;
    case fmShareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0;  // compat and exclusive
  }
}

HANDLE Handle(void* h) { return static_cast<HANDLE>(h); }

}  // namespace

TFileStream::TFileStream(const std::string& fileName, uint16_t mode) : fileName_(fileName) {
  DWORD access, disposition;
  if ((mode & fmCreate) == fmCreate) {
    access = GENERIC_READ | GENERIC_WRITE;
    disposition = CREATE_ALWAYS;
  } else {
    static const DWORD kAccess[3] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
    access = kAccess[(mode & 3) < 3 ? (mode & 3) : 0];
    disposition = OPEN_EXISTING;
  }
  handle_ = CreateFileA(fileName.c_str(), access, ShareMode(mode), nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle_ == INVALID_HANDLE_VALUE) {
    const std::string reason = SysErrorMessage(GetLastError());
    if (disposition == CREATE_ALWAYS)
      throw EFCreateError("N\xE3o foi poss\xEDvel criar o arquivo \"" + fileName + "\". " + reason);
    throw EFOpenError("N\xE3o foi poss\xEDvel abrir o arquivo \"" + fileName + "\". " + reason);
  }
}

TFileStream::~TFileStream() { CloseHandle(Handle(handle_)); }

namespace {

// Moves count bytes in chunks that a DWORD can count; stops at the first short or failed chunk.
template <class Transfer>
int64_t InChunks(int64_t count, Transfer&& transfer) {
  int64_t total = 0;
  while (count > 0) {
    const DWORD chunk = DWORD(count < (1 << 30) ? count : (1 << 30));
    DWORD n = 0;
    if (!transfer(total, chunk, &n) || n == 0) break;
    total += n;
    count -= n;
  }
  return total;
}

}  // namespace

int64_t TFileStream::Read(void* buffer, int64_t count) {
  return InChunks(count, [&](int64_t done, DWORD chunk, DWORD* n) {
    return ReadFile(Handle(handle_), static_cast<char*>(buffer) + done, chunk, n, nullptr);
  });
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  return InChunks(count, [&](int64_t done, DWORD chunk, DWORD* n) {
    return WriteFile(Handle(handle_), static_cast<const char*>(buffer) + done, chunk, n, nullptr);
  });
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  static const DWORD kMethod[3] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  LARGE_INTEGER distance, result;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(Handle(handle_), distance, &result, kMethod[origin]))
    throw EStreamError("Posi\xE7\xE3o inv\xE1lida no arquivo \"" + fileName_ + "\"");
  return result.QuadPart;
}

void TFileStream::SetSize(int64_t newSize) {
  const int64_t pos = Position();
  Seek(newSize, soBeginning);
  if (!SetEndOfFile(Handle(handle_)))
    throw EStreamError("N\xE3o foi poss\xEDvel mudar o tamanho do arquivo \"" + fileName_ + "\"");
  if (pos < newSize) Seek(pos, soBeginning);
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
  TFileStream file(fileName, fmCreate);
  SaveToStream(&file);
}

void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

void TStrings::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(&file);
}

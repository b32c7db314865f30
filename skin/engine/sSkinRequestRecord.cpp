#include "skin/engine/sSkinRequestRecord.h"

#include <algorithm>
#include <memory>

#include "toolkit/rtl/StringUtils.h"

namespace {

bool Preview = false;
std::unique_ptr<std::string> Pending;

// A text field read only within its size, ending at its first NUL when it has one.
std::string Field(const unsigned char* Record, std::size_t Offset, std::size_t Size) {
  const char* Begin = reinterpret_cast<const char*>(Record + Offset);
  return std::string(Begin, std::find(Begin, Begin + Size, '\0'));
}

}  // namespace

std::optional<TSkinRequest> ParseSkinRequest(const TSkinRequestInput& Input) {
  if (Input.WParam != SkinRequestWParam || !Input.StartedForPreview || !Input.EditorAlive) return std::nullopt;
  if (!Input.Data || Input.DataSize < SkinRequestSize) return std::nullopt;
  const auto* Record = static_cast<const unsigned char*>(Input.Data);
  const std::uint32_t Magic = std::uint32_t(Record[0]) | std::uint32_t(Record[1]) << 8 |
                              std::uint32_t(Record[2]) << 16 | std::uint32_t(Record[3]) << 24;
  if (Magic != SkinRequestMagic) return std::nullopt;
  return TSkinRequest{Field(Record, SkinRequestNameOffset, SkinRequestNameSize),
                      Field(Record, SkinRequestDirOffset, SkinRequestDirSize),
                      Field(Record, SkinRequestTextOffset, SkinRequestTextSize)};
}

bool SkinPreviewMode() { return Preview; }

const std::string* PendingSkinOptions() { return Pending.get(); }

TPendingSkinRequest::TPendingSkinRequest(const TSkinRequest& Request) {
  Preview = true;
  Pending = std::make_unique<std::string>(Request.OptionsText);
}

TPendingSkinRequest::~TPendingSkinRequest() { Pending.reset(); }

TSkinSwitches ParseSkinSwitches(const std::vector<std::string>& Params) {
  TSkinSwitches S;
  for (const std::string& P : Params) {
    const std::string Lower = LowerCase(P);
    S.ShowVersion = S.ShowVersion || Lower == "/acver";
    S.TestOldSkins = S.TestOldSkins || Lower == "/actest";
    S.Preview = S.Preview || Lower == "/acpreview";
  }
  return S;
}

#pragma once
// The skin-change request a skin editor sends from another process (outside input), the process state
// it leaves, and the skin switches of the command line. Pure: no windows.h.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr std::uintptr_t SkinRequestWParam = 7;
constexpr std::uint32_t SkinRequestMagic = 0xA400;
// The record: magic (4), skin name (128), skin directory (513), options text (30001).
constexpr std::size_t SkinRequestNameOffset = 4, SkinRequestNameSize = 128;
constexpr std::size_t SkinRequestDirOffset = 132, SkinRequestDirSize = 513;
constexpr std::size_t SkinRequestTextOffset = 645, SkinRequestTextSize = 30001;
constexpr std::size_t SkinRequestSize = 30646;

struct TSkinRequest {
  std::string SkinName, SkinDirectory, OptionsText;
};

// What arrived with the message and what the process knows of the sender.
struct TSkinRequestInput {
  std::uintptr_t WParam = 0;
  const void* Data = nullptr;
  std::size_t DataSize = 0;
  // The program was started with "/acpreview".
  bool StartedForPreview = false;
  // The announced editor's window still exists.
  bool EditorAlive = false;
};

// The request, or nothing when it is refused: another wParam, no preview start, the editor gone,
// fewer bytes than a record or another magic. Each text ends at its first NUL or at its field's end.
std::optional<TSkinRequest> ParseSkinRequest(const TSkinRequestInput& Input);

// Set by the first accepted request and never cleared: a skin folder wins over a packed skin.
bool SkinPreviewMode();
// The options text of the request being applied (the loader's pending options); nullptr otherwise.
const std::string* PendingSkinOptions();

// While it lives, a request is being applied: the preview flag is set and the pending options hold
// the request's text; they are freed on every way out.
class TPendingSkinRequest {
 public:
  explicit TPendingSkinRequest(const TSkinRequest& Request);
  ~TPendingSkinRequest();
  TPendingSkinRequest(const TPendingSkinRequest&) = delete;
  TPendingSkinRequest& operator=(const TPendingSkinRequest&) = delete;
};

// The skin switches among the program's parameters (lower-cased before the comparison).
struct TSkinSwitches {
  bool ShowVersion = false;  // "/acver"
  bool TestOldSkins = false; // "/actest"
  bool Preview = false;      // "/acpreview"
};
TSkinSwitches ParseSkinSwitches(const std::vector<std::string>& Params);

#include "skin/engine/sSkinUtils.h"

#include <shellapi.h>

#include "skin/engine/sSkinGlobals.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/ui/Forms.h"

bool RectIntersects(const TRect& R1, const TRect& R2) {
  if (R2.bottom <= R1.top || R2.right <= R1.left || R2.left >= R1.right || R2.top >= R1.bottom) return false;
  return !IsRectEmpty(&R2);
}

bool RectInsideRect(const TRect& Outer, const TRect& Inner) {
  const TRect Grown{Outer.left, Outer.top, Outer.right + 1, Outer.bottom + 1};
  return PtInRect(&Grown, POINT{Inner.left, Inner.top}) && PtInRect(&Grown, POINT{Inner.right, Inner.bottom});
}

TsCacheInfo NewCacheInfo(TBitmap* Bmp, int X, int Y) { return {Bmp, X, Y, clFuchsia, true}; }

std::string AppPath() {
  const std::string Path = ParamStr(0);
  const size_t End = Path.find_last_of("\\:");
  return End == std::string::npos ? std::string() : Path.substr(0, End + 1);
}

std::unique_ptr<TIcon> GetFileIcon(const std::string& FileName, UINT Flags) {
  if (!FileExists(FileName)) return nullptr;
  SHFILEINFOA Info{};
  if (!SHGetFileInfoA(FileName.c_str(), 0, &Info, sizeof(Info), Flags | SHGFI_ICON) || !Info.hIcon) return nullptr;
  auto Icon = std::make_unique<TIcon>();
  Icon->SetHandle(Info.hIcon);
  return Icon;
}

void ShowError(const std::string& Message) { MessageDlg(Message, mtError, MsgDlgButton(mbOK), 0); }

void DelayWithMessages(DWORD Milliseconds) {
  const DWORD Start = Bindings().TickCount();
  do {
    Application->ProcessMessages();
  } while (Bindings().TickCount() - Start < Milliseconds);
}

namespace {

bool CaptionFont(LOGFONTA& Font) {
  NONCLIENTMETRICSA Metrics{};
  Metrics.cbSize = sizeof(Metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(Metrics), &Metrics, 0)) return false;
  Font = Metrics.lfCaptionFont;
  return true;
}

}  // namespace

int CaptionFontHeight() {
  LOGFONTA Font;
  return CaptionFont(Font) ? Font.lfHeight : 0;
}

HFONT CreateCaptionFont() {
  LOGFONTA Font;
  return CaptionFont(Font) ? CreateFontIndirectA(&Font) : nullptr;
}

bool GetMinimizeAnimation() {
  ANIMATIONINFO Info{sizeof(ANIMATIONINFO), 0};
  return SystemParametersInfoA(SPI_GETANIMATION, sizeof(Info), &Info, 0) && Info.iMinAnimate != 0;
}

bool SetMinimizeAnimation(bool On) {
  ANIMATIONINFO Info{sizeof(ANIMATIONINFO), On ? -1 : 0};
  return SystemParametersInfoA(SPI_SETANIMATION, sizeof(Info), &Info, 0);
}

bool IsWinXPOrLater() {
  OSVERSIONINFOA Version{};
  Version.dwOSVersionInfoSize = sizeof(Version);
  if (!GetVersionExA(&Version)) return false;
  return Version.dwMajorVersion > 5 || (Version.dwMajorVersion == 5 && Version.dwMinorVersion >= 1);
}

bool DebuggerPresent() {
  const auto IsPresent = Bindings().IsDebuggerPresent;
  return !IsPresent || IsPresent();
}

bool IsWow64() {
  const auto IsWow64Process = Bindings().IsWow64Process;
  BOOL Result = FALSE;
  return IsWow64Process && IsWow64Process(GetCurrentProcess(), &Result) && Result;
}

#include "core/UBApplication.h"

#include <windows.h>

#include "toolkit/rtl/SysUtils.h"

namespace {

TCoreMessageHook& Hook() {
  static TCoreMessageHook hook;
  return hook;
}

}  // namespace

std::string ApplicationTitle() { return ChangeFileExt(ExtractFileName(ParamStr(0)), ""); }

int ShowCoreMessage(const std::string& Text, const std::string& Caption, unsigned Flags) {
  if (Hook()) return Hook()(Text, Caption, Flags);
  return MessageBoxA(GetActiveWindow(), Text.c_str(), Caption.c_str(), Flags);
}

void SetCoreMessageHook(TCoreMessageHook Hook_) { Hook() = std::move(Hook_); }

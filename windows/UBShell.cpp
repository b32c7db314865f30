#include "windows/UBShell.h"

#include <shellapi.h>
#include <shlobj.h>

namespace {

detail::TShellHook& Hook() {
  static detail::TShellHook hook;
  return hook;
}

INT_PTR Call(const TShellCall& Call, const std::function<INT_PTR()>& System) {
  return Hook() ? Hook()(Call) : System();
}

}  // namespace

void detail::SetShellHook(TShellHook Value) { Hook() = std::move(Value); }

INT_PTR ShellExecutar(HWND Owner, const std::string& Operation, const std::string& File,
                      const std::string& Parameters, const std::string& Directory, int ShowCmd) {
  return Call({"ShellExecuteA", {Operation, File, Parameters, Directory, std::to_string(ShowCmd)}, 33}, [&] {
    auto text = [](const std::string& s) { return s.empty() ? nullptr : s.c_str(); };
    return reinterpret_cast<INT_PTR>(
        ShellExecuteA(Owner, text(Operation), File.c_str(), text(Parameters), text(Directory), ShowCmd));
  });
}

UINT ShellWinExec(const std::string& CmdLine, UINT CmdShow) {
  return static_cast<UINT>(Call({"WinExec", {CmdLine, std::to_string(CmdShow)}, 33},
                                [&] { return static_cast<INT_PTR>(WinExec(CmdLine.c_str(), CmdShow)); }));
}

DWORD ShellFormatarDrive(HWND Owner, UINT Drive, UINT FmtID, UINT Options) {
  return static_cast<DWORD>(
      Call({"SHFormatDrive", {std::to_string(Drive), std::to_string(FmtID), std::to_string(Options)}, 0},
           [&] { return static_cast<INT_PTR>(SHFormatDrive(Owner, Drive, FmtID, Options)); }));
}

bool ShellRotularVolume(const std::string& RootPath, const std::string& VolumeName) {
  return Call({"SetVolumeLabelA", {RootPath, VolumeName}, 1}, [&] {
           return static_cast<INT_PTR>(SetVolumeLabelA(RootPath.c_str(), VolumeName.c_str()));
         }) != 0;
}

INT_PTR ShellRegistrar(const std::string& Function, const std::vector<std::string>& Arguments) {
  return Call({Function, Arguments, 0}, [] { return INT_PTR(0); });
}

void PressionarF1() {
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

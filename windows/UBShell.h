#pragma once
// Every call of the program into the shell (documents, programs, drive formatting and volume
// labels) goes through one routine, which a test or a hooked run takes over: while a hook is set,
// each call goes to it and its answer comes back instead of the system's.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct TShellCall {
  std::string Function;  // "ShellExecuteA", "WinExec", "SHFormatDrive", "SetVolumeLabelA", or one of ShellRegistrar
  std::vector<std::string> Arguments;
  // What the system answers when the call succeeds.
  INT_PTR Success = 0;
};

namespace detail {
using TShellHook = std::function<INT_PTR(const TShellCall& Call)>;
void SetShellHook(TShellHook Hook);
}  // namespace detail

INT_PTR ShellExecutar(HWND Owner, const std::string& Operation, const std::string& File,
                      const std::string& Parameters, const std::string& Directory, int ShowCmd);
UINT ShellWinExec(const std::string& CmdLine, UINT CmdShow);
DWORD ShellFormatarDrive(HWND Owner, UINT Drive, UINT FmtID, UINT Options);
bool ShellRotularVolume(const std::string& RootPath, const std::string& VolumeName);

// A call that has no system routine here: only a hook sees it (and logs it); the answer is 0 without one.
INT_PTR ShellRegistrar(const std::string& Function, const std::vector<std::string>& Arguments);

// Presses and releases F1, as the help buttons of the windows do.
void PressionarF1();

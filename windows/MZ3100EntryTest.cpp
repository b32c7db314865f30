// The program's entry: a second copy finds the first through its application window, shows it and
// ends without creating anything; closing the main window ends the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kTitle[] = "MZ3100VXE";

std::string ProgramPath() {
  std::string path = std::string("Z:") + std::getenv("MZ_BINARY_DIR") + "/windows/MZ3100.exe.so";
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

PROCESS_INFORMATION Start() {
  std::string cmd = "\"" + ProgramPath() + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  EXPECT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      << GetLastError();
  return pi;
}

// The top-level windows of a class and title.
std::vector<HWND> Windows(const char* ClassName, const char* Title) {
  std::vector<HWND> found;
  for (HWND h = FindWindowExA(nullptr, nullptr, ClassName, Title); h; h = FindWindowExA(nullptr, h, ClassName, Title)) {
    found.push_back(h);
  }
  return found;
}

HWND WaitForWindow(const char* ClassName, const char* Title, DWORD Ms) {
  for (DWORD waited = 0; waited < Ms; waited += 50) {
    if (HWND h = FindWindowA(ClassName, Title)) return h;
    Sleep(50);
  }
  return nullptr;
}

TEST(ProgramEntry, SecondCopyShowsTheFirstAndEnds) {
  ASSERT_EQ(FindWindowA("TApplication", kTitle), nullptr) << "a copy of the program is already running";
  PROCESS_INFORMATION first = Start();
  const HWND app = WaitForWindow("TApplication", kTitle, 60000);
  ASSERT_TRUE(app);
  const HWND main = WaitForWindow("TfrmPrincipal", kTitle, 30000);
  ASSERT_TRUE(main);
  EXPECT_EQ(GetWindow(main, GW_OWNER), app);
  RECT r{};
  GetWindowRect(main, &r);
  EXPECT_EQ(r.right - r.left, 800);
  EXPECT_EQ(r.bottom - r.top, 600);
  EXPECT_FALSE(IsWindowVisible(app));
  // The bitmap system's start-up ran: its theme window belongs to the program.
  const HWND nexus = FindWindowA("TThemeNexus", nullptr);
  EXPECT_TRUE(nexus);
  DWORD owner = 0;
  GetWindowThreadProcessId(nexus, &owner);
  EXPECT_EQ(owner, first.dwProcessId);

  PROCESS_INFORMATION second = Start();
  EXPECT_EQ(WaitForSingleObject(second.hProcess, 60000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(second.hProcess, &code);
  EXPECT_EQ(code, 0u);
  // The second copy made no windows of its own and asked the first one's window to show.
  EXPECT_EQ(Windows("TApplication", kTitle), std::vector<HWND>{app});
  EXPECT_EQ(Windows("TfrmPrincipal", nullptr), std::vector<HWND>{main});
  EXPECT_EQ(Windows("TThemeNexus", nullptr), std::vector<HWND>{nexus});
  EXPECT_TRUE(IsWindowVisible(app));
  EXPECT_EQ(WaitForSingleObject(first.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));

  // Closing the main window ends the program.
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(first.hProcess, 30000), WAIT_OBJECT_0);
  EXPECT_FALSE(IsWindow(app));
  for (PROCESS_INFORMATION* pi : {&first, &second}) {
    CloseHandle(pi->hThread);
    CloseHandle(pi->hProcess);
  }
}

}  // namespace

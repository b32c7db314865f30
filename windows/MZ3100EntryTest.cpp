// The program itself, run on a copy of a test installation: the first start creates its database
// and leaves the user's regional values as they were; a second copy finds the first through its
// application window, shows it and ends without creating anything; the start-up runs once even when
// the program is activated while its boxes are up.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "windows/WindowsTestSupport.h"

namespace {

using windowstest::CaminhoWindows;
using windowstest::TInstalacaoTeste;

const char kTitle[] = "MZ3100VXE";

PROCESS_INFORMATION Start(const std::filesystem::path& Program) {
  std::string cmd = "\"" + CaminhoWindows(Program) + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  EXPECT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      << GetLastError();
  return pi;
}

void Close(PROCESS_INFORMATION& pi) {
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

// The top-level windows of a class and title.
std::vector<HWND> Windows(const char* ClassName, const char* Title) {
  std::vector<HWND> found;
  for (HWND h = FindWindowExA(nullptr, nullptr, ClassName, Title); h; h = FindWindowExA(nullptr, h, ClassName, Title)) {
    found.push_back(h);
  }
  return found;
}

// Polls another process's state until Done or Ms have passed.
bool WaitFor(const std::function<bool()>& Done, DWORD Ms = 120000) {
  for (DWORD waited = 0; !Done(); waited += 50) {
    if (waited >= Ms) return false;
    Sleep(50);
  }
  return true;
}

HWND WaitForWindow(const char* ClassName, const char* Title) {
  HWND h = nullptr;
  WaitFor([&] { return (h = FindWindowA(ClassName, Title)) != nullptr; });
  return h;
}

// The user's regional values that the program overrides while it runs.
std::array<std::string, 6> RegionalValues() {
  std::array<std::string, 6> values;
  const char* const names[] = {"sDecimal", "sShortDate", "sThousand", "sTimeFormat", "s1159", "s2359"};
  for (size_t i = 0; i < values.size(); ++i) {
    char buf[256] = {};
    DWORD size = sizeof buf;
    values[i] = RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\International", names[i], RRF_RT_REG_SZ, nullptr, buf,
                             &size) == ERROR_SUCCESS
                    ? buf
                    : "(none)";
  }
  return values;
}

class ProgramEntry : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(FindWindowA("TApplication", kTitle), nullptr) << "a copy of the program is running"; }
  void TearDown() override { SetEnvironmentVariableA("MZ_HOOK_DIR", nullptr); }
};

TEST_F(ProgramEntry, FirstStartCreatesTheDatabaseAndASecondCopyShowsTheFirstAndEnds) {
  TInstalacaoTeste::TOpcoes opcoes;
  opcoes.BancoDeDados = false;
  TInstalacaoTeste inst("entrada", opcoes);
  const std::filesystem::path program = inst.CopiarPrograma();
  const std::filesystem::path hook = inst.Pasta("gancho");
  std::filesystem::create_directories(hook);
  SetEnvironmentVariableA("MZ_HOOK_DIR", CaminhoWindows(hook).c_str());
  const std::filesystem::path database = inst.Pasta("BancoDados") / "DATABASE.GDB";
  const auto regional = RegionalValues();

  PROCESS_INFORMATION first = Start(program);
  const HWND app = WaitForWindow("TApplication", kTitle);
  ASSERT_TRUE(app);
  const HWND main = WaitForWindow("TfrmPrincipal", kTitle);
  ASSERT_TRUE(main);
  // The start-up has run once its splash, shown before the database was made, is gone.
  EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(database) && !FindWindowA("TfrmIniciando", nullptr); }));
  EXPECT_EQ(GetWindow(main, GW_OWNER), app);
  RECT r{};
  GetWindowRect(main, &r);
  EXPECT_EQ(r.right - r.left, 800);
  EXPECT_EQ(r.bottom - r.top, 600);
  EXPECT_FALSE(IsWindowVisible(app));
  // The bitmap system's start-up ran: the program has a theme window (the test has its own).
  const std::vector<HWND> nexus = Windows("TThemeNexus", nullptr);
  EXPECT_EQ(std::count_if(nexus.begin(), nexus.end(), [&](HWND h) {
              DWORD owner = 0;
              GetWindowThreadProcessId(h, &owner);
              return owner == first.dwProcessId;
            }),
            1);

  PROCESS_INFORMATION second = Start(program);
  EXPECT_EQ(WaitForSingleObject(second.hProcess, 60000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(second.hProcess, &code);
  EXPECT_EQ(code, 0u);
  // The second copy made no windows of its own and asked the first one's window to show.
  EXPECT_EQ(Windows("TApplication", kTitle), std::vector<HWND>{app});
  EXPECT_EQ(Windows("TfrmPrincipal", nullptr), std::vector<HWND>{main});
  EXPECT_EQ(Windows("TThemeNexus", nullptr), nexus);
  EXPECT_TRUE(IsWindowVisible(app));
  EXPECT_EQ(WaitForSingleObject(first.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));

  // Closing the main window ends the program and puts the user's regional values back.
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(first.hProcess, 30000), WAIT_OBJECT_0);
  EXPECT_FALSE(IsWindow(app));
  EXPECT_EQ(RegionalValues(), regional);
  // Nothing asked the user anything.
  EXPECT_FALSE(std::filesystem::exists(hook / "registro.txt"));
  Close(first);
  Close(second);
}

TEST_F(ProgramEntry, StartUpRunsOnceWhileItsBoxesAreUp) {
  TInstalacaoTeste inst("entrada-boxes");
  const std::filesystem::path program = inst.CopiarPrograma();
  std::ofstream(inst.Pasta("BancoDados") / "DATABASE.GDB", std::ios::binary | std::ios::trunc)
      << std::string(4096, 'x');

  PROCESS_INFORMATION pi = Start(program);
  const HWND app = WaitForWindow("TApplication", kTitle);
  ASSERT_TRUE(app);
  // Each box: the program is activated again while it is up, then it is answered; the next box is
  // the step's own, never the first one again.
  struct TBox {
    const char* Caption;
  };
  for (const TBox box : {TBox{"ERRO"}, TBox{"Informação"}}) {
    SCOPED_TRACE(box.Caption);
    HWND shown = nullptr;
    ASSERT_TRUE(WaitFor([&] {
      return (shown = FindWindowA("#32770", "ERRO")) != nullptr || (shown = FindWindowA("#32770", "Informação"));
    }));
    char caption[64] = {};
    GetWindowTextA(shown, caption, sizeof caption);
    EXPECT_STREQ(caption, box.Caption);
    SendMessageA(app, WM_ACTIVATEAPP, FALSE, 0);
    SendMessageA(app, WM_ACTIVATEAPP, TRUE, 0);
    PostMessageA(shown, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(shown); }));
  }
  const HWND main = WaitForWindow("TfrmPrincipal", kTitle);
  ASSERT_TRUE(WaitFor([] { return !FindWindowA("TfrmIniciando", nullptr); }));
  EXPECT_EQ(FindWindowA("#32770", "ERRO"), nullptr);
  EXPECT_EQ(FindWindowA("#32770", "Informação"), nullptr);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0);
  Close(pi);
}

TEST_F(ProgramEntry, AHookedRunLogsItsBoxesAndTakesTheirDefaultAnswers) {
  TInstalacaoTeste inst("entrada-gancho");
  const std::filesystem::path program = inst.CopiarPrograma();
  WritePrivateProfileStringA("CAMERA", nullptr, nullptr, CaminhoWindows(inst.Raiz() / "MZ3100.ini").c_str());
  const std::filesystem::path hook = inst.Pasta("gancho");
  std::filesystem::create_directories(hook);
  SetEnvironmentVariableA("MZ_HOOK_DIR", CaminhoWindows(hook).c_str());
  // Without its settings the program says so and ends by itself.
  PROCESS_INFORMATION pi = Start(program);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
  Close(pi);
  std::ifstream log(hook / "registro.txt", std::ios::binary);
  std::stringstream text;
  text << log.rdbuf();
  EXPECT_EQ(text.str(), "MessageBox\tErro ao carregar o arquivo de configuração\tInformação\t48\t0\t1\t\r\n");
}

}  // namespace

// Program entry: one running copy, then the application window and the start screen.
#include <windows.h>

namespace {

const char kTitle[] = "MZ3100VXE";

LRESULT CALLBACK MainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int show) {
  // A running copy is marked by its application window; bring it forward and create nothing.
  if (HWND running = FindWindowA("TApplication", kTitle)) {
    ShowWindow(running, SW_SHOWNORMAL);
    return 0;
  }
  WNDCLASSA app{};
  app.lpfnWndProc = DefWindowProcA;
  app.hInstance = inst;
  app.lpszClassName = "TApplication";
  RegisterClassA(&app);
  CreateWindowExA(0, "TApplication", kTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, nullptr);

  WNDCLASSA main{};
  main.lpfnWndProc = MainProc;
  main.hInstance = inst;
  main.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  main.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  main.lpszClassName = "TfrmPrincipal";
  RegisterClassA(&main);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - 800) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - 600) / 2;
  HWND frm = CreateWindowExA(0, "TfrmPrincipal", kTitle, WS_POPUP | WS_SYSMENU, x, y, 800, 600, nullptr, nullptr,
                             inst, nullptr);
  ShowWindow(frm, show);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

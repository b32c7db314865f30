// Harness regression: real windows under Wine and Xvfb. A subclass records the messages of a
// show / move / close sequence, compared with a table in the style of Wine's message tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorded {
  HWND hwnd;
  UINT msg;
};

std::vector<Recorded> g_log;
WNDPROC g_oldTop = nullptr;
WNDPROC g_oldChild = nullptr;

bool Interesting(UINT msg) {
  switch (msg) {
    case WM_SHOWWINDOW: case WM_WINDOWPOSCHANGING: case WM_WINDOWPOSCHANGED: case WM_MOVE:
    case WM_SIZE: case WM_CLOSE: case WM_DESTROY: case WM_NCDESTROY:
      return true;
  }
  return false;
}

LRESULT CALLBACK TopSub(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (Interesting(m)) g_log.push_back({h, m});
  return CallWindowProcA(g_oldTop, h, m, w, l);
}

LRESULT CALLBACK ChildSub(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (Interesting(m)) g_log.push_back({h, m});
  return CallWindowProcA(g_oldChild, h, m, w, l);
}

struct Expected {
  int who;  // 0 top, 1 child
  UINT msg;
  bool optional;
};

// Checks the log against the table; optional entries may be missing, nothing else may differ.
void ExpectSequence(HWND top, HWND child, const std::vector<Expected>& table, const char* what) {
  size_t i = 0;
  for (const Expected& e : table) {
    HWND want = e.who == 0 ? top : child;
    if (i < g_log.size() && g_log[i].hwnd == want && g_log[i].msg == e.msg) {
      ++i;
    } else if (!e.optional) {
      ADD_FAILURE() << what << ": expected message 0x" << std::hex << e.msg << " at " << std::dec << i
                    << (i < g_log.size() ? " but got 0x" : " but the log ended")
                    << std::hex << (i < g_log.size() ? g_log[i].msg : 0);
      return;
    }
  }
  EXPECT_EQ(i, g_log.size()) << what << ": unexpected extra messages";
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

TEST(HarnessWindow, ShowMoveCloseSequence) {
  HWND top = CreateWindowExA(0, "STATIC", "MZ harness", WS_POPUP, 10, 10, 200, 150, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(top);
  HWND child = CreateWindowExA(0, "STATIC", "child", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, top, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(child);
  g_oldTop = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(top, GWLP_WNDPROC, LONG_PTR(TopSub)));
  g_oldChild = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(child, GWLP_WNDPROC, LONG_PTR(ChildSub)));

  g_log.clear();
  ShowWindow(top, SW_SHOWNOACTIVATE);
  Pump();
  ExpectSequence(top, child,
                 {{0, WM_SHOWWINDOW, false}, {0, WM_WINDOWPOSCHANGING, false}, {0, WM_WINDOWPOSCHANGED, false},
                  {0, WM_SIZE, true}, {0, WM_MOVE, true}},
                 "show");
  EXPECT_TRUE(IsWindowVisible(top));
  EXPECT_TRUE(IsWindowVisible(child));

  g_log.clear();
  SetWindowPos(top, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  ExpectSequence(top, child,
                 {{0, WM_WINDOWPOSCHANGING, false}, {0, WM_WINDOWPOSCHANGED, false}, {0, WM_MOVE, false}},
                 "move");
  RECT r;
  GetWindowRect(top, &r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 50);

  g_log.clear();
  SendMessageA(top, WM_CLOSE, 0, 0);  // DefWindowProc's WM_CLOSE destroys the window
  Pump();
  ExpectSequence(top, child,
                 {{0, WM_CLOSE, false}, {0, WM_SHOWWINDOW, true}, {0, WM_WINDOWPOSCHANGING, true},
                  {0, WM_WINDOWPOSCHANGED, true}, {0, WM_DESTROY, false}, {1, WM_DESTROY, false},
                  {1, WM_NCDESTROY, false}, {0, WM_NCDESTROY, false}},
                 "close");
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(child));
}

TEST(HarnessWindow, PaintIntoDibSectionAndReadBack) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = 16;
  bi.bmiHeader.biHeight = -16;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_TRUE(bmp && bits);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all{0, 0, 16, 16};
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  FillRect(dc, &all, white);
  RECT part{4, 4, 8, 8};
  HBRUSH red = CreateSolidBrush(RGB(200, 10, 20));
  FillRect(dc, &part, red);
  GdiFlush();
  const auto* px = static_cast<const DWORD*>(bits);
  EXPECT_EQ(px[5 * 16 + 5] & 0xFFFFFF, 0xC80A14u);  // BGRA in memory reads as 0x00RRGGBB
  EXPECT_EQ(px[0] & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(px[8 * 16 + 8] & 0xFFFFFF, 0xFFFFFFu);  // the rectangle's right/bottom edges are excluded
  SelectObject(dc, old);
  DeleteObject(red);
  DeleteObject(white);
  DeleteObject(bmp);
  DeleteDC(dc);
}

}  // namespace

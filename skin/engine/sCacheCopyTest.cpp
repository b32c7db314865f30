// The copy of an owner's cache to a DC around its children, on real windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "skin/engine/sCommonData.h"
#include "skin/engine/sControlPaintTestSupport.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

using skintest::ControlPaint;
using skintest::MakeSkinned;
using skintest::TSkinned;

constexpr TColor32 Marker = 0x00123456, Cached = 0x00A0B0C0;

class CacheCopy : public ControlPaint {
 protected:
  void SetUp() override {
    ControlPaint::SetUp();
    Owner = MakeSkinned<TPanel>(Form, Form, "PLAIN", {0, 0, 100, 50});
    Owner->SkinData->InitCacheBitmap();
    FillRect32(Owner->SkinData->CacheBmp.get(), Rect(0, 0, 100, 50), TColor(SwapRB32(Cached)));
    Target = NewBitmap32(110, 60);
    FillRect32(Target.get(), Rect(0, 0, 110, 60), TColor(SwapRB32(Marker)));
  }
  // Every target pixel: Marker outside Dest and where Kept says, the cache elsewhere.
  void ExpectTarget(const TRect& Dest, const std::function<bool(int, int)>& Kept) {
    int Wrong = 0;
    for (int Y = 0; Y < 60; ++Y)
      for (int X = 0; X < 110; ++X) {
        const bool In = X >= Dest.left && X < Dest.right && Y >= Dest.top && Y < Dest.bottom;
        const TColor32 Want = In && !Kept(X, Y) ? Cached : Marker;
        if ((Px(*Target, X, Y) & 0xFFFFFF) != Want && ++Wrong < 5)
          ADD_FAILURE() << X << "," << Y << " " << std::hex << Px(*Target, X, Y) << " wanted " << Want;
      }
    EXPECT_EQ(Wrong, 0);
  }
  static bool Inside(int X, int Y, const TRect& R) { return X >= R.left && X < R.right && Y >= R.top && Y < R.bottom; }

  TSkinned<TPanel>* Owner = nullptr;
  std::unique_ptr<TBitmap> Target;
};

TEST_F(CacheCopy, WindowLessAndOpaqueWindowedChildrenKeepTheirPixels) {
  auto Child = [&](TControl* C, TRect R, bool Visible) {
    C->SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
    C->SetVisible(Visible);
    C->SetParent(Owner);
  };
  Child(new TPaintBox(Form), Rect(2, 2, 12, 12), true);  // window-less: kept
  Child(new TPanel(Form), Rect(20, 2, 30, 12), true);    // opaque window: kept
  auto* Clear = new TPanel(Form);
  Clear->SetControlStyle(Clear->ControlStyle() & ~csOpaque);
  Child(Clear, Rect(35, 2, 45, 12), true);                  // not opaque: painted over
  Child(new TPaintBox(Form), Rect(2, 20, 12, 30), false);   // hidden: painted over
  Child(new TPaintBox(Form), Rect(90, 40, 100, 50), true);  // outside Dest: nothing to keep
  const TRect Dest = Rect(3, 4, 83, 44);
  PaintCacheExcludingChildren(Owner, {Owner->SkinData.get(), {0, 0}, 3, 4, Target->Canvas()->Handle(), Dest});
  ExpectTarget(Dest,
               [&](int X, int Y) { return Inside(X, Y, Rect(5, 6, 15, 16)) || Inside(X, Y, Rect(23, 6, 33, 16)); });
  RECT Box;  // the DC's clip is back: none
  EXPECT_EQ(GetClipBox(Target->Canvas()->Handle(), &Box), SIMPLEREGION);
  EXPECT_EQ(Box.right - Box.left, 110);
}

LRESULT CALLBACK GroupBoxProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
  if (Msg == SM_SKINCMD && HIWORD(W) == SkinCmdGetTopBand) return 6;
  return CallWindowProcA(reinterpret_cast<WNDPROC>(GetPropA(Wnd, "OldProc")), Wnd, Msg, W, L);
}

HWND ChildWindow(HWND Parent, const char* Class, DWORD Style, DWORD ExStyle, const TRect& R) {
  return CreateWindowExA(ExStyle, Class, "", WS_CHILD | Style, R.left, R.top, R.right - R.left, R.bottom - R.top,
                         Parent, nullptr, nullptr, nullptr);
}

TEST_F(CacheCopy, ChildWindowsAreKeptAndAGroupBoxOnlyByItsFrame) {
  // Child windows count only while every window above them is shown.
  const HWND Wnd = Owner->Handle();
  ShowWindow(Form->Handle(), SW_SHOWNOACTIVATE);
  ShowWindow(Wnd, SW_SHOWNOACTIVATE);
  ASSERT_TRUE(IsWindowVisible(Wnd));
  const HWND Box = ChildWindow(Wnd, "BUTTON", WS_VISIBLE | BS_GROUPBOX, 0, Rect(5, 5, 35, 35));
  SetPropA(Box, "OldProc", reinterpret_cast<HANDLE>(GetWindowLongPtrA(Box, GWLP_WNDPROC)));
  SetWindowLongPtrA(Box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupBoxProc));
  ChildWindow(Wnd, "BUTTON", WS_VISIBLE | BS_GROUPBOX, WS_EX_TRANSPARENT, Rect(60, 5, 70, 15));
  ChildWindow(Wnd, "STATIC", WS_VISIBLE, 0, Rect(40, 5, 50, 15));
  ChildWindow(Wnd, "STATIC", 0, 0, Rect(40, 20, 50, 30));  // hidden
  uitest::Pump();
  const TRect Dest = Rect(2, 1, 102, 51);
  PaintCacheExcludingChildWindows(Wnd, {Owner->SkinData.get(), {0, 0}, 2, 1, Target->Canvas()->Handle(), Dest});
  // Border widths of the "GROUPBOX" piece: left 2, right 3, bottom 4; the band 6 high.
  const TRect Frame = Rect(7, 6, 37, 36), Inner = Rect(9, 12, 34, 32);
  ExpectTarget(Dest, [&](int X, int Y) {
    return (Inside(X, Y, Frame) && !Inside(X, Y, Inner)) || Inside(X, Y, Rect(62, 6, 72, 16)) ||
           Inside(X, Y, Rect(42, 6, 52, 16));
  });
  // Without a default manager the group box is not cut out at all.
  DefaultManager = nullptr;
  FillRect32(Target.get(), Rect(0, 0, 110, 60), TColor(SwapRB32(Marker)));
  PaintCacheExcludingChildWindows(Wnd, {Owner->SkinData.get(), {0, 0}, 2, 1, Target->Canvas()->Handle(), Dest});
  ExpectTarget(Dest,
               [&](int X, int Y) { return Inside(X, Y, Rect(62, 6, 72, 16)) || Inside(X, Y, Rect(42, 6, 52, 16)); });
}

}  // namespace

#include "skin/forms/sSkinProviderUtils.h"

#include <commctrl.h>

#include "skin/engine/sCommonData.h"
#include "skin/engine/sAlphaGraph.h"
#include "skin/forms/sSkinProviderRegion.h"

#include "skin/controls/SkinControlsTestSupport.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinSeamFakes.h"
#include "toolkit/ui/Forms.h"

namespace {

struct TStyleCase {
  DWORD Style;
  int Border;
};

TEST(ProviderMetrics, FramesAndCaptionsOfWine) {
  const TStyleCase Cases[] = {{WS_OVERLAPPED | WS_THICKFRAME, 4}, {WS_POPUP | WS_BORDER, 3}, {WS_POPUP, 0}};
  for (const TStyleCase& C : Cases) {
    HWND W = CreateWindowA("Static", "", C.Style, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(SysBorderWidth(W, nullptr, true), C.Border) << std::hex << C.Style;
    EXPECT_EQ(SysBorderWidthNoExt(W, nullptr, false), C.Border);
    EXPECT_EQ(HasThickFrame(W), (C.Style & WS_THICKFRAME) != 0);
    DestroyWindow(W);
  }
  TForm* Form = new TForm(nullptr);
  EXPECT_EQ(SysCaptionHeight(nullptr), 19);
  EXPECT_EQ(SysCaptionHeight(Form), 19);
  Form->SetBorderStyle(bsToolWindow);
  EXPECT_EQ(SysCaptionHeight(Form), 16);
  Form->Free();
}

struct THideCase {
  bool Hide;
  bool Bound;
  bool WasLayered;
  bool Answer;
  bool Visible;
  bool Layered;
};

TEST(ProviderLayered, HideWindowLayeredTable) {
  const THideCase Cases[] = {
      {true, true, false, true, true, true},    {true, true, true, false, true, true},
      {true, false, false, false, false, false}, {false, true, true, false, false, false},
  };
  const auto Saved = Bindings().SetLayeredWindowAttributes;
  for (const THideCase& C : Cases) {
    SCOPED_TRACE(testing::Message() << C.Hide << C.Bound << C.WasLayered);
    Bindings().SetLayeredWindowAttributes = C.Bound ? Saved : nullptr;
    HWND W = CreateWindowExA(C.WasLayered ? WS_EX_LAYERED : 0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 30, 30,
                             nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(HideWindowLayered(W, C.Hide), C.Answer);
    EXPECT_EQ((GetWindowLongW(W, GWL_STYLE) & WS_VISIBLE) != 0, C.Visible);
    EXPECT_EQ((GetWindowLongW(W, GWL_EXSTYLE) & WS_EX_LAYERED) != 0, C.Layered);
    DestroyWindow(W);
  }
  Bindings().SetLayeredWindowAttributes = Saved;
}

class CoverTest : public skintest::SkinnedFormTest {};

TEST_F(CoverTest, CoverFormIsATopmostSnapshotThatNeverActivates) {
  skintest::TSeamFakes Fakes(false);
  std::unique_ptr<TBitmap> Shown;
  Seam().UpdateLayeredWnd = [&](HWND, TBitmap* Bmp, int Alpha) {
    EXPECT_EQ(Alpha, 255);
    Shown = NewBitmap32(Bmp->Width(), Bmp->Height());
    BitBlt(Shown->Canvas()->Handle(), 0, 0, Bmp->Width(), Bmp->Height(), Bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
  };
  PaintAll();
  std::unique_ptr<TBitmap> Screen = skintest::ScreenOf(Form->Handle());
  TForm* Cover = MakeCoverForm(Form->Handle());
  EXPECT_EQ(Cover->Tag(), -98);
  HWND C = Cover->Handle();
  const LONG Ex = GetWindowLongW(C, GWL_EXSTYLE);
  EXPECT_TRUE(Ex & WS_EX_TOPMOST);
  EXPECT_TRUE(Ex & WS_EX_NOACTIVATE);
  EXPECT_TRUE(Ex & WS_EX_TOOLWINDOW);
  EXPECT_NE(GetForegroundWindow(), C);
  ASSERT_TRUE(Shown);
  ASSERT_EQ(Shown->Width(), Screen->Width());
  ASSERT_EQ(Shown->Height(), Screen->Height());
  for (int Y = 4; Y < Screen->Height(); Y += 17)
    for (int X = 4; X < Screen->Width(); X += 13)
      ASSERT_EQ(skintest::BitmapPixel(*Shown, X, Y), skintest::BitmapPixel(*Screen, X, Y)) << X << "," << Y;
  Cover->Free();
}

TEST(ProviderMetrics, SizesOfWindowAndClient) {
  HWND Parent = CreateWindowA("Static", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  HWND W = CreateWindowA("Static", "", WS_CHILD | WS_BORDER, 5, 5, 50, 40, Parent, nullptr, nullptr, nullptr);
  EXPECT_EQ(WindowWidth(W), 50);
  EXPECT_EQ(WindowHeight(W), 40);
  EXPECT_EQ(ClientWidth(W), 48);
  EXPECT_EQ(ClientHeight(W), 38);
  DestroyWindow(Parent);
}

HRESULT WINAPI RecordAttribute(HWND, DWORD Attribute, const void* Data, DWORD Size) {
  return Attribute == 3 && Size == 4 && *static_cast<const DWORD*>(Data) == 1 ? S_OK : E_FAIL;
}

TEST(ProviderDwm, WrappersOverTheBindings) {
  // The prefix answers as the system it stands for: composition on.
  EXPECT_TRUE(BoundDwmCompositionEnabled());
  const TDwmBindings Saved = DwmBindings();
  const DWORD Value = 1;
  DwmBindings().SetWindowAttribute = RecordAttribute;
  EXPECT_EQ(CallDwmSetWindowAttribute(GetDesktopWindow(), 3, &Value, sizeof(Value)), S_OK);
  // Without the library every wrapper answers "off" or "not implemented".
  DwmBindings() = TDwmBindings{};
  EXPECT_FALSE(BoundDwmCompositionEnabled());
  EXPECT_EQ(CallDwmSetWindowAttribute(GetDesktopWindow(), 3, &Value, sizeof(Value)), HRESULT(0x80004001));
  ForceDisableTransitions(GetDesktopWindow(), true);
  InvalidateIconicBitmaps(GetDesktopWindow());
  EXPECT_FALSE(SetIconicThumbnail(GetDesktopWindow(), nullptr, 10, 10));
  EXPECT_FALSE(SetIconicLivePreview(GetDesktopWindow(), nullptr));
  DwmBindings() = Saved;
}

struct TThumbCall {
  int Width, Height;
  std::uint32_t Bits;
};
std::vector<TThumbCall> ThumbCalls;
skintest::TFakeProvider* ThumbProvider = nullptr;
HRESULT WINAPI FakeThumbnail(HWND, HBITMAP Bmp, DWORD) {
  BITMAP Info{};
  GetObjectA(Bmp, sizeof(Info), &Info);
  ThumbCalls.push_back({Info.bmWidth, Info.bmHeight, ThumbProvider->StateBits()});
  return S_OK;
}

class ThumbnailProvider : public skintest::TFakeProvider {
 public:
  using TFakeProvider::TFakeProvider;
  TBitmap* CacheBitmap() const override { return Cache.get(); }
  std::unique_ptr<TBitmap> Cache = NewBitmap32(200, 100);
};

std::vector<DWM_BLURBEHIND> BlurCalls;
HRESULT WINAPI RecordBlur(HWND, const DWM_BLURBEHIND* Blur) {
  BlurCalls.push_back(*Blur);
  return S_OK;
}

TEST(ProviderDwm, BlurBehindWithAndWithoutARegion) {
  const TDwmBindings Saved = DwmBindings();
  DwmBindings().EnableBlurBehindWindow = RecordBlur;
  BlurCalls.clear();
  HRGN Rgn = CreateRectRgn(0, 0, 5, 5);
  EnableBlurBehind(GetDesktopWindow(), true, nullptr);
  EnableBlurBehind(GetDesktopWindow(), false, Rgn);
  ASSERT_EQ(BlurCalls.size(), 2u);
  EXPECT_EQ(BlurCalls[0].dwFlags, DWORD(DWM_BB_ENABLE));
  EXPECT_TRUE(BlurCalls[0].fEnable);
  EXPECT_EQ(BlurCalls[1].dwFlags, DWORD(DWM_BB_ENABLE | DWM_BB_BLURREGION));
  EXPECT_FALSE(BlurCalls[1].fEnable);
  EXPECT_EQ(BlurCalls[1].hRgnBlur, Rgn);
  EXPECT_FALSE(BlurCalls[1].fTransitionOnMaximized);
  DeleteObject(Rgn);
  DwmBindings() = Saved;
}

TEST(ProviderDwm, ThumbnailKeepsItsAspectAndClearsTheBit) {
  const auto Saved = DwmBindings();
  DwmBindings().SetIconicThumbnail = FakeThumbnail;
  TForm* Form = new TForm(nullptr);
  ThumbnailProvider Provider(Form);
  ThumbProvider = &Provider;
  ThumbCalls.clear();
  EXPECT_FALSE(SetIconicThumbnail(Form->Handle(), &Provider, 0, 50));
  EXPECT_TRUE(SetIconicThumbnail(Form->Handle(), &Provider, 100, 100));
  ASSERT_FALSE(ThumbCalls.empty());
  EXPECT_EQ(ThumbCalls[0].Width, 100);
  EXPECT_EQ(ThumbCalls[0].Height, 50);
  EXPECT_TRUE(ThumbCalls[0].Bits & 0x800);
  EXPECT_FALSE(Provider.StateBits() & 0x800);
  DwmBindings() = Saved;
  Form->Free();
}

}  // namespace

namespace {

class RegionTest : public skintest::SkinnedFormTest {
 protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    Provider = std::make_unique<skintest::TFakeProvider>(Form);
    Data = std::make_unique<TsCommonData>(Provider.get(), false);
    Data->SetSkinSection("FORM");
    Provider->Data = Data.get();
    Region.TitleIndex = Manager->GetSkinIndex("FORMTITLE");
  }
  void TearDown() override {
    SetWindowRgn(Form->Handle(), nullptr, FALSE);
    Data.reset();
    Provider.reset();
    SkinnedFormTest::TearDown();
  }
  RECT RegionBox() {
    HRGN Rgn = CreateRectRgn(0, 0, 0, 0);
    RECT Box{};
    if (GetWindowRgn(Form->Handle(), Rgn) != ERROR) GetRgnBox(Rgn, &Box);
    DeleteObject(Rgn);
    return Box;
  }
  std::unique_ptr<skintest::TFakeProvider> Provider;
  std::unique_ptr<TsCommonData> Data;
  TProviderRegion Region;
};

TEST_F(RegionTest, TheSkinsCornerMasksAreCutFromTheWindow) {
  CollectRegionData(*Provider, Region);
  ASSERT_FALSE(Region.Corners.empty());
  UpdateRegion(*Provider, Region, false);
  HRGN Rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(Form->Handle(), Rgn), ERROR);
  const int W = WindowWidth(Form->Handle()), H = WindowHeight(Form->Handle());
  RECT Box{};
  GetRgnBox(Rgn, &Box);
  EXPECT_EQ(Box.right - Box.left, W);
  EXPECT_EQ(Box.bottom - Box.top, H);
  for (const TPixelRect& R : Region.Corners) {
    EXPECT_FALSE(PtInRegion(Rgn, R.Left, R.Top)) << R.Left << "," << R.Top;
    EXPECT_FALSE(PtInRegion(Rgn, R.Right - 1, R.Bottom - 1));
  }
  EXPECT_TRUE(PtInRegion(Rgn, W / 2, H / 2));
  // The top corners are cut on both sides and the bottom ones at the bottom.
  EXPECT_FALSE(PtInRegion(Rgn, 0, 0));
  EXPECT_FALSE(PtInRegion(Rgn, W - 1, 0));
  DeleteObject(Rgn);
}

LRESULT CALLBACK KeepsItsRegion(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR, DWORD_PTR) {
  if (Msg == KeepOwnRegionQuery && WParam == KeepOwnRegionAnswer) return KeepOwnRegionAnswer;
  return DefSubclassProc(Wnd, Msg, WParam, LParam);
}

TEST_F(RegionTest, MenuBarAndOneImageMasks) {
  EXPECT_FALSE(HasMenuBar(*Provider));
  EXPECT_TRUE(MaskHasOneImage(-1, Manager.get()));
  // The form's border has one image; the title's border two.
  EXPECT_TRUE(MaskHasOneImage(Data->BorderIndex, Manager.get()));
  EXPECT_FALSE(MaskHasOneImage(Manager->GetMaskIndex(Region.TitleIndex, "FORMTITLE", "BORDERSMASK"), Manager.get()));
  EXPECT_TRUE(IsBordered(*Provider));
}

TEST_F(RegionTest, AWindowThatKeepsItsRegionKeepsIt) {
  SetWindowRgn(Form->Handle(), CreateRectRgn(0, 0, 10, 10), FALSE);
  SetWindowSubclass(Form->Handle(), KeepsItsRegion, 1, 0);
  CollectRegionData(*Provider, Region);
  UpdateRegion(*Provider, Region, false);
  EXPECT_EQ(RegionBox().right, 10);
  // Told not to ask, the provider sets its own.
  Region.QueryRegion = true;
  UpdateRegion(*Provider, Region, false);
  EXPECT_EQ(RegionBox().right, WindowWidth(Form->Handle()));
  RemoveWindowSubclass(Form->Handle(), KeepsItsRegion, 1);
}

}  // namespace

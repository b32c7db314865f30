// The skin manager's menu options, its menu-painter slot and the menu messages of its main-window hook,
// with a real popup menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinManager.h"
#include "toolkit/rtl/TypInfo.h"
#include "toolkit/ui/Menus.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

struct TShown {
  HWND Wnd;
  TMenuItem* Item;
  std::string Class;
};

class TFakePainter : public TacMenuPainter {
 public:
  void SetActive(bool Value) override { Actives.push_back(Value); }
  void SetSkinBorderWidth(int Value) override { BorderWidths.push_back(Value); }
  void MenuWindowShown(HWND MenuWindow, TMenuItem* Item) override {
    char Name[16] = {};
    GetClassNameA(MenuWindow, Name, sizeof(Name));
    Shown.push_back({MenuWindow, Item, Name});
  }
  std::vector<bool> Actives;
  std::vector<int> BorderWidths;
  std::vector<TShown> Shown;
};

// Runs Action from the application window's message handling, as a posted message is.
class TPostedAction {
 public:
  explicit TPostedAction(std::function<void()> Action) : action_(std::move(Action)) {
    Application->HookMainWindow(TWindowHook(this, &TPostedAction::Hook));
  }
  ~TPostedAction() { Application->UnhookMainWindow(TWindowHook(this, &TPostedAction::Hook)); }
  void Post() { PostMessageA(Application->Handle(), WM_APP + 47, 0, 0); }

 private:
  bool Hook(TMessage& M) {
    if (M.Msg != WM_APP + 47) return false;
    action_();
    return true;
  }
  std::function<void()> action_;
};

class ManagerMenus : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(DefaultManager, nullptr);
    Manager = std::make_unique<TsSkinManager>(nullptr);
    auto P = std::make_unique<TFakePainter>();
    Painter = P.get();
    Manager->SetMenuPainter(std::move(P));
  }
  void TearDown() override { Manager.reset(); }
  std::unique_ptr<TsSkinManager> Manager;
  TFakePainter* Painter = nullptr;
};

TEST(MenuSupport, DefaultsAndPublishedTable) {
  TacMenuSupport S;
  EXPECT_EQ(S.AlphaBlend(), 255);
  EXPECT_EQ(S.IcoLineSkin(), "");
  EXPECT_FALSE(S.UseExtraLine());
  EXPECT_EQ(S.ExtraLineWidth(), 32);
  ASSERT_NE(S.ExtraLineFont(), nullptr);
  TPropList List;
  S.GetPublishedProperties(List);
  std::vector<std::string> Names;
  for (const TPropInfo* P : List) Names.push_back(P->Name);
  EXPECT_EQ(Names, (std::vector<std::string>{"AlphaBlend", "IcoLineSkin", "UseExtraLine", "ExtraLineWidth",
                                             "ExtraLineFont"}));
  SetOrdProp(&S, "AlphaBlend", 200);
  SetStrProp(&S, "IcoLineSkin", "ICOLINE");
  EXPECT_EQ(S.AlphaBlend(), 200);
  EXPECT_EQ(S.IcoLineSkin(), "ICOLINE");
  EXPECT_EQ(GetObjectProp(&S, "ExtraLineFont"), S.ExtraLineFont());
}

TEST_F(ManagerMenus, TheFirstManagerIsTheDefaultOneAndSkinnedPopupsReachItsPainter) {
  EXPECT_EQ(DefaultManager, Manager.get());
  EXPECT_TRUE(Manager->SkinnedPopups());
  EXPECT_EQ(Manager->MenuSupport()->ExtraLineWidth(), 32);
  {
    TsSkinManager Second(nullptr);
    EXPECT_EQ(DefaultManager, Manager.get());
    auto P = std::make_unique<TFakePainter>();
    TFakePainter* SecondPainter = P.get();
    Second.SetMenuPainter(std::move(P));
    Second.SetSkinnedPopups(false);
    EXPECT_TRUE(SecondPainter->Actives.empty());  // not the default manager
  }
  Manager->SetSkinnedPopups(true);
  Manager->SetSkinnedPopups(false);
  Manager->SetSkinnedPopups(false);
  EXPECT_EQ(Painter->Actives, std::vector<bool>{false});
  Manager.reset();
  EXPECT_EQ(DefaultManager, nullptr);
}

TEST_F(ManagerMenus, AMenuWindowNamedByTheMessageGoesToThePainter) {
  const HWND Menu = CreateWindowExA(0, "#32768", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(Menu, nullptr);
  const HWND Other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  TMenuItem Item(nullptr);
  struct TCase {
    HWND Wnd;
    bool Skinned;
    size_t Shown;
  };
  for (const TCase& c : {TCase{Menu, true, 1}, TCase{Other, true, 0}, TCase{nullptr, true, 0}, TCase{Menu, false, 0}}) {
    Painter->Shown.clear();
    Manager->SetSkinnedPopups(c.Skinned);
    SendMessageA(Application->Handle(), SM_MENUWINDOWSHOWN, WPARAM(c.Wnd), LPARAM(&Item));
    ASSERT_EQ(Painter->Shown.size(), c.Shown);
    if (c.Shown) {
      EXPECT_EQ(Painter->Shown[0].Wnd, Menu);
      EXPECT_EQ(Painter->Shown[0].Item, &Item);
    }
  }
  DestroyWindow(Other);
  DestroyWindow(Menu);
}

TEST_F(ManagerMenus, TheWindowOfAShownPopupMenuIsFoundUnderItsItem) {
  TPopupMenu Popup(nullptr);
  auto* First = new TMenuItem(&Popup);
  First->SetCaption("First");
  auto* Second = new TMenuItem(&Popup);
  Second->SetCaption("Second");
  Popup.Items()->Add(First);
  Popup.Items()->Add(Second);
  // Posted messages are handled in order inside the menu's loop: the request first, then the closing.
  TPostedAction Close([] { EndMenu(); });
  Popup.OnPopup = [&](TObject*) {
    PostMessageA(Application->Handle(), SM_MENUITEMSHOWN, 0, LPARAM(Second));
    Close.Post();
  };
  Popup.Popup(100, 100);
  ASSERT_EQ(Painter->Shown.size(), 1u);
  EXPECT_EQ(Painter->Shown[0].Item, Second);
  EXPECT_EQ(Painter->Shown[0].Class, "#32768");

  // An item of no shown menu finds no window.
  Painter->Shown.clear();
  TMenuItem Loose(nullptr);
  Popup.OnPopup = [&](TObject*) {
    PostMessageA(Application->Handle(), SM_MENUITEMSHOWN, 0, LPARAM(&Loose));
    Close.Post();
  };
  Popup.Popup(100, 100);
  EXPECT_TRUE(Painter->Shown.empty());
}

}  // namespace

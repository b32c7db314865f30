// Menus and image lists: menu messages reach their items through whichever window shows the
// menu; image list masks checked by pixels.
#include <gtest/gtest.h>

#include "toolkit/ui/ControlsTestSupport.h"
#include "toolkit/ui/ImgList.h"
#include "toolkit/ui/Menus.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

class MenusTest : public uitest::ControlsTest {
 protected:
  TMenuItem* Item(TMenuItem* Parent, const std::string& Caption) {
    auto* item = new TMenuItem(form);
    item->SetCaption(Caption);
    Parent->Add(item);
    return item;
  }
};

TEST(ShortCutText, RoundTrips) {
  struct Case {
    const char* text;
    TShortCut value;
  } cases[] = {{"Ctrl+S", static_cast<TShortCut>(scCtrl | 'S')},
               {"Shift+Ctrl+F5", static_cast<TShortCut>(scCtrl | scShift | VK_F5)},
               {"Alt+X", static_cast<TShortCut>(scAlt | 'X')},
               {"Del", VK_DELETE},
               {"F12", VK_F12},
               {"Shift+Ins", static_cast<TShortCut>(scShift | VK_INSERT)}};
  for (const Case& c : cases) {
    EXPECT_EQ(TextToShortCut(c.text), c.value) << c.text;
    EXPECT_EQ(ShortCutToText(c.value), c.text);
  }
  EXPECT_EQ(TextToShortCut("ctrl+s"), scCtrl | 'S');
  EXPECT_EQ(TextToShortCut("Ctrl+Shift+F5"), scCtrl | scShift | VK_F5);
  EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(TextToShortCut("Ctrl+Nada"), 0);
  EXPECT_EQ(ShortCut('P', ssCtrl), scCtrl | 'P');
}

TEST_F(MenusTest, PopupMenuMessagesReachTheirItemsThroughItsWindow) {
  auto* menu = new TPopupMenu(form);
  auto* abrir = Item(menu->Items(), "&Abrir");
  auto* exportar = Item(menu->Items(), "Exportar");
  auto* comoBmp = Item(exportar, "Como BMP");
  abrir->SetShortCut(TextToShortCut("Ctrl+A"));
  std::vector<std::string> log;
  abrir->OnClick = [&](TObject* Sender) { log.push_back(static_cast<TMenuItem*>(Sender)->Caption()); };
  comoBmp->OnClick = [&](TObject*) { log.push_back("bmp"); };
  exportar->OnClick = [&](TObject*) { log.push_back("popup"); };
  EXPECT_EQ(GetMenuItemCount(menu->Handle()), 2);
  char text[64] = {};
  GetMenuStringA(menu->Handle(), 0, text, sizeof(text), MF_BYPOSITION);
  EXPECT_STREQ(text, "&Abrir\tCtrl+A");
  EXPECT_EQ(GetSubMenu(menu->Handle(), 1), exportar->Handle());

  // Any window may carry the menu's messages: here the form.
  menu->SetWindowHandle(form->Handle());
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(abrir->Command(), 0), 0);
  SendMessageA(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(exportar->Handle()), 1);
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(comoBmp->Command(), 0), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"&Abrir", "popup", "bmp"}));
  EXPECT_TRUE(menu->IsShortCut(scCtrl | 'A'));
  EXPECT_EQ(log.size(), 4u);
  menu->SetWindowHandle(nullptr);
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(abrir->Command(), 0), 0);
  EXPECT_EQ(log.size(), 4u);

  // Inserting, hiding and deleting rebuild the menu.
  auto* novo = new TMenuItem(form);
  novo->SetCaption("Novo");
  menu->Items()->Insert(0, novo);
  EXPECT_EQ(abrir->MenuIndex(), 1);
  EXPECT_EQ(GetMenuItemCount(menu->Handle()), 3);
  novo->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(menu->Handle()), 2);
  menu->Items()->Delete(0);
  EXPECT_EQ(novo->Parent(), nullptr);
  novo->Free();
  abrir->SetEnabled(false);
  EXPECT_TRUE(GetMenuState(menu->Handle(), 0, MF_BYPOSITION) & MF_GRAYED);
  // Freeing an item takes it out of its menu.
  comoBmp->Free();
  EXPECT_EQ(exportar->Count(), 0);
}

TEST_F(MenusTest, RadioItemsAndChecks) {
  auto* menu = new TPopupMenu(form);
  auto* a = Item(menu->Items(), "Azul");
  auto* b = Item(menu->Items(), "Branco");
  a->SetRadioItem(true);
  b->SetRadioItem(true);
  a->SetChecked(true);
  b->Click();
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(GetMenuState(menu->Handle(), 1, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(menu->Handle(), 0, MF_BYPOSITION) & MF_CHECKED);
  b->SetBreak(mbBarBreak);
  EXPECT_TRUE(GetMenuState(menu->Handle(), 1, MF_BYPOSITION) & MF_MENUBARBREAK);
}

TEST_F(MenusTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheirEvents) {
  auto* menu = new TPopupMenu(form);
  menu->SetOwnerDraw(true);
  auto* item = Item(menu->Items(), "Imprimir");
  int measured = 0;
  item->OnMeasureItem = [&](TObject* Sender, TCanvas*, int& Width, int& Height) {
    EXPECT_EQ(Sender, item);
    ++measured;
    Width = 120;
    Height = 30;
  };
  item->OnAdvancedDrawItem = [&](TObject*, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State) {
    ACanvas->Brush()->SetColor((State & odSelected) ? clRed : clLime);
    ACanvas->FillRect(ARect);
  };
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_DATA;
  GetMenuItemInfoA(menu->Handle(), 0, TRUE, &info);
  EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
  EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(item));

  // The messages come to the window the menu was given, here an edit on the form.
  auto* edit = Make<TEdit>(10, 10, 100, 21);
  menu->SetWindowHandle(edit->Handle());
  MEASUREITEMSTRUCT mis{ODT_MENU, 0, item->Command(), 0, 0, info.dwItemData};
  EXPECT_TRUE(SendMessageA(edit->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
  EXPECT_EQ(mis.itemWidth, 120u);
  EXPECT_EQ(mis.itemHeight, 30u);
  EXPECT_EQ(measured, 1);

  TBitmap target;
  target.SetPixelFormat(pf24bit);
  target.SetSize(40, 20);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_MENU;
  dis.itemID = item->Command();
  dis.itemState = ODS_SELECTED;
  dis.hDC = target.Canvas()->Handle();
  dis.rcItem = Rect(0, 0, 40, 20);
  dis.itemData = info.dwItemData;
  EXPECT_TRUE(SendMessageA(edit->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)));
  EXPECT_EQ(GetPixel(target.Canvas()->Handle(), 20, 10), RGB(255, 0, 0));
  dis.itemState = 0;
  SendMessageA(edit->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  EXPECT_EQ(GetPixel(target.Canvas()->Handle(), 20, 10), RGB(0, 255, 0));
  // The edit still works as an edit.
  edit->SetText("ok");
  EXPECT_EQ(edit->Text(), "ok");
  menu->Free();
  EXPECT_EQ(item->Parent(), nullptr);
}

TEST_F(MenusTest, MainMenuIsTheFormsMenuBar) {
  auto* menu = new TMainMenu(form);
  auto* arquivo = Item(menu->Items(), "&Arquivo");
  auto* sair = Item(arquivo, "&Sair");
  int clicks = 0;
  sair->OnClick = [&](TObject*) { ++clicks; };
  menu->SetWindowHandle(form->Handle());
  EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(sair->Command(), 0), 0);
  EXPECT_EQ(clicks, 1);
  menu->Free();
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
}

TEST_F(MenusTest, ItemGlyphsSubMenuImagesAndHotLightStates) {
  auto* menu = new TPopupMenu(form);
  auto* item = Item(menu->Items(), "Exportar");
  EXPECT_TRUE(item->Bitmap()->Empty());
  TBitmap glyph;
  glyph.SetPixelFormat(pf32bit);
  glyph.SetSize(12, 10);
  item->SetBitmap(&glyph);
  EXPECT_EQ(item->Bitmap()->Width(), 12);
  EXPECT_EQ(item->Bitmap()->Height(), 10);
  EXPECT_EQ(item->Bitmap()->PixelFormat(), pf32bit);

  // The sub-items' image list is let go when it is freed.
  auto* images = new TImageList(form);
  item->SetSubMenuImages(images);
  EXPECT_EQ(item->SubMenuImages(), images);
  images->Free();
  EXPECT_EQ(item->SubMenuImages(), nullptr);

  EXPECT_EQ(OwnerDrawState(ODS_HOTLIGHT), odHotLight);
  EXPECT_EQ(OwnerDrawState(ODS_NOACCEL | ODS_SELECTED), odNoAccel | odSelected);
  EXPECT_EQ(OwnerDrawState(ODS_INACTIVE), 0u);
}

TEST_F(MenusTest, ControlsForgetTheirFreedContextMenu) {
  auto* edit = Make<TEdit>(10, 10, 100, 21);
  auto* menu = new TPopupMenu(form);
  edit->SetPopupMenu(menu);
  EXPECT_EQ(edit->PopupMenu(), menu);
  menu->Free();
  EXPECT_EQ(edit->PopupMenu(), nullptr);
}

TEST_F(MenusTest, ScreenMenuFontIsTheSystemsMenuFont) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
  TFont* font = Screen->MenuFont();
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font, Screen->MenuFont());
  EXPECT_EQ(font->Name(), metrics.lfMenuFont.lfFaceName);
  EXPECT_EQ(font->Height(), metrics.lfMenuFont.lfHeight);
}

class ImageListTest : public uitest::ControlsTest {};

TEST_F(ImageListTest, MaskedImagesLeaveTheBackgroundShowing) {
  TImageList list(nullptr);
  list.SetWidth(8);
  list.SetHeight(8);
  // Two images side by side: a red square on fuchsia, then all blue.
  TBitmap strip;
  strip.SetPixelFormat(pf24bit);
  strip.SetSize(16, 8);
  strip.Canvas()->Brush()->SetColor(clFuchsia);
  strip.Canvas()->FillRect(Rect(0, 0, 8, 8));
  strip.Canvas()->Brush()->SetColor(clRed);
  strip.Canvas()->FillRect(Rect(2, 2, 6, 6));
  strip.Canvas()->Brush()->SetColor(clBlue);
  strip.Canvas()->FillRect(Rect(8, 0, 16, 8));
  EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 0);
  EXPECT_EQ(list.Count(), 2);
  // The source bitmap is left as it was.
  EXPECT_EQ(strip.Canvas()->Pixels(0, 0), clFuchsia);

  TBitmap target;
  target.SetPixelFormat(pf24bit);
  target.SetSize(20, 10);
  target.Canvas()->Brush()->SetColor(clLime);
  target.Canvas()->FillRect(Rect(0, 0, 20, 10));
  list.Draw(target.Canvas(), 0, 0, 0);
  list.Draw(target.Canvas(), 10, 0, 1);
  struct Case {
    int x, y;
    TColor expected;
  } cases[] = {{0, 0, clLime}, {3, 3, clRed}, {7, 7, clLime}, {10, 0, clBlue}, {17, 7, clBlue}, {19, 9, clLime}};
  for (const Case& c : cases) EXPECT_EQ(target.Canvas()->Pixels(c.x, c.y), c.expected) << c.x << "," << c.y;

  TBitmap copy;
  list.SetBkColor(clWhite);
  list.GetBitmap(0, &copy);
  EXPECT_EQ(copy.Width(), 8);
  EXPECT_EQ(copy.Canvas()->Pixels(0, 0), clWhite);
  EXPECT_EQ(copy.Canvas()->Pixels(3, 3), clRed);

  // With a mask bitmap: white marks the transparent pixels.
  TBitmap image, mask;
  image.SetPixelFormat(pf24bit);
  image.SetSize(8, 8);
  image.Canvas()->Brush()->SetColor(clYellow);
  image.Canvas()->FillRect(Rect(0, 0, 8, 8));
  mask.SetPixelFormat(pf1bit);
  mask.SetSize(8, 8);
  mask.Canvas()->Brush()->SetColor(clWhite);
  mask.Canvas()->FillRect(Rect(0, 0, 8, 8));
  mask.Canvas()->Brush()->SetColor(clBlack);
  mask.Canvas()->FillRect(Rect(0, 0, 4, 8));
  EXPECT_EQ(list.Add(&image, &mask), 2);
  target.Canvas()->Brush()->SetColor(clLime);
  target.Canvas()->FillRect(Rect(0, 0, 20, 10));
  list.Draw(target.Canvas(), 0, 0, 2);
  EXPECT_EQ(target.Canvas()->Pixels(1, 1), clYellow);
  EXPECT_EQ(target.Canvas()->Pixels(6, 1), clLime);
  list.Delete(0);
  EXPECT_EQ(list.Count(), 2);
  // A new size empties the list.
  list.SetWidth(16);
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace

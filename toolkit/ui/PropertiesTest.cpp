// Published properties by name on the controls: found through the class and its bases, read and
// written by kind (ordinal, enumeration, set, text, object), and unknown names refused.
#include <gtest/gtest.h>

#include "toolkit/rtl/AnsiText.h"
#include "toolkit/ui/Buttons.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ControlsTestSupport.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/ImgList.h"
#include "toolkit/ui/Menus.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using PropertiesTest = uitest::ControlsTest;

TEST_F(PropertiesTest, EachClassFindsItsOwnAndItsBasesProperties) {
  struct Case {
    TComponent* object;
    const char* name;
    TTypeKind kind;
  };
  auto* bit = Make<TBitBtn>(10, 10, 90, 30);
  auto* label = Make<TLabel>(10, 50, 90, 15);
  auto* panel = Make<TPanel>(10, 70, 90, 40);
  auto* list = Make<TListView>(10, 120, 90, 60);
  auto* menu = new TPopupMenu(form);
  const Case cases[] = {
      {bit, "Kind", tkEnumeration},      {bit, "Default", tkEnumeration}, {bit, "ModalResult", tkInteger},
      {bit, "Color", tkInteger},         {bit, "Font", tkClass},          {bit, "Caption", tkString},
      {bit, "ParentFont", tkEnumeration}, {bit, "Name", tkString},        {label, "FocusControl", tkClass},
      {label, "Alignment", tkEnumeration}, {panel, "BevelOuter", tkEnumeration}, {list, "LargeImages", tkClass},
      {list, "SmallImages", tkClass},    {menu, "Images", tkClass},      {menu, "OwnerDraw", tkEnumeration},
      {form, "BorderIcons", tkSet},      {form, "ParentColor", tkEnumeration},
  };
  for (const Case& c : cases) {
    const TPropInfo* p = GetPropInfo(c.object, c.name);
    ASSERT_NE(p, nullptr) << c.object->ClassName() << "." << c.name;
    EXPECT_EQ(p->Kind, c.kind) << c.object->ClassName() << "." << c.name;
    // Names are found whatever their case.
    EXPECT_TRUE(IsPublishedProp(c.object, AnsiUpperCase(c.name))) << c.name;
  }
  // Unknown names and properties of other classes.
  EXPECT_EQ(GetPropInfo(bit, "SkinData"), nullptr);
  EXPECT_EQ(GetPropInfo(label, "Kind"), nullptr);
  EXPECT_EQ(GetPropInfo(menu, "Color"), nullptr);
  EXPECT_EQ(GetPropInfo(nullptr, "Color"), nullptr);
  EXPECT_THROW(GetOrdProp(bit, "FocusColor"), EPropertyError);
  EXPECT_THROW(GetStrProp(bit, "Color"), EPropertyError);
}

TEST_F(PropertiesTest, ReadAndWrittenByName) {
  auto* bit = Make<TBitBtn>(10, 10, 90, 30);
  SetOrdProp(bit, "Color", clRed);
  EXPECT_EQ(bit->Color(), clRed);
  EXPECT_FALSE(bit->ParentColor());
  SetStrProp(bit, "Caption", "&Gravar");
  EXPECT_EQ(bit->Caption(), "&Gravar");
  SetEnumProp(bit, "Kind", "bkCancel");
  EXPECT_EQ(bit->Kind(), bkCancel);
  EXPECT_EQ(GetEnumProp(bit, "Kind"), "bkCancel");
  EXPECT_EQ(GetOrdProp(bit, "ModalResult"), mrCancel);
  auto* font = static_cast<TFont*>(GetObjectProp(bit, "Font"));
  EXPECT_EQ(font, bit->Font());

  auto* label = Make<TLabel>(10, 50, 90, 15);
  SetObjectProp(label, "FocusControl", bit);
  EXPECT_EQ(label->FocusControl(), bit);
  SetEnumProp(label, "Alignment", "taCenter");
  EXPECT_EQ(label->Alignment(), taCenter);

  auto* images = new TImageList(form);
  auto* list = Make<TListView>(10, 120, 90, 60);
  SetObjectProp(list, "SmallImages", images);
  EXPECT_EQ(list->SmallImages(), images);
  // An object of the wrong class is not taken.
  SetObjectProp(list, "LargeImages", bit);
  EXPECT_EQ(list->LargeImages(), nullptr);

  auto* check = Make<TCheckBox>(10, 200, 90, 20);
  SetEnumProp(check, "State", "cbChecked");
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(GetOrdProp(check, "Checked"), 1);
}

TEST_F(PropertiesTest, SetsAsNames) {
  form->SetBorderIcons(biSystemMenu | biMaximize);
  EXPECT_EQ(GetSetProp(form, "BorderIcons"), "biSystemMenu,biMaximize");
  SetSetProp(form, "BorderIcons", "[biSystemMenu, biMinimize]");
  EXPECT_EQ(form->BorderIcons(), biSystemMenu | biMinimize);
  EXPECT_EQ(GetOrdProp(form, "BorderIcons"), biSystemMenu | biMinimize);
  SetSetProp(form, "BorderIcons", "");
  EXPECT_EQ(form->BorderIcons(), 0);
  EXPECT_EQ(GetSetProp(form, "BorderIcons"), "");
  EXPECT_THROW(SetSetProp(form, "BorderIcons", "biSystemMenu,biNada"), EPropertyError);
  EXPECT_EQ(form->BorderIcons(), 0);
  EXPECT_EQ(GetPropInfo(form, "BorderIcons")->EnumNames.at(3), "biHelp");
  form->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
}

}  // namespace

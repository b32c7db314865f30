// The skin manager's loading road over real skins: the stored default skin of the resources, packed
// files and folders of a skin directory, the settings that reload, the version messages through the
// message routine, a failing load, the list of skins and a skin-change request of another process.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "gen/skin/SkinPackWriter.h"
#include "skin/engine/SkinFilesTestSupport.h"
#include "skin/engine/sDefaultSkin.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinRequest.h"
#include "skin/engine/sSkinSeam.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/TypInfo.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using skintest::BmpFile;
using skintest::BytesText;

std::string Options(const std::string& Version, const std::string& Section) {
  return "[GLOBALINFO]\nVERSION=" + Version + "\nMASTERBITMAP=master.bmp\n[" + Section + "]\nCOLOR=255\n";
}

std::string Master(int Width) {
  return BmpFile(Width, 10, [](int, int) { return 0xFF00FF00u; });
}

std::string Packed(const std::string& Version, const std::string& Section) {
  return BytesText(PackSkin({{"Options.dat", Options(Version, Section)}, {"master.bmp", Master(20)}}));
}

// A manager made first, so the default one, with the stored default skin and the test's directory.
class ManagerLoad : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(DefaultManager, nullptr);
    Manager = std::make_unique<TsSkinManager>(nullptr);
    ReadDefaultSkin(*Manager->InternalSkins().Add(), nullptr);
    Manager->SetSkinDirectory(Dir->Path);
  }
  void TearDown() override { Manager.reset(); }
  static void SetUpTestSuite() {
    Dir = new skintest::TSkinDirectory("skin_manager_test_");
    Dir->Add("Blue.asz", Packed("7.5", "PACKED"));
    Dir->Add("Green.asz", Packed("7.5", "PACKED"));
    Dir->AddFolder("Green", {{"Options.dat", Options("7.5", "FOLDER")}, {"master.bmp", Master(30)}});
    Dir->Add("New.asz", Packed("8.0", "NEW"));
    Dir->Add("Old.asz", Packed("6.9", "OLD"));
    Dir->Add("Bad.asz", BytesText(PackSkin({{"Options.dat", "[GLOBALINFO]\nVERSION=7.5\nBORDERWIDTH=four\n"}})));
    Dir->AddFolder("Empty", {{"readme.txt", "no skin"}});
  }
  static void TearDownTestSuite() { delete Dir; }
  static skintest::TSkinDirectory* Dir;
  std::unique_ptr<TsSkinManager> Manager;
};
skintest::TSkinDirectory* ManagerLoad::Dir = nullptr;

TEST_F(ManagerLoad, TheStoredDefaultSkinLoadsUnderTheNameOfTheProgram) {
  EXPECT_EQ(Manager->SkinInfo(), "N/A");
  Manager->SetSkinName("WEB2");
  EXPECT_EQ(Manager->SkinName(), "WEB (internal)");
  EXPECT_EQ(Manager->SkinInfo(), "7.52");
  EXPECT_TRUE(Manager->SkinData().Active);
  EXPECT_GE(Manager->GetSkinIndex("FORM"), 0);
  EXPECT_EQ(Manager->MenuSupport()->IcoLineSkin(), "ICOLINE");
  EXPECT_FALSE(SkinChangeInProgress);
  // Writing the read-only texts does nothing.
  SetStrProp(Manager.get(), "SkinInfo", "9");
  SetStrProp(Manager.get(), "Version", "1");
  EXPECT_EQ(GetStrProp(Manager.get(), "SkinInfo"), "7.52");
  EXPECT_EQ(GetStrProp(Manager.get(), "Version"), "7.61");
  EXPECT_EQ(GetObjectProp(Manager.get(), "InternalSkins"), &Manager->InternalSkins());
  EXPECT_EQ(GetObjectProp(Manager.get(), "MenuSupport"), Manager->MenuSupport());
  EXPECT_EQ(GetSetProp(Manager.get(), "SkinningRules"), "srStdForms,srStdDialogs,srThirdParty");
  EXPECT_EQ(GetOrdProp(Manager.get(), "IsDefault"), 1);
}

TEST_F(ManagerLoad, APackedFileLoadsUnderItsShortNameAndBeforeAFolderOfThatName) {
  int Before = 0, After = 0;
  Manager->OnBeforeChange = [&](TObject*) { ++Before; };
  Manager->OnAfterChange = [&](TObject*) { ++After; };
  Manager->SetSkinName("Blue.asz");
  EXPECT_EQ(Manager->SkinName(), "Blue");
  EXPECT_GE(Manager->GetSkinIndex("PACKED"), 0);
  EXPECT_EQ(std::make_pair(Before, After), std::make_pair(1, 1));
  ASSERT_FALSE(SkinPreviewMode());  // no request in this process yet
  Manager->SetSkinName("Green");
  EXPECT_GE(Manager->GetSkinIndex("PACKED"), 0);
  EXPECT_EQ(Manager->MasterBitmap()->Width(), 20);
}

TEST_F(ManagerLoad, ActiveOffRemovesTheSkinAndOnReloadsIt) {
  Manager->SetSkinName("Blue");
  Manager->SetActive(false);
  EXPECT_EQ(Manager->SkinInfo(), "N/A");
  EXPECT_EQ(Manager->GetSkinIndex("PACKED"), -1);
  EXPECT_TRUE(Manager->Tables().Sections.empty());
  Manager->SetActive(true);
  EXPECT_GE(Manager->GetSkinIndex("PACKED"), 0);
  EXPECT_EQ(Manager->SkinInfo(), "7.5");
  // Colour settings load it again.
  Manager->SetHueOffset(40);
  EXPECT_GE(Manager->GetSkinIndex("PACKED"), 0);
  EXPECT_EQ(Manager->HueOffset(), 40);
  // Common sections join every skin, their blanks taken out.
  Manager->SetCommonSections("[EXTRA ONE]\nCOLOR = 10\n; a comment stays\n");
  EXPECT_GE(Manager->GetSkinIndex("EXTRAONE"), 0);
  EXPECT_NE(Manager->CommonSections().find("; a comment stays"), std::string::npos);
}

TEST_F(ManagerLoad, AManagerReadFromItsFormAppliesItsSkinOnceLoaded) {
  Manager.reset();
  TComponent Root(nullptr);
  TsSkinManager *Read = nullptr, *Empty = nullptr;
  BuildComponents(&Root, [&] {
    Read = new TsSkinManager(&Root);
    Read->SetSkinDirectory(Dir->Path);
    Read->SetSkinName("Blue");
    EXPECT_GE(Read->GetSkinIndex("PACKED"), 0);
    EXPECT_FALSE(Read->SkinData().Active);  // not announced while it is read
    Empty = new TsSkinManager(&Root);
    Empty->SetSkinDirectory("");
  });
  EXPECT_TRUE(Read->SkinData().Active);
  EXPECT_EQ(Read->MenuSupport()->IcoLineSkin(), "ICOLINE");
  EXPECT_EQ(Empty->SkinDirectory(), "c:\\Skins");
}

TEST_F(ManagerLoad, ASecondManagerIsTheDefaultOnlyWhenSetSo) {
  TsSkinManager Second(nullptr);
  EXPECT_TRUE(Manager->IsDefault());
  EXPECT_FALSE(Second.IsDefault());
  Second.SetIsDefault(false);
  EXPECT_EQ(DefaultManager, Manager.get());
  Second.SetSkinDirectory(Dir->Path);
  Second.SetSkinName("Blue");
  Second.SetIsDefault(true);
  EXPECT_EQ(DefaultManager, &Second);
  EXPECT_FALSE(Manager->IsDefault());
  EXPECT_TRUE(Second.SkinData().Active);
  Manager->SetIsDefault(true);
}

TEST_F(ManagerLoad, VersionMessagesGoThroughTheMessageRoutine) {
  TDialogScript Script;
  Manager->SetSkinName("New");
  ASSERT_EQ(Script.Log().size(), 1u);
  EXPECT_NE(Script.Log()[0].Text.find("newer"), std::string::npos);
  EXPECT_GE(Manager->GetSkinIndex("NEW"), 0);  // loading goes on
  Script.ClearLog();
  Manager->SetSkinName("Old");
  EXPECT_TRUE(Script.Log().empty());
  SkinSwitches().TestOldSkins = true;
  Manager->SetSkinName("Old");
  SkinSwitches().TestOldSkins = false;
  ASSERT_EQ(Script.Log().size(), 1u);
  EXPECT_NE(Script.Log()[0].Text.find("old version"), std::string::npos);
}

TEST_F(ManagerLoad, ABadNumberLeavesNoFlagAndNoSkin) {
  Manager->SetSkinName("Blue");
  EXPECT_THROW(Manager->SetSkinName("Bad"), EConvertError);
  EXPECT_FALSE(SkinChangeInProgress);
  EXPECT_TRUE(Manager->Tables().Sections.empty());
  EXPECT_FALSE(Manager->SkinData().Active);
  EXPECT_EQ(Manager->SkinInfo(), "N/A");
}

TEST_F(ManagerLoad, ANameNoSourceHoldsSwitchesTheManagerOff) {
  Manager->InternalSkins().Clear();
  Manager->SetSkinName("Nowhere");
  EXPECT_FALSE(Manager->Active());
  EXPECT_TRUE(Manager->Tables().Sections.empty());
  EXPECT_FALSE(SkinChangeInProgress);
}

TEST_F(ManagerLoad, SkinNamesAndTheirDefault) {
  TStringList Names;
  EXPECT_EQ(Manager->GetSkinNames(&Names), "WEB (internal)");
  EXPECT_EQ(Names.Text(), "Bad\r\nBlue\r\nGreen\r\nGreen\r\nNew\r\nOld\r\nWEB (internal)\r\n");
  EXPECT_EQ(Manager->GetSkinNames(&Names, 0), "WEB (internal)");
  EXPECT_EQ(Names.Text(), "Green\r\nWEB (internal)\r\n");
  Manager->InternalSkins().Clear();
  Manager->GetSkinNames(&Names, 1);
  EXPECT_EQ(Names.Text(), "Bad\r\nBlue\r\nGreen\r\nNew\r\nOld\r\n");
}

TEST_F(ManagerLoad, APackedSkinIsListedAndLoadedByItsWholeName) {
  skintest::TSkinDirectory Own("skin_manager_names_");
  Own.Add("Web.Azul.ASZ", Packed("7.5", "PACKED"));
  Manager->SetSkinDirectory(Own.Path);
  Manager->InternalSkins().Clear();
  TStringList Names;
  Manager->GetSkinNames(&Names, 1);
  EXPECT_EQ(Names.Text(), "Web.Azul\r\n");
  Manager->SetSkinName("Web.Azul.ASZ");
  EXPECT_EQ(Manager->SkinName(), "Web.Azul");
  EXPECT_TRUE(Manager->SkinData().Active);
  EXPECT_GE(Manager->GetSkinIndex("PACKED"), 0);
}

TEST_F(ManagerLoad, ChangesOfTheStoredSkinsAndTheDirectoryAreAnnounced) {
  int Changes = 0;
  Manager->OnSkinListChanged = [&](TObject* Sender) {
    EXPECT_EQ(Sender, Manager.get());
    ++Changes;
  };
  Manager->InternalSkins().Add();
  EXPECT_EQ(Changes, 1);
  Manager->SetSkinDirectory(Dir->Path);
  EXPECT_EQ(Changes, 1);
  Manager->SetSkinDirectory("..\\Looks");
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(Manager->SkinData().SkinPath, Manager->GetFullSkinDirectory());
}

TEST_F(ManagerLoad, ExtendedBordersTakeTheSkinsShadowPieceOrTheBuiltInImages) {
  InitSkinEngine();
  ASSERT_TRUE(TsSkinManager::BuiltInShadows().Active);
  Manager->SetSkinName("Blue");  // no "EXBORDER" piece
  Manager->SetExtendedBorders(true);
  ASSERT_TRUE(Manager->ExtendedBorders());
  const TsShadowImages& S = Manager->ShadowImages();
  ASSERT_TRUE(S.Active && S.Inactive);
  EXPECT_EQ(std::make_tuple(S.Left, S.Top, S.Right, S.Bottom), std::make_tuple(9, 9, 9, 9));
  EXPECT_EQ(S.Active->Width(), TsSkinManager::BuiltInShadows().Active->Width());
  EXPECT_EQ(S.Active->PixelFormat(), pf32bit);

  Manager->SetSkinName("WEB2");
  const int Ex = Manager->CommonIndexes().ExBorder;
  ASSERT_GE(Ex, 0);
  const TsMaskData& Piece = Manager->Tables().Masks[size_t(Ex)];
  const int Offset = Manager->SkinData().FormOffset;
  ASSERT_TRUE(S.Active && S.Inactive);
  EXPECT_EQ(std::make_tuple(S.Left, S.Top, S.Right, S.Bottom),
            std::make_tuple(Piece.WL - Offset, Piece.WT - Offset, Piece.WR - Offset, Piece.WB - Offset));
  EXPECT_EQ(S.Inactive->Width(), MaskImageWidth(Piece));
  EXPECT_EQ(S.Active->Height(), MaskImageHeight(Piece));
  Manager->SetExtendedBorders(false);
  DoneSkinEngine();
}

// A request record as the editor sends it.
std::vector<char> Record(const std::string& Name, const std::string& Folder, const std::string& Text) {
  std::vector<char> R(30646, 0);
  const std::uint32_t Magic = 0xA400;
  std::memcpy(R.data(), &Magic, 4);
  std::memcpy(R.data() + 4, Name.data(), Name.size());
  std::memcpy(R.data() + 132, Folder.data(), Folder.size());
  std::memcpy(R.data() + 645, Text.data(), Text.size());
  return R;
}

TEST_F(ManagerLoad, ARequestAppliesItsFolderWithTheSentTextAndAnswers) {
  const HWND Editor = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  Seam().EditorWindow = Editor;
  SkinSwitches().Preview = true;
  Manager->SetSkinName("Blue");
  std::vector<char> Data = Record("Green", Dir->Path, Options("7.5", "SENT"));
  COPYDATASTRUCT Copy{7, DWORD(Data.size()), Data.data()};
  TMessage Refused{WM_COPYDATA, 6, reinterpret_cast<LPARAM>(&Copy), 0};
  Manager->ApplySkinFromCopyData(Refused);
  EXPECT_EQ(Refused.Result, 0);
  EXPECT_GE(Manager->GetSkinIndex("PACKED"), 0);
  EXPECT_FALSE(SkinPreviewMode());

  TMessage Msg{WM_COPYDATA, 7, reinterpret_cast<LPARAM>(&Copy), 0};
  Manager->ApplySkinFromCopyData(Msg);
  EXPECT_EQ(Msg.Result, 1);
  EXPECT_EQ(Manager->SkinName(), "Green");
  EXPECT_GE(Manager->GetSkinIndex("SENT"), 0);
  EXPECT_EQ(Manager->MasterBitmap()->Width(), 30);  // the folder's image, not the packed file's
  EXPECT_TRUE(Manager->SkinData().Active);
  EXPECT_TRUE(Manager->AnimEffects()->SkinChanging()->Active());
  EXPECT_EQ(PendingSkinOptions(), nullptr);
  // From now on a folder wins over a packed file of its name.
  Manager->SetSkinName("Green");
  EXPECT_GE(Manager->GetSkinIndex("FOLDER"), 0);

  SkinSwitches().Preview = false;
  Seam().EditorWindow = nullptr;
  DestroyWindow(Editor);
}

}  // namespace

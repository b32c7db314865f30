#include "widgets/hhcomponent.h"

#include "toolkit/rtl/FilePaths.h"
#include "toolkit/ui/UiTestSupport.h"

#include <gtest/gtest.h>

namespace {

testing::Environment* const Env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

class HtmlHelpTest : public testing::Test {
 protected:
  void SetUp() override {
    detail::SetHtmlHelpHook([this](const THtmlHelpCall& Call) { Calls.push_back(Call); });
  }
  void TearDown() override {
    detail::SetHtmlHelpHook(nullptr);
    Application->OnHelp = nullptr;
  }
  std::vector<THtmlHelpCall> Calls;
};

TEST_F(HtmlHelpTest, FileNameParts) {
  struct Case { const char *File, *WinDef, *Topic, *Want; };
  const Case Cases[] = {
      {"C:\\p\\ajuda\\AjudaPrincipal.chm", "", "", "C:\\p\\ajuda\\AjudaPrincipal.chm"},
      {"a.chm", "", "t.htm", "a.chm::t.htm"},
      {"a.chm", "main", "", "a.chm>main"},
      {"a.chm", "main", "t.htm", "a.chm::t.htm>main"},
  };
  THtmlHelp Help(nullptr);
  for (const Case& C : Cases) {
    Help.SetChmFile(C.File);
    Help.SetWinDef(C.WinDef);
    EXPECT_EQ(Help.NomeArquivo(C.Topic), C.Want);
  }
}

TEST_F(HtmlHelpTest, DefaultsAndProperties) {
  THtmlHelp Help(nullptr);
  EXPECT_EQ(Help.ChmFile(), "");
  EXPECT_EQ(Help.WinDef(), "");
  EXPECT_TRUE(Help.DefaultFile());
  Help.SetChmFile("x.chm");
  Help.SetDefaultFile(false);
  EXPECT_EQ(GetStrProp(&Help, "ChmFile"), "x.chm");
  Help.SetDefaultFile(true);  // empties the file name
  EXPECT_EQ(Help.ChmFile(), "");
  SetStrProp(&Help, "WinDef", "w");
  EXPECT_EQ(Help.WinDef(), "w");
  EXPECT_EQ(GetOrdProp(&Help, "DefaultFile"), 1);
}

TEST_F(HtmlHelpTest, LoadedTakesTheApplicationsHelpFile) {
  const std::string Folder = ExtractFilePath(Application->ExeName());
  struct Case { const char* AppFile; bool Default; std::string Want; };
  const Case Cases[] = {
      {"AjudaPrincipal.chm", true, Folder + "AjudaPrincipal.chm"},
      {"C:\\outra\\x.chm", true, "C:\\outra\\x.chm"},
      {"AjudaPrincipal.chm", false, "mantido.chm"},
  };
  for (const Case& C : Cases) {
    Application->SetHelpFile(C.AppFile);
    THtmlHelp* Help = nullptr;
    TComponent Root(nullptr);
    BuildComponents(&Root, [&] {
      Help = new THtmlHelp(&Root);
      Help->SetDefaultFile(C.Default);
      Help->SetChmFile("mantido.chm");
    });
    EXPECT_EQ(Help->ChmFile(), C.Want);
  }
  Application->SetHelpFile("");
}

TEST_F(HtmlHelpTest, ApplicationHelpGoesToTheHelpFile) {
  THtmlHelp Help(nullptr);
  Help.SetDefaultFile(false);
  Help.SetChmFile("C:\\ajuda\\AjudaPrincipal.chm");
  EXPECT_TRUE(Application->HelpCommand(HELP_CONTEXT, 5));
  EXPECT_TRUE(Application->HelpCommand(HELP_CONTEXTPOPUP, 7));
  EXPECT_TRUE(Application->HelpCommand(HELP_FINDER, 0));
  EXPECT_TRUE(Application->HelpCommand(HELP_QUIT, 0));  // nothing for other commands
  ASSERT_EQ(Calls.size(), 3u);
  EXPECT_EQ(Calls[0].Command, 15u);
  EXPECT_EQ(Calls[0].Data, 5u);
  EXPECT_EQ(Calls[0].File, "C:\\ajuda\\AjudaPrincipal.chm");
  EXPECT_EQ(Calls[1].Command, 15u);
  EXPECT_EQ(Calls[1].Data, 7u);
  EXPECT_EQ(Calls[2].Command, 1u);
  EXPECT_EQ(Calls[2].Data, 0u);
}

TEST_F(HtmlHelpTest, F1OnAFormOpensItsContextOverTheActiveForm) {
  THtmlHelp Help(nullptr);
  Help.SetChmFile("a.chm");
  auto* Form = new TForm(Application);
  Form->SetHelpContext(5);
  Form->Show();
  SetForegroundWindow(Form->Handle());
  SetFocus(Form->Handle());
  uitest::Pump();
  PostMessageA(Form->Handle(), WM_KEYDOWN, VK_F1, 0);
  PostMessageA(Form->Handle(), WM_KEYUP, VK_F1, 0xC0000000);
  uitest::Pump();
  ASSERT_EQ(Calls.size(), 1u);
  EXPECT_EQ(Calls[0].Command, 15u);
  EXPECT_EQ(Calls[0].Data, 5u);
  EXPECT_EQ(Calls[0].Caller, Screen->ActiveForm() ? Screen->ActiveForm()->Handle() : nullptr);
  Help.ShowContents();
  EXPECT_EQ(Calls.back().Command, 1u);
  Form->Free();
}

// Components going away in creation order or out of it leave the application with the handler it
// had before the first, never one of a component that is gone.
TEST_F(HtmlHelpTest, HandlersComeBackInTheRightOrder) {
  for (bool FirstGoesFirst : {false, true}) {
    int Original = 0;
    Application->OnHelp = [&](WORD, ULONG_PTR, bool&) { return ++Original > 0; };
    auto* A = new THtmlHelp(nullptr);
    auto* B = new THtmlHelp(nullptr);
    Application->HelpCommand(HELP_FINDER, 0);
    EXPECT_EQ(Calls.size(), 1u);  // the last one created answers
    if (FirstGoesFirst) {
      A->Free();
      Application->HelpCommand(HELP_FINDER, 0);
      EXPECT_EQ(Calls.size(), 2u);
      B->Free();
    } else {
      B->Free();
      Application->HelpCommand(HELP_FINDER, 0);
      EXPECT_EQ(Calls.size(), 2u);
      A->Free();
    }
    Application->HelpCommand(HELP_FINDER, 0);
    EXPECT_EQ(Original, 1);
    EXPECT_EQ(Calls.size(), 2u);
    Calls.clear();
  }
}

}  // namespace

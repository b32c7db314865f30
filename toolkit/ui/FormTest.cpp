// Forms built in code: loading state, alignment, modal showing, close actions, keys, help, hints
// and the default error box; the application and screen objects; timers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/ui/Timer.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

std::vector<std::string> g_events;

// A plain windowed container that can take the focus.
class TPainel : public TCustomControl {
 public:
  explicit TPainel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
  }
  void Loaded() override {
    g_events.push_back("loaded " + Name() + (ComponentState() & csLoading ? "" : " (not loading)"));
    TCustomControl::Loaded();
  }

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }
};

TPainel* NewPainel(TComponent* Owner, TWinControl* Parent, const char* Name, TAlign Align, TRect Bounds) {
  auto* p = new TPainel(Owner);
  p->SetName(Name);
  p->SetParent(Parent);
  p->SetBoundsRect(Bounds);
  p->SetAlign(Align);
  return p;
}

class TfrmTeste : public TForm {
 public:
  explicit TfrmTeste(TComponent* AOwner) : TForm(AOwner) {
    InitializeForm([this] { Build(); });
  }
  ~TfrmTeste() override { g_events.push_back("destroyed"); }

  TPainel* pnlTopo = nullptr;
  TPainel* pnlBase = nullptr;
  TPainel* pnlEsquerdo = nullptr;
  TPainel* pnlCliente = nullptr;
  TPainel* pnlInterno = nullptr;
  TTimer* tmrPisca = nullptr;
  int ticks = 0;

 private:
  void Build() {
    g_events.push_back(std::string("building") + (ComponentState() & csLoading ? " (loading)" : ""));
    SetName("frmTeste");
    SetBorderStyle(bsNone);
    SetBounds(20, 20, 400, 300);
    SetCaption("Teste");
    pnlTopo = NewPainel(this, this, "pnlTopo", alTop, Bounds(0, 0, 400, 40));
    pnlBase = NewPainel(this, this, "pnlBase", alBottom, Bounds(0, 260, 400, 30));
    pnlEsquerdo = NewPainel(this, this, "pnlEsquerdo", alLeft, Bounds(0, 40, 80, 200));
    pnlCliente = NewPainel(this, this, "pnlCliente", alClient, Bounds(0, 0, 10, 10));
    pnlCliente->SetBorderWidth(5);
    pnlInterno = NewPainel(this, pnlCliente, "pnlInterno", alClient, Bounds(0, 0, 10, 10));
    tmrPisca = new TTimer(this);
    tmrPisca->SetInterval(20);
    tmrPisca->SetEnabled(false);
    tmrPisca->OnTimer = [this](TObject*) { ++ticks; };
    OnCreate = [](TObject*) { g_events.push_back("create"); };
  }
};

class FormTest : public testing::Test {
 protected:
  void SetUp() override { g_events.clear(); }
};

TEST_F(FormTest, BuiltInCodeThenLoadedThenCreated) {
  auto* f = new TfrmTeste(Application);
  const std::vector<std::string> expected = {"building (loading)", "loaded pnlTopo",   "loaded pnlBase",
                                             "loaded pnlEsquerdo", "loaded pnlCliente", "loaded pnlInterno",
                                             "create"};
  EXPECT_EQ(g_events, expected);
  EXPECT_FALSE(f->ComponentState() & csLoading);
  EXPECT_EQ(f->FindComponent("PNLTOPO"), f->pnlTopo);
  EXPECT_EQ(f->ClassName(), "TfrmTeste");
  f->Free();
  EXPECT_EQ(g_events.back(), "destroyed");
}

TEST_F(FormTest, NestedPanelsAreAligned) {
  auto* f = new TfrmTeste(Application);
  f->Show();
  Pump();
  char cls[64] = {};
  GetClassNameA(f->Handle(), cls, sizeof(cls));
  EXPECT_STREQ(cls, "TfrmTeste");
  struct Case {
    TControl* c;
    TRect r;
  } cases[] = {
      {f->pnlTopo, Bounds(0, 0, 400, 40)},        {f->pnlBase, Bounds(0, 270, 400, 30)},
      {f->pnlEsquerdo, Bounds(0, 40, 80, 230)},   {f->pnlCliente, Bounds(80, 40, 320, 230)},
      // BorderWidth is a frame outside the client area: the inner panel fills what is left.
      {f->pnlInterno, Bounds(0, 0, 310, 220)},
  };
  for (const Case& c : cases) {
    const TRect r = c.c->BoundsRect();
    EXPECT_TRUE(EqualRect(&r, &c.r)) << c.c->Name() << ": " << r.left << "," << r.top << "," << r.right << ","
                                     << r.bottom;
  }
  RECT wr{};
  GetWindowRect(f->pnlInterno->Handle(), &wr);
  POINT origin{0, 0};
  ::ClientToScreen(f->pnlCliente->Handle(), &origin);
  EXPECT_EQ(wr.left - origin.x, 0);
  GetWindowRect(f->pnlCliente->Handle(), &wr);
  EXPECT_EQ(origin.x - wr.left, 5);
  // Resizing the form realigns everything.
  f->SetBounds(20, 20, 500, 400);
  EXPECT_EQ(f->pnlCliente->Width(), 420);
  EXPECT_EQ(f->pnlBase->Top(), 370);
  f->Free();
}

TEST_F(FormTest, AlignOrderFollowsPositionAndBringToFrontRaisesTheWindow) {
  auto* f = new TForm(Application);
  f->SetBorderStyle(bsNone);
  f->SetBounds(0, 0, 200, 200);
  auto* a = NewPainel(f, f, "a", alNone, Bounds(0, 50, 200, 20));
  auto* b = NewPainel(f, f, "b", alNone, Bounds(0, 10, 200, 30));
  f->DisableAlign();
  a->SetAlign(alTop);
  b->SetAlign(alTop);
  f->EnableAlign();
  // Controls of one alignment are stacked in the order of their positions: b (10) above a (50).
  EXPECT_EQ(b->Top(), 0);
  EXPECT_EQ(a->Top(), 30);
  a->SetTop(0);
  EXPECT_EQ(a->Top(), 0);
  EXPECT_EQ(b->Top(), 20);
  auto* c = NewPainel(f, f, "c", alClient, Bounds(0, 0, 1, 1));
  EXPECT_EQ(c->Top(), 50);
  EXPECT_EQ(c->Height(), 150);
  a->SetVisible(false);
  EXPECT_EQ(b->Top(), 0);
  EXPECT_EQ(c->Top(), 30);
  f->Show();
  // The last child is on top; BringToFront and SendToBack move the window and the list entry.
  EXPECT_EQ(GetWindow(f->Handle(), GW_CHILD), c->Handle());
  a->BringToFront();
  EXPECT_EQ(GetWindow(f->Handle(), GW_CHILD), a->Handle());
  EXPECT_EQ(f->Controls(f->ControlCount() - 1), a);
  a->SendToBack();
  EXPECT_EQ(GetWindow(f->Handle(), GW_CHILD), c->Handle());
  EXPECT_EQ(f->Controls(0), a);
  f->Free();
}

TEST_F(FormTest, ModalFormReturnsItsModalResult) {
  auto* owner = new TfrmTeste(Application);
  owner->Show();
  auto* modal = new TfrmTeste(Application);
  bool ownerDisabledMeanwhile = false;
  TFormState stateMeanwhile = 0;
  modal->tmrPisca->OnTimer = [&](TObject*) {
    modal->tmrPisca->SetEnabled(false);
    ownerDisabledMeanwhile = !IsWindowEnabled(owner->Handle());
    stateMeanwhile = modal->FormState();
    modal->SetModalResult(mrOk);
  };
  modal->tmrPisca->SetEnabled(true);
  EXPECT_EQ(modal->ShowModal(), mrOk);
  EXPECT_TRUE(ownerDisabledMeanwhile);
  EXPECT_TRUE(stateMeanwhile & fsModal);
  EXPECT_FALSE(modal->FormState() & fsModal);
  EXPECT_FALSE(modal->Visible());
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
  // Closing a modal form answers mrCancel.
  modal->tmrPisca->OnTimer = [&](TObject*) {
    modal->tmrPisca->SetEnabled(false);
    modal->Close();
  };
  modal->tmrPisca->SetEnabled(true);
  EXPECT_EQ(modal->ShowModal(), mrCancel);
  modal->Free();
  owner->Free();
}

TEST_F(FormTest, CloseActions) {
  struct Case {
    TCloseAction action;
    bool canClose;
    bool visibleAfter;
    bool freed;
  } cases[] = {
      {caHide, true, false, false},
      {caNone, true, true, false},
      {caMinimize, true, true, false},
      {caFree, true, false, true},
      {caHide, false, true, false},
  };
  for (const Case& c : cases) {
    g_events.clear();
    auto* f = new TfrmTeste(Application);
    f->Show();
    f->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = c.canClose; };
    f->OnClose = [&](TObject*, TCloseAction& Action) {
      g_events.push_back("close");
      Action = c.action;
    };
    SendMessageA(f->Handle(), WM_CLOSE, 0, 0);
    // A form that frees itself does so only after the message that closed it has returned.
    EXPECT_EQ(std::count(g_events.begin(), g_events.end(), "destroyed"), 0);
    Pump();
    const bool freed = std::count(g_events.begin(), g_events.end(), "destroyed") == 1;
    EXPECT_EQ(freed, c.freed) << "action " << c.action;
    EXPECT_EQ(std::count(g_events.begin(), g_events.end(), "close"), c.canClose ? 1 : 0);
    if (!freed) {
      EXPECT_EQ(f->Visible(), c.visibleAfter) << "action " << c.action;
      if (c.action == caMinimize) EXPECT_EQ(f->WindowState(), wsMinimized);
      f->Free();
    }
  }
}

TEST_F(FormTest, F1AsksForHelpOnTheNearestHelpContext) {
  auto* f = new TfrmTeste(Application);
  f->SetHelpContext(1);
  f->pnlCliente->SetHelpContext(20);
  f->pnlInterno->SetTabStop(true);
  f->pnlEsquerdo->SetTabStop(true);
  f->Show();
  std::vector<ULONG_PTR> asked;
  Application->OnHelp = [&](WORD Command, ULONG_PTR Data, bool& CallHelp) {
    EXPECT_EQ(Command, HELP_CONTEXT);
    asked.push_back(Data);
    CallHelp = false;
    return true;
  };
  for (TPainel* p : {f->pnlInterno, f->pnlEsquerdo}) {
    SetFocus(p->Handle());
    ASSERT_EQ(GetFocus(), p->Handle());
    PostMessageA(p->Handle(), WM_KEYDOWN, VK_F1, 0);
    PostMessageA(p->Handle(), WM_KEYUP, VK_F1, 0xC0000000);
    Pump();
  }
  Application->OnHelp = nullptr;
  // The inner panel has none of its own: its parent's; the left panel: the form's.
  EXPECT_EQ(asked, (std::vector<ULONG_PTR>{20, 1}));
  f->Free();
}

TEST_F(FormTest, TabMovesTheFocusInTabOrderWithEnterAndExit) {
  auto* f = new TfrmTeste(Application);
  for (TPainel* p : {f->pnlTopo, f->pnlEsquerdo, f->pnlBase}) {
    p->SetTabStop(true);
    p->OnEnter = [p](TObject*) { g_events.push_back("enter " + p->Name()); };
    p->OnExit = [p](TObject*) { g_events.push_back("exit " + p->Name()); };
  }
  f->pnlBase->SetTabOrder(0);
  f->Show();
  f->pnlEsquerdo->SetFocus();
  Pump();
  g_events.clear();
  for (int i = 0; i < 3; ++i) {
    PostMessageA(f->ActiveControl()->Handle(), WM_KEYDOWN, VK_TAB, 0);
    Pump();
  }
  EXPECT_EQ(g_events, (std::vector<std::string>{"exit pnlEsquerdo", "enter pnlBase", "exit pnlBase", "enter pnlTopo",
                                                "exit pnlTopo", "enter pnlEsquerdo"}));
  EXPECT_EQ(f->ActiveControl(), f->pnlEsquerdo);
  EXPECT_EQ(Screen->ActiveControl(), f->pnlEsquerdo);
  EXPECT_EQ(Screen->ActiveForm(), f);
  f->Free();
  EXPECT_EQ(Screen->ActiveControl(), nullptr);
}

TEST_F(FormTest, ExceptionFromAnEventHandlerShowsTheDefaultErrorBoxAndCarriesOn) {
  TDialogScript script;
  auto* f = new TfrmTeste(Application);
  f->Show();
  int clicks = 0;
  f->pnlTopo->OnClick = [&](TObject*) {
    ++clicks;
    throw EConvertError("'abc' não é um número válido");
  };
  for (int i = 0; i < 2; ++i) {
    SendMessageA(f->pnlTopo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(f->pnlTopo->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  EXPECT_EQ(clicks, 2);
  ASSERT_EQ(script.Log().size(), 2u);
  const TDialogScript::Entry& e = script.Log()[0];
  EXPECT_EQ(e.Kind, "MessageBox");
  EXPECT_EQ(e.Text, "'abc' não é um número válido.");
  EXPECT_EQ(e.Caption, Application->Title());
  EXPECT_EQ(e.Icon, static_cast<UINT>(MB_ICONSTOP));
  EXPECT_EQ(e.Buttons, static_cast<UINT>(MB_OK));
  // EAbort is silent.
  f->pnlTopo->OnClick = [](TObject*) { Abort(); };
  SendMessageA(f->pnlTopo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(f->pnlTopo->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(script.Log().size(), 2u);
  f->Free();
}

TEST_F(FormTest, MessageRoutinesAreScriptedAndLogged) {
  TDialogScript script;
  script.Answer(mrNo);
  EXPECT_EQ(MessageDlg("Deseja excluir o paciente?", mtConfirmation, mbYesNo, 0), mrNo);
  // Nothing queued: the default button answers.
  EXPECT_EQ(MessageDlg("Arquivo não encontrado", mtError, MsgDlgButton(mbOK), 0), mrOk);
  EXPECT_EQ(Application->MessageBox("Continuar?", "Atenção", MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2), IDCANCEL);
  ShowMessage("Pronto");
  auto* open = new TOpenDialog(Application);
  open->Filter = "Exames|*.exp";
  open->Title = "Importar";
  script.AnswerFile("C:\\dados\\a.exp");
  EXPECT_TRUE(open->Execute());
  EXPECT_EQ(open->FileName, "C:\\dados\\a.exp");
  EXPECT_FALSE(open->Execute());
  open->Free();
  struct Expected {
    const char* kind;
    const char* text;
    const char* caption;
    UINT icon;
    UINT buttons;
    int answer;
  } expected[] = {
      {"MessageBox", "Deseja excluir o paciente?", "Confirmação", MB_ICONQUESTION, MB_YESNO, mrNo},
      {"MessageBox", "Arquivo não encontrado", "Erro", MB_ICONERROR, MB_OK, mrOk},
      {"MessageBox", "Continuar?", "Atenção", MB_ICONWARNING, MB_OKCANCEL, IDCANCEL},
      {"MessageBox", "Pronto", nullptr, 0, MB_OK, IDOK},
      {"OpenDialog", "Exames|*.exp", "Importar", 0, 0, 1},
      {"OpenDialog", "Exames|*.exp", "Importar", 0, 0, 0},
  };
  ASSERT_EQ(script.Log().size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const auto& e = script.Log()[i];
    EXPECT_EQ(e.Kind, expected[i].kind);
    EXPECT_EQ(e.Text, expected[i].text);
    EXPECT_EQ(e.Caption, expected[i].caption ? expected[i].caption : Application->Title());
    EXPECT_EQ(e.Icon, expected[i].icon);
    EXPECT_EQ(e.Buttons, expected[i].buttons);
    EXPECT_EQ(e.Answer, expected[i].answer);
  }
}

TEST_F(FormTest, TimerTicksWhileEnabled) {
  auto* f = new TfrmTeste(Application);
  f->tmrPisca->SetEnabled(true);
  Pump(200);
  f->tmrPisca->SetEnabled(false);
  const int ticks = f->ticks;
  EXPECT_GE(ticks, 2);
  Pump(100);
  EXPECT_EQ(f->ticks, ticks);
  f->Free();
}

TEST_F(FormTest, HintShowsAfterThePauseAndCancels) {
  auto* f = new TfrmTeste(Application);
  f->Show();
  f->pnlTopo->SetHint("Fecha a janela|Fecha a janela e volta ao início");
  f->pnlTopo->SetShowHint(true);
  Application->SetHintPause(10);
  f->pnlTopo->Perform(CM_MOUSEENTER, 0, 0);
  Pump(150);
  EXPECT_EQ(Application->CurrentHint(), "Fecha a janela");
  Application->CancelHint();
  EXPECT_EQ(Application->CurrentHint(), "");
  f->pnlEsquerdo->Perform(CM_MOUSEENTER, 0, 0);
  Pump(100);
  EXPECT_EQ(Application->CurrentHint(), "");
  f->Free();
}

TEST_F(FormTest, ApplicationWindowAndMainForm) {
  char cls[64] = {};
  GetClassNameA(Application->Handle(), cls, sizeof(cls));
  EXPECT_STREQ(cls, "TApplication");
  EXPECT_FALSE(IsWindowVisible(Application->Handle()));
  Application->SetTitle("MZ teste único");
  EXPECT_EQ(FindWindowA("TApplication", "MZ teste único"), Application->Handle());
  TfrmTeste* frmPrincipal = nullptr;
  Application->CreateForm(frmPrincipal);
  ASSERT_TRUE(frmPrincipal);
  EXPECT_EQ(Application->MainForm(), frmPrincipal);
  EXPECT_EQ(frmPrincipal->Owner(), Application);
  EXPECT_EQ(Screen->Forms(Screen->FormCount() - 1), frmPrincipal);
  // The owner of the main form's window is the application window.
  EXPECT_EQ(GetWindow(frmPrincipal->Handle(), GW_OWNER), Application->Handle());
  frmPrincipal->Free();
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(FormTest, ControlPropertiesByName) {
  auto* f = new TfrmTeste(Application);
  SetOrdProp(f->pnlTopo, "Color", clRed);
  EXPECT_EQ(f->pnlTopo->Color(), clRed);
  EXPECT_EQ(GetObjectProp(f->pnlTopo, "Font"), f->pnlTopo->Font());
  SetEnumProp(f->pnlTopo, "Align", "alBottom");
  EXPECT_EQ(f->pnlTopo->Align(), alBottom);
  EXPECT_EQ(GetEnumProp(f, "BorderStyle"), "bsNone");
  SetStrProp(f->pnlTopo, "Caption", "Título");
  EXPECT_EQ(f->pnlTopo->Caption(), "Título");
  EXPECT_EQ(GetOrdProp(f->pnlCliente, "BorderWidth"), 5);
  f->Free();
}

// Answers Enter or Escape like a default or cancel button does.
class TDefaultKey : public TCustomControl {
 public:
  TDefaultKey(TComponent* AOwner, WPARAM Key) : TCustomControl(AOwner), key_(Key) {}
  int presses = 0;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CM_DIALOGKEY && Message.WParam == key_) {
      ++presses;
      Message.Result = 1;
      return;
    }
    TCustomControl::Dispatch(Message);
  }

 private:
  WPARAM key_;
};

TEST_F(FormTest, EnterAndEscapeReachTheDefaultAndCancelControls) {
  auto* f = new TfrmTeste(Application);
  auto* ok = new TDefaultKey(f, VK_RETURN);
  ok->SetParent(f->pnlBase);
  auto* cancel = new TDefaultKey(f, VK_ESCAPE);
  cancel->SetParent(f->pnlBase);
  f->pnlEsquerdo->SetTabStop(true);
  f->Show();
  f->pnlEsquerdo->SetFocus();
  for (WPARAM key : {VK_RETURN, VK_ESCAPE, VK_ESCAPE}) {
    PostMessageA(f->pnlEsquerdo->Handle(), WM_KEYDOWN, key, 0);
    Pump();
  }
  EXPECT_EQ(ok->presses, 1);
  EXPECT_EQ(cancel->presses, 2);
  f->Free();
}

TEST_F(FormTest, KeyPreviewLetsTheFormSeeKeysFirst) {
  auto* f = new TfrmTeste(Application);
  f->pnlEsquerdo->SetTabStop(true);
  f->Show();
  f->pnlEsquerdo->SetFocus();
  g_events.clear();
  f->OnKeyDown = [](TObject*, WORD& Key, TShiftState) {
    g_events.push_back("form " + std::to_string(Key));
    if (Key == 'A') Key = 0;
  };
  f->pnlEsquerdo->OnKeyDown = [](TObject*, WORD& Key, TShiftState) {
    g_events.push_back("panel " + std::to_string(Key));
  };
  for (bool preview : {false, true}) {
    f->SetKeyPreview(preview);
    for (WPARAM key : {'A', 'B'}) {
      PostMessageA(f->pnlEsquerdo->Handle(), WM_KEYDOWN, key, 0);
      Pump();
    }
  }
  EXPECT_EQ(g_events, (std::vector<std::string>{"panel 65", "panel 66", "form 65", "form 66", "panel 66"}));
  f->Free();
}

TEST_F(FormTest, ClicksOnAWindowlessControlGoThroughItsParent) {
  struct TShape : TGraphicControl {
    using TGraphicControl::TGraphicControl;
  };
  auto* f = new TfrmTeste(Application);
  auto* shape = new TShape(f);
  shape->SetParent(f->pnlCliente);
  shape->SetBounds(10, 10, 30, 30);
  std::vector<std::string> got;
  shape->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
    got.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
    EXPECT_TRUE(shape->MouseCapture());
  };
  shape->OnClick = [&](TObject*) { got.push_back("click"); };
  f->Show();
  HWND parent = f->pnlCliente->Handle();
  SendMessageA(parent, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 25));
  EXPECT_EQ(GetCapture(), parent);
  SendMessageA(parent, WM_LBUTTONUP, 0, MAKELPARAM(15, 25));
  EXPECT_EQ(GetCapture(), nullptr);
  // Released outside the control: no click.
  SendMessageA(parent, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 25));
  SendMessageA(parent, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
  EXPECT_EQ(got, (std::vector<std::string>{"down 5,15", "click", "down 5,15"}));
  f->Free();
}

TEST_F(FormTest, PositionWindowStateAndConstraints) {
  auto* f = new TfrmTeste(Application);
  f->SetPosition(poScreenCenter);
  f->Show();
  EXPECT_EQ(f->Left(), (Screen->Width() - f->Width()) / 2);
  EXPECT_EQ(f->Top(), (Screen->Height() - f->Height()) / 2);
  f->Constraints()->SetMinWidth(350);
  f->Constraints()->SetMaxHeight(250);
  f->SetBounds(0, 0, 100, 600);
  EXPECT_EQ(f->Width(), 350);
  EXPECT_EQ(f->Height(), 250);
  MINMAXINFO mmi{};
  SendMessageA(f->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(mmi.ptMinTrackSize.x, 350);
  EXPECT_EQ(mmi.ptMaxTrackSize.y, 250);
  f->SetWindowState(wsMinimized);
  EXPECT_TRUE(IsIconic(f->Handle()));
  f->SetWindowState(wsNormal);
  EXPECT_FALSE(IsIconic(f->Handle()));
  f->Free();
}

TEST_F(FormTest, ClientSizeSetsTheOuterSizeForTheBorder) {
  auto* f = new TForm(Application);
  f->SetBorderStyle(bsDialog);
  f->SetClientWidth(300);
  f->SetClientHeight(200);
  EXPECT_EQ(f->ClientWidth(), 300);
  EXPECT_EQ(f->ClientHeight(), 200);
  EXPECT_GT(f->Width(), 300);
  f->HandleNeeded();
  RECT r{};
  GetClientRect(f->Handle(), &r);
  EXPECT_EQ(r.right, 300);
  EXPECT_EQ(r.bottom, 200);
  f->Free();
}

TEST_F(FormTest, FormEventsInOrderAndPaintingOnTheFormCanvas) {
  auto* f = new TForm(Application);
  f->SetBorderStyle(bsNone);
  f->SetBounds(30, 30, 120, 90);
  std::vector<std::string> events;
  f->OnShow = [&](TObject*) { events.push_back("show"); };
  f->OnActivate = [&](TObject*) { events.push_back("activate"); };
  f->OnResize = [&](TObject*) { events.push_back("resize"); };
  f->OnHide = [&](TObject*) { events.push_back("hide"); };
  f->OnDestroy = [&](TObject*) { events.push_back("destroy"); };
  f->OnPaint = [&](TObject*) {
    f->Canvas()->Brush()->SetColor(clBlue);
    f->Canvas()->FillRect(Rect(0, 0, 20, 20));
  };
  f->Show();
  Pump();
  // Making the window sizes it first (OnResize, as the toolkit does), then it shows and activates.
  events.erase(std::remove(events.begin(), events.end(), "resize"), events.end());
  EXPECT_EQ(events, (std::vector<std::string>{"show", "activate"}));
  events.clear();
  f->SetWidth(140);
  EXPECT_EQ(events, std::vector<std::string>{"resize"});
  f->Repaint();
  HDC dc = GetDC(f->Handle());
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 50, 50), static_cast<COLORREF>(ColorToRGB(clBtnFace)));
  ReleaseDC(f->Handle(), dc);
  events.clear();
  f->Free();
  EXPECT_EQ(events, (std::vector<std::string>{"hide", "destroy"}));
}

TEST_F(FormTest, ArrowKeysMoveAmongSiblingsWithoutTabStops) {
  auto* f = new TfrmTeste(Application);
  f->Show();
  f->pnlTopo->SetFocus();
  Pump();
  const std::vector<TPainel*> order = {f->pnlBase, f->pnlEsquerdo, f->pnlCliente, f->pnlTopo};
  for (TPainel* expected : order) {
    PostMessageA(f->ActiveControl()->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    Pump();
    EXPECT_EQ(f->ActiveControl(), expected) << expected->Name();
  }
  PostMessageA(f->ActiveControl()->Handle(), WM_KEYDOWN, VK_UP, 0);
  Pump();
  EXPECT_EQ(f->ActiveControl(), f->pnlCliente);
  f->Free();
}

TEST_F(FormTest, MdiChildrenLiveInTheFramesClientWindow) {
  TForm* frame = nullptr;
  struct TfrmFrame : TForm {
    explicit TfrmFrame(TComponent* AOwner) : TForm(AOwner) { SetFormStyle(fsMDIForm); }
  };
  TfrmFrame* created = nullptr;
  Application->CreateForm(created);
  frame = created;
  ASSERT_EQ(Application->MainForm(), frame);
  frame->Show();
  ASSERT_TRUE(frame->ClientHandle());
  char cls[32] = {};
  GetClassNameA(frame->ClientHandle(), cls, sizeof(cls));
  EXPECT_STREQ(cls, "MDIClient");
  auto* child = new TForm(Application);
  child->SetFormStyle(fsMDIChild);
  child->SetCaption("Filho");
  child->Show();
  Pump();
  EXPECT_EQ(GetParent(child->Handle()), frame->ClientHandle());
  EXPECT_EQ(frame->MDIChildCount(), 1);
  EXPECT_EQ(frame->MDIChildren(0), child);
  EXPECT_EQ(frame->ActiveMDIChild(), child);
  child->Free();
  EXPECT_EQ(frame->MDIChildCount(), 0);
  frame->Free();
  EXPECT_EQ(Application->MainForm(), nullptr);
}

// A modal dialog lying wholly inside a borderless form (the browser's wizards over the main window)
// reaches the X server: read back through the screen, as a person sees it.
TEST_F(FormTest, ModalDialogInsideABorderlessFormReachesTheScreen) {
  auto* base = new TForm(Application);
  base->SetBorderStyle(bsNone);
  base->SetBounds(240, 212, 800, 600);
  base->SetColor(clRed);
  base->Show();
  auto* modal = new TForm(Application);
  modal->SetBorderStyle(bsDialog);
  modal->SetBounds(317, 337, 646, 350);
  modal->SetColor(clLime);
  auto* tmr = new TTimer(modal);
  tmr->SetInterval(20);
  // The window's surface reaches the server when the loop goes idle: look on each tick, a bounded number of times.
  COLORREF seen = CLR_INVALID;
  int ticks = 0;
  tmr->OnTimer = [&](TObject*) {
    HDC screen = GetDC(nullptr);
    const TPoint p = modal->ClientToScreen(Point(modal->ClientWidth() / 2, modal->ClientHeight() / 2));
    seen = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    if (seen == static_cast<COLORREF>(clLime) || ++ticks == 100) modal->SetModalResult(mrOk);
  };
  tmr->SetEnabled(true);
  modal->ShowModal();
  EXPECT_EQ(seen, static_cast<COLORREF>(clLime));
  modal->Free();
  base->Free();
}

}  // namespace

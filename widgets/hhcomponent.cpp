#include "widgets/hhcomponent.h"

#include "toolkit/rtl/FilePaths.h"
#include "toolkit/rtl/TypInfo.h"

#include <algorithm>
#include <vector>

namespace {

constexpr UINT HH_DISPLAY_TOC = 0x0001;
constexpr UINT HH_HELP_CONTEXT = 0x000F;

detail::THtmlHelpHook& Hook() {
  static detail::THtmlHelpHook H;
  return H;
}

// The live components, for mending the chain of saved handlers when one goes out of turn.
std::vector<THtmlHelp*>& Instances() {
  static std::vector<THtmlHelp*> List;
  return List;
}

// HtmlHelpA of hhctrl.ocx, bound on first use; nothing where there is none.
void CallHtmlHelp(const THtmlHelpCall& Call) {
  if (Hook()) return Hook()(Call);
  using THtmlHelpA = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
  static const THtmlHelpA HtmlHelpA = [] {
    const HMODULE Module = LoadLibraryA("hhctrl.ocx");
    return Module ? reinterpret_cast<THtmlHelpA>(reinterpret_cast<void*>(GetProcAddress(Module, "HtmlHelpA")))
                  : nullptr;
  }();
  if (HtmlHelpA) HtmlHelpA(Call.Caller, Call.File.c_str(), Call.Command, Call.Data);
}

HWND ActiveFormHandle() {
  TForm* Form = Screen ? Screen->ActiveForm() : nullptr;
  return Form ? Form->Handle() : nullptr;
}

}  // namespace

void detail::SetHtmlHelpHook(THtmlHelpHook Value) { Hook() = std::move(Value); }

// The application's help event while a component is installed: it knows whose it is, so that a
// component going away can tell whether the application still holds its handler.
struct THtmlHelp::THandler {
  THtmlHelp* Self;
  bool operator()(WORD Command, ULONG_PTR Data, bool& CallHelp) const {
    return Self->ApplicationHelp(Command, Data, CallHelp);
  }
};

THtmlHelp::THtmlHelp(TComponent* AOwner) : TComponent(AOwner) {
  Instances().push_back(this);
  if (!(ComponentState() & csDesigning) && Application) {
    FOldHelp = Application->OnHelp;
    Application->OnHelp = THandler{this};
  }
}

THtmlHelp::~THtmlHelp() {
  auto& List = Instances();
  List.erase(std::remove(List.begin(), List.end(), this), List.end());
  auto Mine = [this](const THelpEvent& E) {
    const THandler* H = E.target<THandler>();
    return H && H->Self == this;
  };
  if (Application && Mine(Application->OnHelp)) {
    Application->OnHelp = FOldHelp;
  } else {
    // Gone out of turn: whoever saved this one's handler takes the one it had saved instead.
    for (THtmlHelp* Other : List)
      if (Mine(Other->FOldHelp)) Other->FOldHelp = FOldHelp;
  }
}

void THtmlHelp::SetDefaultFile(bool Value) {
  FDefaultFile = Value;
  if (Value) FChmFile.clear();
}

void THtmlHelp::Loaded() {
  TComponent::Loaded();
  if ((ComponentState() & csDesigning) || !FDefaultFile || !Application) return;
  FChmFile = Application->HelpFile();
  if (ExtractFilePath(FChmFile).empty()) FChmFile = ExtractFilePath(Application->ExeName()) + FChmFile;
}

std::string THtmlHelp::NomeArquivo(const std::string& Topic) const {
  std::string Name = FChmFile;
  if (!Topic.empty()) Name += "::" + Topic;
  if (!FWinDef.empty()) Name += ">" + FWinDef;
  return Name;
}

void THtmlHelp::MostrarContexto(int Context) {
  CallHtmlHelp({ActiveFormHandle(), NomeArquivo(), HH_HELP_CONTEXT, DWORD_PTR(Context)});
}

void THtmlHelp::ShowContents() { CallHtmlHelp({ActiveFormHandle(), NomeArquivo(), HH_DISPLAY_TOC, 0}); }

bool THtmlHelp::ApplicationHelp(WORD Command, ULONG_PTR Data, bool& CallHelp) {
  CallHelp = false;
  if (Command == HELP_CONTEXT || Command == HELP_CONTEXTPOPUP)
    MostrarContexto(int(Data));
  else if (Command == HELP_FINDER)
    ShowContents();
  return true;
}

void THtmlHelp::GetPublishedProperties(TPropList& List) const {
  TComponent::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      StrProperty<THtmlHelp>("ChmFile", &THtmlHelp::ChmFile, &THtmlHelp::SetChmFile),
      StrProperty<THtmlHelp>("WinDef", &THtmlHelp::WinDef, &THtmlHelp::SetWinDef),
      BoolProperty<THtmlHelp>("DefaultFile", &THtmlHelp::DefaultFile, &THtmlHelp::SetDefaultFile),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}

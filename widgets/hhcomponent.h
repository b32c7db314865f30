#pragma once
// THtmlHelp: routes the application's help requests to a compiled HTML help file and opens its
// table of contents on demand.
#include "toolkit/ui/Component.h"
#include "toolkit/ui/Forms.h"

#include <functional>
#include <string>

// One call of the HTML Help service (HtmlHelpA).
struct THtmlHelpCall {
  HWND Caller;
  std::string File;
  UINT Command;
  DWORD_PTR Data;
};

namespace detail {
// While set, help calls go here instead of the HTML Help service (tests; there is no help
// viewer under Wine).
using THtmlHelpHook = std::function<void(const THtmlHelpCall& Call)>;
void SetHtmlHelpHook(THtmlHelpHook Hook);
}  // namespace detail

class THtmlHelp : public TComponent {
 public:
  explicit THtmlHelp(TComponent* AOwner);
  ~THtmlHelp() override;
  std::string ClassName() const override { return "THtmlHelp"; }

  // Help file name; window definition inside it; whether the application's help file is taken at
  // load time (setting it empties ChmFile).
  const std::string& ChmFile() const { return FChmFile; }
  void SetChmFile(const std::string& Value) { FChmFile = Value; }
  const std::string& WinDef() const { return FWinDef; }
  void SetWinDef(const std::string& Value) { FWinDef = Value; }
  bool DefaultFile() const { return FDefaultFile; }
  void SetDefaultFile(bool Value);

  // ChmFile, then "::" and the topic, then ">" and WinDef, each when not empty.
  std::string NomeArquivo(const std::string& Topic = "") const;
  void MostrarContexto(int Context);
  void ShowContents();

  void Loaded() override;
  void GetPublishedProperties(TPropList& List) const override;

 private:
  struct THandler;
  bool ApplicationHelp(WORD Command, ULONG_PTR Data, bool& CallHelp);

  std::string FChmFile;
  std::string FWinDef;
  bool FDefaultFile = true;
  // The application's help handler before this component's, put back when it goes.
  THelpEvent FOldHelp;
};

#include "windows/UBGanchoExecucao.h"

#include <windows.h>

#include <string>

#include "toolkit/report/Printers.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/NumberText.h"
#include "toolkit/ui/Dialogs.h"
#include "widgets/hhcomponent.h"
#include "windows/UBShell.h"

namespace {

// One field of a log line: line breaks and tabs would split the line.
std::string Campo(const std::string& Text) {
  std::string out;
  for (char c : Text) {
    if (c == '\r') continue;
    out += c == '\n' ? std::string("\\n") : c == '\t' ? std::string("\\t") : std::string(1, c);
  }
  return out;
}

}  // namespace

struct TGanchoExecucao::TEstado {
  std::string Pasta;
  TDialogScript Script;

  void Registrar(const std::vector<std::string>& Campos) {
    std::string linha;
    for (size_t i = 0; i < Campos.size(); ++i) linha += (i ? "\t" : "") + Campo(Campos[i]);
    linha += "\r\n";
    HANDLE f = CreateFileA((Pasta + "\\registro.txt").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD escritos = 0;
    WriteFile(f, linha.data(), static_cast<DWORD>(linha.size()), &escritos, nullptr);
    CloseHandle(f);
  }
};

std::unique_ptr<TGanchoExecucao> InstalarGanchoExecucao() {
  char pasta[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("MZ_HOOK_DIR", pasta, MAX_PATH) || !*pasta) return nullptr;
  auto estado = std::make_unique<TGanchoExecucao::TEstado>();
  estado->Pasta = pasta;
  // One answer a line: a number answers a message box (IDOK, IDYES, ...), any other text chooses
  // that file in a file dialog, an empty line cancels one.
  TStringList respostas;
  if (FileExists(estado->Pasta + "\\respostas.txt")) respostas.LoadFromFile(estado->Pasta + "\\respostas.txt");
  for (int i = 0; i < respostas.Count(); ++i) {
    const std::string linha = respostas[i];
    int numero = 0;
    if (TryStrToInt(linha, numero))
      estado->Script.Answer(numero);
    else
      estado->Script.AnswerFile(linha);
  }
  TGanchoExecucao::TEstado* e = estado.get();
  e->Script.OnEntry = [e](const TDialogScript::Entry& Entry) {
    e->Registrar({Entry.Kind, Entry.Text, Entry.Caption, std::to_string(Entry.Icon), std::to_string(Entry.Buttons),
                  std::to_string(Entry.Answer), Entry.FileName});
  };
  detail::SetShellHook([e](const TShellCall& Call) {
    std::vector<std::string> campos{"Shell", Call.Function};
    campos.insert(campos.end(), Call.Arguments.begin(), Call.Arguments.end());
    e->Registrar(campos);
    return Call.Success;
  });
  detail::SetHtmlHelpHook([e](const THtmlHelpCall& Call) {
    e->Registrar({"Help", Call.File, std::to_string(Call.Command), std::to_string(Call.Data)});
  });
  // The prefix's printer writes to a file: the run names it, or the system would ask for one.
  Printer()->SetOutputFileName(estado->Pasta + "\\impressao.ps");
  return std::unique_ptr<TGanchoExecucao>(new TGanchoExecucao(std::move(estado)));
}

TGanchoExecucao::TGanchoExecucao(std::unique_ptr<TEstado> Estado) : FEstado(std::move(Estado)) {}

TGanchoExecucao::~TGanchoExecucao() {
  detail::SetShellHook(nullptr);
  detail::SetHtmlHelpHook(nullptr);
  Printer()->SetOutputFileName("");
}

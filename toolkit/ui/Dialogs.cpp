#include "toolkit/ui/Dialogs.h"

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/Forms.h"

#include <commdlg.h>

namespace {

TDialogScript* g_script = nullptr;

// The buttons of a message box type, in order, and the one it answers by default.
int DefaultAnswer(UINT Flags) {
  static const std::vector<int> buttons[] = {
      {IDOK}, {IDOK, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE}, {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO},
      {IDRETRY, IDCANCEL}, {IDCANCEL, IDTRYAGAIN, IDCONTINUE},
  };
  const UINT type = Flags & MB_TYPEMASK;
  const std::vector<int>& list = type < std::size(buttons) ? buttons[type] : buttons[0];
  const size_t def = (Flags & MB_DEFMASK) >> 8;
  return list[def < list.size() ? def : 0];
}

UINT MsgDlgFlags(TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  auto has = [&](TMsgDlgBtn b) { return (Buttons & MsgDlgButton(b)) != 0; };
  UINT flags = MB_OK;
  if (has(mbYes) || has(mbNo)) {
    flags = has(mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
  } else if (has(mbAbort) || has(mbIgnore)) {
    flags = MB_ABORTRETRYIGNORE;
  } else if (has(mbRetry)) {
    flags = MB_RETRYCANCEL;
  } else if (has(mbCancel)) {
    flags = MB_OKCANCEL;
  }
  static const UINT icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
  return flags | icons[DlgType];
}

HWND OwnerWindow() {
  if (HWND active = GetActiveWindow()) return active;
  return Application ? Application->Handle() : nullptr;
}

}  // namespace

struct DialogScriptAccess {
  // Takes the next scripted answer of the kind asked for; nullptr when none is queued.
  static bool Next(TDialogScript& s, TDialogScript::Scripted& out) {
    if (s.answers_.empty()) return false;
    out = s.answers_.front();
    s.answers_.pop_front();
    return true;
  }
  static void Add(TDialogScript& s, TDialogScript::Entry e) {
    s.log_.push_back(std::move(e));
    if (s.OnEntry) s.OnEntry(s.log_.back());
  }
};

TDialogScript::TDialogScript() {
  if (g_script) throw EInvalidOperation("A dialog script is already active");
  g_script = this;
}

TDialogScript::~TDialogScript() { g_script = nullptr; }

void TDialogScript::Answer(int Result) { answers_.push_back({Result, {}}); }

void TDialogScript::AnswerFile(const std::string& FileName) { answers_.push_back({FileName.empty() ? 0 : 1, FileName}); }

int detail::ShowMessageBox(const std::string& Text, const std::string& Caption, UINT Flags) {
  if (g_script) {
    TDialogScript::Scripted next{DefaultAnswer(Flags), {}};
    DialogScriptAccess::Next(*g_script, next);
    TDialogScript::Entry e;
    e.Kind = "MessageBox";
    e.Text = Text;
    e.Caption = Caption;
    e.Icon = Flags & MB_ICONMASK;
    e.Buttons = Flags & MB_TYPEMASK;
    e.Answer = next.Result;
    DialogScriptAccess::Add(*g_script, e);
    return next.Result;
  }
  return MessageBoxA(OwnerWindow(), Text.c_str(), Caption.c_str(), Flags);
}

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
  static const char* const captions[] = {"Aviso", "Erro", "Informação", "Confirmação", nullptr};
  const std::string caption = captions[DlgType] ? captions[DlgType] : Application ? Application->Title() : "";
  return detail::ShowMessageBox(Msg, caption, MsgDlgFlags(DlgType, Buttons));
}

void ShowMessage(const std::string& Msg) {
  detail::ShowMessageBox(Msg, Application ? Application->Title() : "", MB_OK);
}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

TSaveDialog::TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) { saving_ = true; }

bool TOpenDialog::Execute() {
  Files.clear();
  if (g_script) {
    TDialogScript::Scripted next{0, {}};
    DialogScriptAccess::Next(*g_script, next);
    TDialogScript::Entry e;
    e.Kind = saving_ ? "SaveDialog" : "OpenDialog";
    e.Text = Filter;
    e.Caption = Title;
    e.Answer = next.FileName.empty() ? 0 : 1;
    e.FileName = next.FileName;
    DialogScriptAccess::Add(*g_script, e);
    if (next.FileName.empty()) return false;
    FileName = next.FileName;
    Files = {FileName};
    return true;
  }
  std::string filter = Filter;
  for (char& c : filter) {
    if (c == '|') c = '\0';
  }
  filter.append(2, '\0');
  std::vector<char> buffer(65536, '\0');
  FileName.copy(buffer.data(), std::min(FileName.size(), buffer.size() - 1));
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = OwnerWindow();
  ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING;
  if (Options & ofReadOnly) ofn.Flags |= OFN_READONLY;
  if (Options & ofOverwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (Options & ofHideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
  if (Options & ofNoChangeDir) ofn.Flags |= OFN_NOCHANGEDIR;
  if (Options & ofAllowMultiSelect) ofn.Flags |= OFN_ALLOWMULTISELECT;
  if (Options & ofPathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
  if (Options & ofFileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
  if (Options & ofCreatePrompt) ofn.Flags |= OFN_CREATEPROMPT;
  const BOOL ok = saving_ ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return false;
  FilterIndex = static_cast<int>(ofn.nFilterIndex);
  // With several files the buffer holds the folder, then each name, each ended by a NUL.
  const std::string first = buffer.data();
  const char* p = buffer.data() + first.size() + 1;
  if ((Options & ofAllowMultiSelect) && *p) {
    for (; *p; p += std::string(p).size() + 1) Files.push_back(first + "\\" + p);
  } else {
    Files.push_back(first);
  }
  FileName = Files.front();
  return true;
}

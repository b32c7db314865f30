#pragma once
// Message boxes and the common file dialogs. Every message of the program (MessageDlg,
// ShowMessage, Application->MessageBox, the default error box) and every file dialog goes through
// one place, which a test can script with TDialogScript: answers are taken from its queue instead of
// showing a window, and each dialog is logged with its text, caption, icon and buttons.
#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/ui/Component.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = std::uint32_t;
constexpr TMsgDlgButtons MsgDlgButton(TMsgDlgBtn B) { return 1u << B; }
constexpr TMsgDlgButtons mbYesNo = MsgDlgButton(mbYes) | MsgDlgButton(mbNo);
constexpr TMsgDlgButtons mbYesNoCancel = mbYesNo | MsgDlgButton(mbCancel);
constexpr TMsgDlgButtons mbOKCancel = MsgDlgButton(mbOK) | MsgDlgButton(mbCancel);
constexpr TMsgDlgButtons mbAbortRetryIgnore = MsgDlgButton(mbAbort) | MsgDlgButton(mbRetry) | MsgDlgButton(mbIgnore);

// A message box with the caption of its kind ("Aviso", "Erro", "Informação", "Confirmação"; the
// program's title for mtCustom); returns the modal result of the button chosen.
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
// A message box with the program's title and an OK button.
void ShowMessage(const std::string& Msg);

using TOpenOptions = std::uint32_t;
constexpr TOpenOptions ofReadOnly = 1u << 0;
constexpr TOpenOptions ofOverwritePrompt = 1u << 1;
constexpr TOpenOptions ofHideReadOnly = 1u << 2;
constexpr TOpenOptions ofNoChangeDir = 1u << 3;
constexpr TOpenOptions ofAllowMultiSelect = 1u << 9;
constexpr TOpenOptions ofPathMustExist = 1u << 11;
constexpr TOpenOptions ofFileMustExist = 1u << 12;
constexpr TOpenOptions ofCreatePrompt = 1u << 13;

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* AOwner);
  // Shows the dialog; true when the user chose a file (FileName holds it).
  virtual bool Execute();

  std::string FileName;
  // "Description|*.ext|Description|*.a;*.b".
  std::string Filter;
  int FilterIndex = 1;
  std::string InitialDir;
  std::string DefaultExt;
  std::string Title;
  TOpenOptions Options = ofHideReadOnly;
  // The files chosen with ofAllowMultiSelect.
  std::vector<std::string> Files;

 protected:
  bool saving_ = false;
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* AOwner);
};

// Scripts the dialogs for a test while it lives (one at a time).
class TDialogScript {
 public:
  struct Entry {
    std::string Kind;  // "MessageBox", "OpenDialog" or "SaveDialog"
    std::string Text;  // the message, or the file dialog's filter
    std::string Caption;
    UINT Icon = 0;     // MB_ICON... of a message box
    UINT Buttons = 0;  // MB_OK, MB_YESNO, ... of a message box
    int Answer = 0;    // the result given back (IDOK, IDYES, ...; 1 or 0 for a file dialog)
    std::string FileName;
  };

  struct Scripted {
    int Result;
    std::string FileName;
  };

  TDialogScript();
  ~TDialogScript();
  TDialogScript(const TDialogScript&) = delete;
  TDialogScript& operator=(const TDialogScript&) = delete;

  // The next message box answers with this result (IDYES, mrCancel, ...).
  void Answer(int Result);
  // The next file dialog chooses this file ("" cancels it).
  void AnswerFile(const std::string& FileName);
  const std::vector<Entry>& Log() const { return log_; }
  // Called with each entry as it is logged (a run that records its dialogs in a file).
  std::function<void(const Entry&)> OnEntry;
  void ClearLog() { log_.clear(); }
  // Answers not used yet.
  int Pending() const { return static_cast<int>(answers_.size()); }

 private:
  friend struct DialogScriptAccess;
  std::deque<Scripted> answers_;
  std::vector<Entry> log_;
};

namespace detail {
// The one message box routine; owner is the active window of the program.
int ShowMessageBox(const std::string& Text, const std::string& Caption, UINT Flags);
}  // namespace detail

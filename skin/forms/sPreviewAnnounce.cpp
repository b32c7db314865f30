#include "skin/forms/sPreviewAnnounce.h"

#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinSeam.h"
#include "toolkit/ui/Forms.h"

bool PreviewRequested = false;
HWND PreviewWindow = nullptr;
bool CopyDataBusy = false;

namespace {

constexpr int AnnounceTries = 101;

bool IsMainFormWindow(HWND Wnd) {
  TForm* Main = Application ? Application->MainForm() : nullptr;
  if (!Main) return true;
  return Main->HandleAllocated() && Main->Handle() == Wnd;
}

}  // namespace

void AnnouncePreviewWindow(HWND Wnd) {
  if (!PreviewRequested || PreviewWindow || !IsMainFormWindow(Wnd)) return;
  PreviewWindow = Wnd;
  PreviewRequested = false;
  for (int I = 0; I < AnnounceTries; ++I) {
    const HWND Editor = FindWindowA(nullptr, SkinEditorCaption);
    if (!Editor) return;
    DWORD_PTR Answer = 0;
    // A hung or vanished editor must not hold up the program's start.
    if (!SendMessageTimeoutA(Editor, EditorAnnounceMsg, EditorAnnounceCode, reinterpret_cast<LPARAM>(Wnd),
                             SMTO_ABORTIFHUNG | SMTO_BLOCK, EditorAnnounceTimeoutMs, &Answer))
      return;
    Seam().EditorWindow = Editor;
    if (Answer == 1) return;
  }
}

void HandlePreviewCopyData(HWND Wnd, TMessage& Message, TsSkinManager* Manager) {
  if (Message.Result != 0 || Wnd != PreviewWindow || !PreviewWindow || CopyDataBusy || !Manager || !Message.LParam)
    return;
  struct TBusy {
    TBusy() { CopyDataBusy = true; }
    ~TBusy() { CopyDataBusy = false; }
  } Busy;
  Manager->ApplySkinFromCopyData(Message);
}

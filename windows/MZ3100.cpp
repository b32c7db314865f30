// Program entry: one running copy, then the data module, the main window and the message loop.
#include <windows.h>

#include "core/UBConeDLL.h"
#include "core/UfrmDataModule.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/forms/sFormSkinning.h"
#include "toolkit/rtl/FilePaths.h"
#include "toolkit/ui/Forms.h"
#include "widgets/Bitmap32_System.h"
#include "windows/UBGanchoExecucao.h"
#include "windows/UfrmPrincipal.h"

namespace {

const char kTitle[] = "MZ3100VXE";

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  InitControls();
  // A running copy is marked by its application window; bring it forward and create nothing.
  if (HWND running = FindWindowA("TApplication", kTitle)) {
    ShowWindow(running, SW_SHOWNORMAL);
    DoneControls();
    return 0;
  }
  InitBitmap32System();
  InitSkinEngine();
  InitFormSkinning();
  {
    const auto gancho = InstalarGanchoExecucao();
    Application->Initialize();
    Application->SetTitle(kTitle);
    // The cone data beside the program serve the elevation maps; no window needs them.
    CarregarConeDLL(ExtractFilePath(Application->ExeName()) + "Kelvanor.dll");
    Application->CreateForm(DMPrincipal);
    Application->CreateForm(frmPrincipal);
    Application->Run();
    LiberarConeDLL();
  }
  // The forms and their skin manager go first: the manager still announces the removal of its skin.
  DoneControls();
  DoneSkinEngine();
  DoneBitmap32System();
  return 0;
}

// Program entry: one running copy, then the application and its main window.
#include <windows.h>

#include "toolkit/ui/Forms.h"
#include "widgets/Bitmap32_System.h"

namespace {

const char kTitle[] = "MZ3100VXE";

// The start screen until the clinic's main window takes its place: borderless, 800 x 600, centred.
class TfrmPrincipal : public TForm {
 public:
  explicit TfrmPrincipal(TComponent* AOwner) : TForm(AOwner) {
    InitializeForm([this] {
      SetName("frmPrincipal");
      SetBorderStyle(bsNone);
      SetPosition(poScreenCenter);
      SetColor(clSilver);
      SetCaption(kTitle);
      SetBounds(0, 0, 800, 600);
    });
  }
};

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
  Application->Initialize();
  Application->SetTitle(kTitle);
  TfrmPrincipal* frmPrincipal = nullptr;
  Application->CreateForm(frmPrincipal);
  Application->Run();
  DoneBitmap32System();
  DoneControls();
  return 0;
}

// The default skin manager's hook on the application's main window.
#include <windows.h>

#include <cstring>

#include "skin/engine/sCtrlUtils.h"
#include "skin/engine/sCtrlUtils_Hide.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinSeam.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/Menus.h"

namespace {

constexpr UINT DwmSendIconicThumbnail = 0x0323;
constexpr UINT DwmSendIconicLivePreview = 0x0326;

bool IsMenuWindow(HWND Wnd) {
  char Name[16] = {};
  return Wnd && GetClassNameA(Wnd, Name, sizeof(Name)) && std::strcmp(Name, "#32768") == 0;
}

// The shown popup window holding Item: the window under the centre of the item's rectangle. The item
// is looked up by its data among its menu's items, so a menu that no longer holds it finds nothing.
HWND MenuWindowOf(TMenuItem* Item) {
  if (!Item || !Item->Parent()) return nullptr;
  const HMENU Menu = Item->Parent()->Handle();
  const int Count = GetMenuItemCount(Menu);
  for (int i = 0; i < Count; ++i) {
    MENUITEMINFOA Info{};
    Info.cbSize = sizeof(Info);
    Info.fMask = MIIM_DATA;
    if (!GetMenuItemInfoA(Menu, UINT(i), TRUE, &Info) || Info.dwItemData != reinterpret_cast<ULONG_PTR>(Item)) continue;
    RECT R;
    if (!GetMenuItemRect(nullptr, Menu, UINT(i), &R)) return nullptr;
    return WindowFromPoint(POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2});
  }
  return nullptr;
}

// The skin provider of the application's main form, when it has one.
TsProviderLink* MainFormProvider() {
  TForm* Main = Application->MainForm();
  if (!Main || !Main->HandleAllocated()) return nullptr;
  return reinterpret_cast<TsProviderLink*>(SendSkinCmd(Main->WindowHandle(), SkinCmdGetSkinProvider, 0));
}

// Switches the system's minimize and restore animation off for its lifetime.
class TNoSystemAnimation {
 public:
  TNoSystemAnimation() {
    Info.cbSize = sizeof(Info);
    if (!SystemParametersInfoA(SPI_GETANIMATION, sizeof(Info), &Info, 0) || !Info.iMinAnimate) return;
    ANIMATIONINFO Off{sizeof(Off), 0};
    Changed = SystemParametersInfoA(SPI_SETANIMATION, sizeof(Off), &Off, 0);
  }
  ~TNoSystemAnimation() {
    if (Changed) SystemParametersInfoA(SPI_SETANIMATION, sizeof(Info), &Info, 0);
  }
  TNoSystemAnimation(const TNoSystemAnimation&) = delete;
  TNoSystemAnimation& operator=(const TNoSystemAnimation&) = delete;

 private:
  ANIMATIONINFO Info{};
  bool Changed = false;
};

}  // namespace

bool TsSkinManager::HookWindowPosChanged(TMessage& Message) {
  const auto* Pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
  if (!Pos || !(Pos->flags & SWP_HIDEWINDOW)) return false;
  const TacFormAnimation* Hide = FAnimEffects->FormHide();
  if (!Hide->Active() || Hide->Time() == 0 || IsIconic(Application->Handle())) return false;
  TForm* Main = Application->MainForm();
  TsProviderLink* Provider = MainFormProvider();
  if (!Main || !Main->Visible() || !Provider || !Provider->Skinned()) return false;
  AnimHideForm(Provider);
  // The frames run on window timers: finished here, so the wait is bounded and nothing re-enters.
  FinishHideAnimation();
  return false;
}

bool TsSkinManager::HookSysCommand(TMessage& Message) {
  switch (Message.WParam & 0xFFF0) {
    case SC_MINIMIZE: {
      FSysCommand = 1;
      TsProviderLink* Provider = MainFormProvider();
      if (IsIconic(Application->Handle()) || !Provider || !Provider->Skinned()) return false;
      if (!FAnimEffects->Minimizing()->Active()) {
        if (TsBorderFormLink* Border = Provider->BorderForm())
          if (TForm* Shadow = Border->DetachWindow()) Shadow->Free();
        return false;
      }
      if (Seam().AnimateMinimizing) Seam().AnimateMinimizing(Provider);
      if (DwmCompositionEnabled()) return false;
      TNoSystemAnimation NoAnimation;
      Application->Minimize();
      Message.Result = 0;
      return true;
    }
    case SC_RESTORE: {
      FSysCommand = 2;
      TsProviderLink* Provider = MainFormProvider();
      if (!Provider) return false;
      if (Seam().AnimateRestoring) Seam().AnimateRestoring(Provider);
      {
        TNoSystemAnimation NoAnimation;
        Application->Restore();
      }
      if (TForm* Main = Application->MainForm(); Main && Main->HandleAllocated())
        RedrawWindow(Main->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      Message.Result = 0;
      return true;
    }
    default:
      FSysCommand = 0;
      return false;
  }
}

bool TsSkinManager::MainWindowHook(TMessage& Message) {
  switch (Message.Msg) {
    case CM_ACTIVATE:
      if (Screen)
        for (int i = Screen->FormCount() - 1; i >= 0; --i)
          if (TForm* Form = Screen->Forms(i); Form && Form->HandleAllocated())
            SendSkinCmd(Form->WindowHandle(), SkinCmdShowCurrent, 0);
      return false;
    case WM_WINDOWPOSCHANGED:
      return HookWindowPosChanged(Message);
    case WM_SYSCOMMAND:
      return HookSysCommand(Message);
    case WM_THEMECHANGED:
      Message.Result = 0;
      return true;
    case DwmSendIconicThumbnail:
    case DwmSendIconicLivePreview: {
      TsProviderLink* Provider = MainFormProvider();
      if (!Provider) return false;
      if (Message.Msg == DwmSendIconicThumbnail) {
        if (Seam().SetIconicThumbnail)
          Seam().SetIconicThumbnail(Application->Handle(), Provider, HIWORD(Message.LParam), LOWORD(Message.LParam));
      } else if (Seam().SetIconicLivePreview) {
        Seam().SetIconicLivePreview(Application->Handle(), Provider);
      }
      Message.Result = 0;
      return true;
    }
    case SM_MENUITEMSHOWN:
    case SM_MENUWINDOWSHOWN: {
      if (!FSkinnedPopups || !FMenuPainter) return true;
      auto* Item = reinterpret_cast<TMenuItem*>(Message.LParam);
      const HWND Wnd = Message.Msg == SM_MENUWINDOWSHOWN ? reinterpret_cast<HWND>(Message.WParam) : MenuWindowOf(Item);
      if (IsMenuWindow(Wnd)) FMenuPainter->MenuWindowShown(Wnd, Item);
      return true;
    }
  }
  return false;
}

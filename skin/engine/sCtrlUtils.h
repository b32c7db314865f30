#pragma once
// Small routines the skinned controls and form skinning share: readiness of a control, its owner
// form, alignment flags and sizes, window geometry, and telling a form that a child was loaded.
#include <windows.h>

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/ui/Controls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

void GetMousePos(TPoint& P);
// SkinCmdControlLoaded with the control to its parent form, unless the control is loading.
void NotifyFormControlLoaded(TWinControl* Control);
// Neither being created, read, loaded nor destroyed, has a parent, and has its window if windowed.
bool ControlIsReady(TControl* Control);
// The first form on the owner chain, starting with the component itself.
TCustomForm* GetOwnerForm(TComponent* Component);
// The toolkit has no frames: always nullptr.
TComponent* GetOwnerFrame(TComponent* Component);
// DrawText flags of the alignment with DT_EXPANDTABS and DT_VCENTER; text runs left to right.
UINT TextAlignFlags(TControl* Control, TAlignment Alignment);
// The client rectangle of Wnd in its window's coordinates.
void GetClientRectInWindow(HWND Wnd, TRect& R);
// Heights (alTop, alBottom) or widths (alLeft, alRight) of the visible children with that Align;
// window-less ones only WithGraphic; 0 for other Align values.
int AlignedControlsSize(TWinControl* Parent, TAlign Align, bool WithGraphic);
// The topmost ancestor by GetParent.
HWND GetRootWindow(HWND Wnd);

// A plain window that covers a control or form with a frozen picture while the skin changes
// underneath: "acOutputWindow", hidden, clFuchsia, Tag -98. Without a parent it is a popup owned by
// the application's window.
class TOutputWindow : public TCustomControl {
 public:
  explicit TOutputWindow(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
};

// The one output window and picture of ShowOutputWindow; nullptr until first used or after release.
TOutputWindow* OutputWindow();
TBitmap* OutputPicture();
// Frees the output window and its picture.
void FreeOutputWindow();
// Copies what the screen shows of the control into the picture and covers it with the output window.
void ShowOutputWindow(TWinControl* Control);

class TsProviderLink;
class TsDialogLink;

// Paints Control and its windowed children into Bmp at (X, Y): skinned windows by WM_PRINT with the
// paint context set, others by the toolkit's PaintTo. A hidden control with a parent gets the
// parent's background instead.
void PaintControlToBitmap(TBitmap* Bmp, TControl* Control, int X, int Y, TsProviderLink* Provider);
// Paints the visible window-less children of Control into DC at Offset over Control's background;
// a DC with an empty clip box flags Control as clipped. Nested calls do nothing.
void PaintGraphicChildren(HDC DC, TWinControl* Control, bool CheckVisible, const TPoint& Offset);

// Animated showing of a skinned form over a layered cover (frames run at once, 12 ms apart), hiding
// through the hide timer, and the cross-fade of a form into a new skin (on its border form's window,
// on a layered cover, or on the output window without layered windows). Each sets
// AnimationInProgress for its run and clears it on every way out.
void AnimShowForm(TsProviderLink* Provider, int Time, int Mode);
void AnimHideForm(TsProviderLink* Provider);
void AnimChangeForm(TWinControl* Form, int Time, int Alpha, int Mode);
// The same for system dialogs skinned by the dialog hook, with the dialog settings.
void AnimShowDialog(TsDialogLink* Dialog);
void AnimHideDialog(TsDialogLink* Dialog);
// The dialog's picture: its client area as the screen shows it (FromScreen), else its child windows
// painted at the client offset; opaque where it has no border form to give it alpha.
void PaintDialogToBitmap(TsDialogLink* Dialog, TBitmap* Bmp, bool FromScreen);

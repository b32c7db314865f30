#pragma once
// Glow windows: a click-through layered window just above a control's form showing the section's
// glow piece stretched around the control. A glow's id is its place in the list; freed glows leave
// their place empty.
#include <windows.h>

#include <memory>
#include <string>

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/ui/Forms.h"

class TsSkinManager;

class TacGlowEffect : public TObject {
 public:
  TacGlowEffect() = default;
  ~TacGlowEffect() override;
  TacGlowEffect(const TacGlowEffect&) = delete;
  TacGlowEffect& operator=(const TacGlowEffect&) = delete;

  // A W x H image, transparent black, with the glow piece over it.
  void PrepareImage(int Width, int Height);
  // Makes and shows the window for the control at R (screen) of which Clip shows; false when nothing
  // of it would show.
  bool Show(const TRect& R, const TRect& Clip, HWND ParentWnd);

  TsSkinManager* Manager = nullptr;
  int MaskIndex = -1;
  int Margin = 0;
  TForm* Form = nullptr;
  std::unique_ptr<TBitmap> Bmp;
  TWndMethod SavedWndProc;

 private:
  // Hit tests fall through to what lies below.
  void GlowWndProc(TMessage& Message);
};

// The id of a new glow of piece PieceName + "0" of Section, or -1 (no layered windows, no piece,
// nothing visible). Manager nullptr: the default manager.
int ShowGlow(const TRect& R, const TRect& Clip, const std::string& Section, TsSkinManager* Manager, HWND ParentWnd,
             int Alpha, int Margin, const std::string& PieceName);
// Frees a glow; nothing for a negative, unknown or freed id.
void HideGlow(int ID);
// Frees every glow; with RestoreWndProc each window gets its own procedure back first.
void ClearGlows(bool RestoreWndProc);
// The glow of an id, nullptr for none.
TacGlowEffect* GlowOf(int ID);

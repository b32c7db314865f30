#include "skin/engine/acGlow.h"

#include <vector>

#include "skin/engine/acGlowCrop.h"
#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinManager.h"
#include "widgets/Bitmap32_Transforms.h"

namespace {

std::vector<std::unique_ptr<TacGlowEffect>>& Glows() {
  static std::vector<std::unique_ptr<TacGlowEffect>> List;
  return List;
}

TPixelRect PixelRectOf(const TRect& R) { return {R.left, R.top, R.right, R.bottom}; }

}  // namespace

TacGlowEffect::~TacGlowEffect() {
  if (!Form) return;
  if (Form->WindowProc == TWndMethod(this, &TacGlowEffect::GlowWndProc)) Form->WindowProc = SavedWndProc;
  if ((Manager && (Manager->ComponentState() & csDestroying)) || (Application && Application->Terminated()))
    Form->Free();
  else
    Form->Release();
  Form = nullptr;
}

void TacGlowEffect::GlowWndProc(TMessage& Message) {
  if (Message.Msg == WM_NCHITTEST) {
    Message.Result = HTTRANSPARENT;
    return;
  }
  SavedWndProc(Message);
}

void TacGlowEffect::PrepareImage(int Width, int Height) {
  Bmp = NewBitmap32(Width, Height);
  if (MaskIndex < 0 || !Manager || !Manager->IsValidMaskIndex(MaskIndex)) return;
  TPaintMaskRect P;
  P.Bmp = BitmapView(Bmp.get());
  P.R = {0, 0, Width, Height};
  P.CacheInfo = CacheView(EmptyCacheInfo);
  P.Piece = PieceView(Manager->Tables().Masks[MaskIndex]);
  PaintMaskRect(P);
}

bool TacGlowEffect::Show(const TRect& R, const TRect& Clip, HWND ParentWnd) {
  if (Form) return true;
  const TGlowCrop C = GlowCrop(PixelRectOf(R), PixelRectOf(Clip), Manager->MaskBorderLeft(MaskIndex),
                               Manager->MaskBorderTop(MaskIndex), Manager->MaskBorderRight(MaskIndex),
                               Manager->MaskBorderBottom(MaskIndex), Margin);
  if (C.Empty()) return false;
  Form = new TForm(nullptr);
  Form->SetTag(-98);
  SavedWndProc = Form->WindowProc;
  Form->WindowProc = TWndMethod(this, &TacGlowEffect::GlowWndProc);
  Form->SetBorderStyle(bsNone);
  Form->SetVisible(false);
  PrepareImage(C.ImageWidth, C.ImageHeight);
  if (C.XL || C.XT) {
    auto Part = NewBitmap32(C.Width, C.Height);
    const TPixelView Src = BitmapView(Bmp.get());
    BlockTransfer(BitmapView(Part.get()), 0, 0, {0, 0, C.Width, C.Height}, Src,
                  {C.XL, C.XT, C.XL + C.Width, C.XT + C.Height}, {});
    Bmp = std::move(Part);
  }
  Form->SetBounds(C.X, C.Y, C.Width, C.Height);
  const HWND Wnd = Form->Handle();
  HWND After = ParentWnd;
  if (ParentWnd && (GetWindowLongA(ParentWnd, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
    Form->SetFormStyle(fsStayOnTop);
    After = HWND_TOPMOST;
  } else if (HWND Prev = ParentWnd ? GetWindow(ParentWnd, GW_HWNDPREV) : nullptr) {
    After = Prev;
  }
  SetWindowLongA(Wnd, GWL_EXSTYLE,
                 GetWindowLongA(Wnd, GWL_EXSTYLE) | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW |
                     WS_EX_TRANSPARENT);
  SetWindowPos(Wnd, After ? After : HWND_TOP, C.X, C.Y, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  if (Bindings().UpdateLayeredWindow) {
    SIZE Size{C.Width, C.Height};
    POINT Src{0, 0};
    BLENDFUNCTION Blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const HDC Screen = GetDC(nullptr);
    Bindings().UpdateLayeredWindow(Wnd, Screen, nullptr, &Size, Bmp->Canvas()->Handle(), &Src, 0, &Blend, ULW_ALPHA);
    ReleaseDC(nullptr, Screen);
  }
  ShowWindow(Wnd, SW_SHOWNOACTIVATE);
  Bmp.reset();
  return true;
}

int ShowGlow(const TRect& R, const TRect& Clip, const std::string& Section, TsSkinManager* Manager, HWND ParentWnd,
             int, int Margin, const std::string& PieceName) {
  if (!LayeredWindowsAvailable()) return -1;
  auto Glow = std::make_unique<TacGlowEffect>();
  Glow->Manager = Manager ? Manager : DefaultManager;
  if (!Glow->Manager) return -1;
  Glow->MaskIndex = Glow->Manager->FindMaskIndex(Section, PieceName + "0");
  if (Glow->MaskIndex < 0) return -1;
  Glow->Margin = Margin;
  if (!Glow->Show(R, Clip, ParentWnd)) return -1;
  Glows().push_back(std::move(Glow));
  return int(Glows().size()) - 1;
}

TacGlowEffect* GlowOf(int ID) { return ID >= 0 && ID < int(Glows().size()) ? Glows()[ID].get() : nullptr; }

void HideGlow(int ID) {
  if (GlowOf(ID)) Glows()[ID].reset();
}

void ClearGlows(bool RestoreWndProc) {
  for (auto& Glow : Glows()) {
    if (!Glow) continue;
    if (RestoreWndProc && Glow->Form) {
      Glow->Form->WindowProc = Glow->SavedWndProc;
      Glow->Form->Free();
      Glow->Form = nullptr;
    }
    Glow.reset();
  }
  Glows().clear();
}

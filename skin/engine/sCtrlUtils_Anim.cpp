// The animated show, hide and skin change of skinned forms.
#include "skin/engine/sCtrlUtils.h"

#include <algorithm>
#include <functional>

#include "skin/engine/acGlow.h"
#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sAnimEffects.h"
#include "skin/engine/sCommonData.h"
#include "skin/engine/sCtrlUtils_Hide.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinPixels.h"
#include "skin/engine/sSkinSeam.h"
#include "widgets/Bitmap32_Transforms.h"

namespace {

// Set for one animation; cleared on every way out, or before the final redraw.
struct TAnimating {
  TAnimating() { AnimationInProgress = true; }
  ~TAnimating() { Done(); }
  void Done() { AnimationInProgress = false; }
};

constexpr UINT FullRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;

void Opaque(TBitmap& Bmp) { FillAlphaRect(&Bmp, Rect(0, 0, Bmp.Width(), Bmp.Height()), 255, false); }

// The N + 1 frames of a show of Src on Wnd rising to Target; Each gets every frame's alpha after its
// update. The aero rectangle grows from an eighth inside; frames before it leaves the picture are
// stretched over what the earlier ones left.
void RunShowFrames(HWND Wnd, TBitmap& Src, int N, int Mode, int Target, const std::function<void(BYTE)>& Each) {
  TAnimFrames F = ShowFrames(N, Target, Src.Width(), Src.Height(), Mode == atAero);
  auto Work = NewBitmap32(Src.Width(), Src.Height());
  const TPixelView W = BitmapView(Work.get()), S = BitmapView(&Src);
  bool Copied = false;
  for (int I = 0; I <= N; ++I) {
    const BYTE Alpha = NextShowAlpha(F, Target);
    if (F.Aero) {
      if (F.Rect.Left >= 0 && F.Rect.Top >= 0) {
        const TAnimPixelRect R = RoundRect(F.Rect);
        StretchTransfer(W, {R.Left, R.Top, R.Right, R.Bottom}, W.BoundsRect(), S, S.BoundsRect(), sfNearest, {});
      } else {
        BlockTransfer(W, 0, 0, W.BoundsRect(), S, S.BoundsRect(), {});
      }
      AdvanceFrame(F);
    } else if (!Copied) {
      BlockTransfer(W, 0, 0, W.BoundsRect(), S, S.BoundsRect(), {});
      Copied = true;
    }
    UpdateLayeredBitmap(Wnd, *Work, Alpha);
    if (Each) Each(Alpha);
    Bindings().Sleep(AnimFrameInterval);
  }
}

TForm* NewCover(const TRect& Bounds) {
  auto* Cover = new TForm(nullptr);
  Cover->SetTag(-98);
  Cover->SetBorderStyle(bsNone);
  Cover->SetBounds(Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
  const HWND H = Cover->Handle();
  SetWindowLongA(H, GWL_EXSTYLE, GetWindowLongA(H, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_NOACTIVATE);
  return Cover;
}

std::unique_ptr<TBitmap> Copy32(const TBitmap& Source) {
  auto Bmp = NewBitmap32(0, 0);
  Bmp->Assign(&Source);
  Bmp->SetPixelFormat(pf32bit);
  return Bmp;
}

// Redrawing back on and the form repainted in its new look.
void RedrawForm(TWinControl* Form) {
  SendMessageA(Form->Handle(), WM_SETREDRAW, 1, 0);
  RedrawWindow(Form->Handle(), nullptr, nullptr, FullRedraw);
}

// Just above the form in the z-order.
HWND AboveForm(TWinControl* Form) {
  const HWND Prev = GetWindow(Form->Handle(), GW_HWNDPREV);
  return Prev ? Prev : HWND_TOP;
}

void TellWatcher() {
  if (Seam().WatcherWindow) SendSkinCmd(Seam().WatcherWindow, SkinCmdRefresh, 0);
}

// The border form's new window fades in over the old one, which fades out three times as fast.
void ChangeOnBorderForm(TCustomForm* Form, TsProviderLink* Provider, TBitmap& New, std::unique_ptr<TBitmap> Old,
                        int N, int Alpha, int Mode, TAnimating& Flag) {
  TsBorderFormLink* Border = Provider->BorderForm();
  if (!Border->Window()) Border->CreateForm();
  TFormOwner OldWnd(Border->DetachWindow());
  Border->CreateForm();
  const HWND Wnd = Border->Window()->Handle();
  const TPoint D = Provider->BorderFormOffset();
  RECT R;
  GetWindowRect(Form->Handle(), &R);
  const UINT Flags = SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS;
  SetWindowPos(Wnd, AboveForm(Form), R.left - D.x, R.top - D.y, New.Width(), New.Height(), Flags);
  SetWindowLongA(Wnd, GWL_EXSTYLE, GetWindowLongA(Wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  UpdateLayeredBitmap(Wnd, New, BYTE(N > 0 ? 0 : Alpha));
  ShowWindow(Wnd, SW_SHOWNOACTIVATE);
  if (N > 0)
    RunShowFrames(Wnd, New, N, Mode, Alpha, [&](BYTE A) {
      if (OldWnd && Seam().UpdateLayeredWnd)
        Seam().UpdateLayeredWnd(OldWnd->Handle(), Old.get(), std::clamp(3 * (Alpha - A), 0, 255));
    });
  Flag.Done();
  RedrawForm(Form);
  Border->UpdateRegions();
  SetWindowPos(Wnd, nullptr, R.left - D.x, R.top - D.y, New.Width(), New.Height(), Flags | SWP_NOZORDER);
  Border->PaintAll(true, 255);
}

// A layered cover over the form shows the new look fading in.
void ChangeOnCover(TCustomForm* Form, TBitmap& New, int N, int Alpha, int Mode, TAnimating& Flag) {
  TFormOwner Cover(NewCover(Form->BoundsRect()));
  const HWND Wnd = Cover->Handle();
  const bool Topmost = GetWindowLongA(Form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST;
  if (Topmost) Cover->SetFormStyle(fsStayOnTop);
  SetWindowPos(Wnd, Topmost ? HWND_TOPMOST : AboveForm(Form), 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  UpdateLayeredBitmap(Wnd, New, BYTE(N > 0 ? 0 : Alpha));
  ShowWindow(Wnd, SW_SHOWNOACTIVATE);
  if (N > 0) RunShowFrames(Wnd, New, N, Mode, Alpha, nullptr);
  Flag.Done();
  RedrawForm(Form);
}

// Without layered windows: the output window shows the old picture mixed into the new one.
void ChangeOnOutputWindow(TWinControl* Form, TsProviderLink* Provider, int N, TAnimating& Flag) {
  if (!OutputWindow()) ShowOutputWindow(Form);
  auto New = NewBitmap32(Form->Width(), Form->Height());
  PaintControlToBitmap(New.get(), Form, 0, 0, nullptr);
  auto Work = NewBitmap32(Form->Width(), Form->Height());
  if (Provider) Provider->CollectRegionData();
  const HWND Out = OutputWindow()->Handle();
  const HDC DC = GetWindowDC(Out);
  auto Show = [&](TBitmap& Bmp) {
    BitBlt(DC, 0, 0, Form->Width(), Form->Height(), Bmp.Canvas()->Handle(), 0, 0, SRCCOPY);
    TellWatcher();
  };
  if (N > 0) {
    const std::vector<int> Weights = CrossFadeWeights(N);
    for (size_t I = 0; I < Weights.size(); ++I) {
      MixBitmaps(BitmapView(Work.get()), BitmapView(OutputPicture()), BitmapView(New.get()), Weights[I], {});
      Show(*Work);
      if (I + 1 < Weights.size()) Bindings().Sleep(AnimFrameInterval);
    }
  }
  Show(*New);
  Flag.Done();
  if (Form->Visible()) {
    RedrawForm(Form);
    auto* CForm = dynamic_cast<TCustomForm*>(Form);
    if (!CForm || !(GetWindowLongA(Form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED))
      SetWindowPos(Out, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  }
  ReleaseDC(Out, DC);
  FreeOutputWindow();
}

// Shows Image fading in over Target on a layered cover, then the target itself.
void ShowOverCover(HWND Target, TBitmap& Image, int Time, int Mode, TsBorderFormLink* Border) {
  const int N = AnimFrameCount(Time);
  if (N > 0) {
    RECT R;
    GetWindowRect(Target, &R);
    TFormOwner Cover(NewCover(R));
    SetWindowLongA(Cover->Handle(), GWL_EXSTYLE, GetWindowLongA(Cover->Handle(), GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    UpdateLayeredBitmap(Cover->Handle(), Image, 0);
    ShowWindow(Cover->Handle(), SW_SHOWNOACTIVATE);
    RunShowFrames(Cover->Handle(), Image, N, Mode, 255, nullptr);
    ShowWindow(Target, SW_SHOWNA);
    RedrawWindow(Target, nullptr, nullptr, FullRedraw);
    Bindings().Sleep(AnimFrameInterval);
  } else {
    ShowWindow(Target, SW_SHOWNA);
  }
  if (Border) {
    Border->UpdateRegions();
    Border->PaintAll(true, 255);
  }
}

// Hides Window (taken) showing the cache of Data with the hide settings chosen by Pick.
void HideWithCache(TForm* Window, TsCommonData& Data, bool Opaqued,
                   const std::function<const TacFormHide*(TacAnimEffects&)>& Pick) {
  auto Image = Copy32(*Data.CacheBmp);
  if (Opaqued) Opaque(*Image);
  const TsSkinManager* M = Data.GetSkinManager();
  const TacFormHide* Hide = M ? Pick(*M->AnimEffects()) : nullptr;
  AnimHideWindow(Window, std::move(Image), Hide ? Hide->Time() : 0, Hide ? int(Hide->Mode()) : 0, 255);
}

}  // namespace

void AnimShowForm(TsProviderLink* Provider, int Time, int Mode) {
  TAnimating Flag;
  TCustomForm* Form = Provider->Form();
  auto Image = NewBitmap32(Form->Width(), Form->Height());
  PaintControlToBitmap(Image.get(), Form, 0, 0, Provider);
  if (!Provider->BorderForm()) Opaque(*Image);
  ShowOverCover(Form->Handle(), *Image, Time, Mode, Provider->BorderForm());
}

void PaintDialogToBitmap(TsDialogLink* Dialog, TBitmap* Bmp, bool FromScreen) {
  const HWND Wnd = Dialog->Handle();
  const TPoint Offset = Dialog->ClientOffset();
  RECT Client;
  GetClientRect(Wnd, &Client);
  const TRect Area = Bounds(Offset.x, Offset.y, Client.right, Client.bottom);
  const HDC DC = Bmp->Canvas()->Handle();
  if (FromScreen) {
    const HDC Source = GetDC(Wnd);
    BitBlt(DC, Offset.x, Offset.y, Client.right, Client.bottom, Source, 0, 0, SRCCOPY);
    ReleaseDC(Wnd, Source);
    FillAlphaRect(Bmp, Area, 255, false);
    return;
  }
  const int Saved = SaveDC(DC);
  SetViewportOrgEx(DC, Offset.x, Offset.y, nullptr);
  IntersectClipRect(DC, 0, 0, Client.right, Client.bottom);
  Dialog->PaintChildWindows(DC);
  RestoreDC(DC, Saved);
  if (Dialog->BorderForm())
    FillAlphaRect(Bmp, Area, 255, false);
  else
    Opaque(*Bmp);
}

void AnimShowDialog(TsDialogLink* Dialog) {
  TsCommonData* Data = Dialog->SkinData();
  const TsSkinManager* M = Data ? Data->GetSkinManager() : nullptr;
  if (!M) return;
  TAnimating Flag;
  RECT R;
  GetWindowRect(Dialog->Handle(), &R);
  auto Image = NewBitmap32(R.right - R.left, R.bottom - R.top);
  PaintDialogToBitmap(Dialog, Image.get(), false);
  const TacDialogShow* Show = M->AnimEffects()->DialogShow();
  ShowOverCover(Dialog->Handle(), *Image, Show->Time(), Show->Mode(), Dialog->BorderForm());
}

void AnimHideDialog(TsDialogLink* Dialog) {
  TsCommonData* Data = Dialog->SkinData();
  if (!Data || !Data->CacheBmp) return;
  TAnimating Flag;
  ClearGlows(true);
  TsBorderFormLink* Border = Dialog->BorderForm();
  TForm* Window = Border ? Border->DetachWindow() : nullptr;
  if (!Window) Window = Dialog->TakeCoverWindow();
  if (!Window && Seam().MakeCoverWindow) Window = Seam().MakeCoverWindow(Dialog->Handle());
  if (!Window) return;
  HideWithCache(Window, *Data, false, [](TacAnimEffects& E) { return E.DialogHide(); });
  if (Border) Dialog->FreeBorderForm();
}

void AnimHideForm(TsProviderLink* Provider) {
  ClearGlows(true);
  TCustomForm* Form = Provider->Form();
  TsCommonData* Data = Provider->SkinData();
  if (!Form || Form->FormStyle() == fsMDIChild || !Data || !Data->CacheBmp) return;
  TAnimating Flag;
  Provider->PaintCacheIfNeeded();
  TsBorderFormLink* Border = Provider->BorderForm();
  TForm* Window = Border ? Border->DetachWindow() : nullptr;
  if (!Window) Window = Provider->TakeCoverWindow();
  if (!Window && Seam().MakeCoverWindow) Window = Seam().MakeCoverWindow(Form->Handle());
  if (!Window) return;
  HideWithCache(Window, *Data, !Border, [](TacAnimEffects& E) { return E.FormHide(); });
}

void AnimChangeForm(TWinControl* Form, int Time, int Alpha, int Mode) {
  TAnimating Flag;
  auto* CForm = dynamic_cast<TCustomForm*>(Form);
  TsProviderLink* Provider = CForm ? reinterpret_cast<TsProviderLink*>(
                                         SendSkinCmd(Form->Handle(), SkinCmdGetSkinProvider, 0))
                                   : nullptr;
  const int N = AnimFrameCount(Time);
  // Without a provider the layered roads have no cache to start from: the plain road serves.
  if (!LayeredWindowsAvailable() || !CForm || !Provider) return ChangeOnOutputWindow(Form, Provider, N, Flag);
  TsCommonData* Data = Provider->SkinData();
  TsBorderFormLink* Border = Provider->BorderForm();
  std::unique_ptr<TBitmap> Old;
  if (Border) {
    Old = Provider->TakeFormImage();
    if (!Old && Data && Data->CacheBmp) Old = Copy32(*Data->CacheBmp);
  }
  Provider->PaintAll();
  const bool HasCache = Data && Data->CacheBmp && !Data->CacheBmp->Empty();
  auto New = NewBitmap32(HasCache ? Data->CacheBmp->Width() : Form->Width(),
                         HasCache ? Data->CacheBmp->Height() : Form->Height());
  PaintControlToBitmap(New.get(), Form, 0, 0, Provider);
  if (!Border) Opaque(*New);
  if (Border)
    ChangeOnBorderForm(CForm, Provider, *New, std::move(Old), N, Alpha, Mode, Flag);
  else
    ChangeOnCover(CForm, *New, N, Alpha, Mode, Flag);
}

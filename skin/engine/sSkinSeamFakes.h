#pragma once
// Fakes of form skinning for the engine's tests: installs a routine table that reports desktop
// composition as asked and records what the engine asks of layered windows, and puts the previous
// table back when it goes.
#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinSeam.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/ui/Forms.h"

namespace skintest {

class TSeamFakes {
 public:
  explicit TSeamFakes(bool Composition) : saved_(Seam()) {
    Seam() = TsSkinSeam{};
    Seam().DwmCompositionEnabled = [this] { return composition_; };
    Seam().UpdateLayeredWnd = [this](HWND Wnd, TBitmap*, int Alpha) { Layered.push_back({Wnd, Alpha}); };
    Seam().HideWindowLayered = [this](HWND Wnd, bool Hide) {
      Hidden.push_back({Wnd, Hide});
      return true;
    };
    composition_ = Composition;
  }
  ~TSeamFakes() { Seam() = saved_; }
  TSeamFakes(const TSeamFakes&) = delete;
  TSeamFakes& operator=(const TSeamFakes&) = delete;

  void SetComposition(bool Value) { composition_ = Value; }

  struct TLayeredCall {
    HWND Wnd;
    int Alpha;
  };
  struct THideCall {
    HWND Wnd;
    bool Hide;
  };
  std::vector<TLayeredCall> Layered;
  std::vector<THideCall> Hidden;

 private:
  TsSkinSeam saved_;
  bool composition_ = false;
};

// A form whose window answers SkinCmdGetSkinProvider with its provider, as a provider's form does.
class TProvidedForm : public TForm {
 public:
  using TForm::TForm;
  void WndProc(TMessage& M) override {
    if (M.Msg == SM_SKINCMD && SkinCmdCode(M) == SkinCmdGetSkinProvider) {
      M.Result = reinterpret_cast<LRESULT>(Provider);
      return;
    }
    TForm::WndProc(M);
  }
  TsProviderLink* Provider = nullptr;
};

// A border form whose windows are plain borderless forms; counts its repaints.
class TFakeBorderForm : public TsBorderFormLink {
 public:
  ~TFakeBorderForm() override {
    if (window_) window_->Free();
  }
  TForm* Window() const override { return window_; }
  void CreateForm() override {
    window_ = new TForm(nullptr);
    window_->SetBorderStyle(bsNone);
    window_->HandleNeeded();
  }
  TForm* DetachWindow() override { return std::exchange(window_, nullptr); }
  void UpdateRegions() override { ++Regions; }
  void PaintAll(bool, int Alpha) override { Paints.push_back(Alpha); }
  int Regions = 0;
  std::vector<int> Paints;

 private:
  TForm* window_ = nullptr;
};

// A form's skin provider that only holds its form, skin data and state.
class TFakeProvider : public TObject, public TsProviderLink {
 public:
  explicit TFakeProvider(TCustomForm* AForm) : form_(AForm) {}
  bool SkinOwnerDestroying() const override { return Destroying; }
  TCustomForm* Form() const override { return form_; }
  TsCommonData* SkinData() const override { return Data; }
  std::unique_ptr<TBitmap> TakeFormImage() override { return std::move(image_); }
  void SetFormImage(std::unique_ptr<TBitmap> Image) override { image_ = std::move(Image); }
  bool Locked() const override { return locked_; }
  void SetLocked(bool Value) override { locked_ = Value; }
  bool Skinned() const override { return true; }
  bool InHiding() const override { return false; }
  std::uint32_t StateBits() const override { return bits_; }
  void SetStateBits(std::uint32_t Value) override { bits_ = Value; }
  TsBorderFormLink* BorderForm() const override { return Border; }
  bool DrawFrame() const override { return true; }
  TForm* TakeCoverWindow() override { return nullptr; }
  TPoint BorderFormOffset() const override { return Offset; }
  void PaintCacheIfNeeded() override { bits_ |= ProviderCachePainted; }
  void PaintAll() override { ++Paints; }
  void CollectRegionData() override {}
  void UpdateRegion(bool) override {}

  TsCommonData* Data = nullptr;
  TsBorderFormLink* Border = nullptr;
  TPoint Offset{0, 0};
  bool Destroying = false;
  int Paints = 0;

 private:
  TCustomForm* form_;
  std::unique_ptr<TBitmap> image_;
  bool locked_ = false;
  std::uint32_t bits_ = 0;
};

// The adapter of a system dialog: its window, skin data and client offset; child windows painted red.
class TFakeDialog : public TObject, public TsDialogLink {
 public:
  explicit TFakeDialog(HWND AWnd) : wnd_(AWnd) {}
  bool SkinOwnerDestroying() const override { return false; }
  HWND Handle() const override { return wnd_; }
  TsCommonData* SkinData() const override { return Data; }
  TsBorderFormLink* BorderForm() const override { return Border; }
  void FreeBorderForm() override { ++BorderFreed; }
  TForm* TakeCoverWindow() override { return nullptr; }
  TPoint ClientOffset() const override { return Offset; }
  void PaintChildWindows(HDC DC) override {
    RECT R{0, 0, 4, 4};
    FillRect(DC, &R, HBRUSH(GetStockObject(BLACK_BRUSH)));
    ++ChildPaints;
  }
  TsCommonData* Data = nullptr;
  TsBorderFormLink* Border = nullptr;
  TPoint Offset{0, 0};
  int BorderFreed = 0;
  int ChildPaints = 0;

 private:
  HWND wnd_;
};

}  // namespace skintest

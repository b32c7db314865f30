#pragma once
// TsPanel: the skinned panel. It owns its skin data, answers the skin commands and, while a skin is
// active, paints its section over its parent's background from a cache bitmap, rebuilt only when the
// skin data says the image is stale; without a skin it paints as the toolkit's panel. With CustomColor
// and CustomFont its own colour and font show. TsColorsPanel adds a grid of colour swatches to pick one.
#include <functional>
#include <memory>
#include <vector>

#include "skin/controls/sColorSwatches.h"
#include "skin/engine/sCommonData.h"
#include "toolkit/ui/ExtCtrls.h"

using TPaintEvent = std::function<void(TObject* Sender, TCanvas* Canvas)>;

class TsPanel : public TPanel {
 public:
  explicit TsPanel(TComponent* AOwner);
  ~TsPanel() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  // The outer bevel the section last followed.
  TBevelCut LastBevel() const { return FOldBevel; }
  // Paints the skinned image into DC (nullptr: the panel's canvas); with TellChildren the children
  // that waited for the panel hear that it is painted.
  virtual void PaintToDC(HDC DC, bool TellChildren);
  // Writes the caption into R of Canvas, or of DC when there is no canvas.
  virtual void DrawCaption(const TRect& R, TCanvas* Canvas, HDC DC);

  void WndProc(TMessage& Message) override;
  void GetPublishedProperties(TPropList& List) const override;

  // Called with the canvas the panel paints on, after its face and caption.
  TPaintEvent OnPaint;

 protected:
  void Loaded() override;
  void Paint() override;
  void PaintWindow(HDC DC) override;
  // Rebuilds the cache image: the section over the parent's background, the caption, OnPaint.
  void PrepareCache();
  // The client rectangle inside the border and the bevels.
  TRect CaptionArea();
  // The DC given, or one of the panel's window for the time it lives.
  class TTargetDC {
   public:
    TTargetDC(TWinControl* Control, HDC Given)
        : wnd_(Given ? nullptr : Control->Handle()), dc_(Given ? Given : GetDC(wnd_)) {}
    ~TTargetDC() {
      if (wnd_) ReleaseDC(wnd_, dc_);
    }
    TTargetDC(const TTargetDC&) = delete;
    TTargetDC& operator=(const TTargetDC&) = delete;
    HDC Get() const { return dc_; }

   private:
    HWND wnd_;
    HDC dc_;
  };
  // Colour panels take the cache route whatever their background.
  virtual bool AlwaysCached() const { return false; }

 private:
  // The panel's own answers to the skin commands every skinned control gives; true when handled.
  bool CommonCommand(TMessage& Message);
  // The answers while a skin is active; true when the message is done.
  bool SkinnedMessage(TMessage& Message);
  // The unskinned exceptions; true when the message is done.
  bool PlainMessage(TMessage& Message);
  void SwitchBevelSection();
  void PaintCacheRoute(HDC DC);
  void PaintPlainRoute(HDC DC);
  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  bool Ready();

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  TBevelCut FOldBevel = bvRaised;
};

// A panel of colour swatches: one per line of Colors (hexadecimal RRGGBB), ColCount by RowCount, the
// selected one ringed. A click selects the swatch under it.
class TsColorsPanel : public TsPanel {
 public:
  explicit TsColorsPanel(TComponent* AOwner);

  TStrings* Colors() const { return FColors.get(); }
  void SetColors(const TStrings* Value);
  int ColCount() const { return FGrid.ColCount; }
  void SetColCount(int Value);
  int RowCount() const { return FGrid.RowCount; }
  void SetRowCount(int Value);
  int ItemWidth() const { return FGrid.ItemWidth; }
  void SetItemWidth(int Value);
  int ItemHeight() const { return FGrid.ItemHeight; }
  void SetItemHeight(int Value);
  int ItemMargin() const { return FGrid.ItemMargin; }
  void SetItemMargin(int Value);
  int ItemIndex() const { return FItemIndex; }
  // A value that names no swatch stores -1.
  void SetItemIndex(int Value);
  const std::vector<TColorSwatch>& Items() const { return FItems; }
  // The swatch whose area, grown by ItemMargin, holds the point; -1 for none.
  int GetItemByCoord(int X, int Y) const;

  void PaintToDC(HDC DC, bool TellChildren) override;
  void WndProc(TMessage& Message) override;
  void GetPublishedProperties(TPropList& List) const override;

  TNotifyEvent OnChange;

 protected:
  void Loaded() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool AlwaysCached() const override { return true; }

 private:
  void GenerateColors();
  void GridChanged(int TColorSwatchGrid::*Field, int Value);
  void PaintSwatches(HDC DC);
  void PaintSelection(HDC DC);

  std::unique_ptr<TStringList> FColors = std::make_unique<TStringList>();
  TColorSwatchGrid FGrid;
  int FItemIndex = -1;
  std::vector<TColorSwatch> FItems;
};

#pragma once
// TsBitBtn: the skinned bitmap button. The push buttons' look, window region, fades and press
// (TsButtonBase) over the toolkit's bitmap button: its own glyph strip, or an image of an image list,
// placed with the caption by Layout, Margin, Spacing and Alignment. Without a skin it draws as the
// toolkit's bitmap button.
#include <functional>
#include <string>

#include "skin/controls/sBitBtnLayout.h"
#include "skin/controls/sButtonBase.h"

using TBmpPaintEvent = std::function<void(TObject* Sender, TBitmap* Bmp)>;

class TsBitBtn : public TsButtonBase<TBitBtn> {
 public:
  explicit TsBitBtn(TComponent* AOwner);

  // A new glyph or cell count makes the cache stale.
  void SetGlyph(const TBitmap* Value) {
    TBitBtn::SetGlyph(Value);
    Changed();
  }
  void SetNumGlyphs(int Value) {
    TBitBtn::SetNumGlyphs(Value);
    Changed();
  }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { Store(FAlignment, Value); }
  TAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TAlignment Value) { Store(FTextAlignment, Value); }
  int Blend() const { return FBlend; }
  // Kept within 0..100.
  void SetBlend(int Value);
  TsDisabledGlyphKind DisabledGlyphKind() const { return FDisabledGlyphKind; }
  void SetDisabledGlyphKind(TsDisabledGlyphKind Value) { Store(FDisabledGlyphKind, Value); }
  void SetDown(bool Value);
  bool Grayed() const { return FGrayed; }
  void SetGrayed(bool Value) { Store(FGrayed, Value); }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { Store(FImageIndex, Value); }
  bool Reflected() const { return FReflected; }
  void SetReflected(bool Value) { Store(FReflected, Value); }
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value) { Store(FShowCaption, Value); }
  bool DrawOverBorder() const { return FDrawOverBorder; }
  void SetDrawOverBorder(bool Value) { Store(FDrawOverBorder, Value); }
  // Kept for the form files; the painting does not use it.
  int TextOffset() const { return FTextOffset; }
  void SetTextOffset(int Value) { FTextOffset = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  // An image of Images is shown instead of Glyph.
  bool ImageInUse() const;
  // The size of one glyph cell; 0 x 0 without a glyph.
  int GlyphWidth();
  int GlyphHeight();
  // Glyph and caption for the current look, the caption measured in the button's font.
  TGlyphButtonPlaces Places();

  // A Layout or Spacing changed since the last look makes the cache stale.
  void Invalidate() override;
  void GetPublishedProperties(TPropList& List) const override;

  TBmpPaintEvent OnPaint;

 protected:
  void Loaded() override;
  void DrawFace(int State) override;
  bool DrawsOverBorder() const override { return FDrawOverBorder; }
  void CachePainted() override;
  void DrawUnskinned(const DRAWITEMSTRUCT& Item) override { DrawItem(Item); }
  bool OwnSkinnedMessage(TMessage& Message) override;
  bool ReleasesUnpressed() const override { return true; }

 private:
  template <class T>
  void Store(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }
  void DrawCaption(TCanvas* Canvas, int State, const TPixelRect& R);
  void DrawGlyph(int State, const TPixelRect& R);

  TAlignment FAlignment = taCenter, FTextAlignment = taCenter;
  int FBlend = 0;
  TsDisabledGlyphKind FDisabledGlyphKind = 1u << dgBlended;
  bool FGrayed = false;
  int FImageIndex = -1;
  bool FReflected = false, FShowCaption = true, FDrawOverBorder = true, FWordWrap = true;
  int FTextOffset = 0;
  // What the cache was last built for.
  TButtonLayout FLastLayout = blGlyphLeft;
  int FLastSpacing = 4;
};

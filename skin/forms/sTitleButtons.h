#pragma once
// What a skinned form shows in its caption besides the skin's own buttons: user title buttons, the
// caption icon and a second text after the caption. The provider owns them and repaints the caption
// when they change what is shown.
#include <memory>
#include <string>

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Font.h"
#include "toolkit/ui/Collection.h"
#include "toolkit/ui/Controls.h"

class TsSkinProvider;

class TsTitleIcon : public TPersistent {
 public:
  TsTitleIcon() : FGlyph(std::make_unique<TBitmap>()) {}
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
  // 0: the size the caption gives.
  int Width = 0;
  int Height = 0;

 private:
  std::unique_ptr<TBitmap> FGlyph;
};

class TsTitleButton : public TCollectionItem {
 public:
  explicit TsTitleButton(TCollection* Collection);
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value.empty() ? "TsTitleButton" : Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Enabled = true;
  std::string Hint;
  bool UseSkinData = true;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // The skinned button's picture, made by the caption painter; dropped when the glyph changes.
  std::unique_ptr<TBitmap> CachedImage;
  // Where the caption painter placed it and its state there.
  TRect Rect{0, 0, 0, 0};
  int State = 0;

 protected:
  void AssignTo(TPersistent* Dest) override;

 private:
  std::unique_ptr<TBitmap> FGlyph;
  std::string FName = "TsTitleButton";
  bool FVisible = true;
};

class TsTitleButtons : public TCollection {
 public:
  explicit TsTitleButtons(TsSkinProvider* Owner)
      : TCollection(&NewCollectionItem<TsTitleButton>), FOwner(Owner) {}
  ~TsTitleButtons() override { FOwner = nullptr; }
  TsTitleButton* Items(int Index) const { return static_cast<TsTitleButton*>(TCollection::Items(Index)); }
  TsSkinProvider* Provider() const { return FOwner; }

 private:
  TsSkinProvider* FOwner;
};

class TacAddedTitle : public TPersistent {
 public:
  explicit TacAddedTitle(TsSkinProvider* Owner);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  const std::string& Text() const { return FText; }
  void SetText(const std::string& Value);
  bool ShowMainCaption() const { return FShowMainCaption; }
  void SetShowMainCaption(bool Value);

 private:
  void Repaint();
  TsSkinProvider* FOwner;
  std::unique_ptr<TFont> FFont;
  std::string FText;
  bool FShowMainCaption = true;
};

#pragma once
// TBrush: colour and style (solid, clear or hatched) of filled areas and text backgrounds.
#include "toolkit/graphics/Colors.h"
#include "toolkit/graphics/GdiHandle.h"
#include "toolkit/graphics/GraphicsObject.h"

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
 public:
  void Assign(const TBrush& Source);

  HBRUSH Handle() const;
  // Takes ownership of the handle and reads colour and style from it.
  void SetHandle(HBRUSH Value);

  TColor Color() const { return FColor; }
  // Setting a colour makes a clear brush solid, as the toolkit does.
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);

 protected:
  void Changed() override;

 private:
  friend class TCanvas;
  detail::SharedGdiObject<HBRUSH> SharedHandle() const;

  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  mutable detail::SharedGdiObject<HBRUSH> FHandle;
};

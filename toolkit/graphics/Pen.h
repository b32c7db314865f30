#pragma once
// TPen: colour, width, style and mix mode of lines and frames.
#include "toolkit/graphics/Colors.h"
#include "toolkit/graphics/GdiHandle.h"
#include "toolkit/graphics/GraphicsObject.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

class TPen : public TGraphicsObject {
 public:
  void Assign(const TPen& Source);

  HPEN Handle() const;
  // Takes ownership of the handle and reads colour, width and style from it.
  void SetHandle(HPEN Value);

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);

 protected:
  void Changed() override;

 private:
  friend class TCanvas;
  detail::SharedGdiObject<HPEN> SharedHandle() const;
  // The raster operation of Mode, for SetROP2.
  int Rop2() const;

  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
  mutable detail::SharedGdiObject<HPEN> FHandle;
};

#pragma once
// Transfer of a rectangle of one pixel view into another, with clipping and optional stretching.
#include "widgets/Bitmap32_Types.h"

#include "toolkit/rtl/Exceptions.h"

#include <functional>
#include <stdexcept>

enum TDrawMode : uint8_t { dmOpaque, dmBlend, dmCustom };
enum TStretchFilter : uint8_t { sfNearest, sfLinear, sfSpline, sfLanczos, sfMitchell };

// A custom combination: source pixel F onto target pixel B, with the source's master alpha M.
using TPixelCombineEvent = std::function<void(TColor32 F, TColor32& B, TColor32 M)>;

// How the source is drawn: its draw mode, its master alpha and, for dmCustom, the callback.
struct TCombineInfo {
  TDrawMode Mode = dmOpaque;
  TColor32 MasterAlpha = 255;
  TPixelCombineEvent CallBack;
};

class ETransformError : public Exception {
 public:
  using Exception::Exception;
};

// On (the default): pixel edges map onto pixel edges, each pixel being sampled at its centre.
// Off: the corner pixels of both rectangles map onto each other.
extern bool FullEdge;

// Puts source pixels onto target pixels by the combine mode; custom mode without a callback
// draws opaquely.
class TPixelCombiner {
 public:
  explicit TPixelCombiner(const TCombineInfo& Info);
  // Blending with master alpha 0 changes nothing.
  bool DrawsNothing() const { return Mode == dmBlend && Master == 0; }
  void Put(TColor32 F, TColor32& B) const;
  void PutLine(const TColor32* Src, TColor32* Dst, int Count) const;

 private:
  TDrawMode Mode;
  TColor32 Master;
  const TPixelCombineEvent* CallBack;
};

// Copies SrcRect of Src to (DstX, DstY) of Dst, inside DstClip.
void BlockTransfer(const TPixelView& Dst, int DstX, int DstY, const TPixelRect& DstClip,
                   const TPixelView& Src, const TPixelRect& SrcRect, const TCombineInfo& Combine);

// Draws SrcRect of Src into DstRect of Dst, the part inside Dst and DstClip only, resized by Filter
// when the sizes differ. A missing or empty bitmap or a source rectangle that leaves the source
// raises ETransformError; an empty source rectangle draws nothing.
void StretchTransfer(const TPixelView& Dst, const TPixelRect& DstRect, const TPixelRect& DstClip,
                     const TPixelView& Src, const TPixelRect& SrcRect, TStretchFilter Filter,
                     const TCombineInfo& Combine);

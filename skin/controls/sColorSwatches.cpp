#include "skin/controls/sColorSwatches.h"

#include <algorithm>

#include "skin/engine/sSkinPixels.h"
#include "skin/engine/sSkinStrUtils.h"

std::vector<TColorSwatch> BuildColorSwatches(TStrings& Colors, const TColorSwatchGrid& Grid, int ItemIndex) {
  static const TCharSet Delims = CharSetOf("\n\r ");
  std::vector<TColorSwatch> Items;
  for (int Row = 0; Row < Grid.RowCount; ++Row)
    for (int Col = 0; Col < Grid.ColCount; ++Col) {
      TColorSwatch S;
      S.Index = int(Items.size());
      if (S.Index < Colors.Count()) {
        S.Color = SwapRedBlue(HexToColor(NthWord(1, Colors.Strings(S.Index), Delims)));
      } else {
        S.Color = 0xFFFFFF;
        Colors.Add("FFFFFF");
      }
      const int Left = (Grid.ItemWidth + Grid.ItemMargin) * Col + Grid.ItemMargin;
      const int Top = (Grid.ItemHeight + Grid.ItemMargin) * Row + Grid.ItemMargin;
      S.R = MakeRect(Left, Top, Left + Grid.ItemWidth, Top + Grid.ItemHeight);
      S.Selected = S.Index == ItemIndex;
      Items.push_back(S);
    }
  return Items;
}

int SwatchAt(const std::vector<TColorSwatch>& Items, int Count, int Margin, int X, int Y) {
  const int N = std::min(Count, int(Items.size()));
  for (int I = 0; I < N; ++I) {
    const TPixelRect& R = Items[I].R;
    if (X >= R.Left - Margin && X < R.Right + Margin && Y >= R.Top - Margin && Y < R.Bottom + Margin) return I;
  }
  return -1;
}

int ValidSwatchIndex(int Value, int Count) { return Value >= -1 && Value < Count ? Value : -1; }

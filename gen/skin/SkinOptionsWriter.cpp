#include "gen/skin/SkinOptionsWriter.h"

#include <cstdio>
#include <stdexcept>

namespace {

// A number of exactly Digits digits: the readers take the fields by position.
std::string Digits(int Value, int Count) {
  char Text[16];
  std::snprintf(Text, sizeof Text, "%0*d", Count, Value);
  if (Value < 0 || int(std::string(Text).size()) != Count) throw std::runtime_error("skin field out of range");
  return Text;
}

std::string Rect(char Mark, const TPixelRect& R) {
  return Mark + Digits(R.Left, 4) + Mark + Digits(R.Top, 4) + Mark + Digits(R.Right, 4) + Mark + Digits(R.Bottom, 4);
}

}  // namespace

std::string WriteSkinOptions(const std::vector<TSkinSection>& Sections) {
  std::string Text;
  for (const TSkinSection& s : Sections) {
    Text += "[" + s.Name + "]\r\n";
    for (const TSkinKey& k : s.Keys) Text += k.Name + "=" + k.Value + "\r\n";
    Text += "\r\n";
  }
  return Text;
}

std::string GlyphReference(const TPixelRect& R, int Count, int MaskType) {
  return Rect('@', R) + "@" + Digits(Count, 1) + "@" + Digits(MaskType, 1);
}

std::string BorderReference(const TPixelRect& R, int Border, int Count, int MaskType, int DrawMode) {
  const std::string W = "^" + Digits(Border, 4);
  return Rect('^', R) + W + W + W + W + "^" + Digits(Count, 1) + "^" + Digits(MaskType, 1) + "^" +
         Digits(DrawMode, 1) + "^" + Digits(0, 1);
}

std::string FileReference(const std::string& File, int Count, int MaskType, int Kind, int Left, int Top, int Right,
                          int Bottom, int DrawMode) {
  return "!" + File + "!" + std::to_string(Count) + "!" + std::to_string(MaskType) + "!" + std::to_string(Kind) + "!" +
         Digits(Left, 4) + "!" + Digits(Top, 4) + "!" + Digits(Right, 4) + "!" + Digits(Bottom, 4) + "!" +
         std::to_string(DrawMode);
}

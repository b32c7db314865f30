#include "skin/engine/sTextEllipsis.h"

std::string EllipsisText(const std::string& Text, int Width, const std::function<int(const std::string&)>& TextWidth) {
  std::string S = Width < 1 ? std::string() : Text;
  if (S.empty() || TextWidth(S) <= Width) return S;
  while (!S.empty() && TextWidth(S + "...") > Width) S.pop_back();
  return S.empty() ? S : S + "...";
}

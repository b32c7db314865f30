#include "skin/engine/sGradientData.h"

#include <algorithm>

#include "skin/engine/sSkinStrUtils.h"
#include "toolkit/rtl/NumberText.h"

void ParseGradientData(std::string_view Text, TsGradArray& Data) {
  Data.clear();
  if (Text.empty()) return;
  const TCharSet Delims = CharSetOf(";");
  Data.resize(WordCountOf(Text, Delims) / 5);
  for (int i = 0; i < int(Data.size()); ++i) {
    auto Word = [&](int n) { return StrToInt(NthWord(5 * i + n, Text, Delims)); };
    TsGradStep& Step = Data[i];
    Step.Color1 = std::max(0, Word(1));
    Step.Color2 = std::max(0, Word(2));
    Step.Percent = uint8_t(std::clamp(Word(3), 0, 100));
    Step.Mode = Word(4);
  }
}

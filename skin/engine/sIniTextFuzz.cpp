// Any text as a skin's options text: parsed into sections, every line read back as a key, and as a
// colour in hexadecimal.
#include <cstddef>
#include <cstdint>
#include <string>

#include "skin/engine/sIniText.h"
#include "skin/engine/sSkinStrUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  TStringList Lines;
  Lines.SetText(Text);
  TStringList Sections;
  ParseIniSections(Lines, Sections);
  for (int s = 0; s < Sections.Count(); ++s) {
    const auto* Section = static_cast<const TStringList*>(Sections.Objects(s));
    for (int i = 0; i < Section->Count(); ++i) {
      const std::string Value = ReadIniString(Sections, Sections[s], Section->Names(i), "");
      ReadIniInteger(Sections, Sections[s], Section->Names(i), 0);
      HexToColor(Value);
    }
  }
  HexToColor(Text);
  return 0;
}

#include "skin/engine/sIniText.h"

#include <memory>

#include "toolkit/rtl/NumberText.h"
#include "toolkit/rtl/StringUtils.h"

void ParseIniSections(const TStrings& Lines, TStringList& Sections) {
  Sections.OwnsObjects = true;
  Sections.Clear();
  TStringList* Current = nullptr;
  for (int i = 0; i < Lines.Count(); ++i) {
    const std::string Line = Trim(Lines.Get(i));
    if (Line.empty() || Line[0] == ';') continue;
    if (Line.size() >= 2 && Line.front() == '[' && Line.back() == ']') {
      auto Section = std::make_unique<TStringList>();
      const int At = Sections.AddObject(Line.substr(1, Line.size() - 2), Section.get());
      // A sorted list that ignores duplicates keeps its first section: later lines join that one.
      Current = static_cast<TStringList*>(Sections.Objects(At));
      if (Current == Section.get()) Section.release();
    } else if (Current) {
      const size_t Sep = Line.find('=');
      Current->Add(Sep == std::string::npos ? Line : Trim(Line.substr(0, Sep)) + '=' + Trim(Line.substr(Sep + 1)));
    }
  }
}

std::string ReadIniString(const TStringList& Sections, const std::string& Section, const std::string& Key,
                          const std::string& Default) {
  const int s = Sections.IndexOf(Section);
  const auto* Lines = s < 0 ? nullptr : dynamic_cast<const TStrings*>(Sections.Objects(s));
  const int k = Lines ? Lines->IndexOfName(Key) : -1;
  return k < 0 ? Default : Lines->ValueFromIndex(k);
}

int ReadIniInteger(const TStringList& Sections, const std::string& Section, const std::string& Key, int Default) {
  std::string Text = ReadIniString(Sections, Section, Key, "");
  if (Text.size() > 2 && Text[0] == '0' && (Text[1] == 'x' || Text[1] == 'X')) Text.replace(0, 2, "$");
  return StrToIntDef(Text, Default);
}

#include "skin/engine/sSkinOptions.h"

#include <algorithm>
#include <optional>
#include <variant>
#include <vector>

#include "skin/engine/sIniText.h"
#include "skin/engine/sSkinStrUtils.h"
#include "toolkit/rtl/NumberText.h"
#include "toolkit/rtl/StringUtils.h"

namespace {

const char* const GlobalInfo = "GLOBALINFO";

// One options text split into its sections.
class TIniText {
 public:
  explicit TIniText(std::string_view Text) {
    TStringList Lines;
    Lines.SetText(Text);
    ParseIniSections(Lines, Sections);
    for (int s = 0; s < Count(); ++s) {
      const std::string Parent = ValueOr(s, "PARENTCLASS", "");
      const bool None = Parent.empty() || Parent == "?" || SameText(Parent, Name(s));
      Parents.push_back(None ? -1 : Find(Parent));
    }
  }
  int Count() const { return Sections.Count(); }
  std::string Name(int Section) const { return Sections[Section]; }
  const TStringList& Lines(int Section) const { return *static_cast<const TStringList*>(Sections.Objects(Section)); }
  // The first section of that name, whatever its case; -1 when none.
  int Find(const std::string& Name) const { return Sections.IndexOf(Name); }
  std::optional<std::string> Value(int Section, const std::string& Key) const {
    const int k = Section < 0 ? -1 : Lines(Section).IndexOfName(Key);
    if (k < 0) return std::nullopt;
    return Lines(Section).ValueFromIndex(k);
  }
  std::string ValueOr(int Section, const std::string& Key, const std::string& Default) const {
    return Value(Section, Key).value_or(Default);
  }
  // The section its PARENTCLASS names; -1 for none, "?", itself or a section that does not exist.
  int Parent(int Section) const { return Parents[Section]; }

 private:
  TStringList Sections;
  std::vector<int> Parents;
};

struct TFound {
  std::string Text;
  bool FromParent;
};

// The section's own value, else the nearest ancestor's along PARENTCLASS. The walk ends at a section
// without parent or at one already passed.
std::optional<TFound> ReadInherited(const TIniText& Ini, int Section, const std::string& Key) {
  std::vector<bool> Passed(Ini.Count());
  for (int s = Section;;) {
    if (auto Text = Ini.Value(s, Key)) return TFound{*Text, s != Section};
    Passed[s] = true;
    s = Ini.Parent(s);
    if (s < 0 || Passed[s]) return std::nullopt;
  }
}

// How a section key is read. Colours found in a parent are converted from system-colour codes;
// kAlwaysColor ones are converted wherever they come from.
enum TKind { kInt, kByte, kColor, kAlwaysColor, kFlag, kText };
using TMember = std::variant<int TsGeneralData::*, uint8_t TsGeneralData::*, bool TsGeneralData::*,
                             std::string TsGeneralData::*>;
struct TField {
  const char* Key;
  TKind Kind;
  const char* Default;
  TMember Member;
};

const TField NormalFields[] = {
    {"COLOR", kAlwaysColor, "$FFFFFF", &TsGeneralData::Color},
    {"RESERVEDBOOLEAN", kFlag, "0", &TsGeneralData::ReservedBoolean},
    {"GIVEOWNFONT", kFlag, "0", &TsGeneralData::GiveOwnFont},
    {"GLOW", kInt, "0", &TsGeneralData::Glow},
    {"GLOWMARGIN", kInt, "0", &TsGeneralData::GlowMargin},
    {"FONTCOLOR", kColor, "0", &TsGeneralData::FontColor},
    {"TCLEFT", kColor, "-1", &TsGeneralData::TCLeft},
    {"TCTOP", kColor, "-1", &TsGeneralData::TCTop},
    {"TCRIGHT", kColor, "-1", &TsGeneralData::TCRight},
    {"TCBOTTOM", kColor, "-1", &TsGeneralData::TCBottom},
    {"TRANSPARENCY", kInt, "0", &TsGeneralData::Transparency},
    {"GRADIENTPERCENT", kInt, "0", &TsGeneralData::GradientPercent},
    {"IMAGEPERCENT", kInt, "0", &TsGeneralData::ImagePercent},
    {"GRADIENTDATA", kText, " ", &TsGeneralData::GradientData},
    {"SHOWFOCUS", kFlag, "0", &TsGeneralData::ShowFocus},
    {"FADINGENABLED", kFlag, "0", &TsGeneralData::FadingEnabled},
    {"FADINGITERATIONS", kInt, "5", &TsGeneralData::FadingIterations},
    {"GCOL", kAlwaysColor, "$FFFFFF", &TsGeneralData::GlowColor},
    {"GSIZE", kByte, "0", &TsGeneralData::GlowSize},
    {"STATES", kInt, "4", &TsGeneralData::States},
};

const TField HotFields[] = {
    {"HOTFONTCOLOR", kColor, "0", &TsGeneralData::HotFontColor},
    {"HOTTCLEFT", kColor, "-1", &TsGeneralData::HotTCLeft},
    {"HOTTCTOP", kColor, "-1", &TsGeneralData::HotTCTop},
    {"HOTTCRIGHT", kColor, "-1", &TsGeneralData::HotTCRight},
    {"HOTTCBOTTOM", kColor, "-1", &TsGeneralData::HotTCBottom},
    {"HGCOL", kAlwaysColor, "$FFFFFF", &TsGeneralData::HotGlowColor},
    {"HGSIZE", kByte, "0", &TsGeneralData::HotGlowSize},
    {"HOTCOLOR", kColor, "$FFFFFF", &TsGeneralData::HotColor},
    {"HOTTRANSPARENCY", kInt, "0", &TsGeneralData::HotTransparency},
    {"HOTGRADIENTPERCENT", kInt, "0", &TsGeneralData::HotGradientPercent},
    {"HOTGRADIENTDATA", kText, "", &TsGeneralData::HotGradientData},
    {"HOTIMAGEPERCENT", kInt, "0", &TsGeneralData::HotImagePercent},
};

class TModelBuilder {
 public:
  explicit TModelBuilder(const TsSkinModelInputs& Inputs) : Inputs(Inputs) {}
  TsSkinModel Build(std::string_view OptionsText, std::string_view CommonSections);

 private:
  // System-colour codes to RGB; -1 ("none") stays.
  TColor Converted(TColor Value) const {
    return Value < 0 && Value != -1 && Inputs.SysColorToRGB ? Inputs.SysColorToRGB(Value) : Value;
  }
  void Assign(TsGeneralData& Row, const TField& Field, const std::string& Text, bool FromParent) const;
  void ReadPieces(const TIniText& Ini);
  void ReadPiece(const std::string& Section, const std::string& Key, const std::string& Value);
  void ReadJpegNames(const TIniText& Ini);
  void ReadGlobalInfo(const TIniText& Ini);
  void ReadSections(const TIniText& Ini);
  void AddCommonSections(const TIniText& Common);

  const TsSkinModelInputs& Inputs;
  TsSkinModel Model;
};

void TModelBuilder::Assign(TsGeneralData& Row, const TField& Field, const std::string& Text, bool FromParent) const {
  switch (Field.Kind) {
    case kInt:
      Row.*std::get<int TsGeneralData::*>(Field.Member) = StrToInt(Text);
      break;
    case kByte:
      Row.*std::get<uint8_t TsGeneralData::*>(Field.Member) = uint8_t(StrToInt(Text));
      break;
    case kColor:
    case kAlwaysColor: {
      const TColor Value = StrToInt(Text);
      Row.*std::get<int TsGeneralData::*>(Field.Member) =
          FromParent || Field.Kind == kAlwaysColor ? Converted(Value) : Value;
      break;
    }
    case kFlag: {
      const std::string Upper = UpperCase(Text);
      Row.*std::get<bool TsGeneralData::*>(Field.Member) = Upper == "1" || Upper == "TRUE";
      break;
    }
    case kText:
      Row.*std::get<std::string TsGeneralData::*>(Field.Member) = Text;
      break;
  }
}

// Gradients parsed, the state entries filled. The hot entry copies the normal one unless the
// section has more than one state.
void FinishRow(TsGeneralData& Row, bool HotRead) {
  if (Row.GradientData.empty())
    Row.GradientPercent = 0;
  else
    ParseGradientData(Row.GradientData, Row.GradientArray);
  if (HotRead) {
    if (Row.HotGradientData.empty())
      Row.HotGradientPercent = 0;
    else
      ParseGradientData(Row.HotGradientData, Row.HotGradientArray);
  }
  Row.Props[0] = TsGenState{Row.Color,           Row.FontColor,     Row.TCLeft,       Row.TCTop,
                            Row.TCRight,         Row.TCBottom,      Row.GradientPercent, Row.GradientData,
                            Row.GradientArray,   Row.ImagePercent,  Row.GlowColor,    Row.GlowSize,
                            Row.Transparency};
  if (Row.States > 1)
    Row.Props[1] = TsGenState{Row.HotColor,         Row.HotFontColor,  Row.HotTCLeft,  Row.HotTCTop,
                              Row.HotTCRight,       Row.HotTCBottom,   Row.HotGradientPercent,
                              Row.HotGradientData,  Row.HotGradientArray, Row.HotImagePercent,
                              Row.HotGlowColor,     Row.HotGlowSize,   Row.HotTransparency};
  else
    Row.Props[1] = Row.Props[0];
}

// A digit field at a fixed 1-based position; a value that ends before the field gives the
// conversion error of an empty number.
int FixedField(const std::string& Value, int Pos, int Len) {
  if (int(Value.size()) < Pos + Len - 1) return StrToInt("");
  return StrToInt(std::string_view(Value).substr(Pos - 1, Len));
}

TPixelRect FixedRect(const std::string& Value) {
  return MakeRect(FixedField(Value, 2, 4), FixedField(Value, 7, 4), FixedField(Value, 12, 4),
                  FixedField(Value, 17, 4));
}

int64_t RectWidth(const TPixelRect& R) { return int64_t(R.Right) - R.Left; }
int64_t RectHeight(const TPixelRect& R) { return int64_t(R.Bottom) - R.Top; }
// Divisors of the border rules: a piece declaring no images, or no image height, counts as one.
int ImagesOf(const TsMaskData& Mask) { return Mask.ImageCount < 1 ? 1 : Mask.ImageCount; }
int RowsOf(const TsMaskData& Mask) { return Mask.MaskType < 0 ? 1 : Mask.MaskType + 1; }

// Skins older than 7.4 mark border pieces whose middle is a single pixel.
void ApplyOldSkinRule(TsMaskData& Mask) {
  const int64_t Middle = RectWidth(Mask.R) / ImagesOf(Mask) - Mask.WL - Mask.WR;
  const int64_t Centre = RectHeight(Mask.R) / RowsOf(Mask) - Mask.WT - Mask.WB;
  if (Middle == 1 && Centre == 1)
    Mask.DrawMode = int16_t(Mask.DrawMode | 1);
  else
    Mask.DrawMode = int16_t(Mask.DrawMode & ~1);
}

TsSkinModel TModelBuilder::Build(std::string_view OptionsText, std::string_view CommonSections) {
  const TIniText Skin(OptionsText);
  const TIniText Common(CommonSections);
  const TFormatSettings PointDecimals;
  const int Global = Skin.Find(GlobalInfo);
  Model.SkinData.Version = StrToFloat(Skin.ValueOr(Global, "VERSION", "0"), PointDecimals);
  Model.MasterBitmap = Skin.ValueOr(Global, "MASTERBITMAP", "");
  ReadPieces(Skin);
  ReadPieces(Common);
  ReadJpegNames(Skin);
  ReadJpegNames(Common);
  ReadGlobalInfo(Skin);
  ReadSections(Skin);
  AddCommonSections(Common);
  return std::move(Model);
}

void TModelBuilder::ReadPieces(const TIniText& Ini) {
  for (int s = 0; s < Ini.Count(); ++s) {
    const std::string Section = Ini.Name(s);
    const TStringList& Lines = Ini.Lines(s);
    for (int k = 0; k < Lines.Count(); ++k) {
      const std::string Key = Lines.Names(k);
      const std::string Value = Lines.ValueFromIndex(k);
      if (Key.empty() || Value.empty()) continue;
      if (SameText(Section, GlobalInfo) && SameText(Key, "MASTERBITMAP")) continue;
      ReadPiece(Section, Key, Value);
    }
  }
}

void TModelBuilder::ReadPiece(const std::string& Section, const std::string& Key, const std::string& Value) {
  TsMaskData m;
  m.ClassName = Section;
  m.PropertyName = Key;
  switch (Value[0]) {
    case '@':
      m.ImgType = 2;
      m.R = FixedRect(Value);
      m.ImageCount = int16_t(FixedField(Value, 22, 1));
      m.MaskType = int16_t(FixedField(Value, 24, 1));
      break;
    case '~':
      m.ImgType = 1;
      m.R = FixedRect(Value);
      m.ImageCount = 1;
      m.DrawMode = int16_t(FixedField(Value, 22, 2));
      m.MaskType = int16_t(Value.size() > 24 ? FixedField(Value, 25, 1) : 0);
      break;
    case '^':
      m.ImgType = 0;
      m.R = FixedRect(Value);
      m.WL = int16_t(FixedField(Value, 22, 4));
      m.WT = int16_t(FixedField(Value, 27, 4));
      m.WR = int16_t(FixedField(Value, 32, 4));
      m.WB = int16_t(FixedField(Value, 37, 4));
      m.ImageCount = int16_t(FixedField(Value, 42, 1));
      m.MaskType = int16_t(FixedField(Value, 44, 1));
      m.DrawMode = int16_t(FixedField(Value, 46, 1));
      m.BorderWidth = int16_t(FixedField(Value, 48, 1));
      if (m.MaskType > 0 && Model.SkinData.Version < 7.4) ApplyOldSkinRule(m);
      SetDefaultBorders(m);
      break;
    case '!': {
      const TCharSet Bang = CharSetOf("!");
      auto Field = [&](int n) { return StrToInt(NthWord(n, Value, Bang)); };
      m.ImageFile = NthWord(1, Value, Bang);
      if (m.ImageFile.find(".BMP") == std::string::npos && m.ImageFile.find(".PNG") == std::string::npos) return;
      const int Fields = WordCountOf(Value, Bang);
      m.ImageCount = int16_t(Field(2));
      m.MaskType = int16_t(Field(3));
      m.ImgType = uint8_t(std::min(Field(4), 4));
      if (Fields > 4) {
        m.WL = int16_t(Field(5));
        m.WT = int16_t(Field(6));
        m.WR = int16_t(Field(7));
        m.WB = int16_t(Field(8));
      }
      m.DrawMode = int16_t(Fields > 8 ? Field(9) : 1);
      // Counts no image can have: a piece without image.
      if (m.ImageCount < 0 || m.MaskType < -1) {
        m.ImageCount = 0;
        m.MaskType = -1;
      }
      break;
    }
    default: {
      const std::string Upper = UpperCase(Value);
      if (Value.find('#') != std::string::npos && Value != "#") {
        const TCharSet Comma = CharSetOf(",");
        const std::string Area = NthWord(2, Value, CharSetOf(" ()"));
        const std::string Counts = NthWord(3, Value, CharSetOf(" ()"));
        auto Number = [&](const std::string& Text, int n) { return StrToInt(NthWord(n, Text, Comma)); };
        m.R = MakeRect(Number(Area, 1), Number(Area, 2), Number(Area, 3), Number(Area, 4));
        m.ImageCount = std::max<int16_t>(int16_t(Number(Counts, 1)), 1);
        m.MaskType = std::max<int16_t>(int16_t(Number(Counts, 2)), 0);
        const int Given = WordCountOf(Counts, Comma);
        m.BorderWidth = std::max<int16_t>(int16_t(Given >= 3 ? Number(Counts, 3) : 0), 0);
        m.DrawMode = int16_t(Given >= 4 ? Number(Counts, 4) : 1);
        SetDefaultBorders(m);
      } else if (Upper.find(".BMP") != std::string::npos) {
        m.ImageFile = Upper;
        m.ImageCount = 3;
        m.MaskType = 1;
      } else {
        return;
      }
      m.ClassName = UpperCase(Section);
      m.PropertyName = UpperCase(Key);
    }
  }
  Model.Tables.Masks.push_back(std::move(m));
}

void TModelBuilder::ReadJpegNames(const TIniText& Ini) {
  for (int s = 0; s < Ini.Count(); ++s) {
    const TStringList& Lines = Ini.Lines(s);
    for (int k = 0; k < Lines.Count(); ++k) {
      const std::string Upper = UpperCase(Lines.ValueFromIndex(k));
      if (Upper.find(".JPG") == std::string::npos && Upper.find(".JPEG") == std::string::npos) continue;
      Model.Tables.Patterns.push_back({Upper, UpperCase(Ini.Name(s)), UpperCase(Lines.Names(k)), nullptr});
    }
  }
}

void TModelBuilder::ReadGlobalInfo(const TIniText& Ini) {
  const int g = Ini.Find(GlobalInfo);
  auto Text = [&](const char* Key, const std::string& Default) { return Ini.ValueOr(g, Key, Default); };
  auto Int = [&](const char* Key, const std::string& Default) { return StrToInt(Text(Key, Default)); };
  auto Short = [&](const char* Key, const std::string& Default) { return int16_t(Int(Key, Default)); };
  TsSkinData& d = Model.SkinData;
  d.Author = Text("AUTHOR", "");
  d.Description = Text("DESCRIPTION", "");
  d.BorderWidth = Short("BORDERWIDTH", "4");
  d.TitleHeight = Short("TITLEHEIGHT", "30");
  d.MaxHeight = Short("MAXHEIGHT", "0");
  if (d.MaxHeight == 0) d.MaxHeight = d.TitleHeight;
  d.FormOffset = Short("FORMOFFSET", IntToStr(Inputs.FrameWidth));
  d.AlignOffset = Short("ALIGNOFFSET", "0");
  d.CenterOffset = Short("CENTEROFFSET", "0");
  d.BorderMode = Short("BORDERMODE", "0");
  d.Shadow1Color = Int("SHADOW1COLOR", "0");
  d.Shadow1Offset = Short("SHADOW1OFFSET", "0");
  d.Shadow1Blur = Short("SHADOW1BLUR", "-1");
  d.Shadow1Transparency = Short("SHADOW1TRANSPARENCY", "0");
  d.BISpacing = Short("BISPACE", "0");
  d.BIVAlign = Short("BIVALIGN", "0");
  d.BIRightMargin = Short("BIRIGHT", "0");
  d.BILeftMargin = Short("BILEFT", "0");
  d.BITopMargin = Short("BITOP", "0");
  d.BorderColor = Int("BORDERCOLOR", "0");
  d.BIKeepHUE = Short("BIKEEPHUE", "0");
  d.BICloseGlow = Short("BICONCLOSEGLOW", "0");
  d.BICloseGlowMargin = Short("BICONCLOSEGLOWMARGIN", "0");
  d.BIMaxGlow = Short("BICONMAXGLOW", "0");
  d.BIMaxGlowMargin = Short("BICONMAXGLOWMARGIN", "0");
  d.BIMinGlow = Short("BICONMINGLOW", "0");
  d.BIMinGlowMargin = Short("BICONMINGLOWMARGIN", "0");
  d.AeroBlur = Int("AEROBLUR", "0") != 0;
  d.ExtShadow = Int("EXTSHADOW", "0");
}

void TModelBuilder::ReadSections(const TIniText& Ini) {
  for (int s = 0; s < Ini.Count(); ++s) {
    TsGeneralData Row;
    Row.ClassName = Ini.Name(s);
    Row.ParentClass = Ini.ValueOr(s, "PARENTCLASS", "");
    auto Read = [&](const TField& Field) {
      const auto Found = ReadInherited(Ini, s, Field.Key);
      Assign(Row, Field, Found ? Found->Text : Field.Default, Found && Found->FromParent);
    };
    for (const TField& Field : NormalFields) Read(Field);
    if (Row.States > 1)
      for (const TField& Field : HotFields) Read(Field);
    FinishRow(Row, Row.States > 1);
    Model.Tables.Sections.push_back(std::move(Row));
  }
}

void TModelBuilder::AddCommonSections(const TIniText& Common) {
  auto RowNamed = [&](const std::string& Name) -> const TsGeneralData* {
    for (const TsGeneralData& Row : Model.Tables.Sections)
      if (UpperCase(Row.ClassName) == Name) return &Row;
    return nullptr;
  };
  for (int s = 0; s < Common.Count(); ++s) {
    if (RowNamed(UpperCase(Common.Name(s)))) continue;
    TsGeneralData Row;
    Row.ClassName = Common.Name(s);
    Row.ParentClass = UpperCase(Common.ValueOr(s, "PARENTCLASS", ""));
    // Copied: the rows move when this one is appended.
    const TsGeneralData* Found = RowNamed(UpperCase(Common.ValueOr(s, "PARENTCLASS", "-1")));
    const std::optional<TsGeneralData> Parent = Found ? std::optional(*Found) : std::nullopt;
    auto Read = [&](const TField& Field) {
      if (auto Text = Common.Value(s, Field.Key))
        Assign(Row, Field, *Text, false);
      else if (Parent)
        std::visit([&](auto Member) { Row.*Member = (*Parent).*Member; }, Field.Member);
      else
        Assign(Row, Field, Field.Default, false);
    };
    for (const TField& Field : NormalFields) Read(Field);
    for (const TField& Field : HotFields) Read(Field);
    if (!Common.Value(s, "STATES") && !Parent) Row.States = 3;
    FinishRow(Row, true);
    Model.Tables.Sections.push_back(std::move(Row));
  }
}

}  // namespace

void SetDefaultBorders(TsMaskData& Mask) {
  if (Mask.WL + Mask.WT + Mask.WR + Mask.WB != 0) return;
  if (Mask.BorderWidth != 0) {
    Mask.WL = Mask.WT = Mask.WR = Mask.WB = Mask.BorderWidth;
    return;
  }
  Mask.WL = Mask.WR = int16_t(RectWidth(Mask.R) / (3 * ImagesOf(Mask)));
  Mask.WT = Mask.WB = int16_t(RectHeight(Mask.R) / (3 * RowsOf(Mask)));
}

TsSkinModel BuildSkinModel(std::string_view OptionsText, std::string_view CommonSections,
                           const TsSkinModelInputs& Inputs) {
  return TModelBuilder(Inputs).Build(OptionsText, CommonSections);
}

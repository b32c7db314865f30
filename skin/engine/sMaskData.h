#pragma once
// The records of a loaded skin: one TsGeneralData per section of its options text, one TsMaskData per
// image piece, one TsPatternData per large JPEG texture, the skin's global values and the indexes the
// painters read constantly. Plain data: images are attached by the loader. Pure: no windows.h.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/engine/sGradientData.h"
#include "toolkit/graphics/Colors.h"
#include "widgets/Bitmap32_StoredData.h"
#include "widgets/Bitmap32_Types.h"

class TBitmap;
class TsSkinManager;

// The values of one state of a section.
struct TsGenState {
  TColor Color = 0;
  TColor FontColor = 0;
  TColor TCLeft = 0, TCTop = 0, TCRight = 0, TCBottom = 0;
  int GradientPercent = 0;
  std::string GradientData;
  TsGradArray GradientArray;
  int ImagePercent = 0;
  TColor GlowColor = 0;
  uint8_t GlowSize = 0;
  int Transparency = 0;
  friend bool operator==(const TsGenState&, const TsGenState&) = default;
};
// Entry 0 normal, entry 1 hot.
using TsProps = std::array<TsGenState, 2>;

struct TsGeneralData {
  std::string ParentClass;
  std::string ClassName;
  int States = 0;
  TsProps Props;
  bool GiveOwnFont = false;
  bool ReservedBoolean = false;
  bool ShowFocus = false;
  int Glow = 0;
  int GlowMargin = 0;
  // Piece indexes; -1 for none.
  int BorderIndex = -1;
  int ImgTL = -1, ImgTR = -1, ImgBL = -1, ImgBR = -1;
  int TextureIndex = -1;
  TColor Color = 0;
  int Transparency = 0;
  int GradientPercent = 0;
  std::string GradientData;
  TsGradArray GradientArray;
  int ImagePercent = 0;
  TColor FontColor = 0;
  TColor TCLeft = 0, TCTop = 0, TCRight = 0, TCBottom = 0;
  TColor HotColor = 0;
  int HotTransparency = 0;
  int HotGradientPercent = 0;
  std::string HotGradientData;
  TsGradArray HotGradientArray;
  int HotImagePercent = 0;
  TColor HotFontColor = 0;
  TColor HotTCLeft = 0, HotTCTop = 0, HotTCRight = 0, HotTCBottom = 0;
  bool FadingEnabled = false;
  int FadingIterations = 0;
  TColor HotGlowColor = 0;
  TColor GlowColor = 0;
  uint8_t HotGlowSize = 0;
  uint8_t GlowSize = 0;
};

// One image piece: state images side by side in R, of the master bitmap or of an own image.
struct TsMaskData {
  // The piece's own 32-bit image, attached by the loader; none for a piece of the master bitmap.
  std::shared_ptr<TBitmap> Bmp;
  // Name of the piece's own image, as the loader looks it up among a packed skin's entries (whose
  // names it upper-cases); empty when the piece lies in the master bitmap.
  std::string ImageFile;
  std::string ClassName;
  std::string PropertyName;
  TPixelRect R;
  int16_t ImageCount = 0;
  int16_t MaskType = 0;  // 0 images fill R, 1 masks in R's lower half, -1 no image height
  int16_t BorderWidth = 0;
  int16_t DrawMode = 0;
  uint8_t ImgType = 0;  // 0 border, 1 texture, 2 glyph, 3 and 4 declared by image files only
  const TsSkinManager* Manager = nullptr;
  int16_t WL = 0, WT = 0, WR = 0, WB = 0;
  int16_t CornerType = 0;
};

// One large JPEG texture; the loader attaches the image read from ImageFile, decoded once.
struct TsPatternData {
  std::string ImageFile;
  std::string ClassName;
  std::string PropertyName;
  std::shared_ptr<TPixelImage> Img;
};

using TsGeneralDataArray = std::vector<TsGeneralData>;
using TsMaskArray = std::vector<TsMaskData>;
using TsPatternArray = std::vector<TsPatternData>;

// Width and height of one state image; 0 for a piece without images (ImageCount below 1, MaskType
// below 0).
int MaskImageWidth(const TsMaskData& Mask);
int MaskImageHeight(const TsMaskData& Mask);

// The skin's global values ("GLOBALINFO").
struct TsSkinData {
  std::string SkinPath;
  bool Active = false;
  double Version = 0;
  std::string Author;
  std::string Description;
  TColor Shadow1Color = 0;
  int16_t Shadow1Offset = 0;
  int16_t Shadow1Blur = -1;
  int16_t Shadow1Transparency = 0;
  int16_t BorderWidth = 4;
  int16_t TitleHeight = 30;
  int16_t MaxHeight = 0;
  int16_t FormOffset = 0;
  int16_t AlignOffset = 0;
  int16_t CenterOffset = 0;
  int16_t BorderMode = 0;
  TColor BorderColor = 0;
  int16_t BISpacing = 0;
  int16_t BIVAlign = 0;
  int16_t BIRightMargin = 0;
  int16_t BILeftMargin = 0;
  int16_t BITopMargin = 0;
  int16_t BIKeepHUE = 0;
  int16_t BICloseGlow = 0, BICloseGlowMargin = 0;
  int16_t BIMaxGlow = 0, BIMaxGlowMargin = 0;
  int16_t BIMinGlow = 0, BIMinGlowMargin = 0;
  bool AeroBlur = false;
  int ExtShadow = 0;
};

// Sections and pieces every painter needs, resolved after each load; -1 for none. Tab and scroll
// button fours are in the order top, bottom, left, right; scroll bars 1H, 1V, 2H, 2V.
struct TsCommonIndexes {
  int GlobalInfo = -1;
  int ExBorder = -1;
  std::array<int, 4> TabSections{-1, -1, -1, -1};
  std::array<int, 4> TabBorders{-1, -1, -1, -1};
  std::array<int, 4> ScrollBtnSections{-1, -1, -1, -1};
  std::array<int, 4> ScrollBtnBorders{-1, -1, -1, -1};
  std::array<int, 4> ScrollBtnPatterns{-1, -1, -1, -1};
  std::array<int, 4> ScrollBtnHotPatterns{-1, -1, -1, -1};
  std::array<int, 4> ScrollBtnGlyphs{-1, -1, -1, -1};
  int ScrollSliderV = -1, ScrollSliderH = -1;
  int SliderBorderV = -1, SliderBorderH = -1;
  int SliderGlyphV = -1, SliderGlyphH = -1;
  int SliderPatternH = -1, SliderHotPatternH = -1;
  int SliderPatternV = -1, SliderHotPatternV = -1;
  std::array<int, 4> ScrollBarSections{-1, -1, -1, -1};
  std::array<int, 4> ScrollBarBorders{-1, -1, -1, -1};
  std::array<int, 4> ScrollBarPatterns{-1, -1, -1, -1};
  std::array<int, 4> ScrollBarHotPatterns{-1, -1, -1, -1};
  int BoxChecked = -1, BoxUnchecked = -1, BoxGrayed = -1;
  int RadioChecked = -1, RadioUnchecked = -1, RadioGrayed = -1;
  int SmallChecked = -1, SmallUnchecked = -1, SmallGrayed = -1;
  int ComboBtn = -1, ComboBtnBorder = -1, ComboBtnPattern = -1, ComboBtnHotPattern = -1, ComboGlyph = -1;
  int GripImage = -1, GripHorz = -1, GripVert = -1;
  int WebButton = -1;
  int BIconNorm = -1;
};

#include "skin/engine/sSkinOptions.h"

#include <gtest/gtest.h>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/FormatSettings.h"

namespace {

// System colours of the tests: code 0xFF0000nn answers 0x0101nn.
TColor FakeSysColor(TColor Code) { return 0x010100 | (Code & 0xFF); }

TsSkinModel Build(const std::string& Text, const std::string& Common = "") {
  TsSkinModelInputs Inputs;
  Inputs.FrameWidth = 7;
  Inputs.SysColorToRGB = FakeSysColor;
  return BuildSkinModel(Text, Common, Inputs);
}

const TsGeneralData& Row(const TsSkinModel& Model, const char* Name) {
  const int i = GetSkinIndex(Model.Tables, Name);
  EXPECT_GE(i, 0) << Name;
  return Model.Tables.Sections.at(i);
}

const TsMaskData& MaskOf(const TsSkinModel& Model, const char* Section, const char* Name) {
  const int i = FindMaskIndex(Model.Tables, Section, Name);
  EXPECT_GE(i, 0) << Section << " " << Name;
  return Model.Tables.Masks.at(i);
}

struct TPieceRow {
  const char* Section;
  const char* Name;
  const char* ImageFile;
  TPixelRect R;
  int ImageCount, MaskType, BorderWidth, DrawMode, ImgType, WL, WT, WR, WB;
};

void ExpectPiece(const TsSkinModel& Model, const TPieceRow& e) {
  const TsMaskData& m = MaskOf(Model, e.Section, e.Name);
  SCOPED_TRACE(std::string(e.Section) + " " + e.Name);
  EXPECT_EQ(m.ImageFile, e.ImageFile);
  EXPECT_EQ(m.R, e.R);
  EXPECT_EQ(m.ImageCount, e.ImageCount);
  EXPECT_EQ(m.MaskType, e.MaskType);
  EXPECT_EQ(m.BorderWidth, e.BorderWidth);
  EXPECT_EQ(m.DrawMode, e.DrawMode);
  EXPECT_EQ(m.ImgType, e.ImgType);
  EXPECT_EQ((std::array<int, 4>{m.WL, m.WT, m.WR, m.WB}), (std::array<int, 4>{e.WL, e.WT, e.WR, e.WB}));
  EXPECT_EQ(m.CornerType, 0);
}

TEST(SkinOptions, ExampleLinesGiveTheirPieces) {
  const TsSkinModel Model = Build(
      "[GLOBALINFO]\n"
      "VERSION=7.45\n"
      "MASTERBITMAP=Master.bmp\n"
      "BOXCHECKED=@0223@0015@0268@0030@3@0\n"
      "EXBORDER=!EXBORD.PNG!2!0!3!0022!0046!0022!0022!1\n"
      "SMALL=@0000@0010@0011@0021@1@0\n"
      "[BUTTON]\n"
      "PATTERN=~0541~0000~0611~0070~00~0\n"
      "BORDERSMASK=^0611^0000^0663^0066^0006^0006^0006^0006^4^1^5^1\n"
      "HOTPATTERN=~0541~0000~0611~0070~07~\n"
      "WIDE=^0000^0000^0090^0030^0000^0000^0000^0000^3^0^0^0\n"
      "GIVEN=^0000^0000^0090^0030^0000^0000^0000^0000^3^0^0^4\n"
      "[button_huge]\n"
      "  BordersMask  =  !BTNHUGE.BMP!3!1!0!0031!0031!0032!0032!5  \n"
      "GLYPHMASK=#glyph (0,0,30,20) (2,1)\n"
      "ARROW=arrow# (10,20,70,26) (0,-3,4,6)\n"
      "PLAIN=parts\\Knob.bmp\n"
      "SHORT=!KNOB.PNG!1!0!2\n"
      "NOTANIMAGE=!KNOB.GIF!1!0!2\n"
      "LOWER=!knob.png!1!0!2\n"
      "BACKGROUND=Back.jpg\n"
      "HASH=#\n");
  EXPECT_EQ(Model.MasterBitmap, "Master.bmp");
  ASSERT_EQ(Model.Tables.Sections.size(), 3u);
  EXPECT_EQ(Model.Tables.Sections[0].ClassName, "GLOBALINFO");
  EXPECT_EQ(Model.Tables.Sections[1].ClassName, "BUTTON");
  EXPECT_EQ(Model.Tables.Sections[2].ClassName, "button_huge");
  for (const TsGeneralData& Row : Model.Tables.Sections) {
    EXPECT_EQ(Row.Color, 0xFFFFFF);
    EXPECT_EQ(Row.States, 4);
  }
  const TPieceRow Pieces[] = {
      {"GLOBALINFO", "BOXCHECKED", "", {223, 15, 268, 30}, 3, 0, 0, 0, 2, 0, 0, 0, 0},
      {"GLOBALINFO", "EXBORDER", "EXBORD.PNG", {}, 2, 0, 0, 1, 3, 22, 46, 22, 22},
      {"GLOBALINFO", "SMALL", "", {0, 10, 11, 21}, 1, 0, 0, 0, 2, 0, 0, 0, 0},
      {"BUTTON", "PATTERN", "", {541, 0, 611, 70}, 1, 0, 0, 0, 1, 0, 0, 0, 0},
      {"BUTTON", "BORDERSMASK", "", {611, 0, 663, 66}, 4, 1, 1, 5, 0, 6, 6, 6, 6},
      {"BUTTON", "HOTPATTERN", "", {541, 0, 611, 70}, 1, 0, 0, 7, 1, 0, 0, 0, 0},
      {"BUTTON", "WIDE", "", {0, 0, 90, 30}, 3, 0, 0, 0, 0, 10, 10, 10, 10},
      {"BUTTON", "GIVEN", "", {0, 0, 90, 30}, 3, 0, 4, 0, 0, 4, 4, 4, 4},
      {"button_huge", "BordersMask", "BTNHUGE.BMP", {}, 3, 1, 0, 5, 0, 31, 31, 32, 32},
      {"BUTTON_HUGE", "GLYPHMASK", "", {0, 0, 30, 20}, 2, 1, 0, 1, 0, 5, 3, 5, 3},
      {"BUTTON_HUGE", "ARROW", "", {10, 20, 70, 26}, 1, 0, 4, 6, 0, 4, 4, 4, 4},
      {"BUTTON_HUGE", "PLAIN", "PARTS\\KNOB.BMP", {}, 3, 1, 0, 0, 0, 0, 0, 0, 0},
      {"button_huge", "SHORT", "KNOB.PNG", {}, 1, 0, 0, 1, 2, 0, 0, 0, 0},
  };
  ASSERT_EQ(Model.Tables.Masks.size(), std::size(Pieces));
  for (const TPieceRow& p : Pieces) ExpectPiece(Model, p);
  ASSERT_EQ(Model.Tables.Patterns.size(), 1u);
  EXPECT_EQ(Model.Tables.Patterns[0].ImageFile, "BACK.JPG");
  EXPECT_EQ(Model.Tables.Patterns[0].ClassName, "BUTTON_HUGE");
  EXPECT_EQ(Model.Tables.Patterns[0].PropertyName, "BACKGROUND");
}

TEST(SkinOptions, OldSkinsMarkSinglePixelMiddles) {
  struct Case {
    const char* Version;
    const char* Value;
    int DrawMode;
  } cases[] = {
      {"7.3", "^0000^0000^0052^0066^0006^0006^0006^0006^4^1^5^1", 4},  // middle 1 x 21: bit cleared
      {"7.3", "^0000^0000^0052^0026^0006^0006^0006^0006^4^1^4^1", 5},  // 1 x 1: bit set
      {"7.4", "^0000^0000^0052^0026^0006^0006^0006^0006^4^1^4^1", 4},
      {"7.3", "^0000^0000^0052^0026^0006^0006^0006^0006^4^0^4^1", 4},  // no mask: left alone
      {"7.3", "^0000^0000^0013^0026^0006^0006^0006^0006^0^1^4^1", 5},  // 0 images count as one
  };
  for (const Case& c : cases) {
    const TsSkinModel Model =
        Build(std::string("[GLOBALINFO]\nVERSION=") + c.Version + "\n[S]\nBORDERSMASK=" + c.Value + "\n");
    EXPECT_EQ(MaskOf(Model, "S", "BORDERSMASK").DrawMode, c.DrawMode) << c.Version << " " << c.Value;
  }
}

TEST(SkinOptions, DefaultBordersCountAPieceWithoutImagesAsOne) {
  TsMaskData m;
  m.R = {0, 0, 90, 30};
  SetDefaultBorders(m);
  EXPECT_EQ((std::array<int, 4>{m.WL, m.WT, m.WR, m.WB}), (std::array<int, 4>{30, 10, 30, 10}));
  m = TsMaskData{};
  m.R = {0, 0, 90, 30};
  m.ImageCount = 3;
  m.MaskType = -1;
  SetDefaultBorders(m);
  EXPECT_EQ((std::array<int, 4>{m.WL, m.WT, m.WR, m.WB}), (std::array<int, 4>{10, 10, 10, 10}));
  m.WL = m.WT = m.WR = m.WB = 0;
  m.WT = 2;  // declared widths stay
  SetDefaultBorders(m);
  EXPECT_EQ(m.WL, 0);
}

TEST(SkinOptions, ImpossibleCountsMakeAPieceWithoutImage) {
  const TsSkinModel Model = Build("[S]\nA=!A.PNG!-2!0!0\nB=!B.BMP!1!-5!0\nC=!C.PNG!0!-1!9\nD=!D.PNG!2!1!-1\n");
  ASSERT_EQ(Model.Tables.Masks.size(), 4u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(Model.Tables.Masks[i].ImageCount, 0);
    EXPECT_EQ(Model.Tables.Masks[i].MaskType, -1);
  }
  EXPECT_EQ(Model.Tables.Masks[2].ImageCount, 0);
  EXPECT_EQ(Model.Tables.Masks[2].ImgType, 4);
  EXPECT_EQ(Model.Tables.Masks[3].MaskType, 1);
}

TEST(SkinOptions, NumbersThatAreNoNumbersRaise) {
  const char* const Texts[] = {
      "[S]\nA=@0000@0010@0011@0021@1@\n",                         // "@" cut before its last digit
      "[S]\nA=@0000@0010@0011@0021@1\n",
      "[S]\nA=~0541~0000~0611~0070~0\n",                          // "~" cut inside its two digits
      "[S]\nA=^0611^0000^0663^0066^0006^0006^0006^0006^4^1^5^\n",  // "^" cut short
      "[S]\nA=^0611^0000^0663^0066^0006\n",
      "[S]\nA=@0 z0@0010@0011@0021@1@0\n",
      "[S]\nA=!A.PNG!1!0\n",
      "[S]\nA=!A.PNG!1!0!0!1!2\n",
      "[S]\nA=#part (1,2,3) (1,0)\n",
      "[S]\nA=#part (1,2,3,4)\n",
      "[S]\nCOLOR=red\n",
      "[S]\nCOLOR=\n",
      "[S]\nSTATES=2\nHOTCOLOR=1.5\n",
      "[S]\nGRADIENTDATA=1;2;3;x;5\n",
      "[GLOBALINFO]\nVERSION=7,45\n",
      "[GLOBALINFO]\nTITLEHEIGHT=high\n",
      "[A]\nPARENTCLASS=B\n[B]\nGLOW=lots\n",
  };
  for (const char* Text : Texts) EXPECT_THROW(Build(Text), EConvertError) << Text;
  EXPECT_THROW(Build("", "[C]\nCOLOR=red\n"), EConvertError);
  // States of 1: the bad hot value is never read.
  EXPECT_NO_THROW(Build("[S]\nSTATES=1\nHOTCOLOR=red\n"));
}

TEST(SkinOptions, VersionReadsWithAPointWhateverTheLocale) {
  const TFormatSettings Saved = FormatSettings;
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  const TsSkinModel Model = Build("[GLOBALINFO]\nVERSION=7.45\n");
  FormatSettings = Saved;
  EXPECT_DOUBLE_EQ(Model.SkinData.Version, 7.45);
}

TEST(SkinOptions, GlobalValues) {
  const TsSkinModel Defaults = Build("[GLOBALINFO]\nTITLEHEIGHT=24\n");
  const TsSkinData& d = Defaults.SkinData;
  EXPECT_EQ(d.Version, 0);
  EXPECT_EQ(d.BorderWidth, 4);
  EXPECT_EQ(d.TitleHeight, 24);
  EXPECT_EQ(d.MaxHeight, 24);
  EXPECT_EQ(d.FormOffset, 7);
  EXPECT_EQ(d.Shadow1Blur, -1);
  EXPECT_FALSE(d.AeroBlur);
  EXPECT_EQ(d.SkinPath, "");
  EXPECT_FALSE(d.Active);

  const TsSkinModel Given = Build(
      "[globalinfo]\nversion=7.5\nAUTHOR=Someone\nDESCRIPTION=A skin\nBORDERWIDTH=3\nMAXHEIGHT=40\nFORMOFFSET=2\n"
      "ALIGNOFFSET=1\nCENTEROFFSET=-2\nBORDERMODE=1\nSHADOW1COLOR=255\nSHADOW1OFFSET=3\nSHADOW1BLUR=6\n"
      "SHADOW1TRANSPARENCY=50\nBISPACE=2\nBIVALIGN=1\nBIRIGHT=5\nBILEFT=6\nBITOP=7\nBORDERCOLOR=$808080\n"
      "BIKEEPHUE=1\nBICONCLOSEGLOW=8\nBICONCLOSEGLOWMARGIN=9\nBICONMAXGLOW=10\nBICONMAXGLOWMARGIN=11\n"
      "BICONMINGLOW=12\nBICONMINGLOWMARGIN=13\nAEROBLUR=2\nEXTSHADOW=14\nTITLEHEIGHT=70000\n");
  const TsSkinData& g = Given.SkinData;
  EXPECT_DOUBLE_EQ(g.Version, 7.5);
  EXPECT_EQ(g.Author, "Someone");
  EXPECT_EQ(g.Description, "A skin");
  EXPECT_EQ(g.BorderWidth, 3);
  EXPECT_EQ(g.TitleHeight, int16_t(70000 - 65536));
  EXPECT_EQ(g.MaxHeight, 40);
  EXPECT_EQ(g.FormOffset, 2);
  EXPECT_EQ(g.AlignOffset, 1);
  EXPECT_EQ(g.CenterOffset, -2);
  EXPECT_EQ(g.BorderMode, 1);
  EXPECT_EQ(g.Shadow1Color, 255);
  EXPECT_EQ(g.Shadow1Offset, 3);
  EXPECT_EQ(g.Shadow1Blur, 6);
  EXPECT_EQ(g.Shadow1Transparency, 50);
  EXPECT_EQ((std::array<int, 6>{g.BISpacing, g.BIVAlign, g.BIRightMargin, g.BILeftMargin, g.BITopMargin, g.BIKeepHUE}),
            (std::array<int, 6>{2, 1, 5, 6, 7, 1}));
  EXPECT_EQ(g.BorderColor, 0x808080);
  EXPECT_EQ((std::array<int, 6>{g.BICloseGlow, g.BICloseGlowMargin, g.BIMaxGlow, g.BIMaxGlowMargin, g.BIMinGlow,
                                g.BIMinGlowMargin}),
            (std::array<int, 6>{8, 9, 10, 11, 12, 13}));
  EXPECT_TRUE(g.AeroBlur);
  EXPECT_EQ(g.ExtShadow, 14);
}

TEST(SkinOptions, SectionRowsWithDefaults) {
  const TsSkinModel Model = Build("[GLOBALINFO]\n[PLAIN]\n[ONE]\nSTATES=1\nHOTCOLOR=5\nGRADIENTDATA=\n"
                                  "GRADIENTPERCENT=40\n");
  ASSERT_EQ(Model.Tables.Sections.size(), 3u);
  const TsGeneralData& p = Row(Model, "PLAIN");
  EXPECT_EQ(p.ParentClass, "");
  EXPECT_EQ(p.Color, 0xFFFFFF);
  EXPECT_EQ(p.FontColor, 0);
  EXPECT_EQ((std::array<int, 4>{p.TCLeft, p.TCTop, p.TCRight, p.TCBottom}), (std::array<int, 4>{-1, -1, -1, -1}));
  EXPECT_EQ(p.GradientData, " ");
  EXPECT_TRUE(p.GradientArray.empty());
  EXPECT_EQ(p.FadingIterations, 5);
  EXPECT_EQ(p.GlowColor, 0xFFFFFF);
  EXPECT_EQ(p.States, 4);
  EXPECT_EQ(p.HotColor, 0xFFFFFF);
  EXPECT_EQ((std::array<int, 4>{p.HotTCLeft, p.HotTCTop, p.HotTCRight, p.HotTCBottom}),
            (std::array<int, 4>{-1, -1, -1, -1}));
  EXPECT_EQ(p.HotGlowColor, 0xFFFFFF);
  EXPECT_EQ(p.HotGradientData, "");
  EXPECT_EQ(p.Props[1].Color, 0xFFFFFF);
  EXPECT_EQ(p.Props[1].TCLeft, -1);
  EXPECT_EQ(p.Props[0].GradientData, " ");
  EXPECT_EQ((std::array<int, 6>{p.BorderIndex, p.ImgTL, p.ImgTR, p.ImgBL, p.ImgBR, p.TextureIndex}),
            (std::array<int, 6>{-1, -1, -1, -1, -1, -1}));

  const TsGeneralData& o = Row(Model, "ONE");
  EXPECT_EQ(o.States, 1);
  EXPECT_EQ(o.HotColor, 0);
  EXPECT_EQ(o.HotTCLeft, 0);
  EXPECT_EQ(o.HotGlowColor, 0);
  EXPECT_EQ(o.GradientPercent, 0);  // an empty gradient text
  EXPECT_EQ(o.Props[1], o.Props[0]);
}

TEST(SkinOptions, SectionValuesAndStates) {
  const TsSkinModel Model = Build(
      "[BUTTON]\nSTATES=2\nCOLOR=-16777201\nRESERVEDBOOLEAN=true\nGIVEOWNFONT=1\nSHOWFOCUS=yes\nFADINGENABLED=TRUE\n"
      "FADINGITERATIONS=9\nGLOW=3\nGLOWMARGIN=4\nFONTCOLOR=-16777208\nTCLEFT=1\nTCTOP=2\nTCRIGHT=3\nTCBOTTOM=4\n"
      "TRANSPARENCY=10\nGRADIENTPERCENT=20\nIMAGEPERCENT=30\nGRADIENTDATA=0;255;100;0;0\nGCOL=-16777200\nGSIZE=260\n"
      "HOTCOLOR=-16777201\nHOTFONTCOLOR=11\nHOTTCLEFT=12\nHOTTCTOP=13\nHOTTCRIGHT=14\nHOTTCBOTTOM=15\nHGCOL=16\n"
      "HGSIZE=17\nHOTTRANSPARENCY=18\nHOTGRADIENTPERCENT=19\nHOTGRADIENTDATA=1;2;3;1;0\nHOTIMAGEPERCENT=21\n");
  const TsGeneralData& b = Row(Model, "BUTTON");
  EXPECT_EQ(b.Color, 0x01010F);         // always converted
  EXPECT_EQ(b.FontColor, -16777208);    // its own: as written
  EXPECT_EQ(b.HotColor, -16777201);
  EXPECT_EQ(b.GlowColor, 0x010110);
  EXPECT_EQ(b.GlowSize, 4);
  EXPECT_TRUE(b.ReservedBoolean);
  EXPECT_TRUE(b.GiveOwnFont);
  EXPECT_FALSE(b.ShowFocus);
  EXPECT_TRUE(b.FadingEnabled);
  EXPECT_EQ(b.FadingIterations, 9);
  EXPECT_EQ(b.Glow, 3);
  EXPECT_EQ(b.GlowMargin, 4);
  const TsGenState Normal{0x01010F, -16777208, 1, 2, 3, 4, 20, "0;255;100;0;0", {{0, 255, 100, 0, 0}}, 30,
                          0x010110, 4,         10};
  const TsGenState Hot{-16777201, 11, 12, 13, 14, 15, 19, "1;2;3;1;0", {{1, 2, 3, 1, 0}}, 21, 16, 17, 18};
  EXPECT_EQ(b.Props[0], Normal);
  EXPECT_EQ(b.Props[1], Hot);
  EXPECT_EQ(b.HotGradientArray, Hot.GradientArray);
}

TEST(SkinOptions, InheritanceAlongParentClass) {
  const TsSkinModel Model = Build(
      "[B]\nCOLOR=$00FF00\nTCLEFT=-1\nTCTOP=-16777203\nFONTCOLOR=-16777208\nTRANSPARENCY=-16777200\nSTATES=2\n"
      "HOTTCLEFT=-1\n"
      "[A]\nPARENTCLASS=b\n"
      "[SELF]\nPARENTCLASS=SELF\n"
      "[LOOP1]\nPARENTCLASS=LOOP2\nGLOW=1\n"
      "[LOOP2]\nPARENTCLASS=LOOP1\n"
      "[ASK]\nPARENTCLASS=?\n"
      "[GRAND]\nPARENTCLASS=A\nCOLOR=7\nTCTOP=5\n"
      "[ORPHAN]\nPARENTCLASS=NOWHERE\n");
  const TsGeneralData& a = Row(Model, "A");
  EXPECT_EQ(a.ParentClass, "b");
  EXPECT_EQ(a.Color, 0x00FF00);
  EXPECT_EQ(a.TCLeft, -1);           // "none" stays none
  EXPECT_EQ(a.TCTop, 0x01010D);      // inherited colours are converted
  EXPECT_EQ(a.FontColor, 0x010108);
  EXPECT_EQ(a.Transparency, -16777200);  // numbers that are no colours are not
  EXPECT_EQ(a.States, 2);
  EXPECT_EQ(a.HotTCLeft, -1);
  EXPECT_EQ(a.Props[1].TCLeft, -1);
  const TsGeneralData& g = Row(Model, "GRAND");
  EXPECT_EQ(g.Color, 7);
  EXPECT_EQ(g.TCTop, 5);
  EXPECT_EQ(g.FontColor, 0x010108);
  for (const char* Name : {"SELF", "LOOP1", "LOOP2", "ASK", "ORPHAN"}) {
    EXPECT_EQ(Row(Model, Name).Color, 0xFFFFFF) << Name;
    EXPECT_EQ(Row(Model, Name).States, 4) << Name;
  }
  EXPECT_EQ(Row(Model, "LOOP2").Glow, 1);
}

TEST(SkinOptions, ButtonHugeTakesItsParentsBorder) {
  TsSkinModel Model = Build(
      "[BUTTON]\nBORDERSMASK=^0611^0000^0663^0066^0006^0006^0006^0006^4^1^5^1\nPATTERN=~0541~0000~0611~0070~00~0\n"
      "[BUTTON_HUGE]\nPARENTCLASS=BUTTON\nIMGTOPLEFT=@0000@0010@0011@0021@1@0\n");
  ResolveSectionPieces(Model.Tables);
  const TsGeneralData& h = Row(Model, "BUTTON_HUGE");
  EXPECT_EQ(h.BorderIndex, 0);
  EXPECT_EQ(h.TextureIndex, 1);
  EXPECT_EQ(h.ImgTL, 2);
  EXPECT_EQ(h.ImgTR, -1);
}

TEST(SkinOptions, CommonIndexesWithAndWithoutGlobalInfo) {
  const std::string Sections =
      "[TABTOP]\nBORDERSMASK=@0000@0000@0010@0010@1@0\n[SCROLLBTNLEFT]\nGLYPHMASK=@0000@0000@0010@0010@1@0\n"
      "[SCROLLSLIDERH]\nHOTPATTERN=~0000~0000~0010~0010~00~0\n[SCROLLBAR2V]\nPATTERN=~0000~0000~0010~0010~00~0\n"
      "[COMBOBTN]\nBORDERSMASK=@0000@0000@0010@0010@1@0\nHOTPATTERN=~0000~0000~0010~0010~00~0\n"
      "[COMBOBOX]\nGLYPHMASK=@0000@0000@0010@0010@1@0\n[WEBBUTTON]\n";
  const std::string Global =
      "[GLOBALINFO]\nEXBORDER=@0000@0000@0010@0010@1@0\nBOXCHECKED=@0000@0000@0010@0010@1@0\n"
      "SMALLGRAYED=@0000@0000@0010@0010@1@0\nGRIPVERT=@0000@0000@0010@0010@1@0\nBICONNORM=@0000@0000@0010@0010@1@0\n";
  for (bool WithGlobal : {false, true}) {
    const TsSkinModel Model = Build(Sections + (WithGlobal ? Global : ""));
    const TsSkinTables& t = Model.Tables;
    const TsCommonIndexes c = ResolveCommonIndexes(t);
    SCOPED_TRACE(WithGlobal);
    EXPECT_EQ(c.GlobalInfo, WithGlobal ? 7 : -1);
    EXPECT_EQ(c.ExBorder, WithGlobal ? FindMaskIndex(t, "GLOBALINFO", "EXBORDER") : -1);
    EXPECT_EQ(c.BoxChecked, WithGlobal ? FindMaskIndex(t, "GLOBALINFO", "BOXCHECKED") : -1);
    EXPECT_EQ(c.SmallGrayed, WithGlobal ? FindMaskIndex(t, "GLOBALINFO", "SMALLGRAYED") : -1);
    EXPECT_EQ(c.GripVert, WithGlobal ? FindMaskIndex(t, "GLOBALINFO", "GRIPVERT") : -1);
    EXPECT_EQ(c.BIconNorm, WithGlobal ? FindMaskIndex(t, "GLOBALINFO", "BICONNORM") : -1);
    EXPECT_EQ(c.BoxUnchecked, -1);
    EXPECT_EQ(c.GripImage, -1);
    EXPECT_EQ(c.TabSections, (std::array<int, 4>{0, -1, -1, -1}));
    EXPECT_EQ(c.TabBorders, (std::array<int, 4>{0, -1, -1, -1}));
    EXPECT_EQ(c.ScrollBtnSections, (std::array<int, 4>{-1, -1, 1, -1}));
    EXPECT_EQ(c.ScrollBtnGlyphs, (std::array<int, 4>{-1, -1, 1, -1}));
    EXPECT_EQ(c.ScrollBtnBorders, (std::array<int, 4>{-1, -1, -1, -1}));
    EXPECT_EQ(c.ScrollSliderH, 2);
    EXPECT_EQ(c.ScrollSliderV, -1);
    EXPECT_EQ(c.SliderHotPatternH, 2);
    EXPECT_EQ(c.SliderPatternH, -1);
    EXPECT_EQ(c.ScrollBarSections, (std::array<int, 4>{-1, -1, -1, 3}));
    EXPECT_EQ(c.ScrollBarPatterns, (std::array<int, 4>{-1, -1, -1, 3}));
    EXPECT_EQ(c.ComboBtn, 4);
    EXPECT_EQ(c.ComboBtnBorder, 4);
    EXPECT_EQ(c.ComboBtnHotPattern, 5);
    EXPECT_EQ(c.ComboBtnPattern, -1);
    EXPECT_EQ(c.ComboGlyph, 6);
    EXPECT_EQ(c.WebButton, 6);
  }
}

TEST(SkinOptions, CommonSectionsAddWhatTheSkinLacks) {
  TsSkinModel Model = Build("[BUTTON]\nCOLOR=100\nSTATES=2\nHOTCOLOR=200\nBORDERSMASK=@0000@0000@0010@0010@1@0\n",
                            "[button]\nCOLOR=1\n"
                            "[TOOLBUTTON]\nPARENTCLASS=button\nFONTCOLOR=-16777208\n"
                            "GLYPHMASK=@0000@0000@0010@0010@1@0\n"
                            "[LONE]\nHOTCOLOR=5\nGRADIENTDATA=\n"
                            "[LONE]\nCOLOR=9\n"
                            "[TWO]\nSTATES=1\nHOTCOLOR=6\nPARENTCLASS=LONE\nPICTURE=Far.jpeg\n");
  const TsSkinTables& t = Model.Tables;
  ASSERT_EQ(t.Sections.size(), 4u);
  EXPECT_EQ(Row(Model, "BUTTON").Color, 100);
  const TsGeneralData& tb = Row(Model, "TOOLBUTTON");
  EXPECT_EQ(tb.ParentClass, "BUTTON");
  EXPECT_EQ(tb.Color, 100);
  EXPECT_EQ(tb.FontColor, -16777208);
  EXPECT_EQ(tb.States, 2);
  EXPECT_EQ(tb.HotColor, 200);
  EXPECT_EQ(tb.Props[1].Color, 200);
  const TsGeneralData& lone = Row(Model, "LONE");
  EXPECT_EQ(lone.ParentClass, "");
  EXPECT_EQ(lone.States, 3);
  EXPECT_EQ(lone.Color, 0xFFFFFF);
  EXPECT_EQ(lone.GradientPercent, 0);
  EXPECT_EQ(lone.Props[1].Color, 5);
  const TsGeneralData& two = Row(Model, "TWO");
  EXPECT_EQ(two.HotColor, 6);  // read whatever the states
  EXPECT_EQ(two.Props[1], two.Props[0]);
  EXPECT_EQ(FindMaskIndex(t, "TOOLBUTTON", "GLYPHMASK"), 1);
  ASSERT_EQ(t.Patterns.size(), 1u);
  EXPECT_EQ(t.Patterns[0].ClassName, "TWO");
  EXPECT_EQ(t.Patterns[0].ImageFile, "FAR.JPEG");
}

}  // namespace

#include <windows.h>

#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/IniFiles.h"
#include "toolkit/rtl/SysUtils.h"

#include <gtest/gtest.h>

namespace {

std::string TempIni(const char* name) {
  char buf[MAX_PATH];
  GetTempPathA(MAX_PATH, buf);
  const std::string path = IncludeTrailingPathDelimiter(buf) + name;
  DeleteFile(path);
  return path;
}

std::string FileText(const std::string& name) {
  TStringList l;
  l.LoadFromFile(name);
  return l.Text();
}

TEST(IniFile, ReadsAFileWrittenByHand) {
  const std::string name = TempIni("rtl-mao.ini");
  TStringList text;
  text.SetText(
      "[Geral]\n"
      "Nome = Clínica São José \n"
      "Porta=3050\n"
      "Hex=$1F\n"
      "Ativo=1\n"
      "Texto=sim\n"
      "Fator=1.25\n"
      "\n"
      "[Vazia]\n"
      "[Outra]\n"
      "x=\n");
  text.SaveToFile(name);
  TIniFile ini(name);
  EXPECT_EQ(ini.ReadString("Geral", "Nome", ""), "Clínica São José");
  EXPECT_EQ(ini.ReadString("geral", "NOME", ""), "Clínica São José");
  EXPECT_EQ(ini.ReadString("Geral", "Falta", "padrão"), "padrão");
  EXPECT_EQ(ini.ReadInteger("Geral", "Porta", 0), 3050);
  EXPECT_EQ(ini.ReadInteger("Geral", "Hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("Geral", "Nome", -1), -1);
  EXPECT_TRUE(ini.ReadBool("Geral", "Ativo", false));
  EXPECT_TRUE(ini.ReadBool("Geral", "Texto", true));  // not a number: the default
  EXPECT_FALSE(ini.ReadBool("Geral", "Texto", false));
  EXPECT_DOUBLE_EQ(ini.ReadFloat("Geral", "Fator", 0), 1.25);

  TStringList l;
  ini.ReadSections(&l);
  EXPECT_EQ(l.Text(), "Geral\r\nVazia\r\nOutra\r\n");
  ini.ReadSection("Geral", &l);
  EXPECT_EQ(l.CommaText(), "Nome,Porta,Hex,Ativo,Texto,Fator");
  ini.ReadSectionValues("Outra", &l);
  EXPECT_EQ(l.Text(), "x=\r\n");
  EXPECT_TRUE(ini.SectionExists("Geral"));
  EXPECT_FALSE(ini.SectionExists("Nada"));
  EXPECT_TRUE(ini.ValueExists("Geral", "porta"));
  EXPECT_FALSE(ini.ValueExists("Geral", "Falta"));
}

TEST(IniFile, WritesWhatOtherProgramsRead) {
  const std::string name = TempIni("rtl-grava.ini");
  {
    TIniFile ini(name);
    ini.WriteString("Pastas", "Exames", "C:\\MZ3100\\Exames");
    ini.WriteInteger("Opções", "Anel", -12);
    ini.WriteBool("Opções", "Som", true);
    ini.WriteFloat("Opções", "Raio", 7.8);
    ini.UpdateFile();
  }
  EXPECT_EQ(FileText(name),
            "[Pastas]\r\nExames=C:\\MZ3100\\Exames\r\n"
            "[Opções]\r\nAnel=-12\r\nSom=1\r\nRaio=7.8\r\n");
  char buf[64];
  GetPrivateProfileStringA("Opções", "Anel", "", buf, sizeof buf, name.c_str());
  EXPECT_STREQ(buf, "-12");

  TIniFile ini(name);
  ini.DeleteKey("Opções", "Som");
  EXPECT_FALSE(ini.ValueExists("Opções", "Som"));
  ini.EraseSection("Pastas");
  EXPECT_FALSE(ini.SectionExists("Pastas"));
  EXPECT_EQ(ini.ReadInteger("Opções", "Anel", 0), -12);
}

TEST(IniFile, LongValuesAreNotCut) {
  const std::string name = TempIni("rtl-longo.ini");
  TIniFile ini(name);
  const std::string big(5000, 'x');
  ini.WriteString("S", "Grande", big);
  EXPECT_EQ(ini.ReadString("S", "Grande", ""), big);
  for (int i = 0; i < 400; ++i) ini.WriteInteger("Muitas", "Chave" + IntToStr(i), i);
  TStringList keys;
  ini.ReadSection("Muitas", &keys);
  EXPECT_EQ(keys.Count(), 400);
  EXPECT_EQ(keys[399], "Chave399");
}

}  // namespace

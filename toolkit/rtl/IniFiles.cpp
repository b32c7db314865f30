#include <windows.h>

#include "toolkit/rtl/IniFiles.h"

#include "toolkit/rtl/NumberText.h"

namespace {

// Runs a profile read into a buffer that grows until the result fits; 'slack' is how short of the
// buffer size a truncated result comes back (1 for a string, 2 for a list closed by two nulls).
template <class F>
std::string ProfileRead(F&& read, DWORD slack) {
  std::string buf(2048, '\0');
  for (;;) {
    const DWORD n = read(buf.data(), DWORD(buf.size()));
    if (n + slack < buf.size()) {
      buf.resize(n);
      return buf;
    }
    buf.resize(buf.size() * 4);
  }
}

// Null-separated names into strings.
void AddNames(const std::string& list, TStrings* strings) {
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find('\0', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) strings->Add(list.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const {
  return ProfileRead(
      [&](char* buf, DWORD size) {
        return GetPrivateProfileStringA(section.c_str(), ident.c_str(), defaultValue.c_str(), buf, size,
                                        fileName_.c_str());
      },
      1);
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), fileName_.c_str()))
    throw EIniFileException("N\xE3o foi poss\xEDvel gravar em " + fileName_);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const {
  return StrToIntDef(ReadString(section, ident, ""), defaultValue);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

double TIniFile::ReadFloat(const std::string& section, const std::string& ident, double defaultValue) const {
  return StrToFloatDef(ReadString(section, ident, ""), defaultValue);
}

void TIniFile::WriteFloat(const std::string& section, const std::string& ident, double value) {
  WriteString(section, ident, FloatToStr(value));
}

void TIniFile::ReadNames(const char* section, TStrings* strings) const {
  strings->BeginUpdate();
  strings->Clear();
  AddNames(ProfileRead(
               [&](char* buf, DWORD size) {
                 return GetPrivateProfileStringA(section, nullptr, "", buf, size, fileName_.c_str());
               },
               2),
           strings);
  strings->EndUpdate();
}

void TIniFile::ReadSection(const std::string& section, TStrings* strings) const { ReadNames(section.c_str(), strings); }

void TIniFile::ReadSections(TStrings* strings) const { ReadNames(nullptr, strings); }

void TIniFile::ReadSectionValues(const std::string& section, TStrings* strings) const {
  TStringList keys;
  ReadSection(section, &keys);
  strings->BeginUpdate();
  strings->Clear();
  for (int i = 0; i < keys.Count(); ++i) strings->Add(keys[i] + "=" + ReadString(section, keys[i], ""));
  strings->EndUpdate();
}

bool TIniFile::SectionExists(const std::string& section) const {
  TStringList keys;
  ReadSection(section, &keys);
  return keys.Count() > 0;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  TStringList keys;
  ReadSection(section, &keys);
  return keys.IndexOf(ident) >= 0;
}

void TIniFile::EraseSection(const std::string& section) {
  if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, fileName_.c_str()))
    throw EIniFileException("N\xE3o foi poss\xEDvel apagar a se\xE7\xE3o [" + section + "] de " + fileName_);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, fileName_.c_str());
}

void TIniFile::UpdateFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName_.c_str()); }

#pragma once
// Ini files through the Win32 profile functions, so that a file written by hand or by another program
// reads the same. A file name without a folder is looked up by Windows in its own folder.
#include "toolkit/rtl/Classes.h"

#include <string>

class TIniFile : public TObject {
 public:
  explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
  const std::string& FileName() const { return fileName_; }

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& defaultValue) const;
  // Raise EIniFileException when the file cannot be written.
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  // Decimal or hex ("$1F", "0x1F"); anything else gives the default.
  int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const;
  void WriteInteger(const std::string& section, const std::string& ident, int value);
  // "0" is false and any other integer true; text that is not an integer gives the default.
  bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;
  void WriteBool(const std::string& section, const std::string& ident, bool value);
  // Numbers in the global FormatSettings; invalid text gives the default.
  double ReadFloat(const std::string& section, const std::string& ident, double defaultValue) const;
  void WriteFloat(const std::string& section, const std::string& ident, double value);

  // Key names of a section, the section names of the file, "key=value" lines of a section.
  void ReadSection(const std::string& section, TStrings* strings) const;
  void ReadSections(TStrings* strings) const;
  void ReadSectionValues(const std::string& section, TStrings* strings) const;
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& ident) const;
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);
  // Writes cached changes to disk.
  void UpdateFile();
  std::string ClassName() const override { return "TIniFile"; }

 private:
  // Key names of a section, or section names when section is null.
  void ReadNames(const char* section, TStrings* strings) const;

  std::string fileName_;
};

#include "core/UBVersionText.h"

#include <iterator>

#include "toolkit/rtl/NumberText.h"

std::array<std::string, 4> SplitVersion(std::string_view FileVersion) {
  std::array<std::string, 4> parts;
  std::string_view rest = FileVersion;
  for (int i = 0; i < 3; ++i) {
    const size_t dot = rest.find('.');
    if (dot == std::string_view::npos) continue;  // this part stays empty; the rest goes on
    parts[i] = rest.substr(0, dot);
    rest.remove_prefix(dot + 1);
  }
  parts[3] = rest;
  return parts;
}

std::string FileTypeText(uint32_t FileType, uint32_t FileSubtype) {
  static const char* const kDrivers[] = {"Unknown Driver",  "Printer Driver", "Keyboard Driver",
                                         "Language Driver", "Display Driver", "Mouse Driver",
                                         "Network Driver",  "System Driver",  "InstallableDriver",
                                         "Sound Driver",    "Communications Driver"};
  static const char* const kFonts[] = {"Unknown Font", "Raster Font", "Vector Font", "Truetype Font"};
  switch (FileType) {
    case 0: return "Unknown";
    case 1: return "Application";
    case 2: return "DLL";
    case 3: return FileSubtype < std::size(kDrivers) ? kDrivers[FileSubtype] : "";
    case 4: return FileSubtype < std::size(kFonts) ? kFonts[FileSubtype] : "";
    case 5: {
      static const char kHex[] = "0123456789ABCDEF";
      std::string text = "Virtual Defice Identifier = ";
      for (int shift = 28; shift >= 0; shift -= 4) text += kHex[(FileSubtype >> shift) & 0xF];
      return text;
    }
    case 7: return "Static-link Library";
    default: return "";
  }
}

std::string FormatVersionNumbers(uint32_t VersionMS, uint32_t VersionLS) {
  return IntToStr(VersionMS >> 16) + "." + IntToStr(VersionMS & 0xFFFF) + "." + IntToStr(VersionLS >> 16) + "." +
         IntToStr(VersionLS & 0xFFFF);
}

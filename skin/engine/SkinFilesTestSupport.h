#pragma once
// Skin files for the engine's tests: BMP files of given pixels and a temporary skin directory holding
// skin folders and packed skins, removed with its files.
#include <windows.h>

#include <string>
#include <vector>

#include "gen/skin/SkinPackWriter.h"
#include "skin/engine/sAlphaGraph.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/SysUtils.h"

namespace skintest {

inline std::string BytesText(const Bytes& b) { return std::string(b.begin(), b.end()); }

// A 24-bit BMP file of Width x Height pixels given as 0xAARRGGBB by Pixel(x, y).
template <class F>
std::string BmpFile(int Width, int Height, F Pixel) {
  TBitmap Bmp;
  Bmp.SetPixelFormat(pf32bit);
  Bmp.SetSize(Width, Height);
  const TPixelView View = BitmapView(Bmp);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) *View.PixelPtr(x, y) = Pixel(x, y);
  Bmp.SetPixelFormat(pf24bit);
  TMemoryStream s;
  Bmp.SaveToStream(&s);
  return std::string(static_cast<const char*>(s.Memory()), size_t(s.Size()));
}

inline void WriteFile(const std::string& Name, const std::string& Data) {
  TMemoryStream s;
  s.WriteBuffer(Data.data(), int64_t(Data.size()));
  s.SaveToFile(Name);
}

// A skin directory in the temporary folder, named Prefix and the process id.
class TSkinDirectory {
 public:
  explicit TSkinDirectory(const std::string& Prefix) : Path(TempFolder(Prefix)) { ForceDirectories(Path); }
  ~TSkinDirectory() {
    for (const std::string& f : Files) DeleteFile(f);
    for (auto d = Folders.rbegin(); d != Folders.rend(); ++d) RemoveDir(*d);
    RemoveDir(Path);
  }
  TSkinDirectory(const TSkinDirectory&) = delete;
  TSkinDirectory& operator=(const TSkinDirectory&) = delete;
  void AddFolder(const std::string& Name, const std::vector<PackedEntry>& Entries) {
    Folders.push_back(Path + "\\" + Name);
    ForceDirectories(Folders.back());
    for (const PackedEntry& e : Entries) Add(Name + "\\" + e.Name, e.Data);
  }
  void Add(const std::string& Name, const std::string& Data) {
    Files.push_back(Path + "\\" + Name);
    WriteFile(Files.back(), Data);
  }
  const std::string Path;

 private:
  static std::string TempFolder(const std::string& Prefix) {
    char Path[MAX_PATH];
    GetTempPathA(MAX_PATH, Path);
    return std::string(Path) + Prefix + IntToStr(int(GetCurrentProcessId()));
  }
  std::vector<std::string> Files, Folders;
};

}  // namespace skintest

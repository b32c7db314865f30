// Writes the program's own skin into the folder given as the only argument: the packed skin
// "WebInternal.asz" and the shadow images "acSHDA.png" and "acSHDI.png". Run by the build.
#include <cstdio>
#include <exception>
#include <string>

#include "gen/skin/DefaultSkin.h"

namespace {

bool Write(const std::string& Name, const Bytes& Data) {
  std::FILE* f = std::fopen(Name.c_str(), "wb");
  if (!f) return false;
  const bool Ok = std::fwrite(Data.data(), 1, Data.size(), f) == Data.size();
  return std::fclose(f) == 0 && Ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s output-folder\n", argv[0]);
    return 2;
  }
  try {
    const TDefaultSkin Skin = BuildDefaultSkin();
    const std::string Folder = std::string(argv[1]) + "/";
    if (!Write(Folder + "WebInternal.asz", Skin.Packed) || !Write(Folder + "acSHDA.png", Skin.ShadowActive) ||
        !Write(Folder + "acSHDI.png", Skin.ShadowInactive)) {
      std::fprintf(stderr, "cannot write into %s\n", argv[1]);
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "default skin: %s\n", e.what());
    return 1;
  }
  return 0;
}

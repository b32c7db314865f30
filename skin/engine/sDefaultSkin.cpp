#include "skin/engine/sDefaultSkin.h"

#include "toolkit/rtl/ResourceStream.h"

void ReadDefaultSkin(TsStoredSkin& Skin, HINSTANCE Instance) {
  TResourceStream Data(Instance, DefaultSkinResource, reinterpret_cast<const char*>(RT_RCDATA));
  Skin.SetName(DefaultSkinName);
  Skin.ReadData(&Data);
}

std::unique_ptr<TPNGGraphic> ReadPngResource(HINSTANCE Instance, const std::string& Name) {
  TResourceStream Data(Instance, Name, reinterpret_cast<const char*>(RT_RCDATA));
  auto Png = std::make_unique<TPNGGraphic>();
  Png->LoadFromStream(&Data);
  return Png;
}

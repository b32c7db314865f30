#pragma once
// The program's own skin and the shadow images of extended borders, carried as RCDATA resources
// (sDefaultSkin.rc, made by the skin generator).
#include <windows.h>

#include <memory>
#include <string>

#include "skin/engine/acPNG.h"
#include "skin/engine/sStoredSkins.h"

// The name of the stored skin, and of the RCDATA resource holding it.
inline constexpr const char* DefaultSkinName = "WEB (internal)";
inline constexpr const char* DefaultSkinResource = "WEB_INTERNAL";

// Names Skin DefaultSkinName and puts the packed skin of the resource of Instance (0: the program)
// into its Data. Raises EResNotFound when the module has no such resource.
void ReadDefaultSkin(TsStoredSkin& Skin, HINSTANCE Instance);
// The PNG picture of the RCDATA resource Name ("acSHDA", "acSHDI"); raises EResNotFound when missing.
std::unique_ptr<TPNGGraphic> ReadPngResource(HINSTANCE Instance, const std::string& Name);

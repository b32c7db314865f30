#pragma once
// The program's own pictures, carried in its file as PNG resources.
#include <string>

#include "skin/engine/acAlphaImageList.h"
#include "toolkit/graphics/Picture.h"
#include "toolkit/ui/ImgList.h"

// The picture of resource Name.
void CarregarArte(TPicture* Picture, const std::string& Name);
// Adds the pictures Prefix + "00", Prefix + "01", ... (Count of them) to List's items in that order.
void PreencherLista(TsAlphaImageList* List, const std::string& Prefix, int Count);
// The same for a list of masked pictures whose fuchsia pixels are transparent.
void PreencherListaMascarada(TImageList* List, const std::string& Prefix, int Count);

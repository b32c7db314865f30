#include "windows/UBArtes.h"

#include <cstdio>

#include "skin/engine/acPNG.h"
#include "toolkit/rtl/ResourceStream.h"

namespace {

std::string Nome(const std::string& Prefix, int Index) {
  char n[8];
  std::snprintf(n, sizeof n, "%02d", Index);
  return Prefix + n;
}

}  // namespace

void CarregarArte(TPicture* Picture, const std::string& Name) {
  TResourceStream stream(nullptr, Name, reinterpret_cast<const char*>(RT_RCDATA));
  TPNGGraphic png;
  png.LoadFromStream(&stream);
  Picture->SetGraphic(&png);
}

void PreencherLista(TsAlphaImageList* List, const std::string& Prefix, int Count) {
  for (int i = 0; i < Count; ++i) {
    TResourceStream stream(nullptr, Nome(Prefix, i), reinterpret_cast<const char*>(RT_RCDATA));
    // The whole file becomes the item; the list builds its images when the form is loaded.
    TsImgListItem* item = List->Items()->Add();
    item->ImageFormat = ifPNG;
    item->ImgData->LoadFromStream(&stream);
  }
}

void PreencherListaMascarada(TImageList* List, const std::string& Prefix, int Count) {
  for (int i = 0; i < Count; ++i) {
    TResourceStream stream(nullptr, Nome(Prefix, i), reinterpret_cast<const char*>(RT_RCDATA));
    TPNGGraphic png;
    png.LoadFromStream(&stream);
    List->AddMasked(&png, clFuchsia);
  }
}

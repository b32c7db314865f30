#include "skin/engine/acSkinPack.h"

#include "toolkit/rtl/FileUtils.h"

void TacSkinConvertor::LoadFromFile(const std::string& FileName, std::unique_ptr<TacSkinConvertor>& Convertor,
                                    bool FreeSource) {
  if (!FileExists(FileName)) return;
  if (Convertor) Convertor->Clear();
  else Convertor = std::make_unique<TacSkinConvertor>();
  auto packed = std::make_unique<TMemoryStream>();
  packed->LoadFromFile(FileName);
  Convertor->PackedData = std::move(packed);
  ExtractPackedData(Convertor);
  if (FreeSource && Convertor) Convertor->PackedData.reset();
}

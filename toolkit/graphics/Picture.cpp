#include "toolkit/graphics/Picture.h"

#include "toolkit/rtl/AnsiText.h"

#include <vector>

namespace {

struct FileFormat {
  std::string Extension;
  std::string Description;
  TPicture::TGraphicFactory Factory;
};

std::vector<FileFormat>& FileFormats() {
  static std::vector<FileFormat> formats{
      {"bmp", "Bitmaps", [] { return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>()); }},
      {"ico", "Icons", [] { return std::unique_ptr<TGraphic>(std::make_unique<TIcon>()); }},
  };
  return formats;
}

std::string ExtensionOf(const std::string& FileName) {
  const std::size_t dot = FileName.find_last_of('.');
  const std::size_t slash = FileName.find_last_of("\\/:");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return FileName.substr(dot + 1);
}

}  // namespace

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::Hold(std::unique_ptr<TGraphic> Value) {
  FGraphic = std::move(Value);
  if (FGraphic) FGraphic->OnChange = [this](TGraphicsObject*) { Changed(); };
  Changed();
}

void TPicture::SetGraphic(const TGraphic* Value) {
  if (Value == FGraphic.get()) return;
  Hold(Value ? Value->Clone() : nullptr);
}

TBitmap* TPicture::Bitmap() {
  auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get());
  if (!bitmap) {
    auto fresh = std::make_unique<TBitmap>();
    bitmap = fresh.get();
    Hold(std::move(fresh));
  }
  return bitmap;
}

TIcon* TPicture::Icon() {
  auto* icon = dynamic_cast<TIcon*>(FGraphic.get());
  if (!icon) {
    auto fresh = std::make_unique<TIcon>();
    icon = fresh.get();
    Hold(std::move(fresh));
  }
  return icon;
}

void TPicture::LoadFromFile(const std::string& FileName) {
  const std::string extension = ExtensionOf(FileName);
  const std::vector<FileFormat>& formats = FileFormats();
  for (auto f = formats.rbegin(); f != formats.rend(); ++f) {  // the latest registration wins
    if (!AnsiSameText(f->Extension, extension)) continue;
    std::unique_ptr<TGraphic> graphic = f->Factory();
    graphic->LoadFromFile(FileName);
    Hold(std::move(graphic));
    return;
  }
  throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
}

void TPicture::SaveToFile(const std::string& FileName) {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::RegisterFileFormat(const std::string& Extension, const std::string& Description,
                                  TGraphicFactory Factory) {
  FileFormats().push_back({AnsiLowerCase(Extension), Description, std::move(Factory)});
}

#pragma once
// TPicture: holds one picture of any kind (bitmap, icon, or a registered format) and relays its
// changes. Files are read by the class registered for their extension.
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Icon.h"

#include <functional>
#include <memory>
#include <string>

class TPicture : public TGraphicsObject {
 public:
  TPicture();
  ~TPicture() override;

  TGraphic* Graphic() const { return FGraphic.get(); }
  // Holds a copy of Value (nothing for nullptr).
  void SetGraphic(const TGraphic* Value);
  // The picture as a bitmap or icon; a picture of another kind is replaced by an empty one.
  TBitmap* Bitmap();
  void SetBitmap(const TBitmap* Value) { SetGraphic(Value); }
  TIcon* Icon();
  void SetIcon(const TIcon* Value) { SetGraphic(Value); }

  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }

  void Assign(const TPicture* Source) { SetGraphic(Source ? Source->Graphic() : nullptr); }
  // Raises EInvalidGraphic for an extension no class is registered for.
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName);

  using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;
  // Makes files with this extension ("png", without the dot) load into the factory's class.
  static void RegisterFileFormat(const std::string& Extension, const std::string& Description,
                                 TGraphicFactory Factory);

 private:
  void Hold(std::unique_ptr<TGraphic> Value);

  std::unique_ptr<TGraphic> FGraphic;
};

#include "skin/engine/sSkinLoader.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "skin/engine/acAlphaIconPixels.h"
#include "skin/engine/acPNG.h"
#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sPieceCorners.h"
#include "skin/engine/sSkinGraphics.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/SysUtils.h"
#include "widgets/Bitmap32_Transforms.h"
#include "widgets/JpegImage.h"

namespace {

std::string TextOf(TMemoryStream& Stream) {
  return std::string(static_cast<const char*>(Stream.Memory()), size_t(Stream.Size()));
}

// The skin's images: the unpacked entries of a packed or stored skin, else the files of the skin folder.
class TImageSource {
 public:
  TImageSource(const TacSkinConvertor* Unpacked, std::string SkinPath)
      : FUnpacked(Unpacked), FSkinPath(std::move(SkinPath)) {}

  // The bytes of the named image from their start; nullptr when there is no such image. Entries are
  // found by name without regard to case; relative file names lie under the skin path.
  std::unique_ptr<TMemoryStream> Open(const std::string& Name) const {
    auto Stream = std::make_unique<TMemoryStream>();
    if (FUnpacked) {
      const int i = FUnpacked->IndexOf(Name);
      if (i < 0) return nullptr;
      TMemoryStream& Data = *FUnpacked->ImageItems[size_t(i)].Data;
      Data.SetPosition(0);
      Stream->LoadFromStream(&Data);
    } else {
      const std::string File = Name.find(':') == std::string::npos ? FSkinPath + Name : Name;
      if (Name.empty() || !FileExists(File)) return nullptr;
      Stream->LoadFromFile(File);
    }
    Stream->SetPosition(0);
    return Stream;
  }

 private:
  const TacSkinConvertor* FUnpacked;
  std::string FSkinPath;
};

// A 32-bit bitmap whose alpha is 255 wherever the picture brought none: other formats are converted
// (which leaves alpha 0) and get alpha 255 everywhere; with NoAlphaAtAll a 32-bit picture whose alpha
// is 0 everywhere counts as having none too.
void MakeOpaque32(TBitmap& Bmp, bool NoAlphaAtAll) {
  const bool Had32 = Bmp.PixelFormat() == pf32bit;
  if (!Had32) Bmp.SetPixelFormat(pf32bit);
  const TPixelView View = BitmapView(Bmp);
  if (!Had32 || (NoAlphaAtAll && !HasAlpha(View))) FillAlphaRect(View, {0, 0, View.Width, View.Height}, 255, false);
}

// The master bitmap, or an own BMP image: nullptr when missing, unreadable or empty.
std::shared_ptr<TBitmap> ReadBitmap(const TImageSource& Images, const std::string& Name, bool NoAlphaAtAll) {
  auto Stream = Images.Open(Name);
  if (!Stream) return nullptr;
  auto Bmp = std::make_shared<TBitmap>();
  try {
    Bmp->LoadFromStream(Stream.get());
  } catch (const Exception&) {
    return nullptr;
  }
  if (Bmp->Width() <= 0 || Bmp->Height() <= 0) return nullptr;
  MakeOpaque32(*Bmp, NoAlphaAtAll);
  return Bmp;
}

// An own PNG image, opaque where it has no alpha, then premultiplied (skins above 7.45) or with its
// transparent white made transparent black (older skins).
std::shared_ptr<TBitmap> ReadPng(const TImageSource& Images, const std::string& Name, double Version) {
  auto Stream = Images.Open(Name);
  if (!Stream) return nullptr;
  TPNGGraphic Png;
  try {
    Png.LoadFromStream(Stream.get());
  } catch (const Exception&) {
    return nullptr;
  }
  if (Png.Width() <= 0 || Png.Height() <= 0) return nullptr;
  auto Bmp = std::make_shared<TBitmap>();
  Bmp->Assign(&Png);
  MakeOpaque32(*Bmp, false);
  if (Version > 7.45)
    PremultiplyAlpha(Bmp.get());
  else
    ClearTransparentWhite(Bmp.get());
  return Bmp;
}

std::shared_ptr<TBitmap> BitmapOf(TPixelImage& Image) {
  std::shared_ptr<TBitmap> Bmp = NewBitmap32(Image.Width, Image.Height);
  const TPixelView Dst = BitmapView(*Bmp);
  BlockTransfer(Dst, 0, 0, Dst.BoundsRect(), Image.View(), Image.View().BoundsRect(), {});
  return Bmp;
}

// The decoded JPEG; nullopt when missing, damaged or refused by the codec for its size.
std::optional<TPixelImage> ReadJpeg(const TImageSource& Images, const std::string& Name) {
  auto Stream = Images.Open(Name);
  if (!Stream) return std::nullopt;
  TJPEGImage Jpeg;
  Jpeg.LoadFromStream(Stream.get());
  TPixelImage Image;
  if (!Jpeg.Decompress(Image) || Image.Width <= 0 || Image.Height <= 0) return std::nullopt;
  return Image;
}

bool IsBorderPiece(const TsMaskData& Mask) { return Mask.ImgType == 0; }

// Own images of the pieces that name one; pieces whose image is missing or empty are dropped.
void ReadOwnImages(TsSkinModel& Model, const TImageSource& Images) {
  TsMaskArray Kept;
  for (TsMaskData& Mask : Model.Tables.Masks) {
    if (!Mask.ImageFile.empty()) {
      const bool Png = UpperCase(Mask.ImageFile).find(".PNG") != std::string::npos;
      Mask.Bmp = Png ? ReadPng(Images, Mask.ImageFile, Model.SkinData.Version)
                     : ReadBitmap(Images, Mask.ImageFile, true);
      if (!Mask.Bmp) continue;
      Mask.R = {0, 0, Mask.Bmp->Width(), Mask.Bmp->Height()};
      SetDefaultBorders(Mask);
    }
    Kept.push_back(std::move(Mask));
  }
  Model.Tables.Masks = std::move(Kept);
}

void SetCornerTypes(TsSkinModel& Model, TBitmap* Master) {
  for (TsMaskData& Mask : Model.Tables.Masks) {
    if (!IsBorderPiece(Mask)) continue;
    if (SameText(Mask.ClassName, "BUTTON_HUGE") && SameText(Mask.PropertyName, "BORDERSMASK"))
      Mask.CornerType = 2;
    else
      Mask.CornerType = KeyCornerType(Mask, BitmapView(Mask.Bmp ? Mask.Bmp.get() : Master));
  }
}

// Small JPEGs become texture pieces, large ones stay patterns; unreadable ones are dropped.
void ReadJpegTextures(TsSkinModel& Model, const TImageSource& Images) {
  TsPatternArray Patterns;
  for (TsPatternData& Pattern : Model.Tables.Patterns) {
    std::optional<TPixelImage> Image = ReadJpeg(Images, Pattern.ImageFile);
    if (!Image) continue;
    if (int64_t(Image->Width) * Image->Height < MaxTexturePiecePixels) {
      TsMaskData Piece;
      Piece.Bmp = BitmapOf(*Image);
      Piece.ClassName = Pattern.ClassName;
      Piece.PropertyName = Pattern.PropertyName;
      Piece.R = {0, 0, Image->Width, Image->Height};
      Piece.ImageCount = 1;
      Piece.ImgType = 1;
      Model.Tables.Masks.push_back(std::move(Piece));
    } else {
      Pattern.Img = std::make_shared<TPixelImage>(std::move(*Image));
      Patterns.push_back(std::move(Pattern));
    }
  }
  Model.Tables.Patterns = std::move(Patterns);
}

// Every colour of a section, both states.
template <class Change>
void ChangeSectionColours(TsGeneralDataArray& Sections, Change C) {
  for (TsGeneralData& s : Sections) {
    for (TColor* Color : {&s.Color, &s.FontColor, &s.TCLeft, &s.TCTop, &s.TCRight, &s.TCBottom, &s.HotColor,
                          &s.HotFontColor, &s.HotTCLeft, &s.HotTCTop, &s.HotTCRight, &s.HotTCBottom, &s.GlowColor,
                          &s.HotGlowColor})
      *Color = C(*Color);
    for (TsGenState& State : s.Props)
      for (TColor* Color : {&State.Color, &State.FontColor, &State.TCLeft, &State.TCTop, &State.TCRight,
                            &State.TCBottom, &State.GlowColor})
        *Color = C(*Color);
  }
}

// Caption-button pieces of "GLOBALINFO" that keep their own colours under a hue change.
bool KeepsHue(const TsMaskData& Mask, bool KeepAllButtons) {
  if (!SameText(Mask.ClassName, "GLOBALINFO")) return false;
  static const char* const Always[] = {"BICONCLOSE", "SICONCLOSE"};
  static const char* const Kept[] = {"BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP",
                                     "SICONMAX", "SICONMIN", "SICONNORM"};
  for (const char* Name : Always)
    if (SameText(Mask.PropertyName, Name)) return true;
  if (KeepAllButtons)
    for (const char* Name : Kept)
      if (SameText(Mask.PropertyName, Name)) return true;
  return false;
}

void ChangeHue(TsSkinModel& Model, TBitmap* Master, int Offset) {
  const bool KeepAll = Model.SkinData.BIKeepHUE == 1;
  // Master areas of the kept pieces, put back after the change.
  struct TSavedArea {
    TPixelRect R;
    TPixelImage Pixels;
  };
  std::vector<TSavedArea> Saved;
  const TPixelView MasterView = BitmapView(Master);
  for (const TsMaskData& Mask : Model.Tables.Masks) {
    if (!KeepsHue(Mask, KeepAll)) continue;
    if (Mask.Bmp || MasterView.Empty()) continue;
    TPixelRect R;
    if (!IntersectRect(R, Mask.R, MasterView.BoundsRect())) continue;
    TSavedArea Area{R, {R.Right - R.Left, R.Bottom - R.Top, {}}};
    Area.Pixels.Pixels.resize(size_t(Area.Pixels.Width) * Area.Pixels.Height);
    BlockTransfer(Area.Pixels.View(), 0, 0, Area.Pixels.View().BoundsRect(), MasterView, R, {});
    Saved.push_back(std::move(Area));
  }
  ChangeBitmapHue(Master, Offset);
  for (TSavedArea& Area : Saved)
    BlockTransfer(MasterView, Area.R.Left, Area.R.Top, MasterView.BoundsRect(), Area.Pixels.View(),
                  Area.Pixels.View().BoundsRect(), {});
  for (TsMaskData& Mask : Model.Tables.Masks)
    if (Mask.Bmp && !KeepsHue(Mask, KeepAll)) ChangeBitmapHue(Mask.Bmp.get(), Offset);
  ChangeSectionColours(Model.Tables.Sections, [Offset](TColor C) { return ChangeColorHue(Offset, C); });
}

void ChangeSaturation(TsSkinModel& Model, TBitmap* Master, int Delta) {
  ChangeBitmapSaturation(Master, Delta);
  for (TsMaskData& Mask : Model.Tables.Masks)
    if (Mask.Bmp) ChangeBitmapSaturation(Mask.Bmp.get(), Delta);
  ChangeSectionColours(Model.Tables.Sections, [Delta](TColor C) { return ::ChangeSaturation(C, Delta); });
}

// The skin text and, for packed and stored skins, the unpacked entries.
struct TSkinText {
  std::string Options;
  std::unique_ptr<TacSkinConvertor> Unpacked;
  std::string SkinPath;
};

std::optional<TSkinText> FindSkinText(TsSkinSource& Source) {
  TSkinText Text;
  const std::string Folder = Source.SkinDirectory + "\\" + Source.SkinName + "\\";
  if (Source.Packed) {
    TacSkinConvertor::LoadFromFile(Source.SkinDirectory + "\\" + Source.SkinName + ".asz", Text.Unpacked, true);
    Text.SkinPath = Source.SkinDirectory + "\\";
  } else if (Source.PendingOptions) {
    Text.Options = *Source.PendingOptions;
    Text.SkinPath = Folder;
    return Text;
  } else if (FileExists(Folder + "Options.dat")) {
    TMemoryStream File;
    File.LoadFromFile(Folder + "Options.dat");
    Text.Options = TextOf(File);
    Text.SkinPath = Folder;
    return Text;
  } else {
    const TsStoredSkins* Stored = Source.InternalSkins;
    if (!Stored || Stored->Count() == 0) return std::nullopt;
    int i = Stored->IndexOf(Source.SkinName);
    if (i < 0) {
      i = 0;
      Source.SkinName = Stored->Items(0)->Name();
    }
    Text.Unpacked = Stored->Items(i)->UnpackData();
  }
  if (!Text.Unpacked || !Text.Unpacked->Options) return std::nullopt;
  Text.Options = TextOf(*Text.Unpacked->Options);
  return Text;
}

}  // namespace

bool LoadSkin(TsSkinManager& Manager, TsSkinSource& Source) {
  Manager.UseSkinModel({});
  std::optional<TSkinText> Text = FindSkinText(Source);
  if (!Text) return false;
  TsSkinModel Model = BuildSkinModel(Text->Options, Source.CommonSections, TsSkinManager::SystemInputs());
  Model.SkinData.SkinPath = Text->SkinPath;
  const TImageSource Images(Text->Unpacked.get(), Text->SkinPath);
  std::shared_ptr<TBitmap> Master = ReadBitmap(Images, Model.MasterBitmap, false);
  if (Master) {
    Master->SetTransparentColor(clFuchsia);
    Master->SetTransparent(true);
  }
  ReadOwnImages(Model, Images);
  SetCornerTypes(Model, Master.get());
  ReadJpegTextures(Model, Images);
  if (Source.HueOffset != 0) ChangeHue(Model, Master.get(), Source.HueOffset);
  if (const int Delta = Source.Saturation % 101; Delta != 0) ChangeSaturation(Model, Master.get(), Delta);
  Manager.UseSkinModel(std::move(Model), std::move(Master));
  return true;
}

// The skin manager's loading road: the skin's name and sources, the settings that reload it, the
// version check, the shadow images of extended borders and the list of skins to choose from.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "skin/engine/sDefaultSkin.h"
#include "skin/engine/sSkinDirectory.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinLoader.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinRequest.h"
#include "skin/engine/sSkinnedForms.h"
#include "toolkit/rtl/FilePaths.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/StringUtils.h"
#include "toolkit/ui/Dialogs.h"
#include "widgets/Bitmap32_Transforms.h"

namespace {

// Holds the process-wide loading flag for one load, cleared on every way out.
class TLoadingFlag {
 public:
  TLoadingFlag() { SkinChangeInProgress = true; }
  ~TLoadingFlag() { SkinChangeInProgress = false; }
  TLoadingFlag(const TLoadingFlag&) = delete;
  TLoadingFlag& operator=(const TLoadingFlag&) = delete;
};

std::string ProgramFolder() { return ExtractFilePath(ParamStr(0)); }

std::unique_ptr<TBitmap> Copy32(const TBitmap& Source) {
  auto Copy = std::make_unique<TBitmap>();
  Copy->Assign(&Source);
  Copy->SetPixelFormat(pf32bit);
  return Copy;
}

// State Index of a piece as a 32-bit image; nullptr when the piece has no image.
std::unique_ptr<TBitmap> StateImage(const TsMaskData& Piece, int Index) {
  const TsPieceView View = PieceView(Piece);
  const int W = MaskImageWidth(Piece), H = MaskImageHeight(Piece);
  if (View.Image.Empty() || W <= 0 || H <= 0) return nullptr;
  auto Image = NewBitmap32(W, H);
  const TPixelRect From{Piece.R.Left + Index * W, Piece.R.Top, Piece.R.Left + (Index + 1) * W, Piece.R.Top + H};
  BlockTransfer(BitmapView(*Image), 0, 0, BitmapView(*Image).BoundsRect(), View.Image, From, {});
  return Image;
}

}  // namespace

TsShadowImages& TsSkinManager::BuiltInShadows() {
  static TsShadowImages Images;
  return Images;
}

void ReadBuiltInShadows() {
  TsShadowImages& Images = TsSkinManager::BuiltInShadows();
  for (auto [Name, Image] : {std::pair{"acSHDA", &Images.Active}, std::pair{"acSHDI", &Images.Inactive}})
    if (FindResourceA(nullptr, Name, MAKEINTRESOURCEA(10))) *Image = ReadPngResource(nullptr, Name);
}

std::string TsSkinManager::GetFullSkinDirectory() const { return ResolveSkinDirectory(FSkinDirectory, ProgramFolder()); }

void TsSkinManager::SetSkinDirectory(const std::string& Value) {
  if (FSkinDirectory == Value) return;
  FSkinDirectory = Value;
  FSkinData.SkinPath = GetFullSkinDirectory();
  if (OnSkinListChanged) OnSkinListChanged(this);
}

bool TsSkinManager::LoadNamedSkin() {
  const std::string Dir = GetFullSkinDirectory();
  TsSkinSource Source;
  Source.SkinDirectory = Dir;
  Source.SkinName = FSkinName;
  const bool FolderExists = DirectoryExists(Dir + "\\" + FSkinName);
  Source.Packed = !(SkinPreviewMode() && FolderExists) && FileExists(Dir + "\\" + FSkinName + ".asz");
  Source.PendingOptions = PendingSkinOptions();
  Source.InternalSkins = &FInternalSkins;
  Source.CommonSections = FCommonSections;
  Source.HueOffset = FHueOffset;
  Source.Saturation = FSaturation;
  FSkinData.Active = false;
  bool Loaded = false;
  try {
    Loaded = LoadSkin(*this, Source);
  } catch (...) {
    // The half-loaded skin goes: empty tables and the standard look, before the caller hears of it.
    SkinChangeInProgress = false;
    SendRemoveSkin();
    throw;
  }
  FSkinName = Source.SkinName;
  if (!Loaded) return false;
  CheckVersion();
  if (FMenuSupport->IcoLineSkin().empty()) FMenuSupport->SetIcoLineSkin("ICOLINE");
  if (ExtendedBorders()) PrepareShadows();
  return true;
}

void TsSkinManager::SetSkinName(const std::string& Value) {
  FSkinName = Value;
  if (!FActive) return;
  if (OnBeforeChange) OnBeforeChange(this);
  if (ExtendedBorders() && !FApplySuppressed && FAnimEffects->SkinChanging()->Active()) LockSkinnedForms(this);
  {
    TLoadingFlag Flag;
    if (SameText(ExtractFileExt(FSkinName), ".asz")) FSkinName = ChangeFileExt(FSkinName, "");
    if (!LoadNamedSkin()) {
      FActive = false;
      SendRemoveSkin();
    } else if (!FApplySuppressed) {
      SendNewSkin(true);
    }
  }
  if (OnAfterChange) OnAfterChange(this);
}

void TsSkinManager::SetActive(bool Value) {
  if (FActive == Value) return;
  if (!Value) {
    FActive = false;
    if (!Loading()) SendRemoveSkin();
    FCommonIndexes = ResolveCommonIndexes(FTables);
    return;
  }
  FActive = true;
  SetSkinName(FSkinName);
}

void TsSkinManager::Reload() {
  if (!FActive || Loading()) return;
  {
    TLoadingFlag Flag;
    if (!LoadNamedSkin()) return;
  }
  if (!FApplySuppressed) RepaintForms(true);
}

void TsSkinManager::SetHueOffset(int Value) {
  if (FHueOffset == Value) return;
  FHueOffset = Value;
  Reload();
}

void TsSkinManager::SetSaturation(int Value) {
  if (FSaturation == Value) return;
  FSaturation = Value;
  Reload();
}

void TsSkinManager::SetCommonSections(const std::string& Value) {
  TStringList Lines;
  Lines.SetText(Value);
  for (int i = 0; i < Lines.Count(); ++i) {
    std::string Line = Lines[i];
    if (Line.empty() || Line[0] == ';') continue;
    Line.erase(std::remove(Line.begin(), Line.end(), ' '), Line.end());
    Lines.SetStrings(i, Line);
  }
  FCommonSections = Lines.Text();
  SetSkinName(FSkinName);
}

bool TsSkinManager::ExtendedBorders() const { return FExtendedBorders && LayeredWindowsAvailable(); }

void TsSkinManager::SetExtendedBorders(bool Value) {
  if (FExtendedBorders == Value) return;
  FExtendedBorders = Value;
  if (!FActive) return;
  if (ExtendedBorders()) PrepareShadows();
  Reload();
}

void TsSkinManager::PrepareShadows() {
  FShadows = TsShadowImages{};
  const int Ex = FCommonIndexes.ExBorder;
  if (IsValidMaskIndex(Ex)) {
    const TsMaskData& Piece = FTables.Masks[Ex];
    const int Offset = FSkinData.FormOffset;
    if (FSkinData.BorderMode != 0) {
      FShadows.Left = FShadows.Top = FShadows.Right = FShadows.Bottom = Offset;
    } else {
      FShadows.Left = Piece.WL - Offset;
      FShadows.Top = Piece.WT - Offset;
      FShadows.Right = Piece.WR - Offset;
      FShadows.Bottom = Piece.WB - Offset;
    }
    FShadows.Inactive = StateImage(Piece, 0);
    FShadows.Active = Piece.ImageCount > 1 ? StateImage(Piece, 1) : nullptr;
    if (!FShadows.Active && FShadows.Inactive) FShadows.Active = Copy32(*FShadows.Inactive);
    return;
  }
  const TsShadowImages& BuiltIn = BuiltInShadows();
  if (!BuiltIn.Active || !BuiltIn.Inactive) return;
  FShadows.Active = Copy32(*BuiltIn.Active);
  FShadows.Inactive = Copy32(*BuiltIn.Inactive);
  FShadows.Left = FShadows.Top = FShadows.Right = FShadows.Bottom = 9;
}

void TsSkinManager::CheckVersion() const {
  const double Version = FSkinData.Version;
  char Text[32];
  std::snprintf(Text, sizeof(Text), "%g", Version);
  if (Version > 7.99) {
    ShowMessage(std::string("The skin \"") + FSkinName + "\" has version " + Text +
                ", newer than this skin engine fully supports. Update the components to use it.");
  } else if (Version < 7.0 && SkinSwitches().TestOldSkins) {
    ShowMessage(std::string("The skin \"") + FSkinName + "\" is of an old version (" + Text +
                ") and should be updated.");
  }
}

std::string TsSkinManager::GetSkinNames(TStrings* List, int Kind) const {
  TStringList Names;
  std::string Default;
  for (int i = 0; i < FInternalSkins.Count(); ++i) {
    Names.Add(FInternalSkins.Items(i)->Name());
    if (Default.empty()) Default = FInternalSkins.Items(i)->Name();
  }
  const std::string Dir = GetFullSkinDirectory();
  if (DirectoryExists(Dir)) {
    TSearchRec F;
    for (int r = FindFirst(Dir + "\\*", faAnyFile, F); r == 0; r = FindNext(F)) {
      if (F.Name.empty() || F.Name[0] == '.') continue;
      std::string Name;
      if (F.Attr & faDirectory) {
        if (Kind != 1 && FileExists(Dir + "\\" + F.Name + "\\Options.dat")) Name = F.Name;
      } else if (Kind != 0 && SameText(ExtractFileExt(F.Name), ".asz")) {
        // Named as the loader takes it: "Web.Blue.asz" is the skin "Web.Blue".
        Name = ChangeFileExt(F.Name, "");
      }
      if (Name.empty()) continue;
      Names.Add(Name);
      if (Default.empty()) Default = Name;
    }
    FindClose(F);
  }
  Names.Sort();
  List->Assign(&Names);
  return Default;
}

void TsSkinManager::ApplySkinFromCopyData(TMessage& Message) {
  const std::optional<TSkinRequest> Request = ReadSkinRequest(Message);
  if (!Request) return;
  {
    TPendingSkinRequest Pending(*Request);
    struct TSuppressed {
      bool& Flag;
      explicit TSuppressed(bool& F) : Flag(F) { Flag = true; }
      ~TSuppressed() { Flag = false; }
    } Suppressed(FApplySuppressed);
    SetSkinDirectory(Request->SkinDirectory);
    SetSkinName(Request->SkinName);
  }
  TacSkinChanging* Changing = FAnimEffects->SkinChanging();
  const bool WasActive = Changing->Active();
  Changing->SetActive(false);
  try {
    if (FActive) SendNewSkin(true);
  } catch (...) {
    Changing->SetActive(WasActive);
    throw;
  }
  Changing->SetActive(WasActive);
  Message.Result = 1;
}

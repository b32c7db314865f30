#include "skin/engine/sCommonData.h"

#include <algorithm>

#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinProperties.h"

int ResolveTextSkinIndex(TControl* Control, int DefaultIndex, TsSkinManager* Manager, int Hot) {
  TWinControl* Parent = Control ? Control->Parent() : nullptr;
  if (!Parent || !Manager) return DefaultIndex;
  int P = -1;
  auto* Data = dynamic_cast<TsCommonData*>(GetObjectProperty(Parent, "SkinData"));
  if (Data && Data->SkinIndex >= 0) {
    P = Data->SkinIndex;
  } else if (Parent->HandleAllocated()) {
    SendSkinCmd(Parent->Handle(), SkinCmdGetSkinIndex, reinterpret_cast<LPARAM>(&P));
  }
  if (!Manager->IsValidSkinIndex(P)) return DefaultIndex;
  const TsGeneralData& Section = Manager->Tables().Sections[size_t(P)];
  // A section without states reads its normal record.
  const int S = std::max(0, std::min(Hot >= 1 ? 1 : 0, Section.States - 1));
  if (Section.Props[size_t(S)].Transparency > 50 && Parent->Parent())
    return ResolveTextSkinIndex(Parent, DefaultIndex, Manager, 0);
  return Section.GiveOwnFont ? P : DefaultIndex;
}

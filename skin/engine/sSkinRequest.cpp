#include "skin/engine/sSkinRequest.h"

#include <string>
#include <vector>

#include "skin/engine/sSkinSeam.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/ui/Dialogs.h"

TSkinSwitches& SkinSwitches() {
  static TSkinSwitches Switches;
  return Switches;
}

void ReadSkinSwitches() {
  std::vector<std::string> Params;
  for (int i = 1; i <= ParamCount(); ++i) Params.push_back(ParamStr(i));
  SkinSwitches() = ParseSkinSwitches(Params);
  if (SkinSwitches().ShowVersion) ShowMessage("Skin engine 7.61");
}

std::optional<TSkinRequest> ReadSkinRequest(const TMessage& Msg) {
  if (Msg.Msg != WM_COPYDATA) return std::nullopt;
  const auto* Copy = reinterpret_cast<const COPYDATASTRUCT*>(Msg.LParam);
  const HWND Editor = Seam().EditorWindow;
  return ParseSkinRequest({Msg.WParam, Copy ? Copy->lpData : nullptr, Copy ? std::size_t(Copy->cbData) : 0,
                           SkinSwitches().Preview, Editor && IsWindow(Editor)});
}

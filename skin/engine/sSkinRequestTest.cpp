// The skin-change request of a WM_COPYDATA message with the preview switch and the announced editor,
// and the manager's foreign-control lists.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinRequest.h"
#include "skin/engine/sSkinSeamFakes.h"

namespace {

TEST(SkinRequestMessage, NeedsThePreviewSwitchAndTheAnnouncedEditor) {
  std::vector<unsigned char> Record(SkinRequestSize, 0);
  Record[0] = 0x00;
  Record[1] = 0xA4;
  std::memcpy(&Record[SkinRequestNameOffset], "Blue", 4);
  COPYDATASTRUCT Copy{0, DWORD(Record.size()), Record.data()};
  const TMessage Msg{WM_COPYDATA, 7, reinterpret_cast<LPARAM>(&Copy), 0};
  skintest::TSeamFakes Fakes(false);
  const HWND Editor = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  Seam().EditorWindow = Editor;
  const TSkinSwitches Saved = SkinSwitches();

  SkinSwitches().Preview = false;
  EXPECT_FALSE(ReadSkinRequest(Msg));
  SkinSwitches().Preview = true;
  const auto Request = ReadSkinRequest(Msg);
  ASSERT_TRUE(Request);
  EXPECT_EQ(Request->SkinName, "Blue");
  Copy.cbData = DWORD(SkinRequestSize - 1);
  EXPECT_FALSE(ReadSkinRequest(Msg));
  Copy.cbData = DWORD(SkinRequestSize);
  EXPECT_FALSE(ReadSkinRequest({WM_COPYDATA, 7, 0, 0}));
  DestroyWindow(Editor);
  EXPECT_FALSE(ReadSkinRequest(Msg));  // the editor's window is gone
  Seam().EditorWindow = nullptr;
  EXPECT_FALSE(ReadSkinRequest(Msg));
  SkinSwitches() = Saved;
}

TEST(SkinRequestMessage, ManagerStartsWithTheDefaultLists) {
  TsSkinManager Manager(nullptr);
  EXPECT_TRUE(Manager.ThirdParty().Contains(1, "TButton"));
  EXPECT_EQ(Manager.ThirdParty().List(0).Count(), 1);
  EXPECT_EQ(Manager.ThirdParty().List(0)[0], " ");
}

}  // namespace

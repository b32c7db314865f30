// The skin-change request record, its process state and the skin switches.
#include "skin/engine/sSkinRequestRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<unsigned char> Record(std::uint32_t Magic = SkinRequestMagic) {
  std::vector<unsigned char> R(SkinRequestSize, 0);
  for (int i = 0; i < 4; ++i) R[i] = (Magic >> (8 * i)) & 0xFF;
  std::memcpy(&R[SkinRequestNameOffset], "Blue", 4);
  std::memcpy(&R[SkinRequestDirOffset], "C:\\Skins", 8);
  std::memcpy(&R[SkinRequestTextOffset], "[FORM]\r\nA=1\r\n", 13);
  return R;
}

TEST(SkinRequest, RecordTable) {
  const auto Valid = Record();
  const auto OtherMagic = Record(0xA401);
  auto Full = Record();  // every text field without a NUL
  std::memset(&Full[SkinRequestNameOffset], 'n', SkinRequestNameSize);
  std::memset(&Full[SkinRequestDirOffset], 'd', SkinRequestDirSize);
  std::memset(&Full[SkinRequestTextOffset], 't', SkinRequestTextSize);
  const struct {
    const char* Name;
    std::uintptr_t WParam;
    const std::vector<unsigned char>* Data;
    std::size_t Size;
    bool Preview, Editor, Accepted;
  } Cases[] = {
      {"valid", 7, &Valid, SkinRequestSize, true, true, true},
      {"longer cbData", 7, &Valid, SkinRequestSize, true, true, true},
      {"wrong magic", 7, &OtherMagic, SkinRequestSize, true, true, false},
      {"short cbData", 7, &Valid, SkinRequestSize - 1, true, true, false},
      {"no data", 7, nullptr, SkinRequestSize, true, true, false},
      {"wParam 6", 6, &Valid, SkinRequestSize, true, true, false},
      {"no /acpreview", 7, &Valid, SkinRequestSize, false, true, false},
      {"editor gone", 7, &Valid, SkinRequestSize, true, false, false},
      {"no NULs", 7, &Full, SkinRequestSize, true, true, true},
  };
  for (const auto& C : Cases) {
    const auto R = ParseSkinRequest({C.WParam, C.Data ? C.Data->data() : nullptr, C.Size, C.Preview, C.Editor});
    EXPECT_EQ(R.has_value(), C.Accepted) << C.Name;
  }
  const auto R = ParseSkinRequest({7, Valid.data(), SkinRequestSize, true, true});
  EXPECT_EQ(R->SkinName, "Blue");
  EXPECT_EQ(R->SkinDirectory, "C:\\Skins");
  EXPECT_EQ(R->OptionsText, "[FORM]\r\nA=1\r\n");
  const auto F = ParseSkinRequest({7, Full.data(), SkinRequestSize, true, true});
  EXPECT_EQ(F->SkinName, std::string(SkinRequestNameSize, 'n'));
  EXPECT_EQ(F->SkinDirectory, std::string(SkinRequestDirSize, 'd'));
  EXPECT_EQ(F->OptionsText, std::string(SkinRequestTextSize, 't'));
}

TEST(SkinRequest, PendingOptionsLiveWhileTheRequestIsApplied) {
  const TSkinRequest R{"Blue", "C:\\Skins", "[FORM]\r\nA=1\r\n"};
  EXPECT_EQ(PendingSkinOptions(), nullptr);
  for (int Request = 0; Request < 2; ++Request) {
    {
      TPendingSkinRequest Pending(R);
      ASSERT_NE(PendingSkinOptions(), nullptr);
      EXPECT_EQ(*PendingSkinOptions(), R.OptionsText);
    }
    EXPECT_EQ(PendingSkinOptions(), nullptr);
    EXPECT_TRUE(SkinPreviewMode());  // kept by a second request too
  }
}

TEST(SkinRequest, SwitchTable) {
  const struct {
    std::vector<std::string> Params;
    bool Version, Test, Preview;
  } Cases[] = {
      {{}, false, false, false},
      {{"/acver"}, true, false, false},
      {{"/ACVER"}, true, false, false},
      {{"x", "/AcTest", "/acpreview"}, false, true, true},
      {{"/acver2", "acver", "-acpreview"}, false, false, false},
  };
  for (const auto& C : Cases) {
    const TSkinSwitches S = ParseSkinSwitches(C.Params);
    EXPECT_EQ(S.ShowVersion, C.Version);
    EXPECT_EQ(S.TestOldSkins, C.Test);
    EXPECT_EQ(S.Preview, C.Preview);
  }
}

}  // namespace

#pragma once
// A skin for the control painters' window tests: border pieces plain and masked with a key pixel at
// their top-left corner, a corner piece, a group box frame and sections over them, cut from a master
// bitmap; a form of section "FORM" with the manager as the default one.
#include <gtest/gtest.h>

#include <array>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sCommonDataTestSupport.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"

namespace skintest {

constexpr TColor32 BorderPx = 0xFF0000AA, CornerPx = 0xFF00AA00;
constexpr TColor ItemColour = TColor(0x2040C0), FrameColour = TColor(0x404040);

inline const char* const ControlPaintSkin =
    "[GLOBALINFO]\nCOLOR=12632256\n"
    "[FORM]\nCOLOR=16777215\nGIVEOWNFONT=1\n"
    "[FRAMED]\nCOLOR=4210752\nBORDERSMASK=^0000^0000^0008^0008^0003^0003^0003^0003^1^0^0^0\n"
    "[MASKED]\nCOLOR=4210752\nBORDERSMASK=^0016^0000^0024^0016^0003^0003^0003^0003^1^1^0^0\n"
    "[PLAIN]\nCOLOR=4210752\n"
    "[ITEM]\nCOLOR=2113728\nBORDERSMASK=^0000^0000^0008^0008^0003^0003^0003^0003^1^0^0^0\n"
    "IMGTOPLEFT=^0008^0000^0010^0002^0000^0000^0000^0000^1^0^0^0\n"
    "[GRADPANEL]\nCOLOR=8421504\nGRADIENTPERCENT=50\n"
    "[T60]\nTRANSPARENCY=60\nGIVEOWNFONT=1\n"
    "[OWNFONT]\nGIVEOWNFONT=1\n"
    "[CHECKBOX]\nTRANSPARENCY=100\n"
    "[GROUPBOX]\nBORDERSMASK=^0024^0000^0032^0008^0002^0001^0003^0004^1^0^0^0\n";

// A rectangle's sides, for comparing.
inline std::array<int, 4> Sides(const TRect& R) { return {int(R.left), int(R.top), int(R.right), int(R.bottom)}; }

inline std::shared_ptr<TBitmap> ControlPaintMaster() {
  std::shared_ptr<TBitmap> Master = NewBitmap32(40, 16);
  const TPixelView V = BitmapView(*Master);
  for (int Y = 0; Y < 16; ++Y)
    for (int X = 0; X < 40; ++X) *V.PixelPtr(X, Y) = (X >= 16 && X < 24 && Y >= 8) ? 0 : BorderPx;
  for (int Y = 0; Y < 2; ++Y)
    for (int X = 8; X < 10; ++X) *V.PixelPtr(X, Y) = CornerPx;
  *V.PixelPtr(0, 0) = *V.PixelPtr(16, 0) = KeyPixel;
  return Master;
}

class ControlPaint : public testing::Test {
 protected:
  void SetUp() override {
    TsSkinModel Model = BuildSkinModel(ControlPaintSkin, "", TsSkinManager::SystemInputs());
    Model.SkinData.Active = true;
    Manager.UseSkinModel(std::move(Model), ControlPaintMaster());
    DefaultManager = &Manager;
    Form = MakeSkinned<TForm>(Application, nullptr, "FORM", {0, 0, 300, 200});
    Form->HandleNeeded();
  }
  void TearDown() override {
    Form->Free();
    DefaultManager = nullptr;
  }
  static TColor32 Px(TBitmap& B, int X, int Y) { return *BitmapView(B).PixelPtr(X, Y); }

  TsSkinManager Manager{nullptr};
  TSkinned<TForm>* Form = nullptr;
};

}  // namespace skintest

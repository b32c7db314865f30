#include "toolkit/graphics/Font.h"

#include <cstring>

int ScreenPixelsPerInch() {
  static const int ppi = [] {
    HDC dc = GetDC(nullptr);
    int value = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return value > 0 ? value : 96;
  }();
  return ppi;
}

TFont::TFont()
    : FName("MS Sans Serif"), FCharset(DEFAULT_CHARSET), FPixelsPerInch(ScreenPixelsPerInch()) {
  FHeight = -MulDiv(8, FPixelsPerInch, 72);
}

void TFont::Assign(const TFont& Source) {
  if (&Source == this) return;
  FName = Source.FName;
  FHeight = Source.FHeight;
  FStyle = Source.FStyle;
  FColor = Source.FColor;
  FCharset = Source.FCharset;
  FPitch = Source.FPitch;
  FPixelsPerInch = Source.FPixelsPerInch;
  Changed();
}

void TFont::Changed() {
  FHandle.reset();
  TGraphicsObject::Changed();
}

detail::SharedGdiObject<HFONT> TFont::SharedHandle() const {
  if (!FHandle) {
    LOGFONTA lf{};
    lf.lfHeight = FHeight;
    lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (FStyle & fsItalic) ? 1 : 0;
    lf.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = FCharset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    lstrcpynA(lf.lfFaceName, FName.c_str(), LF_FACESIZE);
    FHandle = detail::ShareGdiObject(CreateFontIndirectA(&lf));
  }
  return FHandle;
}

HFONT TFont::Handle() const { return SharedHandle().get(); }

void TFont::SetHandle(HFONT Value) {
  LOGFONTA lf{};
  if (Value && GetObjectA(Value, sizeof(lf), &lf) == sizeof(lf)) {
    FName = lf.lfFaceName;
    FHeight = lf.lfHeight;
    FStyle = (lf.lfWeight >= FW_BOLD ? fsBold : 0) | (lf.lfItalic ? fsItalic : 0) |
             (lf.lfUnderline ? fsUnderline : 0) | (lf.lfStrikeOut ? fsStrikeOut : 0);
    FCharset = lf.lfCharSet;
    const int pitch = lf.lfPitchAndFamily & 3;
    FPitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
  }
  TGraphicsObject::Changed();
  FHandle = detail::ShareGdiObject(Value);
}

int TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }

void TFont::SetName(const std::string& Value) {
  if (Value.empty() || Value == FName) return;
  FName = Value;
  Changed();
}

void TFont::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  // The colour is not part of the font handle: keep it, only tell the listener.
  TGraphicsObject::Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == FPitch) return;
  FPitch = Value;
  Changed();
}

#pragma once
// TFont: a logical font described by name, height, style, colour and character set. The font
// handle is made on first use and replaced after every change.
#include "toolkit/graphics/Colors.h"
#include "toolkit/graphics/GdiHandle.h"
#include "toolkit/graphics/GraphicsObject.h"

#include <cstdint>
#include <string>

// Font styles as set bits (bit n is the n-th style of the toolkit's set).
enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = std::uint8_t;

// Dots per inch of the screen (read once, on first use).
int ScreenPixelsPerInch();

class TFont : public TGraphicsObject {
 public:
  TFont();

  void Assign(const TFont& Source);

  // The font handle (made on demand; owned by the font).
  HFONT Handle() const;
  // Takes ownership of the handle and reads the font's description from it.
  void SetHandle(HFONT Value);

  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value);
  // Size in points; Height in pixels, negative for the character height without leading.
  int Size() const;
  void SetSize(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }

 protected:
  void Changed() override;

 private:
  friend class TCanvas;
  detail::SharedGdiObject<HFONT> SharedHandle() const;

  std::string FName;
  int FHeight;
  TFontStyles FStyle = 0;
  TColor FColor = clWindowText;
  TFontCharset FCharset;
  TFontPitch FPitch = fpDefault;
  int FPixelsPerInch;
  mutable detail::SharedGdiObject<HFONT> FHandle;
};

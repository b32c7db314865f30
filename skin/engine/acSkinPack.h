#pragma once
// Reader of packed skins: a skin's "Options.dat" and image files in one stream (signature "ASzf"),
// each entry a zlib stream, unpacked into memory streams. The unpacking is pure code; LoadFromFile
// reads the file through Win32.
#include "toolkit/rtl/Classes.h"

#include <memory>
#include <string>
#include <vector>

struct TacImageItem {
  std::string FileName;  // as stored
  bool IsBitmap = false;  // the name ends in ".BMP", whatever its case
  std::unique_ptr<TMemoryStream> Data;
};
using TacImageItems = std::vector<TacImageItem>;

class TacSkinConvertor : public TObject {
 public:
  ~TacSkinConvertor() override;

  int LastIndex = -1;  // entry count - 1
  TacImageItems ImageItems;  // the entries other than the options text, in file order
  std::unique_ptr<TMemoryStream> Options;  // the unpacked "Options.dat"
  std::unique_ptr<TStream> PackedData;  // the packed source

  // When the file exists: clears the convertor in Convertor (or creates one there), reads the file
  // into PackedData and unpacks it; FreeSource then frees PackedData. A missing file does nothing.
  static void LoadFromFile(const std::string& FileName, std::unique_ptr<TacSkinConvertor>& Convertor,
                           bool FreeSource);
  // Unpacks Convertor's PackedData. Data that is not a packed skin (wrong signature, counts, names or
  // sizes that do not fit the data) frees the convertor, leaves Convertor empty and raises Exception;
  // damaged zlib data raises EZDecompressionError, an entry whose data ends early EReadError.
  static void ExtractPackedData(std::unique_ptr<TacSkinConvertor>& Convertor);
  // Frees the items' streams (last first), then Options and PackedData.
  void Clear();
  // Position of the item named FileName, compared without regard to case; -1 when none.
  int IndexOf(const std::string& FileName) const;

  std::string ClassName() const override { return "TacSkinConvertor"; }
};

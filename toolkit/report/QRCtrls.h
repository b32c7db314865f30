#pragma once
// The printable elements of report bands: text labels, shapes and lines, pictures and rich-text
// areas that wrap and run over pages.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/graphics/Brush.h"
#include "toolkit/graphics/Pen.h"
#include "toolkit/graphics/Picture.h"
#include "toolkit/report/QuickRpt.h"
#include "toolkit/report/RichTextLayout.h"
#include "toolkit/rtl/Classes.h"

// One line of text. With AutoSize (the default) the label is as wide as its text, anchored on the
// side its Alignment names; without it the text is aligned and cut off inside the label.
class TQRLabel : public TQRPrintable {
 public:
  explicit TQRLabel(TComponent* AOwner);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& Value) { caption_ = Value; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value) { autoSize_ = Value; }

 protected:
  void Print(TCanvas* Canvas, const TQRDevice& Device, const TRect& Rect, int FirstLine, int LineCount) override;

 private:
  std::string caption_;
  bool autoSize_ = true;
};

// The number of the page it is printed on, after Text ("Página " gives "Página 2").
class TQRPageNumber : public TQRLabel {
 public:
  explicit TQRPageNumber(TComponent* AOwner);
  const std::string& Text() const { return text_; }
  void SetText(const std::string& Value) { text_ = Value; }

 protected:
  void Print(TCanvas* Canvas, const TQRDevice& Device, const TRect& Rect, int FirstLine, int LineCount) override;

 private:
  std::string text_;
};

enum TQRShapeType { qrsRectangle, qrsCircle, qrsVertLine, qrsHorLine, qrsTopAndBottom, qrsRightAndLeft };

// A frame, circle or line; lines run through the middle of the element, Pen.Width in design pixels.
class TQRShape : public TQRPrintable {
 public:
  explicit TQRShape(TComponent* AOwner);
  TQRShapeType Shape() const { return shape_; }
  void SetShape(TQRShapeType Value) { shape_ = Value; }
  TPen* Pen() { return &pen_; }
  TBrush* Brush() { return &brush_; }

 protected:
  void Print(TCanvas* Canvas, const TQRDevice& Device, const TRect& Rect, int FirstLine, int LineCount) override;

 private:
  TQRShapeType shape_ = qrsRectangle;
  TPen pen_;
  TBrush brush_;
};

// A picture at its size in design pixels (centred with Center), or stretched over the element.
class TQRImage : public TQRPrintable {
 public:
  explicit TQRImage(TComponent* AOwner);
  TPicture* Picture() { return &picture_; }
  void SetPicture(const TPicture* Value) { picture_.Assign(Value); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool Value) { stretch_ = Value; }
  bool Center() const { return center_; }
  void SetCenter(bool Value) { center_ = Value; }

 protected:
  void Print(TCanvas* Canvas, const TQRDevice& Device, const TRect& Rect, int FirstLine, int LineCount) override;

 private:
  TPicture picture_;
  bool stretch_ = false;
  bool center_ = false;
};

// Text that wraps inside the element's width: Lines hold plain text (one paragraph a line, in Font
// and Alignment) or RTF (starting "{\rtf"), read through the system's rich edit control. With
// AutoStretch the element grows with its text and runs over pages; without it the text is cut at
// the element's height.
class TQRRichText : public TQRPrintable {
 public:
  explicit TQRRichText(TComponent* AOwner);
  ~TQRRichText() override;
  TStrings* Lines() { return &lines_; }
  void SetLines(const TStrings* Value) { lines_.Assign(Value); }
  bool AutoStretch() const { return autoStretch_; }
  void SetAutoStretch(bool Value) { autoStretch_ = Value; }

 protected:
  void Prepare(const TQRDevice& Device, int Width) override;
  std::vector<int> LineHeights() const override;
  void Print(TCanvas* Canvas, const TQRDevice& Device, const TRect& Rect, int FirstLine, int LineCount) override;

 private:
  TStringList lines_;
  bool autoStretch_ = false;
  // The last Prepare's fonts (for the device) and lines.
  std::vector<std::unique_ptr<TFont>> fonts_;
  std::vector<int> ascents_;
  std::vector<detail::TextLine> layout_;
};

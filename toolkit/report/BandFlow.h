#pragma once
// Places the elements of report bands on pages. Elements keep their design position in the band,
// moved down by whatever grew or moved above them; an element that would cross the foot of a page
// starts on the next one, and a text element given as lines runs over as many pages as it needs,
// breaking between lines. All values are device units. No windows.h here.
#include <vector>

namespace detail {

struct FlowItem {
  // Position and height in the band.
  int Top = 0;
  int Height = 0;
  // Heights of the lines of an element that may run over pages; empty for a rigid one.
  std::vector<int> Lines;
};

struct FlowPiece {
  int Item = 0;
  int Page = 0;
  // From the top of the paper.
  int Y = 0;
  int Height = 0;
  // The lines of a running element that this piece shows.
  int FirstLine = 0;
  int LineCount = 0;
};

// Where the bands may go: from Top to Bottom of a page, with a first page of its own.
struct PageBody {
  int FirstTop = 0;
  int FirstBottom = 0;
  int Top = 0;
  int Bottom = 0;
};

class BandFlow {
 public:
  explicit BandFlow(const PageBody& Body);
  // Places a band of BandHeight at the current position and moves the position below it.
  std::vector<FlowPiece> Place(int BandHeight, const std::vector<FlowItem>& Items);
  // Pages that carry a piece (at least one).
  int PageCount() const { return pages_; }

 private:
  int PageStart(int Page) const;
  int PageOf(int V) const;
  int BodyHeight(int Page) const;
  int PageTop(int Page) const;

  PageBody body_;
  // Position down the run of page bodies laid end to end.
  int cursor_ = 0;
  int pages_ = 1;
};

}  // namespace detail

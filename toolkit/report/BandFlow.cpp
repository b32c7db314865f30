#include "toolkit/report/BandFlow.h"

#include <algorithm>
#include <numeric>

namespace detail {

BandFlow::BandFlow(const PageBody& Body) : body_(Body) {
  // A body of no height would never fill: keep at least one unit per page.
  body_.FirstBottom = std::max(body_.FirstBottom, body_.FirstTop + 1);
  body_.Bottom = std::max(body_.Bottom, body_.Top + 1);
}

int BandFlow::BodyHeight(int Page) const {
  return Page == 0 ? body_.FirstBottom - body_.FirstTop : body_.Bottom - body_.Top;
}

int BandFlow::PageTop(int Page) const { return Page == 0 ? body_.FirstTop : body_.Top; }

int BandFlow::PageStart(int Page) const { return Page == 0 ? 0 : BodyHeight(0) + (Page - 1) * BodyHeight(1); }

int BandFlow::PageOf(int V) const { return V < BodyHeight(0) ? 0 : 1 + (V - BodyHeight(0)) / BodyHeight(1); }

std::vector<FlowPiece> BandFlow::Place(int BandHeight, const std::vector<FlowItem>& Items) {
  const int bandStart = cursor_;
  std::vector<int> order(Items.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Items[a].Top < Items[b].Top; });

  struct Done {
    int DesignBottom;
    int End;
  };
  std::vector<Done> done;
  // How far everything at or below a design position has been pushed by what ends above it.
  auto offsetAt = [&](int DesignY) {
    int offset = 0;
    for (const Done& d : done)
      if (d.DesignBottom <= DesignY) offset = std::max(offset, d.End - (bandStart + d.DesignBottom));
    return offset;
  };
  std::vector<FlowPiece> pieces;
  auto add = [&](int Item, int V, int Height, int FirstLine, int LineCount) {
    const int page = PageOf(V);
    pieces.push_back({Item, page, PageTop(page) + V - PageStart(page), Height, FirstLine, LineCount});
    pages_ = std::max(pages_, page + 1);
  };

  int end = bandStart + BandHeight;
  for (int i : order) {
    const FlowItem& item = Items[i];
    int v = bandStart + item.Top + offsetAt(item.Top);
    int itemEnd;
    if (item.Lines.empty()) {
      const int page = PageOf(v);
      const bool crosses = v + item.Height > PageStart(page + 1);
      if (crosses && v > PageStart(page) && item.Height <= BodyHeight(page + 1)) v = PageStart(page + 1);
      add(i, v, item.Height, 0, 0);
      itemEnd = v + item.Height;
    } else {
      const int start = v;
      size_t line = 0;
      while (line < item.Lines.size()) {
        const int page = PageOf(v);
        const int room = PageStart(page + 1) - v;
        size_t count = 0;
        int height = 0;
        while (line + count < item.Lines.size() && height + item.Lines[line + count] <= room)
          height += item.Lines[line + count++];
        if (count == 0) {
          if (v > PageStart(page)) {
            v = PageStart(page + 1);
            continue;
          }
          // A line taller than a whole page goes alone and is cut off.
          height = item.Lines[line];
          count = 1;
        }
        add(i, v, height, int(line), int(count));
        line += count;
        v += height;
        if (line < item.Lines.size()) v = PageStart(page + 1);
      }
      itemEnd = std::max(v, start + item.Height);
    }
    done.push_back({item.Top + item.Height, itemEnd});
    end = std::max(end, itemEnd);
  }
  cursor_ = std::max(end, bandStart + BandHeight + offsetAt(BandHeight));
  return pieces;
}

}  // namespace detail

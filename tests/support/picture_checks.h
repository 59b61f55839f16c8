#pragma once
// Checks of a drawn picture by machine, over its display list: texts that overlap and wires
// drawn through an inverter. Each check
// returns a description of every fault it finds (empty: none).

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "diagram/display_list.h"

namespace kestrel::testing {

inline std::string Describe(const Box& b) {
  std::ostringstream s;
  s << "[" << b.x << "," << b.y << " " << b.w << "x" << b.h << "]";
  return s.str();
}

/// Texts whose inked boxes share a pixel.
inline std::vector<std::string> OverlappingTexts(const std::vector<DisplayItem>& items) {
  std::vector<const DisplayItem*> texts;
  for (const DisplayItem& item : items)
    if (item.type == DisplayItemType::kText && item.box.w > 0 && item.box.h > 0)
      texts.push_back(&item);
  std::vector<std::string> faults;
  for (size_t i = 0; i < texts.size(); ++i)
    for (size_t j = i + 1; j < texts.size(); ++j) {
      const Box& a = texts[i]->box;
      const Box& b = texts[j]->box;
      if (a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h)
        faults.push_back("\"" + texts[i]->text + "\" " + Describe(a) + " overlaps \"" +
                         texts[j]->text + "\" " + Describe(b));
    }
  return faults;
}

struct Segment {
  int x1, y1, x2, y2;
};

inline std::vector<Segment> Segments(const std::vector<DisplayItem>& items, bool vertical) {
  std::vector<Segment> out;
  for (const DisplayItem& item : items) {
    if (item.type != DisplayItemType::kLine) continue;
    const Point a = item.points[0], b = item.points[1];
    if (vertical && a.x == b.x && a.y != b.y)
      out.push_back({a.x, std::min(a.y, b.y), a.x, std::max(a.y, b.y)});
    if (!vertical && a.y == b.y && a.x != b.x)
      out.push_back({std::min(a.x, b.x), a.y, std::max(a.x, b.x), a.y});
  }
  return out;
}

/// Vertical wires that pass through an upright inverter triangle (a label column's inverter):
/// the wire crosses the triangle's rows within its half width.
inline std::vector<std::string> WiresThroughInverters(const std::vector<DisplayItem>& items) {
  const std::vector<Segment> verticals = Segments(items, true);
  std::vector<std::string> faults;
  for (const DisplayItem& item : items) {
    if (item.type != DisplayItemType::kPolygon || item.points.size() != 3) continue;
    const Point apex = item.points[0], base = item.points[1];
    if (apex.x != item.points[2].x + (base.x - apex.x) || base.y != item.points[2].y) continue;
    const int half = std::abs(base.x - apex.x);
    const int top = std::min(apex.y, base.y), bottom = std::max(apex.y, base.y);
    for (const Segment& s : verticals)
      if (std::abs(s.x1 - apex.x) <= half && s.y1 < top && s.y2 > bottom) {
        std::ostringstream m;
        m << "wire x=" << s.x1 << " rows " << s.y1 << ".." << s.y2 << " through the inverter at ("
          << apex.x << "," << apex.y << ")";
        faults.push_back(m.str());
      }
  }
  return faults;
}

}  // namespace kestrel::testing

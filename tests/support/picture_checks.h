#pragma once
// Checks of a drawn picture by machine, over its display list: texts that overlap, texts that a
// line runs through, wires drawn through an inverter, parallel wires too close to tell apart,
// and wires that end on another wire without a junction dot. Each check returns a description
// of every fault it finds (empty: none).

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

/// Whether the segment from a to b runs through the inside of the box (touching its edge is
/// not enough): the segment clipped to the box's open interior (Liang-Barsky) is not empty.
inline bool SegmentEntersBox(Point a, Point b, const Box& box) {
  const double x0 = box.x, y0 = box.y, x1 = box.x + box.w - 1, y1 = box.y + box.h - 1;
  if (x1 <= x0 || y1 <= y0) return false;
  const double dx = b.x - a.x, dy = b.y - a.y;
  double t0 = 0, t1 = 1;
  auto clip = [&](double p, double q) {
    if (p == 0) return q > 0;
    const double t = q / p;
    if (p < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
    return true;
  };
  return clip(-dx, a.x - x0) && clip(dx, x1 - a.x) && clip(-dy, a.y - y0) && clip(dy, y1 - a.y) &&
         t0 < t1;
}

/// Texts whose inked box a line runs through.
inline std::vector<std::string> TextsCrossedByLines(const std::vector<DisplayItem>& items) {
  std::vector<std::string> faults;
  for (const DisplayItem& text : items) {
    if (text.type != DisplayItemType::kText || text.box.w <= 0 || text.box.h <= 0) continue;
    for (const DisplayItem& line : items) {
      if (line.type != DisplayItemType::kLine) continue;
      for (size_t i = 0; i + 1 < line.points.size(); ++i)
        if (SegmentEntersBox(line.points[i], line.points[i + 1], text.box)) {
          std::ostringstream m;
          m << "\"" << text.text << "\" " << Describe(text.box) << " crossed by the line ("
            << line.points[i].x << "," << line.points[i].y << ")-(" << line.points[i + 1].x << ","
            << line.points[i + 1].y << ")";
          faults.push_back(m.str());
        }
    }
  }
  return faults;
}

/// Parallel lines that run side by side closer than gap pixels (apart, but not on one row or
/// column), over at least one common pixel.
inline std::vector<std::string> CloseParallelLines(const std::vector<DisplayItem>& items, int gap) {
  std::vector<std::string> faults;
  for (bool vertical : {false, true}) {
    const std::vector<Segment> segments = Segments(items, vertical);
    for (size_t i = 0; i < segments.size(); ++i)
      for (size_t j = i + 1; j < segments.size(); ++j) {
        const Segment& a = segments[i];
        const Segment& b = segments[j];
        const int distance = vertical ? std::abs(a.x1 - b.x1) : std::abs(a.y1 - b.y1);
        if (distance == 0 || distance >= gap) continue;
        const int from = vertical ? std::max(a.y1, b.y1) : std::max(a.x1, b.x1);
        const int to = vertical ? std::min(a.y2, b.y2) : std::min(a.x2, b.x2);
        if (from >= to) continue;
        std::ostringstream m;
        m << (vertical ? "vertical" : "horizontal") << " lines " << distance << " px apart: ("
          << a.x1 << "," << a.y1 << ")-(" << a.x2 << "," << a.y2 << ") and (" << b.x1 << "," << b.y1
          << ")-(" << b.x2 << "," << b.y2 << ")";
        faults.push_back(m.str());
      }
  }
  return faults;
}

/// Lines that end inside another line running across them (a T) without a junction dot on
/// the point. The edges of gate bodies (lines that touch an arc's box), where the inputs
/// start, and lines of at most a grid unit z (the enable symbol's bar) are symbol parts, not
/// wires.
inline std::vector<std::string> WiresEndingWithoutDot(const std::vector<DisplayItem>& items,
                                                      int z) {
  std::vector<Box> arcs, dots;
  for (const DisplayItem& item : items) {
    if (item.type == DisplayItemType::kArc) arcs.push_back(item.box);
    if (item.type == DisplayItemType::kEllipse && item.filled) dots.push_back(item.box);
  }
  auto gateEdge = [&](const Segment& s) {
    for (const Box& b : arcs)
      if (s.x1 <= b.x + b.w && s.x2 >= b.x - 1 && s.y1 <= b.y + b.h && s.y2 >= b.y - 1) return true;
    return false;
  };
  auto dotted = [&](int x, int y) {
    for (const Box& b : dots)
      if (x >= b.x - 1 && x <= b.x + b.w && y >= b.y - 1 && y <= b.y + b.h) return true;
    return false;
  };
  // A line drawn in pieces: the end of one piece is no end where another runs on past it.
  auto continues = [](const Segment& s, Point end, const std::vector<Segment>& pieces) {
    const bool vertical = s.x1 == s.x2;
    for (const Segment& t : pieces) {
      if (vertical ? t.x1 != s.x1 : t.y1 != s.y1) continue;
      const int at = vertical ? end.y : end.x;
      const int lo = vertical ? t.y1 : t.x1, hi = vertical ? t.y2 : t.x2;
      const bool endIsLow = at == (vertical ? s.y1 : s.x1);
      if (endIsLow ? lo < at && hi >= at : hi > at && lo <= at) return true;
    }
    return false;
  };
  std::vector<std::string> faults;
  for (bool vertical : {false, true}) {
    const std::vector<Segment> bars = Segments(items, vertical);
    const std::vector<Segment> stems = Segments(items, !vertical);
    for (const Segment& bar : bars) {
      const int length = vertical ? bar.y2 - bar.y1 : bar.x2 - bar.x1;
      if (length <= z || gateEdge(bar)) continue;
      for (const Segment& stem : stems)
        for (const Point end : {Point{stem.x1, stem.y1}, Point{stem.x2, stem.y2}}) {
          const bool inside = vertical ? end.x == bar.x1 && end.y > bar.y1 && end.y < bar.y2
                                       : end.y == bar.y1 && end.x > bar.x1 && end.x < bar.x2;
          if (!inside || dotted(end.x, end.y) || continues(stem, end, stems)) continue;
          std::ostringstream m;
          m << "a line ends at (" << end.x << "," << end.y << ") on the line (" << bar.x1 << ","
            << bar.y1 << ")-(" << bar.x2 << "," << bar.y2 << ") without a dot";
          faults.push_back(m.str());
        }
    }
  }
  return faults;
}

}  // namespace kestrel::testing

#include "diagram/value_style.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kestrel {

void ValueLine(Canvas& c, Point a, Point b, bool value) {
  if (a == b) return;
  if (value) {
    // The second pixel row (or column) lies below (or right of) the line, and runs one pixel
    // further, so that the corners of a right-angle path close.
    const bool flat = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
    const int dx = flat ? 0 : 1, dy = flat ? 1 : 0;
    const int ex = flat ? (b.x > a.x ? 1 : -1) : 0, ey = flat ? 0 : (b.y > a.y ? 1 : -1);
    c.SetPenColor(kValueOneColor);
    c.Line(a.x, a.y, b.x + ex, b.y + ey);
    c.Line(a.x + dx, a.y + dy, b.x + dx + ex, b.y + dy + ey);
  } else {
    c.SetPenColor(kWhite);
    c.Line(a.x, a.y, b.x, b.y);
    c.SetPenColor(kValueZeroColor);
    if (a.x == b.x || a.y == b.y) {
      // The wires run across and down: whole-pixel dashes, counted in integers.
      const int length = std::abs(b.x - a.x) + std::abs(b.y - a.y);
      const int dx = b.x > a.x ? 1 : (b.x < a.x ? -1 : 0);
      const int dy = b.y > a.y ? 1 : (b.y < a.y ? -1 : 0);
      for (int s = 0; s < length; s += kZeroDash + kZeroGap) {
        const int e = std::min(length, s + kZeroDash);
        c.Line(a.x + dx * s, a.y + dy * s, a.x + dx * e, a.y + dy * e);
      }
      c.SetPenColor(kBlack);
      return;
    }
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    for (int s = 0; s < length; s += kZeroDash + kZeroGap) {
      const double t0 = s / length, t1 = std::min(1.0, (s + kZeroDash) / length);
      c.Line(a.x + static_cast<int>(std::lround((b.x - a.x) * t0)),
             a.y + static_cast<int>(std::lround((b.y - a.y) * t0)),
             a.x + static_cast<int>(std::lround((b.x - a.x) * t1)),
             a.y + static_cast<int>(std::lround((b.y - a.y) * t1)));
    }
  }
  c.SetPenColor(kBlack);
}

void ValuePath(Canvas& c, const std::vector<Point>& path, bool value) {
  for (size_t i = 0; i + 1 < path.size(); ++i) ValueLine(c, path[i], path[i + 1], value);
}

}  // namespace kestrel

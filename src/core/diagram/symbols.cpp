#include "diagram/symbols.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "function/function_text.h"

namespace kestrel {

int CanvasFontSize(int z) {
  if (z <= 12) return 7;
  if (z <= 16) return 8;
  if (z <= 20) return 9;
  return 12;
}

int GateLabelFontSize(int z, DiagramStyle style) {
  switch (style) {
    case DiagramStyle::kExact:
      break;
    case DiagramStyle::kClear:  // the canvas font: the inputs lie a grid unit apart
      return CanvasFontSize(z);
  }
  if (z <= 12) return 6;
  if (z > 16) return 8;
  return 7;
}

namespace {

int Clamp(int v, int lo, int hi) {
  return std::max(lo, std::min(hi, v));
}

/// The triangle of an inverter: three corners, closed back to the first, brush clear.
void Triangle(Canvas& c, Point a, Point b, Point d) {
  c.SetBrushStyle(BrushStyle::kClear);
  c.Polygon({a, b, d, a});
}

/// A bubble (circle or ellipse) filled white.
void Bubble(Canvas& c, int x1, int y1, int x2, int y2) {
  c.SetBrush(BrushStyle::kSolid, kWhite);
  c.Ellipse(x1, y1, x2, y2);
}

}  // namespace

Box InkAt(Canvas& c, int x, int y, const std::string& text) {
  const Box ink = c.TextInk(text);
  return {x + ink.x, y + ink.y, ink.w, ink.h};
}

bool ColumnsOverlap(const Box& a, const Box& b) {
  return a.w > 0 && b.w > 0 && a.x < b.x + b.w && b.x < a.x + a.w;
}

int TopClearAbove(int top, const Box& own, const Box& below) {
  const int over = own.y + own.h - below.y;
  return own.h > 0 && below.h > 0 && over > 0 ? top - over : top;
}

int TopClearBelow(int top, const Box& own, const Box& above) {
  const int under = above.y + above.h - own.y;
  return own.h > 0 && above.h > 0 && under > 0 ? top + under : top;
}

Box Union(const Box& a, const Box& b) {
  if (a.w <= 0 || a.h <= 0) return b;
  if (b.w <= 0 || b.h <= 0) return a;
  const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
  const int right = std::max(a.x + a.w, b.x + b.w), bottom = std::max(a.y + a.h, b.y + b.h);
  return {left, top, right - left, bottom - top};
}

int AddressNumberFontSize(Canvas& c, int z, int count) {
  const FontSpec saved = c.font();
  int size = saved.size;
  if (count > 1) {
    constexpr int kSmallest = 5;
    while (size > kSmallest && c.TextWidth("A0") > z - 2) c.SetFontSize(--size);
  }
  c.SetFont(saved);
  return size;
}

void LabelOnWhite(Canvas& c, int x, int y, const std::string& text) {
  if (!text.empty()) {
    const int w = c.TextWidth(text), h = c.TextHeight(text);
    c.SetPenColor(kWhite);
    c.SetBrush(BrushStyle::kSolid, kWhite);
    c.Rectangle(x, y + h / 5, x + w, y + h - h / 5);
  }
  c.SetPenColor(kBlack);
  c.SetBrushStyle(BrushStyle::kClear);
  c.TextOut(x, y, text);
}

void LineAround(Canvas& c, Point a, Point b, const std::vector<Box>& keepClear, int shortest) {
  constexpr int kMargin = 2;
  const double dx = b.x - a.x, dy = b.y - a.y;
  // The parameter intervals of the line inside each box (Liang-Barsky), then what lies between.
  std::vector<std::pair<double, double>> inside;
  for (const Box& box : keepClear) {
    if (box.w <= 0 || box.h <= 0) continue;
    const double x0 = box.x - kMargin, x1 = box.x + box.w - 1 + kMargin;
    const double y0 = box.y - kMargin, y1 = box.y + box.h - 1 + kMargin;
    double t0 = 0, t1 = 1;
    bool hit = true;
    for (const auto& [p, q] : {std::pair{-dx, a.x - x0}, std::pair{dx, x1 - a.x},
                               std::pair{-dy, a.y - y0}, std::pair{dy, y1 - a.y}}) {
      if (p == 0) {
        hit = hit && q >= 0;
        continue;
      }
      const double t = q / p;
      if (p < 0)
        t0 = std::max(t0, t);
      else
        t1 = std::min(t1, t);
    }
    if (hit && t0 < t1) inside.emplace_back(t0, t1);
  }
  std::sort(inside.begin(), inside.end());
  auto at = [&](double t) {
    return Point{static_cast<int>(std::lround(a.x + t * dx)),
                 static_cast<int>(std::lround(a.y + t * dy))};
  };
  const double length = std::hypot(dx, dy);
  auto piece = [&](double t0, double t1) {
    if ((t1 - t0) * length < shortest) return;
    const Point p = at(t0), q = at(t1);
    if (p != q) c.Line(p.x, p.y, q.x, q.y);
  };
  double from = 0;
  for (const auto& [t0, t1] : inside) {
    if (t0 > from) piece(from, t0);
    from = std::max(from, t1);
  }
  if (from < 1) piece(from, 1);
}

void WedgeUnderTexts(Canvas& c, const Wedge& w, DiagramStyle style) {
  switch (style) {
    case DiagramStyle::kExact:
      c.Line(w.from.x, w.from.y, w.tip.x, w.tip.y);
      c.Line(w.tip.x, w.tip.y, w.to.x, w.to.y);
      break;
    case DiagramStyle::kClear:
      break;
  }
}

void WedgeAroundTexts(Canvas& c, const Wedge& w, DiagramStyle style, const std::vector<Box>& texts,
                      int z) {
  switch (style) {
    case DiagramStyle::kExact:
      break;
    case DiagramStyle::kClear:
      LineAround(c, w.from, w.tip, texts, z / 2);
      LineAround(c, w.tip, w.to, texts, z / 2);
      break;
  }
}

int GateInputOffset(int j, int z, DiagramStyle style) {
  switch (style) {
    case DiagramStyle::kExact:
      return ((j + 1) * z) / 2;
    case DiagramStyle::kClear:
      return (j + 1) * z;
  }
  return ((j + 1) * z) / 2;
}

int GateOutputOffset(int m, int z, DiagramStyle style) {
  return GateHeight(m, z, style) / 2;
}

int GateHeight(int m, int z, DiagramStyle style) {
  return GateInputOffset(m, z, style);
}

int LabelColumnX(const NodeRecord& node, int k, int z, DiagramStyle style) {
  return node.x - (k + FirstLabelColumnUnits(style)) * z;
}

void DrawMux(Canvas& c, const NodeRecord& node, int z, DiagramStyle style) {
  const int x = node.x, y = node.y;
  const int n = Clamp(node.addressCount, 0, 4);
  const int m = Clamp(node.inputCount, 0, 16);

  c.SetPenColor(kBlack);
  c.SetBrush(BrushStyle::kSolid, kWhite);
  c.Rectangle(x, y, x + (n + 1) * z, y + (m + 1) * z);
  c.SetBrushStyle(BrushStyle::kClear);

  // The wedge comes first: the texts inside the box are written over it on white, so that the
  // wedge never runs through an input number or an "A" label. The clear style draws it last,
  // stopping short of the texts.
  const Wedge wedge{{x, y}, {x + (n + 1) * z - 1, y + ((m + 1) * z) / 2}, {x, y + (m + 1) * z}};
  std::vector<Box> inside;  // the clear style's texts inside the box
  WedgeUnderTexts(c, wedge, style);

  // Output stub.
  c.Line(x + (n + 1) * z, y + ((m + 1) * z) / 2, x + (n + 2) * z, y + ((m + 1) * z) / 2);

  // The "A" numbers along the bottom edge, in a smaller font where the canvas font would run
  // them together.
  const FontSpec font = c.font();
  c.SetFontSize(AddressNumberFontSize(c, z, n));
  Box aInk;
  for (int e = 0; e < n; ++e)
    aInk = Union(aInk,
                 InkAt(c, x + (e + 1) * z - c.TextWidth("A0") / 2,
                       y + (m + 1) * z - c.TextHeight("A0") + 1, "A" + std::to_string(n - 1 - e)));
  c.SetFont(font);

  // Data inputs from the bottom up; inputs without a child are joined to label columns, one
  // column per distinct label, opened from the bottom input upward.
  struct Column {
    std::string label;
    int column;
  };
  std::vector<Column> table;  // at most 16 entries: one per input
  int next = 0;
  const int bigY = y + (m + 2) * z;  // the row of the label texts
  for (int i = m - 1; i >= 0; --i) {
    const int yi = y + (i + 1) * z;
    const std::string number = " " + std::to_string(i);
    int top = yi - c.TextHeight("I1") / 2;
    // At small zooms the bottom input's number would sit on the "A" numbers: it moves up.
    if (i == m - 1) {
      const Box own = InkAt(c, x + 2, top, number);
      if (ColumnsOverlap(own, aInk)) top = TopClearAbove(top, own, aInk);
    }
    LabelOnWhite(c, x + 2, top, number);
    inside.push_back(InkAt(c, x + 2, top, number));
    c.Line(x, yi, x - z, yi);
    if (node.childId[i] != 0) continue;

    const std::string& label = node.inputLabels[i];
    int earlier = 0, o = -1;
    for (int t = m - 1; t > i; --t) {
      if (node.childId[t] == 0 && node.inputLabels[t] == label) {
        ++earlier;
        o = t;
      }
    }
    if (earlier == 0) {
      const int xc = LabelColumnX(node, next, z, style);
      c.Line(x - z, yi, xc, yi);
      c.Line(xc, yi, xc, TruncDiv(10LL * bigY - 12LL * z, 10));
      c.Line(xc, TruncDiv(10LL * bigY - 5LL * z, 10), xc, bigY);
      std::string text = label;
      if (!text.empty() && text[0] == '~') {
        text.erase(0, 1);
        Bubble(c, xc - z / 5, TruncDiv(10LL * bigY - 13LL * z - 10LL * (z / 5), 10), xc + z / 5,
               TruncDiv(10LL * bigY - 13LL * z + 10LL * (z / 5), 10));
        const int apex = TruncDiv(10LL * bigY - 12LL * z, 10);
        const int base = TruncDiv(10LL * bigY - 5LL * z, 10);
        Triangle(c, {xc, apex}, {xc + z / 3, base}, {xc - z / 3, base});
      } else {
        c.Line(xc, y + m * z, xc, bigY);
      }
      c.TextOut(xc - c.TextWidth(text) / 2, bigY, text);
      if (table.size() < 16) table.push_back({label, next});
      ++next;
    } else {
      int column = 10;
      for (const Column& entry : table)
        if (entry.label == label) {
          column = entry.column;
          break;
        }
      const int xv = LabelColumnX(node, column, z, style);
      const int yo = y + (o + 1) * z;
      c.Line(x - z, yi, xv, yi);
      c.Line(xv, yi, xv, yo);
      c.SetBrush(BrushStyle::kSolid, kBlack);
      const int r = JunctionDotRadius(style, z);
      switch (style) {
        case DiagramStyle::kExact:
          c.Ellipse(xv - r, yo - r, xv + r, yo + r);
          break;
        case DiagramStyle::kClear:  // centred on the pixel where the lines meet
          c.Ellipse(xv - r, yo - r, xv + r + 1, yo + r + 1);
          break;
      }
      c.SetBrush(BrushStyle::kClear, kWhite);
    }
  }

  // Address lines, the most significant on the left. Their "A" numbers come after the input
  // numbers: at the smallest zooms the last input number and the "A" numbers touch.
  for (int e = 0; e < n; ++e) {
    const int ax = x + (e + 1) * z;
    c.Line(ax, y + (m + 1) * z, ax, y + (m + 2) * z);
    c.TextOut(ax - c.TextWidth("x3") / 2, y + (m + 2) * z, node.addressLabels[e]);
    c.SetFontSize(AddressNumberFontSize(c, z, n));
    LabelOnWhite(c, ax - c.TextWidth("A0") / 2, y + (m + 1) * z - c.TextHeight("A0") + 1,
                 "A" + std::to_string(n - 1 - e));
    inside.push_back(InkAt(c, ax - c.TextWidth("A0") / 2, y + (m + 1) * z - c.TextHeight("A0") + 1,
                           "A" + std::to_string(n - 1 - e)));
    c.SetFont(font);
  }
  WedgeAroundTexts(c, wedge, style, inside, z);

  // The box's outline again, in case a white patch reached its bottom edge.
  c.SetBrushStyle(BrushStyle::kClear);
  c.Rectangle(x, y, x + (n + 1) * z, y + (m + 1) * z);
}

void DrawGate(Canvas& c, const NodeRecord& node, int z, DiagramStyle style) {
  const int a = node.x, b = node.y;
  const int m = Clamp(node.inputCount, 0, 16);
  const int d = node.addressCount;
  const bool andShape = node.kind == NodeKind::kAnd || node.kind == NodeKind::kNand;
  const int e = b + GateOutputOffset(m, z, style);
  const int bottom = b + GateHeight(m, z, style);
  // How far the back edge reaches past the first and the last input: as the exact style draws
  // it, or half a grid unit in the clear style.
  int reach = 0;
  switch (style) {
    case DiagramStyle::kExact:
      reach = andShape ? z / 8 : z / 4;
      break;
    case DiagramStyle::kClear:
      reach = z / 2;
      break;
  }

  // Pen black, brush white; the labels are written with a clear brush so that a label never
  // blots out a neighbouring one.
  c.SetPenColor(kBlack);
  c.SetBrush(BrushStyle::kClear, kWhite);

  // OR shape: the two arcs' rows and the input offsets that make the inputs meet the curved
  // back edge.
  const int g = ((5 * z) / 2 - z - z / 4) / 2;
  auto inputStart = [&](int j, int yj) {
    if (andShape) return 0;
    if (m == 3) return j == 1 ? TruncDiv(4LL * z, 10) : z / 6;
    if (yj > e - g + 2 && yj < e + g - 2) return z / 3 + (std::abs(yj - e) <= 2 ? 1 : 0);
    return 0;
  };

  // Inputs with their labels, from the last one up. In the exact style each lower-numbered
  // label sits 2 pixels higher so that neighbouring labels keep apart; the clear style's inputs
  // lie a grid unit apart, and each label's glyphs are centred on its row.
  const FontSpec saved = c.font();
  c.SetFontSize(GateLabelFontSize(z, style));
  int u = -1;
  for (int j = m - 1; j >= 0; --j) {
    const int yj = b + GateInputOffset(j, z, style);
    c.Line(a + inputStart(j, yj), yj, a - z, yj);
    const std::string& label = node.inputLabels[j];
    if (CountVariables(label) < 2) {
      switch (style) {
        case DiagramStyle::kExact:
          c.TextOut(a - z - c.TextWidth(label), yj - c.TextHeight(label) / 2 - u + 2, label);
          break;
        case DiagramStyle::kClear: {
          const Box ink = c.TextInk(label);
          c.TextOut(a - z - 1 - (ink.x + ink.w), yj - ink.y - ink.h / 2, label);
          break;
        }
      }
    }
    u += 2;
  }
  c.SetFont(saved);

  int xb = 0;  // the base of the output inverter
  if (andShape) {
    c.Line(a, b + reach, a, bottom - reach);
    const int hh = TruncDiv(9LL * ((5 * z) / 2) - 11LL * z, 9) / 2;
    const int dx = a + (d * z) / 2 - z / 2;
    c.Arc(a - z, e - hh, a + z, e + hh, dx, TruncDiv(9LL * (e + hh) + 5LL * z, 9), dx,
          TruncDiv(3LL * (e - hh) - 2LL * z, 3));
    if (node.kind == NodeKind::kNand) {
      Bubble(c, a + z, TruncDiv(10LL * e - 2LL * z, 10), TruncDiv(10LL * a + 14LL * z, 10),
             TruncDiv(10LL * e + 2LL * z, 10));
      c.Line(TruncDiv(10LL * a + 14LL * z, 10), e, a + d * z + 2 * (z / 3), e);
    } else {
      c.Line(a + z, e, a + 2 * (z / 3) + (d + 3) * z, e);
    }
    if (node.outputNegated != 1)
      c.Line(TruncDiv(10LL * a + 14LL * z, 10), e, a + 2 * (z / 3) + (d + 3) * z, e);
    xb = a + d * z + 2 * (z / 3);
  } else {
    c.Arc(a - z, e - g, a + z + z / 3, e + g, a, e + g, a, e - g);
    c.Arc(a - z + 2, e - g, a + z - z / 2 - 2, e + g, a, e + g, a, e - g);
    if (m > 2) {
      c.Line(a, b + reach, a, e - g + 1);
      c.Line(a, e + g - 1, a, bottom - reach);
    }
    const int bubbleRight = TruncDiv(10LL * (a + z + z / 3) + 4LL * z, 10);
    if (node.kind == NodeKind::kNor) {
      Bubble(c, a + z + z / 3, TruncDiv(10LL * e - 2LL * z, 10), bubbleRight,
             TruncDiv(10LL * e + 2LL * z, 10));
      c.Line(bubbleRight, e, TruncDiv(10LL * (a + z + 2 * (z / 3)) + 4LL * z, 10), e);
    } else {
      c.Line(a + z + z / 3, e, a + 5 * z + z / 3, e);
    }
    if (node.outputNegated != 1) c.Line(a + z + 2 * (z / 3), e, a + 4 * z + 2 * (z / 3), e);
    xb = TruncDiv(10LL * (a + z + 2 * (z / 3)) + 4LL * z, 10);
  }

  if (node.outputNegated == 1) {
    Triangle(c, {xb, e - z / 3}, {xb + z, e}, {xb, e + z / 3});
    const int xa = xb + z;
    Bubble(c, xa - 1, TruncDiv(10LL * e - 2LL * z, 10), TruncDiv(10LL * xa + 4LL * z, 10),
           TruncDiv(10LL * e + 2LL * z, 10));
    const int end = andShape ? TruncDiv(10LL * xa + 14LL * z + 20, 10)
                             : TruncDiv(10LL * xa + 10LL * z + 10, 10);
    c.Line(TruncDiv(10LL * xa + 4LL * z - 10, 10), e, end, e);
  }
  c.SetBrushStyle(BrushStyle::kClear);
}

std::array<Point, 4> TreeWirePath(const NodeRecord& child, const NodeRecord& parent, int j, int k,
                                  int z, DiagramStyle style) {
  const int mC = Clamp(child.inputCount, 0, 16);
  const int nC = child.addressCount;
  const int hC = ((mC + 1) * z) / 2;
  const bool childMux = child.kind == NodeKind::kMux;
  const bool parentMux = parent.kind == NodeKind::kMux;
  const int dP = parentMux ? 1 : 2;
  const int oC = childMux ? 0 : 2;
  const int xEnd = parent.x - z + 1;
  switch (style) {
    case DiagramStyle::kExact:
      break;
    case DiagramStyle::kClear: {
      // From the child's output row to the parent's input row.
      const int y0 = child.y + (childMux ? hC : GateOutputOffset(mC, z, style));
      const int yP = parent.y + (parentMux ? (j + 1) * z : GateInputOffset(j, z, style));
      const int x0 = child.x + (nC + (childMux ? 0 : 2) + 1) * z;
      const int xc = (!childMux && parentMux ? child.x + 6 * z : x0) + k;
      return {{{x0, y0}, {xc, y0}, {xc, yP}, {xEnd, yP}}};
    }
  }
  if (!childMux && parentMux) {
    const int y0 = child.y + hC / 2;
    const int yP = parent.y + (j + 1) * z;
    const int xc = child.x + 6 * z + k;
    return {{{child.x + (nC + 3) * z, y0}, {xc, y0}, {xc, yP}, {xEnd, yP}}};
  }
  const int x0 = child.x + (nC + oC + 1) * z;
  const int y0 = child.y + hC / dP;
  const int yP = parent.y + ((j + 1) * z) / dP;
  return {{{x0, y0}, {x0 + k, y0}, {x0 + k, yP}, {xEnd, yP}}};
}

void DrawTreeWire(Canvas& c, const NodeRecord& child, const NodeRecord& parent, int j, int k, int z,
                  DiagramStyle style) {
  const std::array<Point, 4> p = TreeWirePath(child, parent, j, k, z, style);
  for (int i = 0; i < 3; ++i) c.Line(p[i].x, p[i].y, p[i + 1].x, p[i + 1].y);
}

bool JunctionPoints::Add(int x, int y) {
  if (Count() >= kCapacity) return false;
  points_.push_back({x, y});
  return true;
}

void JunctionPoints::Draw(Canvas& c, DiagramStyle style, int z) const {
  c.SetPenColor(kBlack);
  c.SetBrush(BrushStyle::kSolid, kBlack);
  const int r = JunctionDotRadius(style, z);
  for (const Point& p : points_) {
    int greatest = p.x;
    for (const Point& q : points_)
      if (q.y == p.y) greatest = std::max(greatest, q.x);
    if (p.x != 0 && p.x < greatest) c.Ellipse(p.x - r, p.y - r, p.x + r + 1, p.y + r + 1);
  }
  c.SetBrush(BrushStyle::kClear, kWhite);
}

}  // namespace kestrel

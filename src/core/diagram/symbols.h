#pragma once
// The symbols of the diagram, drawn at a zoom z (pixels per grid unit): the multiplexer box
// with its inputs, address lines and label columns, the AND/NAND and OR/NOR gates with their
// output inverter, the wire from a child node to its parent's input, and the junction dots.
// All positions are integers; a quotient a/b truncates toward zero, and an expression with a
// decimal factor such as trunc(a + 1.4z) is evaluated exactly and then truncated.

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "base/limits.h"
#include "diagram/canvas.h"
#include "diagram/diagram_style.h"
#include "engine/records.h"

namespace kestrel {

/// The canvas font size for a zoom: 7 up to 12, 8 for 13..16, 9 for 17..20, 12 from 21.
int CanvasFontSize(int z);
/// The font size of gate input labels: 6 up to 12, 7 for 13..16, 8 from 17; in the clear style,
/// whose gate inputs lie a grid unit apart, the canvas font.
int GateLabelFontSize(int z, DiagramStyle style = DiagramStyle::kExact);

/// exact(num / den) truncated toward zero.
inline int TruncDiv(long long num, long long den) {
  return static_cast<int>(num / den);
}

/// Writes a text inside a symbol over a white patch that covers the rows of its digits and
/// capitals (the middle three fifths of the text cell, not the whole cell, whose leading and
/// descent would bite into neighbouring lines and texts), so that a wedge drawn before never
/// runs through it. Leaves the pen black and the brush clear.
void LabelOnWhite(Canvas& canvas, int x, int y, const std::string& text);

/// The box a text's glyphs cover when written at (x, y) in the canvas's current font.
Box InkAt(Canvas& canvas, int x, int y, const std::string& text);
/// True when two boxes share a column.
bool ColumnsOverlap(const Box& a, const Box& b);
/// The top row for a text written at top whose glyphs cover own, moved up just far enough
/// that they end above the glyphs below.
int TopClearAbove(int top, const Box& own, const Box& below);
/// The top row for a text written at top whose glyphs cover own, moved down just far enough
/// that they start below the glyphs above.
int TopClearBelow(int top, const Box& own, const Box& above);
/// The smallest box holding both (an empty box holds nothing).
Box Union(const Box& a, const Box& b);
/// The font size for the "A" numbers of count address lines z apart inside a box: the canvas
/// font, made smaller at small zooms until neighbouring numbers keep two pixels apart.
int AddressNumberFontSize(Canvas& canvas, int z, int count);

/// Where a gate's input j, its output and its bottom lie below its top: inputs half a grid unit
/// apart in the exact style, a whole grid unit in the clear style (room for readable labels).
int GateInputOffset(int j, int z, DiagramStyle style);
int GateOutputOffset(int m, int z, DiagramStyle style);
int GateHeight(int m, int z, DiagramStyle style);

/// A symbol's wedge: a line from one corner of the box to its tip and one on to the other
/// corner.
struct Wedge {
  Point from, tip, to;
};
/// The exact style draws the wedge before the texts inside the box, which are written over it
/// on white; the clear style draws nothing here.
void WedgeUnderTexts(Canvas& canvas, const Wedge& wedge, DiagramStyle style);
/// The clear style draws the wedge after the texts inside the box, stopping short of their
/// boxes (LineAround, leaving out pieces under half a grid unit); the exact style drew it before.
void WedgeAroundTexts(Canvas& canvas, const Wedge& wedge, DiagramStyle style,
                      const std::vector<Box>& texts, int z);

/// The line from a to b without the parts that would run within two pixels of a box: the
/// clear style's wedges stop short of the numbers inside a symbol instead of running under them.
/// Pieces left shorter than `shortest` pixels are left out too, so no stray stub remains in a
/// corner or between two numbers.
void LineAround(Canvas& canvas, Point a, Point b, const std::vector<Box>& keepClear, int shortest);

/// The x of a multiplexer's label column k (0: the one nearest the box).
int LabelColumnX(const NodeRecord& node, int k, int z, DiagramStyle style);

/// A multiplexer at (node.x, node.y) with its label columns for the inputs without a child.
void DrawMux(Canvas& canvas, const NodeRecord& node, int z,
             DiagramStyle style = DiagramStyle::kExact);
/// An AND, OR, NAND or NOR gate at (node.x, node.y), with its inverter when outputNegated is 1.
void DrawGate(Canvas& canvas, const NodeRecord& node, int z,
              DiagramStyle style = DiagramStyle::kExact);
/// The corners of the wire from child to input j of parent, with channel offset k (right-angle
/// routing), from the child's output to the parent's input stub.
std::array<Point, 4> TreeWirePath(const NodeRecord& child, const NodeRecord& parent, int j, int k,
                                  int z, DiagramStyle style = DiagramStyle::kExact);
/// The wire from child to input j of parent, with channel offset k.
void DrawTreeWire(Canvas& canvas, const NodeRecord& child, const NodeRecord& parent, int j, int k,
                  int z, DiagramStyle style = DiagramStyle::kExact);

/// Orders wires that each run right from their source row (from) to a vertical channel of their
/// own, then along their target row (to) on to the right, left to right by channel so that
/// fewer wires cross or run side by side: a wire's leg to its target overlaps the legs from
/// their sources of the wires right of it, which must then lie at least gap pixels away. Each
/// wire in turn goes where it costs least among those placed before it (the last such place,
/// so that wires already in the best order stay as they are); then, while two neighbours do
/// worse in their order than swapped, they swap (each swap lowers the count, so the loop ends).
template <typename Wire>
void OrderChannels(std::vector<Wire>& wires, int gap) {
  auto spans = [](const Wire& w, int row) {
    return row > std::min(w.from, w.to) && row < std::max(w.from, w.to);
  };
  // The cost when a's channel lies left of b's: a's vertical crosses b's leg from its source,
  // b's vertical crosses a's leg to its target, and a's leg to its target runs beside b's leg
  // from its source.
  auto cost = [&](const Wire& a, const Wire& b) {
    return (spans(a, b.from) ? 1 : 0) + (spans(b, a.to) ? 1 : 0) +
           (std::abs(a.to - b.from) < gap ? 1 : 0);
  };
  std::vector<Wire> placed;
  placed.reserve(wires.size());
  for (const Wire& w : wires) {
    // Before position p: the placed wires left of w; from p on: right of it.
    int right = 0;
    for (const Wire& v : placed) right += cost(w, v);
    int best = right, left = 0;
    auto where = placed.begin();
    for (auto it = placed.begin(); it != placed.end(); ++it) {
      left += cost(*it, w);
      right -= cost(w, *it);
      if (left + right <= best) {
        best = left + right;
        where = std::next(it);
      }
    }
    placed.insert(where, w);
  }
  wires = std::move(placed);
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (size_t i = 0; i + 1 < wires.size(); ++i)
      if (cost(wires[i + 1], wires[i]) < cost(wires[i], wires[i + 1])) {
        std::swap(wires[i], wires[i + 1]);
        swapped = true;
      }
  }
}

/// The points where a wire meets a line that runs on; the rightmost point of a row is the
/// line's end and gets no dot.
class JunctionPoints {
 public:
  /// Enough for every drawing: each multiplexer input records at most one point per flagged
  /// demultiplexer output of its collecting gate.
  static constexpr int kCapacity = 256;

  void Clear() { points_.clear(); }
  /// Records a point; ignored (returns false) once the list is full.
  bool Add(int x, int y);
  int Count() const { return static_cast<int>(points_.size()); }
  const std::vector<Point>& points() const { return points_; }
  /// Dots (brush solid black) at every point of a row except its rightmost; afterwards the
  /// brush is white and clear. The clear style's dots grow with the zoom z.
  void Draw(Canvas& canvas, DiagramStyle style = DiagramStyle::kExact, int z = 0) const;

 private:
  std::vector<Point> points_;
};

}  // namespace kestrel

// The demultiplexer layout: the demultiplexer with its enable symbol and active-low outputs on
// the left, the collecting gate on the right, and one wire per flagged output, each in a
// vertical channel of its own half a grid unit from its neighbours. The clear style's gate takes
// a grid unit per input, on the rows half way between the outputs', and its wires' channels are
// ordered so that they do not cross where another order avoids it.

#include <algorithm>
#include <array>

#include "diagram/demux_symbol.h"
#include "diagram/diagram.h"
#include "diagram/symbols.h"
#include "diagram/value_style.h"
#include "engine/simulation.h"

namespace kestrel {

void LayoutDemux(Diagram& d, const ResultStore& store) {
  if (!store.hasDemux()) return;
  d.kind = DiagramKind::kDemux;
  d.demux = store.demux();
  d.demux.addressCount = std::clamp(d.demux.addressCount, 0, 4);
  d.demux.outputCount = std::clamp(d.demux.outputCount, 0, 16);
  const int z = d.zoom;
  d.width = 26 * z;
  d.height = (d.demux.outputCount + 9) * z;
}

namespace {

/// The exact style's gate top for count flagged outputs of n.
int ExactGateTop(const Diagram& d, int count) {
  const int z = d.zoom;
  const int n = d.demux.outputCount;
  const int t = ((n + 2) * z - (n * z) / 2) / 2 + 3 * z - z / 2;
  const int u = (z * (n - count)) / 2;
  return t + u / 2;
}

/// The corners of the wire from the q-th flagged output to the collecting gate's input q.
std::array<Point, 4> ExactWire(const Diagram& d, const std::vector<int>& flagged, int q) {
  const int z = d.zoom;
  const DemuxRecord& r = d.demux;
  const int n = r.outputCount, a = r.addressCount;
  const int count = static_cast<int>(flagged.size());
  const int firstInputRow = ExactGateTop(d, count) + z / 2;
  const int first = count > 0 ? flagged[0] : 0;
  const int l = flagged[q];
  const int e = firstInputRow + (q * z) / 2;
  const int b = 4 * z + l * z;
  const int ch = e < b ? q + n - count - 1 : n - (first + q) - 1;
  const int xd = z * (a + 6) - 1 + ch * (z / 2) - 1;
  return {{{z * (a + 6) - 2, b}, {xd, b}, {xd, e}, {18 * z + 1, e}}};
}

/// The clear style's collecting gate: its inputs a grid unit apart on the rows half way between
/// the outputs' rows (so no wire runs on in line with another output's row and none has a
/// short jog), centred on the flagged outputs, right of the wires' channels.
struct ClearGate {
  int firstInputRow = 0;
  int gx = 0;           ///< the back edge
  std::vector<int> xs;  ///< each wire's channel, by rank
};

ClearGate PlaceClearGate(const Diagram& d, const std::vector<int>& flagged) {
  const int z = d.zoom;
  const int count = static_cast<int>(flagged.size());
  ClearGate g;
  if (count == 0) return g;
  int sum = 0;
  for (int l : flagged) sum += l;
  // In half grid units below the first output's row: the middle of the flagged rows, less half
  // the inputs' spread, brought onto a half-way row.
  const int halves = (2 * sum) / count - (count - 1);
  const int units = halves >= 0 ? halves / 2 : -((1 - halves) / 2);
  g.firstInputRow = count == 1 ? 4 * z + flagged[0] * z : 4 * z + units * z + z / 2;
  struct Wire {
    int from = 0, to = 0, rank = 0;
  };
  std::vector<Wire> wires;
  wires.reserve(flagged.size());
  for (int q = 0; q < count; ++q)
    wires.push_back({4 * z + flagged[q] * z, g.firstInputRow + q * z, q});
  OrderChannels(wires, ChannelSpacing(d.style, z));
  const int left = z * (d.demux.addressCount + 6) + z / 2;
  const int spacing = ChannelSpacing(d.style, z);
  g.xs.assign(count, 0);
  for (int i = 0; i < count; ++i) g.xs[wires[i].rank] = left + i * spacing;
  g.gx = std::max(19 * z, left + (count - 1) * spacing + 2 * z);
  return g;
}

/// The corners of each flagged output's wire to the collecting gate, by rank.
std::vector<std::array<Point, 4>> DemuxWires(const Diagram& d, const std::vector<int>& flagged) {
  const int z = d.zoom;
  const int count = static_cast<int>(flagged.size());
  std::vector<std::array<Point, 4>> wires;
  switch (d.style) {
    case DiagramStyle::kExact:
      for (int q = 0; q < count; ++q) wires.push_back(ExactWire(d, flagged, q));
      break;
    case DiagramStyle::kClear: {
      const ClearGate g = PlaceClearGate(d, flagged);
      const int start = z * (d.demux.addressCount + 6) - 2;
      for (int q = 0; q < count; ++q) {
        const int b = 4 * z + flagged[q] * z;
        const int e = g.firstInputRow + q * z;
        // A single output runs straight on to the inverter, on its own row.
        const int end = count == 1 ? g.gx + 1 - z : g.gx - z + 1;
        wires.push_back({{{start, b}, {g.xs[q], b}, {g.xs[q], e}, {end, e}}});
      }
      break;
    }
  }
  return wires;
}

/// The clear style's collecting gate, its inverter and F; the wires are drawn apart.
void DrawClearGate(const Diagram& d, const std::vector<int>& flagged, Canvas& c) {
  const int z = d.zoom;
  const int count = static_cast<int>(flagged.size());
  if (count == 0) return;
  const ClearGate g = PlaceClearGate(d, flagged);
  const int gx = g.gx;
  int yo = g.firstInputRow;
  bool inverter = d.demux.polarity == 0;
  int x = 0;  // where the output line (or the single wire) reaches the inverter
  c.SetPenColor(kBlack);
  c.SetBrushStyle(BrushStyle::kClear);
  if (count >= 2) {
    const int last = g.firstInputRow + (count - 1) * z;
    yo = (g.firstInputRow + last) / 2;
    const int top = yo - z, bottom = yo + z;
    c.Line(gx, std::min(top, g.firstInputRow - z / 2), gx, std::max(bottom, last + z / 2) + 1);
    for (int q = 0; q < count; ++q) {
      const int e = g.firstInputRow + q * z;
      c.Line(gx, e, gx - z, e);
    }
    c.Line(gx, top, gx + z / 2, top);
    c.Line(gx, bottom, gx + z / 2, bottom);
    const int x2 = TruncDiv(10LL * gx + 15LL * z, 10);
    const int cx = (gx - z / 2 + x2) / 2;
    c.Arc(gx - z / 2, top, x2, bottom, cx, bottom + z, cx, top - z);
    c.Line(gx + z + z / 2, yo, gx + 3 * z, yo);
    c.SetBrush(BrushStyle::kSolid, kWhite);
    c.Ellipse(gx + z + z / 2, yo - z / 3, gx + z + z / 2 + (2 * z) / 3, yo + z / 3);
    c.SetBrushStyle(BrushStyle::kClear);
    x = gx + 3 * z;
  } else {
    inverter = d.demux.polarity == 1;
    x = gx + 1 - z;
  }
  if (inverter) {
    c.Polygon({{x, yo - z / 2}, {x + z, yo}, {x, yo + z / 2}, {x, yo - z / 2}});
    c.SetBrush(BrushStyle::kSolid, kWhite);
    c.Ellipse(x + z - 1, yo - z / 3, x + z - 1 + (2 * z) / 3, yo + z / 3);
    c.SetBrushStyle(BrushStyle::kClear);
    c.Line(x + z + (2 * z) / 3 - 2, yo, x + 2 * z + (2 * z) / 3, yo);
    x += 2 * z + (2 * z) / 3;
  } else if (count == 1) {
    c.Line(x, yo, x + 2 * z, yo);
    x += 2 * z;
  }
  c.TextOut(x + z / 2, yo - c.TextHeight("F") / 2, "F");
}

}  // namespace

void DrawDemux(const Diagram& d, Canvas& c) {
  const int z = d.zoom;
  const DemuxRecord& r = d.demux;
  const int n = r.outputCount, a = r.addressCount;
  std::vector<int> flagged;
  for (int o = 0; o < n; ++o)
    if (r.outputFlags[o] == 1) flagged.push_back(o);
  const int count = static_cast<int>(flagged.size());

  const DemuxSymbolText labels{r.addressLabels, std::string("1")};
  DrawDemuxSymbol(c, 4 * z, 3 * z, a, n, labels, z, d.style);
  // Texts are written on a clear brush: a white text cell would cut into the lines near it.
  c.SetBrushStyle(BrushStyle::kClear);
  switch (d.style) {
    case DiagramStyle::kExact:
      break;
    case DiagramStyle::kClear:
      DrawClearGate(d, flagged, c);
      for (const std::array<Point, 4>& w : DemuxWires(d, flagged))
        for (int i = 0; i < 3; ++i) c.Line(w[i].x, w[i].y, w[i + 1].x, w[i + 1].y);
      return;
  }

  // The collecting gate. Its first input row is also the row the first wire arrives at.
  int gx = 19 * z;
  const int gy = ExactGateTop(d, count);
  const int firstInputRow = gy + z / 2;
  int yo = 0;  // the output row
  bool inverter = r.polarity == 0;
  c.SetPenColor(kBlack);
  if (count >= 2) {
    c.Line(gx, gy, gx, gy + ((count + 1) * z) / 2);
    c.Line(gx, gy + ((count + 1) * z) / 2, gx, gy + 2 * z);
    for (int i = 0; i < count; ++i)
      c.Line(gx, gy + z / 2 + (i * z) / 2, gx - z, gy + z / 2 + (i * z) / 2);
    const int rr = count > 3 ? ((count - 3) * z) / 4 : 0;
    c.Line(gx, gy + rr, gx + z / 2, gy + rr);
    c.Line(gx, gy + 2 * z + rr, gx + z / 2, gy + 2 * z + rr);
    const int x2 = TruncDiv(10LL * gx + 15LL * z, 10);
    const int cx = (gx - z / 2 + x2) / 2;
    c.Arc(gx - z / 2, gy + rr, x2, gy + 2 * z + rr, cx, gy + 2 * z + rr + z, cx, gy + rr - z);
    yo = gy + z + rr;
    c.Line(gx + z + z / 2, yo, gx + 3 * z, yo);
    c.SetBrush(BrushStyle::kSolid, kWhite);
    c.Ellipse(gx + z + z / 2, yo - z / 3, gx + z + z / 2 + (2 * z) / 3, yo + z / 3);
    c.SetBrushStyle(BrushStyle::kClear);
  } else if (count == 1) {
    // No gate: the output moves left so that the inverter's base meets the end of the single
    // wire, on the wire's row. The active-low output alone is the function where the function
    // is 0 there (polarity 0) and its negation where it is 1 (polarity 1): the inverter is
    // drawn for polarity 1 only, as for a single-output collecting gate of the multiplexer-and-
    // demultiplexer structure.
    gx = gx + 1 - 4 * z;
    yo = firstInputRow;
    inverter = r.polarity == 1;
  }
  if (count >= 1) {
    if (inverter) {
      c.Polygon({{gx + 3 * z, yo - z / 2},
                 {gx + 4 * z, yo},
                 {gx + 3 * z, yo + z / 2},
                 {gx + 3 * z, yo - z / 2}});
      c.SetBrush(BrushStyle::kSolid, kWhite);
      c.Ellipse(gx + 4 * z - 1, yo - z / 3, gx + 4 * z - 1 + (2 * z) / 3, yo + z / 3);
      c.SetBrushStyle(BrushStyle::kClear);
      c.Line(gx + (2 * z) / 3 + 4 * z - 2, yo, gx + (2 * z) / 3 + 5 * z, yo);
      c.TextOut(gx + 6 * z, yo - c.TextHeight("F") / 2, "F");
    } else if (count == 1) {
      // The wire runs on through the place of the inverter.
      c.Line(gx + 3 * z, yo, gx + (2 * z) / 3 + 5 * z, yo);
      c.TextOut(gx + 6 * z, yo - c.TextHeight("F") / 2, "F");
    } else {
      c.TextOut(TruncDiv(10LL * gx + 35LL * z, 10), yo - c.TextHeight("F") / 2, "F");
    }
  }

  // Wires from the flagged outputs to the gate's inputs, each in a channel of its own.
  for (int q = 0; q < count; ++q) {
    const std::array<Point, 4> w = ExactWire(d, flagged, q);
    for (int i = 0; i < 3; ++i) c.Line(w[i].x, w[i].y, w[i + 1].x, w[i + 1].y);
  }
}

void DrawDemuxState(const Diagram& d, const CircuitState& state, Canvas& c) {
  const int z = d.zoom;
  const DemuxRecord& r = d.demux;
  if (static_cast<int>(state.demuxOutputs.size()) != r.outputCount) return;
  std::vector<int> flagged;
  for (int o = 0; o < r.outputCount; ++o)
    if (r.outputFlags[o] == 1) flagged.push_back(o);
  // The outputs are active low: the addressed one carries 0, the others 1.
  const std::vector<std::array<Point, 4>> wires = DemuxWires(d, flagged);
  for (size_t q = 0; q < flagged.size(); ++q)
    ValuePath(c, {wires[q].begin(), wires[q].end()}, !state.demuxOutputs[flagged[q]]);
  DrawDemuxSymbolState(c, 4 * z, 3 * z, r.addressCount, r.addressLabels, state, z);
}

std::vector<LabelBox> DemuxLabelBoxes(const Diagram& d) {
  const int z = d.zoom;
  const DemuxRecord& r = d.demux;
  std::vector<LabelBox> boxes;
  const int y = 3 * z + (r.outputCount + 2) * z;
  for (int i = 0; i < r.addressCount; ++i) {
    const int ax = 4 * z + (i + 1) * z;
    boxes.push_back({ax - z / 2, y - z, ax + z / 2, y + z, r.addressLabels[i]});
  }
  return boxes;
}

}  // namespace kestrel

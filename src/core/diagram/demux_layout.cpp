// The demultiplexer layout: the demultiplexer with its enable symbol and active-low outputs on
// the left, the collecting gate on the right, and one wire per flagged output, each in a
// vertical channel of its own half a grid unit from its neighbours.

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

/// The corners of the wire from the q-th flagged output to the collecting gate's input q.
std::array<Point, 4> DemuxWire(const Diagram& d, const std::vector<int>& flagged, int q) {
  const int z = d.zoom;
  const DemuxRecord& r = d.demux;
  const int n = r.outputCount, a = r.addressCount;
  const int count = static_cast<int>(flagged.size());
  const int t = ((n + 2) * z - (n * z) / 2) / 2 + 3 * z - z / 2;
  const int u = (z * (n - count)) / 2;
  const int firstInputRow = t + u / 2 + z / 2;
  const int first = count > 0 ? flagged[0] : 0;
  const int l = flagged[q];
  const int e = firstInputRow + (q * z) / 2;
  const int b = 4 * z + l * z;
  const int ch = e < b ? q + n - count - 1 : n - (first + q) - 1;
  const int xd = z * (a + 6) - 1 + ch * (z / 2) - 1;
  return {{{z * (a + 6) - 2, b}, {xd, b}, {xd, e}, {18 * z + 1, e}}};
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
  DrawDemuxSymbol(c, 4 * z, 3 * z, a, n, labels, z);
  // Texts are written on a clear brush: a white text cell would cut into the lines near it.
  c.SetBrushStyle(BrushStyle::kClear);

  // The collecting gate. Its first input row is also the row the first wire arrives at.
  int gx = 19 * z;
  const int t = ((n + 2) * z - (n * z) / 2) / 2 + 3 * z - z / 2;
  const int u = (z * (n - count)) / 2;
  const int gy = t + u / 2;
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
    const std::array<Point, 4> w = DemuxWire(d, flagged, q);
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
  for (size_t q = 0; q < flagged.size(); ++q) {
    const std::array<Point, 4> w = DemuxWire(d, flagged, static_cast<int>(q));
    ValuePath(c, {w.begin(), w.end()}, !state.demuxOutputs[flagged[q]]);
  }
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

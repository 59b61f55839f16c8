// The multiplexer-and-demultiplexer layout: the shared demultiplexer on top, its output rows
// running right as a bus; the collecting gates below the bus, each in a column of its own,
// pointing down; the multiplexer at the bottom, turned a quarter turn with its data inputs on
// top; constants and literals on label columns left of the multiplexer. Every point where a
// wire leaves a line that runs on is marked with a junction dot. The clear style spaces the bus
// rows with the zoom and puts the multiplexer right under them.

#include <algorithm>

#include "diagram/demux_symbol.h"
#include "diagram/diagram.h"
#include "diagram/symbols.h"
#include "diagram/value_style.h"
#include "engine/simulation.h"
#include "function/function_text.h"

namespace kestrel {

namespace {

/// What feeds one multiplexer data input.
enum class Feed { kLabel, kMinterm, kGate, kNone };

struct InputPlan {
  Feed feed = Feed::kNone;
  int column = -1;  ///< label column of a label input
};

struct Plan {
  int dA = 0, dN = 0, mA = 0, mM = 0;
  std::vector<InputPlan> inputs;
  int maxCol = -1;
  int xd = 0, p3 = 0, p4 = 0;
  DiagramStyle style = DiagramStyle::kExact;
  int z = 0;
  int y0 = 0;  ///< the multiplexer's top

  /// The bus row of the wire into input g counted by v (v = maxCol + 2 + g): a quarter grid
  /// unit apart below the collecting gates; in the clear style a channel spacing apart.
  int BusRow(int v) const {
    switch (style) {
      case DiagramStyle::kExact:
        break;
      case DiagramStyle::kClear:
        return p4 + 8 * z + (v - maxCol - 2) * ChannelSpacing(style, z);
    }
    return TruncDiv(4LL * p4 + 30LL * z + static_cast<long long>(v) * z, 4);
  }
  /// The row where the label inputs of column k turn to their column: below every bus row,
  /// column 0 lowest.
  int LabelRow(int k) const {
    switch (style) {
      case DiagramStyle::kExact:
        break;
      case DiagramStyle::kClear:
        return y0 - z - k * ChannelSpacing(style, z);
    }
    return TruncDiv(2LL * p4 + 31LL * z - (z / 2) * k, 2);
  }
};

int FlaggedCount(const CollectingGate& gate, int dN) {
  int count = 0;
  for (int o = 0; o < dN; ++o)
    if (gate.outputFlags[o] == 1) ++count;
  return count;
}

Plan MakePlan(const Diagram& d) {
  Plan p;
  const int z = d.zoom;
  p.dA = d.demuxPart.addressCount;
  p.dN = d.demuxPart.outputCount;
  p.mA = d.muxDemux.addressCount;
  p.mM = d.muxDemux.inputCount;
  const int threshold = p.dA == 1 ? 1 : 2;
  std::vector<std::string> columnLabels;
  for (int i = 0; i < p.mM; ++i) {
    InputPlan in;
    const std::string& label = d.muxDemux.inputLabels[i];
    const int vars = CountVariables(label);
    if (d.muxDemux.gateIndex[i] != 0) {
      in.feed = Feed::kGate;
    } else if (vars < threshold) {
      in.feed = Feed::kLabel;
      auto it = std::find(columnLabels.begin(), columnLabels.end(), label);
      in.column = static_cast<int>(it - columnLabels.begin());
      if (it == columnLabels.end()) columnLabels.push_back(label);
      p.maxCol = std::max(p.maxCol, in.column);
    } else if (vars > 1) {
      in.feed = Feed::kMinterm;
    }
    p.inputs.push_back(in);
  }
  p.xd = (p.maxCol + 5) * z;
  p.p3 = (p.dA + 2) * z + p.xd;
  p.p4 = (p.dN + 1) * z + 3 * z;
  p.style = d.style;
  p.z = z;
  switch (d.style) {
    case DiagramStyle::kExact:
      p.y0 = p.p4 + 17 * z;
      break;
    case DiagramStyle::kClear:  // no blank rows between the bus and the multiplexer
      p.y0 = p.p4 + 8 * z + (p.mM + p.maxCol + 1) * ChannelSpacing(d.style, z) + z;
      break;
  }
  return p;
}

/// The rightmost x that a collecting gate in the column starting at bx draws on.
int CollectingGateRight(const CollectingGate& gate, int dN, int bx, int z) {
  const int jf = FlaggedCount(gate, dN);
  const int g = std::max(3, jf);
  int right = bx + z / 2 + (z * std::max(0, jf - 1)) / 2;  // the last input
  right = std::max(right, bx + z / 2 + z / 3);             // a single output's inverter
  if (jf != 1) {
    const int cx = bx + ((g * z) / 2) / 2;
    right = std::max(right, bx + (g * z) / 2 + (jf < 3 ? 10 : z) - 10);  // the top edge
    right = std::max(right, cx + (4 * z) / 15 + z / 2);                  // the body
  }
  return right;
}

/// One collecting gate in the column starting at bx; returns the x of its output line, which
/// ends at row y1 + 6.5z.
int DrawCollectingGate(Canvas& c, const CollectingGate& gate, int dN, int bx, int y1, int p3, int z,
                       JunctionPoints& junctions, DiagramStyle style) {
  const int jf = FlaggedCount(gate, dN);
  const int g = std::max(3, jf);
  int out = 0;
  bool inverter = false;
  c.SetPenColor(kBlack);
  c.SetBrushStyle(BrushStyle::kClear);
  if (jf == 1) {
    c.Line(bx + z / 2, y1 + z / 2, bx + z / 2, y1 + z / 2 + 2 * z);
    out = bx + z / 2;
    inverter = gate.polarity == 1;
  } else {
    const int cx = bx + ((g * z) / 2) / 2;
    const int r15 = (4 * z) / 15;
    const int hw = r15 + z / 2;
    c.Line(jf < 3 ? bx : bx - z + 10, y1 + z, bx + (g * z) / 2 + (jf < 3 ? 10 : z) - 10, y1 + z);
    c.Arc(cx - hw, y1, cx + hw, y1 + 2 * z, cx - r15, y1 + z, cx + r15, y1 + z);
    switch (style) {
      case DiagramStyle::kExact:
        c.Line(cx - hw, y1 + z - 1, cx - hw, y1 + z + 1);
        c.Line(cx + hw, y1 + z - 1, cx + hw, y1 + z + 1);
        break;
      case DiagramStyle::kClear:  // no ticks: an input may pass a pixel or two from them
        break;
    }
    c.SetBrush(BrushStyle::kSolid, kWhite);
    c.Ellipse(cx - r15, y1 + 2 * z - z / 15, cx + r15, y1 + 2 * z + (7 * z) / 15);
    c.SetBrushStyle(BrushStyle::kClear);
    out = bx + (g * z) / 4;
    inverter = gate.polarity == 0;
  }

  // Inputs: from the top edge up to the demultiplexer's output rows.
  int h = 0;
  for (int o = 0; o < dN; ++o) {
    if (gate.outputFlags[o] != 1) continue;
    const int x = bx + z / 2 + (z * h) / 2;
    const int row = 4 * z + o * z;
    c.Line(x, y1 + z, x, row);
    junctions.Add(x, row);
    c.Line(x, row, p3 - 1, row);
    ++h;
  }

  const int top = y1 + 2 * z + (7 * z) / 15 - 1;
  const int end = TruncDiv(10LL * y1 + 65LL * z, 10);
  if (inverter) {
    const int rb = (3 * z) / 15;
    c.Line(out, top, out, y1 + 5 * z);
    c.Polygon({{out - z / 3, y1 + 5 * z},
               {out + z / 3, y1 + 5 * z},
               {out, y1 + 6 * z},
               {out - z / 3, y1 + 5 * z}});
    c.SetBrush(BrushStyle::kSolid, kWhite);
    c.Ellipse(out - rb, y1 + 6 * z - rb, out + rb, y1 + 6 * z + rb);
    c.SetBrushStyle(BrushStyle::kClear);
    c.Line(out, y1 + 6 * z + rb - 1, out, end);
  } else {
    c.Line(out, top, out, end);
  }
  return out;
}

}  // namespace

void LayoutMuxDemux(Diagram& d, const ResultStore& store) {
  d.muxDemux = store.muxDemux();
  d.demuxPart = store.demuxPart();
  d.gates = store.collectingGates();
  if (d.gates.size() > static_cast<size_t>(kMaxCollectingGates))
    d.gates.resize(kMaxCollectingGates);
  MuxDemuxRecord& md = d.muxDemux;
  md.addressCount = std::clamp(md.addressCount, 0, 4);
  md.inputCount = std::clamp(md.inputCount, 0, 16);
  DemuxPart& dp = d.demuxPart;
  dp.addressCount = std::clamp(dp.addressCount, 0, 4);
  dp.outputCount = std::clamp(dp.outputCount, 0, 16);
  for (int i = 0; i < 16; ++i)
    if (md.gateIndex[i] < 0 || md.gateIndex[i] > static_cast<int>(d.gates.size()) ||
        i >= md.inputCount)
      md.gateIndex[i] = 0;
  if (md.inputCount == 0) return;
  d.kind = DiagramKind::kMuxDemux;

  const int z = d.zoom;
  const Plan p = MakePlan(d);
  // The width follows the columns as the drawing places them, with a grid unit to spare right
  // of the last one, and leaves room for the multiplexer's address labels.
  int width = p.p3 + z * (p.mM + 3);
  int k = p.maxCol + 2;
  for (int i = 0; i < p.mM; ++i) {
    if (p.inputs[i].feed == Feed::kMinterm) {
      width = std::max(width, p.p3 + (k + 1) * z + z / 3 + z);
      k += 1;
    } else if (p.inputs[i].feed == Feed::kGate) {
      const CollectingGate& gate = d.gates[md.gateIndex[i] - 1];
      width = std::max(width, CollectingGateRight(gate, p.dN, p.p3 + (k + 1) * z, z) + z);
      k += std::max(3, FlaggedCount(gate, p.dN)) + 2;
    }
  }
  d.width = width;
  d.height = (p.dN + 4) * z + (p.mA + 3) * z + 17 * z + z / 2;
}

void DrawMuxDemux(const Diagram& d, Canvas& c) {
  const int z = d.zoom;
  const Plan p = MakePlan(d);
  const MuxDemuxRecord& md = d.muxDemux;
  JunctionPoints junctions;
  const int y0 = p.y0;
  c.SetPenColor(kBlack);
  c.SetBrushStyle(BrushStyle::kClear);

  // Constants and literals: up from the multiplexer to the column's row, left to the column,
  // down to the label (through an inverter for a negated literal).
  const int labelY = y0 + (p.mA + 1) * z;
  std::vector<bool> columnDrawn(16, false);
  for (int i = 0; i < p.mM; ++i) {
    const InputPlan& in = p.inputs[i];
    if (in.feed != Feed::kLabel) continue;
    const int k = in.column;
    const int yk = p.LabelRow(k);
    const int xi = p.p3 + (i + 1) * z;
    const int xk = p.p3 - (k + 2) * z;
    c.Line(xi, y0, xi, yk);
    junctions.Add(xi, yk);
    c.Line(xi, yk, xk, yk);
    // The column itself and its label once, however many inputs share it.
    if (columnDrawn[k]) continue;
    columnDrawn[k] = true;
    std::string text = md.inputLabels[i];
    if (!text.empty() && text[0] == '~') {
      text.erase(0, 1);
      const int rb = (3 * z) / 15;
      c.Line(xk, labelY, xk, labelY - z);
      c.Polygon({{xk - z / 3, labelY - z},
                 {xk + z / 3, labelY - z},
                 {xk, labelY - 2 * z},
                 {xk - z / 3, labelY - z}});
      c.SetBrush(BrushStyle::kSolid, kWhite);
      c.Ellipse(xk - rb, labelY - 2 * z - rb, xk + rb, labelY - 2 * z + rb);
      c.SetBrushStyle(BrushStyle::kClear);
      c.Line(xk, labelY - 2 * z - rb, xk, yk);
    } else {
      c.Line(xk, yk, xk, labelY);
    }
    c.TextOut(xk - c.TextWidth(text) / 2, labelY, text);
  }

  // Minterms and collecting gates, each in its own column right of the bus start, each with
  // its own row of the bus down to the multiplexer.
  int k = p.maxCol + 2;
  int v = p.maxCol + 1;
  const int y1 = p.p4 + z;
  for (int g = 0; g < p.mM; ++g) {
    ++v;
    const InputPlan& in = p.inputs[g];
    const int busRow = p.BusRow(v);
    const int xg = p.p3 + (g + 1) * z;
    if (in.feed == Feed::kMinterm) {
      const int r = std::clamp(F2Dec(md.inputLabels[g]), 0, std::max(0, p.dN - 1));
      const int x = p.p3 + (k + 1) * z;
      const int row = 4 * z + r * z;
      c.Line(x, p.p4 + 6 * z, x, row);
      junctions.Add(x, row);
      c.Line(x, row, p.p3 - z, row);
      const int rb = (3 * z) / 15;
      c.Polygon({{x - z / 3, p.p4 + 6 * z},
                 {x + z / 3, p.p4 + 6 * z},
                 {x, p.p4 + 7 * z},
                 {x - z / 3, p.p4 + 6 * z}});
      c.SetBrush(BrushStyle::kSolid, kWhite);
      c.Ellipse(x - rb, p.p4 + 7 * z - rb, x + rb, p.p4 + 7 * z + rb);
      c.SetBrushStyle(BrushStyle::kClear);
      const int y75 = TruncDiv(2LL * p.p4 + 15LL * z, 2);
      c.Line(x, p.p4 + 7 * z + rb, x, y75);
      c.Line(x, y75, x, busRow);
      c.Line(x, busRow, xg, busRow);
      c.Line(xg, busRow, xg, y0);
      k += 1;
    } else if (in.feed == Feed::kGate) {
      const CollectingGate& gate = d.gates[md.gateIndex[g] - 1];
      const int out =
          DrawCollectingGate(c, gate, p.dN, p.p3 + (k + 1) * z, y1, p.p3, z, junctions, d.style);
      const int end = TruncDiv(10LL * y1 + 65LL * z, 10);
      c.Line(out, end, out, busRow);
      c.Line(out, busRow, xg, busRow);
      c.Line(xg, busRow, xg, y0);
      k += std::max(3, FlaggedCount(gate, p.dN)) + 2;
    }
  }

  // The demultiplexer.
  const DemuxSymbolText text{d.demuxPart.addressLabels, std::string("O1")};
  DrawDemuxSymbol(c, p.xd, 3 * z, p.dA, p.dN, text, z, d.style);
  c.SetBrushStyle(BrushStyle::kClear);

  // The multiplexer, a quarter turn: data inputs on top, address lines on the right, the
  // output at the bottom.
  const int right = p.p3 + (p.mM + 1) * z;
  const int bottom = y0 + (p.mA + 1) * z;
  const int tip = p.p3 + ((p.mM + 1) * z) / 2;
  // The wedge first; the numbers inside the box are written over it on white.
  c.SetPenColor(kBlack);
  c.SetBrush(BrushStyle::kSolid, kWhite);
  c.Rectangle(p.p3, y0, right, bottom);
  c.SetBrushStyle(BrushStyle::kClear);
  std::vector<Box> inside;  // the clear style's texts inside the box; its wedge comes last
  switch (d.style) {
    case DiagramStyle::kExact:
      c.Line(p.p3, y0, tip, bottom);
      c.Line(tip, bottom, right, y0);
      break;
    case DiagramStyle::kClear:
      break;
  }
  c.Line(tip, bottom, tip, bottom + z);
  c.TextOut(tip - c.TextWidth("F") / 2, y0 + (p.mA + 2) * z, "F");
  Box above;  // the glyphs of the last input's number, then of each "A" number in turn
  for (int i = 0; i < p.mM; ++i) {
    const int xi = p.p3 + (i + 1) * z;
    c.Line(xi, y0, xi, y0 - z);
    const std::string number = std::to_string(i);
    LabelOnWhite(c, xi - c.TextWidth(number) / 2, y0 + 1, number);
    above = InkAt(c, xi - c.TextWidth(number) / 2, y0 + 1, number);
    inside.push_back(above);
  }
  // The "A" numbers stand right-aligned under the last input's number; at small zooms they
  // move down just far enough to keep clear of it and of each other.
  for (int j = 0; j < p.mA; ++j) {
    const int yj = y0 + (j + 1) * z;
    c.Line(right, yj, right + z, yj);
    const std::string number = "A" + std::to_string(p.mA - 1 - j);
    const int left = right - 1 - c.TextWidth(number);
    int top = yj - c.TextHeight(number) / 2;
    const Box own = InkAt(c, left, top, number);
    if (ColumnsOverlap(own, above)) top = TopClearBelow(top, own, above);
    LabelOnWhite(c, left, top, number);
    above = InkAt(c, left, top, number);
    inside.push_back(above);
    const std::string& label = md.addressLabels[j];
    c.TextOut(right + z + 1, yj - c.TextHeight(label) / 2, label);
  }
  c.Rectangle(p.p3, y0, right, bottom);
  WedgeAroundTexts(c, {{p.p3, y0}, {tip, bottom}, {right, y0}}, d.style, inside, z);

  junctions.Draw(c, d.style, z);
  c.SetBrushStyle(BrushStyle::kClear);
}

void DrawMuxDemuxState(const Diagram& d, const CircuitState& state, Canvas& c) {
  const int z = d.zoom;
  const Plan p = MakePlan(d);
  if (state.nodes.size() != 1 || static_cast<int>(state.demuxOutputs.size()) != p.dN) return;
  const NodeState& mux = state.nodes[0];
  if (static_cast<int>(mux.inputs.size()) != p.mM) return;
  DrawDemuxSymbolState(c, p.xd, 3 * z, p.dA, d.demuxPart.addressLabels, state, z);
  const MuxDemuxRecord& md = d.muxDemux;
  const int y0 = p.y0;

  // The wires into the multiplexer, along the paths DrawMuxDemux draws them: label columns, the
  // minterms' and collecting gates' bus rows, and each collecting gate's inputs from the
  // demultiplexer's output rows (active low: the addressed row carries 0).
  for (int i = 0; i < p.mM; ++i) {
    if (p.inputs[i].feed != Feed::kLabel) continue;
    const int k = p.inputs[i].column;
    const int yk = p.LabelRow(k);
    const int xi = p.p3 + (i + 1) * z;
    ValuePath(c, {{xi, y0 - z}, {xi, yk}, {p.p3 - (k + 2) * z, yk}}, mux.inputs[i]);
  }
  int k = p.maxCol + 2;
  int v = p.maxCol + 1;
  const int y1 = p.p4 + z;
  for (int g = 0; g < p.mM; ++g) {
    ++v;
    const InputPlan& in = p.inputs[g];
    const int busRow = p.BusRow(v);
    const int xg = p.p3 + (g + 1) * z;
    if (in.feed == Feed::kMinterm) {
      const int r = std::clamp(F2Dec(md.inputLabels[g]), 0, std::max(0, p.dN - 1));
      const int x = p.p3 + (k + 1) * z;
      const int row = 4 * z + r * z;
      ValuePath(c, {{p.p3, row}, {x, row}, {x, p.p4 + 6 * z}}, !state.demuxOutputs[r]);
      const int y75 = TruncDiv(2LL * p.p4 + 15LL * z, 2);
      ValuePath(c, {{x, y75}, {x, busRow}, {xg, busRow}, {xg, y0 - z}}, mux.inputs[g]);
      k += 1;
    } else if (in.feed == Feed::kGate) {
      const CollectingGate& gate = d.gates[md.gateIndex[g] - 1];
      const int bx = p.p3 + (k + 1) * z;
      int h = 0;
      for (int o = 0; o < p.dN; ++o) {
        if (gate.outputFlags[o] != 1) continue;
        const int x = bx + z / 2 + (z * h) / 2;
        const int row = 4 * z + o * z;
        ValuePath(c, {{p.p3, row}, {x, row}, {x, y1 + z}}, !state.demuxOutputs[o]);
        ++h;
      }
      const int jf = FlaggedCount(gate, p.dN);
      const int out = jf == 1 ? bx + z / 2 : bx + (std::max(3, jf) * z) / 4;
      const int end = TruncDiv(10LL * y1 + 65LL * z, 10);
      ValuePath(c, {{out, end}, {out, busRow}, {xg, busRow}, {xg, y0 - z}}, mux.inputs[g]);
      k += std::max(3, jf) + 2;
    }
  }

  // The multiplexer: its data input stubs, address lines, the selected input joined to the
  // output, and the output.
  const int right = p.p3 + (p.mM + 1) * z;
  const int bottom = y0 + (p.mA + 1) * z;
  const int tip = p.p3 + ((p.mM + 1) * z) / 2;
  for (int i = 0; i < p.mM; ++i) {
    const int xi = p.p3 + (i + 1) * z;
    ValueLine(c, {xi, y0 - z}, {xi, y0}, mux.inputs[i]);
  }
  for (int j = 0; j < p.mA; ++j) {
    const int yj = y0 + (j + 1) * z;
    ValueLine(c, {right + 1, yj}, {right + z, yj}, mux.address[j]);
  }
  ValueLine(c, {tip, bottom}, {tip, bottom + z}, state.output);
  if (!mux.selectedInput || *mux.selectedInput >= p.mM) return;
  const int xs = p.p3 + (*mux.selectedInput + 1) * z;
  const bool routed = mux.inputs[*mux.selectedInput];
  ValueLine(c, {xs, y0}, {tip, bottom - 1}, routed);
  c.SetPenColor(routed ? kValueOneColor : kValueZeroColor);
  c.SetBrush(BrushStyle::kSolid, routed ? kValueOneColor : kValueZeroColor);
  c.Ellipse(xs - 3, y0 - 3, xs + 4, y0 + 4);
  c.SetPenColor(kBlack);
  c.SetBrushStyle(BrushStyle::kClear);
}

std::vector<LabelBox> MuxDemuxLabelBoxes(const Diagram& d) {
  const int z = d.zoom;
  const Plan p = MakePlan(d);
  std::vector<LabelBox> boxes;
  const int y = 3 * z + (p.dN + 2) * z;
  for (int i = 0; i < p.dA; ++i) {
    const int ax = p.xd + (i + 1) * z;
    boxes.push_back({ax - z / 2, y - z, ax + z / 2, y + z, d.demuxPart.addressLabels[i]});
  }
  const int y0 = p.y0;
  const int right = p.p3 + (p.mM + 1) * z;
  for (int j = 0; j < p.mA; ++j) {
    const int yj = y0 + (j + 1) * z;
    boxes.push_back({right, yj - z / 2, right + 3 * z, yj + z / 2, d.muxDemux.addressLabels[j]});
  }
  const int labelY = y0 + (p.mA + 1) * z;
  for (int i = 0; i < p.mM; ++i) {
    if (p.inputs[i].feed != Feed::kLabel) continue;
    const int xk = p.p3 - (p.inputs[i].column + 2) * z;
    boxes.push_back({xk - z / 2, labelY - z, xk + z / 2, labelY + z, d.muxDemux.inputLabels[i]});
  }
  return boxes;
}

}  // namespace kestrel

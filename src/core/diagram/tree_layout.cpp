// The tree layout of the Multiplexer structure (with or without gates) and the Multiplexer
// Tree: one column per tree level, the output node in the rightmost column, children placed in
// list order down their column, and right-angle wires from each child to its parent's input,
// every wire into a column in a channel of its own. The clear style centres each node over its
// children and lets wires whose runs keep apart share a channel.

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <tuple>
#include <utility>

#include "diagram/diagram.h"
#include "diagram/symbols.h"
#include "diagram/value_style.h"
#include "engine/simulation.h"
#include "function/function_text.h"

namespace kestrel {

namespace {

constexpr int kLevels = 16;
/// Input slots of a node record.
constexpr int kNodeInputs = static_cast<int>(std::tuple_size_v<decltype(NodeRecord::childId)>);

/// The node's child feeding input j, or nullptr when the input shows its label (or names no
/// node of the list).
const NodeRecord* Child(const std::vector<NodeRecord>& nodes, const NodeRecord& node, int j) {
  const int id = node.childId[j];
  if (id < 1 || id > static_cast<int>(nodes.size()) || id == node.id) return nullptr;
  return &nodes[id - 1];
}

/// Brings every field the drawing relies on into its range.
NodeRecord Sanitized(const NodeRecord& in, int id, int count) {
  NodeRecord n = in;
  n.id = id;
  n.kind = (n.kind >= NodeKind::kMux && n.kind <= NodeKind::kNor) ? n.kind : NodeKind::kMux;
  n.inputCount = std::clamp(n.inputCount, 0, 16);
  n.addressCount = std::clamp(n.addressCount, 0, 4);
  n.level = std::clamp(n.level, 0, kLevels - 1);
  for (int j = 0; j < 16; ++j) {
    if (n.childId[j] < 0 || n.childId[j] > count || n.childId[j] == id || j >= n.inputCount)
      n.childId[j] = 0;
    n.inputNegated[j] = n.inputNegated[j] == 1 && n.childId[j] != 0 ? 1 : 0;
  }
  n.outputNegated = n.outputNegated == 1 ? 1 : 0;
  return n;
}

int ComplexInputs(const NodeRecord& node, int upTo) {
  int count = 0;
  for (int j = 0; j < upTo && j < node.inputCount; ++j)
    if (CountVariables(node.inputLabels[j]) > 1) ++count;
  return count;
}

/// Per node, the many-variable inputs of the nodes above it in its column.
std::vector<int> ComplexInputsAbove(const std::vector<NodeRecord>& nodes) {
  std::vector<int> above(nodes.size(), 0);
  std::vector<int> columnSum(kLevels, 0);
  for (size_t i = 0; i < nodes.size(); ++i) {
    above[i] = columnSum[nodes[i].level];
    columnSum[nodes[i].level] += ComplexInputs(nodes[i], 16);
  }
  return above;
}

/// The x of the vertical channel of the wire from child to a parent input, for offset k.
int ChannelX(const NodeRecord& child, const NodeRecord& parent, int k, int z) {
  if (child.kind != NodeKind::kMux && parent.kind == NodeKind::kMux) return child.x + 6 * z + k;
  return child.x + (child.addressCount + (child.kind == NodeKind::kMux ? 0 : 2) + 1) * z + k;
}

/// The number of label columns a multiplexer opens: one per distinct label of its inputs
/// without a child.
int LabelColumns(const NodeRecord& node) {
  std::vector<std::string> seen;
  for (int j = 0; j < node.inputCount; ++j)
    if (node.childId[j] == 0 &&
        std::find(seen.begin(), seen.end(), node.inputLabels[j]) == seen.end())
      seen.push_back(node.inputLabels[j]);
  return static_cast<int>(seen.size());
}

/// A label column of a multiplexer: its x, the rows it covers (from the input that opens it
/// down to the label text) and whether an inverter stands in it.
struct LabelColumnSpan {
  int x = 0, top = 0, bottom = 0;
  bool inverted = false;
};

/// The label columns a multiplexer opens, as DrawMux opens them: from the bottom input upward,
/// one per distinct label of the inputs without a child.
std::vector<LabelColumnSpan> LabelColumnSpans(const NodeRecord& node, int z) {
  std::vector<LabelColumnSpan> spans;
  std::vector<std::string> seen;
  const int bottom = node.y + (node.inputCount + 2) * z;
  for (int i = node.inputCount - 1; i >= 0; --i) {
    const std::string& label = node.inputLabels[i];
    if (node.childId[i] != 0 || std::find(seen.begin(), seen.end(), label) != seen.end()) continue;
    seen.push_back(label);
    const int x = LabelColumnX(node, static_cast<int>(seen.size()) - 1, z, DiagramStyle::kExact);
    spans.push_back({x, node.y + (i + 1) * z, bottom, !label.empty() && label[0] == '~'});
  }
  return spans;
}

/// The rows the vertical channel of the wire from child into input j of parent covers.
std::pair<int, int> ChannelRows(const NodeRecord& child, const NodeRecord& parent, int j, int z) {
  const int hC = ((child.inputCount + 1) * z) / 2;
  const bool parentMux = parent.kind == NodeKind::kMux;
  int from = 0, to = 0;
  if (child.kind != NodeKind::kMux && parentMux) {
    from = child.y + hC / 2;
    to = parent.y + (j + 1) * z;
  } else {
    const int dP = parentMux ? 1 : 2;
    from = child.y + hC / dP;
    to = parent.y + ((j + 1) * z) / dP;
  }
  return {std::min(from, to), std::max(from, to)};
}

/// True when the channel at x over rows [top, bottom] runs on (or within a pixel of) a label
/// column of a multiplexer in the parent's column, or through the inverter in one.
bool OnLabelColumn(const std::vector<NodeRecord>& nodes, int level, int x, int top, int bottom,
                   int z) {
  for (const NodeRecord& m : nodes) {
    if (m.kind != NodeKind::kMux || m.level != level) continue;
    for (const LabelColumnSpan& col : LabelColumnSpans(m, z)) {
      const int reach = col.inverted ? z / 3 + 1 : 1;
      if (std::abs(x - col.x) <= reach && top <= col.bottom && col.top <= bottom) return true;
    }
  }
  return false;
}

/// The channel offset of every wire (index: node * kNodeInputs + input). Channels into a column
/// lie 3 pixels apart, counting the many-variable inputs of the nodes above the parent in its
/// column and of the parent's earlier inputs; with avoidColumns a channel that would run on a
/// label column moves on by whole channels, and so do the later ones into that column.
std::vector<int> ChannelOffsets(const std::vector<NodeRecord>& nodes, int z, bool avoidColumns) {
  std::vector<int> offsets(nodes.size() * kNodeInputs, 0);
  const std::vector<int> above = ComplexInputsAbove(nodes);
  std::vector<int> skipped(kLevels, 0);
  for (size_t p = 0; p < nodes.size(); ++p) {
    const NodeRecord& parent = nodes[p];
    for (int j = 0; j < parent.inputCount; ++j) {
      const NodeRecord* child = Child(nodes, parent, j);
      if (!child) continue;
      auto offset = [&] {
        return 3 * (above[p] + ComplexInputs(parent, j) + 1 + skipped[parent.level]) + z;
      };
      if (avoidColumns) {
        const auto [top, bottom] = ChannelRows(*child, parent, j, z);
        for (int guard = 0; guard < kNodeInputs &&
                            OnLabelColumn(nodes, parent.level,
                                          ChannelX(*child, parent, offset(), z), top, bottom, z);
             ++guard)
          ++skipped[parent.level];
      }
      offsets[p * kNodeInputs + j] = offset();
    }
  }
  return offsets;
}

/// Whether any channel runs on a label column.
bool RunsOnLabelColumn(const std::vector<NodeRecord>& nodes, const std::vector<int>& offsets,
                       int z) {
  for (size_t p = 0; p < nodes.size(); ++p) {
    const NodeRecord& parent = nodes[p];
    for (int j = 0; j < parent.inputCount; ++j) {
      const NodeRecord* child = Child(nodes, parent, j);
      if (!child) continue;
      const auto [top, bottom] = ChannelRows(*child, parent, j, z);
      const int x = ChannelX(*child, parent, offsets[p * kNodeInputs + j], z);
      if (OnLabelColumn(nodes, parent.level, x, top, bottom, z)) return true;
    }
  }
  return false;
}

/// How far the fullest column gap falls short of its channels: the last channel must stay
/// half a grid unit left of the parent's input stubs.
int Lack(const std::vector<NodeRecord>& nodes, const std::vector<int>& offsets, int z) {
  int lack = 0;
  for (size_t p = 0; p < nodes.size(); ++p) {
    const NodeRecord& parent = nodes[p];
    for (int j = 0; j < parent.inputCount; ++j) {
      const NodeRecord* child = Child(nodes, parent, j);
      if (!child || child->level <= parent.level) continue;
      const int x = ChannelX(*child, parent, offsets[p * kNodeInputs + j], z);
      lack = std::max(lack, x - (parent.x - z - z / 2));
    }
  }
  return lack;
}

/// One wire into a column, as the clear style orders it.
struct ColumnWire {
  size_t slot = 0;  ///< index into the offsets: node * kNodeInputs + input
  int from = 0;     ///< the row the wire leaves its child on
  int to = 0;       ///< the row it reaches its parent's input on
  int base = 0;     ///< the x its channel offset counts from
  int start = 0;    ///< the x it leaves its child at
};

/// The x left of which the channels into a column stay: clear of the parents' label columns,
/// their label texts and gate labels, by half a grid unit at least.
int ChannelLimit(const std::vector<NodeRecord>& nodes, int level, int z) {
  int limit = 1 << 28;
  for (const NodeRecord& n : nodes) {
    if (n.level != level) continue;
    if (n.kind == NodeKind::kMux) {
      const int columns = LabelColumns(n);
      limit = std::min(
          limit, columns == 0 ? n.x - z - z / 2
                              : LabelColumnX(n, columns - 1, z, DiagramStyle::kClear) - z - z / 2);
    } else {
      limit = std::min(limit, n.x - 3 * z - z / 2);
    }
  }
  return limit;
}

/// The clear style's channels: per column, the wires into it in the left-to-right order that
/// crosses and crowds fewest of them (OrderChannels), channels spaced with the zoom, the first a
/// grid unit right of where the rightmost wire leaves its child. Returns the offsets and how far
/// the fullest gap runs into its parents' labels.
std::pair<std::vector<int>, int> ClearChannelOffsets(const std::vector<NodeRecord>& nodes, int z) {
  std::vector<int> offsets(nodes.size() * kNodeInputs, 0);
  std::vector<std::vector<ColumnWire>> columns(kLevels);
  for (size_t p = 0; p < nodes.size(); ++p) {
    const NodeRecord& parent = nodes[p];
    for (int j = 0; j < parent.inputCount; ++j) {
      const NodeRecord* child = Child(nodes, parent, j);
      if (!child) continue;
      const std::array<Point, 4> path = TreeWirePath(*child, parent, j, 0, z, DiagramStyle::kClear);
      columns[parent.level].push_back(
          {p * kNodeInputs + j, path[0].y, path[3].y, path[1].x, path[0].x});
    }
  }
  const int spacing = ChannelSpacing(DiagramStyle::kClear, z);
  int lack = 0;
  for (int level = 0; level < kLevels; ++level) {
    std::vector<ColumnWire>& wires = columns[level];
    if (wires.empty()) continue;
    OrderChannels(wires, spacing);
    int first = 0;
    for (const ColumnWire& w : wires) first = std::max(first, w.start + z);
    // Wires whose vertical runs keep a channel spacing apart share a channel; of two that
    // would not, the one earlier in the order stands left.
    std::vector<int> track(wires.size(), 0);
    int tracks = 1;
    for (size_t i = 0; i < wires.size(); ++i) {
      const int lo = std::min(wires[i].from, wires[i].to),
                hi = std::max(wires[i].from, wires[i].to);
      for (size_t k = 0; k < i; ++k) {
        const int klo = std::min(wires[k].from, wires[k].to);
        const int khi = std::max(wires[k].from, wires[k].to);
        const bool near = (lo <= khi + spacing && klo <= hi + spacing) ||
                          std::abs(wires[k].to - wires[i].from) < spacing ||
                          std::abs(wires[k].from - wires[i].to) < spacing;
        if (near) track[i] = std::max(track[i], track[k] + 1);
      }
      tracks = std::max(tracks, track[i] + 1);
      offsets[wires[i].slot] = first + track[i] * spacing - wires[i].base;
    }
    const int last = first + (tracks - 1) * spacing;
    lack = std::max(lack, last - ChannelLimit(nodes, level, z));
  }
  return {offsets, lack};
}

/// The rows a node takes in its column, with the room below it before the next node.
int ColumnSpace(const NodeRecord& n, int z, DiagramStyle style) {
  if (n.kind == NodeKind::kMux) return z * (n.inputCount + 4);
  switch (style) {
    case DiagramStyle::kExact:
      break;
    case DiagramStyle::kClear:
      return GateHeight(n.inputCount, z, style) + z;
  }
  return (n.inputCount * z) / 2 + 2 * z;
}

/// The clear style's rows: column by column from the deepest, each node with children moves to
/// where its inputs face its children's outputs (centred on them, to the nearest grid unit, so
/// that the wires run short and straight where they can), but never up into the node above it;
/// nodes without children follow the node above. Then the whole picture moves so that its top node
/// keeps the top margin.
void AlignOverChildren(std::vector<NodeRecord>& nodes, int z) {
  for (int level = kLevels - 1; level >= 0; --level) {
    std::optional<int> floor;
    for (NodeRecord& n : nodes) {
      if (n.level != level) continue;
      std::optional<int> lo, hi;  // the tops that would face each child
      for (int j = 0; j < n.inputCount; ++j) {
        const NodeRecord* child = Child(nodes, n, j);
        if (!child || child->level <= level) continue;
        const std::array<Point, 4> path = TreeWirePath(*child, n, j, 0, z, DiagramStyle::kClear);
        const int facing = n.y + path[0].y - path[3].y;
        lo = lo ? std::min(*lo, facing) : facing;
        hi = hi ? std::max(*hi, facing) : facing;
      }
      int y = floor.value_or(3 * z);
      if (lo) {
        // On whole grid units, as every top is: all input and output rows then lie on the half
        // grid, so no two rows in a column gap come closer than half a grid unit.
        const int centre = *lo + *hi + z;  // twice the middle, plus half a unit twice
        const int units = centre >= 0 ? centre / (2 * z) : -((2 * z - 1 - centre) / (2 * z));
        y = floor ? std::max(*floor, units * z) : units * z;
      }
      n.y = y;
      floor = y + ColumnSpace(n, z, DiagramStyle::kClear);
    }
  }
  int top = nodes.front().y;
  for (const NodeRecord& n : nodes) top = std::min(top, n.y);
  for (NodeRecord& n : nodes) n.y += 3 * z - top;
}

/// The output line of a gate, from its body (or from its output inverter) to where the wire to
/// its parent starts, or to the end of F's line, in the style of what it carries.
void GateOutputState(Canvas& c, const NodeRecord& n, bool last, bool value, int z,
                     DiagramStyle style) {
  const int a = n.x, d = n.addressCount;
  const int e = n.y + GateOutputOffset(std::clamp(n.inputCount, 0, 16), z, style);
  const bool andShape = n.kind == NodeKind::kAnd || n.kind == NodeKind::kNand;
  int from = 0, to = 0;
  if (n.outputNegated == 1) {
    const int xb =
        andShape ? a + d * z + 2 * (z / 3) : TruncDiv(10LL * (a + z + 2 * (z / 3)) + 4LL * z, 10);
    const int xa = xb + z;
    from = TruncDiv(10LL * xa + 4LL * z - 10, 10);
    to = andShape ? TruncDiv(10LL * xa + 14LL * z + 20, 10)
                  : TruncDiv(10LL * xa + 10LL * z + 10, 10);
  } else {
    if (andShape)
      from = n.kind == NodeKind::kNand ? TruncDiv(10LL * a + 14LL * z, 10) : a + z;
    else
      from =
          n.kind == NodeKind::kNor ? TruncDiv(10LL * (a + z + z / 3) + 4LL * z, 10) : a + z + z / 3;
    to = andShape ? a + 2 * (z / 3) + (d + 3) * z : a + 4 * z + 2 * (z / 3);
  }
  if (!last) to = std::max(to, a + (d + 3) * z);  // the parent's wire starts there
  ValueLine(c, {from, e}, {to, e}, value);
}

}  // namespace

void LayoutTree(Diagram& d, const ResultStore& store) {
  const int z = d.zoom;
  const std::vector<NodeRecord>& source = store.nodes();
  const int count = std::min(static_cast<int>(source.size()), kMaxNodes);
  if (count == 0) return;
  d.kind = DiagramKind::kTree;
  std::vector<NodeRecord>& nodes = d.nodes;
  nodes.clear();
  for (int i = 0; i < count; ++i) nodes.push_back(Sanitized(source[i], i + 1, count));

  // Column measures over all nodes but the output node.
  int maxInputs = 0, maxLevel = 0;
  if (count == 1) {
    maxInputs = nodes[0].inputCount;
  } else {
    for (int i = 0; i + 1 < count; ++i) {
      maxInputs = std::max(maxInputs, nodes[i].inputCount);
      maxLevel = std::max(maxLevel, nodes[i].level);
    }
  }
  int colW = (maxInputs + 10) * z;
  switch (d.style) {
    case DiagramStyle::kExact:
      break;
    case DiagramStyle::kClear:
      // As wide as the widest symbol with its labels, and a grid unit; the gaps then widen by
      // what their wires need.
      colW = 0;
      for (const NodeRecord& n : nodes) {
        const int width = n.kind == NodeKind::kMux
                              ? (LabelColumns(n) + 2) * z + z / 2 + (n.addressCount + 2) * z
                              : 3 * z + (n.addressCount + 4) * z;
        colW = std::max(colW, width + z);
      }
      break;
  }
  if (count == 1) maxInputs = 4;

  // Order within levels.
  int counter[kLevels] = {};
  for (NodeRecord& n : nodes) n.order = counter[n.level]++;

  // Negations on connections move onto the children's outputs; two negations cancel.
  for (NodeRecord& parent : nodes) {
    for (int j = 0; j < parent.inputCount; ++j) {
      if (parent.inputNegated[j] != 1) continue;
      NodeRecord& child = nodes[parent.childId[j] - 1];
      child.outputNegated = child.outputNegated == 1 ? 0 : 1;
      parent.inputNegated[j] = 0;
    }
  }

  // Vertical positions: the nodes above in the same column, in order.
  std::vector<int> columnHeight(kLevels, 0);
  for (NodeRecord& n : nodes) {
    n.y = 3 * z + columnHeight[n.level];
    columnHeight[n.level] += ColumnSpace(n, z, d.style);
  }
  switch (d.style) {
    case DiagramStyle::kExact:
      break;
    case DiagramStyle::kClear:
      AlignOverChildren(nodes, z);
      break;
  }

  // Horizontal positions: deeper levels to the left.
  auto place = [&](int columnWidth, int shift) {
    for (NodeRecord& n : nodes) {
      const int column = maxLevel - std::min(n.level, maxLevel);
      if (d.useGates)
        n.x = column * columnWidth + 4 * z + (n.kind == NodeKind::kMux ? 2 * z : 0) + shift;
      else
        n.x = column * columnWidth + z * (maxInputs + 5) + shift;
    }
  };
  place(colW, 0);

  // Label columns left of a multiplexer (one grid unit each, the label centred under the
  // last) must not leave the picture.
  int leftmost = 0;
  for (const NodeRecord& n : nodes)
    if (n.kind == NodeKind::kMux)
      leftmost = std::min(leftmost, n.x - (LabelColumns(n) + FirstLabelColumnUnits(d.style)) * z);
  const int shift = -leftmost;
  switch (d.style) {
    case DiagramStyle::kExact: {
      // A column gap must hold the channels of all wires into the column. When it cannot (wide
      // trees: three pixels per wire), every column widens by what the fullest gap lacks, keeping
      // half a grid unit between the last channel and the parents' input stubs.
      std::vector<int> offsets = ChannelOffsets(nodes, z, false);
      int lack = Lack(nodes, offsets, z);
      int width = colW + std::max(0, lack);
      if (lack > 0 || shift > 0) place(width, shift);
      // A channel must not run on a label column it passes (the wire would read as the label's,
      // and an inverter of the column would sit on it): such a channel, and every later one into
      // its column, moves on by whole channels, widening the columns again where that needs room.
      if (RunsOnLabelColumn(nodes, offsets, z)) {
        for (int round = 0; round < 8; ++round) {
          offsets = ChannelOffsets(nodes, z, true);
          const int more = Lack(nodes, offsets, z);
          if (more <= 0) break;
          width += more;
          place(width, shift);
        }
        offsets = ChannelOffsets(nodes, z, true);
      }
      d.wireOffsets = std::move(offsets);
      break;
    }
    case DiagramStyle::kClear: {
      // Each gap widens by what its channels lack, and all columns with it.
      if (shift > 0) place(colW, shift);
      auto [offsets, lack] = ClearChannelOffsets(nodes, z);
      for (int width = colW, round = 0; lack > 0 && round < 4; ++round) {
        width += lack;
        place(width, shift);
        std::tie(offsets, lack) = ClearChannelOffsets(nodes, z);
      }
      d.wireOffsets = std::move(offsets);
      break;
    }
  }

  // Picture size.
  const NodeRecord& last = nodes.back();
  int w = d.useGates ? last.x + z * (last.addressCount + 4) : last.x + (last.inputCount + 1) * z;
  if (d.tab == StructureTab::kMuxTree) w = last.x + (last.addressCount + 3) * z;
  if (d.useGates && nodes.front().kind == NodeKind::kMux) w = last.x + z * (last.inputCount + 3);
  d.width = w + z;
  int h = 0;
  for (const NodeRecord& n : nodes) h = std::max(h, n.y + (n.inputCount + 1) * z);
  d.height = h + 4 * z;
}

void DrawTree(const Diagram& d, Canvas& c) {
  const int z = d.zoom;
  const std::vector<NodeRecord>& nodes = d.nodes;
  c.SetBrushStyle(BrushStyle::kClear);
  for (const NodeRecord& n : nodes) {
    if (n.kind == NodeKind::kMux)
      DrawMux(c, n, z, d.style);
    else
      DrawGate(c, n, z, d.style);
  }

  const NodeRecord& last = nodes.back();
  c.SetBrushStyle(BrushStyle::kClear);
  c.TextOut(last.x + z * (last.addressCount + 3) - z / 2, last.y + (last.inputCount / 2) * z - 1,
            "F");

  // Wires, each in the channel the layout chose.
  for (size_t p = 0; p < nodes.size(); ++p) {
    const NodeRecord& parent = nodes[p];
    for (int j = 0; j < parent.inputCount; ++j) {
      const NodeRecord* child = Child(nodes, parent, j);
      if (!child) continue;
      DrawTreeWire(c, *child, parent, j, d.wireOffsets[p * kNodeInputs + j], z, d.style);
    }
  }
}

void DrawTreeState(const Diagram& d, const CircuitState& state, Canvas& c) {
  const int z = d.zoom;
  const std::vector<NodeRecord>& nodes = d.nodes;
  if (state.nodes.size() != nodes.size()) return;  // the state of another circuit

  // Every wire carries what its parent's input sees (the layout moved the negations onto the
  // children's outputs, where the drawing shows them).
  std::vector<bool> carried(nodes.size(), state.output);  // what each node's output wire carries
  for (size_t p = 0; p < nodes.size(); ++p) {
    const NodeRecord& parent = nodes[p];
    const NodeState& ns = state.nodes[p];
    for (int j = 0; j < parent.inputCount && j < static_cast<int>(ns.inputs.size()); ++j) {
      const NodeRecord* child = Child(nodes, parent, j);
      if (!child) continue;
      const std::array<Point, 4> path =
          TreeWirePath(*child, parent, j, d.wireOffsets[p * kNodeInputs + j], z, d.style);
      ValuePath(c, {path.begin(), path.end()}, ns.inputs[j]);
      carried[child->id - 1] = ns.inputs[j];
    }
  }

  for (size_t p = 0; p < nodes.size(); ++p) {
    const NodeRecord& n = nodes[p];
    const NodeState& ns = state.nodes[p];
    const int m = std::min(n.inputCount, static_cast<int>(ns.inputs.size()));
    if (n.kind != NodeKind::kMux) {
      for (int j = 0; j < m; ++j) {
        const int yj = n.y + GateInputOffset(j, z, d.style);
        ValueLine(c, {n.x - z, yj}, {n.x, yj}, ns.inputs[j]);
      }
      GateOutputState(c, n, p + 1 == nodes.size(), carried[p], z, d.style);
      continue;
    }
    const int a = n.addressCount;
    const int boxRight = n.x + (a + 1) * z;
    const int mid = n.y + ((n.inputCount + 1) * z) / 2;
    for (int i = 0; i < m; ++i) {
      const int yi = n.y + (i + 1) * z;
      ValueLine(c, {n.x - z, yi}, {n.x, yi}, ns.inputs[i]);
    }
    for (int e = 0; e < a; ++e) {
      const int ax = n.x + (e + 1) * z;
      ValueLine(c, {ax, n.y + (n.inputCount + 1) * z + 1}, {ax, n.y + (n.inputCount + 2) * z},
                ns.address[e]);
    }
    if (!ns.selectedInput || *ns.selectedInput >= m) continue;
    // The selected data input joined to the output, and a dot on the input.
    const bool routed = ns.inputs[*ns.selectedInput];
    const int ys = n.y + (*ns.selectedInput + 1) * z;
    ValueLine(c, {n.x, ys}, {boxRight - 1, mid}, routed);
    ValueLine(c, {boxRight, mid}, {boxRight + z, mid}, routed);
    c.SetPenColor(routed ? kValueOneColor : kValueZeroColor);
    c.SetBrush(BrushStyle::kSolid, routed ? kValueOneColor : kValueZeroColor);
    c.Ellipse(n.x - 3, ys - 3, n.x + 4, ys + 4);
    c.SetPenColor(kBlack);
    c.SetBrushStyle(BrushStyle::kClear);
  }
}

std::vector<LabelBox> TreeLabelBoxes(const Diagram& d) {
  // A label is written centred under its line, a grid unit high and at most two wide.
  const int z = d.zoom;
  std::vector<LabelBox> boxes;
  for (const NodeRecord& n : d.nodes) {
    if (n.kind != NodeKind::kMux) continue;
    const int bigY = n.y + (n.inputCount + 2) * z;
    for (int e = 0; e < n.addressCount; ++e) {
      const int ax = n.x + (e + 1) * z;
      boxes.push_back({ax - z / 2, bigY, ax + z / 2, bigY + z, n.addressLabels[e]});
    }
    // The label columns, one per distinct label, opened from the bottom input upward.
    std::vector<std::string> seen;
    for (int i = n.inputCount - 1; i >= 0; --i) {
      const std::string& label = n.inputLabels[i];
      if (n.childId[i] != 0 || std::find(seen.begin(), seen.end(), label) != seen.end()) continue;
      seen.push_back(label);
      const int xc = LabelColumnX(n, static_cast<int>(seen.size()) - 1, z, d.style);
      boxes.push_back({xc - z / 2, bigY - z, xc + z / 2, bigY + z, label});
    }
  }
  return boxes;
}

}  // namespace kestrel

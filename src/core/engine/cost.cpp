#include "engine/cost.h"

#include <algorithm>
#include <string>
#include <vector>

#include "function/function_text.h"

namespace kestrel {

namespace {

bool IsNegatedLabel(const std::string& label) {
  return !label.empty() && label[0] == '~';
}

// Adds a gate of that many inputs.
void AddGate(CircuitCost& cost, int inputs) {
  ++cost.gates;
  cost.gateInputs += inputs;
}

void AddInverter(CircuitCost& cost) {
  AddGate(cost, 1);
  ++cost.inverters;
}

int SizeIndex(int addressCount) {
  return std::clamp(addressCount, 1, 4) - 1;
}

// One inverter per distinct negated label among the inputs that show a label (as the label
// columns of a multiplexer are drawn); returns how many.
template <typename ShowsLabel>
int NegatedLabelColumns(const std::array<std::string, 16>& labels, int inputs,
                        ShowsLabel&& showsLabel) {
  std::vector<std::string> seen;
  for (int i = 0; i < inputs && i < 16; ++i) {
    if (!showsLabel(i) || !IsNegatedLabel(labels[i])) continue;
    if (std::find(seen.begin(), seen.end(), labels[i]) == seen.end()) seen.push_back(labels[i]);
  }
  return static_cast<int>(seen.size());
}

CircuitCost MeasureTree(const ResultStore& store) {
  CircuitCost cost;
  const std::vector<NodeRecord>& nodes = store.nodes();
  const int count = static_cast<int>(nodes.size());
  // A negated input moves onto the output of the child feeding it; two negations cancel.
  std::vector<int> negated(count, 0);
  for (int i = 0; i < count; ++i) negated[i] = nodes[i].outputNegated == 1 ? 1 : 0;
  for (const NodeRecord& node : nodes)
    for (int j = 0; j < node.inputCount && j < 16; ++j) {
      const int child = node.childId[j];
      if (child >= 1 && child <= count && node.inputNegated[j] == 1) negated[child - 1] ^= 1;
    }
  // Children come before their parents, so depths are known when a parent is reached.
  std::vector<int> depth(count, 0);
  for (int i = 0; i < count; ++i) {
    const NodeRecord& node = nodes[i];
    int inputDepth = 0;
    for (int j = 0; j < node.inputCount && j < 16; ++j) {
      const int child = node.childId[j];
      if (child >= 1 && child <= i) inputDepth = std::max(inputDepth, depth[child - 1]);
    }
    switch (node.kind) {
      case NodeKind::kMux: {
        ++cost.multiplexers[SizeIndex(node.addressCount)];
        const int inverters = NegatedLabelColumns(node.inputLabels, node.inputCount,
                                                  [&](int j) { return node.childId[j] == 0; });
        for (int k = 0; k < inverters; ++k) AddInverter(cost);
        if (inverters > 0) inputDepth = std::max(inputDepth, 1);
        break;
      }
      case NodeKind::kAnd:
      case NodeKind::kOr:
      case NodeKind::kNand:
      case NodeKind::kNor:
        AddGate(cost, node.inputCount);
        break;
    }
    depth[i] = inputDepth + 1;
    if (negated[i]) {
      AddInverter(cost);
      ++depth[i];
    }
  }
  cost.levels = count > 0 ? depth[count - 1] : 0;
  return cost;
}

int FlaggedOutputs(const std::array<uint8_t, 16>& flags, int outputs) {
  return static_cast<int>(std::count(flags.begin(), flags.begin() + std::clamp(outputs, 0, 16), 1));
}

// A collecting gate over `flagged` outputs: a gate when it combines two or more, and an
// inverter where its polarity needs one. Returns the levels from the demultiplexer's output.
int AddCollectingGate(CircuitCost& cost, int polarity, int flagged) {
  int levels = 0;
  bool inverter = false;
  if (flagged >= 2) {
    AddGate(cost, flagged);
    ++levels;
    inverter = polarity == 0;
  } else if (flagged == 1) {
    inverter = polarity == 1;
  }
  if (inverter) {
    AddInverter(cost);
    ++levels;
  }
  return levels;
}

CircuitCost MeasureDemux(const ResultStore& store) {
  CircuitCost cost;
  const DemuxRecord& demux = store.demux();
  ++cost.demultiplexers[SizeIndex(demux.addressCount)];
  cost.levels = 1 + AddCollectingGate(cost, demux.polarity,
                                      FlaggedOutputs(demux.outputFlags, demux.outputCount));
  return cost;
}

CircuitCost MeasureMuxDemux(const ResultStore& store) {
  CircuitCost cost;
  const MuxDemuxRecord& mux = store.muxDemux();
  const DemuxPart& part = store.demuxPart();
  ++cost.multiplexers[SizeIndex(mux.addressCount)];
  ++cost.demultiplexers[SizeIndex(part.addressCount)];
  const int gates = store.CollectingGateCount();
  auto gateOf = [&](int i) {
    const int g = mux.gateIndex[i];
    return g >= 1 && g <= gates ? g : 0;
  };
  int inputDepth = 0;
  for (int i = 0; i < mux.inputCount && i < 16; ++i) {
    if (gateOf(i) == 0) continue;
    const CollectingGate& gate = store.collectingGate(gateOf(i));
    inputDepth = std::max(inputDepth, 1 + AddCollectingGate(cost, gate.polarity,
                                                            FlaggedOutputs(gate.outputFlags,
                                                                           part.outputCount)));
  }
  // Constants and literals reach the multiplexer on label columns; a literal counts as a label
  // only with more than one residual variable (with one, every literal has a collecting gate).
  const int labelBelow = part.addressCount == 1 ? 1 : 2;
  const int inverters =
      NegatedLabelColumns(mux.inputLabels, mux.inputCount, [&](int i) {
        return gateOf(i) == 0 && CountVariables(mux.inputLabels[i]) < labelBelow;
      });
  for (int k = 0; k < inverters; ++k) AddInverter(cost);
  if (inverters > 0) inputDepth = std::max(inputDepth, 1);
  cost.levels = inputDepth + 1;
  return cost;
}

}  // namespace

CircuitCost MeasureCircuit(Structure structure, const ResultStore& store) {
  switch (structure) {
    case Structure::kMux:
    case Structure::kMuxGates:
    case Structure::kMuxTree:
      return MeasureTree(store);
    case Structure::kDemux:
      return MeasureDemux(store);
    case Structure::kMuxDemux:
      return MeasureMuxDemux(store);
  }
  return {};
}

bool FewerComponents(const CircuitCost& a, const CircuitCost& b) {
  if (a.Components() != b.Components()) return a.Components() < b.Components();
  return a.gateInputs < b.gateInputs;
}

}  // namespace kestrel

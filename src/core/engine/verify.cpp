// Circuit verification: the realized records are evaluated as a circuit — multiplexers route
// the addressed data input, gates combine their (possibly negated) inputs and may be followed by
// an inverter, the demultiplexer activates one output and the collecting gate combines the
// flagged ones with its polarity — and compared with the function text on every assignment.

#include <functional>

#include "engine/realize.h"

namespace kestrel {

namespace {

// Value of a sum of products (the function-text syntax) under the assignment bits (bit d is the
// value of x<d>). "0" and the empty text are 0; "1" and an empty product (as in "+x1") are 1.
bool EvaluateText(const std::string& text, int bits) {
  if (text.empty() || text == "0") return false;
  size_t start = 0;
  while (start <= text.size()) {
    size_t plus = text.find('+', start);
    if (plus == std::string::npos) plus = text.size();
    bool product = true;
    for (size_t i = start; i < plus; ++i) {
      if (text[i] != 'x' || i + 1 >= plus) continue;
      const int d = text[i + 1] - '0';
      if (d < 0 || d > 9) continue;
      const bool negated = i > start && text[i - 1] == '~';
      const bool value = (bits >> d) & 1;
      if (value == negated) product = false;
    }
    if (text.compare(start, plus - start, "0") == 0) product = false;
    if (product) return true;
    start = plus + 1;
  }
  return false;
}

int VariableIndex(const std::string& label) {
  if (label.size() == 2 && label[0] == 'x' && label[1] >= '0' && label[1] <= '9')
    return label[1] - '0';
  return -1;
}

// The address value selected by the labelled address lines, the first one most significant.
int AddressValue(const std::array<std::string, 4>& labels, int count, int bits) {
  int v = 0;
  for (int e = 0; e < count && e < 4; ++e) {
    const int d = VariableIndex(labels[e]);
    v = v * 2 + (d >= 0 ? (bits >> d) & 1 : 0);
  }
  return v;
}

bool EvaluateNode(const ResultStore& store, int id, int bits, int depth) {
  if (id < 1 || id > store.NodeCount() || depth > 64) return false;
  const NodeRecord& node = store.nodes()[id - 1];
  auto input = [&](int i) {
    const bool raw = node.childId[i] != 0 ? EvaluateNode(store, node.childId[i], bits, depth + 1)
                                          : EvaluateText(node.inputLabels[i], bits);
    return raw != (node.inputNegated[i] != 0);
  };
  bool out = false;
  if (node.kind == kMux) {
    const int v = AddressValue(node.addressLabels, node.addressCount, bits);
    out = v < node.inputCount && v < 16 ? input(v) : false;
  } else {
    bool all = true, any = false;
    for (int i = 0; i < node.inputCount && i < 16; ++i) {
      const bool x = input(i);
      all = all && x;
      any = any || x;
    }
    switch (node.kind) {
      case kAnd: out = all; break;
      case kOr: out = any; break;
      case kNand: out = !all; break;
      case kNor: out = !any; break;
      default: out = false;
    }
  }
  return out != (node.outputNegated != 0);
}

bool CollectingGateValue(int polarity, const std::array<uint8_t, 16>& flags, int outputs,
                         int address) {
  bool any = false;
  for (int o = 0; o < outputs && o < 16; ++o)
    if (flags[o] && address == o) any = true;
  return polarity == 1 ? any : !any;
}

}  // namespace

Verification VerifyRealization(const std::string& functionText, const StructureChoice& choice,
                               const ResultStore& store) {
  std::vector<int> vars;
  for (int d = 0; d < 10; ++d)
    if (functionText.find("x" + std::to_string(d)) != std::string::npos) vars.push_back(d);
  Verification result;
  result.combinations = 1 << vars.size();
  for (int k = 0; k < result.combinations; ++k) {
    int bits = 0;
    for (size_t i = 0; i < vars.size(); ++i)
      if (k & (1 << i)) bits |= 1 << vars[i];
    const bool expected = EvaluateText(functionText, bits);
    bool got = false;
    switch (choice.tab) {
      case kTabMux:
      case kTabMuxTree:
        got = EvaluateNode(store, store.NodeCount(), bits, 0);
        break;
      case kTabDemux: {
        const DemuxRecord& dm = store.demux();
        got = CollectingGateValue(dm.polarity, dm.outputFlags, dm.outputCount,
                                  AddressValue(dm.addressLabels, dm.addressCount, bits));
        break;
      }
      case kTabMuxDemux: {
        const MuxDemuxRecord& md = store.muxDemux();
        const DemuxPart& part = store.demuxPart();
        const int v = AddressValue(md.addressLabels, md.addressCount, bits);
        if (v >= md.inputCount || v >= 16) break;
        const int g = md.gateIndex[v];
        if (g >= 1 && g <= store.CollectingGateCount()) {
          const CollectingGate& gate = store.collectingGate(g);
          got = CollectingGateValue(gate.polarity, gate.outputFlags, part.outputCount,
                                    AddressValue(part.addressLabels, part.addressCount, bits));
        } else {
          got = EvaluateText(md.inputLabels[v], bits);
        }
        break;
      }
      default:
        break;
    }
    if (got != expected) ++result.mismatches;
  }
  return result;
}

}  // namespace kestrel

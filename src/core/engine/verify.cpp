// Circuit verification: the realized records are evaluated as a circuit — multiplexers route
// the addressed data input, gates combine their (possibly negated) inputs and may be followed by
// an inverter, the demultiplexer activates one output and the collecting gate combines the
// flagged ones with its polarity — and compared with the function text on every assignment.
//
// Every signal is evaluated at once on all 1024 assignments of x0..x9 as a truth table of 1024
// bits (bit k: the value when x<d> = bit d of k); nodes come before the nodes they feed.

#include <bit>

#include "engine/realize.h"

namespace kestrel {

namespace {

using Truth = std::array<uint64_t, 16>;

Truth Constant(bool one) {
  Truth t;
  t.fill(one ? ~uint64_t{0} : 0);
  return t;
}

Truth Variable(int d) {
  Truth t{};
  for (int k = 0; k < kCombinations; ++k)
    if ((k >> d) & 1) t[k / 64] |= uint64_t{1} << (k % 64);
  return t;
}

const std::array<Truth, 10>& Variables() {
  static const std::array<Truth, 10> vars = [] {
    std::array<Truth, 10> v;
    for (int d = 0; d < 10; ++d) v[d] = Variable(d);
    return v;
  }();
  return vars;
}

Truth Not(Truth t) {
  for (auto& w : t) w = ~w;
  return t;
}
Truth And(Truth a, const Truth& b) {
  for (int i = 0; i < 16; ++i) a[i] &= b[i];
  return a;
}
Truth Or(Truth a, const Truth& b) {
  for (int i = 0; i < 16; ++i) a[i] |= b[i];
  return a;
}

// A sum of products in the function-text syntax. "0" and the empty text are 0; "1" and an empty
// product (as in "+x1") are 1; a product holding x<d> and ~x<d> is 0.
Truth Evaluate(const std::string& text) {
  Truth sum = Constant(false);
  if (text.empty() || text == "0") return sum;
  size_t start = 0;
  while (start <= text.size()) {
    size_t plus = text.find('+', start);
    if (plus == std::string::npos) plus = text.size();
    Truth product = Constant(text.compare(start, plus - start, "0") != 0);
    for (size_t i = start; i < plus; ++i) {
      if (text[i] != 'x' || i + 1 >= plus) continue;
      const int d = text[i + 1] - '0';
      if (d < 0 || d > 9) continue;
      const bool negated = i > start && text[i - 1] == '~';
      product = And(product, negated ? Not(Variables()[d]) : Variables()[d]);
    }
    sum = Or(sum, product);
    start = plus + 1;
  }
  return sum;
}

int VariableIndex(const std::string& label) {
  if (label.size() == 2 && label[0] == 'x' && label[1] >= '0' && label[1] <= '9')
    return label[1] - '0';
  return -1;
}

// Where the labelled address lines (the first one most significant) select value v.
Truth AddressIs(const std::array<std::string, 4>& labels, int count, int v) {
  Truth t = Constant(true);
  for (int e = 0; e < count && e < 4; ++e) {
    const int bit = (v >> (count - 1 - e)) & 1;
    const int d = VariableIndex(labels[e]);
    const Truth line = d >= 0 ? Variables()[d] : Constant(false);
    t = And(t, bit ? line : Not(line));
  }
  return t;
}

// The output of a collecting gate: with polarity 1 the flagged outputs' addresses are the ones,
// with polarity 0 they are the zeros.
Truth CollectingGateOutput(int polarity, const std::array<uint8_t, 16>& flags, int outputs,
                           const std::array<std::string, 4>& labels, int addressCount) {
  Truth any = Constant(false);
  for (int o = 0; o < outputs && o < 16; ++o)
    if (flags[o]) any = Or(any, AddressIs(labels, addressCount, o));
  return polarity == 1 ? any : Not(any);
}

Truth TreeOutput(const ResultStore& store) {
  const auto& nodes = store.nodes();
  std::vector<Truth> out(nodes.size(), Constant(false));
  for (size_t id = 0; id < nodes.size(); ++id) {
    const NodeRecord& node = nodes[id];
    auto input = [&](int i) {
      const int child = node.childId[i];
      // A child always precedes its parent; anything else is not a circuit.
      Truth t = child >= 1 && child <= static_cast<int>(id) ? out[child - 1]
                : child != 0                                ? Constant(false)
                                                            : Evaluate(node.inputLabels[i]);
      return node.inputNegated[i] ? Not(t) : t;
    };
    Truth value = Constant(false);
    Truth all = Constant(true), any = Constant(false);
    if (node.kind != NodeKind::kMux) {
      for (int i = 0; i < node.inputCount && i < 16; ++i) {
        const Truth x = input(i);
        all = And(all, x);
        any = Or(any, x);
      }
    }
    switch (node.kind) {
      case NodeKind::kMux:
        for (int v = 0; v < node.inputCount && v < 16; ++v)
          value = Or(value, And(input(v), AddressIs(node.addressLabels, node.addressCount, v)));
        break;
      case NodeKind::kAnd:
        value = all;
        break;
      case NodeKind::kOr:
        value = any;
        break;
      case NodeKind::kNand:
        value = Not(all);
        break;
      case NodeKind::kNor:
        value = Not(any);
        break;
    }
    out[id] = node.outputNegated ? Not(value) : value;
  }
  return out.empty() ? Constant(false) : out.back();
}

}  // namespace

Verification VerifyRealization(const std::string& functionText, const StructureChoice& choice,
                               const ResultStore& store) {
  int used = 0;
  for (int d = 0; d < 10; ++d)
    if (functionText.find("x" + std::to_string(d)) != std::string::npos) used |= 1 << d;
  Truth circuit = Constant(false);
  switch (choice.tab) {
    case StructureTab::kMux:
    case StructureTab::kMuxTree:
      circuit = TreeOutput(store);
      break;
    case StructureTab::kDemux: {
      const DemuxRecord& dm = store.demux();
      circuit = CollectingGateOutput(dm.polarity, dm.outputFlags, dm.outputCount, dm.addressLabels,
                                     dm.addressCount);
      break;
    }
    case StructureTab::kMuxDemux: {
      const MuxDemuxRecord& md = store.muxDemux();
      const DemuxPart& part = store.demuxPart();
      for (int v = 0; v < md.inputCount && v < 16; ++v) {
        const int g = md.gateIndex[v];
        const Truth in =
            g >= 1 && g <= store.CollectingGateCount()
                ? CollectingGateOutput(store.collectingGate(g).polarity,
                                       store.collectingGate(g).outputFlags, part.outputCount,
                                       part.addressLabels, part.addressCount)
                : Evaluate(md.inputLabels[v]);
        circuit = Or(circuit, And(in, AddressIs(md.addressLabels, md.addressCount, v)));
      }
      break;
    }
  }
  // Compare on the assignments of the function's own variables (the others held at 0).
  const Truth function = Evaluate(functionText);
  Verification result;
  result.combinations = 1 << std::popcount(static_cast<unsigned>(used));
  for (int k = 0; k < kCombinations; ++k) {
    if (k & ~used) continue;
    const bool a = (function[k / 64] >> (k % 64)) & 1, b = (circuit[k / 64] >> (k % 64)) & 1;
    if (a != b) ++result.mismatches;
  }
  return result;
}

}  // namespace kestrel

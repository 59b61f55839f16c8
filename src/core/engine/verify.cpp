// Circuit verification: the realized records are evaluated as a circuit — multiplexers route
// the addressed data input, gates combine their (possibly negated) inputs and may be followed by
// an inverter, the demultiplexer activates one output and the collecting gate combines the
// flagged ones with its polarity — and compared with the function text on every assignment of
// its variables, and for a canonical function also with its Ones and Zeros.
//
// Every signal is evaluated at once on all 1024 assignments of x0..x9 as a truth table; nodes
// come before the nodes they feed.

#include <bit>
#include <vector>

#include "engine/realize.h"
#include "function/function_model.h"

namespace kestrel {

namespace {

int VariableIndex(const std::string& label) {
  if (label.size() == 2 && label[0] == 'x' && label[1] >= '0' && label[1] <= '9')
    return label[1] - '0';
  return -1;
}

// Where the labelled address lines (the first one most significant) select value v.
TruthTable AddressIs(const std::array<std::string, 4>& labels, int count, int v) {
  TruthTable t = TruthTable::Constant(true);
  for (int e = 0; e < count && e < 4; ++e) {
    const int bit = (v >> (count - 1 - e)) & 1;
    const int d = VariableIndex(labels[e]);
    const TruthTable line = d >= 0 ? TruthTable::Variable(d) : TruthTable::Constant(false);
    t &= bit ? line : ~line;
  }
  return t;
}

// The output of a collecting gate: with polarity 1 the flagged outputs' addresses are the ones,
// with polarity 0 they are the zeros.
TruthTable CollectingGateOutput(int polarity, const std::array<uint8_t, 16>& flags, int outputs,
                                const std::array<std::string, 4>& labels, int addressCount) {
  TruthTable any = TruthTable::Constant(false);
  for (int o = 0; o < outputs && o < 16; ++o)
    if (flags[o]) any |= AddressIs(labels, addressCount, o);
  return polarity == 1 ? any : ~any;
}

TruthTable TreeOutput(const ResultStore& store) {
  const auto& nodes = store.nodes();
  std::vector<TruthTable> out(nodes.size(), TruthTable::Constant(false));
  for (size_t id = 0; id < nodes.size(); ++id) {
    const NodeRecord& node = nodes[id];
    auto input = [&](int i) {
      const int child = node.childId[i];
      TruthTable t = TruthTable::Constant(false);
      if (child == 0)
        t = EvaluateFunctionText(node.inputLabels[i]);
      else if (child >= 1 && child <= static_cast<int>(id))
        t = out[child - 1];  // a child always precedes its parent; anything else is no circuit
      return node.inputNegated[i] ? ~t : t;
    };
    TruthTable value = TruthTable::Constant(false);
    TruthTable all = TruthTable::Constant(true), any = TruthTable::Constant(false);
    if (node.kind != NodeKind::kMux) {
      for (int i = 0; i < node.inputCount && i < 16; ++i) {
        const TruthTable x = input(i);
        all &= x;
        any |= x;
      }
    }
    switch (node.kind) {
      case NodeKind::kMux:
        for (int v = 0; v < node.inputCount && v < 16; ++v)
          value |= input(v) & AddressIs(node.addressLabels, node.addressCount, v);
        break;
      case NodeKind::kAnd:
        value = all;
        break;
      case NodeKind::kOr:
        value = any;
        break;
      case NodeKind::kNand:
        value = ~all;
        break;
      case NodeKind::kNor:
        value = ~any;
        break;
    }
    out[id] = node.outputNegated ? ~value : value;
  }
  return out.empty() ? TruthTable::Constant(false) : out.back();
}

}  // namespace

TruthTable CircuitOutput(const StructureChoice& choice, const ResultStore& store) {
  switch (choice.tab) {
    case StructureTab::kMux:
    case StructureTab::kMuxTree:
      return TreeOutput(store);
    case StructureTab::kDemux: {
      const DemuxRecord& dm = store.demux();
      return CollectingGateOutput(dm.polarity, dm.outputFlags, dm.outputCount, dm.addressLabels,
                                  dm.addressCount);
    }
    case StructureTab::kMuxDemux: {
      const MuxDemuxRecord& md = store.muxDemux();
      const DemuxPart& part = store.demuxPart();
      TruthTable circuit = TruthTable::Constant(false);
      for (int v = 0; v < md.inputCount && v < 16; ++v) {
        const int g = md.gateIndex[v];
        const TruthTable in =
            g >= 1 && g <= store.CollectingGateCount()
                ? CollectingGateOutput(store.collectingGate(g).polarity,
                                       store.collectingGate(g).outputFlags, part.outputCount,
                                       part.addressLabels, part.addressCount)
                : EvaluateFunctionText(md.inputLabels[v]);
        circuit |= in & AddressIs(md.addressLabels, md.addressCount, v);
      }
      return circuit;
    }
  }
  return TruthTable::Constant(false);
}

Verification VerifyRealization(const std::string& functionText, const StructureChoice& choice,
                               const ResultStore& store) {
  int used = 0;
  for (int d = 0; d < kMaxVariables; ++d)
    if (functionText.find("x" + std::to_string(d)) != std::string::npos) used |= 1 << d;
  const TruthTable circuit = CircuitOutput(choice, store);
  // Compare on the assignments of the function's own variables (the others held at 0).
  const TruthTable function = EvaluateFunctionText(functionText);
  Verification result;
  result.combinations = 1 << std::popcount(static_cast<unsigned>(used));
  for (int k = 0; k < kCombinations; ++k)
    if ((k & ~used) == 0 && function.At(k) != circuit.At(k)) ++result.mismatches;
  return result;
}

Verification VerifyRealization(const FunctionModel& model, const StructureChoice& choice,
                               const ResultStore& store) {
  Verification result = VerifyRealization(model.functionText, choice, store);
  // The text of a canonical function was minimized from its lists; the circuit must also agree
  // with them, or a text that no longer matches its lists would pass unnoticed.
  if (model.representationFlag == 1) result.lists = CheckLists(CircuitOutput(choice, store), model);
  return result;
}

}  // namespace kestrel

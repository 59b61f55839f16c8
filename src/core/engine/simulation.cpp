// The realized records evaluated as a circuit. Every signal is evaluated at once on all 1024
// assignments of x0..x9 as a truth table (nodes come before the nodes they feed); the state of
// one combination is then read bit by bit, so the verification and the live circuit can never
// disagree about what the drawn circuit does.

#include "engine/simulation.h"

#include <algorithm>

#include "function/function_text.h"

namespace kestrel {

namespace {

int VariableIndex(const std::string& label) {
  if (label.size() == 2 && label[0] == 'x' && IsDigit(label[1])) return label[1] - '0';
  return -1;
}

// An address line: the labelled variable, or 0 for a line that names none.
const TruthTable& AddressLine(const std::string& label) {
  static const TruthTable low = TruthTable::Constant(false);
  const int d = VariableIndex(label);
  return d >= 0 ? TruthTable::Variable(d) : low;
}

// Where the labelled address lines (the first one most significant) select value v.
TruthTable AddressIs(const std::array<std::string, 4>& labels, int count, int v) {
  TruthTable t = TruthTable::Constant(true);
  for (int e = 0; e < count && e < 4; ++e) {
    const int bit = (v >> (count - 1 - e)) & 1;
    const TruthTable& line = AddressLine(labels[e]);
    t &= bit ? line : ~line;
  }
  return t;
}

// The value the address lines form at an assignment.
int AddressValue(const std::array<std::string, 4>& labels, int count, int assignment) {
  int v = 0;
  for (int e = 0; e < count && e < 4; ++e) v = 2 * v + (AddressLine(labels[e]).At(assignment));
  return v;
}

// A multiplexer's output: the data input the address selects.
TruthTable Routed(const NodeTables& node) {
  TruthTable value = TruthTable::Constant(false);
  for (int v = 0; v < static_cast<int>(node.inputs.size()); ++v)
    value |= node.inputs[v] & AddressIs(node.addressLabels, node.addressCount, v);
  return value;
}

void EvaluateTree(const ResultStore& store, CircuitTables& t) {
  const auto& nodes = store.nodes();
  t.nodes.reserve(nodes.size());
  for (size_t id = 0; id < nodes.size(); ++id) {
    const NodeRecord& node = nodes[id];
    NodeTables n;
    n.mux = node.kind == NodeKind::kMux;
    n.addressCount = std::clamp(node.addressCount, 0, 4);
    n.addressLabels = node.addressLabels;
    const int count = std::clamp(node.inputCount, 0, 16);
    TruthTable all = TruthTable::Constant(true), any = TruthTable::Constant(false);
    for (int i = 0; i < count; ++i) {
      const int child = node.childId[i];
      TruthTable x = TruthTable::Constant(false);
      if (child == 0)
        x = EvaluateFunctionText(node.inputLabels[i]);
      else if (child >= 1 && child <= static_cast<int>(id))
        x = t.nodes[child - 1].output;  // a child always precedes its parent; else no circuit
      if (node.inputNegated[i]) x = ~x;
      all &= x;
      any |= x;
      n.inputs.push_back(x);
    }
    TruthTable value = TruthTable::Constant(false);
    switch (node.kind) {
      case NodeKind::kMux:
        value = Routed(n);
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
    n.output = node.outputNegated ? ~value : value;
    t.nodes.push_back(std::move(n));
  }
  t.output = t.nodes.empty() ? TruthTable::Constant(false) : t.nodes.back().output;
}

// The demultiplexer's outputs: output o is 1 where the address lines select o.
std::vector<TruthTable> DemuxOutputs(const std::array<std::string, 4>& labels, int addressCount,
                                     int outputCount) {
  std::vector<TruthTable> outputs;
  for (int o = 0; o < std::clamp(outputCount, 0, 16); ++o)
    outputs.push_back(AddressIs(labels, addressCount, o));
  return outputs;
}

// A collecting gate: with polarity 1 the flagged outputs' addresses are the ones, with polarity
// 0 they are the zeros.
TruthTable Collected(int polarity, const std::array<uint8_t, 16>& flags,
                     const std::vector<TruthTable>& outputs) {
  TruthTable any = TruthTable::Constant(false);
  for (size_t o = 0; o < outputs.size(); ++o)
    if (flags[o]) any |= outputs[o];
  return polarity == 1 ? any : ~any;
}

}  // namespace

CircuitTables EvaluateCircuit(const StructureChoice& choice, const ResultStore& store) {
  CircuitTables t;
  switch (choice.tab) {
    case StructureTab::kMux:
    case StructureTab::kMuxTree:
      EvaluateTree(store, t);
      break;
    case StructureTab::kDemux: {
      const DemuxRecord& dm = store.demux();
      t.demuxOutputs = DemuxOutputs(dm.addressLabels, dm.addressCount, dm.outputCount);
      t.output = Collected(dm.polarity, dm.outputFlags, t.demuxOutputs);
      t.collectingGates.push_back(t.output);
      break;
    }
    case StructureTab::kMuxDemux: {
      const MuxDemuxRecord& md = store.muxDemux();
      const DemuxPart& part = store.demuxPart();
      t.demuxOutputs = DemuxOutputs(part.addressLabels, part.addressCount, part.outputCount);
      for (const CollectingGate& g : store.collectingGates())
        t.collectingGates.push_back(Collected(g.polarity, g.outputFlags, t.demuxOutputs));
      NodeTables mux;
      mux.mux = true;
      mux.addressCount = std::clamp(md.addressCount, 0, 4);
      mux.addressLabels = md.addressLabels;
      for (int v = 0; v < std::clamp(md.inputCount, 0, 16); ++v) {
        const int g = md.gateIndex[v];
        mux.inputs.push_back(g >= 1 && g <= static_cast<int>(t.collectingGates.size())
                                 ? t.collectingGates[g - 1]
                                 : EvaluateFunctionText(md.inputLabels[v]));
      }
      mux.output = Routed(mux);
      t.output = mux.output;
      t.nodes.push_back(std::move(mux));
      break;
    }
  }
  return t;
}

bool LineValue(const std::string& label, int assignment) {
  return AddressLine(label).At(assignment);
}

int SimulationVariableCount(const FunctionModel& model) {
  int n = 0;
  for (const std::string& name : FunctionVariables(model)) n = std::max(n, VariableIndex(name) + 1);
  return n;
}

FunctionValues FunctionValuesOf(const FunctionModel& model) {
  FunctionValues f;
  f.variableCount = SimulationVariableCount(model);
  f.ones = EvaluateFunctionText(model.functionText);
  f.dontCares = TruthTable::Constant(false);
  if (model.representationFlag != 1) return f;
  // The lists decide where they speak; the text elsewhere.
  TruthTable listed = TruthTable::Constant(false), ones = TruthTable::Constant(false);
  for (const ListKind kind : kListKinds) {
    for (const std::string& entry : model.list(kind)) {
      const int v = EntryValue(entry);
      if (v < 0 || v >= kCombinations || listed.At(v)) continue;
      listed.Set(v, true);
      if (kind == ListKind::kOnes) ones.Set(v, true);
      if (kind == ListKind::kDontCares) f.dontCares.Set(v, true);
    }
  }
  f.ones = (f.ones & ~listed) | ones;
  return f;
}

ExpectedValue FunctionValues::At(int assignment) const {
  if (dontCares.At(assignment)) return ExpectedValue::kDontCare;
  return ones.At(assignment) ? ExpectedValue::kOne : ExpectedValue::kZero;
}

const char* ExpectedText(ExpectedValue value) {
  switch (value) {
    case ExpectedValue::kZero:
      return "0";
    case ExpectedValue::kOne:
      return "1";
    case ExpectedValue::kDontCare:
      return "-";
  }
  return "-";
}

CircuitState StateAt(const CircuitTables& tables, const FunctionValues& function, int assignment) {
  const int k = std::clamp(assignment, 0, kCombinations - 1);
  CircuitState s;
  s.assignment = k;
  s.variableCount = function.variableCount;
  s.output = tables.output.At(k);
  s.expected = function.At(k);
  s.nodes.reserve(tables.nodes.size());
  for (size_t i = 0; i < tables.nodes.size(); ++i) {
    const NodeTables& n = tables.nodes[i];
    NodeState ns;
    ns.index = static_cast<int>(i) + 1;
    ns.output = n.output.At(k);
    for (const TruthTable& input : n.inputs) ns.inputs.push_back(input.At(k));
    for (int e = 0; e < n.addressCount; ++e) ns.address[e] = LineValue(n.addressLabels[e], k);
    if (n.mux) {
      const int v = AddressValue(n.addressLabels, n.addressCount, k);
      if (v < static_cast<int>(n.inputs.size())) ns.selectedInput = v;
    }
    s.nodes.push_back(std::move(ns));
  }
  for (const TruthTable& o : tables.demuxOutputs) s.demuxOutputs.push_back(o.At(k));
  for (const TruthTable& g : tables.collectingGates) s.collectingGates.push_back(g.At(k));
  return s;
}

void LiveCircuit::Load(const StructureChoice& choice, const ResultStore& store,
                       const FunctionModel& model) {
  tables_ = EvaluateCircuit(choice, store);
  function_ = FunctionValuesOf(model);
  variableCount_ = function_.variableCount;
  if (assignment_ >= combinations()) assignment_ = 0;
}

bool LiveCircuit::SetAssignment(int assignment) {
  if (assignment < 0 || assignment >= combinations()) return false;
  assignment_ = assignment;
  return true;
}

void LiveCircuit::Toggle(int d) {
  if (d >= 0 && d < variableCount_) assignment_ ^= 1 << d;
}

void LiveCircuit::Step(int delta) {
  const int n = combinations();
  assignment_ = ((assignment_ + delta) % n + n) % n;
}

AssignmentParse ParseAssignment(const std::string& text, int variableCount) {
  AssignmentParse r;
  const int limit = 1 << variableCount;
  if (!text.empty() && std::all_of(text.begin(), text.end(), IsDigit)) {
    const std::optional<long long> v = ParseDecimal(text, limit - 1);
    if (!v)
      r.error = "the combination " + text + " is outside 0.." + std::to_string(limit - 1) +
                " (the function has " + std::to_string(variableCount) + " variables)";
    else
      r.assignment = static_cast<int>(*v);
    return r;
  }
  int named = 0;
  size_t start = 0;
  while (r.error.empty()) {
    const size_t end = std::min(text.find(',', start), text.size());
    const std::string item = text.substr(start, end - start);
    const size_t eq = item.find('=');
    const std::string name = item.substr(0, eq);
    const int d = VariableIndex(name);
    if (eq == std::string::npos || d < 0) {
      r.error = "\"" + item + "\" is neither a combination number nor a setting such as x3=1";
    } else if (d >= variableCount) {
      r.error = "the function has no variable " + name + " (its variables are x0..x" +
                std::to_string(variableCount - 1) + ")";
      if (variableCount == 0) r.error = "the function has no variable " + name;
    } else if (named & (1 << d)) {
      r.error = name + " is set twice";
    } else if (item.substr(eq + 1) != "0" && item.substr(eq + 1) != "1") {
      r.error = "the value of " + name + " must be 0 or 1, not \"" + item.substr(eq + 1) + "\"";
    } else {
      named |= 1 << d;
      if (item[eq + 1] == '1') r.assignment |= 1 << d;
    }
    if (end >= text.size()) break;
    start = end + 1;
  }
  return r;
}

}  // namespace kestrel

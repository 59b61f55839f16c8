#include "explain/explanation.h"

#include <algorithm>
#include <array>
#include <exception>

#include "diagram/diagram.h"
#include "engine/realize.h"
#include "function/function_model.h"
#include "function/function_text.h"
#include "function/truth_table.h"

namespace kestrel {

char ValueChar(FunctionValue value) {
  switch (value) {
    case FunctionValue::kZero:
      return '0';
    case FunctionValue::kOne:
      return '1';
    case FunctionValue::kDontCare:
      return '-';
  }
  return '0';
}

std::string AddressText(const std::string* labels, int count, int value) {
  std::string names, bits;
  for (int e = 0; e < count; ++e) {
    names += labels[e];
    bits += ((value >> (count - 1 - e)) & 1) ? '1' : '0';
  }
  return names + " = " + bits;
}

std::string Explanation::TermText(uint16_t p, uint16_t n) const {
  const std::string text = FormatTerm(p, n, termRepresentation, termNames, termNameCount, nullptr);
  return text.empty() ? "1" : text;
}

std::vector<int> Explanation::Minterms(uint16_t p, uint16_t n) const {
  std::vector<int> out;
  const unsigned all = variables > 0 ? (1u << variables) - 1 : 0;
  if ((p & ~all) != 0) return out;
  const unsigned free = all & ~(p | n);
  unsigned s = 0;  // the subsets of the free variables, ascending
  do {
    out.push_back(static_cast<int>(p | s));
    s = (s - free) & free;
  } while (s != 0);
  return out;
}

std::vector<std::pair<int, int>> Explanation::SelectedInTextOrder() const {
  std::vector<std::pair<int, int>> out;
  for (int k = static_cast<int>(levels.size()) - 1; k >= 0; --k)
    for (int j = static_cast<int>(levels[k].size()) - 1; j >= 0; --j)
      if (levels[k][j].selected) out.emplace_back(k, j);
  return out;
}

size_t Explanation::ImplicantCount() const {
  size_t count = 0;
  for (const auto& level : levels) count += level.size();
  return count;
}

int Explanation::Mismatches() const {
  int count = 0;
  for (size_t i = 0; i < circuit.size() && i < values.size(); ++i)
    if (values[i] != FunctionValue::kDontCare &&
        (values[i] == FunctionValue::kOne) != (circuit[i] == 1))
      ++count;
  return count;
}

int Explanation::FullCombination(int combination) const {
  int full = 0;
  for (int b = 0; b < variables; ++b)
    if ((combination >> b) & 1) full |= 1 << variableIndex[b];
  return full;
}

namespace {

int VariableIndexOf(const std::string& name) {
  if (name.size() == 2 && name[0] == 'x' && IsDigit(name[1])) return name[1] - '0';
  return -1;
}

/// The variables of bit 0 upward: x0..x(n-1) of a canonical function.
std::vector<int> Consecutive(int n) {
  std::vector<int> index(n);
  for (int b = 0; b < n; ++b) index[b] = b;
  return index;
}

void NameVariables(Explanation& e) {
  e.variables = static_cast<int>(e.variableIndex.size());
  e.variableNames.clear();
  for (int b = e.variables - 1; b >= 0; --b)
    e.variableNames.push_back("x" + std::to_string(e.variableIndex[b]));
}

/// Runs the minimizer on the input the minimization run uses and keeps its levels and steps.
void ExplainMinimization(Explanation& e, const FunctionModel& model, int n) {
  std::vector<int> ones, dontCares;
  for (const auto& entry : model.ones()) ones.push_back(EntryValue(entry));
  for (const auto& entry : model.dontCares()) dontCares.push_back(EntryValue(entry));
  // A damaged file can hold entries the minimizer refuses; such a function is shown unexplained.
  try {
    LevelTable table(InputTermsOf(ones, dontCares, n));
    table.CombineLevels(nullptr);
    const int count = table.CountLevels();
    table.SelectCover(count, &e.coverSteps);
    if (table.IsConstantOne(count, n)) {
      e.minimizedText = "1";
    } else {
      e.minimizedText =
          table.FormatCover(count, e.termRepresentation, e.termNames, e.termNameCount, nullptr);
    }
    e.levels.resize(count);
    for (int k = 0; k < count; ++k) {
      const LevelTable::Level& level = table.level(k);
      std::vector<LevelImplicant>& out = e.levels[k];
      out.resize(level.Count());
      for (int j = 0; j < level.Count(); ++j)
        out[j] = {level.p[j], level.n[j], level.prime[j] == 0, level.selected[j] != 0};
    }
    // A prime implicant dropped by the cover selection was not merged.
    for (const CoverStep& step : e.coverSteps) e.levels[step.level][step.index].merged = false;
    e.minimized = true;
  } catch (const std::exception&) {
    e.levels.clear();
    e.coverSteps.clear();
    e.minimizedText.clear();
  }
}

InputSource LabelSource(const std::string& label) {
  if (label == "0" || label == "1") return InputSource::kConstant;
  if (IsSingleLiteral(label))
    return label[0] == '~' ? InputSource::kComplement : InputSource::kVariable;
  return InputSource::kExpression;
}

void TreeTable(RealizationTable& t, const ResultStore& store) {
  const std::vector<NodeRecord>& nodes = store.nodes();
  const int count = std::min(static_cast<int>(nodes.size()), kMaxNodes);
  for (int i = 0; i < count; ++i) {
    const NodeRecord& node = nodes[i];
    if (node.kind != NodeKind::kMux) continue;
    const int a = std::clamp(node.addressCount, 0, kMaxAddressInputs);
    const int inputs = std::clamp(node.inputCount, 0, kMaxDataInputs);
    for (int j = 0; j < inputs; ++j) {
      DataInputUse use;
      use.multiplexer = i + 1;
      use.input = j;
      use.address = AddressText(node.addressLabels.data(), a, j);
      use.label = node.inputLabels[j];
      const int c = node.childId[j];
      if (c >= 1 && c <= count && c != i + 1) {
        use.sourceKind = nodes[c - 1].kind;
        use.source =
            use.sourceKind == NodeKind::kMux ? InputSource::kMultiplexer : InputSource::kGate;
        use.sourceNumber = c;
      } else {
        use.source = LabelSource(use.label);
      }
      t.dataInputs.push_back(use);
    }
  }
}

int Flagged(const std::array<uint8_t, 16>& flags, int outputs) {
  int count = 0;
  for (int o = 0; o < std::clamp(outputs, 0, kMaxDataInputs); ++o) count += flags[o] == 1 ? 1 : 0;
  return count;
}

void DemuxTable(RealizationTable& t, const ResultStore& store) {
  if (!store.hasDemux()) return;
  const DemuxRecord& d = store.demux();
  const int outputs = std::clamp(d.outputCount, 0, kMaxDataInputs);
  const int a = std::clamp(d.addressCount, 0, kMaxAddressInputs);
  const bool wire = Flagged(d.outputFlags, outputs) == 1;
  for (int o = 0; o < outputs; ++o)
    if (d.outputFlags[o] == 1)
      t.demuxOutputs.push_back({o, AddressText(d.addressLabels.data(), a, o), 1, wire, -1});
}

void MuxDemuxTable(RealizationTable& t, const ResultStore& store) {
  const MuxDemuxRecord& m = store.muxDemux();
  const DemuxPart& part = store.demuxPart();
  const int inputs = std::clamp(m.inputCount, 0, kMaxDataInputs);
  const int a = std::clamp(m.addressCount, 0, kMaxAddressInputs);
  const int dA = std::clamp(part.addressCount, 0, kMaxAddressInputs);
  const int dN = std::clamp(part.outputCount, 0, kMaxDataInputs);
  for (int i = 0; i < inputs; ++i) {
    DataInputUse use;
    use.multiplexer = 1;
    use.input = i;
    use.address = AddressText(m.addressLabels.data(), a, i);
    use.label = m.inputLabels[i];
    const int g = m.gateIndex[i];
    if (g >= 1 && g <= store.CollectingGateCount()) {
      use.source = InputSource::kCollectingGate;
      use.sourceNumber = g;
      const CollectingGate& gate = store.collectingGate(g);
      const bool wire = Flagged(gate.outputFlags, dN) == 1;
      for (int o = 0; o < dN; ++o)
        if (gate.outputFlags[o] == 1)
          t.demuxOutputs.push_back({o, AddressText(part.addressLabels.data(), dA, o), g, wire, i});
    } else if (CountVariables(use.label) > 1) {
      // A minterm of the demultiplexer's variables: its output, through an inverter.
      use.source = InputSource::kDemuxOutput;
      use.sourceNumber = std::clamp(F2Dec(use.label), 0, std::max(0, dN - 1));
      t.demuxOutputs.push_back({use.sourceNumber,
                                AddressText(part.addressLabels.data(), dA, use.sourceNumber), 0,
                                false, i});
    } else {
      use.source = LabelSource(use.label);
    }
    t.dataInputs.push_back(use);
  }
  std::stable_sort(t.demuxOutputs.begin(), t.demuxOutputs.end(),
                   [](const DemuxOutputUse& x, const DemuxOutputUse& y) {
                     return x.output != y.output ? x.output < y.output
                                                 : x.collectingGate < y.collectingGate;
                   });
}

RealizationTable TableOf(const RealizedCircuit& circuit) {
  RealizationTable t;
  const StructureChoice& choice = *circuit.choice;
  t.structure = choice.Current();
  t.designCaption = circuit.designCaption;
  switch (choice.tab) {
    case StructureTab::kMux:
    case StructureTab::kMuxTree:
      TreeTable(t, *circuit.results);
      break;
    case StructureTab::kDemux:
      DemuxTable(t, *circuit.results);
      break;
    case StructureTab::kMuxDemux:
      MuxDemuxTable(t, *circuit.results);
      break;
  }
  return t;
}

}  // namespace

Explanation Explain(const FunctionModel& model, const RealizedCircuit* realized) {
  Explanation e;
  e.function = model.functionText;
  e.representation = model.representationFlag;
  const bool literalRun = model.representationFlag == 2 && !model.ones().empty() &&
                          model.variableNameCount >= 1 && model.variableNameCount <= kMaxVariables;
  if (model.representationFlag == 1) {
    // The lists are the definition: their variables x(n-1)..x0.
    e.variableIndex = Consecutive(std::clamp(model.VariableCount(), 0, kMaxVariables));
    NameVariables(e);
    e.values.assign(size_t{1} << e.variables, FunctionValue::kZero);
    auto mark = [&](const std::vector<std::string>& list, FunctionValue value) {
      for (const auto& entry : list)
        if (const int v = EntryValue(entry); v >= 0 && v < static_cast<int>(e.values.size()))
          e.values[v] = value;
    };
    mark(model.dontCares(), FunctionValue::kDontCare);
    mark(model.ones(), FunctionValue::kOne);
    if (!model.ones().empty()) ExplainMinimization(e, model, e.variables);
  } else if (literalRun) {
    // The minterms of the literal function over the variables it was minimized over.
    const int n = model.variableNameCount;
    e.variableIndex.resize(n);
    for (int b = 0; b < n; ++b) {
      const int d = VariableIndexOf(model.variableNames[n - 1 - b]);
      e.variableIndex[b] = d >= 0 ? d : b;
    }
    NameVariables(e);
    e.variableNames.assign(model.variableNames.begin(), model.variableNames.begin() + n);
    e.values.assign(size_t{1} << n, FunctionValue::kZero);
    for (const auto& entry : model.ones())
      if (const int v = EntryValue(entry); v >= 0 && v < static_cast<int>(e.values.size()))
        e.values[v] = FunctionValue::kOne;
    e.termRepresentation = 2;
    e.termNames = model.variableNames;
    e.termNameCount = model.variableNameCount;
    ExplainMinimization(e, model, n);
  } else if (!model.functionText.empty()) {
    // A literal function kept as typed, or a text taken as given: the variables it names.
    std::array<bool, kMaxVariables> used{};
    const std::string& t = model.functionText;
    for (size_t i = 0; i + 1 < t.size(); ++i)
      if (t[i] == 'x' && IsDigit(t[i + 1])) used[t[i + 1] - '0'] = true;
    for (int d = 0; d < kMaxVariables; ++d)
      if (used[d]) e.variableIndex.push_back(d);
    NameVariables(e);
    const TruthTable value = EvaluateFunctionText(t);
    e.values.resize(size_t{1} << e.variables);
    for (size_t i = 0; i < e.values.size(); ++i)
      e.values[i] = value.At(e.FullCombination(static_cast<int>(i))) ? FunctionValue::kOne
                                                                     : FunctionValue::kZero;
  }

  if (realized && realized->choice && realized->results) {
    const TruthTable circuit = CircuitOutput(*realized->choice, *realized->results);
    e.circuit.resize(e.values.size());
    for (size_t i = 0; i < e.values.size(); ++i)
      e.circuit[i] = circuit.At(e.FullCombination(static_cast<int>(i))) ? 1 : 0;
    e.realization = TableOf(*realized);
    e.cost = MeasureCircuit(realized->choice->Current(), *realized->results);
  }
  return e;
}

}  // namespace kestrel

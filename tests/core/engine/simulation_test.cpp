// The simulated circuit: the state of one combination against an evaluation of the records
// written here one assignment at a time, against the function's lists and text, and against the
// verification; the combination readers' refusals.

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "engine/realize.h"
#include "engine/simulation.h"
#include "support/function_models.h"
#include "support/session_fixture.h"

namespace kestrel {
namespace {

using testing::EvaluateAt;
using testing::ParseSum;

// The records evaluated at one assignment, one signal at a time in the order of the node list,
// with the test's own reader of labels: a node's value from its inputs, a multiplexer's selected
// input from its address lines.
struct ScalarCircuit {
  const ResultStore& store;
  std::map<std::string, std::vector<testing::Cube>> labels;
  std::vector<std::vector<const std::vector<testing::Cube>*>> inputs;  ///< per node and input
  int k = 0;
  std::vector<bool> nodes;  ///< index id - 1

  explicit ScalarCircuit(const ResultStore& s) : store(s) {
    auto read = [&](const std::string& label) {
      const auto sum = ParseSum(label);
      EXPECT_TRUE(sum) << label;
      labels[label] = sum.value_or(std::vector<testing::Cube>{});
    };
    for (const NodeRecord& n : store.nodes())
      for (int i = 0; i < n.inputCount; ++i) read(n.inputLabels[i]);
    for (int i = 0; i < store.muxDemux().inputCount; ++i) read(store.muxDemux().inputLabels[i]);
    for (const NodeRecord& n : store.nodes()) {
      inputs.emplace_back();
      for (int i = 0; i < n.inputCount; ++i) inputs.back().push_back(&labels.at(n.inputLabels[i]));
    }
  }
  bool Label(const std::string& label) const { return EvaluateAt(labels.at(label), k); }
  bool Line(const std::string& label) const {
    return label.size() == 2 && label[0] == 'x' && ((k >> (label[1] - '0')) & 1);
  }
  int Address(const std::array<std::string, 4>& labels, int count) const {
    int v = 0;
    for (int e = 0; e < count; ++e) v = 2 * v + (Line(labels[e]) ? 1 : 0);
    return v;
  }
  void At(int assignment) {
    k = assignment;
    nodes.clear();
    for (const NodeRecord& n : store.nodes()) {
      std::vector<bool> in;
      for (int i = 0; i < n.inputCount; ++i)
        in.push_back(
            (n.childId[i] ? nodes.at(n.childId[i] - 1) : EvaluateAt(*inputs[n.id - 1][i], k)) !=
            (n.inputNegated[i] == 1));
      const bool all = std::find(in.begin(), in.end(), false) == in.end();
      const bool any = std::find(in.begin(), in.end(), true) != in.end();
      bool v = false;
      switch (n.kind) {
        case NodeKind::kMux:
          v = in.at(Address(n.addressLabels, n.addressCount));
          break;
        case NodeKind::kAnd:
          v = all;
          break;
        case NodeKind::kOr:
          v = any;
          break;
        case NodeKind::kNand:
          v = !all;
          break;
        case NodeKind::kNor:
          v = !any;
          break;
      }
      nodes.push_back(v != (n.outputNegated == 1));
    }
  }
  bool Gate(const CollectingGate& g, const DemuxPart& part) const {
    const bool flagged = g.outputFlags[Address(part.addressLabels, part.addressCount)] != 0;
    return flagged == (g.polarity == 1);
  }
};

// Compares a state with the scalar evaluation; returns F.
bool CheckState(const CircuitState& s, const StructureChoice& c, ScalarCircuit& scalar, int k) {
  const ResultStore& store = scalar.store;
  scalar.At(k);
  switch (c.tab) {
    case StructureTab::kMux:
    case StructureTab::kMuxTree: {
      EXPECT_EQ(s.nodes.size(), store.nodes().size());
      for (const NodeRecord& n : store.nodes()) {
        const NodeState& ns = s.nodes.at(n.id - 1);
        EXPECT_EQ(ns.index, n.id);
        EXPECT_EQ(ns.output, scalar.nodes[n.id - 1]) << "node " << n.id << " at " << k;
        if (n.kind == NodeKind::kMux) {
          EXPECT_EQ(ns.selectedInput, scalar.Address(n.addressLabels, n.addressCount));
          EXPECT_EQ(ns.output != (n.outputNegated == 1), ns.inputs.at(*ns.selectedInput));
        } else {
          EXPECT_FALSE(ns.selectedInput);
        }
      }
      EXPECT_TRUE(s.demuxOutputs.empty());
      return scalar.nodes.back();
    }
    case StructureTab::kDemux: {
      const DemuxRecord& d = store.demux();
      const int active = scalar.Address(d.addressLabels, d.addressCount);
      for (int o = 0; o < d.outputCount; ++o) EXPECT_EQ(s.demuxOutputs.at(o), o == active);
      EXPECT_EQ(s.collectingGates, std::vector<bool>{s.output});
      return (d.outputFlags[active] != 0) == (d.polarity == 1);
    }
    case StructureTab::kMuxDemux: {
      const MuxDemuxRecord& m = store.muxDemux();
      const DemuxPart& part = store.demuxPart();
      for (int g = 1; g <= store.CollectingGateCount(); ++g)
        EXPECT_EQ(s.collectingGates.at(g - 1), scalar.Gate(store.collectingGate(g), part));
      const int v = scalar.Address(m.addressLabels, m.addressCount);
      EXPECT_EQ(s.nodes.at(0).selectedInput, v);
      const int g = m.gateIndex[v];
      return g ? scalar.Gate(store.collectingGate(g), part) : scalar.Label(m.inputLabels[v]);
    }
  }
  return false;
}

std::vector<StructureOptions> EveryChoice() {
  std::vector<StructureOptions> all;
  for (const StructureNames& row : kStructureNames)
    for (int family = 0; family < (row.useGates ? 3 : 1); ++family)
      for (int size = 2; size <= 16; size *= 2)
        for (int demux = 2; demux <= (row.structure == Structure::kMuxDemux ? 16 : 2); demux *= 2)
          all.push_back({row.structure, size, demux, static_cast<GateFamily>(family)});
  return all;
}

// Random canonical functions of 1..10 variables in every structure, size and gate family: the
// state of every combination agrees with the records evaluated one signal at a time, F with the
// function's Ones and Zeros and its text, and the verification finds nothing.
TEST(SimulationProperty, EveryStateAgreesWithTheRecordsAndTheFunction) {
  std::mt19937 rng(15);
  int states = 0;
  for (int round = 0; round < 20; ++round) {
    const int n = 1 + round % 10;
    std::vector<int> ones, zeros, dcs;
    for (int v = 0; v < (1 << n); ++v) {
      const int r = static_cast<int>(rng() % 100);
      if (r < 45)
        ones.push_back(v);
      else if (r < 90)
        zeros.push_back(v);
      else
        dcs.push_back(v);
    }
    if (ones.empty()) continue;
    testing::SessionFixture f;
    ASSERT_TRUE(f.EnterCanonical(ones, zeros, dcs));
    const std::string text = f.model.functionText;
    const auto sum = ParseSum(text);
    ASSERT_TRUE(sum) << text;
    for (const StructureOptions& o : EveryChoice()) {
      if (o.structure == Structure::kMuxTree && n > 8 && round % 3) continue;  // keep it fast
      f.session.choice.OnShow(text);
      if (!f.Realize(text, o)) continue;
      const StructureChoice& c = f.session.choice;
      const CircuitTables tables = EvaluateCircuit(c, f.session.results);
      ScalarCircuit scalar(f.session.results);
      const Verification verified = VerifyRealization(f.model, c, f.session.results);
      ASSERT_EQ(verified.mismatches, 0);
      EXPECT_EQ(SimulationVariableCount(f.model), n);
      const FunctionValues values = FunctionValuesOf(f.model);
      for (int k = 0; k < (1 << n); ++k) {
        const CircuitState s = StateAt(tables, values, k);
        ASSERT_EQ(s.assignment, k);
        ASSERT_EQ(s.output, CheckState(s, c, scalar, k))
            << text << " " << NamesOf(o.structure).cliName << " " << *o.muxSize << " at " << k;
        ASSERT_EQ(s.output, EvaluateAt(*sum, k));
        const bool one = std::binary_search(ones.begin(), ones.end(), k);
        const bool zero = std::binary_search(zeros.begin(), zeros.end(), k);
        EXPECT_EQ(s.expected, one    ? ExpectedValue::kOne
                              : zero ? ExpectedValue::kZero
                                     : ExpectedValue::kDontCare);
        EXPECT_FALSE(s.Differs());
        ++states;
      }
    }
  }
  EXPECT_GT(states, 20000) << states;
}

TEST(Simulation, DiffersOnlyWhereTheFunctionHasAValue) {
  CircuitState s;
  s.output = true;
  s.expected = ExpectedValue::kZero;
  EXPECT_TRUE(s.Differs());
  s.expected = ExpectedValue::kDontCare;
  EXPECT_FALSE(s.Differs());
  s.expected = ExpectedValue::kOne;
  EXPECT_FALSE(s.Differs());
  EXPECT_STREQ(ExpectedText(ExpectedValue::kDontCare), "-");
}

TEST(Simulation, LiteralFunctionSpansItsHighestVariable) {
  testing::SessionFixture f;
  f.Literal("x5~x2");
  EXPECT_EQ(SimulationVariableCount(f.model), 6);
  const FunctionValues values = FunctionValuesOf(f.model);
  EXPECT_EQ(values.variableCount, 6);
  EXPECT_EQ(values.At(32), ExpectedValue::kOne);
  EXPECT_EQ(values.At(36), ExpectedValue::kZero);
}

TEST(LiveCircuit, SwitchesAndStepsStayWithinTheFunctionsCombinations) {
  testing::SessionFixture f;
  ASSERT_TRUE(f.Realize("x2~x0+x1", {Structure::kMuxTree, 2, {}, GateFamily::kNand}));
  LiveCircuit live;
  live.Load(f.session.choice, f.session.results, f.model);
  EXPECT_EQ(live.combinations(), 8);
  live.Toggle(2);
  EXPECT_EQ(live.assignment(), 4);
  EXPECT_TRUE(live.State().output);  // x2 and not x0
  live.Toggle(0);
  EXPECT_EQ(live.assignment(), 5);
  EXPECT_FALSE(live.State().output);
  live.Toggle(3);  // no such variable
  EXPECT_EQ(live.assignment(), 5);
  live.Step(3);
  EXPECT_EQ(live.assignment(), 0);
  live.Step(-1);
  EXPECT_EQ(live.assignment(), 7);
  EXPECT_FALSE(live.SetAssignment(8));
  EXPECT_TRUE(live.SetAssignment(6));
  // A function of fewer variables brings the combination back into its range.
  ASSERT_TRUE(f.Realize("x1~x0", {Structure::kMuxTree, 2, {}, GateFamily::kNand}));
  live.Load(f.session.choice, f.session.results, f.model);
  EXPECT_EQ(live.assignment(), 0);
}

TEST(ParseAssignment, NumbersAndSettings) {
  struct Case {
    const char* text;
    int variables;
    int assignment;
    const char* error;
  };
  const Case cases[] = {
      {"0", 3, 0, ""},
      {"7", 3, 7, ""},
      {"8", 3, 0, "the combination 8 is outside 0..7 (the function has 3 variables)"},
      {"99999999999", 3, 0,
       "the combination 99999999999 is outside 0..7 (the function has 3 "
       "variables)"},
      {"x2=1,x0=1", 3, 5, ""},
      {"x1=0", 3, 0, ""},
      {"x3=1", 3, 0, "the function has no variable x3 (its variables are x0..x2)"},
      {"x1=2", 3, 0, "the value of x1 must be 0 or 1, not \"2\""},
      {"x1=", 3, 0, "the value of x1 must be 0 or 1, not \"\""},
      {"x1=1,x1=0", 3, 0, "x1 is set twice"},
      {"y1=1", 3, 0, "\"y1=1\" is neither a combination number nor a setting such as x3=1"},
      {"", 3, 0, "\"\" is neither a combination number nor a setting such as x3=1"},
      {"x0=1,", 3, 0, "\"\" is neither a combination number nor a setting such as x3=1"},
      {"-1", 3, 0, "\"-1\" is neither a combination number nor a setting such as x3=1"},
  };
  for (const Case& c : cases) {
    const AssignmentParse r = ParseAssignment(c.text, c.variables);
    EXPECT_EQ(r.error, c.error) << c.text;
    if (r.error.empty()) {
      EXPECT_EQ(r.assignment, c.assignment) << c.text;
    }
  }
}

}  // namespace
}  // namespace kestrel

// Realization: the examples of each structure, Realize's dispatch, clamping and refusals, and a
// property test that every realization, evaluated as a circuit, computes its function.

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "engine/realize.h"
#include "function/minimizer.h"
#include "session/session.h"
#include "support/session_fixture.h"

namespace kestrel {
namespace {

struct Fixture {
  RecordingMessages messages;
  HeadlessProgress progress;
  Session session{messages, progress};
  RealizationEngine engine{session.table, session.results};

  RealizeResult Run(const std::string& text) {
    session.model.functionText = text;
    return Realize(text, session.choice, session.table, session.results, messages, session);
  }
  const std::vector<NodeRecord>& nodes() { return session.results.nodes(); }
};

std::vector<std::string> Labels(const NodeRecord& n) {
  return std::vector<std::string>(n.inputLabels.begin(), n.inputLabels.begin() + n.inputCount);
}

TEST(MuxTree, SingleMultiplexerOfTwoVariables) {
  Fixture f;
  EXPECT_EQ(f.engine.CheckSingleMux("x1x0+~x1~x0", 1, 0), 1);
  ASSERT_EQ(f.nodes().size(), 1u);
  const NodeRecord& n = f.nodes()[0];
  EXPECT_EQ(n.addressLabels[0], "x1");
  EXPECT_EQ(Labels(n), (std::vector<std::string>{"~x0", "x0"}));
  EXPECT_EQ(n.childId[0], 0);
  EXPECT_EQ(n.level, 0);
  EXPECT_EQ(n.id, 1);
}

TEST(MuxTree, ResidueNeedingAFurtherMultiplexer) {
  Fixture f;
  EXPECT_EQ(f.engine.CheckSingleMux("x3x2x1+~x3~x2~x1", 1, 0), 3);
  ASSERT_EQ(f.nodes().size(), 3u);
  EXPECT_EQ(f.nodes()[0].level, 1);
  EXPECT_EQ(f.nodes()[1].level, 1);
  EXPECT_EQ(f.nodes()[2].level, 0);
  EXPECT_EQ(f.nodes()[2].inputLabels[0], "~x2~x1");
  EXPECT_EQ(f.nodes()[2].childId[0], 1);
  EXPECT_EQ(f.nodes()[2].childId[1], 2);
  EXPECT_EQ(f.nodes()[0].addressCount, 1);
}

TEST(MuxTree, AddressLabelsHoldTheFurtherVariables) {
  Fixture f;
  f.engine.BuildMuxTree("x2x1+~x2x0", 1, 0);
  const NodeRecord& top = f.nodes().back();
  EXPECT_EQ(top.addressLabels[0], "x2");
  EXPECT_EQ(top.addressLabels[1], "x1");
  EXPECT_EQ(top.addressLabels[2], "x0");
  EXPECT_EQ(top.addressLabels[3], "Adr.v.");
}

TEST(MuxTree, ComplementaryResidueBecomesOne) {
  Fixture f;
  f.engine.BuildMuxTree("x3x2+x3~x2+~x3x1", 1, 0);
  const NodeRecord& top = f.nodes().back();
  EXPECT_EQ(top.inputLabels[1], "1");
  EXPECT_EQ(top.childId[1], 0);
}

TEST(GateNetwork, ProductInEachFamily) {
  for (GateFamily family : {GateFamily::kNand, GateFamily::kNor, GateFamily::kAndOrNot}) {
    Fixture f;
    EXPECT_EQ(f.engine.BuildGateNetwork("x2~x1", 1, 16, family), 1);
    const NodeRecord& g = f.nodes()[0];
    EXPECT_EQ(g.inputCount, 2);
    if (family == GateFamily::kNand) {
      EXPECT_EQ(g.kind, NodeKind::kNand);
      EXPECT_EQ(g.outputNegated, 1);
      EXPECT_EQ(Labels(g), (std::vector<std::string>{"x2", "~x1"}));
    } else if (family == GateFamily::kNor) {
      EXPECT_EQ(g.kind, NodeKind::kNor);
      EXPECT_EQ(g.outputNegated, 0);
      EXPECT_EQ(Labels(g), (std::vector<std::string>{"~x2", "x1"}));
      EXPECT_EQ(g.inputLabels[5], "0");
    } else {
      EXPECT_EQ(g.kind, NodeKind::kAnd);
      EXPECT_EQ(Labels(g), (std::vector<std::string>{"x2", "~x1"}));
      EXPECT_EQ(g.inputLabels[5], "1");
    }
  }
}

TEST(GateNetwork, SumWithNands) {
  Fixture f;
  const int id = f.engine.BuildGateNetwork("x2x1+x0", 1, 16, GateFamily::kNand);
  const NodeRecord& g = f.nodes()[id - 1];
  EXPECT_EQ(g.kind, NodeKind::kNand);
  EXPECT_EQ(g.outputNegated, 0);
  EXPECT_EQ(g.inputCount, 2);
  EXPECT_EQ(g.inputNegated[0], 1);
  EXPECT_NE(g.childId[0], 0);
  EXPECT_EQ(g.inputLabels[1], "~x0");
  EXPECT_EQ(g.inputNegated[1], 0);
  EXPECT_EQ(f.nodes()[g.childId[0] - 1].kind, NodeKind::kNand);
}

TEST(GateNetwork, SumWithNors) {
  Fixture f;
  const int id = f.engine.BuildGateNetwork("x2x1+x0", 1, 16, GateFamily::kNor);
  const NodeRecord& g = f.nodes()[id - 1];
  EXPECT_EQ(g.kind, NodeKind::kNor);
  EXPECT_EQ(g.outputNegated, 1);
  EXPECT_EQ(g.inputLabels[1], "x0");
  const NodeRecord& child = f.nodes()[g.childId[0] - 1];
  EXPECT_EQ(Labels(child), (std::vector<std::string>{"~x2", "~x1"}));
}

TEST(GateNetwork, SeventeenProductsShareTheFirstInput) {
  // Products over five variables with distinct minterms.
  std::string text;
  for (int v = 0; v < 17; ++v) {
    if (!text.empty()) text += "+";
    for (int b = 4; b >= 0; --b) text += ((v >> b) & 1 ? "x" : "~x") + std::to_string(b);
  }
  Fixture f;
  const int id = f.engine.BuildGateNetwork(text, 1, 16, GateFamily::kAndOrNot);
  const NodeRecord& g = f.nodes()[id - 1];
  EXPECT_EQ(g.kind, NodeKind::kOr);
  EXPECT_EQ(g.inputCount, 16);
  EXPECT_NE(g.inputLabels[0].find('+'), std::string::npos);
  EXPECT_EQ(f.nodes()[g.childId[0] - 1].kind, NodeKind::kOr);
  EXPECT_EQ(g.inputLabels[1].find('+'), std::string::npos);
}

TEST(GateNetwork, MoreThanAHundredProductsAreAllRealized) {
  // Parity of eight variables has 128 products; every one must reach the circuit.
  std::vector<int> ones;
  for (int v = 0; v < 256; ++v)
    if (__builtin_popcount(v) % 2) ones.push_back(v);
  const std::string text = MinimizeTerms(ones, {}, 8);
  Fixture f;
  f.session.choice.SetUseGates(true);
  f.session.choice.radioMuxSize = 0;
  ASSERT_EQ(f.Run(text).outcome, RealizeOutcome::kRealized);
  EXPECT_EQ(VerifyRealization(text, f.session.choice, f.session.results).mismatches, 0);
}

TEST(Demux, Examples) {
  Fixture f;
  f.engine.BuildDemux("x1x0+~x1~x0", 2);
  const DemuxRecord& d = f.session.results.demux();
  EXPECT_EQ(d.polarity, 1);
  EXPECT_EQ((std::vector<int>(d.outputFlags.begin(), d.outputFlags.begin() + 4)),
            (std::vector<int>{1, 0, 0, 1}));
  f.engine.BuildDemux("x1+x0", 2);
  EXPECT_EQ(f.session.results.demux().polarity, 0);
  EXPECT_EQ((std::vector<int>(f.session.results.demux().outputFlags.begin(),
                              f.session.results.demux().outputFlags.begin() + 4)),
            (std::vector<int>{1, 0, 0, 0}));
  f.engine.BuildDemux("x2", 1);
  EXPECT_EQ(f.session.results.demux().addressLabels[0], "x2");
  EXPECT_EQ(f.session.results.demux().outputFlags[1], 1);
  EXPECT_EQ(f.session.results.demux().outputFlags[0], 0);
  f.engine.BuildDemux("x0+x3x0", 2);
  EXPECT_EQ(f.session.results.demux().addressLabels[0], "x3");
}

TEST(Demux, FunctionThatIsOneEverywhereCollectsEveryOutput) {
  Fixture f;
  f.session.choice.tab = StructureTab::kDemux;
  f.session.choice.radioDmux = 0;
  ASSERT_EQ(f.Run("x1+~x1").outcome, RealizeOutcome::kRealized);
  EXPECT_EQ(f.session.results.demux().polarity, 1);
  EXPECT_EQ(VerifyRealization("x1+~x1", f.session.choice, f.session.results).mismatches, 0);
}

TEST(MuxDemux, Examples) {
  Fixture f;
  f.session.results.ResetCollectingGates();
  f.engine.BuildMuxAndDemux("x2x1+~x2~x0", 1, 2);
  const MuxDemuxRecord& r = f.session.results.muxDemux();
  EXPECT_EQ(r.addressLabels[0], "x2");
  EXPECT_EQ(r.inputLabels[0], "~x0");
  EXPECT_EQ(r.inputLabels[1], "x1");
  EXPECT_EQ(r.gateIndex[0], 0);
  EXPECT_EQ(r.gateIndex[1], 0);
  EXPECT_EQ(f.session.results.demuxPart().addressLabels[0], "x1");
  EXPECT_EQ(f.session.results.demuxPart().addressLabels[1], "x0");

  f.session.results.ResetCollectingGates();
  f.engine.BuildMuxAndDemux("x2x1+x2x0", 1, 2);
  const MuxDemuxRecord& s = f.session.results.muxDemux();
  EXPECT_EQ(s.inputLabels[0], "0");
  EXPECT_EQ(s.gateIndex[0], 0);
  ASSERT_EQ(s.gateIndex[1], 1);
  const CollectingGate& g = f.session.results.collectingGate(1);
  EXPECT_EQ(g.polarity, 0);
  EXPECT_EQ((std::vector<int>(g.outputFlags.begin(), g.outputFlags.begin() + 4)),
            (std::vector<int>{1, 0, 0, 0}));
}

TEST(MuxDemux, ResidueOneOnOneDemultiplexerVariableIsCleanedUp) {
  Fixture f;
  f.session.results.ResetCollectingGates();
  f.engine.BuildMuxAndDemux("x1x0+x1~x0+~x1x0", 1, 1);
  const MuxDemuxRecord& r = f.session.results.muxDemux();
  EXPECT_EQ(r.inputLabels[1], "1");
  EXPECT_EQ(r.gateIndex[1], 0);
  EXPECT_EQ(r.gateIndex[0], 1);  // a single literal still gets a gate when d is 1
}

TEST(Realize, NoFunction) {
  Fixture f;
  EXPECT_EQ(f.Run("").outcome, RealizeOutcome::kNoFunction);
  ASSERT_EQ(f.messages.shown.size(), 1u);
  EXPECT_EQ(f.messages.shown[0].text, "No terms entered!   ");
  EXPECT_EQ(f.messages.shown[0].caption, "Information");
  EXPECT_EQ(f.messages.shown[0].icon, Icon::Warning);
  EXPECT_EQ(f.session.commandState, CommandState::kEmpty);
}

TEST(Realize, MultiplexerIsClampedToTheVariables) {
  Fixture f;
  f.session.choice.radioMuxSize = 3;
  const auto r = f.Run("x2x1+~x2x0");
  EXPECT_EQ(r.outcome, RealizeOutcome::kRealized);
  EXPECT_EQ(r.designCaption, "Multiplexer");
  EXPECT_EQ(f.session.choice.radioMuxSize, 2);
  EXPECT_EQ(f.session.commandState, CommandState::kRealized);
}

TEST(Realize, SingleMultiplexerRefusedWhenTooSmall) {
  Fixture f;
  f.session.choice.radioMuxSize = 0;
  EXPECT_EQ(f.Run("x3x2x1+~x3~x2~x1").outcome, RealizeOutcome::kRefused);
  ASSERT_EQ(f.messages.shown.size(), 1u);
  EXPECT_EQ(f.messages.shown[0].text,
            "Realization impossible! \n\rThe number of supplied address inputs is not "
            "sufficient!   ");
  EXPECT_EQ(f.messages.shown[0].caption, "Warning!");
  EXPECT_EQ(f.session.commandState, CommandState::kRealizationRefused);
}

TEST(Realize, DemultiplexerSizes) {
  Fixture f;
  f.session.choice.tab = StructureTab::kDemux;
  f.session.choice.radioDmux = 1;
  EXPECT_EQ(f.Run("x2x1+~x2x0").outcome, RealizeOutcome::kRefused);
  f.session.choice.radioDmux = 2;
  EXPECT_EQ(f.Run("x2x1+~x2x0").outcome, RealizeOutcome::kRealized);
  EXPECT_EQ(f.session.results.demux().addressCount, 3);
  f.session.choice.radioDmux = 3;
  EXPECT_EQ(f.Run("x2x1+~x2x0").outcome, RealizeOutcome::kRealized);
  EXPECT_EQ(f.session.choice.radioDmux, 2);
}

TEST(Realize, MuxDemuxPairThatDoesNotFitIsRefused) {
  Fixture f;
  f.session.choice.tab = StructureTab::kMuxDemux;
  f.session.choice.SelectMdMux(1);
  f.session.choice.SelectMdDmux(1);  // 2 + 2 address inputs for 3 variables
  EXPECT_EQ(f.Run("x2x1+~x2x0").outcome, RealizeOutcome::kRefused);
  EXPECT_EQ(f.messages.shown.back().text, SizesDoNotFitText(3));
  EXPECT_EQ(f.session.commandState, CommandState::kRealizationRefused);
  f.session.choice.ClearMdSizes();
  f.session.choice.SelectMdMux(0);  // one size only: the other address count would be 0
  EXPECT_EQ(f.Run("x2x1+~x2x0").outcome, RealizeOutcome::kRefused);
  EXPECT_EQ(f.messages.shown.back().text, SizesDoNotFitText(3));
  f.session.choice.ClearMdSizes();
  EXPECT_EQ(f.Run("x2x1+~x2x0").outcome, RealizeOutcome::kRefused);
  EXPECT_EQ(f.messages.shown.back().text, "Select the size of multiplexer and demultiplexer.   ");
  f.session.choice.SelectMdMux(0);
  f.session.choice.SelectMdDmux(1);
  EXPECT_EQ(f.Run("x2x1+~x2x0").outcome, RealizeOutcome::kRealized);
}

TEST(Realize, ConstantFunctionRealizesNothing) {
  Fixture f;
  for (StructureTab tab : {StructureTab::kMux, StructureTab::kDemux, StructureTab::kMuxTree,
                           StructureTab::kMuxDemux}) {
    f.session.choice.tab = tab;
    EXPECT_EQ(f.Run("1").outcome, RealizeOutcome::kNothing);
  }
  EXPECT_TRUE(f.messages.shown.empty());
}

TEST(IsLevelCrowded, Rule) {
  ResultStore store;
  for (int i = 0; i < 5; ++i) store.AppendNode(NodeRecord{});
  EXPECT_FALSE(IsLevelCrowded(store));
  store.ResetNodes();
  for (int i = 0; i < 6; ++i) {
    NodeRecord n;
    n.level = 1;
    store.AppendNode(n);
  }
  store.AppendNode(NodeRecord{});
  EXPECT_TRUE(IsLevelCrowded(store));
  // Many nodes, but no level with more than five.
  store.ResetNodes();
  for (int i = 0; i < 10; ++i) {
    NodeRecord n;
    n.level = i % 2;
    store.AppendNode(n);
  }
  EXPECT_FALSE(IsLevelCrowded(store));
}

TEST(ResultStore, LimitsAreEnforced) {
  ResultStore store;
  for (int i = 0; i < 1024; ++i) EXPECT_EQ(store.AppendNode(NodeRecord{}), i + 1);
  EXPECT_EQ(store.AppendNode(NodeRecord{}), 0);
  EXPECT_EQ(store.NodeCount(), 1024);
  EXPECT_TRUE(store.nodeOverflow());
  for (int i = 0; i < 16; ++i) EXPECT_EQ(store.AppendCollectingGate(), i + 1);
  EXPECT_EQ(store.AppendCollectingGate(), 0);
}

// The verification must see a fault: each case realizes a function, breaks one part of the
// circuit and names the number of assignments on which the broken circuit differs.
struct Fault {
  const char* what;
  const char* text;
  StructureOptions options;
  std::function<void(ResultStore&)> inject;
  int mismatches;
  int combinations;
};

NodeRecord& Node(ResultStore& r, int id) {
  return r.mutableNodes().at(static_cast<size_t>(id - 1));
}

/// Rewrites collecting gate `index` of the multiplexer-and-demultiplexer table.
void ChangeGate(ResultStore& r, int index, const std::function<void(CollectingGate&)>& change) {
  std::vector<CollectingGate> gates = r.collectingGates();
  change(gates.at(static_cast<size_t>(index - 1)));
  r.ResetCollectingGates();
  for (const CollectingGate& g : gates) {
    DemuxRecord d = r.demux();
    d.polarity = g.polarity;
    d.outputFlags = g.outputFlags;
    r.SetDemux(d);
    r.AppendCollectingGate();
  }
}

TEST(Verification, FindsEveryInjectedFault) {
  using testing::Options;
  const Fault faults[] = {
      // x2x1+~x2x0 on one 4-input multiplexer, address x2 x1: inputs x0, x0, 0, 1.
      {"a wrong constant on a data input", "x2x1+~x2x0", Options(Structure::kMux, 4),
       [](ResultStore& r) { Node(r, 1).inputLabels[2] = "1"; }, 2, 8},
      {"swapped address labels", "x2x1+~x2x0", Options(Structure::kMux, 4),
       [](ResultStore& r) { std::swap(Node(r, 1).addressLabels[0], Node(r, 1).addressLabels[1]); },
       2, 8},
      {"a data input negated", "x2x1+~x2x0", Options(Structure::kMux, 4),
       [](ResultStore& r) { Node(r, 1).inputNegated[0] = 1; }, 2, 8},
      // x3x2x1+~x3x0: a 2-input multiplexer on x3 fed with x0 and a gate for x2x1.
      {"a NAND input negated", "x3x2x1+~x3x0",
       Options(Structure::kMuxGates, 2, 0, GateFamily::kNand),
       [](ResultStore& r) { Node(r, 1).inputNegated[0] = 1; }, 4, 16},
      {"the inverter after a NAND left out", "x3x2x1+~x3x0",
       Options(Structure::kMuxGates, 2, 0, GateFamily::kNand),
       [](ResultStore& r) { Node(r, 1).outputNegated = 0; }, 8, 16},
      {"an OR gate in place of an AND gate", "x3x2x1+~x3x0",
       Options(Structure::kMuxGates, 2, 0, GateFamily::kAndOrNot),
       [](ResultStore& r) { Node(r, 1).kind = NodeKind::kOr; }, 4, 16},
      // x3x2+~x3x1x0 as a tree: node 1 on x1 (inputs 0, x0) feeds input 0 of node 2 on x3.
      {"a negated literal on a tree input", "x3x2+~x3x1x0", Options(Structure::kMuxTree, 2),
       [](ResultStore& r) { Node(r, 1).inputLabels[1] = "~x0"; }, 4, 16},
      {"a child's output negated", "x3x2+~x3x1x0", Options(Structure::kMuxTree, 2),
       [](ResultStore& r) { Node(r, 2).inputNegated[0] = 1; }, 8, 16},
      // x2x1+~x2x0 on an 8-output demultiplexer: the collecting gate over outputs 1, 3, 6, 7.
      {"a wrong demultiplexer output flag", "x2x1+~x2x0", Options(Structure::kDemux, 0, 8),
       [](ResultStore& r) {
         DemuxRecord d = r.demux();
         d.outputFlags[0] = 1;
         r.SetDemux(d);
       },
       1, 8},
      {"a collecting gate of the wrong polarity", "x2x1+~x2x0", Options(Structure::kDemux, 0, 8),
       [](ResultStore& r) {
         DemuxRecord d = r.demux();
         d.polarity = 0;
         r.SetDemux(d);
       },
       8, 8},
      // x2x1+x2x0: multiplexer on x2; input 1 is gate 1, 0 exactly at output 0 of x1 x0.
      {"a collecting gate of the wrong polarity", "x2x1+x2x0", Options(Structure::kMuxDemux, 2, 4),
       [](ResultStore& r) { ChangeGate(r, 1, [](CollectingGate& g) { g.polarity = 1; }); }, 4, 8},
      {"a collecting gate's output flag", "x2x1+x2x0", Options(Structure::kMuxDemux, 2, 4),
       [](ResultStore& r) { ChangeGate(r, 1, [](CollectingGate& g) { g.outputFlags[3] = 1; }); }, 1,
       8},
      {"a multiplexer input's constant", "x2x1+x2x0", Options(Structure::kMuxDemux, 2, 4),
       [](ResultStore& r) { r.muxDemux().inputLabels[0] = "1"; }, 4, 8},
  };
  for (const Fault& fault : faults) {
    SCOPED_TRACE(std::string(fault.what) + " in " + fault.text);
    Fixture f;
    f.session.choice.Apply(fault.options);
    ASSERT_EQ(f.Run(fault.text).outcome, RealizeOutcome::kRealized);
    ASSERT_EQ(VerifyRealization(fault.text, f.session.choice, f.session.results).mismatches, 0);
    fault.inject(f.session.results);
    const Verification v = VerifyRealization(fault.text, f.session.choice, f.session.results);
    EXPECT_EQ(v.mismatches, fault.mismatches);
    EXPECT_EQ(v.combinations, fault.combinations);
  }
}

TEST(Verification, ChecksACanonicalFunctionAgainstItsOnesAndZeros) {
  testing::SessionFixture b;
  b.Canonical({1, 3}, {0, 2});
  ASSERT_EQ(b.model.functionText, "x0");
  ASSERT_TRUE(b.Realize("x0", testing::Options(Structure::kMux, 2)));
  Verification v = VerifyRealization(b.model, b.session.choice, b.session.results);
  ASSERT_TRUE(v.lists.has_value());
  EXPECT_EQ(v.lists->ones, 2);
  EXPECT_EQ(v.lists->zeros, 2);
  EXPECT_EQ(v.lists->mismatches, 0);
  // A text that no longer belongs to the lists: the circuit is x1, right for its text, but 0 on
  // the One 1 and 1 on the Zero 2.
  ASSERT_TRUE(b.Realize("x1", testing::Options(Structure::kMux, 2)));
  v = VerifyRealization(b.model, b.session.choice, b.session.results);
  EXPECT_EQ(v.mismatches, 0);
  EXPECT_EQ(v.lists->mismatches, 2);
  // Don't cares are free: with 2 as a Don't care only the One 1 disagrees.
  b.model.zeros() = {"0"};
  b.model.dontCares() = {"2"};
  EXPECT_EQ(VerifyRealization(b.model, b.session.choice, b.session.results).lists->mismatches, 1);
  // A literal function has no lists to check.
  b.model.representationFlag = 2;
  EXPECT_FALSE(VerifyRealization(b.model, b.session.choice, b.session.results).lists);
}

// Every structure and every size the dialog allows, on random minimized functions.
TEST(RealizeProperty, EveryRealizationComputesItsFunction) {
  std::mt19937 rng(20261208);
  int realized = 0;
  for (int round = 0; round < 1200; ++round) {
    const int n = 1 + static_cast<int>(rng() % 10);
    const int size = 1 << n;
    const int density = 10 + static_cast<int>(rng() % 80);
    std::vector<int> ones, dcs;
    for (int v = 0; v < size; ++v) {
      const int r = static_cast<int>(rng() % 100);
      if (r < density)
        ones.push_back(v);
      else if (r < density + 8)
        dcs.push_back(v);
    }
    const std::string text = MinimizeTerms(ones, dcs, n);
    const int vars = CountVariables(text);
    if (vars == 0) continue;
    for (const StructureNames& structure : kStructureNames) {
      const StructureTab tab = structure.tab;
      for (int family = 0; family < (structure.useGates ? 3 : 1); ++family) {
        for (int index = 0; index < 4; ++index) {
          for (int second = 0; second < (tab == StructureTab::kMuxDemux ? 4 : 1); ++second) {
            Fixture f;
            StructureChoice& c = f.session.choice;
            c.tab = tab;
            c.SetUseGates(structure.useGates);
            c.radioGates = static_cast<GateFamily>(family);
            c.radioMuxSize = c.radioMuxMT = c.radioDmux = index;
            if (tab == StructureTab::kMuxDemux) {
              if (vars < 2 || vars > 8 || index + 1 + second + 1 != vars) continue;
              c.SelectMdMux(index);
              c.SelectMdDmux(second);
            }
            if (tab == StructureTab::kMuxTree && n > 8 && (round % 4))
              continue;  // keep the suite fast
            const auto r = f.Run(text);
            if (r.outcome != RealizeOutcome::kRealized) continue;
            const Verification v = VerifyRealization(text, c, f.session.results);
            ASSERT_EQ(v.mismatches, 0) << text << " " << structure.cliName << " family " << family
                                       << " index " << index << " second " << second;
            EXPECT_EQ(v.combinations, 1 << vars);
            ++realized;
          }
        }
      }
    }
  }
  EXPECT_GT(realized, 5000);
}

}  // namespace
}  // namespace kestrel

// The comparison of structures and the choice of address variables: every compared row equals
// the same choice realized the normal way, every address choice verifies, the best choice costs
// what its search predicts and never more than the automatic one, and the automatic choice is
// today's circuit.

#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "engine/compare.h"
#include "engine/realize.h"
#include "function/function_text.h"
#include "function/minimizer.h"
#include "session/session.h"

namespace kestrel {
namespace {

// A minimized random function of n variables that is not constant.
std::string RandomFunction(std::mt19937& rng, int n) {
  while (true) {
    std::vector<int> ones, dontCares;
    std::uniform_int_distribution<int> pick(0, 7);
    for (int v = 0; v < (1 << n); ++v) {
      const int roll = pick(rng);
      if (roll < 3)
        ones.push_back(v);
      else if (roll < 4)
        dontCares.push_back(v);
    }
    std::string text = MinimizeTerms(ones, dontCares, n);
    if (!text.empty() && text != "1") return text;
  }
}

struct Realization {
  RecordingMessages messages;
  HeadlessProgress progress;
  Session session{messages, progress};

  // The structure dialog shown, the options applied, OK, then Realization: as the command line
  // and the desktop program realize.
  RealizeResult Realize(const std::string& text, const StructureOptions& options,
                        const AddressChoice& address = {}) {
    session.UseFunctionText(text);
    session.choice.OnShow(text);
    session.choice.Apply(options);
    if (!session.ConfirmStructure()) return {};
    if (!session.SetAddressChoice(address).empty()) return {};
    return session.RealizeCurrent();
  }
  bool Verifies() const {
    return VerifyRealization(session.model.functionText, session.choice, session.results)
               .mismatches == 0;
  }
  CircuitCost Cost() const { return MeasureCircuit(session.choice.Current(), session.results); }
};

TEST(CompareStructures, RowsEqualTheirRealizations) {
  std::mt19937 rng(1616);
  for (int trial = 0; trial < 12; ++trial) {
    const std::string text = RandomFunction(rng, 2 + trial % 7);
    const std::vector<CompareRow> rows = CompareStructures(text);
    for (const CompareRow& row : rows) {
      Realization run;
      const RealizeResult result = run.Realize(text, row.options);
      const bool realized = result.outcome == RealizeOutcome::kRealized;
      ASSERT_EQ(realized, row.realized) << text << " " << NamesOf(row.options.structure).cliName;
      if (realized) {
        EXPECT_EQ(run.Cost(), row.cost) << text << " " << NamesOf(row.options.structure).cliName;
        EXPECT_TRUE(run.Verifies()) << text;
        // The realized choice names this row and no other.
        for (const CompareRow& other : rows)
          EXPECT_EQ(ChoiceBuildsRow(run.session.choice, other.options, CountVariables(text)),
                    &other == &row)
              << text;
      } else {
        ASSERT_FALSE(run.messages.shown.empty()) << text;
        EXPECT_EQ(run.messages.shown.back().text, row.refusal) << text;
      }
    }
  }
}

TEST(CompareStructures, MarksTheCheapestAndListsEveryChoice) {
  const std::vector<CompareRow> rows = CompareStructures("x3~x1+x2x0+~x3x1x0");
  // Four sizes of mux, twelve of mux-gates, four of demux and of mux-tree, three pairs.
  ASSERT_EQ(rows.size(), 27u);
  int fewest = 0, shallowest = 0;
  for (const CompareRow& row : rows) {
    fewest += row.cheapestByComponents;
    shallowest += row.cheapestByLevels;
    if (row.cheapestByComponents) {
      EXPECT_EQ(row.cost.Components(), 1);
    }
  }
  EXPECT_GT(fewest, 0);
  EXPECT_GT(shallowest, 0);
  EXPECT_FALSE(rows[0].realized);
  EXPECT_EQ(rows[0].refusal.rfind("Realization impossible!", 0), 0u) << rows[0].refusal;
  // A multiplexer larger than the function needs is realized at the function's size.
  StructureChoice larger;
  larger.Apply({Structure::kMuxTree, 16, {}, {}});
  EXPECT_TRUE(ChoiceBuildsRow(larger, {Structure::kMuxTree, 8, {}, {}}, 3));
  EXPECT_FALSE(ChoiceBuildsRow(larger, {Structure::kMuxTree, 4, {}, {}}, 3));
  EXPECT_FALSE(ChoiceBuildsRow(larger, {Structure::kMux, 8, {}, {}}, 3));
  EXPECT_TRUE(CompareStructures("").empty());
  EXPECT_TRUE(CompareStructures("1").empty());
}

TEST(CircuitCost, CountsComponentsByKind) {
  Realization run;
  ASSERT_EQ(run.Realize("x3~x1+x2x0+~x3x1x0", {Structure::kMuxTree, 4, {}, {}}).outcome,
            RealizeOutcome::kRealized);
  const CircuitCost cost = run.Cost();
  EXPECT_EQ(cost.multiplexers, (std::array<int, 4>{2, 1, 0, 0}));
  EXPECT_EQ(cost.Demultiplexers(), 0);
  EXPECT_EQ(cost.Components(), 3 + cost.gates);
  Realization demux;
  ASSERT_EQ(demux.Realize("x3~x1+x2x0+~x3x1x0", {Structure::kDemux, {}, 16, {}}).outcome,
            RealizeOutcome::kRealized);
  EXPECT_EQ(demux.Cost().demultiplexers, (std::array<int, 4>{0, 0, 0, 1}));
  EXPECT_EQ(demux.Cost().levels, 2);
  EXPECT_TRUE(FewerComponents(run.Cost(), demux.Cost()) || run.Cost().Components() >= 3);
}

const StructureOptions kAddressStructures[] = {
    {Structure::kMux, 8, {}, {}},
    {Structure::kMuxGates, 4, {}, GateFamily::kNand},
    {Structure::kMuxGates, 2, {}, GateFamily::kNor},
    {Structure::kMuxGates, 8, {}, GateFamily::kAndOrNot},
    {Structure::kMuxTree, 2, {}, {}},
    {Structure::kMuxTree, 4, {}, {}},
    {Structure::kDemux, {}, 16, {}},
};

TEST(AddressChoice, BestVerifiesAndCostsWhatTheSearchPredicts) {
  std::mt19937 rng(2016);
  for (int trial = 0; trial < 14; ++trial) {
    const std::string text = RandomFunction(rng, 3 + trial % 6);
    for (const StructureOptions& options : kAddressStructures) {
      Realization automatic, best;
      const auto a = automatic.Realize(text, options).outcome;
      const auto b = best.Realize(text, options, {AddressMode::kBest, {}}).outcome;
      const std::string what = text + " " + NamesOf(options.structure).cliName;
      if (b != RealizeOutcome::kRealized) {
        // The best choice is refused only where the automatic one is too.
        EXPECT_NE(a, RealizeOutcome::kRealized) << what;
        continue;
      }
      EXPECT_TRUE(best.Verifies()) << what;
      if (a == RealizeOutcome::kRealized) {
        EXPECT_FALSE(FewerComponents(automatic.Cost(), best.Cost())) << what;
      }
      const int top = TopAddressInputs(best.session.choice, CountVariables(text));
      const BestAddress predicted =
          SearchBestAddress(options.structure, text, top, best.session.choice.radioGates);
      if (options.structure != Structure::kDemux) {
        EXPECT_EQ(predicted.components, best.Cost().Components()) << what;
        EXPECT_EQ(predicted.gateInputs, best.Cost().gateInputs) << what;
      }
    }
  }
}

TEST(AddressChoice, NamedChoicesVerifyInEveryStructure) {
  std::mt19937 rng(3016);
  for (int trial = 0; trial < 20; ++trial) {
    const int n = 3 + trial % 5;
    const std::string text = RandomFunction(rng, n);
    std::vector<int> used;
    for (int v = 9; v >= 0; --v)
      if (text.find("x" + std::to_string(v)) != std::string::npos) used.push_back(v);
    std::shuffle(used.begin(), used.end(), rng);
    for (const StructureOptions& options : kAddressStructures) {
      Realization run;
      run.session.UseFunctionText(text);
      run.session.choice.OnShow(text);
      run.session.choice.Apply(options);
      ASSERT_TRUE(run.session.ConfirmStructure());
      const int top = TopAddressInputs(run.session.choice, static_cast<int>(used.size()));
      AddressChoice named{AddressMode::kNamed, {}};
      if (options.structure == Structure::kDemux) {
        named.levels = {used};
      } else {
        named.levels = {std::vector<int>(used.begin(), used.begin() + top)};
        if (options.structure == Structure::kMuxTree && top < static_cast<int>(used.size()))
          named.levels.emplace_back(used.begin() + top,
                                    used.begin() + std::min<int>(2 * top, used.size()));
      }
      const std::string what = text + " " + FormatAddressChoice(named);
      ASSERT_EQ(run.session.SetAddressChoice(named), "") << what;
      const RealizeResult result = run.session.RealizeCurrent();
      if (result.outcome != RealizeOutcome::kRealized) {
        // Only a single multiplexer that the named variables leave short, or a demultiplexer
        // too small for the function, is refused.
        EXPECT_TRUE(options.structure == Structure::kMux ||
                    (options.structure == Structure::kDemux && n > 4))
            << what;
        continue;
      }
      EXPECT_TRUE(run.Verifies()) << what;
      // The output node's address inputs are the named variables, in order.
      if (options.structure != Structure::kDemux) {
        const NodeRecord& out = run.session.results.nodes().back();
        for (int i = 0; i < top; ++i)
          EXPECT_EQ(out.addressLabels[i], "x" + std::to_string(named.levels[0][i])) << what;
      }
    }
  }
}

TEST(AddressChoice, AutomaticIsTodaysCircuit) {
  std::mt19937 rng(4016);
  for (int trial = 0; trial < 10; ++trial) {
    const std::string text = RandomFunction(rng, 3 + trial % 6);
    for (const StructureOptions& options : kAddressStructures) {
      Realization plain, automatic;
      plain.session.UseFunctionText(text);
      plain.session.choice.OnShow(text);
      plain.session.choice.Apply(options);
      ASSERT_TRUE(plain.session.ConfirmStructure());
      plain.session.RealizeCurrent();
      automatic.Realize(text, options, {});
      const auto& a = plain.session.results.nodes();
      const auto& b = automatic.session.results.nodes();
      ASSERT_EQ(a.size(), b.size()) << text;
      for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(std::tie(a[i].level, a[i].addressCount, a[i].inputCount, a[i].addressLabels,
                           a[i].childId, a[i].inputNegated, a[i].outputNegated, a[i].inputLabels,
                           a[i].kind),
                  std::tie(b[i].level, b[i].addressCount, b[i].inputCount, b[i].addressLabels,
                           b[i].childId, b[i].inputNegated, b[i].outputNegated, b[i].inputLabels,
                           b[i].kind))
            << text;
      }
      EXPECT_EQ(plain.session.results.demux().addressLabels,
                automatic.session.results.demux().addressLabels)
          << text;
      EXPECT_EQ(plain.Cost(), automatic.Cost()) << text;
    }
  }
}

TEST(AddressChoice, ParsedAndCheckedAgainstTheStructure) {
  std::string error;
  EXPECT_EQ(ParseAddressChoice("automatic", &error), AddressChoice{});
  EXPECT_EQ(ParseAddressChoice("best", &error), (AddressChoice{AddressMode::kBest, {}}));
  const auto tree = ParseAddressChoice("x3,x1/x2", &error);
  ASSERT_TRUE(tree);
  EXPECT_EQ(tree->levels, (std::vector<std::vector<int>>{{3, 1}, {2}}));
  EXPECT_EQ(FormatAddressChoice(*tree), "x3,x1/x2");
  for (const char* bad : {"", "x3,", "x10", "y1", "x3,,x1", "x3/"})
    EXPECT_FALSE(ParseAddressChoice(bad, &error)) << bad;
  const std::string f = "x3~x1+x2x0+~x3x1x0";
  const AddressChoice two{AddressMode::kNamed, {{3, 1}}};
  EXPECT_EQ(CheckAddressChoice(two, Structure::kMuxGates, 2, f), "");
  EXPECT_EQ(CheckAddressChoice(two, Structure::kMuxGates, 3, f),
            "the multiplexer has 3 address inputs: name 3 variables");
  EXPECT_EQ(CheckAddressChoice({AddressMode::kNamed, {{5, 1}}}, Structure::kMux, 2, f),
            "the function has no variable x5");
  EXPECT_EQ(CheckAddressChoice({AddressMode::kNamed, {{1, 1}}}, Structure::kMux, 2, f),
            "x1 is named twice");
  EXPECT_EQ(CheckAddressChoice(two, Structure::kDemux, 4, f),
            "the demultiplexer's address inputs take all 4 variables of the function: name them "
            "all");
  EXPECT_NE(CheckAddressChoice(two, Structure::kMuxDemux, 2, f), "");
}

}  // namespace
}  // namespace kestrel

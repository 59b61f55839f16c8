// The minimization engine on known functions, entered through the canonical entry so that every
// check also covers the Zeros completion, the masks, the constant-function messages and the
// command states. The exact texts pin the orders and tie-breaks of the cover selection.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "function/function_model.h"
#include "function/minimizer.h"
#include "function/truth_table.h"
#include "support/function_models.h"
#include "support/session_fixture.h"

namespace kestrel::testing {
namespace {

using Strs = std::vector<std::string>;

const std::string kToOne = Plain("Function minimizes to '1'!\n\rF=1");
const std::string kToZero = Plain("Function minimizes to '0'!\n\rF=0");

struct Example {
  std::vector<int> ones, zeros, dontCares;
  std::string text;
};

void PrintTo(const Example& e, std::ostream* os) {
  *os << "expecting " << e.text;
}

class KnownFunction : public ::testing::TestWithParam<Example> {};

TEST_P(KnownFunction, MinimizesToTheExpectedText) {
  const Example& e = GetParam();
  SessionFixture b;
  ASSERT_TRUE(b.EnterCanonical(e.ones, e.zeros, e.dontCares));
  EXPECT_EQ(b.model.functionText, e.text);
  EXPECT_EQ(Shown(b.messages), Strs{});
  EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
  EXPECT_EQ(b.model.representationFlag, 1);
  EXPECT_EQ(b.progress.title, "Progress of minimization: FINISHED!");
  EXPECT_FALSE(b.progress.stopEnabled);
  EXPECT_EQ(b.progress.timeText.rfind("Minimization time: ", 0), 0u) << b.progress.timeText;
  EXPECT_EQ(b.progress.timeText.back(), 's');

  // The same text from the engine alone, given the lists in the order the entry keeps them.
  std::vector<int> ones = e.ones, dontCares = e.dontCares;
  std::sort(ones.begin(), ones.end());
  std::sort(dontCares.begin(), dontCares.end());
  EXPECT_EQ(MinimizeTerms(ones, dontCares, b.model.VariableCount()), e.text);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, KnownFunction,
    ::testing::Values(Example{{1, 3, 5, 7}, {}, {}, "x0"}, Example{{3}, {}, {}, "x1x0"},
                      Example{{5}, {}, {}, "x2~x1x0"}, Example{{0}, {}, {}, "~x0"},
                      Example{{0, 1, 2, 5, 6, 7}, {}, {}, "~x2~x0+~x1x0+x2x1"},
                      Example{{4, 8, 10, 11, 12, 15}, {}, {9, 14}, "x3~x0+x3x1+x2~x1~x0"},
                      Example{{0, 2, 5, 7, 8, 10, 13, 15}, {}, {}, "~x2~x0+x2x0"},
                      Example{{0, 4, 5, 7, 8, 13, 15}, {}, {}, "x2x0+~x2~x1~x0+~x3~x1~x0"},
                      Example{{2, 3, 7, 9, 11, 13}, {}, {1, 10, 15}, "~x2x1+x3x0+x1x0"},
                      Example{{3}, {}, {1}, "x0"},
                      Example{{1, 2, 4, 7}, {}, {}, "x2~x1~x0+~x2x1~x0+~x2~x1x0+x2x1x0"},
                      Example{{1}, {0}, {2, 3, 4, 5, 6, 7}, "x0"},
                      // Entered out of order: the lists are sorted, so the result is the same.
                      Example{{7, 6, 5, 2, 1, 0}, {}, {}, "~x2~x0+~x1x0+x2x1"},
                      // A listed Zero widens the function: x3 must appear negated.
                      Example{{1, 3, 5, 7}, {8}, {}, "~x3x0"},
                      Example{{1000}, {}, {}, "x9x8x7x6x5~x4x3~x2~x1~x0"}));

TEST(ConstantFunctions, AllCombinationsOfThreeVariablesMinimizeToOne) {
  SessionFixture b;
  ASSERT_TRUE(b.EnterCanonical(Range(0, 7)));
  EXPECT_EQ(b.model.functionText, "1");
  EXPECT_EQ(Shown(b.messages), Strs({kToOne}));
  EXPECT_EQ(b.session.commandState, CommandState::kNothingToRealize);
  EXPECT_TRUE(b.model.zeros().empty());
}

TEST(ConstantFunctions, DontCaresFillingTheRestMinimizeToOne) {
  SessionFixture b;
  ASSERT_TRUE(b.EnterCanonical({0}, {}, {1, 2, 3}));
  EXPECT_EQ(b.model.functionText, "1");
  EXPECT_EQ(Shown(b.messages), Strs({kToOne}));
  EXPECT_EQ(b.session.commandState, CommandState::kNothingToRealize);
}

TEST(ConstantFunctions, OnlyDontCaresMinimizeToZero) {
  SessionFixture b;
  ASSERT_TRUE(b.EnterCanonical({}, {}, {1}));
  EXPECT_EQ(b.model.functionText, "0");
  EXPECT_EQ(b.model.zeros(), Strs({"0"}));
  EXPECT_EQ(Shown(b.messages), Strs({kToZero}));
  EXPECT_EQ(b.session.commandState, CommandState::kNothingToRealize);
  EXPECT_EQ(b.model.dontCareMasks, Strs({"0"}));
}

TEST(ConstantFunctions, CommandStateGoesThroughOneToTen) {
  // Seen from the main window: a constant function first defines the function, then disables
  // the realization.
  struct Trace : ShellPort {
    std::vector<int> states;
    void SetCommandState(CommandState state) override { states.push_back(StateNumber(state)); }
    void ClearMuxDemuxSizes() override {}
  } shell;
  RecordingMessages messages;
  HeadlessProgress progress;
  FunctionModel model;
  TermTable table;
  FunctionDefinition def(model, table, messages, shell, progress);
  def.OpenCanonical();
  for (int v = 0; v < 4; ++v) ASSERT_TRUE(def.Add(std::to_string(v), ListKind::kOnes));
  ASSERT_TRUE(def.Ok());
  EXPECT_EQ(shell.states, std::vector<int>({1, 1, 10, 10}));
}

TEST(LevelTable, TopLevelFirstImplicantDecidesTheConstantOne) {
  // Ones 1, Zeros 0, Don't cares 2..7: the top implicant is x0 but a Zero exists.
  std::vector<InputTerm> terms{{1, 6, false}};
  for (int v = 2; v <= 7; ++v) terms.push_back({v, ~v & 7, true});
  LevelTable table(terms);
  ASSERT_TRUE(table.CombineLevels(nullptr));
  const int levels = table.CountLevels();
  ASSERT_EQ(levels, 3);
  EXPECT_EQ(table.level(levels - 1).p[0], 1);
  EXPECT_EQ(table.level(levels - 1).n[0], 0);
  table.SelectCover(levels);
  EXPECT_FALSE(table.IsConstantOne(levels, 3));
  EXPECT_EQ(table.FormatCover(levels, 1, {}, 0, nullptr), "x0");
}

TEST(LevelTable, LevelZeroIsSortedByDescendingKeyStably) {
  std::vector<InputTerm> terms{{1, 6, false}, {6, 1, false}, {4, 3, false}, {7, 0, true}};
  LevelTable table(terms);
  const auto& level0 = table.level(0);
  ASSERT_EQ(level0.Count(), 4);
  EXPECT_EQ(std::vector<int>(level0.p.begin(), level0.p.end()), std::vector<int>({7, 6, 1, 4}));
  EXPECT_EQ(level0.dontCare[0], 1);  // the flag moves with its term
  for (int m = 0; m < 4; ++m)
    for (int pos = 0; pos < 4; ++pos) EXPECT_EQ(table.Covers(0, m, pos), m == pos);
}

TEST(LevelTable, ImplicantMadeOfDontCaresOnlyIsDropped) {
  // Ones 0; Don't cares 3 and 7 merge into x1x0, which covers no One.
  LevelTable table({{0, 7, false}, {3, 4, true}, {7, 0, true}});
  ASSERT_TRUE(table.CombineLevels(nullptr));
  const int levels = table.CountLevels();
  table.SelectCover(levels);
  EXPECT_EQ(table.FormatCover(levels, 1, {}, 0, nullptr), "~x2~x1~x0");
}

TEST(LevelTable, LevelsOfACoveredFunctionAreTheSameWhenReadBeforeOrAfterTheCover) {
  // Ones and Don't cares fill all 16 combinations: the levels between are built when first read.
  const auto terms = InputTermsOf({0, 3, 5, 6, 9, 10, 12, 15}, {1, 2, 4, 7, 8, 11, 13, 14}, 4);
  LevelTable early(terms), late(terms);
  ASSERT_TRUE(early.CombineLevels(nullptr));
  ASSERT_TRUE(late.CombineLevels(nullptr));
  ASSERT_EQ(early.CountLevels(), 5);
  const int sizes[] = {16, 32, 24, 8, 1};  // every product over four variables
  for (int k = 0; k < 5; ++k) EXPECT_EQ(early.level(k).Count(), sizes[k]);
  early.SelectCover(5);
  late.SelectCover(5);
  EXPECT_TRUE(late.IsConstantOne(5, 4));
  EXPECT_EQ(late.FormatCover(5, 1, {}, 0, nullptr), "");
  for (int k = 0; k < 5; ++k) {
    const auto& a = early.level(k);
    const auto& b = late.level(k);
    EXPECT_EQ(a.p, b.p);
    EXPECT_EQ(a.n, b.n);
    EXPECT_EQ(a.prime, b.prime);
    EXPECT_EQ(a.selected, b.selected);
    EXPECT_EQ(a.key, b.key);
  }
  EXPECT_TRUE(late.Covers(2, 0, 0) || late.Covers(2, 0, 15));
}

TEST(LevelTable, EveryPassAsksTheHooksFirst) {
  // A covered function (known at once) and one that is merged, stopped at each pass in turn.
  struct StopAt : CombineHooks {
    explicit StopAt(int at) : stopAt(at) {}
    bool LevelStep() override { return ++pass == stopAt; }
    bool PairPoll() override { return false; }
    int pass = 0;
    int stopAt;
  };
  for (const auto& ones : {Range(0, 7), std::vector<int>{0, 1, 2, 5, 6, 7}}) {
    for (int stopAt = 0; stopAt <= 10; ++stopAt) {
      LevelTable table(InputTermsOf(ones, {}, 3));
      StopAt hooks(stopAt);
      EXPECT_EQ(table.CombineLevels(&hooks), stopAt == 0);
      EXPECT_EQ(hooks.pass, stopAt == 0 ? 10 : stopAt);
    }
  }
}

TEST(LevelTable, RefusesMoreThan1024Terms) {
  std::vector<InputTerm> terms(1025, InputTerm{0, 0, false});
  EXPECT_THROW(LevelTable table(terms), std::length_error);
  // A variable both plain and negated, or outside the ten.
  EXPECT_THROW(LevelTable({{1, 1, false}}), std::invalid_argument);
  EXPECT_THROW(LevelTable({{1024, 0, false}}), std::invalid_argument);
}

// Input terms that are not distinct minterms of one set of variables (products, repeats) take
// the table's general path, where every implicant keeps its covered positions explicitly. The
// cover must still be exactly the sum of the input terms.
TEST(LevelTable, ProductsAndRepeatsAreCoveredExactly) {
  std::mt19937 rng(77);
  for (int round = 0; round < 200; ++round) {
    const int n = 2 + static_cast<int>(rng() % 6);
    std::vector<InputTerm> terms;
    TruthTable sum = TruthTable::Constant(false);
    const int count = 1 + static_cast<int>(rng() % 12);
    for (int t = 0; t < count; ++t) {
      InputTerm term;
      for (int d = 0; d < n; ++d) {
        const int r = static_cast<int>(rng() % 3);  // plain, negated or absent
        if (r == 0) term.value |= 1 << d;
        if (r == 1) term.mask |= 1 << d;
      }
      if (term.value == 0 && term.mask == 0) term.value = 1;
      terms.push_back(term);
      if (rng() % 4 == 0) terms.push_back(term);  // a repeat
      TruthTable product = TruthTable::Constant(true);
      for (int d = 0; d < n; ++d) {
        if ((term.value >> d) & 1) product &= TruthTable::Variable(d);
        if ((term.mask >> d) & 1) product &= ~TruthTable::Variable(d);
      }
      sum |= product;
    }
    LevelTable table(terms);
    ASSERT_TRUE(table.CombineLevels(nullptr));
    const int levels = table.CountLevels();
    table.SelectCover(levels);
    const std::string text = table.FormatCover(levels, 1, {}, 0, nullptr);
    // An implicant without literals (the terms merged into the constant 1) is written empty.
    const TruthTable cover = text.empty() ? TruthTable::Constant(true) : EvaluateFunctionText(text);
    for (int k = 0; k < kCombinations; ++k)
      ASSERT_EQ(cover.At(k), sum.At(k)) << "round " << round << ": " << text << " at " << k;
  }
}

TEST(FormatTerm, CanonicalLiteralsFromX9Down) {
  EXPECT_EQ(FormatTerm(0b1000001000, 0b0010000001, 1, {}, 0, nullptr), "x9~x7x3~x0");
  EXPECT_EQ(FormatTerm(0, 0, 1, {}, 0, nullptr), "");
}

TEST(FormatTerm, LiteralFunctionUsesTheVariableNames) {
  const Strs names{"x7", "x4", "x2", "0", "0", "0", "0", "0", "0", "0"};
  EXPECT_EQ(FormatTerm(0b101, 0b010, 2, names, 3, nullptr), "x7~x4x2");
  std::vector<std::string> messages;
  EXPECT_EQ(FormatTerm(0b1001, 0, 2, names, 3, &messages), "x2");
  EXPECT_EQ(messages, Strs({"array overflow"}));
}

}  // namespace
}  // namespace kestrel::testing

// The minimum cover: the chart reduction on small charts, the solver's covers checked against
// every subset of the prime implicants on small random functions, every minimum cover equal to
// its function on every One and Zero, and the greedy text kept when it is already minimal.

#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "function/exact_cover.h"
#include "function/truth_table.h"
#include "solver/cbc_cover_solver.h"

namespace kestrel {
namespace {

struct RandomFunction {
  std::vector<int> ones, dontCares;
  int n = 0;
};

// Ones with probability 1/2 and Don't cares with 1/4 of the rest, at least one One.
RandomFunction Draw(std::mt19937& rng, int n) {
  RandomFunction f;
  f.n = n;
  std::uniform_int_distribution<int> pick(0, 7);
  for (int v = 0; v < (1 << n); ++v) {
    const int roll = pick(rng);
    if (roll < 4)
      f.ones.push_back(v);
    else if (roll < 5)
      f.dontCares.push_back(v);
  }
  if (f.ones.empty()) f.ones.push_back(0);
  return f;
}

CoverComparison Compare(const RandomFunction& f, CoverSolver& solver) {
  return CompareCovers(InputTermsOf(f.ones, f.dontCares, f.n), f.n, 1, {}, 0, solver, 10.0);
}

// The cheapest subset of the columns that covers every row, by trying them all.
int64_t BruteForceCost(const CoverProblem& problem) {
  const int columns = problem.Columns();
  int64_t best = -1;
  for (uint32_t set = 0; set < (uint32_t{1} << columns); ++set) {
    std::vector<int> chosen;
    for (int c = 0; c < columns; ++c)
      if ((set >> c) & 1) chosen.push_back(c);
    if (!IsCover(problem, chosen)) continue;
    const int64_t cost = CostOf(problem, chosen);
    if (best < 0 || cost < best) best = cost;
  }
  return best;
}

PrimeChart ChartOf(const RandomFunction& f) {
  LevelTable table(InputTermsOf(f.ones, f.dontCares, f.n));
  table.CombineLevels(nullptr);
  return BuildPrimeChart(table, table.CountLevels());
}

TEST(ReduceChart, EssentialColumnsAndDominance) {
  // Rows 0 and 1 only have column 0 and 1: both essential. Row 2 (columns 2, 3) and row 3
  // (columns 2, 3, 4): row 3 is dominated; column 4 covers nothing left and goes; columns 2 and
  // 3 cover the same row, the cheaper (3) stays.
  CoverProblem p;
  p.cost = {10, 10, 12, 11, 10};
  p.rows = {{0}, {1}, {2, 3}, {2, 3, 4}};
  const ChartReduction r = ReduceChart(p);
  EXPECT_EQ(r.essential, (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(r.core.Rows(), 0);
}

TEST(ReduceChart, CyclicCoreStays) {
  // Three rows in a cycle of three equal columns: nothing reduces.
  CoverProblem p;
  p.cost = {5, 5, 5};
  p.rows = {{0, 1}, {1, 2}, {0, 2}};
  const ChartReduction r = ReduceChart(p);
  EXPECT_TRUE(r.essential.empty());
  EXPECT_EQ(r.core.Rows(), 3);
  EXPECT_EQ(r.coreColumn, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(GreedyCover(r.core).size(), 2u);
}

TEST(MinimumCover, TheCheapestSubsetOfThePrimesOnSmallFunctions) {
  std::mt19937 rng(16016);
  CbcCoverSolver solver;
  int fewerThanGreedy = 0, checked = 0;
  for (int trial = 0; trial < 120; ++trial) {
    const RandomFunction f = Draw(rng, 3 + trial % 3);
    const PrimeChart chart = ChartOf(f);
    if (chart.problem.Columns() > 20) continue;
    ++checked;
    const MinimumCover minimum = FindMinimumCover(chart, solver, 10.0);
    ASSERT_TRUE(IsCover(chart.problem, minimum.columns)) << trial;
    EXPECT_TRUE(minimum.proven) << trial;
    EXPECT_EQ(CostOf(chart.problem, minimum.columns), BruteForceCost(chart.problem)) << trial;
    const CoverComparison both = Compare(f, solver);
    EXPECT_LE(both.minimum.products, both.greedyProducts) << trial;
    if (both.minimum.products < both.greedyProducts) ++fewerThanGreedy;
  }
  EXPECT_GT(checked, 100);
  // The greedy removal is not always minimal on these sizes; the comparison must notice.
  EXPECT_GT(fewerThanGreedy, 0);
}

TEST(MinimumCover, EqualsTheFunctionOnEveryOneAndZero) {
  std::mt19937 rng(1016);
  CbcCoverSolver solver;
  for (int trial = 0; trial < 40; ++trial) {
    const RandomFunction f = Draw(rng, 5 + trial % 4);
    const CoverComparison both = Compare(f, solver);
    ASSERT_FALSE(both.constant);
    const TruthTable table = EvaluateFunctionText(both.minimumText);
    std::vector<bool> isOne(size_t{1} << f.n), isDontCare(size_t{1} << f.n);
    for (int v : f.ones) isOne[v] = true;
    for (int v : f.dontCares) isDontCare[v] = true;
    for (int v = 0; v < (1 << f.n); ++v) {
      if (isDontCare[v]) continue;
      ASSERT_EQ(table.At(v), isOne[v]) << trial << " at " << v;
    }
    EXPECT_EQ(both.minimum.products,
              both.minimumText.empty()
                  ? 0
                  : 1 + static_cast<int>(
                            std::count(both.minimumText.begin(), both.minimumText.end(), '+')));
    EXPECT_LE(both.minimum.products, both.greedyProducts);
  }
}

TEST(MinimumCover, KeepsTheGreedyTextWhenItIsMinimal) {
  // ~x2~x0+~x1x0+x2x1 is one of the two minimum covers of this cycle: the text stays as is.
  CbcCoverSolver solver;
  const CoverComparison both = Compare({{0, 1, 2, 5, 6, 7}, {}, 3}, solver);
  EXPECT_EQ(both.greedyText, "~x2~x0+~x1x0+x2x1");
  EXPECT_EQ(both.minimumText, both.greedyText);
  EXPECT_TRUE(both.minimum.proven);
  EXPECT_EQ(both.minimum.products, 3);
  EXPECT_EQ(both.minimum.literals, 6);
}

TEST(MinimumCover, ConstantFunctionsHaveNothingToCover) {
  CbcCoverSolver solver;
  EXPECT_TRUE(Compare({{}, {0, 1}, 1}, solver).constant);
  EXPECT_TRUE(Compare({{0, 1, 2, 3}, {}, 2}, solver).constant);
}

}  // namespace
}  // namespace kestrel
